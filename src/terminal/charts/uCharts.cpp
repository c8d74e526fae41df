#include "terminal/charts/uCharts.h"

#include "chart/chart/Chart.h"
#include "chart/panel/PlotPanelWidget.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "controls/uMdiWindow.h"
#include "domain/uBaseThread.h"
#include "domain/uLog.h"
#include "domain/uMarketModelThreads.h"
#include "domain/uMarketThreads.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/UIDispatcher.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uIndicators.h"

#include <exception>
#include <stdexcept>

// The item's life, its workers and what they deliver.

namespace {

void LogAlert(const std::string& aText)
{
    WriteLog(aText, mtAlert, 0);
}

} // namespace

TChartItem::TChartItem(TChartList& aChartList)
    : fChartList(aChartList), fLink(std::make_shared<TChartLink>(this)),
      fIndicatorList(std::make_unique<TIndicatorList>())
{
    fIndicatorList->SetPmIndicator(aChartList.PmIndicator());
}

TChartItem::~TChartItem()
{
    try {
        if (!IsClosing()) {
            fLink->SetIsClosing();
            WaitForThreads();
        }
        // From here no worker and no event of the window or the chart finds
        // the item.
        fLink->Detach();
        fSerPrice.reset();
        fSerBuy.reset();
        fSerSell.reset();
        fSerCandles.reset();
        fIndicatorList.reset();
        ReleaseWindow();
    } catch (const std::exception& E) {
        LogAlert(std::string("TDataSetItem.Destroy error: ") + E.what());
    }
}

void TChartItem::ReleaseWindow()
{
    if (!fWindow) {
        fChart.reset();
        return;
    }
    // The chart must outlive the widget that paints it, a child of the
    // window; both may be inside one of their own events now.
    if (auto* Widget = fWindow->findChild<TPlotPanelWidget*>()) {
        std::shared_ptr<TChart> Chart(fChart.release());
        QObject::connect(Widget, &QObject::destroyed, [Chart]() mutable { Chart.reset(); });
    }
    fChart.reset();
    fWindow->CloseAndFree();
}

void TChartItem::DestroyWindow()
{
    if (!Ready())
        return;
    fLink->SetIsClosing();
    WaitForThreads();
    TChartList& List = fChartList;
    List.Delete(this);
    List.Save();
}

void TChartItem::WaitForThreads()
{
    TThreadList& List = fLink->ThreadList();
    List.TerminateAll();
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (!Dispatcher)
        return;
    Dispatcher->ProcessPending();
    Dispatcher->WaitWhile([&List] { return List.Count() > 0; }, cWaitForThreads);
}

bool TChartItem::CanStartWorkers() const
{
    return !IsClosing() && !fSymbol.empty() && Workflow && Workflow->State() == wfsWorking;
}

void TChartItem::RefreshKlines()
{
    if (IsClosing() || !Workflow || Workflow->State() != wfsWorking)
        return;
    try {
        if (fSymbol.empty())
            throw std::runtime_error("TChartItem.RefreshKlines error: no symbol");
        RefreshWindowCaption();
        if (!fViewPlaced)
            PlaceAtPresent();
        SetIsLoading(true);
        fHistory = StartKlinesHistory(fLink, fSymbol);
    } catch (const std::exception& E) {
        LogAlert(std::string("TChartItem.RefreshChartInputData error: ") + E.what());
    }
}

bool TChartItem::HistoryRunning() const
{
    const std::shared_ptr<TThread> History = fHistory.lock();
    return History && !History->Finished() && !History->Terminated();
}

// A chart without candles (its history load failed) loads its history
// again; the two newest wait for a load in progress.
void TChartItem::KlinesUpdate()
{
    if (!CanStartWorkers() || HistoryRunning())
        return;
    if (fKlineList.Count() == 0)
        RefreshKlines();
    else
        StartKlines(fLink, fSymbol, 2);
}

