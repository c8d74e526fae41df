#include "platform/TickSource.h"

void TManualTickSource::SetTimer(std::uintptr_t TimerID, unsigned IntervalMs)
{
    fTimers[TimerID] = IntervalMs;
}

void TManualTickSource::KillTimer(std::uintptr_t TimerID)
{
    fTimers.erase(TimerID);
}

unsigned TManualTickSource::Interval(std::uintptr_t TimerID) const
{
    auto It = fTimers.find(TimerID);
    return It == fTimers.end() ? 0 : It->second;
}

void TManualTickSource::Tick(std::uintptr_t TimerID, int Count)
{
    // A handler may kill the timer: checked before every tick.
    for (int I = 0; I < Count && Running(TimerID) && fHandler; ++I)
        fHandler(TimerID);
}
