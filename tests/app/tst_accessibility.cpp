// The editor as assistive technology meets it, through QAccessible: values
// that labels show, the modified mark of a tab, the toggles of the command
// bar triggered by their accessible actions, and a channel list whose cells
// a screen reader has read before a column header is clicked.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QToolButton>

#include "ChildFrame.h"
#include "CommandBar.h"
#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ChannelSucheDlg.h"
#include "document/ChannelEdits.h"
#include "views/ChannelListModel.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

namespace {
QAccessibleInterface* Iface(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The first interface below root, depth first, with the role and name:
// what a screen reader can reach from the window.
QAccessibleInterface* Reach(QAccessibleInterface* root, QAccessible::Role role, const QString& name, int depth = 0)
{
    if (!root || depth > 30)
        return nullptr;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (!child)
            continue;
        if (child->role() == role && child->text(QAccessible::Name) == name)
            return child;
        if (QAccessibleInterface* found = Reach(child, role, name, depth + 1))
            return found;
    }
    return nullptr;
}

// Runs a button's accessible action as a screen reader does. A press clicks
// once a short animation is over; that is waited for.
bool DoAction(QAbstractButton* button, const QString& action)
{
    QAccessibleActionInterface* actions = Iface(button)->actionInterface();
    if (!actions)
        return false;
    actions->doAction(action);
    return QTest::qWaitFor([button] { return !button->isDown(); });
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void countsAndMarksAreReadable();
    void togglesWorkThroughTheirActions_data();
    void togglesWorkThroughTheirActions();
    void resortAfterCellsWereReadKeepsNoCellPerRow();

private:
    CMainFrame& Main() { return m_f->Frame(); }
    std::unique_ptr<CGuiFixture> m_f;
};

void TestAccessibility::init()
{
    m_f = std::make_unique<CGuiFixture>();
}

void TestAccessibility::cleanup()
{
    m_f.reset();
}

void TestAccessibility::countsAndMarksAreReadable()
{
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    Main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Main()));

    // The search pane's hit count.
    CChannelSucheDlg* search = Main().ChannelSearch();
    search->SearchField()->setText(QStringLiteral("hd"));
    auto* hits = search->findChild<QLabel*>(QStringLiteral("searchHitCount"));
    QVERIFY(hits);
    QCOMPARE(hits->text(), QStringLiteral("2 Kanäle"));
    QCOMPARE(Iface(hits)->text(QAccessible::Value), QStringLiteral("2 Kanäle"));
    QCOMPARE(Iface(hits)->text(QAccessible::Name), QStringLiteral("Trefferzahl: 2 Kanäle"));

    // The channel count of the status bar.
    QCOMPARE(Iface(Main().ChannelCountPane())->text(QAccessible::Name), QStringLiteral("Kanalanzahl: 5 Kanäle"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32772")));
    QCOMPARE(Iface(Main().ChannelCountPane())->text(QAccessible::Value), QStringLiteral("3 Kanäle"));

    // The tab of a modified document reads with its mark, reached from the window.
    QAccessibleInterface* window = Iface(&Main());
    QVERIFY(Reach(window, QAccessible::PageTab, QStringLiteral("a.ndb")));
    CDocument* doc = Main().ActiveDocument();
    CServiceData* first = doc->Core().m_services.GetAt(0);
    QVERIFY(doc->RunChange(QStringLiteral("Sperren"), [first] { SetLockFlag({first}, !first->IsLocked()); }));
    QVERIFY(Reach(window, QAccessible::PageTab, QStringLiteral("a.ndb*")));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57643")));
    QVERIFY(Reach(window, QAccessible::PageTab, QStringLiteral("a.ndb")));
}

void TestAccessibility::togglesWorkThroughTheirActions_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("toggle") << QAccessibleActionInterface::toggleAction();
    QTest::newRow("press") << QAccessibleActionInterface::pressAction();
}

