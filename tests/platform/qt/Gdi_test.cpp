#include "GdiFixture.h"
#include "platform/qt/Gdi.h"
#include "platform/qt/GdiBlit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(GdiColour, ByteOrderIsBlueGreenRed)
{
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211u);
    EXPECT_EQ(GetRValue(0x332211), 0x11);
    EXPECT_EQ(GetBValue(0x332211), 0x33);
    TCanvasFixture F(2, 2);
    F.DC.SetPixel(0, 0, RGB(0x11, 0x22, 0x33));
    const QRgb Q = F.Image.pixel(0, 0);
    EXPECT_EQ(qRed(Q), 0x11);
    EXPECT_EQ(qGreen(Q), 0x22);
    EXPECT_EQ(qBlue(Q), 0x33);
    EXPECT_EQ(F.DC.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
}

TEST(GdiColour, SystemColoursComeFromOneTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(GdiRectangle, OnePixelPenOutlinesExclusiveEdgesAndFillsInside)
{
    TCanvasFixture F;
    F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
    F.DC.SelectBrush(CreateSolidBrush(Blue));
    F.DC.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(F.Map(Red) + F.Map(Blue), "............\n"
                                        "............\n"
                                        "..######....\n"
                                        "..#....#....\n"
                                        "..#....#....\n"
                                        "..#....#....\n"
                                        "..#....#....\n"
                                        "..######....\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "...####.....\n"
                                        "...####.....\n"
                                        "...####.....\n"
                                        "...####.....\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n"
                                        "............\n");
}

TEST(GdiRectangle, NarrowRectanglesAreAllOutline)
{
    struct TCase {
        TRect R;
        int Outline, Fill;
    };
    const TCase Cases[] = {{{2, 2, 3, 8}, 6, 0},  {{2, 2, 4, 8}, 12, 0}, {{2, 5, 8, 6}, 6, 0},
                           {{2, 5, 8, 7}, 12, 0}, {{2, 2, 5, 5}, 8, 1},  {{8, 8, 2, 5}, 14, 4}};
    for (const TCase& C : Cases) {
        TCanvasFixture F;
        F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
        F.DC.SelectBrush(CreateSolidBrush(Blue));
        F.DC.Rectangle(C.R.Left, C.R.Top, C.R.Right, C.R.Bottom);
        EXPECT_EQ(F.Count(Red), C.Outline) << C.R.Left << "," << C.R.Top;
        EXPECT_EQ(F.Count(Blue), C.Fill) << C.R.Left << "," << C.R.Top;
    }
}

TEST(GdiRectangle, NullPenFillIsOnePixelSmaller)
{
    TCanvasFixture F;
    F.DC.SelectPen(CreatePen(PS_NULL, 0, Red));
    F.DC.SelectBrush(CreateSolidBrush(Blue));
    F.DC.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(F.Count(Blue), 25);
    EXPECT_EQ(F.At(2, 2), Blue);
    EXPECT_EQ(F.At(6, 6), Blue);
    EXPECT_EQ(F.At(7, 6), White);
    EXPECT_EQ(F.At(6, 7), White);
    EXPECT_EQ(F.Count(Red), 0);
}

TEST(GdiRectangle, FarCoordinatesStillDrawTheVisibleEdges)
{
    TCanvasFixture F;
    F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
    F.DC.SelectBrush(CreateSolidBrush(Blue));
    F.DC.Rectangle(-100000000, 3, 100000000, 9);
    EXPECT_EQ(F.At(0, 3), Red);
    EXPECT_EQ(F.At(11, 8), Red);
    EXPECT_EQ(F.At(5, 5), Blue);
    EXPECT_EQ(F.At(5, 9), White);
}

TEST(GdiLine, LineToLeavesOutItsEndPixelInEveryDirection)
{
    struct TCase {
        TPoint From, To;
        int Pixels;
    };
    const TCase Cases[] = {
        {{2, 5}, {9, 5}, 7}, {{9, 5}, {2, 5}, 7}, {{5, 2}, {5, 9}, 7},
        {{5, 9}, {5, 2}, 7}, {{2, 2}, {9, 9}, 7}, {{9, 9}, {2, 2}, 7},
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F;
        F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
        F.DC.MoveToEx(C.From.X, C.From.Y);
        F.DC.LineTo(C.To.X, C.To.Y);
        SCOPED_TRACE(testing::Message()
                     << C.From.X << "," << C.From.Y << " -> " << C.To.X << "," << C.To.Y);
        EXPECT_EQ(F.At(C.From.X, C.From.Y), Red);
        EXPECT_EQ(F.At(C.To.X, C.To.Y), White);
        EXPECT_EQ(F.Count(Red), C.Pixels);
        EXPECT_EQ(F.DC.GetCurrentPosition(), C.To);
    }
}

TEST(GdiLine, WidePenIsStrokedWithoutTrimming)
{
    TCanvasFixture F;
    F.DC.SelectPen(ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 2, Red));
    F.DC.MoveToEx(2, 6);
    F.DC.LineTo(10, 6);
    EXPECT_EQ(F.At(9, 6), Red);
    EXPECT_EQ(F.At(10, 6), White);
    EXPECT_EQ(F.Count(Red), 16);
}

