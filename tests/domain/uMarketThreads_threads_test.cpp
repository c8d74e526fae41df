#include "domain/uMarketThreads.h"

#include "MarketThreadsFixture.h"

#include <limits>

TEST_F(MarketThreads, CandleRequestsCarryTheirParametersAndAnnounceLargeOnes)
{
    struct {
        TChartInterval Interval;
        int Limit;
        int64_t EndDate;
        std::string Query, Notified;
    } Cases[] = {
        {m1, 2, 0, "symbol=BTCUSDT&interval=1m&limit=2", "120:0"},
        {h4, 11, 0, "symbol=BTCUSDT&interval=4h&limit=11", "120:1"},
        {Month1, 0, 0, "symbol=BTCUSDT&interval=1M&limit=1000", "120:1"},
        {d1, 0, 1700000000000, "symbol=BTCUSDT&interval=1d&endTime=1700000000000", "120:0"},
        {w1, 0, std::numeric_limits<int64_t>::max(),
         "symbol=BTCUSDT&interval=1w&endTime=9223372036854775807", "120:0"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Query);
        Exchange.ClearJournal();
        TChartDouble Chart(Case.Interval);
        Run(Klines(Chart, Case.Limit, Case.EndDate));
        EXPECT_EQ(Queries(TExchangeEndpoint::Klines), std::vector{Case.Query});
        EXPECT_EQ(Chart.Notified, std::vector{Case.Notified});
        EXPECT_EQ(Chart.KlineList().Count(), 2);
        EXPECT_EQ(Chart.OffThread, 0);
    }
}

TEST_F(MarketThreads, CandleReplyThatCannotBeUsedChangesNothingAndAnnouncesNothing)
{
    struct {
        TExchangeReply Reply;
        std::string Alert;
        std::vector<std::string> Notified;
    } Cases[] = {
        {RawReply(R"({"code":-1121})"),
         "TBaseThread.Execute error: TUser.Klines: lRootNode not assigned",
         {}},
        {RawReply("[[1,2"), "TBaseThread.Execute error: TUser.Klines: lRootNode not assigned", {}},
        {TExchangeReply::Error(500, -1000, "down"),
         "TUser.Klines ParseResponse error: empty string",
         {"120:0"}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Alert);
        Log.Clear();
        TChartDouble Chart;
        Exchange.Script(TExchangeEndpoint::Klines, Case.Reply);
        Run(Klines(Chart, 2));
        EXPECT_EQ(Chart.KlineList().Count(), 0);
        EXPECT_EQ(Chart.Notified, Case.Notified);
        EXPECT_EQ(Alerts(), std::vector{Case.Alert});
    }
}

TEST_F(MarketThreads, CandlesOfAClosingChartAreNeitherAskedForNorApplied)
{
    TChartDouble Chart;
    Chart.Link()->SetIsClosing();
    Run(Klines(Chart, 2));
    auto Detached = std::make_unique<TChartDouble>();
    auto Orphan = Klines(*Detached, 2);
    Detached.reset();
    Run(Orphan);
    EXPECT_TRUE(Queries(TExchangeEndpoint::Klines).empty());
    EXPECT_TRUE(Chart.Notified.empty());
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(MarketThreads, HistoryLoadsPagesUntilNothingOlderArrives)
{
    TCandleHistory Data;
    Data.Count = 1200;
    auto Pages = ServeCandleHistory(Exchange, Data);
    TChartDouble Chart;
    Run(History(Chart));
    // 500 newest, then 499 older per page (the oldest held comes again), the
    // rest, and a last page that brings only the oldest again.
    EXPECT_EQ(*Pages, 4);
    const std::vector<std::string> Expected = {
        "symbol=BTCUSDT&interval=1m&endTime=9223372036854775807",
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(Data.OpenTime(499)),
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(Data.OpenTime(998)),
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(Data.OpenTime(1199))};
    EXPECT_EQ(Queries(TExchangeEndpoint::Klines), Expected);
    EXPECT_EQ(Chart.KlineList().Count(), 1200);
    EXPECT_EQ(Chart.KlineList().MinDate(), Data.OpenTime(1199));
    EXPECT_FALSE(Chart.KlineList().IsLoading());
    EXPECT_EQ(Chart.Loading, std::vector<bool>{false});
    EXPECT_EQ(Chart.Refreshes, 3);
    EXPECT_EQ(Chart.Notified, std::vector<std::string>(4, "120:0"));
    ASSERT_TRUE(Delivered(MAIN_FORM_CHART_REFRESH));
    EXPECT_EQ(Window.Codes.back().second, Chart.Link()->ID());
    EXPECT_EQ(Chart.OffThread, 0);
}

TEST_F(MarketThreads, HistoryStopsAtThreeThousandCandlesOrWhenItCannotGoOnAndStillRefreshes)
{
    struct {
        const char* Name;
        std::function<void(TChartDouble&)> OnSecondPage;
        int Pages;
        int Count;
    } Cases[] = {
        // 1000, 1999, 2998, 3997: the check comes before each page.
        {"enough", [](TChartDouble&) {}, 4, 3997},
        {"closing", [](TChartDouble& C) { C.Link()->SetIsClosing(); }, 2, 1000},
        {"stopped", [&](TChartDouble&) { Flow.SetState(wfsStopped); }, 2, 1999},
        {"failed",
         [&](TChartDouble&) {
             Exchange.Script(TExchangeEndpoint::Klines, TExchangeReply::Error(500, -1, "down"));
         },
         2, 1999},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Flow.SetState(wfsWorking);
        TChartDouble Chart;
        TCandleHistory Data;
        Data.Count = 10000;
        Data.PageSize = 1000;
        auto Pages = std::make_shared<std::atomic<int>>(0);
        Exchange.SetHandler(TExchangeEndpoint::Klines, [&, Pages](const TExchangeCall& aCall) {
            if (++*Pages == 2)
                Case.OnSecondPage(Chart);
            return CandlePage(Data, aCall);
        });
        Run(History(Chart));
        EXPECT_EQ(*Pages, Case.Pages);
        EXPECT_EQ(Chart.KlineList().Count(), Case.Count);
        EXPECT_FALSE(Chart.KlineList().IsLoading());
        EXPECT_EQ(Chart.Refreshes, 3);
    }
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
