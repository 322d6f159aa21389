#pragma once
#include <QStyledItemDelegate>

// Paints a cell of the channel list as the item delegate and the style do,
// but lays its text out once instead of three times (the style measures the
// text for the cell's layout, again for eliding and again for drawing). A
// text on several lines, a check box, an icon, another style or anything
// else out of the ordinary is left to the style.
class CListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
