#include "chart/core/PlotProcs.h"

#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>

TDateTime Plot19000101 = 0;

double NextDateTimeStep(double AStep)
{
    for (int t = dtSixMonths; t >= dtOneMicroSecond; --t)
        if (AStep >= DateTimeStep[t])
            return DateTimeStep[t + 1];
    return DateTimeStep[dtOneYear];
}

TDateTimeStep FindDateTimeStep(double StepValue)
{
    for (int t = dtOneYear; t >= dtOneMicroSecond; --t)
        if (std::fabs(DateTimeStep[t] - StepValue) < DateTimeStep[dtOneMicroSecond])
            return static_cast<TDateTimeStep>(t);
    return dtNone;
}

std::string DateTimeDefaultFormat(double AStep, const TFormatSettings& Settings)
{
    return AStep <= 1 ? Settings.ShortTimeFormat : Settings.ShortDateFormat;
}

namespace {

// The calendar's first and last day: dates outside cannot be split into
// year, month and day.
bool InCalendar(double Value)
{
    static const double first = EncodeDate(1, 1, 1);
    static const double last = EncodeDate(9999, 12, 31);
    return Value >= first && Value < last + 1;
}

double RoundToMultiple(double Value, double Multiple)
{
    return Multiple * static_cast<double>(Round(Value / Multiple));
}

// Day 1 of the month Months away, up or down.
void MoveMonths(int& Year, int& Month, int& Day, int Months, bool Up)
{
    Day = 1;
    if (Up) {
        Month += Months;
        if (Month > 12) {
            ++Year;
            Month -= 12;
        }
    } else if (Months >= Month) {
        --Year;
        Month = Month - Months + 12;
    } else
        Month -= Months;
}

int MonthsOf(TDateTimeStep Step)
{
    switch (Step) {
    case dtOneMonth:
        return 1;
    case dtTwoMonths:
        return 2;
    case dtThreeMonths:
        return 3;
    case dtFourMonths:
        return 4;
    default:
        return 6;
    }
}

// One calendar step of Year, Month and Day. DayOfYearStep is the day a year
// step keeps where the month is long enough.
void CalendarStep(TDateTimeStep Step, bool Up, int DayOfYearStep, int& Year, int& Month, int& Day)
{
    switch (Step) {
    case dtHalfMonth:
        if (Day > 15)
            Day = 15;
        else if (Day > 1)
            Day = 1;
        else {
            MoveMonths(Year, Month, Day, 1, Up);
            Day = 15;
        }
        break;
    case dtOneYear:
        Year += Up ? 1 : -1;
        Day = std::min(DayOfYearStep, DaysInAMonth(Year, Month));
        break;
    default:
        MoveMonths(Year, Month, Day, MonthsOf(Step), Up);
        break;
    }
}

} // namespace

double PlotRoundDate(double ADate, TDateTimeStep AStep)
{
    if (ADate == 0)
        return ADate;
    switch (AStep) {
    case dtOneDay:
        return static_cast<double>(Round(ADate));
    case dtTwoDays:
        return RoundToMultiple(ADate, 2);
    case dtThreeDays:
        return RoundToMultiple(ADate, 3);
    case dtOneWeek:
        return RoundToMultiple(ADate - 2, 7) + 2;
    default:
        break;
    }
    if (AStep < dtHalfMonth || AStep > dtOneYear || !InCalendar(ADate))
        return ADate;
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(ADate, year, month, day);
    if (AStep == dtHalfMonth)
        return EncodeDate(year, month, day >= 15 ? 15 : 1);
    if (AStep == dtOneYear)
        return EncodeDate(year, 1, 1);
    return EncodeDate(year, month, 1);
}

void PlotDateTimeIncrement(bool IsDateTime, bool Increment, double& Value, double AnIncrement,
                           TDateTimeStep tmpWhichDateTime)
{
    const double target = Increment ? Value + AnIncrement : Value - AnIncrement;
    const bool calendar = IsDateTime && tmpWhichDateTime >= dtHalfMonth &&
                          tmpWhichDateTime <= dtOneYear && InCalendar(Value);
    if (!calendar) {
        Value = target;
        return;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(Value, year, month, day);
    const int dayOfYearStep = day;
    do {
        CalendarStep(tmpWhichDateTime, Increment, dayOfYearStep, year, month, day);
        double next = 0;
        if (!TryEncodeDate(year, month, day, next)) {
            Value = target;
            return;
        }
        Value = next;
    } while (tmpWhichDateTime == dtOneYear && (Increment ? Value < target : Value > target));
}

void PlotProcsStartup()
{
    SetDefaultColorPalette();
    Plot19000101 = EncodeDate(1900, 1, 1);
}

void PlotProcsShutdown()
{
    ColorPalette.clear();
}
