#include "chart/canvas/PlotResample.h"

#include <gtest/gtest.h>

namespace {

TEST(SmoothStretch, OneColourStaysOneColourAtAnySize)
{
    QImage Src(7, 5, QImage::Format_RGB32);
    Src.fill(qRgb(12, 200, 77));
    for (QSize Size : {QSize(1, 1), QSize(3, 2), QSize(7, 5), QSize(20, 33)})
        for (auto Option : {ssBestQuality, ssBestPerformance}) {
            QImage Dst(Size, QImage::Format_RGB32);
            SmoothStretch(Src, Dst, Option);
            EXPECT_EQ(Dst.size(), Size);
            for (int Y = 0; Y < Size.height(); ++Y)
                for (int X = 0; X < Size.width(); ++X)
                    ASSERT_EQ(Dst.pixel(X, Y), qRgb(12, 200, 77)) << Size.width() << " " << X;
        }
}

TEST(SmoothStretch, KeepsTheStepBetweenTwoColoursAndTinyImages)
{
    QImage Src(2, 1, QImage::Format_RGB32);
    Src.setPixel(0, 0, qRgb(0, 0, 0));
    Src.setPixel(1, 0, qRgb(255, 255, 255));
    const QImage Wide = SmoothBitmap(Src, 8, 1);
    EXPECT_EQ(Wide.pixel(0, 0), qRgb(0, 0, 0));
    for (int X = 1; X < 8; ++X)
        EXPECT_GE(qRed(Wide.pixel(X, 0)), qRed(Wide.pixel(X - 1, 0)));
    EXPECT_GT(qRed(Wide.pixel(7, 0)), 200);
    // A one-pixel source is narrower than the kernel: every position is
    // still read inside it.
    QImage One(1, 1, QImage::Format_RGB32);
    One.fill(qRgb(9, 9, 9));
    EXPECT_EQ(SmoothBitmap(One, 5, 4).pixel(4, 3), qRgb(9, 9, 9));
    EXPECT_TRUE(SmoothBitmap(One, 0, 4).isNull());
    EXPECT_DOUBLE_EQ(Lanczos3Filter(0), 1.0);
    EXPECT_NEAR(Lanczos3Filter(1), 0.0, 1e-12);
    EXPECT_EQ(Lanczos3Filter(3), 0.0);
    EXPECT_EQ(TriangleFilter(0.25), 0.75);
}

TEST(ColourModel, HueLuminanceSaturation)
{
    struct TCase {
        COLORREF Color;
        int H, L, S;
    };
    const TCase Cases[] = {
        {RGB(255, 0, 0), 0, 120, 240},     {RGB(0, 255, 0), 80, 120, 240},
        {RGB(0, 0, 255), 160, 120, 240},   {RGB(128, 128, 128), 160, 120, 0},
        {RGB(255, 255, 255), 160, 240, 0}, {RGB(0, 0, 0), 160, 0, 0},
        {RGB(255, 128, 0), 20, 120, 240},
    };
    for (const TCase& C : Cases) {
        int H, L, S;
        RGBToHLS(C.Color, H, L, S);
        EXPECT_EQ(std::make_tuple(H, L, S), std::make_tuple(C.H, C.L, C.S)) << C.Color;
        TRGB Back;
        HLSToRGB(H, L, S, Back);
        EXPECT_NEAR(Back.Red, GetRValue(C.Color), 1) << C.Color;
        EXPECT_NEAR(Back.Green, GetGValue(C.Color), 1) << C.Color;
        EXPECT_NEAR(Back.Blue, GetBValue(C.Color), 1) << C.Color;
    }
}

} // namespace
