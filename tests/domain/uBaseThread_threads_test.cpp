#include "domain/uBaseThread.h"

#include "MarketThreadsFixture.h"
#include "domain/uMethods.h"

#include <mutex>

using TClock = std::chrono::steady_clock;

namespace {

// Steps as the worker took them, from whichever thread took them.
class TSteps {
public:
    void Add(const std::string& S)
    {
        std::lock_guard Lock(fLock);
        fSteps += (fSteps.empty() ? "" : "|") + S;
    }
    bool Has(const std::string& S) const
    {
        return ("|" + Joined() + "|").find("|" + S + "|") != std::string::npos;
    }
    std::string Joined() const
    {
        std::lock_guard Lock(fLock);
        return fSteps;
    }

private:
    mutable std::mutex fLock;
    std::string fSteps;
};

// A worker that records its steps. Unless it is sent to the real exchange,
// its exchange answers Response and Error; Hold keeps the exchange waiting
// until the worker is terminated.
class TRecordingThread : public TBaseAuthThread {
public:
    explicit TRecordingThread(bool aSigned) : fSigned(aSigned) {}

    TSteps Steps;
    std::string Response, Error;
    bool ThrowInOutput = false, RealExchange = false, Hold = false;

protected:
    std::string RequestName() const override { return "Rec"; }
    std::unique_ptr<TDBaseMethod> NewMethod() const override
    {
        if (fSigned)
            return std::make_unique<TDMethodAccount>();
        return std::make_unique<TDMethodPing>();
    }
    bool WaitsForClock() const override { return fSigned; }
    TConnectionItem* Signer() override { return fSigned ? TBaseAuthThread::Signer() : nullptr; }
    bool OnlyWhileWorking() const override { return fSigned; }
    void DoBeforeExecute() override { Steps.Add("Before " + Listed()); }
    void DoMakeRequest() override
    {
        Steps.Add("MakeRequest " + Listed());
        fRequest = fSigned ? "timestamp=" + SysTime->GetTimeStamp() + "&recvWindow=60000" : "";
    }
    void DoSendRequest() override
    {
        Steps.Add("Send");
        if (RealExchange)
            return TBaseThread::DoSendRequest();
        while (Hold && Sleep(5ms)) {
        }
        fResponse = Response;
        fError = Error;
    }
    void DoOutput() override
    {
        Steps.Add("Output " + Where());
        if (ThrowInOutput)
            throw std::runtime_error("output failed");
    }
    void DoNotify() override { Steps.Add("Notify " + Where()); }
    void DoAfterExecute() override { Steps.Add("After " + Listed()); }

private:
    static std::string Where() { return IsUIThread() ? "ui" : "worker"; }
    static std::string Listed() { return "listed " + std::to_string(User->ThreadList().Count()); }
    bool fSigned;
};

struct BaseThread : ExchangeWorkers {
    BaseThread() { Profile = &Accounts; }
    ~BaseThread() override { Profile = nullptr; }

    std::shared_ptr<TRecordingThread> Worker(bool Signed)
    {
        return std::make_shared<TRecordingThread>(Signed);
    }

    TProfile Accounts;
};

} // namespace

TEST_F(BaseThread, StepsRunInTheirFixedOrderOnTheirThreadsWithTheReplyTexts)
{
    // Every case starts "Before listed 0|MakeRequest listed 1|Send".
    struct {
        std::string Response, Error;
        bool ThrowInOutput;
        std::string Tail, Log;
    } Cases[] = {
        {R"({"x":1})", "", false, "|Output ui|Notify ui|After listed 0", ""},
        {"", "", false, "|Notify ui|After listed 0", "TUser.Rec ParseResponse error: empty string"},
        {"{\"x\":", "", false, "", "TBaseThread.Execute error: TUser.Rec: lRootNode not assigned"},
        {"", "no client", false, "|After listed 0", "TUser.Rec command error: no client"},
        {"[]", "", true, "|Output ui", "TBaseThread.Execute error: output failed"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Response + Case.Error);
        Log.Clear();
        auto W = Worker(false);
        W->Response = Case.Response;
        W->Error = Case.Error;
        W->ThrowInOutput = Case.ThrowInOutput;
        W->Start();
        W->WaitFor();
        EXPECT_EQ(W->Steps.Joined(), "Before listed 0|MakeRequest listed 1|Send" + Case.Tail);
        EXPECT_EQ(Model.ThreadListCount(), 0u);
        const auto Expected = Case.Log.empty()
                                  ? std::vector<TLogLine>{}
                                  : std::vector{TLogLine{Case.Log, mtAlert, W->ThreadID()}};
        EXPECT_EQ(Log.Lines(), Expected);
    }
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "no client");
}

