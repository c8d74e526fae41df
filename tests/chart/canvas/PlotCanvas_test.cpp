#include "chart/canvas/CanvasFixture.h"

#include <QPixmap>
#include <gtest/gtest.h>

namespace {

TEST(PlotCanvasHelpers, RectanglesAndPolygons)
{
    EXPECT_EQ(PolygonBounds(nullptr, -1), PlotZeroRect);
    const TPoint P{4, 7};
    EXPECT_EQ(RectFromPolygon(&P, 1), (TRect{4, 7, 5, 8}));
    const TPoint Pts[] = {{3, 9}, {-2, 4}, {6, 1}};
    EXPECT_EQ(PolygonBounds(Pts, 2), (TRect{-2, 1, 6, 9}));
    EXPECT_EQ(OrientRectangle({9, 8, 1, 2}), (TRect{1, 2, 9, 8}));
    int X = 0, Y = 0;
    RectCenter({-5, -5, 0, 0}, X, Y);
    EXPECT_EQ(X, -2); // toward zero
    EXPECT_TRUE(PointInRect({0, 0, 10, 10}, 10, 10));
    EXPECT_FALSE(PointInRect({0, 0, 10, 10}, 11, 5));
    EXPECT_TRUE(PlotCull({0, 10}, {0, 0}, {10, 0}));
    EXPECT_FALSE(PlotCull({10, 0}, {0, 0}, {0, 10}));
}

TEST(PlotCanvasHelpers, ColourArithmeticAndByteOrder)
{
    EXPECT_EQ(ApplyDark(RGB(200, 100, 50), 64), TColor(RGB(136, 36, 0)));
    EXPECT_EQ(ApplyBright(RGB(200, 100, 50), 64), TColor(RGB(255, 164, 114)));
    EXPECT_EQ(ApplyDark(clBtnFace, 240), TColor(RGB(0, 0, 0)));
    EXPECT_EQ(RGBValue(RGB(1, 2, 3)), (TRGB{3, 2, 1}));
}

TEST(PlotCanvasHelpers, ConvexHull)
{
    std::vector<TPoint> Two{{0, 0}, {1, 1}};
    EXPECT_FALSE(TPlotCanvas::ConvexHull(Two));
    std::vector<TPoint> Three{{0, 0}, {5, 5}, {9, 0}};
    EXPECT_TRUE(TPlotCanvas::ConvexHull(Three));
    EXPECT_EQ(Three, (std::vector<TPoint>{{0, 0}, {5, 5}, {9, 0}}));
    std::vector<TPoint> Square{{0, 0}, {10, 10}, {5, 5}, {0, 10}, {10, 0}, {3, 6}};
    ASSERT_TRUE(TPlotCanvas::ConvexHull(Square));
    std::sort(Square.begin(), Square.end(),
              [](TPoint A, TPoint B) { return std::tie(A.X, A.Y) < std::tie(B.X, B.Y); });
    EXPECT_EQ(Square, (std::vector<TPoint>{{0, 0}, {0, 10}, {10, 0}, {10, 10}}));

    // The same square far out, as a zoomed-in 3D chart projects it.
    for (const int Far : {10000001, 20000000, 2000000000}) {
        std::vector<TPoint> Shifted{{5, 5}, {10, 10}, {0, 0}, {0, 10}, {10, 0}, {3, 6}};
        for (TPoint& P : Shifted)
            P = {P.X + Far, P.Y + Far};
        ASSERT_TRUE(TPlotCanvas::ConvexHull(Shifted));
        std::sort(Shifted.begin(), Shifted.end(),
                  [](TPoint A, TPoint B) { return std::tie(A.X, A.Y) < std::tie(B.X, B.Y); });
        EXPECT_EQ(Shifted, (std::vector<TPoint>{
                               {Far, Far}, {Far, Far + 10}, {Far + 10, Far}, {Far + 10, Far + 10}}))
            << Far;
    }
}

TEST(PlotCanvas, Frame3DDrawsNestedFramesAndShrinks)
{
    TCanvasFixture F(12, 12);
    TRect R{0, 0, 10, 10};
    F.Canvas.Frame3D(R, clRed, clBlue, 2);
    EXPECT_EQ(R, (TRect{2, 2, 8, 8}));
    for (int I : {0, 1}) {
        EXPECT_EQ(F.At(I, 5), clRed) << I;
        EXPECT_EQ(F.At(5, I), clRed) << I;
        EXPECT_EQ(F.At(9 - I, 5), clBlue) << I;
        EXPECT_EQ(F.At(5, 9 - I), clBlue) << I;
    }
    EXPECT_EQ(F.At(0, 9), clBlue); // the bottom line reaches the left edge
    EXPECT_EQ(F.At(5, 5), clWhite);
    EXPECT_EQ(F.At(10, 5), clWhite);
    EXPECT_EQ(F.Count(clRed) + F.Count(clBlue), 36 + 28);
}

TEST(PlotCanvas, HiddenChartPenDrawsNothingButTheBrushFills)
{
    TCanvasFixture F;
    TChartPen Pen;
    Pen.SetColor(clRed);
    Pen.Hide();
    F.Canvas.AssignVisiblePen(Pen);
    F.Canvas.Brush().SetColor(clBlue);
    F.Canvas.Rectangle(2, 2, 8, 8);
    F.Canvas.Line(0, 15, 19, 15);
    EXPECT_EQ(F.Count(clRed), 0);
    EXPECT_EQ(F.Count(clBlue), 25); // null pen: one pixel smaller
}

TEST(PlotCanvas, ChartPenWidthsAndSmallDots)
{
    struct TCase {
        int Width;
        bool SmallDots;
        int SmallSpace;
        const char* Row; // pixels 0..9 of row 5 after a line from 0 to 10
    };
    const TCase Cases[] = {
        {1, false, 0, "##########"}, // pixel 10, the end, is left out
        {1, true, 0, "#.#.#.#.#."},
        {1, true, 2, "#..#..#..#"},
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F;
        TChartPen Pen;
        Pen.SetColor(clRed);
        Pen.SetWidth(C.Width);
        Pen.SetSmallDots(C.SmallDots);
        Pen.SetSmallSpace(C.SmallSpace);
        F.Canvas.AssignVisiblePen(Pen);
        F.Canvas.Line(0, 5, 10, 5);
        std::string Row;
        for (int X = 0; X < 10; ++X)
            Row += F.At(X, 5) == clRed ? '#' : '.';
        EXPECT_EQ(F.At(10, 5), clWhite);
        EXPECT_EQ(Row, C.Row) << C.Width << " " << C.SmallDots << " " << C.SmallSpace;
    }
    TCanvasFixture F;
    TChartPen Wide;
    Wide.SetColor(clRed);
    Wide.SetWidth(3);
    Wide.SetEndStyle(esFlat);
    F.Canvas.AssignVisiblePen(Wide);
    F.Canvas.Line(2, 10, 12, 10);
    EXPECT_EQ(F.Ink(clRed), QRect(2, 9, 10, 3));
}

TEST(PlotCanvas, HatchBackColourOrTransparentGaps)
{
    for (TColor Back : {clNone, clBlue}) {
        TCanvasFixture F(16, 16);
        TChartBrush Brush;
        Brush.SetStyle(bsCross);
        F.Canvas.AssignBrush(Brush, clRed, Back);
        F.Canvas.FillRect({0, 0, 16, 16});
        EXPECT_EQ(F.Count(clRed), 60);
        EXPECT_EQ(F.Count(Back == clNone ? clWhite : clBlue), 256 - 60);
    }
}

TEST(PlotCanvas, ClipsNestAndReleaseToTheClipBefore)
{
    TCanvasFixture F;
    F.Canvas.ClipRectangle({2, 2, 18, 18});
    F.Canvas.ClipEllipse({0, 0, 20, 20});
    const TPoint Tri[] = {{0, 0}, {20, 0}, {0, 20}};
    F.Canvas.ClipPolygon(Tri, 3);
    EXPECT_EQ(F.Canvas.ClipDepth(), 3u);
    F.Canvas.UnClipRectangle();
    F.Canvas.UnClipRectangle();
    F.Canvas.Brush().SetColor(clRed);
    F.Canvas.FillRect({0, 0, 20, 20});
    EXPECT_EQ(F.Ink(clRed), QRect(2, 2, 16, 16));
    EXPECT_EQ(F.Count(clRed), 256);
    F.Canvas.UnClipRectangle();
    F.Canvas.Brush().SetColor(clBlue);
    F.Canvas.FillRect({0, 0, 20, 20});
    EXPECT_EQ(F.Count(clBlue), 400);
    F.Canvas.UnClipRectangle(); // nothing saved: no clip, no fault
    EXPECT_EQ(F.Canvas.ClipDepth(), 0u);
}

TEST(PlotCanvas, BufferIsShownOnlyWhenValidAndOfTheRightSize)
{
    TPlotCanvas3D Canvas;
    EXPECT_FALSE(Canvas.ReDrawBitmap());
    QImage Window(30, 20, QImage::Format_RGB32);
    Window.fill(Qt::black);
    TGdiDC WindowDC(&Window);
    TCanvas Dest(&WindowDC);
    const TRect R{0, 0, 30, 20};
    EXPECT_EQ(Canvas.InitWindow(&Dest, nullptr, clWhite, false, R), R);
    Canvas.Brush().SetColor(clRed);
    Canvas.FillRect(R);
    Canvas.ShowImage(&Dest, &Dest, R);
    EXPECT_EQ(Window.pixel(29, 19), qRgb(255, 0, 0));
    Window.fill(Qt::black);
    EXPECT_TRUE(Canvas.ReDrawBitmap());
    EXPECT_EQ(Window.pixel(5, 5), qRgb(255, 0, 0));
    Canvas.Invalidate();
    EXPECT_FALSE(Canvas.ReDrawBitmap());
    Canvas.InitWindow(&Dest, nullptr, clWhite, false, R);
    Canvas.ShowImage(&Dest, &Dest, R);
    // The window grew: the old buffer must not be shown.
    QImage Bigger(40, 20, QImage::Format_RGB32);
    TGdiDC BiggerDC(&Bigger);
    TCanvas BiggerCanvas(&BiggerDC);
    Canvas.SetCanvas(&BiggerCanvas);
    EXPECT_FALSE(Canvas.ReDrawBitmap());
    EXPECT_TRUE(Canvas.Dirty());
}

TEST(PlotCanvas, ShadowOfNegativeSizeLiesAboveLeftAndWidensTheText)
{
    TCanvasFixture F(120, 50);
    TPlotFont Font;
    Font.SetName("DejaVu Sans");
    Font.SetColor(clBlue);
    F.Canvas.AssignFont(Font);
    const int W0 = F.Canvas.TextWidth("Hix"), H0 = F.Canvas.TextHeight("Hix");
    Font.Shadow().SetColor(clRed);
    Font.Shadow().SetHorizSize(-3);
    Font.Shadow().SetVertSize(-2);
    F.Canvas.AssignFont(Font);
    EXPECT_EQ(F.Canvas.TextWidth("Hix"), W0 + 3);
    EXPECT_EQ(F.Canvas.TextHeight("Hix"), H0 + 2);
    F.Canvas.TextOut(10, 10, "Hix");
    const QRect Text = F.InkWhere([](COLORREF P) { return GetBValue(P) > GetRValue(P); });
    const QRect Shadow = F.InkWhere([](COLORREF P) { return GetRValue(P) > GetBValue(P); });
    ASSERT_FALSE(Text.isEmpty());
    ASSERT_FALSE(Shadow.isEmpty());
    // The text moved right and down by the sizes; the shadow sits at the
    // original place, up and left of the text.
    EXPECT_EQ(Text.right() - Shadow.right(), 3);
    EXPECT_EQ(Text.bottom() - Shadow.bottom(), 2);
}

TEST(PlotCanvas, ASmoothTextShadowDrawnOntoAWindowStaysPlain)
{
    // Drawn straight onto a surface without pixels to read back, as a
    // window is, while a buffer is kept aside, the shadow stays plain.
    QPixmap Window(80, 30);
    Window.fill(Qt::white);
    {
        TGdiDC DC(&Window);
        TCanvas Surface(&DC);
        TPlotCanvas3D Canvas;
        Canvas.IKeepBitmap = true;
        Canvas.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, 80, 30});
        Canvas.SetUseBuffer(false);
        ASSERT_TRUE(Canvas.Bitmap());
        Canvas.InitWindow(&Surface, nullptr, clWhite, false, {0, 0, 80, 30});
        Canvas.ResetState();
        TPlotFont Font;
        Font.SetName("DejaVu Sans");
        Font.SetColor(clBlue);
        Font.Shadow().SetColor(clRed);
        Font.Shadow().SetSize(2);
        Font.Shadow().SetSmoothBlur(4);
        Canvas.AssignFont(Font);
        Canvas.TextOut(10, 5, "Hix");
    }
    const QImage Shown = Window.toImage();
    int Red = 0;
    for (int Y = 0; Y < Shown.height(); ++Y)
        for (int X = 0; X < Shown.width(); ++X)
            Red += qRed(Shown.pixel(X, Y)) > 200 && qBlue(Shown.pixel(X, Y)) < 100;
    EXPECT_GT(Red, 10);
}

