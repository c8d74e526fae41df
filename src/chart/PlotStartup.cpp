#include "chart/PlotStartup.h"

#include "chart/PlotCanvasTypes.h"
#include "chart/PlotConst.h"
#include "chart/PlotProCo.h"

void PlotEngineStartup()
{
    PlotConstStartup();
    PlotProCoStartup();
    PlotDefaultFont();
}

void PlotEngineShutdown()
{
    PlotProCoShutdown();
    PlotConstShutdown();
}
