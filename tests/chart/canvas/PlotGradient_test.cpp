#include "chart/canvas/CanvasFixture.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

std::set<TColor> ColoursOfColumn(TCanvasFixture& F, int X)
{
    std::set<TColor> C;
    for (int Y = F.Area.Top; Y < F.Area.Bottom; ++Y)
        C.insert(F.At(X, Y));
    return C;
}

struct TProbe {
    int X, Y;
    TColor Colour;
};

// The start colour lies at the bottom, right or outside; each direction's
// ends and corners, and every pixel painted.
TEST(PlotGradientFill, EachDirectionPaintsItsEndsAndCoversTheRectangle)
{
    struct TCase {
        TGradientDirection Direction;
        int W, H;
        std::vector<TProbe> Probes;
    };
    const TCase Cases[] = {
        {gdTopBottom, 12, 10, {{3, 9, clRed}, {3, 0, clBlue}}},
        {gdBottomTop, 12, 10, {{3, 9, clBlue}, {3, 0, clRed}}},
        {gdLeftRight, 12, 10, {{11, 5, clRed}, {0, 5, clBlue}}},
        {gdRightLeft, 12, 10, {{11, 5, clBlue}}},
        {gdFromCenter, 13, 9, {{0, 0, clBlue}, {12, 8, clBlue}, {6, 4, clRed}}},
        {gdDiagonalDown, 13, 9, {{0, 0, clRed}}},
        {gdDiagonalUp, 13, 9, {{0, 8, clRed}}},
        {gdFromTopLeft, 13, 9, {{0, 0, clBlue}}},
        {gdFromBottomLeft, 13, 9, {{0, 8, clBlue}}},
        {gdRadial, 13, 9, {{0, 0, clBlue}}},
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F(C.W, C.H);
        F.Canvas.GradientFill({0, 0, C.W, C.H}, clRed, clBlue, C.Direction);
        EXPECT_EQ(F.Count(clWhite), 0) << C.Direction;
        for (const TProbe& P : C.Probes)
            EXPECT_EQ(F.At(P.X, P.Y), P.Colour) << C.Direction << " at " << P.X << "," << P.Y;
        if (C.Direction == gdTopBottom) {
            EXPECT_EQ(ColoursOfColumn(F, 3).size(), 10u); // one strip per row
            EXPECT_EQ(F.At(3, 4), TColor(RGB(255 - 255 * 5 / 9, 0, 255 * 5 / 9)));
        }
        if (C.Direction == gdDiagonalDown) {
            EXPECT_EQ(F.At(3, 2), F.At(5, 0)); // one colour per line at 45 degrees
        }
    }
    // At most 256 bands; a one-pixel strip is painted.
    TCanvasFixture Tall(3, 1000);
    Tall.Canvas.GradientFill({0, 0, 3, 1000}, clBlack, clWhite, gdTopBottom);
    EXPECT_EQ(ColoursOfColumn(Tall, 1).size(), 256u);
    TCanvasFixture Strip(5, 3);
    Strip.Canvas.GradientFill({0, 1, 5, 2}, clRed, clBlue, gdTopBottom);
    EXPECT_EQ(std::vector<TColor>({Strip.At(2, 0), Strip.At(2, 1), Strip.At(2, 2)}),
              std::vector<TColor>({clWhite, clRed, clWhite}));
}

TEST(PlotGradientFill, RectanglesOfMillionsOfPixelsPaintTheirMiddleBand)
{
    // A zoomed-in area under a chart: only its middle band shows.
    for (const auto& [Direction, Huge] : {std::pair{gdTopBottom, TRect{0, -9000000, 10, 9000010}},
                                          {gdLeftRight, TRect{-9000000, 0, 9000010, 10}}}) {
        TCanvasFixture F(10, 10);
        F.Canvas.GradientFill(Huge, clBlack, clWhite, Direction);
        for (const TColor C : {F.At(0, 0), F.At(5, 5), F.At(9, 9)}) {
            EXPECT_NEAR(int(C & 0xFF), 127, 2) << Direction;
            EXPECT_EQ(C, RGB(C & 0xFF, C & 0xFF, C & 0xFF)) << Direction;
        }
    }
}

