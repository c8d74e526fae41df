#pragma once

// What an axis asks of the objects around it: the axis panel that owns it,
// and the series bound to it with their value lists. The axis holds these as
// interfaces so that it stands on its own; the panel and the series base
// implement them, and tests use doubles.

#include "platform/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>

class TChartAxis;
class TCanvas3D;

// The part of a series' value list that an axis reads.
class IChartValueList {
public:
    virtual ~IChartValueList() = default;
    virtual bool DateTime() const = 0;
};

// The part of a series that an axis reads.
class IChartSeries {
public:
    virtual ~IChartSeries() = default;
    virtual bool Active() const = 0;
    // The value list this series plots along Axis, or none when it does not use it.
    virtual const IChartValueList* ValueListOfAxis(const TChartAxis& Axis) const = 0;
    virtual int32_t Count() const = 0;
    // The plotted values are Y (a vertical series) rather than X.
    virtual bool YMandatory() const = 0;
    // The index range drawn in the last frame; -1 when none.
    virtual int32_t FirstValueIndex() const = 0;
    virtual int32_t LastValueIndex() const = 0;
    // A point's pixel along its horizontal and its vertical axis.
    virtual int32_t CalcXPos(int32_t ValueIndex) const = 0;
    virtual int32_t CalcYPos(int32_t ValueIndex) const = 0;
    // Some point has a label of its own; the label of one point (empty when none).
    virtual bool HasPointLabels() const = 0;
    virtual const std::string& PointLabel(int32_t ValueIndex) const = 0;
    // The text of point ValueIndex's mark in the marks' style; empty: no mark.
    virtual std::string MarkText(int32_t ValueIndex) const = 0;
    // What a depth axis labels: the title, and where the series lies in
    // depth (its z order, and the Z range of its points).
    virtual const std::string& Title() const = 0;
    virtual int32_t ZOrder() const = 0;
    virtual double MinZValue() const = 0;
    virtual double MaxZValue() const = 0;
};

// The chart's OnGetAxisLabel: may replace the text of each label an axis
// generates. Series is null and ValueIndex -1 for a value label.
using TAxisGetLabelEvent = std::function<void(TChartAxis& Sender, const IChartSeries* Series,
                                              int32_t ValueIndex, std::string& LabelText)>;
// The chart's OnGetNextAxisLabel: supplies the label values one by one;
// leaving Stop true ends them.
using TAxisGetNextLabelEvent =
    std::function<void(TChartAxis& Sender, int32_t LabelIndex, double& LabelValue, bool& Stop)>;
// The axes' label-position function: may change Room, the pixels the
// labels of Sender take across it (0 for an axis that is not shown).
using TAxisCalcPosLabels = std::function<void(TChartAxis& Sender, int& Room)>;

// The axis panel that owns an axis.
class ICustomAxisPanel {
public:
    virtual ~ICustomAxisPanel() = default;

    // The automatic range end of the series bound to Axis: the largest
    // (IsMax) or smallest value along X (IsX) or Y.
    virtual double InternalMinMax(const TChartAxis& Axis, bool IsX, bool IsMax) const = 0;

    // The series in chart order.
    virtual int SeriesCount() const = 0;
    virtual const IChartSeries& Series(int Index) const = 0;

    // The custom axes, in collection order.
    virtual int CustomAxesCount() const = 0;
    virtual TChartAxis& CustomAxis(int Index) = 0;

    virtual TChartAxis* DepthAxis() = 0;
    virtual TChartAxis* DepthTopAxis() = 0;

    // The chart rectangle of the frame being laid out, and the 3D depth.
    virtual TRect ChartRect() const = 0;
    virtual int Width3D() const = 0;
    // The thickness of the 3D wall next to Axis; 0 in 2D.
    virtual int CalcWallSize(const TChartAxis& Axis) const = 0;

    // The canvas the chart draws and measures its texts on.
    virtual TCanvas3D& Canvas() = 0;
    // The chart's label events; empty when not assigned.
    virtual const TAxisGetLabelEvent& OnGetAxisLabel() const = 0;
    virtual const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const = 0;
    virtual const TAxisCalcPosLabels& CalcPosLabels() const = 0;
    // The widest point label (mark text) of the active series on Axis in the
    // canvas' font, by its widest line; NumLines, when given, takes the most
    // lines of any.
    virtual int MaxTextWidth(const TChartAxis* Axis, int* NumLines) = 0;
    virtual int MaxMarkWidth(const TChartAxis* Axis, int* NumLines) = 0;

    // The chart is being read from a stream: setters skip their checks.
    virtual bool IsLoading() const = 0;
    // The axes collection's fast-calculation switch.
    virtual bool FastCalc() const = 0;

    virtual void Invalidate() = 0;
};
