#include "terminal/charts/uCharts.h"

#include "ChartHostFixture.h"
#include "domain/MarketThreadsFixture.h"
#include "domain/uProfile.h"
#include "terminal/charts/uChartList.h"

#include <atomic>
#include <fstream>
#include <optional>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

// Charts on a host, fed by the workers from the test exchange.
struct ChartWorkers : MarketThreads, TChartHost {
    TChartItem& NewChart(TChartInterval aInterval = m1, const std::string& aSymbol = "BTCUSDT")
    {
        TChartItem& Item = List.Add();
        Item.SetSymbol(aSymbol);
        Item.SetInterval(aInterval);
        return Item;
    }
    std::shared_ptr<TKlinesThread> Klines(TChartItem& aItem, int aLimit, int64_t aEndDate = 0)
    {
        auto Worker = std::make_shared<TKlinesThread>(aItem.Link());
        Worker->SetSymbol(aItem.Symbol());
        Worker->SetLimit(aLimit);
        Worker->SetEndDate(aEndDate);
        return Worker;
    }
    bool Loaded(TChartItem& aItem)
    {
        return Dispatcher.PumpUntil([&] { return !aItem.IsLoading(); }, 5s);
    }
    std::vector<std::string> KlineQueries() { return Queries(TExchangeEndpoint::Klines); }
    // Whether the update queue delivered aCode by now.
    bool Announced(int32_t aCode)
    {
        Dispatcher.PumpUntil([] { return false; }, 200ms);
        const auto& C = Window.Codes;
        return std::any_of(C.begin(), C.end(), [aCode](const auto& P) { return P.first == aCode; });
    }
    // Candles served a page at a time, each reply aDelayMs late.
    void ServeSlowHistory(int aDelayMs)
    {
        Exchange.SetHandler(TExchangeEndpoint::Klines, [this, aDelayMs](const TExchangeCall& C) {
            TExchangeReply Reply = CandlePage(History, C);
            Reply.DelayMs = aDelayMs;
            return Reply;
        });
    }

    TCandleHistory History{.Count = 1200};
};

// A request carries the chart's interval; a reply that cannot be used
// changes nothing and is told.
TEST_F(ChartWorkers, CandleRepliesReachTheChartsSeriesOrChangeNothing)
{
    const std::string cAsked = "symbol=BTCUSDT&interval=1M&limit=1000";
    const std::string cNoRoot = "TBaseThread.Execute error: TUser.Klines: lRootNode not assigned";
    const struct {
        std::optional<TExchangeReply> Reply;
        int64_t EndDate;
        std::string Query, Alert;
        int Count;
    } Cases[] = {
        {std::nullopt, 0, cAsked, "", 2},
        {std::nullopt, INT64_MAX, "symbol=BTCUSDT&interval=1M&endTime=9223372036854775807", "", 2},
        {RawReply(R"({"code":-1121})"), 0, cAsked, cNoRoot, 0},
        {RawReply("[[1,2"), 0, cAsked, cNoRoot, 0},
        {TExchangeReply::Error(500, -1000, "down"), 0, cAsked,
         "TUser.Klines ParseResponse error: empty string", 0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Query + Case.Alert);
        Log.Clear();
        Exchange.ClearJournal();
        TChartItem& Item = NewChart(Month1);
        if (Case.Reply)
            Exchange.Script(TExchangeEndpoint::Klines, *Case.Reply);
        Run(Klines(Item, 0, Case.EndDate));
        EXPECT_EQ(KlineQueries(), std::vector{Case.Query});
        EXPECT_EQ(Item.KlineList().Count(), Case.Count);
        EXPECT_EQ(Item.SerCandles()->Count(), Case.Count);
        EXPECT_EQ(Alerts(),
                  Case.Alert.empty() ? std::vector<std::string>{} : std::vector{Case.Alert});
    }
}

