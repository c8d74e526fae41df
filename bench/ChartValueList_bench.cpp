#include "chart/series/ChartSeries.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int CandleCount = 100000;
constexpr int PageSize = 500;
constexpr double Minute = 1.0 / 1440;

// A series laid out as a candle chart holds it: date, close, open, high, low.
class TCandleLists : public TChartSeries {
public:
    TCandleLists()
    {
        new TChartValueList(this, "Open");
        new TChartValueList(this, "High");
        new TChartValueList(this, "Low");
    }
};

TChartPointsBatch Page(int Newest)
{
    TChartPointsBatch B;
    B.Values.resize(5);
    for (int I = Newest - PageSize; I < Newest; ++I) {
        const double Close = 100 + I % 17;
        B.Values[0].push_back(45000 + I * Minute);
        B.Values[1].push_back(Close);
        B.Values[2].push_back(Close - 1);
        B.Values[3].push_back(Close + 2);
        B.Values[4].push_back(Close - 2);
    }
    return B;
}

// History arrives newest page first; every page lands in front of the
// points already held.
void BM_AddCandlesNewestPageFirst(benchmark::State& State)
{
    std::vector<TChartPointsBatch> Pages;
    for (int Newest = CandleCount; Newest > 0; Newest -= PageSize)
        Pages.push_back(Page(Newest));
    for (auto _ : State) {
        TCandleLists Series;
        for (const auto& P : Pages) {
            Series.BeginUpdate();
            Series.AddPoints(P);
            Series.EndUpdate();
        }
        benchmark::DoNotOptimize(Series.Count());
    }
}
BENCHMARK(BM_AddCandlesNewestPageFirst)->Unit(benchmark::kMillisecond);

// The same candles one AddXY at a time, oldest first: every point appends.
void BM_AddCandlesOneByOneOldestFirst(benchmark::State& State)
{
    for (auto _ : State) {
        TCandleLists Series;
        Series.BeginUpdate();
        for (int I = 0; I < CandleCount; ++I) {
            for (int L = 2; L < 5; ++L)
                Series.ValuesList()[L]->SetTempValue(100 + L);
            Series.AddXY(45000 + I * Minute, 100);
        }
        Series.EndUpdate();
        benchmark::DoNotOptimize(Series.Count());
    }
}
BENCHMARK(BM_AddCandlesOneByOneOldestFirst)->Unit(benchmark::kMillisecond);

// Visible range of a zoomed view over 100,000 sorted dates.
void BM_VisibleRangeOfSortedDates(benchmark::State& State)
{
    TChartValueList X(nullptr, "X");
    X.SetOrder(loAscending);
    for (int I = 0; I < CandleCount; ++I)
        X.AddChartValue(45000 + I * Minute);
    int32_t First, Last;
    for (auto _ : State) {
        X.CalcRangeIndex(45000 + 50000 * Minute, 45000 + 50300 * Minute, false, First, Last);
        benchmark::DoNotOptimize(First + Last);
    }
}
BENCHMARK(BM_VisibleRangeOfSortedDates);

} // namespace
