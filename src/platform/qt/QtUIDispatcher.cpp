#include "platform/qt/QtUIDispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <stdexcept>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* Addr);
extern "C" void __tsan_release(void* Addr);
#endif

namespace {

// Qt's posted-event queue is locked inside Qt, out of ThreadSanitizer's sight:
// tell it that an event is handed from the posting thread to the receiving one.
void HandOver(QEvent* Event)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(Event);
#endif
}

void TakeOver(QEvent* Event)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(Event);
#endif
}

const QEvent::Type cWakeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Lives on the user-interface thread; each wake event runs the calls queued by
// then. ProcessPending raises nothing: a call's exception goes to its worker.
class TWakeReceiver : public QObject {
public:
    explicit TWakeReceiver(TUIDispatcher& Dispatcher) : fDispatcher(Dispatcher) {}

    bool event(QEvent* Event) override
    {
        TakeOver(Event);
        if (Event->type() != cWakeEvent)
            return QObject::event(Event);
        fDispatcher.ProcessPending();
        return true;
    }

private:
    TUIDispatcher& fDispatcher;
};

} // namespace

TQtUIDispatcher::TQtUIDispatcher()
{
    const QCoreApplication* App = QCoreApplication::instance();
    if (!App || App->thread() != QThread::currentThread())
        throw std::logic_error("TQtUIDispatcher must be created on the application's thread");
    fReceiver = std::make_unique<TWakeReceiver>(*this);
}

TQtUIDispatcher::~TQtUIDispatcher()
{
    // No worker may post to the receiver once it is gone; destroying it also
    // discards the wake events still posted to it.
    Close();
    fReceiver.reset();
}

void TQtUIDispatcher::WakeUIThread() noexcept
{
    auto* Event = new QEvent(cWakeEvent);
    HandOver(Event);
    QCoreApplication::postEvent(fReceiver.get(), Event);
}