// The price of a symbol that the all-symbols price poll brings is taken
// from there: twenty charts then ask for nothing more each second. While
// that poll is still out, its answer is waited for.
void TChartItem::TickerPrice()
{
    if (!CanStartWorkers())
        return;
    const TSymbol* Polled = User ? User->SymbolShowList().SymbolList().Find(fSymbol) : nullptr;
    if (!Polled || Polled->LastPrice() <= 0) {
        if (!RequestRunning(RequestKey(cTickerPriceKind)))
            StartChartPrice(fLink, fSymbol);
        return;
    }
    fChartPrice = Polled->LastPrice();
    RefreshChartPrice();
}

void TChartItem::OnNotify(int32_t EventID, TNotifyData)
{
    if (!Ready())
        return;
    switch (EventID) {
    case BASE_MAIN_KLINES:
        RefreshChart();
        fIndicatorList->Refresh();
        break;
    case BASE_MAIN_CHART_CLEAR:
        if (fSerCandles)
            fSerCandles->Clear();
        break;
    case BASE_MAIN_TICKERPRICE:
        RefreshChartPrice();
        break;
    case BASE_MAIN_USERORDERS:
        RefreshOrdersBubbles();
        break;
    case BASE_MAIN_INDICATOR_REFRESH:
        fIndicatorList->Refresh();
        break;
    default:
        break;
    }
}

void TChartItem::SetIsLoading(bool Value)
{
    if (fIsLoading == Value)
        return;
    fIsLoading = Value;
    if (!fChart)
        return;
    if (QWidget* Host = fChart->Host()) {
        // A disabled widget hands its focus on, which would deactivate the
        // chart's window (a reload must keep the chart selected): the
        // window holds the focus meanwhile and gives it back.
        const QWidget* Focus = Host->window()->focusWidget();
        if (Value && Focus == Host && fWindow)
            fWindow->setFocus();
        Host->setEnabled(!Value);
        if (!Value && fWindow && Focus == fWindow)
            Host->setFocus();
    }
    fChart->Invalidate();
}

void TChartItem::ChartFullRefresh()
{
    if (!Ready() || !fChart)
        return;
    RefreshZoom();
    InitLeftZoom();
    FixLeftSide();
    FixRightSide();
    FixChartHeight();
    SetBarWidth();
    if (fSerCandles && fSerCandles->Count() > 0)
        fViewPlaced = true;
    RefreshOrdersBubbles();
    // Fractals read from a layout or template come without a radius.
    fIndicatorList->Refresh(BubbleRadius());
    if (fWindow)
        fWindow->Realign();
    fChart->Invalidate();
}

void TChartItem::SetInterval(TChartInterval aValue)
{
    if (!Ready() || aValue == fInterval)
        return;
    EndHistory();
    fInterval = aValue;
    fKlineList.Clear();
    if (fSerCandles)
        fSerCandles->Clear();
}

// Not waited for: the user-interface thread would stand still for a slow
// exchange. Ended, the load asks for nothing more, its page in flight is
// dropped and it leaves the chart as it is.
void TChartItem::EndHistory()
{
    const std::shared_ptr<TThread> History = fHistory.lock();
    if (!History || History->Finished())
        return;
    History->Terminate();
    fKlineList.SetIsLoading(false);
    SetIsLoading(false);
}

void TChartItem::RefreshWindowCaption()
{
    if (!fWindow)
        return;
    fWindow->SetCaption(fSymbol + " " + std::string(TChartIntervalStr[fInterval]) + " (" +
                        std::to_string(cZoom[fChartSettings.Zoom()]) + "%)");
}

TwinctrlMdiWindow* TChartItem::Window() const
{
    return fWindow;
}

bool TChartItem::Active() const
{
    return fWindow && fWindow->Active();
}

void TChartItem::SetActive(bool)
{
    if (fWindow)
        fWindow->Activate();
}
