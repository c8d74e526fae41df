#include "platform/qt/QtTermSignals.h"

TQtTermSignals::TQtTermSignals(std::function<void()> aOnSignal)
    : fNotifier(fSignals.ReadFd(), QSocketNotifier::Read), fOnSignal(std::move(aOnSignal))
{
    connect(&fNotifier, &QSocketNotifier::activated, this, [this] {
        fSignals.Drain();
        if (fOnSignal)
            fOnSignal();
    });
}
