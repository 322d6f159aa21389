#include "PieChartWnd.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace {

class CPieChartAccessible : public QAccessibleWidget {
public:
    explicit CPieChartAccessible(CPieChartWnd* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* chart = static_cast<const CPieChartWnd*>(widget());
        if (t == QAccessible::Description) {
            return chart->LegendSummary();
        }
        if (t == QAccessible::Name && chart->accessibleName().isEmpty()) {
            return chart->Title();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* PieChartAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CPieChartWnd") && object != nullptr && object->isWidgetType()) {
        return new CPieChartAccessible(static_cast<CPieChartWnd*>(object));
    }
    return nullptr;
}

QColor FromArgb(uint32_t argb)
{
    return QColor::fromRgba(argb);
}

// Clockwise degrees from 3 o'clock to Qt's counter-clockwise sixteenths.
int QtAngle(double clockwiseDegrees)
{
    return static_cast<int>(std::lround(-clockwiseDegrees * 16));
}

constexpr int kLegendBox = 12;
constexpr int kLegendGap = 8;

} // namespace

CPieChartWnd::CPieChartWnd(const QString& title, const QRect& rect, QWidget* parent)
    : QWidget(parent), m_strTitle(title), m_clrBackground(palette().color(QPalette::Button))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PieChartAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;

    setObjectName(QStringLiteral("pieChart"));
    setAccessibleName(title);
    m_pLegendScroll = new QScrollBar(Qt::Vertical, this);
    m_pLegendScroll->setObjectName(QStringLiteral("legendScrollBar"));
    m_pLegendScroll->setAccessibleName(QStringLiteral("Legende blättern"));
    m_pLegendScroll->hide();
    connect(m_pLegendScroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setGeometry(rect);
    UpdateLayout();
}

bool CPieChartWnd::AddSlice(const QString& key, const QString& text, double value, QRgb argb)
{
    const bool added = m_data.AddSlice(key.toStdString(), text.toStdString(), value, argb);
    if (added) {
        UpdateLayout();
        update();
    }
    return added;
}

void CPieChartWnd::RemoveAllSlices()
{
    m_data.RemoveAll();
    UpdateLayout();
    update();
}

void CPieChartWnd::SetStartAngle(int degrees)
{
    m_data.SetStartAngle(degrees);
    update();
}

void CPieChartWnd::SetSliceSeparation(int percent)
{
    m_data.SetSeparation(percent);
    update();
}

void CPieChartWnd::SetBackgroundColor(const QColor& color)
{
    m_clrBackground = color;
    update();
}

void CPieChartWnd::SetPieOffset(int pixels)
{
    m_nPieOffset = pixels;
    UpdateLayout();
    update();
}

int CPieChartWnd::LegendRowHeight() const
{
    return std::max(fontMetrics().height(), kLegendBox) + 6;
}

QString CPieChartWnd::LegendSummary() const
{
    QStringList parts;
    for (int i = 0; i < m_data.GetCount(); ++i) {
        parts << QStringLiteral("%1 %2").arg(QString::fromStdString(m_data.Slices()[static_cast<size_t>(i)].key),
                                             QString::fromStdString(m_data.LegendPercentOf(i)));
    }
    return parts.join(QStringLiteral(", "));
}

void CPieChartWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateLayout();
}

void CPieChartWnd::UpdateLayout()
{
    m_layout = ComputePieChartLayout(width(), height(), m_nPieOffset);
    const ChartRect& legend = m_layout.legend;
    const int rowHeight = LegendRowHeight();
    const bool scroll = LegendNeedsScrollBar(m_data.GetCount(), rowHeight, legend.Height());
    if (scroll) {
        const int visibleRows = std::max(1, legend.Height() / rowHeight);
        m_pLegendScroll->setRange(0, std::max(0, m_data.GetCount() - visibleRows));
        m_pLegendScroll->setPageStep(visibleRows);
        m_pLegendScroll->setGeometry(legend.right - kLegendScrollBarWidth, legend.top, kLegendScrollBarWidth,
                                     legend.Height());
    } else {
        m_pLegendScroll->setValue(0);
    }
    m_pLegendScroll->setVisible(scroll);
}

