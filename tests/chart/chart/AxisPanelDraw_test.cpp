#include "chart/axes/ChartAxisParts.h"
#include "chart/core/PlotLifetime.h"
#include "chart/panel/ChartFixture.h"
#include "chart/series/CandleSeries.h"
#include "platform/DateUtils.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace chart_test;

// A 240 x 160 chart with margins of 10 and one box at (5, 50) on a bottom
// axis of 0..10 and a left axis of 0..100, labels every 5 and every 50. The
// axes take their room (labels, then 1 + 1 + 4 pixels of line and ticks)
// from (10, 10, 230, 150), leaving (46, 10, 230, 124).
struct TFrameTest : testing::Test {
    TTestChart Chart{240, 160, {10, 10, 10, 10}};
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
    // Axes draw in list order, each its line, ticks (dark grey) and grid:
    // the left axis' grid at 0 lies over the bottom axis' line.
    const TProbe Probes[] = {
        {"panel right of the wall", 231, 60, clWhite},
        {"back wall", 100, 40, clYellow},
        {"wall frame right", 229, 40, clBlack},
        {"left axis line", 46, 40, clBlack},
        {"left tick at 50", 43, 67, clGray},
        {"left grid at 0 over the bottom axis line", 100, 124, clGray},
        {"bottom tick at 5", 138, 127, clGray},
        {"grid at 50", 100, 67, clGray},
        {"box over the grid", 138, 67, clRed},
        {"past the box", 141, 70, clYellow},
        {"legend frame", 150, 22, clBlack},
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
    Chart.BottomAxis()->SetMinMax(20, 30);
    Chart.Frame();
    EXPECT_EQ(Order, (std::vector<std::string>{"chart", "series", "axes", "after"}))
        << "a point outside the range draws nothing";
}

TEST_F(TFrameTest, SeriesAreClippedToTheChartRectangleGrownAtTopAndBottom)
{
    Box.OnDraw = [&](int32_t) {
        Chart.Canvas().Brush().SetStyle(bsSolid);
        Chart.Canvas().Brush().SetColor(clRed);
        Chart.Canvas().FillRect({-5000, -5000, 5000, 5000});
    };
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
}

TEST_F(TFrameTest, AFailingHandlerLeavesRepaintingClipAndCanvasAsTheyWere)
{
    Chart.Frame();
    const size_t Depth = Chart.Canvas().ClipDepth();
    for (const bool InSeries : {true, false}) {
        Box.OnDraw = [InSeries](int32_t) {
            if (InSeries)
                throw std::runtime_error("series");
        };
        Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) {
            Chart.Canvas().ClipRectangle({0, 0, 5, 5});
            Chart.Canvas().Pen().SetColor(clLime);
            throw std::runtime_error("overlay");
        };
        EXPECT_THROW(Chart.Frame(), std::runtime_error) << InSeries;
        EXPECT_TRUE(Chart.AutoRepaint()) << InSeries;
        EXPECT_EQ(Chart.Canvas().ClipDepth(), Depth) << InSeries;
        EXPECT_EQ(Chart.Canvas().Pen().Color(), clBlack) << InSeries;
        // What was drawn before the failure is shown.
        EXPECT_EQ(Chart.At(100, 40), clYellow) << InSeries;
        EXPECT_FALSE(Chart.PlotCanvas().Dirty()) << InSeries;
    }
}

TEST_F(TFrameTest, FreeAllSeriesFreesTheSeriesInTheChartsKeepingAndLetsGoOfTheRest)
{
    TPlotLifetime::TWatch Kept(Chart.AddSeries(std::make_unique<TBoxSeries>()).Lifetime());
    Chart.FreeAllSeries();
    EXPECT_TRUE(Kept.Gone());
    EXPECT_EQ(Box.ParentChart(), nullptr);
}

