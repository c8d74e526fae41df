#include "domain/charts/uChartList.h"

#include "ChartHostFixture.h"
#include "domain/MarketThreadsFixture.h"
#include "domain/uProfile.h"

#include <fstream>

namespace {

// Charts loaded from a layout and driven by commands, against the test
// exchange; the update queue's codes reach Window.
struct ChartListWorkers : MarketThreads, TChartHost {
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
    // Whether the update queue delivered aCode within a moment.
    bool Announced(int32_t aCode)
    {
        Dispatcher.PumpUntil([] { return false; }, 200ms);
        const std::vector<int32_t> Codes = Window.EventIDs();
        return std::find(Codes.begin(), Codes.end(), aCode) != Codes.end();
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
    EXPECT_EQ(Queries(TExchangeEndpoint::TickerPrice).size(), 3u) << "all symbols, then each chart";

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
