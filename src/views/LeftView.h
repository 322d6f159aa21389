#pragma once
#include <QPointer>
#include <QTreeWidget>

#include "uibase/CommandTarget.h"
#include "RowDropTarget.h"
#include "dialogs/PrintCommands.h"
#include "model/SatelliteData.h"
#include "model/TransponderData.h"

class CDocument;
class CFavoritenData;
class CSatelliteData;
class CServiceData;
class CTransponderData;
struct AppSettings;
class CTreeLabelDelegate;
class QMenu;

// The left pane of a document window: the satellites with their
// transponders, and the eight favourite groups. Selecting a node tells the
// window what the channel list shows; the node commands act on the node
// under the last right click.
class CLeftView : public QTreeWidget, public ICommandTarget, public IRowDropTarget {
    Q_OBJECT
public:
    enum class NodeKind { None, SatellitesRoot, Satellite, Transponder, FavouritesRoot, FavouriteGroup };

    CLeftView(CDocument& document, AppSettings& settings, QWidget* parent = nullptr);
    ~CLeftView() override;

    // Rebuilds every node (filter from "SatelliteOnlyAcitve"); selects nothing.
    void BuildTree();
    // Re-selects what is selected, so the window refills its list (hint 1507).
    void SelectAgain();

    NodeKind KindOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* SatellitesRoot() const { return m_hSatellitesRoot; }
    QTreeWidgetItem* FavouritesRoot() const { return m_hFavouritesRoot; }
    QTreeWidgetItem* GroupItem(int groupIndex) const;

    // The current node and what it stands for: the satellite index (also of
    // a transponder's satellite), the transponder, the group index; -1 or
    // null where the node has none.
    struct Node {
        NodeKind kind = NodeKind::None;
        int satelliteIndex = -1;
        CTransponderData* transponder = nullptr;
        int groupIndex = -1;
    };
    Node CurrentNode() const;

    // Colour-marked group (0-7), -1 none; kept equal to the list's.
    int MarkedGroup() const { return m_nMarkedGroup; }
    // The window's copy of the only-active filter (shown by command 32774).
    void SetOnlyActive(bool onlyActive) { m_bOnlyActive = onlyActive; }
    // Sorts the satellites by order 0 (name), 1 (orbital position), 2 (file).
    void SortSatellites(int order);
    // Takes the tree colours from the settings and repaints.
    void ApplyColors();

    // After a pane edit of the transponder: its node gets the new label and
    // the transponders of its satellite are re-sorted by frequency.
    void RelabelTransponder(const CTransponderData* transponder);
    // After a pane edit of the satellite: its node gets the new label and the
    // satellites are re-sorted by "SatelliteOrder".
    void RelabelSatellite(const CSatelliteData* satellite);

    // Node commands (favourite group, satellite and transponder menus).
    bool UpdateCommand(int id, CommandState& state) override;
    bool OnCommand(int id) override;
    // Commands the tree does not handle go here (the document window).
    void SetCommandFallback(ICommandTarget* fallback) { m_pFallback = fallback; }

    // Dragged channel rows: accepted over favourite group nodes.
    bool HoverRows(const QPoint& globalPos) override;
    void LeaveRows() override;
    bool DropRows(const QPoint& globalPos) override;

signals:
    // Selecting nodes: what the list is to show.
    void AllChannelsSelected();
    void SatelliteSelected(int satelliteIndex);
    void TransponderSelected(CTransponderData* transponder);
    void FavouriteGroupSelected(int groupIndex);
    // Command 32789 changed "FavSeqNum"; the list takes it and renumbers.
    void SequentialNumberingChanged();
    void MarkedGroupChanged(int groupIndex);
    // Channel rows were dropped on group groupIndex (0-7).
    void RowsDroppedOnGroup(int groupIndex);
    // A group was renamed or the groups were reordered: the channel pane
    // refreshes its group names.
    void GroupsChanged();
    // The properties commands and node selection: the panes show the
    // document's current records; the commands bring the pane to the front.
    void SatellitePropertiesRequested(CSatelliteData* satellite, bool bringToFront);
    void TransponderPropertiesRequested(CTransponderData* transponder, bool bringToFront);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CSatelliteData* SatelliteAt(const QTreeWidgetItem* item) const;
    CTransponderData* TransponderAt(const QTreeWidgetItem* item) const;
    CFavoritenData* GroupAt(const QTreeWidgetItem* item) const;
    int GroupIndexOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemAtRightClick() const;
    QString SatelliteLabel(const CSatelliteData& satellite) const;

    void OnSelectionChanged();
    void EmitSelection(QTreeWidgetItem* item);
    void ShowTransponderInPanes(CTransponderData* transponder, bool bringToFront);
    void OnViewsUpdate(QObject* sender, int hint, void* object);
    void RelabelGroups();
    void RelabelRecords();
    void RecolourGroups();

    QMenu* CreateNodeMenu(QTreeWidgetItem* item);
    QAction* AddMenuCommand(QMenu* menu, int id, const QString& text);
    void AddSortMenu(QMenu* menu);
    void RunMenuCommand(int id);
    void StartRename();
    void CommitRename(const QModelIndex& index, const QString& text);

    QTreeWidgetItem* DropItemAt(const QPoint& viewportPos) const;
    void SetDropTarget(QTreeWidgetItem* item);
    void UpdateGroupDrag(const QPoint& viewportPos);
    void EndGroupDrag();
    void DropGroup(QTreeWidgetItem* source, QTreeWidgetItem* target);

    CDocument& m_document;
    AppSettings& m_settings;
    ICommandTarget* m_pFallback = nullptr;
    QTreeWidgetItem* m_hSatellitesRoot = nullptr;
    QTreeWidgetItem* m_hFavouritesRoot = nullptr;
    int m_nMarkedGroup = -1;
    bool m_bOnlyActive = true;
    CServiceData* m_pShownService = nullptr;
    QPoint m_rightClickPoint;

    CTreeLabelDelegate* m_pDelegate = nullptr;
    QPointer<QMenu> m_pMenu;
    // While set, selection changes made by the tree itself are not reported.
    int m_nQuiet = 0;
    // Group drag: the pressed node, where the press was, and whether the
    // mouse has moved far enough to make it a drag.
    QTreeWidgetItem* m_pDragSource = nullptr;
    QPoint m_dragStart;
    bool m_bDragging = false;
};

// What a window showing television (or radio) channels prints while its tree
// has node selected.
PrintJobInput MakePrintJobInput(bool televisionMode, const CLeftView::Node& node);
