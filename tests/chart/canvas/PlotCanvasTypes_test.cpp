#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotPicture.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace

namespace {

TEST(PlotDefaultFont, AJapaneseSystemTakesThePlatformsFontForTheTablesArial)
{
    const struct {
        int Size;
        std::string Name;
        int ExpectedSize;
        std::string ExpectedName;
    } Cases[] = {
        {8, "Arial", -11, "Tahoma"},
        {8, "Verdana", -11, "Verdana"},
        {10, "Arial", 10, "Tahoma"},
        {9, "MS Gothic", 9, "MS Gothic"},
    };
    for (const auto& C : Cases) {
        int Size = C.Size;
        std::string Name = C.Name;
        PlotJapaneseFont(Size, Name);
        EXPECT_EQ(Size, C.ExpectedSize) << C.Size << " " << C.Name;
        EXPECT_EQ(Name, C.ExpectedName) << C.Size << " " << C.Name;
    }
}

} // namespace
