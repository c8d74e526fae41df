#include "domain/uMarketReplies.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using ::testing::TestWithParam;
using ::testing::Values;

struct TRootCase {
    const char* Label;
    std::function<void(TMarketReplyReader&, const std::string&)> Read;
    std::string Reply;
    std::string Message;
};

void PrintTo(const TRootCase& aCase, std::ostream* aStream)
{
    *aStream << aCase.Label;
}

class ReplyWithoutItsRoot : public TestWithParam<TRootCase> {};

TEST_P(ReplyWithoutItsRoot, RaisesTheRequestsTextAndKeepsNothing)
{
    TMarketReplyReader Reader;
    try {
        GetParam().Read(Reader, GetParam().Reply);
        FAIL() << "no error raised";
    } catch (const EReplyError& Error) {
        EXPECT_EQ(Error.what(), GetParam().Message);
    }
}

const auto Depth = [](TMarketReplyReader& R, const std::string& S) { R.Depth(S); };
const auto Volume = [](TMarketReplyReader& R, const std::string& S) { R.Ticker24hrVolume(S); };
const auto Prices = [](TMarketReplyReader& R, const std::string& S) { R.Prices(S); };
const auto Price = [](TMarketReplyReader& R, const std::string& S) { R.Price(S); };
const auto Book = [](TMarketReplyReader& R, const std::string& S) { R.BookTicker(S); };
const auto Ping = [](TMarketReplyReader& R, const std::string& S) { R.Ping(S); };
const auto Time = [](TMarketReplyReader& R, const std::string& S) { R.ServerTime(S); };

const std::string cTimeError = "TSysTimeThread.Execute ParseRespond error";

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyWithoutItsRoot,
    Values(TRootCase{"ping not json", Ping, "<html>", "TUser.Ping: lRootNode not assigned"},
           TRootCase{"depth array root", Depth, "[]", "TUser.Depth: lSideNode not assigned"},
           TRootCase{"24hr volume bad utf-8", Volume, "[\"\xff\"]",
                     "TUser.Ticker24hrVolume: lRootNode not assigned"},
           TRootCase{"prices object root", Prices, R"({"symbol":"A","price":"1"})",
                     "TUser.TickerPrice: lRootNode not assigned"},
           TRootCase{"price array root", Price, "[]", "TUser.TickerPrice: lRootNode not assigned"},
           TRootCase{"book ticker empty", Book, "",
                     "TUser.TickerBookTicker: lRootNode not assigned"},
           TRootCase{"time empty", Time, "", cTimeError},
           TRootCase{"time missing", Time, R"({"time":1})", cTimeError},
           TRootCase{"time as text", Time, R"({"serverTime":"1700000000000"})", cTimeError},
           TRootCase{"time fraction", Time, R"({"serverTime":1.5e12})", cTimeError}));

TEST(MarketReplies, ServerTimeReadsMilliseconds)
{
    TMarketReplyReader Reader;
    EXPECT_EQ(Reader.ServerTime(R"({"serverTime":1700000012345})"), 1700000012345);
}

TEST(MarketReplies, DepthKeepsTheReplysOrderAndSkipsEntriesOfTheWrongShape)
{
    TMarketReplyReader Reader;
    TDepthReply Book = Reader.Depth(R"({"lastUpdateId":7,
        "asks":[["10.5","1.25"],["11",2],{"price":"12"},["13"],["14","3","extra"]],
        "bids":[["9","0.5"],"8",["7","x"]]})");
    ASSERT_EQ(Book.Asks.size(), 3u);
    EXPECT_EQ(Book.Asks[0].Price, 10.5);
    EXPECT_EQ(Book.Asks[0].Quantity, 1.25);
    EXPECT_EQ(Book.Asks[1].Price, 11);
    EXPECT_EQ(Book.Asks[1].Quantity, 2);
    EXPECT_EQ(Book.Asks[2].Price, 14);
    ASSERT_EQ(Book.Bids.size(), 2u);
    EXPECT_EQ(Book.Bids[0].Price, 9);
    EXPECT_EQ(Book.Bids[1].Price, 7);
    EXPECT_EQ(Book.Bids[1].Quantity, 0) << "text that is no number reads as 0";
}