void CPieChartWnd::wheelEvent(QWheelEvent* event)
{
    if (m_pLegendScroll->isVisible()) {
        m_pLegendScroll->setValue(m_pLegendScroll->value() - event->angleDelta().y() / 120);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

void CPieChartWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_clrBackground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    p.setFont(titleFont);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(QRect(0, 0, width(), std::min(height(), m_layout.pie.top)), Qt::AlignCenter, m_strTitle);

    p.setFont(font());
    DrawPie(p);
    DrawLegend(p);
}

void CPieChartWnd::DrawPie(QPainter& p) const
{
    if (m_data.GetCount() == 0) {
        return;
    }
    const PieGeometry g = ComputePieGeometry(m_layout.pie, m_data.Separation());
    const std::vector<SliceAngles> angles = m_data.Angles();
    const auto topRect = [&](size_t i, double drop) {
        return QRectF(g.centerX - g.width / 2 + g.OffsetX(angles[i]), g.centerY - g.height / 2 + g.OffsetY(angles[i]) + drop,
                      g.width, g.height);
    };
    // The side wall: the slice stacked downwards in its darker shade, from
    // the bottom up, then every top face over all walls.
    const int depth = static_cast<int>(std::lround(g.depth));
    for (int d = depth; d > 0; --d) {
        for (size_t i = 0; i < angles.size(); ++i) {
            const QColor dark = FromArgb(m_data.Slices()[i].darker);
            p.setPen(Qt::NoPen);
            // Deeper layers a little darker, so the wall reads as a curved side.
            p.setBrush(dark.darker(100 + 40 * d / std::max(1, depth)));
            p.drawPie(topRect(i, d), QtAngle(angles[i].start), QtAngle(angles[i].sweep));
        }
    }
    for (size_t i = 0; i < angles.size(); ++i) {
        const PieSlice& s = m_data.Slices()[i];
        const QRectF r = topRect(i, 0);
        QLinearGradient shade(r.topLeft(), r.bottomRight());
        shade.setColorAt(0, FromArgb(s.lighter));
        shade.setColorAt(0.6, FromArgb(s.color));
        p.setBrush(shade);
        p.setPen(QPen(FromArgb(s.darker), 1));
        if (angles[i].sweep >= 360) {
            p.drawEllipse(r);
        } else {
            p.drawPie(r, QtAngle(angles[i].start), QtAngle(angles[i].sweep));
        }
    }
}

void CPieChartWnd::DrawLegend(QPainter& p) const
{
    const ChartRect& l = m_layout.legend;
    int right = l.right;
    if (m_pLegendScroll->isVisible()) {
        right -= kLegendScrollBarWidth;
    }
    const int rowHeight = LegendRowHeight();
    const int percentWidth = fontMetrics().horizontalAdvance(QString::fromUtf8(kLegendWidestPercent));
    p.save();
    p.setClipRect(QRect(l.left, l.top, std::max(0, right - l.left), l.Height()));
    int y = l.top;
    for (int i = m_pLegendScroll->isVisible() ? m_pLegendScroll->value() : 0; i < m_data.GetCount(); ++i) {
        const PieSlice& s = m_data.Slices()[static_cast<size_t>(i)];
        const QRect box(l.left, y + (rowHeight - kLegendBox) / 2, kLegendBox, kLegendBox);
        p.setPen(QPen(FromArgb(s.darker), 1));
        p.setBrush(FromArgb(s.color));
        p.drawRect(box);
        p.setPen(palette().color(QPalette::ButtonText));
        const QRect percent(right - percentWidth, y, percentWidth, rowHeight);
        const QRect text(box.right() + kLegendGap, y, std::max(0, percent.left() - kLegendGap - box.right() - kLegendGap),
                         rowHeight);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(QString::fromStdString(s.key), Qt::ElideRight, text.width()));
        p.drawText(percent, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(m_data.LegendPercentOf(i)));
        y += rowHeight;
        if (y >= l.bottom) {
            break;
        }
    }
    p.restore();
}
