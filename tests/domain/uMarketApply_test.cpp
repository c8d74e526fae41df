#include "domain/uMarketApply.h"

#include "domain/uCollections.h"
#include "domain/uCommon.h"
#include "domain/uDepth.h"
#include "domain/uSymbols.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

TKlineRow Row(int64_t aOpenTime, double aClose)
{
    TKlineRow Result;
    Result.OpenTime = aOpenTime;
    Result.Close = aClose;
    Result.Number = 5;
    return Result;
}

TEST(MarketApply, CandlesUpdateTheirOpenTimeInPlaceAndAppendTheRest)
{
    TKlineList List;
    ApplyKlines({Row(120, 1), Row(180, 2)}, List, nullptr);
    List.Items(0).SetIsInChart(true);
    List.Items(1).SetIsInChart(true);
    EXPECT_EQ(ApplyKlines({Row(60, 3), Row(180, 4), Row(60, 5)}, List, nullptr), 3);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_TRUE(List.Items(0).IsInChart()) << "a candle the reply left alone stays drawn";
    EXPECT_FALSE(List.Items(1).IsInChart());
    EXPECT_EQ(List.Items(1).Close(), 4);
    EXPECT_EQ(List.Items(2).OpenTime(), 60);
    EXPECT_EQ(List.Items(2).Close(), 5);
    EXPECT_EQ(List.Items(2).Number(), 5);
    EXPECT_EQ(List.MinDate(), 60);
    int Asked = 0;
    EXPECT_EQ(ApplyKlines({Row(1, 1), Row(2, 2), Row(3, 3)}, List, [&] { return ++Asked > 2; }), 2)
        << "the output stops where it is asked to";
}

// A server may send any number of levels: the book is built in linear time
// (a generous bound: a front insert per ask takes minutes here).
TEST(MarketApply, AHugeBookKeepsItsOrderAndIsBuiltInLinearTime)
{
    constexpr int cLevels = 200'000;
    TDepthReply Reply;
    for (int I = 0; I < cLevels; ++I) {
        Reply.Asks.push_back({10.0 + I, 1});
        Reply.Bids.push_back({9.0 - I, I == 7 ? 3.5 : 1.0});
    }
    TDepthList Book;
    const auto Start = std::chrono::steady_clock::now();
    ApplyDepth(Reply, Book);
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(5));
    ASSERT_EQ(Book.Count(), 2 * cLevels);
    // The last ask first, then the bids in reply order.
    for (int I : {0, cLevels - 1, cLevels, 2 * cLevels - 1})
        EXPECT_EQ(Book.Items(I).Price, I < cLevels ? 10.0 + cLevels - 1 - I : 9.0 + cLevels - I);
    EXPECT_EQ(Book.Items(cLevels).Side, "BID");
    EXPECT_EQ(Book.MaxQuantity(), 3.5);
}

TEST(MarketApply, VolumeMonitorCountsOnlyBtcQuotedSymbolsWithAFirstVolume)
{
    TSymbolList Symbols;
    for (const char* Name : {"ETHBTC", "BTCUSDT", "BTCBTC", "LTCBTC"})
        Symbols.Add(Name);
    for (const char* Name : {"ETHBTC", "BTCUSDT", "BTCBTC"}) {
        Symbols.Find(Name)->SetFirstQuoteVolume(1000);
        Symbols.Find(Name)->SetQuoteVolume(1000);
    }
    Symbols.Find("LTCBTC")->SetQuoteVolume(1000);
    TVolumeList Volumes;
    const TDateTime Now = 46000.5;
    // 1000 -> 990: 1 % of the first volume; BTCUSDT and BTCBTC do not end in
    // their first "BTC", LTCBTC has no first volume, XRPBTC is no symbol.
    ApplyTicker24hrVolume(
        {{"ETHBTC", 990}, {"BTCUSDT", 990}, {"BTCBTC", 990}, {"LTCBTC", 990}, {"XRPBTC", 990}},
        Symbols, Volumes, Now);
    ASSERT_EQ(Volumes.Count(), 1);
    EXPECT_EQ(Volumes.Items(0).Symbol, "ETHBTC");
    EXPECT_EQ(Volumes.Items(0).Ping, 1);
    EXPECT_EQ(Volumes.Items(0).VolumeChange, 10);
    EXPECT_EQ(Volumes.Items(0).VolumePerc, 1);
    EXPECT_EQ(Volumes.Items(0).Date, Now);
    EXPECT_EQ(Symbols.Find("ETHBTC")->QuoteVolume(), 990);
    EXPECT_EQ(Symbols.Find("BTCUSDT")->QuoteVolume(), 1000) << "skipped symbols keep theirs";
    EXPECT_EQ(Symbols.Find("LTCBTC")->QuoteVolume(), 1000);
    // 990 -> 987: exactly 0.3 % is not enough, but the volume is stored.
    ApplyTicker24hrVolume({{"ETHBTC", 987}}, Symbols, Volumes, Now);
    EXPECT_EQ(Volumes.Count(), 1);
    EXPECT_EQ(Symbols.Find("ETHBTC")->QuoteVolume(), 987);
    ApplyTicker24hrVolume({{"ETHBTC", 967}}, Symbols, Volumes, Now);
    ASSERT_EQ(Volumes.Count(), 2);
    EXPECT_EQ(Volumes.Items(0).Ping, 2);
    EXPECT_EQ(Volumes.Items(0).SumVolume, 30);
    EXPECT_EQ(Volumes.Items(0).SumVolumePerc, 3);
}

} // namespace
