#include "RowDragController.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <unordered_map>

#include "ChannelListModel.h"
#include "RowDropTarget.h"
#include "document/ChannelEdits.h"
#include "model/ServiceData.h"

namespace {
// The drag image shows at most this much of the selected rows.
constexpr int kMaxImageWidth = 600;
constexpr int kMaxImageHeight = 400;
} // namespace

// Watches the keys of the whole application while a drag runs, wherever the
// focus is: Escape ends the drag, other keys do nothing meanwhile.
class CRowDragController::CKeyFilter : public QObject {
public:
    explicit CKeyFilter(CRowDragController& owner) : QObject(&owner), m_owner(owner) {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                m_owner.Cancel();
            }
            return true;
        }
        return false;
    }

private:
    CRowDragController& m_owner;
};

CRowDragController::CRowDragController(QAbstractItemView& view, CChannelListModel& model)
    : QObject(&view), m_view(view), m_pViewport(view.viewport()), m_model(model), m_pScrollTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("rowDragController"));
    m_pScrollTimer->setObjectName(QStringLiteral("rowDragScrollTimer"));
    // As fast as the system's timers run.
    m_pScrollTimer->setInterval(1);
    connect(m_pScrollTimer, &QTimer::timeout, this, &CRowDragController::OnScrollTick);
    m_pKeyFilter = new CKeyFilter(*this);
    m_pViewport->installEventFilter(this);
    // A refill takes the dragged rows away.
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this, &CRowDragController::Cancel);
}

CRowDragController::~CRowDragController()
{
    if (m_bDragging) {
        EndDrag();
    }
}

QWidget* CRowDragController::DragImage() const
{
    return m_pImage;
}

