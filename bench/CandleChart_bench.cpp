// One frame of a chart window on a full-HD screen: its candles drawn by the
// chart engine beside two references of the same run, the same frame
// without candles (axes, grids, walls, legend: the fixed cost) and a bare
// QPainter loop drawing each candle's shapes (the floor). A chart window's
// own frame with and without its overlays (title with the newest candle's
// values, day separators, volume histogram). Then a pan of 200 frames
// through the chart's mouse handling.

#include "chart/chart/Chart.h"
#include "chart/chart/PlotStartup.h"
#include "chart/series/CandleSeries.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int ScreenW = 1920;
constexpr int ScreenH = 1080;
constexpr int MostCandles = 100'000;
constexpr double OneMinute = 1.0 / 1440;

// One-minute candles of a random walk, the same in every run.
struct TCandleData {
    std::vector<double> Date, Open, High, Low, Close;
    TCandleData()
    {
        std::mt19937 Random(26);
        std::normal_distribution<double> Step(0, 4);
        double Price = 40'000;
        for (int I = 0; I < MostCandles; ++I) {
            const double O = Price, C = Price + Step(Random);
            Date.push_back(43'000 + I * OneMinute);
            Open.push_back(O);
            Close.push_back(C);
            High.push_back(std::max(O, C) + std::abs(Step(Random)));
            Low.push_back(std::min(O, C) - std::abs(Step(Random)));
            Price = C;
        }
    }
};

const TCandleData& Data()
{
    static const TCandleData D;
    return D;
}

// The chart as a chart window sets it up: 2D, a date axis, fixed axes, the
// pan on the left button, the legend shown without rows; drawn into an
// off-screen RGB32 picture of the screen's size.
class TBenchChart {
public:
    TBenchChart(int Loaded, TCandleStyle Style, bool WithCandles)
    {
        Chart.SetSize(ScreenW, ScreenH);
        Chart.SetColor(clWhite);
        Chart.BevelOuter = bvNone;
        Chart.SetView3D(false);
        Chart.SetAllowZoom(false);
        Chart.SetAllowPanning(pmHorizontal);
        Chart.SetScrollMouseButton(mbLeft);
        Chart.Legend().SetVisible(true);
        Chart.BottomAxis()->SetDateTimeFormat("hh:mm");
        Candles.SetShowInLegend(false);
        Candles.SetParentChart(&Chart);
        Candles.SetCandleStyle(Style);
        Candles.SetUpCloseColor(clLime);
        Candles.SetDownCloseColor(clRed);
        const TCandleData& D = Data();
        FirstLoaded = MostCandles - Loaded;
        if (WithCandles) {
            Candles.BeginUpdate();
            for (int I = FirstLoaded; I < MostCandles; ++I)
                Candles.AddOHLC(D.Date[size_t(I)], D.Open[size_t(I)], D.High[size_t(I)],
                                D.Low[size_t(I)], D.Close[size_t(I)]);
            Candles.EndUpdate();
        }
        Screen.SetSize(ScreenW, ScreenH);
    }
    void Frame() { Chart.Draw(&Screen.Canvas(), {0, 0, ScreenW, ScreenH}); }
    // The last Visible candles fill the axes, as the terminal's zoom sets them.
    void Show(int Visible)
    {
        const TCandleData& D = Data();
        const size_t First = size_t(MostCandles - Visible);
        Chart.BottomAxis()->SetMinMax(D.Date[First] - OneMinute / 2, D.Date.back() + OneMinute / 2);
        const double Low = *std::min_element(D.Low.begin() + long(First), D.Low.end());
        const double High = *std::max_element(D.High.begin() + long(First), D.High.end());
        const double Pad = (High - Low) * 0.05;
        Chart.LeftAxis()->SetMinMax(Low - Pad, High + Pad);
        Frame();
        const double Spacing = double(Chart.ChartRect().Width()) / Visible;
        Candles.SetCandleWidth(std::max(1, int(std::ceil(0.66 * Spacing))));
    }
    void Automatic()
    {
        Chart.BottomAxis()->SetAutomatic(true);
        Chart.LeftAxis()->SetAutomatic(true);
    }

