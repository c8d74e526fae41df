#include "chart/chart/PlotStartup.h"

#include "chart/canvas/PlotCanvasTypes.h"
#include "chart/chart/ChartPalettes.h"
#include "chart/core/PlotConst.h"
#include "chart/core/PlotProCo.h"
#include "chart/core/PlotProcs.h"
#include "chart/panel/PlotCursor.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/ChartRegistry.h"
#include "chart/series/FinancialSeries.h"
#include "chart/series/Series.h"

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
    ColorPalettesStartup();
    // The candle kind opens the financial page; later kinds append after it.
    LineSeriesStartup();
    BubbleSeriesStartup();
    CandleSeriesStartup();
    FinancialSeriesStartup();
    Started = true;
}

void PlotEngineShutdown()
{
    if (!Started)
        return;
    Started = false;
    FinancialSeriesShutdown();
    CandleSeriesShutdown();
    BubbleSeriesShutdown();
    LineSeriesShutdown();
    ColorPalettesShutdown();
    ChartShutdown();
    PlotUnregisterCursors();
    PlotProcsShutdown();
    PlotProCoShutdown();
    PlotConstShutdown();
}
