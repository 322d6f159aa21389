// The document window through the real main window: what the list shows for
// each tree node, the editing commands of the list with their undo steps,
// moving by typed position and by dragging, and the display modes.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "ChildFrame.h"
#include "DesktopAlert.h"
#include "DockPane.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/Document.h"
#include "views/ChannelIconView.h"
#include "views/ChannelListModel.h"
#include "views/LeftView.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

using namespace ndbtest;

namespace {
constexpr int kTv = 12;
constexpr int kRadio = 3;

// The small database with twelve television channels "TV 01" to "TV 12" on
// transponders 1 and 3, every third one in favourite group 2, and three radio
// channels.
Bytes TwelveChannelDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(kTv), radio(kRadio);
    for (int i = 0; i < kTv; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "TV %02d", i + 1);
        tv[size_t(i)]
            .Transponder(i < 8 ? 1 : 3)
            .ServiceId(uint16_t(100 + i))
            .VideoPid(uint16_t(200 + i))
            .FavGroup(i % 3 == 0 ? 2 : 0)
            .Name(name)
            .Provider("Prov");
    }
    for (int i = 0; i < kRadio; ++i) {
        char name[12];
        std::snprintf(name, sizeof name, "Radio %d", i + 1);
        radio[size_t(i)].Transponder(2).ServiceId(uint16_t(900 + i)).Flags(0x08).Name(name);
    }
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tv, radio);
    return db.Build();
}

QStringList ColumnTexts(const CChannelListModel& model, int column)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r)
        texts << model.CellText(r, column);
    return texts;
}

// Names of the channels in array order, television first.
QStringList ArrayNames(const CVandrelEdit2028Doc& doc, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(doc.m_services.GetAt(i)->GetNameText());
    return names;
}

QStringList Names(std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QStringLiteral("TV %1").arg(n, 2, 10, QLatin1Char('0'));
    return names;
}

QAction* FindAction(QMenu* menu, const QString& objectName)
{
    return menu->findChild<QAction*>(objectName);
}
} // namespace

class TestDocumentWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithTreeAndAllTelevisionChannels();
    void treeNodesChooseTheRows();
    void radioModeAndEmptyList();
    void deleteWithUndoAndRedo();
    void deleteInFavouriteGroupKeepsChannel();
    void lockAndSkipFromContextMenu();
    void contextMenuEntriesAndCheckedGroup();
    void favouriteToggleWithOneAndTwoRows();
    void selectionCommands();
    void moveToPositionThroughDialog();
    void moveToPositionRefusesOutOfRange();
    void dragRowsInsideTheList();
    void dropOnSelectedRowMovesNothing();
    void dragRowsOntoFavouriteGroup();
    void sortingChangesOnlyTheDisplay();
    void automaticNumberingOffLeavesGaps();
    void listDisplayModeShowsNumbers();
    void undoneStepsReturnToUnmodified();

private:
    CChildFrame* Frame() const { return m_f->Frame().ActiveChildFrame(); }
    CVandrelEdit2028View* List() const { return Frame()->ListView(); }
    CChannelListModel& Model() const { return List()->Model(); }
    CDocument* Doc() const { return Frame()->GetDocument(); }
    void SelectRows(std::initializer_list<int> rows);
    QPoint RowCenter(int row) const;
    void Drag(QWidget* from, QPoint start, QWidget* to, QPoint end);

    std::unique_ptr<CGuiFixture> m_f;
};

void TestDocumentWindow::init()
{
    m_f = std::make_unique<CGuiFixture>();
    const QString path = m_f->WriteFile(QStringLiteral("twelve.ndb"), TwelveChannelDatabase());
    QVERIFY(m_f->Start({path}));
    m_f->Frame().setWindowState(Qt::WindowNoState); // a fixed size, not the first start's full screen
    m_f->Frame().resize(1200, 800);
    m_f->Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_f->Frame()));
    QVERIFY(Frame() != nullptr);
}

void TestDocumentWindow::cleanup()
{
    if (m_f && Frame() && Doc())
        Doc()->SetModifiedFlag(false); // no save question at the end
    m_f.reset();
}

