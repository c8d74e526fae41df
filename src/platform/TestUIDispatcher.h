#pragma once

#include "platform/UIDispatcher.h"

#include <atomic>

// A dispatcher for tests without an event loop: the thread that creates it
// plays the user-interface thread and runs the queued calls when it pumps.
class TTestUIDispatcher : public TUIDispatcher {
public:
    ~TTestUIDispatcher() override { Close(); }

    // Runs the calls queued now; returns how many ran.
    std::size_t Pump() { return ProcessPending(); }
    // Runs queued calls until Done() holds (true) or Timeout has passed (false).
    bool PumpUntil(const std::function<bool()>& Done, std::chrono::milliseconds Timeout)
    {
        return WaitWhile([&] { return !Done(); }, Timeout);
    }

    // How many times a worker asked to wake the user-interface thread.
    int Wakes() const { return fWakes.load(); }

protected:
    void WakeUIThread() noexcept override { ++fWakes; }

private:
    std::atomic<int> fWakes{0};
};
