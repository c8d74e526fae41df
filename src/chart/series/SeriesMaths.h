#pragma once

// The plain maths of the line and candle series: where a line enters the
// view, which way a candle points, and a candle's body. Every walk here is
// bounded by the indices it is given.

#include "platform/Graphics.h"

#include <cstdint>
#include <vector>

// The height at X value XEdge of the line from (X0, Y0) to (X1, Y1): linear
// in the values, or in their logarithms along a logarithmic axis when both
// are positive. Two points on one X give Y1; nothing is divided by zero.
double PlotLineValueAt(double X0, double Y0, double X1, double Y1, double XEdge, bool LogX,
                       bool LogY);

enum TCandleTrend : uint8_t { ctUp, ctDown };

// What the colour of a candle is chosen from. RelativeToClose: a candle
// after the first is compared with the close before it only.
struct TCandlePrices {
    const double* Open = nullptr;
    const double* Close = nullptr;
    bool RelativeToClose = false;
};

// Candle Index rises when it closes above its open (above the close before,
// when relative to closes or when its open equals its close), falls when
// below; a candle that is neither takes the trend of the one before, and the
// first candle rises. The walk goes back at most to index 0, iteratively.
TCandleTrend CandleTrendAt(const TCandlePrices& Prices, int32_t Index);

// The trends of candles First..Last in index order, Trends[i - First]: one
// walk back for First, then each carried forward from the one before.
void CandleTrends(const TCandlePrices& Prices, int32_t First, int32_t Last,
                  std::vector<TCandleTrend>& Trends);

// One candle's pixels: its date's column and its four prices' rows, and the
// body's halves: Width div 2 to the left, the rest to the right.
struct TCandleItem {
    int X = 0;
    int YOpen = 0;
    int YHigh = 0;
    int YLow = 0;
    int YClose = 0;
    int LeftHalf = 2;
    int RightHalf = 2;
    void SetWidth(int Width)
    {
        LeftHalf = Width / 2;
        RightHalf = Width - LeftHalf;
    }
};

// The body rectangle of a candle (right and bottom exclusive, corners in
// order): from x - LeftHalf to x + RightHalf + 1, between the open and close
// rows with the lower one left out. A flat candle covers two rows, the close
// row and the one above it. Without a pen the filled body loses its right
// column and bottom row: its top moves one row up to keep its height.
TRect CandleBodyRect(const TCandleItem& Item, bool PenVisible);
