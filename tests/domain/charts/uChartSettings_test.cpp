#include "domain/charts/uChartSettings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using TJson = TChartSettingsJson;

constexpr TDateTime cNow = 45000.75;
TDateTime FixedNow()
{
    return cNow;
}

std::string Saved(const TChartSettingsInfo& Info)
{
    TJson Node;
    Info.Save(Node);
    return Node.dump();
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
    R"("showVolume":true,"showTips":true,"zoom":4,"left_bar":44123.456789)";

// The keys at 0 and false, the left edge put one day before now.
std::string Zeros()
{
    return R"({"background":0,"text":0,"buy":0,"sell":0,"series":0,"grid":0,"bar":0,)"
           R"("autonomic":false,"chartOnTop":false,"chartShift":false,"chartAutoMove":false,)"
           R"("fixedZoom11":false,"fixedZoom":false,"pinMin":0.0,"pinMax":0.0,"chartType":0,)"
           R"("showOHLC":false,"showAsk":false,"showPeriods":false,"showGrid":false,)"
           R"("showVolume":false,"showTips":false,"zoom":0,"left_bar":44999.75})";
}

TEST(ChartSettingsInfo, SaveLoadSaveKeepsEveryByteInTheKeysOrder)
{
    const TChartSettingsInfo Info = Loaded(cFull + "}");
    const std::string First = Saved(Info);
    EXPECT_EQ(First, cFull + "}");
    EXPECT_EQ(Saved(Loaded(First)), First);

    // Into an object that already holds a chart's keys: they stay in front.
    TJson Chart = TJson::parse(R"({"symbol":"BTCUSDT","interval":2})");
    Info.Save(Chart);
    EXPECT_EQ(Chart.dump(), R"({"symbol":"BTCUSDT","interval":2,)" + cFull.substr(1) + "}");
}

TEST(ChartSettingsInfo, MissingMistypedAndFarOffValuesReadSafely)
{
    const struct {
        const char* Read;
        std::string Expected;
    } Cases[] = {
        {"{}", Zeros()},
        {R"({"left_bar":0})", Zeros()},
        {R"({"left_bar":0.0,"zoom":null})", Zeros()},
        // Another JSON type reads as missing.
        {R"({"background":"16777215","showGrid":1,"pinMin":"2.5","chartType":[1],)"
         R"("zoom":true,"autonomic":"true","left_bar":"44000"})",
         Zeros()},
        // Beyond a field's range: its nearest value; a fraction is cut off.
        {R"({"background":1e20,"text":-1e20,"buy":4294967295,"sell":18446744073709551615,)"
         R"("grid":12.9,"bar":-7.9,"chartType":300,"zoom":-3,"pinMin":5,"left_bar":-2})",
         R"({"background":2147483647,"text":-2147483648,"buy":2147483647,"sell":2147483647,)"
         R"("series":0,"grid":12,"bar":-7,"autonomic":false,"chartOnTop":false,)"
         R"("chartShift":false,"chartAutoMove":false,"fixedZoom11":false,"fixedZoom":false,)"
         R"("pinMin":5.0,"pinMax":0.0,"chartType":255,"showOHLC":false,"showAsk":false,)"
         R"("showPeriods":false,"showGrid":false,"showVolume":false,"showTips":false,)"
         R"("zoom":0,"left_bar":-2.0})"},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Saved(Loaded(Case.Read)), Case.Expected) << Case.Read;
}

TEST(ChartSettingsInfo, TypeAndZoomBeyondTheirTablesAreKeptButUsedAsTheLastEntry)
{
    const TChartSettingsInfo Info = Loaded(R"({"chartType":7,"zoom":9})");
    EXPECT_EQ(Info.ChartType(), ctLine);
    EXPECT_EQ(Info.Zoom(), z5);
    EXPECT_EQ(Info.Look().Style, ctLine);
    const std::string Text = Saved(Info);
    EXPECT_NE(Text.find(R"("chartType":7,)"), std::string::npos) << Text;
    EXPECT_NE(Text.find(R"("zoom":9,)"), std::string::npos) << Text;
}

TEST(ChartSettingsInfo, ANodeThatIsNoObjectChangesNothing)
{
    TChartSettingsInfo Info = Loaded(cFull + "}");
    for (const char* Node : {"null", "[1,2]", "\"text\"", "3"})
        EXPECT_FALSE(Info.Load(TJson::parse(Node), FixedNow)) << Node;
    EXPECT_EQ(Saved(Info), cFull + "}");
}

TEST(ChartSettingsInfo, ResetAndAssignLeaveZoomAndLeftEdge)
{
    TChartSettingsInfo Info = Loaded(cFull + "}");
    Info.Reset();
    EXPECT_EQ(Saved(Info),
              R"({"background":16777215,"text":0,"buy":12644824,"sell":14205169,"series":0,)"
              R"("grid":8421504,"bar":0,"autonomic":false,"chartOnTop":false,)"
              R"("chartShift":false,"chartAutoMove":false,"fixedZoom11":false,"fixedZoom":false,)"
              R"("pinMin":0.0,"pinMax":0.0,"chartType":1,"showOHLC":false,"showAsk":false,)"
              R"("showPeriods":false,"showGrid":false,"showVolume":false,"showTips":false,)"
              R"("zoom":4,"left_bar":44123.456789})");

    TChartSettingsInfo Copy;
    Copy.SetZoom(z1);
    Copy.SetLeft(40000);
    Copy.Assign(Loaded(cFull + "}"));
    EXPECT_EQ(Saved(Copy),
              cFull.substr(0, cFull.find(R"("zoom")")) + R"("zoom":1,"left_bar":40000.0})");
}

class TFakeView : public IChartSettingsView {
public:
    void ApplyLook(const TChartLook& aLook) override { Applied = aLook; }
    TChartLook ReadLook() const override { return Chart; }

    TChartLook Applied;
    TChartLook Chart;
};

TEST(ChartSettingsInfo, GetInfoPaintsTheChartAndSetInfoReadsItBack)
{
    const struct {
        TColor Background;
        TChartType Type;
        TColor PriceLine;
    } Cases[] = {
        {clBlack, ctBar, clWhite},
        {clWhite, ctCandle, clBlack},
        {0x010000, ctLine, clBlack},
    };
    for (const auto& Case : Cases) {
        TChartSettingsInfo Info;
        Info.SetBackground(Case.Background);
        Info.SetText(0x111111);
        Info.SetBuy(0x222222);
        Info.SetSell(0x333333);
        Info.SetGrid(0x444444);
        Info.SetBar(0x555555);
        Info.SetSeries(0x666666);
        Info.SetShowGrid(true);
        Info.SetChartType(Case.Type);
        TFakeView View;
        Info.GetInfo(View);
        const TChartLook& L = View.Applied;
        EXPECT_EQ(L.Background, Case.Background);
        EXPECT_EQ(L.PriceLine, Case.PriceLine) << Case.Background;
        EXPECT_EQ(L.Labels, 0x111111);
        EXPECT_EQ(L.AxisLine, 0x111111);
        EXPECT_EQ(L.Grid, 0x444444);
        EXPECT_TRUE(L.ShowGrid);
        EXPECT_EQ(L.CandleUp, 0x222222);
        EXPECT_EQ(L.Buy, 0x222222);
        EXPECT_EQ(L.CandleDown, 0x333333);
        EXPECT_EQ(L.Sell, 0x333333);
        EXPECT_EQ(L.CandlePen, 0x555555);
        EXPECT_EQ(L.Style, Case.Type);

        // Read back from a fresh chart: its look, the rest untouched.
        TChartSettingsInfo Back;
        Back.SetSeries(7);
        Back.SetChartShift(true);
        View.Chart = L;
        Back.SetInfo(View);
        TChartSettingsInfo Expected = Info;
        Expected.SetSeries(7);
        Expected.SetChartShift(true);
        EXPECT_EQ(Saved(Back), Saved(Expected));
    }
}

TEST(ChartSettingsInfo, AStyleNoTypeNamesLeavesTheChartType)
{
    TChartSettingsInfo Info;
    Info.SetChartType(ctLine);
    TFakeView View;
    View.Chart.Style.reset();
    Info.SetInfo(View);
    EXPECT_EQ(Info.ChartType(), ctLine);
}

} // namespace
