#include "LeftView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "TreeLabelDelegate.h"
#include "document/ChannelEdits.h"
#include "document/InputRules.h"
#include "document/TreeRules.h"
#include "document/UpdateHints.h"
#include "uibase/AccessLetters.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/QtConversions.h"

namespace {
// Item data of the two roots; the other nodes carry their record.
constexpr int kSatellitesRootData = 1;
constexpr int kFavouritesRootData = 200;

// The rename field's name, in its hints and for assistive tools.
constexpr const char* kGroupNameLabel = "Name der Favoritengruppe";
constexpr int kGroupCount = 8;

// The group holding the shown channel: black on light yellow.
const QColor kShownGroupBack(244, 248, 137);
const QColor kShownGroupText(0, 0, 0);

int RootData(const QTreeWidgetItem* item)
{
    const QVariant v = item->data(0, Qt::UserRole);
    return v.typeId() == QMetaType::Int ? v.toInt() : 0;
}

void* RecordOf(const QTreeWidgetItem* item)
{
    if (!item)
        return nullptr;
    const QVariant v = item->data(0, Qt::UserRole);
    return v.typeId() == QMetaType::VoidStar ? v.value<void*>() : nullptr;
}

void SetRecord(QTreeWidgetItem* item, void* record)
{
    item->setData(0, Qt::UserRole, QVariant::fromValue(record));
}

// Suppresses the selection reports while the tree rearranges its nodes.
class CQuiet {
public:
    explicit CQuiet(int& counter) : m_counter(counter) { ++m_counter; }
    ~CQuiet() { --m_counter; }
    CQuiet(const CQuiet&) = delete;
    CQuiet& operator=(const CQuiet&) = delete;

private:
    int& m_counter;
};
} // namespace

CLeftView::CLeftView(CDocument& document, AppSettings& settings, QWidget* parent)
    : QTreeWidget(parent), m_document(document), m_settings(settings)
{
    setObjectName(QStringLiteral("satelliteTree"));
    setAccessibleName(QStringLiteral("Satelliten und Favoriten"));
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // Labels are edited through "Umbenennen" (or F2); only group nodes are editable.
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setDragEnabled(false);

    m_pDelegate = new CTreeLabelDelegate(
        GroupNameRule(), QString::fromUtf8(kGroupNameLabel),
        [this](const QModelIndex& index, const QString& text) { CommitRename(index, text); }, this);
    setItemDelegate(m_pDelegate);

    connect(this, &QTreeWidget::itemSelectionChanged, this, &CLeftView::OnSelectionChanged);
    connect(&m_document, &CDocument::ViewsUpdate, this, &CLeftView::OnViewsUpdate);
    connect(&m_document, &CDocument::ChangeReverted, this, &CLeftView::RelabelRecords);
    ApplyColors();
}

CLeftView::~CLeftView() = default;

// ---- nodes -------------------------------------------------------------------

CLeftView::NodeKind CLeftView::KindOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return NodeKind::None;
    const QTreeWidgetItem* parent = item->parent();
    if (!parent) {
        switch (RootData(item)) {
        case kSatellitesRootData:
            return NodeKind::SatellitesRoot;
        case kFavouritesRootData:
            return NodeKind::FavouritesRoot;
        default:
            return NodeKind::None;
        }
    }
    const QTreeWidgetItem* grandParent = parent->parent();
    if (!grandParent) {
        switch (RootData(parent)) {
        case kSatellitesRootData:
            return NodeKind::Satellite;
        case kFavouritesRootData:
            return NodeKind::FavouriteGroup;
        default:
            return NodeKind::None;
        }
    }
    if (!grandParent->parent() && RootData(grandParent) == kSatellitesRootData)
        return NodeKind::Transponder;
    return NodeKind::None;
}

