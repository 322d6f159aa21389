// The three property panes in the real main window: what selecting channels
// and tree nodes shows, that every editable row reaches the record, the
// channel list and the tree as one undoable step, the cleared state, and
// that the panes follow the active document window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>

#include "ChildFrame.h"
#include "DockPane.h"
#include "DocumentWindows.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "document/ChannelRows.h"
#include "document/PaneRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "panes/ComboBoxExProp.h"
#include "panes/PaneCoordinator.h"
#include "panes/PropertiesWnd.h"
#include "panes/PropertyGrid.h"
#include "panes/SatelliteWnd.h"
#include "panes/TransponderWnd.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/InputRuleEdit.h"
#include "views/ChannelListModel.h"
#include "views/LeftView.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

using namespace ndbtest;

namespace {
// The small database and a satellite "Leer" without any transponder.
Bytes PaneDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.satellites.records[4].Number(5).Name("Leer").Flags(0x08).Position(10, false);
    return db.Build();
}

QString U(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

class TestPanes : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void panesSitInTheirDockPanes();
    void selectingAChannelShowsItInAllPanes();
    void panesFollowTheCurrentRow();
    void sameTransponderAndSatelliteAreNotShownAgain();
    void channelRowEditsAreUndoableSteps_data();
    void channelRowEditsAreUndoableSteps();
    void favouriteRowsAndTreeHighlight();
    void choosingSatelliteAndTransponder();
    void satelliteWithoutTransponderChangesNothing();
    void editThroughTheRealEditor();
    void typedValuesKeepToTheirFields();
    void keyboardEditsRowByRow();
    void derivedRowsAreReadOnly();
    void unchangedValueLeavesNoStep();
    void clearedStateWithoutChannel();
    void danglingTransponderShowsOwnFields();
    void treeNodesShowTransponderAndSatellite();
    void transponderRowEditsReachTreeAndList_data();
    void transponderRowEditsReachTreeAndList();
    void satellitePaneShowsOnly();
    void relabelSatelliteResorts();
    void panesFollowTheActiveWindow();
    void panesShowNothingOfAnotherOrADeletedChannel();

private:
    CMainFrame& Main() { return m_f->Frame(); }
    CChildFrame* Frame() { return Main().ActiveChildFrame(); }
    CVandrelEdit2028View* List() { return Frame()->ListView(); }
    CChannelListModel& Model() { return List()->Model(); }
    CDocument* Doc() { return Frame()->GetDocument(); }
    CVandrelEdit2028Doc& Core() { return Doc()->Core(); }
    CPropertiesWnd* Channel() { return Main().ChannelPane(); }
    CTransponderWnd* Transponder() { return Main().TransponderPane(); }
    CSatelliteWnd* Satellite() { return Main().SatellitePane(); }
    QString ChannelValue(int id) { return Channel()->Grid()->Row(id)->Value(); }
    QString TransponderValue(int id) { return Transponder()->Grid()->Row(id)->Value(); }
    QString SatelliteValue(int id) { return Satellite()->Grid()->Row(id)->Value(); }
    void ClickRow(int row);
    int RowOf(const char* name);
    // Makes the row current (its text column) and presses F2.
    QWidget* EditByKeyboard(int rowId);
    QTreeWidgetItem* SatelliteNode(const QString& name);
    QTreeWidgetItem* TransponderNode(const CTransponderData* transponder);
    QString OptionText(int satelliteIndex)
    {
        return U(Core().m_satellites.GetAt(satelliteIndex)->FormatOptionText());
    }

    std::unique_ptr<CGuiFixture> m_f;
};

void TestPanes::init()
{
    m_f = std::make_unique<CGuiFixture>();
    const QString path = m_f->WriteFile(QStringLiteral("small.ndb"), PaneDatabase());
    QVERIFY(m_f->Start({path}));
    Main().setWindowState(Qt::WindowNoState); // a fixed size, not the first start's full screen
    Main().resize(1200, 800);
    Main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Main()));
    QVERIFY(Frame() != nullptr);
}

void TestPanes::cleanup()
{
    for (CChildFrame* f : m_f ? Main().Windows().ChildFrames() : QList<CChildFrame*>())
        if (f->GetDocument())
            f->GetDocument()->SetModifiedFlag(false);
    m_f.reset();
}

void TestPanes::ClickRow(int row)
{
    CSortListCtrl* list = List()->ListCtrl();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(Model().index(row, 1)).center());
}

int TestPanes::RowOf(const char* name)
{
    for (int r = 0; r < Model().rowCount(); ++r)
        if (Model().CellText(r, kColName) == QString::fromUtf8(name))
            return r;
    return -1;
}

QTreeWidgetItem* TestPanes::SatelliteNode(const QString& name)
{
    QTreeWidgetItem* root = Frame()->Tree()->SatellitesRoot();
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0).contains(name))
            return root->child(i);
    return nullptr;
}

QTreeWidgetItem* TestPanes::TransponderNode(const CTransponderData* transponder)
{
    const QString label = U(transponder->FormatSummaryText());
    QTreeWidgetItem* root = Frame()->Tree()->SatellitesRoot();
    for (int i = 0; i < root->childCount(); ++i)
        for (int t = 0; t < root->child(i)->childCount(); ++t)
            if (root->child(i)->child(t)->text(0) == label)
                return root->child(i)->child(t);
    return nullptr;
}

