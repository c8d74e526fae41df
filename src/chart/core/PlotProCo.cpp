#include "chart/core/PlotProCo.h"

#include "chart/core/PlotConst.h"

namespace PlotProCo {

#define PLOT_DEFINE_TEXT(Name, Text) std::string Name;
PLOT_PROCO_TEXTS(PLOT_DEFINE_TEXT)
#undef PLOT_DEFINE_TEXT

} // namespace PlotProCo

namespace {

#define PLOT_TEXT_ENTRY(Name, Text) {&PlotProCo::Name, Text},
const TPlotText ProTexts[] = {PLOT_PROCO_TEXTS(PLOT_TEXT_ENTRY)};
#undef PLOT_TEXT_ENTRY

bool ProStarted = false;

} // namespace

void PlotSetProConstants()
{
    PlotAssignTexts(ProTexts);
}

void PlotProCoStartup()
{
    if (ProStarted)
        return;
    ProStarted = true;
    PlotSetProConstants();
}

void PlotProCoShutdown()
{
    ProStarted = false;
    PlotClearTexts(ProTexts);
}
