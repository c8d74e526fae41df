#include "domain/uUIWriter.h"

#include "domain/uCommon.h"
#include "platform/TestUIDispatcher.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A window double: records what reaches it and on which thread.
class TRecorder : public TDObject {
public:
    explicit TRecorder(const TUIDispatcher& aDispatcher) : fDispatcher(aDispatcher) {}

    void Notification(int32_t EventID, TNotifyData Data) override
    {
        Codes.push_back(EventID);
        OnUIThread = OnUIThread && fDispatcher.IsUIThread();
        if (Data == cThrow)
            throw std::runtime_error("receiver failed");
    }

    static constexpr TNotifyData cThrow = -1;
    std::vector<int32_t> Codes;
    bool OnUIThread = true;

private:
    const TUIDispatcher& fDispatcher;
};

// Waits, without running anything, until a worker waits in InvokeSync: a
// pumping wait could run the call it waits to see.
bool WaitForACall(const TUIDispatcher& aDispatcher)
{
    const auto Deadline = std::chrono::steady_clock::now() + 5s;
    while (aDispatcher.Pending() == 0) {
        if (std::chrono::steady_clock::now() >= Deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Log lines starting with Prefix; closes the log.
int CountLines(TLogCapture& Log, const std::string& Prefix)
{
    int N = 0;
    for (const TLogLine& Line : Log.Lines())
        N += Line.Text.starts_with(Prefix) ? 1 : 0;
    return N;
}

struct UIWriterDelivery : ::testing::Test {
    UIWriterDelivery()
    {
        SetUIDispatcher(&Dispatcher);
        UIWriter = new TUIWriter;
        UIWriter->Publisher().Subscribe(&Window, 0);
    }
    ~UIWriterDelivery() override
    {
        delete UIWriter;
        UIWriter = nullptr;
        SetUIDispatcher(nullptr);
    }
    bool PumpUntilCount(std::size_t N)
    {
        return Dispatcher.PumpUntil([&] { return Window.Codes.size() >= N; }, 5s);
    }

    TLogCapture Log;
    TTestUIDispatcher Dispatcher;
    TRecorder Window{Dispatcher};
};

} // namespace

TEST_F(UIWriterDelivery, ArriveOnTheUIThreadInQueueOrder)
{
    std::thread Producer([] {
        QueueNotify(BASE_MAIN_SYMBOLS, 0);
        QueueNotify(BASE_MAIN_DEPTH, 0);
        QueueNotify(BASE_MAIN_SYMBOLS, 0);
    });
    Producer.join();
    ASSERT_TRUE(PumpUntilCount(3));
    EXPECT_EQ(Window.Codes, (std::vector<int32_t>{110, 160, 110}));
    EXPECT_TRUE(Window.OnUIThread);
}

TEST_F(UIWriterDelivery, AFailingReceiverIsLoggedAndLaterItemsStillArrive)
{
    QueueNotify(BASE_MAIN_BALANCES, TRecorder::cThrow);
    QueueNotify(BASE_MAIN_DEPTH, 0);
    ASSERT_TRUE(PumpUntilCount(2));
    EXPECT_EQ(Window.Codes, (std::vector<int32_t>{150, 160}));
    EXPECT_EQ(CountLines(Log, "TUIWriteThread.DoExecute error: receiver failed"), 1);
}

TEST_F(UIWriterDelivery, DestroyingTheWriterWhileItWaitsForTheUIThreadReturns)
{
    QueueNotify(BASE_MAIN_SYMBOLS, 0);
    QueueNotify(BASE_MAIN_DEPTH, 0);
    ASSERT_TRUE(WaitForACall(Dispatcher));
    // The thread now waits in InvokeSync; the destructor must serve it.
    delete UIWriter;
    UIWriter = nullptr;
    EXPECT_EQ(Window.Codes, (std::vector<int32_t>{110, 160}));
    QueueNotify(BASE_MAIN_SYMBOLS, 0); // no writer: nothing happens
}

TEST_F(UIWriterDelivery, ItemsAreDroppedQuietlyOnceTheDispatcherShutsDown)
{
    QueueNotify(BASE_MAIN_SYMBOLS, 0);
    ASSERT_TRUE(WaitForACall(Dispatcher));
    Dispatcher.Shutdown();
    QueueNotify(BASE_MAIN_DEPTH, 0);
    delete UIWriter;
    UIWriter = nullptr;
    EXPECT_TRUE(Window.Codes.empty());
    EXPECT_EQ(CountLines(Log, "TUIWriteThread"), 0);
}
