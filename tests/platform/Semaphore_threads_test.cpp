#include "platform/Semaphore.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(TSemaphore, CountsReleasesAndAcquires)
{
    TSemaphore S(2, 5);
    EXPECT_EQ(S.AcquireEx(0), arObject);
    EXPECT_EQ(S.AcquireEx(0), arObject);
    EXPECT_EQ(S.AcquireEx(0), arTimeout);
    EXPECT_EQ(S.Release(3), 0);
    EXPECT_EQ(S.Release(), 3);
    for (int I = 0; I < 4; ++I)
        EXPECT_EQ(S.AcquireEx(0), arObject);
    EXPECT_EQ(S.AcquireEx(0), arTimeout);
}

TEST(TSemaphore, RejectsBadCountsWithoutChangingTheCount)
{
    EXPECT_THROW(TSemaphore(3, 2), std::invalid_argument);
    EXPECT_THROW(TSemaphore(-1, 2), std::invalid_argument);
    EXPECT_THROW(TSemaphore(0, 0), std::invalid_argument);

    TSemaphore S(1, 2);
    EXPECT_THROW(S.Release(2), std::overflow_error);
    EXPECT_THROW(S.Release(0), std::invalid_argument);
    EXPECT_EQ(S.Release(), 1);
    EXPECT_THROW(S.Release(), std::overflow_error);
}

// Every release must reach one acquirer: a lost wake-up would leave a consumer
// waiting out its time-out with a count available.
TEST(TSemaphore, LosesNoWakeUpsUnderManyProducersAndConsumers)
{
    constexpr int cThreads = 4, cPerThread = 5000;
    TSemaphore S(0, 0x7FFFFFFF);
    std::vector<int> Taken(cThreads, 0);
    std::vector<std::thread> Threads;
    for (int T = 0; T < cThreads; ++T) {
        Threads.emplace_back([&, T] {
            for (int I = 0; I < cPerThread; ++I)
                Taken[T] += S.AcquireEx(10000) == arObject;
        });
        Threads.emplace_back([&] {
            for (int I = 0; I < cPerThread; ++I)
                S.Release();
        });
    }
    for (auto& T : Threads)
        T.join();
    for (int T = 0; T < cThreads; ++T)
        EXPECT_EQ(Taken[T], cPerThread);
    EXPECT_EQ(S.AcquireEx(0), arTimeout);
}

} // namespace