// A closing or freed chart is neither asked for nor changed; no worker starts
// unless the workflow is working, nor for an empty symbol.
TEST_F(ChartWorkers, NoCandlesAreAskedForAClosingFreedOrIdleChart)
{
    TChartItem& Closing = NewChart();
    Closing.Link()->SetIsClosing();
    Run(Klines(Closing, 2));
    TChartItem& Freed = NewChart();
    auto Orphan = Klines(Freed, 2);
    List.Delete(&Freed);
    Run(Orphan);
    EXPECT_EQ(Closing.KlineList().Count(), 0);
    Closing.RefreshKlines();
    Closing.TickerPrice();
    EXPECT_EQ(FreeThreadCount(), 0u) << "closing";
    for (TWorkflowState State : {wfsClosing, wfsStopped, wfsPaused, wfsWorking}) {
        Flow.SetState(State);
        TChartItem& Item = NewChart(m1, State == wfsWorking ? "" : "BTCUSDT");
        Item.RefreshKlines();
        Item.KlinesUpdate();
        Item.TickerPrice();
        EXPECT_EQ(FreeThreadCount(), 0u) << int(State);
    }
    EXPECT_TRUE(Exchange.Journal().empty());
    EXPECT_EQ(Alerts(), std::vector<std::string>{"TChartItem.RefreshChartInputData error: "
                                                 "TChartItem.RefreshKlines error: no symbol"});
}

TEST_F(ChartWorkers, HistoryPagesNewestFirstEndAsOneSortedSeries)
{
    auto Pages = ServeCandleHistory(Exchange, History);
    TChartItem& Item = NewChart();
    Item.RefreshKlines();
    EXPECT_EQ(Item.Window()->Caption(), "BTCUSDT 1m (800%)");
    ASSERT_TRUE(Loaded(Item));
    // 500 newest, then 499 older per page (the oldest held comes again), the
    // rest, and a last page that brings only the oldest again.
    EXPECT_EQ(*Pages, 4);
    const std::vector<std::string> Expected = {
        "symbol=BTCUSDT&interval=1m&endTime=9223372036854775807",
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(History.OpenTime(499)),
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(History.OpenTime(998)),
        "symbol=BTCUSDT&interval=1m&endTime=" + std::to_string(History.OpenTime(1199))};
    EXPECT_EQ(KlineQueries(), Expected);
    EXPECT_EQ(Item.KlineList().Count(), 1200);
    EXPECT_FALSE(Item.KlineList().IsLoading());
    const std::vector<double> Dates = TChartHost::Dates(Item);
    ASSERT_EQ(Dates.size(), 1200u);
    EXPECT_EQ(std::adjacent_find(Dates.begin(), Dates.end(), std::greater_equal<>()), Dates.end())
        << "sorted, no date twice";
    EXPECT_EQ(Dates.front(), StampToDate(History.OpenTime(1199)));
    EXPECT_EQ(Item.SerCandles()->CloseValues().Last(), 0) << "the newest candle last";
    EXPECT_TRUE(Item.Chart()->Host()->isEnabled());
    ASSERT_TRUE(Delivered(MAIN_FORM_CHART_REFRESH));
    EXPECT_EQ(Window.Codes.back().second, Item.Link()->ID());
}

TEST_F(ChartWorkers, HistoryStopsAtThreeThousandCandlesOrWhenItCannotGoOn)
{
    struct {
        const char* Name;
        std::function<void(TChartItem&)> OnSecondPage;
        int Pages;
        int Count;
    } Cases[] = {
        // 1000, 1999, 2998, 3997: the check comes before each page.
        {"enough", [](TChartItem&) {}, 4, 3997},
        {"closing", [](TChartItem& C) { C.Link()->SetIsClosing(); }, 2, 1000},
        {"stopped", [&](TChartItem&) { Flow.SetState(wfsStopped); }, 2, 1999},
        {"failed",
         [&](TChartItem&) {
             Exchange.Script(TExchangeEndpoint::Klines, TExchangeReply::Error(500, -1, "down"));
         },
         2, 1999},
    };
    History = {.Count = 10000, .PageSize = 1000};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Flow.SetState(wfsWorking);
        TChartItem& Item = NewChart();
        auto Pages = std::make_shared<std::atomic<int>>(0);
        Exchange.SetHandler(TExchangeEndpoint::Klines, [&, Pages](const TExchangeCall& aCall) {
            if (++*Pages == 2)
                Case.OnSecondPage(Item);
            return CandlePage(History, aCall);
        });
        Item.RefreshKlines();
        ASSERT_TRUE(FreeWorkersEnded());
        EXPECT_EQ(*Pages, Case.Pages);
        EXPECT_EQ(Item.KlineList().Count(), Case.Count);
        EXPECT_FALSE(Item.KlineList().IsLoading());
        EXPECT_FALSE(Item.IsLoading());
    }
}

