#include "chart/PlotProCo.h"

#include "chart/PlotConst.h"

#define PLOT_PROCO_TEXTS(X)                                                                        \
    X(PlotMsg_GalleryCandle, "Candle")                                                             \
    X(PlotMsg_ValuesDate, "Date")                                                                  \
    X(PlotMsg_ValuesOpen, "Open")                                                                  \
    X(PlotMsg_ValuesHigh, "High")                                                                  \
    X(PlotMsg_ValuesLow, "Low")                                                                    \
    X(PlotMsg_ValuesClose, "Close")                                                                \
    X(PlotMsg_Themes, "Themes")                                                                    \
    X(PlotMsg_ThemeFacts, "Facts")                                                                 \
    X(PlotMsg_ThemeRandom, "Random")

#define PLOT_DEFINE_TEXT(Name, Text) std::string Name = Text;
#define PLOT_TEXT_ENTRY(Name, Text) {&Name, Text},

PLOT_PROCO_TEXTS(PLOT_DEFINE_TEXT)

void PlotSetProConstants()
{
    static const TPlotText Texts[] = {PLOT_PROCO_TEXTS(PLOT_TEXT_ENTRY)};
    PlotAssignTexts(Texts);
}
