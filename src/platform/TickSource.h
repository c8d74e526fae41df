#pragma once

#include <cstdint>
#include <functional>
#include <map>

// Periodic timers identified by number, delivering to one handler on the
// user-interface thread: what a hidden window with SetTimer/KillTimer gives.
class ITickSource {
public:
    using THandler = std::function<void(std::uintptr_t TimerID)>;

    virtual ~ITickSource() = default;
    virtual void SetHandler(THandler Handler) = 0;
    // Starts the timer, or restarts it with the new interval when it runs.
    virtual void SetTimer(std::uintptr_t TimerID, unsigned IntervalMs) = 0;
    // Stops the timer; nothing when it does not run.
    virtual void KillTimer(std::uintptr_t TimerID) = 0;
};

// A tick source that ticks only when told: for tests.
class TManualTickSource : public ITickSource {
public:
    void SetHandler(THandler Handler) override { fHandler = std::move(Handler); }
    void SetTimer(std::uintptr_t TimerID, unsigned IntervalMs) override;
    void KillTimer(std::uintptr_t TimerID) override;

    bool Running(std::uintptr_t TimerID) const { return fTimers.count(TimerID) != 0; }
    // The interval of a running timer, 0 when it does not run.
    unsigned Interval(std::uintptr_t TimerID) const;

    // Delivers Count ticks of the timer, as long as it runs and a handler is set.
    void Tick(std::uintptr_t TimerID, int Count = 1);

private:
    THandler fHandler;
    std::map<std::uintptr_t, unsigned> fTimers;
};
