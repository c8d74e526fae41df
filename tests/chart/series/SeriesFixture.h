#pragma once

// A chart whose series map straight to pixels: the chart rectangle is
// (20, 20, 220, 120), X 0..200 runs from pixel 20 to 220 and Y 0..100 from
// pixel 120 up to 20. No axes, walls or legend are drawn over the series.

#include "chart/panel/ChartFixture.h"

#include <string>
#include <vector>

namespace chart_test {

class TSeriesChart : public TTestChart {
public:
    TSeriesChart() : TTestChart(240, 160, {10, 10, 10, 10})
    {
        // A fixed rectangle: the axes span exactly its sides.
        SetCustomChartRect(true);
        Rect() = {20, 20, 220, 120};
        Legend().SetVisible(false);
        SetAxisVisible(false);
        Walls().Back().SetTransparent(true);
        Walls().Back().Pen().Hide();
        BottomAxis()->SetMinMax(0, 200);
        LeftAxis()->SetMinMax(0, 100);
    }
    // Pixels inside R that are not white.
    int Ink(const TRect& R)
    {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                N += At(X, Y) != clWhite;
        return N;
    }
    static int PX(double X) { return 20 + int(X); }
    static int PY(double Y) { return 120 - int(Y); }
    // One letter per probed pixel: its letter in Legend, '.' for white, '?' else.
    std::string Probe(const std::vector<TPoint>& Pixels,
                      const std::vector<std::pair<TColor, char>>& Legend)
    {
        std::string Letters;
        for (const TPoint& P : Pixels) {
            const TColor C = At(P.X, P.Y);
            char L = C == clWhite ? '.' : '?';
            for (const auto& [Color, Letter] : Legend)
                if (C == Color)
                    L = Letter;
            Letters += L;
        }
        return Letters;
    }
};

} // namespace chart_test
