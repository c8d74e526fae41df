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

TEST(KlineList, RepeatedOpenTimeUpdatesInPlaceAndMarksUndrawn)
{
    TKlineList List;
    List.Put(Candle(120'000, 1));
    List.Put(Candle(180'000, 2));
    List.Items(0).SetIsInChart(true);
    List.Items(1).SetIsInChart(true);

    TKline& Updated = List.Put(Candle(120'000, 5));

    EXPECT_EQ(2, List.Count());
    EXPECT_EQ(&List.Items(0), &Updated);
    EXPECT_FALSE(Updated.IsInChart());
    EXPECT_EQ(5, Updated.Close());
    EXPECT_TRUE(List.Items(1).IsInChart()) << "only the updated candle is redrawn";

    TKline& Again = List.Add(180'000);
    EXPECT_EQ(&List.Items(1), &Again);
    EXPECT_FALSE(Again.IsInChart());
    EXPECT_EQ(2, Again.Close()) << "Add of a held time keeps the values";
}

TEST(KlineList, HistoryPagesFollowNewerCandlesInArrivalOrder)
{
    TKlineList List;
    for (std::int64_t t : {300, 360, 420})
        List.Put(Candle(t, 0));
    for (std::int64_t t : {120, 180, 240, 300})
        List.Put(Candle(t, 0));

    EXPECT_EQ((std::vector<std::int64_t>{300, 360, 420, 120, 180, 240}), OpenTimes(List));
    EXPECT_EQ(120, List.MinDate());
    ASSERT_NE(nullptr, List.Find(240));
    EXPECT_EQ(240, List.Find(240)->OpenTime());
    EXPECT_EQ(nullptr, List.Find(241));
}

TEST(KlineList, MinDateIsLargestIntegerWhenEmpty)
{
    TKlineList List;
    EXPECT_EQ(9223372036854775807, List.MinDate());
    List.Put(Candle(1'519'963'200'000, 0));
    EXPECT_EQ(1'519'963'200'000, List.GetMinDate());
    List.Clear();
    EXPECT_EQ(9223372036854775807, List.MinDate());
    EXPECT_EQ(nullptr, List.Find(1'519'963'200'000));
    EXPECT_EQ(0, List.Count());
}

TEST(KlineList, HeldCandlesStayPutWhileTheListGrows)
{
    TKlineList List;
    TKline* First = &List.Put(Candle(0, 7));
    for (std::int64_t t = 1; t <= 3000; ++t)
        List.Put(Candle(t * 60'000, 0));
    EXPECT_EQ(First, List.Find(0));
    EXPECT_EQ(7, First->Close());
}

} // namespace
