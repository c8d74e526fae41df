// Filters and blends that run on whole chart images at every paint.
#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotFilterKinds.h"

#include <benchmark/benchmark.h>

namespace {

QImage Picture()
{
    QImage Image(800, 600, QImage::Format_RGB32);
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Image.setPixel(X, Y, qRgb(X % 256, Y % 256, (X * Y) % 256));
    return Image;
}

void BM_Blur800x600(benchmark::State& State)
{
    QImage Image = Picture();
    TBlurFilter Blur;
    for (auto _ : State) {
        Blur.Apply(Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
    State.SetItemsProcessed(State.iterations() * 800 * 600);
}
BENCHMARK(BM_Blur800x600)->Unit(benchmark::kMillisecond);

// A semi-transparent rectangle over the whole buffer: the background saved
// when the blend starts, mixed back in when it ends.
void BM_Blend800x600(benchmark::State& State)
{
    TPlotCanvas3D Canvas;
    Canvas.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, 800, 600});
    Canvas.Draw(0, 0, Picture());
    Canvas.Brush().SetColor(clNavy);
    for (auto _ : State) {
        auto Blend = Canvas.BeginBlending({0, 0, 800, 600}, 50);
        Canvas.FillRect({0, 0, 800, 600});
        Canvas.EndBlending(std::move(Blend));
    }
    State.SetItemsProcessed(State.iterations() * 800 * 600);
}
BENCHMARK(BM_Blend800x600)->Unit(benchmark::kMillisecond);

} // namespace
