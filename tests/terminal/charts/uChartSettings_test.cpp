#include "terminal/charts/uChartSettings.h"

#include "chart/canvas/PlotEngineScope.h"
#include "chart/chart/Chart.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/Series.h"
#include "terminal/charts/uChartSettingsView.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using TJson = TChartSettingsJson;

TDateTime FixedNow()
{
    return 45000.75;
}

TJson Saved(const TChartSettingsInfo& Info)
{
    TJson Node;
    Info.Save(Node);
    return Node;
}

TChartSettingsInfo Loaded(const std::string& Text)
{
    TChartSettingsInfo Info;
    EXPECT_TRUE(Info.Load(TJson::parse(Text), FixedNow)) << Text;
    return Info;
}

// Every key in its place, none at its default.
const std::string cFull =
    R"({"background":1,"text":2,"buy":3,"sell":4,"series":5,"grid":6,"bar":-16777211,)"
    R"("autonomic":true,"chartOnTop":true,"chartShift":true,"chartAutoMove":true,)"
    R"("fixedZoom11":true,"fixedZoom":true,"pinMin":0.1,"pinMax":12345.678901234567,)"
    R"("chartType":2,"showOHLC":true,"showAsk":true,"showPeriods":true,"showGrid":true,)"
    R"("showVolume":true,"showTips":true,"zoom":4,"left_bar":44123.456789})";

TEST(ChartSettingsInfo, SaveLoadSaveKeepsEveryByteInTheKeysOrder)
{
    const TChartSettingsInfo Info = Loaded(cFull);
    EXPECT_EQ(Saved(Info).dump(), cFull);
    EXPECT_EQ(Saved(Loaded(Saved(Info).dump())).dump(), cFull);
    // Into a chart's object: its own keys stay in front.
    TJson Chart = TJson::parse(R"({"symbol":"BTCUSDT"})");
    Info.Save(Chart);
    EXPECT_EQ(Chart.dump(), R"({"symbol":"BTCUSDT",)" + cFull.substr(1));
}

TEST(ChartSettingsInfo, MissingMistypedAndFarOffValuesReadSafely)
{
    // A colour missing takes its default: an old entry never draws black
    // on black.
    TChartSettingsInfo Defaults;
    Defaults.Reset();
    const TJson Default = Saved(Defaults);
    const TJson Empty = Saved(Loaded("{}"));
    for (const char* Key : {"background", "text", "buy", "sell", "series", "grid", "bar"})
        EXPECT_EQ(Empty.at(Key), Default.at(Key)) << Key;
    for (const auto& [Key, Value] : Empty.items()) {
        if (Key != "left_bar" && !Default.at(Key).is_number_integer()) {
            EXPECT_TRUE(Value == 0 || Value == false) << Key << " missing: " << Value;
        }
    }
    const struct {
        const char* Read;
        const char* Key;
        const char* Expected;
    } Cases[] = {
        {"{}", "left_bar", "44999.75"},
        {R"({"left_bar":0.0})", "left_bar", "44999.75"},
        {R"({"left_bar":"44000"})", "left_bar", "44999.75"},
        {R"({"left_bar":-2})", "left_bar", "-2.0"},
        {R"({"background":"255"})", "background", "16777215"},
        {R"({"background":0})", "background", "0"},
        // Fixed pins that are no range: not fixed.
        {R"({"fixedZoom":true})", "fixedZoom", "false"},
        {R"({"fixedZoom":true,"pinMin":5,"pinMax":2})", "fixedZoom", "false"},
        {R"({"fixedZoom":true,"pinMin":2,"pinMax":2})", "fixedZoom", "false"},
        {R"({"fixedZoom":true,"pinMin":2,"pinMax":2.5})", "fixedZoom", "true"},
        {R"({"showGrid":1})", "showGrid", "false"},
        {R"({"pinMin":"2.5"})", "pinMin", "0.0"},
        {R"({"pinMin":5})", "pinMin", "5.0"},
        {R"({"chartType":[1]})", "chartType", "0"},
        // Beyond a field's range: its nearest value; a fraction is cut off.
        {R"({"background":1e20})", "background", "2147483647"},
        {R"({"text":-1e20})", "text", "-2147483648"},
        {R"({"buy":4294967295})", "buy", "2147483647"},
        {R"({"grid":12.9})", "grid", "12"},
        {R"({"bar":-7.9})", "bar", "-7"},
        {R"({"chartType":300})", "chartType", "255"},
        {R"({"zoom":-3})", "zoom", "0"},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Saved(Loaded(Case.Read)).at(Case.Key).dump(), Case.Expected) << Case.Read;
}

// A type or zoom past its table is kept for the file but used as its last
// entry; a node that is no object changes nothing.
TEST(ChartSettingsInfo, OutOfTableValuesAreKeptAndANodeThatIsNoObjectChangesNothing)
{
    TChartSettingsInfo Info = Loaded(R"({"chartType":7,"zoom":9})");
    EXPECT_EQ(Info.ChartType(), ctLine);
    EXPECT_EQ(Info.Zoom(), z5);
    EXPECT_EQ(Info.Look().Style, ctLine);
    EXPECT_EQ(Saved(Info).at("chartType"), 7);
    EXPECT_EQ(Saved(Info).at("zoom"), 9);
    Info = Loaded(cFull);
    for (const char* Node : {"null", "[1,2]", "\"text\"", "3"})
        EXPECT_FALSE(Info.Load(TJson::parse(Node), FixedNow)) << Node;
    EXPECT_EQ(Saved(Info).dump(), cFull);
}

