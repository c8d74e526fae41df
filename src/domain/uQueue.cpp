#include "domain/uQueue.h"

#include <exception>

namespace {

constexpr uint32_t cWriterWaitSlice = 50;

std::atomic<TWriterErrorHook> gWriterErrorHook{nullptr};

// Runs Step; an exception escaping it is handed to the hook.
template <typename TStep> void Guarded(TStep&& Step)
{
    std::string Error;
    try {
        Step();
        return;
    } catch (const std::exception& E) {
        Error = E.what();
    } catch (...) {
        Error = "unknown exception";
    }
    if (TWriterErrorHook Hook = gWriterErrorHook.load())
        Hook("TBaseThreadWriter.Execute error: " + Error);
}

} // namespace

TBaseQueue::~TBaseQueue()
{
    Clear();
}

void TBaseQueue::SetSemaphore(TSemaphore* aSemaphore)
{
    std::lock_guard Lock(fCriticalSection);
    fSemaphore = aSemaphore;
}

void TBaseQueue::Push(std::unique_ptr<TQueueItem> aQueueItem)
{
    if (!aQueueItem)
        return;
    std::lock_guard Lock(fCriticalSection);
    if (fClosed)
        return;
    TQueueItem* Item = aQueueItem.release();
    if (fHead)
        fHead->fNext = Item;
    else
        fTail = Item;
    fHead = Item;
    if (fSemaphore)
        fSemaphore->Release();
}

std::unique_ptr<TQueueItem> TBaseQueue::Pop()
{
    std::lock_guard Lock(fCriticalSection);
    TQueueItem* Item = fTail;
    if (!Item)
        return nullptr;
    fTail = Item->fNext;
    if (!fTail)
        fHead = nullptr;
    Item->fNext = nullptr;
    return std::unique_ptr<TQueueItem>(Item);
}

void TBaseQueue::Close()
{
    std::lock_guard Lock(fCriticalSection);
    fClosed = true;
    fSemaphore = nullptr;
    Clear();
}

void TBaseQueue::Clear()
{
    while (fTail) {
        TQueueItem* Item = fTail;
        fTail = Item->fNext;
        delete Item;
    }
    fHead = nullptr;
}

void SetWriterErrorHook(TWriterErrorHook aHook)
{
    gWriterErrorHook.store(aHook);
}

TBaseThreadWriter::~TBaseThreadWriter()
{
    Terminate();
    WaitFor();
}

void TBaseThreadWriter::Start()
{
    fThread = std::thread([this] { Guarded([this] { Execute(); }); });
}

void TBaseThreadWriter::WaitFor()
{
    if (fThread.joinable())
        fThread.join();
}

// A failing item must not end the writer, or the rest of the queue would never
// be handled: the failure is reported and the loop goes on.
void TBaseThreadWriter::Execute()
{
    Guarded([this] { DoBefore(); });
    for (;;) {
        if (!fSemaphore)
            return;
        if (fSemaphore->AcquireEx(cWriterWaitSlice) == arObject) {
            bool Continue = true;
            Guarded([&] { Continue = DoExecute(); });
            if (!Continue)
                return;
        } else if (Terminated()) {
            Guarded([this] { DoAfter(); });
            return;
        }
    }
}

TMultiThreadWriter::TMultiThreadWriter(std::unique_ptr<TBaseThreadWriter> aThreadWriter)
    : fSemaphore(std::make_unique<TSemaphore>(0, 0x7FFFFFFF)),
      fQueue(std::make_shared<TBaseQueue>()), fThreadWriter(std::move(aThreadWriter))
{
    fQueue->SetSemaphore(fSemaphore.get());
    fThreadWriter->SetSemaphore(fSemaphore.get());
    fThreadWriter->SetQueue(fQueue.get());
    fThreadWriter->Start();
}

TMultiThreadWriter::~TMultiThreadWriter()
{
    fThreadWriter->Terminate();
    fThreadWriter->WaitFor();
    fQueue->Close();
    fSemaphore.reset();
    fQueue.reset();
    fThreadWriter.reset();
}