void TestPanes::panesSitInTheirDockPanes()
{
    QCOMPARE(Main().Pane(150)->widget(), static_cast<QWidget*>(Channel()));
    QCOMPARE(Main().Pane(32846)->widget(), static_cast<QWidget*>(Transponder()));
    QCOMPARE(Main().Pane(32847)->widget(), static_cast<QWidget*>(Satellite()));
    QCOMPARE(Channel()->objectName(), QStringLiteral("channelPropertiesPane"));
    QCOMPARE(Transponder()->objectName(), QStringLiteral("transponderPropertiesPane"));
    QCOMPARE(Satellite()->objectName(), QStringLiteral("satellitePropertiesPane"));
    QVERIFY(Main().PaneCoordinator() != nullptr);
    // The grid layouts of the three panes.
    QCOMPARE(Channel()->Grid()->GroupCaption(0), QStringLiteral("Satellit / Transponder"));
    QCOMPARE(Channel()->Grid()->GroupCaption(1), QStringLiteral("Kanalinformationen"));
    QCOMPARE(Channel()->Grid()->GroupCaption(2), QStringLiteral("Favoriten"));
    QStringList channelRows;
    for (const CPropertyGridRow* row : Channel()->Grid()->RowsOfGroup(1))
        channelRows << QStringLiteral("%1:%2").arg(row->Id()).arg(row->Name());
    QCOMPARE(channelRows, (QStringList{QStringLiteral("11:Kanalname"), QStringLiteral("12:Service ID"),
                                       QStringLiteral("24:Video PId"), QStringLiteral("25:Audio PId"),
                                       QStringLiteral("26:PCR PId"), QStringLiteral("27:PMT PId"),
                                       QStringLiteral("21:Verschlüsselt"), QStringLiteral("22:Gesperrt"),
                                       QStringLiteral("23:Überspringen"), QStringLiteral("30:HD Option"),
                                       QStringLiteral("28:Provider")}));
    QCOMPARE(Channel()->Grid()->Row(12)->Mask(), QStringLiteral("ddddd"));
    QCOMPARE(Channel()->Grid()->Row(24)->Mask(), QStringLiteral("dddd"));
    QCOMPARE(Channel()->SatelliteRow()->OptionTexts(), QStringList{QStringLiteral(" ")});
    QCOMPARE(Transponder()->Grid()->GroupCaption(0), QStringLiteral("Satellit"));
    QCOMPARE(Transponder()->Grid()->GroupCaption(1), QStringLiteral("Transponder"));
    QCOMPARE(Transponder()->Grid()->Row(15)->Name(), QStringLiteral("Frequency"));
    QCOMPARE(Transponder()->Grid()->Row(16)->Name(), QStringLiteral("Polarity"));
    QCOMPARE(Transponder()->Grid()->Row(17)->Name(), QStringLiteral("Symbolrate"));
    QCOMPARE(Transponder()->Grid()->Row(18)->Name(), QStringLiteral("TpId"));
    QCOMPARE(Transponder()->Grid()->Row(24)->Name(), QStringLiteral("OrgNetId"));
    QCOMPARE(Satellite()->Grid()->Row(103)->Name(), QStringLiteral("Degree"));
    QCOMPARE(Satellite()->Grid()->Row(103)->Description(), QStringLiteral("0 ~ 180.0"));
    QCOMPARE(Satellite()->Grid()->Row(104)->Name(), QStringLiteral("Orientation"));
}

void TestPanes::selectingAChannelShowsItInAllPanes()
{
    ClickRow(RowOf("Das Erste HD"));
    CServiceData* service = Core().m_services.GetAt(0);
    QCOMPARE(Channel()->Service(), service);
    QCOMPARE(ChannelValue(11), QStringLiteral("Das Erste HD"));
    QCOMPARE(ChannelValue(12), QStringLiteral("10301"));
    QCOMPARE(ChannelValue(24), QStringLiteral("5101"));
    QCOMPARE(ChannelValue(25), QStringLiteral("5102"));
    QCOMPARE(ChannelValue(26), QStringLiteral("5101"));
    QCOMPARE(ChannelValue(27), QStringLiteral("5100"));
    QCOMPARE(ChannelValue(28), QStringLiteral("ARD"));
    QCOMPARE(ChannelValue(30), QStringLiteral("Ja"));
    QCOMPARE(ChannelValue(21), QStringLiteral("Nein"));
    QCOMPARE(ChannelValue(22), QStringLiteral("Nein"));
    QCOMPARE(ChannelValue(14), OptionText(0));
    QCOMPARE(ChannelValue(13), QStringLiteral("11494 H 22000 "));
    QCOMPARE(Channel()->TransponderRow()->OptionTexts(),
             (QStringList{QStringLiteral("11494 H 22000 "), QStringLiteral("12188 H 27500 ")}));
    // One yes/no row per group, named as the group, the channel's own one ticked.
    const QList<CPropertyGridRow*> groups = Channel()->Grid()->RowsOfGroup(Channel()->FavouritesGroup());
    QCOMPARE(groups.size(), 8);
    QCOMPARE(groups[3]->Name(), QStringLiteral("Dokus"));
    QCOMPARE(groups[3]->Id(), 84);
    QCOMPARE(groups[5]->Name(), QStringLiteral("Männer€"));
    QCOMPARE(groups[0]->Value(), QStringLiteral("Ja"));
    for (int i = 1; i < 8; ++i)
        QCOMPARE(groups[i]->Value(), QStringLiteral("Nein"));

    QCOMPARE(Transponder()->Transponder(), Core().m_transponders.GetAt(0));
    QCOMPARE(TransponderValue(15), QStringLiteral("11494"));
    QCOMPARE(TransponderValue(16), QStringLiteral("Horizontal"));
    QCOMPARE(TransponderValue(17), QStringLiteral("22000"));
    QCOMPARE(TransponderValue(18), QStringLiteral("1019"));
    QCOMPARE(TransponderValue(24), QStringLiteral("1"));
    QCOMPARE(TransponderValue(14), OptionText(0));

    QCOMPARE(Satellite()->Satellite(), Core().m_satellites.GetAt(0));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Astra 19.2E"));
    QCOMPARE(SatelliteValue(103), QStringLiteral("19.2"));
    QCOMPARE(SatelliteValue(104), QStringLiteral("°E"));

    // Another channel: Sky Cinema is locked and scrambled, in group 1.
    ClickRow(RowOf("Sky Cinema"));
    QCOMPARE(ChannelValue(11), QStringLiteral("Sky Cinema"));
    QCOMPARE(ChannelValue(21), QStringLiteral("Ja"));
    QCOMPARE(ChannelValue(22), QStringLiteral("Ja"));
    QCOMPARE(ChannelValue(30), QStringLiteral("Nein"));
    QCOMPARE(ChannelValue(13), QStringLiteral("12188 H 27500 "));
    QCOMPARE(TransponderValue(15), QStringLiteral("12188"));
}

