#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotPicture.h"

#include <cmath>

void TCanvas3D::FrontPlaneBegin()
{
    if (IDisabledRotation++ == 0)
        DisableRotation();
}

void TCanvas3D::FrontPlaneEnd()
{
    if (IDisabledRotation > 0 && --IDisabledRotation == 0)
        EnableRotation();
}

void TCanvas3D::HorizLine3D(int Left, int Right, int Y, int Z)
{
    MoveTo3D(Left, Y, Z);
    LineTo3D(Right, Y, Z);
}

void TCanvas3D::VertLine3D(int X, int Top, int Bottom, int Z)
{
    MoveTo3D(X, Top, Z);
    LineTo3D(X, Bottom, Z);
}

void TCanvas3D::ZLine3D(int X, int Y, int Z0, int Z1)
{
    MoveTo3D(X, Y, Z0);
    LineTo3D(X, Y, Z1);
}

void TCanvas3D::LineWithZ(int X0, int Y0, int X1, int Y1, int Z)
{
    MoveTo3D(X0, Y0, Z);
    LineTo3D(X1, Y1, Z);
}

void TCanvas3D::MoveTo3D(int X, int Y, int Z)
{
    MoveTo(Calculate3DPosition(X, Y, Z));
}

void TCanvas3D::LineTo3D(int X, int Y, int Z)
{
    LineTo(Calculate3DPosition(X, Y, Z));
}

void TCanvas3D::PlaneWithZ(const TFourPoints& P, int Z)
{
    PolygonWithZ({P.begin(), P.end()}, Z);
}

void TCanvas3D::PolygonWithZ(std::vector<TPoint> Points, int Z)
{
    for (TPoint& P : Points)
        P = Calculate3DPosition(P, Z);
    Polygon(Points);
}

void TCanvas3D::Polyline(const std::vector<TPoint>& Points, int Z)
{
    std::vector<TPoint> Projected(Points);
    for (TPoint& P : Projected)
        P = Calculate3DPosition(P, Z);
    Polyline(Projected);
}

void TCanvas3D::RotateLabel3D(int X, int Y, int Z, const std::string& St, double RotDegree)
{
    const TPoint P = Calculate3DPosition(X, Y, Z);
    RotateLabel(P.X, P.Y, St, RotDegree);
}

void TCanvas3D::TextOut3D(int X, int Y, int Z, const std::string& Text)
{
    const TPoint P = Calculate3DPosition(X, Y, Z);
    TextOut(P.X, P.Y, Text);
}

TPlotCanvas3D::TPlotCanvas3D() = default;

TPlotCanvas3D::~TPlotCanvas3D()
{
    DeleteBitmap();
}

void TPlotCanvas3D::SetMonochrome(bool Value)
{
    FMonochrome = Value;
    FDirty = true;
    if (F3DOptions)
        F3DOptions->Repaint();
}

void TPlotCanvas3D::SetTextAlign(int Align)
{
    FTextAlign = Align;
    if (DC())
        DC()->SetTextAlign(Align);
}

void TPlotCanvas3D::SetUseBuffer(bool Value)
{
    FBufferedDisplay = Value;
    if (!Value) {
        if (!IKeepBitmap) {
            DeleteBitmap();
            FDirty = true;
        }
    } else if (FBitmap) {
        SetCanvas(&FBitmap->Canvas());
    }
}

TColor TPlotCanvas3D::GetPixel3D(int X, int Y, int Z)
{
    const TPoint P = Calculate3DPosition(X, Y, Z);
    return GetPixel(P.X, P.Y);
}

void TPlotCanvas3D::SetPixel3D(int X, int Y, int Z, TColor Value)
{
    const TPoint P = Calculate3DPosition(X, Y, Z);
    SetPixel(P.X, P.Y, Value);
}

TRect TPlotCanvas3D::InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor,
                                bool Is3D, const TRect& UserRect)
{
    FBounds = UserRect;
    F3DOptions = A3DOptions;
    if (A3DOptions)
        FontZoom = A3DOptions->FontZoom();
    FIs3D = Is3D;
    FIsOrthogonal = false;
    IZoomFactor = 1.0;
    if (Is3D && A3DOptions) {
        FIsOrthogonal = A3DOptions->Orthogonal();
        int A = A3DOptions->OrthoAngle();
        IOrthoX = 1.0;
        if (A > 90) {
            IOrthoX = -1.0;
            A = 180 - A;
        }
        const double Cos = std::cos(A * PlotPiStep);
        IOrthoY = Cos > 0.01 ? std::sin(A * PlotPiStep) / Cos : 1.0;
    }
    if (Is3D && !FIsOrthogonal)
        CalcTrigValues();
    if (!FBufferedDisplay) {
        SetCanvas(DestCanvas);
        return UserRect;
    }
    SetBitmap(UserRect.Width(), UserRect.Height());
    SetCanvas(&FBitmap->Canvas());
    return {0, 0, UserRect.Width(), UserRect.Height()};
}

