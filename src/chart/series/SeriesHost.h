#pragma once

#include "chart/canvas/PlotCanvasTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// Series events and cursors shared by the series and the chart, and what a
// series asks of the chart that hosts it.

class TCanvas3D;
class TChartAxis;
class TChartSeries;
class TCustomChartSeries;
class TCustomPlotPanel;

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

// The chart a series belongs to, as the series sees it: its canvas, frame and
// axes, its series list, the colours it hands out and the events it passes
// on. The series hold the chart through this interface so that they stand
// below it; the axis panel implements it, and the chart fills in the legend's
// part. UI thread only.
class ISeriesHost {
public:
    virtual ~ISeriesHost() = default;

    // The panel whose canvas the series' marks and pointers draw on.
    virtual TCustomPlotPanel* PlotPanel() = 0;
    virtual TCanvas3D& Canvas() = 0;
    virtual TRect ChartRect() const = 0;
    virtual bool View3D() const = 0;
    virtual int Width3D() const = 0;
    virtual bool InvertedRotation() const = 0;
    virtual void Invalidate() = 0;
    virtual void SetCursor(TSeriesCursor ACursor) = 0;

    virtual TChartAxis* BottomAxis() const = 0;
    virtual TChartAxis* TopAxis() const = 0;
    virtual TChartAxis* LeftAxis() const = 0;
    virtual TChartAxis* RightAxis() const = 0;
    // Whether an axis is on the chart: a handler may have deleted it.
    virtual bool HasAxis(const TChartAxis* Axis) const = 0;

    // The series in chart order, and the two ends of a series' membership:
    // the series' side of it is TChartSeries::SetParentChart.
    virtual const std::vector<TChartSeries*>& SeriesList() const = 0;
    virtual void InternalAddSeries(TChartSeries* ASeries) = 0;
    virtual void RemoveSeries(TChartSeries* ASeries) = 0;
    virtual void BroadcastSeriesEvent(TCustomChartSeries* ASeries, TChartSeriesEvent Event) = 0;
    // The chart is freeing its parts: a series leaving need not tell it.
    virtual bool Destroying() const = 0;
    // A series without sources asks the chart to fill it.
    virtual void CheckDatasource(TChartSeries* ASeries) = 0;
    // The highest z order given out, so that each series takes its own slice.
    virtual int MaxZOrder() const = 0;
    virtual void SetMaxZOrder(int Value) = 0;

    // The palette colour for Index, and a colour no other series has yet.
    virtual TColor GetDefaultColor(int Index) const = 0;
    virtual TColor GetFreeSeriesColor(bool CheckBackground, TChartSeries* ASeries) = 0;

    // The legend's text for value ValueIndex of ASeries.
    virtual std::string FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) = 0;
    // The symbol of a legend row or a mark in the canvas' brush and pen.
    virtual void DrawLegendShape(const TRect& Rect) = 0;
    // The colour and the frame's pen of the symbol being drawn: a series
    // sets them as it prepares the canvas for a symbol.
    virtual void SetLegendColor(TColor Value) = 0;
    virtual TChartPen& LegendPen() = 0;
    // The legend frames its symbols: a pointer drawn there leaves room for it.
    virtual bool LegendSymbolFramed() const = 0;
};
