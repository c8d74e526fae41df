#pragma once

// The chart engine's process-wide registries: the series kinds a gallery
// offers (each a series class, a function class or both, with its texts),
// the tool kinds, and the engine start-up that creates them with the palette
// names. Series kinds register in their own start-up. UI thread only.

#include <memory>
#include <span>
#include <string>
#include <typeinfo>
#include <vector>

class TChartSeries;
class TPlotFunction;

// A class as the registries hold it: which one, and how to make one.
template <class TBase> struct TPlotClass {
    const std::type_info& Type;
    std::unique_ptr<TBase> (*Create)();
};
using TChartSeriesClass = const TPlotClass<TChartSeries>*;
using TPlotFunctionClass = const TPlotClass<TPlotFunction>*;
// Tool kinds are known by their type alone: the chart makes no tools itself.
using TPlotToolClass = const std::type_info*;

// The one descriptor of series class T (of function class T).
template <class T> TChartSeriesClass SeriesClassOf()
{
    static const TPlotClass<TChartSeries> Class{
        typeid(T), []() -> std::unique_ptr<TChartSeries> { return std::make_unique<T>(); }};
    return &Class;
}
template <class T> TPlotFunctionClass FunctionClassOf()
{
    static const TPlotClass<TPlotFunction> Class{
        typeid(T), []() -> std::unique_ptr<TPlotFunction> { return std::make_unique<T>(); }};
    return &Class;
}

// One gallery entry. The texts are message-table variables, read when shown.
struct TPlotSeriesType {
    TChartSeriesClass SeriesClass = nullptr;
    TPlotFunctionClass FunctionClass = nullptr;
    const std::string* Description = nullptr;
    const std::string* GalleryPage = nullptr;
    int NumGallerySeries = 1;
    int SubIndex = 0; // a sub-style of the kind; 0 for its main entry
};

// The registered kinds in registration order; the list owns its entries.
class TPlotSeriesTypes {
public:
    int Count() const { return int(FItems.size()); }
    TPlotSeriesType& Items(int Index) const { return *FItems.at(size_t(Index)); }
    TPlotSeriesType& Add(const TPlotSeriesType& Item);
    // Removes every entry whose series (function) class is one of Classes.
    void RemoveSeries(std::span<const TChartSeriesClass> Classes);
    void RemoveFunctions(std::span<const TPlotFunctionClass> Classes);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TPlotSeriesType>> FItems;
};

// Created on first use; freed by the engine's stop.
TPlotSeriesTypes& PlotSeriesTypes();
std::vector<TPlotToolClass>& PlotToolTypes();

// A main entry (SubIndex 0) of a series and function pair already listed is
// returned as it stands; anything else is appended. Either class may be none.
TPlotSeriesType& RegisterPlotSeriesFunction(TChartSeriesClass ASeriesClass,
                                            TPlotFunctionClass AFunctionClass,
                                            const std::string* ADescription,
                                            const std::string* AGalleryPage, int ANumGallerySeries,
                                            int ASubIndex = 0);
TPlotSeriesType& RegisterPlotSeries(TChartSeriesClass ASeriesClass, const std::string* ADescription,
                                    const std::string* AGalleryPage, int ANumGallerySeries = 1);
TPlotSeriesType& RegisterPlotFunction(TPlotFunctionClass AFunctionClass,
                                      const std::string* ADescription,
                                      const std::string* AGalleryPage, int ANumGallerySeries = 1);
void UnRegisterPlotSeries(std::span<const TChartSeriesClass> Classes);
void UnRegisterPlotFunctions(std::span<const TPlotFunctionClass> Classes);
// Each tool kind is listed once.
void RegisterPlotTools(std::span<const TPlotToolClass> Classes);
void UnRegisterPlotTools(std::span<const TPlotToolClass> Classes);

// The registries and the palette names: created by the start, freed by the stop.
void ChartStartup();
void ChartShutdown();
