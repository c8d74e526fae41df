#pragma once

#include "platform/TickSource.h"

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

// Timers of the Qt event loop; lives and ticks on the thread that created it
// (the user-interface thread).
class TQtTickSource : public QObject, public ITickSource {
    Q_OBJECT
public:
    explicit TQtTickSource(QObject* Parent = nullptr) : QObject(Parent) {}

    void SetHandler(THandler Handler) override { fHandler = std::move(Handler); }
    void SetTimer(std::uintptr_t TimerID, unsigned IntervalMs) override;
    void KillTimer(std::uintptr_t TimerID) override;

private:
    void Deliver(std::uintptr_t TimerID);

    THandler fHandler;
    std::map<std::uintptr_t, std::unique_ptr<QTimer>> fTimers;
};