// The widest texts by their widest line; an axis labelled with them, turned,
// takes their most lines across it.
TEST_F(TFrameTest, WidestTextsOfTheActiveSeriesByTheirWidestLine)
{
    const std::string Sep(1, PlotLineSeparator);
    Box.AddXY(4, 30, "wide line" + Sep + "b" + Sep + "c");
    TChartAxis& Left = *Chart.LeftAxis();
    Left.SetLabelsSize(0);
    Left.SetLabelStyle(talText);
    Left.SetLabelsAngle(90);
    // Texts measure only while the frame's canvas is there.
    int Wide = 0, Text = 0, Lines = 0, Marks = 0, Room = 0;
    Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) {
        Chart.Canvas().AssignFont(Left.LabelsFont());
        Wide = Chart.Canvas().TextWidth("wide line");
        Text = Chart.MaxTextWidth(nullptr, &Lines);
        Marks = Chart.MaxMarkWidth();
        Room = Left.SizeLabels() - 3 * Chart.Canvas().GetFontHeight();
    };
    Chart.Frame();
    EXPECT_EQ(std::tuple(Text, Lines, Marks, Room), std::tuple(Wide, 3, Wide, 0));
}

TEST_F(TFrameTest, SeenFromBehindTheBottomAxisComesAfterTheSeriesDrawnLastToFirst)
{
    TBoxSeries Second;
    Second.SetParentChart(&Chart);
    Second.AddXY(6, 60);
    std::string Order;
    Box.OnDraw = [&](int32_t) { Order += "1"; };
    Second.OnDraw = [&](int32_t) { Order += "2"; };
    Chart.BottomAxis()->OnDrawAxis = [&](TChartAxis&) { Order += "b"; };
    Chart.View3DOptions().SetOrthogonal(false);
    Chart.View3DOptions().SetRotation(180);
    // Depth axis inverted, 3D: the order drawn.
    const std::tuple<bool, bool, const char*> Views[] = {
        {false, false, "b12"}, {false, true, "21b"}, {true, true, "12b"}};
    for (const auto& [Inverted, In3D, Drawn] : Views) {
        Chart.DepthAxis()->SetInverted(Inverted);
        Chart.SetView3D(In3D);
        Order.clear();
        Chart.Frame();
        EXPECT_EQ(Order, Drawn) << Inverted << In3D;
    }
}

TEST_F(TFrameTest, TheAxesLabelPositionFunctionSetsTheLabelRoomOfShownAndHiddenAxes)
{
    Chart.SetCalcPosLabels([](TChartAxis& Axis, int& Room) {
        if (!Axis.Horizontal() && !Axis.IDepthAxis)
            Room += 20;
    });
    Chart.Frame();
    EXPECT_EQ(Chart.Rect(), (TRect{46 + 20, 10, 230 - 20, 124})) << "the hidden right axis too";
    // A custom axis takes no room of its own while shown; hidden, the
    // function's.
    TChartAxis& Custom = Chart.CustomAxes().Add(false, false);
    Chart.Frame();
    EXPECT_EQ(Chart.Rect(), (TRect{46 + 20, 10, 230 - 20, 124}));
    Custom.SetVisible(false);
    Chart.Frame();
    EXPECT_EQ(Chart.Rect(), (TRect{46 + 40, 10, 230 - 20, 124}));
}

// The terminal's layout: no legend, candles on the price axis at the right.
void PriceOnTheRight(TTestChart& Chart, TCandleSeries& Candles)
{
    Chart.Legend().SetVisible(false);
    Chart.LeftAxis()->SetVisible(false);
    Chart.RightAxis()->SetVisible(true);
    Candles.SetParentChart(&Chart);
    Candles.SetVertAxis(aRightAxis);
}

