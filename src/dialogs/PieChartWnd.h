#pragma once
#include <QColor>
#include <QWidget>

#include "document/PieChartData.h"

class QScrollBar;

// A three-dimensional pie chart with a title and a legend at its right.
// The slices, their shades and shares and the layout come from
// CPieChartData; this window draws them (anti-aliased) and scrolls the
// legend when its rows do not fit. Screen readers see it as a chart whose
// description lists the legend.
class CPieChartWnd : public QWidget {
    Q_OBJECT
public:
    CPieChartWnd(const QString& title, const QRect& rect, QWidget* parent = nullptr);

    // argb is 0xAARRGGBB. Returns whether the slice was added (value above
    // 0, key not used yet).
    bool AddSlice(const QString& key, const QString& text, double value, QRgb argb);
    void RemoveAllSlices();
    void SetStartAngle(int degrees);
    void SetSliceSeparation(int percent);
    void SetBackgroundColor(const QColor& color);
    // Moves the pie right within the chart window.
    void SetPieOffset(int pixels);

    const CPieChartData& Data() const { return m_data; }
    QString Title() const { return m_strTitle; }
    QColor BackgroundColor() const { return m_clrBackground; }
    int PieOffset() const { return m_nPieOffset; }
    // The layout for the current size, as last computed on a resize.
    const PieChartLayout& Layout() const { return m_layout; }
    QScrollBar* LegendScrollBar() const { return m_pLegendScroll; }
    int LegendRowHeight() const;
    // "key  share" per slice, for the accessible description.
    QString LegendSummary() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateLayout();
    void DrawPie(QPainter& p) const;
    void DrawLegend(QPainter& p) const;

    CPieChartData m_data;
    QString m_strTitle;
    QColor m_clrBackground;
    int m_nPieOffset = 0;
    PieChartLayout m_layout;
    QScrollBar* m_pLegendScroll = nullptr;
};
