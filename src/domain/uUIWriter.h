#pragma once

#include "domain/uQueue.h"
#include "units/uDObject.h"

#include <atomic>
#include <cstdint>
#include <memory>

// One queued notification. Data is an integer or a stable identifier, never
// a pointer: the item may be delivered after its sender's objects are gone.
class TUIInfo : public TQueueItem {
public:
    TUIInfo(int32_t aNotifyCode, TNotifyData aData) : fNotifyCode(aNotifyCode), fData(aData) {}

    int32_t NotifyCode() const { return fNotifyCode; }
    TNotifyData Data() const { return fData; }

private:
    int32_t fNotifyCode;
    TNotifyData fData;
};

// The update queue's consumer: hands each item to the user-interface thread
// and publishes it there; the next item is taken only after that delivery has
// returned. A receiver's exception is logged and the thread goes on; an item
// whose delivery the dispatcher drops (shut-down, or no dispatcher) is
// dropped quietly.
class TUIWriteThread : public TBaseThreadWriter {
public:
    explicit TUIWriteThread(std::shared_ptr<TDPublisher> aPublisher);

    // True once the thread body has returned.
    bool Done() const { return fDone.load(); }

protected:
    void Execute() override;
    bool DoExecute() override;

private:
    std::shared_ptr<TDPublisher> fPublisher;
    std::atomic<bool> fDone{false};
};

// The user-interface update queue. Windows subscribe to Publisher on the
// user-interface thread; any thread queues through QueueNotify.
class TUIWriter : public TMultiThreadWriter {
public:
    TUIWriter();
    // Delivers what is queued, then ends the thread. On the user-interface
    // thread the dispatcher's calls keep running meanwhile, so a delivery in
    // progress completes instead of deadlocking.
    ~TUIWriter() override;

    TDPublisher& Publisher() const { return *fPublisher; }

private:
    explicit TUIWriter(std::shared_ptr<TDPublisher> aPublisher);

    std::shared_ptr<TDPublisher> fPublisher;
};

// Created by the builder after the clock; the last service to go.
extern TUIWriter* UIWriter;

// Any thread: queues a notification on the update queue; does nothing when
// no writer exists or it is being destroyed.
void QueueNotify(int32_t aNotifyCode, TNotifyData aData);