QTreeWidgetItem* CLeftView::GroupItem(int groupIndex) const
{
    if (!m_hFavouritesRoot || groupIndex < 0 || groupIndex >= m_hFavouritesRoot->childCount())
        return nullptr;
    return m_hFavouritesRoot->child(groupIndex);
}

CLeftView::Node CLeftView::CurrentNode() const
{
    Node node;
    const QTreeWidgetItem* item = currentItem();
    node.kind = KindOf(item);
    const CVandrelEdit2028Doc& core = m_document.Core();
    switch (node.kind) {
    case NodeKind::Transponder:
        node.transponder = TransponderAt(item);
        node.satelliteIndex = core.m_satellites.IndexOf(SatelliteAt(item->parent()));
        break;
    case NodeKind::Satellite:
        node.satelliteIndex = core.m_satellites.IndexOf(SatelliteAt(item));
        break;
    case NodeKind::FavouriteGroup:
        node.groupIndex = GroupIndexOf(item);
        break;
    default:
        break;
    }
    return node;
}

CSatelliteData* CLeftView::SatelliteAt(const QTreeWidgetItem* item) const
{
    return KindOf(item) == NodeKind::Satellite ? static_cast<CSatelliteData*>(RecordOf(item)) : nullptr;
}

CTransponderData* CLeftView::TransponderAt(const QTreeWidgetItem* item) const
{
    return KindOf(item) == NodeKind::Transponder ? static_cast<CTransponderData*>(RecordOf(item)) : nullptr;
}

CFavoritenData* CLeftView::GroupAt(const QTreeWidgetItem* item) const
{
    return KindOf(item) == NodeKind::FavouriteGroup ? static_cast<CFavoritenData*>(RecordOf(item)) : nullptr;
}

int CLeftView::GroupIndexOf(const QTreeWidgetItem* item) const
{
    const CFavoritenData* group = GroupAt(item);
    return group ? m_document.Core().m_configuration.IndexOf(group) : -1;
}

QTreeWidgetItem* CLeftView::ItemAtRightClick() const
{
    return itemAt(m_rightClickPoint);
}

QString CLeftView::SatelliteLabel(const CSatelliteData& satellite) const
{
    const QFontMetrics metrics = fontMetrics();
    const std::string label = satellite.FormatTreeLabel(
        [&metrics](const std::string& text) { return metrics.horizontalAdvance(QString::fromStdString(text)); });
    return QString::fromStdString(label);
}

void CLeftView::BuildTree()
{
    CQuiet quiet(m_nQuiet);
    EndGroupDrag();
    clear();
    const CVandrelEdit2028Doc& core = m_document.Core();

    m_hSatellitesRoot = new QTreeWidgetItem(this, QStringList{QStringLiteral("Satelliten Informationen")});
    m_hSatellitesRoot->setData(0, Qt::UserRole, kSatellitesRootData);
    for (int index : TreeSatellites(core.m_satellites, m_settings.m_nSatelliteOnlyActive != 0)) {
        CSatelliteData* satellite = core.m_satellites.GetAt(index);
        const QString label = SatelliteLabel(*satellite);
        if (label.isEmpty())
            continue;
        auto* satelliteItem = new QTreeWidgetItem(m_hSatellitesRoot, QStringList{label});
        SetRecord(satelliteItem, satellite);
        for (int t : TreeTransponders(core.m_transponders, satellite->GetNumber())) {
            CTransponderData* transponder = core.m_transponders.GetAt(t);
            auto* item = new QTreeWidgetItem(
                satelliteItem, QStringList{QString::fromStdString(transponder->FormatSummaryText())});
            SetRecord(item, transponder);
        }
    }

    m_hFavouritesRoot = new QTreeWidgetItem(this, QStringList{QStringLiteral("Favoriten Gruppen (Alle)")});
    m_hFavouritesRoot->setData(0, Qt::UserRole, kFavouritesRootData);
    for (CFavoritenData* group : core.m_configuration.GroupOrder()) {
        auto* item = new QTreeWidgetItem(m_hFavouritesRoot, QStringList{QString::fromStdString(group->GetName())});
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        SetRecord(item, group);
    }

    m_hSatellitesRoot->setExpanded(true);
    m_hFavouritesRoot->setExpanded(true);
    RecolourGroups();
    scrollToItem(m_hSatellitesRoot, QAbstractItemView::PositionAtTop);
    setFocus();
}

