#include "chart/core/PlotProcs.h"

#include <algorithm>
#include <cmath>

std::vector<TColor> ColorPalette;

bool PointInLine(const TPoint& P, int px, int py, int qx, int qy, int TolerancePixels)
{
    if ((P.X == px && P.Y == py) || (P.X == qx && P.Y == qy))
        return true;
    const double dx = double(qx) - px;
    const double dy = double(qy) - py;
    const double len2 = dx * dx + dy * dy;
    double t = 0;
    if (len2 > 0)
        t = std::clamp(((P.X - double(px)) * dx + (P.Y - double(py)) * dy) / len2, 0.0, 1.0);
    const double ex = P.X - (px + t * dx);
    const double ey = P.Y - (py + t * dy);
    return std::hypot(ex, ey) <= TolerancePixels + 1.0;
}

bool PointInLine(const TPoint& P, const TPoint& FromPoint, const TPoint& ToPoint,
                 int TolerancePixels)
{
    return PointInLine(P, FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y, TolerancePixels);
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Poly)
{
    bool inside = false;
    if (Poly.empty())
        return inside;
    const TPoint* prev = &Poly.back();
    for (const TPoint& cur : Poly) {
        const bool straddles = (cur.Y <= P.Y && P.Y < prev->Y) || (prev->Y <= P.Y && P.Y < cur.Y);
        if (straddles) {
            const double crossX =
                cur.X + double(prev->X - cur.X) * (P.Y - cur.Y) / double(prev->Y - cur.Y);
            if (P.X < crossX)
                inside = !inside;
        }
        prev = &cur;
    }
    return inside;
}

bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1)
{
    const TPoint poly[3] = {{X0, Y1}, {(X0 + X1) / 2, Y0}, {X1, Y1}};
    return PointInPolygon(P, poly);
}

bool PointInHorizTriangle(const TPoint& P, int Y0, int Y1, int X0, int X1)
{
    const TPoint poly[3] = {{X1, Y0}, {X0, (Y0 + Y1) / 2}, {X1, Y1}};
    return PointInPolygon(P, poly);
}

namespace {

// The offset from the centre along one axis as a share of the half-axis; a
// flat ellipse accepts only its centre line.
bool NormalisedOffset(int Pos, int Low, int High, double& Offset)
{
    const double half = (double(High) - Low) / 2;
    const double delta = Pos - (Low + half);
    if (half == 0) {
        Offset = 0;
        return delta == 0;
    }
    Offset = delta / half;
    return true;
}

} // namespace

bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom)
{
    double nx = 0;
    double ny = 0;
    if (!NormalisedOffset(P.X, Left, Right, nx) || !NormalisedOffset(P.Y, Top, Bottom, ny))
        return false;
    return nx * nx + ny * ny <= 1.0;
}

bool PointInEllipse(const TPoint& P, const TRect& Rect)
{
    return PointInEllipse(P, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

TColor GetDefaultColor(int Index)
{
    const std::span<const TColor> palette =
        ColorPalette.empty() ? std::span<const TColor>(DefaultPalette) : ColorPalette;
    const int n = static_cast<int>(palette.size());
    return palette[((Index % n) + n) % n];
}

void SetDefaultColorPalette()
{
    ColorPalette.assign(std::begin(DefaultPalette), std::end(DefaultPalette));
}

void SetDefaultColorPalette(std::span<const TColor> Palette)
{
    if (Palette.size() < 2)
        SetDefaultColorPalette();
    else
        ColorPalette.assign(Palette.begin(), Palette.end());
}

std::string ReplaceChar(std::string AString, char Search, char Replace)
{
    if (Replace == '\0')
        std::erase(AString, Search);
    else
        std::replace(AString.begin(), AString.end(), Search, Replace);
    return AString;
}

std::string PlotStr(int Num)
{
    return std::to_string(Num);
}
