#include "chart/canvas/PlotCanvas3D.h"
#include "platform/SysUtils.h"
#include "platform/qt/GdiBlit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

using TSection = std::vector<std::pair<double, double>>;

// Cross-sections of the solids on the unit square, (across, depth).
const TSection& SquareSection()
{
    static const TSection S{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    return S;
}

const TSection& RoundSection()
{
    static const TSection S = [] {
        TSection R;
        for (int I = 0; I < PlotNumCylinderSides; ++I) {
            const double A = (I - 0.5) * 2 * std::numbers::pi / PlotNumCylinderSides;
            R.emplace_back(-std::sin(A), -std::cos(A));
        }
        return R;
    }();
    return S;
}

constexpr int EllipsePoints = 64;
constexpr int PieSideDark = 32;

// Darkens the brush face by face and gives the solid's colours back at the end.
class TFaceShade {
public:
    TFaceShade(TPlotCanvas& C, bool On)
        : C(C), Base(C.Brush().Color()), Back(C.GetBackColor()), On(On)
    {
    }
    TFaceShade(const TFaceShade&) = delete;
    TFaceShade& operator=(const TFaceShade&) = delete;
    ~TFaceShade() { Restore(); }
    void Set(int Quantity)
    {
        if (!On)
            return;
        if (Quantity > 0)
            C.InternalDark(Base, Quantity);
        else
            Restore();
    }

private:
    void Restore()
    {
        C.Brush().SetColor(Base);
        C.SetBackColor(Back);
    }
    TPlotCanvas& C;
    TColor Base, Back;
    bool On;
};

// The side faces facing left or right are the darker ones, the far ones dark.
int SideShade(double Across, double Depth)
{
    if (std::abs(Across) > std::abs(Depth))
        return DarkerColorQuantity;
    return Depth > 0 ? DarkColorQuantity : 0;
}

// Outer arc from Start to End, then the inner arc back (or the centre).
std::vector<TPoint3DFloat> RingOutline(double CX, double CY, double XR, double YR, double Start,
                                       double End, int HolePercent, double Z)
{
    // More than one turn draws nothing more; a wild angle must not ask for
    // millions of points.
    const double Turn = 2 * std::numbers::pi;
    const double Sweep = std::isnan(End - Start) ? 0 : std::clamp(End - Start, -Turn, Turn);
    const int N = std::max(2, int(std::ceil(std::abs(Sweep) * EllipsePoints / Turn)) + 1);
    const double Hole = std::clamp(HolePercent, 0, 100) * 0.01;
    std::vector<TPoint3DFloat> P;
    auto Arc = [&](double Scale, bool Back) {
        for (int I = 0; I < N; ++I) {
            const double A = Start + Sweep * (Back ? N - 1 - I : I) / (N - 1);
            P.push_back({CX + XR * Scale * std::cos(A), CY - YR * Scale * std::sin(A), Z});
        }
    };
    Arc(1, false);
    if (Hole > 0)
        Arc(Hole, true);
    else
        P.push_back({CX, CY, Z});
    return P;
}

TPoint3DFloat Flat(const TPoint& P, double Z)
{
    return {double(P.X), double(P.Y), Z};
}

} // namespace

struct TPlotCanvas3D::TFrustum {
    bool Vertical;
    double ACentre, ARadius; // across the axis
    double Base, Tip;        // along it
    double ZCentre, ZRadius;
    double TipA, TipZ; // the tip's cross-section, relative to the base's
    const TSection& Section;
    bool Dark;
    TPoint3DFloat At(double A, double H, double Z) const
    {
        return Vertical ? TPoint3DFloat{A, H, Z} : TPoint3DFloat{H, A, Z};
    }
    TPoint3DFloat BasePoint(size_t I) const
    {
        return At(ACentre + ARadius * Section[I].first, Base,
                  ZCentre + ZRadius * Section[I].second);
    }
    TPoint3DFloat TipPoint(size_t I) const
    {
        return At(ACentre + ARadius * TipA * Section[I].first, Tip,
                  ZCentre + ZRadius * TipZ * Section[I].second);
    }
};

