#include "chart/axes/ChartAxis.h"
#include "chart/series/Series.h"
#include "chart/series/SeriesMaths.h"

// Drawing a point series: each visible point joins the one before it, the
// first visible one joins the edge of the chart rectangle, and the pointers
// come after the segments so that no line covers them.

bool TCustomSeries::PointerStyleOf(int32_t ValueIndex, TSeriesPointerStyle& Style)
{
    Style = fPointer->Style();
    if (!OnGetPointerStyle)
        return true;
    TPlotLifetime::TWatch Watch(Lifetime());
    const TSeriesPointerStyle Given = OnGetPointerStyle(this, ValueIndex);
    if (Watch.Gone())
        return false;
    Style = Given;
    return true;
}

bool TCustomSeries::DrawPointer(int AX, int AY, TColor AColor, int32_t ValueIndex)
{
    PreparePointer(ValueIndex);
    TSeriesPointerStyle Style;
    if (!PointerStyleOf(ValueIndex, Style))
        return false;
    fPointer->Draw(AX, AY, AColor, Style);
    return true;
}

void TCustomSeries::DrawAllValues()
{
    if (fShadow.Visible() && fShadow.Size() != 0 && fShadow.Color() != clNone &&
        !DrawPass({fShadow.Color(), fShadow.HorizSize(), fShadow.VertSize(), 0, false}))
        return;
    if (fOutLine.Visible() &&
        !DrawPass({fOutLine.Color(), 0, 0, 2 * fOutLine.Width() + LinePen().Width(), false}))
        return;
    DrawPass({});
}

bool TCustomSeries::DrawPass(const TDrawPass& Pass)
{
    // The pass ends on every way out, a throwing event handler included,
    // unless a handler freed the series.
    TPlotLifetime::TWatch Watch(Lifetime());
    struct TEnd {
        TDrawPass& P;
        const TPlotLifetime::TWatch& W;
        ~TEnd()
        {
            if (!W.Gone())
                P = {};
        }
    } End{fPass, Watch};
    fPass = Pass;
    fOld = {};
    TCustomLineSeries::DrawAllValues();
    return !Watch.Gone();
}

TColor TCustomSeries::PointColor(int32_t ValueIndex, bool Null) const
{
    if (fPass.Color != clNone)
        return fPass.Color;
    // A null point's own colour is the null marker, never a colour to draw in.
    return Null ? SeriesColor() : GetValueColor(ValueIndex);
}

int32_t TCustomSeries::NearestValueFor(int32_t ValueIndex) const
{
    for (int32_t I = ValueIndex; I >= 0; --I)
        if (!IsNull(I))
            return I;
    for (int32_t I = ValueIndex + 1; I < Count(); ++I)
        if (!IsNull(I))
            return I;
    return -1;
}

void TCustomSeries::DrawValue(int32_t ValueIndex)
{
    TCanvas3D& C = ParentChart()->Canvas();
    const bool First = ValueIndex == FirstDisplayedIndex();
    if (First)
        fOld = {};
    const bool Null = IsNull(ValueIndex);
    TNewPoint P{ValueIndex, CalcXPos(ValueIndex) + fPass.DX, CalcYPos(ValueIndex) + fPass.DY,
                0,          PointColor(ValueIndex, Null),    Null};
    if (Null && TreatNulls() == tnSkip) {
        // A skipped point stands where the line already is; with no line yet,
        // on its nearest point that has a value.
        if (!fOld.Valid) {
            const int32_t Nearest = fOld.NoValue ? -1 : NearestValueFor(ValueIndex);
            if (Nearest < 0) {
                fOld.NoValue = true;
                return;
            }
            fOld.X = CalcXPos(Nearest) + fPass.DX;
            fOld.Y = CalcYPos(Nearest) + fPass.DY;
        }
        P.X = fOld.X;
        P.Y = fOld.Y;
    }
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(P.Color);
    P.BottomPos = GetOriginPos(ValueIndex) + (YMandatory() ? fPass.DY : fPass.DX);
    const bool Last = ValueIndex == LastDisplayedIndex();
    bool Kept = true;
    if (!First) {
        Kept = DrawPoint(P, true, Last);
    } else if (const int32_t From = EntryFrom(ValueIndex); From >= 0) {
        const TPoint Edge = EdgePoint(From, ValueIndex, P);
        fOld = {true, Edge.X, Edge.Y, P.BottomPos, P.Color, false, From};
        Kept = DrawPoint(P, false, Last);
    } else if (Last && !Null && fPass.Pointers && fPointer->Visible()) {
        Kept = DrawPointer(P.X, P.Y, P.Color, ValueIndex);
    }
    if (!Kept)
        return;
    fOld = {true, P.X, P.Y, P.BottomPos, P.Color, Null, ValueIndex};
}

int32_t TCustomSeries::EntryFrom(int32_t ValueIndex) const
{
    // Drawn backwards (an inverted axis) the line starts at its first point.
    if (ValueIndex != FirstValueIndex() || ValueIndex == 0 || fDrawArea || !YMandatory() ||
        !DrawValuesForward() || !CountsAsValue(ValueIndex) || !GetHorizAxis())
        return -1;
    int32_t From = ValueIndex - 1;
    // Skipped nulls are joined over: the line comes from the value before them.
    if (TreatNulls() == tnSkip)
        while (From >= 0 && IsNull(From))
            --From;
    return From >= 0 && CountsAsValue(From) ? From : -1;
}

