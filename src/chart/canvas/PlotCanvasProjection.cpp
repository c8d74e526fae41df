#include "chart/canvas/PlotCanvas3D.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

int ClampToInt(int64_t V)
{
    return int(std::clamp<int64_t>(V, INT_MIN, INT_MAX));
}

// Round(V) + Offset, saturated: a point far off the surface still maps to
// a pixel the drawing layer can clip, never to a wrapped-around one.
int ScreenPos(double V, int Offset)
{
    return int(std::clamp(double(Round(V)) + Offset, double(INT_MIN), double(INT_MAX)));
}

// A point at or behind the eye would divide by zero or flip; it is held
// just in front of it instead.
constexpr double MinPerspectiveDivisor = 0.01;
// Below this the view is edge-on and the screen point has no inverse.
constexpr double MinInverseTerm = 1e-5;

} // namespace

void TPlotCanvas3D::Projection(int MaxDepth, const TRect& ABounds, const TRect& Rect)
{
    RectCenter(Rect, FXCenter, FYCenter);
    FXCenter = ScreenPos(RotationCenter.X, FXCenter);
    FYCenter = ScreenPos(RotationCenter.Y, FYCenter);
    FZCenter = ScreenPos(MaxDepth * 0.5 + RotationCenter.Z, 0);
    XCenterOffset = FXCenter;
    YCenterOffset = FYCenter;
    if (F3DOptions) {
        XCenterOffset = ClampToInt(int64_t(XCenterOffset) + F3DOptions->HorizOffset());
        YCenterOffset = ClampToInt(int64_t(YCenterOffset) + F3DOptions->VertOffset());
        if (FIs3D) {
            IZoomFactor = F3DOptions->Zoom() * 0.01;
            IZoomText = F3DOptions->ZoomText();
        }
    }
    CalcPerspective(Rect);
}

void TPlotCanvas3D::CalcPerspective(const TRect& Rect)
{
    IHasPerspec = F3DOptions && F3DOptions->Perspective() > 0;
    IZoomPerspec = IHasPerspec ? F3DOptions->Perspective() * IZoomFactor * (1.0 / 150) /
                                     std::max(1.0, double(Rect.Right) - Rect.Left)
                               : 0;
}

void TPlotCanvas3D::CalcTrigValues()
{
    const double A1 = F3DOptions ? -F3DOptions->Elevation() : 0;
    const double A2 = F3DOptions ? -F3DOptions->Rotation() : 0;
    const double A3 = F3DOptions ? F3DOptions->Tilt() : 0;
    IHasPerspec = false;
    IZoomPerspec = 0;
    s1 = std::sin(A1 * PlotPiStep);
    c1 = std::cos(A1 * PlotPiStep);
    s2 = std::sin(A2 * PlotPiStep);
    c2 = std::cos(A2 * PlotPiStep);
    s3 = std::sin(A3 * PlotPiStep);
    c3 = std::cos(A3 * PlotPiStep);
}

TPoint TPlotCanvas3D::Calc3DPoint(double X, double Y, double Z) const
{
    if (!FIs3D)
        return {ScreenPos(X, 0), ScreenPos(Y, 0)};
    if (FIsOrthogonal)
        return {ScreenPos((Z * IOrthoX + (X - FXCenter)) * IZoomFactor, XCenterOffset),
                ScreenPos(((Y - FYCenter) - Z * IOrthoY) * IZoomFactor, YCenterOffset)};
    const double DZ = Z - FZCenter, DX = X - FXCenter, DY = Y - FYCenter;
    const double T = DZ * c2 - DX * s2, U = DX * c2 + DZ * s2;
    double F = IZoomFactor;
    if (IHasPerspec)
        F /= std::max((c1 * T + DY * s1) * IZoomPerspec + 1, MinPerspectiveDivisor);
    const double V = DY * c1 - s1 * T;
    return {ScreenPos((c3 * U - s3 * V) * F, XCenterOffset),
            ScreenPos((c3 * V + s3 * U) * F, YCenterOffset)};
}

void TPlotCanvas3D::Calc3DPos(int& X, int& Y, int Z) const
{
    const TPoint P = Calc3DPoint(X, Y, Z);
    X = P.X;
    Y = P.Y;
}

TPoint TPlotCanvas3D::Calculate3DPosition(int X, int Y, int Z)
{
    Calc3DPos(X, Y, Z);
    return {X, Y};
}

// The exact inverse of the rotated projection (tilt included) on the plane
// at depth Z; perspective is not inverted.
TPoint TPlotCanvas3D::Calculate2DPosition(int X, int Y, int Z)
{
    if (!FIs3D || IZoomFactor == 0)
        return {X, Y};
    const double K = 1 / IZoomFactor;
    const double SX = (double(X) - XCenterOffset) * K, SY = (double(Y) - YCenterOffset) * K;
    if (FIsOrthogonal)
        return {ScreenPos(SX - Z * IOrthoX, FXCenter), ScreenPos(SY + Z * IOrthoY, FYCenter)};
    if (std::abs(c1) < MinInverseTerm || std::abs(c2) < MinInverseTerm)
        return {X, Y};
    const double U = c3 * SX + s3 * SY, V = c3 * SY - s3 * SX;
    const double DZ = double(Z) - FZCenter;
    const double DX = (U - DZ * s2) / c2;
    const double DY = (V + s1 * (DZ * c2 - DX * s2)) / c1;
    return {ScreenPos(DX, FXCenter), ScreenPos(DY, FYCenter)};
}
