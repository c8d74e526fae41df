#pragma once

#include "chart/Series.h"
#include "domain/charts/uIndicatorInfo.h"

#include <memory>

// The chart series an indicator draws into, by its series class, with what
// that class alone sets up: a line series without pointers, or the fractals'
// bubbles (up triangles for aIndex 0, down triangles for 1). What every
// indicator series shares is set up by its indicator item.
//
// Until the bubble series exists a point series stands in for it, here
// alone: it draws the bubbles' triangles at their points, without a radius.
// The radius travels as the third value of every fractal point added, which
// a series without a radius list leaves aside.
std::unique_ptr<TCustomSeries> CreateIndicatorSeries(TIndicatorSeriesClass aClass, int aIndex);
