#pragma once

#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/ChartWalls.h"

// What a chart draws around its series: the walls, the four titles and the
// legend, with the room they take from the chart rectangle. The chart owns
// one and calls it from its drawing pipeline.
class TChartDecorations {
public:
    TChartDecorations(TCustomPlotPanel& APanel, TCustomAxisPanel& AChart);

    TChartWalls& Walls() { return FWalls; }
    TChartTitle& Title() { return FTitle; }
    TChartTitle& SubTitle() { return FSubTitle; }
    TChartFootTitle& Foot() { return FFoot; }
    TChartFootTitle& SubFoot() { return FSubFoot; }
    TChartLegend& Legend() { return FLegend; }
    bool View3DWalls() const { return FView3DWalls; }
    void SetView3DWalls(bool Value);

    // The back wall becomes opaque in Value.
    void SetBackColor(TColor Value);
    // The 3D thickness of the wall behind Axis; 0 in 2D or without walls.
    int CalcWallSize(const TChartAxis& Axis);
    // The chart rectangle less the room of the 3D walls and depth.
    void CalcWallsRect();
    void DrawWalls();
    // Before the series the titles and legend at their places, taking their
    // room; after them the hand-placed ones, over the chart.
    void DrawTitlesAndLegend(bool BeforeSeries);

private:
    bool Walls3D() const { return FPanel.View3D() && FView3DWalls; }
    void DrawTitles(bool CustomPositioned);
    void DrawLegendIf(bool CustomPositioned);

    TCustomPlotPanel& FPanel;
    TCustomAxisPanel& FChart;
    TChartWalls FWalls;
    TChartTitle FTitle;
    TChartTitle FSubTitle;
    TChartFootTitle FFoot;
    TChartFootTitle FSubFoot;
    TChartLegend FLegend;
    bool FView3DWalls = true;
};
