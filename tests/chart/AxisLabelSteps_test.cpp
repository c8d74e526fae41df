#include "chart/AxisLabelSteps.h"

#include "chart/AxisMapping.h"
#include "platform/DateUtils.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Minute = 1.0 / 1440;

TEST(PlotNextStep, WalksTheOneTwoFiveSeriesInEveryDecade)
{
    const std::pair<double, double> cases[] = {
        {1, 2},      {2, 5},       {7, 10},      {0.3, 0.5}, {30, 50}, {10, 20}, {9.99, 10},
        {0.05, 0.1}, {1e-7, 2e-7}, {4e15, 5e15}, {Inf, 1},   {0, 1},   {-3, 1},  {NaN, 1},
    };
    for (auto [x, next] : cases)
        EXPECT_DOUBLE_EQ(PlotNextStep(x), next) << x;
    EXPECT_GT(PlotNextStep(1e-320), 0) << "a subnormal step still grows";
}

struct TStepCase {
    double Range;
    double Increment;
    int MaxLabels;
    double Expected;
};

TEST(PlotLabelsIncrement, GoldenTable)
{
    const TStepCase cases[] = {
        {1e6, 0, 5, 200000},     // 166,667 grows to the next nice step
        {1e6, 1, 5, 200000},     // from 1 through the series: the same step
        {100, 0, 10, 10},        // 9.09 gives 11 labels, 10 gives 10
        {100, 3, 10, 10},        // a desired step is only a lower bound
        {100, 25, 10, 25},       // and kept when it fits
        {2, 0, 10, 0.2},         // fractional steps for fractional data
        {0, 0, 5, 1},            // a zero range counts in ones
        {0.5, 0, 1, 0.5},        // 0.25 gives two labels, 0.5 one
        {1e12, 1e-12, 10, 1e11}, // a tiny desired step on a huge range
    };
    for (const TStepCase& c : cases) {
        TLabelStepSearch s;
        s.Range = c.Range;
        s.Increment = c.Increment;
        EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, c.MaxLabels), c.Expected)
            << c.Range << " by " << c.Increment << " in " << c.MaxLabels;
    }
}

TEST(PlotLabelsIncrement, SeparationDataAndLogarithms)
{
    TLabelStepSearch s;
    s.Range = 100;
    s.LabelsSeparation = 0;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 10), 100.0 / 11) << "no growth without separation";

    s = {};
    s.Range = 2;
    s.FewestPointsAlongX = 10;
    EXPECT_EQ(PlotLabelsIncrement(s, 10), 1) << "whole indices get whole steps";
    s.FewestPointsAlongX = 11;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 10), 0.2);

    s = {};
    s.Range = 999;
    s.Logarithmic = true;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 3), 1000) << "a power of the base, grown by it";
    s.Range = 100;
    s.LogarithmicBase = 0.5;
    EXPECT_DOUBLE_EQ(PlotLabelsIncrement(s, 1), 128) << "a base below 1 grows by its inverse";
    s.LogarithmicBase = 1.000001;
    s.Increment = 1e-12;
    s.Range = 1e12;
    EXPECT_LE(s.Range / PlotLabelsIncrement(s, 10), 10) << "a base near 1 still ends";
}

TEST(PlotLabelsIncrement, DegenerateRangesEndWithAUsableStep)
{
    TLabelStepSearch s;
    for (double range : {Inf, -Inf, NaN}) {
        s.Range = range;
        EXPECT_EQ(PlotLabelsIncrement(s, 10), 0) << range;
    }
    for (double range : {std::numeric_limits<double>::max(), 1e300, 1e-320, -50.0}) {
        s.Range = range;
        const double inc = PlotLabelsIncrement(s, 10);
        EXPECT_TRUE(std::isfinite(inc) && inc >= MinAxisIncrement) << range << " gives " << inc;
        EXPECT_LE(range / inc, 10.5) << range;
    }
}

TEST(PlotDateTimeLabelsIncrement, GoldenTable)
{
    const TStepCase cases[] = {
        {0.25, Minute, 6, 1.0 / 24},           // 1, 5, 10, 15, 30 minutes, then an hour
        {0.25, 0, 6, 1.0 / 24},                // from a microsecond through seconds to the hour
        {1000 * Minute, Minute, 12, 2.0 / 24}, // a thousand one-minute candles
        {1000 * Minute, Minute, 1000, Minute},
        {1095, 0, 5, 365},         // six months grow to a year
        {1095, 0, 1, 1460},        // years double: 730 still gives 2 (1.5 to even)
        {0, Minute, 5, Minute},    // a zero range keeps the desired step
        {0.25, Minute, 0, Minute}, // no room: the desired step unchanged
        {0.25, 0, 0, 1.0 / 86400000000.0},
    };
    for (const TStepCase& c : cases)
        EXPECT_DOUBLE_EQ(PlotDateTimeLabelsIncrement(c.Range, c.Increment, c.MaxLabels), c.Expected)
            << c.Range << " by " << c.Increment << " in " << c.MaxLabels;
    for (double range : {Inf, NaN})
        EXPECT_EQ(PlotDateTimeLabelsIncrement(range, Minute, 6), 0) << range;
    // A million steps at most: from 1,000 days the step doubles until 6 fit.
    EXPECT_EQ(PlotDateTimeLabelsIncrement(1e9, Minute, 6), 1000.0 * (1 << 18));
}

