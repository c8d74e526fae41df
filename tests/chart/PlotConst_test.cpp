#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/PlotCanvasTypes.h"
#include "chart/PlotConst.h"
#include "chart/PlotProCo.h"
#include "platform/SysUtils.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Whatever a test translated is put back, as the program's start-up has it.
struct PlotConstTest : testing::Test {
    void TearDown() override
    {
        PlotSetConstants();
        PlotSetProConstants();
        PlotDefaultFont();
    }
};

std::string RaisedBy(const std::function<void()>& Call)
{
    try {
        Call();
    } catch (const std::exception& E) {
        return E.what();
    }
    return "nothing raised";
}

TEST_F(PlotConstTest, TextsAreTheSystemsOwn)
{
    EXPECT_EQ(PlotMsg_AxisIncrementNeg, "Axis increment must be >= 0");
    EXPECT_EQ(PlotMsg_CheckPointerSize, "Pointer size must be greater than zero");
    EXPECT_EQ(PlotMsg_DefaultPercentOf2, "%s\rof %s");
    EXPECT_EQ(PlotMsg_DefLogValueFormat, "#.0 \"x10\" E+0");
    EXPECT_EQ(PlotMsg_ThemeWinXP, "Win. XP");
    EXPECT_EQ(PlotMsg_ValuesClose, "Close");
    EXPECT_EQ(FormatFloat(PlotMsg_DefValueFormat, 1234567.8915), "1,234,567.892");
    EXPECT_EQ(Format(PlotMsg_SeriesDelete, 7, 5),
              "Series Delete: ValueIndex 7 out of bounds (0 to 5).");
}

TEST_F(PlotConstTest, RaisersAndDefaultsReadTheTableAtTheMomentOfUse)
{
    TChartAxis Axis(nullptr, true, false);
    PlotMsg_AxisIncrementNeg = "Schrittweite muss >= 0 sein";
    EXPECT_EQ(RaisedBy([&] { Axis.SetDesiredIncrement(-1); }), "Schrittweite muss >= 0 sein");
    PlotMsg_DefValueFormat = "0.0";
    PlotMsg_ValuesX = "Zeit";
    PlotMsg_DefaultFontName = "DejaVu Sans";
    PlotMsg_DefaultFontSize = "11";
    PlotDefaultFont();
    TChartSeries Series;
    EXPECT_EQ(Series.ValueFormat(), "0.0");
    EXPECT_EQ(Series.XValues().Name(), "Zeit");
    EXPECT_EQ(TPlotFont().Name(), "DejaVu Sans");
    EXPECT_EQ(TPlotFont().Size(), 11);

    PlotSetConstants();
    EXPECT_EQ(RaisedBy([&] { Axis.SetDesiredIncrement(-1); }), "Axis increment must be >= 0");
    EXPECT_EQ(TChartSeries().ValueFormat(), "#,##0.###");
    PlotMsg_DefaultFontSize = "big";
    PlotDefaultFont();
    EXPECT_EQ(GetDefaultFontSize, 11) << "a size that is not a number keeps the current one";
}

} // namespace
