#include "chart/series/CandleSeries.h"
#include "chart/series/FinancialFunctions.h"
#include "chart/series/SeriesFixture.h"

#include <memory>
#include <optional>

// The reference values were computed once, outside this code, by a separate
// script that follows the indicators' formulas step by step.

namespace {

using namespace chart_test;

// Open, high, low and close of eight days at X 100..107, and of a market
// flat for five days at X 0..8.
using TPrices = std::vector<std::vector<double>>;
const TPrices Days = {{10.0, 10.5, 11.8, 11.2, 10.4, 10.8, 12.3, 12.9},
                      {11.0, 12.0, 12.4, 11.6, 10.9, 12.5, 13.1, 13.0},
                      {9.5, 10.2, 11.0, 10.1, 9.8, 10.6, 12.0, 11.9},
                      {10.5, 11.8, 11.2, 10.4, 10.8, 12.3, 12.9, 12.1}};
const TPrices Flat = {{5, 5, 5, 5, 5, 5.3, 5.9, 5.4, 6.2},
                      {5, 5, 5, 5, 5, 5.5, 6.0, 5.8, 6.4},
                      {5, 5, 5, 5, 5, 4.9, 5.4, 5.2, 5.9},
                      {5, 5, 5, 5, 5, 5.3, 5.9, 5.4, 6.2}};

// Values at consecutive X from FirstX.
struct TLine {
    double FirstX;
    std::vector<double> Y;
};

void ExpectLine(const TChartSeries& S, const TLine& Expected, const std::string& What)
{
    ASSERT_EQ(S.Count(), int32_t(Expected.Y.size())) << What;
    for (int32_t I = 0; I < S.Count(); ++I) {
        EXPECT_EQ(S.XValues()[I], Expected.FirstX + I) << What << " point " << I;
        EXPECT_NEAR(S.YValues()[I], Expected.Y[size_t(I)], 1e-9) << What << " point " << I;
    }
}

// A candle source and a line computed from it by F.
template <class F> struct TComputed {
    TCandleSeries Source;
    TLineSeries Result;
    F* Function;
    explicit TComputed(double Period, const TPrices& P = Days)
    {
        const double FirstX = &P == &Days ? 100 : 0;
        for (size_t I = 0; I < P[0].size(); ++I)
            Source.AddOHLC(FirstX + double(I), P[0][I], P[1][I], P[2][I], P[3][I]);
        auto Made = std::make_unique<F>();
        Function = Made.get();
        Function->SetPeriod(Period);
        Result.SetFunction(std::move(Made));
        Result.AddDataSource(&Source);
    }
};

TEST(RSIFunction, MatchesTheReferenceValues)
{
    TComputed<TRSIFunction> C(4);
    C.Function->SetStyle(rsiClose);
    ExpectLine(C.Result, {103, {48.1481481481, 22.2222222222, 70.3703703704, 100, 72.4137931034}},
               "closes");
    // 2.5 rounds to windows of 2 points.
    C.Function->SetStyle(rsiOpenClose);
    C.Function->SetPeriod(2.5);
    ExpectLine(C.Result, {101, {100, 51.3043478261, 0, 50.9433962264, 100, 100, 51.6}},
               "open and close");
}

TEST(RSIFunction, ASourceFreedAndRemadeAtItsAddressIsReadThroughItsNewLists)
{
    TRSIFunction RSI;
    RSI.SetStyle(rsiClose);
    std::optional<TCandleSeries> Source;
    for (const auto& [Closes, Expected] :
         {std::pair{std::vector<double>{1, 2, 3, 4}, 100.0}, {{1, 3, 1, 1}, 50.0}}) {
        Source.emplace();
        for (size_t I = 0; I < Closes.size(); ++I)
            Source->AddOHLC(double(I), 1, 9, 0.5, Closes[I]);
        EXPECT_EQ(RSI.Calculate(&*Source, 0, 3), Expected) << "no loss gives 100";
    }
}

TEST(ADXFunction, MatchesTheReferenceValuesAndAFlatMarketGivesZero)
{
    struct TCase {
        const TPrices& Prices;
        double Period;
        TLine Up, Down, ADX;
    };
    const TCase Cases[] = {
        // The lines start at round(2.5) = 2, the index at round(3) = 3; the
        // smoothing divides by 2.5 itself.
        {Days,
         2.5,
         {102, {43.75, 24.5614035088, 15.9898477157, 50.1793627348, 51.6025033188, 33.4374455971}},
         {102, {0, 26.3157894737, 26.6497461929, 13.29394387, 8.96074340982, 9.00656419289}},
         {103, {68.9655172414, 51.3793103448, 54.072267058, 60.6068172569, 59.3881934255}}},
        {Flat,
         2,
         {2, {0, 0, 0, 83.3333333333, 75, 31.25, 49.21875}},
         {2, {0, 0, 0, 0, 0, 16.6666666667, 6.25}},
         {2, {0, 0, 0, 50, 75, 52.7173913043, 65.0910900184}}},
    };
    for (const TCase& T : Cases) {
        TComputed<TADXFunction> C(T.Period, T.Prices);
        ExpectLine(C.Function->UpLine(), T.Up, "up");
        ExpectLine(C.Function->DownLine(), T.Down, "down");
        ExpectLine(C.Result, T.ADX, "ADX");
        // A period below 2, or above half the points, adds nothing.
        for (double Period : {1.9, 4.6}) {
            C.Function->SetPeriod(Period);
            EXPECT_EQ(C.Result.Count() + C.Function->UpLine().Count(), 0) << Period;
        }
    }
}

TEST(ADXFunction, AClearHandlerThatFreesTheSourceEndsTheRefill)
{
    // The ADX clears its parent once more as it refills it: the second
    // clear's handler frees the source, which is then read no more.
    auto Source = std::make_unique<TCandleSeries>();
    for (size_t I = 0; I < Days[0].size(); ++I)
        Source->AddOHLC(double(I), Days[0][I], Days[1][I], Days[2][I], Days[3][I]);
    TLineSeries Result;
    auto ADX = std::make_unique<TADXFunction>();
    ADX->SetPeriod(2);
    Result.SetFunction(std::move(ADX));
    int Clears = 0;
    Result.OnClearValues = [&](TChartSeries*) {
        if (++Clears == 2)
            Source.reset();
    };
    Result.AddDataSource(Source.get());
    EXPECT_EQ(Source, nullptr);
    EXPECT_EQ(Result.Count(), 0);
}

// The parent with its ADX on a chart.
struct TOnChart {
    std::optional<TSeriesChart> Chart{std::in_place};
    TComputed<TADXFunction> C{3};
    TOnChart()
    {
        C.Result.SetParentChart(&*Chart);
        C.Result.SetVertAxis(aRightAxis);
        C.Result.XValues().SetDateTime(true);
        C.Function->SetPeriod(2); // the lines join the chart at the refill
    }
};

TEST(ADXFunction, TheLinesFollowTheParentAndLeaveWithTheFunction)
{
    TOnChart T;
    for (TFastLineSeries* Line : {&T.C.Function->UpLine(), &T.C.Function->DownLine()}) {
        EXPECT_EQ(Line->ParentChart(), &*T.Chart);
        EXPECT_EQ(Line->GetVertAxis(), T.Chart->RightAxis());
        EXPECT_TRUE(Line->XValues().DateTime());
        EXPECT_FALSE(Line->ShowInLegend());
    }
    EXPECT_EQ(T.Chart->SeriesCount(), 3);
    T.C.Result.SetFunction(nullptr);
    EXPECT_EQ(T.Chart->SeriesCount(), 1) << "freeing the function frees its lines";
    T.Chart->Frame();

    // A chart freed first lets the lines go; they are freed after it.
    TOnChart First;
    First.Chart.reset();
    EXPECT_EQ(First.C.Function->UpLine().ParentChart(), nullptr);
}

} // namespace
