#include "ListPaint.h"

#include <QPainter>

#include "ChannelListModel.h"

void PaintEmptyListText(QPainter& painter, const QRect& rowArea, const QColor& textColor)
{
    painter.save();
    painter.setPen(textColor);
    painter.drawText(rowArea.adjusted(0, 10, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromUtf8(CChannelListModel::kEmptyListText));
    painter.restore();
}
