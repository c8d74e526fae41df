#include "chart/series/SeriesDoubles.h"

#include "chart/series/SeriesPointer.h"

namespace {

using series_test::TDrawPanel;

struct TPointerFixture {
    TDrawPanel Panel;
    TChartSeries Series;
    TSeriesPointer Pointer{&Panel, &Series};
    TPointerFixture()
    {
        Pointer.Pen().SetColor(clBlack);
        Pointer.SetColor(clRed);
    }
    void Draw(int X, int Y, TSeriesPointerStyle Style, TColor PointColor = clRed)
    {
        Panel.DrawMore = [=, this] { Pointer.Draw(X, Y, PointColor, Style); };
        Panel.Frame();
    }
};

TEST(SeriesPointer, In3DFilledShapesBecomeSolidsBetweenTheSeriesDepths)
{
    // The series takes the whole depth of a 3D chart: 0 to 20.
    series_test::TPanelDouble Chart;
    Chart.SetView3D(true);
    Chart.TCustomPlotPanel::Width3D = 20;
    TPointerFixture F;
    F.Series.SetParentChart(&Chart);
    F.Series.CalcDepthPositions();
    EXPECT_EQ((std::vector<int>{F.Series.StartZ(), F.Series.MiddleZ(), F.Series.EndZ()}),
              (std::vector<int>{0, 10, 20}));
    F.Panel.View3DOptions().SetOrthogonal(true);
    const auto InkBox = [&](TSeriesPointerStyle Style, bool Solid) {
        F.Pointer.SetDraw3D(Solid);
        F.Draw(100, 100, Style);
        TRect Box{400, 300, 0, 0};
        for (int Y = 0; Y < 300; ++Y)
            for (int X = 0; X < 400; ++X)
                if (F.Panel.At(X, Y) != clWhite)
                    Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
                           std::max(Box.Bottom, Y + 1)};
        return Box;
    };
    for (TSeriesPointerStyle Style :
         {psRectangle, psTriangle, psLeftTriangle, psCircle, psDiamond}) {
        F.Panel.SetView3D(false);
        const TRect Plain = InkBox(Style, true);
        F.Panel.SetView3D(true);
        const TRect Flat = InkBox(Style, false), Solid = InkBox(Style, true);
        EXPECT_EQ(Flat, Plain) << "flat on the front plane: " << int(Style);
        if (Style == psCircle)
            EXPECT_NE(Solid, Flat) << "a sphere around the middle depth";
        else if (Style == psDiamond)
            EXPECT_EQ(Solid, Flat) << "no solid of its own";
        else
            EXPECT_GT(Solid.Width() * Solid.Height(), Flat.Width() * Flat.Height())
                << "a solid reaches back: " << int(Style);
    }
    F.Series.SetParentChart(nullptr);
}

TEST(SeriesPointer, SizesBelowOneAreRefused)
{
    TPointerFixture F;
    F.Pointer.SetVertSize(6);
    for (int Bad : {0, -3}) {
        try {
            F.Pointer.SetVertSize(Bad);
            ADD_FAILURE() << Bad;
        } catch (const ChartException& E) {
            EXPECT_STREQ(E.what(), "Pointer size must be greater than zero");
        }
        EXPECT_THROW(F.Pointer.SetHorizSize(Bad), ChartException);
    }
    EXPECT_EQ(F.Pointer.VertSize(), 6);
    F.Pointer.ChangeVertSize(0); // while drawing, sized per point
    EXPECT_EQ(F.Pointer.VertSize(), 0);
}

