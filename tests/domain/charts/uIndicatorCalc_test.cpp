#include "domain/charts/uIndicatorCalc.h"

#include "domain/uCollections.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

// Golden values below were computed once by tests/domain/charts/indicator_golden.py,
// written from the formulas independently of this code.

namespace {

using V = std::vector<double>;

TIndicatorCandles Candles(const V& Open, const V& High, const V& Low, const V& Close)
{
    TIndicatorCandles Result;
    for (std::size_t k = 0; k < High.size(); ++k)
        Result.push_back(
            {double(k), Open.empty() ? 0 : Open[k], High[k], Low[k], Close.empty() ? 0 : Close[k]});
    return Result;
}

const TIndicatorCandles cCandles =
    Candles({10, 11, 13, 12, 14, 13, 15, 17}, //
            {12, 14, 15, 14, 16, 17, 18, 19}, {9, 10, 11, 10, 12, 12, 14, 15},
            {11, 13, 12, 14, 13, 15, 17, 16});

V Ys(const std::vector<TIndicatorPoint>& Points)
{
    V Result;
    for (const TIndicatorPoint& Point : Points)
        Result.push_back(Point.Y);
    return Result;
}

V Xs(const std::vector<TIndicatorPoint>& Points)
{
    V Result;
    for (const TIndicatorPoint& Point : Points)
        Result.push_back(Point.X);
    return Result;
}

void ExpectNear(const V& Actual, const V& Expected, const char* What)
{
    ASSERT_EQ(Actual.size(), Expected.size()) << What;
    for (std::size_t i = 0; i < Actual.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], 1e-12) << What << " point " << i;
}

TIndicatorPoints Ma(const TIndicatorCandles& Candles, std::int32_t Period, std::int32_t Shift,
                    TIndicatorMethod Method = MODE_SMA, TIndicatorPrice Price = PRICE_CLOSE)
{
    TMaIndicatorInfo Info;
    Info.SetPeriod(Period);
    Info.SetShift(Shift);
    Info.SetMethod(Method);
    Info.SetPrice(Price);
    return CalculateIndicator(Info, Candles);
}

struct TMaCase {
    TIndicatorMethod Method;
    TIndicatorPrice Price;
    V Expected;
};

TEST(IndicatorCalc, MovingAveragesOfEveryMethodOnEveryPrice)
{
    const TMaCase cases[] = {
        {MODE_SMA, PRICE_CLOSE, {13.0, 13.0, 14.0, 15.0, 16.0}},
        {MODE_SMA, PRICE_OPEN, {12.0, 13.0, 13.0, 14.0, 15.0}},
        {MODE_SMA, PRICE_HIGH, {14.333333333333334, 15.0, 15.666666666666666, 17.0, 18.0}},
        {MODE_SMA,
         PRICE_LOW,
         {10.333333333333334, 11.0, 11.333333333333334, 12.666666666666666, 13.666666666666666}},
        {MODE_EMA, PRICE_CLOSE, {13.0, 13.0, 14.0, 15.5, 15.75}},
        {MODE_EMA, PRICE_OPEN, {12.0, 13.0, 13.0, 14.0, 15.5}},
        {MODE_EMA,
         PRICE_HIGH,
         {14.333333333333334, 15.166666666666668, 16.083333333333336, 17.041666666666668,
          18.020833333333336}},
        {MODE_EMA,
         PRICE_LOW,
         {10.333333333333334, 11.166666666666668, 11.583333333333334, 12.791666666666668,
          13.895833333333334}},
        {MODE_SMMA,
         PRICE_CLOSE,
         {13.0, 13.0, 13.666666666666668, 14.777777777777779, 15.185185185185187}},
        {MODE_SMMA,
         PRICE_OPEN,
         {12.0, 12.666666666666666, 12.777777777777779, 13.51851851851852, 14.679012345679014}},
        {MODE_SMMA,
         PRICE_HIGH,
         {14.333333333333334, 14.88888888888889, 15.592592592592593, 16.395061728395063,
          17.26337448559671}},
        {MODE_SMMA,
         PRICE_LOW,
         {10.333333333333334, 10.88888888888889, 11.25925925925926, 12.17283950617284,
          13.115226337448561}},
        {MODE_LWMA,
         PRICE_CLOSE,
         {12.833333333333334, 12.833333333333334, 13.833333333333334, 14.333333333333334,
          15.833333333333334}},
        {MODE_LWMA,
         PRICE_OPEN,
         {11.833333333333334, 12.833333333333334, 12.833333333333334, 13.833333333333334,
          14.333333333333334}},
        {MODE_LWMA,
         PRICE_HIGH,
         {14.333333333333334, 14.833333333333334, 15.166666666666666, 16.666666666666668,
          17.666666666666668}},
        {MODE_LWMA,
         PRICE_LOW,
         {10.333333333333334, 10.833333333333334, 11.0, 12.333333333333334, 13.166666666666666}},
    };
    for (const TMaCase& c : cases) {
        const TIndicatorPoints Points = Ma(cCandles, 3, 0, c.Method, c.Price);
        ASSERT_EQ(Points.Series.size(), 1u);
        ExpectNear(Ys(Points.Series[0]), c.Expected, "moving average");
        EXPECT_EQ(Xs(Points.Series[0]), V({3, 4, 5, 6, 7})) << "candle 0 ends no window";
        EXPECT_EQ(Points.Error, "");
    }
    // A method past the table is the nearest one; a price past it reads 0.
    ExpectNear(Ys(Ma(cCandles, 3, 0, static_cast<TIndicatorMethod>(200)).Series[0]),
               cases[12].Expected, "method 200");
    EXPECT_EQ(Ys(Ma(cCandles, 3, 0, MODE_EMA, PRICE_MEDIAN).Series[0]), V(5, 0.0));
}

