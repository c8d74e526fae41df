#include "chart/core/PlotLog.h"

#include "domain/uLog.h"

#include <string>

void PlotLogFault(const char* Where, const std::exception* E) noexcept
{
    try {
        WriteLog(std::string(Where) + " | " + (E ? E->what() : "unknown exception"), mtAlert, 0);
    } catch (...) {
        // A failure while reporting a failure is dropped.
    }
}
