#include "ChartFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace chart_test;

struct ChartMouseTest : testing::Test, TMouseChart {};

TEST_F(ChartMouseTest, ClickedPartFirstMatchWins)
{
    Box.Marks().SetVisible(true);
    Chart.Title().SetCaption("Title");
    Chart.Title().SetLeft(300);
    Chart.Title().SetTop(2);
    Chart.SubFoot().SetCaption("Sub foot");
    Chart.SubFoot().SetLeft(300);
    Chart.SubFoot().SetTop(330);
    TChartLegend& L = Chart.Legend();
    L.SetVisible(true);
    L.SetResizeChart(false);
    Chart.Frame();
    const TRect Mark = Box.Marks().Positions().At(0)->Bounds();
    const TRect Legend = L.ShapeBounds;
    const TRect Sub = Chart.SubFoot().ShapeBounds;
    struct TCase {
        const char* Name;
        int X, Y;
        TChartClickedPartStyle Part;
        int PointIndex;
    };
    const TCase Cases[] = {
        {"the point", 301, 159, cpSeries, 0},
        {"its mark", (Mark.Left + Mark.Right) / 2, (Mark.Top + Mark.Bottom) / 2, cpSeriesMarks, 0},
        {"2 px from the left axis, away from its labels", 52, 200, cpAxis, -1},
        {"4 px from it", 54, 200, cpChartRect, -1},
        {"in the left axis' labels", 45, 200, cpAxis, -1},
        {"2 px above the bottom axis", 200, 298, cpAxis, -1},
        {"4 px above it", 200, 296, cpChartRect, -1},
        {"the left axis' title", 8, 150, cpAxisTitle, -1},
        {"the legend's row", Legend.Left + 4, L.Items()[0].Top + 2, cpLegend, 0},
        {"the legend's frame", Legend.Left + 1, Legend.Top + 1, cpLegend, -1},
        {"the title", Chart.Title().ShapeBounds.Left + 2, 4, cpTitle, -1},
        {"the sub foot", Sub.Left + 2, Sub.Top + 2, cpSubFoot, -1},
        {"the chart", 100, 100, cpChartRect, -1},
        {"the margin", 580, 100, cpNone, -1},
    };
    for (const TCase& C : Cases) {
        const TChartClickedPart P = Chart.CalcClickedPart({C.X, C.Y});
        EXPECT_EQ(P.Part, C.Part) << C.Name;
        EXPECT_EQ(P.PointIndex, C.PointIndex) << C.Name;
        const bool OnSeries = C.Part == cpSeries || C.Part == cpSeriesMarks;
        EXPECT_EQ(P.ASeries, OnSeries ? &Box : nullptr) << C.Name;
        const bool OnAxis = C.Part == cpAxis || C.Part == cpAxisTitle;
        EXPECT_EQ(P.AAxis, !OnAxis ? nullptr : C.X < 55 ? &Left : &Bottom) << C.Name;
    }
    EXPECT_EQ(Chart.CalcNeedClickedPart({301, 159}, true).Part, cpChartRect)
        << "nobody listens to the series' clicks";
    L.SetCustomPosition(true);
    EXPECT_EQ(Chart.CalcClickedPart({Legend.Left + 4, L.Items()[0].Top + 2}).Part, cpLegend);
    Left.SetLabels(false);
    EXPECT_EQ(Chart.CalcClickedPart({50, 200}).Part, cpChartRect) << "no labels: never hit";
    Box.SetActive(false);
    EXPECT_EQ(Chart.CalcClickedPart({100, 100}).Part, cpNone) << "no series on the axes";
}

TEST_F(ChartMouseTest, EachPartRaisesItsEventAndAnUntakenClickPansOrReachesTheBackground)
{
    std::vector<std::string> Got;
    Chart.SetScrollMouseButton(mbLeft);
    Chart.SetAllowZoom(false);
    struct TCase {
        const char* Name;
        int X, Y;
        TShiftState Shift;
        bool LetThrough; // the chart's part event clears CancelMouse
        std::vector<std::string> Events;
        bool Pans;
    };
    const TCase Cases[] = {
        {"point taken by the chart's event",
         300,
         160,
         0,
         false,
         {"down", "series", "chart series"},
         false},
        {"point let through", 300, 160, 0, true, {"down", "series", "chart series"}, true},
        {"double click",
         300,
         160,
         ssDouble,
         false,
         {"down", "series double", "chart series"},
         false},
        {"axis let through", 45, 200, 0, true, {"down", "axis"}, true},
        {"background taken", 100, 100, 0, false, {"down", "background"}, false},
        {"background let through: a pan, no second event",
         100,
         100,
         0,
         true,
         {"down", "background"},
         true},
        {"axis title: no event of its own", 8, 150, 0, false, {"down", "background"}, false},
    };
    for (const TCase& C : Cases) {
        Got.clear();
        Chart.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { Got.push_back("down"); };
        Box.OnClick = [&](TChartSeries*, int32_t I, TMouseButton, TShiftState, int, int) {
            Got.push_back(I == 0 ? "series" : "wrong point");
        };
        Box.OnDblClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
            Got.push_back("series double");
        };
        Chart.OnClickSeries = [&](TCustomChart*, TChartSeries* S, int I, TMouseButton, TShiftState,
                                  int, int) {
            Got.push_back(S == &Box && I == 0 ? "chart series" : "wrong series");
            Chart.SetCancelMouse(!C.LetThrough);
        };
        Chart.OnClickAxis = [&](TCustomChart*, TChartAxis* A, TMouseButton, TShiftState, int, int) {
            Got.push_back(A == &Left ? "axis" : "wrong axis");
            Chart.SetCancelMouse(!C.LetThrough);
        };
        Chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
            Got.push_back("background");
            Chart.SetCancelMouse(!C.LetThrough);
        };
        Chart.MouseDown(mbLeft, ssLeft | C.Shift, C.X, C.Y);
        EXPECT_EQ(Got, C.Events) << C.Name;
        EXPECT_EQ(Chart.Panning().Active, C.Pans) << C.Name;
        EXPECT_FALSE(Chart.CancelMouse()) << C.Name;
        Chart.MouseUp(mbLeft, 0, C.X, C.Y);
        EXPECT_FALSE(Chart.Panning().Active) << C.Name;
    }
    Got.clear();
    Chart.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { Chart.SetCancelMouse(true); };
    Chart.MouseDown(mbLeft, ssLeft, 300, 160);
    EXPECT_TRUE(Got.empty()) << "a handler that cancels the press stops the rest";
    EXPECT_FALSE(Chart.Panning().Active);
}