TEST_F(ChartWorkers, ThePriceGoesToItsChartAndAFailedFirstPriceChangesNothing)
{
    for (bool Fails : {true, false}) {
        SCOPED_TRACE(Fails);
        TChartItem& Item = NewChart(m1, "ETHBTC");
        Item.KlineList().Put(TKline(History.NewestOpenTime));
        Item.OnNotify(BASE_MAIN_KLINES, 0);
        if (Fails)
            Exchange.Script(TExchangeEndpoint::TickerPrice, TExchangeReply::Error(500, -1, "down"));
        Item.TickerPrice();
        ASSERT_TRUE(FreeWorkersEnded());
        EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice).back(), "symbol=ETHBTC");
        EXPECT_EQ(Item.ChartPrice(), Fails ? 0 : 0.054321);
        EXPECT_EQ(Item.SerCandles()->CloseValues().Last(), Fails ? 0 : 0.054321);
        EXPECT_EQ(Item.SerPrice()->Count(), Fails ? 0 : 2);
    }
}

// Four intervals clicked within a second while each page takes 2 s: every
// click ends the load in progress at once and starts the next, so the
// user-interface thread never stands still, and only the last interval's
// candles arrive. Every wait of that thread runs the calls queued meanwhile:
// a click that waited would run the one queued before it.
TEST_F(ChartWorkers, ANewIntervalEndsTheRunningHistoryLoadAtOnce)
{
    History.PageSize = 1000;
    ServeSlowHistory(2000);
    TChartItem& Item = NewChart();
    Item.RefreshKlines();
    TClock::duration LongestClick{};
    for (TChartInterval Interval : {m5, m15, h1, h4}) {
        Dispatcher.PumpUntil([] { return false; }, 200ms);
        std::atomic<bool> Ran{false};
        const int Wakes = Dispatcher.Wakes();
        std::thread Caller([&] { InvokeSync([&] { Ran = true; }); });
        for (const auto Until = TClock::now() + 5s;
             Dispatcher.Wakes() == Wakes && TClock::now() < Until;)
            std::this_thread::sleep_for(1ms);
        const auto Start = TClock::now();
        Item.SetInterval(Interval);
        Item.RefreshKlines();
        LongestClick = std::max(LongestClick, TClock::now() - Start);
        EXPECT_FALSE(Ran) << "the click waited";
        Dispatcher.PumpUntil([&] { return Ran.load(); }, 5s);
        Caller.join();
    }
    RecordProperty(
        "LongestClickMicroseconds",
        int(std::chrono::duration_cast<std::chrono::microseconds>(LongestClick).count()));
    ASSERT_TRUE(Dispatcher.PumpUntil([&] { return !Item.IsLoading(); }, 15s));
    EXPECT_EQ(Item.Interval(), h4);
    EXPECT_EQ(Item.KlineList().Count(), 1200);
    ASSERT_TRUE(FreeWorkersEnded(10s));
    for (const std::string& Query : KlineQueries())
        if (Query.find("interval=4h") == std::string::npos) {
            EXPECT_NE(Query.find("endTime=9223372036854775807"), std::string::npos)
                << "no second page of an ended load: " << Query;
        }
    EXPECT_EQ(KlineQueries().back().substr(0, 28), "symbol=BTCUSDT&interval=4h&e");
    const std::vector<double> Dates = TChartHost::Dates(Item);
    EXPECT_EQ(std::adjacent_find(Dates.begin(), Dates.end(), std::greater_equal<>()), Dates.end());
}

