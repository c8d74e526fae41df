#include "terminal/charts/uChartViewCalc.h"

#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

int ZoomCandleCount(TZoom aZoom, int aAxisLength, int aScreenWidth)
{
    if (aScreenWidth <= 0)
        return 0;
    const int Candles = cZoomCandles[std::min<std::size_t>(aZoom, cZoomCandles.size() - 1)];
    return Floor(double(Candles) * aAxisLength / aScreenWidth);
}

double CandleSpacing(std::span<const double> aValues)
{
    const std::size_t Count = std::min<std::size_t>(aValues.size(), 5);
    if (Count < 2)
        return 0;
    double Spacing = aValues[1] - aValues[0];
    for (std::size_t K = 1; K + 1 < Count; ++K)
        Spacing = std::min(std::abs(aValues[K + 1] - aValues[K]), Spacing);
    return Spacing;
}

int MaxVisibleCandleCount(int aAxisLength, double aSpacing)
{
    if (!(aSpacing > 0))
        return 0;
    return int(std::clamp<int64_t>(Trunc(aAxisLength / aSpacing), 0, INT32_MAX));
}

int CandleBarWidth(double aSpacing)
{
    return Ceil(0.66 * aSpacing);
}

TDateTime RightEdge(TDateTime aNow, bool aShift, int aCapacity, double aSpacing)
{
    return aShift ? aNow + aCapacity / 5.0 * aSpacing : aNow;
}

double CandleDays(TChartInterval aInterval)
{
    static constexpr std::array<int, cChartIntervalCount> cMinutes{
        1, 3, 5, 15, 30, 60, 120, 240, 360, 480, 720, 1440, 4320, 10080, 43200};
    return cMinutes[std::min<std::size_t>(aInterval, cMinutes.size() - 1)] / MinsPerDay;
}

TValueRange PriceRange(bool aFixed, double aPinMin, double aPinMax, TValueRange aVisible)
{
    return aFixed ? TValueRange{aPinMin, aPinMax} : aVisible;
}

TValueRange PriceDragRange(TValueRange aStart, int aPixels)
{
    return {(100 - 0.1 * aPixels) * aStart.Min / 100, (100 + 0.1 * aPixels) * aStart.Max / 100};
}

TValueRange KeepInView(TValueRange aRange, TValueRange aLimits)
{
    return aRange.Max < aLimits.Max || aRange.Min > aLimits.Min ? aLimits : aRange;
}

TZoom TimeDragZoom(TZoom aStart, int aStartX, int aX)
{
    return IncZoom(aStart, Floor(double(aStartX - aX) / cTimeDragStep));
}

int DaysBetween(TDateTime aA, TDateTime aB)
{
    const double Span = std::abs(double(DateTimeToMilliseconds(aA) - DateTimeToMilliseconds(aB)));
    return int(std::min<int64_t>(Trunc(Span / MSecsPerDay), INT32_MAX));
}

std::vector<TDateTime> DaySeparators(TDateTime aMin, TDateTime aMax, int aMaxDays)
{
    std::vector<TDateTime> Result;
    const int Days = DaysBetween(aMin, aMax);
    if (Days > aMaxDays)
        return Result;
    TDateTime Day = aMin;
    for (int K = 0; K <= Days; ++K) {
        Day += 1;
        if (const TDateTime Midnight = DateOf(Day); Midnight < aMax)
            Result.push_back(Midnight);
    }
    return Result;
}

int VolumeZoneTop(int aStart, int aEnd)
{
    return Floor((aEnd - aStart) / 5.0 * 4 + aStart);
}

int VolumeBarTop(double aVolume, double aVMin, double aVMax, int aZoneTop, int aEnd)
{
    return Floor((aVolume - aVMin) / (aVMax - aVMin) * (aZoneTop - aEnd) + aEnd);
}

TRect BannerRect(const TRect& aBounds)
{
    const int DX = int(Round(aBounds.Width() / 4.0));
    const int DY = int(Round(aBounds.Height() / 4.0));
    return {aBounds.Left + DX, aBounds.Top + DY, aBounds.Right - DX, aBounds.Bottom - DY};
}

int FitFontSize(int aWidth, int aLimit, const std::function<int(int aSize)>& aTextWidth)
{
    int Size = 8;
    while (Size < aLimit && aWidth > aTextWidth(Size))
        ++Size;
    return Size - 1;
}

int PriceDecimals(double aValue)
{
    if (!std::isfinite(aValue))
        return cMinPriceDecimals;
    double Scaled = std::abs(aValue) * std::pow(10.0, cMinPriceDecimals);
    for (int Decimals = cMinPriceDecimals; Decimals < cMaxPriceDecimals; ++Decimals) {
        // What is left beyond the last decimal is the double's own noise.
        if (std::abs(Scaled - std::nearbyint(Scaled)) <= 1e-9 + 1e-11 * Scaled)
            return Decimals;
        Scaled *= 10;
    }
    return cMaxPriceDecimals;
}

int AxisPriceDecimals(double aStep, double aMinimum, double aMaximum)
{
    // Narrower than the finest decimal a label can show: one price.
    if (aMaximum - aMinimum < std::pow(10.0, -cMaxPriceDecimals) * 10)
        return PriceDecimals(aMinimum + (aMaximum - aMinimum) / 2);
    return PriceDecimals(aStep);
}

std::string FormatPrice(double aValue, int aDecimals, const TFormatSettings& aSettings, int aWidth)
{
    const int Decimals = std::clamp(aDecimals, 0, cMaxPriceDecimals);
    return FormatArgs("%" + std::to_string(std::max(aWidth, 0)) + "." + std::to_string(Decimals) +
                          "f",
                      {aValue}, aSettings);
}

std::string PriceAxisLabel(std::string_view aLabel, int aDecimals, const TFormatSettings& aSettings)
{
    std::string Text(aLabel);
    if (aSettings.ThousandSeparator != aSettings.DecimalSeparator)
        std::erase(Text, aSettings.ThousandSeparator);
    return FormatPrice(StrToFloatDef(Text, 0, aSettings), aDecimals, aSettings, 8);
}
