// Slices, shades, legend texts, angles and the layout rules of the pie chart.
#include <gtest/gtest.h>

#include <cmath>

#include "document/PieChartData.h"

TEST(PieChartDataTest, SlicesNeedAValueAndANewKey)
{
    CPieChartData chart;
    EXPECT_FALSE(chart.AddSlice("leer", "leer", 0, 0xFF000000));
    EXPECT_FALSE(chart.AddSlice("negativ", "negativ", -3, 0xFF000000));
    EXPECT_TRUE(chart.AddSlice("A", "erstes A", 5, 0xFF112233));
    EXPECT_FALSE(chart.AddSlice("A", "zweites A", 7, 0xFF445566));
    EXPECT_TRUE(chart.AddSlice("B", "B", 0.5, 0xFF778899));
    ASSERT_EQ(chart.GetCount(), 2);
    EXPECT_EQ(chart.Slices()[0].text, "erstes A") << "the first slice of a key stays";
    EXPECT_EQ(chart.Slices()[0].value, 5);
    EXPECT_EQ(chart.Slices()[0].color, 0xFF112233u);
    EXPECT_DOUBLE_EQ(chart.Total(), 5.5);
}

TEST(PieChartDataTest, LegendPercentagesHaveTwoDecimalsAndALeadingZeroBelowTen)
{
    EXPECT_EQ(FormatLegendPercent(0.045), "04.50%");
    EXPECT_EQ(FormatLegendPercent(0.0525), "05.25%");
    EXPECT_EQ(FormatLegendPercent(0.0), "00.00%");
    EXPECT_EQ(FormatLegendPercent(0.1), "10.00%");
    EXPECT_EQ(FormatLegendPercent(0.5625), "56.25%");
    EXPECT_EQ(FormatLegendPercent(1.0), "100.00%");

    CPieChartData chart;
    chart.AddSlice("gross", "gross", 191, 0xFF000000);
    chart.AddSlice("klein", "klein", 9, 0xFF000000);
    EXPECT_EQ(chart.LegendPercentOf(0), "95.50%");
    EXPECT_EQ(chart.LegendPercentOf(1), "04.50%");
    EXPECT_EQ(chart.LegendPercentOf(2), "00.00%") << "no such slice";
}