TEST(SeriesPointer, StylesByPixels)
{
    constexpr TColor W = clWhite, K = clBlack, R = clRed;
    struct TCase {
        TSeriesPointerStyle Style;
        int Size;
        std::vector<std::tuple<int, int, TColor>> Pixels; // about a pointer at (100, 50)
    };
    const TCase Cases[] = {
        // 2 * 4 + 1 pixels wide: 96..104.
        {psRectangle, 4, {{96, 46, K}, {104, 54, K}, {105, 50, W}, {100, 50, R}, {95, 50, W}}},
        {psTriangle, 8, {{100, 42, K}, {92, 58, K}, {107, 58, K}, {100, 55, R}, {94, 44, W}}},
        {psDownTriangle, 8, {{100, 58, K}, {92, 42, K}, {100, 45, R}, {94, 56, W}}},
        {psLeftTriangle, 8, {{92, 50, K}, {104, 50, R}, {93, 43, W}}},
        {psRightTriangle, 8, {{108, 50, K}, {96, 50, R}, {107, 43, W}}},
        {psCircle, 8, {{100, 50, R}, {93, 43, W}, {100, 42, K}}},
        {psDiamond, 8, {{100, 42, K}, {108, 50, K}, {100, 50, R}, {94, 44, W}}},
        {psCross, 4, {{100, 46, K}, {100, 54, K}, {96, 50, K}, {104, 50, K}, {102, 52, W}}},
        {psDiagCross, 4, {{96, 46, K}, {104, 54, K}, {96, 54, K}, {100, 46, W}}},
        {psStar, 4, {{96, 46, K}, {100, 46, K}, {98, 50, K}}},
        {psHexagon, 8, {{100, 50, R}, {92, 42, W}, {100, 42, K}}},
        {psSmallDot, 4, {{100, 50, R}, {101, 50, W}, {99, 50, W}}},
    };
    for (const auto& C : Cases) {
        TPointerFixture F;
        F.Pointer.SetHorizSize(C.Size);
        F.Pointer.SetVertSize(C.Size);
        F.Draw(100, 50, C.Style);
        for (auto [X, Y, Color] : C.Pixels)
            EXPECT_EQ(F.Panel.At(X, Y), Color) << int(C.Style) << " at " << X << "," << Y;
    }
    TPointerFixture Nothing;
    Nothing.Draw(100, 50, psNothing);
    EXPECT_EQ(Nothing.Panel.Ink({80, 30, 120, 70}), 0);
}

TEST(SeriesPointer, UnsetColoursTakeThePointsColour)
{
    TPointerFixture F;
    F.Pointer.SetColor(clPlotColor);
    F.Pointer.Pen().SetColor(clPlotColor);
    F.Draw(50, 50, psRectangle, clBlue);
    EXPECT_EQ(F.Panel.At(46, 46), clBlue);
    EXPECT_EQ(F.Panel.At(50, 50), clBlue);
    F.Pointer.Pen().Hide();
    F.Pointer.SetColor(clLime);
    F.Draw(50, 50, psRectangle, clBlue);
    EXPECT_EQ(F.Panel.At(46, 46), clLime); // no outline
}

TEST(SeriesPointer, ShadowLiesUnderTheShapeAndGradientFillsIt)
{
    TPointerFixture F;
    F.Pointer.Shadow().SetVisible(true);
    F.Pointer.Shadow().SetTransparency(0);
    F.Draw(50, 50, psRectangle);
    EXPECT_NE(F.Panel.At(56, 56), clWhite);
    EXPECT_EQ(F.Panel.At(50, 50), clRed);
    EXPECT_EQ(F.Panel.At(44, 44), clWhite);

    TPointerFixture G;
    G.Pointer.Gradient().SetVisible(true);
    G.Pointer.Gradient().SetStartColor(clBlue);
    G.Pointer.Gradient().SetEndColor(clBlue);
    G.Draw(50, 50, psDiamond);
    EXPECT_EQ(G.Panel.At(50, 50), clBlue);
    EXPECT_EQ(G.Panel.At(46, 46), clWhite); // outside the diamond
}

TEST(Callout, ArrowHeadsAndShapeAtThePoint)
{
    for (auto Head : {ahNone, ahLine, ahSolid}) {
        TDrawPanel Panel;
        TChartSeries Series;
        TCallout Callout(&Panel, &Series);
        Callout.Arrow().SetColor(clBlue);
        Callout.SetArrowHead(Head);
        Callout.SetHorizSize(2);
        Callout.SetVertSize(2);
        Panel.DrawMore = [&] { Callout.Draw(clRed, {20, 20}, {60, 20}); };
        Panel.Frame();
        EXPECT_EQ(Panel.At(40, 20), clBlue);
        EXPECT_EQ(Panel.At(60, 20), clBlack); // the callout shape, black by default
        // The barbs run back 8 pixels at 30 degrees: to about (53, 16) and (53, 24).
        EXPECT_EQ(Panel.At(54, 17) == clBlue || Panel.At(55, 17) == clBlue, Head != ahNone)
            << int(Head);
        EXPECT_EQ(Panel.At(55, 19), Head == ahSolid ? clBlue : clWhite) << int(Head);
    }
}

} // namespace