void TestAccessibility::togglesWorkThroughTheirActions()
{
    QFETCH(QString, action);
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    Main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Main()));
    CChildFrame* frame = Main().ActiveChildFrame();
    CCommandBar* bar = Main().CommandBar();
    auto* tv = bar->findChild<QToolButton*>(QStringLiteral("button_cmd_32771"));
    auto* radio = bar->findChild<QToolButton*>(QStringLiteral("button_cmd_32772"));
    QVERIFY(tv && radio);
    QVERIFY(tv->isChecked() && !radio->isChecked());

    QVERIFY(DoAction(radio, action));
    QVERIFY(!frame->IsTelevisionMode());
    QVERIFY(radio->isChecked() && !tv->isChecked());
    QCOMPARE(Main().ChannelCountPane()->text(), QStringLiteral(" 3 Kanäle"));
    // The active kind's toggle again: it stays the kind, and checked.
    QVERIFY(DoAction(radio, action));
    QVERIFY(!frame->IsTelevisionMode());
    QVERIFY(radio->isChecked() && !tv->isChecked());
    QVERIFY(DoAction(tv, action));
    QVERIFY(frame->IsTelevisionMode());
    QVERIFY(tv->isChecked() && !radio->isChecked());

    // The check boxes of the bar the same way.
    auto* autoNum = bar->findChild<QCheckBox*>(QStringLiteral("check_cmd_32773"));
    QVERIFY(autoNum);
    const bool before = frame->IsAutoNumbering();
    QVERIFY(DoAction(autoNum, action));
    QCOMPARE(frame->IsAutoNumbering(), !before);
    QCOMPARE(autoNum->isChecked(), !before);
}

// A screen reader that has read the cells of a long list holds one cell
// interface, and so one persistent model index, per cell. A re-sort that
// carried them all to their new rows cost minutes; they are dropped at once,
// the list reads the new order afterwards, the selection keeps its channels.
void TestAccessibility::resortAfterCellsWereReadKeepsNoCellPerRow()
{
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("long.ndb"), LongListDatabase(600))}));
    Main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Main()));
    CVandrelEdit2028View* view = Main().ActiveChildFrame()->ListView();
    CSortListCtrl* list = view->ListCtrl();
    CChannelListModel& model = view->Model();
    QCOMPARE(model.rowCount(), 600);
    list->selectionModel()->select(QItemSelection(model.index(10, 0), model.index(12, 18)),
                                   QItemSelectionModel::ClearAndSelect);
    list->selectionModel()->setCurrentIndex(model.index(11, 3), QItemSelectionModel::NoUpdate);
    const std::vector<CServiceData*> selected = view->SelectedServices();
    CServiceData* current = model.ServiceAt(11);

    QAccessibleTableInterface* table = Iface(list)->tableInterface();
    QVERIFY(table);
    std::vector<QAccessible::Id> read;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c) {
            QAccessibleInterface* cell = table->cellAt(r, c);
            QVERIFY(cell);
            read.push_back(QAccessible::uniqueId(cell));
        }
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), model.CellText(0, 0));

    // By name, then descending: "Kanal 0600" first.
    QHeaderView* header = list->horizontalHeader();
    for (int click = 0; click < 2; ++click) {
        list->scrollTo(model.index(0, 0));
        const QPoint name(header->sectionViewportPosition(0) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, name);
    }
    QCOMPARE(list->SortColumn(), 0);
    QVERIFY(!list->SortAscending());
    int cellsCarried = 0;
    for (QAccessible::Id id : read) {
        QAccessibleInterface* cell = QAccessible::accessibleInterface(id);
        if (cell && cell->isValid())
            ++cellsCarried;
    }
    QCOMPARE(cellsCarried, 0);

    // Read again, the cells show the new order.
    table = Iface(list)->tableInterface();
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("Kanal 0600"));
    QCOMPARE(table->cellAt(599, 0)->text(QAccessible::Name), QStringLiteral("Kanal 0001"));
    QCOMPARE(table->cellAt(5, 1)->text(QAccessible::Name), model.CellText(5, 1));
    // The selection and the current cell stay with their channels.
    QCOMPARE(view->GetSelectedCount(), 3);
    for (CServiceData* s : selected)
        QVERIFY(list->selectionModel()->isRowSelected(view->FindRowOfService(s), {}));
    QCOMPARE(list->currentIndex(), model.index(view->FindRowOfService(current), 3));
    QCOMPARE(view->FindRowOfService(current), 600 - 12);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
