#pragma once

// A light line series: the visible points as one polyline in the series'
// pen, without pointers, areas or stacking. UI thread only.

#include "chart/series/Series.h"

class TFastLineSeries : public TCustomLineSeries {
public:
    TFastLineSeries();

    // Off: a point on the pixel the line has reached is left out.
    bool DrawAllPoints() const { return fDrawAllPoints; }
    void SetDrawAllPoints(bool Value) { SetAndRepaint(fDrawAllPoints, Value); }
    bool Stairs() const { return fStairs; }
    void SetStairs(bool Value) { SetAndRepaint(fStairs, Value); }
    bool InvertedStairs() const { return fInvertedStairs; }
    void SetInvertedStairs(bool Value) { SetAndRepaint(fInvertedStairs, Value); }

    void DrawAllValues() override;
    void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
    void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
    // A point appended to a shown chart is drawn at once into the chart's
    // picture, from where the line ended, before the chart is told of it.
    void NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex) override;

private:
    // Adds the legs to P (a horizontal or vertical one first for stairs).
    void AddLegs(std::vector<TPoint>& Run, const TPoint& P) const;
    void DrawAppended(int32_t ValueIndex);

    bool fDrawAllPoints = true;
    bool fStairs = false;
    bool fInvertedStairs = false;
    // Where the last frame's line ended.
    bool fHasLast = false;
    TPoint fLast;
};