TEST(PieChartDataTest, LighterAndDarkerShades)
{
    // 0x64, 0x95, 0xED: 100 + 155 * 120 / 255 = 172, 149 + 106 * 120 / 255 = 198,
    // 237 + 18 * 120 / 255 = 245; 100 - 1000 / 255 = 97, 149 - 1490 / 255 = 144,
    // 237 - 2370 / 255 = 228.
    EXPECT_EQ(LighterShade(0xFF6495ED), 0xFFACC6F5u);
    EXPECT_EQ(DarkerShade(0xFF6495ED), 0xFF6190E4u);
    // White cannot get lighter; black cannot get darker.
    EXPECT_EQ(LighterShade(0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(DarkerShade(0xFFFFFFFF), 0xFFF5F5F5u);
    EXPECT_EQ(LighterShade(0xFF000000), 0xFF787878u);
    EXPECT_EQ(DarkerShade(0xFF000000), 0xFF000000u);
    // The shades are opaque whatever the slice's alpha.
    EXPECT_EQ(LighterShade(0x40006400) >> 24, 0xFFu);
    EXPECT_EQ(DarkerShade(0x00006400), 0xFF006100u); // 100 - 1000 / 255 = 97

    CPieChartData chart;
    chart.AddSlice("TV", "TV", 1, 0xFF6495ED);
    EXPECT_EQ(chart.Slices()[0].lighter, 0xFFACC6F5u);
    EXPECT_EQ(chart.Slices()[0].darker, 0xFF6190E4u);
}

TEST(PieChartDataTest, AnglesAtOrAbove360AreReduced)
{
    EXPECT_EQ(ReduceAngle(0), 0);
    EXPECT_EQ(ReduceAngle(70), 70);
    EXPECT_EQ(ReduceAngle(359), 359);
    EXPECT_EQ(ReduceAngle(360), 0);
    EXPECT_EQ(ReduceAngle(725), 5);

    CPieChartData at0, at360;
    for (CPieChartData* c : {&at0, &at360}) {
        c->AddSlice("a", "a", 1, 0xFF000000);
        c->AddSlice("b", "b", 3, 0xFF000000);
    }
    at0.SetStartAngle(0);
    at360.SetStartAngle(360);
    EXPECT_EQ(at360.StartAngle(), 0);
    ASSERT_EQ(at360.Angles().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(at360.Angles()[i].start, at0.Angles()[i].start);
        EXPECT_DOUBLE_EQ(at360.Angles()[i].sweep, at0.Angles()[i].sweep);
    }
}

TEST(PieChartDataTest, SlicesFollowOneAnotherFromTheStartAngle)
{
    CPieChartData chart;
    chart.AddSlice("a", "a", 900, 0xFF000000);
    chart.AddSlice("b", "b", 300, 0xFF000000);
    chart.AddSlice("c", "c", 400, 0xFF000000);
    chart.SetStartAngle(70);
    const std::vector<SliceAngles> a = chart.Angles();
    ASSERT_EQ(a.size(), 3u);
    EXPECT_DOUBLE_EQ(a[0].start, 70);
    EXPECT_DOUBLE_EQ(a[0].sweep, 202.5);
    EXPECT_DOUBLE_EQ(a[1].start, 272.5);
    EXPECT_DOUBLE_EQ(a[1].sweep, 67.5);
    EXPECT_DOUBLE_EQ(a[2].start, 340);
    EXPECT_DOUBLE_EQ(a[2].sweep, 90);
    EXPECT_DOUBLE_EQ(a[2].Middle(), 385);
}

TEST(PieChartDataTest, SeparationStartsAtTenPercent)
{
    CPieChartData chart;
    EXPECT_EQ(chart.Separation(), 10);
    chart.SetSeparation(7);
    EXPECT_EQ(chart.Separation(), 7);
    chart.SetSeparation(-1);
    EXPECT_EQ(chart.Separation(), 0);
}

TEST(PieChartDataTest, ChartPlacementInTheDialogScalesWithItsWidth)
{
    EXPECT_EQ(StatisticsChartRect(860, 600), (ChartRect{220, 20, 840, 530}));
    EXPECT_EQ(StatisticsChartRect(430, 300), (ChartRect{110, 10, 420, 265}));
    // s = 1000 / 860: 255.8 -> 255, 976.7 -> 976, 23.3 -> 23, 618.6 -> 618.
    EXPECT_EQ(StatisticsChartRect(1000, 700), (ChartRect{255, 23, 976, 618}));
}

TEST(PieChartDataTest, PieSquareFollowsTheWidthOrTheHeight)
{
    // P = 400, B = 370: 370 < 270 fails, so the height decides: 370 - 100.
    PieChartLayout l = ComputePieChartLayout(600, 400, 35);
    EXPECT_EQ(l.pie, (ChartRect{65, 100, 335, 370}));
    // P = 200, B = 770: the width decides, 200 - 30.
    l = ComputePieChartLayout(300, 800, 35);
    EXPECT_EQ(l.pie, (ChartRect{65, 100, 235, 270}));
    // P = 211 gives the odd side 181, made 182.
    l = ComputePieChartLayout(317, 800, 0);
    EXPECT_EQ(l.pie, (ChartRect{30, 100, 212, 282}));
    // Tiny windows: P at least 180, B at least 250.
    l = ComputePieChartLayout(100, 100, 35);
    EXPECT_EQ(l.pie, (ChartRect{65, 100, 215, 250}));
    l = ComputePieChartLayout(120, 2000, 0);
    EXPECT_EQ(l.pie, (ChartRect{30, 100, 180, 250}));
    // The legend stands right of the pie.
    l = ComputePieChartLayout(600, 400, 35);
    EXPECT_GT(l.legend.left, l.pie.right);
    EXPECT_LE(l.legend.right, 600);
    EXPECT_GT(l.legend.Height(), 0);
}

TEST(PieChartDataTest, LegendScrollBarOnlyWhenRowsDoNotFit)
{
    EXPECT_FALSE(LegendNeedsScrollBar(4, 20, 80));
    EXPECT_TRUE(LegendNeedsScrollBar(5, 20, 80));
    EXPECT_FALSE(LegendNeedsScrollBar(0, 20, 0));
    EXPECT_EQ(kLegendScrollBarWidth, 20);
}

TEST(PieChartDataTest, PulledOutSlicesStayInsideTheSquare)
{
    const ChartRect square{65, 100, 335, 370};
    for (int separation : {0, 7, 10, 20}) {
        const PieGeometry g = ComputePieGeometry(square, separation);
        EXPECT_NEAR(g.width + 2 * g.displacement, square.Width(), 1e-9) << separation;
        EXPECT_NEAR(g.displacement, g.width * separation / 100.0, 1e-9) << separation;
        EXPECT_LE(g.height + g.depth + 2 * g.displacement, square.Height()) << separation;
        EXPECT_DOUBLE_EQ(g.centerX, 200);
        // A slice whose middle points right moves right only; one pointing
        // down (90 degrees clockwise) moves down only.
        EXPECT_NEAR(g.OffsetX({-10, 20}), g.displacement, 1e-9);
        EXPECT_NEAR(g.OffsetY({-10, 20}), 0, 1e-9);
        EXPECT_NEAR(g.OffsetX({80, 20}), 0, 1e-9);
        EXPECT_GE(g.OffsetY({80, 20}), 0);
    }
}
