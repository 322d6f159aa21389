#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <vector>
#include "model/ServiceData.h"

class CChannelListModel;
class CServiceData;
class IRowDropTarget;
class QAbstractItemView;
class QLabel;
class QMouseEvent;
class QPainter;
class QTimer;
class QWidget;

// Moves rows of a channel list by dragging them with the mouse, for the
// details table and the list/icon view alike. It watches the view's
// viewport, which keeps the mouse grab while the button is down, so the whole
// drag runs on ordinary mouse events: a drag image follows the cursor, the
// row under it is highlighted, a widget outside the list that is an
// IRowDropTarget is asked whether it accepts, and the list scrolls when the
// cursor leaves the rows. A drop on the list reorders the model's rows.
class CRowDragController : public QObject {
    Q_OBJECT
public:
    CRowDragController(QAbstractItemView& view, CChannelListModel& model);
    ~CRowDragController() override;

    // Which way the list scrolls when the cursor leaves the rows: vertical
    // for rows below each other, horizontal for columns of names.
    void SetScrollOrientation(Qt::Orientation orientation) { m_scrollOrientation = orientation; }
    Qt::Orientation ScrollOrientation() const { return m_scrollOrientation; }

    bool IsDragging() const { return m_bDragging; }
    // The row shown as drop target, -1 when none.
    int DropTargetRow() const { return m_nTargetRow; }
    // The drag image while a drag runs, else null.
    QWidget* DragImage() const;
    // -1 up or left, 1 down or right, 0 when the list does not scroll.
    int AutoScrollDirection() const { return m_nScrollDirection; }

    // Ends a running drag without dropping (Escape).
    void Cancel();
    // The view calls this at the end of its paint event, on its viewport.
    void PaintDropTarget(QPainter& painter) const;

    // The distance from the cursor to the drag image's top left corner.
    static QPoint DragImageOffset() { return {40, -5}; }

signals:
    // The rows were dropped on the row of target and have moved already;
    // below tells whether they now stand after it.
    void RowsMoved(CServiceData* target, const std::vector<CServiceData*>& dragged, bool below);
    // The rows were dropped on a row that is itself selected: nothing moved.
    void DropFailed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class CKeyFilter;

    bool OnPress(QMouseEvent& event);
    bool OnMove(QMouseEvent& event);
    bool OnRelease(QMouseEvent& event);
    void StartDrag();
    void UpdateDrag(const QPoint& globalPos);
    void Drop(const QPoint& globalPos);
    void DropOnList(int targetRow, const std::vector<CServiceData*>& records);
    void EndDrag();
    void OnScrollTick();

    std::vector<int> SelectedRows() const;
    bool IsRowSelected(int row) const;
    QRect RowRect(int row) const;
    // The row under a viewport point pulled into the viewport; past the
    // last row the last row.
    int RowAtClamped(const QPoint& viewportPos) const;
    bool IsOverList(const QPoint& globalPos) const;
    int ScrollDirectionAt(const QPoint& viewportPos) const;
    IRowDropTarget* TargetAt(const QPoint& globalPos, QWidget** targetWidget) const;
    void SetTargetRow(int row);
    void LeaveTarget();
    void SetCursorShape(Qt::CursorShape shape);
    QLabel* BuildDragImage(const std::vector<int>& rows) const;

    QAbstractItemView& m_view;
    // Kept apart from m_view: while the view is being destroyed its viewport
    // still sends events here, and the view must not be asked for it then.
    QWidget* const m_pViewport;
    CChannelListModel& m_model;
    Qt::Orientation m_scrollOrientation = Qt::Vertical;

    // The press that may become a drag.
    bool m_bPressed = false;
    bool m_bPressConsumed = false;
    bool m_bReplaying = false;
    QPoint m_pressPos;
    QPoint m_pressGlobal;
    Qt::KeyboardModifiers m_pressModifiers;

    bool m_bDragging = false;
    std::vector<CServiceData*> m_dragged; // top to bottom
    int m_nTargetRow = -1;
    IRowDropTarget* m_pTarget = nullptr;
    QPointer<QWidget> m_pTargetWidget;
    QLabel* m_pImage = nullptr;
    QTimer* m_pScrollTimer = nullptr;
    QObject* m_pKeyFilter = nullptr;
    int m_nScrollDirection = 0;
    QPoint m_lastGlobal;
    bool m_bCursorSet = false;
};
