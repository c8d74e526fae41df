#include "domain/charts/uChartSettingsView.h"

#include "chart/CandleSeries.h"
#include "chart/Chart.h"
#include "chart/PlotEngineScope.h"
#include "chart/Series.h"

#include <gtest/gtest.h>

namespace {

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

        TChartSettingsInfo Back;
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
