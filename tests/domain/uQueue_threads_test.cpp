#include "domain/uQueue.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::atomic<int> gItemsAlive{0};

struct TNumber : TQueueItem {
    TNumber(int aProducer, int aValue) : Producer(aProducer), Value(aValue) { ++gItemsAlive; }
    ~TNumber() override { --gItemsAlive; }
    int Producer;
    int Value;
};

// Producer and value of a handled item.
using TSeen = std::pair<int, int>;

std::unique_ptr<TNumber> Item(int Producer, int Value)
{
    return std::make_unique<TNumber>(Producer, Value);
}

// What a writer thread did; outlives the thread.
struct TRecord {
    std::mutex Lock;
    std::vector<TSeen> Handled;
    std::atomic<int> Befores{0}, Afters{0};
    std::atomic<bool> Hold{false};
};

// Records what it handles; a value of -1 makes DoExecute raise, -2 return False.
class TRecordingWriter : public TBaseThreadWriter {
public:
    explicit TRecordingWriter(TRecord& aRecord) : R(aRecord) {}

protected:
    void DoBefore() override { ++R.Befores; }
    void DoAfter() override { ++R.Afters; }
    bool DoExecute() override
    {
        while (R.Hold.load())
            std::this_thread::yield();
        auto Popped = fQueue ? fQueue->Pop() : nullptr;
        if (!Popped)
            return true;
        const auto& N = static_cast<const TNumber&>(*Popped);
        if (N.Value == -1)
            throw std::runtime_error("bad item");
        if (N.Value == -2)
            return false;
        std::lock_guard Guard(R.Lock);
        R.Handled.push_back({N.Producer, N.Value});
        return true;
    }

private:
    TRecord& R;
};

struct TWriterFixture : ::testing::Test {
    TWriterFixture()
    {
        auto T = std::make_unique<TRecordingWriter>(Record);
        Thread = T.get();
        Writer = std::make_unique<TMultiThreadWriter>(std::move(T));
    }
    ~TWriterFixture() override { SetWriterErrorHook(nullptr); }

    // Destroys the writer and hands back what its thread handled.
    std::vector<TSeen> Finish()
    {
        Writer.reset();
        Thread = nullptr;
        return Record.Handled;
    }

    TRecord Record;
    TRecordingWriter* Thread;
    std::unique_ptr<TMultiThreadWriter> Writer;
};

std::vector<int> ValuesOf(const std::vector<TSeen>& Numbers)
{
    std::vector<int> Values;
    for (const auto& N : Numbers)
        Values.push_back(N.second);
    return Values;
}

TEST(TBaseQueue, PopsInPushOrderAndSignalsOncePerItem)
{
    TSemaphore S(0, 100);
    TBaseQueue Q;
    Q.SetSemaphore(&S);
    EXPECT_EQ(Q.Pop(), nullptr);
    Q.Push(nullptr);
    EXPECT_EQ(S.AcquireEx(0), arTimeout);

    for (int Round = 0; Round < 2; ++Round) {
        Q.Push(Item(0, 1));
        Q.Push(Item(0, 2));
        Q.Push(Item(0, 3));
        for (int Expected = 1; Expected <= 3; ++Expected) {
            EXPECT_EQ(S.AcquireEx(0), arObject);
            auto Popped = Q.Pop();
            ASSERT_NE(Popped, nullptr);
            EXPECT_EQ(static_cast<TNumber&>(*Popped).Value, Expected);
        }
        EXPECT_EQ(S.AcquireEx(0), arTimeout);
        EXPECT_EQ(Q.Pop(), nullptr);
    }
}

TEST_F(TWriterFixture, KeepsEachProducersOrderAndHandlesEveryItemOnce)
{
    constexpr int cProducers = 4, cItems = 10000;
    std::vector<std::thread> Producers;
    for (int P = 0; P < cProducers; ++P)
        Producers.emplace_back([this, P] {
            for (int I = 0; I < cItems; ++I)
                Writer->Queue()->Push(Item(P, I));
        });
    for (auto& P : Producers)
        P.join();
    const auto Handled = Finish();

    ASSERT_EQ(Handled.size(), size_t(cProducers * cItems));
    std::vector<int> Next(cProducers, 0);
    for (const auto& [Producer, Value] : Handled)
        ASSERT_EQ(Value, Next[Producer]++) << "producer " << Producer;
    EXPECT_EQ(Record.Befores.load(), 1);
    EXPECT_EQ(Record.Afters.load(), 1);
    EXPECT_EQ(gItemsAlive.load(), 0);
}

TEST_F(TWriterFixture, DestroyReturnsOnlyAfterEveryQueuedItemWasHandled)
{
    Record.Hold = true;
    std::vector<int> Expected;
    for (int I = 0; I < 1000; ++I) {
        Writer->Queue()->Push(Item(0, I));
        Expected.push_back(I);
    }
    Writer->Thread()->Terminate();
    std::thread Release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Record.Hold = false;
    });
    EXPECT_EQ(ValuesOf(Finish()), Expected);
    Release.join();
    EXPECT_EQ(Record.Afters.load(), 1);
}

std::mutex gHookLock;
std::vector<std::string> gHookTexts;

void RecordHook(const std::string& aText)
{
    std::lock_guard Guard(gHookLock);
    gHookTexts.push_back(aText);
}

TEST_F(TWriterFixture, SurvivesAConsumerThatRaisesAndReportsIt)
{
    gHookTexts.clear();
    SetWriterErrorHook(RecordHook);
    Writer->Queue()->Push(Item(0, 1));
    Writer->Queue()->Push(Item(0, -1));
    Writer->Queue()->Push(Item(0, 2));
    Writer->Queue()->Push(Item(0, -1));
    Writer->Queue()->Push(Item(0, 3));
    EXPECT_EQ(ValuesOf(Finish()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(gHookTexts,
              (std::vector<std::string>(2, "TBaseThreadWriter.Execute error: bad item")));
    EXPECT_EQ(gItemsAlive.load(), 0);
}

TEST_F(TWriterFixture, ADoExecuteThatReturnsFalseEndsTheThreadWithoutDoAfter)
{
    Writer->Queue()->Push(Item(0, 1));
    Writer->Queue()->Push(Item(0, -2));
    Writer->Queue()->Push(Item(0, 2));
    Thread->WaitFor();
    EXPECT_EQ(Record.Afters.load(), 0);
    EXPECT_EQ(ValuesOf(Finish()), (std::vector<int>{1}));
    EXPECT_EQ(gItemsAlive.load(), 0);
}

TEST_F(TWriterFixture, APushAfterDestructionIsDiscarded)
{
    std::weak_ptr<TBaseQueue> Handle = Writer->QueueHandle();
    std::shared_ptr<TBaseQueue> Held = Handle.lock();
    Finish();
    // A late producer that took the queue before the writer went still pushes safely.
    Held->Push(Item(0, 7));
    EXPECT_EQ(gItemsAlive.load(), 0);
    Held.reset();
    EXPECT_EQ(Handle.lock(), nullptr);
}

} // namespace
