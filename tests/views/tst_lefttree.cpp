// The satellite and favourite tree: its nodes, selection reports, node
// menus, satellite orders, renaming and reordering of the groups, channel
// rows dropped on groups and the colours of marked and shown groups.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <memory>

#include "GuiTestSupport.h"
#include "NdbTestBuilder.h"
#include "uibase/AppSettings.h"
#include "uibase/Document.h"
#include "uibase/InputRuleEdit.h"
#include "views/LeftView.h"

using Kind = CLeftView::NodeKind;

namespace {

// The shown names of the groups of MakeSmallDatabase, in slot order.
const QStringList kSmallGroupNames = {QStringLiteral("Film"),    QStringLiteral("Nachrichten"),
                                      QStringLiteral("Sport"),   QStringLiteral("Dokus"),
                                      QStringLiteral("Kinder"),  QStringLiteral("Männer€"),
                                      QStringLiteral("Familie"), QStringLiteral("Verschiedenes")};

// Three satellites in use, in array order 19.2E, 13.0E, 5.0W.
ndbtest::TestDatabase ThreeSatelliteDatabase()
{
    ndbtest::TestDatabase db = ndbtest::MakeSmallDatabase();
    db.satellites.records[0].Name("Astra").Flags(0x08).Position(192, false);
    db.satellites.records[1].Name("Hotbird").Flags(0x08).Position(130, false);
    db.satellites.records[2].Name("Eutelsat 5W").Flags(0x08).Position(50, true);
    db.satellites.records[3].Number(0).Name("");
    return db;
}

// Records what the tree reports.
struct CTreeLog {
    QStringList events;
    int groupsChanged = 0;
    int seqNumChanged = 0;
    QList<int> marked;
    QList<int> rowDrops;

    void Attach(CLeftView& tree)
    {
        QObject::connect(&tree, &CLeftView::AllChannelsSelected, [this] { events << QStringLiteral("all"); });
        QObject::connect(&tree, &CLeftView::SatelliteSelected,
                         [this](int i) { events << QStringLiteral("satellite %1").arg(i); });
        QObject::connect(&tree, &CLeftView::TransponderSelected, [this](CTransponderData* t) {
            events << QStringLiteral("transponder %1").arg(t ? t->GetNumber() : -1);
        });
        QObject::connect(&tree, &CLeftView::FavouriteGroupSelected,
                         [this](int i) { events << QStringLiteral("group %1").arg(i); });
        QObject::connect(&tree, &CLeftView::SatellitePropertiesRequested, [this](CSatelliteData* s) {
            events << QStringLiteral("satellite pane %1").arg(s ? s->GetNumber() : -1);
        });
        QObject::connect(&tree, &CLeftView::TransponderPropertiesRequested, [this](CTransponderData* t) {
            events << QStringLiteral("transponder pane %1").arg(t ? t->GetNumber() : -1);
        });
        QObject::connect(&tree, &CLeftView::GroupsChanged, [this] { ++groupsChanged; });
        QObject::connect(&tree, &CLeftView::SequentialNumberingChanged, [this] { ++seqNumChanged; });
        QObject::connect(&tree, &CLeftView::MarkedGroupChanged, [this](int i) { marked << i; });
        QObject::connect(&tree, &CLeftView::RowsDroppedOnGroup, [this](int i) { rowDrops << i; });
    }
};

// Stands in for the document window behind the tree.
class CFallback : public ICommandTarget {
public:
    QList<int> run;
    bool filterOn = false;
    bool UpdateCommand(int id, CommandState& state) override
    {
        if (id != 32774)
            return false;
        state = CommandState{true, filterOn};
        return true;
    }
    bool OnCommand(int id) override
    {
        run << id;
        return true;
    }
};

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QColor ColorOf(ColorRef c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

} // namespace

class TestLeftTree : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void buildsNodesWithActiveFilter();
    void buildsAllSatellitesWithoutFilter();
    void selectingNodesReportsAndSetsCurrentRecords();
    void refillHintSelectsAgainAndRelabelsGroups();
    void satelliteOrders();
    void contextMenusPerNodeKind();
    void menuCommandsRunOnTheRightClickedNode();
    void renameGroupThroughEditor();
    void renameRefusedOnOtherNodes();
    void dragGroupReordersGroupsAndChannels();
    void dragRefusedOutsideTheGroups();
    void rowsDroppedOnGroupNodes();
    void markedAndShownGroupColours();
    void undoRelabelsSatellites();

private:
    void Open(const ndbtest::TestDatabase& db);
    QPoint Center(QTreeWidgetItem* item) const { return m_tree->visualItemRect(item).center(); }
    QMenu* OpenMenu(QTreeWidgetItem* item);
    QStringList MenuTexts(QMenu* menu) const;
    QTreeWidgetItem* Satellite(int child) const { return m_tree->SatellitesRoot()->child(child); }
    // Transponder nodes are only on screen below an expanded satellite.
    void ExpandSatellites();
    QStringList GroupLabels() const;
    QStringList StoredGroupNames() const;
    QList<int> ChannelGroups() const;
    void Drag(QTreeWidgetItem* from, const QPoint& to);

    CFakePrompts m_prompts;
    AppSettings m_settings;
    std::unique_ptr<CDocument> m_doc;
    std::unique_ptr<CLeftView> m_tree;
    CTreeLog m_log;
};

void TestLeftTree::cleanup()
{
    m_tree.reset();
    m_doc.reset();
    m_settings = AppSettings();
    m_log = CTreeLog();
}

void TestLeftTree::Open(const ndbtest::TestDatabase& db)
{
    const ndbtest::Bytes bytes = db.Build();
    m_doc = std::make_unique<CDocument>(m_prompts);
    QCOMPARE(m_doc->Core().Load(bytes.data(), bytes.size()), LoadStatus::Loaded);
    m_tree = std::make_unique<CLeftView>(*m_doc, m_settings);
    m_tree->resize(420, 720);
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    m_log.Attach(*m_tree);
    m_tree->BuildTree();
}

