#include "SortListCtrl.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <set>

#include "AccessibleCells.h"
#include "ChannelListModel.h"
#include "ListCellDelegate.h"
#include "ListPaint.h"
#include "RowDragController.h"
#include "SelectionRows.h"
#include "document/ChannelEdits.h"
#include "model/AddressIndex.h"
#include "model/ServiceData.h"
#include "uibase/AppSettings.h"

namespace {

std::string ColumnValueName(int n)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "Column%2.2d", n);
    return buf;
}

} // namespace

struct CSortListCtrl::Impl {
    CRowDragController* pDrag = nullptr;
    // Where a hidden column stood and how wide it was.
    std::vector<int> hiddenPosition;
    std::vector<int> hiddenWidth;
    // A divider drag of the user: the left button is down on the header and
    // the sections it resized.
    bool bHeaderPressed = false;
    std::set<int> resizedByUser;
    // Sections moved by the control itself are no user order.
    int nInternalMoves = 0;
    // The selection and the current cell while the rows are reordered.
    std::vector<CServiceData*> keptSelection;
    CServiceData* pKeptCurrent = nullptr;
    int nKeptCurrentColumn = 0;
};

CSortListCtrl::CSortListCtrl(CChannelListModel& model, ISettingsStore& store, QWidget* parent)
    : QTableView(parent), m_pImpl(std::make_unique<Impl>()), m_model(model), m_store(store)
{
    setObjectName(QStringLiteral("channelList"));
    setAccessibleName(QStringLiteral("Kanalliste"));
    setModel(&m_model);
    setItemDelegate(new CListCellDelegate(this));
    ForgetAccessibleCellsOnReset(*this);
    connect(&m_model, &CChannelListModel::RowsAboutToBeReordered, this, &CSortListCtrl::RememberSelection);
    connect(&m_model, &CChannelListModel::RowsReordered, this, &CSortListCtrl::RestoreSelection);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setSortingEnabled(false);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    // Every row equally high, without measuring the rows.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView* header = horizontalHeader();
    header->setObjectName(QStringLiteral("channelListHeader"));
    header->setAccessibleName(QStringLiteral("Spaltenköpfe der Kanalliste"));
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab leaves the rows for the header, whose column menu then opens with
    // Shift+F10 or the menu key, as it does with a right click.
    setTabKeyNavigation(false);
    header->setFocusPolicy(Qt::TabFocus);
    header->viewport()->installEventFilter(this);

    const int count = m_model.columnCount();
    m_pImpl->hiddenPosition.assign(static_cast<size_t>(count), -1);
    m_pImpl->hiddenWidth.assign(static_cast<size_t>(count), 0);
    ApplyStoredWidths();

    connect(header, &QHeaderView::sectionClicked, this, &CSortListCtrl::OnHeaderClicked);
    connect(header, &QHeaderView::sectionResized, this, &CSortListCtrl::OnSectionResized);
    connect(header, &QHeaderView::sectionMoved, this, &CSortListCtrl::OnSectionMoved);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, &CSortListCtrl::OnHandleDoubleClicked);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& pos) {
        std::unique_ptr<QMenu> menu(CreateHeaderMenu(this));
        menu->exec(horizontalHeader()->mapToGlobal(pos));
    });

    m_pImpl->pDrag = new CRowDragController(*this, m_model);
    m_pImpl->pDrag->SetScrollOrientation(Qt::Vertical);
    connect(m_pImpl->pDrag, &CRowDragController::RowsMoved, this, &CSortListCtrl::RowsMoved);
    connect(m_pImpl->pDrag, &CRowDragController::DropFailed, this, &CSortListCtrl::DropFailed);

    connect(&m_model, &CChannelListModel::ColorsChanged, this, &CSortListCtrl::ApplyColors);
    ApplyColors();
}

CSortListCtrl::~CSortListCtrl() = default;

CRowDragController& CSortListCtrl::DragController() const
{
    return *m_pImpl->pDrag;
}

void CSortListCtrl::ApplyColors()
{
    ApplyListColours(*this, m_model.TextColor(), m_model.BackColor());
}

// ---- widths and order ----------------------------------------------------------

int CSortListCtrl::GetStoredWidth(int column, int defaultWidth) const
{
    const int32_t width = m_store.ReadInt(kWidthSection, ColumnValueName(column), defaultWidth);
    return width >= 0 ? width : defaultWidth;
}

int CSortListCtrl::DefaultWidth(int column) const
{
    // The receiver's widths were made for a smaller font; a header should
    // never start cut off, whatever font the desktop uses.
    const QString header = m_model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int needed = horizontalHeader()->fontMetrics().horizontalAdvance(header) + 14;
    return std::max(ChannelColumnDefaultWidth(column), needed);
}

void CSortListCtrl::ApplyStoredWidths()
{
    for (int c = 0; c < m_model.columnCount(); ++c) {
        if (!isColumnHidden(c)) {
            setColumnWidth(c, GetStoredWidth(c, DefaultWidth(c)));
        }
    }
}

