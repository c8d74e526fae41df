#include "chart/panel/ChartFixture.h"

#include <initializer_list>
#include <vector>

namespace {

using namespace chart_test;

struct ChartZoomTest : testing::Test, TMouseChart {
    // A drag with the left button, one move per point after the first.
    void Drag(std::initializer_list<TPoint> Points)
    {
        const TPoint* P = Points.begin();
        Chart.MouseDown(mbLeft, ssLeft, P->X, P->Y);
        while (++P != Points.end())
            Chart.MouseMove(ssLeft, P->X, P->Y);
        --P;
        Chart.MouseUp(mbLeft, 0, P->X, P->Y);
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

    // A vetoed step moves the pan on all the same; leaving the chart ends it.
    Chart.SetAllowPanning(pmHorizontal);
    Bottom.SetMinMax(100, 200);
    Scrolls = 0;
    Chart.OnAllowScroll = [&](TChartAxis*, double&, double& Max, bool& Allow) {
        Allow = Scrolls > 0;
        Max += 1;
    };
    Drag({{300, 160}, {310, 160}, {315, 160}, {560, 160}, {320, 160}});
    EXPECT_EQ(Range(Bottom), std::pair(99.0, 200.0)) << "from the last point, not the press";
    EXPECT_EQ(Scrolls, 2);
}

TEST_F(ChartZoomTest, ZoomNeedsMoreThanTheMinimumPixelsAndALeftDragUndoes)
{
    Box.AddXY(250, 60);
    Bottom.SetAutomatic(true);
    Chart.Frame();
    const std::pair<double, double> Auto = Range(Bottom);
    const QImage Shown = Chart.PlotCanvas().Bitmap()->Image().copy();
    int Zooms = 0, Undos = 0;
    Chart.OnZoom = [&](TCustomPlotPanelExtended*) { ++Zooms; };
    Chart.OnUndoZoom = [&](TCustomPlotPanelExtended*) { ++Undos; };
    Drag({{100, 100}, {116, 116}});
    EXPECT_EQ(Zooms, 0) << "16 pixels: too small";
    EXPECT_EQ(Chart.PlotCanvas().Bitmap()->Image(), Shown) << "the rectangle erased";
    Drag({{100, 100}, {117, 117}});
    EXPECT_EQ(Zooms, 1);
    EXPECT_TRUE(Chart.Zoomed());
    EXPECT_FALSE(Bottom.Automatic());
    const double Unit = (Auto.second - Auto.first) / 500;
    EXPECT_NEAR(Bottom.Minimum(), Auto.first + 50 * Unit, 1e-9);
    EXPECT_NEAR(Bottom.Maximum(), Auto.first + 67 * Unit, 1e-9);
    EXPECT_NEAR(Left.Minimum(), 100 - 97 / 2.8, 1e-9);
    EXPECT_NEAR(Left.Maximum(), 100 - 80 / 2.8, 1e-9);
    Drag({{300, 100}, {200, 200}});
    EXPECT_EQ(Undos, 1);
    EXPECT_FALSE(Chart.Zoomed());
    EXPECT_TRUE(Bottom.Automatic());
    EXPECT_EQ(Range(Left), std::pair(0.0, 100.0));

    TMouseChart Off;
    Off.Chart.SetAllowZoom(false);
    const QImage Before = Off.Chart.PlotCanvas().Bitmap()->Image().copy();
    Off.Chart.MouseDown(mbLeft, ssLeft, 100, 100);
    Off.Chart.MouseMove(ssLeft, 200, 200);
    EXPECT_EQ(Off.Chart.PlotCanvas().Bitmap()->Image(), Before) << "no zoom: no rectangle";
}

TEST_F(ChartZoomTest, UndoAfterAPanRestoresTheScalesByAxis)
{
    Chart.SetAllowZoom(false);
    Chart.SetScrollMouseButton(mbLeft);
    Left.SetAutomatic(true);
    Chart.Frame();
    Chart.CustomAxes().Add(false, true).SetMinMax(1, 2);
    Drag({{300, 160}, {310, 146}});
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
}

TEST_F(ChartZoomTest, OneWheelNotchScrollsTheVerticalAxesOnlyWhereVerticalPanningIs)
{
    struct TCase {
        TPanningMode Mode;
        std::vector<int> Deltas; // negative: towards the user
        std::pair<double, double> Left;
    };
    const TCase Cases[] = {
        {pmVertical, {-120}, {3, 103}},
        {pmBoth, {60, 60}, {-3, 97}},
        {pmVertical, {-60, 50}, {0, 100}},
        {pmHorizontal, {-120}, {0, 100}},
    };
    for (const TCase& C : Cases) {
        TMouseChart M;
        M.Chart.SetAllowPanning(C.Mode);
        for (int D : C.Deltas)
            M.Chart.DoMouseWheel(0, D, 300, 160);
        EXPECT_EQ(Range(M.Left), C.Left) << C.Mode << " " << C.Deltas.size();
        EXPECT_EQ(Range(M.Bottom), std::pair(100.0, 200.0));
    }
}

} // namespace