QMenu* TestLeftTree::OpenMenu(QTreeWidgetItem* item)
{
    const QPoint pos = item ? Center(item) : QPoint(5, m_tree->viewport()->height() - 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_tree->viewport(), &event);
    for (QMenu* menu : m_tree->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        if (menu->isVisible())
            return menu;
    }
    return nullptr;
}

QStringList TestLeftTree::MenuTexts(QMenu* menu) const
{
    QStringList texts;
    QSet<QChar> letters;
    for (QAction* a : menu->actions()) {
        QString text = a->text();
        // Each entry has an access letter of its own.
        const int mark = text.indexOf(QLatin1Char('&'));
        if (mark < 0 || mark + 1 >= text.size() || letters.contains(text[mark + 1].toLower()))
            texts << QStringLiteral("no access letter of its own: ") + text;
        else
            letters.insert(text[mark + 1].toLower());
        text.remove(QLatin1Char('&'));
        if (a->isCheckable())
            text += a->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        if (!a->isEnabled())
            text += QStringLiteral(" (disabled)");
        if (!a->menu())
            text += QStringLiteral(" =") + a->objectName();
        texts << text;
    }
    return texts;
}

QStringList TestLeftTree::GroupLabels() const
{
    QStringList labels;
    for (int i = 0; i < m_tree->FavouritesRoot()->childCount(); ++i)
        labels << m_tree->FavouritesRoot()->child(i)->text(0);
    return labels;
}

QStringList TestLeftTree::StoredGroupNames() const
{
    QStringList names;
    for (CFavoritenData* g : m_doc->Core().m_configuration.GroupOrder())
        names << QString::fromStdString(g->GetName());
    return names;
}

// Group numbers of the five television and three radio channels.
QList<int> TestLeftTree::ChannelGroups() const
{
    QList<int> groups;
    for (int i = 0; i < ndbtest::kSmallTv + ndbtest::kSmallRadio; ++i)
        groups << m_doc->Core().m_services.GetAt(i)->GetFavouriteGroup();
    return groups;
}

void TestLeftTree::ExpandSatellites()
{
    for (int i = 0; i < m_tree->SatellitesRoot()->childCount(); ++i)
        Satellite(i)->setExpanded(true);
}

void TestLeftTree::Drag(QTreeWidgetItem* from, const QPoint& to)
{
    QWidget* vp = m_tree->viewport();
    const QPoint start = Center(from);
    SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, start + QPoint(QApplication::startDragDistance() + 2, 0), Qt::NoButton,
              Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// ---- building ---------------------------------------------------------------------------

void TestLeftTree::buildsNodesWithActiveFilter()
{
    Open(ndbtest::MakeSmallDatabase());
    QCOMPARE(m_tree->objectName(), QStringLiteral("satelliteTree"));
    QCOMPARE(m_tree->accessibleName(), QStringLiteral("Satelliten und Favoriten"));
    QCOMPARE(m_tree->topLevelItemCount(), 2);

    QTreeWidgetItem* sats = m_tree->SatellitesRoot();
    QCOMPARE(sats->text(0), QStringLiteral("Satelliten Informationen"));
    QCOMPARE(sats->data(0, Qt::UserRole).toInt(), 1);
    QCOMPARE(m_tree->KindOf(sats), Kind::SatellitesRoot);
    QVERIFY(sats->isExpanded());
    // Türksat has no in-use flag and is hidden by the filter.
    QCOMPARE(sats->childCount(), 3);
    const QStringList names = {QStringLiteral("Astra 19.2E"), QStringLiteral("Hotbird 13.0E"),
                               QStringLiteral("Thor 0.8W")};
    const QStringList positions = {QStringLiteral("19.2 °E"), QStringLiteral("13.0 °E"), QStringLiteral("0.8 °W")};
    const QFontMetrics metrics = m_tree->fontMetrics();
    for (int i = 0; i < 3; ++i) {
        const QString label = sats->child(i)->text(0);
        QCOMPARE(m_tree->KindOf(sats->child(i)), Kind::Satellite);
        QVERIFY2(label.endsWith(QStringLiteral("  ") + names[i]), qPrintable(label));
        QVERIFY2(label.trimmed().startsWith(positions[i]), qPrintable(label));
        // The position part is padded to a common width in the tree's font.
        const QString pos = label.left(label.size() - names[i].size() - 1);
        const int w = metrics.horizontalAdvance(pos);
        QVERIFY2((w >= 77 && w <= 83) || w >= 100, qPrintable(QStringLiteral("%1: %2 px").arg(label).arg(w)));
    }
    QVERIFY(!sats->child(0)->isExpanded());

    // Transponders under their satellite, by label.
    QTreeWidgetItem* astra = sats->child(0);
    QCOMPARE(astra->childCount(), 2);
    QCOMPARE(astra->child(0)->text(0), QStringLiteral("11494 H 22000 "));
    QCOMPARE(astra->child(1)->text(0), QStringLiteral("12188 H 27500 "));
    QCOMPARE(m_tree->KindOf(astra->child(0)), Kind::Transponder);
    QCOMPARE(sats->child(1)->childCount(), 2);
    QCOMPARE(sats->child(1)->child(0)->text(0), QStringLiteral("10992 V 27500 "));
    QCOMPARE(sats->child(1)->child(1)->text(0), QStringLiteral("11766 V 27500 "));
    QCOMPARE(sats->child(2)->childCount(), 1);
    QCOMPARE(sats->child(2)->child(0)->text(0), QStringLiteral("10872 V 25000 "));

    QTreeWidgetItem* favs = m_tree->FavouritesRoot();
    QCOMPARE(favs->text(0), QStringLiteral("Favoriten Gruppen (Alle)"));
    QCOMPARE(favs->data(0, Qt::UserRole).toInt(), 200);
    QCOMPARE(m_tree->KindOf(favs), Kind::FavouritesRoot);
    QVERIFY(favs->isExpanded());
    QCOMPARE(GroupLabels(), kSmallGroupNames);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(m_tree->KindOf(m_tree->GroupItem(i)), Kind::FavouriteGroup);
        QCOMPARE(m_tree->GroupItem(i), favs->child(i));
    }
    QVERIFY(!m_tree->GroupItem(8));
    QVERIFY(!m_tree->GroupItem(-1));
    QCOMPARE(m_tree->KindOf(nullptr), Kind::None);

    // Building selects nothing and reports nothing.
    QVERIFY(m_tree->selectedItems().isEmpty());
    QVERIFY(m_log.events.isEmpty());
}

