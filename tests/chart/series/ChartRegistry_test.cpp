#include "chart/chart/ChartPalettes.h"
#include "chart/core/PlotConst.h"
#include "chart/core/PlotProCo.h"
#include "chart/panel/ChartFixture.h"
#include "chart/series/ChartRegistry.h"

#include <string>
#include <vector>

namespace {

using namespace chart_test;

class TTestFunction : public TPlotFunction {};

std::vector<std::string> Gallery()
{
    std::vector<std::string> Rows;
    for (int I = 0; I < PlotSeriesTypes().Count(); ++I) {
        const TPlotSeriesType& T = PlotSeriesTypes().Items(I);
        Rows.push_back(*T.GalleryPage + "/" + *T.Description);
    }
    return Rows;
}

TEST(ChartRegistry, TheStartRegistersTheSeriesKindsAndTheStopForgetsThem)
{
    const std::vector<std::string> Started = {
        "Standard/Line",    "Standard/Point",   "Standard/Fast Line",
        "Standard/Bubble",  "Financial/Candle", "Financial/Volume",
        "Financial/Darvas", "Financial/ADX",    "Financial/R.S.I."};
    EXPECT_EQ(Gallery(), Started);
    EXPECT_EQ(ColorPalettes.size(), 16u);
    EXPECT_EQ(ColorPalettes[13], "Opera");

    PlotEngineShutdown();
    EXPECT_EQ(PlotSeriesTypes().Count(), 0);
    EXPECT_TRUE(ColorPalettes.empty());
    PlotEngineStartup();
    EXPECT_EQ(Gallery(), Started) << "started afresh";
}

TEST(ChartRegistry, EntriesAreKeptOncePerClassPairAndRemovedByClass)
{
    const TChartSeriesClass Box = SeriesClassOf<TBoxSeries>();
    const TPlotFunctionClass Function = FunctionClassOf<TTestFunction>();
    const std::string Text = "Test";
    const int Before = PlotSeriesTypes().Count();

    TPlotSeriesType& Again = RegisterPlotSeries(Box, &Text, &Text, 2);
    EXPECT_EQ(Again.NumGallerySeries, 2);
    EXPECT_EQ(PlotSeriesTypes().Count(), Before + 1);
    RegisterPlotSeries(Box, &PlotConst::PlotMsg_GalleryLine, &Text);
    EXPECT_EQ(Again.Description, &Text) << "the first entry stands";
    EXPECT_EQ(PlotSeriesTypes().Count(), Before + 1);
    EXPECT_NE(dynamic_cast<TBoxSeries*>(Again.SeriesClass->Create().get()), nullptr);
    RegisterPlotSeriesFunction(Box, nullptr, &Text, &Text, 1, 1);
    RegisterPlotSeriesFunction(Box, Function, &Text, &Text, 1);
    RegisterPlotFunction(Function, &Text, &Text);
    RegisterPlotFunction(Function, &Text, &Text);
    EXPECT_EQ(PlotSeriesTypes().Count(), Before + 4) << "a sub-style is an entry of its own";

    const TPlotFunctionClass Functions[] = {Function};
    UnRegisterPlotFunctions(Functions);
    EXPECT_EQ(PlotSeriesTypes().Count(), Before + 2);
    const TChartSeriesClass Boxes[] = {Box};
    UnRegisterPlotSeries(Boxes);
    EXPECT_EQ(PlotSeriesTypes().Count(), Before) << "every entry of the class";
    PlotEngineShutdown();
    PlotEngineStartup();

    const TPlotToolClass Tools[] = {&typeid(int), &typeid(int), &typeid(char)};
    RegisterPlotTools(Tools);
    EXPECT_EQ(PlotToolTypes().size(), 2u);
    UnRegisterPlotTools(Tools);
    EXPECT_TRUE(PlotToolTypes().empty());
}

TEST(ChartPalettes, ChartTakesThePaletteOfItsIndex)
{
    struct TCase {
        int Index;
        TColor First, Second;
    };
    // Palette 0 and any unknown index: the engine's default colours.
    const TCase Cases[] = {{13, 0xA36644, 0x359CF3},
                           {1, 0xFF9999, 0x663399},
                           {0, clRed, clGreen},
                           {16, clRed, clGreen},
                           {-3, clRed, clGreen}};
    for (const TCase& C : Cases) {
        TTestChart Chart(240, 160, {10, 10, 10, 10});
        ApplyPalette(Chart, 13);
        Chart.SetColorPaletteIndex(C.Index);
        EXPECT_EQ(Chart.ColorPaletteIndex(), C.Index);
        TBoxSeries A, B;
        A.SetParentChart(&Chart);
        B.SetParentChart(&Chart);
        EXPECT_EQ(A.SeriesColor(), C.First) << "index " << C.Index;
        EXPECT_EQ(B.SeriesColor(), C.Second) << "index " << C.Index;
    }
}

TEST(ChartPalettes, GivenColoursRecolourTheSeries)
{
    TTestChart Chart(240, 160, {10, 10, 10, 10});
    TBoxSeries A, B, C;
    for (TChartSeries* S : {&A, &B, &C})
        S->SetParentChart(&Chart);
    const TColor Colors[] = {clNavy, clOlive};
    ApplyPalette(Chart, Colors);
    EXPECT_EQ(A.SeriesColor(), clNavy);
    EXPECT_EQ(B.SeriesColor(), clOlive);
    EXPECT_EQ(C.SeriesColor(), clNavy) << "the palette repeats";
    ApplyPalette(Chart, std::span<const TColor>{});
    EXPECT_EQ(C.SeriesColor(), clYellow) << "none: the default palette";
}

} // namespace
