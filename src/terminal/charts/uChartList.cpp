#include "terminal/charts/uChartList.h"

#include "controls/uMdiWindow.h"
#include "domain/uLog.h"
#include "domain/uUIWriter.h"
#include "platform/qt/AppException.h"
#include "terminal/charts/uChartTiling.h"
#include "terminal/charts/uCharts.h"

#include <algorithm>
#include <exception>
#include <typeinfo>

TChartList::TChartList() = default;

TChartList::~TChartList()
{
    Clear();
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
        Cascade(Item);
        Item.SetSymbol(aSymbol);
        Item.SetActive(true);
        Item.RefreshKlines();
        // Either way the change of charts is announced once.
        if (fFullMode)
            Maximize(wsMaximized);
        else
            fPublisher.Notify(BASE_MAIN_TABS_REFRESH, 0);
        Save();
        return &Item;
    } catch (const std::exception& E) {
        WriteLog(std::string("TChartList.AddNewChart | ") + DemangledName(typeid(E)) + " : " +
                     E.what(),
                 mtAlert, 0);
        return nullptr;
    }
}

void TChartList::Cascade(TChartItem& aItem)
{
    const QWidget* Host = fWinControl;
    if (fItems.size() < 2 || !Host)
        return;
    const TwinctrlMdiWindow* Last = fItems[fItems.size() - 2]->Window();
    if (TwinctrlMdiWindow* Window = aItem.Window(); Window && Last)
        Window->SetBoundsRect(CascadeBounds(Last->NormalBounds(), Window->BoundsRect(),
                                            Host->width(), Host->height()));
}

void TChartList::Delete(TChartItem* aItem)
{
    const auto It = std::find_if(fItems.begin(), fItems.end(),
                                 [aItem](const auto& Item) { return Item.get() == aItem; });
    if (It == fItems.end())
        return;
    const bool WasSelected = aItem->Active();
    const std::size_t Index = std::size_t(It - fItems.begin());
    // Out of the list before it is freed: nothing finds it half-freed.
    std::unique_ptr<TChartItem> Item = std::move(*It);
    fItems.erase(It);
    Item.reset();
    // The next chart in the list, else the one before, takes the selection;
    // the commands follow at once, not after a queued notice.
    if (WasSelected && !fItems.empty())
        fItems[std::min(Index, fItems.size() - 1)]->SetActive(true);
    fPublisher.Notify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
    fPublisher.Notify(BASE_MAIN_TABS_REFRESH, 0);
}

// One by one, each out of the list before it is freed: an item's workers,
// whose last calls run while it waits for them, never see a half-freed list.
void TChartList::Clear()
{
    while (!fItems.empty()) {
        std::unique_ptr<TChartItem> Item = std::move(fItems.back());
        fItems.pop_back();
    }
}

TChartItem* TChartList::GetSelected() const
{
    for (const auto& Item : fItems)
        if (Item->Active())
            return Item.get();
    return nullptr;
}

TChartItem* TChartList::SelectedReady() const
{
    TChartItem* Item = GetSelected();
    return Item && !Item->IsClosing() ? Item : nullptr;
}

std::vector<std::string> TChartList::AsSymbolList() const
{
    std::vector<std::string> Symbols;
    for (const auto& Item : fItems)
        Symbols.push_back(Item->Symbol());
    return Symbols;
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

void TChartList::RefreshKlinesByInterval(TChartInterval aChartInterval)
{
    TChartItem* Item = SelectedReady();
    if (!Item)
        return;
    Item->SetInterval(aChartInterval);
    Item->RefreshKlines();
    Save();
    QueueNotify(BASE_MAIN_INTERVALS_REFRESH, 0);
}

void TChartList::acStickExecute(TChartType aTag)
{
    if (TChartItem* Item = SelectedReady()) {
        Item->acStickExecute(aTag);
        Save();
    }
}

void TChartList::acZoomInExecute()
{
    if (TChartItem* Item = SelectedReady()) {
        Item->acZoomInExecute();
        Save();
        fPublisher.Notify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
    }
}

void TChartList::acZoomOutExecute()
{
    if (TChartItem* Item = SelectedReady()) {
        Item->acZoomOutExecute();
        Save();
        fPublisher.Notify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
    }
}

void TChartList::acAutoScrollExecute(bool aChecked)
{
    TChartItem* Item = SelectedReady();
    if (!Item || Item->ChartSettings().ChartAutoMove() == aChecked)
        return;
    Item->ChartSettings().SetChartAutoMove(aChecked);
    QueueNotify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
}

void TChartList::acShiftToEndExecute(bool aChecked)
{
    TChartItem* Item = SelectedReady();
    if (!Item || Item->ChartSettings().ChartShift() == aChecked)
        return;
    Item->ChartSettings().SetChartShift(aChecked);
    QueueNotify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
}

void TChartList::acChartSettingsExecute()
{
    if (TChartItem* Item = GetSelected())
        Item->acChartSettingsExecute();
}

void TChartList::acIndicatorSettingsExecute()
{
    if (TChartItem* Item = GetSelected())
        Item->acIndicatorSettingsExecute();
}

void TChartList::acIndicatorDeleteExecute()
{
    if (TChartItem* Item = GetSelected())
        Item->acIndicatorDeleteExecute();
}

void TChartList::acNewOrderExecute()
{
    if (TChartItem* Item = GetSelected())
        Item->acNewOrderExecute();
}

void TChartList::Mozaic()
{
    const QWidget* Host = fWinControl;
    if (fItems.empty() || !Host)
        return;
    if (fFullMode)
        Maximize(wsNormal);
    const std::vector<TRect> Cells = MozaicBounds(Count(), Host->width(), Host->height());
    for (std::size_t i = 0; i < fItems.size(); ++i)
        if (TwinctrlMdiWindow* Window = fItems[i]->Window(); Window && !fItems[i]->IsClosing())
            Window->SetNormalBounds(Cells[i]);
    Save();
}

void TChartList::Maximize(TWindowState aState)
{
    fFullMode = aState == wsMaximized;
    for (const auto& Item : fItems) {
        TwinctrlMdiWindow* Window = Item->Window();
        if (!Window || Item->IsClosing())
            continue;
        if (Window->State() != aState)
            Window->SetState(aState);
        Window->SetCaptionVisible(!fFullMode);
    }
    fPublisher.Notify(BASE_MAIN_TABS_REFRESH, 0);
}

void TChartList::acChartRestoreExecute()
{
    Maximize(wsNormal);
    if (TChartItem* Item = SelectedReady(); Item && Item->Window())
        Item->Window()->raise();
}

void TChartList::SetTabsVisible(bool Value)
{
    if (fTabsVisible == Value)
        return;
    fTabsVisible = Value;
    fPublisher.Notify(BASE_MAIN_TABS_REFRESH, 0);
}
