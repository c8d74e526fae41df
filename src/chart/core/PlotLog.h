#pragma once

// Faults the chart engine catches where nothing may escape (a paint, an
// event handler of the window system) go to the debug log as alerts, so
// that none vanishes without a line. Never throws.

#include <exception>

// Writes "Where | what" for E, or "Where | unknown exception" without one.
void PlotLogFault(const char* Where, const std::exception* E) noexcept;