void TPlotCanvas3D::SetBitmap(int W, int H)
{
    if (!FBitmap)
        FBitmap = std::make_unique<TBitmap>();
    // A buffer of another size holds no valid picture.
    if (FBitmap->Width() != W || FBitmap->Height() != H)
        FDirty = true;
    FBitmap->SetSize(W, H);
}

void TPlotCanvas3D::DeleteBitmap()
{
    if (FBitmap && FCanvas == &FBitmap->Canvas())
        SetCanvas(nullptr);
    FBitmap.reset();
}

void TPlotCanvas3D::ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect)
{
    if (FBufferedDisplay && FBitmap) {
        TransferBitmap(UserRect.Left, UserRect.Top, DestCanvas);
        FDirty = false;
    }
    SetCanvas(DefaultCanvas);
}

void TPlotCanvas3D::TransferBitmap(int ALeft, int ATop, TCanvas* ACanvas)
{
    if (!ACanvas || !ACanvas->Handle() || !FBitmap || FBitmap->Empty())
        return;
    ACanvas->Handle()->BitBlt(ALeft, ATop, FBitmap->Width(), FBitmap->Height(), &FBitmap->DC(), 0,
                              0, SRCCOPY);
}

bool TPlotCanvas3D::ReDrawBitmap()
{
    if (FDirty || !FBitmap || FBitmap->Empty())
        return false;
    // Never show a buffer that no longer fits the surface.
    const TGdiDC* Target = DC();
    if (Target && (Target->DeviceWidth() != FBitmap->Width() ||
                   Target->DeviceHeight() != FBitmap->Height())) {
        FDirty = true;
        return false;
    }
    TransferBitmap(0, 0, FCanvas);
    return true;
}

void TPlotCanvas3D::DisableRotation()
{
    FWas3D = FIs3D;
    FIs3D = false;
}

void TPlotCanvas3D::EnableRotation()
{
    FIs3D = FWas3D;
}

void TPlotCanvas3D::Arc(int Left, int Top, int Right, int Bottom, int StartX, int StartY, int EndX,
                        int EndY)
{
    FCanvas->Arc(Left, Top, Right, Bottom, StartX, StartY, EndX, EndY);
}

void TPlotCanvas3D::Draw(int X, int Y, const QImage& Graphic)
{
    if (!Graphic.isNull())
        FCanvas->Draw(X, Y, Graphic);
}

void TPlotCanvas3D::Ellipse(int X1, int Y1, int X2, int Y2)
{
    FCanvas->Ellipse(X1, Y1, X2, Y2);
}

void TPlotCanvas3D::FillRect(const TRect& Rect)
{
    FCanvas->FillRect(Rect);
}

void TPlotCanvas3D::LineTo(int X, int Y)
{
    FCanvas->LineTo(X, Y);
}

void TPlotCanvas3D::MoveTo(int X, int Y)
{
    FCanvas->MoveTo(X, Y);
}

void TPlotCanvas3D::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TPlotCanvas3D::Rectangle(int X0, int Y0, int X1, int Y1)
{
    FCanvas->Rectangle(X0, Y0, X1, Y1);
}

void TPlotCanvas3D::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    FCanvas->RoundRect(X1, Y1, X2, Y2, X3, Y3);
}

void TPlotCanvas3D::StretchDraw(const TRect& Rect, const QImage& Graphic)
{
    if (!Graphic.isNull())
        FCanvas->StretchDraw(Rect, Graphic);
}

void TPlotCanvas3D::GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor,
                                 int Direction, int Balance, int RadialX, int RadialY)
{
    PlotGradientFill(*this, Rect, StartColor, EndColor, TGradientDirection(Direction), Balance,
                     RadialX, RadialY);
}

void TPlotCanvas3D::Polyline(const std::vector<TPoint>& Points)
{
    FCanvas->Polyline(Points);
}

void TPlotCanvas3D::Polygon(const std::vector<TPoint>& Points)
{
    FCanvas->Polygon(Points);
}

void TPlotCanvas3D::PolygonFour()
{
    Polygon({IPoints.begin(), IPoints.end()});
}
