#include "chart/series/CandleSeries.h"
#include "chart/series/SeriesFixture.h"

#include <random>

namespace {

using namespace chart_test;
using C = TSeriesChart;

const std::vector<std::pair<TColor, char>> Colors = {
    {clLime, 'U'}, {clRed, 'D'}, {clBlue, 'w'}, {clBlack, 'k'}};

// Up candles lime, down ones red, a blue wick, a black outline. The rising
// candle at X 50 (pixel 70): open 20, close 60, high 80, low 10, so its
// body spans rows 60..99 and its wick rows 110 up to 41.
struct TCandleTest : testing::Test {
    TSeriesChart Chart;
    TCandleSeries Candles;
    TCandleTest()
    {
        Candles.SetParentChart(&Chart);
        Candles.SetUpCloseColor(clLime);
        Candles.SetDownCloseColor(clRed);
        Candles.HighLowPen().SetColor(clBlue);
    }
    std::string Frame(const std::vector<TPoint>& Pixels)
    {
        Chart.Frame();
        return Chart.Probe(Pixels, Colors);
    }
};

TEST_F(TCandleTest, RisingAndFallingCandlesAtTheirPixels)
{
    Candles.AddOHLC(50, 20, 80, 10, 60);
    Candles.AddOHLC(150, 60, 80, 10, 20);
    // The low end's pixel is drawn, the high end's is not; the body's right
    // and bottom edges are its last column and row.
    const std::vector<TPoint> Rising = {{70, 110}, {70, 111}, {70, 41}, {70, 40},
                                        {68, 80},  {72, 80},  {73, 80}, {67, 80},
                                        {70, 80},  {70, 60},  {70, 99}, {70, 100}};
    EXPECT_EQ(Frame(Rising), "w.w.kk..Ukkw");
    std::vector<TPoint> Falling = Rising;
    for (TPoint& P : Falling)
        P.X += 100;
    EXPECT_EQ(Chart.Probe(Falling, Colors), "w.w.kk..Dkkw");
}

TEST_F(TCandleTest, BarTicksAndTheCloseLine)
{
    Candles.AddOHLC(50, 20, 80, 10, 60);
    Candles.AddOHLC(150, 60, 80, 10, 20);
    Candles.SetCandleStyle(csCandleBar);
    // Open tick left of the stick, close tick right of it, in the candle's colour.
    EXPECT_EQ(Frame({{68, 100}, {67, 100}, {71, 100}, {72, 60}, {73, 60}, {69, 60}, {70, 41}}),
              "U..U..U");
    Candles.SetCandleStyle(csLine);
    EXPECT_FALSE(Candles.Pointer().Visible());
    // From (70, 60) to (170, 100), in the second candle's colour.
    EXPECT_EQ(Frame({{70, 60}, {120, 80}, {70, 100}}), "DD.");
}

TEST_F(TCandleTest, TheCloseLineTakesItsRangeFromTheClosesOnly)
{
    Candles.AddOHLC(1, 30, 90, 5, 40);
    Candles.AddOHLC(2, 40, 95, 8, 60);
    EXPECT_EQ(Candles.MinYValue(), 5);
    EXPECT_EQ(Candles.MaxYValue(), 95);
    Candles.SetCandleStyle(csLine);
    EXPECT_EQ(Candles.MinYValue(), 40);
    EXPECT_EQ(Candles.MaxYValue(), 60);
}

TEST_F(TCandleTest, AnOlderCandleGoesToItsPlaceInEveryList)
{
    Candles.AddOHLC(10, 1, 2, 3, 4);
    Candles.AddOHLC(30, 11, 12, 13, 14);
    EXPECT_EQ(Candles.AddOHLC(20, 21, 22, 23, 24), 1);
    const TChartValueList* Lists[] = {&Candles.DateValues(), &Candles.OpenValues(),
                                      &Candles.HighValues(), &Candles.LowValues(),
                                      &Candles.CloseValues()};
    const double Expected[3][5] = {{10, 1, 2, 3, 4}, {20, 21, 22, 23, 24}, {30, 11, 12, 13, 14}};
    for (int I = 0; I < 3; ++I)
        for (int L = 0; L < 5; ++L)
            EXPECT_EQ((*Lists[L])[I], Expected[I][L]) << "candle " << I << " list " << L;
    EXPECT_TRUE(Candles.DateValues().DateTime());
}

TEST_F(TCandleTest, CandlesAreClippedToTheChartRectangle)
{
    // The high above the top, the body across the left edge.
    Candles.AddOHLC(0, 20, 150, 10, 60);
    EXPECT_EQ(Frame({{20, 18}, {20, 19}, {19, 80}, {20, 80}}), ".w.U");
}

TEST_F(TCandleTest, ClicksHitBodiesWicksAndTicks)
{
    Candles.AddOHLC(50, 20, 80, 10, 60);
    Candles.AddOHLC(150, 60, 80, 10, 20);
    struct TCase {
        TCandleStyle Style;
        int X, Y;
        int32_t Index;
    };
    const TCase Cases[] = {
        {csCandleStick, 68, 60, 0}, {csCandleStick, 73, 100, 0}, {csCandleStick, 74, 80, -1},
        {csCandleStick, 70, 45, 0}, {csCandleStick, 70, 37, -1}, {csCandleStick, 168, 60, 1},
        {csOpenClose, 70, 45, -1},  {csCandleBar, 67, 100, 0},   {csCandleBar, 73, 60, 0},
        {csCandleBar, 75, 60, -1},  {csCandleBar, 70, 80, 0},    {csLine, 120, 80, 1},
        {csLine, 70, 70, -1},
    };
    for (const TCase& T : Cases) {
        Candles.SetCandleStyle(T.Style);
        Chart.Frame();
        EXPECT_EQ(Candles.Clicked(T.X, T.Y), T.Index)
            << int(T.Style) << " at " << T.X << "," << T.Y;
    }
}

TEST_F(TCandleTest, In3DCandlesStandAtTheMiddleOfTheirDepth)
{
    Chart.SetView3D(true);
    Candles.AddOHLC(100, 20, 80, 10, 60);
    Chart.Frame();
    ASSERT_GT(Candles.MiddleZ(), 0);
    const TPoint Flat{Candles.CalcXPos(0), Candles.CalcYPosValue(40)};
    const TPoint Body = Chart.Canvas().Calculate3DPosition(Flat, Candles.MiddleZ());
    EXPECT_EQ(Chart.At(Body.X, Body.Y), clLime);
    EXPECT_EQ(Candles.Clicked(Body.X, Body.Y), 0);
    EXPECT_EQ(Candles.Clicked(Flat.X - 20, Flat.Y), -1);
}

TEST_F(TCandleTest, EqualClosesTakeTheColourOfTheLastChange)
{
    // 100,000 closes equal to a falling first candle, the view on the last
    // ten: the frame finds their colour in one walk back.
    Candles.BeginUpdate();
    Candles.AddOHLC(0, 60, 60, 40, 40);
    for (int I = 1; I < 100'000; ++I)
        Candles.AddOHLC(I, 40, 40, 40, 40);
    Candles.EndUpdate();
    Candles.SetCandleStyle(csOpenClose);
    Candles.Pen().Hide();
    Chart.BottomAxis()->SetMinMax(99'990, 100'010);
    Chart.Frame();
    // The last candle at pixel 110, ten pixels to a candle.
    EXPECT_EQ(Chart.At(110, C::PY(40) - 1), clRed);
    EXPECT_EQ(Candles.LegendItemColor(99'999), clRed);
    Candles.SetValueColor(5, clBlue);
    EXPECT_EQ(Candles.LegendItemColor(5), clBlue) << "a point's own colour";
}

// Candles drawn as one batch give the pixels of candles drawn one by one
// (a pointer style handler keeps the series to that way): overlapping,
// flat, clipped, in every style the batch takes, with and without pens.
TEST_F(TCandleTest, TheBatchDrawsEveryPixelAsCandleByCandle)
{
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Price(-10, 110);
    for (int I = 0; I < 160; ++I) {
        const double O = Price(Random), C = I % 9 == 0 ? O : Price(Random);
        const double H = std::max(O, C) + (I % 5) * 4, L = std::min(O, C) - (I % 7) * 3;
        Candles.AddOHLC(-10 + I * 1.4, O, H, L, C);
    }
    Candles.SetValueColor(40, clBlue);
    const auto Picture = [&](bool OneByOne) {
        Candles.OnGetPointerStyle = nullptr;
        if (OneByOne)
            Candles.OnGetPointerStyle = [](TCustomSeries*, int32_t) { return psRectangle; };
        Chart.Frame();
        return Chart.PlotCanvas().Bitmap()->Image().copy();
    };
    for (const TCandleStyle Style : {csCandleStick, csOpenClose, csCandleBar})
        for (const int Width : {1, 2, 3, 6})
            for (const bool Outline : {true, false}) {
                Candles.SetCandleStyle(Style);
                Candles.SetCandleWidth(Width);
                Candles.Pen().SetVisible(Outline);
                Candles.HighLowPen().SetColor(Width == 3 ? clPlotColor : clBlue);
                EXPECT_EQ(Picture(false), Picture(true))
                    << int(Style) << " width " << Width << " outline " << Outline;
            }
}

// A body of one or two pixels is all outline: drawn in the candle's colour,
// with the wick that follows the outline, a zoomed-out chart shows rising
// and falling candles, not a black band. Wider bodies keep the outline, and
// a body of an odd number of pixels has the wick in its middle column.
TEST_F(TCandleTest, NarrowCandlesKeepTheirColour)
{
    Candles.AddOHLC(50, 20, 80, 10, 60);
    Candles.AddOHLC(150, 60, 80, 10, 20);
    Candles.HighLowPen().SetColor(clPlotColor);
    // The columns about the candle's at row 80, then the wick above the body.
    struct TCase {
        int Width;
        const char *Rising, *Falling;
    };
    const TCase Cases[] = {
        {1, "..UU.U", "..DD.D"},
        {2, ".kUk.k", ".kDk.k"},
        {4, ".kUUUk.k", ".kDDDk.k"},
    };
    for (const TCase& T : Cases) {
        Candles.SetCandleWidth(T.Width);
        for (const bool Falling : {false, true}) {
            const int X = Falling ? 170 : 70;
            std::vector<TPoint> Pixels;
            const int Half = int(std::string(T.Rising).size() - 1) / 2;
            for (int DX = -Half; DX <= Half; ++DX)
                Pixels.push_back({X + DX, 80});
            Pixels.push_back({X, 45});
            EXPECT_EQ(Frame(Pixels), Falling ? T.Falling : T.Rising) << "width " << T.Width;
        }
    }
}

} // namespace
