#pragma once

#include "platform/Graphics.h"

#include <vector>

// Where aCount tiled chart windows go on a host aWidth by aHeight pixels:
// one row for up to three windows, two rows from four on, as many columns
// as the rows need. Every cell is the host's share rounded down to a
// multiple of 8 (the chart windows' grid); window i takes row i div
// columns and column i mod columns, so a second row starts at the left edge
// whatever the host's width. Nothing for no windows.
std::vector<TRect> MozaicBounds(int aCount, int aWidth, int aHeight);

// Where a new chart window of aNew's size goes when aLast is the last
// window's: a caption lower and to the right, so that each stays in sight;
// back to the host's top left corner when it would reach past the host of
// aWidth by aHeight pixels.
TRect CascadeBounds(const TRect& aLast, const TRect& aNew, int aWidth, int aHeight);