void TestPanes::panesFollowTheCurrentRow()
{
    CSortListCtrl* list = List()->ListCtrl();
    const int rows = Model().rowCount();
    QVERIFY(rows > 3);
    ClickRow(0);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(0));
    list->setFocus();
    // The arrow, Page and Home/End keys move the panes with the row.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(1));
    QCOMPARE(ChannelValue(panerow::kName), Model().CellText(1, kColName));
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(rows - 1));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(rows - 2));
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(0));
    QTest::keyClick(list, Qt::Key_PageDown);
    const int paged = list->currentIndex().row();
    QVERIFY(paged > 0);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(paged));
    // Extending the selection shows the row the cursor is on.
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(List()->GetSelectedCount(), 3);
    QCOMPARE(Channel()->Service(), Model().ServiceAt(2));
    // "Alle gesperrten" selects other channels: the panes show one of them.
    QTest::keyClick(list, Qt::Key_Home);
    QVERIFY(Frame()->OnCommand(cmd::kSelectLocked));
    QVERIFY(List()->GetSelectedCount() > 0);
    QVERIFY(Channel()->Service() != Model().ServiceAt(0));
    const int shown = Model().FindRowOfService(Channel()->Service());
    QVERIFY(shown >= 0);
    QVERIFY(list->selectionModel()->isSelected(Model().index(shown, 0)));
    // Radio: the television channel is not shown beside the radio list.
    QVERIFY(Frame()->OnCommand(cmd::kRadio));
    QCOMPARE(Channel()->Service(), nullptr);
}

void TestPanes::sameTransponderAndSatelliteAreNotShownAgain()
{
    const int zdf = RowOf("ZDF HD");
    ClickRow(RowOf("Das Erste HD"));
    QCOMPARE(TransponderValue(15), QStringLiteral("11494"));
    // Behind the panes' back: the transponder's frequency, the second
    // channel's name and the satellite's orientation.
    Core().m_transponders.GetAt(0)->SetFrequency(11111);
    Core().m_services.GetAt(1)->SetNameText("Anders");
    CSatelliteData* astra = Core().m_satellites.GetAt(0);
    astra->SetFlags(static_cast<uint8_t>(astra->GetFlags() | 0x10));
    ClickRow(zdf);                                        // the same transponder and satellite
    QCOMPARE(ChannelValue(11), QStringLiteral("Anders")); // the channel pane always shows anew
    QCOMPARE(TransponderValue(15), QStringLiteral("11494"));
    QCOMPARE(SatelliteValue(104), QStringLiteral("°E"));
    ClickRow(RowOf("Rai 1")); // Hotbird
    QCOMPARE(TransponderValue(15), QStringLiteral("10992"));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Hotbird 13.0E"));
    ClickRow(RowOf("Das Erste HD"));
    QCOMPARE(TransponderValue(15), QStringLiteral("11111"));
    QCOMPARE(SatelliteValue(104), QStringLiteral("°W"));
}

void TestPanes::channelRowEditsAreUndoableSteps_data()
{
    QTest::addColumn<int>("rowId");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("column");    // the list column that shows it
    QTest::addColumn<QString>("shown"); // what the pane then shows
    QTest::addColumn<QString>("cell");
    QTest::newRow("Kanalname") << 11 << QStringLiteral("Neuer Kanalname lan") << int(kColName)
                               << QStringLiteral("Neuer Kanalname lan") << QStringLiteral("Neuer Kanalname lan");
    QTest::newRow("Service ID") << 12 << QStringLiteral("65535") << int(kColServiceId) << QStringLiteral("65535")
                                << QStringLiteral("65535");
    QTest::newRow("Video PId") << 24 << QStringLiteral("1234") << int(kColVideoPid) << QStringLiteral("1234")
                               << QStringLiteral(" 1234");
    QTest::newRow("Audio PId") << 25 << QStringLiteral("4321") << int(kColAudioPid) << QStringLiteral("4321")
                               << QStringLiteral(" 4321");
    QTest::newRow("PCR PId") << 26 << QStringLiteral("77") << int(kColPcrPid) << QStringLiteral("77")
                             << QStringLiteral("   77");
    QTest::newRow("PMT PId") << 27 << QStringLiteral("8") << int(kColPmtPid) << QStringLiteral("8")
                             << QStringLiteral("    8");
    QTest::newRow("Gesperrt") << 22 << QStringLiteral("Ja") << int(kColLocked) << QStringLiteral("Ja")
                              << QStringLiteral("X");
    QTest::newRow("Überspringen") << 23 << QStringLiteral("Ja") << int(kColSkip) << QStringLiteral("Ja")
                                  << QStringLiteral("X");
    QTest::newRow("Provider") << 28 << QStringLiteral("Neuer Anbie") << int(kColProvider)
                              << QStringLiteral("Neuer Anbie") << QStringLiteral("Neuer Anbie");
}

void TestPanes::channelRowEditsAreUndoableSteps()
{
    QFETCH(int, rowId);
    QFETCH(QString, value);
    QFETCH(int, column);
    QFETCH(QString, shown);
    QFETCH(QString, cell);
    const int row = RowOf("ZDF HD");
    ClickRow(row);
    CServiceData* service = Core().m_services.GetAt(1);
    const auto before = service->m_record;
    const QString paneBefore = ChannelValue(rowId);
    const QString cellBefore = Model().CellText(row, column);
    QVERIFY(!Doc()->IsModified());
    CPropertyGridRow* gridRow = Channel()->Grid()->Row(rowId);
    QVERIFY(gridRow->IsEditable());

    Channel()->Grid()->CommitValue(gridRow, value);
    QVERIFY(service->m_record != before);
    QCOMPARE(ChannelValue(rowId), shown); // what the record holds
    QVERIFY(Channel()->Grid()->Row(rowId)->IsModified());
    QCOMPARE(Model().CellText(row, column), cell);
    QVERIFY(Doc()->IsModified());
    QCOMPARE(Doc()->UndoStack()->count(), 1);
    QCOMPARE(Doc()->UndoStack()->undoText(), QStringLiteral("%1 ändern").arg(gridRow->Name()));

    Doc()->UndoStack()->undo();
    QCOMPARE(service->m_record, before);
    QVERIFY(!Doc()->IsModified());
    QCOMPARE(Model().CellText(RowOf("ZDF HD"), column), cellBefore);
    // The list selects the channel again and the pane shows the old value, unmarked.
    QCOMPARE(Channel()->Service(), service);
    QCOMPARE(ChannelValue(rowId), paneBefore);
    QVERIFY(!Channel()->Grid()->Row(rowId)->IsModified());

    Doc()->UndoStack()->redo();
    QCOMPARE(ChannelValue(rowId), shown);
    QCOMPARE(Model().CellText(Model().FindRowOfService(service), column), cell);
    QCOMPARE(Doc()->UndoStack()->count(), 1);
}

