#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/PlotConst.h"
#include "chart/PlotProCo.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotConst, TextsAreReadAtTheMomentOfUseAndRestoredWhole)
{
    EXPECT_EQ(PlotMsg_DefaultPercentOf2, "%s\rof %s");
    EXPECT_EQ(PlotMsg_DefLogValueFormat, "#.0 \"x10\" E+0");
    TChartAxis axis(nullptr, true, false);
    PlotMsg_AxisIncrementNeg = "Schrittweite muss >= 0 sein";
    PlotMsg_DefValueFormat = "0.0";
    PlotMsg_ValuesX = "Zeit";
    PlotMsg_DefaultFontName = "DejaVu Sans";
    PlotMsg_ValuesClose = "Schluss";
    PlotDefaultFont();
    EXPECT_THROW(
        try { axis.SetDesiredIncrement(-1); } catch (const AxisException& E) {
            EXPECT_STREQ(E.what(), "Schrittweite muss >= 0 sein");
            throw;
        },
        AxisException);
    TChartSeries series;
    EXPECT_EQ(series.ValueFormat(), "0.0");
    EXPECT_EQ(series.XValues().Name(), "Zeit");
    EXPECT_EQ(TPlotFont().Name(), "DejaVu Sans");

    PlotSetConstants();
    PlotSetProConstants();
    PlotDefaultFont();
    EXPECT_EQ(TChartSeries().ValueFormat(), "#,##0.###");
    EXPECT_EQ(PlotMsg_ValuesX, "X");
    EXPECT_EQ(PlotMsg_ValuesClose, "Close");
    EXPECT_EQ(TPlotFont().Name(), "Arial");
}

} // namespace
