#include "platform/qt/Canvas.h"

#include <gtest/gtest.h>

namespace {

TEST(Canvas, SettersAnnounceOnlyRealChanges)
{
    TPen Pen;
    int Changes = 0;
    Pen.OnChange = [&](TGraphicsObject*) { ++Changes; };
    Pen.SetColor(clBlack);
    Pen.SetWidth(1);
    EXPECT_EQ(Changes, 0);
    Pen.SetColor(clRed);
    Pen.SetStyle(psDot);
    EXPECT_EQ(Changes, 2);
    TFont Font;
    EXPECT_EQ(Font.Height(), -11);
    EXPECT_EQ(Font.Size(), 8);
    Font.SetSize(12);
    EXPECT_EQ(Font.Height(), -16);
}

TEST(Canvas, PenModesMapToMixModes)
{
    EXPECT_EQ(PenModeToRop2(pmCopy), R2_COPYPEN);
    EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);
    EXPECT_EQ(PenModeToRop2(pmNotXor), R2_NOTXORPEN);
    EXPECT_EQ(PenModeToRop2(pmBlack), R2_BLACK);
    EXPECT_EQ(PenModeToRop2(pmNot), R2_NOT);
}

TEST(Canvas, BitmapDrawsThroughItsCanvasAfterAResize)
{
    TBitmap B;
    EXPECT_TRUE(B.Empty());
    B.Canvas().Rectangle(0, 0, 4, 4); // no target: nothing happens
    B.SetSize(6, 6);
    B.Canvas().Brush().SetColor(clRed);
    B.Canvas().Pen().SetStyle(psClear);
    B.Canvas().Rectangle(0, 0, 4, 4);
    EXPECT_EQ(B.Canvas().Pixel(2, 2), clRed);
    EXPECT_EQ(B.Canvas().Pixel(3, 3), clWhite);
    B.SetSize(8, 8);
    EXPECT_EQ(B.Canvas().Pixel(2, 2), clWhite);
    B.Canvas().Rectangle(0, 0, 4, 4);
    EXPECT_EQ(B.Canvas().Pixel(2, 2), clRed);
}

TEST(Canvas, PatternOfAHatchFollowsBrushStyle)
{
    TBrush Brush;
    Brush.SetStyle(bsCross);
    Brush.SetColor(clBlue);
    const TGdiBrush B = Brush.Realize();
    EXPECT_EQ(B.Style, BS_HATCHED);
    EXPECT_EQ(B.Hatch, HS_CROSS);
    EXPECT_EQ(B.Color, RGB(0, 0, 255));
    Brush.SetStyle(bsClear);
    EXPECT_EQ(Brush.Realize().Style, BS_NULL);
}

} // namespace