void CLeftView::RelabelGroups()
{
    if (!m_hFavouritesRoot)
        return;
    const std::vector<CFavoritenData*> groups = m_document.Core().m_configuration.GroupOrder();
    for (int i = 0; i < m_hFavouritesRoot->childCount() && i < static_cast<int>(groups.size()); ++i) {
        QTreeWidgetItem* item = m_hFavouritesRoot->child(i);
        CFavoritenData* group = groups[static_cast<size_t>(i)];
        item->setText(0, QString::fromStdString(group->GetName()));
        SetRecord(item, group);
    }
    RecolourGroups();
}

void CLeftView::RelabelRecords()
{
    // An undone edit may have changed names, positions and frequencies.
    if (m_hSatellitesRoot) {
        for (int i = 0; i < m_hSatellitesRoot->childCount(); ++i) {
            QTreeWidgetItem* satelliteItem = m_hSatellitesRoot->child(i);
            if (const CSatelliteData* satellite = SatelliteAt(satelliteItem))
                satelliteItem->setText(0, SatelliteLabel(*satellite));
            for (int t = 0; t < satelliteItem->childCount(); ++t) {
                QTreeWidgetItem* item = satelliteItem->child(t);
                if (const CTransponderData* transponder = TransponderAt(item))
                    item->setText(0, QString::fromStdString(transponder->FormatSummaryText()));
            }
        }
    }
    RelabelGroups();
}

