#pragma once

// The indicators of one chart: each item owns its parameters and the chart
// series it draws into, and fills them from the chart's candles. The list
// saves and loads them as the chart layout's and templates' "indicators"
// array. User-interface thread only.

#include "chart/chart/Chart.h"
#include "chart/series/Series.h"
#include "terminal/charts/uIndicatorCalc.h"
#include "terminal/charts/uIndicatorInfo.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class TIndicatorList;
class TKlineList;

class TIndicatorItem {
public:
    TIndicatorItem(TIndicatorList& aIndicatorList, std::unique_ptr<TBaseIndicatorInfo> aInfo);
    TIndicatorItem(const TIndicatorItem&) = delete;
    TIndicatorItem& operator=(const TIndicatorItem&) = delete;
    // Takes the series off the chart and frees them.
    ~TIndicatorItem();

    TBaseIndicatorInfo& Info() const { return *fInfo; }

    // Refills the series from aKlineList, which becomes the item's candle
    // list, or from the item's own list when aKlineList is null; nothing
    // without a candle list. The series are created on the first fill. A
    // failure is logged; the points added before it stay.
    void FillSeries(const TKlineList* aKlineList = nullptr);
    // aIndex must lie in 0..GetSeriesCount-1.
    TCustomSeries& GetSeries(int aIndex) const { return *fSeries.at(std::size_t(aIndex)); }
    int GetSeriesCount() const { return int(fSeries.size()); }

    // The candle list last filled from; null before the first.
    const TKlineList* KlineList() const { return fKlineList; }

private:
    friend class TIndicatorList;
    // Refills the series from aCandles, the item's candles in time order.
    void Fill(const TIndicatorCandles& aCandles);
    void AddIndicatorSeries(int aIndex);
    // The colour, pen style and width of the indicator, values outside their
    // tables drawn as the nearest valid ones.
    void ApplyStyle(TCustomSeries& aSeries) const;

    TIndicatorList& fIndicatorList;
    std::unique_ptr<TBaseIndicatorInfo> fInfo;
    std::vector<std::unique_ptr<TCustomSeries>> fSeries;
    // Owned by the chart item, which frees its indicators first.
    const TKlineList* fKlineList = nullptr;
    // The error of the last fill, told when it first came.
    std::string fToldError;
};

class TIndicatorList {
public:
    TIndicatorList() = default;
    TIndicatorList(const TIndicatorList&) = delete;
    TIndicatorList& operator=(const TIndicatorList&) = delete;
    ~TIndicatorList();

    // The chart the series go to; set before the first fill.
    TChart* Chart() const { return fChart; }
    void SetChart(TChart* Value) { fChart = Value; }
    // The indicator last double-clicked; null when none, or when it was
    // deleted or the list reloaded since.
    TIndicatorItem* Selected() const { return fSelected; }
    // Opened over an indicator series on a double click; not owned.
    QMenu* PmIndicator() const { return fPmIndicator; }
    void SetPmIndicator(QMenu* Value) { fPmIndicator = Value; }

    int Count() const { return int(fItems.size()); }
    // i must lie in 0..Count-1.
    TIndicatorItem& Items(int i) const { return *fItems.at(std::size_t(i)); }

    // A new item owning aIndicatorInfo, without series until it is filled.
    TIndicatorItem& Add(std::unique_ptr<TBaseIndicatorInfo> aIndicatorInfo);
    // Frees the item with its series and info; nothing for null.
    void DeleteItem(TIndicatorItem* aItem);
    // The first item drawing into aSeries, else null.
    TIndicatorItem* FindBySeries(const TChartSeries* aSeries) const;
    // Appends every indicator's object to the array aNode, in list order.
    void Save(TIndicatorJson& aNode) const;
    // Replaces the indicators by those of the array aNode, skipping objects
    // of other types; the caller fills them. A node that is no array
    // changes nothing.
    void Load(const TIndicatorJson& aNode);
    // Refills every indicator from its own candle list, sorted once; with a
    // radius, the fractal indicators take it first.
    void Refresh(std::optional<double> aFractalRadius = std::nullopt);
    // Every fractal indicator takes aRadius and is refilled.
    void UpdateFractals(double aRadius);

    // The double-click handler of every indicator series: selects its item
    // and opens the popup menu at (X, Y) of the chart.
    void OnSeriesDblClick(TChartSeries* Sender, int32_t ValueIndex, TMouseButton Button,
                          TShiftState Shift, int X, int Y);

private:
    void Clear();
    // Refills the items aPick takes, sorting each candle list once.
    void FillItems(const std::function<bool(TIndicatorItem&)>& aPick);

    TChart* fChart = nullptr;
    TIndicatorItem* fSelected = nullptr;
    QMenu* fPmIndicator = nullptr;
    std::vector<std::unique_ptr<TIndicatorItem>> fItems;
};