void CSortListCtrl::StoreWidth(int column)
{
    if (column >= 0 && column < m_model.columnCount() && !isColumnHidden(column)) {
        m_store.WriteInt(kWidthSection, ColumnValueName(column), columnWidth(column));
    }
}

void CSortListCtrl::MoveSectionTo(int column, int visual)
{
    QHeaderView* header = horizontalHeader();
    const int from = header->visualIndex(column);
    if (from < 0 || from == visual) {
        return;
    }
    ++m_pImpl->nInternalMoves;
    header->moveSection(from, visual);
    --m_pImpl->nInternalMoves;
}

void CSortListCtrl::RestoreColumnOrder()
{
    ApplyStoredWidths();
    const int count = m_model.columnCount();
    std::vector<int> order;
    std::vector<char> named(static_cast<size_t>(count), 0);
    for (int position = 0; position < count; ++position) {
        const int32_t column = m_store.ReadInt(kOrderSection, ColumnValueName(position), -1);
        if (column >= 0 && column < count && !named[static_cast<size_t>(column)]) {
            named[static_cast<size_t>(column)] = 1;
            order.push_back(column);
        }
    }
    if (order.empty()) {
        order = DefaultColumnOrder();
    } else {
        // Columns the stored order does not name (hidden when it was stored)
        // follow at the end, where hiding put them.
        for (int c = 0; c < count; ++c) {
            if (!named[static_cast<size_t>(c)]) {
                order.push_back(c);
            }
        }
    }
    for (int visual = 0; visual < static_cast<int>(order.size()) && visual < count; ++visual) {
        MoveSectionTo(order[static_cast<size_t>(visual)], visual);
    }
}

void CSortListCtrl::StoreColumnOrder()
{
    const QHeaderView* header = horizontalHeader();
    const int count = m_model.columnCount();
    int n = 0;
    for (int visual = 0; visual < count; ++visual) {
        const int column = header->logicalIndex(visual);
        if (column >= 0 && !header->isSectionHidden(column)) {
            m_store.WriteInt(kOrderSection, ColumnValueName(n++), column);
        }
    }
    // Entries of an earlier, longer order would name columns twice.
    for (; n < count; ++n) {
        m_store.Remove(kOrderSection, ColumnValueName(n));
    }
}

void CSortListCtrl::OnSectionResized(int column, int /*oldSize*/, int /*newSize*/)
{
    if (m_pImpl->bHeaderPressed) {
        m_pImpl->resizedByUser.insert(column);
    }
}

void CSortListCtrl::OnSectionMoved(int /*column*/, int /*oldVisual*/, int /*newVisual*/)
{
    if (m_pImpl->nInternalMoves == 0) {
        StoreColumnOrder();
    }
}

void CSortListCtrl::OnHandleDoubleClicked(int column)
{
    resizeColumnToContents(column);
    StoreWidth(column);
}

bool CSortListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pImpl->bHeaderPressed = true;
            m_pImpl->resizedByUser.clear();
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The divider drag is finished: its widths are the user's.
            m_pImpl->bHeaderPressed = false;
            const std::set<int> resized = std::move(m_pImpl->resizedByUser);
            m_pImpl->resizedByUser.clear();
            for (int column : resized) {
                StoreWidth(column);
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

// ---- hiding columns ----------------------------------------------------------

bool CSortListCtrl::IsColumnVisible(int column) const
{
    return column >= 0 && column < m_model.columnCount() && !isColumnHidden(column);
}

void CSortListCtrl::ToggleColumn(int column)
{
    if (column < 0 || column >= m_model.columnCount()) {
        return;
    }
    QHeaderView* header = horizontalHeader();
    const auto c = static_cast<size_t>(column);
    if (!isColumnHidden(column)) {
        m_pImpl->hiddenPosition[c] = header->visualIndex(column);
        m_pImpl->hiddenWidth[c] = columnWidth(column);
        MoveSectionTo(column, m_model.columnCount() - 1);
        header->hideSection(column);
    } else {
        header->showSection(column);
        const int position = std::clamp(m_pImpl->hiddenPosition[c], 0, m_model.columnCount() - 1);
        MoveSectionTo(column, position);
        const int width = m_pImpl->hiddenWidth[c];
        setColumnWidth(column, width > 0 ? width : GetStoredWidth(column, DefaultWidth(column)));
    }
}

QMenu* CSortListCtrl::CreateHeaderMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("channelListHeaderMenu"));
    menu->setAccessibleName(QStringLiteral("Spalten"));
    for (int c = 0; c < m_model.columnCount(); ++c) {
        QAction* action = menu->addAction(QString::fromUtf8(ChannelColumnHeader(c)));
        action->setObjectName(QStringLiteral("headerColumn%1").arg(c, 2, 10, QLatin1Char('0')));
        action->setCheckable(true);
        action->setChecked(IsColumnVisible(c));
        action->setData(c);
        connect(action, &QAction::triggered, this, [this, c] { ToggleColumn(c); });
    }
    return menu;
}

void CSortListCtrl::AutoSizeAllColumns()
{
    for (int c = 0; c < m_model.columnCount(); ++c) {
        if (!isColumnHidden(c)) {
            resizeColumnToContents(c);
        }
    }
}

