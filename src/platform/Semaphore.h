#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

enum TAcquireResult { arObject = 0, arTimeout = 1 };

constexpr int32_t cSemaphoreInitCount = 0;
constexpr int32_t cSemaphoreMaxCount = 50;

// A counting semaphore on a mutex and a condition variable (the standard
// library's counting_semaphore of our toolchain can lose wake-ups).
// Any thread may acquire and release.
class TSemaphore {
public:
    // Raises std::invalid_argument unless 0 <= AInitialCount <= AMaximumCount and
    // AMaximumCount >= 1.
    TSemaphore(int32_t AInitialCount, int32_t AMaximumCount);
    TSemaphore(const TSemaphore&) = delete;
    TSemaphore& operator=(const TSemaphore&) = delete;

    // Waits up to Timeout milliseconds for a count; arObject when one was taken,
    // arTimeout when the time ran out.
    TAcquireResult AcquireEx(uint32_t Timeout);
    // Adds AReleaseCount (1 or more, else std::invalid_argument) and returns the
    // count before. A release that would pass the maximum changes nothing and
    // raises std::overflow_error.
    int32_t Release(int32_t AReleaseCount);
    int32_t Release() { return Release(1); }

private:
    std::mutex fLock;
    std::condition_variable fSignal;
    int32_t fCount;
    const int32_t fMaximum;
};
