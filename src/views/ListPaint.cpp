#include "ListPaint.h"

#include <QAbstractItemView>

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

void ApplyListColours(QAbstractItemView& view, const QColor& text, const QColor& back)
{
    QPalette pal = view.palette();
    if (text.isValid())
        pal.setColor(QPalette::Text, text);
    if (back.isValid())
        pal.setColor(QPalette::Base, back);
    view.setPalette(pal);
    view.viewport()->update();
}
