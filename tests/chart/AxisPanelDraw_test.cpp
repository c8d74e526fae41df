#include "ChartFixture.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace chart_test;

// The frame of TTestChart with one box at (5, 50) on a bottom axis of 0..10
// and a left axis of 0..100, labels every 5 and every 50: the axes take their
// room (labels, then 1 + 1 + 4 pixels of line and ticks) from the margins'
// rectangle (10, 10, 230, 150), leaving (46, 10, 230, 124).
struct TFrameTest : testing::Test {
    TTestChart Chart;
    TBoxSeries Box;
    TFrameTest()
    {
        Box.SetParentChart(&Chart);
        Box.SetSeriesColor(clRed);
        Box.AddXY(5, 50);
        Chart.BottomAxis()->SetMinMax(0, 10);
        Chart.BottomAxis()->SetDesiredIncrement(5);
        Chart.LeftAxis()->SetMinMax(0, 100);
        Chart.LeftAxis()->SetDesiredIncrement(50);
        Chart.SetBackColor(clYellow);
        Chart.Legend().SetVisible(false);
    }
};

TEST_F(TFrameTest, WholeFrameAtGoldenPixels)
{
    Chart.Legend().SetVisible(true);
    Chart.Legend().SetLeft(150);
    Chart.Legend().SetTop(20);
    Chart.Frame();
    EXPECT_EQ(Chart.Rect(), (TRect{46, 10, 230, 124}));
    struct TProbe {
        const char* What;
        int X, Y;
        TColor Color;
    };
    const TProbe Probes[] = {
        {"panel", 5, 5, clWhite},
        {"panel right of the wall", 231, 60, clWhite},
        {"back wall", 100, 40, clYellow},
        {"wall frame right", 229, 40, clBlack},
        {"wall frame bottom", 100, 123, clBlack},
        {"grid at 100 over the wall's top edge", 100, 10, clGray},
        {"left axis line", 46, 40, clBlack},
        {"left tick at 50 (dark grey)", 43, 67, clGray},
        {"beside the tick", 43, 62, clWhite},
        {"left grid at 0 over the bottom axis line", 100, 124, clGray},
        {"bottom tick at 5", 138, 127, clGray},
        {"below the tick", 138, 129, clWhite},
        {"grid at 50", 100, 67, clGray},
        {"grid at x 5", 138, 40, clGray},
        {"wall beside the grid", 100, 66, clYellow},
        {"box over the grid", 138, 67, clRed},
        {"box corner", 136, 65, clRed},
        {"past the box", 141, 70, clYellow},
        {"legend frame, left", 150, 22, clBlack},
        {"legend frame, top", 152, 20, clBlack},
        {"legend inside", 152, 22, clWhite},
    };
    for (const TProbe& P : Probes)
        EXPECT_EQ(Chart.At(P.X, P.Y), P.Color) << P.What;
}

TEST_F(TFrameTest, HooksRunInPipelineOrderWithTheAxesUnderOrOverTheSeries)
{
    std::vector<std::string> Order;
    auto Mark = [&](const char* Step) {
        return [&Order, Step](TCustomAxisPanel*) { Order.push_back(Step); };
    };
    Chart.OnBeforeDrawChart = Mark("chart");
    Chart.OnBeforeDrawAxes = Mark("axes");
    Chart.OnBeforeDrawSeries = Mark("series");
    Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) { Order.push_back("after"); };
    Box.OnDraw = [&](int32_t) { Order.push_back("value"); };
    Chart.Frame();
    EXPECT_EQ(Order, (std::vector<std::string>{"chart", "axes", "series", "value", "after"}));
    Order.clear();
    Chart.SetAxisBehind(false);
    Chart.Frame();
    EXPECT_EQ(Order, (std::vector<std::string>{"chart", "series", "value", "axes", "after"}));
    EXPECT_EQ(Chart.At(138, 67), clGray) << "the grid now lies over the box";
    Order.clear();
    Chart.SetAxisVisible(false);
    Chart.Frame();
    EXPECT_EQ(Order, (std::vector<std::string>{"chart", "series", "value", "after"}));
}

