#pragma once

#include "platform/Semaphore.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// Base of every queued record. The queue owns an item from Push until Pop
// hands it to the consumer.
class TQueueItem {
public:
    TQueueItem() = default;
    TQueueItem(const TQueueItem&) = delete;
    TQueueItem& operator=(const TQueueItem&) = delete;
    virtual ~TQueueItem() = default;

private:
    friend class TBaseQueue;
    TQueueItem* fNext = nullptr;
};

// FIFO queue for many producers and one consumer. Each pushed item releases
// the semaphore once, so the consumer's waits stay in step with the items.
class TBaseQueue {
public:
    TBaseQueue() = default;
    TBaseQueue(const TBaseQueue&) = delete;
    TBaseQueue& operator=(const TBaseQueue&) = delete;
    // Items still queued are discarded.
    ~TBaseQueue();

    // The semaphore is not owned; it must outlive the queue or be detached by Close.
    void SetSemaphore(TSemaphore* aSemaphore);
    // Any thread. A null item is ignored; after Close the item is discarded.
    void Push(std::unique_ptr<TQueueItem> aQueueItem);
    // The oldest item, or null when the queue is empty.
    std::unique_ptr<TQueueItem> Pop();
    // Ends the queue's service: queued items are discarded, the semaphore is
    // detached, and every later Push is a no-op. Lets a late producer that
    // still holds the queue push safely while its writer is torn down.
    void Close();

private:
    void Clear();

    TSemaphore* fSemaphore = nullptr;
    TQueueItem* fHead = nullptr; // pushed last
    TQueueItem* fTail = nullptr; // popped next
    std::mutex fCriticalSection;
    bool fClosed = false;
};

// Called with the text of an exception that escaped a writer's DoExecute; the
// writer then goes on with the next item. Any thread; must not raise.
using TWriterErrorHook = void (*)(const std::string& aText);
void SetWriterErrorHook(TWriterErrorHook aHook);

// The consumer thread of a writer: created suspended, started by Start.
// fQueue and fSemaphore are set by the owner before Start and not owned.
class TBaseThreadWriter {
public:
    TBaseThreadWriter() = default;
    TBaseThreadWriter(const TBaseThreadWriter&) = delete;
    TBaseThreadWriter& operator=(const TBaseThreadWriter&) = delete;
    // The owner must WaitFor the thread first: a running Execute would use the
    // already destroyed parts of a descendant. Terminates and joins as a last guard.
    virtual ~TBaseThreadWriter();

    void SetQueue(TBaseQueue* aQueue) { fQueue = aQueue; }
    void SetSemaphore(TSemaphore* aSemaphore) { fSemaphore = aSemaphore; }
    void Start();
    void Terminate() { fTerminated.store(true); }
    bool Terminated() const { return fTerminated.load(); }
    // Blocks until Execute has returned (at once when never started).
    void WaitFor();

protected:
    // Runs on the writer thread: DoBefore, then one DoExecute per signalled
    // wait; the termination request is looked at only after a 50 ms wait found
    // nothing to do, so every queued item is handled before DoAfter.
    virtual void Execute();
    virtual void DoBefore() {}
    // Handles one item; False ends the thread at once (without DoAfter).
    virtual bool DoExecute() { return false; }
    virtual void DoAfter() {}

    TBaseQueue* fQueue = nullptr;
    TSemaphore* fSemaphore = nullptr;

private:
    std::thread fThread;
    std::atomic<bool> fTerminated{false};
};

// A queue, its semaphore and its writer thread, all owned. The thread runs
// from construction until destruction.
class TMultiThreadWriter {
public:
    // aThreadWriter: a fresh, not yet started writer thread.
    explicit TMultiThreadWriter(std::unique_ptr<TBaseThreadWriter> aThreadWriter);
    TMultiThreadWriter(const TMultiThreadWriter&) = delete;
    TMultiThreadWriter& operator=(const TMultiThreadWriter&) = delete;
    // Asks the thread to terminate and blocks until it has handled every
    // queued item and ended; then closes the queue.
    virtual ~TMultiThreadWriter();

    TBaseQueue* Queue() const { return fQueue.get(); }
    TBaseThreadWriter* Thread() const { return fThreadWriter.get(); }
    // A handle for producers that may outlive the writer: lock it to push; a
    // push through it after destruction has begun is discarded, never a use of
    // freed memory.
    std::weak_ptr<TBaseQueue> QueueHandle() const { return fQueue; }

private:
    std::unique_ptr<TSemaphore> fSemaphore;
    std::shared_ptr<TBaseQueue> fQueue;
    std::unique_ptr<TBaseThreadWriter> fThreadWriter;
};
