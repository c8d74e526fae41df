#include "chart/canvas/PlotCanvas3D.h"

#include <QPolygonF>
#include <QTransform>
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

void TCanvas3D::StretchDraw(const TRect& Rect, const QImage& Graphic, int Pos, TCanvas3DPlane Plane)
{
    if (Graphic.isNull())
        return;
    TFourPoints P;
    const TRect& R = Rect;
    switch (Plane) {
    case cpX:
        P = {Calculate3DPosition(Pos, R.Top, R.Left), Calculate3DPosition(Pos, R.Top, R.Right),
             Calculate3DPosition(Pos, R.Bottom, R.Right),
             Calculate3DPosition(Pos, R.Bottom, R.Left)};
        break;
    case cpY:
        P = {Calculate3DPosition(R.Left, Pos, R.Top), Calculate3DPosition(R.Right, Pos, R.Top),
             Calculate3DPosition(R.Right, Pos, R.Bottom),
             Calculate3DPosition(R.Left, Pos, R.Bottom)};
        break;
    case cpZ:
        FourPointsFromRect(R, Pos, P);
        break;
    }
    const double W = Graphic.width(), H = Graphic.height();
    QPolygonF To;
    for (const TPoint& Corner : P)
        To << QPointF(Corner.X, Corner.Y);
    QTransform T;
    // A plane seen edge-on has no area to show the picture in.
    if (!QTransform::quadToQuad(QPolygonF({{0, 0}, {W, 0}, {W, H}, {0, H}}), To, T))
        return;
    const QRect Bounds = To.boundingRect().toAlignedRect();
    if (Bounds.isEmpty())
        return;
    Draw(Bounds.left(), Bounds.top(),
         Graphic.convertToFormat(QImage::Format_ARGB32_Premultiplied)
             .transformed(T, Qt::FastTransformation));
}
