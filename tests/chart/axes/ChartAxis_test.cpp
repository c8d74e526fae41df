#include "chart/axes/AxisDoubles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace axis_test;

namespace {

// ---- range properties ----

TEST(TChartAxisRange, SetMinMaxOrdersWidensAndSwitchesAutomaticOff)
{
    TFakePanel panel;
    TChartAxis axis(&panel, false, false);
    axis.SetMinMax(10, 5);
    EXPECT_EQ(axis.Minimum(), 5);
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());

    axis.SetMinMax(7, 7);
    EXPECT_EQ(axis.Minimum(), 7 - 5e-11) << "an empty range widens about its middle";
    EXPECT_EQ(axis.Maximum(), 7 + 5e-11);

    axis.SetMinMax(5, 10);
    const int before = panel.Invalidates;
    axis.SetMinMax(10, 5);
    EXPECT_EQ(panel.Invalidates, before);
}

TEST(TChartAxisRange, MasterAxisPassesItsRangeToCustomAxes)
{
    TFakePanel panel;
    TChartAxis master(&panel, false, false), follower(&panel, false, true),
        other(&panel, false, true);
    follower.SetMasterAxis(&master);
    panel.Custom = {&follower, &other};
    master.SetMinMax(3, -2);
    EXPECT_EQ(follower.Minimum(), -2);
    EXPECT_EQ(follower.Maximum(), 3);
    EXPECT_TRUE(other.Automatic());
}

TEST(TChartAxisRange, AMasterRingIsRefusedAndChangesNothing)
{
    TFakePanel panel;
    TChartAxis a(&panel, false, false), b(&panel, false, true), c(&panel, false, true);
    panel.Custom = {&a, &b, &c};
    b.SetMasterAxis(&a);
    c.SetMasterAxis(&b);
    for (auto [Follower, Master] : {std::pair{&a, &a}, {&a, &b}, {&a, &c}, {&b, &c}}) {
        TChartAxis* const Before = Follower->MasterAxis();
        EXPECT_THROW(Follower->SetMasterAxis(Master), AxisException);
        EXPECT_EQ(Follower->MasterAxis(), Before);
    }
    a.SetMinMax(1, 2);
    EXPECT_EQ(c.Minimum(), 1) << "the chain still passes the range on";
    EXPECT_EQ(c.Maximum(), 2);
}

