#include "chart/CandleSeries.h"
#include "chart/Chart.h"
#include "domain/charts/uCharts.h"

// The view of a chart until its own behaviour is built: every loaded candle
// in sight, the time axis from the first candle to the last and the price
// axis from the lowest low to the highest high, set when the history has
// arrived. The zoom level stays where it is, no edge follows the present,
// the chart's mouse and drawing events add nothing to the engine's own, and
// axis labels stay as the axes write them.

void TChartItem::SetZoom(TZoom) {}

void TChartItem::RefreshZoom()
{
    if (!fSerCandles || fSerCandles->Count() == 0)
        return;
    const TChartValueList& Dates = fSerCandles->DateValues();
    const int32_t Count = fSerCandles->Count();
    // Half a candle's spacing beyond either end keeps both end candles whole.
    const double Half =
        Count > 1 ? (Dates.Last() - Dates.First()) / (Count - 1) / 2 : 1 / MinsPerDay;
    fChart->BottomAxis()->SetMinMax(Dates.First() - Half, Dates.Last() + Half);
}

void TChartItem::SetBarWidth() {}

void TChartItem::InitLeftZoom() {}

void TChartItem::FixLeftSide() {}

void TChartItem::FixRightSide() {}

void TChartItem::FixChartHeight()
{
    if (!fSerCandles || fSerCandles->Count() == 0)
        return;
    fChart->RightAxis()->SetMinMax(fSerCandles->LowValues().MinValue(),
                                   fSerCandles->HighValues().MaxValue());
}

double TChartItem::CalcCandleDistanceDate()
{
    return 0;
}

int TChartItem::CalcMaxVisibleCandleCount()
{
    return 0;
}

void TChartItem::OnChartMouseDown(TMouseButton, TShiftState, int, int) {}

void TChartItem::OnChartMouseMove(TShiftState, int, int) {}

void TChartItem::OnChartMouseUp(TMouseButton, TShiftState, int, int) {}

void TChartItem::OnChartAfterDraw() {}

void TChartItem::OnChartGetAxisLabel(TChartAxis&, const IChartSeries*, int32_t, std::string&) {}