TEST(PlotCanvas, RotateLabelFoldsTheAngleAndTurnsTheText)
{
    auto Draw = [](double Angle) {
        TCanvasFixture F(60, 60);
        F.Canvas.Font().SetName("DejaVu Sans");
        F.Canvas.RotateLabel(30, 50, "Long", Angle);
        return std::make_pair(F.Image().copy(),
                              F.InkWhere([](COLORREF P) { return P != 0xFFFFFF; }));
    };
    const auto [At90, Box90] = Draw(90);
    const auto [At450, Box450] = Draw(450);
    EXPECT_EQ(At90, At450);
    EXPECT_GT(Box90.height(), Box90.width()); // the text runs upwards
    EXPECT_LE(Box90.bottom(), 50);
}

TEST(PlotCanvas, RoundClipCutsTheCornersAndInvertedEllipseKeepsThem)
{
    for (bool Inverted : {false, true}) {
        TCanvasFixture F;
        if (Inverted)
            F.Canvas.ClipEllipse({0, 0, 20, 20}, true);
        else
            F.Canvas.ClipRectangle({0, 0, 20, 20}, 10);
        F.Canvas.Brush().SetColor(clRed);
        F.Canvas.FillRect({0, 0, 20, 20});
        F.Canvas.UnClipRectangle();
        const TColor Corner = Inverted ? clRed : clWhite, Inside = Inverted ? clWhite : clRed;
        EXPECT_EQ(F.At(0, 0), Corner) << Inverted;
        EXPECT_EQ(F.At(19, 19), Corner) << Inverted;
        EXPECT_EQ(F.At(10, 10), Inside) << Inverted;
        if (!Inverted) {
            EXPECT_EQ(F.At(10, 0), clRed);
        }
    }
}