void TestDocumentWindow::SelectRows(std::initializer_list<int> rows)
{
    QItemSelectionModel* selection = List()->ListCtrl()->selectionModel();
    selection->clearSelection();
    for (int r : rows)
        selection->select(Model().index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QPoint TestDocumentWindow::RowCenter(int row) const
{
    CSortListCtrl* list = List()->ListCtrl();
    return list->visualRect(Model().index(row, 1)).center();
}

void TestDocumentWindow::Drag(QWidget* from, QPoint start, QWidget* to, QPoint end)
{
    QTest::mousePress(from, Qt::LeftButton, Qt::NoModifier, start);
    const QPoint target = from->mapFromGlobal(to->mapToGlobal(end));
    // Several steps, as a real mouse sends them.
    for (int i = 1; i <= 4; ++i) {
        const QPoint p = start + (target - start) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, from->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(from, &move);
    }
    QTest::mouseRelease(from, Qt::LeftButton, Qt::NoModifier, target);
    QCoreApplication::processEvents();
}

void TestDocumentWindow::opensWithTreeAndAllTelevisionChannels()
{
    QVERIFY(Frame()->Tree() != nullptr);
    QCOMPARE(Model().rowCount(), kTv);
    QCOMPARE(ColumnTexts(Model(), 0), Names({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    QCOMPARE(Model().CellText(11, 1), QStringLiteral("12"));
    QCOMPARE(Frame()->ChannelCountText(), QStringLiteral(" 12 Kanäle"));
    QCOMPARE(m_f->Frame().ChannelCountPane()->text(), QStringLiteral(" 12 Kanäle"));
    // "Nr" stands before "Kanalname" without a stored order.
    QHeaderView* header = List()->ListCtrl()->horizontalHeader();
    QCOMPARE(header->logicalIndex(0), 1);
    QCOMPARE(header->logicalIndex(1), 0);
    QVERIFY(m_f->Action(QStringLiteral("cmd_32771"))->isChecked());
}

void TestDocumentWindow::treeNodesChooseTheRows()
{
    CLeftView* tree = Frame()->Tree();
    // Transponder 3 belongs to satellite 2 (Hotbird): channels 9 to 12.
    QTreeWidgetItem* hotbird = nullptr;
    for (int i = 0; i < tree->SatellitesRoot()->childCount(); ++i)
        if (tree->SatellitesRoot()->child(i)->text(0).contains(QStringLiteral("Hotbird")))
            hotbird = tree->SatellitesRoot()->child(i);
    QVERIFY(hotbird != nullptr);
    tree->setCurrentItem(hotbird);
    QCOMPARE(List()->ListMode(), int(CVandrelEdit2028View::kModeSatellite));
    QCOMPARE(ColumnTexts(Model(), 0), Names({9, 10, 11, 12}));
    QCOMPARE(ColumnTexts(Model(), 1),
             (QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")}));

    // Group 2 holds channels 1, 4, 7, 10; with continuous numbering 1 to 4.
    tree->setCurrentItem(tree->GroupItem(1));
    QCOMPARE(List()->ListMode(), int(CVandrelEdit2028View::kModeFavourite));
    QCOMPARE(ColumnTexts(Model(), 0), Names({1, 4, 7, 10}));
    QCOMPARE(Model().CellText(3, 1), QStringLiteral("4"));

    tree->setCurrentItem(tree->FavouritesRoot());
    QCOMPARE(List()->ListMode(), int(CVandrelEdit2028View::kModeAll));
    QCOMPARE(Model().rowCount(), kTv);
}

void TestDocumentWindow::radioModeAndEmptyList()
{
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32772")));
    QCOMPARE(Model().rowCount(), kRadio);
    QCOMPARE(Model().CellText(0, 2), QStringLiteral("Radio"));
    QVERIFY(m_f->Action(QStringLiteral("cmd_32772"))->isChecked());
    // No radio channel on Hotbird's transponders: an empty list, "0 Kanäle".
    CLeftView* tree = Frame()->Tree();
    tree->setCurrentItem(tree->GroupItem(7));
    QCOMPARE(Model().rowCount(), 0);
    QCOMPARE(Frame()->ChannelCountText(), QStringLiteral(" 0 Kanäle"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32771")));
    QCOMPARE(Model().rowCount(), 0); // still group 8, now television: empty as well
    tree->setCurrentItem(tree->SatellitesRoot());
    QCOMPARE(Model().rowCount(), kTv);
}

void TestDocumentWindow::deleteWithUndoAndRedo()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    const QStringList before = ArrayNames(doc, kTv + kRadio);
    SelectRows({1, 2});
    List()->ListCtrl()->setFocus();
    QTest::keyClick(List()->ListCtrl(), Qt::Key_Delete);
    QCOMPARE(Model().rowCount(), kTv - 2);
    QCOMPARE(doc.m_services.GetSize(), 19999);
    QCOMPARE(int(doc.m_services.GetTvCount()), kTv - 2);
    QVERIFY(Doc()->IsModified());
    // The row that took the place of the last deleted one is selected.
    QCOMPARE(List()->SelectedServices().size(), size_t(1));
    QCOMPARE(QString::fromUtf8(List()->SelectedServices()[0]->GetNameText()), QStringLiteral("TV 04"));
    QCOMPARE(Frame()->ChannelCountText(), QStringLiteral(" 10 Kanäle"));

    Doc()->UndoStack()->undo();
    QCOMPARE(Model().rowCount(), kTv);
    QCOMPARE(ArrayNames(doc, kTv + kRadio), before);
    QCOMPARE(int(doc.m_services.GetTvCount()), kTv);
    QVERIFY(!Doc()->IsModified());

    Doc()->UndoStack()->redo();
    QCOMPARE(Model().rowCount(), kTv - 2);
    QCOMPARE(ColumnTexts(Model(), 0).mid(0, 2), Names({1, 4}));
    QVERIFY(Doc()->IsModified());
}

void TestDocumentWindow::deleteInFavouriteGroupKeepsChannel()
{
    CLeftView* tree = Frame()->Tree();
    tree->setCurrentItem(tree->GroupItem(1));
    QCOMPARE(Model().rowCount(), 4);
    SelectRows({3});
    QVERIFY(List()->OnCommand(32818));
    QCOMPARE(Model().rowCount(), 3);
    CVandrelEdit2028Doc& doc = Doc()->Core();
    QCOMPARE(int(doc.m_services.GetTvCount()), kTv); // still in the table
    QCOMPARE(int(doc.m_services.GetAt(9)->GetFavouriteGroup()), 0);
    // The last row was deleted: the new last row is selected.
    QCOMPARE(QString::fromUtf8(List()->SelectedServices().at(0)->GetNameText()), QStringLiteral("TV 07"));
    Doc()->UndoStack()->undo();
    QCOMPARE(int(doc.m_services.GetAt(9)->GetFavouriteGroup()), 2);
    QCOMPARE(Model().rowCount(), 4);
}

void TestDocumentWindow::lockAndSkipFromContextMenu()
{
    SelectRows({0, 4});
    std::unique_ptr<QMenu> menu(List()->CreateServiceMenu(nullptr));
    QAction* lock = FindAction(menu.get(), QStringLiteral("listCmd_32821"));
    QVERIFY(lock && lock->isEnabled());
    lock->trigger();
    CVandrelEdit2028Doc& doc = Doc()->Core();
    QVERIFY(doc.m_services.GetAt(0)->IsLocked());
    QVERIFY(doc.m_services.GetAt(4)->IsLocked());
    QVERIFY(!doc.m_services.GetAt(1)->IsLocked());
    QCOMPARE(Model().CellText(0, 16), QStringLiteral("X"));
    QCOMPARE(Model().CellText(1, 16), QString());

    List()->OnCommand(32853); // skip the row still selected (the last visited one)
    QVERIFY(doc.m_services.GetAt(4)->IsSkip());
    QVERIFY(!doc.m_services.GetAt(0)->IsSkip());
    QCOMPARE(Model().CellText(4, 17), QStringLiteral("X"));

    Doc()->UndoStack()->undo();
    QVERIFY(!doc.m_services.GetAt(4)->IsSkip());
    QVERIFY(doc.m_services.GetAt(4)->IsLocked());
    Doc()->UndoStack()->undo();
    QVERIFY(!doc.m_services.GetAt(0)->IsLocked());
    QCOMPARE(Model().CellText(0, 16), QString());
    QVERIFY(!Doc()->IsModified());
}

void TestDocumentWindow::contextMenuEntriesAndCheckedGroup()
{
    SelectRows({0}); // TV 01 is in group 2
    std::unique_ptr<QMenu> menu(List()->CreateServiceMenu(nullptr));
    QStringList top;
    QSet<QChar> letters;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            top << QStringLiteral("-");
            continue;
        }
        // Every entry has an access letter no other entry has.
        const int mark = a->text().indexOf(QLatin1Char('&'));
        QVERIFY2(mark >= 0 && !letters.contains(a->text()[mark + 1].toLower()), qPrintable(a->text()));
        letters.insert(a->text()[mark + 1].toLower());
        top << QString(a->text()).remove(QLatin1Char('&'));
    }
    QCOMPARE(top, (QStringList{QStringLiteral("Favoritenzuordnung :"), QStringLiteral("-"),
                               QStringLiteral("Löschen\tEntf"), QStringLiteral("-"),
                               QStringLiteral("Ausschneiden\tStrg+X"), QStringLiteral("Kopieren\tStrg+C"),
                               QStringLiteral("Einfügen\tStrg+V"), QStringLiteral("Neuer Fernsehkanal"),
                               QStringLiteral("-"), QStringLiteral("Auswählen"), QStringLiteral("Sperren"),
                               QStringLiteral("Überspringen"), QStringLiteral("-"),
                               QStringLiteral("Verschieben auf Pos..."), QStringLiteral("-"),
                               QStringLiteral("Ansicht sortieren nach"), QStringLiteral("Suchen"),
                               QStringLiteral("-"), QStringLiteral("Eigenschaften\tEnter")}));
    QAction* group2 = FindAction(menu.get(), QStringLiteral("listCmd_32803"));
    QVERIFY(group2 && group2->isChecked());
    QVERIFY(!FindAction(menu.get(), QStringLiteral("listCmd_32802"))->isChecked());
    QVERIFY(FindAction(menu.get(), QStringLiteral("listCmd_32844"))->isEnabled());
    // "Suchen" is the main frame's: it shows the search pane.
    QAction* search = FindAction(menu.get(), QStringLiteral("listCmd_32826"));
    QVERIFY(search && search->isEnabled());
    m_f->Frame().Pane(32775)->hide();
    search->trigger();
    QVERIFY(m_f->Frame().Pane(32775)->isVisible());
    // Group 4 carries the name "Dokus".
    QCOMPARE(FindAction(menu.get(), QStringLiteral("listCmd_32805"))->text(), QStringLiteral("&Dokus"));

    // With two rows nothing is checked; in a favourite list the delete entry changes.
    SelectRows({0, 1});
    menu.reset(List()->CreateServiceMenu(nullptr));
    QVERIFY(!FindAction(menu.get(), QStringLiteral("listCmd_32803"))->isChecked());
    Frame()->Tree()->setCurrentItem(Frame()->Tree()->GroupItem(1));
    menu.reset(List()->CreateServiceMenu(nullptr));
    QCOMPARE(FindAction(menu.get(), QStringLiteral("listCmd_32818"))->text().remove(QLatin1Char('&')),
             QStringLiteral("Favoritenzuordnung löschen\tEntf"));
}

void TestDocumentWindow::favouriteToggleWithOneAndTwoRows()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    // One channel already in group 2: choosing group 2 takes it out.
    SelectRows({0});
    List()->OnCommand(32803);
    QCOMPARE(int(doc.m_services.GetAt(0)->GetFavouriteGroup()), 0);
    // Two channels, one of them in group 2: both go into group 2.
    SelectRows({2, 3});
    List()->OnCommand(32803);
    QCOMPARE(int(doc.m_services.GetAt(2)->GetFavouriteGroup()), 2);
    QCOMPARE(int(doc.m_services.GetAt(3)->GetFavouriteGroup()), 2);
    // The selection is kept ("FavHoldSelection").
    QCOMPARE(List()->GetSelectedCount(), 2);
    List()->OnCommand(32801);
    QCOMPARE(int(doc.m_services.GetAt(3)->GetFavouriteGroup()), 0);
    Doc()->UndoStack()->undo();
    Doc()->UndoStack()->undo();
    Doc()->UndoStack()->undo();
    QCOMPARE(int(doc.m_services.GetAt(0)->GetFavouriteGroup()), 2);
    QCOMPARE(int(doc.m_services.GetAt(2)->GetFavouriteGroup()), 0);
    QVERIFY(!Doc()->IsModified());
}

void TestDocumentWindow::selectionCommands()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    SelectRows({5, 7});
    List()->OnCommand(32821);
    SelectRows({});
    List()->OnCommand(32820); // "alle gesperrten"
    QCOMPARE(List()->GetSelectedCount(), 2);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57642")));
    QCOMPARE(List()->GetSelectedCount(), kTv);
    List()->OnCommand(32856); // no HD channel
    QCOMPARE(List()->GetSelectedCount(), 0);
    QVERIFY(doc.m_services.GetAt(7)->IsLocked());
}

void TestDocumentWindow::moveToPositionThroughDialog()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    const QStringList before = ArrayNames(doc, kTv);
    SelectRows({4, 5});
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Verschieben auf Pos..."));
        auto* edit = dialog->findChild<QLineEdit*>();
        QVERIFY(edit != nullptr);
        edit->setText(QStringLiteral("1"));
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        seen = true;
    });
    List()->OnCommand(32823);
    QVERIFY(seen);
    QCOMPARE(ArrayNames(doc, kTv), Names({5, 6, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12}));
    // The rows stay where they are; only their numbers change.
    QCOMPARE(Model().CellText(4, 0), QStringLiteral("TV 05"));
    QCOMPARE(Model().CellText(4, 1), QStringLiteral("1"));
    QCOMPARE(Model().CellText(0, 1), QStringLiteral("3"));
    Doc()->UndoStack()->undo();
    QCOMPARE(ArrayNames(doc, kTv), before);
    QVERIFY(!Doc()->IsModified());
}

void TestDocumentWindow::moveToPositionRefusesOutOfRange()
{
    SelectRows({0});
    QTimer::singleShot(0, this, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        auto* edit = dialog->findChild<QLineEdit*>();
        edit->setText(QStringLiteral("13"));
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        // Still open after the refusal; cancel it.
        QVERIFY(dialog->isVisible());
        dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    List()->OnCommand(32823);
    const auto warnings = m_f->Prompts().records;
    QVERIFY(!warnings.isEmpty());
    QCOMPARE(warnings.back().text, QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 12 ein."));
    QVERIFY(!Doc()->IsModified());
    QCOMPARE(Doc()->UndoStack()->count(), 0);
}

void TestDocumentWindow::dragRowsInsideTheList()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    const QStringList before = ArrayNames(doc, kTv);
    SelectRows({2, 3});
    QWidget* viewport = List()->ListCtrl()->viewport();
    Drag(viewport, RowCenter(2), viewport, RowCenter(7));
    QCOMPARE(ColumnTexts(Model(), 0), Names({1, 2, 5, 6, 7, 8, 3, 4, 9, 10, 11, 12}));
    QCOMPARE(ArrayNames(doc, kTv), Names({1, 2, 5, 6, 7, 8, 3, 4, 9, 10, 11, 12}));
    QCOMPARE(Model().CellText(6, 1), QStringLiteral("7")); // automatic numbering
    Doc()->UndoStack()->undo();
    QCOMPARE(ArrayNames(doc, kTv), before);
    QCOMPARE(ColumnTexts(Model(), 0), before);

    SelectRows({2, 3});
    Drag(viewport, RowCenter(2), viewport, RowCenter(0));
    QCOMPARE(ArrayNames(doc, kTv), Names({3, 4, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12}));
}

void TestDocumentWindow::dropOnSelectedRowMovesNothing()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    const QStringList before = ArrayNames(doc, kTv);
    SelectRows({2, 3, 4});
    QWidget* viewport = List()->ListCtrl()->viewport();
    Drag(viewport, RowCenter(2), viewport, RowCenter(4));
    QCOMPARE(ArrayNames(doc, kTv), before);
    QVERIFY(!Doc()->IsModified());
    // The notification popup shows the drop refusal.
    bool alert = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<CDesktopAlert*>(w))
            alert = alert || popup->BodyText().endsWith(QStringLiteral("\n\nToDo: Error Drag&Drop - selected"));
    QVERIFY(alert);
}

