#include "chart/series/SeriesPointer.h"

#include "chart/core/PlotConst.h"
#include "chart/series/ChartSeries.h"

#include <cmath>

TSeriesPointer::TSeriesPointer(TCustomPlotPanel* AParent, TChartSeries* ASeries)
    : TPlotCustomShapeBrushPen(AParent), FGradient([this](TGraphicsObject*) { Repaint(); }),
      FSeries(ASeries), FShadow([this](TGraphicsObject*) { Repaint(); })
{
    // Unset: every point takes its own colour.
    FBrush.SetColor(clPlotColor);
    FShadow.InitValues(clGray, 3);
    FShadow.SetVisible(false);
}

int TSeriesPointer::CheckSize(int Value)
{
    if (Value < 1)
        throw ChartException(PlotConst::PlotMsg_CheckPointerSize);
    return Value;
}

void TSeriesPointer::CalcHorizMargins(int32_t& Left, int32_t& Right) const
{
    if (FVisible && FInflate) {
        Left = std::max(Left, FHorizSize + 1);
        Right = std::max(Right, FHorizSize + 1);
    }
}

void TSeriesPointer::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const
{
    if (FVisible && FInflate) {
        Top = std::max(Top, FVertSize + 1);
        Bottom = std::max(Bottom, FVertSize + 1);
    }
}

void TSeriesPointer::PrepareCanvas(TCanvas3D& ACanvas, TColor ColorValue)
{
    if (!FPen.Visible())
        ACanvas.Pen().SetStyle(psClear);
    else if (FPen.Color() == clPlotColor)
        ACanvas.AssignVisiblePenColor(FPen, ColorValue);
    else
        ACanvas.AssignVisiblePen(FPen);
    const TColor Fill = FBrush.Color() == clPlotColor ? ColorValue : FBrush.Color();
    ACanvas.AssignBrush(FBrush, Fill, FBrush.BackColor());
}

void TSeriesPointer::Draw(int px, int py, TColor ColorValue, TSeriesPointerStyle AStyle)
{
    if (FParent)
        DrawPointer(FParent->Canvas(), px, py, FHorizSize, FVertSize, ColorValue, AStyle);
}

namespace {

// The outline of the filled styles, empty for the others.
std::vector<TPoint> Outline(TSeriesPointerStyle AStyle, const TRect& R, int px, int py)
{
    switch (AStyle) {
    case psTriangle:
        return {{R.Left, R.Bottom}, {R.Right, R.Bottom}, {px, R.Top}};
    case psDownTriangle:
        return {{R.Left, R.Top}, {R.Right, R.Top}, {px, R.Bottom}};
    case psLeftTriangle:
        return {{R.Left, py}, {R.Right, R.Top}, {R.Right, R.Bottom}};
    case psRightTriangle:
        return {{R.Right, py}, {R.Left, R.Top}, {R.Left, R.Bottom}};
    case psDiamond:
        return {{px, R.Top}, {R.Right, py}, {px, R.Bottom}, {R.Left, py}};
    case psHexagon: {
        const int Q = (R.Right - R.Left) / 4;
        return {{R.Left, py},  {R.Left + Q, R.Top},     {R.Right - Q, R.Top},
                {R.Right, py}, {R.Right - Q, R.Bottom}, {R.Left + Q, R.Bottom}};
    }
    default:
        return {};
    }
}

} // namespace

void TSeriesPointer::DrawPointer(TCanvas3D& ACanvas, int px, int py, int tmpHoriz, int tmpVert,
                                 TColor ColorValue, TSeriesPointerStyle AStyle)
{
    if (AStyle == psNothing)
        return;
    const TRect R{px - tmpHoriz, py - tmpVert, px + tmpHoriz, py + tmpVert};
    const std::vector<TPoint> Points = Outline(AStyle, R, px, py);
    PrepareCanvas(ACanvas, ColorValue);
    if (FShadow.Visible() && FShadow.Size() != 0) {
        DrawShadow(ACanvas, R, Points, AStyle);
        PrepareCanvas(ACanvas, ColorValue);
    }
    std::unique_ptr<TPlotBlend> Blend;
    if (FTransparency > 0)
        Blend = ACanvas.BeginBlending({R.Left, R.Top, R.Right + 1, R.Bottom + 1}, FTransparency);
    if (FParent && FParent->View3D())
        DrawShape3D(ACanvas, R, Points, px, py, AStyle);
    else
        DrawShape(ACanvas, R, Points, px, py, AStyle);
    if (FGradient.Visible())
        DrawGradient(ACanvas, R, Points, AStyle);
    if (Blend)
        ACanvas.EndBlending(std::move(Blend));
}

void TSeriesPointer::DrawShadow(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                                TSeriesPointerStyle AStyle)
{
    if (AStyle == psCircle)
        FShadow.DrawEllipse(C, R, 0);
    else if (!Outline.empty())
        FShadow.Draw(C, Outline);
    else if (AStyle == psRectangle)
        FShadow.Draw(C, {R.Left, R.Top, R.Right + 1, R.Bottom + 1});
}

