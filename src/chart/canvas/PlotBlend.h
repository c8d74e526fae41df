#pragma once

#include "chart/canvas/PlotCanvasTypes.h"

#include <QImage>

// Semi-transparent drawing: a blend saves the background under a rectangle
// when it starts, and when it ends mixes that background back into whatever
// was drawn there meanwhile. It works on canvases that draw into an image
// (the chart's buffer); on a window's own surface the drawing stays opaque,
// since its pixels cannot be read back. User-interface thread only.
class TPlotBlend {
public:
    TPlotBlend(TPlotCanvas& ACanvas, const TRect& R);
    TPlotBlend(const TPlotBlend&) = delete;
    TPlotBlend& operator=(const TPlotBlend&) = delete;
    // Takes the rectangle (oriented, kept inside the canvas bounds) and saves
    // the background under it.
    void SetRectangle(const TRect& R);
    // Keeps Transparency percent of the saved background and the rest of
    // the new drawing.
    void DoBlend(int Transparency);

private:
    QImage FBitmap; // the saved background
    TPlotCanvas& FCanvas;
    TRect FRect;
    bool IValidSize = false;
};

// Mixes A into B with A's top-left at BOrigin (negative coordinates taken as
// 0): each channel b becomes b + (100 - Percent) x (a - b) div 100, so
// Percent 100 keeps B and 0 copies A. B is made 32-bit first.
void PlotBlendBitmaps(int Percent, const QImage& ABitmap, QImage& BBitmap, TPoint BOrigin);
