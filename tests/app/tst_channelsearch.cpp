// The search pane through the real main window: it follows the active
// document and its television or radio mode, a click selects the channel,
// and it lets go of a document that closes.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "ChildFrame.h"
#include "DocumentWindows.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ChannelSucheDlg.h"
#include "document/PaneRows.h"
#include "model/ServiceData.h"
#include "panes/PropertiesWnd.h"
#include "panes/PropertyGrid.h"
#include "uibase/Document.h"
#include "views/VandrelEdit2028View.h"

namespace {
QStringList HitNames(const CChannelSucheDlg& pane)
{
    QStringList names;
    for (int i = 0; i < pane.ResultList()->topLevelItemCount(); ++i)
        names << pane.ResultList()->topLevelItem(i)->text(1);
    return names;
}
} // namespace

class TestChannelSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void followsDocumentAndKind();
    void clickSelectsTheChannel();
    void hitsByKeyboard();
    void searchesAgainAfterDeleteAndUndo();
    void searchesAgainAfterCutAndPaste();
    void closingTheDocumentResetsThePane();

private:
    CChannelSucheDlg& Pane() { return *m_f->Frame().ChannelSearch(); }
    std::unique_ptr<CGuiFixture> m_f;
};

void TestChannelSearch::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32775")));
}

void TestChannelSearch::cleanup()
{
    if (m_f && m_f->Frame().ActiveDocument())
        m_f->Frame().ActiveDocument()->SetModifiedFlag(false);
    m_f.reset();
}

void TestChannelSearch::followsDocumentAndKind()
{
    QCOMPARE(Pane().HitCountText(), QStringLiteral("0 Kanäle"));
    Pane().SearchField()->setText(QStringLiteral("e"));
    QCOMPARE(Pane().ResultList()->topLevelItemCount(), 0); // one character finds nothing
    Pane().SearchField()->setText(QStringLiteral("er"));
    QCOMPARE(HitNames(Pane()), QStringList{QStringLiteral("Das Erste HD")});
    QCOMPARE(Pane().HitCountText(), QStringLiteral("1 Kanäle"));
    // The radio channels with "er" appear only after switching to radio.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32772")));
    QCOMPARE(HitNames(Pane()), (QStringList{QStringLiteral("Bayern 3"), QStringLiteral("Antenne Bayern"),
                                            QStringLiteral("Radio Svizzera")}));
    QCOMPARE(Pane().ResultList()->topLevelItem(1)->text(4), QStringLiteral("€"));
}

void TestChannelSearch::clickSelectsTheChannel()
{
    Pane().SearchField()->setText(QStringLiteral("ai"));
    QCOMPARE(HitNames(Pane()), QStringList{QStringLiteral("Rai 1")});
    QTreeWidget* results = Pane().ResultList();
    QTreeWidgetItem* hit = results->topLevelItem(0);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier, results->visualItemRect(hit).center());
    CVandrelEdit2028View* list = m_f->Frame().ActiveChildFrame()->ListView();
    const auto selected = list->SelectedServices();
    QCOMPARE(selected.size(), size_t(1));
    QCOMPARE(QString::fromUtf8(selected[0]->GetNameText()), QStringLiteral("Rai 1"));
    QCOMPARE(m_f->Frame().ActiveDocument()->Core().m_pCurrentService, selected[0]);
}

void TestChannelSearch::hitsByKeyboard()
{
    CMainFrame& frame = m_f->Frame();
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    CVandrelEdit2028View* list = frame.ActiveChildFrame()->ListView();
    list->ActiveItemView()->setFocus();
    QTRY_VERIFY(list->ActiveItemView()->hasFocus());
    // Strg+F puts the cursor into the search field.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pane().SearchField()));
    QTest::keyClicks(Pane().SearchField(), QStringLiteral("hd"));
    QCOMPARE(HitNames(Pane()), (QStringList{QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD")}));
    // Down goes into the hits, Down again to the next, Enter chooses it.
    QTest::keyClick(Pane().SearchField(), Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pane().ResultList()));
    QCOMPARE(Pane().ResultList()->currentItem(), Pane().ResultList()->topLevelItem(0));
    QTest::keyClick(Pane().ResultList(), Qt::Key_Down);
    QTest::keyClick(Pane().ResultList(), Qt::Key_Return);
    const auto selected = list->SelectedServices();
    QCOMPARE(selected.size(), size_t(1));
    QCOMPARE(QString::fromUtf8(selected[0]->GetNameText()), QStringLiteral("ZDF HD"));
    QCOMPARE(frame.ActiveDocument()->Core().m_pCurrentService, selected[0]);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list->ActiveItemView()));
}

void TestChannelSearch::searchesAgainAfterDeleteAndUndo()
{
    Pane().SearchField()->setText(QStringLiteral("hd"));
    QCOMPARE(Pane().ResultList()->topLevelItemCount(), 2);
    CVandrelEdit2028View* list = m_f->Frame().ActiveChildFrame()->ListView();
    list->SelectServices({m_f->Frame().ActiveDocument()->Core().m_services.GetAt(0)});
    QVERIFY(list->OnCommand(32818));
    QCOMPARE(HitNames(Pane()), QStringList{QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57643")));
    QCOMPARE(Pane().ResultList()->topLevelItemCount(), 2);

    // A rename in the channel pane, and its undo.
    list->SelectServices({m_f->Frame().ActiveDocument()->Core().m_services.GetAt(0)});
    list->ShowServiceInPanes(false);
    CPropertyGrid* grid = m_f->Frame().ChannelPane()->Grid();
    grid->CommitValue(grid->Row(panerow::kName), QStringLiteral("Das Erste"));
    QCOMPARE(HitNames(Pane()), QStringList{QStringLiteral("ZDF HD")});
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57643")));
    QCOMPARE(HitNames(Pane()), (QStringList{QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD")}));
}

void TestChannelSearch::searchesAgainAfterCutAndPaste()
{
    Pane().SearchField()->setText(QStringLiteral("hd"));
    QCOMPARE(HitNames(Pane()), (QStringList{QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD")}));
    CVandrelEdit2028View* list = m_f->Frame().ActiveChildFrame()->ListView();
    list->SelectServices({m_f->Frame().ActiveDocument()->Core().m_services.GetAt(1)});
    QVERIFY(list->OnCommand(57635)); // cut ZDF HD
    QCOMPARE(HitNames(Pane()), QStringList{QStringLiteral("Das Erste HD")});
    list->SelectServices({m_f->Frame().ActiveDocument()->Core().m_services.GetAt(0)});
    QVERIFY(list->OnCommand(57637)); // paste it before Das Erste HD
    QCOMPARE(HitNames(Pane()), (QStringList{QStringLiteral("ZDF HD"), QStringLiteral("Das Erste HD")}));
}

void TestChannelSearch::closingTheDocumentResetsThePane()
{
    Pane().SearchField()->setText(QStringLiteral("hd"));
    QVERIFY(Pane().ResultList()->topLevelItemCount() > 0);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57602")));
    QTRY_COMPARE(m_f->Frame().Windows().ChildFrames().size(), 0);
    QTRY_COMPARE(Pane().ResultList()->topLevelItemCount(), 0);
    QCOMPARE(Pane().SearchField()->text(), QString());
    QCOMPARE(Pane().HitCountText(), QStringLiteral("        0     Kanäle"));
    QVERIFY(Pane().BoundDocument() == nullptr);
}

QTEST_MAIN(TestChannelSearch)
#include "tst_channelsearch.moc"
