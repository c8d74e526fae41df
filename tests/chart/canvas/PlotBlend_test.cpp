#include "chart/canvas/CanvasFixture.h"

#include <gtest/gtest.h>

namespace {

// Black under a blend, white drawn over it: what remains at a percent.
TColor Blended(int Transparency, TColor Drawn = clWhite)
{
    TCanvasFixture F(10, 10);
    F.Canvas.Brush().SetColor(clBlack);
    F.Canvas.FillRect({0, 0, 10, 10});
    auto Blend = F.Canvas.BeginBlending({2, 2, 8, 8}, Transparency);
    F.Canvas.Brush().SetColor(Drawn);
    F.Canvas.FillRect({0, 0, 10, 10});
    F.Canvas.EndBlending(std::move(Blend));
    EXPECT_EQ(F.At(1, 1), Drawn); // outside the rectangle: untouched
    return F.At(5, 5);
}

TEST(PlotBlend, TransparencyKeepsThatPercentOfTheBackground)
{
    EXPECT_EQ(Blended(0), clWhite); // pure white stays pure white
    EXPECT_EQ(Blended(50), TColor(RGB(128, 128, 128)));
    EXPECT_EQ(Blended(100), clBlack);
    EXPECT_EQ(Blended(25, TColor(RGB(200, 100, 0))), TColor(RGB(150, 75, 0)));
}

TEST(PlotBlend, RectangleIsKeptInsideTheCanvas)
{
    TCanvasFixture F(10, 10);
    F.Canvas.Brush().SetColor(clBlack);
    F.Canvas.FillRect({0, 0, 10, 10});
    auto Blend = F.Canvas.BeginBlending({8, 8, -3, -3}, 100); // reversed, partly outside
    F.Canvas.Brush().SetColor(clWhite);
    F.Canvas.FillRect({0, 0, 10, 10});
    F.Canvas.EndBlending(std::move(Blend));
    EXPECT_EQ(F.At(0, 0), clBlack);
    EXPECT_EQ(F.At(7, 7), clBlack);
    EXPECT_EQ(F.At(8, 8), clWhite);

    auto Outside = F.Canvas.BeginBlending({20, 20, 30, 30}, 100);
    F.Canvas.EndBlending(std::move(Outside)); // nothing to do, and no fault
}

TEST(PlotBlend, BitmapsBlendAtTheOriginOverTheirOverlap)
{
    QImage A(4, 4, QImage::Format_RGB32);
    A.fill(qRgb(0, 0, 0));
    QImage B(6, 3, QImage::Format_ARGB32);
    B.fill(qRgb(255, 100, 0));
    PlotBlendBitmaps(50, A, B, {-2, 1}); // negative coordinates start at 0
    EXPECT_EQ(B.format(), QImage::Format_RGB32);
    EXPECT_EQ(B.pixel(0, 0), qRgb(255, 100, 0));
    EXPECT_EQ(B.pixel(3, 2), qRgb(128, 50, 0));
    EXPECT_EQ(B.pixel(4, 1), qRgb(255, 100, 0));
    PlotBlendBitmaps(0, A, B, {5, 2});
    EXPECT_EQ(B.pixel(5, 2), qRgb(0, 0, 0));
    PlotBlendBitmaps(0, A, B, {6, 0}); // no overlap
    EXPECT_EQ(B.pixel(5, 0), qRgb(255, 100, 0));
}

} // namespace
