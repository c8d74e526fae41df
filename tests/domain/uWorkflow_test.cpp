#include "domain/uWorkflow.h"

#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"
#include "platform/TickSource.h"
#include "support/WorkflowFakes.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// What one account already holds.
struct TAccountData {
    bool OrdersLoaded = false;
    bool HistoryLoaded = false;
    bool Balances = false;
};

void Fill(TConnectionItem& Account, const TAccountData& Data)
{
    Account.UserOrderList().SetLoaded(Data.OrdersLoaded);
    Account.UserOrderHistory().SetLoaded(Data.HistoryLoaded);
    Account.BalanceList().Clear();
    if (Data.Balances)
        Account.BalanceList().Add();
}

const TAccountData cComplete{true, true, true};

// The services as the builder sets them up, torn down in reverse; the clock
// ticks from a manual tick source.
class WorkflowTest : public ::testing::Test {
protected:
    WorkflowTest()
    {
        Workflow = &Flow;
        Profile = &fProfile;
        User = &fUser;
        SysTime = &Clock;
        Flow.SetMainFormFactory(&Factory);
        Flow.SetChartList(&Charts);
    }
    ~WorkflowTest() override
    {
        SysTime = nullptr;
        User = nullptr;
        Profile = nullptr;
        Workflow = nullptr;
    }

    void AddAccount(const std::string& Name, const TAccountData& Data)
    {
        TConnectionItem& Account = fProfile.Connections().Add();
        Account.SetName(Name);
        Fill(Account, Data);
    }
    void ShowSymbol(const std::string& Name) { fUser.SymbolShowList().ReloadSymbols({{Name}}); }
    TCallLog Tick()
    {
        Log.clear();
        Source.Tick(cMainTimerIndex);
        return Log;
    }

    TCallLog Log;
    TWorkflow Flow;
    TRecordingFormFactory Factory{Log};
    TRecordingChartList Charts{Log};
    TProfile fProfile{"unused-config.json"};
    TRecordingUser fUser{Log};
    TSysTime Clock;
    TManualTickSource Source;
    TTimer Timer{Source};
};

// 2018-03-02 10:30:00 in the clock's reckoning, plus some seconds.
TDateTime At(double Seconds)
{
    return StampToDate(1'519'986'600'000) + Seconds / SecsPerDay;
}

} // namespace

