#pragma once
#include "model/ServiceData.h"
#include <QTableView>
#include <memory>
#include <vector>

class CChannelListModel;
class CRowDragController;
class CServiceData;
class ISettingsStore;
class QMenu;
class QPainter;

// The details view of the channel list: a table on CChannelListModel with a
// sortable header whose column widths and order are kept in the settings
// store ("Header\Width", "Header\Order"), a header menu that hides and shows
// columns, auto-sizing, and moving rows by dragging them (inside the list or
// onto a drop target such as the tree). It knows nothing about channels
// beyond the model's rows; the owner gives a drop its meaning.
class CSortListCtrl : public QTableView {
    Q_OBJECT
public:
    CSortListCtrl(CChannelListModel& model, ISettingsStore& store, QWidget* parent = nullptr);
    ~CSortListCtrl() override;

    // Column widths from the store (or the defaults) and the stored order;
    // call once after construction.
    void RestoreColumnOrder();
    int GetStoredWidth(int column, int defaultWidth) const;

    // Sorts the rows as a header click does (without toggling the direction).
    void SortByColumn(int column, bool textComparison);
    // The same in a given direction (the view's sort commands sort ascending).
    void SortByColumn(int column, bool textComparison, bool ascending);
    // The header click: same column toggles the direction, another starts
    // ascending; the arrow follows.
    void OnHeaderClicked(int column);
    // Re-applies the current sort after a fill (column 1 ascending when none).
    void ReapplySort();
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }

    // Header menu entries: hide or show one column.
    void ToggleColumn(int column);
    bool IsColumnVisible(int column) const;
    // Ctrl + numeric-pad plus: every column to its content (not stored).
    void AutoSizeAllColumns();
    // The header menu: one checkable entry per column; the caller owns it.
    QMenu* CreateHeaderMenu(QWidget* parent);
    // The column order as stored: visible columns by display position.
    void StoreColumnOrder();

    // Rows of the selection, top to bottom.
    std::vector<int> SelectedRows() const;
    // Scrolls so the first selected row ends near the middle.
    void EnsureSelectionVisible();

    CRowDragController& DragController() const;
    // Takes the channel colours from the model for the empty area and text.
    void ApplyColors();

    // Store sections of the column widths and the column order.
    static constexpr const char* kWidthSection = "Header\\Width";
    static constexpr const char* kOrderSection = "Header\\Order";

signals:
    // Rows were dragged inside the list: the model's rows have moved already;
    // target is the record of the row they were dropped on, below whether
    // they now stand after it.
    void RowsMoved(CServiceData* target, const std::vector<CServiceData*>& dragged, bool below);
    // Rows were dropped on a row that is itself selected: nothing moved.
    void DropFailed();
    void SortChanged(int column, bool ascending);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

private:
    void OnSectionResized(int column, int oldSize, int newSize);
    void OnSectionMoved(int column, int oldVisual, int newVisual);
    void OnHandleDoubleClicked(int column);
    void StoreWidth(int column);
    void ApplyStoredWidths();
    int DefaultWidth(int column) const;
    void MoveSectionTo(int column, int visual);
    // A reorder of the model's rows drops every index: the selection and the
    // current cell go along with their records.
    void RememberSelection();
    void RestoreSelection();
    // Paints the cells and the grid; false when the layout needs the table's
    // own painting.
    bool PaintCells(QPaintEvent* event, QPainter& painter);

    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    CChannelListModel& m_model;
    ISettingsStore& m_store;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    QPersistentModelIndex m_hoverIndex;
};