void TestDocumentWindow::dragRowsOntoFavouriteGroup()
{
    CLeftView* tree = Frame()->Tree();
    SelectRows({1, 2});
    QWidget* viewport = List()->ListCtrl()->viewport();
    QTreeWidgetItem* group5 = tree->GroupItem(4);
    tree->scrollToItem(group5);
    const QPoint onGroup = tree->visualItemRect(group5).center();
    Drag(viewport, RowCenter(1), tree->viewport(), onGroup);
    CVandrelEdit2028Doc& doc = Doc()->Core();
    QCOMPARE(int(doc.m_services.GetAt(1)->GetFavouriteGroup()), 5);
    QCOMPARE(int(doc.m_services.GetAt(2)->GetFavouriteGroup()), 5);
    QCOMPARE(ArrayNames(doc, 3), Names({1, 2, 3})); // nothing moved
    Doc()->UndoStack()->undo();
    QCOMPARE(int(doc.m_services.GetAt(1)->GetFavouriteGroup()), 0);
}

void TestDocumentWindow::sortingChangesOnlyTheDisplay()
{
    CVandrelEdit2028Doc& doc = Doc()->Core();
    const QStringList before = ArrayNames(doc, kTv);
    CSortListCtrl* list = List()->ListCtrl();
    const QHeaderView* header = list->horizontalHeader();
    // "Kanalname" twice: descending.
    const QPoint nameHeader(header->sectionViewportPosition(0) + 10, header->height() / 2);
    QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, nameHeader);
    QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, nameHeader);
    QCOMPARE(Model().CellText(0, 0), QStringLiteral("TV 12"));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(ArrayNames(doc, kTv), before);
    QVERIFY(!Doc()->IsModified());
    // "Originalposition" sorts by the number again.
    List()->OnCommand(32825);
    QCOMPARE(Model().CellText(0, 0), QStringLiteral("TV 01"));
}

