// "Rückgängig" and "Wiederholen" through the real main window: the steps of
// CDocument::RunChange, the modified mark, the command states of the active
// document, the texts of the steps, the keys and the command bar.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include "ChildFrame.h"
#include "CommandBar.h"
#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "DocumentWindows.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "document/ChannelEdits.h"
#include "views/ChannelListModel.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

#include <array>

namespace {
const QString kUndo = QStringLiteral("cmd_57643");
const QString kRedo = QStringLiteral("cmd_57644");
const QString kSave = QStringLiteral("cmd_57603");

using Image = std::array<uint8_t, 144>;
} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void nothingToUndoWithoutAChange();
    void undoAndRedoOneChange();
    void saveThenUndoMarksTheDocumentModified();
    void changeThatChangesNothingLeavesNoStep();
    void statesFollowTheStackWithoutACommand();
    void statesFollowTheActiveDocument();
    void closingTheDocumentDisablesBoth();
    void keys();
    void keyPressUndoesAndRedoes();
    void commandBarShowsBoth();
    void changedRowsAreSelectedAndInView();

private:
    CDocument* Open(const QString& name);
    bool Lock(CDocument* doc, int index, bool locked = true);
    static int FirstUnlocked(CDocument* doc);
    bool Enabled(const QString& name) { return m_f->Action(name)->isEnabled(); }
    std::unique_ptr<CGuiFixture> m_f;
};

void TestUndo::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestUndo::cleanup()
{
    m_f.reset();
}

CDocument* TestUndo::Open(const QString& name)
{
    return m_f->App().OpenDocumentFile(m_f->WriteFile(name, GoodDatabase()));
}

bool TestUndo::Lock(CDocument* doc, int index, bool locked)
{
    CServiceData* record = doc->Core().m_services.GetAt(index);
    return doc->RunChange(QStringLiteral("Sperren"), [record, locked] { SetLockFlag({record}, locked); });
}

int TestUndo::FirstUnlocked(CDocument* doc)
{
    const CServiceDataArray& services = doc->Core().m_services;
    for (int i = 0; i < services.GetSize(); ++i)
        if (services.GetAt(i)->GetNumber() != 0 && !services.GetAt(i)->IsLocked())
            return i;
    return -1;
}

