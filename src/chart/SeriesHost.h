#pragma once

#include "chart/PlotCanvasTypes.h"

#include <cstdint>

// Series events and cursors shared by the series and the chart.

// clPlotColor on a point means "use the series' colour"; clNone marks a
// null point.

// Cursor identifier of the platform; 0 is the default cursor.
using TSeriesCursor = int32_t;
constexpr TSeriesCursor crSeriesDefault = 0;

enum TChartSeriesEvent : uint8_t {
    seAdd,
    seRemove,
    seChangeTitle,
    seChangeColor,
    seSwap,
    seChangeActive,
    seDataChanged
};