std::vector<TPoint> TPlotCanvas3D::Project(const std::vector<TPoint3DFloat>& Points) const
{
    std::vector<TPoint> R;
    R.reserve(Points.size());
    for (const TPoint3DFloat& P : Points)
        R.push_back(Calc3DPoint(P.X, P.Y, P.Z));
    return R;
}

void TPlotCanvas3D::SolidFace(std::vector<TPoint3DFloat> Face, const TPoint3DFloat& Inside)
{
    // Newell's normal: its sign does not hang on three nearly collinear points.
    double NX = 0, NY = 0, NZ = 0;
    for (size_t I = 0; I < Face.size(); ++I) {
        const TPoint3DFloat& A = Face[I];
        const TPoint3DFloat& B = Face[(I + 1) % Face.size()];
        NX += (A.Y - B.Y) * (A.Z + B.Z);
        NY += (A.Z - B.Z) * (A.X + B.X);
        NZ += (A.X - B.X) * (A.Y + B.Y);
    }
    const TPoint3DFloat& P = Face.front();
    if (NX * (P.X - Inside.X) + NY * (P.Y - Inside.Y) + NZ * (P.Z - Inside.Z) < 0)
        std::reverse(Face.begin(), Face.end());
    const std::vector<TPoint> S = Project(Face);
    // Outward winding turns clockwise on the screen (negative area) when the
    // face looks at the viewer.
    double Area = 0; // far-off corners would overflow integer sums
    for (size_t I = 0; I < S.size(); ++I) {
        const TPoint& A = S[I];
        const TPoint& B = S[(I + 1) % S.size()];
        Area += double(A.X) * B.Y - double(B.X) * A.Y;
    }
    if (Area < 0 || Brush().Style() == bsClear)
        Polygon(S);
}

void TPlotCanvas3D::EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z)
{
    if (!FIs3D) {
        Ellipse(X1, Y1, X2 + 1, Y2 + 1);
        return;
    }
    if (FIsOrthogonal) {
        const TPoint A = Calc3DPoint(X1, Y1, Z), B = Calc3DPoint(X2, Y2, Z);
        Ellipse(A.X, A.Y, B.X, B.Y);
        return;
    }
    const double CX = (double(X1) + X2) / 2, CY = (double(Y1) + Y2) / 2;
    const double XR = (double(X2) - X1) / 2, YR = (double(Y2) - Y1) / 2;
    std::vector<TPoint3DFloat> Circle;
    for (int I = 0; I < EllipsePoints; ++I) {
        const double A = I * 2 * std::numbers::pi / EllipsePoints;
        Circle.push_back({CX + XR * std::cos(A), CY - YR * std::sin(A), double(Z)});
    }
    std::vector<TPoint> S = Project(Circle);
    if (Brush().Style() != bsClear) {
        const TPenStyle Old = Pen().Style();
        Pen().SetStyle(psClear);
        Polygon(S);
        Pen().SetStyle(Old);
    }
    if (Pen().Style() != psClear) {
        S.push_back(S.front());
        Polyline(S);
    }
}

void TPlotCanvas3D::RectangleWithZ(const TRect& Rect, int Z)
{
    // Flat and orthogonal views keep the rectangle's sides upright.
    if (!FIs3D || FIsOrthogonal) {
        const TPoint A = Calc3DPoint(Rect.Left, Rect.Top, Z);
        const TPoint B = Calc3DPoint(Rect.Right, Rect.Bottom, Z);
        Rectangle(A.X, A.Y, B.X, B.Y);
        return;
    }
    const double L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    Polygon(Project({{L, T, double(Z)}, {R, T, double(Z)}, {R, B, double(Z)}, {L, B, double(Z)}}));
}

void TPlotCanvas3D::TextOut3D(int X, int Y, int Z, const std::string& Text)
{
    const TPoint P = Calc3DPoint(X, Y, Z);
    if (!FIs3D || !IZoomText || IZoomFactor == 1) {
        TextOut(P.X, P.Y, Text);
        return;
    }
    const int Size = Font().Size();
    Font().SetSize(int(std::clamp<int64_t>(Round(Size * IZoomFactor), 1, 32767)));
    TextOut(P.X, P.Y, Text);
    Font().SetSize(Size);
}