TEST_F(ChartMouseTest, AClickHandlerMayFreeItsSeries)
{
    Chart.SetScrollMouseButton(mbLeft);
    auto Indicator = std::make_unique<TBoxSeries>();
    Indicator->SetParentChart(&Chart);
    Indicator->AddXY(160, 50); // at (350, 160)
    Chart.Frame();
    std::vector<TChartSeries*> Seen;
    // The indicator menu's Delete: the series goes while its own handler runs.
    Indicator->OnDblClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
        Indicator.reset();
    };
    Chart.OnClickSeries = [&](TCustomChart*, TChartSeries* S, int, TMouseButton, TShiftState, int,
                              int) { Seen.push_back(S); };
    Chart.MouseDown(mbLeft, ssLeft | ssDouble, 350, 160);
    EXPECT_EQ(Indicator, nullptr);
    EXPECT_TRUE(Seen.empty()) << "the chart's event never sees the freed series";
    EXPECT_EQ(Chart.SeriesCount(), 1);
    EXPECT_TRUE(Chart.Panning().Active) << "the click was not taken";
    Chart.MouseUp(mbLeft, 0, 350, 160);

    // Another series' handler removes a series listed before the clicked one.
    TBoxSeries Second;
    Second.SetParentChart(&Chart);
    Second.AddXY(170, 50); // at (400, 160)
    Second.OnClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
        Box.SetParentChart(nullptr);
        Chart.SetCancelMouse(true);
    };
    Chart.MouseDown(mbLeft, ssLeft, 400, 160);
    EXPECT_EQ(Seen, std::vector<TChartSeries*>{&Second});
    EXPECT_EQ(Chart.SeriesCount(), 1);
}

TEST_F(ChartMouseTest, LegendCheckBoxesTakeTheClick)
{
    Chart.SetScrollMouseButton(mbLeft);
    TChartLegend& L = Chart.Legend();
    L.SetVisible(true);
    L.SetCheckBoxes(true);
    L.SetResizeChart(false);
    Chart.Frame();
    const int X = L.ShapeBounds.Left + 4, Y = L.Items()[0].Top + 2;
    Chart.MouseDown(mbLeft, ssLeft, X, Y);
    EXPECT_FALSE(Box.Active());
    EXPECT_FALSE(Chart.Panning().Active);
    int Legend = 0;
    Chart.OnClickLegend = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
        ++Legend;
        Chart.SetCancelMouse(false);
    };
    int Background = 0;
    Chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
        ++Background;
    };
    Chart.MouseDown(mbLeft, ssLeft, X, Y);
    EXPECT_TRUE(Box.Active());
    EXPECT_EQ(std::pair(Legend, Background), std::pair(1, 1)) << "let through to the background";
}

TEST_F(ChartMouseTest, HoverSetsTheSeriesCursorAndLeavingPutsTheOriginalBack)
{
    Box.SetCursor(Qt::PointingHandCursor);
    Chart.MouseMove(0, 300, 160);
    EXPECT_EQ(Chart.Cursor(), Qt::PointingHandCursor);
    Chart.MouseMove(0, 100, 100);
    EXPECT_EQ(Chart.Cursor(), Qt::ArrowCursor);
    Box.SetCursor(crPlotHand);
    PlotRegisterCursors();
    Chart.MouseMove(0, 300, 160);
    EXPECT_EQ(Chart.Cursor(), Qt::PointingHandCursor) << "the chart's own hand";
    Chart.MouseLeave();
    EXPECT_EQ(Chart.Cursor(), Qt::ArrowCursor);
    PlotUnregisterCursors();
}

} // namespace