TEST(MarketReplies, KlinesReadAllTwelveElementsAndSkipRowsOfTheWrongShape)
{
    TMarketReplyReader Reader;
    std::vector<TKlineRow> Rows = Reader.Klines(R"([
        [1700000000000,"1.5","2.5","0.5","2.0","100.25",1700000059999,"150.5",308,"60.1","90.2","0"],
        [1700000060000,"1","1","1","1","1",1700000119999,"1",1,"1","1"],
        ["1700000120000","1","1","1","1","1",0,"1",1,"1","1","0"],
        {"openTime":1700000180000},
        [1700000240000,2,3,1,2.5,"7","1700000299999",null,"12",true,"","9"]])");
    ASSERT_EQ(Rows.size(), 2u);
    const TKlineRow& First = Rows[0];
    EXPECT_EQ(First.OpenTime, 1700000000000);
    EXPECT_EQ(First.Open, 1.5);
    EXPECT_EQ(First.High, 2.5);
    EXPECT_EQ(First.Low, 0.5);
    EXPECT_EQ(First.Close, 2.0);
    EXPECT_EQ(First.Volume, 100.25);
    EXPECT_EQ(First.CloseTime, 1700000059999);
    EXPECT_EQ(First.QuoteAssetVolume, 150.5);
    EXPECT_EQ(First.Number, 308);
    EXPECT_EQ(First.BaseAsset, 60.1);
    EXPECT_EQ(First.QuoteAsset, 90.2);
    EXPECT_EQ(First.Ignore, 0);
    const TKlineRow& Mixed = Rows[1];
    EXPECT_EQ(Mixed.OpenTime, 1700000240000);
    EXPECT_EQ(Mixed.Close, 2.5) << "a JSON number is read too";
    EXPECT_EQ(Mixed.CloseTime, 1700000299999);
    EXPECT_EQ(Mixed.QuoteAssetVolume, 0);
    EXPECT_EQ(Mixed.Number, 12);
    EXPECT_EQ(Mixed.BaseAsset, 0);
    EXPECT_EQ(Mixed.QuoteAsset, 0);
    EXPECT_EQ(Mixed.Ignore, 9);
}

TEST(MarketReplies, TickersReadTheirFieldsMissingOnesAsZeroAndSkipNamelessEntries)
{
    TMarketReplyReader Reader;
    const std::string Reply = R"([
        {"symbol":"ETHBTC","priceChange":"1","priceChangePercent":"-2.5","lastPrice":"0.054",
         "bidPrice":"0.053","askPrice":"0.055","highPrice":"0.06","lowPrice":"0.05",
         "quoteVolume":"1234.5","count":76},
        {"symbol":"LTCBTC","lastPrice":"1e-3","bidPrice":"12abc","askPrice":"","highPrice":"inf"},
        {"lastPrice":"1"}, {"symbol":"","lastPrice":"1"}, ["symbol","XRPBTC"], 5])";
    std::vector<TSymbolTicker> Entries = Reader.Ticker24hr(Reply);
    ASSERT_EQ(Entries.size(), 2u);
    const TSymbolTicker& Eth = Entries[0];
    EXPECT_EQ(Eth.Name, "ETHBTC");
    EXPECT_EQ(Eth.PriceChangePercent, -2.5);
    EXPECT_EQ(Eth.LastPrice, 0.054);
    EXPECT_EQ(Eth.BidPrice, 0.053);
    EXPECT_EQ(Eth.AskPrice, 0.055);
    EXPECT_EQ(Eth.HighPrice, 0.06);
    EXPECT_EQ(Eth.LowPrice, 0.05);
    const TSymbolTicker& Ltc = Entries[1];
    EXPECT_EQ(Ltc.LastPrice, 0.001);
    EXPECT_EQ(Ltc.BidPrice, 0);
    EXPECT_EQ(Ltc.AskPrice, 0);
    EXPECT_EQ(Ltc.HighPrice, 0) << "an infinite price reads as 0";
    std::vector<TSymbolVolume> Volumes = Reader.Ticker24hrVolume(Reply);
    ASSERT_EQ(Volumes.size(), 2u);
    EXPECT_EQ(Volumes[0].Name, "ETHBTC");
    EXPECT_EQ(Volumes[0].QuoteVolume, 1234.5);
    EXPECT_EQ(Volumes[1].Name, "LTCBTC");
    EXPECT_EQ(Volumes[1].QuoteVolume, 0);
}

TEST(MarketReplies, PricesOfAllSymbolsAndOfOne)
{
    TMarketReplyReader Reader;
    std::vector<TSymbolPrice> All =
        Reader.Prices(R"([{"symbol":"BTCUSDT","price":"37250.01"},{"price":"1"},
                          {"symbol":"ETHBTC"}])");
    ASSERT_EQ(All.size(), 2u);
    EXPECT_EQ(All[0].Name, "BTCUSDT");
    EXPECT_EQ(All[0].Price, 37250.01);
    EXPECT_EQ(All[1].Name, "ETHBTC");
    EXPECT_EQ(All[1].Price, 0);
    EXPECT_EQ(Reader.Price(R"({"symbol":"BTCUSDT","price":"37250.5"})"), 37250.5);
    EXPECT_EQ(Reader.Price(R"({"symbol":"BTCUSDT"})"), 0);
    TBookTickerReply Book = Reader.BookTicker(R"({"symbol":"BTCUSDT","bidPrice":"37250.00",
        "bidQty":"0.4","askPrice":"37250.01","askQty":"0.1"})");
    EXPECT_EQ(Book.Bid, 37250.00);
    EXPECT_EQ(Book.Ask, 37250.01);
}

} // namespace