void TestLeftTree::buildsAllSatellitesWithoutFilter()
{
    m_settings.m_nSatelliteOnlyActive = 0;
    Open(ndbtest::MakeSmallDatabase());
    QTreeWidgetItem* sats = m_tree->SatellitesRoot();
    QCOMPARE(sats->childCount(), 4);
    QVERIFY(sats->child(3)->text(0).endsWith(QStringLiteral(" Türksat 42.0E")));
    QCOMPARE(sats->child(3)->childCount(), 1);
    QCOMPARE(sats->child(3)->child(0)->text(0), QStringLiteral("11958 V 27500 "));

    // Switching the filter on and rebuilding hides it again.
    m_settings.m_nSatelliteOnlyActive = 1;
    m_tree->BuildTree();
    QCOMPARE(m_tree->SatellitesRoot()->childCount(), 3);
    QCOMPARE(m_tree->FavouritesRoot()->childCount(), 8);
}

// ---- selection -------------------------------------------------------------------------------

void TestLeftTree::selectingNodesReportsAndSetsCurrentRecords()
{
    Open(ndbtest::MakeSmallDatabase());
    CVandrelEdit2028Doc& core = m_doc->Core();
    core.m_pCurrentService = core.m_services.GetAt(0);
    core.m_pCurrentTransponder = core.m_transponders.GetAt(4);

    // Hotbird is satellite index 1.
    m_tree->setCurrentItem(Satellite(1));
    QCOMPARE(m_log.events, (QStringList{QStringLiteral("satellite pane 2"), QStringLiteral("satellite 1")}));
    QCOMPARE(core.m_pCurrentSatellite, core.m_satellites.GetAt(1));
    QVERIFY(!core.m_pCurrentTransponder);
    QVERIFY(!core.m_pCurrentService);

    // A transponder of Astra: its satellite becomes current as well.
    m_log.events.clear();
    core.m_pCurrentService = core.m_services.GetAt(0);
    m_tree->setCurrentItem(Satellite(0)->child(1));
    QCOMPARE(m_log.events, (QStringList{QStringLiteral("transponder pane 2"), QStringLiteral("transponder 2")}));
    QCOMPARE(core.m_pCurrentTransponder, core.m_transponders.GetAt(1));
    QCOMPARE(core.m_pCurrentSatellite, core.m_satellites.GetAt(0));
    QVERIFY(!core.m_pCurrentService);

    // Groups and roots leave the current records alone.
    m_log.events.clear();
    core.m_pCurrentService = core.m_services.GetAt(2);
    m_tree->setCurrentItem(m_tree->GroupItem(6));
    m_tree->setCurrentItem(m_tree->FavouritesRoot());
    m_tree->setCurrentItem(m_tree->SatellitesRoot());
    QCOMPARE(m_log.events, (QStringList{QStringLiteral("group 6"), QStringLiteral("all"), QStringLiteral("all")}));
    QCOMPARE(core.m_pCurrentService, core.m_services.GetAt(2));
    QCOMPARE(core.m_pCurrentTransponder, core.m_transponders.GetAt(1));

    // Keyboard: one step down from the satellites root is Astra.
    m_log.events.clear();
    m_tree->setFocus();
    QTest::keyClick(m_tree.get(), Qt::Key_Down);
    QCOMPARE(m_log.events, (QStringList{QStringLiteral("satellite pane 1"), QStringLiteral("satellite 0")}));

    m_log.events.clear();
    m_tree->SelectAgain();
    QCOMPARE(m_log.events, (QStringList{QStringLiteral("satellite pane 1"), QStringLiteral("satellite 0")}));
}

void TestLeftTree::refillHintSelectsAgainAndRelabelsGroups()
{
    Open(ndbtest::MakeSmallDatabase());
    // No current node: the window fills the list itself.
    m_doc->UpdateAllViews(nullptr, 1507);
    QVERIFY(m_log.events.isEmpty());

    m_tree->setCurrentItem(m_tree->GroupItem(3));
    m_log.events.clear();
    // The groups changed behind the tree's back (as an undo does it).
    CConfigurationData& config = m_doc->Core().m_configuration;
    QVERIFY(config.GetAt(3)->Rename("Reisen"));
    config.MoveGroup(0, 7);
    m_doc->UpdateAllViews(nullptr, 1507);
    QCOMPARE(m_log.events, QStringList{QStringLiteral("group 3")});
    QCOMPARE(GroupLabels(), StoredGroupNames());
    QCOMPARE(GroupLabels().at(2), QStringLiteral("Reisen"));
    QCOMPARE(GroupLabels().at(7), QStringLiteral("Film"));
    // The node's data follows the label: selecting node 7 reports group 7.
    m_log.events.clear();
    m_tree->setCurrentItem(m_tree->GroupItem(7));
    QCOMPARE(m_log.events, QStringList{QStringLiteral("group 7")});
}

// ---- satellite orders -------------------------------------------------------------------------

