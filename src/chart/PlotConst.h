#pragma once

// The core texts of the chart engine: the messages its property checks raise,
// the default number formats, the names of axes, value lists and series kinds,
// the default font and the palette names. Each text is one process-wide
// variable, so that a translation replaces them all in one place; code reads
// the variable at the moment it raises or shows the text. UI thread only.

#include <span>
#include <string>

extern std::string PlotMsg_LegendFirstValue;
extern std::string PlotMsg_LegendColorWidth;
extern std::string PlotMsg_AxisLogDateTime;
extern std::string PlotMsg_AxisLogNotPositive;
extern std::string PlotMsg_AxisLabelSep;
extern std::string PlotMsg_AxisIncrementNeg;
extern std::string PlotMsg_AxisMinMax;
extern std::string PlotMsg_AxisMaxMin;
extern std::string PlotMsg_AxisLogBase;
extern std::string PlotMsg_MaxPointsPerPage;
// "%d" placeholders: the lowest and highest percent allowed.
extern std::string PlotMsg_3dPercent;
extern std::string PlotMsg_CircularSeries;
extern std::string PlotMsg_DefaultPercentOf;
extern std::string PlotMsg_DefaultPercentOf2;
extern std::string PlotMsg_DefPercentFormat;
extern std::string PlotMsg_DefValueFormat;
extern std::string PlotMsg_DefLogValueFormat;
extern std::string PlotMsg_AxisTitle;
extern std::string PlotMsg_AxisLabels;
extern std::string PlotMsg_SeriesParentNoSelf;
extern std::string PlotMsg_GalleryLine;
extern std::string PlotMsg_GalleryPoint;
extern std::string PlotMsg_GalleryFastLine;
extern std::string PlotMsg_TopAxis;
extern std::string PlotMsg_BottomAxis;
extern std::string PlotMsg_LeftAxis;
extern std::string PlotMsg_RightAxis;
extern std::string PlotMsg_DefaultFontSize;
extern std::string PlotMsg_GalleryBubble;
extern std::string PlotMsg_DefaultFontName;
extern std::string PlotMsg_CheckPointerSize;
extern std::string PlotMsg_DepthAxis;
extern std::string PlotMsg_ValuesX;
extern std::string PlotMsg_ValuesY;
extern std::string PlotMsg_ValuesBubbleRadius;
extern std::string PlotMsg_Legend;
// "%d" placeholders: the index asked for and the last valid index.
extern std::string PlotMsg_SeriesDelete;
extern std::string PlotMsg_DepthTopAxis;
extern std::string PlotMsg_ThemeDefault;
extern std::string PlotMsg_ThemeExcel;
extern std::string PlotMsg_ThemeVictorian;
extern std::string PlotMsg_ThemePastels;
extern std::string PlotMsg_ThemeSolid;
extern std::string PlotMsg_ThemeClassic;
extern std::string PlotMsg_ThemeWeb;
extern std::string PlotMsg_ThemeModern;
extern std::string PlotMsg_ThemeRainbow;
extern std::string PlotMsg_ThemeWinXP;
extern std::string PlotMsg_ThemeMacOS;
extern std::string PlotMsg_ThemeWinVista;
extern std::string PlotMsg_ThemeGrayScale;
extern std::string PlotMsg_ThemeOpera;
extern std::string PlotMsg_ThemeWarm;
extern std::string PlotMsg_ThemeCool;

// Every variable holds its English text from start-up on; this assigns them
// all again, in declaration order, undoing a translation.
void PlotSetConstants();

// One entry of a message table: the variable and its English text.
struct TPlotText {
    std::string* Variable;
    const char* Text;
};
// Assigns each text to its variable; the tables' setters use it.
void PlotAssignTexts(std::span<const TPlotText> Texts);