TEST(GdiLine, StyledPensHonourBackMode)
{
    struct TCase {
        int Style, Mode;
        const char* Row; // pixels 0..11 of row 5: '#' pen, 'o' back colour
    };
    const TCase Cases[] = {
        {PS_DOT, TRANSPARENT, "###...###..."},
        {PS_DOT, OPAQUE, "###ooo###ooo"},
        {PS_ALTERNATE, TRANSPARENT, "#.#.#.#.#.#."},
        {PS_ALTERNATE, OPAQUE, "#o#o#o#o#o#o"},
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F;
        F.DC.SetBkMode(C.Mode);
        F.DC.SetBkColor(Blue);
        F.DC.SelectPen(C.Style == PS_ALTERNATE ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, Red)
                                               : CreatePen(C.Style, 1, Red));
        F.DC.MoveToEx(0, 5);
        F.DC.LineTo(13, 5);
        EXPECT_EQ(F.Row(5, 12, Red, Blue), C.Row) << C.Style << " " << C.Mode;
    }
}

TEST(GdiLine, UserStyleWithZeroDashPaintsOneDotPerPeriod)
{
    TCanvasFixture F;
    F.DC.SetBkMode(TRANSPARENT);
    F.DC.SelectPen(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, Red, {0, 3}));
    F.DC.MoveToEx(0, 0);
    F.DC.LineTo(12, 0);
    EXPECT_EQ(F.Row(0, 12, Red), "#..#..#..#..");
}

TEST(GdiLine, StylePatternContinuesAroundAPolyline)
{
    TCanvasFixture F;
    F.DC.SetBkMode(TRANSPARENT);
    F.DC.SelectPen(CreatePen(PS_DOT, 1, Red));
    const TPoint Pts[] = {{0, 0}, {4, 0}, {8, 0}};
    F.DC.Polyline(Pts, 3);
    EXPECT_EQ(F.Row(0, 8, Red), "###...##");
}

TEST(GdiBrush, HatchGapsFollowBackMode)
{
    for (int Mode : {TRANSPARENT, OPAQUE}) {
        TCanvasFixture F(16, 16, RGB(0, 255, 0));
        F.DC.SetBkMode(Mode);
        F.DC.SetBkColor(Blue);
        F.DC.FillRect({0, 0, 16, 16}, CreateHatchBrush(HS_CROSS, Red));
        const COLORREF Gap = Mode == OPAQUE ? Blue : RGB(0, 255, 0);
        // One vertical and one horizontal line per 8 x 8 tile: 15 hatch pixels.
        EXPECT_EQ(F.Count(Red), 4 * 15) << Mode;
        EXPECT_EQ(F.Count(Gap), 256 - 4 * 15) << Mode;
    }
}

TEST(GdiBrush, NullBrushLeavesTheInsideAlone)
{
    TCanvasFixture F;
    F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
    F.DC.SelectBrush(NullBrush());
    F.DC.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(F.Count(Red), 20);
    EXPECT_EQ(F.Count(White), 144 - 20);
}

