#include "chart/chart/Chart.h"
#include "chart/series/CandleSeries.h"
#include "domain/uLog.h"
#include "platform/qt/Screen.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uCharts.h"

#include <exception>

// The chart's mouse: dragging the price axis, the time axis and the plot.
// The press sets the cursor of its drag over every window; the release
// gives it back.

void TChartItem::OnChartMouseDown(TMouseButton, TShiftState, int X, int Y)
{
    if (!Ready() || !fChart)
        return;
    if (!Active())
        SetActive(true);
    fChartClick = ccNone;
    // The crosshair reads the plot where the pointer is: it must not move.
    if (ScreenCursor() == Qt::CrossCursor) {
        fChart->SetAllowPanning(pmNone);
        return;
    }
    fChart->SetAllowPanning(pmHorizontal);
    const TChartAxis& Price = *fChart->RightAxis();
    const TChartAxis& Time = *fChart->BottomAxis();
    if (X > Price.PosAxis()) {
        SetScreenCursor(Qt::SizeVerCursor);
        fChartClick = ccPriceAxis;
        fChartClickPoint = Y;
        fChartMin = Price.Minimum();
        fChartMax = Price.Maximum();
    } else if (Y > Time.PosAxis()) {
        SetScreenCursor(Qt::SizeHorCursor);
        fChartClick = ccTimeAxis;
        fChartClickPoint = X;
        fChartZoomPoint = fChartSettings.Zoom();
        fChartMin = Time.Minimum();
        fChartMax = Time.Maximum();
    } else {
        // The chart itself pans the time axis under the pointer.
        SetScreenCursor(Qt::PointingHandCursor);
        fChartClick = ccPlot;
        fChartClickPoint = 0;
    }
}

void TChartItem::OnChartMouseMove(TShiftState, int X, int Y)
{
    if (!Ready() || !fChart)
        return;
    try {
        switch (fChartClick) {
        case ccPriceAxis:
            DragPriceAxis(Y);
            break;
        case ccTimeAxis:
            SetZoom(TimeDragZoom(fChartZoomPoint, fChartClickPoint, X));
            break;
        case ccPlot:
            OnChartScroll();
            break;
        case ccNone:
            SetBarWidth();
            // The crosshair follows the pointer.
            if (ScreenCursor() == Qt::CrossCursor)
                fChart->Invalidate();
            break;
        }
    } catch (const std::exception& E) {
        WriteLog(std::string("TChartItem.OnChartMouseMove error ") + E.what(), mtAlert, 0);
    }
}

// The chart pans after the move's handler: its step is brought back within
// the edges here, or the last one would stay past them after the release.
void TChartItem::OnChartScroll()
{
    if (!Ready() || fChartClick != ccPlot)
        return;
    FixChartHeight();
    FixRightSide();
    FixLeftSide();
}

void TChartItem::DragPriceAxis(int Y)
{
    const TChartSettingsInfo& S = fChartSettings;
    TValueRange Range = S.FixedZoom()
                            ? TValueRange{S.PinMin(), S.PinMax()}
                            : PriceDragRange({fChartMin, fChartMax}, Y - fChartClickPoint);
    CalcYMinMax(fSerCandles->FirstValueIndex(), fSerCandles->LastValueIndex());
    Range = KeepInView(Range, PriceRange(S.FixedZoom(), S.PinMin(), S.PinMax(), {fYMin, fYMax}));
    fChart->RightAxis()->SetMinMax(Range.Min, Range.Max);
}

void TChartItem::OnChartMouseUp(TMouseButton, TShiftState, int, int)
{
    if (!Ready())
        return;
    // The release ends the crosshair too: its lines go with the next frame.
    if (ScreenCursor() == Qt::CrossCursor && fChart)
        fChart->Invalidate();
    EndDrag();
}

// A release that never comes (the pointer taken by another window) must not
// leave the drag's cursor over every window.
void TChartItem::OnChartFocusLost()
{
    if (Ready() && fChartClick != ccNone)
        EndDrag();
}

void TChartItem::EndDrag()
{
    SetScreenCursor(Qt::ArrowCursor);
    fChartClickPoint = 0;
    fChartClick = ccNone;
}
