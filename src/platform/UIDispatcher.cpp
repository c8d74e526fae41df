#include "platform/UIDispatcher.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>

namespace {

std::atomic<TUIDispatcher*> gDispatcher{nullptr};

} // namespace

const char* EUIDispatchDropped::what() const noexcept
{
    return "call dropped: the user-interface dispatcher is shutting down";
}

// One queued call, on the stack of the worker that waits for it. The state
// changes under the dispatcher's lock; Error is written by the user-interface
// thread before the state becomes Done, and read by the worker after.
struct TUIDispatcher::TCall {
    enum class TState { Queued, Running, Done, Dropped };

    const std::function<void()>* Fn = nullptr;
    std::exception_ptr Error;
    TState State = TState::Queued;
};

TUIDispatcher::TUIDispatcher() : fUIThread(std::this_thread::get_id()) {}

TUIDispatcher::~TUIDispatcher()
{
    Close();
}

void TUIDispatcher::InvokeSync(const std::function<void()>& Fn)
{
    if (IsUIThread()) {
        Fn();
        return;
    }
    TCall Call;
    Call.Fn = &Fn;
    {
        std::lock_guard Lock(fMutex);
        if (fShutDown)
            throw EUIDispatchDropped();
        fQueue.push_back(&Call);
        ++fInside;
    }
    fQueued.notify_all();
    WakeUIThread();

    std::unique_lock Lock(fMutex);
    fDone.wait(Lock, [&] {
        return Call.State == TCall::TState::Done || Call.State == TCall::TState::Dropped;
    });
    // Notified under the lock: once the count is zero, Close may return and
    // the dispatcher be destroyed as soon as the lock is released.
    if (--fInside == 0)
        fLeft.notify_all();
    Lock.unlock();

    if (Call.State == TCall::TState::Dropped)
        throw EUIDispatchDropped();
    if (Call.Error)
        std::rethrow_exception(Call.Error);
}

bool TUIDispatcher::RunOne()
{
    TCall* Call;
    {
        std::lock_guard Lock(fMutex);
        if (fQueue.empty())
            return false;
        Call = fQueue.front();
        fQueue.pop_front();
        Call->State = TCall::TState::Running;
    }
    try {
        (*Call->Fn)();
    } catch (...) {
        Call->Error = std::current_exception();
    }
    {
        std::lock_guard Lock(fMutex);
        Call->State = TCall::TState::Done;
    }
    fDone.notify_all();
    return true;
}

std::size_t TUIDispatcher::ProcessPending()
{
    RequireUIThread("ProcessPending");
    std::size_t Queued;
    {
        std::lock_guard Lock(fMutex);
        Queued = fQueue.size();
    }
    std::size_t Ran = 0;
    while (Ran < Queued && RunOne())
        ++Ran;
    return Ran;
}

bool TUIDispatcher::WaitWhile(const std::function<bool()>& Busy, std::chrono::milliseconds Timeout)
{
    RequireUIThread("WaitWhile");
    const auto Deadline = std::chrono::steady_clock::now() + Timeout;
    for (;;) {
        if (!Busy())
            return true;
        if (std::chrono::steady_clock::now() >= Deadline)
            return false;
        if (RunOne())
            continue;
        std::unique_lock Lock(fMutex);
        const auto Seen = fSignals;
        const auto Until = std::min(Deadline, std::chrono::steady_clock::now() + cWaitSlice);
        fQueued.wait_until(Lock, Until, [&] { return !fQueue.empty() || fSignals != Seen; });
    }
}

void TUIDispatcher::SleepProcessing(std::chrono::milliseconds Duration)
{
    WaitWhile([] { return true; }, Duration);
}

void TUIDispatcher::Signal()
{
    {
        std::lock_guard Lock(fMutex);
        ++fSignals;
    }
    fQueued.notify_all();
}

void TUIDispatcher::Shutdown()
{
    {
        std::lock_guard Lock(fMutex);
        fShutDown = true;
        for (TCall* Call : fQueue)
            Call->State = TCall::TState::Dropped;
        fQueue.clear();
    }
    fDone.notify_all();
}

bool TUIDispatcher::IsShutDown() const
{
    std::lock_guard Lock(fMutex);
    return fShutDown;
}

std::size_t TUIDispatcher::Pending() const
{
    std::lock_guard Lock(fMutex);
    return fQueue.size();
}

void TUIDispatcher::Close()
{
    TUIDispatcher* Self = this;
    gDispatcher.compare_exchange_strong(Self, nullptr);
    Shutdown();
    std::unique_lock Lock(fMutex);
    fLeft.wait(Lock, [&] { return fInside == 0; });
}

void TUIDispatcher::RequireUIThread(const char* What) const
{
    if (!IsUIThread())
        throw std::logic_error(std::string("TUIDispatcher::") + What +
                               " called off the user-interface thread");
}

TUIDispatcher* SetUIDispatcher(TUIDispatcher* Dispatcher)
{
    return gDispatcher.exchange(Dispatcher);
}

TUIDispatcher* GetUIDispatcher()
{
    return gDispatcher.load();
}

bool IsUIThread()
{
    const TUIDispatcher* Dispatcher = gDispatcher.load();
    return Dispatcher && Dispatcher->IsUIThread();
}

void InvokeSync(const std::function<void()>& Fn)
{
    TUIDispatcher* Dispatcher = gDispatcher.load();
    if (!Dispatcher)
        throw std::logic_error("InvokeSync without a user-interface dispatcher");
    Dispatcher->InvokeSync(Fn);
}
