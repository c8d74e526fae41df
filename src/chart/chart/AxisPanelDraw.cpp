#include "chart/chart/CustomAxisPanel.h"

#include <algorithm>

// One frame of the axis panel: the layout of walls, axes and series margins,
// then the picture in a fixed order.

namespace {

// What a frame changes is put back on every way out of it, a throwing event
// handler included: repainting, the clip and the canvas' pens and brushes.
class TFrameScope {
public:
    explicit TFrameScope(TCustomAxisPanel& Panel)
        : FPanel(Panel), FAutoRepaint(Panel.AutoRepaint()), FClipDepth(Panel.Canvas().ClipDepth())
    {
        Panel.SetAutoRepaint(false);
    }
    TFrameScope(const TFrameScope&) = delete;
    TFrameScope& operator=(const TFrameScope&) = delete;
    ~TFrameScope()
    {
        TCanvas3D& C = FPanel.Canvas();
        while (C.ClipDepth() > FClipDepth)
            C.UnClipRectangle();
        C.ResetState();
        FPanel.SetAutoRepaint(FAutoRepaint);
    }

private:
    TCustomAxisPanel& FPanel;
    bool FAutoRepaint;
    size_t FClipDepth;
};

TRect Intersection(const TRect& A, const TRect& B)
{
    return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
}

} // namespace

void TCustomAxisPanel::InternalDraw(const TRect& UserRect)
{
    TFrameScope Scope(*this);
    TCanvas3D& C = Canvas();
    CalcInvertedRotation();
    const bool FullRotation = C.GetSupportsFullRotation();
    if (!FullRotation)
        PanelPaint(UserRect);
    DoOnBeforeDrawChart();
    for (int I = 0; I < SeriesCount(); ++I)
        if (Series(I).Active())
            Series(I).DoBeforeDrawChart();
    if (!FullRotation)
        DrawTitlesAndLegend(true);
    SetSeriesZOrder();
    CalcWallsRect();
    const TRect WallsRect = TCustomPlotPanel::ChartRect;
    CalcAxisRect();
    SetSeriesZPositions();
    CalcSeriesRect();
    C.Projection(TCustomPlotPanel::Width3D, ChartBounds(), TCustomPlotPanel::ChartRect);
    if (FullRotation) {
        const TRect Laid = std::exchange(TCustomPlotPanel::ChartRect, WallsRect);
        PanelPaint(UserRect);
        DrawTitlesAndLegend(true);
        TCustomPlotPanel::ChartRect = Laid;
    }
    DrawWalls();
    // Axes labelled with point texts read this frame's visible points.
    const bool PointTexts = std::any_of(FAxes.begin(), FAxes.end(), [&](const TChartAxis* A) {
        const TAxisLabelStyle Style = A->CalcLabelStyle();
        return IsAxisVisible(*A) && (Style == talText || Style == talMark);
    });
    for (int I = 0; PointTexts && I < SeriesCount(); ++I)
        if (Series(I).Active())
            Series(I).CalcFirstLastVisibleIndex();
    if (FAxisBehind)
        DrawAllAxis();
    DoOnBeforeDrawSeries();
    DrawAllSeries();
    if (!FAxisBehind)
        DrawAllAxis();
    DrawBottomAxisAfter();
    DrawTitlesAndLegend(false);
    if (FZoom.Active)
        PaintZoomRectangle();
    C.ResetState();
    DoOnAfterDraw();
}

void TCustomAxisPanel::SetSeriesZPositions()
{
    for (int I = 0; I < SeriesCount(); ++I)
        if (Series(I).Active())
            Series(I).CalcDepthPositions();
}

void TCustomAxisPanel::CalcAxisRect()
{
    // An axis' handlers may delete a custom axis: the axes are walked in a
    // copy, and only those still on the chart are laid out.
    const std::vector<TChartAxis*> Axes = FAxes;
    for (TChartAxis* A : Axes)
        if (HasAxis(A)) {
            A->IsVisible = CalcIsAxisVisible(*A);
            A->AdjustMaxMin();
        }
    for (TChartAxis* A : FAxes)
        A->InternalCalcPositions();
    TRect R = TCustomPlotPanel::ChartRect;
    for (size_t I = 0; I < Axes.size(); ++I) {
        TChartAxis* A = Axes[I];
        if (!HasAxis(A))
            continue;
        if (!A->IsVisible) {
            if (FCalcPosLabels)
                InflateAxisRect(*A, R);
            continue;
        }
        // The first five axes take their room; the others only place themselves.
        TRect Room = R;
        A->CalcRect(Room, I < 5);
        R = Intersection(R, Room);
    }
    if (!FCustomChartRect)
        TCustomPlotPanel::ChartRect = R;
    ReCalcWidthHeight();
    for (TChartAxis* A : FAxes)
        A->InternalCalcPositions();
}

void TCustomAxisPanel::InflateAxisRect(TChartAxis& Axis, TRect& R)
{
    int Room = 0;
    TPlotLifetime::TWatch Watch(Axis.Lifetime());
    FCalcPosLabels(Axis, Room);
    if (!Watch.Gone())
        Axis.RoomEdge(R) -= Axis.OutwardsSign() * Room;
}

