#include "chart/series/FastLineSeries.h"
#include "chart/series/Series.h"
#include "chart/series/SeriesFixture.h"

#include <utility>

namespace {

using namespace chart_test;

const std::vector<std::pair<TColor, char>> Colors = {
    {clRed, 'R'}, {clLime, 'P'}, {clBlue, 'A'}, {clBlack, 'k'}, {clGray, 'S'}};

// A red line series on TSeriesChart through (X, Y) points; Null marks nulls.
struct TLineTest : testing::Test {
    TSeriesChart Chart;
    TLineSeries Line;
    TLineTest()
    {
        Line.SetParentChart(&Chart);
        Line.SetSeriesColor(clRed);
    }
    void Add(std::initializer_list<std::pair<double, double>> Points, int NullIndex = -1)
    {
        int I = 0;
        for (const auto& [X, Y] : Points)
            I++ == NullIndex ? Line.AddNullXY(X, Y) : Line.AddXY(X, Y);
    }
    std::string Frame(const std::vector<TPoint>& Pixels)
    {
        Chart.Frame();
        return Chart.Probe(Pixels, Colors);
    }
    using C = TSeriesChart;
};

TEST_F(TLineTest, TheLineEntersAtTheLeftEdgeAtTheInterpolatedHeight)
{
    // From (-100, 0) to (100, 100): the value at X 0 is 50.
    Add({{-100, 0}, {100, 100}, {150, 100}});
    EXPECT_EQ(Frame({{20, C::PY(50)}, {20, C::PY(50) - 1}, {20, C::PY(50) + 1}, {20, C::PY(0)}}),
              "R...");
}

TEST_F(TLineTest, NullTreatments)
{
    // (40, 20) (80, 60 null) (120, 20) (160, 60): probes on the straight
    // join of the neighbours, on the way into the null, and after it.
    const std::vector<TPoint> Probes = {{C::PX(80), C::PY(20)}, {80, 80}, {160, 80}};
    const std::pair<TTreatNullsStyle, const char*> Cases[] = {
        {tnDontPaint, "..R"}, {tnSkip, "R.R"}, {tnIgnore, ".RR"}};
    for (const auto& [Nulls, Expected] : Cases) {
        Line.Clear();
        Line.SetTreatNulls(Nulls);
        Add({{40, 20}, {80, 60}, {120, 20}, {160, 60}}, 1);
        EXPECT_EQ(Frame(Probes), Expected) << int(Nulls);
    }
}

TEST_F(TLineTest, SkippedNullsJoinTheNearestValuesAroundTheView)
{
    Line.SetTreatNulls(tnSkip);
    // The first visible point is null: the line comes from (-50, 50), not
    // from the first point of the series.
    Add({{-150, 0}, {-50, 50}, {50, 10}, {150, 50}}, 2);
    EXPECT_EQ(Frame({{C::PX(40), C::PY(50)}, {C::PX(100), C::PY(50)}}), "RR");
    Line.Clear();
    for (int I = 0; I < 4; ++I)
        Line.AddNullXY(I * 50, 50);
    Chart.Frame();
    EXPECT_EQ(Chart.Ink({20, 20, 220, 120}), 0) << "all null: nothing";
}

TEST_F(TLineTest, StairsGoHorizontalOrVerticalFirst)
{
    Add({{20, 20}, {100, 80}});
    Line.SetStairs(true);
    const std::vector<TPoint> Probes = {{C::PX(60), C::PY(20)},
                                        {C::PX(100), C::PY(50)},
                                        {C::PX(20), C::PY(50)},
                                        {C::PX(60), C::PY(80)},
                                        {C::PX(60), C::PY(50)}};
    EXPECT_EQ(Frame(Probes), "RR...");
    Line.SetInvertedStairs(true);
    EXPECT_EQ(Frame(Probes), "..RR.");
}

TEST_F(TLineTest, PointersAreDrawnAfterTheLines)
{
    Line.Pointer().SetVisible(true);
    Line.Pointer().Brush().SetColor(clLime);
    Line.Pointer().Pen().Hide();
    // The second point repeats the first's pixel: no segment, still a pointer.
    Add({{40, 50}, {40.2, 50}, {100, 50}, {160, 50}});
    const std::vector<TPoint> Probes = {{C::PX(40), C::PY(50)},
                                        {C::PX(70), C::PY(50)},
                                        {C::PX(100), C::PY(50)},
                                        {C::PX(160) - 3, C::PY(50)}};
    EXPECT_EQ(Frame(Probes), "PRPP");
}

TEST_F(TLineTest, OutlineAndShadowPassesGoUnderTheLine)
{
    Add({{20, 50}, {180, 50}});
    Line.OutLine().SetVisible(true);
    Line.OutLine().SetColor(clBlue);
    Line.Shadow().SetColor(clGray);
    Line.Shadow().SetSize(4);
    const std::vector<TPoint> Probes = {
        {100, C::PY(50)}, {100, C::PY(50) - 1}, {100, C::PY(50) + 1}, {100, C::PY(50) + 4}};
    EXPECT_EQ(Frame(Probes), "RAAS");
}

TEST_F(TLineTest, AreaFillsDownToTheBottom)
{
    Line.SetDrawArea(true);
    Line.SetAreaColor(clBlue);
    Add({{20, 50}, {180, 50}});
    EXPECT_EQ(Frame({{100, C::PY(30)}, {100, C::PY(60)}, {10, C::PY(30)}}), "A..");
}

TEST_F(TLineTest, ClickedFindsPointersAndSegments)
{
    Line.Pointer().SetVisible(true);
    for (int I = 0; I < 10; ++I)
        Line.AddXY(I * 20, I % 2 ? 60 : 20);
    Chart.Frame();
    struct TCase {
        int X, Y;
        int32_t Index;
    };
    const TCase Cases[] = {
        {C::PX(90), C::PY(40), 4},     // between points 4 and 5
        {C::PX(60) + 3, C::PY(60), 3}, // inside point 3's pointer
        {C::PX(90), C::PY(80), -1},    // nowhere
        {C::PX(180), C::PY(60), 9},
    };
    for (const TCase& T : Cases)
        EXPECT_EQ(Line.Clicked(T.X, T.Y), T.Index) << T.X << "," << T.Y;
    Line.SetClickableLine(false);
    EXPECT_EQ(Line.Clicked(C::PX(90), C::PY(40)), -1);
}

TEST_F(TLineTest, VisibleRangeKeepsPointsThatReachIntoTheView)
{
    Line.Pointer().SetVisible(true);
    // (-3, 50) reaches in with its pointer and (-3, 500) shares its X; past
    // the right edge (230, 50) comes in as the next point and (230, -500)
    // shares its X.
    Add({{-50, 50}, {-3, 500}, {-3, 50}, {100, 50}, {190, 50}, {230, 50}, {230, -500}, {300, 50}});
    Chart.Frame();
    EXPECT_EQ(Line.FirstValueIndex(), 1);
    EXPECT_EQ(Line.LastValueIndex(), 6);
    Line.DrawBetweenPoints = false;
    Chart.Frame();
    EXPECT_EQ(Line.LastValueIndex(), 4);
}

TEST_F(TLineTest, RangesAndMargins)
{
    Add({{10, 5}, {20, 90}, {30, 40}}, 1);
    EXPECT_EQ(Line.MaxYValue(), 40) << "a null is not a value";
    Line.SetTreatNulls(tnIgnore);
    EXPECT_EQ(Line.MaxYValue(), 90);
    int32_t L = 0, R = 0, T = 0, B = 0;
    Line.Pointer().SetVisible(true);
    Line.Pointer().SetHorizSize(6);
    Line.CalcHorizMargins(L, R);
    Line.CalcVerticalMargins(T, B);
    EXPECT_EQ(std::vector<int32_t>({L, R, T, B}), std::vector<int32_t>({7, 7, 5, 5}));
}

TEST_F(TLineTest, In3DTheLineLiesOnTheSeriesFrontPlaneAndIsHitThere)
{
    Chart.SetView3D(true);
    TLineSeries Front;
    Front.SetParentChart(&Chart);
    Add({{20, 50}, {180, 50}});
    Chart.Frame();
    ASSERT_GT(Line.StartZ(), 0) << "the first series lies behind the second";
    // The 3D walls take their room: the axes map anew.
    const TPoint Flat{Line.CalcXPosValue(100), Line.CalcYPosValue(50)};
    const TPoint Mid = Chart.Canvas().Calculate3DPosition(Flat, Line.StartZ());
    EXPECT_NE(Mid, Flat);
    EXPECT_EQ(Chart.At(Mid.X, Mid.Y), clRed);
    EXPECT_EQ(Line.Clicked(Mid.X, Mid.Y), 0);
    EXPECT_EQ(Line.Clicked(Flat.X, Flat.Y), -1);
}

TEST(CustomSeries, StacksAddUpAndAStackOfNothingLiesAtZero)
{
    TSeriesChart Chart;
    TLineSeries A, B;
    for (TLineSeries* S : {&A, &B}) {
        S->SetParentChart(&Chart);
        S->SetStacked(cssStack);
    }
    A.AddXY(0, 10);
    A.AddXY(1, 0);
    B.AddXY(0, 30);
    B.AddXY(1, 0);
    Chart.Frame();
    EXPECT_EQ(B.MaxYValue(), 40);
    EXPECT_EQ(B.CalcYPos(0), TSeriesChart::PY(40));
    EXPECT_EQ(B.GetOriginPos(0), TSeriesChart::PY(10));
    for (TLineSeries* S : {&A, &B})
        S->SetStacked(cssStack100);
    EXPECT_EQ(A.CalcYPos(0), TSeriesChart::PY(25));
    EXPECT_EQ(B.CalcYPos(0), TSeriesChart::PY(100));
    EXPECT_EQ(B.CalcYPos(1), TSeriesChart::PY(0)) << "a zero total";
    EXPECT_EQ(B.MaxYValue(), 100);
}

TEST(FastLineSeries, PolylineBreaksAtNullsAndAppendsIntoThePicture)
{
    TSeriesChart Chart;
    TFastLineSeries Fast;
    Fast.SetParentChart(&Chart);
    Fast.SetSeriesColor(clRed);
    Fast.AddXY(20, 50);
    Fast.AddNullXY(60, 50);
    Fast.AddXY(100, 50);
    Fast.AddXY(140, 50);
    const std::vector<TPoint> Probes = {
        {TSeriesChart::PX(40), 70}, {TSeriesChart::PX(120), 70}, {TSeriesChart::PX(160), 70}};
    Chart.Frame();
    EXPECT_EQ(Chart.Probe(Probes, Colors), ".R.");
    Fast.SetTreatNulls(tnSkip);
    Chart.Frame();
    EXPECT_EQ(Chart.Probe(Probes, Colors), "RR.");
    // Without repainting the new segment goes straight into the picture.
    Chart.SetAutoRepaint(false);
    Fast.AddXY(180, 50);
    EXPECT_EQ(Chart.Probe(Probes, Colors), "RRR");
}

} // namespace
