#include "chart/canvas/CanvasFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

namespace {

using TDraw = std::function<void(TPlotCanvas3D&)>;

// Paints with a black pen and a blue brush over a white 40 x 40 page.
QImage Painted(const TDraw& Draw)
{
    TCanvasFixture F(40, 40);
    F.Canvas.Pen().SetColor(clBlack);
    F.Canvas.Brush().SetColor(clBlue);
    Draw(F.Canvas);
    return F.Image().copy();
}

TEST(PlotCanvasSolids, FlatSolidsDrawExactlyTheirFrontFace)
{
    const double Quarter = std::numbers::pi / 2;
    const std::vector<std::pair<TDraw, TDraw>> Cases{
        {[](TPlotCanvas3D& C) {
             C.Cube({5, 5, 15, 12}, 0, 10);
         },
         [](TPlotCanvas3D& C) { C.Rectangle(5, 5, 15, 12); }},
        {[](TPlotCanvas3D& C) { C.Cylinder(true, 5, 5, 15, 12, 0, 10, true); },
         [](TPlotCanvas3D& C) {
             C.Polygon({{5, 12}, {15, 12}, {15, 5}, {5, 5}});
         }},
        {[](TPlotCanvas3D& C) { C.Cone(true, 4, 5, 16, 15, 0, 10, false, 50); },
         [](TPlotCanvas3D& C) {
             C.Polygon({{4, 15}, {16, 15}, {13, 5}, {7, 5}});
         }},
        {[](TPlotCanvas3D& C) { C.Pyramid(false, 5, 5, 15, 15, 0, 10, true); },
         [](TPlotCanvas3D& C) {
             C.Polygon({{5, 5}, {5, 15}, {15, 10}, {15, 10}});
         }},
        {[](TPlotCanvas3D& C) {
             C.PyramidTrunc({5, 5, 25, 25}, 0, 10, 5, 5);
         },
         [](TPlotCanvas3D& C) {
             C.Polygon({{5, 25}, {25, 25}, {20, 5}, {10, 5}});
         }},
        {[=](TPlotCanvas3D& C) { C.Pie3D(20, 20, 10, 10, 0, 10, 0, Quarter, true, true, 40); },
         [=](TPlotCanvas3D& C) { C.Donut(20, 20, 10, 10, 0, Quarter, 40); }},
        {[](TPlotCanvas3D& C) { C.EllipseWithZ(5, 5, 15, 15, 7); },
         [](TPlotCanvas3D& C) { C.Ellipse(5, 5, 16, 16); }},
        {[](TPlotCanvas3D& C) { C.Sphere(10, 10, 3, 4.4); },
         [](TPlotCanvas3D& C) { C.Ellipse(6, 6, 15, 15); }},
        {[](TPlotCanvas3D& C) {
             C.PlaneFour3D({{{5, 5}, {20, 8}, {18, 20}, {6, 15}}}, 0, 9);
         },
         [](TPlotCanvas3D& C) {
             C.Polygon({{5, 5}, {20, 8}, {18, 20}, {6, 15}});
         }},
    };
    for (size_t I = 0; I < Cases.size(); ++I)
        EXPECT_EQ(Painted(Cases[I].first), Painted(Cases[I].second)) << "case " << I;
}

TEST(PlotCanvasSolids, FlatArrowsTrianglesAndClips)
{
    TCanvasFixture F(40, 40);
    F.Canvas.Pen().SetStyle(psClear);
    F.Canvas.Brush().SetColor(clBlue);
    F.Canvas.Arrow(true, {20, 20}, {20, 20}, 10, 8, 0); // no direction: nothing
    EXPECT_EQ(F.Count(clBlue), 0);
    F.Canvas.Arrow(true, {5, 20}, {35, 20}, 10, 8, 0);
    EXPECT_EQ(F.At(15, 20), clBlue); // shaft, half as wide as the head
    EXPECT_EQ(F.At(15, 23), clWhite);
    EXPECT_EQ(F.At(28, 17), clBlue); // head
    EXPECT_EQ(F.At(34, 17), clWhite);
    F.Canvas.Donut(20, 5, 4, 4, 0, 1e300, 0); // one turn at most
    EXPECT_EQ(F.At(20, 5), clBlue);

    TCanvasFixture G(40, 40);
    G.Canvas.Triangle3D({{{2, 2, 5}, {30, 2, 5}, {2, 30, 5}}}, {clRed, clRed, clRed});
    // The triangle's blend rounds toward the darker side, as the system call does.
    EXPECT_GE(GetRValue(G.At(8, 8)), 254);
    EXPECT_EQ(G.At(8, 8) & 0xFFFF00, 0);
    EXPECT_EQ(G.At(25, 25), clWhite);
    G.Canvas.ClipCube({30, 30, 35, 35}, 0, 10);
    G.Canvas.Brush().SetColor(clBlue);
    G.Canvas.FillRect({0, 0, 40, 40});
    G.Canvas.UnClipRectangle();
    EXPECT_EQ(G.Ink(clBlue), QRect(30, 30, 5, 5));
}

// The default view: orthogonal at 45 degrees, depth one up and one right per
// unit; the centre offsets leave the front plane where it is.
struct TSolidView {
    TView3DOptions Options{nullptr};
    TCanvasFixture F{40, 40};
    TSolidView(bool Orthogonal, int Depth)
    {
        Options.SetOrthogonal(Orthogonal);
        Options.SetPerspective(0);
        F.Canvas.InitWindow(nullptr, &Options, clWhite, true, F.Area);
        F.Canvas.Projection(Depth, F.Area, F.Area);
        F.Canvas.Brush().SetColor(clBlue);
        F.Canvas.Pen().SetColor(clBlack);
    }
};

TEST(PlotCanvasSolids, CubeFacesTurnedAwayAreLeftOut)
{
    TSolidView V(true, 10);
    V.F.Canvas.Pen().SetStyle(psClear);
    V.F.Canvas.Cube({10, 20, 20, 30}, 0, 6, true);
    EXPECT_EQ(V.F.At(15, 25), clBlue);                                         // front
    EXPECT_EQ(V.F.At(18, 17), TColor(ApplyDark(clBlue, DarkColorQuantity)));   // top
    EXPECT_EQ(V.F.At(23, 22), TColor(ApplyDark(clBlue, DarkerColorQuantity))); // right
    EXPECT_EQ(V.F.At(8, 25), clWhite);
    EXPECT_EQ(V.F.At(12, 15), clWhite);
    EXPECT_EQ(V.F.Canvas.Brush().Color(), clBlue); // the shading is given back

    // The back face's left edge runs behind the front face: hidden when
    // filled, drawn when every face is an outline.
    TSolidView W(true, 10);
    W.F.Canvas.Cube({10, 20, 20, 30}, 0, 6, false);
    EXPECT_EQ(W.F.At(16, 22), clBlue);
    TSolidView Wire(true, 10);
    Wire.F.Canvas.Brush().SetStyle(bsClear);
    Wire.F.Canvas.Cube({10, 20, 20, 30}, 0, 6, false);
    EXPECT_EQ(Wire.F.At(16, 22), clBlack);
}

// 30 degrees from above, no turn: tops and upper rims show.
struct TFromAbove : TSolidView {
    TFromAbove(int Depth) : TSolidView(false, Depth)
    {
        Options.SetRotation(0);
        Options.SetElevation(330);
        F.Canvas.InitWindow(nullptr, &Options, clWhite, true, F.Area);
        F.Canvas.Projection(Depth, F.Area, F.Area);
        F.Canvas.Pen().SetStyle(psClear);
    }
};

TEST(PlotCanvasSolids, CylinderSeenFromAbove)
{
    TFromAbove V(20);
    V.F.Canvas.Cylinder(true, 10, 10, 30, 30, 0, 20, true);
    EXPECT_EQ(V.F.At(20, 11), clBlue); // the top cap
    EXPECT_EQ(V.F.At(20, 4), clWhite);
    EXPECT_EQ(V.F.At(20, 29), clBlue); // the front side, not the darker base behind it
    EXPECT_EQ(V.F.At(20, 33), clBlue);
    EXPECT_EQ(V.F.At(20, 36), clWhite);
    EXPECT_EQ(V.F.At(11, 22), TColor(ApplyDark(clBlue, DarkerColorQuantity)));
}

TEST(PlotCanvasSolids, PieSlicesShowTheirUpperRim)
{
    const double ThreeQuarters = 1.5 * std::numbers::pi;
    TFromAbove V(10);
    V.F.Canvas.Pie3D(20, 20, 12, 12, 0, 10, 0, ThreeQuarters, true, true, 0);
    const TColor Rim = ApplyDark(clBlue, 32);
    EXPECT_EQ(V.F.At(20, 9), Rim);
    EXPECT_EQ(V.F.At(14, 24), clBlue);  // front face
    EXPECT_EQ(V.F.At(26, 27), clWhite); // the missing quarter

    TFromAbove Ring(10);
    Ring.F.Canvas.Pie3D(20, 20, 12, 12, 0, 10, 0, 2 * std::numbers::pi, true, false, 50);
    EXPECT_EQ(Ring.F.At(20, 20), clWhite); // the hole
    EXPECT_EQ(Ring.F.At(20, 25), Rim);     // the inner rim facing up
    EXPECT_EQ(Ring.F.At(20, 30), clBlue);
}

TEST(PlotCanvasSolids, PyramidWallsAreShaded)
{
    TSolidView V(true, 10);
    V.F.Canvas.Pen().SetStyle(psClear);
    V.F.Canvas.Pyramid(true, 10, 10, 30, 30, 0, 10, true);
    EXPECT_EQ(V.F.At(20, 25), clBlue); // front wall
    EXPECT_EQ(V.F.At(31, 22), TColor(ApplyDark(clBlue, DarkerColorQuantity)));
    EXPECT_EQ(V.F.At(12, 12), clWhite);
}

TEST(PlotCanvasSolids, ZoomedTextGrowsWithTheView)
{
    auto InkHeight = [](int Zoom) {
        TSolidView V(true, 10);
        V.Options.SetZoom(Zoom);
        V.F.Canvas.InitWindow(nullptr, &V.Options, clWhite, true, V.F.Area);
        V.F.Canvas.Projection(10, V.F.Area, V.F.Area);
        V.F.Canvas.Font().SetColor(clBlack);
        V.F.Canvas.TextOut3D(20, 10, 0, "W");
        return V.F.InkWhere([](COLORREF P) { return P != COLORREF(clWhite); }).height();
    };
    const int Plain = InkHeight(100);
    ASSERT_GT(Plain, 0);
    EXPECT_GE(InkHeight(200), Plain * 17 / 10);
}

} // namespace