void CLeftView::SortSatellites(int order)
{
    if (!m_hSatellitesRoot)
        return;
    const CSatelliteDataArray& satellites = m_document.Core().m_satellites;
    std::vector<int> indexes;
    std::vector<QTreeWidgetItem*> itemOfIndex(static_cast<size_t>(satellites.GetSize()), nullptr);
    for (int i = 0; i < m_hSatellitesRoot->childCount(); ++i) {
        QTreeWidgetItem* item = m_hSatellitesRoot->child(i);
        const int index = satellites.IndexOf(SatelliteAt(item));
        if (index < 0)
            return; // not a tree this document built
        indexes.push_back(index);
        itemOfIndex[static_cast<size_t>(index)] = item;
    }

    CQuiet quiet(m_nQuiet);
    QTreeWidgetItem* current = currentItem();
    const bool currentSelected = current && current->isSelected();
    std::vector<std::pair<QTreeWidgetItem*, bool>> expanded;
    for (int i = 0; i < m_hSatellitesRoot->childCount(); ++i)
        expanded.emplace_back(m_hSatellitesRoot->child(i), m_hSatellitesRoot->child(i)->isExpanded());

    const QList<QTreeWidgetItem*> taken = m_hSatellitesRoot->takeChildren();
    (void)taken; // the same items go back in the new order
    for (int index : ::SortSatellites(satellites, indexes, order))
        m_hSatellitesRoot->addChild(itemOfIndex[static_cast<size_t>(index)]);
    for (const auto& [item, open] : expanded)
        item->setExpanded(open);
    if (current) {
        setCurrentItem(current, 0,
                       currentSelected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
        scrollToItem(current);
    }
}

void CLeftView::RelabelTransponder(const CTransponderData* transponder)
{
    if (!m_hSatellitesRoot || !transponder)
        return;
    const CTransponderDataArray& transponders = m_document.Core().m_transponders;
    for (int i = 0; i < m_hSatellitesRoot->childCount(); ++i) {
        QTreeWidgetItem* satelliteItem = m_hSatellitesRoot->child(i);
        for (int t = 0; t < satelliteItem->childCount(); ++t) {
            QTreeWidgetItem* item = satelliteItem->child(t);
            if (TransponderAt(item) != transponder)
                continue;
            item->setText(0, QString::fromStdString(transponder->FormatSummaryText()));
            // The satellite's transponders in ascending frequency, the same items.
            std::vector<int> indexes;
            std::vector<QTreeWidgetItem*> itemOfIndex(static_cast<size_t>(transponders.GetSize()), nullptr);
            for (int k = 0; k < satelliteItem->childCount(); ++k) {
                QTreeWidgetItem* child = satelliteItem->child(k);
                const int index = transponders.IndexOf(TransponderAt(child));
                if (index < 0)
                    return;
                indexes.push_back(index);
                itemOfIndex[static_cast<size_t>(index)] = child;
            }
            CQuiet quiet(m_nQuiet);
            QTreeWidgetItem* current = currentItem();
            const bool currentSelected = current && current->isSelected();
            const bool open = satelliteItem->isExpanded();
            const QList<QTreeWidgetItem*> taken = satelliteItem->takeChildren();
            (void)taken; // the same items go back in the new order
            for (int index : SortTransponders(transponders, indexes, true))
                satelliteItem->addChild(itemOfIndex[static_cast<size_t>(index)]);
            satelliteItem->setExpanded(open);
            if (current) {
                setCurrentItem(current, 0,
                               currentSelected ? QItemSelectionModel::ClearAndSelect
                                               : QItemSelectionModel::NoUpdate);
                scrollToItem(current);
            }
            return;
        }
    }
}

void CLeftView::RelabelSatellite(const CSatelliteData* satellite)
{
    if (!m_hSatellitesRoot || !satellite)
        return;
    for (int i = 0; i < m_hSatellitesRoot->childCount(); ++i) {
        QTreeWidgetItem* item = m_hSatellitesRoot->child(i);
        if (SatelliteAt(item) == satellite) {
            item->setText(0, SatelliteLabel(*satellite));
            SortSatellites(m_settings.m_nSatelliteOrder);
            return;
        }
    }
}

// ---- selection and hints --------------------------------------------------------

void CLeftView::OnSelectionChanged()
{
    if (m_nQuiet > 0)
        return;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty())
        EmitSelection(selected.first());
}

void CLeftView::ShowTransponderInPanes(CTransponderData* transponder, bool bringToFront)
{
    CVandrelEdit2028Doc& core = m_document.Core();
    core.m_pCurrentTransponder = transponder;
    if (CSatelliteData* satellite = core.SatelliteOf(transponder))
        core.m_pCurrentSatellite = satellite;
    core.m_pCurrentService = nullptr;
    emit TransponderPropertiesRequested(transponder, bringToFront);
}

void CLeftView::EmitSelection(QTreeWidgetItem* item)
{
    CVandrelEdit2028Doc& core = m_document.Core();
    switch (KindOf(item)) {
    case NodeKind::Satellite:
        if (CSatelliteData* satellite = SatelliteAt(item)) {
            core.m_pCurrentSatellite = satellite;
            core.m_pCurrentTransponder = nullptr;
            core.m_pCurrentService = nullptr;
            emit SatellitePropertiesRequested(satellite, false);
            emit SatelliteSelected(core.m_satellites.IndexOf(satellite));
        }
        break;
    case NodeKind::Transponder:
        if (CTransponderData* transponder = TransponderAt(item)) {
            ShowTransponderInPanes(transponder, false);
            emit TransponderSelected(transponder);
        }
        break;
    case NodeKind::FavouriteGroup: {
        const int index = GroupIndexOf(item);
        if (index >= 0)
            emit FavouriteGroupSelected(index);
        break;
    }
    case NodeKind::SatellitesRoot:
    case NodeKind::FavouritesRoot:
        emit AllChannelsSelected();
        break;
    case NodeKind::None:
        break;
    }
}

