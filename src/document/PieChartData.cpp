#include "PieChartData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979323846;
// The pie is seen from above at a slant: the top face is an ellipse this
// much flatter than wide, standing on a side wall of this relative depth.
constexpr double kTilt = 0.55;
constexpr double kDepth = 0.12;

uint32_t Channel(uint32_t argb, int shift)
{
    return (argb >> shift) & 0xFFu;
}

uint32_t Opaque(uint32_t r, uint32_t g, uint32_t b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

uint32_t Lighter(uint32_t c)
{
    return std::min<uint32_t>(255, c + (255 - c) * 120 / 255);
}

uint32_t Darker(uint32_t c)
{
    const int v = static_cast<int>(c) - static_cast<int>(c) * 10 / 255;
    return static_cast<uint32_t>(std::max(0, v));
}

} // namespace

uint32_t LighterShade(uint32_t argb)
{
    return Opaque(Lighter(Channel(argb, 16)), Lighter(Channel(argb, 8)), Lighter(Channel(argb, 0)));
}

uint32_t DarkerShade(uint32_t argb)
{
    return Opaque(Darker(Channel(argb, 16)), Darker(Channel(argb, 8)), Darker(Channel(argb, 0)));
}

std::string FormatLegendPercent(double share)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f%%", share * 100);
    return share < 0.1 ? "0" + std::string(buf) : std::string(buf);
}

int ReduceAngle(int degrees)
{
    while (degrees >= 360) {
        degrees -= 360;
    }
    return degrees;
}

bool CPieChartData::AddSlice(const std::string& key, const std::string& text, double value, uint32_t argb)
{
    if (!(value > 0)) {
        return false;
    }
    if (std::any_of(m_slices.begin(), m_slices.end(), [&](const PieSlice& s) { return s.key == key; })) {
        return false;
    }
    m_slices.push_back({key, text, value, argb, LighterShade(argb), DarkerShade(argb)});
    return true;
}

double CPieChartData::Total() const
{
    double total = 0;
    for (const PieSlice& s : m_slices) {
        total += s.value;
    }
    return total;
}

double CPieChartData::ShareOf(int index) const
{
    const double total = Total();
    if (index < 0 || index >= GetCount() || total <= 0) {
        return 0;
    }
    return m_slices[static_cast<size_t>(index)].value / total;
}

std::vector<SliceAngles> CPieChartData::Angles() const
{
    std::vector<SliceAngles> angles;
    double start = m_nStartAngle;
    for (int i = 0; i < GetCount(); ++i) {
        const double sweep = ShareOf(i) * 360.0;
        angles.push_back({start, sweep});
        start += sweep;
    }
    return angles;
}

ChartRect StatisticsChartRect(int clientWidth, int clientHeight)
{
    const double s = clientWidth / 860.0;
    ChartRect r;
    r.left = static_cast<int>(220 * s);
    r.right = static_cast<int>(clientWidth - 20 * s);
    r.top = static_cast<int>(20 * s);
    r.bottom = static_cast<int>(clientHeight - 70 * s);
    return r;
}

PieChartLayout ComputePieChartLayout(int width, int height, int pieOffset)
{
    const int limit = std::max(2 * width / 3, 180);
    const int bottom = height - 30;
    int side = limit - 30 < bottom - 100 ? std::max(limit, 180) - 30 : std::max(bottom, 250) - 100;
    if (side % 2 != 0) {
        ++side;
    }
    PieChartLayout layout;
    layout.pie = {30 + pieOffset, 100, 30 + pieOffset + side, 100 + side};
    // The legend fills the room right of the pie, from the pie's top down.
    layout.legend.left = layout.pie.right + 20;
    layout.legend.top = layout.pie.top;
    layout.legend.right = std::max(layout.legend.left, width - 10);
    layout.legend.bottom = std::max(layout.legend.top, height - 30);
    return layout;
}

bool LegendNeedsScrollBar(int rowCount, int rowHeight, int legendHeight)
{
    return static_cast<long long>(rowCount) * rowHeight > legendHeight;
}

double PieGeometry::OffsetX(const SliceAngles& a) const
{
    return std::cos(a.Middle() * kPi / 180.0) * displacement;
}

double PieGeometry::OffsetY(const SliceAngles& a) const
{
    return std::sin(a.Middle() * kPi / 180.0) * displacement * kTilt;
}

PieGeometry ComputePieGeometry(const ChartRect& square, int separationPercent)
{
    const double side = std::max(0, std::min(square.Width(), square.Height()));
    const double pull = std::max(0, separationPercent) / 100.0;
    PieGeometry g;
    // Pulled slices reach out by the displacement on both sides.
    g.width = side / (1 + 2 * pull);
    g.height = g.width * kTilt;
    g.depth = g.width * kDepth;
    g.displacement = g.width * pull;
    g.centerX = square.left + side / 2;
    g.centerY = square.top + side / 2 - g.depth / 2;
    return g;
}
