#pragma once

// Faults the chart engine catches where nothing may escape (a paint, an
// event handler of the window system) go to the program's log as alerts, so
// that none vanishes without a line. The engine sits beneath the trading
// core, so the start-up hands it the log as a sink; until then, as the log
// before it opens, a fault is dropped. Never throws.

#include <exception>
#include <string>

// Receives "Where | what"; must not throw.
using TPlotLogSink = void (*)(const std::string& Line);

void SetPlotLogSink(TPlotLogSink Sink) noexcept;

// Writes "Where | what" for E, or "Where | unknown exception" without one.
void PlotLogFault(const char* Where, const std::exception* E) noexcept;
