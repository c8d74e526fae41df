#pragma once

#include "platform/qt/Canvas.h"

#include <QImage>

// Drawing routines of the page control's owner drawing.

// Steps stripes from From to To over R (system colours resolved; 0 steps
// counts as 1), left to right when Horizontal, else top to bottom. Stripe i
// starts at the rounded i x stripe size and covers the rounded stripe size
// plus one pixel, so neighbouring stripes overlap by one and the last one may
// reach one pixel past R. Rounding is half to even.
void DrawGradient(TCanvas& Canvas, TColor From, TColor To, int Steps, const TRect& R,
                  bool Horizontal);
// The picture at (X, Y) stretched to Height (left and right tabs) or to
// Width (top and bottom tabs); its other extent is its own.
void BitmapStretch(const QImage& Bitmap, TCanvas& Canvas, int X, int Y, int Height);
void BitmapStretchInWidth(const QImage& Bitmap, TCanvas& Canvas, int X, int Y, int Width);
// Copies W x H pixels of Bitmap from (SX, SY) to (X, Y), leaving out the
// pixels of the transparent colour.
void DrawTransparentBitmap(TGdiDC& DC, const QImage& Bitmap, int X, int Y, int W, int H, int SX,
                           int SY, COLORREF Transparent);