std::vector<double> Labels(double Min, double Max, double Inc, bool RoundFirst = true,
                           TDateTimeStep Step = dtNone)
{
    TLabelLoop loop;
    loop.Minimum = Min;
    loop.Maximum = Max;
    loop.Increment = Inc;
    loop.RoundFirstLabel = RoundFirst;
    loop.ExactDateTime = Step != dtNone;
    loop.Step = Step;
    std::vector<double> values;
    PlotDefaultLabelValues(loop, values);
    return values;
}

TEST(PlotDefaultLabelValues, ValuesFromTheMaximumDown)
{
    using V = std::vector<double>;
    EXPECT_EQ(Labels(0, 1e6, 2e5), (V{1e6, 8e5, 6e5, 4e5, 2e5, 0})) << "both ends labelled";
    EXPECT_EQ(Labels(3.7, 98.2, 10), (V{90, 80, 70, 60, 50, 40, 30, 20, 10}));
    EXPECT_EQ(Labels(-50, -3, 10), (V{-10, -20, -30, -40, -50}));
    EXPECT_EQ(Labels(5, 5, 1), (V{5})) << "zero range: one label";
    EXPECT_EQ(Labels(1e15, 1e15 + 0.5, 0.1), (V{1e15 + 0.5})) << "steps below the precision";
    const V unrounded = Labels(3.7, 98.2, 10, false);
    ASSERT_EQ(unrounded.size(), 10u);
    EXPECT_EQ(unrounded.front(), 98.2);
    EXPECT_NEAR(unrounded.back(), 8.2, 1e-9);
    EXPECT_TRUE(Labels(0, 12000, 1).empty()) << "12,000 steps draw no labels";
    EXPECT_TRUE(Labels(0, 1e300, 1e-300).empty());
    EXPECT_TRUE(Labels(0, 10, 0).empty());
    EXPECT_TRUE(Labels(0, NaN, 1).empty());
    EXPECT_EQ(Labels(0, 9999, 1).size(), 10000u) << "just under the limit: every step";
}

TEST(PlotDefaultLabelValues, CalendarStepsLandOnCalendarDates)
{
    using V = std::vector<double>;
    const double jan10 = EncodeDate(2018, 1, 10), may20 = EncodeDate(2018, 5, 20) + 0.5;
    EXPECT_EQ(Labels(jan10, may20, 30, true, dtOneMonth),
              (V{EncodeDate(2018, 5, 1), EncodeDate(2018, 4, 1), EncodeDate(2018, 3, 1),
                 EncodeDate(2018, 2, 1)}));
    EXPECT_EQ(Labels(EncodeDate(2018, 2, 10), EncodeDate(2018, 3, 20), 15, true, dtHalfMonth),
              (V{EncodeDate(2018, 3, 15), EncodeDate(2018, 3, 1), EncodeDate(2018, 2, 15)}));
    EXPECT_EQ(Labels(EncodeDate(2015, 6, 1), EncodeDate(2018, 6, 1), 730, true, dtOneYear),
              (V{EncodeDate(2018, 1, 1), EncodeDate(2016, 1, 1)}))
        << "a step of two years moves by whole years";
}

TEST(PlotLogLabelValues, PowersOfTheBaseInsideTheRange)
{
    using V = std::vector<double>;
    auto values = [](double Min, double Max, double Base) {
        V v;
        PlotLogLabelValues(Min, Max, Base, v);
        return v;
    };
    EXPECT_EQ(values(1, 1000, 10), (V{1000, 100, 10, 1}));
    EXPECT_EQ(values(0, 1000, 10), (V{1000, 100, 10, 1})) << "from 1 where the axis starts";
    EXPECT_EQ(values(0.5, 50, 10), (V{10, 1}));
    EXPECT_EQ(values(1, 8, 2), (V{8, 4, 2, 1}));
    EXPECT_EQ(values(1, 8, 0.5), (V{8, 4, 2, 1}));
    EXPECT_TRUE(values(1, 1e6, 1.0001).empty()) << "too many powers: none";
    EXPECT_TRUE(values(-5, 0, 10).empty());
    EXPECT_TRUE(values(1, Inf, 10).empty());
}

} // namespace
