#include "chart/canvas/CanvasFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

// A 200 x 100 chart with depth 40: centre (100, 50, 20).
struct TProjected {
    TView3DOptions Options{nullptr};
    TPlotCanvas3D Canvas;
    const TRect Area{0, 0, 200, 100};
    explicit TProjected(bool Orthogonal)
    {
        Options.SetOrthogonal(Orthogonal);
        Options.SetElevation(0);
        Options.SetRotation(0);
        Options.SetPerspective(0);
    }
    TPoint At(int X, int Y, int Z)
    {
        Canvas.InitWindow(nullptr, &Options, clWhite, true, Area);
        Canvas.Projection(40, Area, Area);
        return Canvas.Calculate3DPosition(X, Y, Z);
    }
};

TEST(PlotCanvasProjection, FlatLeavesEveryPointAsItIs)
{
    TView3DOptions Options(nullptr);
    Options.SetZoom(300);
    Options.SetOrthogonal(false);
    TPlotCanvas3D Canvas;
    Canvas.InitWindow(nullptr, &Options, clWhite, false, {0, 0, 200, 100});
    Canvas.Projection(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    EXPECT_EQ(Canvas.Calculate3DPosition(10, 20, 500), (TPoint{10, 20}));
    EXPECT_EQ(Canvas.Calculate2DPosition(10, 20, 500), (TPoint{10, 20}));
    EXPECT_EQ(Canvas.Calc3DPoint(2.5, -3.5, 9), (TPoint{2, -4}));
}

TEST(PlotCanvasProjection, ARectangleAtADepthHoldsItsFourProjectedCorners)
{
    // Orthogonal at 45 degrees: depth 10 moves every corner 10 right and up.
    TProjected P(true);
    P.At(0, 0, 0);
    TFourPoints Four;
    P.Canvas.FourPointsFromRect({40, 20, 160, 80}, 10, Four);
    EXPECT_EQ(Four, (TFourPoints{{{50, 10}, {170, 10}, {170, 70}, {50, 70}}}));
    P.Options.SetRotation(30);
    P.Options.SetOrthogonal(false);
    P.At(0, 0, 0);
    P.Canvas.FourPointsFromRect({40, 20, 160, 80}, 10, Four);
    const TRect Box = P.Canvas.RectFromRectZ({40, 20, 160, 80}, 10);
    for (const TPoint& C : Four)
        EXPECT_TRUE(C.X >= Box.Left && C.X <= Box.Right && C.Y >= Box.Top && C.Y <= Box.Bottom);
    EXPECT_EQ(Box.Left, std::min({Four[0].X, Four[1].X, Four[2].X, Four[3].X}));
}

TEST(PlotCanvasProjection, APictureStretchedOntoAPlane)
{
    QImage Red(3, 3, QImage::Format_RGB32);
    Red.fill(QColor(255, 0, 0));
    // Flat: the rectangle itself, whatever the plane's position.
    TCanvasFixture Flat(12, 12);
    Flat.Canvas.StretchDraw({2, 2, 8, 8}, Red, 30, cpZ);
    EXPECT_EQ(Flat.Count(clRed), 36);
    EXPECT_EQ(Flat.At(2, 2), clRed);
    EXPECT_EQ(Flat.At(8, 8), clWhite);

    // Orthogonal at 45 degrees: the plane X = 100 runs up and to the right
    // with depth, a parallelogram that leaves two corners of its box free.
    TProjected P(true);
    P.Canvas.InitWindow(nullptr, &P.Options, clWhite, true, P.Area);
    P.Canvas.Projection(40, P.Area, P.Area);
    P.Canvas.Brush().SetColor(clWhite);
    P.Canvas.Pen().SetStyle(psClear);
    P.Canvas.FillRect(P.Area);
    P.Canvas.StretchDraw({0, 40, 20, 60}, Red, 100, cpX);
    const TPoint Near = P.Canvas.Calculate3DPosition(100, 50, 0);
    const TPoint Far = P.Canvas.Calculate3DPosition(100, 50, 19);
    EXPECT_EQ(P.Canvas.GetPixel(Near.X, Near.Y), clRed);
    EXPECT_EQ(P.Canvas.GetPixel(Far.X, Far.Y), clRed);
    const TPoint TopNear = P.Canvas.Calculate3DPosition(100, 40, 0);
    EXPECT_EQ(P.Canvas.GetPixel(TopNear.X + 2, TopNear.Y - 18), clWhite) << "outside the plane";
}

TEST(PlotCanvasProjection, OrthogonalSlopeZoomAndOffset)
{
    TProjected P(true);
    EXPECT_EQ(P.At(150, 30, 20), (TPoint{170, 10})); // tan 45 = 1
    P.Options.SetZoom(50);
    P.Options.SetHorizOffset(10);
    EXPECT_EQ(P.At(150, 30, 20), (TPoint{145, 30}));
    EXPECT_EQ(P.Canvas.Calculate2DPosition(145, 30, 20), (TPoint{150, 30}));
    P.Options.SetOrthoAngle(135); // depth goes to the left, same height
    EXPECT_EQ(P.At(150, 30, 20), (TPoint{125, 30}));
    EXPECT_EQ(P.Canvas.Calculate2DPosition(125, 30, 20), (TPoint{150, 30}));
}

TEST(PlotCanvasProjection, RotatedGoldenPoints)
{
    TProjected P(false);
    EXPECT_EQ(P.At(130, 20, 20), (TPoint{130, 20})); // no angle: the front plane
    P.Options.SetRotation(90);                       // depth runs to the left
    EXPECT_EQ(P.At(100, 50, 30), (TPoint{90, 50}));
    P.Options.SetRotation(0);
    P.Options.SetElevation(90); // seen from above: depth runs down
    EXPECT_EQ(P.At(120, 50, 30), (TPoint{120, 60}));
    P.Options.SetElevation(0);
    P.Options.SetTilt(90); // a quarter turn on the screen
    EXPECT_EQ(P.At(120, 70, 20), (TPoint{80, 70}));
    P.Options.SetTilt(0);
    P.Options.SetZoom(200);
    EXPECT_EQ(P.At(110, 45, 20), (TPoint{120, 40}));
}

TEST(PlotCanvasProjection, ScreenPointsMapBackToTheirPlane)
{
    TProjected P(false);
    P.Options.SetElevation(340);
    P.Options.SetRotation(25);
    P.Options.SetTilt(10);
    P.Options.SetZoom(150);
    for (const TPoint Q : {TPoint{10, 90}, TPoint{100, 50}, TPoint{180, 5}})
        for (int Z : {0, 20, 40}) {
            const TPoint S = P.At(Q.X, Q.Y, Z);
            const TPoint Back = P.Canvas.Calculate2DPosition(S.X, S.Y, Z);
            EXPECT_NEAR(Back.X, Q.X, 1);
            EXPECT_NEAR(Back.Y, Q.Y, 1);
        }
}

TEST(PlotCanvasProjection, PerspectiveShrinksTheFarSide)
{
    TProjected P(false);
    EXPECT_EQ(P.At(150, 50, 220), (TPoint{150, 50})); // perspective 0: no depth scaling
    P.Options.SetPerspective(15);                     // 15 / 150 / 200 per pixel of depth
    EXPECT_EQ(P.At(150, 50, 220), (TPoint{145, 50}));
    EXPECT_EQ(P.At(150, 50, -180), (TPoint{156, 50}));
    // At the eye the scale is held, not divided by zero or flipped.
    EXPECT_EQ(P.At(150, 50, -1980), (TPoint{5100, 50}));
    EXPECT_EQ(P.At(150, 50, -100000), (TPoint{5100, 50}));
}

TEST(PlotCanvasProjection, DegenerateViewsStaySafe)
{
    TProjected P(false);
    P.Options.SetZoom(0);
    EXPECT_EQ(P.At(150, 10, 33), (TPoint{100, 50}));
    EXPECT_EQ(P.Canvas.Calculate2DPosition(7, 8, 9), (TPoint{7, 8}));
    P.Options.SetZoom(100);
    P.Options.SetRotation(90); // edge-on: the plane has no inverse
    P.At(0, 0, 0);
    EXPECT_EQ(P.Canvas.Calculate2DPosition(7, 8, 9), (TPoint{7, 8}));
    P.Options.SetRotation(0);
    P.Options.SetZoom(300);
    EXPECT_EQ(P.At(INT_MAX, INT_MIN, INT_MAX), (TPoint{INT_MAX, INT_MIN}));
    EXPECT_EQ(P.Canvas.Calc3DPoint(1e300, -1e300, 0), (TPoint{INT_MAX, INT_MIN}));
    P.Options.SetPerspective(100);
    P.Canvas.InitWindow(nullptr, &P.Options, clWhite, true, {0, 0, 0, 0});
    P.Canvas.Projection(0, {}, {0, 0, 0, 0}); // zero depth, zero width
    EXPECT_EQ(P.Canvas.Calculate3DPosition(0, 0, 0), (TPoint{0, 0}));
}

} // namespace
