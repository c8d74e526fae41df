#include "chart/series/CandleSeries.h"

#include "chart/core/PlotProcs.h"

// Drawing candles in their four styles, and which candle a click hits.

void TCandleSeries::DrawAllValues()
{
    // The trends are kept for this frame only, whatever way it ends.
    struct TEnd {
        int32_t& First;
        ~TEnd() { First = -1; }
    } End{fTrendsFirst};
    CandleTrends(Prices(), FirstValueIndex(), LastValueIndex(), fTrends);
    fTrendsFirst = FirstValueIndex();
    fHasOldP = false;
    // No shadow or outline pass: a candle has an outline of its own.
    TChartSeries::DrawAllValues();
}

void TCandleSeries::DrawValue(int32_t ValueIndex)
{
    if (IsNull(ValueIndex))
        return;
    if (OnGetPointerStyle)
        OnGetPointerStyle(this, ValueIndex);
    if (ValueIndex >= Count())
        return;
    TCanvas3D& C = ParentChart()->Canvas();
    const TCandleTrend Trend = TrendOf(ValueIndex);
    const TColor Color = ColorOf(ValueIndex, Trend);
    const TCandleItem Item = CalcItem(ValueIndex);
    switch (fCandleStyle) {
    case csCandleStick:
    case csOpenClose:
        DrawBody(C, Item, Color, Trend);
        break;
    case csCandleBar:
        DrawBar(C, Item, Color);
        break;
    case csLine:
        DrawCloseLine(C, Item, Color);
        break;
    }
}

void TCandleSeries::DrawBody(TCanvas3D& C, const TCandleItem& Item, TColor Color,
                             TCandleTrend Trend)
{
    if (fCandleStyle == csCandleStick) {
        const TColor Wick =
            fHighLowPen.Color() == clPlotColor ? Pen().Color() : fHighLowPen.Color();
        C.AssignVisiblePenColor(fHighLowPen, Wick);
        C.SetBackMode(cbmTransparent);
        // The low end's pixel is drawn, the high end's is not.
        C.VertLine3D(Item.X, Item.YLow, Item.YHigh, MiddleZ());
    }
    // The body in the pointer's pen and brush; the bars and the close line
    // set their own pen and need no brush.
    const bool PenVisible = Pen().Visible();
    Pointer().PrepareCanvas(C, Color);
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Color);
    if (!PenVisible)
        C.Pen().SetStyle(psClear);
    const TRect Body = CandleBodyRect(Item, PenVisible);
    // A 3D chart draws the body as a box through the series' depth, or
    // flat at its middle.
    if (ParentChart()->View3D() && Pointer().Draw3D()) {
        C.Cube(Body, StartZ(), EndZ(), Pointer().Dark3D());
        return;
    }
    TPlotGradient& Gradient = Trend == ctUp ? fUpClose : fDownClose;
    if (Gradient.Visible()) {
        const TPoint A = C.Calculate3DPosition(Body.Left, Body.Top, MiddleZ());
        const TPoint B = C.Calculate3DPosition(Body.Right, Body.Bottom, MiddleZ());
        Gradient.Draw(C, TRect{A.X, A.Y, B.X, B.Y});
        C.Brush().SetStyle(bsClear);
    }
    C.RectangleWithZ(Body, MiddleZ());
}

void TCandleSeries::DrawBar(TCanvas3D& C, const TCandleItem& Item, TColor Color)
{
    C.AssignVisiblePenColor(Pen(), Color);
    C.SetBackMode(cbmTransparent);
    const int Z = MiddleZ();
    C.VertLine3D(Item.X, Item.YLow, Item.YHigh, Z);
    if (fShowOpenTick)
        C.HorizLine3D(Item.X, Item.X - Item.LeftHalf - 1, Item.YOpen, Z);
    if (fShowCloseTick)
        C.HorizLine3D(Item.X, Item.X + Item.RightHalf + 1, Item.YClose, Z);
}

void TCandleSeries::DrawCloseLine(TCanvas3D& C, const TCandleItem& Item, TColor Color)
{
    const TPoint P{Item.X, Item.YClose};
    if (fHasOldP) {
        C.AssignVisiblePenColor(Pen(), Color);
        C.SetBackMode(cbmTransparent);
        C.LineWithZ(OldP.X, OldP.Y, P.X, P.Y, MiddleZ());
    }
    OldP = P;
    fHasOldP = true;
}

bool TCandleSeries::ClickedCandle(int32_t ValueIndex, const TPoint& P)
{
    const TCandleItem I = CalcItem(ValueIndex);
    switch (fCandleStyle) {
    case csCandleStick:
        if (PointInLine(P, I.X, I.YHigh, I.X, I.YLow))
            return true;
        [[fallthrough]];
    case csOpenClose: {
        // Every edge of the body's rectangle counts.
        const TRect B = CandleBodyRect(I, Pen().Visible());
        return P.X >= B.Left && P.X <= B.Right && P.Y >= B.Top && P.Y <= B.Bottom;
    }
    case csCandleBar:
        return PointInLine(P, I.X, I.YHigh, I.X, I.YLow) ||
               (fShowOpenTick && PointInLine(P, I.X, I.YOpen, I.X - I.LeftHalf - 1, I.YOpen)) ||
               (fShowCloseTick && PointInLine(P, I.X, I.YClose, I.X + I.RightHalf + 1, I.YClose));
    case csLine: {
        const TPoint Close{I.X, I.YClose};
        const bool Hit = fHasOldP && PointInLine(P, OldP, Close);
        OldP = Close;
        fHasOldP = true;
        return Hit;
    }
    }
    return false;
}

int32_t TCandleSeries::Clicked(int32_t X, int32_t Y)
{
    if (FirstValueIndex() < 0)
        return -1;
    fHasOldP = false;
    // Back from the 3D view to the plane the candles are drawn in.
    const TPoint P =
        ParentChart() ? ParentChart()->Canvas().Calculate2DPosition(X, Y, MiddleZ()) : TPoint{X, Y};
    const int32_t Last = std::min(LastValueIndex(), Count() - 1);
    for (int32_t I = FirstValueIndex(); I <= Last; ++I)
        if (!IsNull(I) && ClickedCandle(I, P))
            return I;
    return -1;
}

void TCandleSeries::DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect)
{
    const TColor Color = C.Brush().Color();
    const int MidX = (Rect.Left + Rect.Right) / 2, MidY = (Rect.Top + Rect.Bottom) / 2;
    if (fCandleStyle == csLine) {
        C.AssignVisiblePenColor(Pen(), Color);
        C.DoHorizLine(Rect.Left, Rect.Right, MidY);
        return;
    }
    // A small candle: the wick through the middle, the body over its half.
    C.AssignVisiblePenColor(Pen(), Pen().Color() == clPlotColor ? Color : Pen().Color());
    C.DoVertLine(MidX, Rect.Top, Rect.Bottom);
    const int W = std::max(1, Rect.Width() / 4), H = std::max(1, Rect.Height() / 4);
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Color);
    C.Rectangle(MidX - W, MidY - H, MidX + W + 1, MidY + H + 1);
}
