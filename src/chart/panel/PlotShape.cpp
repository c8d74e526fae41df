#include "chart/panel/PlotShape.h"
#include "platform/SysUtils.h"

#include <cmath>

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* AParent)
    : FParent(AParent), FBrush([this](TGraphicsObject*) { Repaint(); }),
      FPen([this](TGraphicsObject*) { Repaint(); })
{
}

void TPlotCustomShapeBrushPen::Repaint()
{
    if (FParent)
        FParent->Invalidate();
}

TPlotCustomShape::TPlotCustomShape(TCustomPlotPanel* AParent)
    : TPlotCustomShapeBrushPen(AParent), FFont([this](TGraphicsObject*) { Repaint(); }),
      FShadow([this](TGraphicsObject*) { Repaint(); }),
      FGradient([this](TGraphicsObject*) { Repaint(); })
{
}

void TPlotCustomShape::Draw()
{
    DrawRectRotated(ShapeBounds);
}

TFourPoints RotatedCorners(const TRect& R, double Angle)
{
    const double CX = (R.Left + R.Right) / 2.0, CY = (R.Top + R.Bottom) / 2.0;
    const double S = std::sin(Angle * PlotPiStep), C = std::cos(Angle * PlotPiStep);
    const TPoint Corners[4] = {
        {R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
    TFourPoints Out{};
    for (int I = 0; I < 4; ++I) {
        const double DX = Corners[I].X - CX, DY = Corners[I].Y - CY;
        Out[size_t(I)] = {int(Round(CX + DX * C + DY * S)), int(Round(CY - DX * S + DY * C))};
    }
    return Out;
}

void TPlotCustomShape::DrawFrame(TCanvas3D& C, const TRect& R, int Angle, int AZ)
{
    if (Angle != 0) {
        C.PlaneWithZ(RotatedCorners(R, Angle), AZ);
        return;
    }
    switch (FShapeStyle) {
    case fosRoundRectangle: {
        const TPoint A = C.Calculate3DPosition(R.Left, R.Top, AZ);
        const TPoint B = C.Calculate3DPosition(R.Right, R.Bottom, AZ);
        C.RoundRect(A.X, A.Y, B.X, B.Y, FRoundSize, FRoundSize);
        break;
    }
    case fosEllipse:
        C.EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, AZ);
        break;
    default:
        C.RectangleWithZ(R, AZ);
    }
}

void TPlotCustomShape::DrawRectRotated(const TRect& Rect, int Angle, int AZ)
{
    if (!FVisible || !FParent)
        return;
    TCanvas3D& C = FParent->Canvas();
    std::unique_ptr<TPlotBlend> Blend;
    bool Filled = false;
    if (!FTransparent) {
        if (FTransparency > 0)
            Blend = C.BeginBlending(Rect, FTransparency);
        if (FShadow.Visible())
            FShadow.Draw(C, Rect);
        if (FPicture.HasGraphic()) {
            FPicture.Draw(C, Rect);
        } else if (FGradient.Visible()) {
            FGradient.Draw(C, Rect, FShapeStyle == fosRoundRectangle ? FRoundSize : 0);
        } else {
            C.AssignBrush(FBrush, FillColor(), FBrush.BackColor());
            Filled = true;
        }
    }
    if (!Filled)
        C.Brush().SetStyle(bsClear);
    if (FPen.Visible() || Filled) {
        C.AssignVisiblePen(FPen);
        DrawFrame(C, Rect, Angle, AZ);
    }
    if (Blend)
        C.EndBlending(std::move(Blend));
    if (FBevel != bvNone) {
        TRect R = Rect;
        const bool Raised = FBevel == bvRaised;
        C.Frame3D(R, Raised ? clBtnHighlight : clBtnShadow, Raised ? clBtnShadow : clBtnHighlight,
                  FBevelWidth);
    }
}

void TPlotCustomShapePosition::SetLeft(int Value)
{
    const int W = ShapeBounds.Width();
    ShapeBounds.Left = Value;
    ShapeBounds.Right = Value + W;
    FCustomPosition = true;
    Repaint();
}

void TPlotCustomShapePosition::SetTop(int Value)
{
    const int H = ShapeBounds.Height();
    ShapeBounds.Top = Value;
    ShapeBounds.Bottom = Value + H;
    FCustomPosition = true;
    Repaint();
}
