#include "chart/axes/AxisLabelSteps.h"

#include "chart/axes/AxisMapping.h"
#include "platform/DateUtils.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using V = std::vector<double>;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Minute = 1.0 / 1440;

TEST(AxisLabelSteps, NextStepWalksOneTwoFiveInEveryDecade)
{
    const std::pair<double, double> cases[] = {{1, 2},   {2, 5},   {7, 10},     {0.3, 0.5},
                                               {30, 50}, {10, 20}, {0.05, 0.1}, {4e15, 5e15},
                                               {Inf, 1}, {0, 1},   {-3, 1},     {NaN, 1}};
    for (auto [x, next] : cases)
        EXPECT_DOUBLE_EQ(PlotNextStep(x), next) << x;
    // Below the normal numbers the decades no longer scale exactly: the step
    // still grows.
    for (double x : {4.9e-324, 1e-320, 3e-315, 2.2e-308})
        EXPECT_GT(PlotNextStep(x), x) << x;
}

struct TStepCase {
    double Range, Increment;
    int MaxLabels;
    double Expected;
};

TEST(AxisLabelSteps, ValueStepGoldenTable)
{
    const TStepCase cases[] = {
        {1e6, 0, 5, 200000}, {1e6, 1, 5, 200000}, {100, 0, 10, 10}, {100, 3, 10, 10},
        {100, 25, 10, 25},   {2, 0, 10, 0.2},     {0, 0, 5, 1},     {1e12, 1e-12, 10, 1e11},
    };
    for (const TStepCase& c : cases) {
        TLabelStepSearch s;
        s.Range = c.Range;
        s.Increment = c.Increment;
        EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, c.MaxLabels), c.Expected)
            << c.Range << " by " << c.Increment << " in " << c.MaxLabels;
    }
    TLabelStepSearch s;
    s.Range = 2;
    s.FewestPointsAlongX = 10;
    EXPECT_EQ(PlotLabelsIncrement(s, 10), 1) << "whole indices get whole steps";
    s = {};
    s.Range = 100;
    s.LabelsSeparation = 0;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 9), 10) << "unseparated: the range in one more part";
    s = {};
    s.Logarithmic = true;
    s.Range = 999;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 3), 1000) << "a power of the base, grown by it";
    s.Range = 100;
    s.LogarithmicBase = 0.5;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 1), 128) << "a base below 1 grows by its inverse";
    s.LogarithmicBase = 1.000001;
    s.Increment = 1e-12;
    s.Range = 1e12;
    EXPECT_LE(s.Range / PlotLabelsIncrement(s, 10), 10) << "a base near 1 still ends";
}

TEST(AxisLabelSteps, DegenerateRangesEndWithAUsableStep)
{
    TLabelStepSearch s;
    for (double range : {Inf, -Inf, NaN}) {
        s.Range = range;
        EXPECT_EQ(PlotLabelsIncrement(s, 10), 0) << range;
        EXPECT_EQ(PlotDateTimeLabelsIncrement(range, Minute, 6), 0) << range;
    }
    for (double range : {std::numeric_limits<double>::max(), 1e-320, 4.9e-324, 3e-310, -50.0})
        for (int labels : {1, 2, 10}) {
            s.Range = range;
            const double inc = PlotLabelsIncrement(s, labels);
            EXPECT_TRUE(std::isfinite(inc) && inc >= MinAxisIncrement) << range << " gives " << inc;
            EXPECT_LE(range / inc, labels + 0.5) << range;
        }
}

TEST(AxisLabelSteps, DateTimeStepGoldenTable)
{
    const TStepCase cases[] = {
        {0.25, Minute, 6, 1.0 / 24},           // 1, 5, 10, 15, 30 minutes, then an hour
        {0.25, 0, 6, 1.0 / 24},                // from a microsecond through the seconds
        {1000 * Minute, Minute, 12, 2.0 / 24}, // a thousand one-minute candles
        {1095, 0, 5, 365},                     // six months grow to a year
        {1095, 0, 1, 1460},                    // years double; 1.5 rounds to 2
        {1e9, Minute, 6, 1000.0 * (1 << 18)},  // a million steps at most, then doubling
        {0, Minute, 5, Minute},
        {0.25, Minute, 0, Minute},
    };
    for (const TStepCase& c : cases)
        EXPECT_DOUBLE_EQ(PlotDateTimeLabelsIncrement(c.Range, c.Increment, c.MaxLabels), c.Expected)
            << c.Range << " by " << c.Increment << " in " << c.MaxLabels;
}

