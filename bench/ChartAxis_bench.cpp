#include "chart/ChartAxis.h"
#include "chart/PlotCanvas3D.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// Nothing but a chart rectangle and a canvas without a surface: the axis
// maps on its own.
struct TBenchPanel : ICustomAxisPanel {
    double InternalMinMax(const TChartAxis&, bool, bool) const override { return 0; }
    int SeriesCount() const override { return 0; }
    const IChartSeries& Series(int) const override { throw std::out_of_range("no series"); }
    int CustomAxesCount() const override { return 0; }
    TChartAxis& CustomAxis(int) override { throw std::out_of_range("no custom axes"); }
    TChartAxis* DepthAxis() override { return nullptr; }
    TChartAxis* DepthTopAxis() override { return nullptr; }
    TRect ChartRect() const override { return {0, 0, 1600, 900}; }
    int Width3D() const override { return 0; }
    int CalcWallSize(const TChartAxis&) const override { return 0; }
    TCanvas3D& Canvas() override { return Surface; }
    const TAxisGetLabelEvent& OnGetAxisLabel() const override { return GetAxisLabel; }
    const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const override { return GetNextAxisLabel; }
    bool IsLoading() const override { return false; }
    bool FastCalc() const override { return false; }
    void Invalidate() override {}
    TPlotCanvas3D Surface;
    TAxisGetLabelEvent GetAxisLabel;
    TAxisGetNextLabelEvent GetNextAxisLabel;
};

// One frame of a zoomed-in price axis: 10,000 closes, most of them far
// outside the visible range.
void BM_MapTenThousandPrices(benchmark::State& State)
{
    TBenchPanel panel;
    TChartAxis axis(&panel, false, true);
    axis.SetMinMax(40000, 40100);
    axis.AdjustMaxMin();
    axis.InternalCalcPositions();
    std::vector<double> closes(10000);
    for (size_t i = 0; i < closes.size(); ++i)
        closes[i] = 20000 + 3.7 * i;
    for (auto _ : State) {
        long sum = 0;
        const TAxisMapping& map = axis.YMapping();
        for (double v : closes)
            sum += map.Pos(v);
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * closes.size());
}
BENCHMARK(BM_MapTenThousandPrices);

} // namespace
