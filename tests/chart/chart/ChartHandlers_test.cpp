#include "chart/panel/ChartFixture.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/Series.h"

#include <memory>
#include <string>
#include <tuple>

// Handlers may free what they are handed, or empty a series, in the middle of
// a frame, a scroll or a click test: the engine goes on without touching it.
// AddressSanitizer reports any read of what they freed.

namespace {

using namespace chart_test;

struct ChartHandlers : testing::Test, TMouseChart {};

TEST_F(ChartHandlers, AllowScrollMayDeleteItsAxis)
{
    Chart.SetScrollMouseButton(mbLeft);
    Chart.SetAllowZoom(false);
    for (const bool Horizontal : {true, false}) {
        TChartAxis* Custom = &Chart.CustomAxes().Add(Horizontal, false);
        Custom->SetMinMax(0, 10);
        int Calls = 0;
        Chart.OnAllowScroll = [&](TChartAxis* A, double&, double&, bool&) {
            ++Calls;
            if (A == Custom)
                Chart.CustomAxes().Delete(0);
        };
        if (Horizontal) {
            Chart.MouseDown(mbLeft, ssLeft, 100, 100);
            Chart.MouseMove(ssLeft, 150, 100);
            Chart.MouseUp(mbLeft, 0, 150, 100);
        } else {
            PlotUseMouseWheel = true;
            Chart.DoMouseWheelDown(0, 100, 100);
        }
        EXPECT_EQ(Chart.CustomAxes().Count(), 0) << Horizontal;
        EXPECT_GE(Calls, 2) << "the other axes still scroll";
        Chart.OnAllowScroll = nullptr;
    }
}

TEST_F(ChartHandlers, AxisLabelAndLegendTextHandlersMayFreeASeries)
{
    for (const bool Legend : {false, true}) {
        auto Labelled = std::make_unique<TBoxSeries>();
        Labelled->SetParentChart(&Chart);
        Labelled->AddXY(120, 30, "first");
        Labelled->AddXY(140, 40, "second");
        Chart.Legend().SetVisible(Legend);
        Chart.Legend().SetLegendStyle(lsSeries);
        // A frame first, so that the axis knows the new series' visible points.
        Chart.Frame();
        const auto Free = [&] { Labelled.reset(); };
        // The legend lists both series; the axis labels the one with texts.
        if (Legend)
            Chart.OnGetLegendText = [&](TCustomAxisPanel*, TLegendStyle, int, std::string&) {
                Free();
            };
        else
            Chart.SetOnGetAxisLabel([&](TChartAxis&, const IChartSeries* S, int32_t, std::string&) {
                if (S)
                    Free();
            });
        Chart.Frame();
        EXPECT_EQ(Labelled, nullptr);
        EXPECT_EQ(Chart.SeriesCount(), 1) << Legend;
        Chart.OnGetLegendText = nullptr;
        Chart.SetOnGetAxisLabel(nullptr);
    }
}

TEST_F(ChartHandlers, BeforeDrawValuesMayFreeItsOwnSeries)
{
    auto Own = std::make_unique<TBoxSeries>();
    Own->SetParentChart(&Chart);
    Own->AddXY(130, 30);
    Own->Marks().SetVisible(true);
    bool After = false;
    Own->BeforeDrawValues = [&](TChartSeries*) { Own.reset(); };
    Own->AfterDrawValues = [&](TChartSeries*) { After = true; };
    Chart.Frame();
    EXPECT_EQ(Own, nullptr);
    EXPECT_FALSE(After) << "a freed series draws nothing more";
    EXPECT_EQ(Chart.At(300, 160), clRed) << "the other series still draw";
}

TEST_F(ChartHandlers, EmptyingASeriesWhileItPaintsOrIsHitTested)
{
    TCandleSeries Candles;
    Candles.SetParentChart(&Chart);
    TPointSeries Points;
    Points.SetParentChart(&Chart);
    for (int I = 0; I < 20; ++I) {
        Candles.AddOHLC(100 + 5 * I, 20, 60, 10, 40);
        Points.AddXY(100 + 5 * I, 70);
    }
    Candles.OnGetPointerStyle = [&](TCustomSeries* S, int32_t) {
        S->Clear();
        return psRectangle;
    };
    Points.OnGetPointerStyle = Candles.OnGetPointerStyle;
    Chart.Frame();
    EXPECT_EQ(Candles.Count(), 0);
    EXPECT_EQ(Points.Count(), 0);
    for (int I = 0; I < 20; ++I)
        Points.AddXY(100 + 5 * I, 70);
    Points.OnClick = [](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {};
    Chart.Frame();
    for (TCustomSeries* S : std::initializer_list<TCustomSeries*>{&Points, &Candles}) {
        for (int I = 0; I < 20; ++I)
            S->AddXY(100 + 5 * I, 70);
        EXPECT_EQ(
            S->Clicked(Chart.BottomAxis()->CalcPosValue(150), Chart.LeftAxis()->CalcPosValue(70)),
            -1);
    }
}

// Each row arms one handler of a point series to free (or empty) it, then
// raises that handler.
TEST_F(ChartHandlers, HandlersMayFreeOrEmptyTheSeriesTheyAreGiven)
{
    enum TEvent { MarkText, PointerStyle, AfterAdd, ClearValues };
    using TRun = void (*)(TMouseChart&, TPointSeries&);
    const TRun Frame = [](TMouseChart& M, TPointSeries&) { M.Chart.Frame(); };
    const TRun LeftMeasures = [](TMouseChart& M, TPointSeries&) {
        M.Left.SetLabelsSize(0);
        M.Left.SetLabelStyle(talMark);
        M.Chart.Frame();
    };
    const TRun BottomDraws = [](TMouseChart& M, TPointSeries&) {
        M.Bottom.SetLabelStyle(talMark);
        M.Chart.Frame();
    };
    const TRun HitTest = [](TMouseChart& M, TPointSeries& S) {
        EXPECT_EQ(M.Chart.CalcClickedPart({S.CalcXPos(2), S.CalcYPos(2)}).ASeries, nullptr);
    };
    const TRun AddPoints = [](TMouseChart&, TPointSeries& S) {
        TChartPointsBatch Points;
        Points.Values = {{190, 191}, {1, 2}};
        S.AddPoints(Points);
    };
    // Fed from a source, the series is cleared first.
    const TRun FedFrom = [](TMouseChart&, TPointSeries& S) {
        TPointSeries Source;
        S.AddDataSource(&Source);
    };
    const std::tuple<TEvent, bool, TRun> Cases[] = {
        {MarkText, false, Frame},        {MarkText, true, Frame},
        {MarkText, false, LeftMeasures}, {MarkText, false, BottomDraws},
        {MarkText, true, BottomDraws},   {PointerStyle, false, Frame},
        {PointerStyle, false, HitTest},  {AfterAdd, false, AddPoints},
        {ClearValues, false, FedFrom},
    };
    for (const auto& [Event, Empties, Run] : Cases) {
        TMouseChart M;
        auto Victim = std::make_unique<TPointSeries>();
        TPointSeries& S = *Victim;
        S.SetParentChart(&M.Chart);
        for (int I = 0; I < 10; ++I)
            S.AddXY(110 + 5 * I, 20 + I, "point " + std::to_string(I));
        S.Marks().SetVisible(true);
        M.Chart.Frame();
        const auto Free = [&](auto&&...) { Empties ? S.Clear() : Victim.reset(); };
        if (Event == MarkText)
            S.OnGetMarkText = Free;
        else if (Event == PointerStyle)
            S.OnGetPointerStyle = [&](auto&&...) { return Free(), psCircle; };
        else if (Event == AfterAdd)
            S.OnAfterAdd = Free;
        else
            S.OnClearValues = Free;
        Run(M, S);
        EXPECT_EQ(Victim == nullptr, !Empties) << Event;
    }
}

TEST_F(ChartHandlers, ACustomAxisMayDeleteItselfWhileItDraws)
{
    int NextDrawn = 0;
    Chart.CustomAxes().Add(false, true).OnDrawAxis = [&](TChartAxis&) {
        Chart.CustomAxes().Delete(0);
    };
    Chart.CustomAxes().Add(false, false).OnDrawAxis = [&](TChartAxis&) { ++NextDrawn; };
    Chart.Frame();
    EXPECT_EQ(Chart.CustomAxes().Count(), 1);
    EXPECT_EQ(NextDrawn, 1) << "the axis after it still draws";
}

} // namespace
