#include "platform/TestUIDispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

namespace {

// Worker threads joined on every path, so that a failed assertion fails the test only.
struct TWorkers {
    std::vector<std::thread> Threads;
    template <class F> void Start(int Count, F Body)
    {
        for (int W = 0; W < Count; ++W)
            Threads.emplace_back(Body, W);
    }
    void Join()
    {
        for (std::thread& Thread : Threads)
            if (Thread.joinable())
                Thread.join();
    }
    ~TWorkers() { Join(); }
};

// Waits without pumping until N calls are queued.
void AwaitQueued(const TUIDispatcher& Dispatcher, std::size_t N)
{
    const auto Deadline = TClock::now() + 5s;
    while (Dispatcher.Pending() < N && TClock::now() < Deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(Dispatcher.Pending(), N);
}

} // namespace

TEST(UIDispatcherCalls, EachWorkersCallsRunInOrderOnTheUIThread)
{
    TTestUIDispatcher Dispatcher;
    constexpr int cWorkers = 4, cCalls = 50;
    std::vector<std::pair<int, int>> Ran; // (worker, call); touched on the UI thread only
    bool AllOnUI = true;
    std::atomic<int> Finished{0};
    TWorkers Workers;
    Workers.Start(cWorkers, [&](int W) {
        for (int S = 0; S < cCalls; ++S)
            Dispatcher.InvokeSync([&, S] {
                Ran.emplace_back(W, S);
                AllOnUI = AllOnUI && Dispatcher.IsUIThread();
            });
        ++Finished;
    });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Finished == cWorkers; }, 10s));
    Workers.Join();

    EXPECT_TRUE(AllOnUI);
    ASSERT_EQ(Ran.size(), std::size_t(cWorkers * cCalls));
    std::vector<int> Next(cWorkers, 0);
    for (auto [W, S] : Ran)
        EXPECT_EQ(S, Next[W]++) << "worker " << W;
    EXPECT_EQ(Dispatcher.Wakes(), cWorkers * cCalls);
}

TEST(UIDispatcherCalls, CallsOfDifferentWorkersRunInTheOrderQueued)
{
    TTestUIDispatcher Dispatcher;
    std::vector<int> Ran;
    TWorkers Workers;
    for (int W = 0; W < 3; ++W) {
        Workers.Start(1, [&, W](int) { Dispatcher.InvokeSync([&, W] { Ran.push_back(W); }); });
        AwaitQueued(Dispatcher, W + 1);
    }
    EXPECT_EQ(Dispatcher.Pump(), 3u);
    Workers.Join();
    EXPECT_EQ(Ran, (std::vector<int>{0, 1, 2}));
}

