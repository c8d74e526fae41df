#include "GdiFixture.h"
#include "platform/qt/GdiBlit.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiRegion, CombineModesAndBoxes)
{
    const TGdiRegion A = CreateRectRgn(0, 0, 10, 10), B = CreateRectRgn(5, 5, 15, 15);
    struct TCase {
        int Mode;
        int Kind;
        TRect Box;
        bool Has77, Has22, Has1212;
    };
    const TCase Cases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, true, false, false},
        {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, true, true, true},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, false, true, true},
        {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, false, true, false},
    };
    for (const TCase& C : Cases) {
        TGdiRegion R;
        EXPECT_EQ(CombineRgn(R, A, B, C.Mode), C.Kind) << C.Mode;
        TRect Box;
        GetRgnBox(R, Box);
        EXPECT_EQ(Box, C.Box) << C.Mode;
        EXPECT_EQ(PtInRegion(R, 7, 7), C.Has77) << C.Mode;
        EXPECT_EQ(PtInRegion(R, 2, 2), C.Has22) << C.Mode;
        EXPECT_EQ(PtInRegion(R, 12, 12), C.Has1212) << C.Mode;
    }
    TGdiRegion Empty;
    EXPECT_EQ(CombineRgn(Empty, A, CreateRectRgn(20, 20, 30, 30), RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(Empty, A, B, 99), ERROR_REGION);
}

TEST(GdiRegion, ShapedRegionsExcludeTheirCornersAndRightEdges)
{
    const TGdiRegion E = CreateEllipticRgn(0, 0, 20, 10);
    EXPECT_TRUE(PtInRegion(E, 10, 5));
    EXPECT_FALSE(PtInRegion(E, 0, 0));
    EXPECT_FALSE(PtInRegion(E, 20, 5));
    const TGdiRegion R = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
    EXPECT_FALSE(PtInRegion(R, 0, 0));
    EXPECT_FALSE(PtInRegion(R, 19, 19));
    EXPECT_TRUE(PtInRegion(R, 10, 0));
    EXPECT_TRUE(PtInRegion(R, 0, 10));
    EXPECT_FALSE(PtInRegion(R, 20, 10));
    // A five-pointed star: the centre is outside with alternate filling.
    const TPoint Star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    EXPECT_FALSE(PtInRegion(CreatePolygonRgn(Star, 5, ALTERNATE), 10, 10));
    EXPECT_TRUE(PtInRegion(CreatePolygonRgn(Star, 5, WINDING), 10, 10));
}

TEST(GdiClip, ExcludeAndClipBox)
{
    TCanvasFixture F(10, 10);
    TRect Box;
    EXPECT_EQ(F.DC.GetClipBox(Box), SIMPLEREGION);
    EXPECT_EQ(Box, (TRect{0, 0, 10, 10}));
    EXPECT_EQ(F.DC.ExcludeClipRect(0, 0, 5, 10), SIMPLEREGION);
    F.DC.GetClipBox(Box);
    EXPECT_EQ(Box, (TRect{5, 0, 10, 10}));
    EXPECT_EQ(F.DC.SetPixel(2, 2, Red), CLR_INVALID);
    EXPECT_EQ(F.DC.GetPixel(2, 2), CLR_INVALID);
    F.DC.FillRect({0, 0, 10, 10}, CreateSolidBrush(Red));
    EXPECT_EQ(F.Count(Red), 50);
    EXPECT_EQ(F.DC.IntersectClipRect(20, 20, 30, 30), NULLREGION);
}

TEST(GdiLine, FarStyledLineKeepsItsPhaseAndFinishesQuickly)
{
    TCanvasFixture F(20, 10);
    F.DC.SetBkMode(TRANSPARENT);
    F.DC.SelectPen(CreatePen(PS_DOT, 1, Red));
    F.DC.MoveToEx(-1000002, 5);
    F.DC.LineTo(20, 5);
    // Dots of three from the far start: pixel x is on when (x + 1000002) mod 6 < 3.
    for (int X = 0; X < 20; ++X)
        EXPECT_EQ(F.At(X, 5) == Red, (X + 1000002) % 6 < 3) << X;
    TCanvasFixture G(20, 10);
    G.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
    G.DC.MoveToEx(-70000000, -70000000);
    G.DC.LineTo(70000000, 70000000);
    for (int I = 0; I < 10; ++I)
        EXPECT_EQ(G.At(I, I), Red) << I;
}