TEST(PlotCanvas, PolygonGradientFillsInsideAndOutlinesWithAClearBrush)
{
    TCanvasFixture F;
    TPlotGradient G;
    G.SetStartColor(clBlue);
    G.SetEndColor(clBlue);
    F.Canvas.Pen().SetColor(clRed);
    F.Canvas.Brush().SetStyle(bsSolid);
    const std::vector<TPoint> Tri{{2, 2}, {18, 2}, {2, 18}};
    F.Canvas.PolygonGradient(Tri, G);
    EXPECT_EQ(F.At(5, 5), clBlue);
    EXPECT_EQ(F.At(16, 16), clWhite);
    EXPECT_EQ(F.At(2, 10), clRed);
    EXPECT_EQ(F.Canvas.Brush().Style(), bsSolid);
    EXPECT_EQ(F.Canvas.ClipDepth(), 0u);
}

TEST(PlotCanvas, TextOutlineAndGradientStayInsideTheTextRectangle)
{
    for (int Effect : {0, 1}) {
        TCanvasFixture F(80, 40);
        TPlotFont Font;
        Font.SetName("DejaVu Sans");
        Font.SetSize(18);
        Font.SetColor(clBlue);
        if (Effect == 0) {
            Font.OutLine().SetColor(clRed);
            Font.OutLine().Show();
        } else {
            Font.Gradient().SetVisible(true);
            Font.Gradient().SetStartColor(clRed);
            Font.Gradient().SetEndColor(clRed);
        }
        F.Canvas.AssignFont(Font);
        F.Canvas.TextOut(5, 5, "HI");
        const QRect Text(5, 5, F.Canvas.TextWidth("HI"), F.Canvas.TextHeight("HI"));
        const QRect Ink = F.Ink(clRed);
        ASSERT_FALSE(Ink.isEmpty()) << Effect;
        EXPECT_TRUE(Text.contains(Ink)) << Effect;
        EXPECT_EQ(F.Canvas.ClipDepth(), 0u);
    }
}