    TChart Chart;
    TCandleSeries Candles;
    TBitmap Screen;
    int FirstLoaded = 0;
};

// A chart window holding the last Loaded candles, each with its record (the
// volume a candle's range), drawn at the screen's size.
class TBenchWindow {
public:
    explicit TBenchWindow(int Loaded)
    {
        List.SetWinControl(&Host);
        Item = &List.Add();
        Item->SetSymbol("BTCUSDT");
        const TCandleData& D = Data();
        for (size_t I = size_t(MostCandles - Loaded); I < size_t(MostCandles); ++I) {
            TKline K(DateToStamp(D.Date[I]));
            K.SetOpen(D.Open[I]);
            K.SetHigh(D.High[I]);
            K.SetLow(D.Low[I]);
            K.SetClose(D.Close[I]);
            K.SetVolume(D.High[I] - D.Low[I]);
            Item->KlineList().Put(K);
        }
        Item->OnNotify(BASE_MAIN_KLINES, 0);
        Item->SetIsLoading(false);
        Screen.SetSize(ScreenW, ScreenH);
    }
    void Frame() { Item->Chart()->Draw(&Screen.Canvas(), {0, 0, ScreenW, ScreenH}); }
    void Show(int Visible, bool Overlays)
    {
        TChartSettingsInfo& S = Item->ChartSettings();
        S.SetShowOHLC(Overlays);
        S.SetShowPeriods(Overlays);
        S.SetShowVolume(Overlays);
        const TCandleData& D = Data();
        const size_t First = size_t(MostCandles - Visible);
        TChart& Chart = *Item->Chart();
        Chart.BottomAxis()->SetMinMax(D.Date[First] - OneMinute / 2, D.Date.back() + OneMinute / 2);
        Chart.RightAxis()->SetMinMax(*std::min_element(D.Low.begin() + long(First), D.Low.end()),
                                     *std::max_element(D.High.begin() + long(First), D.High.end()));
        Frame();
        const double Spacing = double(Chart.ChartRect().Width()) / Visible;
        Item->SerCandles()->SetCandleWidth(std::max(1, int(std::ceil(0.66 * Spacing))));
    }

private:
    QWidget Host;
    TChartList List;
    TChartItem* Item = nullptr;
    TBitmap Screen;
};

struct TCase {
    int Loaded;
    int Visible;
};
constexpr TCase Cases[] = {
    {1'000, 1'000}, {10'000, 10'000}, {100'000, 100'000}, {100'000, 1'000}, {100'000, 31}};

void BM_CandleFrame(benchmark::State& State, TCandleStyle Style, TCase C)
{
    TBenchChart B(C.Loaded, Style, true);
    B.Show(C.Visible);
    for (auto _ : State)
        B.Frame();
    State.counters["candle_width"] = B.Candles.CandleWidth();
}

// The same frames without candles.
void BM_FixedCost(benchmark::State& State, TCase C)
{
    TBenchChart B(C.Loaded, csCandleStick, false);
    B.Show(C.Visible);
    for (auto _ : State)
        B.Frame();
}

// The floor: each candle's shapes straight through QPainter, at the pixels
// the chart gives them.
void BM_Floor(benchmark::State& State, TCandleStyle Style, TCase C)
{
    TBenchChart B(C.Loaded, Style, true);
    B.Show(C.Visible);
    B.Frame();
    std::vector<TCandleItem> Items;
    std::vector<bool> Up;
    for (int32_t I = B.Candles.FirstValueIndex(); I <= B.Candles.LastValueIndex(); ++I) {
        Items.push_back(B.Candles.CalcItem(I));
        Up.push_back(B.Candles.CalculateColor(I) == clLime);
    }
    QImage Image(ScreenW, ScreenH, QImage::Format_RGB32);
    const QColor Lime(Qt::green), Red(Qt::red);
    for (auto _ : State) {
        QPainter P(&Image);
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(Qt::black, 0));
        for (size_t I = 0; I < Items.size(); ++I) {
            const TCandleItem& It = Items[I];
            switch (Style) {
            case csLine:
                P.setPen(QPen(Up[I] ? Lime : Red, 0));
                if (I > 0)
                    P.drawLine(Items[I - 1].X, Items[I - 1].YClose, It.X, It.YClose);
                break;
            case csCandleBar:
                P.setPen(QPen(Up[I] ? Lime : Red, 0));
                P.drawLine(It.X, It.YLow, It.X, It.YHigh);
                P.drawLine(It.X - It.LeftHalf, It.YOpen, It.X, It.YOpen);
                P.drawLine(It.X, It.YClose, It.X + It.RightHalf, It.YClose);
                break;
            default:
                P.drawLine(It.X, It.YLow, It.X, It.YHigh);
                P.setBrush(Up[I] ? Lime : Red);
                P.drawRect(It.X - It.LeftHalf, std::min(It.YOpen, It.YClose),
                           It.LeftHalf + It.RightHalf, std::abs(It.YOpen - It.YClose));
            }
        }
    }
}

void BM_WindowFrame(benchmark::State& State, TCase C, bool Overlays)
{
    TBenchWindow W(C.Loaded);
    W.Show(C.Visible, Overlays);
    for (auto _ : State)
        W.Frame();
}

// The automatic axes' share: both axes find their range from the candles.
void BM_CandleFrameAutomaticAxes(benchmark::State& State)
{
    TBenchChart B(MostCandles, csCandleStick, true);
    B.Show(MostCandles);
    B.Automatic();
    for (auto _ : State)
        B.Frame();
}

// A drag of the left button across 1,000 of 100,000 candles: 200 moves of
// 10 pixels, back and forth, each panning the bottom axis and drawing the
// frame the terminal's paint would.
void BM_Pan(benchmark::State& State)
{
    TBenchChart B(MostCandles, csCandleStick, true);
    B.Show(1'000);
    const TRect R = B.Chart.ChartRect();
    const int X0 = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
    double Worst = 0, Total = 0;
    int Frames = 0;
    for (auto _ : State) {
        B.Chart.MouseDown(mbLeft, ssLeft, X0, Y);
        int X = X0;
        for (int K = 0; K < 200; ++K) {
            X += (K / 50) % 2 == 0 ? 10 : -10;
            const auto Start = std::chrono::steady_clock::now();
            B.Chart.MouseMove(ssLeft, X, Y);
            B.Frame();
            const double Ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start)
                    .count();
            Worst = std::max(Worst, Ms);
            Total += Ms;
            ++Frames;
        }
        B.Chart.MouseUp(mbLeft, ssLeft, X, Y);
    }
    State.counters["mean_frame_ms"] = Total / Frames;
    State.counters["worst_frame_ms"] = Worst;
}

// Medians of 20 runs each.
void Runs(benchmark::internal::Benchmark* B)
{
    B->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly(true);
}

// Each case's references run next to its frames, so that all three see
// the machine alike.
void RegisterFrames()
{
    const std::pair<TCandleStyle, const char*> Styles[] = {
        {csCandleStick, "stick"}, {csCandleBar, "bar"}, {csLine, "line"}};
    for (const TCase& C : Cases) {
        const std::string Name =
            std::to_string(C.Visible) + "_of_" + std::to_string(C.Loaded) + "/";
        benchmark::RegisterBenchmark((Name + "fixed_cost").c_str(), BM_FixedCost, C)
            ->Apply(Runs)
            ->MinTime(0.1);
        for (const bool Overlays : {false, true})
            benchmark::RegisterBenchmark(
                (Name + (Overlays ? "window/overlays" : "window/frame")).c_str(), BM_WindowFrame, C,
                Overlays)
                ->Apply(Runs)
                ->MinTime(0.1);
        for (const auto& [Style, StyleName] : Styles) {
            benchmark::RegisterBenchmark((Name + StyleName + "/floor").c_str(), BM_Floor, Style, C)
                ->Apply(Runs)
                ->MinTime(0.1);
            benchmark::RegisterBenchmark((Name + StyleName + "/frame").c_str(), BM_CandleFrame,
                                         Style, C)
                ->Apply(Runs)
                ->MinTime(0.1);
        }
    }
}

BENCHMARK(BM_CandleFrameAutomaticAxes)->Apply(Runs)->MinTime(0.1);
BENCHMARK(BM_Pan)->Apply(Runs)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    PlotEngineStartup();
    RegisterFrames();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PlotEngineShutdown();
    return 0;
}
