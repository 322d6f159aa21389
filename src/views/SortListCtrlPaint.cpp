// The cells of the channel list, painted as QTableView paints them, except
// that whether a cell is selected is looked up once per paint for the rows on
// screen. QItemSelectionModel::isSelected walks every selected range for every
// cell; after an undo that selects a thousand scattered rows that walk was the
// larger part of the repaint.
#include "SortListCtrl.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

// Selected cells of the rows first..last (logical and visual rows are the
// same: the list never moves or hides rows), one flag per row and column.
class CSelectedCells {
public:
    CSelectedCells(const QItemSelectionModel* selection, int first, int last, int columns)
        : m_nFirst(first), m_nColumns(columns),
          m_flags(static_cast<size_t>(std::max(0, last - first + 1)) * static_cast<size_t>(columns), false)
    {
        if (!selection)
            return;
        for (const QItemSelectionRange& range : selection->selection()) {
            const int top = std::max(range.top(), first);
            const int bottom = std::min(range.bottom(), last);
            const int left = std::max(range.left(), 0);
            const int right = std::min(range.right(), columns - 1);
            for (int row = top; row <= bottom; ++row)
                for (int column = left; column <= right; ++column)
                    m_flags[Slot(row, column)] = true;
        }
    }
    bool Contains(int row, int column) const { return m_flags[Slot(row, column)]; }

private:
    size_t Slot(int row, int column) const
    {
        return static_cast<size_t>(row - m_nFirst) * static_cast<size_t>(m_nColumns) + static_cast<size_t>(column);
    }
    int m_nFirst;
    int m_nColumns;
    std::vector<bool> m_flags;
};

} // namespace

bool CSortListCtrl::PaintCells(QPaintEvent* event, QPainter& painter)
{
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* columns = horizontalHeader();
    // Right to left and moved or hidden rows take the table's general path.
    if (isRightToLeft() || rows->sectionsMoved() || rows->sectionsHidden())
        return false;
    QAbstractItemModel* source = model();
    if (!source || columns->count() == 0 || rows->count() == 0)
        return true;

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int gridSize = showGrid() ? 1 : 0;
    const QColor gridColor =
        QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QPen gridPen(gridColor, 1, gridStyle());
    const bool alternate = alternatingRowColors();
    const int right = columns->length() - columns->offset() - 1;
    const int bottom = rows->length() - rows->offset() - 1;

    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();

    for (QRect area : event->region()) {
        area.setBottom(std::min(area.bottom(), bottom));
        area.setRight(std::min(area.right(), right));
        if (!area.isValid())
            continue;
        int firstColumn = columns->visualIndexAt(area.left());
        int lastColumn = columns->visualIndexAt(area.right());
        if (firstColumn == -1)
            firstColumn = 0;
        if (lastColumn == -1)
            lastColumn = columns->count() - 1;
        int lastRow = rows->visualIndexAt(area.bottom());
        if (lastRow == -1)
            lastRow = rows->count() - 1;
        const int firstRow = rows->visualIndexAt(area.top());
        if (firstRow == -1 || firstRow > lastRow)
            continue;

        const CSelectedCells selected(selectionModel(), firstRow, lastRow, source->columnCount());
        bool alternateBase = (firstRow & 1) && alternate;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int rowY = rowViewportPosition(row);
            const int rowHeight = this->rowHeight(row) - gridSize;
            for (int visual = firstColumn; visual <= lastColumn; ++visual) {
                const int column = columns->logicalIndex(visual);
                if (columns->isSectionHidden(column))
                    continue;
                const QModelIndex index = source->index(row, column, rootIndex());
                if (!index.isValid())
                    continue;
                QStyleOptionViewItem cell = option;
                cell.rect = QRect(columnViewportPosition(column), rowY, columnWidth(column) - gridSize, rowHeight);
                if (alternate) {
                    if (alternateBase)
                        cell.features |= QStyleOptionViewItem::Alternate;
                    else
                        cell.features &= ~QStyleOptionViewItem::Alternate;
                }
                const Qt::ItemFlags flags = source->flags(index);
                if (selected.Contains(row, column) && (flags & Qt::ItemIsSelectable))
                    cell.state |= QStyle::State_Selected;
                if (index == m_hoverIndex)
                    cell.state |= QStyle::State_MouseOver;
                if (option.state & QStyle::State_Enabled) {
                    QPalette::ColorGroup group = QPalette::Normal;
                    if (!(flags & Qt::ItemIsEnabled)) {
                        cell.state &= ~QStyle::State_Enabled;
                        group = QPalette::Disabled;
                    }
                    cell.palette.setCurrentColorGroup(group);
                }
                if (focus && index == current)
                    cell.state |= QStyle::State_HasFocus;
                style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, &painter, this);
                itemDelegateForIndex(index)->paint(&painter, cell, index);
            }
            alternateBase = !alternateBase && alternate;
        }

        if (gridSize) {
            // A solid grid line is a rectangle one pixel wide; filling it
            // gives the pen's pixels without stroking a path for each line.
            const bool solid = gridStyle() == Qt::SolidLine;
            const QPen old = painter.pen();
            painter.setPen(gridPen);
            const auto line = [&](int x1, int y1, int x2, int y2) {
                if (solid)
                    painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), gridColor);
                else
                    painter.drawLine(QLineF(x1, y1, x2, y2));
            };
            for (int row = firstRow; row <= lastRow; ++row) {
                const int y = rowViewportPosition(row) + rowHeight(row) - gridSize;
                line(area.left(), y, area.right(), y);
            }
            for (int visual = firstColumn; visual <= lastColumn; ++visual) {
                const int column = columns->logicalIndex(visual);
                if (columns->isSectionHidden(column))
                    continue;
                const int x = columnViewportPosition(column) + columnWidth(column) - gridSize;
                line(x, area.top(), x, area.bottom());
            }
            painter.setPen(old);
        }
    }
    return true;
}

QRegion CSortListCtrl::visualRegionForSelection(const QItemSelection& selection) const
{
    // Hundreds of scattered rows (an undo selects what it brought back): the
    // visible area is quicker to name than a rectangle for each row, and
    // repainting it is what follows anyway.
    if (selection.size() > 64)
        return QRegion(viewport()->rect());
    return QTableView::visualRegionForSelection(selection);
}

bool CSortListCtrl::viewportEvent(QEvent* event)
{
    // The cell under the mouse, as the view tracks it for its own painting.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        m_hoverIndex = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
        m_hoverIndex = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}
