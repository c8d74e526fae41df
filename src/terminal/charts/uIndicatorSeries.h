#pragma once

#include "chart/series/Series.h"
#include "terminal/charts/uIndicatorInfo.h"

#include <memory>

// The chart series an indicator draws into, by its series class, with what
// that class alone sets up: a line series without pointers, or the fractals'
// bubbles (up triangles for aIndex 0, down triangles for 1), whose radius is
// the third value of every point added. What every indicator series shares
// is set up by its indicator item.
std::unique_ptr<TCustomSeries> CreateIndicatorSeries(TIndicatorSeriesClass aClass, int aIndex);
