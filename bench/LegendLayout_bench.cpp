#include "chart/chart/LegendLayout.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Rows 40 to 80 pixels wide in a legend 1,000 pixels wide of at most ten
// rows: the column search over State.range(0) rows. A hundred rows is the
// floor the 32,000 are measured against.
void BM_LegendColumns(benchmark::State& State)
{
    const int Rows = int(State.range(0));
    std::vector<int> Widths;
    for (int I = 0; I < Rows; ++I)
        Widths.push_back(40 + I * 7 % 41);
    for (auto _ : State) {
        const TLegendColumns L =
            LegendColumns(Rows, 1000, 10, [&](int I) { return Widths[size_t(I)]; });
        benchmark::DoNotOptimize(L.Shown);
    }
}
BENCHMARK(BM_LegendColumns)->Arg(100)->Arg(32000)->Unit(benchmark::kMicrosecond);

} // namespace
