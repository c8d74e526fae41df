#include "chart/core/PlotLog.h"

#include <atomic>

namespace {

std::atomic<TPlotLogSink> FaultSink{nullptr};

} // namespace

void SetPlotLogSink(TPlotLogSink Sink) noexcept
{
    FaultSink.store(Sink);
}

void PlotLogFault(const char* Where, const std::exception* E) noexcept
{
    const TPlotLogSink Current = FaultSink.load();
    if (!Current)
        return;
    try {
        Current(std::string(Where) + " | " + (E ? E->what() : "unknown exception"));
    } catch (...) {
        // A failure while reporting a failure is dropped.
    }
}
