#include "chart/chart/Chart.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "domain/uLog.h"
#include "domain/uProfile.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uChartSettingsView.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uCharts.h"

#include <algorithm>
#include <exception>
#include <vector>

// Candles, the live price and the open orders into the chart's series, and
// the chart's look from its settings.

namespace {

// One begin/end-update bracket: the series repaints once, on every way out.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TChartSeries& aSeries) : fSeries(aSeries) { fSeries.BeginUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;
    ~TUpdateBracket() { fSeries.EndUpdate(); }

private:
    TChartSeries& fSeries;
};

void LogAlert(const std::string& aText, const std::exception& E)
{
    WriteLog(aText + E.what(), mtAlert, 0);
}

// The index of the candle of aDate, else -1; the dates ascend.
int32_t FindCandle(const TCandleSeries& aCandles, double aDate)
{
    const double* First = aCandles.DateValues().Data();
    const double* Last = First + aCandles.Count();
    const double* It = std::lower_bound(First, Last, aDate);
    return It != Last && *It == aDate ? int32_t(It - First) : -1;
}

void SetPrices(TCandleSeries& aCandles, int32_t aIndex, const TKline& aKline)
{
    aCandles.OpenValues().SetValue(aIndex, aKline.Open());
    aCandles.HighValues().SetValue(aIndex, aKline.High());
    aCandles.LowValues().SetValue(aIndex, aKline.Low());
    aCandles.CloseValues().SetValue(aIndex, aKline.Close());
}

} // namespace

// A candle already shown changes in place; the new ones go in as one batch,
// each to its date's place.
void TChartItem::RefreshChart()
{
    if (!fSerCandles)
        return;
    TCandleSeries& Candles = *fSerCandles;
    TUpdateBracket Bracket(Candles);
    try {
        // The value lists in the series' order: date, close, high, low, open.
        TChartPointsBatch Batch;
        Batch.Values.resize(5);
        for (int i = 0; i < fKlineList.Count(); ++i) {
            TKline& Kline = fKlineList.Items(i);
            if (Kline.IsInChart())
                continue;
            // A row without its open time reads as 0, which is 1970, not the
            // empty date: told and left out like a time no date can show.
            const double Date = Kline.OpenTimeEx();
            if (Kline.OpenTime() <= 0 || Date == 0) {
                WriteLog("TChartItem.RefreshChart error: opentime = 0, symbol=" + fSymbol, mtAlert,
                         0);
                continue;
            }
            if (const int32_t Index = FindCandle(Candles, Date); Index >= 0) {
                SetPrices(Candles, Index, Kline);
            } else {
                for (const auto& [Column, Value] :
                     {std::pair{0, Date}, std::pair{1, Kline.Close()}, std::pair{2, Kline.High()},
                      std::pair{3, Kline.Low()}, std::pair{4, Kline.Open()}})
                    Batch.Values[std::size_t(Column)].push_back(Value);
            }
            Kline.SetIsInChart(true);
        }
        Candles.AddPoints(Batch);
    } catch (const std::exception& E) {
        LogAlert("TChartItem.RefreshChart serCandles error: ", E);
    }
}

void TChartItem::RefreshChartPrice()
{
    // No price yet, or none from a failed reply.
    if (IsClosing() || !fSerPrice || fChartPrice <= 0)
        return;
    try {
        {
            TUpdateBracket Bracket(*fSerPrice);
            fSerPrice->Clear();
            fSerPrice->AddXY(fSerCandles->MinXValue(), fChartPrice);
            fSerPrice->AddXY(fSerCandles->MaxXValue(), fChartPrice);
        }
        if (const int32_t Last = fSerCandles->Count() - 1; Last >= 0) {
            TUpdateBracket Bracket(*fSerCandles);
            if (fSerCandles->HighValues()[Last] < fChartPrice)
                fSerCandles->HighValues().SetValue(Last, fChartPrice);
            if (fSerCandles->LowValues()[Last] > fChartPrice)
                fSerCandles->LowValues().SetValue(Last, fChartPrice);
            fSerCandles->CloseValues().SetValue(Last, fChartPrice);
            // A price beyond the axis would cut the newest candle off: the
            // axis takes the visible candles' range again.
            const TChartAxis& Price = *fChart->RightAxis();
            if ((fChartPrice > Price.Maximum() || fChartPrice < Price.Minimum()) &&
                fSerCandles->LastValueIndex() == Last)
                FixChartHeight();
        }
        if (fChartSettings.ChartAutoMove()) {
            const double Right = RightEdge(fClock(), fChartSettings.ChartShift(),
                                           CalcMaxVisibleCandleCount(), CalcCandleDistanceDate());
            TChartAxis& Bottom = *fChart->BottomAxis();
            if (Bottom.Maximum() != Right)
                Bottom.SetMinMax(Right - (Bottom.Maximum() - Bottom.Minimum()), Right);
        }
    } catch (const std::exception& E) {
        LogAlert("TChartItem.RefreshChartPrice error: ", E);
    }
}

void TChartItem::RefreshOrdersBubbles()
{
    if (!Ready() || !Profile || !fSerBuy)
        return;
    const TUserOrderList& Orders = Profile->MainProfile().UserOrderList();
    try {
        TUpdateBracket Buy(*fSerBuy);
        TUpdateBracket Sell(*fSerSell);
        fSerBuy->Clear();
        fSerSell->Clear();
        const double Radius = BubbleRadius();
        for (const TUserOrder& Order : Orders) {
            if (Order.Symbol() != fSymbol)
                continue;
            TBubbleSeries& Bubbles = Order.Side() == "BUY" ? *fSerBuy : *fSerSell;
            Bubbles.AddBubble(StampToDate(Order.Time()), Order.Price(), Radius, "", clPlotColor);
        }
    } catch (const std::exception& E) {
        LogAlert("TChartItem.RefreshOrdersBubbles error: ", E);
    }
}

void TChartItem::RefreshChartType()
{
    if (!fSerCandles)
        return;
    struct TTypeLook {
        TColor Up, Down;
        TCandleStyle Style;
        TNotifyData Notified;
    };
    const TChartSettingsInfo& S = fChartSettings;
    const TTypeLook Looks[] = {{S.Bar(), S.Bar(), csCandleBar, 1},
                               {S.Buy(), S.Sell(), csCandleStick, 0},
                               {S.Bar(), S.Bar(), csLine, 2}};
    const TTypeLook& Look = Looks[S.ChartType()];
    fSerCandles->SetUpCloseColor(Look.Up);
    fSerCandles->SetDownCloseColor(Look.Down);
    fSerCandles->SetCandleStyle(Look.Style);
    fChartList.Publisher().Notify(BASE_MAIN_CHART_TYPE, Look.Notified);
}

void TChartItem::LoadSettings(const TChartSettingsJson* aNode)
{
    if (aNode)
        fChartSettings.Load(*aNode);
    LoadChartColors();
    RefreshChartType();
}

void TChartItem::LoadChartColors()
{
    if (!fChart)
        return;
    TChartSettingsView View(*fChart, *fSerCandles, fSerBuy.get(), fSerSell.get(), fSerPrice.get());
    fChartSettings.GetInfo(View);
}

void TChartItem::ReadChartColors()
{
    if (!fChart)
        return;
    TChartSettingsView View(*fChart, *fSerCandles, fSerBuy.get(), fSerSell.get(), fSerPrice.get());
    fChartSettings.SetInfo(View);
}
