#pragma once

#include "chart/panel/PlotShape.h"

class TChartSeries;

enum TSeriesPointerStyle : uint8_t {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle,
    psHexagon
};

// The symbol drawn at a point of a series: sizes are half-sizes in pixels,
// so a rectangle of HorizSize 4 is 9 pixels wide. Draws on its panel's
// canvas; without a panel it draws nothing.
class TSeriesPointer : public TPlotCustomShapeBrushPen {
public:
    TSeriesPointer(TCustomPlotPanel* AParent, TChartSeries* ASeries);

    void SetParentChart(TCustomPlotPanel* Value) { FParent = Value; }
    TChartSeries* Series() const { return FSeries; }
    int HorizSize() const { return FHorizSize; }
    void SetHorizSize(int Value) { SetProperty(FHorizSize, CheckSize(Value)); }
    int VertSize() const { return FVertSize; }
    void SetVertSize(int Value) { SetProperty(FVertSize, CheckSize(Value)); }
    // For series that size every point while drawing: no check, no repaint.
    void ChangeHorizSize(int Value) { FHorizSize = Value; }
    void ChangeVertSize(int Value) { FVertSize = Value; }
    bool InflateMargins() const { return FInflate; }
    void SetInflateMargins(bool Value) { SetProperty(FInflate, Value); }
    TSeriesPointerStyle Style() const { return FStyle; }
    void SetStyle(TSeriesPointerStyle Value) { SetProperty(FStyle, Value); }
    bool Draw3D() const { return FDraw3D; }
    void SetDraw3D(bool Value) { SetProperty(FDraw3D, Value); }
    bool Dark3D() const { return FDark3D; }
    void SetDark3D(bool Value) { SetProperty(FDark3D, Value); }
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { SetProperty(FTransparency, std::clamp(Value, 0, 100)); }
    TColor Color() const { return FBrush.Color(); }
    void SetColor(TColor Value) { FBrush.SetColor(Value); }
    TPlotGradient& Gradient() { return FGradient; }
    TPlotShadow& Shadow() { return FShadow; }

    void CalcHorizMargins(int32_t& Left, int32_t& Right) const;
    void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const;
    // Pen and brush of the canvas for a point of colour ColorValue.
    void PrepareCanvas(TCanvas3D& ACanvas, TColor ColorValue);
    void Draw(int px, int py, TColor ColorValue, TSeriesPointerStyle AStyle);
    void Draw(int px, int py, TColor ColorValue) { Draw(px, py, ColorValue, FStyle); }
    // Every style; in a 3D chart rectangles, circles and triangles become
    // cubes, spheres and pyramids between the series' front and back (with
    // Draw3D), the other styles and those without Draw3D lie flat on the
    // series' front plane.
    void DrawPointer(TCanvas3D& ACanvas, int px, int py, int tmpHoriz, int tmpVert,
                     TColor ColorValue, TSeriesPointerStyle AStyle);

    bool AllowChangeSize = true;
    bool FullGradient = false;

private:
    static int CheckSize(int Value);
    void DrawShadow(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                    TSeriesPointerStyle AStyle);
    void DrawShape(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline, int px, int py,
                   TSeriesPointerStyle AStyle);
    void DrawShape3D(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline, int px,
                     int py, TSeriesPointerStyle AStyle);
    void DrawGradient(TCanvas3D& C, const TRect& R, const std::vector<TPoint>& Outline,
                      TSeriesPointerStyle AStyle);

    bool FDark3D = true;
    bool FDraw3D = true;
    TPlotGradient FGradient;
    int FHorizSize = 4;
    bool FInflate = true;
    TChartSeries* FSeries;
    TPlotShadow FShadow;
    TSeriesPointerStyle FStyle = psRectangle;
    int FTransparency = 0;
    int FVertSize = 4;
};

enum TArrowHeadStyle : uint8_t { ahNone, ahLine, ahSolid };

// The marker at the end of a mark's arrow: the arrow line, its head and a
// pointer shape where the arrow meets the point.
class TCallout : public TSeriesPointer {
public:
    TCallout(TCustomPlotPanel* AParent, TChartSeries* ASeries);

    TWhitePen& Arrow() { return FArrow; }
    TArrowHeadStyle ArrowHead() const { return FArrowHead; }
    void SetArrowHead(TArrowHeadStyle Value) { SetProperty(FArrowHead, Value); }
    int ArrowHeadSize() const { return FArrowHeadSize; }
    void SetArrowHeadSize(int Value) { SetProperty(FArrowHeadSize, Value); }
    int Distance() const { return FDistance; }
    void SetDistance(int Value) { SetProperty(FDistance, Value); }
    // The arrow from From (the mark) to To (the point) and the shape at To.
    void Draw(TColor AColor, const TPoint& From, const TPoint& To);

private:
    void DrawArrowHead(TCanvas3D& C, const TPoint& From, const TPoint& To);

    TWhitePen FArrow;
    TArrowHeadStyle FArrowHead = ahNone;
    int FDistance = 0;
    int FArrowHeadSize = 8;
};

// The callout of the marks: hidden shape, a white arrow of Length pixels.
class TMarksCallout : public TCallout {
public:
    static constexpr int DefaultLength = 8;
    TMarksCallout(TCustomPlotPanel* AParent, TChartSeries* ASeries);
    int Length() const { return FLength; }
    void SetLength(int Value) { SetProperty(FLength, Value); }

private:
    int FLength = DefaultLength;
};
