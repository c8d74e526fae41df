#include "platform/qt/QtUIDispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Counts the events posted to it: stands for user input waiting in the queue.
class TEventCounter : public QObject {
public:
    bool event(QEvent* Event) override
    {
        if (Event->type() != QEvent::User)
            return QObject::event(Event);
        ++Count;
        return true;
    }

    int Count = 0;
};

} // namespace

TEST(QtUIDispatcher, CallsRunOnTheUIThreadWhileItSitsInTheEventLoop)
{
    TQtUIDispatcher Dispatcher;
    std::atomic<bool> Done{false};
    bool OnUI = false;
    std::string Message;
    std::thread Worker([&] {
        Dispatcher.InvokeSync([&] { OnUI = Dispatcher.IsUIThread(); });
        try {
            Dispatcher.InvokeSync([] { throw std::runtime_error("no such symbol"); });
        } catch (const std::runtime_error& E) {
            Message = E.what();
        }
        Done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return Done.load(); }, 5000));
    Worker.join();
    EXPECT_TRUE(OnUI);
    EXPECT_EQ(Message, "no such symbol");
}

TEST(QtUIDispatcher, WaitingOnAWorkerRunsItsCallsButNoTimerNorOtherEvent)
{
    TQtUIDispatcher Dispatcher;
    bool TimerFired = false;
    QTimer::singleShot(0, [&] { TimerFired = true; });
    TEventCounter Input;
    QCoreApplication::postEvent(&Input, new QEvent(QEvent::User));

    std::atomic<bool> Done{false};
    bool Applied = false;
    std::thread Worker([&] {
        std::this_thread::sleep_for(30ms); // the timer is due by now
        Dispatcher.InvokeSync([&] { Applied = true; });
        Done = true;
    });
    EXPECT_TRUE(Dispatcher.WaitWhile([&] { return !Done; }, 5s));
    Worker.join();
    EXPECT_TRUE(Applied);
    EXPECT_FALSE(TimerFired);
    EXPECT_EQ(Input.Count, 0);

    // Both were only held back: the event loop delivers them.
    EXPECT_TRUE(QTest::qWaitFor([&] { return TimerFired && Input.Count == 1; }, 5000));
}

TEST(QtUIDispatcher, DestroyingItReleasesBlockedWorkersAndDiscardsTheirWakes)
{
    auto Dispatcher = std::make_unique<TQtUIDispatcher>();
    std::atomic<int> Dropped{0};
    bool Ran = false;
    std::thread Worker([&] {
        try {
            Dispatcher->InvokeSync([&] { Ran = true; });
        } catch (const EUIDispatchDropped&) {
            ++Dropped;
        }
    });
    // The event loop never runs here, so the call stays queued.
    const auto Deadline = std::chrono::steady_clock::now() + 5s;
    while (Dispatcher->Pending() == 0 && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(Dispatcher->Pending(), 1u);
    Dispatcher.reset();
    Worker.join();
    QCoreApplication::processEvents(); // its wake event, if posted, must go nowhere
    EXPECT_EQ(Dropped, 1);
    EXPECT_FALSE(Ran);
}