void CLeftView::SelectAgain()
{
    // With no current node the window shows all channels itself.
    if (QTreeWidgetItem* item = currentItem())
        EmitSelection(item);
}

void CLeftView::OnViewsUpdate(QObject* sender, int hint, void* object)
{
    (void)sender;
    if (hint == kHintRefillList) {
        // An undo may have renamed or reordered the groups.
        RelabelGroups();
        SelectAgain();
    } else if (hint == kHintCurrentService) {
        m_pShownService = static_cast<CServiceData*>(object);
        RecolourGroups();
    }
}

// ---- colours ------------------------------------------------------------------------

void CLeftView::ApplyColors()
{
    QPalette pal = palette();
    const QColor back = ToQColor(m_settings.m_clrTreeBack);
    const QColor text = ToQColor(m_settings.m_clrTreeText);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, back);
        pal.setColor(group, QPalette::AlternateBase, back);
        pal.setColor(group, QPalette::Window, back);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::WindowText, text);
    }
    setPalette(pal);
    RecolourGroups();
    viewport()->update();
}

void CLeftView::RecolourGroups()
{
    if (!m_hFavouritesRoot)
        return;
    // The shown channel may have left the table since it was announced.
    const CServiceDataArray& services = m_document.Core().m_services;
    const int shown = m_pShownService && services.IndexOf(m_pShownService) >= 0
                          ? GroupIndexOfService(m_pShownService, kGroupCount)
                          : -1;
    for (int i = 0; i < m_hFavouritesRoot->childCount(); ++i) {
        QTreeWidgetItem* item = m_hFavouritesRoot->child(i);
        if (i == shown) {
            item->setForeground(0, kShownGroupText);
            item->setBackground(0, kShownGroupBack);
        } else if (i == m_nMarkedGroup) {
            item->setForeground(0, ToQColor(m_settings.m_clrFavoritenText));
            item->setBackground(0, ToQColor(m_settings.m_clrFavoritenBack));
        } else {
            item->setData(0, Qt::ForegroundRole, QVariant());
            item->setData(0, Qt::BackgroundRole, QVariant());
        }
    }
}

// ---- node menus and commands -----------------------------------------------------------

void CLeftView::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint point = event->pos();
    QPoint global = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        QTreeWidgetItem* current = currentItem();
        if (!current)
            return;
        point = visualItemRect(current).center();
        global = viewport()->mapToGlobal(point);
    }
    m_rightClickPoint = point;
    QTreeWidgetItem* item = itemAt(point);
    if (!item || !item->data(0, Qt::UserRole).isValid())
        return;
    if (QMenu* menu = CreateNodeMenu(item)) {
        menu->popup(global);
        event->accept();
    }
}

QMenu* CLeftView::CreateNodeMenu(QTreeWidgetItem* item)
{
    const NodeKind kind = KindOf(item);
    if (kind == NodeKind::None)
        return nullptr;
    delete m_pMenu;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_pMenu = menu;
    switch (kind) {
    case NodeKind::FavouriteGroup:
        menu->setObjectName(QStringLiteral("Favorit"));
        AddMenuCommand(menu, cmd::kTreeFavSeqNum, QStringLiteral("Fortlaufende Nummerierung"));
        AddMenuCommand(menu, cmd::kTreeRenameGroup, QStringLiteral("Umbenennen"));
        AddMenuCommand(menu, cmd::kTreeMarkGroup, QStringLiteral("Favoriten farblich markieren"));
        AddMenuCommand(menu, cmd::kTreeUnmarkGroup, QStringLiteral("farbliche Favoritenmarkierung entfernen"));
        break;
    case NodeKind::FavouritesRoot:
        menu->setObjectName(QStringLiteral("FavoritHead"));
        AddMenuCommand(menu, cmd::kTreeUnmarkGroup, QStringLiteral("farbliche Favoritenmarkierung entfernen"));
        break;
    case NodeKind::Satellite:
        menu->setObjectName(QStringLiteral("Satellite"));
        AddMenuCommand(menu, cmd::kOnlyActiveSatellites, QStringLiteral("Nur aktive Satelliten auflisten"));
        AddSortMenu(menu);
        AddMenuCommand(menu, cmd::kTreeSatelliteProperties, QStringLiteral("Eigenschaften"));
        break;
    case NodeKind::SatellitesRoot:
        menu->setObjectName(QStringLiteral("SatelliteHead"));
        AddMenuCommand(menu, cmd::kOnlyActiveSatellites, QStringLiteral("Nur aktive Satelliten auflisten"));
        AddSortMenu(menu);
        break;
    case NodeKind::Transponder:
        menu->setObjectName(QStringLiteral("Transponder"));
        AddMenuCommand(menu, cmd::kTreeTransponderProperties, QStringLiteral("Eigenschaften"));
        break;
    case NodeKind::None:
        break;
    }
    menu->setAccessibleName(menu->objectName());
    AssignAccessLetters(menu);
    return menu;
}