TEST_F(WorkflowTest, TicksPollInTheScheduleOrder)
{
    struct TCase {
        const char* Name;
        std::string Symbol;
        int Ticks; // ticks before the one watched
        double Start;
        TCallLog Expected;
    };
    const TCase Cases[] = {
        {"first tick asks for the time",
         "BTCUSDT",
         0,
         10,
         {"Time", "TickerPrice ''", "Depth BTCUSDT", "Charts.TickerPrice"}},
        {"second tick too",
         "BTCUSDT",
         1,
         10,
         {"Time", "TickerPrice ''", "Depth BTCUSDT", "Charts.TickerPrice"}},
        {"third tick not",
         "BTCUSDT",
         2,
         10,
         {"TickerPrice ''", "Depth BTCUSDT", "Charts.TickerPrice"}},
        {"no symbol, no book", "", 3, 10, {"TickerPrice ''", "Charts.TickerPrice"}},
        {"fifth tick and a new minute",
         "",
         5,
         54,
         {"Time", "TickerPrice ''", "Charts.TickerPrice", "Charts.KlinesUpdate"}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSysTime Fresh;
        SysTime = &Fresh;
        fUser.Input().SetSymbol(C.Symbol);
        Fresh.SetServerTime(At(C.Start));
        Timer.Init();
        for (int i = 0; i < C.Ticks; ++i)
            Tick();
        EXPECT_EQ(Tick(), C.Expected);
        SysTime = &Clock;
    }
}

TEST_F(WorkflowTest, HooksAskForNothingUnlessWorking)
{
    fUser.Input().SetSymbol("BTCUSDT");
    fUser.Input().SetAuth(uaAuth);
    AddAccount("second", {});
    Timer.Init();
    for (TWorkflowState State : {wfsClosing, wfsStopped, wfsPaused, wfsWorking}) {
        SCOPED_TRACE(int(State));
        Flow.SetState(State);
        Log.clear();
        Tick();
        Clock.SetServerTime(At(State * 60));
        Flow.DoEveryMinute();
        if (State == wfsWorking)
            EXPECT_FALSE(Log.empty());
        else
            EXPECT_EQ(Log, TCallLog());
    }
    // The clock set while the services are still being built.
    Profile = nullptr;
    Log.clear();
    Clock.SetServerTime(At(3600));
    Tick();
    EXPECT_EQ(Log, TCallLog());
    Profile = &fProfile;
}

TEST_F(WorkflowTest, ClosingStoresTheStateBeforeTheWindowLetsGo)
{
    TCallLog Seen;
    Factory.Form.OnCall = [&](const std::string& Call) {
        if (Call != "Deinit")
            return;
        Seen.push_back(Workflow->State() == wfsClosing ? "closing" : "working");
        Tick();
        Seen.insert(Seen.end(), Log.begin(), Log.end());
    };
    Timer.Init();
    Flow.DoShowMainForm();
    Log.clear();
    Flow.SetState(wfsClosing);
    EXPECT_EQ(Seen, TCallLog{"closing"});
    EXPECT_EQ(Log, TCallLog());
    Flow.SetState(wfsStopped);
    EXPECT_EQ(Seen.size(), 1u) << "only closing lets the window go";
}

TEST_F(WorkflowTest, ClockChangeStartsAtMostOneRequestForTheMainAccountFirst)
{
    struct TCase {
        const char* Name;
        TUserAuth Auth;
        std::string Symbol;
        TAccountData Main;
        bool ShownSymbols;
        TCallLog Expected;
    };
    const TCase Cases[] = {
        {"open orders first", uaAuth, "ETHBTC", {}, false, {"OpenOrders main"}},
        {"then the history", uaAuth, "ETHBTC", {true}, false, {"AllOrders main"}},
        {"complete main: the further accounts in order, then the tickers",
         uaAuth,
         "ETHBTC",
         cComplete,
         false,
         {"OpenOrders second", "AllOrders third", "Ticker24hr"}},
        {"tickers only while nothing is shown",
         uaAuth,
         "ETHBTC",
         cComplete,
         true,
         {"OpenOrders second", "AllOrders third"}},
        {"no symbol: orders wait, balances are enough",
         uaAuth,
         "",
         {false, false, true},
         false,
         {"Ticker24hr"}},
        {"not authorised: nothing to ask", uaUnauth, "ETHBTC", {}, false, {}},
        {"undefined is not authorised", uaUndefined, "ETHBTC", {}, false, {}},
    };
    Clock.SetTime(At(0)); // the minute hook is not watched here
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        fProfile.Connections().Clear();
        AddAccount("second", {});
        AddAccount("third", {true});
        AddAccount("fourth", cComplete);
        Fill(fProfile.MainProfile(), C.Main);
        fUser.Input().SetAuth(C.Auth);
        fUser.Input().SetSymbol(C.Symbol);
        fUser.SymbolShowList().HideSymbols({});
        if (C.ShownSymbols)
            ShowSymbol("ETHBTC");
        for (int Change = 0; Change < 2; ++Change) {
            Log.clear();
            Clock.SetTime(At(Change + 1));
            EXPECT_EQ(Log, C.Expected) << "clock change " << Change;
        }
    }
}

TEST_F(WorkflowTest, StartUpWithoutKeysAsksForMarketDataOnly)
{
    fUser.Input().SetAuth(uaAuth);
    fProfile.MainProfile().SetApiKey("key only");
    EXPECT_TRUE(Flow.DoShowMainForm());
    EXPECT_EQ(Log,
              (TCallLog{"Create", "Show", "SendPing", "Time", "Ticker24hr", "InitUserInterface"}));
    EXPECT_EQ(fUser.Input().Auth(), uaUndefined);
    EXPECT_EQ(Flow.MainForm(), &Factory.Form);
}

TEST_F(WorkflowTest, StartUpStepThatRaisesStopsTheRestAndPassesOn)
{
    Factory.Form.OnCall = [](const std::string& Call) {
        if (Call == "SendPing")
            throw std::runtime_error("no network");
    };
    EXPECT_THROW(Flow.DoShowMainForm(), std::runtime_error);
    EXPECT_EQ(Log, (TCallLog{"Create", "Show", "SendPing"}));

    TWorkflow Bare;
    EXPECT_THROW(Bare.DoShowMainForm(), std::logic_error) << "no way to make the main window";
}