TEST(UIDispatcherCalls, ExceptionsArriveInTheWorkerAndTheQueueGoesOn)
{
    TTestUIDispatcher Dispatcher;
    std::string Message;
    int Thrown = 0;
    bool AfterwardsRan = false;
    TWorkers Workers;
    Workers.Start(1, [&](int) {
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
    Workers.Join();
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

TEST(UIDispatcherWaits, WaitsOfTheUIThreadRunAWorkersCallsInsteadOfDeadlocking)
{
    const std::vector<std::function<void(TUIDispatcher&, std::atomic<bool>&)>> Waits = {
        [](TUIDispatcher& D, std::atomic<bool>& Done) {
            EXPECT_TRUE(D.WaitWhile([&] { return !Done; }, 5s));
        },
        // Sleeps again while the worker has not run all its calls, however late it runs.
        [](TUIDispatcher& D, std::atomic<bool>& Done) {
            for (int Naps = 0; Naps < 100 && !Done; ++Naps)
                D.SleepProcessing(50ms);
        },
    };
    for (const auto& Wait : Waits) {
        TTestUIDispatcher Dispatcher;
        std::atomic<bool> Done{false};
        int Applied = 0;
        TWorkers Workers;
        Workers.Start(1, [&](int) {
            for (int I = 0; I < 3; ++I)
                Dispatcher.InvokeSync([&] { ++Applied; });
            Done = true;
            Dispatcher.Signal();
        });
        Wait(Dispatcher, Done);
        Workers.Join();
        EXPECT_EQ(Applied, 3);
    }
}

TEST(UIDispatcherWaits, ABoundedWaitReturnsAtItsTimeoutAlsoWhileCallsKeepComing)
{
    for (bool Fed : {false, true}) {
        TTestUIDispatcher Dispatcher;
        TWorkers Feeder;
        if (Fed)
            Feeder.Start(1, [&](int) {
                try {
                    for (;;)
                        Dispatcher.InvokeSync([] {});
                } catch (const EUIDispatchDropped&) {
                }
            });
        for (auto Timeout : {0ms, 20ms, 60ms}) {
            const auto Start = TClock::now();
            EXPECT_FALSE(Dispatcher.WaitWhile([] { return true; }, Timeout));
            const auto Elapsed = TClock::now() - Start;
            EXPECT_GE(Elapsed, Timeout);
            EXPECT_LT(Elapsed, Timeout + 5s) << "fed " << Fed;
        }
        Dispatcher.Shutdown(); // ends the feeder
    }
}

TEST(UIDispatcherShutdown, DropsPendingAndNewCallsAndReleasesTheWorkers)
{
    for (bool Destroy : {false, true}) {
        auto Dispatcher = std::make_unique<TTestUIDispatcher>();
        constexpr int cWorkers = 3;
        std::atomic<int> Dropped{0};
        std::atomic<bool> Ran{false};
        auto Call = [&](int) {
            try {
                Dispatcher->InvokeSync([&] { Ran = true; });
            } catch (const EUIDispatchDropped&) {
                ++Dropped;
            }
        };
        TWorkers Workers;
        Workers.Start(cWorkers, Call);
        AwaitQueued(*Dispatcher, cWorkers);
        if (Destroy) {
            Dispatcher.reset();
            Workers.Join();
            EXPECT_EQ(Dropped, cWorkers);
            continue;
        }
        Dispatcher->Shutdown();
        Workers.Join();
        Workers.Start(1, Call); // a call after the shut-down
        Workers.Join();
        EXPECT_EQ(Dropped, cWorkers + 1);
        EXPECT_EQ(Dispatcher->Pump(), 0u);
        EXPECT_FALSE(Ran);
        EXPECT_EQ(Dispatcher->Wakes(), cWorkers);
    }
}

TEST(UIDispatcherGlobal, CurrentDispatcherAnswersForTheProcess)
{
    EXPECT_THROW(InvokeSync([] {}), std::logic_error);
    EXPECT_FALSE(IsUIThread());
    {
        TTestUIDispatcher Dispatcher;
        EXPECT_EQ(SetUIDispatcher(&Dispatcher), nullptr);
        EXPECT_TRUE(IsUIThread());
        bool WorkerOnUI = true, CallOnUI = false;
        int Refused = 0;
        TWorkers Workers;
        Workers.Start(1, [&](int) {
            WorkerOnUI = IsUIThread();
            InvokeSync([&] { CallOnUI = IsUIThread(); });
            for (auto Wait : {+[](TUIDispatcher& D) { D.ProcessPending(); },
                              +[](TUIDispatcher& D) { D.SleepProcessing(1ms); }})
                try {
                    Wait(Dispatcher);
                } catch (const std::logic_error&) {
                    ++Refused;
                }
        });
        EXPECT_TRUE(Dispatcher.PumpUntil([&] { return CallOnUI; }, 5s));
        Workers.Join();
        EXPECT_FALSE(WorkerOnUI);
        EXPECT_EQ(Refused, 2);
    }
    EXPECT_EQ(GetUIDispatcher(), nullptr) << "destroying the current dispatcher clears it";
}
