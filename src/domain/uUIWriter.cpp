#include "domain/uUIWriter.h"

#include "domain/uLog.h"
#include "platform/UIDispatcher.h"

#include <chrono>
#include <exception>
#include <mutex>
#include <string>

TUIWriter* UIWriter = nullptr;

namespace {

// The queue of the writer that exists, for producers on any thread.
std::mutex gQueueLock;
std::weak_ptr<TBaseQueue> gQueue;

void ReportDelivery(const std::string& aText)
{
    WriteLog("TUIWriteThread.DoExecute error: " + aText, mtAlert, 0);
}

} // namespace

TUIWriteThread::TUIWriteThread(std::shared_ptr<TDPublisher> aPublisher)
    : fPublisher(std::move(aPublisher))
{
}

void TUIWriteThread::Execute()
{
    TBaseThreadWriter::Execute();
    fDone.store(true);
}

bool TUIWriteThread::DoExecute()
{
    std::unique_ptr<TQueueItem> Item = fQueue ? fQueue->Pop() : nullptr;
    const auto* Info = dynamic_cast<const TUIInfo*>(Item.get());
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (!Info || !Dispatcher)
        return true;
    try {
        Dispatcher->InvokeSync([&] { fPublisher->Notify(Info->NotifyCode(), Info->Data()); });
    } catch (const EUIDispatchDropped&) {
        // Shutting down: nobody is left to tell.
    } catch (const std::exception& E) {
        ReportDelivery(E.what());
    } catch (...) {
        ReportDelivery("unknown exception");
    }
    return true;
}

TUIWriter::TUIWriter() : TUIWriter(std::make_shared<TDPublisher>()) {}

TUIWriter::TUIWriter(std::shared_ptr<TDPublisher> aPublisher)
    : TMultiThreadWriter(std::make_unique<TUIWriteThread>(aPublisher)),
      fPublisher(std::move(aPublisher))
{
    std::lock_guard Lock(gQueueLock);
    gQueue = QueueHandle();
}

TUIWriter::~TUIWriter()
{
    {
        std::lock_guard Lock(gQueueLock);
        if (gQueue.lock().get() == Queue())
            gQueue.reset();
    }
    auto* Thread = static_cast<TUIWriteThread*>(this->Thread());
    Thread->Terminate();
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (Dispatcher && Dispatcher->IsUIThread())
        while (!Dispatcher->WaitWhile([&] { return !Thread->Done(); }, std::chrono::seconds(1))) {
        }
}

void QueueNotify(int32_t aNotifyCode, TNotifyData aData)
{
    std::shared_ptr<TBaseQueue> Queue;
    {
        std::lock_guard Lock(gQueueLock);
        Queue = gQueue.lock();
    }
    if (Queue)
        Queue->Push(std::make_unique<TUIInfo>(aNotifyCode, aData));
}
