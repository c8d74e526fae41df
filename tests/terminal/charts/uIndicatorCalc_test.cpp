#include "terminal/charts/uIndicatorCalc.h"

#include "domain/uCollections.h"
#include "terminal/charts/uIndicatorInfo.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The golden values were computed once, as exact fractions, by a script
// written from the formulas independently of this code.

namespace {

using V = std::vector<double>;

// Candle k opens at day k.
TIndicatorCandles Candles(const V& Open, const V& High, const V& Low, const V& Close)
{
    TIndicatorCandles Result;
    for (std::size_t k = 0; k < High.size(); ++k)
        Result.push_back(
            {double(k), Open.empty() ? 0 : Open[k], High[k], Low[k], Close.empty() ? 0 : Close[k]});
    return Result;
}

const TIndicatorCandles cCandles =
    Candles({10, 11, 13, 12, 14, 13, 15, 17}, {12, 14, 15, 14, 16, 17, 18, 19},
            {9, 10, 11, 10, 12, 12, 14, 15}, {11, 13, 12, 14, 13, 15, 17, 16});

// The Ys of the points, or their Xs.
V Values(const std::vector<TIndicatorPoint>& Points, bool Y = true)
{
    V Result;
    for (const TIndicatorPoint& Point : Points)
        Result.push_back(Y ? Point.Y : Point.X);
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

// Every method, and every price on one method and another.
TEST(IndicatorCalc, MovingAveragesOfEveryMethodOnEveryPrice)
{
    const TMaCase cases[] = {
        {MODE_SMA, PRICE_CLOSE, {13, 13, 14, 15, 16}},
        {MODE_SMA, PRICE_OPEN, {12, 13, 13, 14, 15}},
        {MODE_SMA, PRICE_HIGH, {43 / 3., 15, 47 / 3., 17, 18}},
        {MODE_SMA, PRICE_LOW, {31 / 3., 11, 34 / 3., 38 / 3., 41 / 3.}},
        {MODE_EMA, PRICE_CLOSE, {13, 13, 14, 31 / 2., 63 / 4.}},
        {MODE_EMA, PRICE_HIGH, {43 / 3., 91 / 6., 193 / 12., 409 / 24., 865 / 48.}},
        {MODE_SMMA, PRICE_OPEN, {12, 38 / 3., 115 / 9., 365 / 27., 1189 / 81.}},
        {MODE_SMMA, PRICE_LOW, {31 / 3., 98 / 9., 304 / 27., 986 / 81., 3187 / 243.}},
        // The newest candle weighs 3, the oldest of the window 1.
        {MODE_LWMA, PRICE_CLOSE, {79 / 6., 79 / 6., 85 / 6., 47 / 3., 97 / 6.}},
        {MODE_LWMA, PRICE_LOW, {31 / 3., 67 / 6., 35 / 3., 13, 85 / 6.}},
    };
    for (const TMaCase& c : cases) {
        const TIndicatorPoints Points = Ma(cCandles, 3, 0, c.Method, c.Price);
        ASSERT_EQ(Points.Series.size(), 1u);
        ExpectNear(Values(Points.Series[0]), c.Expected, "moving average");
        EXPECT_EQ(Values(Points.Series[0], false), V({3, 4, 5, 6, 7})) << "candle 0 ends no window";
        EXPECT_EQ(Points.Error, "");
    }
    // A method past the table is the nearest one; a price past it reads 0.
    ExpectNear(Values(Ma(cCandles, 3, 0, static_cast<TIndicatorMethod>(200)).Series[0]),
               cases[8].Expected, "method 200");
    EXPECT_EQ(Values(Ma(cCandles, 3, 0, MODE_EMA, PRICE_MEDIAN).Series[0]), V(5, 0.0));
}

// Long series, long periods: the sliding windows give what each window
// summed on its own gives, also after prices of very different sizes.
TEST(IndicatorCalc, SlidingWindowsMatchWindowsSummedAlone)
{
    TIndicatorCandles Long;
    for (int k = 0; k < 3000; ++k) {
        const double Price = (k < 1500 ? 30000 : 0.0000123) * (1 + 0.01 * ((k * 37) % 23));
        Long.push_back({double(k), Price, Price, Price, Price});
    }
    const std::int32_t Period = 250;
    const auto Window = [&](std::size_t i, auto Weight) {
        double Sum = 0, Weights = 0;
        for (std::int32_t j = 0; j < Period; ++j) {
            Sum += Long[i - std::size_t(j)].Close * Weight(j);
            Weights += Weight(j);
        }
        return Sum / Weights;
    };
    const V Sma = Values(Ma(Long, Period, 0, MODE_SMA).Series[0]);
    const V Lwma = Values(Ma(Long, Period, 0, MODE_LWMA).Series[0]);
    TBollingerIndicatorInfo Bands;
    Bands.SetPeriod(Period);
    Bands.SetDev(2);
    const TIndicatorPoints Bollinger = CalculateIndicator(Bands, Long);
    ASSERT_EQ(Sma.size(), Long.size() - Period);
    ASSERT_EQ(Lwma.size(), Sma.size());
    for (std::size_t n = 0; n < Sma.size(); ++n) {
        const std::size_t i = n + Period;
        const double Mean = Window(i, [](std::int32_t) { return 1.0; });
        const double Weighted = Window(i, [](std::int32_t j) { return double(Period - j); });
        double Squares = 0;
        for (std::int32_t j = 0; j < Period; ++j)
            Squares += std::pow(Long[i - std::size_t(j)].Close - Mean, 2);
        const double Deviation = std::sqrt(Squares / Period);
        const double Tolerance = 1e-9 * Mean;
        ASSERT_NEAR(Sma[n], Mean, Tolerance) << i;
        ASSERT_NEAR(Lwma[n], Weighted, Tolerance) << i;
        ASSERT_NEAR(Bollinger.Series[1][n].Y, Mean, Tolerance) << i;
        ASSERT_NEAR(Bollinger.Series[0][n].Y - Mean, 2 * Deviation, Tolerance) << i;
    }
}

struct TWindowCase {
    std::int32_t Period, Shift;
    V X;
    const char* Error;
};

// Moving averages and bands alike: windows end at candle Period onwards, and a
// shift past either end stops the fill, keeping the points before it.
TEST(IndicatorCalc, WindowsStartAtThePeriodAndShiftsStopAtTheCandlesEnds)
{
    const TWindowCase cases[] = {
        {8, 0, {}, ""},
        {7, 0, {7}, ""},
        {0, 0, {}, ""},
        {-1, 0, {}, ""},
        {INT32_MIN, 0, {}, ""},
        {INT32_MAX, 0, {}, ""},
        {3, 2, {5, 6, 7}, "List index out of bounds (8)"},
        {3, -3, {0, 1, 2, 3, 4}, ""},
        {3, -4, {}, "List index out of bounds (-1)"},
        {3, INT32_MAX, {}, "List index out of bounds (2147483650)"},
        {3, INT32_MIN, {}, "List index out of bounds (-2147483645)"},
    };
    for (const TWindowCase& c : cases)
        for (const bool Bands : {false, true}) {
            TBollingerIndicatorInfo Bollinger;
            Bollinger.SetPeriod(c.Period);
            Bollinger.SetShift(c.Shift);
            const TIndicatorPoints Points =
                Bands ? CalculateIndicator(Bollinger, cCandles) : Ma(cCandles, c.Period, c.Shift);
            for (const auto& Series : Points.Series)
                EXPECT_EQ(Values(Series, false), c.X) << c.Period << " " << c.Shift << Bands;
            EXPECT_EQ(Points.Error, c.Error) << c.Period << " " << c.Shift << Bands;
        }
}

TEST(IndicatorCalc, BollingerBandsUseThePopulationDeviation)
{
    TBollingerIndicatorInfo Info;
    Info.SetPeriod(3);
    const TIndicatorPoints Points = CalculateIndicator(Info, cCandles);
    ASSERT_EQ(Points.Series.size(), 3u);
    // The windows' means and variances.
    const V Mean{13, 13, 14, 15, 16};
    const V Variance{2 / 3., 2 / 3., 2 / 3., 8 / 3., 2 / 3.};
    V Upper, Lower;
    for (std::size_t i = 0; i < Mean.size(); ++i) {
        Upper.push_back(Mean[i] + 2 * std::sqrt(Variance[i]));
        Lower.push_back(Mean[i] - 2 * std::sqrt(Variance[i]));
    }
    ExpectNear(Values(Points.Series[0]), Upper, "upper");
    ExpectNear(Values(Points.Series[1]), Mean, "middle");
    ExpectNear(Values(Points.Series[2]), Lower, "lower");
    Info.SetDev(0);
    const TIndicatorPoints Flat = CalculateIndicator(Info, cCandles);
    EXPECT_EQ(Values(Flat.Series[0]), Values(Flat.Series[1]));
    EXPECT_EQ(Values(Flat.Series[2]), Values(Flat.Series[1]));
}

TEST(IndicatorCalc, FractalsNeedStrictlyHigherOrLowerNeighboursOnBothSides)
{
    // Candle 6's high ties candle 7's; candle 11's high is one of the last two.
    const TIndicatorCandles Candles = ::Candles({}, {5, 7, 6, 9, 6, 5, 8, 8, 7, 4, 6, 10, 7},
                                                {4, 3, 5, 2, 5, 4, 3, 6, 1, 3, 2, 6, 5}, {});
    const std::pair<std::int32_t, std::pair<V, V>> cases[] = {
        {2, {{3}, {3, 8}}}, {4, {{}, {8}}}, {1, {{}, {}}}, {INT32_MIN, {{}, {}}}};
    for (const auto& [Period, Expected] : cases) {
        TFractalIndicatorInfo Info;
        Info.SetPeriod(Period);
        const TIndicatorPoints Points = CalculateIndicator(Info, Candles);
        ASSERT_EQ(Points.Series.size(), 2u);
        EXPECT_EQ(Values(Points.Series[0], false), Expected.first) << "up, period " << Period;
        EXPECT_EQ(Values(Points.Series[1], false), Expected.second) << "down, period " << Period;
        if (Period == 2) {
            EXPECT_EQ(Values(Points.Series[0]), V{9});
            EXPECT_EQ(Values(Points.Series[1]), V({2, 1}));
        }
    }
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
        EXPECT_EQ(Values(Points.Series[0], false), c.X) << c.Name;
        EXPECT_EQ(Values(Points.Series[0]), c.Y) << c.Name;
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
        // One run per candle, and runs of two.
        {7, 6, 5, 4, 3, 2, 1, 0},
        {6, 7, 4, 5, 2, 3, 0, 1},
    };
    for (const std::vector<int>& Order : Orders) {
        TKlineList List;
        for (const int k : Order) {
            TKline& Kline = List.Add(Base + k * Minute);
            Kline.SetClose(cCandles[std::size_t(k)].Close);
        }
        const TIndicatorCandles Sorted = SortedCandles(List);
        ASSERT_EQ(Sorted.size(), cCandles.size());
        for (std::size_t k = 0; k < Sorted.size(); ++k) {
            EXPECT_EQ(Sorted[k].Time, StampToDate(Base + std::int64_t(k) * Minute)) << k;
            EXPECT_EQ(Sorted[k].Close, cCandles[k].Close) << k;
        }
    }
}

std::string Saved(TBaseIndicatorInfo& Info)
{
    TIndicatorJson Array = TIndicatorJson::array();
    Info.Save(Array);
    return Array.at(0).dump();
}

std::string Reloaded(const std::string& Object)
{
    const std::unique_ptr<TBaseIndicatorInfo> Info =
        LoadIndicatorInfo(TIndicatorJson::parse(Object));
    return Info ? Saved(*Info) : std::string("none");
}

// A reset restores the defaults but keeps the fractals' radius.
TEST(IndicatorInfo, NewAndResetInfosHoldTheirDefaultsAndSaveThemInKeyOrder)
{
    TMaIndicatorInfo Ma;
    TFractalIndicatorInfo Fractal;
    TBollingerIndicatorInfo Bollinger;
    TZigZagIndicatorInfo ZigZag;
    TFractalIndicatorInfo Reset;
    Reset.SetRadius(2.5);
    Reset.SetPeriod(9);
    Reset.SetColor(clBlue);
    Reset.Reset();
    EXPECT_EQ(Reset.Radius(), 2.5);
    const std::pair<TBaseIndicatorInfo*, const char*> cases[] = {
        {&Ma, R"({"type":"MA","period":14,"shift":0,"method":0,"price":0,"lineColor":255,)"
              R"("lineStyle":0,"lineWidth":1})"},
        {&Fractal, R"({"type":"Fractal","period":5,"color":255})"},
        {&Reset, R"({"type":"Fractal","period":5,"color":255})"},
        {&Bollinger, R"({"type":"Bollinger","period":20,"shift":0,"dev":2,"price":0,)"
                     R"("lineColor":255,"lineStyle":0,"lineWidth":1})"},
        {&ZigZag, R"({"type":"ZigZag","depth":12,"backstep":3,"lineColor":255,"lineStyle":0,)"
                  R"("lineWidth":1})"},
    };
    for (auto [Info, Expected] : cases)
        EXPECT_EQ(Saved(*Info), Expected);
}

TEST(IndicatorInfo, LoadingReadsEveryKeyAndZeroForWhatIsMissingOrMistyped)
{
    const std::pair<const char*, const char*> cases[] = {
        // Every key read back as written.
        {R"({"type":"MA","period":7,"shift":-2,"method":3,"price":2,"lineColor":65280,)"
         R"("lineStyle":4,"lineWidth":5})",
         R"({"type":"MA","period":7,"shift":-2,"method":3,"price":2,"lineColor":65280,)"
         R"("lineStyle":4,"lineWidth":5})"},
        // Missing keys read as 0, not as the defaults; the key order is ours.
        {R"({"lineWidth":3,"type":"ZigZag"})",
         R"({"type":"ZigZag","depth":0,"backstep":0,"lineColor":0,"lineStyle":0,"lineWidth":3})"},
        // Values that are not integers read as missing; nothing throws.
        {R"({"type":"Fractal","period":"9","color":1.5})",
         R"({"type":"Fractal","period":0,"color":0})"},
        {R"({"type":"Bollinger","period":null,"shift":true,"dev":[2],"price":{}})",
         R"({"type":"Bollinger","period":0,"shift":0,"dev":0,"price":0,"lineColor":0,)"
         R"("lineStyle":0,"lineWidth":0})"},
        // Integers beyond a field saturate, so out-of-table values keep their
        // nearest entry; they are checked where used, not on load.
        {R"({"type":"MA","period":-5,"shift":99999999999,"method":300,"price":-1,)"
         R"("lineColor":-16777201,"lineStyle":7,"lineWidth":18446744073709551615})",
         R"({"type":"MA","period":-5,"shift":2147483647,"method":255,"price":0,)"
         R"("lineColor":-16777201,"lineStyle":7,"lineWidth":2147483647})"},
        // Other types and other shapes are skipped.
        {R"({"type":"RSI","period":14})", "none"},
        {R"({"type":3})", "none"},
        {R"({"period":14})", "none"},
        {R"(["MA"])", "none"},
    };
    for (auto [Object, Expected] : cases)
        EXPECT_EQ(Reloaded(Object), Expected) << Object;
}

} // namespace
