#include "chart/panel/ChartFixture.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/Series.h"

#include <functional>
#include <memory>
#include <string>

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

// Each case arms one handler of the victim, a point series on a fresh chart,
// to free it (or empty it) when called, then does what raises the handler.
// The series' own drawing, adding or clearing stops; the chart goes on.
TEST_F(ChartHandlers, HandlersMayFreeOrEmptyTheSeriesTheyAreGiven)
{
    using TFree = std::function<void()>;
    enum TEvent { MarkText, PointerStyle, AfterAdd, ClearValues };
    const auto Arm = [](TPointSeries& S, TEvent Event, const TFree& Free) {
        if (Event == MarkText)
            S.OnGetMarkText = [&Free](TChartSeries*, int32_t, std::string&) { Free(); };
        else if (Event == PointerStyle)
            S.OnGetPointerStyle = [&Free](TCustomSeries*, int32_t) {
                Free();
                return psCircle;
            };
        else if (Event == AfterAdd)
            S.OnAfterAdd = [&Free](TChartSeries*, int32_t) { Free(); };
        else
            S.OnClearValues = [&Free](TChartSeries*) { Free(); };
    };
    using TRun = std::function<void(TMouseChart&, TPointSeries&)>;
    const TRun Marks = [](TMouseChart& M, TPointSeries& S) {
        S.Marks().SetVisible(true);
        M.Chart.Frame();
    };
    const TRun Frame = [](TMouseChart& M, TPointSeries&) { M.Chart.Frame(); };
    // The left axis measures the texts for its room; the bottom one draws them.
    const TRun AxesMeasure = [](TMouseChart& M, TPointSeries&) {
        M.Left.SetLabelsSize(0);
        for (TChartAxis* A : {&M.Left, &M.Bottom})
            A->SetLabelStyle(talMark);
        M.Chart.Frame();
        M.Left.SetLabelsSize(30);
    };
    const TRun BottomMarks = [](TMouseChart& M, TPointSeries&) {
        M.Bottom.SetLabelStyle(talMark);
        M.Chart.Frame();
    };
    const TRun HitTests = [](TMouseChart& M, TPointSeries& S) {
        const int X = S.CalcXPos(2), Y = S.CalcYPos(2);
        EXPECT_EQ(M.Chart.CalcClickedPart({X, Y}).ASeries, nullptr);
        M.Chart.MouseMove(0, X, Y);
    };
    const TRun AddPoints = [](TMouseChart&, TPointSeries& S) {
        TChartPointsBatch Points;
        Points.Values = {{190, 191, 192}, {1, 2, 3}};
        S.AddPoints(Points);
    };
    const TRun Clear = [](TMouseChart&, TPointSeries& S) { S.Clear(); };
    // Filling the victim from a source clears it; a point added to the
    // source is added to it.
    const TRun FedFrom = [](TMouseChart& M, TPointSeries& S) {
        TPointSeries Source;
        Source.SetParentChart(&M.Chart);
        Source.AddXY(150, 5);
        S.AddDataSource(&Source);
        Source.AddXY(160, 5);
    };
    const struct {
        TEvent Event;
        bool Empties;
        TRun Run;
    } Cases[] = {
        {MarkText, false, Marks},        {MarkText, true, Marks},
        {MarkText, false, AxesMeasure},  {MarkText, false, BottomMarks},
        {MarkText, true, BottomMarks},   {PointerStyle, false, Frame},
        {PointerStyle, false, HitTests}, {AfterAdd, false, AddPoints},
        {AfterAdd, false, FedFrom},      {ClearValues, false, Clear},
        {ClearValues, false, FedFrom},
    };
    for (const auto& Case : Cases) {
        const int Row = int(&Case - Cases);
        TMouseChart M;
        auto Victim = std::make_unique<TPointSeries>();
        TPointSeries* Raw = Victim.get();
        Raw->SetParentChart(&M.Chart);
        for (int I = 0; I < 10; ++I)
            Raw->AddXY(110 + 5 * I, 20 + I, "point " + std::to_string(I));
        M.Chart.Frame();
        const TFree Free =
            Case.Empties ? TFree([Raw] { Raw->Clear(); }) : TFree([&Victim] { Victim.reset(); });
        Arm(*Raw, Case.Event, Free);
        Case.Run(M, *Raw);
        EXPECT_EQ(Victim == nullptr, !Case.Empties) << Row;
        M.Chart.Frame();
        EXPECT_EQ(M.Chart.At(300, 160), clRed) << Row << ": the other series still draw";
    }
}

TEST_F(ChartHandlers, ACustomAxisMayDeleteItselfWhileItDraws)
{
    for (const bool Behind : {true, false}) {
        Chart.SetAxisBehind(Behind);
        TChartAxis& Doomed = Chart.CustomAxes().Add(false, true);
        TChartAxis& Next = Chart.CustomAxes().Add(false, false);
        int NextDrawn = 0;
        Doomed.OnDrawAxis = [&](TChartAxis&) { Chart.CustomAxes().Delete(0); };
        Next.OnDrawAxis = [&](TChartAxis&) { ++NextDrawn; };
        Chart.Frame();
        EXPECT_EQ(Chart.CustomAxes().Count(), 1) << Behind;
        EXPECT_EQ(NextDrawn, 1) << Behind << ": the axis after it still draws";
        Chart.CustomAxes().Delete(0);
    }
}

} // namespace
