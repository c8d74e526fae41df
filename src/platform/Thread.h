#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A thread object in the manner of the form library's thread class: created
// suspended, started once, asked to terminate (a request the body polls), and
// either waited for by its starter or freed once it has ended.
//
// Always owned by a std::shared_ptr (Start needs it). A free-on-terminate
// thread is kept by the process-wide list of free threads from Start until it
// has ended and has been joined by ReapFinishedThreads or ShutdownThreads; so
// no thread ever joins or frees itself, and none is ever detached while it runs.
class TThread : public std::enable_shared_from_this<TThread> {
public:
    TThread() = default;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // Joins a started thread not yet joined. The running body holds a
    // reference of its own, so a thread whose starter let it go is destroyed
    // by its own body at its very end, and is then detached, past every use.
    virtual ~TThread();

    // Any thread, once. Runs Execute on a new thread; what escapes Execute is
    // swallowed. Reaps ended free threads first.
    void Start();
    // Any thread: a request only; Execute tests Terminated. Wakes Sleep.
    void Terminate();
    bool Terminated() const;
    // True once Execute has returned.
    bool Finished() const;
    // Blocks until Execute has returned and joins. On the user-interface
    // thread the dispatcher's queued calls run meanwhile, so a body that
    // calls InvokeSync cannot deadlock its waiter. Not for free threads.
    void WaitFor();

    bool FreeOnTerminate() const { return fFreeOnTerminate; }
    // Before Start only.
    void SetFreeOnTerminate(bool Value) { fFreeOnTerminate = Value; }
    // Before Start only: Handler runs on the user-interface thread once
    // Execute has returned, before the thread counts as finished; so whoever
    // started it hears of its end without waiting for it. Dropped when the
    // dispatcher is shutting down; what it raises is swallowed.
    void SetOnTerminate(std::function<void()> Handler) { fOnTerminate = std::move(Handler); }
    // The system's number of the running thread (for the log); 0 before Start.
    std::int32_t ThreadID() const;

protected:
    virtual void Execute() = 0;
    // Sleeps Duration or until Terminate is called; false when terminated.
    bool Sleep(std::chrono::milliseconds Duration);

private:
    friend class TFreeThreads;
    void Run();
    void Join();

    std::thread fThread;
    std::function<void()> fOnTerminate;
    std::mutex fJoinLock;
    mutable std::mutex fLock;
    std::condition_variable fWake;
    bool fTerminated = false;
    bool fFinished = false;
    bool fFreeOnTerminate = false;
    std::int32_t fThreadID = 0;
};

// Joins and releases the free threads that have ended; returns how many.
// Any thread.
std::size_t ReapFinishedThreads();
// Free threads started and not yet reaped.
std::size_t FreeThreadCount();
// Final teardown: asks every free thread to terminate and waits up to Timeout
// for them to end (running the dispatcher's queued calls when called on the
// user-interface thread), then reaps. Returns true when none is left. A thread
// still running then is left running and is never freed, so that it cannot
// use its own freed memory; the caller logs it.
bool ShutdownThreads(std::chrono::milliseconds Timeout);

// A list of threads under its own lock, in the order added; it shares the
// threads' ownership while they are listed.
class TThreadList {
public:
    TThreadList() = default;
    TThreadList(const TThreadList&) = delete;
    TThreadList& operator=(const TThreadList&) = delete;

    void Add(std::shared_ptr<TThread> Thread);
    // Removes the first entry of Thread; nothing when it is not listed.
    void Remove(const TThread* Thread);
    std::size_t Count() const;
    // Asks every listed thread to terminate, from the last to the first.
    void TerminateAll();

private:
    mutable std::mutex fLock;
    std::vector<std::shared_ptr<TThread>> fList;
};
