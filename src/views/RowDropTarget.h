#pragma once
#include <QPoint>

// A widget outside the channel list that accepts dragged channel rows (the
// tree's favourite groups). The list's drag finds it under the cursor and
// asks it; positions are global screen coordinates.
class IRowDropTarget {
public:
    virtual ~IRowDropTarget() = default;
    // The cursor is over the widget: highlight the node under it; true when
    // rows may be dropped there (the cursor becomes a hand).
    virtual bool HoverRows(const QPoint& globalPos) = 0;
    // The cursor left the widget or the drag ended: clear the highlight.
    virtual void LeaveRows() = 0;
    // The rows were dropped at globalPos; true when the target took them.
    virtual bool DropRows(const QPoint& globalPos) = 0;
};