void TestLeftTree::satelliteOrders()
{
    Open(ThreeSatelliteDatabase());
    auto order = [this] {
        QStringList names;
        for (int i = 0; i < m_tree->SatellitesRoot()->childCount(); ++i) {
            const QString label = Satellite(i)->text(0);
            names << label.mid(label.lastIndexOf(QStringLiteral("  ")) + 2);
        }
        return names;
    };
    // After a build the satellites stand in array order.
    QCOMPARE(order(),
             (QStringList{QStringLiteral("Astra"), QStringLiteral("Hotbird"), QStringLiteral("Eutelsat 5W")}));

    QTreeWidgetItem* hotbird = Satellite(1);
    hotbird->setExpanded(true);
    m_tree->setCurrentItem(hotbird);
    m_log.events.clear();

    QMenu* menu = OpenMenu(Satellite(0));
    QVERIFY(menu);
    QAction* byPosition = menu->findChild<QAction*>(QStringLiteral("treeCmd_32795"));
    QVERIFY(byPosition);
    byPosition->trigger();
    QCOMPARE(m_settings.m_nSatelliteOrder, 1);
    QCOMPARE(order(),
             (QStringList{QStringLiteral("Eutelsat 5W"), QStringLiteral("Astra"), QStringLiteral("Hotbird")}));
    // Sorting keeps the nodes, their children, their state and the selection, silently.
    QCOMPARE(Satellite(2), hotbird);
    QCOMPARE(hotbird->childCount(), 2);
    QVERIFY(hotbird->isExpanded());
    QCOMPARE(m_tree->currentItem(), hotbird);
    QVERIFY(hotbird->isSelected());
    QVERIFY(m_log.events.isEmpty());
    menu->close();

    menu = OpenMenu(m_tree->SatellitesRoot());
    QVERIFY(menu);
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32794"))->trigger();
    QCOMPARE(m_settings.m_nSatelliteOrder, 0);
    QCOMPARE(order(),
             (QStringList{QStringLiteral("Astra"), QStringLiteral("Eutelsat 5W"), QStringLiteral("Hotbird")}));
    menu->close();

    menu = OpenMenu(Satellite(1));
    QVERIFY(menu);
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32793"))->trigger();
    QCOMPARE(m_settings.m_nSatelliteOrder, 2);
    QCOMPARE(order(),
             (QStringList{QStringLiteral("Astra"), QStringLiteral("Hotbird"), QStringLiteral("Eutelsat 5W")}));
    menu->close();

    // The public call sorts without touching the setting; a rebuild goes back to array order.
    m_tree->SortSatellites(1);
    QCOMPARE(m_settings.m_nSatelliteOrder, 2);
    QCOMPARE(order().first(), QStringLiteral("Eutelsat 5W"));
    m_tree->BuildTree();
    QCOMPARE(order(),
             (QStringList{QStringLiteral("Astra"), QStringLiteral("Hotbird"), QStringLiteral("Eutelsat 5W")}));
}

// ---- node menus ------------------------------------------------------------------------------------

void TestLeftTree::contextMenusPerNodeKind()
{
    Open(ndbtest::MakeSmallDatabase());
    ExpandSatellites();
    CFallback fallback;
    m_tree->SetCommandFallback(&fallback);

    QMenu* menu = OpenMenu(m_tree->GroupItem(2));
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("Favorit"));
    QCOMPARE(MenuTexts(menu), (QStringList{QStringLiteral("Fortlaufende Nummerierung [x] =treeCmd_32789"),
                                           QStringLiteral("Umbenennen =treeCmd_32863"),
                                           QStringLiteral("Favoriten farblich markieren =treeCmd_32790"),
                                           QStringLiteral("farbliche Favoritenmarkierung entfernen (disabled) "
                                                          "=treeCmd_32791")}));
    // A right click selects nothing.
    QVERIFY(m_tree->selectedItems().isEmpty());
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32790"))->trigger();
    QCOMPARE(m_tree->MarkedGroup(), 2);

    m_settings.m_nFavSeqNum = 0;
    menu = OpenMenu(m_tree->GroupItem(5));
    QCOMPARE(MenuTexts(menu),
             (QStringList{QStringLiteral("Fortlaufende Nummerierung [ ] =treeCmd_32789"),
                          QStringLiteral("Umbenennen =treeCmd_32863"),
                          QStringLiteral("Favoriten farblich markieren =treeCmd_32790"),
                          QStringLiteral("farbliche Favoritenmarkierung entfernen =treeCmd_32791")}));

    menu = OpenMenu(m_tree->FavouritesRoot());
    QCOMPARE(menu->objectName(), QStringLiteral("FavoritHead"));
    QCOMPARE(MenuTexts(menu),
             QStringList{QStringLiteral("farbliche Favoritenmarkierung entfernen =treeCmd_32791")});

    // The filter's check comes from the window.
    fallback.filterOn = true;
    m_settings.m_nSatelliteOrder = 0;
    menu = OpenMenu(Satellite(1));
    QCOMPARE(menu->objectName(), QStringLiteral("Satellite"));
    QCOMPARE(MenuTexts(menu), (QStringList{QStringLiteral("Nur aktive Satelliten auflisten [x] =treeCmd_32774"),
                                           QStringLiteral("Die Satelliten sortieren nach"),
                                           QStringLiteral("Eigenschaften =treeCmd_32848")}));
    QMenu* sort = menu->actions().at(1)->menu();
    QVERIFY(sort);
    QCOMPARE(MenuTexts(sort), (QStringList{QStringLiteral("Original [ ] =treeCmd_32793"),
                                           QStringLiteral("Namen (alphabetisch) [x] =treeCmd_32794"),
                                           QStringLiteral("Orbitalposition [ ] =treeCmd_32795")}));

    fallback.filterOn = false;
    m_settings.m_nSatelliteOrder = 2;
    menu = OpenMenu(m_tree->SatellitesRoot());
    QCOMPARE(menu->objectName(), QStringLiteral("SatelliteHead"));
    QCOMPARE(MenuTexts(menu), (QStringList{QStringLiteral("Nur aktive Satelliten auflisten [ ] =treeCmd_32774"),
                                           QStringLiteral("Die Satelliten sortieren nach")}));
    QCOMPARE(MenuTexts(menu->actions().at(1)->menu()),
             (QStringList{QStringLiteral("Original [x] =treeCmd_32793"),
                          QStringLiteral("Namen (alphabetisch) [ ] =treeCmd_32794"),
                          QStringLiteral("Orbitalposition [ ] =treeCmd_32795")}));

    menu = OpenMenu(Satellite(0)->child(0));
    QCOMPARE(menu->objectName(), QStringLiteral("Transponder"));
    QCOMPARE(MenuTexts(menu), QStringList{QStringLiteral("Eigenschaften =treeCmd_32800")});
    menu->close();

    // Without a window the tree shows its own copy of the filter.
    m_tree->SetCommandFallback(nullptr);
    m_tree->SetOnlyActive(true);
    menu = OpenMenu(Satellite(0));
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("treeCmd_32774"))->isChecked());
    m_tree->SetOnlyActive(false);
    menu = OpenMenu(Satellite(0));
    QVERIFY(!menu->findChild<QAction*>(QStringLiteral("treeCmd_32774"))->isChecked());
    menu->close();
    QTest::qWait(10);

    // Below the last node there is no node and no menu.
    QVERIFY(!m_tree->itemAt(QPoint(5, m_tree->viewport()->height() - 3)));
    QVERIFY(!OpenMenu(nullptr));
}