TEST_F(TFrameTest, SeriesAreClippedToTheChartRectangleGrownAtTopAndBottom)
{
    Box.Flood = true;
    Chart.Frame();
    const TRect& R = Chart.Rect();
    for (int X : {R.Left, 100, R.Right - 1}) {
        EXPECT_EQ(Chart.At(X, R.Top - 1), clRed) << X;
        EXPECT_EQ(Chart.At(X, R.Bottom), clRed) << X;
        EXPECT_NE(Chart.At(X, R.Top - 2), clRed) << X;
        EXPECT_NE(Chart.At(X, R.Bottom + 1), clRed) << X;
    }
    EXPECT_NE(Chart.At(R.Left - 1, 60), clRed);
    EXPECT_NE(Chart.At(R.Right, 60), clRed);
    Chart.SetClipPoints(false);
    Chart.Frame();
    EXPECT_EQ(Chart.At(2, 2), clRed);
}

TEST_F(TFrameTest, PointsOutsideTheRangeDrawNothingAndAnEmptyChartStillHasWallsAndAxes)
{
    Box.Marks().SetVisible(true);
    Chart.BottomAxis()->SetMinMax(20, 30);
    Chart.Frame();
    EXPECT_TRUE(Box.Drawn.empty());
    EXPECT_EQ(Box.Marks().Positions().Count(), 0) << "no marks either";

    Box.SetParentChart(nullptr);
    Chart.Title().SetCaption("Empty");
    Chart.Frame();
    EXPECT_EQ(Chart.At(100, 40), clYellow);
    EXPECT_EQ(Chart.At(Chart.Rect().Left, 60), clBlack) << "left axis";
    EXPECT_GT(Chart.Title().ShapeBounds.Height(), 0);
}

TEST_F(TFrameTest, AFailingHandlerLeavesRepaintingClipAndCanvasAsTheyWere)
{
    Chart.Frame();
    const size_t Depth = Chart.Canvas().ClipDepth();
    for (int Where = 0; Where < 2; ++Where) {
        Box.OnDraw = [&](int32_t) {
            if (Where == 0)
                throw std::runtime_error("series");
        };
        Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) {
            Chart.Canvas().ClipRectangle({0, 0, 5, 5});
            Chart.Canvas().Pen().SetColor(clLime);
            throw std::runtime_error("overlay");
        };
        EXPECT_THROW(Chart.Frame(), std::runtime_error) << Where;
        EXPECT_TRUE(Chart.AutoRepaint()) << Where;
        EXPECT_EQ(Chart.Canvas().ClipDepth(), Depth) << Where;
        EXPECT_EQ(Chart.Canvas().Pen().Color(), clBlack) << Where;
        // What was drawn before the failure is shown.
        EXPECT_EQ(Chart.At(100, 40), clYellow) << Where;
        EXPECT_FALSE(Chart.PlotCanvas().Dirty()) << Where;
    }
    Box.OnDraw = nullptr;
    Chart.SetAutoRepaint(false);
    Chart.OnAfterDraw = nullptr;
    Chart.Frame();
    EXPECT_FALSE(Chart.AutoRepaint()) << "a frame keeps the switch it found";
}

TEST(AxisPanel, AxisVisibilityFollowsTheSeries)
{
    TTestChart Chart;
    TChartAxis& Top = *Chart.TopAxis();
    Top.SetVisible(true);
    TBoxSeries OnBottom;
    struct TNoAxesSeries : TBoxSeries {
        bool UseAxis() const override { return false; }
    } Pie;
    EXPECT_TRUE(Chart.CalcIsAxisVisible(Top)) << "no series: visible";
    EXPECT_FALSE(Chart.CalcIsAxisVisible(*Chart.DepthAxis())) << "hidden by default";
    OnBottom.SetParentChart(&Chart);
    EXPECT_TRUE(Chart.CalcIsAxisVisible(Top)) << "no series decides against it";
    OnBottom.SetHorizAxis(aTopAxis);
    EXPECT_TRUE(Chart.CalcIsAxisVisible(Top));
    Pie.SetParentChart(&Chart);
    OnBottom.SetActive(false);
    EXPECT_FALSE(Chart.CalcIsAxisVisible(Top)) << "the first active series uses no axes";
    EXPECT_FALSE(Chart.CalcIsAxisVisible(*Chart.LeftAxis()));
    Chart.DepthAxis()->SetVisible(true);
    EXPECT_FALSE(Chart.CalcIsAxisVisible(*Chart.DepthAxis())) << "only in 3D";
    Chart.SetView3D(true);
    EXPECT_TRUE(Chart.CalcIsAxisVisible(*Chart.DepthAxis()));
    Chart.SetAxisVisible(false);
    EXPECT_FALSE(Chart.CalcIsAxisVisible(*Chart.DepthAxis()));
}

