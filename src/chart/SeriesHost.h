#pragma once

#include "chart/PlotCanvasTypes.h"

#include <cstdint>

// What a series reaches outside itself: the chart that holds it, the axes it
// maps through, its marks and the function that may compute it. The chart
// engine's own classes implement these; tests use doubles.

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

class TCustomChartSeries;
class TChartSeries;

// An axis as a series sees it: orientation, direction, end offsets and the
// value <-> pixel mapping of the current frame.
class IChartAxis {
public:
    virtual ~IChartAxis() = default;

    virtual bool Horizontal() const = 0;
    virtual bool Inverted() const = 0;
    virtual int32_t MinimumOffset() const = 0;
    virtual int32_t MaximumOffset() const = 0;
    virtual int32_t CalcPosValue(double Value) const = 0;
    virtual double CalcPosPoint(int32_t Pixel) const = 0;
};

// The chart that holds the series: its series list, axes, palette, chart
// rectangle and the broadcast of series changes to its listeners.
class TCustomAxisPanel {
public:
    virtual ~TCustomAxisPanel() = default;

    virtual void Invalidate() = 0;
    virtual bool Destroying() const = 0;
    virtual void InternalAddSeries(TCustomChartSeries* ASeries) = 0;
    virtual void RemoveSeries(TCustomChartSeries* ASeries) = 0;
    virtual int32_t SeriesCount() const = 0;
    virtual TChartSeries* Series(int32_t Index) const = 0;
    virtual void BroadcastSeriesEvent(TCustomChartSeries* ASeries, TChartSeriesEvent Event) = 0;
    virtual void CheckDatasource(TChartSeries* ASeries) = 0;

    virtual IChartAxis* BottomAxis() const = 0;
    virtual IChartAxis* TopAxis() const = 0;
    virtual IChartAxis* LeftAxis() const = 0;
    virtual IChartAxis* RightAxis() const = 0;

    virtual TColor GetDefaultColor(int32_t Index) const = 0;
    virtual TColor GetFreeSeriesColor(bool CheckBackground, TChartSeries* ASeries) = 0;

    virtual TRect ChartRect() const = 0;
    virtual bool View3D() const = 0;
    virtual bool InvertedRotation() const = 0;
    virtual int32_t MaxZOrder() const = 0;
    virtual void SetMaxZOrder(int32_t Value) = 0;
    virtual void SetCursor(TSeriesCursor ACursor) = 0;
};

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

// Computes a series from its source series.
class TPlotFunction {
public:
    virtual ~TPlotFunction() = default;

    virtual void AddPoints(TChartSeries* Source) = 0;
    virtual void Clear() = 0;
};
