// One frame of a chart window's time axis: the label step from the measured
// labels, the labels, ticks and grid of a thousand one-minute candles.
#include "chart/ChartAxis.h"
#include "chart/PlotCanvas3D.h"
#include "platform/DateUtils.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// Text is measured and drawn with fonts, which need a Qt application.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "ChartAxisLabels_bench";
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
    std::string None;
};

struct TWindowChart : ICustomAxisPanel {
    double InternalMinMax(const TChartAxis&, bool, bool) const override { return 0; }
    int SeriesCount() const override { return 1; }
    const IChartSeries& Series(int) const override { return Candles; }
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
    bool IsLoading() const override { return false; }
    bool FastCalc() const override { return false; }
    void Invalidate() override {}
    TRect Rect{10, 10, 1500, 800};
    TCandles Candles;
    TPlotCanvas3D Surface;
    TAxisGetLabelEvent GetAxisLabel;
    TAxisGetNextLabelEvent GetNextAxisLabel;
};

void BM_TimeAxisFrameOfAThousandCandles(benchmark::State& State)
{
    EnsureApplication();
    TWindowChart chart;
    chart.Surface.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, 1600, 900});
    chart.Surface.ResetState();
    TChartAxis axis(&chart, true, false);
    chart.Candles.Axis = &axis;
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
