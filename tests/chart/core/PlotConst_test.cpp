#include "chart/axes/ChartAxis.h"
#include "chart/chart/PlotStartup.h"
#include "chart/core/PlotConst.h"
#include "chart/core/PlotProCo.h"
#include "chart/series/ChartSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

#define PLOT_VARIABLE_OF(Name, Text) &PlotConst::Name,
const std::vector<std::string*> ConstVariables = [] {
    std::vector<std::string*> Variables = {PLOT_CONST_TEXTS(PLOT_VARIABLE_OF)};
    Variables.insert(Variables.end(),
                     {&PlotConst::PlotMsg_InvalidPlotFile, &PlotConst::PlotMsg_WrongPlotFileFormat,
                      &PlotConst::PlotMsg_EmptyPlotFile});
    return Variables;
}();
#undef PLOT_VARIABLE_OF
#define PLOT_VARIABLE_OF(Name, Text) &PlotProCo::Name,
const std::vector<std::string*> ProVariables = {PLOT_PROCO_TEXTS(PLOT_VARIABLE_OF)};
#undef PLOT_VARIABLE_OF

int CountEmpty(const std::vector<std::string*>& Variables)
{
    return int(std::count_if(Variables.begin(), Variables.end(),
                             [](const std::string* V) { return V->empty(); }));
}

template <class E, class F> std::string MessageOf(F Call)
{
    try {
        Call();
    } catch (const E& Error) {
        return Error.what();
    }
    return "(nothing raised)";
}

TEST(PlotConst, TheStartSetsEveryTextOnceAndTheStopEmptiesThem)
{
    ASSERT_EQ(ConstVariables.size(), 342u);
    ASSERT_EQ(ProVariables.size(), 333u);
    EXPECT_EQ(CountEmpty(ConstVariables), 342) << "nothing before the start";
    EXPECT_EQ(CountEmpty(ProVariables), 333);

    PlotEngineStartup();
    EXPECT_EQ(CountEmpty(ConstVariables), 0);
    EXPECT_EQ(CountEmpty(ProVariables), 0);
    // The file texts are composed from the chart files' extension.
    EXPECT_EQ(PlotConst::PlotMsg_InvalidPlotFile + "|" + PlotConst::PlotMsg_WrongPlotFileFormat +
                  "|" + PlotConst::PlotMsg_EmptyPlotFile,
              "Invalid Chart in *.tvc file|Wrong *.tvc file format|Empty *.tvc file");
    // The names both tables hold are two variables, one per table.
    EXPECT_NE(&PlotConst::PlotMsg_Edit, &PlotProCo::PlotMsg_Edit);
    EXPECT_NE(PlotConst::PlotMsg_PeriodRange, PlotProCo::PlotMsg_PeriodRange);

    // A second start keeps a translation made after the first.
    PlotConst::PlotMsg_Legend = "Legende";
    PlotEngineStartup();
    EXPECT_EQ(PlotConst::PlotMsg_Legend, "Legende");
    PlotSetConstants();
    EXPECT_EQ(PlotConst::PlotMsg_Legend, "Legend");

    PlotEngineShutdown();
    EXPECT_EQ(CountEmpty(ConstVariables), 342);
    EXPECT_EQ(CountEmpty(ProVariables), 333);
    PlotEngineStartup();
    EXPECT_EQ(PlotConst::PlotMsg_Legend, "Legend") << "started again after a stop";
    PlotEngineShutdown();
}

TEST(PlotConst, TextsAreReadAtTheMomentOfUse)
{
    PlotEngineStartup();
    TChartAxis Axis(nullptr, true, false);
    PlotConst::PlotMsg_AxisIncrementNeg = "Schrittweite muss >= 0 sein";
    PlotConst::PlotMsg_FunctionPeriod = "Periode muss >= 0 sein";
    PlotConst::PlotMsg_DefValueFormat = "0.0";
    PlotConst::PlotMsg_ValuesX = "Zeit";
    PlotConst::PlotMsg_DefaultFontName = "DejaVu Sans";
    PlotDefaultFont();
    EXPECT_EQ(MessageOf<AxisException>([&] { Axis.SetDesiredIncrement(-1); }),
              "Schrittweite muss >= 0 sein");
    TPlotMovingFunction Function;
    EXPECT_EQ(MessageOf<ChartException>([&] { Function.SetPeriod(-1); }), "Periode muss >= 0 sein");
    TChartSeries Series;
    EXPECT_EQ(Series.ValueFormat(), "0.0");
    EXPECT_EQ(Series.XValues().Name(), "Zeit");
    EXPECT_EQ(TPlotFont().Name(), "DejaVu Sans");

    PlotSetConstants();
    PlotDefaultFont();
    EXPECT_EQ(TChartSeries().ValueFormat(), "#,##0.###");
    EXPECT_EQ(MessageOf<ChartException>([&] { Function.SetPeriod(-1); }),
              "Function Period should be >= 0");
    EXPECT_EQ(TPlotFont().Name(), "Arial");
    PlotEngineShutdown();
}

} // namespace