void TestLeftTree::menuCommandsRunOnTheRightClickedNode()
{
    Open(ndbtest::MakeSmallDatabase());
    ExpandSatellites();
    CFallback fallback;
    m_tree->SetCommandFallback(&fallback);
    CVandrelEdit2028Doc& core = m_doc->Core();

    // 32789 negates "FavSeqNum".
    QMenu* menu = OpenMenu(m_tree->GroupItem(0));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32789"))->trigger();
    QCOMPARE(m_settings.m_nFavSeqNum, 0);
    QCOMPARE(m_log.seqNumChanged, 1);
    QVERIFY(m_tree->OnCommand(32789));
    QCOMPARE(m_settings.m_nFavSeqNum, 1);
    QCOMPARE(m_log.seqNumChanged, 2);

    // Marking acts on the right-clicked group, removing works from the root.
    menu = OpenMenu(m_tree->GroupItem(4));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32790"))->trigger();
    menu = OpenMenu(m_tree->FavouritesRoot());
    QAction* unmark = menu->findChild<QAction*>(QStringLiteral("treeCmd_32791"));
    QVERIFY(unmark->isEnabled());
    unmark->trigger();
    QCOMPARE(m_log.marked, (QList<int>{4, -1}));
    QCOMPARE(m_tree->MarkedGroup(), -1);
    // Marking on a non-group node does nothing.
    OpenMenu(Satellite(0))->close();
    QVERIFY(m_tree->OnCommand(32790));
    QCOMPARE(m_tree->MarkedGroup(), -1);

    // The filter is the window's command.
    menu = OpenMenu(Satellite(0));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32774"))->trigger();
    QCOMPARE(fallback.run, QList<int>{32774});
    CommandState state;
    QVERIFY(!m_tree->UpdateCommand(32774, state));
    QVERIFY(!m_tree->OnCommand(32774));
    QCOMPARE(fallback.run, QList<int>{32774});

    // Properties: the right-clicked records, not the selected ones.
    m_log.events.clear();
    menu = OpenMenu(Satellite(2));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32848"))->trigger();
    QCOMPARE(core.m_pCurrentSatellite, core.m_satellites.GetAt(2));
    QCOMPARE(m_log.events, QStringList{QStringLiteral("satellite pane 3")});

    m_log.events.clear();
    core.m_pCurrentService = core.m_services.GetAt(1);
    menu = OpenMenu(Satellite(1)->child(1));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32800"))->trigger();
    QCOMPARE(core.m_pCurrentTransponder, core.m_transponders.GetAt(3));
    QCOMPARE(core.m_pCurrentSatellite, core.m_satellites.GetAt(1));
    QVERIFY(!core.m_pCurrentService);
    QCOMPARE(m_log.events, QStringList{QStringLiteral("transponder pane 4")});
    menu->close();
    QVERIFY(m_tree->selectedItems().isEmpty());
    QVERIFY(!m_doc->IsModified());
}

// ---- renaming ---------------------------------------------------------------------------------------