void TSeriesPointer::DrawShape(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                               int px, int py, TSeriesPointerStyle AStyle)
{
    const bool Cross = AStyle == psCross || AStyle == psStar;
    const bool Diagonals = AStyle == psDiagCross || AStyle == psStar;
    if (Cross) {
        C.Line(px, R.Top, px, R.Bottom + 1);
        C.Line(R.Left, py, R.Right + 1, py);
    }
    if (Diagonals) {
        C.Line(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
        C.Line(R.Left, R.Bottom, R.Right + 1, R.Top - 1);
    }
    if (!Outline.empty())
        C.Polygon(Outline);
    else if (AStyle == psRectangle)
        C.Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
    else if (AStyle == psCircle)
        C.Ellipse(R);
    else if (AStyle == psSmallDot)
        C.SetPixel(px, py, C.Brush().Color());
}

void TSeriesPointer::DrawShape3D(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                                 int px, int py, TSeriesPointerStyle AStyle)
{
    // Between the series' front and back in the chart's depth.
    const int Z0 = FSeries ? FSeries->StartZ() : 0;
    const int Z1 = FSeries ? FSeries->EndZ() : 0;
    const TRect Box{R.Left, R.Top, R.Right + 1, R.Bottom + 1};
    switch (FDraw3D ? AStyle : psNothing) {
    case psRectangle:
        C.Cube(Box, Z0, Z1, FDark3D);
        return;
    case psCircle:
        C.Sphere(px, py, (Z0 + Z1) / 2, (R.Right - R.Left) / 2.0);
        return;
    case psTriangle:
        C.Pyramid(true, R.Left, R.Top, R.Right, R.Bottom, Z0, Z1, FDark3D);
        return;
    case psDownTriangle:
        C.Pyramid(true, R.Left, R.Bottom, R.Right, R.Top, Z0, Z1, FDark3D);
        return;
    case psRightTriangle:
        C.Pyramid(false, R.Left, R.Top, R.Right, R.Bottom, Z0, Z1, FDark3D);
        return;
    case psLeftTriangle:
        C.Pyramid(false, R.Right, R.Top, R.Left, R.Bottom, Z0, Z1, FDark3D);
        return;
    default:
        break;
    }
    // The flat shape on the series' front plane.
    if (AStyle == psRectangle) {
        C.RectangleWithZ(Box, Z0);
        return;
    }
    if (AStyle == psCircle) {
        C.EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, Z0);
        return;
    }
    const auto At = [&](int X, int Y) { return C.Calculate3DPosition(X, Y, Z0); };
    std::vector<TPoint> Front;
    for (const TPoint& P : Outline)
        Front.push_back(At(P.X, P.Y));
    const TPoint Centre = At(px, py);
    const TPoint LT = At(R.Left, R.Top), RB = At(R.Right, R.Bottom);
    DrawShape(C, {LT.X, LT.Y, RB.X, RB.Y}, Front, Centre.X, Centre.Y, AStyle);
}

void TSeriesPointer::DrawGradient(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                                  TSeriesPointerStyle AStyle)
{
    const TRect Bounds{R.Left, R.Top, R.Right + 1, R.Bottom + 1};
    if (!FullGradient && !Outline.empty()) {
        C.PolygonGradient(Outline, FGradient);
    } else if (!FullGradient && AStyle == psCircle) {
        C.ClipEllipse(Bounds);
        FGradient.Draw(C, Bounds);
        C.UnClipRectangle();
    } else if (AStyle != psSmallDot && AStyle != psCross && AStyle != psDiagCross &&
               AStyle != psStar) {
        FGradient.Draw(C, Bounds);
    }
}

TCallout::TCallout(TCustomPlotPanel* AParent, TChartSeries* ASeries)
    : TSeriesPointer(AParent, ASeries), FArrow([this](TGraphicsObject*) { Repaint(); })
{
    FullGradient = true;
    SetDraw3D(false);
    SetColor(clBlack);
}

void TCallout::Draw(TColor AColor, const TPoint& From, const TPoint& To)
{
    if (!FParent)
        return;
    TCanvas3D& C = FParent->Canvas();
    if (FArrow.Visible()) {
        C.AssignVisiblePen(FArrow);
        C.Line(From, To);
        if (FArrowHead != ahNone)
            DrawArrowHead(C, From, To);
    }
    if (FVisible)
        TSeriesPointer::Draw(To.X, To.Y, AColor);
}

void TCallout::DrawArrowHead(TCanvas3D& C, const TPoint& From, const TPoint& To)
{
    const double DX = From.X - To.X, DY = From.Y - To.Y;
    const double Len = std::hypot(DX, DY);
    if (Len == 0)
        return;
    // Two barbs at 30 degrees either side of the arrow, FArrowHeadSize long.
    const double UX = DX / Len * FArrowHeadSize, UY = DY / Len * FArrowHeadSize;
    const double C30 = std::cos(M_PI / 6), S30 = std::sin(M_PI / 6);
    const TPoint A{To.X + int(std::lround(UX * C30 - UY * S30)),
                   To.Y + int(std::lround(UX * S30 + UY * C30))};
    const TPoint B{To.X + int(std::lround(UX * C30 + UY * S30)),
                   To.Y + int(std::lround(-UX * S30 + UY * C30))};
    if (FArrowHead == ahSolid) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(FArrow.Color());
        C.Polygon({To, A, B});
    } else {
        C.Line(A, To);
        C.Line(To, B);
    }
}

TMarksCallout::TMarksCallout(TCustomPlotPanel* AParent, TChartSeries* ASeries)
    : TCallout(AParent, ASeries)
{
    SetVisible(false);
}
