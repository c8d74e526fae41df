#include "chart/core/PlotProcs.h"
#include "chart/series/Series.h"

// Which point of a point series a click hits, and its legend symbol.

bool TCustomSeries::ClickedPointer(int32_t ValueIndex, int tmpX, int tmpY, int X, int Y)
{
    PreparePointer(ValueIndex);
    TSeriesPointerStyle Style;
    if (!PointerStyleOf(ValueIndex, Style))
        return false;
    return Style != psNothing && std::abs(tmpX - X) < fPointer->HorizSize() &&
           std::abs(tmpY - Y) < fPointer->VertSize();
}

bool TCustomSeries::HitsSegment(int32_t ToIndex, const TPoint& From, const TPoint& To,
                                const TPoint& P) const
{
    // Only segments that are drawn can be hit.
    if (!CountsAsValue(ToIndex - 1) || !CountsAsValue(ToIndex))
        return false;
    if (!fStairs) {
        if (PointInLine(P, From, To))
            return true;
    } else {
        const TPoint Corner = fInvertedStairs ? TPoint{From.X, To.Y} : TPoint{To.X, From.Y};
        if (PointInLine(P, From, Corner) || PointInLine(P, Corner, To))
            return true;
    }
    return fDrawArea && PointInPolygon(P, AreaOutline(From, GetOriginPos(ToIndex - 1), To,
                                                      GetOriginPos(ToIndex)));
}

int32_t TCustomSeries::Clicked(int32_t X, int32_t Y)
{
    if (const int32_t Index = TCustomLineSeries::Clicked(X, Y); Index != -1)
        return Index;
    if (FirstValueIndex() < 0)
        return -1;
    // A click on the line into the view hits the point before the view.
    const int32_t Start = fClickableLine ? std::max(0, FirstValueIndex() - 1) : FirstValueIndex();
    const int32_t End = std::min(LastValueIndex(), Count() - 1);
    // Back from the 3D view to the series' front plane.
    const TPoint P =
        ParentChart() ? ParentChart()->Canvas().Calculate2DPosition(X, Y, StartZ()) : TPoint{X, Y};
    TPoint Previous;
    // A pointer-style handler may empty or free the series while it is tested.
    TPlotLifetime::TWatch Watch(Lifetime());
    for (int32_t I = Start; I <= End && I < Count(); ++I) {
        const TPoint Point{CalcXPos(I), CalcYPos(I)};
        const bool Hit = fPointer->Visible() && ClickedPointer(I, Point.X, Point.Y, P.X, P.Y);
        if (Watch.Gone())
            return -1;
        if (Hit) {
            if (I >= Count())
                return -1;
            if (OnClickPointer)
                OnClickPointer(this, I, X, Y);
            return I;
        }
        if (Point == P)
            return I;
        if (I > Start && fClickableLine && HitsSegment(I, Previous, Point, P))
            return I - 1;
        Previous = Point;
    }
    return -1;
}

void PlotPointerDrawLegend(TSeriesPointer& Pointer, TColor AColor, const TRect& Rect, bool Framed)
{
    TCustomPlotPanel* Panel = Pointer.ParentChart();
    if (!Panel)
        return;
    TCanvas3D& C = Panel->Canvas();
    Pointer.PrepareCanvas(C, AColor);
    const int W = Rect.Width(), H = Rect.Height();
    const int HorizSize = Framed ? W / 3 : W / 2 + 1;
    const int VertSize = Framed ? H / 3 : H / 2 + 1;
    Pointer.DrawPointer(C, (Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2, HorizSize,
                        VertSize, AColor, Pointer.Style());
}

void TCustomSeries::DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect)
{
    const TColor Color = C.Brush().Color();
    const bool Line = fDrawLine && !fDrawArea;
    if (!Line && !fPointer->Visible()) {
        TCustomLineSeries::DrawLegendShape(C, ValueIndex, Rect);
        return;
    }
    if (Line) {
        C.AssignVisiblePenColor(LinePen(), Color);
        C.DoHorizLine(Rect.Left, Rect.Right, (Rect.Top + Rect.Bottom) / 2);
    }
    if (fPointer->Visible()) {
        const bool Framed = ParentChart() && ParentChart()->LegendSymbolFramed();
        PlotPointerDrawLegend(*fPointer, Color, Rect, Framed);
    }
}
