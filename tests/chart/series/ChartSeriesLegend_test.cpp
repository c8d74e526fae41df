#include "chart/axes/ChartAxisParts.h"
#include "chart/series/SeriesDoubles.h"

using namespace series_test;

namespace {

// Two points making up 100: "Up" 25 at X 10 with a label, 75 at X 20 without.
struct SeriesLegendTest : testing::Test {
    TChartSeries S;
    SeriesLegendTest()
    {
        S.AddXY(10, 25, "Up");
        S.AddXY(20, 75);
    }
};

TEST_F(SeriesLegendTest, RowTextsFollowTheTextStyleAndSkipEmptyColumns)
{
    struct Case {
        TLegendTextStyle Style;
        const char* Labelled;
        const char* Unlabelled;
    };
    // "|" stands for the column separator.
    const Case Cases[] = {
        {ltsPlain, "Up", "75"},
        {ltsLeftValue, "25|Up", "75"},
        {ltsRightValue, "Up|25", "75"},
        {ltsLeftPercent, "25 %|Up", "75 %"},
        {ltsRightPercent, "Up|25 %", "75 %"},
        {ltsXValue, "10", "20"},
        {ltsValue, "25", "75"},
        {ltsPercent, "25 %", "75 %"},
        {ltsXAndValue, "10|25", "20|75"},
        {ltsXAndPercent, "10|25 %", "20|75 %"},
    };
    const auto Columns = [](std::string Text) {
        std::replace(Text.begin(), Text.end(), '|', PlotColumnSeparator);
        return Text;
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(S.LegendString(0, C.Style), Columns(C.Labelled)) << int(C.Style);
        EXPECT_EQ(S.LegendString(1, C.Style), Columns(C.Unlabelled)) << int(C.Style);
        EXPECT_EQ(S.LegendString(2, C.Style), "") << "no such row";
        EXPECT_EQ(S.LegendString(-1, C.Style), "");
    }
    S.SetValueColor(1, clLime);
    EXPECT_EQ(S.CountLegendItems(), 2);
    EXPECT_EQ(S.LegendItemColor(1), clLime);
    EXPECT_EQ(S.GetOriginValue(1), 75);
}

TEST_F(SeriesLegendTest, AClickRaisesTheHandlerOfItsKindOnly)
{
    std::vector<std::string> Raised;
    const auto Record = [&](const char* Kind) {
        return
            [&Raised, Kind](TChartSeries*, int32_t Index, TMouseButton, TShiftState, int X, int Y) {
                Raised.push_back(Kind + std::to_string(Index) + "@" + std::to_string(X) + "," +
                                 std::to_string(Y));
            };
    };
    EXPECT_FALSE(S.HasClickHandlers());
    EXPECT_FALSE(S.RaiseClicked(0, mbLeft, ssLeft, 1, 2));
    S.OnDblClick = Record("double ");
    EXPECT_TRUE(S.HasClickHandlers());
    EXPECT_FALSE(S.RaiseClicked(0, mbLeft, ssLeft, 1, 2)) << "a single click has no handler";
    EXPECT_TRUE(S.RaiseClicked(1, mbLeft, ssLeft | ssDouble, 3, 4));
    S.OnClick = Record("single ");
    EXPECT_TRUE(S.RaiseClicked(0, mbRight, ssRight, 5, 6));
    EXPECT_EQ(Raised, (std::vector<std::string>{"double 1@3,4", "single 0@5,6"}));
}

} // namespace
