#include "chart/panel/ChartFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace chart_test;

struct ChartMouseTest : testing::Test, TMouseChart {};

TEST_F(ChartMouseTest, ClickedPartFirstMatchWins)
{
    Box.Marks().SetVisible(true);
    Chart.SubFoot().SetCaption("Sub foot");
    Chart.SubFoot().SetLeft(300);
    Chart.SubFoot().SetTop(330);
    TChartLegend& L = Chart.Legend();
    L.SetVisible(true);
    L.SetResizeChart(false);
    Chart.Frame();
    const TRect Mark = Box.Marks().Positions().At(0)->Bounds();
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
        {"2 px above the bottom axis", 200, 298, cpAxis, -1},
        {"4 px above it", 200, 296, cpChartRect, -1},
        {"the left axis' title", 8, 150, cpAxisTitle, -1},
        {"the legend's row", L.ShapeBounds.Left + 4, L.Items()[0].Top + 2, cpLegend, 0},
        {"the sub foot", Sub.Left + 2, Sub.Top + 2, cpSubFoot, -1},
        {"the margin", 580, 100, cpNone, -1},
    };
    for (const TCase& C : Cases) {
        const TChartClickedPart P = Chart.CalcClickedPart({C.X, C.Y});
        EXPECT_EQ(P.Part, C.Part) << C.Name;
        EXPECT_EQ(P.PointIndex, C.PointIndex) << C.Name;
        const bool OnAxis = C.Part == cpAxis || C.Part == cpAxisTitle;
        EXPECT_EQ(P.AAxis, !OnAxis ? nullptr : C.X < 55 ? &Left : &Bottom) << C.Name;
    }
    EXPECT_EQ(Chart.CalcNeedClickedPart({301, 159}, true).Part, cpChartRect)
        << "nobody listens to the series' clicks";
    Left.SetLabels(false);
    EXPECT_EQ(Chart.CalcClickedPart({50, 200}).Part, cpChartRect) << "no labels: never hit";
}

TEST_F(ChartMouseTest, EachPartRaisesItsEventAndAnUntakenClickPansOrReachesTheBackground)
{
    Chart.SetScrollMouseButton(mbLeft);
    Chart.SetAllowZoom(false);
    struct TCase {
        const char* Name;
        int X, Y;
        TShiftState Shift;
        bool LetThrough; // the chart's part event clears CancelMouse
        const char* Events;
        bool Pans;
    };
    const TCase Cases[] = {
        {"point taken by the chart's event", 300, 160, 0, false, "down series chart", false},
        {"point let through", 300, 160, 0, true, "down series chart", true},
        {"double click", 300, 160, ssDouble, false, "down double chart", false},
        {"axis let through", 45, 200, 0, true, "down axis", true},
        {"background let through: a pan, no second event", 100, 100, 0, true, "down background",
         true},
        {"axis title: no event of its own, no pan", 8, 150, 0, true, "down background", false},
    };
    for (const TCase& C : Cases) {
        std::string Got;
        auto Note = [&](const char* What, bool Take) {
            Got += Got.empty() ? What : std::string(" ") + What;
            if (Take)
                Chart.SetCancelMouse(!C.LetThrough);
        };
        Chart.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { Note("down", false); };
        Box.OnClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
            Note("series", false);
        };
        Box.OnDblClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
            Note("double", false);
        };
        Chart.OnClickSeries = [&](TCustomChart*, TChartSeries* S, int I, TMouseButton, TShiftState,
                                  int, int) { Note(S == &Box && I == 0 ? "chart" : "?", true); };
        Chart.OnClickAxis = [&](TCustomChart*, TChartAxis* A, TMouseButton, TShiftState, int, int) {
            Note(A == &Left ? "axis" : "?", true);
        };
        Chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
            Note("background", true);
        };
        Chart.MouseDown(mbLeft, ssLeft | C.Shift, C.X, C.Y);
        EXPECT_EQ(Got, C.Events) << C.Name;
        EXPECT_EQ(Chart.Panning().Active, C.Pans) << C.Name;
        Chart.MouseUp(mbLeft, 0, C.X, C.Y);
        EXPECT_FALSE(Chart.Panning().Active) << C.Name;
    }
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
    EXPECT_TRUE(Chart.Panning().Active) << "the click was not taken";
    Chart.MouseUp(mbLeft, 0, 350, 160);

    // Another series' handler removes a series listed before the clicked one.
    TBoxSeries Second;
    Second.SetParentChart(&Chart);
    Second.AddXY(170, 50); // at (400, 160)
    Second.OnClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {
        Box.SetParentChart(nullptr);
    };
    Chart.MouseDown(mbLeft, ssLeft, 400, 160);
    EXPECT_EQ(Seen, std::vector<TChartSeries*>{&Second});
    EXPECT_EQ(Chart.SeriesCount(), 1);
}

} // namespace