void TestUndo::nothingToUndoWithoutAChange()
{
    QVERIFY(!Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    QVERIFY(!Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QVERIFY(!m_f->Trigger(kUndo));
    QCOMPARE(m_f->Action(kUndo)->statusTip(), QStringLiteral("Macht die letzte Änderung rückgängig."));
}

void TestUndo::undoAndRedoOneChange()
{
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    CServiceData* record = doc->Core().m_services.GetAt(1);
    QVERIFY(!record->IsLocked());
    const Image before = record->m_record;

    QVERIFY(Lock(doc, 1));
    QVERIFY(record->IsLocked());
    const Image after = record->m_record;
    QVERIFY(after != before);
    QVERIFY(doc->IsModified());
    QVERIFY(m_f->Frame().isWindowModified());
    QVERIFY(m_f->Frame().Windows().MdiArea()->activeSubWindow()->isWindowModified());
    QVERIFY(Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QCOMPARE(m_f->Action(kUndo)->statusTip(), QStringLiteral("Rückgängig: Sperren"));
    QVERIFY(m_f->Action(kUndo)->toolTip().contains(QStringLiteral("Rückgängig: Sperren")));

    QVERIFY(m_f->Trigger(kUndo));
    QVERIFY(record->m_record == before);
    QCOMPARE(doc->Core().m_services.GetAt(1), record);
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_f->Frame().isWindowModified());
    QVERIFY(!m_f->Frame().Windows().MdiArea()->activeSubWindow()->isWindowModified());
    QVERIFY(!Enabled(kUndo));
    QVERIFY(Enabled(kRedo));
    QCOMPARE(m_f->Action(kRedo)->statusTip(), QStringLiteral("Wiederholen: Sperren"));
    QCOMPARE(m_f->Action(kUndo)->statusTip(), QStringLiteral("Macht die letzte Änderung rückgängig."));
    QVERIFY(!m_f->Action(kUndo)->toolTip().contains(QStringLiteral("Sperren")));

    QVERIFY(m_f->Trigger(kRedo));
    QVERIFY(record->m_record == after);
    QVERIFY(doc->IsModified());
    QVERIFY(m_f->Frame().isWindowModified());
    QVERIFY(Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QCOMPARE(m_f->Action(kRedo)->statusTip(),
             QStringLiteral("Stellt die zuletzt rückgängig gemachte Änderung wieder her."));
}

void TestUndo::saveThenUndoMarksTheDocumentModified()
{
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    CServiceData* record = doc->Core().m_services.GetAt(0);
    const Image before = record->m_record;
    QVERIFY(Lock(doc, 0));
    QVERIFY(m_f->Trigger(kSave));
    QVERIFY(m_f->Prompts().records.isEmpty());
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_f->Frame().isWindowModified());
    // The step stays after saving.
    QVERIFY(Enabled(kUndo));

    QVERIFY(m_f->Trigger(kUndo));
    QVERIFY(record->m_record == before);
    QVERIFY(doc->IsModified());
    QVERIFY(m_f->Frame().isWindowModified());
    QVERIFY(m_f->Trigger(kRedo));
    QVERIFY(record->IsLocked());
    QVERIFY2(!doc->IsModified(), "back at the saved state");
    QVERIFY(!m_f->Frame().isWindowModified());
}

void TestUndo::changeThatChangesNothingLeavesNoStep()
{
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    const int index = FirstUnlocked(doc);
    QVERIFY(index >= 0);
    QVERIFY(!Lock(doc, index, false)); // unlocking an unlocked channel
    QCOMPARE(doc->UndoStack()->count(), 0);
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_f->Frame().isWindowModified());
    QVERIFY(!Enabled(kUndo));

    // After a real step, a change of nothing adds none either.
    QVERIFY(Lock(doc, index));
    QVERIFY(!Lock(doc, index));
    QCOMPARE(doc->UndoStack()->count(), 1);
    QVERIFY(m_f->Trigger(kUndo));
    QVERIFY(!doc->IsModified());
    QVERIFY(!Enabled(kUndo));
}

void TestUndo::statesFollowTheStackWithoutACommand()
{
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    QVERIFY(Lock(doc, 0));
    QVERIFY(Lock(doc, 1));
    QVERIFY(Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    // Straight on the stack: the document stays modified, so only the
    // stack's own signals can bring the commands up to date.
    doc->UndoStack()->undo();
    QVERIFY(doc->IsModified());
    QVERIFY(Enabled(kUndo));
    QVERIFY(Enabled(kRedo));
    doc->UndoStack()->undo();
    QVERIFY(!Enabled(kUndo));
    QVERIFY(Enabled(kRedo));
    doc->UndoStack()->redo();
    doc->UndoStack()->redo();
    QVERIFY(Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QVERIFY(doc->Core().m_services.GetAt(0)->IsLocked());
    QVERIFY(doc->Core().m_services.GetAt(1)->IsLocked());
}

void TestUndo::statesFollowTheActiveDocument()
{
    CDocument* a = Open(QStringLiteral("a.ndb"));
    QVERIFY(a);
    QVERIFY(Lock(a, 0));
    CDocument* b = Open(QStringLiteral("b.ndb"));
    QVERIFY(b);
    QCOMPARE(m_f->Frame().ActiveDocument(), b);
    QVERIFY(!Enabled(kUndo));
    QCOMPARE(m_f->Action(kUndo)->statusTip(), QStringLiteral("Macht die letzte Änderung rückgängig."));

    // A step of the inactive document does not reach the commands.
    QVERIFY(Lock(a, 1));
    QVERIFY(!Enabled(kUndo));
    QVERIFY(!m_f->Trigger(kUndo));
    QVERIFY(a->Core().m_services.GetAt(1)->IsLocked());

    m_f->Frame().Windows().ActivateFrame(m_f->Frame().Windows().FramesOf(a).front());
    QCOMPARE(m_f->Frame().ActiveDocument(), a);
    QVERIFY(Enabled(kUndo));
    QVERIFY(m_f->Trigger(kUndo));
    QVERIFY(!a->Core().m_services.GetAt(1)->IsLocked());
    QVERIFY(a->Core().m_services.GetAt(0)->IsLocked());
    QVERIFY(!b->IsModified());

    // Undone in a, the redo belongs to a only.
    m_f->Frame().Windows().ActivateFrame(m_f->Frame().Windows().FramesOf(b).front());
    QVERIFY(!Enabled(kRedo));
    QVERIFY(Lock(b, 3));
    QVERIFY(Enabled(kUndo));
    m_f->Frame().Windows().ActivateFrame(m_f->Frame().Windows().FramesOf(a).front());
    QVERIFY(Enabled(kRedo));
}

void TestUndo::closingTheDocumentDisablesBoth()
{
    CDocument* b = Open(QStringLiteral("b.ndb"));
    QVERIFY(b);
    CDocument* a = Open(QStringLiteral("a.ndb"));
    QVERIFY(a);
    QVERIFY(Lock(a, 0));
    QVERIFY(Enabled(kUndo));
    m_f->Prompts().answers << QMessageBox::No; // do not save
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    QTRY_COMPARE(m_f->App().Documents().size(), size_t(1));
    QCOMPARE(m_f->Frame().ActiveDocument(), b);
    QVERIFY(!Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QCOMPARE(m_f->Action(kUndo)->statusTip(), QStringLiteral("Macht die letzte Änderung rückgängig."));

    // The last document goes: nothing to undo, and a step of nobody's.
    QVERIFY(Lock(b, 0));
    QVERIFY(Enabled(kUndo));
    m_f->Prompts().answers << QMessageBox::No;
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    QTRY_VERIFY(m_f->App().Documents().empty());
    QVERIFY(!Enabled(kUndo));
    QVERIFY(!Enabled(kRedo));
    QCOMPARE(m_f->Prompts().unscripted, 0);
}

void TestUndo::keys()
{
    QAction* undo = m_f->Action(kUndo);
    QAction* redo = m_f->Action(kRedo);
    QCOMPARE(undo->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(redo->shortcuts().value(0), QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
        QVERIFY2(redo->shortcuts().contains(k), qPrintable(k.toString()));
    QCOMPARE(redo->shortcuts().count(QKeySequence(Qt::CTRL | Qt::Key_Y)), 1);
    QCOMPARE(undo->property("keyTip").toString(), QStringLiteral("Z"));
    QCOMPARE(redo->property("keyTip").toString(), QStringLiteral("Y"));
}

void TestUndo::keyPressUndoesAndRedoes()
{
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    CMainFrame& frame = m_f->Frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QVERIFY(Lock(doc, 0));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &frame;
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!doc->Core().m_services.GetAt(0)->IsLocked());
    QVERIFY(!doc->IsModified());
    QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(doc->Core().m_services.GetAt(0)->IsLocked());
    QVERIFY(doc->IsModified());
}

void TestUndo::commandBarShowsBoth()
{
    CCommandBar* bar = m_f->Frame().CommandBar();
    QVERIFY(bar);
    const QList<QAction*> quick = bar->QuickAccessBar()->actions();
    QVERIFY(quick.contains(m_f->Action(kUndo)));
    QVERIFY(quick.contains(m_f->Action(kRedo)));
    QGroupBox* clip = bar->findChild<QGroupBox*>(QStringLiteral("panel_Zwischenablage"));
    QVERIFY(clip);
    for (const QString& name : {kUndo, kRedo}) {
        auto* button = clip->findChild<QToolButton*>(QStringLiteral("button_") + name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->defaultAction(), m_f->Action(name));
        QVERIFY(button->isVisible());
        QVERIFY(!button->isEnabled());
        QVERIFY(!button->icon().isNull());
    }

    // The buttons follow the step of the active document.
    CDocument* doc = Open(QStringLiteral("a.ndb"));
    QVERIFY(doc);
    QVERIFY(Lock(doc, 0));
    auto* undoButton = clip->findChild<QToolButton*>(QStringLiteral("button_") + kUndo);
    QVERIFY(undoButton->isEnabled());
    QTest::mouseClick(undoButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!doc->Core().m_services.GetAt(0)->IsLocked());
    QVERIFY(!undoButton->isEnabled());
    QVERIFY(clip->findChild<QToolButton*>(QStringLiteral("button_") + kRedo)->isEnabled());
}

void TestUndo::changedRowsAreSelectedAndInView()
{
    CDocument* doc = m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("long.ndb"), LongListDatabase(80)));
    QVERIFY(doc);
    m_f->Frame().setWindowState(Qt::WindowNoState); // a fixed size, not the first start's full screen
    m_f->Frame().resize(1200, 700);
    m_f->Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_f->Frame()));
    CVandrelEdit2028View* view = m_f->Frame().ActiveChildFrame()->ListView();
    CSortListCtrl* list = view->ListCtrl();
    CChannelListModel& model = view->Model();
    const auto select = [&](int first, int last) {
        list->selectionModel()->select(QItemSelection(model.index(first, 0), model.index(last, 18)),
                                       QItemSelectionModel::ClearAndSelect);
    };
    const auto inView = [&](const std::vector<CServiceData*>& services) {
        const int row = view->FindRowOfService(services.front());
        return row >= 0 && list->viewport()->rect().intersects(list->visualRect(model.index(row, 1)));
    };
    const auto elsewhere = [&] {
        list->scrollToTop();
        select(1, 1);
    };

    // A delete taken back: the restored channels are the selection, in view.
    select(60, 62);
    const std::vector<CServiceData*> deleted = view->SelectedServices();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(model.rowCount(), 77);
    elsewhere();
    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(model.rowCount(), 80);
    QCOMPARE(view->SelectedServices(), deleted);
    QVERIFY(inView(deleted));
    QVERIFY(m_f->Trigger(kRedo));
    QCOMPARE(model.rowCount(), 77);

    // A move taken back and done again: the moved channels, wherever they
    // are, also when they passed as many channels as they are.
    QVERIFY(m_f->Trigger(kUndo));
    for (int position : {1, 74}) {
        select(70, 71);
        const std::vector<CServiceData*> moved = view->SelectedServices();
        view->MoveSelectedToPosition(position);
        // Where a refill in channel order shows them.
        const int movedRow = position == 1 ? 0 : 72;
        QCOMPARE(doc->Core().m_services.GetAt(movedRow), moved[0]);
        QCOMPARE(doc->Core().m_services.GetAt(movedRow + 1), moved[1]);
        elsewhere();
        QVERIFY(m_f->Trigger(kUndo));
        QCOMPARE(view->SelectedServices(), moved);
        QCOMPARE(view->FindRowOfService(moved[0]), 70);
        QVERIFY(inView(moved));
        list->scrollToBottom();
        select(3, 3);
        QVERIFY(m_f->Trigger(kRedo));
        QCOMPARE(view->SelectedServices(), moved);
        QCOMPARE(view->FindRowOfService(moved[0]), movedRow);
        QVERIFY(inView(moved));
        QVERIFY(m_f->Trigger(kUndo));
    }

    // An edit of one channel taken back: that channel.
    CServiceData* locked = doc->Core().m_services.GetAt(40);
    QVERIFY(Lock(doc, 40));
    elsewhere();
    QVERIFY(m_f->Trigger(kUndo));
    QCOMPARE(view->SelectedServices(), std::vector<CServiceData*>{locked});
    QVERIFY(inView({locked}));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
