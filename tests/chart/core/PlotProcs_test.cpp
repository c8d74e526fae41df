#include "chart/core/PlotProcs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// ---- date-time step table ----

TEST(FindDateTimeStep, MatchesEveryEntryWithinAMicrosecondAndNothingElse)
{
    struct Case {
        double Step;
        TDateTimeStep Expected;
    };
    const Case cases[] = {
        {1.0 / 24, dtOneHour},
        {1.0 / 48, dtThirtyMinutes},
        {0.3, dtNone},
        {1, dtOneDay}, // dtNone holds 1 too, but the search never reaches it
        {365, dtOneYear},
        {7 + 0.5 / 86400000000.0, dtOneWeek},
        {7 + 2.0 / 86400000000.0, dtNone},
        {0, dtNone},
        {-1.0 / 24, dtNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindDateTimeStep(c.Step), c.Expected) << c.Step;
    for (int t = dtOneMicroSecond; t <= dtOneYear; ++t)
        EXPECT_EQ(FindDateTimeStep(DateTimeStep[t]), t);
}

// ---- index quicksort ----

struct TSortProbe {
    std::vector<int> Values;
    std::vector<int> Ids; // follows Values, so the result must be a permutation
    int Swaps = 0;

    void Sort(int From, int To, bool Descending = false)
    {
        PlotSort(
            From, To,
            [&](int a, int b) {
                const int c = (Values[a] > Values[b]) - (Values[a] < Values[b]);
                return Descending ? -c : c;
            },
            [&](int a, int b) {
                EXPECT_GE(std::min(a, b), From);
                EXPECT_LE(std::max(a, b), To);
                std::swap(Values[a], Values[b]);
                std::swap(Ids[a], Ids[b]);
                ++Swaps;
            });
    }
};

TSortProbe MakeProbe(std::vector<int> Values)
{
    TSortProbe p;
    p.Values = std::move(Values);
    for (int i = 0; i < int(p.Values.size()); ++i)
        p.Ids.push_back(i);
    return p;
}

TEST(PlotSort, SortsRandomOrderedReversedAndConstantArraysAsAPermutation)
{
    std::mt19937 rng(20181);
    std::vector<std::vector<int>> inputs;
    for (int round = 0; round < 400; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 300)(rng);
        const int domain = std::uniform_int_distribution<int>(1, 12)(rng);
        std::vector<int> values(n);
        for (int& v : values)
            v = std::uniform_int_distribution<int>(0, domain)(rng);
        inputs.push_back(values);
    }
    std::vector<int> ascending(500), descending(500);
    for (int i = 0; i < 500; ++i) {
        ascending[i] = i;
        descending[i] = 500 - i;
    }
    inputs.insert(inputs.end(), {ascending, descending, std::vector<int>(500, 7)});
    for (const auto& values : inputs) {
        TSortProbe p = MakeProbe(values);
        p.Sort(0, int(values.size()) - 1);
        std::vector<int> expected = values;
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(p.Values, expected);
        for (int i = 0; i < int(p.Ids.size()); ++i)
            ASSERT_EQ(values[p.Ids[i]], p.Values[i]);
    }
    TSortProbe sorted = MakeProbe(ascending);
    sorted.Sort(0, 499);
    EXPECT_EQ(sorted.Swaps, 0);
}

// ---- hit tests ----

TEST(PointInLine, AcceptsPointsWithinToleranceOfTheSegmentOnly)
{
    struct Case {
        TPoint P;
        int Tolerance;
        bool Expected;
    };
    // Segment (10, 10) -> (50, 30).
    const Case cases[] = {
        {{10, 10}, 0, true},  {{50, 30}, 0, true}, {{30, 20}, 0, true},  {{30, 21}, 0, true},
        {{30, 23}, 0, false}, {{30, 23}, 2, true}, {{52, 31}, 0, false}, {{51, 30}, 0, true},
        {{8, 10}, 0, false},  {{8, 10}, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointInLine(c.P, {10, 10}, {50, 30}, c.Tolerance), c.Expected)
            << c.P.X << "," << c.P.Y << " tol " << c.Tolerance;
    EXPECT_TRUE(PointInLine({6, 5}, 5, 5, 5, 5));
    EXPECT_FALSE(PointInLine({7, 5}, 5, 5, 5, 5));
}

TEST(PointInPolygon, FollowsTheEvenOddRule)
{
    const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon({5, 5}, square));
    EXPECT_TRUE(PointInPolygon({0, 0}, square));   // top-left corner belongs
    EXPECT_FALSE(PointInPolygon({10, 5}, square)); // right edge does not
    EXPECT_FALSE(PointInPolygon({5, 10}, square)); // bottom edge does not
    EXPECT_FALSE(PointInPolygon({-1, 5}, square));
    // A self-crossing star: the centre is crossed twice and so outside.
    const TPoint star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_FALSE(PointInPolygon({50, 45}, star));
    EXPECT_TRUE(PointInPolygon({50, 10}, star));
    EXPECT_FALSE(PointInPolygon({1, 1}, std::span<const TPoint>()));
}

TEST(PointInTriangle, BuildsTheUprightAndTheSidewaysTriangle)
{
    // Apex (15, 0), base from (10, 20) to (21, 20).
    EXPECT_TRUE(PointInTriangle({15, 10}, 10, 21, 0, 20));
    EXPECT_FALSE(PointInTriangle({11, 2}, 10, 21, 0, 20));
    // Apex (0, 15), base from (20, 10) to (20, 21).
    EXPECT_TRUE(PointInHorizTriangle({10, 15}, 10, 21, 0, 20));
    EXPECT_FALSE(PointInHorizTriangle({2, 11}, 10, 21, 0, 20));
}

TEST(PointInEllipse, AcceptsInsideAndOnTheBoundary)
{
    const TRect r{0, 0, 20, 10};
    EXPECT_TRUE(PointInEllipse({10, 5}, r));
    EXPECT_TRUE(PointInEllipse({0, 5}, r));
    EXPECT_TRUE(PointInEllipse({10, 0}, r));
    EXPECT_FALSE(PointInEllipse({1, 1}, r));
    EXPECT_FALSE(PointInEllipse({21, 5}, r));
    // A flat ellipse is its centre line.
    EXPECT_TRUE(PointInEllipse({5, 3}, 5, 0, 5, 10));
    EXPECT_FALSE(PointInEllipse({6, 3}, 5, 0, 5, 10));
}

// ---- palette and strings ----

TEST(ColorPalette, WrapsIndicesAndRestoresTheDefault)
{
    SetDefaultColorPalette();
    EXPECT_EQ(GetDefaultColor(0), TColor(0x0000FF));
    EXPECT_EQ(GetDefaultColor(21), TColor(0x008000));
    EXPECT_EQ(GetDefaultColor(19), TColor(0xA4A0A0));
    EXPECT_EQ(GetDefaultColor(-1), TColor(0xA4A0A0));

    const TColor two[] = {0x111111, 0x222222};
    SetDefaultColorPalette(two);
    EXPECT_EQ(GetDefaultColor(3), TColor(0x222222));
    const TColor one[] = {0x333333};
    SetDefaultColorPalette(one);
    EXPECT_EQ(ColorPalette.size(), 20u);

    ColorPalette.clear();
    EXPECT_EQ(GetDefaultColor(2), TColor(0x00FFFF));
    SetDefaultColorPalette();
}

} // namespace
