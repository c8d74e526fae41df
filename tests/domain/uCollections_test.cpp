#include "domain/uCollections.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TKline Candle(std::int64_t OpenTime, double Close)
{
    TKline Result(OpenTime);
    Result.SetClose(Close);
    Result.SetCloseTime(OpenTime + 59'999);
    return Result;
}

std::vector<std::int64_t> OpenTimes(const TKlineList& List)
{
    std::vector<std::int64_t> Result;
    for (int i = 0; i < List.Count(); ++i)
        Result.push_back(List.Items(i).OpenTime());
    return Result;
}

// Updating in place is checked where candle replies are applied; here the order,
// the oldest time and the addresses of held candles.
TEST(KlineList, HistoryPagesFollowNewerCandlesAndHeldCandlesStayPut)
{
    TKlineList List;
    EXPECT_EQ(9223372036854775807, List.MinDate());
    TKline* First = &List.Put(Candle(300, 7));
    for (std::int64_t t : {360, 420, 120, 180, 240, 300})
        List.Put(Candle(t, double(t)));
    EXPECT_EQ((std::vector<std::int64_t>{300, 360, 420, 120, 180, 240}), OpenTimes(List));
    EXPECT_EQ(120, List.MinDate());
    EXPECT_EQ(nullptr, List.Find(241));

    List.Items(1).SetIsInChart(true);
    TKline& Again = List.Add(360);
    EXPECT_EQ(&List.Items(1), &Again);
    EXPECT_FALSE(Again.IsInChart());
    EXPECT_EQ(360, Again.Close()) << "Add of a held time keeps the values";
    for (std::int64_t t = 1; t <= 3000; ++t)
        List.Put(Candle(t * 60'000, 0));
    EXPECT_EQ(First, List.Find(300));
    EXPECT_EQ(300, First->Close()) << "the page's values replaced the first";

    List.Clear();
    EXPECT_EQ(9223372036854775807, List.MinDate());
    EXPECT_EQ(nullptr, List.Find(300));
}

} // namespace