// ---- sorting -------------------------------------------------------------------

void CSortListCtrl::SortByColumn(int column, bool textComparison)
{
    SortByColumn(column, textComparison, m_bSortAscending);
}

void CSortListCtrl::SortByColumn(int column, bool textComparison, bool ascending)
{
    if (column < 0 || column >= m_model.columnCount()) {
        return;
    }
    const bool changed = column != m_nSortColumn || ascending != m_bSortAscending;
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_model.SortRows(column, ascending, textComparison);
    QApplication::restoreOverrideCursor();
    if (changed) {
        emit SortChanged(column, ascending);
    }
}

void CSortListCtrl::OnHeaderClicked(int column)
{
    const bool ascending = column == m_nSortColumn ? !m_bSortAscending : true;
    SortByColumn(column, IsTextColumn(column), ascending);
    EnsureSelectionVisible();
}

void CSortListCtrl::ReapplySort()
{
    if (m_nSortColumn < 0) {
        // Nothing chosen yet: by number, and the header shows no arrow.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_model.SortRows(kColNumber, true, IsTextColumn(kColNumber));
        QApplication::restoreOverrideCursor();
        return;
    }
    SortByColumn(m_nSortColumn, IsTextColumn(m_nSortColumn), m_bSortAscending);
}

// ---- selection -------------------------------------------------------------------

void CSortListCtrl::RememberSelection()
{
    m_pImpl->keptSelection.clear();
    for (int row : SelectedRows()) {
        m_pImpl->keptSelection.push_back(m_model.ServiceAt(row));
    }
    const QModelIndex current = currentIndex();
    m_pImpl->pKeptCurrent = current.isValid() ? m_model.ServiceAt(current.row()) : nullptr;
    m_pImpl->nKeptCurrentColumn = current.isValid() ? current.column() : 0;
}

void CSortListCtrl::RestoreSelection()
{
    std::vector<int> rows;
    int currentRow = -1;
    // A refill keeps nothing selected: no need to look through its rows.
    if (!m_pImpl->keptSelection.empty() || m_pImpl->pKeptCurrent != nullptr) {
        CAddressIndex<int> rowOf(static_cast<size_t>(m_model.rowCount()));
        for (int r = 0; r < m_model.rowCount(); ++r) {
            rowOf.Insert(m_model.ServiceAt(r), r);
        }
        for (const CServiceData* s : m_pImpl->keptSelection) {
            if (const int* row = rowOf.Find(s)) {
                rows.push_back(*row);
            }
        }
        std::sort(rows.begin(), rows.end());
        if (m_pImpl->pKeptCurrent != nullptr) {
            if (const int* row = rowOf.Find(m_pImpl->pKeptCurrent)) {
                currentRow = *row;
            }
        }
    }
    selectionModel()->select(RowRanges(m_model, rows), QItemSelectionModel::ClearAndSelect);
    if (currentRow >= 0) {
        selectionModel()->setCurrentIndex(m_model.index(currentRow, m_pImpl->nKeptCurrentColumn),
                                          QItemSelectionModel::NoUpdate);
    }
    m_pImpl->keptSelection.clear();
    m_pImpl->pKeptCurrent = nullptr;
}

std::vector<int> CSortListCtrl::SelectedRows() const
{
    return SelectedRowsOf(selectionModel());
}

void CSortListCtrl::EnsureSelectionVisible()
{
    const std::vector<int> selected = SelectedRows();
    const int n = m_model.rowCount();
    if (selected.empty() || n == 0) {
        return;
    }
    const int f = selected.front();
    const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
    const int p = std::max(viewport()->height() / rowHeight, 1);
    int column = columnAt(0);
    if (column < 0) {
        column = horizontalHeader()->logicalIndex(0);
    }
    // Both ends of a page around f first, then f: f ends near the middle.
    scrollTo(m_model.index(std::max(0, f - (p - 1) / 2), column));
    scrollTo(m_model.index(std::clamp(f + (p - 1) / 2 - 1, 0, n - 1), column));
    scrollTo(m_model.index(f, column));
}

// ---- painting and keys ---------------------------------------------------------

void CSortListCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (!PaintCells(event, painter)) {
        painter.end();
        QTableView::paintEvent(event);
        painter.begin(viewport());
    }
    if (m_model.rowCount() == 0) {
        PaintEmptyListText(painter, viewport()->rect(), palette().color(QPalette::Text));
    }
    m_pImpl->pDrag->PaintDropTarget(painter);
}

QModelIndex CSortListCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // A list of rows: Home and End go to the first and last row, as in a
    // list control, not to the first and last column of the row.
    if ((action == MoveHome || action == MoveEnd) && !(modifiers & Qt::ControlModifier)) {
        const QModelIndex target = QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
        if (target.isValid() && currentIndex().isValid())
            return model()->index(target.row(), currentIndex().column());
        return target;
    }
    return QTableView::moveCursor(action, modifiers);
}

void CSortListCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Plus && (event->modifiers() & Qt::ControlModifier) &&
        (event->modifiers() & Qt::KeypadModifier)) {
        AutoSizeAllColumns();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
