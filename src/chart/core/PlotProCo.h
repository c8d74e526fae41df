#pragma once

// The texts of the extended series, functions, tools and commands: value
// list names of candles, kind and function names, tool captions and hints.
// Like the core table (PlotConst.h), one process-wide variable per text, in
// the namespace PlotProCo, read at the moment of use and empty until
// PlotProCoStartup. UI thread only.

#include "chart/core/PlotProCoTexts.h"

#include <string>

namespace PlotProCo {

#define PLOT_DECLARE_TEXT(Name, Text) extern std::string Name;
PLOT_PROCO_TEXTS(PLOT_DECLARE_TEXT)
#undef PLOT_DECLARE_TEXT

} // namespace PlotProCo

// Assigns every text again, in declaration order, undoing a translation.
void PlotSetProConstants();
// As PlotConstStartup and PlotConstShutdown, for this table.
void PlotProCoStartup();
void PlotProCoShutdown();