void TPlotCanvas3D::Cube(const TRect& R, int Z0, int Z1, bool DarkSides)
{
    if (!FIs3D) {
        RectangleWithZ(R, Z0);
        return;
    }
    const double L = R.Left, T = R.Top, Ri = R.Right, B = R.Bottom, F = Z0, K = Z1;
    const TPoint3DFloat In{(L + Ri) / 2, (T + B) / 2, (F + K) / 2};
    TFaceShade Shade(*this, DarkSides);
    SolidFace({{L, T, F}, {Ri, T, F}, {Ri, B, F}, {L, B, F}}, In);
    SolidFace({{L, T, K}, {Ri, T, K}, {Ri, B, K}, {L, B, K}}, In);
    Shade.Set(DarkerColorQuantity);
    SolidFace({{L, T, F}, {L, B, F}, {L, B, K}, {L, T, K}}, In);
    SolidFace({{Ri, T, F}, {Ri, B, F}, {Ri, B, K}, {Ri, T, K}}, In);
    Shade.Set(DarkColorQuantity);
    SolidFace({{L, T, F}, {Ri, T, F}, {Ri, T, K}, {L, T, K}}, In);
    SolidFace({{L, B, F}, {Ri, B, F}, {Ri, B, K}, {L, B, K}}, In);
}

void TPlotCanvas3D::RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1)
{
    const double X = Left;
    Polygon(Project({{X, double(Top), double(Z0)},
                     {X, double(Bottom), double(Z0)},
                     {X, double(Bottom), double(Z1)},
                     {X, double(Top), double(Z1)}}));
}

void TPlotCanvas3D::RectangleY(int Left, int Top, int Right, int Z0, int Z1)
{
    const double Y = Top;
    Polygon(Project({{double(Left), Y, double(Z0)},
                     {double(Right), Y, double(Z0)},
                     {double(Right), Y, double(Z1)},
                     {double(Left), Y, double(Z1)}}));
}

void TPlotCanvas3D::Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1)
{
    Polygon(Project({Flat(A, Z0), Flat(B, Z0), Flat(B, Z1), Flat(A, Z1)}));
}

void TPlotCanvas3D::PlaneFour3D(const TFourPoints& Points, int Z0, int Z1)
{
    if (!FIs3D) {
        PlaneWithZ(Points, Z0);
        return;
    }
    TPoint3DFloat In{0, 0, (double(Z0) + Z1) / 2};
    for (const TPoint& P : Points) {
        In.X += P.X / 4.0;
        In.Y += P.Y / 4.0;
    }
    std::vector<TPoint3DFloat> Front, Back;
    for (const TPoint& P : Points) {
        Front.push_back(Flat(P, Z0));
        Back.push_back(Flat(P, Z1));
    }
    SolidFace(Front, In);
    SolidFace(Back, In);
    for (size_t I = 0; I < Points.size(); ++I) {
        const size_t J = (I + 1) % Points.size();
        SolidFace({Front[I], Front[J], Back[J], Back[I]}, In);
    }
}

void TPlotCanvas3D::Polygon3D(const std::vector<TPoint3D>& Points)
{
    std::vector<TPoint3DFloat> F;
    for (const TPoint3D& P : Points)
        F.push_back({double(P.X), double(P.Y), double(P.Z)});
    Polygon(Project(F));
}

void TPlotCanvas3D::Sphere(int X, int Y, int Z, double Radius)
{
    const int R = int(std::clamp<int64_t>(Round(Radius), 0, INT_MAX / 2));
    EllipseWithZ(X - R, Y - R, X + R, Y + R, Z);
}

