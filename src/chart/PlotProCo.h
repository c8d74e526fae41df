#pragma once

// The texts of the extended series: the value list names of candles and the
// candle kind's name, and the palette names added with them. Like the core
// table (PlotConst.h), one process-wide variable per text, read at the moment
// of use. UI thread only.

#include <string>

extern std::string PlotMsg_GalleryCandle;
extern std::string PlotMsg_ValuesDate;
extern std::string PlotMsg_ValuesOpen;
extern std::string PlotMsg_ValuesHigh;
extern std::string PlotMsg_ValuesLow;
extern std::string PlotMsg_ValuesClose;
extern std::string PlotMsg_Themes;
extern std::string PlotMsg_ThemeFacts;
extern std::string PlotMsg_ThemeRandom;

// Assigns every text again, in declaration order, undoing a translation.
void PlotSetProConstants();