TEST(TChartAxisRange, SettersRaiseTheirTextsAndChangeNothing)
{
    TFakePanel panel;
    TChartAxis axis(&panel, true, false);
    axis.SetMinMax(0, 10);
    auto expectRaise = [](auto&& Call, const char* Text) {
        try {
            Call();
            ADD_FAILURE() << "no exception for " << Text;
        } catch (const AxisException& E) {
            EXPECT_STREQ(E.what(), Text);
        }
    };
    expectRaise([&] { axis.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum");
    expectRaise([&] { axis.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum");
    expectRaise([&] { axis.SetDesiredIncrement(-0.5); }, "Axis increment must be >= 0");
    expectRaise([&] { axis.SetLogarithmicBase(1); },
                "Axis Logarithmic Base should be <> 1 and > 0");
    expectRaise([&] { axis.SetLogarithmicBase(0); },
                "Axis Logarithmic Base should be <> 1 and > 0");
    EXPECT_EQ(axis.Minimum(), 0);
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_EQ(axis.Increment(), 0);
    EXPECT_EQ(axis.LogarithmicBase(), 10);

    // Switching to a logarithmic scale looks at the series' range first.
    TFakeSeries series;
    series.Axis = &axis;
    series.List.IsDateTime = true;
    panel.SeriesList = {&series};
    panel.SeriesMin = -5;
    panel.SeriesMax = 50;
    axis.SetAutomatic(true);
    expectRaise([&] { axis.SetLogarithmic(true); }, "DateTime Axis cannot be Logarithmic");
    series.List.IsDateTime = false;
    expectRaise([&] { axis.SetLogarithmic(true); },
                "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_FALSE(axis.Logarithmic());
    panel.SeriesMin = 1;
    axis.SetLogarithmic(true);
    EXPECT_TRUE(axis.Logarithmic());

    panel.Loading = true;
    axis.SetMinimum(60);
    EXPECT_EQ(axis.Minimum(), 60);
}

TEST(TChartAxisRange, CalcRoundScalesRoundsOnlyAutomaticEndsThatAskForIt)
{
    TFakePanel panel;
    panel.SeriesMin = 3.7;
    panel.SeriesMax = 98.2;
    TChartAxis axis(&panel, false, false);
    // Labels without a surface measure nothing: one label fits, the step is 100.
    axis.SetDesiredIncrement(10);
    axis.InternalCalcPositions();
    axis.SetMaximumRound(true);
    axis.SetMinimumRound(true);
    axis.AdjustMaxMin();
    EXPECT_EQ(axis.IMaximum, 100);
    EXPECT_EQ(axis.IMinimum, 0);
    EXPECT_EQ(axis.CalcPosValue(100), 100);

    axis.SetAutomaticMinimum(false);
    axis.AdjustMaxMin();
    EXPECT_EQ(axis.IMinimum, 3.7);
    EXPECT_EQ(axis.IMaximum, 100);

    axis.SetMaximumRound(false);
    axis.AdjustMaxMin();
    EXPECT_EQ(axis.IMaximum, 98.2);
}

TEST(TChartAxisRange, ScrollMovesOnlyTowardsDataBeyondTheRange)
{
    TFakePanel panel;
    panel.SeriesMin = 0;
    panel.SeriesMax = 8;
    TChartAxis axis(&panel, true, false);
    axis.SetMinMax(2, 10);
    axis.Scroll(5, true);
    EXPECT_EQ(axis.Minimum(), 2);
    axis.Scroll(-1.5, true);
    EXPECT_EQ(axis.Minimum(), 0.5);
    EXPECT_EQ(axis.Maximum(), 8.5);
    axis.Scroll(0, true);
    EXPECT_EQ(axis.Minimum(), 0.5);
    axis.Scroll(-100, false);
    EXPECT_EQ(axis.Minimum(), -99.5);
    EXPECT_EQ(axis.Maximum(), -91.5);
}

TEST(TChartAxisRange, IsDateTimeAsksTheFirstActiveSeriesOnTheAxis)
{
    TFakePanel panel;
    TChartAxis axis(&panel, true, false), other(&panel, false, false);
    TFakeSeries inactive, elsewhere, first, second;
    inactive.IsActive = false;
    inactive.Axis = &axis;
    inactive.List.IsDateTime = true;
    elsewhere.Axis = &other;
    elsewhere.List.IsDateTime = true;
    first.Axis = &axis;
    second.Axis = &axis;
    second.List.IsDateTime = true;
    panel.SeriesList = {&inactive, &elsewhere};
    EXPECT_FALSE(axis.IsDateTime());
    panel.SeriesList = {&inactive, &elsewhere, &first, &second};
    EXPECT_FALSE(axis.IsDateTime());
    panel.SeriesList = {&inactive, &second, &first};
    EXPECT_TRUE(axis.IsDateTime());
}

// ---- positions ----

TEST(TChartAxisPositions, SpanFollowsTheChartRectangleAndPercentages)
{
    TFakePanel panel;
    panel.Rect = {10, 20, 411, 320};
    TChartAxis bottom(&panel, true, false), left(&panel, false, false);
    bottom.SetStartPosition(25);
    bottom.SetEndPosition(75);
    bottom.InternalCalcPositions();
    left.InternalCalcPositions();
    // 401 x 0.25 = 100.25 and 401 x 0.75 = 300.75 round to 100 and 301.
    EXPECT_EQ(bottom.IStartPos, 110);
    EXPECT_EQ(bottom.IEndPos, 311);
    EXPECT_EQ(bottom.IAxisSize, 201);
    EXPECT_EQ(bottom.ICenterPos, 210);
    EXPECT_EQ(left.IStartPos, 20);
    EXPECT_EQ(left.IEndPos, 320);

    TChartDepthAxis depth(&panel, false);
    depth.InternalCalcPositions();
    EXPECT_EQ(depth.IStartPos, 0);
    EXPECT_EQ(depth.IEndPos, 40);
}

TEST(TChartAxisPositions, AxisLineSitsOnItsEdgeMovedInwardsByPosition)
{
    TFakePanel panel;
    const TRect r{10, 20, 210, 120};
    TChartAxis bottom(&panel, true, false), top(&panel, true, true), left(&panel, false, false),
        right(&panel, false, true);
    EXPECT_EQ(bottom.GetRectangleEdge(r), 120);
    EXPECT_EQ(top.GetRectangleEdge(r), 20);
    EXPECT_EQ(left.GetRectangleEdge(r), 10);
    EXPECT_EQ(right.GetRectangleEdge(r), 210);
    EXPECT_EQ(bottom.ApplyPosition(120, r), 120);

    bottom.SetPositionPercent(10); // 10 % of 100 pixels up
    top.SetPositionPercent(10);
    left.SetPositionPercent(10); // 10 % of 200 pixels right
    right.SetPositionPercent(7);
    right.SetPosUnits(muPixels);
    EXPECT_EQ(bottom.ApplyPosition(120, r), 110);
    EXPECT_EQ(top.ApplyPosition(20, r), 30);
    EXPECT_EQ(left.ApplyPosition(10, r), 30);
    EXPECT_EQ(right.ApplyPosition(210, r), 203);
}

TEST(TChartAxisPositions, AdjustMaxMinRectKeepsDataInsideTheMargins)
{
    TFakePanel panel;
    panel.Rect = {0, 100, 1000, 600};
    TChartAxis bottom(&panel, true, false), left(&panel, false, false);
    Frame(bottom, 0, 100);
    Frame(left, 0, 100);
    bottom.AdjustMaxMinRect({100, 0, 100, 0});
    EXPECT_EQ(bottom.IStartPos, 0);
    EXPECT_EQ(bottom.IEndPos, 1000);
    EXPECT_DOUBLE_EQ(bottom.IMinimum, -12.5);
    EXPECT_DOUBLE_EQ(bottom.IMaximum, 112.5);
    EXPECT_EQ(bottom.CalcXPosValue(0), 100);
    EXPECT_EQ(bottom.CalcXPosValue(100), 900);

    // Top margin 50 and bottom 0 on a 500-pixel vertical span.
    left.AdjustMaxMinRect({0, 50, 0, 0});
    EXPECT_DOUBLE_EQ(left.IMinimum, 0);
    EXPECT_DOUBLE_EQ(left.IMaximum, 100 + 100.0 / 9);
    EXPECT_EQ(left.CalcYPosValue(100), 150);
    EXPECT_EQ(left.CalcYPosValue(0), 600);

    TChartAxis inverted(&panel, true, false);
    inverted.SetInverted(true);
    Frame(inverted, 0, 100);
    inverted.AdjustMaxMinRect({100, 0, 100, 0});
    EXPECT_DOUBLE_EQ(inverted.IMinimum, -12.5);
    EXPECT_DOUBLE_EQ(inverted.IMaximum, 112.5);
    EXPECT_EQ(inverted.CalcXPosValue(0), 900);
}

// ---- value-to-pixel mappings ----

struct TMapCase {
    bool Horizontal;
    bool Inverted;
    double Value;
    int Expected;
};

// Span 100..600 on both orientations, range 0..100: five pixels per unit.
template <std::size_t N>
void ExpectMappings(bool Fast, bool Logarithmic, double Min, double Max, const TMapCase (&Cases)[N])
{
    TFakePanel panel;
    panel.Fast = Fast;
    for (const TMapCase& c : Cases) {
        TChartAxis axis(&panel, c.Horizontal, false);
        axis.SetInverted(c.Inverted);
        Frame(axis, Min, Max);
        if (Logarithmic)
            axis.SetLogarithmic(true);
        EXPECT_EQ(axis.CalcPosValue(c.Value), c.Expected)
            << (c.Horizontal ? "X" : "Y") << (c.Inverted ? " inverted" : "") << " value " << c.Value
            << (Fast ? " fast" : "");
    }
}

TEST(TChartAxisMapping, LinearGoldenTable)
{
    const TMapCase Cases[] = {
        {false, false, 0, 600},  {false, false, 100, 100}, {false, false, 50, 350},
        {false, true, 0, 100},   {false, true, 100, 600},  {true, false, 0, 100},
        {true, false, 100, 600}, {true, false, 10.3, 152}, {true, true, 0, 600},
        {true, true, 20, 500},   {true, false, -10, 50},   {false, false, 120, 0},
        {true, false, 0.1, 100}, {true, false, 0.3, 102},
    };
    for (bool fast : {false, true})
        ExpectMappings(fast, false, 0, 100, Cases);
}

TEST(TChartAxisMapping, SizesFollowTheScale)
{
    TFakePanel panel;
    TChartAxis axis(&panel, true, false);
    Frame(axis, 20, 70); // ten pixels per unit
    EXPECT_EQ(axis.CalcSizeValue(5), 50);
    EXPECT_EQ(axis.CalcSizeValue(0.25), 2);
    EXPECT_EQ(axis.CalcSizeValue(-5), 0);
}

TEST(TChartAxisMapping, RoundsHalvesToEvenAtTheRightPlace)
{
    // 0.1 and 0.3 units are 0.5 and 1.5 pixels: the sum is rounded, or in the
    // fast mapping the offset alone; both to even.
    TFakePanel panel;
    panel.Rect = {101, 101, 601, 601};
    TChartAxis clamped(&panel, true, false);
    Frame(clamped, 0, 100);
    EXPECT_EQ(clamped.CalcXPosValue(0.1), 102); // round(101.5)
    panel.Fast = true;
    TChartAxis fast(&panel, true, false);
    Frame(fast, 0, 100);
    EXPECT_EQ(fast.CalcXPosValue(0.1), 101); // 101 + round(0.5)
}

TEST(TChartAxisMapping, ZeroRangeAndLogarithmsWithoutARangeMapToTheCentre)
{
    TFakePanel panel;
    TChartAxis axis(&panel, true, false);
    axis.SetAutomatic(false);
    axis.SetMaximum(5);
    axis.SetMinimum(5);
    axis.AdjustMaxMin();
    axis.InternalCalcPositions();
    EXPECT_TRUE(axis.IRangeZero);
    for (double v : {-1e300, 0.0, 5.0, 1e300})
        EXPECT_EQ(axis.CalcPosValue(v), 350);
    EXPECT_EQ(axis.CalcSizeValue(3), 0);

    TChartAxis log(&panel, true, false);
    Frame(log, 0, 1); // both logarithms are 0
    log.SetLogarithmic(true);
    EXPECT_EQ(log.CalcPosValue(0.5), 350);
    EXPECT_EQ(log.CalcSizeValue(10), 0);
    EXPECT_EQ(log.CalcPosPoint(200), 0);
}

TEST(TChartAxisMapping, FarValuesClampInsteadOfOverflowing)
{
    for (bool fast : {false, true}) {
        TFakePanel panel;
        panel.Fast = fast;
        TChartAxis x(&panel, true, false), y(&panel, false, false);
        Frame(x, 0, 1);
        Frame(y, 0, 1);
        EXPECT_EQ(x.CalcXPosValue(1e12), PlotMaxPixelPos);
        EXPECT_EQ(x.CalcXPosValue(-1e12), -PlotMaxPixelPos);
        EXPECT_EQ(y.CalcYPosValue(1e12), -PlotMaxPixelPos);
        EXPECT_EQ(y.CalcYPosValue(-1e300), PlotMaxPixelPos);
        EXPECT_EQ(x.CalcXPosValue(INFINITY), PlotMaxPixelPos);
        EXPECT_EQ(x.CalcXPosValue(NAN), x.ICenterPos);
        // Just inside the limit still rounds normally.
        EXPECT_EQ(x.CalcXPosValue((67108862.0 - 100) / 500), 67108862);
        EXPECT_EQ(x.CalcSizeValue(1e12), PlotMaxPixelPos);
    }
}

TEST(TChartAxisMapping, LogarithmicGoldenTable)
{
    // ln(1) .. ln(10000) over 500 pixels: 125 pixels per decade.
    const TMapCase Cases[] = {
        {true, false, 1, 100},  {true, false, 10, 225},   {true, false, 10000, 600},
        {true, false, 0, 100},  {true, false, -5, 100},   {true, true, 10, 475},
        {true, true, 0, 600},   {false, false, 100, 350}, {false, false, 1000, 225},
        {false, false, 0, 600}, {false, true, 10, 225},   {false, true, 0, 100},
    };
    ExpectMappings(false, true, 1, 10000, Cases);
}

TEST(TChartAxisMapping, DepthMapsFromZeroAcrossTheDepth)
{
    TFakePanel panel; // depth 40
    TChartDepthAxis depth(&panel, false), top(&panel, true);
    panel.Depth1 = &depth;
    panel.Depth2 = &top;
    Frame(depth, 0, 4);
    EXPECT_EQ(depth.CalcXPosValue(1), 10);
    EXPECT_EQ(depth.CalcYPosValue(3), 30);
    depth.SetInverted(true);
    EXPECT_TRUE(top.Inverted());
    EXPECT_EQ(depth.CalcXPosValue(1), 30);
    panel.SeriesMin = panel.SeriesMax = 2;
    depth.SetAutomatic(true);
    depth.AdjustMaxMin();
    EXPECT_EQ(depth.CalcPosValue(7), 20);
}

TEST(TChartAxisMapping, PixelToValueRoundTripsOverTheWholeSpan)
{
    for (bool horizontal : {true, false})
        for (bool inverted : {false, true})
            for (bool logarithmic : {false, true}) {
                TFakePanel panel;
                panel.Rect = {37, 11, 1037, 734};
                TChartAxis axis(&panel, horizontal, false);
                axis.SetInverted(inverted);
                Frame(axis, 0.5, 7919.25);
                if (logarithmic)
                    axis.SetLogarithmic(true);
                for (int px = axis.IStartPos; px <= axis.IEndPos; ++px)
                    ASSERT_EQ(axis.CalcPosValue(axis.CalcPosPoint(px)), px)
                        << horizontal << inverted << logarithmic;
            }
}

} // namespace
