#include "ListCellDelegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QWidget>
#include <cstring>
#include <optional>

namespace {

// The styles whose item painting this delegate repeats: they draw a plain
// text cell through the common style's code, unchanged.
bool IsPlainCellStyle(const QStyle* style)
{
    const char* name = style->metaObject()->className();
    return std::strcmp(name, "QFusionStyle") == 0 || std::strcmp(name, "QWindowsStyle") == 0;
}

// One line without tabs, breaks or other controls.
bool IsSingleLineText(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029)
            return false;
    }
    return true;
}

bool IsPlainCell(const QStyleOptionViewItem& opt)
{
    using Feature = QStyleOptionViewItem::ViewItemFeature;
    return opt.widget && IsPlainCellStyle(opt.widget->style()) && opt.showDecorationSelected &&
           opt.direction == Qt::LeftToRight && opt.decorationPosition == QStyleOptionViewItem::Left &&
           !(opt.features & (Feature::HasCheckIndicator | Feature::HasDecoration | Feature::WrapText)) &&
           opt.icon.isNull() && !(opt.state & QStyle::State_Editing) && IsSingleLineText(opt.text);
}

// Lays text out in one line of the given width, as the style does; an
// invalid line when the text takes more than one.
QTextLine LayOutOneLine(QTextLayout& layout, const QTextOption& option, int width)
{
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0));
    }
    const bool more = layout.createLine().isValid();
    layout.endLayout();
    return more ? QTextLine() : line;
}

} // namespace

void CListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!IsPlainCell(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = opt.widget;
    const QStyle* style = widget->style();

    // The text on one line, as the style lays it out; one too wide for the
    // cell is elided as the style elides it, at the same place.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = opt.rect.adjusted(margin, 0, -margin, 0);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(opt.direction);
    textOption.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
    QTextLayout layout(opt.text, opt.font);
    std::optional<QTextLayout> elided;
    QPointF position;
    if (!opt.text.isEmpty()) {
        const QTextLine line = LayOutOneLine(layout, textOption, textRect.width());
        const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                     layout.boundingRect().size().toSize(), textRect);
        if (!line.isValid() || line.height() + layoutRect.top() <= textRect.top()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        position = QPointF(textRect.x(), layoutRect.top());
        if (line.naturalTextWidth() > textRect.width()) {
            elided.emplace(QFontMetrics(opt.font).elidedText(opt.text, opt.textElideMode, textRect.width()),
                           opt.font);
            if (!LayOutOneLine(*elided, textOption, textRect.width()).isValid()) {
                QStyledItemDelegate::paint(painter, option, index);
                return;
            }
        }
    }

    painter->save();
    painter->setClipRegion(painter->hasClipping() ? (painter->clipRegion() & opt.rect) : QRegion(opt.rect));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    if (!opt.text.isEmpty()) {
        QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
            group = QPalette::Inactive;
        painter->setPen(
            opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        (elided ? *elided : layout).draw(painter, position);
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor =
            opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
