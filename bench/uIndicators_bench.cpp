// One refill of a chart's indicators: a moving average, fractals, Bollinger
// bands and a ZigZag, all four with their defaults, over 3,000 candles (the
// history a chart loads) and 4,500 (a day of minute candles later), and with
// periods of 500 over 20,000 candles, held in the list's arrival order. Beside it, in the same run,
// the sort and the formulas alone, and the floor: the candles read in time order and one point per
// candle written for each of the four kinds.
#include "chart/chart/PlotStartup.h"
#include "domain/uCollections.h"
#include "terminal/charts/uIndicatorCalc.h"
#include "terminal/charts/uIndicators.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr std::int64_t cMinute = 60000;
constexpr std::int64_t cNewest = 1700000000000;
constexpr int cPage = 1000;

// History pages of cPage candles, newest page first, as the chart loads them.
void LoadHistory(TKlineList& aList, int aCount)
{
    for (int PageEnd = aCount; PageEnd > 0; PageEnd -= cPage)
        for (int k = std::max(PageEnd - cPage, 0); k < PageEnd; ++k) {
            TKline Kline(cNewest - (aCount - k) * cMinute);
            const double Wave = 100 + 5 * ((k * 37) % 23) / 23.0 + k * 0.01;
            Kline.SetOpen(Wave);
            Kline.SetHigh(Wave + 1 + (k % 5) * 0.2);
            Kline.SetLow(Wave - 1 - (k % 7) * 0.2);
            Kline.SetClose(Wave + 0.5 - (k % 3) * 0.3);
            aList.Put(Kline);
        }
}

// The four kinds with their defaults, or with aPeriod as every period and
// the ZigZag's depth.
std::vector<std::unique_ptr<TBaseIndicatorInfo>> FourKinds(std::int64_t aPeriod = 0)
{
    auto Ma = std::make_unique<TMaIndicatorInfo>();
    auto Fractal = std::make_unique<TFractalIndicatorInfo>();
    auto Bollinger = std::make_unique<TBollingerIndicatorInfo>();
    auto ZigZag = std::make_unique<TZigZagIndicatorInfo>();
    if (aPeriod > 0) {
        const auto Period = std::int32_t(aPeriod);
        Ma->SetPeriod(Period);
        Fractal->SetPeriod(Period);
        Bollinger->SetPeriod(Period);
        ZigZag->SetDepth(Period);
    }
    std::vector<std::unique_ptr<TBaseIndicatorInfo>> Kinds;
    Kinds.push_back(std::move(Ma));
    Kinds.push_back(std::move(Fractal));
    Kinds.push_back(std::move(Bollinger));
    Kinds.push_back(std::move(ZigZag));
    return Kinds;
}

// The list's refill into the chart's series, as a new candle or a zoom
// change runs it.
void BM_IndicatorRefill(benchmark::State& aState)
{
    TKlineList Klines;
    LoadHistory(Klines, int(aState.range(0)));
    TChart Chart;
    TIndicatorList Indicators;
    Indicators.SetChart(&Chart);
    for (auto& Info : FourKinds(aState.range(1)))
        Indicators.Add(std::move(Info)).FillSeries(&Klines);
    for (auto _ : aState) {
        Indicators.Refresh();
        benchmark::DoNotOptimize(Indicators.Items(0).GetSeries(0).Count());
    }
    aState.SetItemsProcessed(aState.iterations() * aState.range(0));
}
// Defaults at 3,000 and 4,500 candles; periods of 500 over 20,000 candles,
// which the sliding windows keep linear in the candle count.
BENCHMARK(BM_IndicatorRefill)
    ->Args({3000, 0})
    ->Args({4500, 0})
    ->Args({20000, 500})
    ->Unit(benchmark::kMicrosecond);

// The candles sorted once and the formulas of the four kinds, without the
// chart's series.
void BM_IndicatorFormulas(benchmark::State& aState)
{
    TKlineList Klines;
    LoadHistory(Klines, int(aState.range(0)));
    const auto Kinds = FourKinds(aState.range(1));
    for (auto _ : aState) {
        const TIndicatorCandles Candles = SortedCandles(Klines);
        for (const auto& Info : Kinds)
            benchmark::DoNotOptimize(CalculateIndicator(*Info, Candles));
    }
    aState.SetItemsProcessed(aState.iterations() * aState.range(0));
}
BENCHMARK(BM_IndicatorFormulas)
    ->Args({3000, 0})
    ->Args({4500, 0})
    ->Args({20000, 500})
    ->Unit(benchmark::kMicrosecond);

// The floor: the candles read in time order once, and a point per candle
// written for each of the four kinds.
void BM_IndicatorRefillFloor(benchmark::State& aState)
{
    TKlineList Klines;
    LoadHistory(Klines, int(aState.range(0)));
    for (auto _ : aState) {
        const TIndicatorCandles Candles = SortedCandles(Klines);
        for (int Kind = 0; Kind < 4; ++Kind) {
            std::vector<TIndicatorPoint> Points;
            Points.reserve(Candles.size());
            for (const TIndicatorCandle& Candle : Candles)
                Points.push_back({Candle.Time, Candle.Close});
            benchmark::DoNotOptimize(Points.data());
        }
    }
    aState.SetItemsProcessed(aState.iterations() * aState.range(0));
}
BENCHMARK(BM_IndicatorRefillFloor)->Arg(3000)->Arg(4500)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    PlotEngineStartup();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PlotEngineShutdown();
    return 0;
}
