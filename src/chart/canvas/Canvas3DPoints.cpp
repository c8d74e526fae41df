#include "chart/canvas/PlotCanvas3D.h"

#include <algorithm>

std::vector<TPoint> TCanvas3D::Calc3DPoints(const std::vector<TPoint>& Points, int Z)
{
    std::vector<TPoint> Projected;
    Projected.reserve(Points.size());
    for (const TPoint& P : Points)
        Projected.push_back(Calculate3DPosition(P, Z));
    return Projected;
}

void TCanvas3D::Calc3DTPoint(TPoint& P, int Z)
{
    P = Calculate3DPosition(P, Z);
}

TPoint TCanvas3D::Calc3DTPoint3D(const TPoint3D& P)
{
    return Calculate3DPosition(P.X, P.Y, P.Z);
}

TRect TCanvas3D::CalcRect3D(const TRect& R, int Z)
{
    const TPoint TopLeft = Calculate3DPosition(R.Left, R.Top, Z);
    const TPoint BottomRight = Calculate3DPosition(R.Right, R.Bottom, Z);
    return {TopLeft.X, TopLeft.Y, BottomRight.X, BottomRight.Y};
}

TRect TCanvas3D::RectFromRectZ(const TRect& R, int Z)
{
    TFourPoints P;
    FourPointsFromRect(R, Z, P);
    const auto [Left, Right] = std::minmax({P[0].X, P[1].X, P[2].X, P[3].X});
    const auto [Top, Bottom] = std::minmax({P[0].Y, P[1].Y, P[2].Y, P[3].Y});
    return {Left, Top, Right, Bottom};
}

void TCanvas3D::FourPointsFromRect(const TRect& R, int Z, TFourPoints& P)
{
    P = {Calculate3DPosition(R.Left, R.Top, Z), Calculate3DPosition(R.Right, R.Top, Z),
         Calculate3DPosition(R.Right, R.Bottom, Z), Calculate3DPosition(R.Left, R.Bottom, Z)};
}
