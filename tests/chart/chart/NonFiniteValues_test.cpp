#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/FinancialMaths.h"
#include "chart/series/SeriesFixture.h"
#include "chart/series/VolumeSeries.h"

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

// A value that is not a finite number makes its point a null point, whatever
// the series: it is drawn as a null point is and counts in no range.

namespace {

using namespace chart_test;

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinite = std::numeric_limits<double>::infinity();

// Adds point I with value V to the series of one kind.
struct TKind {
    const char* Name;
    std::function<std::unique_ptr<TChartSeries>()> Make;
    std::function<void(TChartSeries&, int, double)> Add;
};

const auto AddXY = [](TChartSeries& S, int I, double V) { S.AddXY(20 + 15 * I, V); };

const TKind Kinds[] = {
    {"line", [] { return std::make_unique<TLineSeries>(); }, AddXY},
    {"point", [] { return std::make_unique<TPointSeries>(); }, AddXY},
    {"fast line", [] { return std::make_unique<TFastLineSeries>(); }, AddXY},
    {"volume", [] { return std::make_unique<TVolumeSeries>(); }, AddXY},
    {"candle", [] { return std::make_unique<TCandleSeries>(); },
     [](TChartSeries& S, int I, double V) {
         static_cast<TCandleSeries&>(S).AddOHLC(20 + 15 * I, 40, 60, 30, V);
     }},
    {"darvas", [] { return std::make_unique<TDarvasSeries>(); },
     [](TChartSeries& S, int I, double V) {
         static_cast<TCandleSeries&>(S).AddOHLC(20 + 15 * I, 40, V, 30, 45);
     }},
    {"bubble", [] { return std::make_unique<TBubbleSeries>(); },
     [](TChartSeries& S, int I, double V) {
         static_cast<TBubbleSeries&>(S).AddBubble(20 + 15 * I, V, 5);
     }},
};

// The kind's ten points on a chart whose vertical axis follows them; point 5
// holds Bad, or a plain value and the null colour when Bad is 0.
std::vector<TColor> Picture(const TKind& Kind, double Bad, std::pair<double, double>& Range)
{
    TSeriesChart Chart;
    Chart.LeftAxis()->SetAutomatic(true);
    std::unique_ptr<TChartSeries> S = Kind.Make();
    S->SetParentChart(&Chart);
    for (int I = 0; I < 10; ++I)
        Kind.Add(*S, I, I == 5 && Bad != 0 ? Bad : 50 + 3 * (I % 4));
    if (Bad == 0)
        S->SetValueColor(5, clNone);
    EXPECT_TRUE(S->IsNull(5)) << Kind.Name << " with " << Bad;
    Chart.Frame();
    Range = {Chart.LeftAxis()->Minimum(), Chart.LeftAxis()->Maximum()};
    std::vector<TColor> Pixels;
    for (int Y = 0; Y < 160; ++Y)
        for (int X = 0; X < 240; ++X)
            Pixels.push_back(Chart.At(X, Y));
    return Pixels;
}

TEST(NonFiniteValues, EverySeriesKindDrawsThemAsNullPoints)
{
    for (const TKind& Kind : Kinds) {
        std::pair<double, double> NullRange, BadRange;
        const std::vector<TColor> Null = Picture(Kind, 0, NullRange);
        for (double Bad : {NotANumber, Infinite, -Infinite}) {
            EXPECT_EQ(Picture(Kind, Bad, BadRange), Null) << Kind.Name << " with " << Bad;
            EXPECT_EQ(BadRange, NullRange) << Kind.Name << " with " << Bad;
        }
        EXPECT_TRUE(std::isfinite(NullRange.first) && NullRange.second > NullRange.first);
    }
}

TEST(NonFiniteValues, ANullBubbleDrawsNothing)
{
    TSeriesChart Chart;
    TBubbleSeries Bubbles;
    Bubbles.SetParentChart(&Chart);
    Bubbles.AddBubble(100, 50, 10);
    Bubbles.SetValueColor(0, clNone);
    Chart.Frame();
    EXPECT_EQ(Chart.Ink({20, 20, 220, 120}), 0);
}

TEST(NonFiniteValues, SetMinMaxKeepsTheRangeForValuesThatAreNotNumbers)
{
    TSeriesChart Chart;
    TChartAxis& Axis = *Chart.LeftAxis();
    Axis.SetMinMax(10, 20);
    for (auto [Min, Max] : {std::pair{NotANumber, 5.0},
                            {0.0, Infinite},
                            {-Infinite, Infinite},
                            {NotANumber, NotANumber}}) {
        Axis.SetMinMax(Min, Max);
        EXPECT_EQ(Axis.Minimum(), 10) << Min << ".." << Max;
        EXPECT_EQ(Axis.Maximum(), 20) << Min << ".." << Max;
    }
}

TEST(NonFiniteValues, OneBadPriceSpoilsNoLaterIndicatorValue)
{
    std::vector<double> High, Low, Close, Open;
    for (int I = 0; I < 40; ++I) {
        Open.push_back(10 + (I * 7 % 5));
        Close.push_back(10 + (I * 3 % 7));
        High.push_back(std::max(Open.back(), Close.back()) + 1);
        Low.push_back(std::min(Open.back(), Close.back()) - 1);
    }
    for (std::vector<double>* Bad : {&High, &Low, &Close}) {
        std::vector<double> Saved = *Bad;
        (*Bad)[10] = NotANumber;
        const TDirectionalIndex R = DirectionalIndex(High, Low, Close, 5);
        ASSERT_FALSE(R.ADX.empty());
        for (const std::vector<double>* Line : {&R.Up, &R.Down, &R.ADX})
            for (double V : *Line)
                EXPECT_TRUE(V >= 0 && V <= 100) << V;
        *Bad = Saved;
    }
    Close[10] = Infinite;
    Open[12] = NotANumber;
    for (TRSIStyle Style : {rsiClose, rsiOpenClose})
        for (int32_t First = 0; First + 6 < 40; ++First) {
            const double V = RelativeStrength(Style, Open, Close, First, First + 6);
            EXPECT_TRUE(V >= 0 && V <= 100) << V << " from " << First;
        }
}

} // namespace
