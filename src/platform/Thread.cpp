#include "platform/Thread.h"

#include "platform/UIDispatcher.h"

#include <algorithm>
#include <functional>
#include <unistd.h>

// The free threads of the process. Created on first use and never destroyed:
// no static destructor may race a thread that is still ending.
class TFreeThreads {
public:
    static TFreeThreads& Get()
    {
        static TFreeThreads* Instance = new TFreeThreads;
        return *Instance;
    }

    void Add(std::shared_ptr<TThread> Thread)
    {
        std::lock_guard Lock(fLock);
        fThreads.push_back(std::move(Thread));
    }

    std::size_t Reap()
    {
        std::vector<std::shared_ptr<TThread>> Ended;
        {
            std::lock_guard Lock(fLock);
            auto Split = std::stable_partition(fThreads.begin(), fThreads.end(),
                                               [](const auto& T) { return !T->Finished(); });
            std::move(Split, fThreads.end(), std::back_inserter(Ended));
            fThreads.erase(Split, fThreads.end());
        }
        // Joined and freed outside the lock: a destructor may start or reap threads.
        for (auto& Thread : Ended)
            Thread->Join();
        return Ended.size();
    }

    std::size_t Count() const
    {
        std::lock_guard Lock(fLock);
        return fThreads.size();
    }

    bool AllFinished() const
    {
        std::lock_guard Lock(fLock);
        return std::all_of(fThreads.begin(), fThreads.end(),
                           [](const auto& T) { return T->Finished(); });
    }

    void TerminateAll()
    {
        std::lock_guard Lock(fLock);
        for (auto& Thread : fThreads)
            Thread->Terminate();
    }

private:
    mutable std::mutex fLock;
    std::vector<std::shared_ptr<TThread>> fThreads;
};

namespace {

// Waits until Done holds or Timeout has passed; on the user-interface thread
// the dispatcher's queued calls run meanwhile.
bool WaitUntil(const std::function<bool()>& Done, std::chrono::milliseconds Timeout)
{
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (Dispatcher && Dispatcher->IsUIThread())
        return Dispatcher->WaitWhile([&] { return !Done(); }, Timeout);
    const auto Deadline = std::chrono::steady_clock::now() + Timeout;
    while (!Done()) {
        if (std::chrono::steady_clock::now() >= Deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

TThread::~TThread()
{
    Join();
}

void TThread::Start()
{
    ReapFinishedThreads();
    std::shared_ptr<TThread> Self = shared_from_this();
    if (fFreeOnTerminate)
        TFreeThreads::Get().Add(Self);
    std::lock_guard Lock(fJoinLock);
    fThread = std::thread([Self] { Self->Run(); });
}

void TThread::Run()
{
    {
        std::lock_guard Lock(fLock);
        fThreadID = static_cast<std::int32_t>(::gettid());
    }
    try {
        Execute();
    } catch (...) {
    }
    if (fOnTerminate) {
        try {
            InvokeSync(fOnTerminate);
        } catch (...) {
        }
    }
    std::lock_guard Lock(fLock);
    fFinished = true;
}

void TThread::Terminate()
{
    {
        std::lock_guard Lock(fLock);
        fTerminated = true;
    }
    fWake.notify_all();
}

bool TThread::Terminated() const
{
    std::lock_guard Lock(fLock);
    return fTerminated;
}

bool TThread::Finished() const
{
    std::lock_guard Lock(fLock);
    return fFinished;
}

std::int32_t TThread::ThreadID() const
{
    std::lock_guard Lock(fLock);
    return fThreadID;
}

bool TThread::Sleep(std::chrono::milliseconds Duration)
{
    std::unique_lock Lock(fLock);
    return !fWake.wait_for(Lock, Duration, [this] { return fTerminated; });
}

void TThread::WaitFor()
{
    while (!WaitUntil([this] { return Finished(); }, std::chrono::hours(1))) {
    }
    Join();
}

void TThread::Join()
{
    std::lock_guard Lock(fJoinLock);
    if (!fThread.joinable())
        return;
    // Only when the starter dropped a thread it should have waited for: the
    // body held the last reference and is past its last use of the object.
    if (fThread.get_id() == std::this_thread::get_id())
        fThread.detach();
    else
        fThread.join();
}

std::size_t ReapFinishedThreads()
{
    return TFreeThreads::Get().Reap();
}

std::size_t FreeThreadCount()
{
    return TFreeThreads::Get().Count();
}

bool ShutdownThreads(std::chrono::milliseconds Timeout)
{
    TFreeThreads& Threads = TFreeThreads::Get();
    Threads.TerminateAll();
    WaitUntil([&] { return Threads.AllFinished(); }, Timeout);
    Threads.Reap();
    return Threads.Count() == 0;
}

void TThreadList::Add(std::shared_ptr<TThread> Thread)
{
    std::lock_guard Lock(fLock);
    fList.push_back(std::move(Thread));
}

void TThreadList::Remove(const TThread* Thread)
{
    std::shared_ptr<TThread> Removed; // released outside the lock
    std::lock_guard Lock(fLock);
    auto It =
        std::find_if(fList.begin(), fList.end(), [&](const auto& T) { return T.get() == Thread; });
    if (It == fList.end())
        return;
    Removed = std::move(*It);
    fList.erase(It);
}

std::size_t TThreadList::Count() const
{
    std::lock_guard Lock(fLock);
    return fList.size();
}

void TThreadList::TerminateAll()
{
    std::lock_guard Lock(fLock);
    for (auto It = fList.rbegin(); It != fList.rend(); ++It)
        (*It)->Terminate();
}
