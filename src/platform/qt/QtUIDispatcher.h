#pragma once

#include "platform/UIDispatcher.h"

#include <memory>

class QObject;

// The dispatcher of the running program. Created on the thread of the Qt
// application, after the application object. A worker's call wakes that
// thread by posting an event to an object living there, so the calls also run
// while the thread sits in its event loop or in a modal dialog's loop.
class TQtUIDispatcher : public TUIDispatcher {
public:
    TQtUIDispatcher();
    ~TQtUIDispatcher() override;

protected:
    void WakeUIThread() noexcept override;

private:
    std::unique_ptr<QObject> fReceiver;
};
