#include "chart/PlotStartup.h"

#include "chart/ChartRegistry.h"
#include "chart/PlotCanvasTypes.h"
#include "chart/PlotConst.h"
#include "chart/PlotCursor.h"
#include "chart/PlotProCo.h"
#include "chart/PlotProcs.h"

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
    Started = true;
}

void PlotEngineShutdown()
{
    if (!Started)
        return;
    Started = false;
    ChartShutdown();
    PlotUnregisterCursors();
    PlotProcsShutdown();
    PlotProCoShutdown();
    PlotConstShutdown();
}