void TestPanes::favouriteRowsAndTreeHighlight()
{
    ClickRow(RowOf("Sky Cinema")); // group 1
    CServiceData* service = Core().m_services.GetAt(2);
    CLeftView* tree = Frame()->Tree();
    const QColor shownGroup(244, 248, 137);
    QCOMPARE(tree->GroupItem(0)->background(0).color(), shownGroup);
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(83), QStringLiteral("Ja"));
    QCOMPARE(service->GetFavouriteGroup(), 3);
    QCOMPARE(Channel()->Grid()->Row(83)->Value(), QStringLiteral("Ja"));
    QCOMPARE(Channel()->Grid()->Row(81)->Value(), QStringLiteral("Nein"));
    QVERIFY(Channel()->Grid()->Row(83)->IsModified());
    // The tree highlights the channel's new group.
    QCOMPARE(tree->GroupItem(2)->background(0).color(), shownGroup);
    QVERIFY(tree->GroupItem(0)->background(0).color() != shownGroup);
    QCOMPARE(Doc()->UndoStack()->undoText(), QStringLiteral("Favoriten ändern"));

    // Unticking another group's row takes it out of every group.
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(85), QStringLiteral("Ja"));
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(85), QStringLiteral("Nein"));
    QCOMPARE(service->GetFavouriteGroup(), 0);
    QCOMPARE(Doc()->UndoStack()->count(), 3);
    Doc()->UndoStack()->undo();
    Doc()->UndoStack()->undo();
    QCOMPARE(service->GetFavouriteGroup(), 3);
    QCOMPARE(Channel()->Grid()->Row(83)->Value(), QStringLiteral("Ja"));
    Doc()->UndoStack()->undo();
    QCOMPARE(service->GetFavouriteGroup(), 1);
    QCOMPARE(Channel()->Grid()->Row(81)->Value(), QStringLiteral("Ja"));
    QCOMPARE(tree->GroupItem(0)->background(0).color(), shownGroup);
}

void TestPanes::choosingSatelliteAndTransponder()
{
    const int row = RowOf("Das Erste HD");
    ClickRow(row);
    CServiceData* service = Core().m_services.GetAt(0);
    // Hotbird: its transponders 10992 and 11766; the first becomes the channel's.
    Channel()->Grid()->CommitValue(Channel()->SatelliteRow(), OptionText(1));
    QCOMPARE(int(service->GetTransponder()), 3);
    QCOMPARE(ChannelValue(14), OptionText(1));
    QCOMPARE(ChannelValue(13), QStringLiteral("10992 V 27500 "));
    QCOMPARE(Channel()->TransponderRow()->OptionTexts(),
             (QStringList{QStringLiteral("10992 V 27500 "), QStringLiteral("11766 V 27500 ")}));
    QCOMPARE(Model().CellText(row, kColSatellite), QStringLiteral("Hotbird 13.0E"));
    QCOMPARE(Model().CellText(row, kColFrequency), QStringLiteral("10992"));
    // The other panes follow the channel.
    QCOMPARE(Transponder()->Transponder(), Core().m_transponders.GetAt(2));
    QCOMPARE(TransponderValue(15), QStringLiteral("10992"));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Hotbird 13.0E"));
    QCOMPARE(Core().m_pCurrentTransponder, Core().m_transponders.GetAt(2));

    Channel()->Grid()->CommitValue(Channel()->TransponderRow(), QStringLiteral("11766 V 27500 "));
    QCOMPARE(int(service->GetTransponder()), 4);
    QCOMPARE(Model().CellText(row, kColFrequency), QStringLiteral("11766"));
    QCOMPARE(TransponderValue(15), QStringLiteral("11766"));
    QCOMPARE(Doc()->UndoStack()->count(), 2);

    Doc()->UndoStack()->undo();
    QCOMPARE(int(service->GetTransponder()), 3);
    QCOMPARE(ChannelValue(13), QStringLiteral("10992 V 27500 "));
    QCOMPARE(TransponderValue(15), QStringLiteral("10992"));
    Doc()->UndoStack()->undo();
    QCOMPARE(int(service->GetTransponder()), 1);
    QCOMPARE(ChannelValue(14), OptionText(0));
    QCOMPARE(TransponderValue(15), QStringLiteral("11494"));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Astra 19.2E"));
    QCOMPARE(Model().CellText(RowOf("Das Erste HD"), kColFrequency), QStringLiteral("11494"));
}

void TestPanes::satelliteWithoutTransponderChangesNothing()
{
    ClickRow(RowOf("Rai 1"));
    CServiceData* service = Core().m_services.GetAt(3);
    QVERIFY(Channel()->SatelliteRow()->OptionTexts().contains(OptionText(4)));
    Channel()->Grid()->CommitValue(Channel()->SatelliteRow(), OptionText(4)); // "Leer"
    QCOMPARE(int(service->GetTransponder()), 3);
    QCOMPARE(Doc()->UndoStack()->count(), 0);
    QVERIFY(!Doc()->IsModified());
    // The pane shows the channel's real satellite again, unmarked.
    QCOMPARE(ChannelValue(14), OptionText(1));
    QCOMPARE(ChannelValue(13), QStringLiteral("10992 V 27500 "));
    QVERIFY(!Channel()->SatelliteRow()->IsModified());
}