TEST(IndicatorCalc, MovingAverageStartsAfterPeriodCandlesAndSkipsPeriodsBelowOne)
{
    const TIndicatorCandles Fourteen(14, TIndicatorCandle{0, 1, 1, 1, 1});
    TIndicatorCandles Fifteen = Fourteen;
    Fifteen.push_back({14, 2, 2, 2, 2});
    EXPECT_EQ(Ma(Fourteen, 14, 0).Series[0].size(), 0u);
    EXPECT_EQ(Xs(Ma(Fifteen, 14, 0).Series[0]), V{14});
    for (const std::int32_t Period : {0, -1, INT32_MIN}) {
        const TIndicatorPoints Points = Ma(cCandles, Period, 0);
        EXPECT_EQ(Points.Series[0].size(), 0u) << Period;
        EXPECT_EQ(Points.Error, "") << Period;
    }
    EXPECT_EQ(Ma(cCandles, INT32_MAX, 0).Series[0].size(), 0u);
}

struct TShiftCase {
    std::int32_t Shift;
    V X;
    const char* Error;
};

TEST(IndicatorCalc, ShiftPastTheCandlesStopsTheFillKeepingThePointsBefore)
{
    const TShiftCase cases[] = {
        {2, {5, 6, 7}, "List index out of bounds (8)"},
        {-3, {0, 1, 2, 3, 4}, ""},
        {-4, {}, "List index out of bounds (-1)"},
        {INT32_MAX, {}, "List index out of bounds (2147483650)"},
        {INT32_MIN, {}, "List index out of bounds (-2147483645)"},
    };
    for (const TShiftCase& c : cases) {
        for (const bool Bands : {false, true}) {
            TBollingerIndicatorInfo Bollinger;
            Bollinger.SetPeriod(3);
            Bollinger.SetShift(c.Shift);
            const TIndicatorPoints Points =
                Bands ? CalculateIndicator(Bollinger, cCandles) : Ma(cCandles, 3, c.Shift);
            for (const auto& Series : Points.Series)
                EXPECT_EQ(Xs(Series), c.X) << c.Shift << (Bands ? " bands" : " average");
            EXPECT_EQ(Points.Error, c.Error) << c.Shift;
        }
    }
}

TEST(IndicatorCalc, BollingerBandsUseThePopulationDeviation)
{
    TBollingerIndicatorInfo Info;
    Info.SetPeriod(3);
    const TIndicatorPoints Points = CalculateIndicator(Info, cCandles);
    ASSERT_EQ(Points.Series.size(), 3u);
    ExpectNear(Ys(Points.Series[0]),
               {14.632993161855453, 14.632993161855453, 15.632993161855453, 18.265986323710905,
                17.632993161855453},
               "upper");
    ExpectNear(Ys(Points.Series[1]), {13, 13, 14, 15, 16}, "middle");
    ExpectNear(Ys(Points.Series[2]),
               {11.367006838144547, 11.367006838144547, 12.367006838144547, 11.734013676289095,
                14.367006838144547},
               "lower");
    Info.SetDev(0);
    const TIndicatorPoints Flat = CalculateIndicator(Info, cCandles);
    EXPECT_EQ(Ys(Flat.Series[0]), Ys(Flat.Series[1]));
    EXPECT_EQ(Ys(Flat.Series[2]), Ys(Flat.Series[1]));
    Info.SetPeriod(0);
    EXPECT_EQ(CalculateIndicator(Info, cCandles).Series[1].size(), 0u);
}

