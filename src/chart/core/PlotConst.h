#pragma once

// The core texts of the chart engine: the messages its property checks raise,
// the default number formats, the names of axes, value lists and series kinds,
// the default font, the palette names and the captions of its editors and
// commands. Each text is one process-wide variable of the namespace
// PlotConst, so that a translation replaces them all in one place; code reads
// the variable at the moment it raises or shows the text. The variables are
// empty until PlotConstStartup. UI thread only.

#include "chart/core/PlotConstTexts.h"

#include <span>
#include <string>

namespace PlotConst {

#define PLOT_DECLARE_TEXT(Name, Text) extern std::string Name;
PLOT_CONST_TEXTS(PLOT_DECLARE_TEXT)
#undef PLOT_DECLARE_TEXT

// The extension of the engine's own chart files, and the three texts
// composed from it: "Invalid Chart in *.<ext> file", "Wrong *.<ext> file
// format", "Empty *.<ext> file".
inline constexpr const char* PlotMsg_PlotExtension = "tvc";
extern std::string PlotMsg_InvalidPlotFile;
extern std::string PlotMsg_WrongPlotFileFormat;
extern std::string PlotMsg_EmptyPlotFile;

} // namespace PlotConst

// Assigns every text, in declaration order, then composes the file texts;
// undoes a translation.
void PlotSetConstants();
// The table's start: assigns the texts once (a second start changes nothing,
// so a translation made after it stays). The stop empties every text.
void PlotConstStartup();
void PlotConstShutdown();

// One entry of a message table: the variable and its English text.
struct TPlotText {
    std::string* Variable;
    const char* Text;
};
// Assigns each text to its variable; empties every variable.
void PlotAssignTexts(std::span<const TPlotText> Texts);
void PlotClearTexts(std::span<const TPlotText> Texts);