void TestPanes::editThroughTheRealEditor()
{
    ClickRow(RowOf("ZDF HD"));
    CPropertyGrid* grid = Channel()->Grid();
    QVERIFY(grid->EditRow(24));
    auto* edit = grid->Tree()->findChild<QLineEdit*>(QStringLiteral("propertyEditor_24"));
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12345")); // stays as typed, but is not stored
    QCOMPARE(edit->text(), QStringLiteral("12345"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::qWait(10);
    QCOMPARE(int(Core().m_services.GetAt(1)->GetVideoPid()), 6110);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(int(Core().m_services.GetAt(1)->GetVideoPid()), 1234);
    QCOMPARE(ChannelValue(24), QStringLiteral("1234"));
    QCOMPARE(Model().CellText(RowOf("ZDF HD"), kColVideoPid), QStringLiteral(" 1234"));

    QVERIFY(grid->EditRow(22));
    auto* combo = grid->Tree()->findChild<QComboBox*>(QStringLiteral("propertyEditor_22"));
    QVERIFY(combo != nullptr);
    combo->setCurrentIndex(combo->findText(QStringLiteral("Ja")));
    emit combo->activated(combo->currentIndex());
    QTRY_VERIFY(Core().m_services.GetAt(1)->IsLocked());
    QCOMPARE(Doc()->UndoStack()->count(), 2);
}

QWidget* TestPanes::EditByKeyboard(int rowId)
{
    CPropertyGrid* grid = Channel()->Grid();
    grid->Tree()->setFocus();
    grid->Tree()->setCurrentItem(grid->ItemOf(grid->Row(rowId)), 0);
    QTest::keyClick(grid->Tree(), Qt::Key_F2);
    return grid->Tree()->findChild<QWidget*>(QStringLiteral("propertyEditor_%1").arg(rowId));
}

void TestPanes::typedValuesKeepToTheirFields()
{
    ClickRow(RowOf("ZDF HD"));
    CServiceData* service = Core().m_services.GetAt(1);
    CPropertyGrid* grid = Channel()->Grid();
    const auto type = [](QWidget* w, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    };

    // A name of 26 letters: the field takes the 19 the record holds and says so.
    auto* name = qobject_cast<CInputRuleEdit*>(EditByKeyboard(panerow::kName));
    QVERIFY(name);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QCOMPARE(name->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    QVERIFY2(name->Hint().contains(QStringLiteral("19 Zeichen")), qPrintable(name->Hint()));
    // "€" and "Ж" are refused while typed, not stored as "?".
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    type(name, QStringLiteral("€Ж"));
    QCOMPARE(name->text(), QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    QVERIFY2(name->Hint().contains(QStringLiteral("„Ж“")) && name->Hint().contains(QStringLiteral("ISO-8859-1")),
             qPrintable(name->Hint()));
    type(name, QStringLiteral("é"));
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_COMPARE(U(service->GetNameText()), QStringLiteral("ABCDEFGHIJKLMNOPQé"));

    // A Service ID of 70000 stays as typed; Enter stores nothing, keeps the
    // field open and names the range.
    const auto before = service->m_record;
    QWidget* editor = EditByKeyboard(panerow::kServiceId);
    auto* serviceId = qobject_cast<CInputRuleEdit*>(editor);
    QVERIFY(serviceId);
    QTest::keyClicks(serviceId, QStringLiteral("70000"));
    QCOMPARE(serviceId->text(), QStringLiteral("70000"));
    QTest::keyClick(serviceId, Qt::Key_Return);
    QTest::qWait(10);
    QVERIFY(serviceId->isVisible());
    QCOMPARE(serviceId->text(), QStringLiteral("70000"));
    QCOMPARE(serviceId->Hint(), QStringLiteral("„Service ID“ nimmt nur ganze Zahlen von 0 bis 65535 an."));
    QCOMPARE(service->m_record, before);
    QCOMPARE(Doc()->UndoStack()->count(), 1);   // the name only
    QTest::keyClick(serviceId, Qt::Key_Escape); // cancels
    QTest::qWait(10);
    QCOMPARE(service->m_record, before);

    // Leaving the field with such a value stores nothing either and says why.
    auto* pid = qobject_cast<CInputRuleEdit*>(EditByKeyboard(panerow::kPmtPid));
    QVERIFY(pid);
    QTest::keyClicks(pid, QStringLiteral("9000"));
    QCOMPARE(pid->text(), QStringLiteral("9000"));
    grid->Tree()->setFocus();
    QTest::qWait(10);
    QVERIFY(!grid->Tree()->findChild<CInputRuleEdit*>(QStringLiteral("propertyEditor_27")));
    QCOMPARE(service->m_record, before);
    QVERIFY2(grid->DescriptionArea()->text().contains(QStringLiteral("0 bis 8191")),
             qPrintable(grid->DescriptionArea()->text()));

    // An empty PID is not stored as 0: Enter keeps the field open and says why.
    pid = qobject_cast<CInputRuleEdit*>(EditByKeyboard(panerow::kPmtPid));
    QVERIFY(pid);
    pid->selectAll();
    QTest::keyClick(pid, Qt::Key_Backspace);
    QTest::keyClick(pid, Qt::Key_Return);
    QTest::qWait(10);
    QVERIFY(grid->Tree()->findChild<CInputRuleEdit*>(QStringLiteral("propertyEditor_27")));
    QVERIFY(pid->isVisible());
    QVERIFY2(pid->Hint().contains(QStringLiteral("0 bis 8191")), qPrintable(pid->Hint()));
    QTest::keyClick(pid, Qt::Key_Escape);
    QTest::qWait(10);
    QCOMPARE(service->m_record, before);
    QCOMPARE(ChannelValue(panerow::kPmtPid), QString::number(service->GetPmtPid()));

    // The provider's drop-down takes free text under the same kind of rule.
    auto* provider = qobject_cast<QComboBox*>(EditByKeyboard(panerow::kProvider));
    QVERIFY(provider);
    auto* providerText = provider->findChild<CInputRuleEdit*>();
    QVERIFY(providerText);
    providerText->selectAll();
    type(providerText, QStringLiteral("Anbieter Ж mit Namen"));
    QCOMPARE(providerText->text(), QStringLiteral("Anbieter  m"));
    QTest::keyClick(providerText, Qt::Key_Escape);

    // Each typed row states its rule where the description used to be empty.
    QCOMPARE(grid->Row(panerow::kVideoPid)->Description(), QStringLiteral("Ganze Zahl von 0 bis 8191."));
    grid->Tree()->setCurrentItem(grid->ItemOf(grid->Row(panerow::kName)));
    QVERIFY(grid->DescriptionArea()->text().contains(QStringLiteral("19 Zeichen")));
    for (int id : {panerow::kTpFrequency, panerow::kTpSymbolRate, panerow::kTpTpId, panerow::kTpOrgNetId})
        QCOMPARE(Transponder()->Grid()->Row(id)->Description(), QStringLiteral("Ganze Zahl von 0 bis 65535."));
}

void TestPanes::keyboardEditsRowByRow()
{
    ClickRow(RowOf("ZDF HD"));
    CPropertyGrid* grid = Channel()->Grid();
    // F2 opens the current row's value even with the focus on its text.
    auto* name = qobject_cast<QLineEdit*>(EditByKeyboard(panerow::kName));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("ZDF HD"));
    QTest::keyClicks(name, QStringLiteral("X"));
    QTest::keyClick(name, Qt::Key_Escape); // cancels
    QTest::qWait(10);
    QCOMPARE(ChannelValue(panerow::kName), QStringLiteral("ZDF HD"));
    QCOMPARE(Doc()->UndoStack()->count(), 0);

    // Tab commits and opens the next editable row; rows shown only are skipped.
    name = qobject_cast<QLineEdit*>(EditByKeyboard(panerow::kName));
    QVERIFY(name);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("ZDF neu"));
    QTest::keyClick(name, Qt::Key_Tab);
    QTRY_VERIFY(grid->Tree()->findChild<QLineEdit*>(QStringLiteral("propertyEditor_12")));
    QCOMPARE(U(Core().m_services.GetAt(1)->GetNameText()), QStringLiteral("ZDF neu"));
    QWidget* pmt = EditByKeyboard(panerow::kPmtPid);
    QVERIFY(pmt);
    QTest::keyClick(pmt, Qt::Key_Tab); // past "Verschlüsselt", which is shown only
    QTRY_VERIFY(grid->Tree()->findChild<QComboBox*>(QStringLiteral("propertyEditor_22")));
    QTest::keyClick(grid->Tree()->findChild<QComboBox*>(QStringLiteral("propertyEditor_22")), Qt::Key_Backtab);
    QTRY_VERIFY(grid->Tree()->findChild<QLineEdit*>(QStringLiteral("propertyEditor_27")));
    QTest::keyClick(grid->Tree()->findChild<QLineEdit*>(QStringLiteral("propertyEditor_27")), Qt::Key_Escape);
    QTest::qWait(10);

    // Shift+F10 opens the grid's menu: the pane's commands, by keyboard too.
    grid->Tree()->setFocus();
    QTest::keyClick(grid->Tree(), Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("propertyGridMenu"));
    QCOMPARE(menu->actions().size(), 2);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(grid->IsAlphabetic());
}

void TestPanes::derivedRowsAreReadOnly()
{
    ClickRow(RowOf("Sky Cinema"));
    CServiceData* service = Core().m_services.GetAt(2);
    const auto before = service->m_record;
    for (int id : {21, 30}) {
        CPropertyGridRow* row = Channel()->Grid()->Row(id);
        QVERIFY(!row->IsEditable());
        QVERIFY(!Channel()->Grid()->EditRow(id));
        Channel()->Grid()->CommitValue(row, QStringLiteral("Nein"));
    }
    QCOMPARE(ChannelValue(21), QStringLiteral("Ja"));
    QCOMPARE(service->m_record, before);
    QCOMPARE(Doc()->UndoStack()->count(), 0);
    // The transponder pane's satellite is shown only.
    QVERIFY(!Transponder()->Grid()->Row(14)->IsEditable());
    for (int id : {15, 16, 17, 18, 24})
        QVERIFY(Transponder()->Grid()->Row(id)->IsEditable());
}

void TestPanes::unchangedValueLeavesNoStep()
{
    ClickRow(RowOf("Das Erste HD"));
    // 65537 is stored as 1, the OrgNetId the transponder already has.
    Transponder()->Grid()->CommitValue(Transponder()->Grid()->Row(24), QStringLiteral("65537"));
    QCOMPARE(TransponderValue(24), QStringLiteral("1"));
    QVERIFY(!Transponder()->Grid()->Row(24)->IsModified());
    // 75837 is stored as 10301, the service id the channel already has.
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(12), QStringLiteral("75837"));
    QCOMPARE(ChannelValue(12), QStringLiteral("10301"));
    QVERIFY(!Channel()->Grid()->Row(12)->IsModified());
    QCOMPARE(Doc()->UndoStack()->count(), 0);
    QVERIFY(!Doc()->IsModified());
}

void TestPanes::clearedStateWithoutChannel()
{
    ClickRow(RowOf("ZDF HD"));
    QVERIFY(Channel()->Service() != nullptr);
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(11), QStringLiteral("Markiert"));
    List()->ListCtrl()->selectionModel()->clearSelection();
    List()->ShowServiceInPanes(false);
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(Core().m_pCurrentService, nullptr);
    for (CComboBoxExProp* row : {Channel()->SatelliteRow(), Channel()->TransponderRow()}) {
        QCOMPARE(row->OptionTexts(), QStringList{QString()});
        QCOMPARE(row->OptionValues(), QList<int>{-1});
        QCOMPARE(row->Value(), QString());
    }
    for (const CPropertyGridRow* row : Channel()->Grid()->Rows()) {
        QVERIFY2(!row->IsEditable(), qPrintable(row->Name()));
        QVERIFY(!row->IsModified());
    }
    // Edits change nothing.
    const int steps = Doc()->UndoStack()->count();
    Channel()->Grid()->CommitValue(Channel()->Grid()->Row(12), QStringLiteral("5"));
    QCOMPARE(Doc()->UndoStack()->count(), steps);
    QCOMPARE(int(Core().m_services.GetAt(1)->GetServiceId()), 11110);
}

