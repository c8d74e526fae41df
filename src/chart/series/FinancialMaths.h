#pragma once

// The maths of the financial companions of the candle series, on plain
// arrays of prices: the relative strength of a window of points, the
// average directional index with its up and down lines, and the Darvas
// boxes. Every loop runs once over the points given; nothing here divides
// by zero.

#include <cstdint>
#include <span>
#include <vector>

// What moves count as gains and losses: each candle's close by its colour
// (rising candles are gains), or each change of close from the one before.
enum TRSIStyle : uint8_t { rsiOpenClose, rsiClose };

// The relative strength, 0..100, of the points First..Last (First <= Last,
// both inside the lists): 100 - 100 / (1 + gains / losses), each summed and
// averaged over the window; 100 without losses.
double RelativeStrength(TRSIStyle Style, std::span<const double> Open,
                        std::span<const double> Close, int32_t First, int32_t Last);

// The directional lines and their average index over a price history. The
// lines start at point LinesFirst (Period rounded), the index at ADXFirst
// (2 x Period - 2, rounded); both run to the last point. The smoothing uses
// Period as given, fractional or not. A window whose true range is 0 (a flat
// market) gives 0 on every line.
struct TDirectionalIndex {
    int32_t LinesFirst = 0;
    std::vector<double> Up;
    std::vector<double> Down;
    int32_t ADXFirst = 0;
    std::vector<double> ADX;
};

// Empty when Period is below 2 or there are fewer than 2 x Period points.
TDirectionalIndex DirectionalIndex(std::span<const double> High, std::span<const double> Low,
                                   std::span<const double> Close, double Period);

// A box in index and price terms: from point First to point Last, between
// Top and Bottom.
struct TDarvasBox {
    int32_t First = 0;
    int32_t Last = 0;
    double Top = 0;
    double Bottom = 0;
};

// The boxes of a history, walked as a state machine (see the .cpp): a box
// runs from the point where its search began (a new top or bottom found
// while it waits does not move that) to the point that leaves it, where the
// next search begins. A confirmed box still open at the last point is
// closed there; a search that runs out of points before its box is
// confirmed gives none.
std::vector<TDarvasBox> DarvasBoxes(std::span<const double> High, std::span<const double> Low);
