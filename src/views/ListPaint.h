#pragma once
#include <QColor>
#include <QRect>

class QPainter;

// The text an empty channel list shows instead of rows: centred, wrapped,
// 10 pixels below the top of the row area.
void PaintEmptyListText(QPainter& painter, const QRect& rowArea, const QColor& textColor);
