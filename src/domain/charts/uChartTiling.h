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