TEST(IndicatorCalc, FractalsNeedStrictlyHigherOrLowerNeighboursOnBothSides)
{
    // Candle 6's high ties candle 7's; candle 11's high stands among the last two candles.
    const TIndicatorCandles Candles = ::Candles({}, {5, 7, 6, 9, 6, 5, 8, 8, 7, 4, 6, 10, 7},
                                                {4, 3, 5, 2, 5, 4, 3, 6, 1, 3, 2, 6, 5}, {});
    const std::pair<std::int32_t, std::pair<V, V>> cases[] = {
        {2, {{3}, {3, 8}}}, {4, {{}, {8}}}, {1, {{}, {}}}, {INT32_MIN, {{}, {}}}};
    for (const auto& [Period, Expected] : cases) {
        TFractalIndicatorInfo Info;
        Info.SetPeriod(Period);
        const TIndicatorPoints Points = CalculateIndicator(Info, Candles);
        ASSERT_EQ(Points.Series.size(), 2u);
        EXPECT_EQ(Xs(Points.Series[0]), Expected.first) << "up, period " << Period;
        EXPECT_EQ(Xs(Points.Series[1]), Expected.second) << "down, period " << Period;
    }
    TFractalIndicatorInfo Info;
    Info.SetPeriod(2);
    const TIndicatorPoints Points = CalculateIndicator(Info, Candles);
    EXPECT_EQ(Ys(Points.Series[0]), V{9});
    EXPECT_EQ(Ys(Points.Series[1]), V({2, 1}));
}

struct TZigZagCase {
    const char* Name;
    TIndicatorCandles Candles;
    std::int32_t Depth, Backstep;
    V X, Y;
};

TEST(IndicatorCalc, ZigZagJoinsThePivotsInTimeOrder)
{
    const TIndicatorCandles Saw = Candles({}, {3, 5, 7, 6, 4, 3, 5, 8, 6, 4, 2, 4, 6},
                                          {1, 3, 5, 4, 2, 1, 3, 6, 4, 2, 0.5, 2, 4}, {});
    const TIndicatorCandles LowFirst =
        Candles({}, {2, 4, 6, 5, 3, 5, 7}, {1, 3, 5, 4, 2, 4, 6}, {});
    const TZigZagCase cases[] = {
        {"sawtooth", Saw, 2, 2, {0, 7, 10, 12}, {1, 8, 0.5, 6}},
        // The first low is taken once, even when it is candle 0.
        {"candle 0 the first low", LowFirst, 2, 1, {0, 6}, {1, 7}},
        {"depth + 1 candles", LowFirst, 6, 1, {0}, {1}},
        {"fewer than depth + 1 candles", LowFirst, 7, 1, {}, {}},
        {"depth below 0", LowFirst, -1, 1, {}, {}},
        {"no candles", {}, 0, 0, {}, {}},
    };
    for (const TZigZagCase& c : cases) {
        TZigZagIndicatorInfo Info;
        Info.SetDepth(c.Depth);
        Info.SetBackstep(c.Backstep);
        const TIndicatorPoints Points = CalculateIndicator(Info, c.Candles);
        ASSERT_EQ(Points.Series.size(), 1u);
        EXPECT_EQ(Xs(Points.Series[0]), c.X) << c.Name;
        EXPECT_EQ(Ys(Points.Series[0]), c.Y) << c.Name;
    }
}

TEST(IndicatorCalc, CandlesFedInArrivalOrderAreReadInTimeOrder)
{
    const std::int64_t Minute = 60000;
    const std::int64_t Base = 1700000000000;
    const std::vector<int> Orders[] = {
        // The newest page first, then an older page, then a live update of
        // the newest candle and a new one: the list's own arrival order.
        {4, 5, 6, 0, 1, 2, 3, 6, 7},
        // One run per candle.
        {7, 6, 5, 4, 3, 2, 1, 0},
        {0, 1, 2, 3, 4, 5, 6, 7},
        {6, 7, 4, 5, 2, 3, 0, 1},
    };
    for (const std::vector<int>& Order : Orders) {
        TKlineList List;
        for (const int k : Order) {
            TKline Kline(Base + k * Minute);
            Kline.SetOpen(cCandles[std::size_t(k)].Open);
            Kline.SetHigh(cCandles[std::size_t(k)].High);
            Kline.SetLow(cCandles[std::size_t(k)].Low);
            Kline.SetClose(cCandles[std::size_t(k)].Close);
            List.Put(Kline);
        }
        const TIndicatorCandles Sorted = SortedCandles(List);
        ASSERT_EQ(Sorted.size(), cCandles.size());
        for (std::size_t k = 0; k < Sorted.size(); ++k) {
            EXPECT_EQ(Sorted[k].Time, StampToDate(Base + std::int64_t(k) * Minute)) << k;
            EXPECT_EQ(Sorted[k].Close, cCandles[k].Close) << k;
        }
        EXPECT_EQ(Ys(Ma(Sorted, 3, 0).Series[0]), Ys(Ma(cCandles, 3, 0).Series[0]));
    }
}

} // namespace
