#include "domain/uWorkflow.h"

#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"
#include "platform/TickSource.h"
#include "support/WorkflowFakes.h"

#include <gtest/gtest.h>

namespace {

// The market model with every starter the workflow uses recorded, none run:
// no worker outlives a test.
class TRecordingUser : public TUser {
public:
    explicit TRecordingUser(TCallLog& aLog) : fLog(aLog) {}

    bool Ping(std::function<void(bool)>) override
    {
        fLog.push_back("Ping");
        return true;
    }
    void Time() override { fLog.push_back("Time"); }
    void DepthEx() override { fLog.push_back("Depth " + Input().Symbol()); }
    void TickerPrice(const std::string& aSymbol) override
    {
        fLog.push_back("TickerPrice '" + aSymbol + "'");
    }
    void Ticker24hrEx() override { fLog.push_back("Ticker24hr"); }
    void OpenOrdersEx(TConnectionItem* aProfile) override
    {
        fLog.push_back("OpenOrders " + Name(aProfile));
    }
    void AllOrdersEx(TConnectionItem* aProfile) override
    {
        fLog.push_back("AllOrders " + Name(aProfile));
    }

private:
    static std::string Name(TConnectionItem* aProfile)
    {
        return aProfile == nullptr || aProfile == &Profile->MainProfile() ? "main"
                                                                          : aProfile->Name();
    }
    TCallLog& fLog;
};

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
    const TCallLog cWithBook = {"TickerPrice ''", "Depth BTCUSDT", "Charts.TickerPrice"};
    const TCallLog cNoBook = {"TickerPrice ''", "Charts.TickerPrice"};
    Timer.Init();
    Clock.SetServerTime(At(55));
    fUser.Input().SetSymbol("BTCUSDT");
    TCallLog First = cWithBook;
    First.insert(First.begin(), "Time");
    EXPECT_EQ(Tick(), First);
    EXPECT_EQ(Tick(), First) << "the second tick asks for the time too";
    EXPECT_EQ(Tick(), cWithBook);
    fUser.Input().SetSymbol("");
    EXPECT_EQ(Tick(), cNoBook);
    TCallLog NewMinute = cNoBook;
    NewMinute.push_back("Charts.KlinesUpdate");
    EXPECT_EQ(Tick(), NewMinute) << "00:01:00";
}

TEST_F(WorkflowTest, HooksAskForNothingUnlessWorking)
{
    fUser.Input().SetSymbol("BTCUSDT");
    fUser.Input().SetAuth(uaAuth);
    AddAccount("second", {});
    Timer.Init();
    // Closing lets the window go with every hook already inert.
    TCallLog DuringDeinit = {"not closed"};
    Factory.Form.OnCall = [&](const std::string& Call) {
        if (Call == "Deinit")
            DuringDeinit = Tick();
    };
    Flow.DoShowMainForm();
    for (TWorkflowState State : {wfsClosing, wfsStopped, wfsPaused}) {
        SCOPED_TRACE(int(State));
        Flow.SetState(State);
        Log.clear();
        Tick();
        Clock.SetServerTime(At(State * 60));
        EXPECT_EQ(Log, TCallLog());
    }
    EXPECT_EQ(DuringDeinit, TCallLog());
    // The clock set while the services are still being built.
    Flow.SetState(wfsWorking);
    Profile = nullptr;
    Log.clear();
    Clock.SetServerTime(At(3600));
    Tick();
    EXPECT_EQ(Log, TCallLog());
    Profile = &fProfile;
}

TEST_F(WorkflowTest, ClockChangeStartsAtMostOneRequestForTheMainAccountFirst)
{
    struct TCase {
        const char* Name;
        TUserAuth Auth;
        std::string Symbol;
        TAccountData Main;
        bool Shown; // a symbol in the visible list
        TCallLog Expected;
    };
    const TCallLog cFurther = {"OpenOrders second", "AllOrders third"};
    TCallLog FurtherAndTickers = cFurther;
    FurtherAndTickers.push_back("Ticker24hr");
    const TCase Cases[] = {
        {"open orders first", uaAuth, "ETHBTC", {}, false, {"OpenOrders main"}},
        {"then the history", uaAuth, "ETHBTC", {true}, false, {"AllOrders main"}},
        {"then the further accounts", uaAuth, "ETHBTC", cComplete, false, FurtherAndTickers},
        {"tickers while nothing shown", uaAuth, "ETHBTC", cComplete, true, cFurther},
        {"no symbol: balances suffice", uaAuth, "", {false, false, true}, false, {"Ticker24hr"}},
        {"not authorised", uaUnauth, "ETHBTC", {}, false, {}},
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
        if (C.Shown)
            fUser.SymbolShowList().ReloadSymbols({{"ETHBTC"}});
        for (int Change = 1; Change <= 2; ++Change) {
            Log.clear();
            Clock.SetTime(At(Change));
            EXPECT_EQ(Log, C.Expected) << "clock change " << Change;
        }
    }
}
