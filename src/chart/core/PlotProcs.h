#pragma once

// Procedures the whole chart engine shares: date-time label steps, the index
// quicksort, point hit tests, the default colour palette and small string
// routines. No widget and no canvas here: everything is plain maths.

#include "platform/DateTime.h"
#include "platform/FormatSettings.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Label steps of date-time axes. Steps from dtHalfMonth to dtOneYear are
// calendar steps: advancing by them works on day, month and year numbers.
enum TDateTimeStep : std::uint8_t {
    dtOneMicroSecond,
    dtOneMillisecond,
    dtOneSecond,
    dtFiveSeconds,
    dtTenSeconds,
    dtFifteenSeconds,
    dtThirtySeconds,
    dtOneMinute,
    dtFiveMinutes,
    dtTenMinutes,
    dtFifteenMinutes,
    dtThirtyMinutes,
    dtOneHour,
    dtTwoHours,
    dtSixHours,
    dtTwelveHours,
    dtOneDay,
    dtTwoDays,
    dtThreeDays,
    dtOneWeek,
    dtHalfMonth,
    dtOneMonth,
    dtTwoMonths,
    dtThreeMonths,
    dtFourMonths,
    dtSixMonths,
    dtOneYear,
    dtNone
};

// Each step's length in days, ascending up to dtOneYear; dtNone holds 1 and is
// never reached by the searches.
inline constexpr double DateTimeStep[dtNone + 1] = {1.0 / 86400000000.0,
                                                    1.0 / 86400000.0,
                                                    1.0 / 86400.0,
                                                    5.0 / 86400.0,
                                                    10.0 / 86400.0,
                                                    15.0 / 86400.0,
                                                    30.0 / 86400.0,
                                                    1.0 / 1440.0,
                                                    5.0 / 1440.0,
                                                    10.0 / 1440.0,
                                                    15.0 / 1440.0,
                                                    30.0 / 1440.0,
                                                    1.0 / 24.0,
                                                    2.0 / 24.0,
                                                    0.25,
                                                    0.5,
                                                    1,
                                                    2,
                                                    3,
                                                    7,
                                                    15,
                                                    30,
                                                    60,
                                                    90,
                                                    120,
                                                    182,
                                                    365,
                                                    1};

// The table value after the largest entry not above AStep; a year for a step
// of six months or more, and for a step below one microsecond.
double NextDateTimeStep(double AStep);
// The entry equal to StepValue within one microsecond, else dtNone.
TDateTimeStep FindDateTimeStep(double StepValue);
// The short time format of Settings for a step of a day or less, else its
// short date format.
std::string DateTimeDefaultFormat(double AStep, const TFormatSettings& Settings);

// ADate on a boundary of AStep: the 1st or 15th, the 1st of the month or of
// the year (time of day dropped), the nearest whole day, two or three days,
// or Monday (weeks count from 1900-01-01). Other steps, and 0, unchanged.
double PlotRoundDate(double ADate, TDateTimeStep AStep);

// Moves Value one step up (Increment) or down by AnIncrement. On a date-time
// axis the calendar steps work on day, month and year numbers and drop the
// time of day; a year step repeats until the whole increment is covered and
// keeps the day inside the month (29 February goes to the 28th). A date that
// would leave the calendar falls back to plain arithmetic.
void PlotDateTimeIncrement(bool IsDateTime, bool Increment, double& Value, double AnIncrement,
                           TDateTimeStep tmpWhichDateTime);

// Sorts the indices StartIndex..EndIndex in place: CompareFunc(a, b) answers
// <0, 0 or >0 for the items at a and b, SwapFunc(a, b) exchanges them. The
// callbacks own the data; the sort is not stable. The first partition is
// sorted by recursion and the second by the loop, in that order, so the
// callbacks see the calls of the plain recursive quicksort.
template <class TCompare, class TSwap>
void PlotSort(int StartIndex, int EndIndex, TCompare&& CompareFunc, TSwap&& SwapFunc)
{
    int l = StartIndex;
    const int r = EndIndex;
    while (r > l) {
        int i = l;
        int j = r;
        int m = l + (r - l) / 2;
        do {
            while (CompareFunc(i, m) < 0)
                ++i;
            while (CompareFunc(m, j) < 0)
                --j;
            if (i < j) {
                SwapFunc(i, j);
                if (m == i)
                    m = j;
                else if (m == j)
                    m = i;
            }
            if (i <= j) {
                ++i;
                --j;
            }
        } while (j > i);
        if (j > l)
            PlotSort(l, j, CompareFunc, SwapFunc);
        l = i;
    }
}

// P lies on the segment within TolerancePixels + 1 pixels.
bool PointInLine(const TPoint& P, int px, int py, int qx, int qy, int TolerancePixels = 0);
bool PointInLine(const TPoint& P, const TPoint& FromPoint, const TPoint& ToPoint,
                 int TolerancePixels = 0);
// Even-odd rule.
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Poly);
// The triangle (X0, Y1), ((X0 + X1) div 2, Y0), (X1, Y1).
bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1);
// The triangle (X1, Y0), (X0, (Y0 + Y1) div 2), (X1, Y1).
bool PointInHorizTriangle(const TPoint& P, int Y0, int Y1, int X0, int X1);
// P inside or on the ellipse inscribed in the rectangle.
bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom);
bool PointInEllipse(const TPoint& P, const TRect& Rect);

// The last four: money green, sky blue, cream, medium grey.
inline constexpr TColor DefaultPalette[20] = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia, clTeal,   clNavy,   clMaroon,
    clLime, clOlive, clPurple, clSilver, clAqua,  clBlack, 0xC0DCC0,  0xF0CAA6, 0xF0FBFF, 0xA4A0A0};

// The current default palette; UI thread only.
extern std::vector<TColor> ColorPalette;

// ColorPalette[Index mod its length]; the default palette stands in while
// ColorPalette is empty.
TColor GetDefaultColor(int Index);
void SetDefaultColorPalette();
// Fewer than two colours restore the default palette.
void SetDefaultColorPalette(std::span<const TColor> Palette);

// 1900-01-01 as a date-time value, set at start-up.
extern TDateTime Plot19000101;

// The unit's start-up and shut-down: the default palette and the fixed dates.
// Called once by the program before any chart exists, and after the last one;
// the hand cursor is registered apart (PlotCursor.h), once the application exists.
void PlotProcsStartup();
void PlotProcsShutdown();

// Every Search character replaced by Replace; Replace = '\0' deletes them.
std::string ReplaceChar(std::string AString, char Search, char Replace);
std::string PlotStr(int Num);
