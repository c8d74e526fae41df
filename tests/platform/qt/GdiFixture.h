#pragma once

// Small white images with a device context on them, for pixel read-back.
#include "platform/qt/Gdi.h"

#include <QRect>
#include <string>

namespace {

constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A small white image with a context on it.
struct TCanvasFixture {
    QImage Image;
    TGdiDC DC;
    explicit TCanvasFixture(int W = 12, int H = 12, COLORREF Fill = White)
        : Image(W, H, QImage::Format_RGB32), DC((Image.fill(ToQColor(Fill)), &Image))
    {
    }
    COLORREF At(int X, int Y) { return FromQRgb(Image.pixel(X, Y)); }
    // Every pixel as a row of characters: '#' for Color, '.' for anything else.
    std::string Map(COLORREF Color)
    {
        std::string S;
        for (int Y = 0; Y < Image.height(); ++Y) {
            for (int X = 0; X < Image.width(); ++X)
                S += At(X, Y) == Color ? '#' : '.';
            S += '\n';
        }
        return S;
    }
    // Pixels 0..N-1 of row Y: '#' for Color, 'o' for Back, '.' for anything else.
    std::string Row(int Y, int N, COLORREF Color, COLORREF Back = CLR_INVALID)
    {
        std::string S;
        for (int X = 0; X < N; ++X)
            S += At(X, Y) == Color ? '#' : At(X, Y) == Back ? 'o' : '.';
        return S;
    }
    int Count(COLORREF Color)
    {
        int N = 0;
        for (char C : Map(Color))
            N += C == '#';
        return N;
    }
};

// Text is checked by the box it covers (opaque back mode), never by glyphs.
inline QRect InkBox(TCanvasFixture& F, COLORREF Color)
{
    QRect Box;
    for (int Y = 0; Y < F.Image.height(); ++Y)
        for (int X = 0; X < F.Image.width(); ++X)
            if (F.At(X, Y) == Color)
                Box |= QRect(X, Y, 1, 1);
    return Box;
}

} // namespace
