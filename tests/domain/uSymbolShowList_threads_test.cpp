#include "domain/uSymbolShowList.h"

#include "domain/uCommon.h"
#include "domain/uUIWriter.h"
#include "platform/TestUIDispatcher.h"

#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

class TWindow : public TDObject {
public:
    void Notification(int32_t EventID, TNotifyData Data) override { Codes.push_back(EventID); }
    std::vector<int32_t> Codes;
};

// The market watch hears of every change of the visible list, once, and of nothing else.
TEST(SymbolShowListNotices, EachChangeOfTheVisibleListQueuesOneRefresh)
{
    constexpr int32_t cEnd = BASE_MAIN_TEST;
    TTestUIDispatcher Dispatcher;
    SetUIDispatcher(&Dispatcher);
    UIWriter = new TUIWriter;
    TWindow Window;
    UIWriter->Publisher().Subscribe(&Window, 0);

    TSymbolShowList List;
    List.ReloadSymbols({{.Name = "ETHBTC"}, {.Name = "LTCBTC"}}); // fills: 110
    List.ApplyPrices({{"ETHBTC", 1}});                            // visible list kept
    List.DeleteSymbol("XRPBTC");                                  // absent
    List.DeleteSymbol("ETHBTC");                                  // 110
    List.HideSymbols({});                                         // 110
    List.FillShowSymbols();                                       // 110
    QueueNotify(cEnd, 0);

    EXPECT_TRUE(Dispatcher.PumpUntil(
        [&] { return !Window.Codes.empty() && Window.Codes.back() == cEnd; }, 5s));
    EXPECT_EQ((std::vector<int32_t>{110, 110, 110, 110, cEnd}), Window.Codes);

    delete UIWriter;
    UIWriter = nullptr;
    SetUIDispatcher(nullptr);
}

} // namespace
