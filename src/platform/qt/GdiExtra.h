#pragma once

#include "platform/qt/Gdi.h"

// Region frames and colour-keyed copies, beside the context's own calls.

// Paints the band of Rgn that lies within W pixels of its left and right
// edges or H pixels of its top and bottom edges, inside the region.
bool FrameRgn(TGdiDC& DC, const TGdiRegion& Rgn, const TGdiBrush& Brush, int W, int H);

// Copies Src to (X, Y) leaving out every pixel of the colour Transparent.
bool TransparentBlt(TGdiDC& DC, int X, int Y, const QImage& Src, COLORREF Transparent);
