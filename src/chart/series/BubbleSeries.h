#pragma once

// Points drawn as the pointer's shape at a size given per point: a radius in
// value units of the vertical axis, turned into pixels at every draw and
// every hit test. UI thread only.

#include "chart/series/Series.h"

class TBubbleSeries : public TPointSeries {
public:
    TBubbleSeries();

    // The third value list, "Radius".
    TChartValueList& RadiusValues() const { return *fRadius; }
    // On: the bubble is as wide as it is tall, in the vertical axis' scale;
    // off: its width follows the horizontal axis' scale.
    bool Squared() const { return fSquared; }
    void SetSquared(bool Value) { SetAndRepaint(fSquared, Value); }

    // The point goes to its X's sorted place; the radius with it.
    int32_t AddBubble(double AX, double AY, double ARadius, const std::string& AXLabel = "",
                      TColor AColor = clPlotColor);

    // The pointer's half-sizes become the pixels of the point's radius.
    void PreparePointer(int32_t ValueIndex) override;
    void DrawValue(int32_t ValueIndex) override;
    // The whole bubble lies within the range: every Y widened by its radius.
    double MaxYValue() override;
    double MinYValue() override;
    // With a pointer drawn in 3D: the largest radius and its negative.
    double MaxZValue() const override;
    double MinZValue() const override;
    bool IsPointInChartRect(int32_t ValueIndex) const override;
    // A hit inside the drawn shape of the point's style.
    bool ClickedPointer(int32_t ValueIndex, int tmpX, int tmpY, int X, int Y) override;
    void DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect) override;

private:
    // Sets the pointer's half-sizes for point ValueIndex at the present scales.
    void SizePointer(int32_t ValueIndex) const;

    TChartValueList* fRadius;
    bool fSquared = true;
};

// Registers the bubble series on the standard gallery page.
void BubbleSeriesStartup();
void BubbleSeriesShutdown();
