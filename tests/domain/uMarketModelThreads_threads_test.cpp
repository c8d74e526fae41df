#include "domain/uMarketModelThreads.h"

#include "MarketThreadsFixture.h"

#include <stdexcept>

namespace {

using nlohmann::json;

json Book(std::initializer_list<const char*> aAsks, std::initializer_list<const char*> aBids)
{
    json Result = {{"lastUpdateId", 1}, {"asks", json::array()}, {"bids", json::array()}};
    double Quantity = 1;
    for (const char* Price : aAsks)
        Result["asks"].push_back({Price, market_data::PriceText(Quantity++)});
    for (const char* Price : aBids)
        Result["bids"].push_back({Price, market_data::PriceText(Quantity++)});
    return Result;
}

std::vector<double> Prices(const TDepthList& aBook)
{
    std::vector<double> Result;
    for (int I = 0; I < aBook.Count(); ++I)
        Result.push_back(aBook.Items(I).Price);
    return Result;
}

// A dialog double on the model's publisher.
class TBookTickerWindow : public TDObject {
public:
    void Notification(int32_t EventID, TNotifyData Data) override
    {
        Codes.push_back(EventID);
        if (Throw)
            throw std::runtime_error("dialog failed");
    }
    std::vector<int32_t> Codes;
    bool Throw = false;
};

} // namespace

TEST_F(MarketThreads, OrderBookOfTheSelectedSymbolHighestAskFirstAndKeptWholeOnAnError)
{
    Exchange.SetReplyData(TExchangeEndpoint::Depth, Book({"10", "11", "12"}, {"9", "8"}));
    Model.Input().SetSymbol("ETHBTC");
    Model.DepthEx();
    ASSERT_TRUE(Delivered(BASE_MAIN_DEPTH));
    EXPECT_EQ(Queries(TExchangeEndpoint::Depth), std::vector<std::string>{"symbol=ETHBTC&limit=5"});
    EXPECT_EQ(Prices(Model.DepthList()), (std::vector<double>{12, 11, 10, 9, 8}));
    EXPECT_EQ(Model.DepthList().Items(0).Side, "ASK");
    EXPECT_EQ(Model.DepthList().Items(3).Side, "BID");
    EXPECT_EQ(Model.DepthList().MaxQuantity(), 5);

    // An error reply keeps the book; the refusal of a reply of the wrong shape
    // is the reader's, and that a refused reply reaches no step is the worker's.
    Settle();
    Exchange.Script(TExchangeEndpoint::Depth, TExchangeReply::Error(400, -1121, "Invalid symbol."));
    Model.DepthEx();
    ASSERT_TRUE(Delivered(BASE_MAIN_DEPTH));
    EXPECT_EQ(Prices(Model.DepthList()), (std::vector<double>{12, 11, 10, 9, 8}));
    EXPECT_EQ(Alerts(), std::vector<std::string>{"TUser.Depth ParseResponse error: empty string"});
}

TEST_F(MarketThreads, OrderBookOfASymbolNoLongerSelectedIsNotApplied)
{
    Model.Input().SetSymbol("ETHBTC");
    TExchangeReply Slow = TExchangeReply::Json(Book({"10"}, {"9"}));
    Slow.DelayMs = 300;
    Exchange.Script(TExchangeEndpoint::Depth, Slow);
    Model.DepthEx();
    Model.Input().SetSymbol("LTCBTC");
    ASSERT_TRUE(Delivered(BASE_MAIN_DEPTH));
    EXPECT_EQ(Model.DepthList().Count(), 0);
}

TEST_F(MarketThreads, TwentyFourHourTickersRebuildTheSymbolsAndShowThemAll)
{
    Exchange.SetReplyData(TExchangeEndpoint::Ticker24hr,
                          market_data::Ticker24hrList(2000, Exchange.ServerTime()));
    Model.Ticker24hrEx();
    ASSERT_TRUE(Delivered(BASE_MAIN_SYMBOLS));
    EXPECT_EQ(Queries(TExchangeEndpoint::Ticker24hr), std::vector<std::string>{""});
    ASSERT_EQ(Model.SymbolShowList().SymbolList().Count(), 2000);
    EXPECT_EQ(Model.SymbolShowList().Count(), 2000);
    const TSymbol& Last = Model.SymbolShowList().SymbolList().Items(1999);
    EXPECT_EQ(Last.Name(), market_data::SymbolName(1999));
    EXPECT_DOUBLE_EQ(Last.LastPrice(), market_data::SymbolPrice(1999));
    EXPECT_EQ(Last.BidPrice(), 4);
    EXPECT_EQ(Last.Color(), 0xFFFFFFu);
}

