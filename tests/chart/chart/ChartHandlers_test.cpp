#include "chart/panel/ChartFixture.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/FinancialFunctions.h"
#include "chart/series/Series.h"

#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
    enum { AxisLabel, LegendText, DepthLabel };
    for (const int Case : {AxisLabel, LegendText, DepthLabel}) {
        auto Labelled = std::make_unique<TBoxSeries>();
        Labelled->SetParentChart(&Chart);
        Labelled->SetTitle("labelled");
        // Without point texts only the depth axis, in 3D, hands the label
        // handler a series: it labels each by its title.
        Labelled->AddXY(120, 30, Case == DepthLabel ? "" : "first");
        Labelled->AddXY(140, 40, Case == DepthLabel ? "" : "second");
        Chart.SetView3D(Case == DepthLabel);
        Chart.DepthAxis()->SetVisible(Case == DepthLabel);
        Chart.Legend().SetVisible(Case == LegendText);
        Chart.Legend().SetLegendStyle(lsSeries);
        // A frame first, so that the axis knows the new series' visible points.
        Chart.Frame();
        const auto Free = [&] { Labelled.reset(); };
        // The legend lists both series; the axis labels the one with texts.
        if (Case == LegendText)
            Chart.OnGetLegendText = [&](TCustomAxisPanel*, TLegendStyle, int, std::string&) {
                Free();
            };
        else
            Chart.SetOnGetAxisLabel([&](TChartAxis&, const IChartSeries* S, int32_t, std::string&) {
                if (S == Labelled.get())
                    Free();
            });
        Chart.Frame();
        EXPECT_EQ(Labelled, nullptr);
        EXPECT_EQ(Chart.SeriesCount(), 1) << Case;
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

// What a handler does with what it is handed.
enum THandlerAction { FreeIt, EmptyIt, TakeItOff, FreeAll, DeleteAxis, FreeEvery, FreeSource };
// The ways the engine is driven to raise its events.
enum THandlerPath { Frame, Click, Move, Wheel, Zoom, Scroll, Add, Refill, Rejoin, Scale, View };

// A point series V on a custom axis, fed from candles Src, beside a line in
// the chart's keeping, and a hidden custom axis; marks, mark labels, rounded
// axes, a legend and a title. Every handler counts its calls and, from call
// ActFrom on, takes the row's action; a handler handed a custom axis deletes
// that one, any other the last.
struct THandlerWorld {
    TTestChart Chart{240, 130, {4, 4, 4, 4}};
    std::unique_ptr<TPointSeries> V = std::make_unique<TPointSeries>();
    std::unique_ptr<TCandleSeries> Src = std::make_unique<TCandleSeries>();
    TChartAxis* Custom = &Chart.CustomAxes().Add(false, true);
    TPoint PointAt, AxisAt, LegendAt, TitleAt, BackAt;
    THandlerAction Action;
    int ActFrom;
    int Calls = 0;
    bool Armed = true;

    THandlerWorld(THandlerAction A, int From) : Action(A), ActFrom(From)
    {
        Src->SetParentChart(&Chart);
        V->SetParentChart(&Chart);
        TChartSeries& Kept = Chart.AddSeries(std::make_unique<TFastLineSeries>());
        Kept.AddXY(0, 10);
        Kept.SetTitle("line the chart keeps");
        for (int I = 0; I < 4; ++I)
            Src->AddOHLC(I, 10 + I, 14 + I, 8 + I, 12 + I);
        V->AddDataSource(Src.get());
        V->SetCustomVertAxis(Custom);
        V->Marks().SetVisible(true);
        V->SetCursor(Qt::PointingHandCursor);
        V->SetTitle("series handed it");
        V->OutLine().SetVisible(true);
        Src->SetTitle("candles feeding it");
        Custom->SetMaximumRound(true);
        Chart.LeftAxis()->SetMaximumRound(true);
        Chart.CustomAxes().Add(false, false).SetVisible(false);
        Chart.BottomAxis()->SetLabelStyle(talMark);
        Chart.Legend().SetLegendStyle(lsSeries);
        Chart.Legend().Symbol().Shadow().SetVisible(false);
        Chart.Title().SetCaption("Title");
        Chart.SetAllowPanning(pmBoth);
        Chart.Frame();
        const TRect R = Chart.Rect(), L = Chart.Legend().ShapeBounds;
        PointAt = {V->CalcXPos(2), V->CalcYPos(2)};
        AxisAt = {(R.Left + R.Right) / 2 + 7, R.Bottom + 2};
        LegendAt = {L.Left + 4, Chart.Legend().Items()[0].Top + 2};
        TitleAt = {Chart.Title().ShapeBounds.Left + 2, Chart.Title().ShapeBounds.Top + 2};
        BackAt = {R.Left + 8, R.Top + 8};
    }
    bool HasCustom() { return Chart.HasAxis(Custom); }
    void Raised(TChartAxis* Handed = nullptr)
    {
        if (++Calls < ActFrom || !std::exchange(Armed, false))
            return;
        switch (Action) {
        case FreeIt:
            V.reset();
            break;
        case EmptyIt:
            if (V)
                V->Clear();
            break;
        case TakeItOff:
            if (V)
                V->SetParentChart(nullptr);
            break;
        case FreeAll:
            Chart.FreeAllSeries();
            break;
        case DeleteAxis:
            DeleteCustomAxis(Handed);
            break;
        case FreeEvery:
            V.reset();
            Src.reset();
            Chart.FreeAllSeries();
            break;
        case FreeSource:
            Src.reset();
            break;
        }
        Armed = true;
    }
    void DeleteCustomAxis(const TChartAxis* Handed)
    {
        TChartCustomAxes& Axes = Chart.CustomAxes();
        int Index = Axes.Count() - 1;
        for (int I = 0; I < Axes.Count(); ++I)
            if (&Axes.Items(I) == Handed)
                Index = I;
        if (Index >= 0)
            Axes.Delete(Index);
    }
    static TChartAxis* AxisOf(TChartAxis& A) { return &A; }
    static TChartAxis* AxisOf(TChartAxis* A) { return A; }
    template <class T> static TChartAxis* AxisOf(const T&) { return nullptr; }
    auto Handler()
    {
        return [this](auto&&... Args) {
            TChartAxis* Handed = nullptr;
            ((Handed = Handed ? Handed : AxisOf(Args)), ...);
            Raised(Handed);
        };
    }
    void Drag(TMouseButton Button, TPoint From, TPoint To)
    {
        Chart.MouseDown(Button, Button == mbLeft ? ssLeft : ssRight, From.X, From.Y);
        Chart.MouseMove(Button == mbLeft ? ssLeft : ssRight, To.X, To.Y);
        Chart.MouseUp(Button, 0, To.X, To.Y);
    }
};

using THandlerDrive = void (*)(THandlerWorld&);
const THandlerDrive HandlerPaths[] = {
    [](THandlerWorld& W) { // Frame: in 2D, then in 3D with the marks as custom labels
        W.Chart.Frame();
        W.Chart.SetView3D(true);
        W.Chart.DepthAxis()->SetVisible(true);
        if (W.HasCustom())
            W.Custom->SetLabelStyle(talMark);
        W.Chart.Frame();
    },
    [](THandlerWorld& W) { // Click: a hit test, a click on each part, a double click
        W.Chart.CalcClickedPart(W.PointAt);
        for (const TPoint P : {W.PointAt, W.AxisAt, W.LegendAt, W.TitleAt, W.BackAt}) {
            W.Chart.MouseDown(mbLeft, ssLeft, P.X, P.Y);
            W.Chart.MouseUp(mbLeft, 0, P.X, P.Y);
            W.Chart.Click();
        }
        W.Chart.MouseDown(mbLeft, ssLeft | ssDouble, W.PointAt.X, W.PointAt.Y);
        W.Chart.MouseUp(mbLeft, 0, W.PointAt.X, W.PointAt.Y);
        W.Chart.DblClick();
    },
    [](THandlerWorld& W) { // Move: onto the point and off it
        W.Chart.MouseMove(0, W.PointAt.X, W.PointAt.Y);
        W.Chart.MouseMove(0, W.BackAt.X, W.BackAt.Y);
    },
    [](THandlerWorld& W) { // Wheel: a notch each way
        W.Chart.DoMouseWheel(0, -120, W.BackAt.X, W.BackAt.Y);
        W.Chart.DoMouseWheel(0, 120, W.BackAt.X, W.BackAt.Y);
    },
    [](THandlerWorld& W) { // Zoom: in, and back out
        W.Drag(mbLeft, W.BackAt, {W.BackAt.X + 30, W.BackAt.Y + 30});
        W.Drag(mbLeft, {W.BackAt.X + 30, W.BackAt.Y + 30}, W.BackAt);
    },
    [](THandlerWorld& W) { // Scroll: a pan
        W.Drag(mbRight, W.BackAt, {W.BackAt.X + 10, W.BackAt.Y + 5});
    },
    [](THandlerWorld& W) { // Add: to the source, to V one and two at a time, a series
        if (W.Src)
            W.Src->AddOHLC(10, 10, 14, 8, 12);
        if (W.V)
            W.V->AddXY(11, 20);
        if (W.V) {
            TChartPointsBatch Points;
            Points.Values = {{12, 13}, {21, 22}};
            W.V->AddPoints(Points);
        }
        W.Chart.AddSeries(std::make_unique<TFastLineSeries>());
    },
    [](THandlerWorld& W) { // Refill: from the source, and computed by an ADX
        const auto Refresh = [&] {
            if (W.Src) {
                W.Src->BeginUpdate();
                W.Src->EndUpdate();
            }
        };
        Refresh();
        if (W.V) {
            auto ADX = std::make_unique<TADXFunction>();
            ADX->SetPeriod(2);
            W.V->SetFunction(std::move(ADX));
        }
        Refresh();
    },
    [](THandlerWorld& W) { // Rejoin: V off the chart and back, twice
        if (W.V)
            W.V->SetParentChart(nullptr);
        if (W.V)
            W.V->SetParentChart(&W.Chart);
        if (W.V)
            W.Chart.RemoveSeries(W.V.get());
        if (W.V)
            W.V->SetParentChart(&W.Chart);
    },
    [](THandlerWorld& W) { // Scale: the custom axis logarithmic and back
        for (const bool Log : {true, false})
            if (W.HasCustom())
                W.Custom->SetLogarithmic(Log);
    },
    [](THandlerWorld& W) { // View: the 3D view moved and zoomed
        W.Chart.View3DOptions().SetHorizOffset(5);
        W.Chart.View3DOptions().SetZoom(120);
    },
};

// Every event the engine raises, each through the paths that raise it,
// against every action of THandlerAction, taken from the first call on, then
// from the second, fourth, eighth... while the event has so many calls.
// Afterwards what is left of the chart, with V back on it, still draws and
// is hit.
TEST(ChartHandlerTable, NoActionOfAnyHandlerCrashesTheEngine)
{
    using TW = THandlerWorld;
    using TArm = void (*)(TW&);
    const std::tuple<const char*, TArm, std::vector<THandlerPath>> Events[] = {
        {"OnAfterAdd", [](TW& W) { W.V->OnAfterAdd = W.Handler(); }, {Add}},
        {"OnBeforeAdd",
         [](TW& W) { W.V->OnBeforeAdd = [&W](auto&&...) { return W.Raised(), true; }; },
         {Add, Refill}},
        {"OnClearValues", [](TW& W) { W.V->OnClearValues = W.Handler(); }, {Refill}},
        {"OnMouseEnter", [](TW& W) { W.V->OnMouseEnter = W.Handler(); }, {Move}},
        {"OnMouseLeave", [](TW& W) { W.V->OnMouseLeave = W.Handler(); }, {Move}},
        {"BeforeDrawValues", [](TW& W) { W.V->BeforeDrawValues = W.Handler(); }, {Frame}},
        {"AfterDrawValues", [](TW& W) { W.V->AfterDrawValues = W.Handler(); }, {Frame}},
        {"OnGetMarkText", [](TW& W) { W.V->OnGetMarkText = W.Handler(); }, {Frame}},
        {"series OnClick", [](TW& W) { W.V->OnClick = W.Handler(); }, {Click}},
        {"series OnDblClick", [](TW& W) { W.V->OnDblClick = W.Handler(); }, {Click}},
        {"OnClickPointer", [](TW& W) { W.V->OnClickPointer = W.Handler(); }, {Click, Move}},
        {"OnGetPointerStyle",
         [](TW& W) { W.V->OnGetPointerStyle = [&W](auto&&...) { return W.Raised(), psCircle; }; },
         {Frame, Click, Move}},
        {"OnDrawAxis", [](TW& W) { W.Custom->OnDrawAxis = W.Handler(); }, {Frame}},
        {"OnCalcMaxLabel",
         [](TW& W) {
             W.Custom->OnCalcMaxLabel = [&W](TChartAxis& A, auto&&...) {
                 return W.Raised(&A), 0.0;
             };
         },
         {Frame, Scale}},
        {"OnDrawLabel", [](TW& W) { W.Custom->OnDrawLabel = W.Handler(); }, {Frame}},
        {"OnGetAxisLabel", [](TW& W) { W.Chart.SetOnGetAxisLabel(W.Handler()); }, {Frame}},
        {"OnGetNextAxisLabel",
         [](TW& W) {
             // Three labels at the axis' minimum.
             W.Chart.SetOnGetNextAxisLabel(
                 [&W](TChartAxis& Axis, int32_t Index, double&, bool& Stop) {
                     W.Raised(&Axis);
                     Stop = Index == 3;
                 });
         },
         {Frame}},
        {"CalcPosLabels", [](TW& W) { W.Chart.SetCalcPosLabels(W.Handler()); }, {Frame}},
        {"OnMouseDown", [](TW& W) { W.Chart.OnMouseDown = W.Handler(); }, {Click, Zoom, Scroll}},
        {"OnMouseUp", [](TW& W) { W.Chart.OnMouseUp = W.Handler(); }, {Click, Zoom, Scroll}},
        {"OnMouseMove", [](TW& W) { W.Chart.OnMouseMove = W.Handler(); }, {Move, Zoom, Scroll}},
        {"panel OnClick", [](TW& W) { W.Chart.OnClick = W.Handler(); }, {Click}},
        {"panel OnDblClick", [](TW& W) { W.Chart.OnDblClick = W.Handler(); }, {Click}},
        {"OnMouseWheel", [](TW& W) { W.Chart.OnMouseWheel = W.Handler(); }, {Wheel}},
        {"OnMouseWheelDown", [](TW& W) { W.Chart.OnMouseWheelDown = W.Handler(); }, {Wheel}},
        {"OnMouseWheelUp", [](TW& W) { W.Chart.OnMouseWheelUp = W.Handler(); }, {Wheel}},
        {"OnAfterDraw", [](TW& W) { W.Chart.OnAfterDraw = W.Handler(); }, {Frame}},
        {"OnScroll", [](TW& W) { W.Chart.OnScroll = W.Handler(); }, {Scroll}},
        {"OnUndoZoom", [](TW& W) { W.Chart.OnUndoZoom = W.Handler(); }, {Zoom}},
        {"OnZoom", [](TW& W) { W.Chart.OnZoom = W.Handler(); }, {Zoom}},
        {"legend symbol OnDraw",
         [](TW& W) { W.Chart.Legend().Symbol().OnDraw = W.Handler(); },
         {Frame}},
        {"legend OnCalcSize", [](TW& W) { W.Chart.Legend().OnCalcSize = W.Handler(); }, {Frame}},
        {"OnAllowScroll", [](TW& W) { W.Chart.OnAllowScroll = W.Handler(); }, {Scroll, Wheel}},
        {"OnClickAxis", [](TW& W) { W.Chart.OnClickAxis = W.Handler(); }, {Click}},
        {"OnClickBackground", [](TW& W) { W.Chart.OnClickBackground = W.Handler(); }, {Click}},
        {"OnClickLegend", [](TW& W) { W.Chart.OnClickLegend = W.Handler(); }, {Click}},
        {"OnClickSeries", [](TW& W) { W.Chart.OnClickSeries = W.Handler(); }, {Click}},
        {"OnClickTitle", [](TW& W) { W.Chart.OnClickTitle = W.Handler(); }, {Click}},
        {"OnGetLegendText", [](TW& W) { W.Chart.OnGetLegendText = W.Handler(); }, {Frame}},
        {"OnGetLegendRect", [](TW& W) { W.Chart.OnGetLegendRect = W.Handler(); }, {Frame}},
        {"OnGetLegendPos", [](TW& W) { W.Chart.OnGetLegendPos = W.Handler(); }, {Frame}},
        {"OnAddSeries", [](TW& W) { W.Chart.OnAddSeries = W.Handler(); }, {Add, Rejoin}},
        {"OnRemoveSeries", [](TW& W) { W.Chart.OnRemoveSeries = W.Handler(); }, {Rejoin}},
        {"OnBeforeDrawChart", [](TW& W) { W.Chart.OnBeforeDrawChart = W.Handler(); }, {Frame}},
        {"OnBeforeDrawAxes", [](TW& W) { W.Chart.OnBeforeDrawAxes = W.Handler(); }, {Frame}},
        {"OnBeforeDrawSeries", [](TW& W) { W.Chart.OnBeforeDrawSeries = W.Handler(); }, {Frame}},
        {"3D OnScrolled", [](TW& W) { W.Chart.View3DOptions().OnScrolled = W.Handler(); }, {View}},
        {"3D OnChangedZoom",
         [](TW& W) { W.Chart.View3DOptions().OnChangedZoom = W.Handler(); },
         {View}},
    };
    // One run of a row from call From on: the calls the event had.
    const auto Run = [](TArm Arm, THandlerPath Path, THandlerAction Action, int From) {
        THandlerWorld World(Action, From);
        Arm(World);
        HandlerPaths[Path](World);
        World.Armed = false;
        for (TChartSeries* S : {static_cast<TChartSeries*>(World.V.get()),
                                static_cast<TChartSeries*>(World.Src.get())})
            if (S && !S->ParentChart())
                S->SetParentChart(&World.Chart);
        World.Chart.Frame();
        World.Chart.MouseMove(0, World.PointAt.X, World.PointAt.Y);
        return World.Calls;
    };
    for (const auto& [Name, Arm, Paths] : Events)
        for (const THandlerPath Path : Paths) {
            // A run that takes no action counts the calls to start from.
            const int Calls = Run(Arm, Path, FreeIt, std::numeric_limits<int>::max());
            EXPECT_GT(Calls, 0) << Name << " not raised on path " << Path;
            for (const THandlerAction Action :
                 {FreeIt, EmptyIt, TakeItOff, FreeAll, DeleteAxis, FreeEvery, FreeSource})
                for (int From = 1; From <= Calls; From *= 2)
                    Run(Arm, Path, Action, From);
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