TEST(AxisPanel, ASixtyPixelChartDrawsAFewLabelsNotABar)
{
    // The terminal's axes on a chart 60 pixels square: half an hour of a
    // moving market, of a flat one, and a time span without room for a
    // candle, each at twenty times of day (whether a step is below a date's
    // precision depends on the date).
    const double minute = 1.0 / 1440;
    for (int at = 0; at < 20; ++at)
        for (const auto& [high, span] :
             {std::pair{0.0000124, 30 * minute}, {0.0000123, 30 * minute}, {0.0000124, 0.0}}) {
            const double start = EncodeDateTime(2018, 3, 20, 14, at, 0, 0);
            const double low = 0.0000123;
            TTestChart Chart(60, 60, {});
            TCandleSeries Candles;
            PriceOnTheRight(Chart, Candles);
            TChartAxis& Time = *Chart.BottomAxis();
            TChartAxis& Price = *Chart.RightAxis();
            Time.SetDateTimeFormat("hh:mm dd.MM.yyyy");
            Time.SetDesiredIncrement(minute);
            Price.SetAxisValuesFormat("#,####0.#####");
            Candles.XValues().SetDateTime(true);
            for (int i = 0; i < 30; ++i)
                Candles.AddOHLC(start + i * minute, low, high, low, high);
            Time.SetMinMax(start, start + span);
            Price.SetMinMax(low, high);
            Chart.Frame();
            const std::string what = std::to_string(high) + " over " + std::to_string(span) +
                                     " at " + std::to_string(at);
            EXPECT_LE(Time.Items().Count(), 1) << what;
            EXPECT_LE(Price.Items().Count(), 60 / 10 + 1) << what;
        }
}

TEST(AxisPanel, AFlatMarketStandsMidAxisUnderOneLabel)
{
    for (const double price : {0.0000123, 1.0, 43000.5, 3e7}) {
        TTestChart Chart(240, 160, {});
        TCandleSeries Candles;
        PriceOnTheRight(Chart, Candles);
        TChartAxis& Price = *Chart.RightAxis();
        Price.SetAxisValuesFormat("0.#########");
        Candles.SetUpCloseColor(clRed);
        for (int i = 0; i < 10; ++i)
            Candles.AddOHLC(i, price, price, price, price);
        Chart.BottomAxis()->SetMinMax(-1, 10);
        Price.SetMinMax(price, price);
        Chart.Frame();
        ASSERT_EQ(Price.Items().Count(), 1) << price;
        EXPECT_EQ(Price.Items()[0].Text, FormatFloat("0.#########", price));
        const TRect chart = Chart.Rect();
        const int middle = (chart.Top + chart.Bottom) / 2;
        EXPECT_LE(std::abs(Candles.CalcYPos(0) - middle), 1) << price;
        EXPECT_LE(std::abs(Price.Tick.at(0) - middle), 1) << price;
        const int x = Candles.CalcXPos(4);
        EXPECT_NE(Chart.At(x, Candles.CalcYPos(4)), clWhite) << price;
        for (int y = chart.Bottom - 5; y < chart.Bottom; ++y)
            EXPECT_NE(Chart.At(x, y), clRed) << price << ": no candle on the bottom edge";
    }
}

TEST(AxisPanel, PointTextLabelsFollowThisFramesRange)
{
    TTestChart Chart(240, 160, {});
    Chart.Legend().SetVisible(false);
    TBoxSeries Labelled;
    Labelled.SetParentChart(&Chart);
    for (int X = 100; X <= 400; X += 20)
        Labelled.AddXY(X, 50, "p" + std::to_string(X));
    TChartAxis& Bottom = *Chart.BottomAxis();
    Bottom.SetMinMax(100, 200);
    Chart.Frame();
    Bottom.SetMinMax(300, 400);
    Chart.Frame();
    ASSERT_GT(Bottom.Items().Count(), 0);
    for (int I = 0; I < Bottom.Items().Count(); ++I) {
        const double X = Bottom.Items()[I].Value;
        EXPECT_TRUE(X >= 300 && X <= 400) << Bottom.Items()[I].Text;
    }
}

TEST(AxisPanel, AxisOffsetsMeasureTheLabelsOfTheWidenedRangeAgain)
{
    TTestChart Chart(240, 160, {});
    Chart.Legend().SetVisible(false);
    TBoxSeries Box;
    Box.SetParentChart(&Chart);
    for (int Y = 0; Y <= 9; ++Y)
        Box.AddXY(Y, Y);
    TChartAxis& Left = *Chart.LeftAxis();
    Left.SetLabelsSize(0);
    Left.Title().SetCaption("Price");
    Left.SetAutomatic(true);
    // Texts measure only while the frame's canvas is there.
    int Size = 0;
    Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) { Size = Left.SizeLabels(); };
    Chart.Frame();
    const int Narrow = Size;
    // The offset widens the range below 0: "-4" is wider than "9".
    Left.SetMinimumOffset(60);
    Chart.Frame();
    ASSERT_GT(Size, Narrow);
    EXPECT_EQ(Left.PosTitle(), Left.PosLabels() - Size);
}

