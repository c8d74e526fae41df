#pragma once

// A candle series that also draws Darvas boxes: ranges the price kept to
// after a new high, found afresh at every frame from the highs and lows
// and drawn over the candles, blended at the series' transparency. UI
// thread only.

#include "chart/series/CandleSeries.h"
#include "chart/series/FinancialMaths.h"

#include <vector>

class TDarvasSeries : public TCandleSeries {
public:
    TDarvasSeries();

    // Its colour at clPlotColor: the chart palette's second colour.
    TChartBrush& BoxBrush() { return fBoxBrush; }
    TChartPen& BoxPen() { return fBoxPen; }
    int32_t NumBoxes() const { return int32_t(Boxes.size()); }
    // The boxes of the last frame, in points and prices, and in pixels.
    const std::vector<TDarvasBox>& GetBoxes() const { return Boxes; }
    const std::vector<TRect>& GetBoxesRect() const { return BoxesRect; }

    // The candles, then the boxes over them.
    void DrawAllValues() override;
    void CalculateBoxes();

private:
    void DrawBoxes();

    TChartBrush fBoxBrush;
    TChartPen fBoxPen;
    std::vector<TDarvasBox> Boxes;
    std::vector<TRect> BoxesRect;
};
