#pragma once

#include "chart/panel/PlotPanelExtended.h"

#include <algorithm>

// The framed and filled shapes that titles, the legend, walls and marks are
// made of. Every setter repaints the parent panel when the value changes.

class TPlotCustomShapeBrushPen {
public:
    explicit TPlotCustomShapeBrushPen(TCustomPlotPanel* AParent);
    virtual ~TPlotCustomShapeBrushPen() = default;
    TPlotCustomShapeBrushPen(const TPlotCustomShapeBrushPen&) = delete;
    TPlotCustomShapeBrushPen& operator=(const TPlotCustomShapeBrushPen&) = delete;

    TChartBrush& Brush() { return FBrush; }
    TChartPen& Pen() { return FPen; }
    TCustomPlotPanel* ParentChart() const { return FParent; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { SetProperty(FVisible, Value); }
    void Hide() { SetVisible(false); }
    void Repaint();

protected:
    template <class T> void SetProperty(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }
    TCustomPlotPanel* FParent;
    TChartBrush FBrush;
    TChartPen FPen;
    bool FVisible = true;
};

enum TChartObjectShapeStyle { fosRectangle, fosRoundRectangle, fosEllipse };
enum TPlotTextFormat { ttfNormal, ttfHtml };

class TPlotCustomShape : public TPlotCustomShapeBrushPen {
public:
    explicit TPlotCustomShape(TCustomPlotPanel* AParent);

    TBevelCut Bevel() const { return FBevel; }
    void SetBevel(TBevelCut Value) { SetProperty(FBevel, Value); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value) { SetProperty(FBevelWidth, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetProperty(FColor, Value); }
    TPlotFont& Font() { return FFont; }
    int RoundSize() const { return FRoundSize; }
    void SetRoundSize(int Value) { SetProperty(FRoundSize, Value); }
    TPlotShadow& Shadow() { return FShadow; }
    TChartObjectShapeStyle ShapeStyle() const { return FShapeStyle; }
    void SetShapeStyle(TChartObjectShapeStyle Value) { SetProperty(FShapeStyle, Value); }
    TPlotTextFormat TextFormat() const { return FTextFormat; }
    void SetTextFormat(TPlotTextFormat Value) { SetProperty(FTextFormat, Value); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { SetProperty(FTransparent, Value); }
    TPlotGradient& Gradient() { return FGradient; }
    TBackImage& Picture() { return FPicture; }
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { SetProperty(FTransparency, std::clamp(Value, 0, 100)); }

    // Draws at ShapeBounds, unrotated.
    void Draw();
    // Draws at Rect turned by Angle degrees about its centre, at depth AZ.
    void DrawRectRotated(const TRect& Rect, int Angle = 0, int AZ = 0);

    bool DefaultTransparent = false;
    TRect ShapeBounds; // computed by the owner before drawing

protected:
    // The colour the interior is filled with.
    virtual TColor FillColor() const { return FColor; }

private:
    void DrawFrame(TCanvas3D& C, const TRect& R, int Angle, int AZ);

    TBevelCut FBevel = bvNone;
    int FBevelWidth = 2;
    TColor FColor = clWhite;
    TPlotFont FFont;
    int FRoundSize = 16;
    TPlotShadow FShadow;
    TChartObjectShapeStyle FShapeStyle = fosRectangle;
    TPlotTextFormat FTextFormat = ttfNormal;
    bool FTransparent = false;
    TPlotGradient FGradient;
    TBackImage FPicture;
    int FTransparency = 0;
};

class TPlotCustomShapePosition : public TPlotCustomShape {
public:
    using TPlotCustomShape::TPlotCustomShape;
    bool CustomPosition() const { return FCustomPosition; }
    void SetCustomPosition(bool Value) { SetProperty(FCustomPosition, Value); }
    int Left() const { return ShapeBounds.Left; }
    int Top() const { return ShapeBounds.Top; }
    // Moving the shape places it by hand from now on.
    void SetLeft(int Value);
    void SetTop(int Value);
    bool DefaultCustomPosition = false;

private:
    bool FCustomPosition = false;
};

// Corners of R turned by Angle degrees (counter-clockwise on screen) about its centre.
TFourPoints RotatedCorners(const TRect& R, double Angle);
