#include "domain/uWorkflow.h"

#include "ExchangeWorkersFixture.h"
#include "domain/uAccountReload.h"
#include "domain/uProfile.h"
#include "support/WorkflowFakes.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

// The real model and its workers against the test exchange.
class WorkflowExchange : public ExchangeWorkers {
protected:
    WorkflowExchange()
    {
        Profile = &fProfile;
        Flow.SetMainFormFactory(&Factory);
    }
    ~WorkflowExchange() override
    {
        Dispatcher.Shutdown();
        for (std::thread& Worker : Workers)
            Worker.join();
        Profile = nullptr;
    }

    // The start-up, until it has ended ("Started") and every worker it
    // started has too.
    bool StartUp()
    {
        bool Started = false;
        EXPECT_TRUE(Flow.DoShowMainForm([&] {
            Started = true;
            Calls.push_back("Started");
        }));
        return Dispatcher.PumpUntil([&] { return Started; }, 30s) && FreeWorkersEnded();
    }
    // A worker queues a call that logs Text on the user-interface thread;
    // returns once it is queued.
    void QueueFromWorker(const std::string& Text)
    {
        const std::size_t Before = Dispatcher.Pending();
        Workers.emplace_back([this, Text] {
            try {
                InvokeSync([this, Text] { Calls.push_back(Text); });
            } catch (const EUIDispatchDropped&) {
            }
        });
        while (Dispatcher.Pending() == Before)
            std::this_thread::sleep_for(1ms);
    }
    void SetMainKeys(const std::string& ApiKey, const std::string& SecretKey)
    {
        fProfile.MainProfile().SetApiKey(ApiKey);
        fProfile.MainProfile().SetSecretKey(SecretKey);
    }
    // aCount ticks of the second timer, each until the workers it started end.
    void Seconds(int aCount)
    {
        for (int Second = 0; Second < aCount; ++Second) {
            Flow.DoEverySecond();
            FreeWorkersEnded();
        }
    }
    // The endpoints asked for, in arrival order, by their paths after "/api/vN/".
    std::vector<std::string> Requests() const
    {
        std::vector<std::string> Names;
        for (const TJournalEntry& Entry : Exchange.Journal())
            Names.push_back(Entry.Path.substr(8));
        return Names;
    }

    TCallLog Calls;
    TProfile fProfile{"unused-config.json"};
    TRecordingFormFactory Factory{Calls};
    std::vector<std::thread> Workers;
};

// Requests that run on workers of their own may arrive in any order; only
// a request that waits for another's answer comes after it. Every request of
// Expected arrives once, nothing else arrives, and the requests of each
// chain arrive in the chain's order.
using TChain = std::vector<std::string>;
void ExpectRequests(const std::vector<std::string>& Requests, TChain Expected,
                    const std::vector<TChain>& Chains)
{
    std::vector<std::string> Arrived = Requests;
    std::sort(Arrived.begin(), Arrived.end());
    std::sort(Expected.begin(), Expected.end());
    ASSERT_EQ(Arrived, Expected) << "in arrival order: " << ::testing::PrintToString(Requests);
    for (const TChain& Chain : Chains) {
        std::vector<std::string> Seen;
        for (const std::string& Request : Requests)
            if (std::find(Chain.begin(), Chain.end(), Request) != Chain.end())
                Seen.push_back(Request);
        EXPECT_EQ(Seen, Chain);
    }
}

} // namespace

// Nothing of the start-up is waited for: the workers' calls run after the
// window is shown, also when showing raised; a step that raises once a
// worker has ended is told, and the start-up still ends.
TEST_F(WorkflowExchange, WorkersCallsRunAfterShowingAndAFailedLaterStepIsToldAndEndsTheStartUp)
{
    struct TCase {
        std::string RaisedDuring;
        bool Queued, Passed;
        TCallLog Expected;
    };
    const TCase Cases[] = {
        {"", true, false, {"Create", "Show", "applied", "Online", "Started", "InitUserInterface"}},
        {"Show", true, true, {"Create", "Show", "applied"}},
        {"Online", false, false, {"Create", "Show", "Online", "Started", "InitUserInterface"}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.RaisedDuring);
        Calls.clear();
        Factory.Form.OnCall = [&](const std::string& Call) {
            if (Call == "Show" && C.Queued)
                QueueFromWorker("applied");
            if (Call == C.RaisedDuring)
                throw std::runtime_error("failed");
        };
        // The server time and the tickers answer late: no other worker's call
        // is queued while the test's own call is, which it waits for by count.
        for (TExchangeEndpoint Endpoint :
             {TExchangeEndpoint::Time, TExchangeEndpoint::Ticker24hr}) {
            TExchangeReply Late =
                TExchangeReply::Json(StandardReplyData(Endpoint, Exchange.ServerTime()));
            Late.DelayMs = 500;
            Exchange.Script(Endpoint, Late);
        }
        if (C.Passed)
            EXPECT_THROW(Flow.DoShowMainForm(), std::runtime_error);
        else
            EXPECT_TRUE(StartUp());
        FreeWorkersEnded();
        EXPECT_EQ(Calls, C.Expected);
    }
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "failed");
    EXPECT_EQ(Alerts(), std::vector<std::string>{"TWorkflow.PingEnded error: failed"});
}

