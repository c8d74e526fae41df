#pragma once

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"

#include <utility>

// The chart that holds series and axes, as the series see it: the series
// list, the standard axes, the palette, the chart rectangle and the broadcast
// of series changes to the chart's listeners. Extends what the axes ask of it.
class TCustomAxisPanel : public ICustomAxisPanel {
public:
    virtual bool Destroying() const = 0;
    virtual void InternalAddSeries(TCustomChartSeries* ASeries) = 0;
    virtual void RemoveSeries(TCustomChartSeries* ASeries) = 0;
    const TChartSeries& Series(int Index) const override = 0;
    // The panel owns its series: its callers may change them.
    TChartSeries& Series(int Index)
    {
        return const_cast<TChartSeries&>(std::as_const(*this).Series(Index));
    }
    virtual void BroadcastSeriesEvent(TCustomChartSeries* ASeries, TChartSeriesEvent Event) = 0;
    virtual void CheckDatasource(TChartSeries* ASeries) = 0;
    // The text the chart's legend gives value ValueIndex of ASeries (after
    // the chart's legend-text event); empty without a series.
    virtual std::string FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) = 0;

    virtual TChartAxis* BottomAxis() const = 0;
    virtual TChartAxis* TopAxis() const = 0;
    virtual TChartAxis* LeftAxis() const = 0;
    virtual TChartAxis* RightAxis() const = 0;

    virtual TColor GetDefaultColor(int Index) const = 0;
    virtual TColor GetFreeSeriesColor(bool CheckBackground, TChartSeries* ASeries) = 0;

    virtual bool View3D() const = 0;
    virtual bool InvertedRotation() const = 0;
    virtual int MaxZOrder() const = 0;
    virtual void SetMaxZOrder(int Value) = 0;
    virtual void SetCursor(TSeriesCursor ACursor) = 0;
    // The panel whose canvas the series' marks and pointers draw on.
    virtual TCustomPlotPanel* PlotPanel() = 0;
};
