#include "domain/uSymbolShowList.h"

#include "ExchangeWorkersFixture.h"

using SymbolShowListNotices = ExchangeWorkers;

// The market watch hears of every change of the visible list, once, and of nothing else.
TEST_F(SymbolShowListNotices, EachChangeOfTheVisibleListQueuesOneRefresh)
{
    constexpr int32_t cEnd = BASE_MAIN_TEST;
    TSymbolShowList List;
    List.ReloadSymbols({{.Name = "ETHBTC"}, {.Name = "LTCBTC"}}); // fills: 110
    List.ApplyPrices({{"ETHBTC", 1}});                            // visible list kept
    List.DeleteSymbol("XRPBTC");                                  // absent
    List.DeleteSymbol("ETHBTC");                                  // 110
    List.HideSymbols({});                                         // 110
    List.FillShowSymbols();                                       // 110
    QueueNotify(cEnd, 0);

    EXPECT_TRUE(Dispatcher.PumpUntil(
        [&] { return !Window.Codes.empty() && Window.Codes.back().first == cEnd; }, 5s));
    EXPECT_EQ((std::vector<int32_t>{110, 110, 110, 110, cEnd}), Window.EventIDs());
}
