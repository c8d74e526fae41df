#pragma once

// A volume series: a vertical bar at each point, from a base line up (or
// down) to the point's value, in the point's colour. UI thread only.

#include "chart/series/Series.h"

#include <optional>

class TVolumeSeries : public TCustomSeries {
public:
    TVolumeSeries();

    TChartValueList& VolumeValues() const { return YValues(); }
    // With UseYOrigin the bars stand on Origin; without, on the vertical
    // axis' end (its start when the axis is inverted).
    bool UseYOrigin() const { return fUseYOrigin; }
    void SetUseYOrigin(bool Value) { SetAndRepaint(fUseYOrigin, Value); }
    double Origin() const { return fOrigin; }
    void SetOrigin(double Value) { SetAndRepaint(fOrigin, Value); }

    // The pixel row the bars stand on.
    int GetOriginPos(int32_t ValueIndex) const override;
    // The bars alone: no shadow or outline passes.
    void DrawAllValues() override;
    void DrawValue(int32_t ValueIndex) override;
    // The first visible bar the point lies on, else -1.
    int32_t Clicked(int32_t X, int32_t Y) override;

private:
    bool fUseYOrigin = false;
    double fOrigin = 0;
    // The colour the pen was last given in this frame; none before its
    // first bar.
    std::optional<TColor> IColor;
};
