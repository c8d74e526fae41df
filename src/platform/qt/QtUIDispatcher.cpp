#include "platform/qt/QtUIDispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <stdexcept>

namespace {

const QEvent::Type cWakeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Lives on the user-interface thread; each wake event runs the calls queued by
// then. ProcessPending raises nothing: a call's exception goes to its worker.
class TWakeReceiver : public QObject {
public:
    explicit TWakeReceiver(TUIDispatcher& Dispatcher) : fDispatcher(Dispatcher) {}

    bool event(QEvent* Event) override
    {
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
    QCoreApplication::postEvent(fReceiver.get(), new QEvent(cWakeEvent));
}
