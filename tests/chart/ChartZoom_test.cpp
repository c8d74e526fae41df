#include "ChartFixture.h"

#include "chart/PlotPanelWidget.h"

#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

namespace {

using namespace chart_test;

struct ChartZoomTest : testing::Test, TMouseChart {
    // A drag with the left button, one move per point.
    void Drag(std::initializer_list<TPoint> Points)
    {
        const TPoint First = *Points.begin();
        Chart.MouseDown(mbLeft, ssLeft, First.X, First.Y);
        TPoint Last = First;
        for (const TPoint& P : Points) {
            Chart.MouseMove(ssLeft, P.X, P.Y);
            Last = P;
        }
        Chart.MouseUp(mbLeft, 0, Last.X, Last.Y);
    }
};

TEST_F(ChartZoomTest, PanningMovesTheAllowedAxesByTheDraggedValues)
{
    Chart.SetAllowZoom(false);
    Chart.SetScrollMouseButton(mbLeft);
    int Scrolls = 0;
    Chart.OnScroll = [&](TCustomPlotPanelExtended*) { ++Scrolls; };
    struct TCase {
        TPanningMode Mode;
        std::pair<double, double> BottomAfter, LeftAfter;
        int Scrolls;
    };
    // Right by 10 pixels (2 units) and up by 28 (10 units), in two moves.
    const TCase Cases[] = {
        {pmHorizontal, {98, 198}, {0, 100}, 2},
        {pmVertical, {100, 200}, {-10, 90}, 2},
        {pmBoth, {98, 198}, {-10, 90}, 2},
        {pmNone, {100, 200}, {0, 100}, 0},
    };
    for (const TCase& C : Cases) {
        Bottom.SetMinMax(100, 200);
        Left.SetMinMax(0, 100);
        Chart.SetAllowPanning(C.Mode);
        Scrolls = 0;
        Drag({{300, 160}, {305, 146}, {310, 132}});
        EXPECT_EQ(Range(Bottom), C.BottomAfter) << C.Mode;
        EXPECT_EQ(Range(Left), C.LeftAfter) << C.Mode;
        EXPECT_EQ(Scrolls, C.Scrolls) << C.Mode;
    }
}

TEST_F(ChartZoomTest, AVetoedPanStillMovesOnAndAPointerOutsideEndsIt)
{
    Chart.SetAllowZoom(false);
    Chart.SetScrollMouseButton(mbLeft);
    Chart.SetAllowPanning(pmHorizontal);
    int Scrolls = 0;
    Chart.OnScroll = [&](TCustomPlotPanelExtended*) { ++Scrolls; };
    bool Veto = true;
    Chart.OnAllowScroll = [&](TChartAxis* A, double& Min, double& Max, bool& Allow) {
        Allow = !Veto;
        if (A == &Bottom)
            Max += 1; // an allowed step may be changed too
    };
    Chart.MouseDown(mbLeft, ssLeft, 300, 160);
    Chart.MouseMove(ssLeft, 310, 160);
    EXPECT_EQ(Range(Bottom), std::pair(100.0, 200.0));
    EXPECT_EQ(Scrolls, 1);
    Veto = false;
    Chart.MouseMove(ssLeft, 315, 160);
    EXPECT_EQ(Range(Bottom), std::pair(99.0, 200.0)) << "from the last point, not the press";
    Chart.MouseMove(ssLeft, 560, 160);
    EXPECT_FALSE(Chart.Panning().Active) << "outside the chart";
    Chart.MouseMove(ssLeft, 320, 160);
    EXPECT_EQ(Range(Bottom), std::pair(99.0, 200.0));
    EXPECT_EQ(Scrolls, 2);
}

TEST_F(ChartZoomTest, ZoomNeedsMoreThanTheMinimumPixelsAndALeftDragUndoes)
{
    Box.AddXY(250, 60);
    Bottom.SetAutomatic(true);
    const bool Before = Bottom.Automatic();
    int Zooms = 0, Undos = 0;
    Chart.OnZoom = [&](TCustomPlotPanelExtended*) { ++Zooms; };
    Chart.OnUndoZoom = [&](TCustomPlotPanelExtended*) { ++Undos; };
    Drag({{100, 100}, {116, 116}});
    EXPECT_EQ(Zooms, 0) << "16 pixels: too small";
    EXPECT_FALSE(Chart.Zoomed());
    Chart.Frame();
    const std::pair<double, double> Auto = Range(Bottom);
    Drag({{100, 100}, {117, 117}});
    EXPECT_EQ(Zooms, 1);
    EXPECT_TRUE(Chart.Zoomed());
    EXPECT_FALSE(Bottom.Automatic());
    EXPECT_NEAR(Left.Minimum(), 100 - 97 / 2.8, 1e-9);
    EXPECT_NEAR(Left.Maximum(), 100 - 80 / 2.8, 1e-9);
    const double Unit = (Auto.second - Auto.first) / 500;
    EXPECT_NEAR(Bottom.Minimum(), Auto.first + 50 * Unit, 1e-9);
    EXPECT_NEAR(Bottom.Maximum(), Auto.first + 67 * Unit, 1e-9);
    Chart.Frame();
    Drag({{300, 100}, {200, 200}});
    EXPECT_EQ(Undos, 1);
    EXPECT_FALSE(Chart.Zoomed());
    EXPECT_EQ(Bottom.Automatic(), Before);
    EXPECT_EQ(Range(Left), std::pair(0.0, 100.0));
}

TEST_F(ChartZoomTest, AOneWayZoomSpansTheOtherWayAndNoZoomShowsNoRectangle)
{
    // The rectangle shows in the zoom pen's colour over the back colour.
    Chart.SetBackColor(clYellow);
    Left.Grid().SetVisible(false);
    Bottom.Grid().SetVisible(false);
    Chart.Frame();
    const QImage Shown = Chart.PlotCanvas().Bitmap()->Image().copy();
    Chart.Zoom().Direction = tzdHorizontal;
    Chart.MouseDown(mbLeft, ssLeft, 100, 100);
    EXPECT_EQ(std::pair(Chart.Zoom().Y0, Chart.Zoom().Y1), std::pair(20, 300));
    Chart.MouseMove(ssLeft, 200, 250);
    EXPECT_EQ(Chart.Zoom().Y1, 300);
    const QImage During = Chart.PlotCanvas().Bitmap()->Image().copy();
    EXPECT_EQ(During.pixel(150, 100), qRgb(255, 255, 0)) << "the brush is clear";
    EXPECT_EQ(During.pixel(199, 100), qRgb(255, 255, 255)) << "the right edge, over the wall";
    EXPECT_NE(During.pixel(150, 20), Shown.pixel(150, 20)) << "the top edge";
    Chart.MouseUp(mbLeft, 0, 200, 250);
    EXPECT_EQ(Chart.PlotCanvas().Bitmap()->Image(), Shown) << "erased";
    EXPECT_EQ(Range(Bottom), std::pair(110.0, 130.0));
    EXPECT_EQ(Range(Left), std::pair(0.0, 100.0));

    TMouseChart Plain;
    Plain.Chart.SetAllowZoom(false);
    const QImage Before = Plain.Chart.PlotCanvas().Bitmap()->Image().copy();
    Plain.Chart.MouseDown(mbLeft, ssLeft, 100, 100);
    Plain.Chart.MouseMove(ssLeft, 200, 200);
    EXPECT_EQ(Plain.Chart.PlotCanvas().Bitmap()->Image(), Before);
    EXPECT_FALSE(Plain.Chart.Zoom().Active);
}

TEST_F(ChartZoomTest, UndoAfterAPanRestoresTheScalesByAxis)
{
    Chart.SetAllowZoom(false);
    Chart.SetScrollMouseButton(mbLeft);
    Left.SetAutomatic(true);
    Chart.Frame();
    TChartAxis& Gone = Chart.CustomAxes().Add(false, true);
    Gone.SetMinMax(1, 2);
    Drag({{300, 160}, {310, 146}});
    ASSERT_FALSE(Chart.RestoredAxisScales());
    EXPECT_FALSE(Left.Automatic());
    Chart.CustomAxes().Delete(0);
    TChartAxis& Added = Chart.CustomAxes().Add(false, true);
    Added.SetMinMax(5, 6);
    // A saved minimum above the current maximum: no range check may refuse it.
    Bottom.SetMinMax(-50, -40);
    Chart.UndoZoom();
    EXPECT_TRUE(Chart.RestoredAxisScales());
    EXPECT_EQ(Range(Bottom), std::pair(100.0, 200.0));
    EXPECT_FALSE(Bottom.Automatic());
    EXPECT_TRUE(Left.Automatic());
    EXPECT_TRUE(Left.AutomaticMinimum());
    EXPECT_EQ(Range(Added), std::pair(5.0, 6.0)) << "added since: kept";
    Chart.UndoZoom();
    EXPECT_EQ(Range(Bottom), std::pair(100.0, 200.0)) << "nothing saved: nothing restored";
}

TEST_F(ChartZoomTest, OneWheelNotchScrollsTheVerticalAxesOnlyWhereVerticalPanningIs)
{
    struct TCase {
        TPanningMode Mode;
        std::vector<int> Deltas;
        std::pair<double, double> Left;
    };
    const TCase Cases[] = {
        {pmVertical, {-120}, {3, 103}},     {pmBoth, {120}, {-3, 97}},
        {pmVertical, {-60, -60}, {3, 103}}, {pmVertical, {-60, 50}, {0, 100}},
        {pmVertical, {-240}, {6, 106}},     {pmHorizontal, {-120}, {0, 100}},
    };
    for (const TCase& C : Cases) {
        TMouseChart M;
        M.Chart.SetAllowPanning(C.Mode);
        for (int D : C.Deltas)
            M.Chart.DoMouseWheel(0, D, 300, 160);
        EXPECT_NEAR(M.Left.Minimum(), C.Left.first, 1e-9) << C.Mode << " " << C.Deltas.size();
        EXPECT_NEAR(M.Left.Maximum(), C.Left.second, 1e-9) << C.Mode << " " << C.Deltas.size();
        EXPECT_EQ(Range(M.Bottom), std::pair(100.0, 200.0));
    }
    TMouseChart Vetoed;
    Vetoed.Chart.SetAllowPanning(pmVertical);
    Vetoed.Chart.OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
    Vetoed.Chart.DoMouseWheel(0, -120, 300, 160);
    EXPECT_EQ(Range(Vetoed.Left), std::pair(0.0, 100.0));
}

TEST_F(ChartZoomTest, AnAnimatedZoomShowsEachStepAThirdCloser)
{
    std::vector<double> Shown;
    QWidget Window;
    TPlotPanelWidget Host(Chart, &Window);
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    Chart.Zoom().Animated = true;
    Chart.Zoom().AnimatedSteps = 4;
    Chart.OnAfterDraw = [&](TCustomPlotPanelExtended*) { Shown.push_back(Left.Maximum()); };
    Chart.DoZoom(0, 1, 100, 200, 0, 10, 0, 1);
    // 100 -> 10 a third at a time, each step painted: 70, 50, 36.67.
    ASSERT_EQ(Shown.size(), 3u);
    EXPECT_DOUBLE_EQ(Shown[0], 70);
    EXPECT_DOUBLE_EQ(Shown[1], 50);
    EXPECT_NEAR(Shown[2], 36.6667, 1e-4);
    EXPECT_EQ(Range(Left), std::pair(0.0, 10.0));
}

} // namespace
