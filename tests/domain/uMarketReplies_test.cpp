#include "domain/uMarketReplies.h"

#include "domain/uReplyValues.h"
#include "support/LogCapture.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tuple>

namespace {

TEST(MarketReplies, AReplyWithoutItsRootRaisesTheRequestsText)
{
    using TRead = std::function<void(TMarketReplyReader&, const std::string&)>;
    const TRead Depth = [](TMarketReplyReader& R, const std::string& S) { R.Depth(S); };
    const TRead Time = [](TMarketReplyReader& R, const std::string& S) { R.ServerTime(S); };
    const std::string cTimeError = "TSysTimeThread.Execute ParseRespond error";
    const struct {
        TRead Read;
        std::string Reply, Message;
    } Cases[] = {
        {[](TMarketReplyReader& R, const std::string& S) { R.Ping(S); }, "<html>",
         "TUser.Ping: lRootNode not assigned"},
        {Depth, "[]", "TUser.Depth: lSideNode not assigned"},
        {[](TMarketReplyReader& R, const std::string& S) { R.Ticker24hrVolume(S); }, "[\"\xff\"]",
         "TUser.Ticker24hrVolume: lRootNode not assigned"},
        {[](TMarketReplyReader& R, const std::string& S) { R.Prices(S); },
         R"({"symbol":"A","price":"1"})", "TUser.TickerPrice: lRootNode not assigned"},
        {[](TMarketReplyReader& R, const std::string& S) { R.Price(S); }, "[]",
         "TUser.TickerPrice: lRootNode not assigned"},
        {[](TMarketReplyReader& R, const std::string& S) { R.BookTicker(S); }, "",
         "TUser.TickerBookTicker: lRootNode not assigned"},
        {Time, "", cTimeError},
        {Time, R"({"time":1})", cTimeError},
        {Time, R"({"serverTime":"1700000000000"})", cTimeError},
        {Time, R"({"serverTime":1.5e12})", cTimeError},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Reply);
        TMarketReplyReader Reader;
        try {
            Case.Read(Reader, Case.Reply);
            ADD_FAILURE() << "no error raised";
        } catch (const EReplyError& Error) {
            EXPECT_EQ(Error.what(), Case.Message);
        }
    }
    EXPECT_EQ(TMarketReplyReader().ServerTime(R"({"serverTime":1700000012345})"), 1700000012345);
}

TEST(MarketReplies, DepthKeepsTheReplysOrderAndSkipsEntriesOfTheWrongShape)
{
    TMarketReplyReader Reader;
    TDepthReply Book = Reader.Depth(R"({"lastUpdateId":7,
        "asks":[["10.5","1.25"],["11",2],{"price":"12"},["13"],["14","3","extra"]],
        "bids":[["9","0.5"],"8",["7","x"]]})");
    ASSERT_EQ(Book.Asks.size(), 3u);
    EXPECT_EQ(std::tuple(Book.Asks[0].Price, Book.Asks[0].Quantity), std::tuple(10.5, 1.25));
    EXPECT_EQ(std::tuple(Book.Asks[1].Price, Book.Asks[1].Quantity), std::tuple(11, 2));
    EXPECT_EQ(Book.Asks[2].Price, 14);
    ASSERT_EQ(Book.Bids.size(), 2u);
    EXPECT_EQ(Book.Bids[0].Price, 9);
    EXPECT_EQ(std::tuple(Book.Bids[1].Price, Book.Bids[1].Quantity), std::tuple(7, 0))
        << "text that is no number reads as 0";
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
    const auto Fields = [](const TKlineRow& R) {
        return std::tuple(R.OpenTime, R.Open, R.High, R.Low, R.Close, R.Volume, R.CloseTime,
                          R.QuoteAssetVolume, R.Number, R.BaseAsset, R.QuoteAsset, R.Ignore);
    };
    ASSERT_EQ(Rows.size(), 2u);
    EXPECT_EQ(Fields(Rows[0]), std::tuple(1700000000000, 1.5, 2.5, 0.5, 2.0, 100.25, 1700000059999,
                                          150.5, 308, 60.1, 90.2, 0));
    // JSON numbers and numeric texts are both read; anything else reads as 0.
    EXPECT_EQ(Fields(Rows[1]),
              std::tuple(1700000240000, 2, 3, 1, 2.5, 7, 1700000299999, 0, 12, 0, 0, 9));
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
    const auto Fields = [](const TSymbolTicker& T) {
        return std::tuple(T.Name, T.PriceChangePercent, T.LastPrice, T.BidPrice, T.AskPrice,
                          T.HighPrice, T.LowPrice);
    };
    std::vector<TSymbolTicker> Entries = Reader.Ticker24hr(Reply);
    ASSERT_EQ(Entries.size(), 2u);
    EXPECT_EQ(Fields(Entries[0]), std::tuple("ETHBTC", -2.5, 0.054, 0.053, 0.055, 0.06, 0.05));
    EXPECT_EQ(Fields(Entries[1]), std::tuple("LTCBTC", 0, 0.001, 0, 0, 0, 0))
        << "an infinite price reads as 0";
    std::vector<TSymbolVolume> Volumes = Reader.Ticker24hrVolume(Reply);
    ASSERT_EQ(Volumes.size(), 2u);
    EXPECT_EQ(std::tuple(Volumes[0].Name, Volumes[0].QuoteVolume), std::tuple("ETHBTC", 1234.5));
    EXPECT_EQ(std::tuple(Volumes[1].Name, Volumes[1].QuoteVolume), std::tuple("LTCBTC", 0));
}

