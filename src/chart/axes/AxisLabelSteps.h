#pragma once

// The label step of an axis and the values that get labels, as plain maths:
// the axis gathers its working range and settings, these choose the step and
// walk the range. Every search and loop here ends after a bounded number of
// steps, whatever the range: empty, zero, huge, infinite or not a number.

#include "chart/core/PlotProcs.h"

#include <functional>
#include <limits>
#include <vector>

// The "nice" step after X: 1 <= X < 2 gives 2, 2 <= X < 5 gives 5, 5 <= X < 10
// gives 10, other decades alike (0.3 gives 0.5, 30 gives 50); always above
// X, also below the normal numbers. An infinite X, and one that is not above
// 0, gives 1.
double PlotNextStep(double X);

// What the step search of a value axis reads from the axis.
struct TLabelStepSearch {
    double Range = 0;     // the working range, maximum - minimum
    double Increment = 0; // the desired step; 0 = automatic
    bool Logarithmic = false;
    double LogarithmicBase = 10;
    int LabelsSeparation = 10;
    // The fewest points of an active series plotted along the axis' X
    // dimension: such data are whole indices and get no fractional steps.
    int FewestPointsAlongX = std::numeric_limits<int>::max();
};

// The step at which at most MaxNumLabels labels fit: the desired increment or
// an even share of the range, grown through the 1-2-5 series (by the base on
// a logarithmic axis) until the labels fit. 0 for a range that is not finite.
double PlotLabelsIncrement(const TLabelStepSearch& Search, int MaxNumLabels);

// The step of a date-time axis: the desired increment (at least one
// microsecond) grown through the calendar table of PlotProcs.h until at
// most MaxNumLabels labels fit; a step of a year or more doubles. 0 for a
// range that is not finite.
double PlotDateTimeLabelsIncrement(double Range, double Increment, int MaxNumLabels);

// The calendar step after Step: the table's next entry from one second up, a
// doubled step from a year up, the 1-2-5 series below a second.
double PlotNextDateTimeStep(double Step);

// The smallest step that tells apart two values between Minimum and Maximum.
double PlotValueResolution(double Minimum, double Maximum);

// The step of an axis with room for less than one label: above the whole
// range, so that at most one label is drawn, and at least the desired
// increment and the values' resolution. 0 for a range that is not finite.
double PlotCoveringIncrement(double Range, double Increment, double Resolution);

// The same on a date-time axis: a step of the calendar table above the range,
// at least one second.
double PlotDateTimeCoveringIncrement(double Range, double Increment);

// Fewer labels than this are drawn in one frame; a step that would give more
// draws none.
inline constexpr int MaxAxisLabels = 10000;

// The default label loop of one frame.
struct TLabelLoop {
    double Minimum = 0; // the working range
    double Maximum = 0;
    double Increment = 0;
    // A date-time axis on exact calendar steps, and its calendar step.
    bool ExactDateTime = false;
    TDateTimeStep Step = dtNone;
    bool RoundFirstLabel = true;
    // When set, the first label's value is lowered by what it returns.
    std::function<double(double Value)> FirstLabelShift;
};

// The labelled values, from the maximum downwards: the first one rounded to
// the step (to the calendar for exact date-time steps), then one step at a
// time down to the minimum. None when the range holds MaxAxisLabels steps or
// more; one when the range is zero or the step is below the numbers' precision.
void PlotDefaultLabelValues(const TLabelLoop& Loop, std::vector<double>& Values);

// The powers of Base between Minimum and Maximum, the largest first (a
// minimum of 0 or less counts from 1, where a logarithmic axis starts).
// None when there would be MaxAxisLabels or more.
void PlotLogLabelValues(double Minimum, double Maximum, double Base, std::vector<double>& Values);
