#include "chart/series/ChartRegistry.h"

#include <algorithm>

namespace {

std::unique_ptr<TPlotSeriesTypes> SeriesTypes;
std::unique_ptr<std::vector<TPlotToolClass>> ToolTypes;

template <class T> bool Contains(std::span<const T> Items, T Item)
{
    return std::find(Items.begin(), Items.end(), Item) != Items.end();
}

} // namespace

TPlotSeriesType& TPlotSeriesTypes::Add(const TPlotSeriesType& Item)
{
    return *FItems.emplace_back(std::make_unique<TPlotSeriesType>(Item));
}

void TPlotSeriesTypes::RemoveSeries(std::span<const TChartSeriesClass> Classes)
{
    std::erase_if(FItems, [&](const auto& T) { return Contains(Classes, T->SeriesClass); });
}

void TPlotSeriesTypes::RemoveFunctions(std::span<const TPlotFunctionClass> Classes)
{
    std::erase_if(FItems, [&](const auto& T) { return Contains(Classes, T->FunctionClass); });
}

TPlotSeriesTypes& PlotSeriesTypes()
{
    if (!SeriesTypes)
        SeriesTypes = std::make_unique<TPlotSeriesTypes>();
    return *SeriesTypes;
}

std::vector<TPlotToolClass>& PlotToolTypes()
{
    if (!ToolTypes)
        ToolTypes = std::make_unique<std::vector<TPlotToolClass>>();
    return *ToolTypes;
}

TPlotSeriesType& RegisterPlotSeriesFunction(TChartSeriesClass ASeriesClass,
                                            TPlotFunctionClass AFunctionClass,
                                            const std::string* ADescription,
                                            const std::string* AGalleryPage, int ANumGallerySeries,
                                            int ASubIndex)
{
    TPlotSeriesTypes& Types = PlotSeriesTypes();
    if (ASubIndex == 0)
        for (int I = 0; I < Types.Count(); ++I) {
            TPlotSeriesType& T = Types.Items(I);
            if (T.SeriesClass == ASeriesClass && T.FunctionClass == AFunctionClass)
                return T;
        }
    return Types.Add(
        {ASeriesClass, AFunctionClass, ADescription, AGalleryPage, ANumGallerySeries, ASubIndex});
}

TPlotSeriesType& RegisterPlotSeries(TChartSeriesClass ASeriesClass, const std::string* ADescription,
                                    const std::string* AGalleryPage, int ANumGallerySeries)
{
    return RegisterPlotSeriesFunction(ASeriesClass, nullptr, ADescription, AGalleryPage,
                                      ANumGallerySeries);
}

TPlotSeriesType& RegisterPlotFunction(TPlotFunctionClass AFunctionClass,
                                      const std::string* ADescription,
                                      const std::string* AGalleryPage, int ANumGallerySeries)
{
    return RegisterPlotSeriesFunction(nullptr, AFunctionClass, ADescription, AGalleryPage,
                                      ANumGallerySeries);
}

void UnRegisterPlotSeries(std::span<const TChartSeriesClass> Classes)
{
    PlotSeriesTypes().RemoveSeries(Classes);
}

void UnRegisterPlotFunctions(std::span<const TPlotFunctionClass> Classes)
{
    PlotSeriesTypes().RemoveFunctions(Classes);
}

void RegisterPlotTools(std::span<const TPlotToolClass> Classes)
{
    std::vector<TPlotToolClass>& Types = PlotToolTypes();
    for (TPlotToolClass C : Classes)
        if (C && !Contains(std::span<const TPlotToolClass>(Types), C))
            Types.push_back(C);
}

void UnRegisterPlotTools(std::span<const TPlotToolClass> Classes)
{
    std::erase_if(PlotToolTypes(), [&](TPlotToolClass C) { return Contains(Classes, C); });
}

void ChartStartup()
{
    PlotSeriesTypes();
    PlotToolTypes();
}

void ChartShutdown()
{
    SeriesTypes.reset();
    ToolTypes.reset();
}