TPoint TCustomSeries::EdgePoint(int32_t From, int32_t ValueIndex, const TNewPoint& P) const
{
    const TChartAxis& H = *GetHorizAxis();
    const TRect R = ParentChart()->ChartRect();
    const int EdgeX = H.Inverted() ? R.Right : R.Left;
    if (fStairs)
        return {EdgeX + fPass.DX, P.Y};
    const double Y0 = StackedValue(From, YValues()[From]);
    const double Y1 = StackedValue(ValueIndex, YValues()[ValueIndex]);
    const double Value =
        PlotLineValueAt(XValues()[From], Y0, XValues()[ValueIndex], Y1, H.CalcPosPoint(EdgeX),
                        H.Logarithmic(), GetVertAxis() && GetVertAxis()->Logarithmic());
    return {EdgeX + fPass.DX, CalcYPosValue(Value) + fPass.DY};
}

bool TCustomSeries::DrawPoint(const TNewPoint& P, bool PreviousPointer, bool CurrentPointer)
{
    TCanvas3D& C = ParentChart()->Canvas();
    const TTreatNullsStyle Nulls = TreatNulls();
    // No segment ends at a point that is not painted, nor starts at one.
    const bool Join = fOld.Valid && (P.X != fOld.X || P.Y != fOld.Y) &&
                      (!P.Null || Nulls == tnIgnore) && (!fOld.Null || Nulls != tnDontPaint);
    if (Join) {
        if (fDrawArea)
            InternalDrawArea(C, P);
        else if (fDrawLine)
            DrawSegmentLine(C, P);
    }
    if (!fPass.Pointers || !fPointer->Visible())
        return true;
    // A null point has a pointer only when drawn as a value, in the colour of
    // the point after it.
    if (PreviousPointer && fOld.Valid && (!fOld.Null || Nulls == tnIgnore) &&
        !DrawPointer(fOld.X, fOld.Y, fOld.Null ? P.Color : fOld.Color, fOld.Index))
        return false;
    if (CurrentPointer && (!P.Null || Nulls == tnIgnore))
        return DrawPointer(P.X, P.Y, P.Color, P.Index);
    return true;
}

void TCustomSeries::LinePrepareCanvas(TCanvas3D& C, TColor AColor)
{
    TColor Color = AColor;
    if (fPass.Color == clNone && fPointer->Visible() && !fColorEachLine)
        Color = SeriesColor();
    C.Brush().SetStyle(bsClear);
    if (fPass.PenWidth > 0) {
        fPassPen.Assign(LinePen());
        fPassPen.SetWidth(fPass.PenWidth);
        C.AssignVisiblePenColor(fPassPen, Color);
    } else {
        C.AssignVisiblePenColor(LinePen(), Color);
    }
}

void TCustomSeries::DrawSegmentLine(TCanvas3D& C, const TNewPoint& P)
{
    LinePrepareCanvas(C, P.Color);
    std::unique_ptr<TPlotBlend> Blend;
    if (GetTransparency() > 0) {
        const int W = std::max(1, C.Pen().Width());
        Blend = C.BeginBlending({std::min(fOld.X, P.X) - W, std::min(fOld.Y, P.Y) - W,
                                 std::max(fOld.X, P.X) + W + 1, std::max(fOld.Y, P.Y) + W + 1},
                                GetTransparency());
    }
    // On the series' front plane in a 3D chart.
    const int Z = StartZ();
    C.MoveTo3D(fOld.X, fOld.Y, Z);
    if (fStairs)
        C.LineTo3D(fInvertedStairs ? fOld.X : P.X, fInvertedStairs ? P.Y : fOld.Y, Z);
    C.LineTo3D(P.X, P.Y, Z);
    if (Blend)
        C.EndBlending(std::move(Blend));
}

std::vector<TPoint> TCustomSeries::AreaOutline(const TPoint& From, int FromBase, const TPoint& To,
                                               int ToBase) const
{
    // Stairs fill the step: level with the point the horizontal leg keeps.
    TPoint A = From, B = To;
    if (fStairs) {
        if (YMandatory())
            A.Y = B.Y = fInvertedStairs ? To.Y : From.Y;
        else
            A.X = B.X = fInvertedStairs ? To.X : From.X;
    }
    if (YMandatory())
        return {A, B, {B.X, ToBase}, {A.X, FromBase}};
    return {A, B, {ToBase, B.Y}, {FromBase, A.Y}};
}

void TCustomSeries::InternalDrawArea(TCanvas3D& C, const TNewPoint& P)
{
    TColor Color = fAreaColor == clPlotColor ? P.Color : fAreaColor;
    if (fPass.Color != clNone)
        Color = fPass.Color;
    std::vector<TPoint> Area =
        AreaOutline({fOld.X, fOld.Y}, fOld.BottomPos, {P.X, P.Y}, P.BottomPos);
    for (TPoint& Corner : Area)
        Corner = C.Calculate3DPosition(Corner, StartZ());
    C.AssignBrush(fAreaBrush, Color, clNone);
    C.Pen().SetStyle(psClear);
    if (fGradient.Visible())
        C.PolygonGradient(Area, fGradient);
    else
        C.Polygon(Area);
    if (!fAreaLinesPen.Visible())
        return;
    C.AssignVisiblePen(fAreaLinesPen);
    C.Line(Area[1], Area[2]);
}