void TCustomAxisPanel::CalcAxisMargins(TChartAxis& Axis)
{
    TRect M;
    for (TChartSeries* S : FSeriesList) {
        if (!S->Active() || !S->AssociatedToAxis(Axis))
            continue;
        int32_t A = 0, B = 0;
        if (Axis.Horizontal()) {
            S->CalcHorizMargins(A, B);
            M.Left = std::max(M.Left, int(A));
            M.Right = std::max(M.Right, int(B));
        } else {
            S->CalcVerticalMargins(A, B);
            M.Top = std::max(M.Top, int(A));
            M.Bottom = std::max(M.Bottom, int(B));
        }
    }
    // A fixed end keeps its value at the rectangle's edge.
    const bool AutoMin = Axis.Automatic() || Axis.AutomaticMinimum();
    const bool AutoMax = Axis.Automatic() || Axis.AutomaticMaximum();
    int& LowEnd = Axis.Horizontal() ? M.Left : M.Bottom;
    int& HighEnd = Axis.Horizontal() ? M.Right : M.Top;
    if (!AutoMin)
        LowEnd = 0;
    if (!AutoMax)
        HighEnd = 0;
    const bool Inverted = Axis.Inverted();
    (Inverted ? HighEnd : LowEnd) += Axis.MinimumOffset();
    (Inverted ? LowEnd : HighEnd) += Axis.MaximumOffset();
    // Without margins the range stays exactly as it is.
    if (M != TRect{})
        Axis.AdjustMaxMinRect(M);
    // Its label step runs the label handlers, which may delete the axis.
    TPlotLifetime::TWatch Watch(Axis.Lifetime());
    Axis.CalcRoundScales();
    if (Watch.Gone())
        return;
    // Offsets widen the range: its labels are measured again, and the
    // title moves out beside them.
    if ((Axis.MinimumOffset() != 0 || Axis.MaximumOffset() != 0) && Axis.IsVisible &&
        Axis.Labels()) {
        TRect R = TCustomPlotPanel::ChartRect;
        Axis.CalcRect(R, false);
    }
}

void TCustomAxisPanel::CalcSeriesRect()
{
    const std::vector<TChartAxis*> Axes = FAxes;
    for (TChartAxis* A : Axes)
        if (HasAxis(A))
            CalcAxisMargins(*A);
}

void TCustomAxisPanel::DrawAllAxis()
{
    if (!FAxisVisible)
        return;
    TCanvas3D& C = Canvas();
    C.BeginEntity();
    DoOnBeforeDrawAxes();
    const bool BottomAfter = DrawBackWallAfter(0);
    // An axis' drawing handler may delete it: the others still draw, once.
    const std::vector<TChartAxis*> Axes = FAxes;
    for (TChartAxis* A : Axes)
        if (HasAxis(A) && IsAxisVisible(*A) && !(BottomAfter && A == FBottomAxis.get()))
            A->Draw(true);
    C.EndEntity();
}

void TCustomAxisPanel::DrawBottomAxisAfter()
{
    // Seen from behind, the bottom axis is drawn after the series.
    if (FAxisVisible && DrawBackWallAfter(0) && IsAxisVisible(*FBottomAxis))
        FBottomAxis->Draw(true);
}

void TCustomAxisPanel::DrawAllSeries()
{
    // Back to front: the list order, in 3D reversed when the depth axis is
    // inverted or the view is from behind, but not both.
    // Indices are read anew each time: a drawing event may change the list.
    const bool Reverse =
        View3D() && DrawBackWallAfter(TCustomPlotPanel::Width3D) != FDepthAxis->Inverted();
    for (int K = 0; K < SeriesCount(); ++K) {
        TChartSeries& S = Series(Reverse ? SeriesCount() - 1 - K : K);
        if (S.Active())
            DrawSeries(S);
    }
}

void TCustomAxisPanel::DrawSeries(TChartSeries& Series)
{
    Series.CalcFirstLastVisibleIndex();
    if (Series.FirstValueIndex() == -1)
        return;
    TCanvas3D& C = Canvas();
    C.BeginEntity();
    // A handler may free the series it is handed, or take it off the chart:
    // it then draws no more.
    struct TEnd {
        TCanvas3D& C;
        ~TEnd() { C.EndEntity(); }
    } End{C};
    TSeriesWatch Watch(Series);
    Series.DoBeforeDrawValues();
    if (Watch.Gone())
        return;
    // The points are kept inside the chart rectangle and one pixel above
    // and below it, so that lines along its edges still show.
    const bool Clip = Series.UseAxis() && FClipPoints;
    if (Clip) {
        const TRect& R = TCustomPlotPanel::ChartRect;
        C.ClipCube({R.Left, R.Top - 1, R.Right, R.Bottom + 1}, 0, TCustomPlotPanel::Width3D);
    }
    Series.DrawAllValues();
    if (Clip)
        C.UnClipRectangle();
    if (Watch.Gone())
        return;
    if (Series.Count() > 0 && Series.Marks().Visible())
        Series.DrawMarks();
    if (!Watch.Gone())
        Series.DoAfterDrawValues();
}

void TCustomAxisPanel::DoOnAfterDraw()
{
    if (OnAfterDraw)
        OnAfterDraw(this);
}

void TCustomAxisPanel::DoOnBeforeDrawAxes()
{
    if (OnBeforeDrawAxes)
        OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::DoOnBeforeDrawChart()
{
    if (OnBeforeDrawChart)
        OnBeforeDrawChart(this);
}

void TCustomAxisPanel::DoOnBeforeDrawSeries()
{
    if (OnBeforeDrawSeries)
        OnBeforeDrawSeries(this);
}