void TestDocumentWindow::automaticNumberingOffLeavesGaps()
{
    QVERIFY(m_f->Action(QStringLiteral("cmd_32773"))->isChecked());
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32773")));
    QVERIFY(!m_f->Action(QStringLiteral("cmd_32773"))->isChecked());
    SelectRows({0});
    List()->OnCommand(32818);
    QCOMPARE(Model().CellText(0, 1), QStringLiteral("2"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32850"))); // "Kanalposition aktualisieren"
    QCOMPARE(Model().CellText(0, 1), QStringLiteral("1"));
    QCOMPARE(Model().CellText(10, 1), QStringLiteral("11"));
}

void TestDocumentWindow::listDisplayModeShowsNumbers()
{
    SelectRows({3});
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_59410")));
    QVERIFY(Frame()->IsListMode());
    QVERIFY(List()->IconView()->isVisible());
    QCOMPARE(Model().CellText(3, 0), QStringLiteral("   4 TV 04"));
    QCOMPARE(List()->GetSelectedCount(), 1); // the selection survives the switch
    QVERIFY(m_f->Frame().WidthSlider() != nullptr);
    QVERIFY(m_f->Action(QStringLiteral("cmd_59410"))->isChecked());
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32778"))); // back to details
    QVERIFY(!Frame()->IsListMode());
    QVERIFY(List()->ListCtrl()->isVisible());
    QCOMPARE(Model().CellText(3, 0), QStringLiteral("TV 04"));
}

void TestDocumentWindow::undoneStepsReturnToUnmodified()
{
    SelectRows({0});
    List()->OnCommand(32821);
    SelectRows({1});
    List()->OnCommand(32818);
    QCOMPARE(Doc()->UndoStack()->count(), 2);
    QVERIFY(Doc()->IsModified());
    Doc()->UndoStack()->undo();
    QVERIFY(Doc()->IsModified());
    Doc()->UndoStack()->undo();
    QVERIFY(!Doc()->IsModified());
    QVERIFY(!Frame()->windowTitle().endsWith(QLatin1Char('*')));
    Doc()->UndoStack()->redo();
    QVERIFY(Doc()->IsModified());
}

QTEST_MAIN(TestDocumentWindow)
#include "tst_documentwindow.moc"
