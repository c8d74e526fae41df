#pragma once

#include "chart/PlotCanvasTypes.h"

#include <cstdint>

// What a series reaches besides the chart and its axes: its marks. Tests use
// doubles.

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

class TChartSeries;

// Per-point text marks of a series: entries follow the points when points
// are deleted or cleared.
class TSeriesMarks {
public:
    virtual ~TSeriesMarks() = default;

    virtual bool Visible() const = 0;
    virtual void Clear() = 0;
    virtual void Delete(int32_t ValueIndex) = 0;
    virtual void Delete(int32_t Start, int32_t Quantity) = 0;
    // Some mark was placed by the user.
    virtual bool ExistCustom() const = 0;
};
