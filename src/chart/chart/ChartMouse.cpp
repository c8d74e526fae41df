#include "chart/chart/Chart.h"

#include <algorithm>

// The chart part under the pointer, and what a press, a move and a release
// do with it. Any handler may free a series or change the series list (the
// indicator menu's Delete does): after each one the list is read anew and
// the clicked series is touched again only while it is still on the chart.

TChartAxis* TCustomChart::ClickedAxis(int X, int Y, TChartClickedPartStyle& Part) const
{
    TCanvas3D& C = const_cast<TCustomChart*>(this)->Canvas();
    for (TChartAxis* A : Axes()) {
        if (!A->IsVisible)
            continue;
        // Across: from the label row to a few pixels past the line on the
        // other side; nothing when the labels are hidden.
        if (A->Labels()) {
            const int Away = A->PosAxis() - A->OutwardsSign() * PlotAxisClickGap;
            const int Low = std::min(Away, A->PosLabels()), High = std::max(Away, A->PosLabels());
            const TRect Flat = A->Horizontal() ? TRect{A->IStartPos, Low, A->IEndPos + 1, High}
                                               : TRect{Low, A->IStartPos, High, A->IEndPos + 1};
            const TPoint From = C.Calculate3DPosition(Flat.Left, Flat.Top, 0);
            const TPoint To = C.Calculate3DPosition(Flat.Right, Flat.Bottom, 0);
            if (PointInRect({From.X, From.Y, To.X, To.Y}, X, Y)) {
                Part = cpAxis;
                return A;
            }
        }
        if (A->Title().Shown() && PointInRect(A->TitleRect(), X, Y)) {
            Part = cpAxisTitle;
            return A;
        }
    }
    return nullptr;
}

TChartClickedPart TCustomChart::CalcNeedClickedPart(TPoint Pos, bool Needed)
{
    const int X = Pos.X, Y = Pos.Y;
    TChartLegend& L = *FLegend;
    if (L.Visible() && L.CustomPosition())
        if (const int Row = L.Clicked(X, Y); Row != -1)
            return {cpLegend, Row};
    for (int I = SeriesCount() - 1; I >= 0; --I) {
        // A hit test's handler may free its series: the list is read anew.
        if (I >= SeriesCount())
            continue;
        TChartSeries& S = Series(I);
        if (!S.Active() || (Needed && !S.HasClickHandlers() && !OnClickSeries))
            continue;
        TPlotLifetime::TWatch Watch(S.Lifetime());
        const int Index = S.Clicked(X, Y);
        if (Watch.Gone())
            continue;
        if (Index != -1)
            return {cpSeries, Index, &S};
        if (S.Marks().Visible())
            if (const int Index = S.Marks().Clicked(X, Y); Index != -1)
                return {cpSeriesMarks, Index, &S};
    }
    TChartClickedPartStyle AxisPart = cpNone;
    if (TChartAxis* A = ClickedAxis(X, Y, AxisPart))
        return {AxisPart, -1, nullptr, A};
    if (L.Visible() && !L.CustomPosition() && !L.Items().empty() &&
        PointInRect(L.ShapeBounds, X, Y))
        return {cpLegend, L.Clicked(X, Y)};
    for (const auto& [T, Part] : Titles())
        if (!T->Text().empty() && T->Clicked(X, Y))
            return {Part};
    if (PointInRect(TCustomPlotPanel::ChartRect, X, Y) && SeriesUseAxes())
        return {cpChartRect};
    return {};
}

template <class E, class... A> bool TCustomChart::RunClickHandler(E Handler, A... Args)
{
    // Handler is a copy: it may replace itself while it runs.
    FCancelMouse = true;
    Handler(Args...);
    return FCancelMouse;
}

bool TCustomChart::ClickSeries(const TChartClickedPart& Part, TMouseButton Button,
                               TShiftState Shift, int X, int Y)
{
    FClickedSeries = Part.ASeries;
    FCancelMouse = false;
    FClickedSeries->RaiseClicked(Part.PointIndex, Button, Shift, X, Y);
    bool Taken = FCancelMouse;
    // Still on the chart after its own handler: the chart's event may see it.
    if (FClickedSeries && OnClickSeries)
        Taken = RunClickHandler(OnClickSeries, this, FClickedSeries, Part.PointIndex, Button, Shift,
                                X, Y);
    FClickedSeries = nullptr;
    return Taken;
}

void TCustomChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::MouseDown(Button, Shift, X, Y);
    if (FCancelMouse || FZoom.Active || FPanning.Active)
        return;
    const TChartClickedPart Part = CalcNeedClickedPart({X, Y}, true);
    bool Taken = false;
    bool Background = false; // OnClickBackground ran for this press
    bool MayZoom = true;
    switch (Part.Part) {
    case cpLegend:
        Taken = FLegend->DoMouseDown(Part.PointIndex);
        if (OnClickLegend)
            Taken = RunClickHandler(OnClickLegend, this, Button, Shift, X, Y);
        MayZoom = false;
        break;
    case cpSeries:
        Taken = ClickSeries(Part, Button, Shift, X, Y);
        break;
    case cpAxis:
        if (OnClickAxis)
            Taken = RunClickHandler(OnClickAxis, this, Part.AAxis, Button, Shift, X, Y);
        break;
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot:
        if (OnClickTitle)
            for (const auto& [T, Style] : Titles())
                if (Style == Part.Part)
                    Taken = RunClickHandler(OnClickTitle, this, T, Button, Shift, X, Y);
        break;
    case cpChartRect:
        if (OnClickBackground) {
            Taken = RunClickHandler(OnClickBackground, this, Button, Shift, X, Y);
            Background = true;
        }
        break;
    default: // marks, axis titles and nothing have no event of their own
        MayZoom = false;
        break;
    }
    if (!Taken && MayZoom)
        Taken = CheckZoomPanning(Button, Shift, X, Y);
    if (!Taken && !Background && OnClickBackground)
        RunClickHandler(OnClickBackground, this, Button, Shift, X, Y);
    FCancelMouse = false;
}

void TCustomChart::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::MouseMove(Shift, X, Y);
    if (FCancelMouse)
        return;
    if (FZoom.Active)
        ZoomMove(X, Y);
    else if (FPanning.Active)
        PanMove(X, Y);
    else if (!CheckMouseSeries(X, Y))
        SetCursor(FOriginalCursor);
}

void TCustomChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FCancelMouse = false;
    TCustomAxisPanel::MouseUp(Button, Shift, X, Y);
    if (FZoom.Active && Button == FZoom.MouseButton)
        ZoomUp(X, Y);
    FPanning.Active = false;
}
