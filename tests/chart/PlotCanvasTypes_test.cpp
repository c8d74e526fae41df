#include "chart/PlotCanvas3D.h"
#include "chart/PlotPicture.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(ChartPen, AssignCarriesTheChartFields)
{
    int Changes = 0;
    TChartPen Target([&](TGraphicsObject*) { ++Changes; });
    TChartPen Source;
    Source.SetColor(clRed);
    Source.SetWidth(3);
    Source.SetSmallDots(true);
    Source.SetSmallSpace(2);
    Source.SetEndStyle(esFlat);
    Source.Hide();
    Target.Assign(Source);
    EXPECT_EQ(std::tuple(Target.Color(), Target.Width(), Target.SmallDots(), Target.SmallSpace(),
                         Target.EndStyle(), Target.Visible()),
              std::tuple(clRed, 3, true, 2, esFlat, false));
    EXPECT_GE(Changes, 1);
    const int Before = Changes;
    Target.SetEndStyle(esFlat);
    Target.Hide();
    EXPECT_EQ(Changes, Before);
}

TEST(ChartBrushAndFont, SubObjectsAreMadeOnFirstReadAndTravelWithAssign)
{
    TChartBrush Brush, BrushCopy;
    Brush.Image().SetGraphic(QImage(2, 2, QImage::Format_RGB32));
    Brush.SetBackColor(clBlue);
    BrushCopy.Assign(Brush);
    ASSERT_NE(BrushCopy.ImageIfAny(), nullptr);
    EXPECT_TRUE(BrushCopy.ImageIfAny()->HasGraphic());
    EXPECT_EQ(BrushCopy.BackColor(), clBlue);
    BrushCopy.SetImage(nullptr);
    EXPECT_EQ(BrushCopy.ImageIfAny(), nullptr);

    TPlotFont Font, FontCopy;
    EXPECT_EQ(Font.ShadowIfAny(), nullptr);
    Font.Shadow().SetHorizSize(2);
    Font.SetInterCharSize(3);
    FontCopy.Assign(Font);
    ASSERT_NE(FontCopy.ShadowIfAny(), nullptr);
    EXPECT_EQ(std::pair(FontCopy.ShadowIfAny()->HorizSize(), FontCopy.InterCharSize()),
              std::pair(2, 3));
    EXPECT_EQ(FontCopy.GradientIfAny(), nullptr);
}

struct TBufferedCanvas {
    TPlotCanvas3D Canvas;
    TBufferedCanvas()
    {
        Canvas.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, 16, 16});
        Canvas.ResetState();
    }
};

TEST(PlotCanvasAssign, MonochromeCanvasUsesBlackPensAndWhiteBrushes)
{
    TBufferedCanvas B;
    B.Canvas.SetMonochrome(true);
    TChartPen Pen;
    Pen.SetColor(clRed);
    B.Canvas.AssignVisiblePen(Pen);
    EXPECT_EQ(B.Canvas.Pen().Color(), clBlack);
    TChartBrush Brush;
    B.Canvas.AssignBrush(Brush, clRed, clNone);
    EXPECT_EQ(B.Canvas.Brush().Color(), clWhite);
    TPlotFont Font;
    Font.SetColor(clRed);
    B.Canvas.AssignFont(Font);
    EXPECT_EQ(B.Canvas.Font().Color(), clBlack);
}

TEST(PlotCanvasAssign, BrushBackColourDecidesTheBackMode)
{
    TBufferedCanvas B;
    TChartBrush Brush;
    Brush.SetStyle(bsDiagCross);
    B.Canvas.AssignBrush(Brush, clRed, clBlue);
    EXPECT_EQ(B.Canvas.GetBackMode(), cbmOpaque);
    EXPECT_EQ(B.Canvas.GetBackColor(), clBlue);
    EXPECT_EQ(B.Canvas.Brush().Style(), bsDiagCross);
    B.Canvas.AssignBrush(Brush, clRed, clNone);
    EXPECT_EQ(B.Canvas.GetBackMode(), cbmTransparent);

    TChartBrush Pictured;
    QImage Tile(2, 2, QImage::Format_RGB32);
    Tile.fill(Qt::green);
    Pictured.Image().SetGraphic(Tile);
    B.Canvas.AssignBrush(Pictured, clRed, clYellow);
    EXPECT_FALSE(B.Canvas.Brush().Bitmap().isNull());
    EXPECT_EQ(B.Canvas.GetBackColor(), clYellow);
    B.Canvas.FillRect({0, 0, 4, 4});
    EXPECT_EQ(B.Canvas.GetPixel(1, 1), TColor(RGB(0, 255, 0)));
}

TEST(PlotCanvasAssign, InternalDarkGoesToTheBrushOrTheBackColour)
{
    TBufferedCanvas B;
    B.Canvas.Brush().SetStyle(bsSolid);
    B.Canvas.InternalDark(RGB(200, 200, 200), DarkColorQuantity);
    EXPECT_EQ(B.Canvas.Brush().Color(), TColor(RGB(136, 136, 136)));
    B.Canvas.Brush().SetStyle(bsCross);
    B.Canvas.Brush().SetColor(clRed);
    B.Canvas.InternalDark(RGB(100, 100, 100), DarkerColorQuantity);
    EXPECT_EQ(B.Canvas.Brush().Color(), clRed);
    EXPECT_EQ(B.Canvas.GetBackColor(), clBlack);
}

TEST(PlotCanvasAssign, ResetStateRestoresTheDefaults)
{
    TBufferedCanvas B;
    B.Canvas.Pen().SetColor(clRed);
    B.Canvas.Pen().SetWidth(4);
    B.Canvas.Brush().SetStyle(bsCross);
    B.Canvas.SetBackMode(cbmOpaque);
    B.Canvas.SetTextAlign(TA_RIGHT);
    TPlotFont Font;
    B.Canvas.AssignFont(Font);
    B.Canvas.ResetState();
    EXPECT_EQ(std::tuple(B.Canvas.Pen().Color(), B.Canvas.Pen().Width(), B.Canvas.Brush().Style(),
                         B.Canvas.Brush().Color(), B.Canvas.GetBackMode(), B.Canvas.GetBackColor(),
                         B.Canvas.GetTextAlign()),
              std::tuple(clBlack, 1, bsSolid, clWhite, cbmTransparent, clWhite, 0));
    EXPECT_EQ(B.Canvas.CurrentFont(), nullptr);
}

} // namespace
