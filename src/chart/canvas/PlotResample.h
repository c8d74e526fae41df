#pragma once

#include "chart/canvas/PlotPixels.h"

// High-quality resampling of 32-bit images and the integer colour model of
// the hue, luminance and saturation filter.

enum TSmoothStretchOption { ssBestQuality, ssBestPerformance };

using TResampleFilter = double (*)(double X);

// sinc(pi x) x sinc(pi x / 3) inside |x| < 3.
double Lanczos3Filter(double X);
// 1 - |x| inside |x| < 1.
double TriangleFilter(double X);

// Stretches Src over the whole of Dst (its size stays): a separable filter of
// the given support, in fixed point with 1024 = 1.0, rows first. Both images
// are made 32-bit; an empty one leaves Dst as it is.
void SmoothStretch(const QImage& Src, QImage& Dst, TResampleFilter Filter, double FWidth);
void SmoothStretch(const QImage& Src, QImage& Dst, TSmoothStretchOption Option = ssBestQuality);
// A new Width x Height image holding the smooth-stretched picture.
QImage SmoothBitmap(const QImage& Bitmap, int Width, int Height);

// Hue, luminance and saturation on a scale of 240 (hue 0..239, 160 with
// saturation 0 for greys); red, green and blue on 255.
void RGBToHLS(COLORREF Color, int& Hue, int& Luminance, int& Saturation);
void HLSToRGB(int Hue, int Luminance, int Saturation, TRGB& rgb);
