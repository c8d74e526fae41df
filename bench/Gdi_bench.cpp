// Lines through the device context: the chart's grid and fast-line series.
#include "platform/qt/Gdi.h"

#include <benchmark/benchmark.h>

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

} // namespace