void TestPanes::danglingTransponderShowsOwnFields()
{
    ClickRow(RowOf("Das Erste HD"));
    CServiceData* zdf = Core().m_services.GetAt(1);
    zdf->SetTransponder(999);
    ClickRow(RowOf("ZDF HD"));
    QCOMPARE(Channel()->Service(), zdf);
    QCOMPARE(ChannelValue(11), QStringLiteral("ZDF HD"));
    QCOMPARE(ChannelValue(12), QStringLiteral("11110"));
    QCOMPARE(ChannelValue(14), QString());
    QCOMPARE(ChannelValue(13), QString());
    QCOMPARE(Channel()->Grid()->Row(82)->Value(), QStringLiteral("Ja"));
    QCOMPARE(Transponder()->Transponder(), nullptr); // no transponder to show
    // A satellite puts it on a transponder again.
    Channel()->Grid()->CommitValue(Channel()->SatelliteRow(), OptionText(1));
    QCOMPARE(int(zdf->GetTransponder()), 3);
    QCOMPARE(ChannelValue(13), QStringLiteral("10992 V 27500 "));
    QCOMPARE(TransponderValue(15), QStringLiteral("10992"));
}

void TestPanes::treeNodesShowTransponderAndSatellite()
{
    CLeftView* tree = Frame()->Tree();
    ClickRow(RowOf("Das Erste HD"));
    QVERIFY(Channel()->Service() != nullptr);
    QTreeWidgetItem* hotbird = SatelliteNode(QStringLiteral("Hotbird"));
    QVERIFY(hotbird != nullptr);
    tree->setCurrentItem(hotbird);
    QCOMPARE(Satellite()->Satellite(), Core().m_satellites.GetAt(1));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Hotbird 13.0E"));
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(Transponder()->Transponder(), nullptr);
    QCOMPARE(Transponder()->PolarityRow()->OptionValues(), QList<int>{-1});

    // Its transponder: the same satellite is not shown again.
    CSatelliteData* hot = Core().m_satellites.GetAt(1);
    hot->SetFlags(static_cast<uint8_t>(hot->GetFlags() | 0x10));
    QTreeWidgetItem* node = TransponderNode(Core().m_transponders.GetAt(2));
    QVERIFY(node != nullptr);
    tree->setCurrentItem(node);
    QCOMPARE(Transponder()->Transponder(), Core().m_transponders.GetAt(2));
    QCOMPARE(TransponderValue(15), QStringLiteral("10992"));
    QCOMPARE(TransponderValue(16), QStringLiteral("Vertical"));
    QCOMPARE(SatelliteValue(104), QStringLiteral("°E"));
    QCOMPARE(Channel()->Service(), nullptr);

    // The same transponder again: not shown again either.
    Core().m_transponders.GetAt(2)->SetSymbolRate(1);
    tree->setCurrentItem(tree->FavouritesRoot()); // leaves the panes alone
    QCOMPARE(Transponder()->Transponder(), Core().m_transponders.GetAt(2));
    tree->setCurrentItem(node);
    QCOMPARE(TransponderValue(17), QStringLiteral("27500"));

    // "Eigenschaften" brings the transponder pane to the front.
    Main().Pane(32846)->hide();
    tree->setCurrentItem(hotbird);
    // A right click marks the node the command acts on.
    QTest::mousePress(tree->viewport(), Qt::RightButton, Qt::NoModifier, tree->visualItemRect(node).center());
    QVERIFY(tree->OnCommand(32800));
    QVERIFY(Main().Pane(32846)->isVisible());
    QCOMPARE(Transponder()->Transponder(), Core().m_transponders.GetAt(2));
    QCOMPARE(TransponderValue(17), QStringLiteral("1")); // another transponder was shown in between
}