TEST(AxisPanel, AutomaticRangesComeFromTheBoundSeries)
{
    TTestChart Chart;
    TBoxSeries A, B, Right;
    for (TBoxSeries* S : {&A, &B, &Right})
        S->SetParentChart(&Chart);
    A.AddXY(1, 10);
    A.AddXY(4, 30);
    B.AddXY(-2, 50);
    B.AddXY(3, 20);
    Right.SetVertAxis(aRightAxis);
    Right.AddXY(100, 1000);
    const TChartAxis& Bottom = *Chart.BottomAxis();
    const TChartAxis& Left = *Chart.LeftAxis();
    struct TCase {
        const char* Name;
        std::function<void()> Set;
        double MinX, MaxX, MinY, MaxY;
    };
    const TCase Cases[] = {
        {"all three on the bottom", [] {}, -2, 100, 10, 50},
        {"inactive series drop out", [&] { B.SetActive(false); }, 1, 100, 10, 30},
        {"all inactive: every series counts",
         [&] {
             A.SetActive(false);
             Right.SetActive(false);
         },
         -2, 100, 10, 50},
        {"on both vertical axes",
         [&] {
             Right.SetActive(true);
             Right.SetVertAxis(aBothVertAxis);
         },
         100, 100, 1000, 1000},
        {"an active empty series leaves the inactive ones out", [&] { Right.Clear(); }, 0, 0, 0, 0},
    };
    for (const TCase& C : Cases) {
        C.Set();
        EXPECT_EQ(Chart.MinXValue(Bottom), C.MinX) << C.Name;
        EXPECT_EQ(Chart.MaxXValue(Bottom), C.MaxX) << C.Name;
        EXPECT_EQ(Chart.MinYValue(Left), C.MinY) << C.Name;
        EXPECT_EQ(Chart.MaxYValue(Left), C.MaxY) << C.Name;
    }
    Right.SetParentChart(nullptr);
    A.SetParentChart(nullptr);
    B.SetParentChart(nullptr);
    EXPECT_EQ(Chart.MaxYValue(Left), 0) << "no series";
    EXPECT_EQ(Chart.MinXValue(*Chart.DepthAxis()), -0.5);
    EXPECT_EQ(Chart.MaxXValue(*Chart.DepthAxis()), 0.5);
}

