#include "chart/series/SeriesMaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(SeriesMaths, LineValueAtTheEdge)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        const char* What;
        double X0, Y0, X1, Y1, XEdge;
        bool LogX, LogY;
        double Expected;
    };
    const TCase Cases[] = {
        {"a quarter of the way", 0, 10, 4, 30, 1, false, false, 15},
        {"beyond the second point", 0, 10, 4, 30, 8, false, false, 50},
        {"two points on one X", 5, 10, 5, 30, 5, false, false, 30},
        {"half way in logarithms", 0, 10, 2, 1000, 1, false, true, 100},
        {"logarithmic with a value at 0: linear", 0, 0, 2, 100, 1, false, true, 50},
        {"logarithmic X", 1, 0, 100, 20, 10, true, false, 10},
        {"X not a number", NaN, 10, 5, 30, 5, false, false, 30},
    };
    for (const TCase& C : Cases)
        EXPECT_NEAR(PlotLineValueAt(C.X0, C.Y0, C.X1, C.Y1, C.XEdge, C.LogX, C.LogY), C.Expected,
                    1e-9)
            << C.What;
}

struct TPrices {
    std::vector<double> Open, Close;
    bool RelativeToClose = false;
    TCandlePrices Get() const { return {Open.data(), Close.data(), RelativeToClose}; }
};

TEST(SeriesMaths, CandleTrendOfEveryRule)
{
    // Open, close of each candle; the trend of each one.
    struct TCase {
        const char* What;
        bool RelativeToClose;
        std::vector<double> Open, Close;
        std::vector<TCandleTrend> Trends;
    };
    const TCase Cases[] = {
        {"against the open", false, {10, 10, 10}, {11, 9, 12}, {ctUp, ctDown, ctUp}},
        {"a flat first candle rises", false, {10}, {10}, {ctUp}},
        {"flat candles compare closes", false, {10, 9, 12}, {10, 9, 12}, {ctUp, ctDown, ctUp}},
        {"equal closes keep the last change",
         false,
         {5, 9, 8, 8},
         {9, 8, 8, 8},
         {ctUp, ctDown, ctDown, ctDown}},
        {"against the close before",
         true,
         {10, 1, 1, 20},
         {11, 10, 12, 12},
         {ctUp, ctDown, ctUp, ctUp}},
        {"the first candle against its open", true, {10, 0}, {9, 9}, {ctDown, ctDown}},
    };
    for (const TCase& C : Cases) {
        const TPrices P{C.Open, C.Close, C.RelativeToClose};
        const int32_t Last = int32_t(C.Close.size()) - 1;
        std::vector<TCandleTrend> Walked;
        for (int32_t I = 0; I <= Last; ++I)
            Walked.push_back(CandleTrendAt(P.Get(), I));
        EXPECT_EQ(Walked, C.Trends) << C.What;
        // Seeded at every start, carried forward: the same trends.
        for (int32_t First = 0; First <= Last; ++First) {
            std::vector<TCandleTrend> Carried;
            CandleTrends(P.Get(), First, Last, Carried);
            EXPECT_EQ(Carried, std::vector<TCandleTrend>(C.Trends.begin() + First, C.Trends.end()))
                << C.What << " from " << First;
        }
    }
}

TEST(SeriesMaths, EqualClosesWalkBackWithoutRecursion)
{
    const int32_t N = 1'000'000;
    TPrices P{std::vector<double>(N, 5), std::vector<double>(N, 5)};
    P.Open[0] = 6;
    EXPECT_EQ(CandleTrendAt(P.Get(), N - 1), ctDown);
    std::vector<TCandleTrend> Trends;
    CandleTrends(P.Get(), N / 2, N - 1, Trends);
    EXPECT_EQ(Trends.size(), size_t(N / 2));
    EXPECT_EQ(Trends.front(), ctDown);
    EXPECT_EQ(Trends.back(), ctDown);
    CandleTrends(P.Get(), 3, 2, Trends);
    EXPECT_TRUE(Trends.empty());
}

TEST(SeriesMaths, CandleBodyRows)
{
    struct TCase {
        const char* What;
        int Width, YOpen, YClose;
        bool Pen;
        TRect Body;
    };
    // Centred on x 100; right and bottom exclusive.
    const TCase Cases[] = {
        {"rising, width 4", 4, 50, 20, true, {98, 20, 103, 50}},
        {"falling, width 5", 5, 20, 50, true, {98, 20, 104, 50}},
        {"width 1", 1, 20, 50, true, {100, 20, 102, 50}},
        {"flat: the close row and the one above", 4, 30, 30, true, {98, 29, 103, 31}},
        {"without a pen one row higher", 4, 50, 20, false, {98, 19, 103, 50}},
        {"flat without a pen", 4, 30, 30, false, {98, 28, 103, 31}},
    };
    for (const TCase& C : Cases) {
        TCandleItem Item;
        Item.X = 100;
        Item.YOpen = C.YOpen;
        Item.YClose = C.YClose;
        Item.SetWidth(C.Width);
        EXPECT_EQ(CandleBodyRect(Item, C.Pen), C.Body) << C.What;
    }
}

} // namespace