TEST(AxisLabelSteps, CoveringStepsLieAboveTheRange)
{
    const double second = 1.0 / 86400;
    const TStepCase values[] = {
        {100, 0, 0, 200}, {100, 500, 0, 500}, {0, 0, 0, MinAxisIncrement}, {0.3, 0, 0, 0.5}};
    for (const TStepCase& c : values)
        EXPECT_DOUBLE_EQ(PlotCoveringIncrement(c.Range, c.Increment, MinAxisIncrement), c.Expected)
            << c.Range << " by " << c.Increment;
    EXPECT_GT(PlotCoveringIncrement(1e-10, 0, MinAxisIncrement), 1e-10);
    const double resolution = PlotValueResolution(-4e9, 1e9);
    EXPECT_DOUBLE_EQ(resolution, 8e9 * std::numeric_limits<double>::epsilon());
    EXPECT_DOUBLE_EQ(PlotCoveringIncrement(0, 0, resolution), resolution)
        << "no finer than the values' resolution";
    EXPECT_EQ(PlotCoveringIncrement(NaN, 0, 1), 0);
    const TStepCase dates[] = {
        {Minute, 0, 0, 5 * Minute}, {Minute, 60 * Minute, 0, 60 * Minute},
        {0, 0, 0, second},          {1e-9, 0, 0, second},
        {3652, 0, 0, 365.0 * 16},   {20, Minute, 0, 30},
    };
    for (const TStepCase& c : dates)
        EXPECT_DOUBLE_EQ(PlotDateTimeCoveringIncrement(c.Range, c.Increment), c.Expected)
            << c.Range << " by " << c.Increment;
    EXPECT_EQ(PlotDateTimeCoveringIncrement(Inf, 0), 0);
}

V Labels(double Min, double Max, double Inc, bool RoundFirst = true, TDateTimeStep Step = dtNone)
{
    TLabelLoop loop;
    loop.Minimum = Min;
    loop.Maximum = Max;
    loop.Increment = Inc;
    loop.RoundFirstLabel = RoundFirst;
    loop.ExactDateTime = Step != dtNone;
    loop.Step = Step;
    V values;
    PlotDefaultLabelValues(loop, values);
    return values;
}

TEST(AxisLabelSteps, LabelledValuesFromTheMaximumDown)
{
    EXPECT_EQ(Labels(0, 1e6, 2e5), (V{1e6, 8e5, 6e5, 4e5, 2e5, 0})) << "both ends labelled";
    EXPECT_EQ(Labels(3.7, 98.2, 10), (V{90, 80, 70, 60, 50, 40, 30, 20, 10}));
    EXPECT_EQ(Labels(3.7, 98.2, 10, false).front(), 98.2);
    EXPECT_EQ(Labels(-50, -3, 10), (V{-10, -20, -30, -40, -50}));
    EXPECT_EQ(Labels(5, 5, 1), (V{5})) << "zero range: one label";
    EXPECT_EQ(Labels(1e15, 1e15 + 0.5, 0.1), (V{1e15 + 0.5})) << "steps below the precision";
    for (double flat : {7.0, 0.0000123, 1e5, 3e7})
        EXPECT_EQ(Labels(flat - 5e-11, flat + 5e-11, 1e-11), (V{flat}))
            << flat << ": a range widened from empty, one label in its middle";
    EXPECT_EQ(Labels(0, 9999, 1).size(), 10000u);
    EXPECT_EQ(Labels(43000, 43000 + 1e-7, 1e-9).size(), 101u) << "none below the minimum";
    for (const V& none :
         {Labels(0, 12000, 1), Labels(0, 1e300, 1e-300), Labels(0, 10, 0), Labels(0, NaN, 1)})
        EXPECT_TRUE(none.empty()) << none.size();

    const double jan10 = EncodeDate(2018, 1, 10), may20 = EncodeDate(2018, 5, 20) + 0.5;
    EXPECT_EQ(Labels(jan10, may20, 30, true, dtOneMonth),
              (V{EncodeDate(2018, 5, 1), EncodeDate(2018, 4, 1), EncodeDate(2018, 3, 1),
                 EncodeDate(2018, 2, 1)}));
    EXPECT_EQ(Labels(EncodeDate(2015, 6, 1), EncodeDate(2018, 6, 1), 730, true, dtOneYear),
              (V{EncodeDate(2018, 1, 1), EncodeDate(2016, 1, 1)}))
        << "a two-year step moves by whole years";
}

TEST(AxisLabelSteps, LogarithmicValuesArePowersOfTheBase)
{
    V v;
    PlotLogLabelValues(1, 8, 0.5, v);
    EXPECT_EQ(v, (V{8, 4, 2, 1})) << "a base below 1 gives the same powers";
    PlotLogLabelValues(0.5, 50, 10, v);
    EXPECT_EQ(v, (V{10, 1}));
    for (auto [min, max, base] :
         {std::tuple{1.0, 1e6, 1.0001}, {-5.0, 0.0, 10.0}, {1.0, Inf, 10.0}}) {
        PlotLogLabelValues(min, max, base, v);
        EXPECT_TRUE(v.empty()) << min << ".." << max << " base " << base;
    }
}

} // namespace
