#include "chart/axes/AxisLabelSteps.h"

#include "chart/axes/AxisMapping.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

double PlotNextStep(double X)
{
    if (!(X > 0) || std::isinf(X))
        return 1;
    // The decades are scaled one at a time, as often up as down again, so
    // that a step is the same number however it was reached.
    const double given = X;
    int decades = 0;
    for (; X >= 10; ++decades)
        X /= 10;
    for (; X < 1; --decades)
        X *= 10;
    double step = X < 2 ? 2 : X < 5 ? 5 : 10;
    for (; decades > 0; --decades)
        step *= 10;
    for (; decades < 0; ++decades)
        step /= 10;
    // Below the normal numbers scaling back loses digits and may land on X
    // itself: the step doubles instead, so that every search grows.
    return step > given ? step : given * 2;
}

namespace {

// The power of Base nearest to Value (by rounded exponent).
double RoundLogPower(double Value, double Base)
{
    return std::pow(Base, static_cast<double>(Round(std::log(Value) / std::log(Base))));
}

// A logarithmic step grows by the base, by its inverse for a base below 1,
// and at least doubles, so that a base near 1 cannot stall the search.
double LogGrowth(double Base)
{
    return std::max({Base, 1 / Base, 2.0});
}

} // namespace

double PlotLabelsIncrement(const TLabelStepSearch& Search, int MaxNumLabels)
{
    const double range = Search.Range;
    if (!std::isfinite(range))
        return 0;
    double step = 0;
    if (Search.Increment > 0)
        step = Search.Increment;
    else if (range == 0)
        step = 1;
    else {
        step = std::fabs(range) / (MaxNumLabels + 1.0);
        if (Search.Logarithmic)
            step = RoundLogPower(step, Search.LogarithmicBase);
        if (range >= 1.1 && Search.FewestPointsAlongX <= MaxNumLabels)
            step = std::max(step, 1.0);
    }
    if (Search.LabelsSeparation > 0) {
        auto grow = [&] {
            step =
                Search.Logarithmic ? step * LogGrowth(Search.LogarithmicBase) : PlotNextStep(step);
        };
        int64_t count = int64_t(MaxNumLabels) + 1;
        do {
            if (std::fabs(range / step) < 2147483647.0) {
                count = Round(range / step);
                if (count > MaxNumLabels)
                    grow();
            } else
                grow();
        } while (count > MaxNumLabels && step <= range && !std::isinf(step));
    }
    return std::isinf(step) ? range : std::max(MinAxisIncrement, step);
}

double PlotDateTimeLabelsIncrement(double Range, double Increment, int MaxNumLabels)
{
    if (!std::isfinite(Range))
        return 0;
    const double micro = DateTimeStep[dtOneMicroSecond];
    double step = Increment > micro ? Increment : micro;
    if (MaxNumLabels > 0) {
        if (Range / step > 1000000)
            step = Range / 1000000;
        while (Round(Range / step) > MaxNumLabels)
            step = PlotNextDateTimeStep(step);
    }
    return std::max(step, micro);
}

double PlotNextDateTimeStep(double Step)
{
    if (Step >= DateTimeStep[dtOneYear])
        return Step * 2;
    if (Step >= DateTimeStep[dtOneSecond])
        return NextDateTimeStep(Step);
    return PlotNextStep(Step);
}

double PlotValueResolution(double Minimum, double Maximum)
{
    // Two units in the last place of the larger end: the error of a difference
    // of two such values.
    constexpr double units = 2 * std::numeric_limits<double>::epsilon();
    const double resolution = units * std::max(std::fabs(Minimum), std::fabs(Maximum));
    return std::isfinite(resolution) ? std::max(resolution, MinAxisIncrement) : MinAxisIncrement;
}

double PlotCoveringIncrement(double Range, double Increment, double Resolution)
{
    if (!std::isfinite(Range))
        return 0;
    double step = std::max({Increment, Resolution, MinAxisIncrement});
    while (!(step > Range) && std::isfinite(step))
        step = PlotNextStep(step);
    return std::isfinite(step) ? step : Range;
}

double PlotDateTimeCoveringIncrement(double Range, double Increment)
{
    if (!std::isfinite(Range))
        return 0;
    double step = std::max(Increment, DateTimeStep[dtOneSecond]);
    while (!(step > Range))
        step = PlotNextDateTimeStep(step);
    return step;
}

namespace {

// One step down; false when the value cannot move below where it is (a step
// under the number's precision), so that no loop stalls on it.
bool StepDown(const TLabelLoop& Loop, double& Value)
{
    double next = Value;
    PlotDateTimeIncrement(Loop.ExactDateTime, false, next, Loop.Increment, Loop.Step);
    if (!(next < Value))
        return false;
    Value = next;
    return true;
}

double FirstLabelValue(const TLabelLoop& Loop)
{
    if (Loop.ExactDateTime && Loop.Step >= dtOneDay && Loop.Step != dtNone)
        return PlotRoundDate(Loop.Maximum, Loop.Step);
    if (Loop.RoundFirstLabel && FloatToStr(Loop.Minimum) != FloatToStr(Loop.Maximum))
        return std::trunc(Loop.Maximum / Loop.Increment) * Loop.Increment;
    return Loop.Maximum;
}

} // namespace

void PlotDefaultLabelValues(const TLabelLoop& Loop, std::vector<double>& Values)
{
    Values.clear();
    const double range = Loop.Maximum - Loop.Minimum;
    if (!(std::fabs(range / Loop.Increment) < MaxAxisLabels))
        return;
    // A range no wider than the smallest one an axis keeps (within the
    // values' resolution) is empty: one label, in its middle.
    const bool empty =
        !(std::fabs(range) > MinAxisRange + PlotValueResolution(Loop.Minimum, Loop.Maximum));
    double value = empty ? Loop.Minimum + range / 2 : FirstLabelValue(Loop);
    while (value > Loop.Maximum && StepDown(Loop, value)) {
    }
    if (Loop.FirstLabelShift)
        value -= Loop.FirstLabelShift(value);
    if (empty || FloatToStr(value) == FloatToStr(value - Loop.Increment)) {
        Values.push_back(value);
        return;
    }
    // The minimum itself is labelled despite rounding, but no value half a
    // step or more below it: a tiny step on large values would otherwise
    // label thousands of values outside the span.
    const double limit = Loop.Minimum >= 0
                             ? std::max((Loop.Minimum - MinAxisIncrement) / (1 + MinAxisIncrement),
                                        Loop.Minimum - Loop.Increment / 2)
                             : Loop.Minimum;
    do {
        if (value < limit)
            return;
        Values.push_back(value);
    } while (Values.size() <= size_t(MaxAxisLabels) && StepDown(Loop, value));
}

void PlotLogLabelValues(double Minimum, double Maximum, double Base, std::vector<double>& Values)
{
    Values.clear();
    const double low = Minimum > 0 ? Minimum : 1;
    if (!(Maximum >= low) || std::isinf(Maximum) || !(Base > 0) || Base == 1)
        return;
    // Exponents of powers at the very ends count in despite rounding.
    constexpr double tolerance = 1e-9;
    const double logBase = std::log(Base);
    double first = std::log(low) / logBase;
    double last = std::log(Maximum) / logBase;
    if (first > last)
        std::swap(first, last);
    const double lowest = std::ceil(first - tolerance);
    const double highest = std::floor(last + tolerance);
    if (!(highest - lowest < MaxAxisLabels))
        return;
    for (double k = highest; k >= lowest; --k)
        Values.push_back(std::pow(Base, k));
    if (Base < 1)
        std::reverse(Values.begin(), Values.end());
}
