#pragma once

// The two indicator functions of price series: the relative strength index
// over a moving window, and the average directional index, which also
// draws its up and down lines as series of its own. UI thread only.

#include "chart/series/FastLineSeries.h"
#include "chart/series/FinancialMaths.h"
#include "chart/series/PlotFunction.h"

#include <memory>

// The relative strength of the last Period points at each point of the
// source. The source's "Open" and "Close" lists are looked up by name at
// every calculation, so a source that changes, or is freed and replaced,
// is always read through its own lists.
class TRSIFunction : public TPlotMovingFunction {
public:
    TRSIStyle Style() const { return fStyle; }
    void SetStyle(TRSIStyle Value);

    // Points FirstIndex..LastIndex of Series (-1, -1: every point); 0 for
    // a series without points.
    double Calculate(TChartSeries* Series, int32_t FirstIndex, int32_t LastIndex) override;

private:
    TRSIStyle fStyle = rsiOpenClose;
};

// The average directional index of an OHLC source in the parent series,
// with the up (+DI) and down (-DI) lines in two fast-line series the
// function owns. The lines follow the parent onto its chart and its
// vertical axis; freeing the function takes them off the chart, and a
// chart freed first lets them go without freeing them.
class TADXFunction : public TPlotFunction {
public:
    TADXFunction();

    TFastLineSeries& UpLine() const { return *IDMUp; }
    TFastLineSeries& DownLine() const { return *IDMDown; }
    TChartPen& UpLinePen() const { return IDMUp->LinePen(); }
    TChartPen& DownLinePen() const { return IDMDown->LinePen(); }

    // Nothing for a Period below 2 or a source of fewer than 2 x Period points.
    void AddPoints(TChartSeries* Source) override;
    void Clear() override;

private:
    // The lines join the parent's chart, axis, X kind and drawing events.
    void FollowParent(TFastLineSeries& Line) const;

    std::unique_ptr<TFastLineSeries> IDMDown;
    std::unique_ptr<TFastLineSeries> IDMUp;
};
