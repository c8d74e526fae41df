#pragma once

#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotEngineScope.h"

#include <QRect>

// A canvas painting into its buffer of the given size, over a white page.
struct TCanvasFixture {
    TPlotCanvas3D Canvas;
    TRect Area;
    explicit TCanvasFixture(int W = 20, int H = 20) : Area{0, 0, W, H}
    {
        Canvas.InitWindow(nullptr, nullptr, clWhite, false, Area);
        Canvas.ResetState();
        Canvas.Brush().SetColor(clWhite);
        Canvas.Pen().SetStyle(psClear);
        Canvas.FillRect(Area);
        Canvas.Pen().SetStyle(psSolid);
    }
    TColor At(int X, int Y) { return Canvas.GetPixel(X, Y); }
    int Count(TColor C)
    {
        int N = 0;
        for (int Y = 0; Y < Area.Bottom; ++Y)
            for (int X = 0; X < Area.Right; ++X)
                N += At(X, Y) == C;
        return N;
    }
    QRect Ink(TColor C)
    {
        return InkWhere([&](COLORREF P) { return P == COLORREF(C); });
    }
    // Text is antialiased: its ink is every pixel the test accepts.
    template <class F> QRect InkWhere(F Accept)
    {
        QRect Box;
        for (int Y = 0; Y < Area.Bottom; ++Y)
            for (int X = 0; X < Area.Right; ++X)
                if (Accept(COLORREF(At(X, Y))))
                    Box |= QRect(X, Y, 1, 1);
        return Box;
    }
    const QImage& Image() { return Canvas.Bitmap()->Image(); }
};
