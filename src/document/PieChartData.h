#pragma once
// The data and the layout arithmetic of the three-dimensional pie chart:
// slices with their shades and shares, the angles they cover, the place of
// the pie and the legend in the chart window. The window only draws.
#include <cstdint>
#include <string>
#include <vector>

// Colours are 0xAARRGGBB.
uint32_t LighterShade(uint32_t argb);
uint32_t DarkerShade(uint32_t argb);

// "%.2f%%" of share * 100, with a leading "0" below ten percent ("04.50%").
std::string FormatLegendPercent(double share);
// The widest text of the legend's percentage column.
inline constexpr const char* kLegendWidestPercent = "100.00%";

// An angle of 360 degrees or more is reduced by 360 until it is below 360.
int ReduceAngle(int degrees);

struct PieSlice {
    std::string key;  // also the legend text
    std::string text;
    double value = 0;
    uint32_t color = 0; // ARGB
    uint32_t lighter = 0;
    uint32_t darker = 0;
};

// Where a slice lies, in degrees clockwise from the positive x axis (3
// o'clock), as seen from above.
struct SliceAngles {
    double start = 0;
    double sweep = 0;
    double Middle() const { return start + sweep / 2; }
};

class CPieChartData {
public:
    // Added only when value is greater than 0 and no slice has the key yet.
    bool AddSlice(const std::string& key, const std::string& text, double value, uint32_t argb);
    void RemoveAll() { m_slices.clear(); }

    const std::vector<PieSlice>& Slices() const { return m_slices; }
    int GetCount() const { return static_cast<int>(m_slices.size()); }
    double Total() const;
    // The slice's value divided by the sum of all values (0 for an empty chart).
    double ShareOf(int index) const;
    std::string LegendPercentOf(int index) const { return FormatLegendPercent(ShareOf(index)); }

    // The first slice starts here; later slices follow in the order added.
    void SetStartAngle(int degrees) { m_nStartAngle = ReduceAngle(degrees); }
    int StartAngle() const { return m_nStartAngle; }
    // How far each slice is pulled out of the centre, in percent of the pie's width.
    void SetSeparation(int percent) { m_nSeparation = percent < 0 ? 0 : percent; }
    int Separation() const { return m_nSeparation; }

    std::vector<SliceAngles> Angles() const;

private:
    std::vector<PieSlice> m_slices;
    int m_nStartAngle = 0;
    int m_nSeparation = 10;
};

struct ChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ChartRect&) const = default;
};

// The chart's rectangle in the statistics dialog's client area.
ChartRect StatisticsChartRect(int clientWidth, int clientHeight);

// The horizontal pie offset the statistics dialog gives its chart.
inline constexpr int kStatisticsPieOffset = 35;

struct PieChartLayout {
    ChartRect pie;    // the square the pie is drawn in
    ChartRect legend; // the legend list at the right of the pie
};

// Recomputed on every resize of the chart window (client size in pixels).
PieChartLayout ComputePieChartLayout(int width, int height, int pieOffset);

// Whether the legend needs its vertical scroll bar (20 pixels wide).
inline constexpr int kLegendScrollBarWidth = 20;
bool LegendNeedsScrollBar(int rowCount, int rowHeight, int legendHeight);

// The drawn pie inside its square: the ellipse of the top face, the depth of
// its side and how far a slice is pulled out, all chosen so that the pulled
// slices and the side stay within the square.
struct PieGeometry {
    double centerX = 0;
    double centerY = 0;
    double width = 0;  // of the top ellipse
    double height = 0; // of the top ellipse
    double depth = 0;  // of the side wall
    double displacement = 0;
    // Offset of a slice pulled out along its middle angle (y grows downwards).
    double OffsetX(const SliceAngles& a) const;
    double OffsetY(const SliceAngles& a) const;
};
PieGeometry ComputePieGeometry(const ChartRect& square, int separationPercent);