void TestPanes::transponderRowEditsReachTreeAndList_data()
{
    QTest::addColumn<int>("rowId");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("label"); // the tree node afterwards
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::newRow("Frequency") << 15 << QStringLiteral("12603") << QStringLiteral("12603")
                               << QStringLiteral("12603 H 22000 ") << int(kColFrequency)
                               << QStringLiteral("12603");
    QTest::newRow("Polarity") << 16 << QStringLiteral("Vertical") << QStringLiteral("Vertical")
                              << QStringLiteral("11494 V 22000 ") << int(kColPolarity) << QStringLiteral("V");
    QTest::newRow("Symbolrate") << 17 << QStringLiteral("29900") << QStringLiteral("29900")
                                << QStringLiteral("11494 H 29900 ") << int(kColSymbolRate)
                                << QStringLiteral("29900");
    QTest::newRow("TpId") << 18 << QStringLiteral("4711") << QStringLiteral("4711")
                          << QStringLiteral("11494 H 22000 ") << -1 << QString();
    QTest::newRow("OrgNetId") << 24 << QStringLiteral("65535") << QStringLiteral("65535")
                              << QStringLiteral("11494 H 22000 ") << -1 << QString();
}

void TestPanes::transponderRowEditsReachTreeAndList()
{
    QFETCH(int, rowId);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(QString, label);
    QFETCH(int, column);
    QFETCH(QString, cell);
    CLeftView* tree = Frame()->Tree();
    CTransponderData* tp = Core().m_transponders.GetAt(0);
    QTreeWidgetItem* node = TransponderNode(tp);
    QVERIFY(node != nullptr);
    QTreeWidgetItem* astra = node->parent();
    tree->setCurrentItem(node);
    ClickRow(RowOf("Das Erste HD")); // a channel of this transponder in the channel pane
    QCOMPARE(Transponder()->Transponder(), tp);
    const auto before = tp->m_record;
    const QString cellBefore = column >= 0 ? Model().CellText(0, column) : QString();
    const int steps = Doc()->UndoStack()->count();

    CPropertyGridRow* row = Transponder()->Grid()->Row(rowId);
    Transponder()->Grid()->CommitValue(row, value);
    QCOMPARE(TransponderValue(rowId), shown);
    QVERIFY(Transponder()->Grid()->Row(rowId)->IsModified());
    QCOMPARE(node->text(0), label);
    QCOMPARE(ChannelValue(13), label); // the channel pane shows the transponder anew
    if (column >= 0)
        QCOMPARE(Model().CellText(0, column), cell);
    if (rowId == 16) // only bits 0 to 1 change
        QCOMPARE(tp->GetFlags(), (1u << 21) | 0x100u);
    QCOMPARE(Doc()->UndoStack()->count(), steps + 1);
    QVERIFY(Doc()->IsModified());
    if (rowId == 15) {
        // 12603 now sorts after 12188: the satellite's transponders by frequency.
        QCOMPARE(astra->child(0)->text(0), QStringLiteral("12188 H 27500 "));
        QCOMPARE(astra->child(1), node);
        QCOMPARE(tree->currentItem(), node);
    }

    Doc()->UndoStack()->undo();
    QCOMPARE(tp->m_record, before);
    QVERIFY(!Doc()->IsModified());
    QCOMPARE(TransponderValue(rowId), Transponder()->Grid()->Row(rowId)->Value());
    QCOMPARE(TransponderValue(15), QStringLiteral("11494"));
    QCOMPARE(TransponderValue(16), QStringLiteral("Horizontal"));
    QVERIFY(!Transponder()->Grid()->Row(rowId)->IsModified());
    QCOMPARE(TransponderNode(tp) != nullptr, true);
    if (column >= 0)
        QCOMPARE(Model().CellText(0, column), cellBefore);
}

