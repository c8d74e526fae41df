#include "platform/TestUIDispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Waits (without pumping) until N workers have queued their calls.
void AwaitWakes(const TTestUIDispatcher& Dispatcher, int N)
{
    const auto Deadline = std::chrono::steady_clock::now() + 5s;
    while (Dispatcher.Wakes() < N && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(Dispatcher.Wakes(), N);
}

void JoinAll(std::vector<std::thread>& Threads)
{
    for (std::thread& Thread : Threads)
        Thread.join();
}

} // namespace

TEST(UIDispatcherCalls, EachWorkersCallsRunInOrderOnTheUIThread)
{
    TTestUIDispatcher Dispatcher;
    constexpr int cWorkers = 4, cCalls = 50;
    struct TRan {
        int Worker, Seq;
        bool OnUI;
    };
    std::vector<TRan> Ran; // touched on the UI thread only
    std::atomic<int> Finished{0};
    std::vector<std::thread> Workers;
    for (int W = 0; W < cWorkers; ++W)
        Workers.emplace_back([&, W] {
            for (int S = 0; S < cCalls; ++S)
                Dispatcher.InvokeSync([&, S] { Ran.push_back({W, S, Dispatcher.IsUIThread()}); });
            ++Finished;
        });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Finished == cWorkers; }, 10s));
    JoinAll(Workers);

    ASSERT_EQ(Ran.size(), std::size_t(cWorkers * cCalls));
    std::vector<int> Next(cWorkers, 0);
    for (const TRan& R : Ran) {
        EXPECT_TRUE(R.OnUI);
        EXPECT_EQ(R.Seq, Next[R.Worker]++) << "worker " << R.Worker;
    }
    EXPECT_EQ(Dispatcher.Wakes(), cWorkers * cCalls);
}

TEST(UIDispatcherCalls, ExceptionsArriveInTheWorkerAndTheQueueGoesOn)
{
    TTestUIDispatcher Dispatcher;
    std::string Message;
    int Thrown = 0;
    bool AfterwardsRan = false;
    std::thread Worker([&] {
        try {
            Dispatcher.InvokeSync([] { throw std::runtime_error("book rebuilt badly"); });
        } catch (const std::runtime_error& E) {
            Message = E.what();
        }
        try {
            Dispatcher.InvokeSync([] { throw 42; });
        } catch (int Value) {
            Thrown = Value;
        }
        Dispatcher.InvokeSync([&] { AfterwardsRan = true; });
    });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return AfterwardsRan; }, 5s));
    Worker.join();
    EXPECT_EQ(Message, "book rebuilt badly");
    EXPECT_EQ(Thrown, 42);
}

TEST(UIDispatcherCalls, OnTheUIThreadCallsRunInlineEvenAfterShutdown)
{
    TTestUIDispatcher Dispatcher;
    for (bool ShutDown : {false, true}) {
        if (ShutDown)
            Dispatcher.Shutdown();
        bool Ran = false;
        Dispatcher.InvokeSync([&] { Ran = true; });
        EXPECT_TRUE(Ran);
        EXPECT_THROW(Dispatcher.InvokeSync([] { throw std::runtime_error("x"); }),
                     std::runtime_error);
    }
    EXPECT_EQ(Dispatcher.Wakes(), 0);
}

TEST(UIDispatcherCalls, ACallRunByTheUIThreadMayCallAgainInline)
{
    TTestUIDispatcher Dispatcher;
    int Depth = 0;
    std::thread Worker(
        [&] { Dispatcher.InvokeSync([&] { Dispatcher.InvokeSync([&] { Depth = 2; }); }); });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Depth == 2; }, 5s));
    Worker.join();
    EXPECT_EQ(Dispatcher.Wakes(), 1);
}

TEST(UIDispatcherWaits, WaitingOnAWorkerRunsItsCallsInsteadOfDeadlocking)
{
    TTestUIDispatcher Dispatcher;
    std::atomic<bool> Done{false};
    int Applied = 0;
    std::thread Worker([&] {
        for (int I = 0; I < 3; ++I)
            Dispatcher.InvokeSync([&] { ++Applied; });
        Done = true;
        Dispatcher.Signal();
    });
    EXPECT_TRUE(Dispatcher.WaitWhile([&] { return !Done; }, 5s));
    Worker.join();
    EXPECT_EQ(Applied, 3);
}