void CLeftView::AddSortMenu(QMenu* menu)
{
    QMenu* sort = menu->addMenu(QStringLiteral("Die Satelliten sortieren nach"));
    sort->setObjectName(QStringLiteral("satelliteSortMenu"));
    sort->setAccessibleName(QStringLiteral("Die Satelliten sortieren nach"));
    AddMenuCommand(sort, cmd::kTreeSortOriginal, QStringLiteral("Original"));
    AddMenuCommand(sort, cmd::kTreeSortByName, QStringLiteral("Namen (alphabetisch)"));
    AddMenuCommand(sort, cmd::kTreeSortByPosition, QStringLiteral("Orbitalposition"));
}

QAction* CLeftView::AddMenuCommand(QMenu* menu, int id, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QStringLiteral("treeCmd_%1").arg(id));
    CommandState state;
    bool checkable = false;
    if (id == cmd::kOnlyActiveSatellites) {
        // The window owns the filter; without an answer from it the tree's
        // copy of the flag is shown.
        if (!m_pFallback || !m_pFallback->UpdateCommand(id, state))
            state = CommandState{true, m_bOnlyActive};
        checkable = true;
    } else {
        UpdateCommand(id, state);
        checkable = id == cmd::kTreeFavSeqNum || id == cmd::kTreeSortOriginal || id == cmd::kTreeSortByName ||
                    id == cmd::kTreeSortByPosition;
    }
    action->setCheckable(checkable);
    action->setChecked(checkable && state.checked);
    action->setEnabled(state.enabled);
    connect(action, &QAction::triggered, this, [this, id] { RunMenuCommand(id); });
    return action;
}

void CLeftView::RunMenuCommand(int id)
{
    // Only the menu hands commands on: the window offers its commands to the
    // tree first, so OnCommand itself must never call back into it.
    if (!OnCommand(id) && m_pFallback)
        m_pFallback->OnCommand(id);
}

bool CLeftView::UpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case cmd::kTreeFavSeqNum:
        state = CommandState{true, m_settings.m_nFavSeqNum == 1};
        return true;
    case cmd::kTreeUnmarkGroup:
        state = CommandState{m_nMarkedGroup != -1, false};
        return true;
    case cmd::kTreeSortOriginal:
        state = CommandState{true, m_settings.m_nSatelliteOrder == 2};
        return true;
    case cmd::kTreeSortByName:
        state = CommandState{true, m_settings.m_nSatelliteOrder == 0};
        return true;
    case cmd::kTreeSortByPosition:
        state = CommandState{true, m_settings.m_nSatelliteOrder == 1};
        return true;
    case cmd::kTreeRenameGroup:
    case cmd::kTreeMarkGroup:
    case cmd::kTreeSatelliteProperties:
    case cmd::kTreeTransponderProperties:
        state = CommandState{true, false};
        return true;
    default:
        return false;
    }
}

