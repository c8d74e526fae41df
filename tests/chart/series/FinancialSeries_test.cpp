#include "chart/series/DarvasSeries.h"
#include "chart/series/SeriesFixture.h"
#include "chart/series/VolumeSeries.h"

namespace {

using namespace chart_test;

TEST(VolumeSeries, BarsStandOnTheirBaseInEachPointsColourAndAreHitWithinAPixel)
{
    TSeriesChart Chart;
    TVolumeSeries Volume;
    Volume.SetParentChart(&Chart);
    // Columns 70, 120 and 170.
    Volume.AddXY(50, 60, "", clRed);
    Volume.AddXY(100, 10, "", clRed);
    Volume.AddXY(150, 60, "", clBlue);
    struct TCase {
        bool UseOrigin;
        bool Inverted;
        const char* Expected;
    };
    const std::vector<TPoint> Probes = {{70, 59},   {70, 60},   {70, 61},  {70, 62},
                                        {70, 99},   {70, 100},  {70, 101}, {69, 80},
                                        {120, 104}, {120, 111}, {170, 70}};
    const TCase Cases[] = {
        // From the axis' end (row 120) up to the value's row, which stays out.
        {false, false, "..rrrrr..rb"},
        // Inverted, from the axis' start (row 20): 60 is row 80.
        {false, true, "rrrr......b"},
        // From the origin 20 (row 100) up, and down to a value below it.
        {true, false, "..rrrr..r.b"},
    };
    for (const TCase& T : Cases) {
        Volume.SetUseYOrigin(T.UseOrigin);
        Volume.SetOrigin(20);
        Chart.LeftAxis()->SetInverted(T.Inverted);
        Chart.Frame();
        EXPECT_EQ(Chart.Probe(Probes, {{clRed, 'r'}, {clBlue, 'b'}}), T.Expected)
            << T.UseOrigin << T.Inverted;
    }
    const std::vector<std::pair<TPoint, int32_t>> Clicks = {
        {{71, 80}, 0}, {{72, 80}, -1}, {{70, 58}, -1}, {{120, 105}, 1}, {{170, 100}, 2}};
    for (const auto& [P, Index] : Clicks)
        EXPECT_EQ(Volume.Clicked(P.X, P.Y), Index) << P.X << "," << P.Y;
}

// Highs and lows that pass through every state of the box search.
const std::vector<double> RiseHigh = {10, 12, 11, 11.5, 11, 11.2, 11.5, 13, 12.5};
const std::vector<double> RiseLow = {8, 9, 9, 9.5, 9.8, 10, 9.6, 11, 11};
const std::vector<double> WalkHigh = {10,   9,    10.5, 10,   10,   10.6, 10.2, 10.1,
                                      10,   10,   10,   10.3, 10.7, 10.5, 10.4, 10.5,
                                      10.6, 10.3, 10.1, 10,   10.2, 10.1};
const std::vector<double> WalkLow = {8,   8,   9,  9,  9.2,  9.5,  9.5, 9.4, 9.3, 9.5, 9.2,
                                     9.4, 9.8, 10, 10, 10.1, 10.2, 9.9, 9.8, 9.6, 9.7, 9.8};

TEST(DarvasBoxes, EveryStateOfTheSearch)
{
    struct TCase {
        const std::vector<double>& High;
        const std::vector<double>& Low;
        size_t Points;
        std::vector<TDarvasBox> Expected;
    };
    const TCase Cases[] = {
        {RiseHigh, RiseLow, 0, {}},
        // Ends while the box waits for its second point above the bottom.
        {RiseHigh, RiseLow, 5, {}},
        // Confirmed at the last point: closed there.
        {RiseHigh, RiseLow, 6, {{0, 5, 12, 9.5}}},
        // Broken by a new high at the last point, which starts no box.
        {RiseHigh, RiseLow, 8, {{0, 7, 12, 9.5}}},
        {RiseHigh, RiseLow, 9, {{0, 7, 12, 9.5}}},
        // New tops and bottoms from every waiting state keep the box's
        // start; a box broken by a lower low, the next one closed at the end.
        {WalkHigh, WalkLow, 22, {{0, 17, 10.7, 10}, {17, 21, 10.3, 9.6}}},
    };
    for (const TCase& T : Cases) {
        const auto Boxes =
            DarvasBoxes(std::span(T.High).first(T.Points), std::span(T.Low).first(T.Points));
        ASSERT_EQ(Boxes.size(), T.Expected.size()) << T.Points << " points";
        for (size_t K = 0; K < Boxes.size(); ++K) {
            const TDarvasBox &B = Boxes[K], &E = T.Expected[K];
            EXPECT_EQ(std::tuple(B.First, B.Last, B.Top, B.Bottom),
                      std::tuple(E.First, E.Last, E.Top, E.Bottom))
                << T.Points << " points, box " << K;
        }
    }
}

TEST(DarvasSeries, BoxesAreBlendedOverTheCandles)
{
    TSeriesChart Chart;
    TDarvasSeries Darvas;
    Darvas.SetParentChart(&Chart);
    // The rising history at X 10, 30, ..., prices x 4: the box spans
    // columns 30..169 and rows 72..81.
    for (size_t I = 0; I < RiseHigh.size(); ++I)
        Darvas.AddOHLC(10 + 20 * double(I), 4 * RiseLow[I], 4 * RiseHigh[I], 4 * RiseLow[I],
                       4 * RiseHigh[I]);
    struct TCase {
        TColor Brush;
        int Transparency;
        TColor Inside, Edge;
    };
    const TCase Cases[] = {
        // The palette's second colour, green, 70 % through over white.
        {clPlotColor, 70, 0xB2D8B2, 0xB2B2B2},
        {clBlue, 0, clBlue, clBlack},
    };
    for (const TCase& T : Cases) {
        Darvas.BoxBrush().SetColor(T.Brush);
        Darvas.SetTransparency(T.Transparency);
        Chart.Frame();
        ASSERT_EQ(Darvas.NumBoxes(), 1);
        EXPECT_EQ(Darvas.GetBoxesRect()[0], (TRect{30, 72, 170, 82}));
        EXPECT_EQ(Chart.At(40, 77), T.Inside) << T.Transparency;
        EXPECT_EQ(Chart.At(40, 72), T.Edge) << T.Transparency;
        EXPECT_EQ(Chart.At(40, 82), clWhite);
    }
}

} // namespace