TEST(GdiRop, XorDrawnTwiceRestoresEveryPixel)
{
    TCanvasFixture F(16, 16);
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 16; ++X)
            F.DC.SetPixel(X, Y, RGB(X * 16, Y * 16, (X ^ Y) * 8));
    const QImage Before = F.Image.copy();
    F.DC.SetROP2(R2_XORPEN);
    F.DC.SelectPen(CreatePen(PS_DOT, 1, RGB(200, 100, 50)));
    F.DC.SelectBrush(CreateSolidBrush(RGB(17, 34, 51)));
    for (int Pass = 0; Pass < 2; ++Pass) {
        F.DC.Rectangle(1, 1, 14, 12);
        F.DC.MoveToEx(0, 15);
        F.DC.LineTo(15, 0);
        const TPoint Tri[] = {{3, 3}, {12, 5}, {6, 13}};
        F.DC.Polygon(Tri, 3);
        // Raster operations keep the image opaque.
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 16; ++X)
                ASSERT_EQ(reinterpret_cast<const QRgb*>(F.Image.constScanLine(Y))[X] >> 24, 0xFFu);
    }
    EXPECT_EQ(F.Image, Before);
}

TEST(GdiRop, NotXorPenAndNopAndNot)
{
    TCanvasFixture F(4, 4, RGB(10, 20, 30));
    F.DC.SelectPen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    F.DC.SetROP2(R2_NOTXORPEN);
    F.DC.MoveToEx(0, 0);
    F.DC.LineTo(4, 0);
    EXPECT_EQ(F.At(1, 0), RGB(245, 235, 225));
    F.DC.SetROP2(R2_NOP);
    F.DC.MoveToEx(0, 1);
    F.DC.LineTo(4, 1);
    EXPECT_EQ(F.At(1, 1), RGB(10, 20, 30));
    F.DC.SetROP2(R2_NOT);
    F.DC.MoveToEx(0, 2);
    F.DC.LineTo(4, 2);
    EXPECT_EQ(F.At(1, 2), RGB(245, 235, 225));
}

TEST(GdiClip, IntersectAndRestoreTheSavedRegion)
{
    TCanvasFixture F;
    F.DC.IntersectClipRect(2, 2, 10, 10);
    TGdiRegion Saved;
    ASSERT_EQ(F.DC.GetClipRgn(Saved), 1);
    F.DC.IntersectClipRect(4, 4, 6, 6);
    F.DC.FillRect({0, 0, 12, 12}, CreateSolidBrush(Red));
    EXPECT_EQ(F.Count(Red), 4);
    F.DC.SelectClipRgn(&Saved);
    F.DC.FillRect({0, 0, 12, 12}, CreateSolidBrush(Blue));
    EXPECT_EQ(F.Count(Blue), 64);
    EXPECT_EQ(F.At(1, 5), White);
    F.DC.SelectClipRgn(nullptr);
    TGdiRegion None;
    EXPECT_EQ(F.DC.GetClipRgn(None), 0);
    EXPECT_EQ(F.DC.GetPixel(0, 0), White);
}

TEST(GdiClip, PathClipFollowsTheShape)
{
    TCanvasFixture F(20, 20);
    F.DC.BeginPath();
    const TPoint Tri[] = {{0, 0}, {20, 0}, {0, 20}};
    F.DC.Polygon(Tri, 3);
    F.DC.EndPath();
    EXPECT_EQ(F.Count(White), 400); // nothing drawn while the path was open
    ASSERT_TRUE(F.DC.SelectClipPath(RGN_AND));
    F.DC.FillRect({0, 0, 20, 20}, CreateSolidBrush(Red));
    EXPECT_EQ(F.At(1, 1), Red);
    EXPECT_EQ(F.At(18, 18), White);
    EXPECT_NEAR(F.Count(Red), 200, 20);
}