bool CRowDragController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pViewport || m_bReplaying) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return OnPress(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return OnMove(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return OnRelease(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return m_bDragging;
    default:
        return false;
    }
}

bool CRowDragController::OnPress(QMouseEvent& event)
{
    if (m_bDragging) {
        return true;
    }
    m_bPressed = false;
    if (event.button() != Qt::LeftButton || (event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        return false;
    }
    const QPoint pos = event.position().toPoint();
    const QModelIndex index = m_view.indexAt(pos);
    if (!index.isValid() || !IsRowSelected(index.row())) {
        return false;
    }
    m_bPressed = true;
    m_pressPos = pos;
    m_pressGlobal = event.globalPosition().toPoint();
    m_pressModifiers = event.modifiers();
    // A plain press would select this row alone at once; with several rows
    // selected the press waits until it is clear that no drag follows.
    m_bPressConsumed = SelectedRows().size() > 1;
    return m_bPressConsumed;
}

bool CRowDragController::OnMove(QMouseEvent& event)
{
    if (m_bDragging) {
        if (!(event.buttons() & Qt::LeftButton)) {
            // The release got lost (a popup took the mouse): drop nothing.
            Cancel();
            return true;
        }
        UpdateDrag(event.globalPosition().toPoint());
        return true;
    }
    if (!m_bPressed) {
        return false;
    }
    if (!(event.buttons() & Qt::LeftButton)) {
        m_bPressed = false;
        return false;
    }
    if ((event.position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        StartDrag();
        if (m_bDragging) {
            UpdateDrag(event.globalPosition().toPoint());
        }
    }
    return true;
}

bool CRowDragController::OnRelease(QMouseEvent& event)
{
    if (m_bDragging) {
        if (event.button() == Qt::LeftButton) {
            Drop(event.globalPosition().toPoint());
        }
        return true;
    }
    if (!m_bPressed) {
        return false;
    }
    m_bPressed = false;
    if (!m_bPressConsumed) {
        return false;
    }
    // No drag came of it: the view gets the click it was kept from.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(m_pressPos), QPointF(m_pressGlobal), Qt::LeftButton,
                      Qt::LeftButton, m_pressModifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, event.position(), event.globalPosition(), Qt::LeftButton,
                        Qt::NoButton, event.modifiers());
    m_bReplaying = true;
    QCoreApplication::sendEvent(m_view.viewport(), &press);
    QCoreApplication::sendEvent(m_view.viewport(), &release);
    m_bReplaying = false;
    return true;
}

void CRowDragController::StartDrag()
{
    m_bPressed = false;
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        return;
    }
    m_dragged.clear();
    for (int row : rows) {
        m_dragged.push_back(m_model.ServiceAt(row));
    }
    m_bDragging = true;
    m_nTargetRow = -1;
    m_pImage = BuildDragImage(rows);
    m_pImage->move(m_pressGlobal + DragImageOffset());
    m_pImage->show();
    qApp->installEventFilter(m_pKeyFilter);
    SetCursorShape(Qt::ForbiddenCursor);
}

void CRowDragController::UpdateDrag(const QPoint& globalPos)
{
    m_lastGlobal = globalPos;
    if (m_pImage != nullptr) {
        m_pImage->move(globalPos + DragImageOffset());
    }
    const QPoint local = m_view.viewport()->mapFromGlobal(globalPos);
    m_nScrollDirection = ScrollDirectionAt(local);
    if (m_nScrollDirection != 0) {
        if (!m_pScrollTimer->isActive()) {
            m_pScrollTimer->start();
        }
    } else {
        m_pScrollTimer->stop();
    }

    if (IsOverList(globalPos)) {
        LeaveTarget();
        SetTargetRow(RowAtClamped(local));
        SetCursorShape(Qt::PointingHandCursor);
        return;
    }
    // While the list scrolls the target follows along its edge.
    SetTargetRow(m_nScrollDirection != 0 ? RowAtClamped(local) : -1);
    QWidget* widget = nullptr;
    IRowDropTarget* target = TargetAt(globalPos, &widget);
    if (target != m_pTarget) {
        LeaveTarget();
        m_pTarget = target;
        m_pTargetWidget = widget;
    }
    const bool accepted = m_pTarget != nullptr && m_pTarget->HoverRows(globalPos);
    SetCursorShape(accepted ? Qt::PointingHandCursor : Qt::ForbiddenCursor);
}

void CRowDragController::Drop(const QPoint& globalPos)
{
    m_pScrollTimer->stop();
    m_nScrollDirection = 0;
    if (IsOverList(globalPos)) {
        const int row = RowAtClamped(m_view.viewport()->mapFromGlobal(globalPos));
        const std::vector<CServiceData*> dragged = m_dragged;
        LeaveTarget();
        EndDrag();
        DropOnList(row, dragged);
        return;
    }
    QWidget* widget = nullptr;
    IRowDropTarget* target = TargetAt(globalPos, &widget);
    if (target != m_pTarget) {
        LeaveTarget();
    }
    m_pTarget = nullptr;
    m_pTargetWidget = nullptr;
    EndDrag();
    if (target != nullptr) {
        target->DropRows(globalPos);
        target->LeaveRows();
    }
}

void CRowDragController::DropOnList(int targetRow, const std::vector<CServiceData*>& records)
{
    if (records.empty() || targetRow < 0 || targetRow >= m_model.rowCount()) {
        return;
    }
    if (IsRowSelected(targetRow)) {
        emit DropFailed();
        return;
    }
    // The rows are found again by their records: the list may have changed
    // since the drag began.
    std::unordered_map<const CServiceData*, int> rowOf;
    for (int r = m_model.rowCount() - 1; r >= 0; --r) {
        rowOf[m_model.ServiceAt(r)] = r;
    }
    std::vector<int> sorted;
    for (CServiceData* s : records) {
        const auto it = rowOf.find(s);
        if (it == rowOf.end()) {
            return;
        }
        sorted.push_back(it->second);
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<CServiceData*> dragged;
    for (int row : sorted) {
        dragged.push_back(m_model.ServiceAt(row));
    }
    CServiceData* target = m_model.ServiceAt(targetRow);
    const bool below = sorted.front() < targetRow;
    const std::vector<int> order = DropRowOrder(m_model.rowCount(), sorted, targetRow);
    m_model.ApplyRowOrder(order);

    // The moved rows now stand together; they stay the selection, the first
    // of them current.
    QItemSelectionModel* selection = m_view.selectionModel();
    const auto firstIt = std::find(order.begin(), order.end(), sorted.front());
    if (selection != nullptr && firstIt != order.end()) {
        const int first = static_cast<int>(firstIt - order.begin());
        const int last = first + static_cast<int>(sorted.size()) - 1;
        const QItemSelection moved(m_model.index(first, 0), m_model.index(last, m_model.columnCount() - 1));
        selection->select(moved, QItemSelectionModel::ClearAndSelect);
        const int column = m_view.currentIndex().isValid() ? m_view.currentIndex().column() : 0;
        selection->setCurrentIndex(m_model.index(first, column), QItemSelectionModel::NoUpdate);
    }
    emit RowsMoved(target, dragged, below);
}

void CRowDragController::Cancel()
{
    m_bPressed = false;
    if (!m_bDragging) {
        return;
    }
    LeaveTarget();
    EndDrag();
}

void CRowDragController::EndDrag()
{
    m_pScrollTimer->stop();
    m_nScrollDirection = 0;
    m_bDragging = false;
    m_bPressed = false;
    qApp->removeEventFilter(m_pKeyFilter);
    SetTargetRow(-1);
    if (m_pImage != nullptr) {
        m_pImage->hide();
        m_pImage->deleteLater();
        m_pImage = nullptr;
    }
    if (m_bCursorSet) {
        QApplication::restoreOverrideCursor();
        m_bCursorSet = false;
    }
    m_dragged.clear();
}

void CRowDragController::OnScrollTick()
{
    if (!m_bDragging || m_nScrollDirection == 0) {
        m_pScrollTimer->stop();
        return;
    }
    QScrollBar* bar = m_scrollOrientation == Qt::Vertical ? m_view.verticalScrollBar() : m_view.horizontalScrollBar();
    bar->triggerAction(m_nScrollDirection < 0 ? QAbstractSlider::SliderSingleStepSub
                                              : QAbstractSlider::SliderSingleStepAdd);
    SetTargetRow(RowAtClamped(m_view.viewport()->mapFromGlobal(m_lastGlobal)));
}

std::vector<int> CRowDragController::SelectedRows() const
{
    std::vector<int> rows;
    if (m_view.selectionModel() == nullptr) {
        return rows;
    }
    for (const QModelIndex& index : m_view.selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool CRowDragController::IsRowSelected(int row) const
{
    const QItemSelectionModel* selection = m_view.selectionModel();
    if (selection == nullptr) {
        return false;
    }
    for (int column = 0; column < m_model.columnCount(); ++column) {
        if (selection->isSelected(m_model.index(row, column))) {
            return true;
        }
    }
    return false;
}

QRect CRowDragController::RowRect(int row) const
{
    if (row < 0 || row >= m_model.rowCount()) {
        return {};
    }
    if (const auto* table = qobject_cast<const QTableView*>(&m_view)) {
        return QRect(0, table->rowViewportPosition(row), m_view.viewport()->width(), table->rowHeight(row));
    }
    int column = 0;
    if (const auto* lv = qobject_cast<const QListView*>(&m_view)) {
        column = lv->modelColumn();
    }
    return m_view.visualRect(m_model.index(row, column));
}

int CRowDragController::RowAtClamped(const QPoint& viewportPos) const
{
    const int count = m_model.rowCount();
    if (count == 0) {
        return -1;
    }
    const QRect area = m_view.viewport()->rect();
    const QPoint p(std::clamp(viewportPos.x(), area.left(), area.right()),
                   std::clamp(viewportPos.y(), area.top(), area.bottom()));
    if (const auto* table = qobject_cast<const QTableView*>(&m_view)) {
        const int row = table->rowAt(p.y());
        return row >= 0 ? row : count - 1;
    }
    const QModelIndex index = m_view.indexAt(p);
    return index.isValid() ? index.row() : count - 1;
}

bool CRowDragController::IsOverList(const QPoint& globalPos) const
{
    return m_view.isVisible() && m_view.rect().contains(m_view.mapFromGlobal(globalPos));
}

int CRowDragController::ScrollDirectionAt(const QPoint& viewportPos) const
{
    const QRect area = m_view.viewport()->rect();
    if (m_scrollOrientation == Qt::Vertical) {
        if (viewportPos.x() < area.left() || viewportPos.x() > area.right()) {
            return 0;
        }
        return viewportPos.y() < area.top() ? -1 : viewportPos.y() > area.bottom() ? 1 : 0;
    }
    if (viewportPos.y() < area.top() || viewportPos.y() > area.bottom()) {
        return 0;
    }
    return viewportPos.x() < area.left() ? -1 : viewportPos.x() > area.right() ? 1 : 0;
}

IRowDropTarget* CRowDragController::TargetAt(const QPoint& globalPos, QWidget** targetWidget) const
{
    for (QWidget* w = QApplication::widgetAt(globalPos); w != nullptr; w = w->parentWidget()) {
        if (w == &m_view) {
            break;
        }
        if (auto* target = dynamic_cast<IRowDropTarget*>(w)) {
            *targetWidget = w;
            return target;
        }
    }
    *targetWidget = nullptr;
    return nullptr;
}

void CRowDragController::SetTargetRow(int row)
{
    if (row == m_nTargetRow) {
        return;
    }
    const QRect old = RowRect(m_nTargetRow);
    m_nTargetRow = row;
    m_view.viewport()->update(old);
    m_view.viewport()->update(RowRect(m_nTargetRow));
}

void CRowDragController::LeaveTarget()
{
    // A target widget that went away in the meantime is not called again.
    if (m_pTarget != nullptr && m_pTargetWidget) {
        m_pTarget->LeaveRows();
    }
    m_pTarget = nullptr;
    m_pTargetWidget = nullptr;
}

void CRowDragController::SetCursorShape(Qt::CursorShape shape)
{
    if (!m_bCursorSet) {
        QApplication::setOverrideCursor(QCursor(shape));
        m_bCursorSet = true;
    } else if (QApplication::overrideCursor() == nullptr || QApplication::overrideCursor()->shape() != shape) {
        QApplication::changeOverrideCursor(QCursor(shape));
    }
}

void CRowDragController::PaintDropTarget(QPainter& painter) const
{
    if (!m_bDragging || m_nTargetRow < 0) {
        return;
    }
    const QRect rect = RowRect(m_nTargetRow);
    if (rect.isEmpty()) {
        return;
    }
    painter.save();
    QColor fill = m_view.palette().color(QPalette::Highlight);
    fill.setAlpha(110);
    painter.fillRect(rect, fill);
    painter.setPen(QPen(m_view.palette().color(QPalette::Highlight), 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    painter.restore();
}

QLabel* CRowDragController::BuildDragImage(const std::vector<int>& rows) const
{
    // The selected rows as they stand on screen, gaps left transparent.
    QWidget* viewport = m_view.viewport();
    const QRect visible = viewport->rect();
    std::vector<QRect> parts;
    QRect bounds;
    for (int row : rows) {
        const QRect r = RowRect(row) & visible;
        if (!r.isEmpty()) {
            parts.push_back(r);
            bounds |= r;
        }
    }
    auto* label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    label->setObjectName(QStringLiteral("rowDragImage"));
    label->setAccessibleName(QStringLiteral("Gezogene Kanäle"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TranslucentBackground);
    if (bounds.isEmpty()) {
        // The rows are scrolled out of sight: their count stands for them.
        label->setText(QString::number(m_dragged.size()));
        label->adjustSize();
        return label;
    }
    bounds.setWidth(std::min(bounds.width(), kMaxImageWidth));
    bounds.setHeight(std::min(bounds.height(), kMaxImageHeight));
    const qreal ratio = viewport->devicePixelRatioF();
    QPixmap image(bounds.size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setOpacity(0.8);
        for (const QRect& r : parts) {
            const QRect part = r & bounds;
            if (!part.isEmpty()) {
                painter.drawPixmap(part.topLeft() - bounds.topLeft(), viewport->grab(part));
            }
        }
    }
    label->setPixmap(image);
    label->resize(bounds.size());
    return label;
}
