#pragma once
#include <QColor>
#include <QRect>

class QAbstractItemView;
class QPainter;

// The text an empty channel list shows instead of rows: centred, wrapped,
// 10 pixels below the top of the row area.
void PaintEmptyListText(QPainter& painter, const QRect& rowArea, const QColor& textColor);

// The channel colours of the settings on a list's rows: text and background
// where they are set, the style's elsewhere.
void ApplyListColours(QAbstractItemView& view, const QColor& text, const QColor& back);
