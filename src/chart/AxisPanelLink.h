#pragma once

// What an axis asks of the objects around it: the axis panel that owns it,
// the series bound to it and their value lists, and the label machinery that
// picks the label increment. The axis holds these as interfaces so that its
// range and mapping stand on their own; the panel, the series base and the
// label code implement them.

#include "platform/Graphics.h"

class TChartAxis;

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
};

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

    // The chart is being read from a stream: setters skip their checks.
    virtual bool IsLoading() const = 0;
    // The axes collection's fast-calculation switch.
    virtual bool FastCalc() const = 0;

    virtual void Invalidate() = 0;
};

// The label step search of an axis.
class IAxisLabels {
public:
    virtual ~IAxisLabels() = default;
    // The label step of the axis' current working range; 0 when there is none.
    virtual double CalcIncrement(const TChartAxis& Axis) = 0;
};
