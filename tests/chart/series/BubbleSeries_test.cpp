#include "chart/series/BubbleSeries.h"
#include "chart/series/SeriesFixture.h"

namespace {

using namespace chart_test;

// A red bubble series on TSeriesChart, one pixel a unit both ways.
struct BubbleSeries : testing::Test {
    TSeriesChart Chart;
    TBubbleSeries Bubbles;
    BubbleSeries()
    {
        Bubbles.SetParentChart(&Chart);
        Bubbles.SetSeriesColor(clRed);
        Bubbles.SetColorEachPoint(false);
        Bubbles.Pointer().Pen().SetVisible(false);
    }
    using C = TSeriesChart;
};

TEST_F(BubbleSeries, TheRadiusTravelsWithItsPointToTheSortedPlace)
{
    Bubbles.AddBubble(100, 50, 5);
    Bubbles.AddBubble(50, 20, 7);
    Bubbles.AddXY(150, 10);
    EXPECT_EQ(Bubbles.RadiusValues().Name(), "Radius");
    EXPECT_EQ(&Bubbles.RadiusValues(), Bubbles.ValuesList()[2]);
    EXPECT_EQ(std::vector<double>(Bubbles.XValues().Data(), Bubbles.XValues().Data() + 3),
              (std::vector<double>{50, 100, 150}));
    EXPECT_EQ(std::vector<double>(Bubbles.RadiusValues().Data(), Bubbles.RadiusValues().Data() + 3),
              (std::vector<double>{7, 5, 7}))
        << "a plain point takes the pending radius";
}

TEST_F(BubbleSeries, EveryDrawSizesTheBubbleByTheAxisScaleOfTheMoment)
{
    Bubbles.AddBubble(100, 50, 10);
    Bubbles.Pointer().SetHorizSize(3);
    const int X = C::PX(100), Y = C::PY(50);
    struct {
        const char* Name;
        double LeftMin, LeftMax, BottomMax;
        bool Squared;
        std::vector<TPoint> Probes;
        std::string Ink;
    } Cases[] = {
        // Inside at 8 pixels, outside at 12, both ways.
        {"one pixel a unit", 0, 100, 200, true, {{X + 8, Y}, {X, Y - 8}, {X + 12, Y}}, "RR."},
        // The vertical axis zoomed in about the bubble: 20 pixels.
        {"zoomed", 25, 75, 200, true, {{X + 15, Y}, {X, Y - 15}, {X + 22, Y}}, "RR."},
        // Half a pixel a unit across: an ellipse 5 wide and 10 tall.
        {"not squared", 0, 100, 400, false, {{X - 47, Y}, {X - 50, Y - 8}, {X - 42, Y}}, "RR."},
    };
    for (const auto& Case : Cases) {
        Chart.LeftAxis()->SetMinMax(Case.LeftMin, Case.LeftMax);
        Chart.BottomAxis()->SetMinMax(0, Case.BottomMax);
        Bubbles.SetSquared(Case.Squared);
        Chart.Frame();
        EXPECT_EQ(Chart.Probe(Case.Probes, {{clRed, 'R'}}), Case.Ink) << Case.Name;
    }
    EXPECT_EQ(Bubbles.Pointer().VertSize(), 10) << "the stored size is overwritten";
    EXPECT_EQ(Bubbles.Pointer().HorizSize(), 5);
}

TEST_F(BubbleSeries, ClicksHitTheDrawnShapeOfThePointsStyle)
{
    Bubbles.AddBubble(100, 50, 10);
    Chart.Frame();
    // Offsets from the centre, and the probes' hits in that order.
    const std::vector<TPoint> Offsets = {{0, 3},  {0, -12}, {-8, -8}, {8, -8},
                                         {-8, 8}, {7, 7},   {-9, 0},  {9, 0}};
    struct {
        TSeriesPointerStyle Style;
        const char* Hits;
    } Cases[] = {
        {psCircle, "10000111"},        {psHexagon, "10000111"}, {psTriangle, "10001100"},
        {psDownTriangle, "10110000"},  {psDiamond, "10000011"}, {psLeftTriangle, "10010111"},
        {psRightTriangle, "10101011"}, {psNothing, "00000000"}, {psRectangle, "10111111"},
    };
    const int X = C::PX(100), Y = C::PY(50);
    for (const auto& Case : Cases) {
        Bubbles.Pointer().SetStyle(Case.Style);
        std::string Hits;
        for (const TPoint& O : Offsets)
            Hits += Bubbles.Clicked(X + O.X, Y + O.Y) == 0 ? '1' : '0';
        EXPECT_EQ(Hits, Case.Hits) << int(Case.Style);
    }
    Bubbles.AddBubble(150, 50, 0);
    EXPECT_FALSE(Bubbles.ClickedPointer(1, C::PX(150), Y, C::PX(150), Y))
        << "radius 0: half-sizes 0, never hit";
    Bubbles.OnGetPointerStyle = [](TCustomSeries*, int32_t) { return psNothing; };
    EXPECT_EQ(Bubbles.Clicked(X, Y + 3), -1) << "the point's own style decides";
}

TEST_F(BubbleSeries, RangesHoldWholeBubbles)
{
    Bubbles.AddBubble(20, 90, 15);
    Bubbles.AddBubble(40, 5, 10);
    Bubbles.AddBubble(60, 50, 1);
    EXPECT_EQ(Bubbles.MaxYValue(), 105);
    EXPECT_EQ(Bubbles.MinYValue(), -5);
    Chart.LeftAxis()->SetAutomatic(true);
    Chart.Frame();
    EXPECT_EQ(Chart.LeftAxis()->Maximum(), 105) << "the automatic range widens";
    Bubbles.Pointer().SetDraw3D(true);
    EXPECT_EQ(Bubbles.MaxZValue(), 15);
    EXPECT_EQ(Bubbles.MinZValue(), -15);
    Bubbles.Pointer().SetDraw3D(false);
    EXPECT_EQ(Bubbles.MaxZValue(), Bubbles.ZOrder());
}

TEST_F(BubbleSeries, ABubbleReachingIntoTheViewFromOutsideIsDrawn)
{
    // Centred 8 pixels left of the view, 10 pixels wide either way.
    Bubbles.AddBubble(-8, 50, 10);
    Bubbles.AddBubble(100, 50, 1);
    Chart.Frame();
    EXPECT_EQ(Bubbles.FirstValueIndex(), 0);
    EXPECT_EQ(Chart.Probe({{20, C::PY(50)}}, {{clRed, 'R'}}), "R");
}

} // namespace
