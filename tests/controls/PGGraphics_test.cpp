#include "controls/PGGraphics.h"

#include "Pixels.h"

#include <gtest/gtest.h>

TEST(ContrastColor, GoldenValues)
{
    struct TCase {
        TColor Color;
        int Percent;
        TColor Expect;
    };
    const TCase Cases[] = {
        {TColor(RGB(100, 150, 200)), 50, TColor(RGB(50, 202, 228))},
        {TColor(RGB(200, 100, 150)), 50, TColor(RGB(228, 50, 202))},
        {TColor(RGB(100, 150, 200)), 0, TColor(RGB(100, 150, 200))},
        {TColor(RGB(100, 150, 200)), 100, TColor(RGB(2, 254, 254))},
        {TColor(RGB(100, 150, 200)), 255, TColor(RGB(2, 254, 254))},
        // No channel strictly lowest: all go lighter.
        {TColor(RGB(100, 100, 100)), 50, TColor(RGB(178, 178, 178))},
        {TColor(RGB(50, 50, 200)), 50, TColor(RGB(152, 152, 228))},
        {clBtnFace, 50, TColor(RGB(248, 248, 248))},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(ContrastColor(C.Color, uint8_t(C.Percent)), C.Expect)
            << std::hex << C.Color << " " << std::dec << C.Percent;
}

TEST(DrawGradientRect, RunsFromCornerToCornerInResolvedColours)
{
    TBitmap Bitmap;
    Bitmap.SetSize(20, 20);
    auto Draw = [&](TPGGradientMode Mode, TColor From) {
        Bitmap.Canvas().Brush().SetColor(clWhite);
        Bitmap.Canvas().FillRect(Rect(0, 0, 20, 20));
        DrawGradientRect(Bitmap.Canvas(), Rect(2, 2, 18, 18), From, clBlue, Mode);
        return Bitmap.Image();
    };
    const QImage V = Draw(gmMirrorVertical, clRed);
    EXPECT_EQ(V.pixel(9, 2), qRgb(255, 0, 0));
    EXPECT_EQ(V.pixel(2, 9), V.pixel(17, 9)) << "rows are even";
    EXPECT_GT(qBlue(V.pixel(9, 17)), 230);
    EXPECT_EQ(V.pixel(9, 18), qRgb(255, 255, 255));
    const QImage H = Draw(gmHorizontal, clRed);
    EXPECT_EQ(H.pixel(2, 9), qRgb(255, 0, 0));
    EXPECT_EQ(H.pixel(9, 2), H.pixel(9, 17)) << "columns are even";
    EXPECT_EQ(Draw(gmVertical, clBtnFace).pixel(9, 2), qRgb(240, 240, 240)) << "system colour";
    for (TPGGradientMode Corner : {gmMirrorLeftTop, gmMirrorRightTop})
        EXPECT_EQ(Draw(Corner, clRed).pixel(9, 9), qRgb(255, 255, 255));
}

TEST(DrawControlText, LaidOutByAlignmentAndCentredInHeight)
{
    TBitmap Bitmap;
    Bitmap.SetSize(200, 100);
    auto Ink = [&](const std::string& Text, TAlignment Alignment) {
        Bitmap.Canvas().Brush().SetStyle(bsSolid);
        Bitmap.Canvas().Brush().SetColor(clWhite);
        Bitmap.Canvas().FillRect(Rect(0, 0, 200, 100));
        DrawControlText(Bitmap.Canvas(), Rect(20, 10, 180, 90), Text, true, Alignment, false);
        return InkBox(Bitmap.Image(), qRgb(255, 255, 255));
    };
    const QRect Two = Ink("Sell\r\nmarket", taCenter);
    EXPECT_NEAR(Two.center().x(), 100, 2);
    EXPECT_NEAR(Two.center().y(), 50 - 1, 3);
    const QRect One = Ink("Sell", taCenter);
    EXPECT_GT(Two.height(), One.height() + 8) << "two lines";
    EXPECT_NEAR(Ink("Sell", taLeftJustify).left(), 20, 1);
    EXPECT_NEAR(Ink("Sell", taRightJustify).right(), 179, 1);
}