TEST(PlotGradientFill, RadialRunsFromTheEndColourOutsideToTheStartInTheMiddle)
{
    TCanvasFixture F(41, 41);
    F.Canvas.GradientFill({0, 0, 41, 41}, clRed, clBlue, gdRadial, 50, 0, 0);
    EXPECT_EQ(F.At(0, 0), clBlue);
    EXPECT_GT(GetRValue(F.At(20, 20)), 230);
    EXPECT_GT(GetRValue(F.At(20, 20)), GetRValue(F.At(20, 10)));
    // The centre moves with the radial offsets.
    F.Canvas.GradientFill({0, 0, 41, 41}, clRed, clBlue, gdRadial, 50, -10, 0);
    EXPECT_GT(GetRValue(F.At(11, 20)), GetRValue(F.At(31, 20)));
}

TEST(PlotGradient, MiddleColourSplitsTheRectangle)
{
    TCanvasFixture F(4, 20);
    TPlotGradient G;
    G.SetStartColor(clRed);
    G.SetEndColor(clBlue);
    G.SetMidColor(clLime);
    G.Draw(F.Canvas, TRect{0, 0, 4, 20});
    EXPECT_EQ(F.At(1, 19), clRed);
    EXPECT_EQ(F.At(1, 10), clLime); // the lower half ends in the middle colour
    EXPECT_EQ(F.At(1, 9), clLime);  // and the upper half starts from it
    EXPECT_EQ(F.At(1, 0), clBlue);

    G.SetMidColor(clNone);
    TCanvasFixture Plain(4, 20);
    Plain.Canvas.GradientFill({0, 0, 4, 20}, clRed, clBlue, gdTopBottom);
    G.Draw(F.Canvas, TRect{0, 0, 4, 20});
    for (int Y = 0; Y < 20; ++Y)
        EXPECT_EQ(F.At(1, Y), Plain.At(1, Y)) << Y;
}

TEST(PlotGradient, BalanceBendsTheProgression)
{
    EXPECT_DOUBLE_EQ(PlotSigmoid(9, 50, 9), 1.0);
    EXPECT_NEAR(PlotSigmoid(4, 0, 9), std::pow(0.5, 0.5), 1e-12);
    TCanvasFixture F(2, 11);
    TPlotGradient G;
    G.SetStartColor(clBlack);
    G.SetEndColor(clWhite);
    G.SetBalance(100); // exponent 2: slow at first
    G.Draw(F.Canvas, TRect{0, 0, 2, 11});
    EXPECT_EQ(GetRValue(F.At(0, 5)), uint8_t(Round(255 * std::pow(6.0 / 11, 2))));
    EXPECT_EQ(F.At(0, 0), clWhite);
}

TEST(PlotGradient, SubGradientIsBlendedOver)
{
    TCanvasFixture F(10, 10);
    TPlotGradient G;
    G.SetStartColor(clBlack);
    G.SetEndColor(clBlack);
    G.SubGradient().SetVisible(true);
    G.SubGradient().SetStartColor(clWhite);
    G.SubGradient().SetEndColor(clWhite);
    G.SubGradient().SetTransparency(50);
    G.Draw(F.Canvas, TRect{0, 0, 10, 10});
    EXPECT_EQ(F.At(5, 5), TColor(RGB(128, 128, 128)));
}

TEST(PlotGradient, RoundedTurnedAndMonochromeDrawing)
{
    TCanvasFixture F(20, 20);
    TPlotGradient G;
    G.SetStartColor(clRed);
    G.SetEndColor(clRed);
    G.Draw(F.Canvas, TRect{0, 0, 20, 20}, 10);
    EXPECT_EQ(F.At(0, 0), clWhite);
    EXPECT_EQ(F.At(10, 10), clRed);
    EXPECT_EQ(F.Canvas.ClipDepth(), 0u);

    // Turned a quarter: the bands run across, and no corner is left unpainted.
    TCanvasFixture T(20, 12);
    G.SetEndColor(clBlue);
    G.SetAngle(90);
    G.Draw(T.Canvas, TRect{0, 0, 20, 12});
    EXPECT_EQ(T.Count(clWhite), 0);
    EXPECT_EQ(T.At(3, 1), T.At(3, 10));
    EXPECT_NE(T.At(1, 5), T.At(18, 5));

    TCanvasFixture M(4, 4);
    M.Canvas.SetMonochrome(true);
    G.SetAngle(0);
    G.SetEndColor(clRed);
    G.Draw(M.Canvas, TRect{0, 0, 4, 4});
    EXPECT_EQ(M.At(1, 1), TColor(RGB(85, 85, 85)));
}

} // namespace
