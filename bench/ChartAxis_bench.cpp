#include "chart/axes/ChartAxis.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "platform/DateUtils.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// A chart rectangle, a canvas (without a surface until a benchmark gives it
// one) and at most one series.
struct TBenchPanel : ICustomAxisPanel {
    double InternalMinMax(const TChartAxis&, bool, bool) const override { return 0; }
    int SeriesCount() const override { return SeriesOnAxis ? 1 : 0; }
    const IChartSeries& Series(int) const override { return *SeriesOnAxis; }
    int CustomAxesCount() const override { return 0; }
    TChartAxis& CustomAxis(int) override { throw std::out_of_range("no custom axes"); }
    TChartAxis* DepthAxis() override { return nullptr; }
    TChartAxis* DepthTopAxis() override { return nullptr; }
    TRect ChartRect() const override { return Rect; }
    int Width3D() const override { return 0; }
    int CalcWallSize(const TChartAxis&) const override { return 0; }
    TCanvas3D& Canvas() override { return Surface; }
    const TAxisGetLabelEvent& OnGetAxisLabel() const override { return GetAxisLabel; }
    const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const override { return GetNextAxisLabel; }
    const TAxisCalcPosLabels& CalcPosLabels() const override { return PosLabels; }
    int MaxTextWidth(const TChartAxis*, int*) override { return 0; }
    int MaxMarkWidth(const TChartAxis*, int*) override { return 0; }
    bool IsLoading() const override { return false; }
    bool FastCalc() const override { return false; }
    void Invalidate() override {}
    TRect Rect{0, 0, 1600, 900};
    const IChartSeries* SeriesOnAxis = nullptr;
    TPlotCanvas3D Surface;
    TAxisGetLabelEvent GetAxisLabel;
    TAxisGetNextLabelEvent GetNextAxisLabel;
    TAxisCalcPosLabels PosLabels;
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

// Text is measured and drawn with fonts, which need a Qt application.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "ChartAxis_bench";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    (void)offscreen;
}

struct TCandleDates : IChartValueList {
    bool DateTime() const override { return true; }
};

// The candle series on the bottom axis.
struct TCandles : IChartSeries {
    const TChartAxis* Axis = nullptr;
    TCandleDates Dates;
    bool Active() const override { return true; }
    const IChartValueList* ValueListOfAxis(const TChartAxis& A) const override
    {
        return &A == Axis ? &Dates : nullptr;
    }
    int32_t Count() const override { return 1000; }
    bool YMandatory() const override { return true; }
    int32_t FirstValueIndex() const override { return 0; }
    int32_t LastValueIndex() const override { return 999; }
    int32_t CalcXPos(int32_t) const override { return 0; }
    int32_t CalcYPos(int32_t) const override { return 0; }
    bool HasPointLabels() const override { return false; }
    const std::string& PointLabel(int32_t) const override { return None; }
    std::string MarkText(int32_t) const override { return {}; }
    const std::string& Title() const override { return None; }
    int32_t ZOrder() const override { return 0; }
    double MinZValue() const override { return 0; }
    double MaxZValue() const override { return 0; }
    std::string None;
};

// One frame of a chart window's time axis: the label step from the measured
// labels, the labels, ticks and grids of a thousand one-minute candles.
void BM_TimeAxisFrameOfAThousandCandles(benchmark::State& State)
{
    EnsureApplication();
    TCandles candles;
    TBenchPanel chart;
    chart.Rect = {10, 10, 1500, 800};
    chart.SeriesOnAxis = &candles;
    chart.Surface.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, 1600, 900});
    chart.Surface.ResetState();
    TChartAxis axis(&chart, true, false);
    candles.Axis = &axis;
    axis.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    axis.SetDesiredIncrement(1.0 / 1440);
    axis.SetTickLength(0);
    axis.SetTickInnerLength(6);
    axis.SetMinorTickLength(-3);
    axis.MinorGrid().SetColor(0xC0C0C0);
    axis.MinorGrid().Show();
    const double last = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    axis.SetMinMax(last - 999.0 / 1440, last);
    for (auto _ : State) {
        axis.AdjustMaxMin();
        axis.InternalCalcPositions();
        TRect room = chart.Rect;
        axis.CalcRect(room, true);
        axis.CalcRect(room, false);
        axis.Draw(true);
        benchmark::DoNotOptimize(axis.Tick.data());
    }
    State.counters["labels"] = double(axis.Tick.size());
}
BENCHMARK(BM_TimeAxisFrameOfAThousandCandles)->Unit(benchmark::kMicrosecond);

} // namespace