TEST(UIDispatcherWaits, SleepingRunsCallsThatArriveMeanwhile)
{
    TTestUIDispatcher Dispatcher;
    bool Ran = false;
    std::thread Worker([&] { Dispatcher.InvokeSync([&] { Ran = true; }); });
    Dispatcher.SleepProcessing(100ms);
    Worker.join();
    EXPECT_TRUE(Ran);
}

TEST(UIDispatcherWaits, ABoundedWaitReturnsAtItsTimeout)
{
    TTestUIDispatcher Dispatcher;
    for (auto Timeout : {0ms, 20ms, 60ms}) {
        const auto Start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Dispatcher.WaitWhile([] { return true; }, Timeout));
        const auto Elapsed = std::chrono::steady_clock::now() - Start;
        EXPECT_GE(Elapsed, Timeout);
        EXPECT_LT(Elapsed, Timeout + 500ms);
    }
    EXPECT_TRUE(Dispatcher.WaitWhile([] { return false; }, 0ms));
}

TEST(UIDispatcherWaits, OnlyTheUIThreadMayWait)
{
    TTestUIDispatcher Dispatcher;
    int Refused = 0;
    std::thread Worker([&] {
        for (auto Wait : {std::function<void()>([&] { Dispatcher.ProcessPending(); }),
                          std::function<void()>([&] { Dispatcher.SleepProcessing(1ms); })}) {
            try {
                Wait();
            } catch (const std::logic_error&) {
                ++Refused;
            }
        }
    });
    Worker.join();
    EXPECT_EQ(Refused, 2);
}

TEST(UIDispatcherShutdown, DropsPendingAndNewCallsAndReleasesTheWorkers)
{
    TTestUIDispatcher Dispatcher;
    constexpr int cWorkers = 3;
    std::atomic<int> Dropped{0};
    bool Ran = false;
    auto Call = [&] {
        try {
            Dispatcher.InvokeSync([&] { Ran = true; });
        } catch (const EUIDispatchDropped&) {
            ++Dropped;
        }
    };
    std::vector<std::thread> Workers;
    for (int W = 0; W < cWorkers; ++W)
        Workers.emplace_back(Call);
    AwaitWakes(Dispatcher, cWorkers);
    Dispatcher.Shutdown();
    JoinAll(Workers);
    EXPECT_EQ(Dropped, cWorkers);

    std::thread Late(Call);
    Late.join();
    EXPECT_EQ(Dropped, cWorkers + 1);
    EXPECT_EQ(Dispatcher.Pump(), 0u);
    EXPECT_FALSE(Ran);
    EXPECT_TRUE(Dispatcher.IsShutDown());
    EXPECT_EQ(Dispatcher.Wakes(), cWorkers);
}

TEST(UIDispatcherShutdown, DestroyingTheDispatcherReleasesABlockedWorker)
{
    auto Dispatcher = std::make_unique<TTestUIDispatcher>();
    bool Dropped = false;
    std::thread Worker([&] {
        try {
            Dispatcher->InvokeSync([] {});
        } catch (const EUIDispatchDropped&) {
            Dropped = true;
        }
    });
    AwaitWakes(*Dispatcher, 1);
    Dispatcher.reset();
    Worker.join();
    EXPECT_TRUE(Dropped);
}

TEST(UIDispatcherGlobal, CurrentDispatcherAnswersForTheProcess)
{
    EXPECT_THROW(InvokeSync([] {}), std::logic_error);
    EXPECT_FALSE(IsUIThread());

    TTestUIDispatcher Dispatcher;
    EXPECT_EQ(SetUIDispatcher(&Dispatcher), nullptr);
    EXPECT_TRUE(IsUIThread());
    bool WorkerOnUI = true;
    bool Ran = false;
    std::thread Worker([&] {
        WorkerOnUI = IsUIThread();
        InvokeSync([&] { Ran = IsUIThread(); });
    });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Ran; }, 5s));
    Worker.join();
    EXPECT_FALSE(WorkerOnUI);
    EXPECT_EQ(SetUIDispatcher(nullptr), &Dispatcher);
}
