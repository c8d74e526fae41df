#include "chart/chart/Chart.h"
#include "chart/series/CandleSeries.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

// The chart's view: zoom, the time axis' edges, the price axis' range and
// the candles' spacing and width.

namespace {

// The chart laid out as it stands: the axes' pixel mapping and the
// displayed candles of the current ranges. A change still waiting for its
// paint is drawn now into the chart's buffer, which that paint then shows,
// so nothing is drawn twice and no pending event runs in between.
void LayOut(TChart& aChart)
{
    if (!aChart.PlotCanvas().Dirty() || !aChart.PlotCanvas().GetUseBuffer())
        return;
    const TRect Bounds = aChart.GetRectangle();
    if (!Bounds.IsEmpty())
        aChart.Draw(&aChart.ControlCanvas(), Bounds);
}

double Span(const TChartAxis& aAxis)
{
    return aAxis.Maximum() - aAxis.Minimum();
}

} // namespace

int PrimaryScreenWidth()
{
    const QScreen* Screen = QGuiApplication::primaryScreen();
    return Screen ? Screen->size().width() : 0;
}

void TChartItem::SetZoom(TZoom aZoom)
{
    if (!Ready() || !fChart || aZoom == fChartSettings.Zoom())
        return;
    fChartSettings.SetZoom(aZoom);
    RefreshZoom();
    FixChartHeight();
    UpdateIndicators();
    RefreshWindowCaption();
    fChartList.Publisher().Notify(BASE_MAIN_ZOOM_REFRESH, 0);
}

void TChartItem::OnChartResize()
{
    if (!Ready() || !fChart || fIsLoading || fSerCandles->Count() < 2)
        return;
    // The newest part shown stays: the axis grows or shrinks at its left.
    TChartAxis& Time = *fChart->BottomAxis();
    const double Right = Time.Maximum();
    RefreshZoom();
    Time.SetMinMax(Right - Span(Time), Right);
    FixLeftSide();
    FixRightSide();
    FixChartHeight();
    UpdateIndicators();
    RefreshOrdersBubbles();
    fChart->Invalidate();
}

void TChartItem::RefreshZoom()
{
    if (!fChart)
        return;
    LayOut(*fChart);
    TChartAxis& Time = *fChart->BottomAxis();
    const int Count = ZoomCandleCount(fChartSettings.Zoom(), Time.IAxisSize, fScreenWidth());
    const double Maximum = Time.Minimum() + Count * CalcCandleDistanceDate();
    // Without two candles there is no spacing: the axis keeps its span
    // rather than shrink to nothing.
    if (Maximum > 0 && Maximum > Time.Minimum()) {
        Time.SetMinMax(Time.Minimum(), Maximum);
        LayOut(*fChart);
    }
    SetBarWidth();
}

void TChartItem::SetBarWidth()
{
    if (!fSerCandles || fSerCandles->Count() <= 2)
        return;
    LayOut(*fChart);
    const int Width = CandleBarWidth(CalcCandleDistancePx());
    if (Width != fSerCandles->CandleWidth())
        fSerCandles->SetCandleWidth(Width);
}

void TChartItem::PlaceAtPresent()
{
    if (!fChart)
        return;
    LayOut(*fChart);
    TChartAxis& Time = *fChart->BottomAxis();
    const TZoom Zoom = fChartSettings.Zoom();
    int Count = ZoomCandleCount(Zoom, Time.IAxisSize, fScreenWidth());
    // Not laid out yet: a screen's width of candles.
    if (Count <= 0)
        Count = cZoomCandles[std::min<std::size_t>(Zoom, cZoomCandles.size() - 1)];
    const double Spacing = CandleDays(fInterval);
    const double Right = RightEdge(fClock(), fChartSettings.ChartShift(), Count, Spacing);
    Time.SetMinMax(Right - Count * Spacing, Right);
}

void TChartItem::KeepLeftEdge()
{
    if (fChart && fViewPlaced)
        fChartSettings.SetLeft(fChart->BottomAxis()->Minimum());
}

