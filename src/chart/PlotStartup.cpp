#include "chart/PlotStartup.h"

#include "chart/BubbleSeries.h"
#include "chart/CandleSeries.h"
#include "chart/ChartPalettes.h"
#include "chart/ChartRegistry.h"
#include "chart/FinancialSeries.h"
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
