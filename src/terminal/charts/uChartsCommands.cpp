#include "chart/chart/Chart.h"
#include "domain/uUIWriter.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"

// The commands of one chart: indicators, settings, chart type, zoom and a
// new order for its symbol. Each does nothing while the chart is being built
// or closes; a dialog that is not set counts as cancelled.

void TChartItem::AddIndicator(std::unique_ptr<TBaseIndicatorInfo> aInfo)
{
    if (!Ready() || !aInfo || !fChart)
        return;
    aInfo->Reset();
    const auto& Execute = fChartList.Dialogs().ExecuteDlgIndicator;
    if (!Execute || !Execute(*aInfo))
        return;
    if (auto* Fractal = dynamic_cast<TFractalIndicatorInfo*>(aInfo.get()))
        Fractal->SetRadius(BubbleRadius());
    fIndicatorList->Add(std::move(aInfo)).FillSeries(&fKlineList);
    fChartList.Save();
}

void TChartItem::LoadIndicators(const TIndicatorJson& aNode)
{
    fIndicatorList->Load(aNode);
    for (int i = 0; i < fIndicatorList->Count(); ++i)
        fIndicatorList->Items(i).FillSeries(&fKlineList);
}

void TChartItem::acIndicatorSettingsExecute()
{
    TIndicatorItem* Item = Ready() ? fIndicatorList->Selected() : nullptr;
    const auto& Execute = fChartList.Dialogs().ExecuteDlgIndicator;
    if (Item && Execute && Execute(Item->Info()))
        Item->FillSeries();
}

void TChartItem::acIndicatorDeleteExecute()
{
    TIndicatorItem* Item = Ready() ? fIndicatorList->Selected() : nullptr;
    if (!Item)
        return;
    fIndicatorList->DeleteItem(Item);
    fChartList.Save();
}

void TChartItem::acChartSettingsExecute()
{
    if (!Ready() || !fChart)
        return;
    ReadChartColors();
    const auto& Execute = fChartList.Dialogs().ExecuteDlgChartSettings;
    if (!Execute || !Execute(fKlineList, fChartSettings))
        return;
    LoadChartColors();
    RefreshChartType();
    fChartList.Save();
    QueueNotify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
}

void TChartItem::acStickExecute(TChartType aTag)
{
    if (!Ready() || aTag == fChartSettings.ChartType())
        return;
    fChartSettings.SetChartType(aTag);
    RefreshChartType();
}

void TChartItem::acZoomInExecute()
{
    if (Ready() && fChartSettings.Zoom() != z0)
        SetZoom(TZoom(fChartSettings.Zoom() - 1));
}

void TChartItem::acZoomOutExecute()
{
    if (Ready() && fChartSettings.Zoom() != z5)
        SetZoom(TZoom(fChartSettings.Zoom() + 1));
}

void TChartItem::acNewOrderExecute()
{
    const auto& Execute = fChartList.Dialogs().ExecuteOrder;
    if (Ready() && Execute)
        Execute(fSymbol);
}
