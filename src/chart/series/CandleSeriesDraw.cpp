#include "chart/series/CandleSeries.h"

#include "chart/core/PlotProcs.h"

// Drawing candles in their four styles, and which candle a click hits.

void TCandleSeries::DrawAllValues()
{
    // The trends are kept for this frame only, whatever way it ends, unless
    // a handler freed the series.
    TPlotLifetime::TWatch Watch(Lifetime());
    struct TEnd {
        int32_t& First;
        const TPlotLifetime::TWatch& W;
        ~TEnd()
        {
            if (!W.Gone())
                First = -1;
        }
    } End{fTrendsFirst, Watch};
    CandleTrends(Prices(), FirstValueIndex(), LastValueIndex(), fTrends);
    fTrendsFirst = FirstValueIndex();
    fHasOldP = false;
    // No shadow or outline pass: a candle has an outline of its own.
    if (CanBatch())
        DrawBatch();
    else
        TChartSeries::DrawAllValues();
}

namespace {

// A pen that draws as one solid pixel wide line in copy mode, or nothing.
bool PlainPen(const TChartPen& P)
{
    return !P.Visible() ||
           (P.Width() <= 1 && P.Style() == psSolid && P.Mode() == pmCopy && !P.SmallDots());
}

} // namespace

bool TCandleSeries::CanBatch()
{
    if (fCandleStyle == csLine || OnGetPointerStyle || !ParentChart() || ParentChart()->View3D() ||
        ParentChart()->Canvas().GetMonochrome() || !PlainPen(Pen()))
        return false;
    if (fCandleStyle == csCandleBar)
        return true;
    TChartBrush& Brush = Pointer().Brush();
    const TPlotPicture* Image = Brush.ImageIfAny();
    return PlainPen(fHighLowPen) && !fUpClose.Visible() && !fDownClose.Visible() &&
           !(Image && Image->HasGraphic()) && Brush.Bitmap().isNull();
}

// The candles as one batch of shapes in drawing order: every pixel as the
// candle-by-candle way draws it, without a painter call per candle.
void TCandleSeries::DrawBatch()
{
    TCanvas3D& C = ParentChart()->Canvas();
    const int Z = MiddleZ();
    const auto At = [&](int X, int Y) { return C.Calculate3DPosition(X, Y, Z); };
    const auto Line = [&](TPoint A, TPoint B, TColor Color) {
        fShapes.push_back({TGdiShape::Line, true, {A.X, A.Y, B.X, B.Y}, ColorToRGB(Color), 0});
    };
    const bool Forward = DrawValuesForward();
    const int32_t First = FirstValueIndex(), Last = LastValueIndex();
    fShapes.clear();
    TColor LastColor = clNone;
    TCandleItem LastItem;
    for (int32_t K = First; K <= Last; ++K) {
        const int32_t I = Forward ? K : First + Last - K;
        if (IsNull(I))
            continue;
        const TCandleItem Item = CalcItem(I);
        const TColor Color = ColorOf(I, TrendOf(I));
        LastColor = Color;
        LastItem = Item;
        if (fCandleStyle == csCandleBar) {
            if (!Pen().Visible())
                continue;
            Line(At(Item.X, Item.YLow), At(Item.X, Item.YHigh), Color);
            if (fShowOpenTick)
                Line(At(Item.X, Item.YOpen), At(Item.X - Item.LeftHalf - 1, Item.YOpen), Color);
            if (fShowCloseTick)
                Line(At(Item.X, Item.YClose), At(Item.X + Item.RightHalf + 1, Item.YClose), Color);
            continue;
        }
        const TCandlePens P = PensOf(Item, Color);
        if (fCandleStyle == csCandleStick && fHighLowPen.Visible())
            Line(At(Item.X, Item.YLow), At(Item.X, Item.YHigh), P.Wick);
        const TRect Body = CandleBodyRect(Item, Pen().Visible());
        const TPoint A = At(Body.Left, Body.Top), B = At(Body.Right, Body.Bottom);
        fShapes.push_back({TGdiShape::Box,
                           Pen().Visible(),
                           {A.X, A.Y, B.X, B.Y},
                           ColorToRGB(P.Outline),
                           ColorToRGB(Color)});
    }
    C.DrawShapes(fShapes);
    // The canvas is left as the last candle left it.
    if (LastColor == clNone)
        return;
    if (fCandleStyle == csCandleBar) {
        C.AssignVisiblePenColor(Pen(), LastColor);
        C.SetBackMode(cbmTransparent);
    } else {
        C.SetBackMode(cbmTransparent);
        PrepareBody(C, LastItem, LastColor);
    }
}

TCandleSeries::TCandlePens TCandleSeries::PensOf(const TCandleItem& Item, TColor Color) const
{
    // A body of one or two pixels is all outline: in the candle's colour
    // (and the wick that follows the outline with it), zoomed-out candles
    // still show which way they went.
    const bool Narrow = Item.LeftHalf + Item.RightHalf + 1 <= 2;
    const TColor Outline = Narrow || Pen().Color() == clPlotColor ? Color : Pen().Color();
    TColor Wick = fHighLowPen.Color();
    if (Wick == clPlotColor)
        Wick = Narrow ? Color : Pen().Color();
    return {Outline, Wick};
}

void TCandleSeries::PrepareBody(TCanvas3D& C, const TCandleItem& Item, TColor Color)
{
    const bool PenVisible = Pen().Visible();
    Pointer().PrepareCanvas(C, Color);
    if (PenVisible)
        C.AssignVisiblePenColor(Pen(), PensOf(Item, Color).Outline);
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Color);
    if (!PenVisible)
        C.Pen().SetStyle(psClear);
}

void TCandleSeries::DrawValue(int32_t ValueIndex)
{
    if (IsNull(ValueIndex))
        return;
    // The style handler may empty or free the series.
    TSeriesPointerStyle Style;
    if (!PointerStyleOf(ValueIndex, Style) || ValueIndex >= Count())
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
        C.AssignVisiblePenColor(fHighLowPen, PensOf(Item, Color).Wick);
        C.SetBackMode(cbmTransparent);
        // The low end's pixel is drawn, the high end's is not.
        C.VertLine3D(Item.X, Item.YLow, Item.YHigh, MiddleZ());
    }
    // The body in the pointer's pen and brush; the bars and the close line
    // set their own pen and need no brush.
    PrepareBody(C, Item, Color);
    const TRect Body = CandleBodyRect(Item, Pen().Visible());
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
