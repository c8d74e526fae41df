// Lines and texts through the device context: the chart's grid, fast-line
// series and axis labels.
#include "platform/qt/Gdi.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BM_ThinLines(benchmark::State& State)
{
    QImage Image(1000, 600, QImage::Format_RGB32);
    TGdiDC DC(&Image);
    DC.SelectPen(CreatePen(int(State.range(0)), 1, RGB(200, 0, 0)));
    for (auto _ : State) {
        for (int I = 0; I < 100; ++I) {
            DC.MoveToEx(0, I * 6);
            DC.LineTo(999, 599 - I * 6);
        }
    }
    State.SetItemsProcessed(State.iterations() * 100);
}
BENCHMARK(BM_ThinLines)->Arg(PS_SOLID)->Arg(PS_DOT);

void BM_FastLineSeries(benchmark::State& State)
{
    QImage Image(1000, 600, QImage::Format_RGB32);
    TGdiDC DC(&Image);
    DC.SelectPen(CreatePen(PS_SOLID, 1, RGB(0, 0, 200)));
    std::vector<TPoint> Points;
    for (int X = 0; X < 2000; ++X)
        Points.push_back({X / 2, 300 + (X * 7919) % 200 - 100});
    for (auto _ : State)
        DC.Polyline(Points.data(), int(Points.size()));
    State.SetItemsProcessed(State.iterations() * int64_t(Points.size()));
}
BENCHMARK(BM_FastLineSeries);

// A chart's dotted grid on a full-HD picture: 20 columns and 20 rows.
void BM_DottedGrid(benchmark::State& State)
{
    QImage Image(1920, 1080, QImage::Format_RGB32);
    TGdiDC DC(&Image);
    DC.SetBkMode(TRANSPARENT);
    DC.SelectPen(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, RGB(128, 128, 128), {0, 2}));
    for (auto _ : State)
        for (int I = 0; I < 20; ++I) {
            DC.MoveToEx(40 + I * 90, 0);
            DC.LineTo(40 + I * 90, 1080);
            DC.MoveToEx(0, 20 + I * 50);
            DC.LineTo(1920, 20 + I * 50);
        }
}
BENCHMARK(BM_DottedGrid);

// An axis' labels, measured and drawn each frame.
void BM_Labels(benchmark::State& State)
{
    QImage Image(1920, 1080, QImage::Format_RGB32);
    TGdiDC DC(&Image);
    TLogFont Font;
    Font.Height = -11;
    Font.FaceName = "Tahoma";
    DC.SelectFont(Font);
    DC.SetBkMode(TRANSPARENT);
    std::vector<std::string> Labels;
    for (int I = 0; I < 30; ++I)
        Labels.push_back(std::to_string(40'000 + I * 25) + ".5");
    for (auto _ : State)
        for (size_t I = 0; I < Labels.size(); ++I) {
            int CX = 0, CY = 0;
            DC.GetTextExtentPoint32(Labels[I], CX, CY);
            DC.TextOut(1900 - CX, int(I) * 30, Labels[I]);
        }
    State.SetItemsProcessed(State.iterations() * int64_t(Labels.size()));
}
BENCHMARK(BM_Labels);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
