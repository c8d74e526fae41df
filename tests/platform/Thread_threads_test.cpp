#include "platform/TestUIDispatcher.h"
#include "platform/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

namespace {

// A thread whose body is given by the test; Sleep is reachable through Nap.
class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> aBody) : fBody(std::move(aBody)) {}
    bool Nap(std::chrono::milliseconds D) { return Sleep(D); }

protected:
    void Execute() override { fBody(*this); }

private:
    std::function<void(TLambdaThread&)> fBody;
};

std::shared_ptr<TLambdaThread> Make(std::function<void(TLambdaThread&)> Body, bool Free = false)
{
    auto Thread = std::make_shared<TLambdaThread>(std::move(Body));
    Thread->SetFreeOnTerminate(Free);
    return Thread;
}

// Set by a thread-local's destructor, which runs only as its thread exits.
std::atomic<bool> gThreadExited{false};
struct TExitMark {
    ~TExitMark()
    {
        std::this_thread::sleep_for(50ms);
        gThreadExited = true;
    }
};

// A dispatcher installed as the current one for the test's life.
struct TDispatcherFixture : ::testing::Test {
    TDispatcherFixture() { SetUIDispatcher(&Dispatcher); }
    ~TDispatcherFixture() override { SetUIDispatcher(nullptr); }
    TTestUIDispatcher Dispatcher;
};

} // namespace

using ThreadWaits = TDispatcherFixture;

TEST_F(ThreadWaits, UIThreadWaitingForAThreadRunsItsSynchronisedCallsUntilItsEnd)
{
    int RanOn = 0; // UI thread only
    auto Thread = Make([&](TLambdaThread&) {
        thread_local TExitMark Mark;
        for (int I = 0; I < 3; ++I)
            InvokeSync([&] { RanOn += Dispatcher.IsUIThread() ? 1 : 100; });
    });
    Thread->Start();
    Thread->WaitFor();
    EXPECT_TRUE(Thread->Finished());
    EXPECT_TRUE(gThreadExited) << "WaitFor returns once the thread itself has ended";
    EXPECT_EQ(RanOn, 3);
}

TEST_F(ThreadWaits, TerminateWakesASleepingBodyAndWhatEscapesItIsSwallowed)
{
    std::atomic<bool> SleptFully{true};
    auto Thread = Make([&](TLambdaThread& Self) {
        SleptFully = Self.Nap(60s);
        throw std::runtime_error("boom");
    });
    const auto Start = TClock::now();
    Thread->Start();
    Thread->Terminate();
    Thread->WaitFor();
    EXPECT_FALSE(SleptFully);
    EXPECT_LT(TClock::now() - Start, 5s);
    EXPECT_NE(Thread->ThreadID(), 0);
}

// Heard on the UI thread after the body, also one that raised, and before the
// thread counts as finished; dropped while the dispatcher shuts down.
TEST_F(ThreadWaits, OnTerminateRunsOnTheUIThreadBeforeTheThreadCountsAsFinished)
{
    for (const bool ShutDown : {false, true}) {
        int Heard = 0; // 1 where and when it should be, 2 elsewhere or late
        auto Thread = Make([](TLambdaThread&) { throw std::runtime_error("boom"); });
        Thread->SetOnTerminate([&, Self = Thread.get()] {
            Heard = Dispatcher.IsUIThread() && !Self->Finished() ? 1 : 2;
        });
        if (ShutDown)
            Dispatcher.Shutdown();
        Thread->Start();
        Thread->WaitFor();
        EXPECT_EQ(Heard, ShutDown ? 0 : 1);
    }
}

using FreeThreads = TDispatcherFixture;

TEST_F(FreeThreads, EndedThreadsAreJoinedAndReleasedByTheNextReap)
{
    ReapFinishedThreads();
    std::weak_ptr<TLambdaThread> Watch;
    {
        auto Thread = Make([](TLambdaThread&) {}, true);
        Watch = Thread;
        Thread->Start();
    }
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Watch.lock()->Finished(); }, 5s));
    EXPECT_EQ(ReapFinishedThreads(), 1u);
    EXPECT_TRUE(Watch.expired());
    EXPECT_EQ(FreeThreadCount(), 0u);
}

TEST_F(FreeThreads, ShutdownReportsAThreadThatDoesNotEndInTime)
{
    std::atomic<bool> Release{false};
    Make(
        [&](TLambdaThread&) {
            while (!Release)
                std::this_thread::sleep_for(1ms);
        },
        true)
        ->Start();
    EXPECT_FALSE(ShutdownThreads(50ms));
    EXPECT_EQ(FreeThreadCount(), 1u);
    Release = true;
    EXPECT_TRUE(ShutdownThreads(5s));
}

TEST_F(FreeThreads, AThreadItsStarterDroppedEndsOnItsOwn)
{
    std::atomic<bool> Ended{false};
    std::weak_ptr<TLambdaThread> Watch;
    {
        auto Thread = Make([&](TLambdaThread& Self) {
            Self.Nap(20ms);
            Ended = true;
        });
        Watch = Thread;
        Thread->Start();
    }
    const auto Deadline = TClock::now() + 5s;
    while (!Watch.expired() && TClock::now() < Deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(Ended);
    EXPECT_TRUE(Watch.expired());
}
