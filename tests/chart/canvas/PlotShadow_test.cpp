#include "chart/canvas/CanvasFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotShadow, HardShadowIsTwoStripsOnTheSideOfTheSizes)
{
    struct TCase {
        int H, V;
        TPoint In[2], Out[2];
    };
    const TCase Cases[] = {
        {3, 2, {{9, 13}, {16, 8}}, {{8, 12}, {16, 7}}},  // right and below
        {-3, -2, {{10, 4}, {3, 9}}, {{11, 4}, {3, 10}}}, // left and above
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F(20, 20);
        TPlotShadow S;
        S.SetSmooth(false);
        S.SetColor(clRed);
        S.SetHorizSize(C.H);
        S.SetVertSize(C.V);
        S.Draw(F.Canvas, {6, 6, 14, 12});
        for (const TPoint& P : C.In)
            EXPECT_EQ(F.At(P.X, P.Y), clRed) << C.H << " " << P.X << "," << P.Y;
        for (const TPoint& P : C.Out)
            EXPECT_EQ(F.At(P.X, P.Y), clWhite) << C.H << " " << P.X << "," << P.Y;
        // The rectangle itself is left for its owner to fill.
        EXPECT_EQ(F.At(10, 9), clWhite);
        EXPECT_EQ(F.Count(clRed), 8 * 2 + 3 * 6 - 3 * 2); // the strips share a corner
    }
}

TEST(PlotShadow, NothingIsDrawnWithoutColourOrSize)
{
    for (int Case = 0; Case < 2; ++Case) {
        TCanvasFixture F(20, 20);
        TPlotShadow S;
        S.SetSmooth(Case == 0);
        S.SetTransparency(50);
        if (Case == 0)
            S.SetSize(3), S.SetColor(clNone);
        S.Draw(F.Canvas, {5, 5, 10, 10});
        S.DrawEllipse(F.Canvas, {5, 5, 10, 10}, 0);
        S.Draw(F.Canvas, std::vector<TPoint>{{1, 1}, {8, 1}, {1, 8}});
        EXPECT_EQ(F.Count(clWhite), 400) << Case;
    }
}

TEST(PlotShadow, SmoothShadowDarkensBeneathAndFadesOutwards)
{
    TCanvasFixture F(40, 30);
    TPlotShadow S;
    S.SetColor(clBlack);
    S.SetSize(4);
    S.Draw(F.Canvas, {5, 5, 25, 20});
    // Along the bottom: darkest under the moved shape, lighter further out.
    const int X = 15;
    std::vector<int> Column;
    for (int Y = 20; Y < 30; ++Y)
        Column.push_back(GetRValue(F.At(X, Y)));
    EXPECT_LT(Column[0], 60);
    for (size_t I = 1; I < Column.size(); ++I)
        EXPECT_LE(Column[I - 1], Column[I]) << I;
    EXPECT_EQ(Column.back(), 255);
    EXPECT_EQ(GetRValue(F.At(15, 22)), GetBValue(F.At(15, 22))); // grey stays grey
    // Inside the shape only the border is computed: its owner covers the rest.
    EXPECT_EQ(F.At(10, 10), clWhite);
    // Above and left of the moved shape nothing falls.
    EXPECT_EQ(F.At(2, 2), clWhite);
    EXPECT_EQ(F.At(15, 3), clWhite);

    // A coloured shadow multiplies the background channel by channel.
    TCanvasFixture G(40, 30);
    G.Canvas.Brush().SetColor(TColor(RGB(200, 200, 200)));
    G.Canvas.FillRect({0, 0, 40, 30});
    S.SetColor(TColor(RGB(255, 0, 128)));
    S.Draw(G.Canvas, {5, 5, 25, 20});
    const COLORREF P = COLORREF(G.At(20, 22));
    EXPECT_EQ(GetRValue(P), 200);
    EXPECT_LT(GetGValue(P), 60);
    EXPECT_GT(GetBValue(P), GetGValue(P));
}

TEST(PlotShadow, SmoothShadowOfNegativeSizesAndShapes)
{
    TCanvasFixture F(40, 40);
    TPlotShadow S;
    S.SetColor(clBlack);
    S.SetHorizSize(-3);
    S.SetVertSize(-3);
    S.DrawEllipse(F.Canvas, {15, 15, 35, 35}, 0);
    EXPECT_LT(GetRValue(F.At(22, 22)), 40); // the moved ellipse's middle
    EXPECT_EQ(F.At(37, 37), clWhite);
    EXPECT_GT(GetRValue(F.At(13, 13)), GetRValue(F.At(22, 22)));

    TCanvasFixture P(30, 30);
    S.SetSize(2);
    S.Draw(P.Canvas, std::vector<TPoint>{{5, 5}, {20, 5}, {5, 20}});
    EXPECT_LT(GetRValue(P.At(9, 9)), 60);
    EXPECT_EQ(P.At(22, 22), clWhite);
}

TEST(PlotShadow, ClipAndTransparency)
{
    TCanvasFixture F(40, 30);
    TPlotShadow S;
    S.SetColor(clBlack);
    S.SetSize(4);
    S.SetClip(true);
    F.Canvas.ClipRectangle({0, 0, 40, 22});
    S.Draw(F.Canvas, {5, 5, 25, 20});
    F.Canvas.UnClipRectangle();
    EXPECT_LT(GetRValue(F.At(15, 21)), 100);
    EXPECT_EQ(F.At(15, 22), clWhite);

    TCanvasFixture Hard(20, 20);
    S.SetSmooth(false);
    S.SetClip(false);
    S.SetTransparency(50);
    S.Draw(Hard.Canvas, {2, 2, 10, 10});
    EXPECT_EQ(Hard.At(6, 11), TColor(RGB(127, 127, 127)));
}

TEST(PlotShadowSmooth, BlursABitmapInPlaceWithoutBackground)
{
    QImage B(9, 1, QImage::Format_RGB32);
    B.fill(Qt::white);
    B.setPixel(4, 0, qRgb(0, 0, 0));
    PlotShadowSmooth(B, nullptr, 0, 0, 2, 0, 0, true, nullptr);
    // Symmetric about the dark pixel, which is lightened by its neighbours.
    EXPECT_EQ(B.pixel(3, 0), B.pixel(5, 0));
    EXPECT_EQ(B.pixel(2, 0), B.pixel(6, 0));
    EXPECT_GT(qRed(B.pixel(4, 0)), 0);
    EXPECT_LT(qRed(B.pixel(4, 0)), qRed(B.pixel(3, 0)));
    EXPECT_LT(qRed(B.pixel(3, 0)), qRed(B.pixel(2, 0)));
    EXPECT_EQ(B.pixel(1, 0), qRgb(255, 255, 255));
    // A harder edge keeps more of the dark pixel.
    QImage Hard(9, 1, QImage::Format_RGB32);
    Hard.fill(Qt::white);
    Hard.setPixel(4, 0, qRgb(0, 0, 0));
    PlotShadowSmooth(Hard, nullptr, 0, 0, 2, 0, 200, true, nullptr);
    EXPECT_LT(qRed(Hard.pixel(4, 0)), qRed(B.pixel(4, 0)));
}

} // namespace