TEST(MarketReplies, PricesOfAllSymbolsAndOfOne)
{
    TMarketReplyReader Reader;
    std::vector<TSymbolPrice> All =
        Reader.Prices(R"([{"symbol":"BTCUSDT","price":"37250.01"},{"price":"1"},
                          {"symbol":"ETHBTC"}])");
    ASSERT_EQ(All.size(), 2u);
    EXPECT_EQ(std::tuple(All[0].Name, All[0].Price), std::tuple("BTCUSDT", 37250.01));
    EXPECT_EQ(std::tuple(All[1].Name, All[1].Price), std::tuple("ETHBTC", 0));
    EXPECT_EQ(Reader.Price(R"({"symbol":"BTCUSDT","price":"37250.5"})"), 37250.5);
    EXPECT_EQ(Reader.Price(R"({"symbol":"BTCUSDT"})"), 0);
    TBookTickerReply Book = Reader.BookTicker(R"({"symbol":"BTCUSDT","bidPrice":"37250.00",
        "bidQty":"0.4","askPrice":"37250.01","askQty":"0.1"})");
    EXPECT_EQ(std::tuple(Book.Bid, Book.Ask), std::tuple(37250.00, 37250.01));
}

// Names that could add or end a parameter, or that no symbol has, never
// leave the reader; the rest of the reply still does, and one line tells.
TEST(MarketReplies, OddSymbolNamesAreRefusedAndTheRestOfTheReplyKept)
{
    TLogCapture Log;
    const std::string Long(10240, 'A');
    const std::vector<std::string> Odd = {
        "BTCUSDT&orderId=1", "A#B", std::string("A\0B", 3), "A%00B", Long, "btcusdt", "A B"};
    nlohmann::json Reply = nlohmann::json::array();
    for (const std::string& Name : Odd)
        Reply.push_back({{"symbol", Name}, {"price", "1"}, {"lastPrice", "1"}});
    Reply.push_back({{"symbol", "ETHBTC"}, {"price", "2"}, {"lastPrice", "2"}});
    Reply.push_back({{"symbol", "A1B2C3D4E5F6G7H8I9J0"}, {"price", "3"}, {"lastPrice", "3"}});
    TMarketReplyReader Reader;
    const std::vector<TSymbolPrice> Prices = Reader.Prices(Reply.dump());
    ASSERT_EQ(Prices.size(), 2u);
    EXPECT_EQ(Prices[0].Name, "ETHBTC");
    EXPECT_EQ(Prices[1].Name, "A1B2C3D4E5F6G7H8I9J0") << "twenty characters are a name";
    EXPECT_EQ(Reader.Ticker24hr(Reply.dump()).size(), 2u);
    EXPECT_EQ(Reader.Ticker24hrVolume(Reply.dump()).size(), 2u);
    const std::vector<TLogLine> Lines = Log.Lines();
    ASSERT_EQ(Lines.size(), 3u) << "one line a reply";
    for (const TLogLine& Line : Lines)
        EXPECT_EQ(Line.Text, "symbol name refused: \"BTCUSDT&orderId=1\"");
    EXPECT_FALSE(IsSymbolName(std::string(21, 'A')));
    EXPECT_FALSE(IsSymbolName(""));
}

// Rows no candle can be are dropped where the reply is read: open time at
// or before 1970, from 2100 on, or a price that is no finite number.
TEST(MarketReplies, CandleRowsWithImpossibleTimesOrPricesAreDropped)
{
    TLogCapture Log;
    const auto Row = [](const std::string& Open, const std::string& Price) {
        return "[" + Open + ",\"1\",\"2\"," + Price + ",\"1.5\",\"1\",0,\"1\",1,\"1\",\"1\",\"0\"]";
    };
    const std::string Reply =
        "[" + Row("0", "\"0.5\"") + "," + Row("-60000", "\"0.5\"") + "," +
        Row("4102444800000", "\"0.5\"") + "," + Row("1700000000000", "\"1e999\"") + "," +
        Row("1700000000000", "\"NaN\"") + "," + Row("1700000000000", "\"x\"") + "," +
        Row("1700000060000", "\"0.5\"") + "," + Row("4102444799999", "0.5") + "]";
    TMarketReplyReader Reader;
    const std::vector<TKlineRow> Rows = Reader.Klines(Reply);
    ASSERT_EQ(Rows.size(), 2u);
    EXPECT_EQ(Rows[0].OpenTime, 1700000060000);
    EXPECT_EQ(Rows[1].OpenTime, 4102444799999);
    const std::vector<TLogLine> Lines = Log.Lines();
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].Text,
              "TUser.Klines: 6 candle rows dropped: open time out of range or price not a number");
}

} // namespace