TEST_F(BaseThread, ClockWaitEndsWithoutSendingWhenTheClockNeverComes)
{
    struct {
        const char* Name;
        std::chrono::milliseconds Limit;
        std::function<void(TRecordingThread&)> Act;
    } Cases[] = {
        {"limit", 150ms, [](TRecordingThread&) {}},
        {"terminated", 60s, [](TRecordingThread& W) { W.Terminate(); }},
        {"not working", 60s, [&](TRecordingThread&) { Flow.SetState(wfsPaused); }},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Log.Clear();
        Flow.SetState(wfsWorking);
        Flow.SetClockWaitLimit(Case.Limit);
        auto W = Worker(true);
        const auto Start = TClock::now();
        W->Start();
        Dispatcher.PumpUntil([&] { return W->Steps.Has("Before listed 0"); }, 5s);
        Dispatcher.PumpUntil([] { return false; }, 50ms);
        Case.Act(*W);
        W->WaitFor();
        EXPECT_LT(TClock::now() - Start, 5s);
        EXPECT_FALSE(W->Steps.Has("Send"));
        EXPECT_EQ(Alerts(),
                  std::vector<std::string>{"TUser.Rec not sent: the server time is not known"});
    }
    // Not working at the start: nothing at all is asked for.
    Log.Clear();
    Flow.SetState(wfsStopped);
    auto W = Worker(true);
    W->Start();
    W->WaitFor();
    EXPECT_EQ(W->Steps.Joined(), "Before listed 0|After listed 0");
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(BaseThread, ClockWaitEndsWhenTheExchangeSetsTheClockNotWhenItTicks)
{
    Flow.SetClockWaitLimit(60s);
    auto W = Worker(true);
    W->Response = "{}";
    W->Start();
    Clock.SetTime(EncodeDate(2026, 12, 6)); // a clock not set by the exchange
    Dispatcher.PumpUntil([] { return false; }, 150ms);
    EXPECT_FALSE(W->Steps.Has("Send"));
    Clock.SetServerTime(EncodeDate(2026, 12, 6));
    W->WaitFor();
    EXPECT_TRUE(W->Steps.Has("Output ui"));
}

TEST_F(BaseThread, SignedRequestGoesOutWithTheMainAccountsKeys)
{
    Exchange.AddAccount("main-key", "main-secret");
    Accounts.MainProfile().SetApiKey("main-key");
    Accounts.MainProfile().SetSecretKey("main-secret");
    Clock.SetServerTime(StampToDate(Exchange.ServerTime()));
    auto W = Worker(true);
    W->SetAccount(nullptr);
    Accounts.MainProfile().SetSecretKey("changed after the start");
    W->RealExchange = true;
    W->Start();
    W->WaitFor();
    EXPECT_EQ(W->Account(), &Accounts.MainProfile());
    // The exchange refuses a request signed with any other secret.
    EXPECT_TRUE(W->Steps.Has("Output ui")) << "signed with the keys of the start";
    ASSERT_EQ(Exchange.Journal().size(), 1u);
    EXPECT_EQ(Exchange.Journal()[0].Header("x-mbx-apikey"), "main-key");
}

TEST_F(BaseThread, ClosingWaitsBrieflyThenAbortsAStuckRead)
{
    TExchangeReply Stuck = TExchangeReply::Json({{"x", 1}});
    Stuck.DelayMs = 15000;
    Exchange.Script(TExchangeEndpoint::Ping, Stuck);
    auto Quick = Worker(false);
    Quick->Hold = true; // ends once asked to terminate; its steps still run
    Quick->Response = "{}";
    Quick->SetFreeOnTerminate(true);
    auto Slow = Worker(false);
    Slow->RealExchange = true;
    Slow->SetFreeOnTerminate(true);
    Quick->Start();
    Slow->Start();
    Dispatcher.PumpUntil([&] { return Model.ThreadListCount() == 2; }, 5s);

    // Not cut, the read would outlast the wait: the reply comes at 15 s.
    const auto Start = TClock::now();
    WaitForThreads(Model.ThreadList(), 100ms, 10s);
    EXPECT_LT(TClock::now() - Start, 10s) << "the read is cut, not waited out";
    EXPECT_TRUE(Quick->Steps.Has("Notify ui"));
    EXPECT_TRUE(Slow->Terminated());
    EXPECT_EQ(Model.ThreadListCount(), 0u);

    Dispatcher.Shutdown();
    EXPECT_TRUE(FinishWorkers(5s));
    HttpAbortTransfers(false);
}