TEST(ChartSettingsInfo, ResetAndAssignLeaveZoomAndLeftEdge)
{
    TChartSettingsInfo Info = Loaded(cFull);
    Info.Reset();
    EXPECT_EQ(Saved(Info).dump(),
              R"({"background":16777215,"text":0,"buy":12644824,"sell":14205169,"series":0,)"
              R"("grid":8421504,"bar":0,"autonomic":false,"chartOnTop":false,)"
              R"("chartShift":false,"chartAutoMove":false,"fixedZoom11":false,"fixedZoom":false,)"
              R"("pinMin":0.0,"pinMax":0.0,"chartType":1,"showOHLC":false,"showAsk":false,)"
              R"("showPeriods":false,"showGrid":false,"showVolume":false,"showTips":false,)"
              R"("zoom":4,"left_bar":44123.456789})");

    TChartSettingsInfo Copy;
    Copy.SetZoom(z1);
    Copy.SetLeft(40000);
    Copy.Assign(Loaded(cFull));
    EXPECT_EQ(Saved(Copy).dump(),
              cFull.substr(0, cFull.find(R"("zoom")")) + R"("zoom":1,"left_bar":40000.0})");
}

struct TViewedChart {
    TChart Chart;
    TCandleSeries Candles;
    TLineSeries Buy;
    TLineSeries Sell;
    TLineSeries Price;
    TChartSettingsView View{Chart, Candles, &Buy, &Sell, &Price};

    // The series leave the chart as they go, before it.
    TViewedChart()
    {
        for (TChartSeries* Series :
             std::initializer_list<TChartSeries*>{&Candles, &Buy, &Sell, &Price})
            Series->SetParentChart(&Chart);
    }
};

TChartSettingsInfo Settings(TColor Background, TChartType Type, bool ShowGrid)
{
    TChartSettingsInfo Info;
    Info.SetBackground(Background);
    Info.SetText(0x102030);
    Info.SetBuy(0x405060);
    Info.SetSell(0x708090);
    Info.SetGrid(0xA0B0C0);
    Info.SetBar(0xD0E0F0);
    Info.SetShowGrid(ShowGrid);
    Info.SetChartType(Type);
    return Info;
}

TEST(ChartSettingsView, SettingsPaintTheChartAndReadBackUnchanged)
{
    const struct {
        TColor Background;
        TChartType Type;
        bool ShowGrid;
        TCandleStyle Style;
        TColor PriceLine;
    } Cases[] = {
        {clBlack, ctBar, true, csCandleBar, clWhite},
        {clWhite, ctCandle, false, csCandleStick, clBlack},
        {0x202020, ctLine, true, csLine, clBlack},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Type);
        TViewedChart C;
        const TColor DepthLabels = C.Chart.DepthAxis()->LabelsFont().Color();
        const TChartSettingsInfo Info = Settings(Case.Background, Case.Type, Case.ShowGrid);
        Info.GetInfo(C.View);

        EXPECT_EQ(C.Chart.BackColor(), Case.Background);
        EXPECT_EQ(C.Chart.Color(), Case.Background);
        for (TChartAxis* Axis :
             {C.Chart.BottomAxis(), C.Chart.TopAxis(), C.Chart.LeftAxis(), C.Chart.RightAxis()}) {
            EXPECT_EQ(Axis->LabelsFont().Color(), 0x102030);
            EXPECT_EQ(Axis->Axis().Color(), 0x102030);
            for (TChartPen* Pen : std::initializer_list<TChartPen*>{
                     &Axis->Grid(), &Axis->MinorGrid(), &Axis->MinorTicks(), &Axis->Ticks(),
                     &Axis->TicksInner()})
                EXPECT_EQ(Pen->Color(), 0xA0B0C0);
        }
        EXPECT_EQ(C.Chart.DepthAxis()->LabelsFont().Color(), DepthLabels);
        EXPECT_EQ(C.Chart.BottomAxis()->MinorGrid().Visible(), Case.ShowGrid);
        EXPECT_EQ(C.Chart.RightAxis()->Grid().Visible(), Case.ShowGrid);
        EXPECT_FALSE(C.Chart.RightAxis()->MinorGrid().Visible());
        EXPECT_EQ(C.Candles.CandleStyle(), Case.Style);
        EXPECT_EQ(C.Candles.UpCloseColor(), 0x405060);
        EXPECT_EQ(C.Candles.DownCloseColor(), 0x708090);
        EXPECT_EQ(C.Candles.Pen().Color(), 0xD0E0F0);
        EXPECT_EQ(C.Buy.SeriesColor(), 0x405060);
        EXPECT_EQ(C.Sell.SeriesColor(), 0x708090);
        EXPECT_EQ(C.Price.SeriesColor(), Case.PriceLine);

        // Bars and lines paint their candles in the bar colour: the buy and
        // sell colours stay as they were.
        TChartSettingsInfo Back;
        Back.SetBuy(Case.Type == ctCandle ? 0 : Info.Buy());
        Back.SetSell(Case.Type == ctCandle ? 0 : Info.Sell());
        Back.SetInfo(C.View);
        TChartSettingsJson Expected, Read;
        Info.Save(Expected);
        Back.Save(Read);
        EXPECT_EQ(Read.dump(), Expected.dump());
    }
}

TEST(ChartSettingsView, AnOpenCloseChartLeavesTheChartType)
{
    TViewedChart C;
    C.Candles.SetCandleStyle(csOpenClose);
    TChartSettingsInfo Info;
    Info.SetChartType(ctLine);
    Info.SetInfo(C.View);
    EXPECT_EQ(Info.ChartType(), ctLine);
}

} // namespace