void TestPanes::satellitePaneShowsOnly()
{
    ClickRow(RowOf("Rai 1"));
    ClickRow(RowOf("T\xC3\xA9l\xC3\xA9 5")); // Thor 0.8W
    QCOMPARE(SatelliteValue(100), QStringLiteral("Thor 0.8W"));
    QCOMPARE(SatelliteValue(103), QStringLiteral("0.8"));
    QCOMPARE(SatelliteValue(104), QStringLiteral("°W"));
    QCOMPARE(Satellite()->OrientationRow()->OptionTexts(),
             (QStringList{QStringLiteral("°E"), QStringLiteral("°W")}));
    const auto before = Core().m_satellites.GetAt(2)->m_record;
    for (const CPropertyGridRow* row : Satellite()->Grid()->Rows())
        QVERIFY2(!row->IsEditable(), qPrintable(row->Name()));
    Satellite()->Grid()->CommitValue(Satellite()->Grid()->Row(100), QStringLiteral("Neu"));
    QCOMPARE(SatelliteValue(100), QStringLiteral("Thor 0.8W"));
    QCOMPARE(Core().m_satellites.GetAt(2)->m_record, before);
    // Cleared: no row shows anything of the satellite.
    Satellite()->ClearPane();
    QCOMPARE(SatelliteValue(104), QString());
    QCOMPARE(SatelliteValue(100), QString());
    QCOMPARE(SatelliteValue(103), QString());
}

void TestPanes::relabelSatelliteResorts()
{
    CLeftView* tree = Frame()->Tree();
    m_f->App().Settings().m_nSatelliteOrder = 0; // by name
    tree->SortSatellites(0);
    QTreeWidgetItem* root = tree->SatellitesRoot();
    QVERIFY(root->child(0)->text(0).contains(QStringLiteral("Astra")));
    // The satellite's name changes (as an undone edit could): "Zenit".
    CSatelliteData* astra = Core().m_satellites.GetAt(0);
    const char name[] = "Zenit";
    std::fill(astra->m_record.begin() + 3, astra->m_record.begin() + 23, uint8_t{0});
    std::copy(name, name + 5, astra->m_record.begin() + 3);
    tree->RelabelSatellite(astra);
    const QTreeWidgetItem* last = root->child(root->childCount() - 1);
    QVERIFY(last->text(0).endsWith(QStringLiteral(" Zenit")));
    QVERIFY(!root->child(0)->text(0).contains(QStringLiteral("Zenit")));
}

void TestPanes::panesFollowTheActiveWindow()
{
    ClickRow(RowOf("ZDF HD"));
    CDocument* first = Doc();
    CChildFrame* firstFrame = Frame();
    QCOMPARE(Main().PaneCoordinator()->Document(), first);
    const QString other = m_f->WriteFile(QStringLiteral("other.ndb"), PaneDatabase());
    CDocument* second = m_f->App().OpenDocumentFile(other);
    QVERIFY(second && second != first);
    QTRY_COMPARE(Frame()->GetDocument(), second);
    // Nothing of the first document stays on show.
    QCOMPARE(Main().PaneCoordinator()->Document(), second);
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(Transponder()->Transponder(), nullptr);
    ClickRow(RowOf("Rai 1"));
    QCOMPARE(Channel()->Service(), second->Core().m_services.GetAt(3));

    Main().Windows().ActivateFrame(firstFrame);
    QTRY_COMPARE(Frame(), firstFrame);
    QCOMPARE(Channel()->Service(), first->Core().m_services.GetAt(1));
    QCOMPARE(ChannelValue(11), QStringLiteral("ZDF HD"));
    QCOMPARE(Transponder()->Transponder(), first->Core().m_transponders.GetAt(0));

    // Closing every window empties the panes.
    for (CChildFrame* f : Main().Windows().ChildFrames())
        f->GetDocument()->SetModifiedFlag(false);
    Main().Windows().MdiArea()->closeAllSubWindows();
    QTRY_VERIFY(Main().Windows().ChildFrames().isEmpty());
    QCOMPARE(Main().PaneCoordinator()->Document(), nullptr);
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(Channel()->Document(), nullptr);
    QCOMPARE(Transponder()->Document(), nullptr);
    QCOMPARE(Channel()->SatelliteRow()->OptionValues(), QList<int>{-1});
}

namespace {
// The values a pane shows, row by row; empty when it shows nothing.
QStringList ShownValues(const CPropertyPane* pane)
{
    QStringList values;
    for (const CPropertyGridRow* row : pane->Grid()->Rows())
        if (!row->Value().isEmpty())
            values << row->Name() + QLatin1Char('=') + row->Value();
    return values;
}
} // namespace

void TestPanes::panesShowNothingOfAnotherOrADeletedChannel()
{
    // Opened, no channel chosen yet: not even a yes/no row says "Nein".
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(ShownValues(Channel()), QStringList());
    ClickRow(RowOf("ZDF HD"));
    CChildFrame* first = Frame();
    QVERIFY(ShownValues(Channel()).contains(QStringLiteral("Kanalname=ZDF HD")));
    QVERIFY(!ShownValues(Transponder()).isEmpty());
    QVERIFY(!ShownValues(Satellite()).isEmpty());

    // A new document has no current records: every pane is empty.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57600")));
    QTRY_VERIFY(Frame() != first);
    QCOMPARE(ShownValues(Channel()), QStringList());
    QCOMPARE(ShownValues(Transponder()), QStringList());
    QCOMPARE(ShownValues(Satellite()), QStringList());
    QCOMPARE(Channel()->Grid()->RowsOfGroup(Channel()->FavouritesGroup()).size(), 0);

    // Back and forth between the tabs.
    CChildFrame* fresh = Frame();
    Main().Windows().ActivateFrame(first);
    QTRY_COMPARE(Frame(), first);
    QVERIFY(ShownValues(Channel()).contains(QStringLiteral("Kanalname=ZDF HD")));
    Main().Windows().ActivateFrame(fresh);
    QTRY_COMPARE(Frame(), fresh);
    QCOMPARE(ShownValues(Channel()), QStringList());
    QCOMPARE(ShownValues(Satellite()), QStringList());

    // Every row of the list deleted: the channel pane shows none of them.
    Main().Windows().ActivateFrame(first);
    QTRY_COMPARE(Frame(), first);
    List()->ActiveItemView()->setFocus();
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57642")));
    QCOMPARE(List()->GetSelectedCount(), Model().rowCount());
    QTest::keyClick(List()->ListCtrl(), Qt::Key_Delete);
    QCOMPARE(Model().rowCount(), 0);
    QCOMPARE(Channel()->Service(), nullptr);
    QCOMPARE(ShownValues(Channel()), QStringList());
}

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