TEST_F(MarketThreads, PricesOfAllSymbolsPaintRisesAndFalls)
{
    constexpr int cCount = 300;
    Exchange.SetReplyData(TExchangeEndpoint::Ticker24hr,
                          market_data::Ticker24hrList(cCount, Exchange.ServerTime()));
    Model.Ticker24hrEx();
    ASSERT_TRUE(Delivered(BASE_MAIN_SYMBOLS));
    Settle();
    struct {
        double Shift;
        uint32_t Color;
    } Steps[] = {{0, 0xFFFFFF}, {0.0001, clLtGreen}, {0.0001, 0xFFFFFF}, {-0.0002, clLtRed}};
    for (const auto& Step : Steps) {
        SCOPED_TRACE(Step.Shift);
        Exchange.SetReplyData(TExchangeEndpoint::TickerPrice,
                              market_data::TickerPriceList(cCount, Step.Shift));
        Model.TickerPrice("");
        ASSERT_TRUE(Delivered(BASE_MAIN_SYMBOLS));
        Settle();
        const TSymbol& Symbol = Model.SymbolShowList().SymbolList().Items(cCount - 1);
        EXPECT_EQ(Symbol.Color(), Step.Color);
        EXPECT_DOUBLE_EQ(
            Symbol.LastPrice(),
            std::stod(market_data::PriceText(market_data::SymbolPrice(cCount - 1) + Step.Shift)));
    }
    EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice), std::vector<std::string>(4, ""));
}

TEST_F(MarketThreads, PriceOfOneSymbolWithoutAChartHasNowhereToGo)
{
    Model.TickerPrice("ETHBTC");
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_TRUE(Queries(TExchangeEndpoint::TickerPrice).empty()) << "nothing is asked";
    EXPECT_EQ(Model.SymbolShowList().SymbolList().Count(), 0);
    EXPECT_FALSE(Dispatcher.PumpUntil([&] { return !Window.Codes.empty(); }, 200ms));
}

TEST_F(MarketThreads, BookTickerIsPublishedDirectlyAlsoAfterAFailure)
{
    TBookTickerWindow Dialog;
    Model.Publisher().Subscribe(&Dialog, 0);
    Model.TickerBookTicker("BTCUSDT");
    ASSERT_TRUE(Dispatcher.PumpUntil([&] { return Dialog.Codes.size() == 1; }, 5s));
    EXPECT_EQ(Dialog.Codes[0], ORDER_BOOK_TICKER);
    EXPECT_EQ(Model.Bid(), 37250.00);
    EXPECT_EQ(Model.Ask(), 37250.01);

    Exchange.Script(TExchangeEndpoint::BookTicker, TExchangeReply::Dropped());
    Dialog.Throw = true;
    Model.TickerBookTicker("");
    ASSERT_TRUE(Dispatcher.PumpUntil([&] { return Dialog.Codes.size() == 2; }, 5s));
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(Model.Ask(), 37250.01);
    EXPECT_EQ(Queries(TExchangeEndpoint::BookTicker),
              (std::vector<std::string>{"symbol=BTCUSDT", ""}));
    EXPECT_EQ(Alerts(),
              (std::vector<std::string>{"TUser.TickerBookTicker ParseResponse error: empty string",
                                        "TTickerBookTickerThread.DoNotify error: dialog failed"}));
    Model.Publisher().Unsubscribe(&Dialog, 0);
}

TEST_F(MarketThreads, ServerTimeSetsTheClockAndAFailureLeavesIt)
{
    TSysTime Fresh;
    SysTime = &Fresh;
    Exchange.SetServerTime(1765000000123);
    Run(std::make_shared<TTimeThread>());
    EXPECT_TRUE(Fresh.IsSetByExchange());
    EXPECT_EQ(DateToStamp(Fresh.Time()), 1765000000123);

    for (const TExchangeReply& Failure : {TExchangeReply::Error(503, -1, "busy"),
                                          RawReply(R"({"serverTime":"soon"})"), RawReply("{}")}) {
        Log.Clear();
        Exchange.Script(TExchangeEndpoint::Time, Failure);
        Run(std::make_shared<TTimeThread>());
        EXPECT_EQ(DateToStamp(Fresh.Time()), 1765000000123);
        for (const TLogLine& Line : Log.Lines())
            if (Line.Text.starts_with(">> ")) {
                EXPECT_EQ(Line.Thread, 0) << "the time request runs on a client of its own";
            }
        EXPECT_EQ(Alerts(), std::vector<std::string>{"TSysTimeThread.Execute error: "
                                                     "TSysTimeThread.Execute ParseRespond error"});
    }
    SysTime = &Clock;
}

TEST_F(MarketThreads, PingAnswersWhetherTheExchangeReplied)
{
    auto Ok = std::make_shared<TPingThread>();
    Run(Ok);
    EXPECT_TRUE(Ok->PingOk());
    Exchange.Script(TExchangeEndpoint::Ping, TExchangeReply::Error(500, -1, "down"));
    auto Failed = std::make_shared<TPingThread>();
    Run(Failed);
    EXPECT_FALSE(Failed->PingOk());
    EXPECT_EQ(Alerts(), std::vector<std::string>{"TUser.Ping ParseResponse error: empty string"});
    Flow.SetState(wfsClosing);
    Exchange.ClearJournal();
    auto Closing = std::make_shared<TPingThread>();
    Run(Closing);
    EXPECT_FALSE(Closing->PingOk());
    EXPECT_TRUE(Exchange.Journal().empty());
}
