#include "chart/series/FastLineSeries.h"

#include "chart/panel/PlotPanel.h"

TFastLineSeries::TFastLineSeries()
{
    DrawBetweenPoints = true;
}

void TFastLineSeries::CalcHorizMargins(int32_t& Left, int32_t& Right)
{
    Left = Right = LinePen().Width();
}

void TFastLineSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom)
{
    Top = Bottom = LinePen().Width();
}

void TFastLineSeries::AddLegs(std::vector<TPoint>& Run, const TPoint& P) const
{
    if (fStairs && !Run.empty()) {
        const TPoint& From = Run.back();
        Run.push_back(fInvertedStairs ? TPoint{From.X, P.Y} : TPoint{P.X, From.Y});
    }
    Run.push_back(P);
}

void TFastLineSeries::DrawAllValues()
{
    fHasLast = false;
    if (FirstValueIndex() < 0 || !ParentChart())
        return;
    TCanvas3D& C = ParentChart()->Canvas();
    C.Brush().SetStyle(bsClear);
    C.AssignVisiblePenColor(LinePen(), SeriesColor());
    std::vector<TPoint> Run;
    const auto Flush = [&] {
        if (Run.size() > 1)
            C.Polyline(Run, StartZ());
        Run.clear();
    };
    // The line comes in from the point before the view.
    for (int32_t I = std::max(0, FirstValueIndex() - 1); I <= LastValueIndex(); ++I) {
        if (!CountsAsValue(I)) {
            // A skipped null keeps the line where it is; otherwise it breaks.
            if (TreatNulls() == tnDontPaint)
                Flush();
            continue;
        }
        const TPoint P{CalcXPos(I), CalcYPos(I)};
        if (!fDrawAllPoints && !Run.empty() && Run.back() == P)
            continue;
        AddLegs(Run, P);
        fLast = P;
        fHasLast = true;
    }
    Flush();
}

void TFastLineSeries::NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex)
{
    if (Sender == this && ValueIndex == Count() - 1 && Active())
        DrawAppended(ValueIndex);
    TCustomLineSeries::NotifyNewValue(Sender, ValueIndex);
}

void TFastLineSeries::DrawAppended(int32_t ValueIndex)
{
    ISeriesHost* Chart = ParentChart();
    if (!fHasLast || !Chart)
        return;
    if (!CountsAsValue(ValueIndex)) {
        fHasLast = TreatNulls() == tnSkip;
        return;
    }
    const TPoint P{CalcXPos(ValueIndex), CalcYPos(ValueIndex)};
    TCustomPlotPanel& Panel = *Chart->PlotPanel();
    TBitmap* Picture = Panel.PlotCanvas().Bitmap();
    const TRect R = Chart->ChartRect();
    const auto Inside = [&](const TPoint& Q) {
        return Q.X >= R.Left && Q.X < R.Right && Q.Y >= R.Top && Q.Y < R.Bottom;
    };
    // Only a segment inside the chart rectangle can go straight into the
    // picture: anything else waits for the next frame.
    if (Picture && !Picture->Empty() && Inside(fLast) && Inside(P)) {
        TCanvas& C = Picture->Canvas();
        C.Pen().Assign(LinePen());
        C.Pen().SetColor(SeriesColor());
        std::vector<TPoint> Run{fLast};
        AddLegs(Run, P);
        for (TPoint& Q : Run)
            Q = Chart->Canvas().Calculate3DPosition(Q, StartZ());
        C.Polyline(Run);
        // Shown as it is, without a new frame.
        Panel.TCustomPanelNoCaption::Invalidate();
    }
    fLast = P;
}