bool CLeftView::OnCommand(int id)
{
    CVandrelEdit2028Doc& core = m_document.Core();
    switch (id) {
    case cmd::kTreeFavSeqNum:
        m_settings.m_nFavSeqNum = m_settings.m_nFavSeqNum ? 0 : 1;
        emit SequentialNumberingChanged();
        return true;
    case cmd::kTreeRenameGroup:
        StartRename();
        return true;
    case cmd::kTreeMarkGroup: {
        const int index = GroupIndexOf(ItemAtRightClick());
        if (index >= 0) {
            m_nMarkedGroup = index;
            RecolourGroups();
            emit MarkedGroupChanged(index);
        }
        return true;
    }
    case cmd::kTreeUnmarkGroup:
        m_nMarkedGroup = -1;
        RecolourGroups();
        emit MarkedGroupChanged(-1);
        return true;
    case cmd::kTreeSortOriginal:
    case cmd::kTreeSortByName:
    case cmd::kTreeSortByPosition: {
        const int order = id == cmd::kTreeSortOriginal ? 2 : id == cmd::kTreeSortByName ? 0 : 1;
        m_settings.m_nSatelliteOrder = order;
        SortSatellites(order);
        return true;
    }
    case cmd::kTreeSatelliteProperties:
        if (CSatelliteData* satellite = SatelliteAt(ItemAtRightClick())) {
            core.m_pCurrentSatellite = satellite;
            emit SatellitePropertiesRequested(satellite, true);
            setFocus();
        }
        return true;
    case cmd::kTreeTransponderProperties:
        if (CTransponderData* transponder = TransponderAt(ItemAtRightClick())) {
            ShowTransponderInPanes(transponder, true);
            setFocus();
        }
        return true;
    default:
        return false;
    }
}

void CLeftView::StartRename()
{
    QTreeWidgetItem* item = ItemAtRightClick();
    if (!item || !visualItemRect(item).contains(m_rightClickPoint))
        return;
    setCurrentItem(item);
    if (KindOf(item) == NodeKind::FavouriteGroup)
        editItem(item, 0);
}

void CLeftView::CommitRename(const QModelIndex& index, const QString& text)
{
    QTreeWidgetItem* item = itemFromIndex(index);
    CFavoritenData* group = GroupAt(item);
    if (!group)
        return;
    // The field refuses what the name cannot hold; should such a text come
    // anyway, the stored name stays and the node shows it.
    const std::string name = text.toStdString();
    if (CheckInput(GroupNameRule(), kGroupNameLabel, name).verdict == InputVerdict::Accepted)
        m_document.RunChange(QStringLiteral("Favoritengruppe umbenennen"),
                             [group, &name] { group->Rename(name); });
    item->setText(0, QString::fromStdString(group->GetName()));
    emit GroupsChanged();
}

// ---- dragging groups -------------------------------------------------------------------

QTreeWidgetItem* CLeftView::DropItemAt(const QPoint& viewportPos) const
{
    return viewport()->rect().contains(viewportPos) ? itemAt(viewportPos) : nullptr;
}

void CLeftView::SetDropTarget(QTreeWidgetItem* item)
{
    const QModelIndex index = item ? indexFromItem(item) : QModelIndex();
    if (index == m_pDelegate->DropTarget())
        return;
    m_pDelegate->SetDropTarget(index);
    viewport()->update();
}

void CLeftView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // A right click only marks the node for its menu; it selects nothing.
        m_rightClickPoint = pos;
        event->accept();
        return;
    }
    EndGroupDrag();
    if (event->button() == Qt::LeftButton) {
        QTreeWidgetItem* item = itemAt(pos);
        const NodeKind kind = KindOf(item);
        if (kind == NodeKind::Satellite || kind == NodeKind::FavouriteGroup) {
            m_pDragSource = item;
            m_dragStart = pos;
        }
    }
    QTreeWidget::mousePressEvent(event);
}

