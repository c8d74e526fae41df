#pragma once

#include "controls/uBaseControls.h"

#include <cstdint>
#include <string>

// Gradients, caption text and colour arithmetic of the gradient button.

enum TPGGradientMode {
    gmHorizontal,
    gmVertical,
    gmMirrorHorizontal,
    gmMirrorVertical,
    gmMirrorLeftTop,
    gmMirrorRightTop
};
enum TPGGradientFillMode { fmHorizontal, fmVertical };

// Color moved Percent (at most 99) of the way toward light: every channel
// toward 255 except the one strictly lowest, which goes toward 1.
TColor ContrastColor(TColor Color, uint8_t Percent);
// One gradient fill from Color1 at R's top-left to Color2 at its bottom-right,
// left to right or top to bottom; the two corner modes draw nothing.
void DrawGradientRect(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2,
                      TPGGradientMode Mode);
void GradientFillRect(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2,
                      TPGGradientFillMode Mode);
// Text laid out in R by alignment: word-wrapped, centred vertically (and
// horizontally for taCenter), shortened at the end when EndEllipsis.
void DrawControlText(TCanvas& Canvas, const TRect& R, const std::string& Text, bool Enabled,
                     TAlignment Alignment, bool EndEllipsis);
