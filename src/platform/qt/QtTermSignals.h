#pragma once

#include "platform/TermSignals.h"

#include <QObject>
#include <QSocketNotifier>
#include <functional>

// Termination signals delivered through the event loop: OnSignal runs on the
// user-interface thread (the one that creates this object), from whichever
// loop is running there, the loop of a modal dialog included.
class TQtTermSignals : public QObject {
public:
    explicit TQtTermSignals(std::function<void()> aOnSignal);

    bool Received() const { return fSignals.Received(); }

private:
    TTermSignals fSignals;
    QSocketNotifier fNotifier;
    std::function<void()> fOnSignal;
};
