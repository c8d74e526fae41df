#pragma once

#include "chart/canvas/PlotCanvasTypes.h"

#include <QImage>
#include <algorithm>
#include <bit>
#include <vector>

// Direct pixel access for gradients, shadows, blends and filters. Our
// bitmaps are the device context's 32-bit images: every pixel is the 24-bit
// TRGB (blue, green, red, in that byte order) followed by one unused byte.
// That is how Qt lays out Format_RGB32 on a little-endian host.
static_assert(std::endian::native == std::endian::little, "pixels are read as blue, green, red");

struct TRGBX {
    uint8_t Blue;
    uint8_t Green;
    uint8_t Red;
    uint8_t Unused;
};
static_assert(sizeof(TRGBX) == 4);

// One pointer per row, row 0 first.
using TPlotLines = std::vector<TRGBX*>;

// Makes Bitmap a 32-bit image of our layout (a no-op when it already is one).
void PlotMake32Bit(QImage& Bitmap);
// Collects the rows of a 32-bit image; writing through them changes it.
void PlotCalcLines(TPlotLines& Lines, QImage& Bitmap);

inline TRGBX PlotPixel(COLORREF C)
{
    return {GetBValue(C), GetGValue(C), GetRValue(C), 0xFF};
}

// The byte a weighted channel sum becomes: rounded, halves to even, and
// clamped to 0..255. Kept free of library calls and branches so that loops
// vectorise; sums of a few weighted bytes lie far inside the float range the
// rounding trick needs (below 2^22).
inline uint8_t PlotClampByte(float V)
{
    constexpr float Magic = 12582912.0f; // 1.5 * 2^23: adding it rounds to even
    const int I = int((V + Magic) - Magic);
    return uint8_t(std::min(std::max(I, 0), 255));
}