TEST(AxisPanel, SeriesMarginsWidenOnlyAutomaticEndsAndOffsetsFollowInversion)
{
    struct TCase {
        const char* Name;
        bool AutoMin, AutoMax, Inverted;
        int MinOffset, MaxOffset;
        double Min, Max; // the bottom axis' working range after the layout
    };
    // The series spans 0..200 over the 200 pixels 20..220 and asks 20
    // pixels on the left and 40 on the right: 1 value unit per pixel before
    // the margins, 200 / 140 after them.
    const double Unit = 200.0 / 140;
    const TCase Cases[] = {
        {"automatic ends", true, true, false, 0, 0, -20 * Unit, 200 + 40 * Unit},
        {"fixed minimum", false, true, false, 0, 0, 0, 200 + 40 * 200.0 / 160},
        {"fixed range", false, false, false, 0, 0, 0, 200},
        {"offsets on a fixed range", false, false, false, 10, 30, -10 * 200.0 / 160,
         200 + 30 * 200.0 / 160},
        {"inverted: each offset stays at its value end", false, false, true, 10, 30,
         -10 * 200.0 / 160, 200 + 30 * 200.0 / 160},
    };
    for (const TCase& C : Cases) {
        TTestChart Chart;
        Chart.FixRect({20, 20, 220, 120});
        TBoxSeries S;
        S.SetParentChart(&Chart);
        S.AddXY(0, 1);
        S.AddXY(200, 2);
        S.Margins = {20, 0, 40, 0};
        TChartAxis& Bottom = *Chart.BottomAxis();
        if (!C.AutoMin || !C.AutoMax)
            Bottom.SetMinMax(0, 200);
        Bottom.SetAutomaticMinimum(C.AutoMin);
        Bottom.SetAutomaticMaximum(C.AutoMax);
        Bottom.SetInverted(C.Inverted);
        Bottom.SetMinimumOffset(C.MinOffset);
        Bottom.SetMaximumOffset(C.MaxOffset);
        Chart.CalcAxisRect();
        Chart.CalcSeriesRect();
        EXPECT_NEAR(Bottom.IMinimum, C.Min, 1e-9) << C.Name;
        EXPECT_NEAR(Bottom.IMaximum, C.Max, 1e-9) << C.Name;
        EXPECT_EQ(std::pair(Bottom.IStartPos, Bottom.IEndPos), std::pair(20, 220)) << C.Name;
    }
}

TEST(AxisPanel, FreedSeriesAndAxesLeaveNothingPointingAtThem)
{
    TTestChart Chart;
    Chart.Legend().SetLegendStyle(lsSeries);
    auto Doomed = std::make_unique<TBoxSeries>();
    TBoxSeries Kept;
    for (TBoxSeries* S : {Doomed.get(), &Kept}) {
        S->SetParentChart(&Chart);
        S->SetTitle("Series");
        S->AddXY(1, 1);
    }
    Chart.Legend().SetSeries(Doomed.get());
    TChartAxis& Custom = Chart.CustomAxes().Add(false, true);
    TChartAxis& Slave = Chart.CustomAxes().Add(false, false);
    Slave.SetMasterAxis(&Custom);
    Chart.LeftAxis()->SetMasterAxis(&Custom);
    Kept.SetCustomVertAxis(&Custom);
    Kept.SetCustomHorizAxis(&Slave);
    Chart.Frame();
    ASSERT_EQ(Chart.Legend().Items().size(), 2u);
    EXPECT_EQ(Chart.Axes().size(), 8u);

    Doomed.reset();
    EXPECT_EQ(Chart.Legend().Series(), nullptr);
    ASSERT_EQ(Chart.Legend().Items().size(), 1u);
    EXPECT_EQ(Chart.Legend().Clicked(Chart.Legend().ShapeBounds.Left + 3,
                                     Chart.Legend().Items()[0].Top + 2),
              0);
    Chart.CustomAxes().Delete(0);
    EXPECT_EQ(Kept.GetVertAxis(), Chart.LeftAxis());
    EXPECT_EQ(Kept.VertAxis(), aLeftAxis);
    EXPECT_EQ(Kept.CustomVertAxis(), nullptr);
    EXPECT_EQ(Slave.MasterAxis(), nullptr);
    EXPECT_EQ(Chart.LeftAxis()->MasterAxis(), nullptr);
    Chart.CustomAxes().Delete(0);
    EXPECT_EQ(Kept.GetHorizAxis(), Chart.BottomAxis());
    EXPECT_EQ(Chart.Axes().size(), 6u);
    Chart.Frame();
    Chart.LeftAxis()->SetMinMax(0, 5);
}

TEST(AxisPanel, SeriesOutliveTheirChartUnharmed)
{
    TBoxSeries S;
    {
        TTestChart Chart;
        S.SetParentChart(&Chart);
        S.AddXY(1, 1);
    }
    EXPECT_EQ(S.ParentChart(), nullptr);
    EXPECT_EQ(S.GetHorizAxis(), nullptr);
    S.AddXY(2, 2);
    S.Clear();
}

} // namespace