void TPlotCanvas3D::DrawFrustum(const TFrustum& F)
{
    if (!FIs3D) {
        const double Z = F.ZCentre - F.ZRadius, A = F.ARadius, TA = F.ARadius * F.TipA;
        Polygon(Project({F.At(F.ACentre - A, F.Base, Z), F.At(F.ACentre + A, F.Base, Z),
                         F.At(F.ACentre + TA, F.Tip, Z), F.At(F.ACentre - TA, F.Tip, Z)}));
        return;
    }
    const TPoint3DFloat In = F.At(F.ACentre, (F.Base + F.Tip) / 2, F.ZCentre);
    TFaceShade Shade(*this, F.Dark);
    std::vector<TPoint3DFloat> BaseCap, TipCap;
    const size_t N = F.Section.size();
    for (size_t I = 0; I < N; ++I) {
        const size_t J = (I + 1) % N;
        Shade.Set(SideShade(F.Section[I].first + F.Section[J].first,
                            F.Section[I].second + F.Section[J].second));
        std::vector<TPoint3DFloat> Side{F.BasePoint(I), F.BasePoint(J), F.TipPoint(J)};
        if (F.TipA > 0 || F.TipZ > 0)
            Side.push_back(F.TipPoint(I));
        SolidFace(Side, In);
        BaseCap.push_back(F.BasePoint(I));
        TipCap.push_back(F.TipPoint(I));
    }
    Shade.Set(DarkColorQuantity);
    SolidFace(BaseCap, In);
    Shade.Set(0);
    if (F.TipA > 0 && F.TipZ > 0)
        SolidFace(TipCap, In);
}

namespace {

// Across, base and tip of an upright (vertical) or lying solid.
struct TAxis {
    double ACentre, ARadius, Base, Tip;
};

TAxis AxisOf(bool Vertical, int Left, int Top, int Right, int Bottom)
{
    if (Vertical)
        return {(double(Left) + Right) / 2, (double(Right) - Left) / 2, double(Bottom),
                double(Top)};
    return {(double(Top) + Bottom) / 2, (double(Bottom) - Top) / 2, double(Left), double(Right)};
}

} // namespace

void TPlotCanvas3D::Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0,
                             int Z1, bool Dark3D)
{
    Cone(Vertical, Left, Top, Right, Bottom, Z0, Z1, Dark3D, 100);
}

void TPlotCanvas3D::Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                         bool Dark3D, int ConePercent)
{
    const TAxis A = AxisOf(Vertical, Left, Top, Right, Bottom);
    const double Tip = std::clamp(ConePercent, 0, 100) * 0.01;
    DrawFrustum({Vertical, A.ACentre, A.ARadius, A.Base, A.Tip, (double(Z0) + Z1) / 2,
                 (double(Z1) - Z0) / 2, Tip, Tip, RoundSection(), Dark3D});
}

void TPlotCanvas3D::Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                            bool DarkSides)
{
    const TAxis A = AxisOf(Vertical, Left, Top, Right, Bottom);
    DrawFrustum({Vertical, A.ACentre, A.ARadius, A.Base, A.Tip, (double(Z0) + Z1) / 2,
                 (double(Z1) - Z0) / 2, 0, 0, SquareSection(), DarkSides});
}

void TPlotCanvas3D::PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ)
{
    const TAxis A = AxisOf(true, R.Left, R.Top, R.Right, R.Bottom);
    const double ZRadius = (double(EndZ) - StartZ) / 2;
    auto Ratio = [](double Part, double Whole) {
        return Whole == 0 ? 0 : std::clamp(Part / std::abs(Whole), 0.0, 1.0);
    };
    DrawFrustum({true, A.ACentre, A.ARadius, A.Base, A.Tip, (double(StartZ) + EndZ) / 2, ZRadius,
                 Ratio(TruncX, A.ARadius), Ratio(TruncZ, ZRadius), SquareSection(), false});
}

void TPlotCanvas3D::Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle,
                          double EndAngle, int HolePercent)
{
    Polygon(Project(
        RingOutline(XCenter, YCenter, XRadius, YRadius, StartAngle, EndAngle, HolePercent, 0)));
}

