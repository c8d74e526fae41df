#include "chart/series/FinancialSeries.h"

#include "chart/core/PlotProCo.h"
#include "chart/series/ChartRegistry.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/FinancialFunctions.h"
#include "chart/series/VolumeSeries.h"

namespace {

const TChartSeriesClass FinancialSeriesClasses[] = {SeriesClassOf<TVolumeSeries>(),
                                                    SeriesClassOf<TDarvasSeries>()};
const TPlotFunctionClass FinancialFunctionClasses[] = {FunctionClassOf<TADXFunction>(),
                                                       FunctionClassOf<TRSIFunction>()};

} // namespace

void FinancialSeriesStartup()
{
    using namespace PlotProCo;
    RegisterPlotSeries(FinancialSeriesClasses[0], &PlotMsg_GalleryVolume,
                       &PlotMsg_GalleryFinancial);
    RegisterPlotSeries(FinancialSeriesClasses[1], &PlotMsg_GalleryDarvas,
                       &PlotMsg_GalleryFinancial);
    RegisterPlotFunction(FinancialFunctionClasses[0], &PlotMsg_FunctionADX,
                         &PlotMsg_GalleryFinancial);
    RegisterPlotFunction(FinancialFunctionClasses[1], &PlotMsg_FunctionRSI,
                         &PlotMsg_GalleryFinancial);
}

void FinancialSeriesShutdown()
{
    UnRegisterPlotFunctions(FinancialFunctionClasses);
    UnRegisterPlotSeries(FinancialSeriesClasses);
}