TEST_F(WorkflowExchange, StartUpAsksForTheAccountOnlyWithBothKeysAndItsOrdersOnlyWhenAuthorised)
{
    struct TCase {
        const char* Name;
        std::string ApiKey, SecretKey;
        bool Known;
        TUserAuth Auth;
        TChain Requests;
        std::vector<TChain> Chains;
    };
    // The ping is waited for; the account request waits for the server
    // time; the orders wait for the account's answer.
    const TChain cMarket = {"ping", "time", "ticker/24hr"};
    const std::vector<TChain> cMarketChains = {{"ping", "time"}, {"ping", "ticker/24hr"}};
    // Good keys first: a later start begins unauthorised again.
    const TCase Cases[] = {
        {"good keys",
         "good-key",
         "secret",
         true,
         uaAuth,
         {"ping", "time", "ticker/24hr", "account", "allOrders", "openOrders"},
         {{"ping", "time", "account", "allOrders"},
          {"account", "openOrders"},
          {"ping", "ticker/24hr"}}},
        {"no keys", "", "", false, uaUndefined, cMarket, cMarketChains},
        {"no secret", "good-key", "", false, uaUndefined, cMarket, cMarketChains},
        {"rejected keys",
         "other-key",
         "secret",
         false,
         uaUnauth,
         {"ping", "time", "ticker/24hr", "account"},
         {{"ping", "time", "account"}, {"ping", "ticker/24hr"}}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSysTime FreshClock; // not yet set by the exchange
        SysTime = &FreshClock;
        Exchange.ClearJournal();
        if (C.Known)
            Exchange.AddAccount(C.ApiKey, C.SecretKey);
        SetMainKeys(C.ApiKey, C.SecretKey);
        gLastServerError.Set("earlier failure");
        Calls.clear();

        ASSERT_TRUE(StartUp());
        EXPECT_EQ(Calls, (TCallLog{"Create", "Show", "Online", "Started", "InitUserInterface"}));
        EXPECT_EQ(int(Model.Input().Auth()), int(C.Auth));
        ExpectRequests(Requests(), C.Requests, C.Chains);
        if (C.ApiKey.empty() || C.SecretKey.empty()) {
            EXPECT_EQ(gLastServerError.Get(), "earlier failure");
        } else if (C.Auth == uaAuth) {
            EXPECT_EQ(gLastServerError.Get(), "");
        }
        SysTime = &Clock;
    }
}

// The start-up check waits for the exchange's clock, so a failed server
// time is asked for again while it waits: after 1 s, then every 5 s.
TEST_F(WorkflowExchange, AFailedServerTimeIsAskedAgainWhileTheStartUpCheckWaitsForIt)
{
    // The clock's wait limit passes well after the ask at 1 s and well before
    // the one at 6 s, however late the threads run.
    Flow.SetClockWaitLimit(3500ms);
    Exchange.AddAccount("api-key", "secret");
    SetMainKeys("api-key", "secret");
    struct TCase {
        const char* Name;
        int Failures;
        TUserAuth Auth;
        TChain Requests;
        std::vector<TChain> Chains;
    };
    const TCase Cases[] = {
        {"failing once",
         1,
         uaAuth,
         {"ping", "time", "ticker/24hr", "time", "account", "allOrders", "openOrders"},
         {{"ping", "time", "time", "account", "allOrders"}, {"account", "openOrders"}}},
        {"failing always",
         1000,
         uaUnauth,
         {"ping", "time", "ticker/24hr", "time"},
         {{"ping", "time", "time"}}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSysTime FreshClock;
        SysTime = &FreshClock;
        Exchange.ClearJournal();
        Log.Clear();
        // A request its client gave up on may still be answered after the
        // case has ended: the handler holds its own state.
        auto Failed = std::make_shared<std::atomic<int>>(0);
        Exchange.SetHandler(
            TExchangeEndpoint::Time, [this, Failed, Failures = C.Failures](const TExchangeCall&) {
                if ((*Failed)++ == 0)
                    return TExchangeReply::Dropped();
                if (*Failed <= Failures)
                    return TExchangeReply::Error(503, -1003, "Service unavailable.");
                return TExchangeReply::Json(
                    StandardReplyData(TExchangeEndpoint::Time, Exchange.ServerTime()));
            });

        const auto Start = std::chrono::steady_clock::now();
        ASSERT_TRUE(StartUp());
        const auto Stall = std::chrono::steady_clock::now() - Start;

        EXPECT_EQ(int(Model.Input().Auth()), int(C.Auth));
        EXPECT_LT(Stall, 15s) << "a wait without the limit lasts 20 s";
        ExpectRequests(Requests(), C.Requests, C.Chains);
        EXPECT_EQ(
            std::ranges::count(Alerts(), "TUser.Account not sent: the server time is not known"),
            C.Auth == uaAuth ? 0 : 1);
        Exchange.SetHandler(TExchangeEndpoint::Time, nullptr);
        SysTime = &Clock;
    }
}

// An exchange slower than the polls' pace: each poll of one kind and target
// waits for the one before it, so the workers stay as many as the kinds; an
// account's reload, wanted again each second, waits for its kind's too.
TEST_F(WorkflowExchange, AnExchangeSlowerThanThePollsStartsOneRequestOfAKindAtATime)
{
    Exchange.AddAccount("api-key", "secret");
    SetMainKeys("api-key", "secret");
    Clock.SetServerTime(StampToDate(Exchange.ServerTime()));
    Model.Input().SetAuth(uaAuth);
    Model.Input().SetSymbol("BTCUSDT");
    const TExchangeEndpoint Polled[] = {
        TExchangeEndpoint::TickerPrice, TExchangeEndpoint::Depth,      TExchangeEndpoint::Time,
        TExchangeEndpoint::OpenOrders,  TExchangeEndpoint::Ticker24hr, TExchangeEndpoint::Account};
    for (TExchangeEndpoint Endpoint : Polled)
        Exchange.Hold(Endpoint, true);
    std::size_t MostWorkers = 0;
    for (int Tick = 0; Tick < 10; ++Tick) {
        Flow.DoEvery5Second();
        Flow.DoEverySecond();
        Flow.DoOnce();
        Model.Reloads().Want(fProfile.MainProfile());
        Dispatcher.PumpUntil([] { return false; }, 100ms);
        MostWorkers = std::max(MostWorkers, FreeThreadCount());
    }
    std::map<std::string, int> Asked;
    for (const std::string& Request : Requests())
        ++Asked[Request];
    EXPECT_EQ(
        Asked,
        (std::map<std::string, int>{
            {"account", 1}, {"depth", 1}, {"openOrders", 1}, {"ticker/price", 1}, {"time", 1}}));
    EXPECT_LE(MostWorkers, 5u);
    for (TExchangeEndpoint Endpoint : Polled)
        Exchange.Hold(Endpoint, false);
    FreeWorkersEnded(5s);
}

// One lost ping at start-up: offline, then a ping every 5 s until one is
// answered, which goes online as a start-up does, checking the keys too.
TEST_F(WorkflowExchange, OfflineAfterAFailedPingPingsEveryFiveSecondsAndGoesOnlineOnAnAnswer)
{
    Exchange.AddAccount("api-key", "secret");
    SetMainKeys("api-key", "secret");
    Clock.SetServerTime(StampToDate(Exchange.ServerTime()));
    Exchange.Script(TExchangeEndpoint::Ping, TExchangeReply::Error(503, -1, "down"));
    Exchange.Script(TExchangeEndpoint::Account, TExchangeReply::Dropped());
    ASSERT_TRUE(StartUp());
    EXPECT_FALSE(Flow.Online());
    EXPECT_EQ(Model.Input().Auth(), uaUnauth);
    const auto Pings = [this] { return std::ranges::count(Requests(), "ping"); };
    Seconds(4);
    EXPECT_EQ(Pings(), 1) << "none before 5 s";
    Exchange.ClearJournal();
    Calls.clear();
    Seconds(1);
    EXPECT_TRUE(Flow.Online()) << "an answer is taken up when it comes";
    EXPECT_EQ(Model.Input().Auth(), uaAuth);
    EXPECT_EQ(Calls, (TCallLog{"Online", "InitUserInterface"}));
    ExpectRequests(
        Requests(),
        {"ping", "ticker/price", "time", "ticker/24hr", "account", "allOrders", "openOrders"},
        {{"ping", "account", "allOrders"}, {"ping", "account", "openOrders"}});
    Seconds(10);
    EXPECT_EQ(Pings(), 1) << "online: no more pings";
}

// A failed account check is asked again every 10 s until it passes; a
// refusal of the keys is told once and ends the retries.
TEST_F(WorkflowExchange, AnAccountCheckThatFailedOnTheWayIsAskedAgainEveryTenSeconds)
{
    Clock.SetServerTime(StampToDate(Exchange.ServerTime()));
    struct TCase {
        const char* Name;
        TExchangeReply First;
        TUserAuth Auth;
        int Checks; // over 25 s
        std::vector<std::string> Boxes;
    };
    const TCase Cases[] = {
        {"server error", TExchangeReply::Error(500, -1000, "busy"), uaAuth, 2, {}},
        {"unreadable", TExchangeReply::Json("<html>"), uaAuth, 2, {}},
        {"dropped", TExchangeReply::Dropped(), uaAuth, 2, {}},
        {"refused",
         TExchangeReply::Error(401, -2015, "Invalid API-key, IP, or permissions for action."),
         uaUnauth,
         1,
         {"the exchange refused the API key: Invalid API-key, IP, or permissions for action."}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Key = std::string("key-") + C.Name;
        Exchange.AddAccount(Key, "secret");
        SetMainKeys(Key, "secret");
        Exchange.Script(TExchangeEndpoint::Account, C.First);
        Exchange.ClearJournal();
        ASSERT_TRUE(StartUp());
        EXPECT_NE(Model.Input().Auth(), uaAuth);
        Seconds(9);
        EXPECT_EQ(std::ranges::count(Requests(), "account"), 1) << "none before 10 s";
        Seconds(16);
        EXPECT_EQ(Model.Input().Auth(), C.Auth);
        EXPECT_EQ(std::ranges::count(Requests(), "account"), C.Checks);
        EXPECT_EQ(std::ranges::count(Requests(), "openOrders"), C.Auth == uaAuth ? 1 : 0);
        std::vector<std::string> Boxes;
        for (const auto& Shown : Box.Shown())
            Boxes.push_back(Shown.Text);
        EXPECT_EQ(Boxes, C.Boxes);
    }
}

// Online, only a readable server time or a refusal (4xx) is an answer: a
// server error, an unreadable reply or none turns the status offline at once;
// a ping that gets the same is no answer either, and the first readable one
// brings the status back.
TEST_F(WorkflowExchange, AnExchangeGoneWhileOnlineShowsOfflineUntilAPingIsAnswered)
{
    TExchangeReply Unreadable;
    Unreadable.Body = "<html>Service Unavailable</html>";
    const struct {
        const char* Name;
        TExchangeReply Reply;
        bool Lost;
    } Cases[] = {
        {"refused", TExchangeReply::Error(429, -1003, "Too many requests."), false},
        {"dropped", TExchangeReply::Dropped(), true},
        {"server error", TExchangeReply::Error(503, -1, "busy"), true},
        {"unreadable", Unreadable, true},
    };
    ASSERT_TRUE(StartUp());
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ASSERT_TRUE(Flow.Online());
        Calls.clear();
        Exchange.Script(TExchangeEndpoint::Time, C.Reply);
        Flow.DoEvery5Second();
        FreeWorkersEnded();
        EXPECT_EQ(Flow.Online(), !C.Lost);
        if (!C.Lost)
            continue;
        Exchange.Script(TExchangeEndpoint::Ping, C.Reply);
        Seconds(6);
        EXPECT_FALSE(Flow.Online()) << "the same reply to a ping is no answer";
        Seconds(5);
        EXPECT_TRUE(Flow.Online());
        EXPECT_EQ(Calls, (TCallLog{"Offline", "Online"}));
    }
}
