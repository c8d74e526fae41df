#pragma once

// The indicators' formulas as plain functions over candles in open-time
// order: what the chart's indicator series are filled with. Every loop runs
// over the candles given and reads no candle outside them; indices are 64-bit.
// Costs: linear in the candle count whatever the period or depth (windows
// slide, summed afresh once per period so that rounding does not build up).

#include "platform/DateTime.h"
#include "terminal/charts/uIndicatorInfo.h"

#include <string>
#include <vector>

class TKlineList;

// One candle as the indicators read it.
struct TIndicatorCandle {
    TDateTime Time = 0; // the open time
    double Open = 0;
    double High = 0;
    double Low = 0;
    double Close = 0;
};
using TIndicatorCandles = std::vector<TIndicatorCandle>;

// The candles of aList in open-time order. The list keeps arrival order, in
// which history pages follow the newer candles already held.
TIndicatorCandles SortedCandles(const TKlineList& aList);

// The candle's close, open, high or low; 0 for a price outside the table.
double PriceOf(const TIndicatorCandle& aCandle, TIndicatorPrice aPrice);

struct TIndicatorPoint {
    TDateTime X = 0;
    double Y = 0;
};

// An indicator's points: one list per entry of its SeriesClass.
struct TIndicatorPoints {
    std::vector<std::vector<TIndicatorPoint>> Series;
    // Set when a shifted point fell outside the candles: the fill stopped
    // there, and the points before it stay.
    std::string Error;
};

// The points of aInfo over aCandles. A window ends at its point's candle i,
// which runs from the period up: candle 0 never ends a window.
// - Moving average (Period >= 1): for i = Period .. count - 1, a point at the
//   open time of candle i + Shift. SMA: the mean of the Period prices ending
//   at i. LWMA: weights 1 for the oldest up to Period for candle i. EMA
//   (alpha 2 / (Period + 1)) and SMMA (alpha 1 / Period): the SMA at
//   i = Period, then alpha x price(i) + (1 - alpha) x the previous value. A
//   method past the table counts as the nearest one.
// - Fractals (Period >= 2): for i = Period .. count - 3, an up fractal (series
//   0) at the high of a candle whose high is strictly above those of the two
//   candles on either side, a down fractal (series 1) likewise at the low.
// - Bollinger bands (Period >= 1): at the same points as the moving average,
//   the SMA m (middle, series 1) and m +- Dev x the population deviation of
//   the window (upper 0, lower 2).
// - ZigZag (Depth >= 0): pivots found over windows of Depth + 1 candles, at
//   least Backstep candles apart when the direction turns, joined in time
//   order at the lows and highs they mark.
// A period or depth below its bound draws nothing.
TIndicatorPoints CalculateIndicator(const TBaseIndicatorInfo& aInfo,
                                    const TIndicatorCandles& aCandles);
