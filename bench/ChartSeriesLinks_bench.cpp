#include "chart/chart/PlotStartup.h"
#include "chart/series/ChartSeries.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Adds = 8000;

// The mean of the plotted values of a window.
class TMovingMean : public TPlotMovingFunction {
public:
    double Calculate(TChartSeries* S, int32_t First, int32_t Last) override
    {
        double Sum = 0;
        for (int32_t I = First; I <= Last; ++I)
            Sum += (*S->MandatoryValueList())[I];
        return Sum / (Last - First + 1);
    }
};

// The floor: 8,000 points added one by one to a series nothing is fed from.
void BM_AddsToAPlainSeries(benchmark::State& State)
{
    PlotEngineStartup();
    for (auto _ : State) {
        TChartSeries Source;
        for (int I = 0; I < Adds; ++I)
            Source.AddXY(I, I % 97);
        benchmark::DoNotOptimize(Source.Count());
    }
}
BENCHMARK(BM_AddsToAPlainSeries)->Unit(benchmark::kMillisecond);

// The same adds to the source of a computed series (a moving mean of 10
// points), then one refresh that refills it.
void BM_AddsToTheSourceOfAComputedSeries(benchmark::State& State)
{
    PlotEngineStartup();
    for (auto _ : State) {
        TChartSeries Source, Mean;
        auto Function = std::make_unique<TMovingMean>();
        Function->SetPeriod(10);
        Mean.SetFunction(std::move(Function));
        Mean.AddDataSource(&Source);
        for (int I = 0; I < Adds; ++I)
            Source.AddXY(I, I % 97);
        Source.BeginUpdate();
        Source.EndUpdate();
        benchmark::DoNotOptimize(Mean.Count());
    }
}
BENCHMARK(BM_AddsToTheSourceOfAComputedSeries)->Unit(benchmark::kMillisecond);

} // namespace