TEST(GdiBlit, BitBltCopiesAndInverts)
{
    TCanvasFixture Src(4, 4, Red), Dst(8, 8);
    EXPECT_TRUE(Dst.DC.BitBlt(2, 2, 4, 4, &Src.DC, 0, 0, SRCCOPY));
    EXPECT_EQ(Dst.Count(Red), 16);
    EXPECT_EQ(Dst.At(2, 2), Red);
    EXPECT_EQ(Dst.At(6, 6), White);
    Dst.DC.BitBlt(2, 2, 4, 4, &Src.DC, 0, 0, SRCINVERT);
    EXPECT_EQ(Dst.At(3, 3), 0u);
    EXPECT_TRUE(Dst.DC.StretchBlt(0, 0, 8, 8, &Src.DC, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(Dst.Count(Red), 64);
}

TEST(GdiBlit, AlphaBlendAtZeroAndFull)
{
    struct TCase {
        uint8_t Alpha;
        COLORREF Expect;
    };
    for (const TCase& C : {TCase{0, Blue}, TCase{255, Red}}) {
        TCanvasFixture Src(4, 4, Red), Dst(4, 4, Blue);
        BLENDFUNCTION B;
        B.SourceConstantAlpha = C.Alpha;
        EXPECT_TRUE(AlphaBlend(Dst.DC, 0, 0, 4, 4, Src.DC, 0, 0, 4, 4, B));
        EXPECT_EQ(Dst.Count(C.Expect), 16) << int(C.Alpha);
    }
    TCanvasFixture Src(4, 4, RGB(200, 0, 0)), Dst(4, 4, RGB(0, 0, 200));
    BLENDFUNCTION Half;
    Half.SourceConstantAlpha = 128;
    AlphaBlend(Dst.DC, 0, 0, 4, 4, Src.DC, 0, 0, 4, 4, Half);
    EXPECT_NEAR(GetRValue(Dst.At(1, 1)), 100, 2);
    EXPECT_NEAR(GetBValue(Dst.At(1, 1)), 100, 2);
}

TEST(GdiBlit, GradientFillRunsFromFirstToLastColumn)
{
    TCanvasFixture F(4, 2);
    const TRIVERTEX V[2] = {{0, 0, 0, 0, 0, 0}, {4, 2, 0xFF00, 0, 0, 0}};
    const GRADIENT_RECT R{0, 1};
    ASSERT_TRUE(GradientFill(F.DC, V, 2, &R, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(F.At(0, 0), 0u);
    EXPECT_EQ(GetRValue(F.At(2, 1)), 0x7F);
    EXPECT_EQ(GetRValue(F.At(3, 0)), 0xBF);
    const GRADIENT_RECT Bad{0, 5};
    EXPECT_FALSE(GradientFill(F.DC, V, 2, &Bad, 1, GRADIENT_FILL_RECT_H));
}

TEST(GdiFrame, FocusRectTwiceRestores)
{
    TCanvasFixture F(10, 10, RGB(40, 80, 120));
    const QImage Before = F.Image.copy();
    DrawFocusRect(F.DC, {1, 1, 9, 8});
    EXPECT_NE(F.Image, Before);
    EXPECT_EQ(F.At(1, 1), RGB(215, 175, 135));
    EXPECT_EQ(F.At(2, 1), RGB(40, 80, 120));
    DrawFocusRect(F.DC, {1, 1, 9, 8});
    EXPECT_EQ(F.Image, Before);
}

TEST(GdiFrame, DrawEdgeRaisedAdjustsByTwo)
{
    TCanvasFixture F(10, 10);
    TRect R{0, 0, 10, 10};
    DrawEdge(F.DC, R, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(R, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(F.At(0, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(F.At(9, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(F.At(1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(F.At(8, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(F.At(5, 5), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiShape, FarPolygonIsClippedBeforeRasterising)
{
    TCanvasFixture F;
    F.DC.SelectPen(CreatePen(PS_NULL, 0, 0));
    F.DC.SelectBrush(CreateSolidBrush(Red));
    const TPoint Big[] = {
        {-100000, -100000}, {100000, -100000}, {100000, 100000}, {-100000, 100000}};
    F.DC.Polygon(Big, 4);
    EXPECT_EQ(F.Count(Red), 144);
    TCanvasFixture E;
    E.DC.SelectPen(CreatePen(PS_NULL, 0, 0));
    E.DC.SelectBrush(CreateSolidBrush(Red));
    E.DC.Ellipse(-200000, -200000, 200000, 200000);
    EXPECT_EQ(E.Count(Red), 144);
}

TEST(GdiShape, EllipseStaysInsideItsBox)
{
    TCanvasFixture F(20, 20);
    F.DC.SelectPen(CreatePen(PS_SOLID, 1, Red));
    F.DC.SelectBrush(CreateSolidBrush(Blue));
    F.DC.Ellipse(2, 2, 18, 12);
    int MinX = 99, MaxX = -1, MinY = 99, MaxY = -1;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 20; ++X)
            if (F.At(X, Y) != White) {
                MinX = std::min(MinX, X), MaxX = std::max(MaxX, X);
                MinY = std::min(MinY, Y), MaxY = std::max(MaxY, Y);
            }
    EXPECT_EQ(MinX, 2);
    EXPECT_EQ(MaxX, 17);
    EXPECT_EQ(MinY, 2);
    EXPECT_EQ(MaxY, 11);
    EXPECT_EQ(F.At(10, 7), Blue);
}

} // namespace
