#include "platform/Semaphore.h"

#include <chrono>
#include <stdexcept>

TSemaphore::TSemaphore(int32_t AInitialCount, int32_t AMaximumCount)
    : fCount(AInitialCount), fMaximum(AMaximumCount)
{
    if (AMaximumCount < 1 || AInitialCount < 0 || AInitialCount > AMaximumCount)
        throw std::invalid_argument("The parameter is incorrect");
}

TAcquireResult TSemaphore::AcquireEx(uint32_t Timeout)
{
    std::unique_lock Lock(fLock);
    if (!fSignal.wait_for(Lock, std::chrono::milliseconds(Timeout), [this] { return fCount > 0; }))
        return arTimeout;
    --fCount;
    return arObject;
}

int32_t TSemaphore::Release(int32_t AReleaseCount)
{
    if (AReleaseCount < 1)
        throw std::invalid_argument("The parameter is incorrect");
    int32_t Previous;
    {
        std::lock_guard Lock(fLock);
        if (AReleaseCount > fMaximum - fCount)
            throw std::overflow_error("Too many posts were made to a semaphore");
        Previous = fCount;
        fCount += AReleaseCount;
    }
    if (AReleaseCount == 1)
        fSignal.notify_one();
    else
        fSignal.notify_all();
    return Previous;
}