void TestLeftTree::renameGroupThroughEditor()
{
    Open(ndbtest::MakeSmallDatabase());
    m_tree->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_tree.get()));

    auto startEdit = [this](int group) -> QLineEdit* {
        QMenu* menu = OpenMenu(m_tree->GroupItem(group));
        if (!menu)
            return nullptr;
        QAction* rename = menu->findChild<QAction*>(QStringLiteral("treeCmd_32863"));
        menu->close();
        rename->trigger();
        return m_tree->viewport()->findChild<QLineEdit*>(QStringLiteral("treeLabelEdit"));
    };

    QLineEdit* edit = startEdit(1);
    QVERIFY(edit);
    // Starting the edit selects the node.
    QCOMPARE(m_tree->currentItem(), m_tree->GroupItem(1));
    QVERIFY(m_log.events.contains(QStringLiteral("group 1")));
    QCOMPARE(edit->text(), QStringLiteral("Nachrichten"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Wetter"));
    edit->insert(QStringLiteral(" für alle"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::qWait(10); // the delegate commits queued
    QCOMPARE(m_tree->GroupItem(1)->text(0), QStringLiteral("Wetter für alle"));
    QCOMPARE(QString::fromStdString(m_doc->Core().m_configuration.GetAt(1)->GetName()),
             QStringLiteral("Wetter für alle"));
    QCOMPARE(m_log.groupsChanged, 1);
    QVERIFY(m_doc->IsModified());
    QCOMPARE(m_doc->UndoStack()->count(), 1);

    // The field takes what the name can hold and says why it refuses the
    // rest: a twentieth character, "Ж" (no Windows-1252), an empty name.
    QTest::qWait(10);
    auto* ruled = qobject_cast<CInputRuleEdit*>(startEdit(2));
    QVERIFY(ruled);
    ruled->selectAll();
    QTest::keyClicks(ruled, QStringLiteral("Zwanzig Zeichen lang"));
    QCOMPARE(ruled->text(), QStringLiteral("Zwanzig Zeichen lan"));
    QVERIFY2(ruled->Hint().contains(QStringLiteral("19 Zeichen")), qPrintable(ruled->Hint()));
    QTest::keyClick(ruled, Qt::Key_Backspace);
    QTest::sendKeyEvent(QTest::Click, ruled, Qt::Key_unknown, QStringLiteral("Ж"), Qt::NoModifier);
    QCOMPARE(ruled->text(), QStringLiteral("Zwanzig Zeichen la"));
    QVERIFY2(ruled->Hint().contains(QStringLiteral("Windows-1252")), qPrintable(ruled->Hint()));
    QTest::sendKeyEvent(QTest::Click, ruled, Qt::Key_unknown, QStringLiteral("€"), Qt::NoModifier);
    QCOMPARE(ruled->text(), QStringLiteral("Zwanzig Zeichen la€"));
    ruled->selectAll();
    QTest::keyClick(ruled, Qt::Key_Backspace);
    QTest::keyClick(ruled, Qt::Key_Return); // an empty name is not taken
    QTest::qWait(10);
    QVERIFY(ruled->isVisible());
    QVERIFY2(ruled->Hint().contains(QStringLiteral("nicht leer")), qPrintable(ruled->Hint()));
    QTest::keyClick(ruled, Qt::Key_Escape);
    QTest::qWait(10);
    QCOMPARE(m_tree->GroupItem(2)->text(0), QStringLiteral("Sport"));
    QCOMPARE(QString::fromStdString(m_doc->Core().m_configuration.GetAt(2)->GetName()), QStringLiteral("Sport"));
    QCOMPARE(m_doc->UndoStack()->count(), 1);
    QCOMPARE(m_log.groupsChanged, 1);

    // Escape cancels: nothing changes.
    QTest::qWait(10);
    edit = startEdit(3);
    QVERIFY(edit);
    edit->setText(QStringLiteral("Anders"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::qWait(10);
    QCOMPARE(m_tree->GroupItem(3)->text(0), QStringLiteral("Dokus"));
    QCOMPARE(QString::fromStdString(m_doc->Core().m_configuration.GetAt(3)->GetName()), QStringLiteral("Dokus"));
    QCOMPARE(m_log.groupsChanged, 1);

    // Undo brings the old name back into the node.
    m_doc->UndoStack()->undo();
    QCOMPARE(QString::fromStdString(m_doc->Core().m_configuration.GetAt(1)->GetName()),
             QStringLiteral("Nachrichten"));
    QCOMPARE(m_tree->GroupItem(1)->text(0), QStringLiteral("Nachrichten"));
    QVERIFY(!m_doc->IsModified());
}

void TestLeftTree::renameRefusedOnOtherNodes()
{
    Open(ndbtest::MakeSmallDatabase());
    ExpandSatellites();
    const QList<QTreeWidgetItem*> nodes = {m_tree->SatellitesRoot(), Satellite(0), Satellite(0)->child(0),
                                           m_tree->FavouritesRoot()};
    for (QTreeWidgetItem* node : nodes) {
        OpenMenu(node);
        // "Umbenennen" is not offered there; the command itself refuses too.
        QVERIFY(m_tree->OnCommand(32863));
        QCOMPARE(m_tree->currentItem(), node);
        QVERIFY(!m_tree->viewport()->findChild<QLineEdit*>());
        // F2 neither.
        QTest::keyClick(m_tree.get(), Qt::Key_F2);
        QVERIFY(!m_tree->viewport()->findChild<QLineEdit*>());
    }
    QCOMPARE(m_doc->UndoStack()->count(), 0);
    QCOMPARE(m_log.groupsChanged, 0);

    // F2 on a group node edits it.
    m_tree->setCurrentItem(m_tree->GroupItem(0));
    QTest::keyClick(m_tree.get(), Qt::Key_F2);
    QLineEdit* edit = m_tree->viewport()->findChild<QLineEdit*>(QStringLiteral("treeLabelEdit"));
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("Film"));
}

// ---- dragging groups --------------------------------------------------------------------------------

void TestLeftTree::dragGroupReordersGroupsAndChannels()
{
    Open(ndbtest::MakeSmallDatabase());
    // Television: groups 1, 2, 1, 0, 0; radio: 4, 0, 0.
    const QList<int> before = {1, 2, 1, 0, 0, 4, 0, 0};
    QCOMPARE(ChannelGroups(), before);
    m_tree->setCurrentItem(m_tree->GroupItem(6));
    m_log.events.clear();

    // Group 2 (index 1) onto group 5 (index 4).
    QWidget* vp = m_tree->viewport();
    const QPoint start = Center(m_tree->GroupItem(1));
    SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    m_log.events.clear(); // the press selects the dragged node
    SendMouse(vp, QEvent::MouseMove, start + QPoint(QApplication::startDragDistance() + 2, 0), Qt::NoButton,
              Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, Center(Satellite(0)), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(vp->cursor().shape(), Qt::ForbiddenCursor);
    const QPoint target = Center(m_tree->GroupItem(4));
    SendMouse(vp, QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(vp->cursor().shape(), Qt::DragMoveCursor);
    // The selection does not follow the mouse while dragging.
    QCOMPARE(m_tree->currentItem(), m_tree->GroupItem(1));
    SendMouse(vp, QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(vp->cursor().shape(), Qt::ArrowCursor);

    const QStringList moved = {kSmallGroupNames[0], kSmallGroupNames[2], kSmallGroupNames[3], kSmallGroupNames[4],
                               kSmallGroupNames[1], kSmallGroupNames[5], kSmallGroupNames[6], kSmallGroupNames[7]};
    QCOMPARE(StoredGroupNames(), moved);
    QCOMPARE(GroupLabels(), moved);
    // Old group 2 is now 5, old 3 to 5 are 2 to 4.
    QCOMPARE(ChannelGroups(), (QList<int>{1, 5, 1, 0, 0, 3, 0, 0}));
    for (CFavoritenData* g : m_doc->Core().m_configuration.GroupOrder())
        QCOMPARE(g->m_nChanged, 1);
    // The drop position is selected and refills the list.
    QCOMPARE(m_tree->currentItem(), m_tree->GroupItem(4));
    QCOMPARE(m_log.events, QStringList{QStringLiteral("group 4")});
    QCOMPARE(m_log.groupsChanged, 1);
    QVERIFY(m_doc->IsModified());
    QCOMPARE(m_doc->UndoStack()->count(), 1);

    // The node data moved with the labels: node 1 is old group 3 now.
    m_log.events.clear();
    m_tree->setCurrentItem(m_tree->GroupItem(1));
    QCOMPARE(m_log.events, QStringList{QStringLiteral("group 1")});

    m_doc->UndoStack()->undo();
    QCOMPARE(StoredGroupNames(), kSmallGroupNames);
    QCOMPARE(GroupLabels(), kSmallGroupNames);
    QCOMPARE(ChannelGroups(), before);
    QVERIFY(!m_doc->IsModified());

    m_doc->UndoStack()->redo();
    QCOMPARE(GroupLabels(), moved);
    QCOMPARE(ChannelGroups(), (QList<int>{1, 5, 1, 0, 0, 3, 0, 0}));

    // Upwards: the last group onto the first.
    Drag(m_tree->GroupItem(7), Center(m_tree->GroupItem(0)));
    QCOMPARE(GroupLabels().first(), kSmallGroupNames[7]);
    QCOMPARE(GroupLabels().at(1), kSmallGroupNames[0]);
    QCOMPARE(GroupLabels(), StoredGroupNames());
    QCOMPARE(m_tree->currentItem(), m_tree->GroupItem(0));
}

void TestLeftTree::dragRefusedOutsideTheGroups()
{
    Open(ndbtest::MakeSmallDatabase());
    ExpandSatellites();
    const QList<int> before = ChannelGroups();

    // On itself, on its parent, on the other root's nodes, outside the tree.
    Drag(m_tree->GroupItem(1), Center(m_tree->GroupItem(1)) + QPoint(0, 1));
    Drag(m_tree->GroupItem(1), Center(m_tree->FavouritesRoot()));
    Drag(m_tree->GroupItem(1), Center(Satellite(1)));
    Drag(m_tree->GroupItem(1), Center(Satellite(0)->child(0)));
    Drag(m_tree->GroupItem(1), QPoint(m_tree->viewport()->width() + 30, 10));
    // Satellites may be dragged, but dropping them changes nothing.
    Drag(Satellite(0), Center(m_tree->GroupItem(3)));
    Drag(Satellite(0), Center(Satellite(2)));
    // Within the drag distance a press and release is a click.
    QWidget* vp = m_tree->viewport();
    const QPoint start = Center(m_tree->GroupItem(2));
    SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, start + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseButtonRelease, start + QPoint(1, 0), Qt::LeftButton, Qt::NoButton);

    QCOMPARE(GroupLabels(), kSmallGroupNames);
    QCOMPARE(StoredGroupNames(), kSmallGroupNames);
    QCOMPARE(ChannelGroups(), before);
    QCOMPARE(m_doc->UndoStack()->count(), 0);
    QVERIFY(!m_doc->IsModified());
    QCOMPARE(m_log.groupsChanged, 0);
    QCOMPARE(m_tree->SatellitesRoot()->childCount(), 3);

    // The refusal sign over the other root and outside; Escape ends the drag.
    SendMouse(vp, QEvent::MouseButtonPress, Center(m_tree->GroupItem(1)), Qt::LeftButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, Center(m_tree->GroupItem(3)), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(vp->cursor().shape(), Qt::DragMoveCursor);
    SendMouse(vp, QEvent::MouseMove, QPoint(-20, 5), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(vp->cursor().shape(), Qt::ForbiddenCursor);
    SendMouse(vp, QEvent::MouseMove, Center(m_tree->SatellitesRoot()), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(vp->cursor().shape(), Qt::ForbiddenCursor);
    SendMouse(vp, QEvent::MouseMove, Center(m_tree->GroupItem(3)), Qt::NoButton, Qt::LeftButton);
    QTest::keyClick(m_tree.get(), Qt::Key_Escape);
    QCOMPARE(vp->cursor().shape(), Qt::ArrowCursor);
    SendMouse(vp, QEvent::MouseButtonRelease, Center(m_tree->GroupItem(3)), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(GroupLabels(), kSmallGroupNames);
    QCOMPARE(m_doc->UndoStack()->count(), 0);
}

// ---- channel rows dropped on the tree ---------------------------------------------------------------

void TestLeftTree::rowsDroppedOnGroupNodes()
{
    Open(ndbtest::MakeSmallDatabase());
    ExpandSatellites();
    QWidget* vp = m_tree->viewport();
    auto global = [this, vp](QTreeWidgetItem* item) { return vp->mapToGlobal(Center(item)); };
    auto pixel = [this, vp](QTreeWidgetItem* item) {
        const QRect r = m_tree->visualItemRect(item);
        return vp->grab().toImage().pixelColor(r.right() - 3, r.center().y());
    };
    const QColor highlight = m_tree->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor inactiveHighlight = m_tree->palette().color(QPalette::Inactive, QPalette::Highlight);
    auto highlighted = [&](QTreeWidgetItem* item) {
        const QColor c = pixel(item);
        return c == highlight || c == inactiveHighlight;
    };
    QVERIFY(!highlighted(m_tree->GroupItem(2)));

    QVERIFY(m_tree->HoverRows(global(m_tree->GroupItem(2))));
    QVERIFY(highlighted(m_tree->GroupItem(2)));
    QVERIFY(!highlighted(m_tree->GroupItem(3)));
    QVERIFY(!m_tree->HoverRows(global(Satellite(0))));
    QVERIFY(!highlighted(m_tree->GroupItem(2)));
    QVERIFY(!m_tree->HoverRows(global(Satellite(0)->child(1))));
    QVERIFY(!m_tree->HoverRows(global(m_tree->FavouritesRoot())));
    QVERIFY(!m_tree->HoverRows(global(m_tree->SatellitesRoot())));
    QVERIFY(m_tree->HoverRows(global(m_tree->GroupItem(7))));
    m_tree->LeaveRows();
    QVERIFY(!highlighted(m_tree->GroupItem(7)));

    QVERIFY(!m_tree->DropRows(global(Satellite(1))));
    QVERIFY(!m_tree->DropRows(global(m_tree->FavouritesRoot())));
    QVERIFY(!m_tree->DropRows(vp->mapToGlobal(QPoint(5, vp->height() - 3))));
    QVERIFY(m_log.rowDrops.isEmpty());

    QVERIFY(m_tree->HoverRows(global(m_tree->GroupItem(2))));
    QVERIFY(m_tree->DropRows(global(m_tree->GroupItem(2))));
    QCOMPARE(m_log.rowDrops, QList<int>{2});
    QVERIFY(!highlighted(m_tree->GroupItem(2)));
    QVERIFY(m_tree->DropRows(global(m_tree->GroupItem(0))));
    QCOMPARE(m_log.rowDrops, (QList<int>{2, 0}));
    // Dropping rows neither selects nor changes anything itself.
    QVERIFY(m_tree->selectedItems().isEmpty());
    QVERIFY(!m_doc->IsModified());
}

// ---- colours ---------------------------------------------------------------------------------------------

void TestLeftTree::markedAndShownGroupColours()
{
    m_settings.m_clrTreeBack = Rgb(10, 20, 30);
    m_settings.m_clrTreeText = Rgb(200, 210, 220);
    Open(ndbtest::MakeSmallDatabase());
    QCOMPARE(m_tree->palette().color(QPalette::Base), QColor(10, 20, 30));
    QCOMPARE(m_tree->palette().color(QPalette::Text), QColor(200, 210, 220));

    auto back = [this](int i) {
        const QVariant v = m_tree->GroupItem(i)->data(0, Qt::BackgroundRole);
        return v.isValid() ? v.value<QBrush>().color() : QColor();
    };
    auto text = [this](int i) {
        const QVariant v = m_tree->GroupItem(i)->data(0, Qt::ForegroundRole);
        return v.isValid() ? v.value<QBrush>().color() : QColor();
    };
    auto plain = [&](int i) { return !back(i).isValid() && !text(i).isValid(); };
    for (int i = 0; i < 8; ++i)
        QVERIFY(plain(i));

    // Marking group 3.
    QMenu* menu = OpenMenu(m_tree->GroupItem(2));
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32790"))->trigger();
    menu->close();
    QCOMPARE(back(2), ColorOf(m_settings.m_clrFavoritenBack));
    QCOMPARE(text(2), ColorOf(m_settings.m_clrFavoritenText));
    QCOMPARE(back(2), QColor(215, 40, 45));
    for (int i : {0, 1, 3, 4, 5, 6, 7})
        QVERIFY(plain(i));

    // The shown channel "ZDF HD" is in group 2.
    CServiceData* zdf = m_doc->Core().m_services.GetAt(1);
    m_doc->UpdateAllViews(nullptr, 1509, zdf);
    QCOMPARE(back(1), QColor(244, 248, 137));
    QCOMPARE(text(1), QColor(0, 0, 0));
    QCOMPARE(back(2), QColor(215, 40, 45));

    // The shown channel's group wins over the marking.
    zdf->SetFavouriteGroup(3);
    m_doc->UpdateAllViews(nullptr, 1509, zdf);
    QVERIFY(plain(1));
    QCOMPARE(back(2), QColor(244, 248, 137));
    QCOMPARE(text(2), QColor(0, 0, 0));

    // A channel without group shows no group.
    m_doc->UpdateAllViews(nullptr, 1509, m_doc->Core().m_services.GetAt(3));
    QCOMPARE(back(2), QColor(215, 40, 45));
    for (int i : {0, 1, 3, 4, 5, 6, 7})
        QVERIFY(plain(i));

    // New colours from the option page.
    m_settings.m_clrTreeBack = Rgb(1, 2, 3);
    m_settings.m_clrFavoritenBack = Rgb(7, 8, 9);
    m_tree->ApplyColors();
    QCOMPARE(m_tree->palette().color(QPalette::Base), QColor(1, 2, 3));
    QCOMPARE(back(2), QColor(7, 8, 9));

    QVERIFY(m_tree->OnCommand(32791));
    for (int i = 0; i < 8; ++i)
        QVERIFY(plain(i));
    CommandState state;
    QVERIFY(m_tree->UpdateCommand(32791, state));
    QVERIFY(!state.enabled);
}

void TestLeftTree::undoRelabelsSatellites()
{
    Open(ndbtest::MakeSmallDatabase());
    CVandrelEdit2028Doc& core = m_doc->Core();
    CSatelliteData* astra = core.m_satellites.GetAt(0);
    CTransponderData* tp = core.m_transponders.GetAt(0);
    QVERIFY(m_doc->RunChange(QStringLiteral("Bearbeiten"), [astra, tp] {
        std::fill(astra->m_record.begin() + 3, astra->m_record.begin() + 23, uint8_t(0));
        const char name[] = "Astra 1N";
        std::copy(name, name + 8, astra->m_record.begin() + 3);
        tp->SetFrequency(11000);
    }));
    // The tree learns of pane edits separately; here only undo and redo matter.
    m_doc->UndoStack()->undo();
    QVERIFY(Satellite(0)->text(0).endsWith(QStringLiteral(" Astra 19.2E")));
    QCOMPARE(Satellite(0)->child(0)->text(0), QStringLiteral("11494 H 22000 "));
    m_doc->UndoStack()->redo();
    QVERIFY(Satellite(0)->text(0).endsWith(QStringLiteral(" Astra 1N")));
    QCOMPARE(Satellite(0)->child(0)->text(0), QStringLiteral("11000 H 22000 "));
}

QTEST_MAIN(TestLeftTree)
#include "tst_lefttree.moc"
