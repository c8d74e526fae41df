#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// Raised by InvokeSync in a worker whose call was dropped because the
// dispatcher is shutting down: the call never ran and never will. Workers let
// it unwind to their thread body, which ends quietly; it derives from
// std::exception so that a worker that catches everything still ends.
class EUIDispatchDropped : public std::exception {
public:
    const char* what() const noexcept override;
};

// Hands work from other threads to the user-interface thread (the thread that
// creates the dispatcher) and lets that thread wait for others without
// deadlocking: every wait below runs the queued calls, and nothing else (no
// timers, no user input), while it waits.
//
// Implementations differ only in how they wake the user-interface thread
// when it is not inside one of the waits (WakeUIThread).
class TUIDispatcher {
public:
    TUIDispatcher();
    TUIDispatcher(const TUIDispatcher&) = delete;
    TUIDispatcher& operator=(const TUIDispatcher&) = delete;
    // Drops what is queued and waits until no worker is inside InvokeSync.
    virtual ~TUIDispatcher();

    bool IsUIThread() const { return std::this_thread::get_id() == fUIThread; }

    // Any thread. On the user-interface thread runs Fn inline (also after
    // Shutdown: that thread drives the teardown itself). On another thread
    // queues Fn, wakes the user-interface thread and blocks until Fn has run
    // there; an exception thrown by Fn is raised again here. Throws
    // EUIDispatchDropped when the call is dropped by Shutdown, before or while
    // it waits.
    void InvokeSync(const std::function<void()>& Fn);

    // User-interface thread only (std::logic_error elsewhere). Runs queued
    // calls until Busy() is false (returns true) or Timeout has passed
    // (returns false). Busy is tested before the first wait, after every call
    // run, after every Signal() and at least every cWaitSlice.
    bool WaitWhile(const std::function<bool()>& Busy, std::chrono::milliseconds Timeout);
    // Sleeps Duration while running queued calls.
    void SleepProcessing(std::chrono::milliseconds Duration);
    // Runs the calls queued at entry, without waiting; returns how many ran.
    std::size_t ProcessPending();

    // Any thread: makes a waiting WaitWhile test its condition now (a worker
    // that finished without a synchronised call, say).
    void Signal();

    // Any thread. From now on calls are dropped: those queued are released
    // with EUIDispatchDropped and never run, later ones are refused at once.
    // A call already running finishes normally.
    void Shutdown();
    bool IsShutDown() const;

    // Calls queued and not yet taken by the user-interface thread.
    std::size_t Pending() const;

    // How often a waiting WaitWhile tests its condition without being signalled.
    static constexpr std::chrono::milliseconds cWaitSlice{10};

protected:
    // Called by a worker after it queued a call, without the lock held: the
    // user-interface thread must come round to ProcessPending soon, even when
    // it is idle in its event loop. Not called after Shutdown; must not throw
    // (the call is already queued on the worker's stack).
    virtual void WakeUIThread() noexcept = 0;

    // Stops being the current dispatcher, shuts down, then waits until no
    // worker is inside InvokeSync. A derived destructor calls it first, so
    // that no worker reaches WakeUIThread of a half-destroyed object.
    void Close();

private:
    struct TCall;

    void RequireUIThread(const char* What) const;
    bool RunOne();

    const std::thread::id fUIThread;
    mutable std::mutex fMutex;
    std::condition_variable fQueued; // a call was queued or Signal() was called
    std::condition_variable fDone;   // a call ran or was dropped
    std::condition_variable fLeft;   // a worker left InvokeSync
    std::deque<TCall*> fQueue;       // calls live on their workers' stacks
    std::uint64_t fSignals = 0;
    std::size_t fInside = 0; // workers inside InvokeSync
    bool fShutDown = false;
};

// The process-wide dispatcher, set by the builder (and by tests); not owned.
// Returns the previous one. Destroying the current dispatcher clears it; the
// workers are to be ended (or released by Shutdown) before that.
TUIDispatcher* SetUIDispatcher(TUIDispatcher* Dispatcher);
TUIDispatcher* GetUIDispatcher();

// True on the thread of the current dispatcher; false when none is set.
bool IsUIThread();

// InvokeSync on the current dispatcher; std::logic_error when none is set.
void InvokeSync(const std::function<void()>& Fn);
