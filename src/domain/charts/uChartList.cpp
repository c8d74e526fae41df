#include "domain/charts/uChartList.h"

#include "domain/charts/uCharts.h"
#include "domain/uLog.h"
#include "platform/qt/AppException.h"

#include <algorithm>
#include <exception>
#include <typeinfo>

TChartList::TChartList() = default;

TChartList::~TChartList()
{
    // Freed one by one, so that an item's workers never see a half-freed list.
    while (!fItems.empty())
        fItems.pop_back();
}

TChartItem& TChartList::Add()
{
    TChartItem& Item = *fItems.emplace_back(std::make_unique<TChartItem>(*this));
    try {
        Item.CreateWindow();
    } catch (...) {
        fItems.pop_back();
        throw;
    }
    Item.ReadChartColors();
    return Item;
}

TChartItem* TChartList::AddNewChart(const std::string& aSymbol)
{
    try {
        TChartItem& Item = Add();
        Item.SetSymbol(aSymbol);
        Item.SetActive(true);
        Item.RefreshKlines();
        if (fFullMode)
            Maximize(wsMaximized);
        Save();
        return &Item;
    } catch (const std::exception& E) {
        WriteLog(std::string("TChartList.AddNewChart | ") + DemangledName(typeid(E)) + " : " +
                     E.what(),
                 mtAlert, 0);
        return nullptr;
    }
}

void TChartList::Delete(TChartItem* aItem)
{
    const auto It = std::find_if(fItems.begin(), fItems.end(),
                                 [aItem](const auto& Item) { return Item.get() == aItem; });
    if (It == fItems.end())
        return;
    // Out of the list before it is freed: nothing finds it half-freed.
    std::unique_ptr<TChartItem> Item = std::move(*It);
    fItems.erase(It);
}

void TChartList::KlinesUpdate()
{
    for (const auto& Item : fItems)
        Item->KlinesUpdate();
}

void TChartList::TickerPrice()
{
    for (const auto& Item : fItems)
        Item->TickerPrice();
}

void TChartList::RefreshOrdersBubbles()
{
    for (const auto& Item : fItems)
        Item->RefreshOrdersBubbles();
}

void TChartList::Save() {}

void TChartList::Maximize(TWindowState) {}