TEST(GdiPen, WidePenCapsAndInsideFrame)
{
    TCanvasFixture Square(20, 20);
    Square.DC.SelectPen(ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE, 4, Red));
    Square.DC.MoveToEx(6, 10);
    Square.DC.LineTo(14, 10);
    EXPECT_EQ(InkBox(Square, Red), QRect(4, 8, 12, 4)); // half the width beyond each end

    TCanvasFixture Inside(20, 20);
    Inside.DC.SelectPen(ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME, 4, Red));
    Inside.DC.SelectBrush(NullBrush());
    Inside.DC.Rectangle(2, 2, 18, 18);
    EXPECT_EQ(InkBox(Inside, Red), QRect(2, 2, 16, 16));
    EXPECT_EQ(Inside.At(5, 10), Red);
    EXPECT_EQ(Inside.At(6, 10), White);
}

TEST(GdiShape, PieFillsTheSweptQuadrantOnly)
{
    TCanvasFixture F(20, 20);
    F.DC.SelectPen(CreatePen(PS_NULL, 0, 0));
    F.DC.SelectBrush(CreateSolidBrush(Red));
    // Counter-clockwise from three o'clock to twelve o'clock.
    F.DC.Pie(0, 0, 20, 20, 20, 10, 10, 0);
    EXPECT_EQ(F.At(14, 5), Red);
    EXPECT_EQ(F.At(5, 5), White);
    EXPECT_EQ(F.At(14, 14), White);
    EXPECT_EQ(F.At(5, 14), White);
}

TEST(GdiBlit, MirroredStretchPatInvertAndSourceAlpha)
{
    TCanvasFixture Src(4, 1);
    Src.DC.SetPixel(0, 0, Red);
    TCanvasFixture Dst(4, 1);
    Dst.DC.StretchBlt(3, 0, -4, 1, &Src.DC, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(Dst.At(3, 0), Red);
    EXPECT_EQ(Dst.At(0, 0), White);

    TCanvasFixture Inv(6, 6, RGB(10, 20, 30));
    const QImage Before = Inv.Image.copy();
    Inv.DC.PatBlt(1, 1, 4, 4, DSTINVERT);
    EXPECT_EQ(Inv.At(2, 2), RGB(245, 235, 225));
    Inv.DC.PatBlt(1, 1, 4, 4, DSTINVERT);
    EXPECT_EQ(Inv.Image, Before);

    QImage Alpha(2, 1, QImage::Format_ARGB32_Premultiplied);
    Alpha.setPixel(0, 0, qRgba(0, 0, 0, 0));
    Alpha.setPixel(1, 0, qRgba(255, 0, 0, 255));
    TGdiDC AlphaDC(&Alpha);
    TCanvasFixture Under(2, 1, Blue);
    BLENDFUNCTION B;
    B.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(Under.DC, 0, 0, 2, 1, AlphaDC, 0, 0, 2, 1, B);
    EXPECT_EQ(Under.At(0, 0), Blue);
    EXPECT_EQ(Under.At(1, 0), Red);
}

TEST(GdiBlit, TriangleGradientStaysInsideAndTakesVertexColours)
{
    TCanvasFixture F(20, 20);
    const TRIVERTEX V[3] = {
        {0, 0, 0xFF00, 0, 0, 0}, {19, 0, 0, 0xFF00, 0, 0}, {0, 19, 0, 0, 0xFF00, 0}};
    const GRADIENT_TRIANGLE T{0, 1, 2};
    ASSERT_TRUE(GradientFill(F.DC, V, 3, &T, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(F.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(F.At(19, 19), White);
    const COLORREF Mid = F.At(6, 6);
    EXPECT_GT(GetRValue(Mid), 50);
    EXPECT_GT(GetGValue(Mid), 50);
    EXPECT_GT(GetBValue(Mid), 50);
}

} // namespace
