#pragma once

#include "chart/series/SeriesPointer.h"
#include "terminal/charts/uChartSettings.h"

class TBubbleSeries;
class TCandleSeries;
class TChartSeries;
class TCustomChart;
class TLineSeries;

// A chart and its series as a settings record sees them: the chart window's
// and the settings dialog's preview. Nothing is owned; the bubble series and
// the price line may be absent (nullptr). UI thread only.
class TChartSettingsView : public IChartSettingsView {
public:
    TChartSettingsView(TCustomChart& aChart, TCandleSeries& aCandles, TChartSeries* aBuy = nullptr,
                       TChartSeries* aSell = nullptr, TChartSeries* aPrice = nullptr);

    // Colours go to the bottom, top, left and right axes; the depth axes
    // keep theirs.
    void ApplyLook(const TChartLook& aLook) override;
    TChartLook ReadLook() const override;

private:
    TCustomChart& fChart;
    TCandleSeries& fCandles;
    TChartSeries* fBuy;
    TChartSeries* fSell;
    TChartSeries* fPrice;
};

// The font of the chart window's and the preview's texts.
inline constexpr const char* cChartFont = "Microsoft JhengHei";

// The set-up the chart window and the preview share. The six axes: grid,
// ticks and label font; the bottom one a fixed time axis stepping by the
// minute, the right one a fixed price axis.
void SetUpChartAxes(TCustomChart& aChart);
// The candles: closes plotted on the right axis against dates on the bottom
// one, not in the legend, green up and violet down.
void SetUpCandleSeries(TCandleSeries& aCandles);
// The price line: black, on the right axis against dates on the bottom one,
// not in the legend, without pointers or clicks.
void SetUpPriceLine(TLineSeries& aPrice);
// Bubbles of one colour (not one per point), drawn as aStyle pointers of
// aSize pixels from a light green gradient, not inflating the margins,
// never clicked as a line, on the price axis at date-time X values, without
// marks or a legend entry: the order bubbles and the fractals'.
void SetUpBubbleSeries(TBubbleSeries& aBubbles, TSeriesPointerStyle aStyle, int aSize);