// A chart whose history failed holds no candles: its minute tick loads the
// history again, one load at a time; a chart with candles asks for two.
TEST_F(ChartWorkers, AFailedHistoryLoadsAgainOnTheNextMinute)
{
    Exchange.Script(TExchangeEndpoint::Klines, TExchangeReply::Error(500, -1, "down"));
    TChartItem& Item = NewChart();
    Item.RefreshKlines();
    ASSERT_TRUE(Loaded(Item));
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(Item.KlineList().Count(), 0);
    ServeSlowHistory(300);
    Item.KlinesUpdate();
    Item.KlinesUpdate();
    EXPECT_TRUE(Item.IsLoading());
    ASSERT_TRUE(Loaded(Item));
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(Item.KlineList().Count(), 1200);
    const std::size_t Asked = KlineQueries().size();
    EXPECT_EQ(Asked, 1u + 4u) << "the failed page, then one load of four";
    Item.KlinesUpdate();
    ASSERT_TRUE(FreeWorkersEnded());
    ASSERT_EQ(KlineQueries().size(), Asked + 1);
    EXPECT_EQ(KlineQueries().back(), "symbol=BTCUSDT&interval=1m&limit=2");
}

// The market watch's prices of all symbols carry a chart's price: a chart
// asks for its own only when they do not hold its symbol.
TEST_F(ChartWorkers, AChartTakesItsPriceFromThePricesOfAllSymbols)
{
    TChartItem& Listed = NewChart(m1, "ETHBTC");
    TChartItem& Unlisted = NewChart(m1, "LTCBTC");
    for (TChartItem* Item : {&Listed, &Unlisted}) {
        Item->KlineList().Put(TKline(History.NewestOpenTime));
        Item->OnNotify(BASE_MAIN_KLINES, 0);
    }
    Model.SymbolShowList().ApplyPrices({{"ETHBTC", 0.05}});
    Exchange.ClearJournal();
    for (int Second = 0; Second < 3; ++Second) {
        Listed.TickerPrice();
        Unlisted.TickerPrice();
        ASSERT_TRUE(FreeWorkersEnded());
    }
    EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice),
              std::vector<std::string>(3, "symbol=LTCBTC"));
    EXPECT_EQ(Listed.ChartPrice(), 0.05);
    EXPECT_EQ(Listed.SerCandles()->CloseValues().Last(), 0.05);
    EXPECT_GT(Unlisted.ChartPrice(), 0);
}

TEST_F(ChartWorkers, AChartClosedMidRequestIsGoneAtOnceAndItsWorkerEndsQuietly)
{
    ServeSlowHistory(800);
    for (bool ByButton : {false, true}) {
        SCOPED_TRACE(ByButton);
        Exchange.ClearJournal();
        TChartItem& Item = NewChart();
        const TChartID ID = Item.Link()->ID();
        QPointer<TwinctrlMdiWindow> Window = Item.Window();
        Item.RefreshKlines();
        ASSERT_TRUE(Dispatcher.PumpUntil([&] { return !KlineQueries().empty(); }, 5s));
        const auto Start = TClock::now();
        if (ByButton)
            Window->Button(btClose).DoClick();
        else
            Item.DestroyWindow();
        EXPECT_LT(TClock::now() - Start, 5s);
        EXPECT_EQ(List.Count(), 0);
        EXPECT_EQ(FindChartItem(ID), nullptr);
        FreeDeferred();
        EXPECT_TRUE(Window.isNull());
        ASSERT_TRUE(FreeWorkersEnded());
        EXPECT_EQ(KlineQueries().size(), 1u);
        EXPECT_TRUE(Alerts().empty());
    }
    EXPECT_FALSE(Announced(MAIN_FORM_CHART_REFRESH));
}