void TPlotCanvas3D::Pie3D(int AXCenter, int AYCenter, int XRadius, int YRadius, int Z0, int Z1,
                          double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                          int DonutPercent)
{
    const std::vector<TPoint3DFloat> Front =
        RingOutline(AXCenter, AYCenter, XRadius, YRadius, StartAngle, EndAngle, DonutPercent, Z0);
    if (!FIs3D) {
        Polygon(Project(Front));
        return;
    }
    std::vector<TPoint3DFloat> Back = Front;
    for (TPoint3DFloat& P : Back)
        P.Z = Z1;
    const double ZMid = (double(Z0) + Z1) / 2;
    const size_t Outer = Front.size() - (DonutPercent > 0 ? Front.size() / 2 : 1);
    // Each face's own inside point: the slice may be concave.
    auto Axis = [&](const TPoint3DFloat& P, double Toward) {
        return TPoint3DFloat{AXCenter + (P.X - AXCenter) * Toward,
                             AYCenter + (P.Y - AYCenter) * Toward, ZMid};
    };
    const TPoint3DFloat SliceIn = Axis(Front[Outer / 2], 0.5);
    TFaceShade Shade(*this, DarkSides);
    Shade.Set(PieSideDark);
    for (size_t I = 0; I < Front.size(); ++I) {
        const size_t J = (I + 1) % Front.size();
        const bool Radial = J == Outer || J == 0;
        if (Radial && !DrawSides)
            continue;
        const TPoint3DFloat Mid{(Front[I].X + Front[J].X) / 2, (Front[I].Y + Front[J].Y) / 2, ZMid};
        // Behind an outer arc lies the axis; behind an inner arc, the rim.
        const TPoint3DFloat In = Radial ? SliceIn : Axis(Mid, J < Outer ? 0.5 : 2);
        SolidFace({Front[I], Front[J], Back[J], Back[I]}, In);
    }
    Shade.Set(0);
    const TPoint3DFloat In{double(AXCenter), double(AYCenter), ZMid};
    SolidFace(Back, In);
    SolidFace(Front, In);
}

void TPlotCanvas3D::Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint,
                          int ArrowWidth, int ArrowHeight, int Z, int ArrowPercent)
{
    const double DX = double(ToPoint.X) - FromPoint.X, DY = double(ToPoint.Y) - FromPoint.Y;
    const double Length = std::hypot(DX, DY);
    if (Length == 0)
        return;
    const double UX = DX / Length, UY = DY / Length;
    const double HeadLength = std::clamp<double>(ArrowHeight, 0, Length);
    const double Head = ArrowWidth / 2.0;
    const double Shaft = Head * std::clamp(ArrowPercent, 0, 100) * 0.01;
    const double HX = ToPoint.X - UX * HeadLength, HY = ToPoint.Y - UY * HeadLength;
    auto Side = [&](double X, double Y, double W) {
        return TPoint3DFloat{X - UY * W, Y + UX * W, double(Z)};
    };
    std::vector<TPoint3DFloat> P{Side(FromPoint.X, FromPoint.Y, Shaft),
                                 Side(HX, HY, Shaft),
                                 Side(HX, HY, Head),
                                 Flat(ToPoint, Z),
                                 Side(HX, HY, -Head),
                                 Side(HX, HY, -Shaft),
                                 Side(FromPoint.X, FromPoint.Y, -Shaft)};
    std::vector<TPoint> S = Project(P);
    if (Filled) {
        Polygon(S);
        return;
    }
    S.push_back(S.front());
    Polyline(S);
}

void TPlotCanvas3D::Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors)
{
    if (!DC())
        return;
    TRIVERTEX V[3];
    for (int I = 0; I < 3; ++I) {
        const TPoint P = Calc3DPoint(Points[I].X, Points[I].Y, Points[I].Z);
        const COLORREF C = ColorToRGB(Colors[I]);
        V[I] = {P.X,
                P.Y,
                uint16_t(GetRValue(C) << 8),
                uint16_t(GetGValue(C) << 8),
                uint16_t(GetBValue(C) << 8),
                0};
    }
    const GRADIENT_TRIANGLE Mesh{0, 1, 2};
    ::GradientFill(*DC(), V, 3, &Mesh, 1, GRADIENT_FILL_TRIANGLE);
}

void TPlotCanvas3D::TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z)
{
    Polygon(Project({Flat(P1, Z), Flat(P2, Z), Flat(P3, Z)}));
}

void TPlotCanvas3D::ClipCube(const TRect& Rect, int MinZ, int MaxZ)
{
    if (!FIs3D) {
        ClipRectangle(Rect);
        return;
    }
    std::vector<TPoint> Corners;
    for (int X : {Rect.Left, Rect.Right})
        for (int Y : {Rect.Top, Rect.Bottom})
            for (int Z : {MinZ, MaxZ})
                Corners.push_back(Calc3DPoint(X, Y, Z));
    if (!ConvexHull(Corners))
        Corners.clear();
    ClipPolygon(Corners.data(), int(Corners.size()));
}