TEST(PlotCanvas, WithoutBufferDrawingGoesStraightToTheDestination)
{
    TPlotCanvas3D Canvas;
    Canvas.SetUseBuffer(false);
    QImage Window(20, 10, QImage::Format_RGB32);
    Window.fill(Qt::white);
    TGdiDC DC(&Window);
    TCanvas Dest(&DC);
    const TRect R{5, 2, 15, 8};
    EXPECT_EQ(Canvas.InitWindow(&Dest, nullptr, clWhite, false, R), R);
    Canvas.Brush().SetColor(clRed);
    Canvas.FillRect({5, 2, 6, 3});
    EXPECT_EQ(Window.pixel(5, 2), qRgb(255, 0, 0));
    EXPECT_EQ(Canvas.Bitmap(), nullptr);
    Canvas.ShowImage(&Dest, &Dest, R);
    EXPECT_FALSE(Canvas.ReDrawBitmap());
}

TEST(PlotCanvas, FrontPlaneNestsAndAnglesBecomeArcEnds)
{
    TCanvasFixture F;
    F.Canvas.FrontPlaneBegin();
    F.Canvas.FrontPlaneBegin();
    F.Canvas.FrontPlaneEnd();
    F.Canvas.FrontPlaneEnd();
    F.Canvas.FrontPlaneEnd(); // unbalanced: ignored
    EXPECT_EQ(F.Canvas.Calculate3DPosition(7, 9, 30), (TPoint{7, 9}));
    F.Canvas.Pen().SetColor(clRed);
    F.Canvas.Arc(0, 0, 20, 20, 0.0, 3.14159265358979 / 2);
    EXPECT_EQ(F.Count(clRed) > 0, true);
    const QRect Ink = F.Ink(clRed);
    EXPECT_GE(Ink.left(), 9); // the upper right quarter only
    EXPECT_LE(Ink.bottom(), 11);
}

} // namespace