// Charts loaded from a layout and driven by commands, against the test
// exchange; the update queue's codes reach Window.
struct ChartListWorkers : ChartWorkers {
    // The symbol and interval of the first page of every history load (the
    // one asked for while the chart holds no candle), sorted: the workers run
    // side by side, so the exchange sees them in any order.
    std::vector<std::string> HistoryStarts()
    {
        const std::string cFirstPage = "&endTime=" + std::to_string(INT64_MAX);
        std::vector<std::string> Starts;
        for (const std::string& Query : Queries(TExchangeEndpoint::Klines))
            if (Query.ends_with(cFirstPage))
                Starts.push_back(Query.substr(0, Query.size() - cFirstPage.size()));
        std::sort(Starts.begin(), Starts.end());
        return Starts;
    }
};

// A chart without "interval" reads it as 0: one minute.
TEST_F(ChartListWorkers, ALoadedLayoutStartsOneHistoryLoadPerChartInFileOrder)
{
    std::ofstream(TChartList::GetFileName())
        << R"({"charts":[{"symbol":"ETHBTC"},{"symbol":"LTCBTC","interval":11},)"
           R"({"symbol":"BTCUSDT"},{"symbol":"BNBBTC"},{"symbol":"XRPBTC"}],"full":false})";
    List.Load();
    EXPECT_EQ(List.AsSymbolList(),
              (std::vector<std::string>{"ETHBTC", "LTCBTC", "BTCUSDT", "BNBBTC", "XRPBTC"}));
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(HistoryStarts(), (std::vector<std::string>{
                                   "symbol=BNBBTC&interval=1m",
                                   "symbol=BTCUSDT&interval=1m",
                                   "symbol=ETHBTC&interval=1m",
                                   "symbol=LTCBTC&interval=1d",
                                   "symbol=XRPBTC&interval=1m",
                               }));
    EXPECT_TRUE(Delivered(BASE_MAIN_REFRESH_ACTIVE_WINDOW));
    for (int i = 0; i < List.Count(); ++i)
        EXPECT_FALSE(List.Items(i).IsLoading()) << i;
}

// The minute and second hooks ask every chart; an interval command reloads
// the selected one only and is announced through the update queue.
TEST_F(ChartListWorkers, PollingReachesEveryChartAndAnIntervalReloadsTheSelectedOne)
{
    for (const char* Symbol : {"ETHBTC", "LTCBTC"}) {
        TChartItem& Item = List.Add();
        Item.SetSymbol(Symbol);
        Item.SetActive(true);
        Item.KlineList().Put(TKline(1700000000000)); // with candles: no history again
    }
    TProfile Accounts((Home.Path() / "config.json").string());
    Profile = &Accounts;
    Flow.SetChartList(&List);
    Flow.DoEveryMinute();
    Flow.DoEverySecond();
    ASSERT_TRUE(FreeWorkersEnded());
    std::vector<std::string> Updates = Queries(TExchangeEndpoint::Klines);
    std::sort(Updates.begin(), Updates.end());
    EXPECT_EQ(Updates, (std::vector<std::string>{"symbol=ETHBTC&interval=5m&limit=2",
                                                 "symbol=LTCBTC&interval=5m&limit=2"}));
    EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice).size(), 1u)
        << "all symbols; the charts wait for that answer";
    Flow.DoEverySecond();
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice).size(), 2u)
        << "the charts take theirs from it";
    EXPECT_GT(List.Items(0).ChartPrice(), 0);

    Settle();
    Exchange.ClearJournal();
    List.RefreshKlinesByInterval(h1);
    ASSERT_TRUE(FreeWorkersEnded());
    EXPECT_EQ(HistoryStarts(), std::vector<std::string>{"symbol=LTCBTC&interval=1h"});
    EXPECT_EQ(List.Items(1).Interval(), h1);
    EXPECT_EQ(List.Items(0).Interval(), m5);
    EXPECT_TRUE(Delivered(BASE_MAIN_INTERVALS_REFRESH));

    Settle();
    List.acAutoScrollExecute(false);
    EXPECT_FALSE(Announced(BASE_MAIN_REFRESH_ACTIVE_WINDOW)) << "no change, no notice";
    List.acAutoScrollExecute(true);
    EXPECT_TRUE(Delivered(BASE_MAIN_REFRESH_ACTIVE_WINDOW));
    Flow.SetChartList(nullptr);
    Profile = nullptr;
}

} // namespace