void CLeftView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pDragSource && (event->buttons() & Qt::LeftButton)) {
        const QPoint pos = event->position().toPoint();
        if (!m_bDragging) {
            if ((pos - m_dragStart).manhattanLength() < QApplication::startDragDistance())
                return;
            m_bDragging = true;
        }
        UpdateGroupDrag(pos);
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bDragging && event->button() == Qt::LeftButton) {
        QTreeWidgetItem* source = m_pDragSource;
        QTreeWidgetItem* target = DropItemAt(event->position().toPoint());
        EndGroupDrag();
        DropGroup(source, target);
        event->accept();
        return;
    }
    m_pDragSource = nullptr;
    QTreeWidget::mouseReleaseEvent(event);
}

void CLeftView::keyPressEvent(QKeyEvent* event)
{
    if (m_bDragging && event->key() == Qt::Key_Escape) {
        EndGroupDrag();
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CLeftView::UpdateGroupDrag(const QPoint& viewportPos)
{
    QTreeWidgetItem* target = DropItemAt(viewportPos);
    auto rootOf = [](QTreeWidgetItem* item) {
        while (item && item->parent())
            item = item->parent();
        return item;
    };
    const bool sameRoot = target && rootOf(target) == rootOf(m_pDragSource);
    SetDropTarget(sameRoot ? target : nullptr);
    viewport()->setCursor(sameRoot ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void CLeftView::EndGroupDrag()
{
    if (m_bDragging)
        viewport()->unsetCursor();
    m_bDragging = false;
    m_pDragSource = nullptr;
    SetDropTarget(nullptr);
}

void CLeftView::DropGroup(QTreeWidgetItem* source, QTreeWidgetItem* target)
{
    // Only a group dropped on another group moves anything; the parent, the
    // node itself and the other root's nodes are no targets.
    if (!source || !target || source == target)
        return;
    const int from = GroupIndexOf(source);
    const int to = GroupIndexOf(target);
    if (from < 0 || to < 0 || from == to)
        return;
    CVandrelEdit2028Doc& core = m_document.Core();
    m_document.RunChange(QStringLiteral("Favoritengruppe verschieben"),
                         [&core, from, to] { MoveFavouriteGroup(core, from, to); });
    RelabelGroups();
    {
        CQuiet quiet(m_nQuiet);
        setCurrentItem(GroupItem(to));
    }
    SelectAgain();
    emit GroupsChanged();
}

// ---- channel rows dragged from the list ---------------------------------------------------

bool CLeftView::HoverRows(const QPoint& globalPos)
{
    QTreeWidgetItem* item = DropItemAt(viewport()->mapFromGlobal(globalPos));
    SetDropTarget(item);
    return GroupIndexOf(item) >= 0;
}

void CLeftView::LeaveRows()
{
    SetDropTarget(nullptr);
}

bool CLeftView::DropRows(const QPoint& globalPos)
{
    const int index = GroupIndexOf(DropItemAt(viewport()->mapFromGlobal(globalPos)));
    SetDropTarget(nullptr);
    if (index < 0)
        return false;
    emit RowsDroppedOnGroup(index);
    return true;
}

PrintJobInput MakePrintJobInput(bool televisionMode, const CLeftView::Node& node)
{
    PrintJobInput in;
    in.radio = !televisionMode;
    switch (node.kind) {
    case CLeftView::NodeKind::Transponder:
        in.selection.transponder = node.transponder;
        break;
    case CLeftView::NodeKind::Satellite:
        in.selection.satelliteIndex = node.satelliteIndex;
        break;
    case CLeftView::NodeKind::FavouriteGroup:
        in.selection.favouriteGroup = node.groupIndex;
        break;
    default:
        // The roots and no node: the window lists every channel of its kind.
        break;
    }
    return in;
}
