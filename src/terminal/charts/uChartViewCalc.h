#pragma once

// The arithmetic of a chart window's view as plain functions: how many
// candles a zoom level shows, candle spacing and capacity, the right edge,
// the price range from pins or candles, what an axis drag makes of the
// pointer's travel, where the overlays go, and the price label's text. The
// chart item gathers the axes' numbers and applies the results. Every loop
// here ends after a bounded number of steps, whatever the input.

#include "domain/uCommon.h"
#include "platform/DateTime.h"
#include "platform/FormatSettings.h"
#include "platform/Graphics.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The two ends of an axis.
struct TValueRange {
    double Min = 0;
    double Max = 0;
    bool operator==(const TValueRange&) const = default;
};

// The candles a time axis of aAxisLength pixels shows at aZoom: the level's
// candles per screen width, in proportion, rounded down; 0 without a screen
// width.
int ZoomCandleCount(TZoom aZoom, int aAxisLength, int aScreenWidth);

// The spacing of neighbouring candles, from their dates or pixels in date
// order: the first difference, lowered to the smaller size of each further
// one among the first five values. 0 for fewer than two values.
double CandleSpacing(std::span<const double> aValues);

// How many candles aSpacing pixels apart fit along aAxisLength pixels; 0
// without a spacing.
int MaxVisibleCandleCount(int aAxisLength, double aSpacing);

// A candle's width: two thirds of the pixel spacing, rounded up.
int CandleBarWidth(double aSpacing);

// Where the time axis ends: now, or with the shift, a fifth of the capacity's
// candles later.
TDateTime RightEdge(TDateTime aNow, bool aShift, int aCapacity, double aSpacing);

// The time one candle of aInterval spans, in days (a month as 30 days).
double CandleDays(TChartInterval aInterval);

// The price axis' range: the pins when fixed, else the visible candles'.
TValueRange PriceRange(bool aFixed, double aPinMin, double aPinMax, TValueRange aVisible);

// A price-axis drag of aPixels downwards from where it began on aStart:
// every pixel widens both ends by 0.1 % (upwards narrows them).
TValueRange PriceDragRange(TValueRange aStart, int aPixels);

// aRange, unless it cuts off part of aLimits: then aLimits.
TValueRange KeepInView(TValueRange aRange, TValueRange aLimits);

// Pixels of time-axis drag per zoom level.
inline constexpr int cTimeDragStep = 15;

// The zoom level of a time-axis drag from aStartX to aX begun at aStart: a
// level out per full step to the left, a level in from the first pixel to
// the right; held within z0..z5.
TZoom TimeDragZoom(TZoom aStart, int aStartX, int aX);

// Whole days between two date-times.
int DaysBetween(TDateTime aA, TDateTime aB);

// The midnights a day separator marks between aMin and aMax: each one after
// aMin's day and before aMax; none for a span of more than aMaxDays days.
std::vector<TDateTime> DaySeparators(TDateTime aMin, TDateTime aMax, int aMaxDays = 31);

// The volume histogram: its zone is the lower fifth of the price axis from
// aStart (top) to aEnd (bottom) pixel; a bar of aVolume reaches from aEnd up
// to its top, the zone's top for aVMax. aVMax must differ from aVMin.
int VolumeZoneTop(int aStart, int aEnd);
int VolumeBarTop(double aVolume, double aVMin, double aVMax, int aZoneTop, int aEnd);

// The middle half of aBounds: each side moved in by a quarter of the width
// or height.
TRect BannerRect(const TRect& aBounds);

// The banner's font size: from 8 up while a text of the size is narrower than
// aWidth, one less than the first that is not; at most aLimit - 1, so that a
// text of no width ends too.
int FitFontSize(int aWidth, int aLimit, const std::function<int(int aSize)>& aTextWidth);

// Prices show at least this many decimals, and never more than the most.
inline constexpr int cMinPriceDecimals = 5;
inline constexpr int cMaxPriceDecimals = 10;

// The fewest decimals, within the bounds above, that write aValue exactly:
// a label step's decimals tell neighbouring labels apart, a price's show it
// whole (0.0000123 needs 7).
int PriceDecimals(double aValue);

// The decimals of a price axis' labels at label step aStep over
// [aMinimum, aMaximum]. A flat market's axis is widened by a hair and shows
// one label: that label shows the price's own decimals, not the hair's.
int AxisPriceDecimals(double aStep, double aMinimum, double aMaximum);

// A price with aDecimals decimals in aSettings, right-aligned in aWidth
// characters ("%W.Nf").
std::string FormatPrice(double aValue, int aDecimals, const TFormatSettings& aSettings,
                        int aWidth = 0);

// A price label as the axis wrote it, group separators and all, as
// FormatPrice of its value in the same settings, 8 wide; a text that is no number
// reads as 0.
std::string PriceAxisLabel(std::string_view aLabel, int aDecimals,
                           const TFormatSettings& aSettings);
