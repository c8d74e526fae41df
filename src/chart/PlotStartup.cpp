#include "chart/PlotStartup.h"

#include "chart/ChartRegistry.h"
#include "chart/PlotCanvasTypes.h"
#include "chart/PlotConst.h"
#include "chart/PlotCursor.h"
#include "chart/PlotProCo.h"
#include "chart/PlotProcs.h"
#include "chart/Series.h"

namespace {

bool Started = false;

} // namespace

void PlotEngineStartup()
{
    if (Started)
        return;
    PlotConstStartup();
    PlotProCoStartup();
    PlotProcsStartup();
    PlotRegisterCursors();
    PlotDefaultFont();
    ChartStartup();
    LineSeriesStartup();
    Started = true;
}

void PlotEngineShutdown()
{
    if (!Started)
        return;
    Started = false;
    LineSeriesShutdown();
    ChartShutdown();
    PlotUnregisterCursors();
    PlotProcsShutdown();
    PlotProCoShutdown();
    PlotConstShutdown();
}
