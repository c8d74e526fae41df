#include "chart/series/SeriesDoubles.h"

#include <random>

using namespace series_test;

namespace {

TChartPointsBatch RandomBatch(std::mt19937& Random, int N)
{
    TChartPointsBatch B;
    B.Values.resize(5);
    for (int K = 0; K < N; ++K) {
        const double X = Random() % 20;
        const double Y = Random() % 1000;
        B.Values[0].push_back(X);
        B.Values[1].push_back(Y);
        B.Values[2].push_back(Y + 1);
        B.Values[3].push_back(Y + 2);
        B.Values[4].push_back(Y - 1);
        B.Colors.push_back(Random() % 4 == 0 ? TColor(K) : clPlotColor);
        B.Labels.push_back(Random() % 4 == 0 ? std::to_string(K) : "");
    }
    if (Random() % 2)
        B.Colors.clear();
    if (Random() % 2)
        B.Labels.clear();
    return B;
}

TEST(ChartSeriesPoints, MergedAddEqualsAddingOneByOne)
{
    std::mt19937 Random(17);
    for (int Round = 0; Round < 300; ++Round) {
        TFiveListSeries One, Merged;
        const bool Bracket = Round % 4 != 0;
        std::vector<std::pair<int32_t, int32_t>> OneEvents, MergedEvents;
        One.OnAfterAdd = [&](TChartSeries*, int32_t I) { OneEvents.push_back({I, One.Count()}); };
        Merged.OnAfterAdd = [&](TChartSeries*, int32_t I) {
            MergedEvents.push_back({I, Merged.Count()});
        };
        for (int Batch = 0; Batch < 3; ++Batch) {
            const auto B = RandomBatch(Random, static_cast<int>(Random() % 12));
            if (Bracket) {
                One.BeginUpdate();
                Merged.BeginUpdate();
            }
            for (size_t K = 0; K < B.Values[0].size(); ++K)
                One.AddRow(B.Values[0][K], B.Values[1][K], B.Labels.empty() ? "" : B.Labels[K],
                           B.Colors.empty() ? clPlotColor : B.Colors[K]);
            Merged.AddPoints(B);
            if (Bracket) {
                One.EndUpdate();
                Merged.EndUpdate();
            }
            ASSERT_EQ(Rows(Merged), Rows(One)) << "round " << Round;
            ASSERT_EQ(Merged.HasColorList(), One.HasColorList());
            ASSERT_EQ(Merged.Labels().Count(), One.Labels().Count());
        }
        ASSERT_EQ(MergedEvents, OneEvents);
    }
    TChartSeries S;
    TChartPointsBatch OnlyX, Ragged;
    OnlyX.Values = {{1, 2}};
    Ragged.Values = {{1, 2}, {3}};
    EXPECT_THROW(S.AddPoints(OnlyX), std::invalid_argument);
    EXPECT_THROW(S.AddPoints(Ragged), std::invalid_argument);
    EXPECT_EQ(S.Count(), 0);
}

TEST(ChartSeriesView, VisibleRangeFollowsTheAxisAndItsOffsets)
{
    TPanelDouble Chart;
    TChartSeries S;
    Chart.InternalAddSeries(&S);
    for (double X : {5, 10, 15, 20, 25})
        S.AddXY(X, X);
    struct TCase {
        bool Inverted;
        int32_t MinOffset, MaxOffset;
        bool Between;
        int32_t First, Last;
    };
    // The bottom axis shows 10..20 over pixels 100..300 (20 pixels a unit).
    const TCase Cases[] = {
        {false, 0, 0, false, 1, 3},    {false, 0, 0, true, 1, 3},
        {false, 100, 0, false, 2, 3},  // starts at pixel 200 = 15
        {false, 0, 80, false, 1, 2},   // ends at pixel 220 = 16
        {false, 0, 80, true, 1, 3},    // keeps the point past the edge
        {true, 0, 0, false, 1, 3},     // from pixel 300 to 100: 10 .. 20
        {false, -300, 0, false, 0, 3}, // starts left of every point
    };
    for (const auto& C : Cases) {
        Chart.Bottom.SetInverted(C.Inverted);
        Chart.Bottom.SetMinimumOffset(C.MinOffset);
        Chart.Bottom.SetMaximumOffset(C.MaxOffset);
        S.DrawBetweenPoints = C.Between;
        S.CalcFirstLastVisibleIndex();
        EXPECT_EQ(S.FirstValueIndex(), C.First) << C.MinOffset << " " << C.MaxOffset;
        EXPECT_EQ(S.LastValueIndex(), C.Last) << C.MinOffset << " " << C.MaxOffset;
    }
    Chart.Bottom.SetInverted(false);
    Chart.Bottom.SetMinimumOffset(0);
    Chart.Bottom.SetMaximumOffset(0);
    S.CalcVisiblePoints = false;
    S.CalcFirstLastVisibleIndex();
    EXPECT_EQ(S.LastValueIndex() - S.FirstValueIndex(), 4);
    S.CalcVisiblePoints = true;
    Chart.Bottom.SetMinMax(30, 40);
    Chart.Bottom.AdjustMaxMin();
    S.CalcFirstLastVisibleIndex();
    EXPECT_EQ(S.FirstValueIndex(), -1);
    EXPECT_EQ(S.LastValueIndex(), -1);
    S.Clear();
    EXPECT_EQ(S.Count(), 0);
    EXPECT_EQ(S.FirstValueIndex(), -1);
}

TEST(ChartSeriesView, DrawingOrderFollowsTheAxisDirection)
{
    TPanelDouble Chart;
    TFiveListSeries S;
    Chart.InternalAddSeries(&S);
    for (double X : {9, 12, 14, 18, 22})
        S.AddRow(X, 1);
    S.CalcFirstLastVisibleIndex();
    S.DrawAllValues();
    EXPECT_EQ(S.Drawn, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(S.FirstDisplayedIndex(), 1);
    Chart.Bottom.SetInverted(true);
    S.Drawn.clear();
    S.CalcFirstLastVisibleIndex();
    S.DrawAllValues();
    EXPECT_EQ(S.Drawn, (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(S.FirstDisplayedIndex(), 3);
    EXPECT_EQ(S.LastDisplayedIndex(), 1);
}

TEST(ChartSeriesView, ColoursComeFromPointPaletteOrSeries)
{
    TPanelDouble Chart;
    TChartSeries S;
    Chart.InternalAddSeries(&S);
    EXPECT_EQ(S.SeriesColor(), 0x0000FF) << "automatic colour from the chart";
    S.AddXY(0, 0);
    S.AddXY(1, 0, "", 0x123456);
    S.AddXY(2, 0);
    EXPECT_EQ(S.GetValueColor(0), 0x0000FF);
    EXPECT_EQ(S.GetValueColor(1), 0x123456);
    S.SetColorEachPoint(true);
    EXPECT_EQ(S.GetValueColor(2), clYellow) << "the palette's third colour";
    EXPECT_EQ(S.GetValueColor(1), 0x123456);
    Chart.Events.clear();
    S.SetSeriesColor(0x00FF00);
    EXPECT_EQ(Chart.Events, std::vector<TChartSeriesEvent>{seChangeColor});
    S.SetColorEachPoint(false);
    EXPECT_EQ(S.GetValueColor(2), 0x00FF00);
}

TEST(ChartSeriesView, MouseEnterAndLeaveAreReportedOnce)
{
    TPanelDouble Chart;
    TFiveListSeries S;
    Chart.InternalAddSeries(&S);
    S.AddRow(1, 1);
    EXPECT_FALSE(S.CheckMouse(5, 0)) << "no cursor and no handlers: not checked";
    int Enters = 0, Leaves = 0;
    S.OnMouseEnter = [&](TChartSeries*) { ++Enters; };
    S.OnMouseLeave = [&](TChartSeries*) { ++Leaves; };
    S.SetCursor(7);
    for (int X : {5, 5, 6, 6, 5})
        S.CheckMouse(X, 0);
    EXPECT_EQ(Enters, 2);
    EXPECT_EQ(Leaves, 1);
    EXPECT_EQ(Chart.Cursor(), Qt::CursorShape(7));
    EXPECT_TRUE(S.IsMouseInside());
}

TEST(ChartSeriesView, ZOrderIsCountedIn3DAndSharedIn2D)
{
    TPanelDouble Chart;
    TChartSeries A, B, C;
    for (auto* S : {&A, &B, &C})
        Chart.InternalAddSeries(S);
    for (auto* S : {&A, &B, &C})
        S->CalcZOrder();
    EXPECT_TRUE(B.MoreSameZOrder());
    EXPECT_TRUE(A.FirstInZOrder());
    EXPECT_FALSE(B.FirstInZOrder());
    Chart.SetView3D(true);
    C.SetZOrder(5);
    for (auto* S : {&A, &B, &C})
        S->CalcZOrder();
    EXPECT_EQ(A.ZOrder(), 1);
    EXPECT_EQ(B.ZOrder(), 2);
    EXPECT_EQ(Chart.MaxZOrder(), 5);
    EXPECT_FALSE(A.MoreSameZOrder());
    EXPECT_EQ(C.MaxZValue(), 5);
    B.SetActive(false);
    A.SetComputedZOrder(2);
    EXPECT_FALSE(A.MoreSameZOrder()) << "inactive series do not count";
}

} // namespace
