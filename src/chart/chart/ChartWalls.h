#pragma once

#include "chart/panel/PlotShape.h"

// The four walls that frame a chart's plotting area. In 2D only the back
// wall shows: it is the background of the chart rectangle.

class TCustomChartWall : public TPlotCustomShape {
public:
    TCustomChartWall(TCustomPlotPanel* AParent, TColor ADefaultColor);

    bool AutoHide() const { return FAutoHide; }
    void SetAutoHide(bool Value) { SetProperty(FAutoHide, Value); }
    bool Dark3D() const { return FDark3D; }
    void SetDark3D(bool Value) { SetProperty(FDark3D, Value); }
    int End() const { return FEnd; }
    void SetEnd(int Value) { SetProperty(FEnd, Value); }
    int Size() const { return FSize; }
    void SetSize(int Value) { SetProperty(FSize, Value); }
    int Start() const { return FStart; }
    void SetStart(int Value) { SetProperty(FStart, Value); }
    const TColor DefaultColor;

    // The chart shows 3D walls, this one is visible and not turned away.
    bool ShouldDraw(bool View3DWalls) const { return View3DWalls && Visible() && !FAutoHide; }
    // A wall whose colour is still unset shows its class colour.
    TColor FillColor() const override;

private:
    bool FAutoHide = false;
    bool FDark3D = true;
    int FEnd = 100;
    int FSize = 0;
    int FStart = 0;
};

class TChartBackWall : public TCustomChartWall {
public:
    explicit TChartBackWall(TCustomPlotPanel* AParent);
};

class TChartLeftWall : public TCustomChartWall {
public:
    explicit TChartLeftWall(TCustomPlotPanel* AParent) : TCustomChartWall(AParent, 0x80FFFF) {}
};

class TChartBottomWall : public TCustomChartWall {
public:
    explicit TChartBottomWall(TCustomPlotPanel* AParent) : TCustomChartWall(AParent, clWhite) {}
};

class TChartRightWall : public TCustomChartWall {
public:
    explicit TChartRightWall(TCustomPlotPanel* AParent);
};

class TChartWalls {
public:
    explicit TChartWalls(TCustomPlotPanel* AChart);

    TChartBackWall& Back() { return FBack; }
    TChartBottomWall& Bottom() { return FBottom; }
    TChartLeftWall& Left() { return FLeft; }
    TChartRightWall& Right() { return FRight; }
    TCustomPlotPanel* Chart() const { return FChart; }
    // Sets all four.
    void SetSize(int Value);
    void SetVisible(bool Value);

    // Draws the walls that should show, in the panel's chart rectangle;
    // the side walls only in 3D, where the back wall stands Depth deep.
    void Draw(bool View3D, bool View3DWalls, int Depth);

private:
    template <class F> void ForEach(F Apply);

    TCustomPlotPanel* FChart;
    TChartBackWall FBack;
    TChartBottomWall FBottom;
    TChartLeftWall FLeft;
    TChartRightWall FRight;
};