TEST(AxisPanel, RangesAndVisibilityFollowTheActiveSeriesOfAnAxis)
{
    TTestChart Chart(240, 160, {});
    TBoxSeries A, B;
    A.SetParentChart(&Chart);
    B.SetParentChart(&Chart);
    A.AddXY(1, 10);
    B.AddXY(-2, 50);
    B.SetVertAxis(aRightAxis);
    const TChartAxis& Bottom = *Chart.BottomAxis();
    EXPECT_EQ(std::pair(Chart.MinXValue(Bottom), Chart.MaxXValue(Bottom)), std::pair(-2.0, 1.0));
    EXPECT_EQ(Chart.MaxYValue(*Chart.LeftAxis()), 10) << "B is on the right axis";
    A.SetActive(false);
    EXPECT_EQ(Chart.MaxXValue(Bottom), -2) << "inactive series drop out";
    B.SetActive(false);
    EXPECT_EQ(Chart.MaxXValue(Bottom), 1) << "none active: all count";

    TChartAxis& Top = *Chart.TopAxis();
    Top.SetVisible(true);
    B.SetActive(true);
    EXPECT_TRUE(Chart.CalcIsAxisVisible(Top)) << "no active series decides against it";
    struct TNoAxes : TBoxSeries {
        bool UseAxis() const override { return false; }
    } Pie;
    Pie.SetParentChart(&Chart);
    B.SetActive(false);
    EXPECT_FALSE(Chart.CalcIsAxisVisible(Top)) << "the first active series uses no axes";
    EXPECT_FALSE(Chart.CalcIsAxisVisible(*Chart.DepthAxis())) << "hidden, and only in 3D";
}

TEST(AxisPanel, SeriesMarginsWidenAutomaticEndsAndOffsetsStayAtTheirValueEnd)
{
    // 0..200 over the 200 pixels 20..220: the series asks 20 pixels on the
    // left and 40 on the right; offsets of 10 (minimum) and 30 (maximum).
    for (const bool Fixed : {false, true}) {
        TTestChart Chart(240, 140, {});
        Chart.SetCustomChartRect(true);
        Chart.Rect() = {20, 20, 220, 120};
        TBoxSeries S;
        S.SetParentChart(&Chart);
        S.AddXY(0, 1);
        S.AddXY(200, 2);
        S.Margins = {20, 40};
        TChartAxis& Bottom = *Chart.BottomAxis();
        if (Fixed) {
            Bottom.SetMinMax(0, 200);
            Bottom.SetInverted(true);
            Bottom.SetMinimumOffset(10);
            Bottom.SetMaximumOffset(30);
        }
        Chart.CalcAxisRect();
        Chart.CalcSeriesRect();
        // A fixed range takes no series margins, only the offsets.
        const double Unit = 200.0 / (Fixed ? 160 : 140);
        EXPECT_NEAR(Bottom.IMinimum, -(Fixed ? 10 : 20) * Unit, 1e-9) << Fixed;
        EXPECT_NEAR(Bottom.IMaximum, 200 + (Fixed ? 30 : 40) * Unit, 1e-9) << Fixed;
    }
}

TEST(AxisPanel, FreedSeriesAndAxesLeaveNothingPointingAtThem)
{
    TTestChart Chart(240, 160, {});
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
    Kept.SetCustomVertAxis(&Custom);
    Chart.Frame();
    ASSERT_EQ(Chart.Legend().Items().size(), 2u);

    Doomed.reset();
    const TChartLegend& L = Chart.Legend();
    EXPECT_EQ(L.Series(), nullptr);
    ASSERT_EQ(L.Items().size(), 1u);
    EXPECT_EQ(L.Clicked(L.ShapeBounds.Left + 3, L.Items()[0].Top + 2), 0);
    Chart.CustomAxes().Delete(0);
    EXPECT_EQ(Kept.GetVertAxis(), Chart.LeftAxis());
    EXPECT_EQ(Kept.CustomVertAxis(), nullptr);
    EXPECT_EQ(Slave.MasterAxis(), nullptr);
    Chart.Frame();
}

} // namespace
