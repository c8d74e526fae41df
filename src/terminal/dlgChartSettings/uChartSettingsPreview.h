#pragma once

#include "chart/chart/Chart.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/Series.h"
#include "terminal/charts/uChartSettingsView.h"
#include "terminal/charts/uPriceAxisLabels.h"

#include <QPointer>

class QWidget;
class TKlineList;
class TPlotPanelWidget;

// The chart settings dialog's small chart: a chart's first candles drawn in
// the settings being edited. UI thread only; the chart engine must be started.
class TChartSettingsPreview {
public:
    // The size of the chart inside Parent, at its top left.
    static constexpr int cWidth = 364;
    static constexpr int cHeight = 240;

    explicit TChartSettingsPreview(QWidget* Parent);
    TChartSettingsPreview(const TChartSettingsPreview&) = delete;
    TChartSettingsPreview& operator=(const TChartSettingsPreview&) = delete;
    ~TChartSettingsPreview();

    // Shows the first candles of aKlines in list order, and only once there
    // are enough of them to show a chart's look: none below cMinCandles. A
    // candle without an open time is told once and left out; any other
    // failure leaves the preview as far as it got.
    void Fill(const TKlineList& aKlines);
    static constexpr int cMinCandles = 51;

    // The settings onto the chart and its series.
    void Show(const TChartSettingsInfo& aSettings);

    TChart& Chart() { return fChart; }
    TCandleSeries& Candles() { return fCandles; }

private:
    // Declared before the series, which leave it as they go.
    TChart fChart;
    TCandleSeries fCandles;
    TLineSeries fPrice;
    // Empty: they show the buy and sell colours as the chart window's order
    // bubbles take them.
    TBubbleSeries fBuy;
    TBubbleSeries fSell;
    TChartSettingsView fView{fChart, fCandles, &fBuy, &fSell, &fPrice};
    TPriceAxisLabels fPriceLabels;
    // Goes first: it paints the chart.
    QPointer<TPlotPanelWidget> fWidget;
};
