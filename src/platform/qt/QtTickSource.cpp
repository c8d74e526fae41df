#include "platform/qt/QtTickSource.h"

#include <cstdio>
#include <exception>

void TQtTickSource::SetTimer(std::uintptr_t TimerID, unsigned IntervalMs)
{
    auto& Timer = fTimers[TimerID];
    if (!Timer) {
        Timer = std::make_unique<QTimer>(this);
        Timer->setTimerType(Qt::PreciseTimer);
        connect(Timer.get(), &QTimer::timeout, this, [this, TimerID] { Deliver(TimerID); });
    }
    Timer->start(static_cast<int>(IntervalMs));
}

void TQtTickSource::KillTimer(std::uintptr_t TimerID)
{
    auto It = fTimers.find(TimerID);
    if (It == fTimers.end())
        return;
    It->second->stop();
    // The timer may be the one delivering right now: Qt frees it once back in the loop.
    It->second.release()->deleteLater();
    fTimers.erase(It);
}

void TQtTickSource::Deliver(std::uintptr_t TimerID)
{
    if (!fHandler)
        return;
    // No exception may leave a Qt slot.
    try {
        fHandler(TimerID);
    } catch (const std::exception& E) {
        std::fprintf(stderr, "Timer %zu: %s\n", static_cast<std::size_t>(TimerID), E.what());
    } catch (...) {
        std::fprintf(stderr, "Timer %zu: unknown exception\n", static_cast<std::size_t>(TimerID));
    }
}