void TChartItem::InitLeftZoom()
{
    if (!fChart)
        return;
    TChartAxis& Time = *fChart->BottomAxis();
    const double Left = fChartSettings.Left();
    // Without candles a chart stays at its left edge, a new one at the present.
    if (!fSerCandles || fSerCandles->Count() == 0) {
        if (Left != 0)
            Time.SetMinMax(Left, Left + Span(Time));
        else
            PlaceAtPresent();
        return;
    }
    if (Left != 0) {
        Time.SetMinMax(Left, Left + Span(Time));
        return;
    }
    // A chart never placed (a new one) shows its newest candles at the
    // right edge, whole, with the shift's free space after them; the right
    // edge then keeps the axis from passing the present.
    const double Spacing = CalcCandleDistanceDate();
    const double Right =
        RightEdge(fSerCandles->DateValues().Last() + Spacing, fChartSettings.ChartShift(),
                  CalcMaxVisibleCandleCount(), Spacing);
    Time.SetMinMax(Right - Span(Time), Right);
}

void TChartItem::FixLeftSide()
{
    if (!fSerCandles || fSerCandles->Count() < 10)
        return;
    TChartAxis& Time = *fChart->BottomAxis();
    const double First = fSerCandles->DateValues().First();
    if (Time.Minimum() >= First)
        return;
    Time.SetMinMax(First, First + Span(Time));
    FixChartHeight();
}

void TChartItem::FixRightSide()
{
    if (!fChart)
        return;
    TChartAxis& Time = *fChart->BottomAxis();
    const double Right = RightEdge(fClock(), fChartSettings.ChartShift(),
                                   CalcMaxVisibleCandleCount(), CalcCandleDistanceDate());
    if (Time.Maximum() <= Right)
        return;
    Time.SetMinMax(Right - Span(Time), Right);
    FixChartHeight();
}

void TChartItem::FixChartHeight()
{
    if (!fChart)
        return;
    LayOut(*fChart);
    CalcYMinMax(fSerCandles->FirstValueIndex(), fSerCandles->LastValueIndex());
    const TChartSettingsInfo& S = fChartSettings;
    const TValueRange Range = PriceRange(S.FixedZoom(), S.PinMin(), S.PinMax(), {fYMin, fYMax});
    TChartAxis& Price = *fChart->RightAxis();
    if (Range.Min != Price.Minimum() || Range.Max != Price.Maximum())
        Price.SetMinMax(Range.Min, Range.Max);
}

void TChartItem::CalcYMinMax(int32_t aBegin, int32_t aEnd)
{
    if (aBegin < 0 || aEnd < 0 || !fSerCandles)
        return;
    aEnd = std::min(aEnd, fSerCandles->Count() - 1);
    if (aBegin > aEnd) {
        fYMin = 10000;
        fYMax = 0;
        return;
    }
    const double* Low = fSerCandles->LowValues().Data();
    const double* High = fSerCandles->HighValues().Data();
    fYMin = *std::min_element(Low + aBegin, Low + aEnd + 1);
    fYMax = *std::max_element(High + aBegin, High + aEnd + 1);
}

double TChartItem::CalcCandleDistanceDate()
{
    if (!fSerCandles)
        return 0;
    const TChartValueList& Dates = fSerCandles->DateValues();
    return CandleSpacing({Dates.Data(), std::size_t(std::min(Dates.Count(), 5))});
}

double TChartItem::CalcCandleDistancePx()
{
    if (!fSerCandles)
        return 0;
    std::vector<double> Pixels;
    for (int32_t I = 0; I < std::min(fSerCandles->Count(), 5); ++I)
        Pixels.push_back(fSerCandles->CalcXPos(I));
    return CandleSpacing(Pixels);
}

// The spacing in pixels comes from the dates, unrounded: with one or two
// pixels per candle the rounded positions would count twice the candles or
// none, and the shift would leave far more or less than a fifth free.
int TChartItem::CalcMaxVisibleCandleCount()
{
    if (!fChart)
        return 0;
    LayOut(*fChart);
    const TChartAxis& Time = *fChart->BottomAxis();
    if (!(Span(Time) > 0))
        return 0;
    const double Pixels = CalcCandleDistanceDate() * Time.IAxisSize / Span(Time);
    return MaxVisibleCandleCount(Time.IAxisSize, Pixels);
}

void TChartItem::UpdateIndicators()
{
    if (fChart)
        fIndicatorList->UpdateFractals(BubbleRadius());
}

double TChartItem::BubbleRadius() const
{
    return fChart ? Span(*fChart->RightAxis()) / 50 : 0;
}
