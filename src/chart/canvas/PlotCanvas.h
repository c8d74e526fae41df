#pragma once

#include "chart/canvas/PlotBlend.h"
#include "chart/canvas/PlotCanvasTypes.h"
#include "chart/canvas/PlotGradient.h"
#include "chart/canvas/PlotShadow.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

enum TCanvasBackMode { cbmNone, cbmTransparent, cbmOpaque };

// The chart's 2D canvas over a surface canvas: pen, brush and font
// assignment, text with effects, frames and clipping. Used on the
// user-interface thread only.
class TPlotCanvas {
public:
    TPlotCanvas();
    TPlotCanvas(const TPlotCanvas&) = delete;
    TPlotCanvas& operator=(const TPlotCanvas&) = delete;
    virtual ~TPlotCanvas();

    // Property accessors.
    virtual TColor GetBackColor();
    virtual TCanvasBackMode GetBackMode();
    TGdiDC* GetHandle() const { return FCanvas ? FCanvas->Handle() : nullptr; }
    virtual bool GetMonochrome() = 0;
    virtual TColor GetPixel(int X, int Y);
    virtual bool GetSupportsFullRotation() { return false; }
    virtual bool GetIsNoBMPGrid() { return false; }
    virtual int GetTextAlign() = 0;
    virtual bool GetUseBuffer() = 0;
    virtual void SetBackColor(TColor Color);
    virtual void SetBackMode(TCanvasBackMode Mode);
    virtual void SetMonochrome(bool Value) = 0;
    virtual void SetPixel(int X, int Y, TColor Value);
    virtual void SetTextAlign(int Align) = 0;
    virtual void SetUseBuffer(bool Value) = 0;

    TCanvas* ReferenceCanvas() const { return FCanvas; }
    void SetCanvas(TCanvas* ACanvas);
    TPen& Pen() { return *FPen; }
    TBrush& Brush() { return *FBrush; }
    TFont& Font() { return *FFont; }
    const TRect& Bounds() const { return FBounds; }
    bool Metafiling() const { return FMetafiling; }
    TPlotFont* CurrentFont() const { return IFont; }
    // A font being freed stops being the canvas' current font.
    void ForgetFont(const TPlotFont& AFont);
    double FontZoom = 100.0;

    // Pens and blending.
    virtual void AssignVisiblePenColor(TPen& APen, TColor AColor);
    void AssignVisiblePen(TPen& APen) { AssignVisiblePenColor(APen, APen.Color()); }
    virtual std::unique_ptr<TPlotBlend> BeginBlending(const TRect& R, int Transparency);
    virtual void EndBlending(std::unique_ptr<TPlotBlend> Blend);
    void AssignBrush(TChartBrush& ABrush, TColor ABackColor);
    void AssignBrush(TChartBrush& ABrush, TColor AColor, TColor ABackColor);
    void AssignFont(TPlotFont& AFont);
    void ResetState();
    void InternalDark(TColor AColor, int Quantity);

    // 2D primitives.
    virtual void Arc(int Left, int Top, int Right, int Bottom, int StartX, int StartY, int EndX,
                     int EndY) = 0;
    virtual void Arc(int Left, int Top, int Right, int Bottom, double StartAngle, double EndAngle);
    virtual void Draw(int X, int Y, const QImage& Graphic) = 0;
    virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    virtual void FillRect(const TRect& Rect) = 0;
    virtual void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
    virtual void LineTo(int X, int Y) = 0;
    void LineTo(const TPoint& P) { LineTo(P.X, P.Y); }
    virtual void MoveTo(int X, int Y) = 0;
    void MoveTo(const TPoint& P) { MoveTo(P.X, P.Y); }
    virtual void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
    virtual void Rectangle(int X0, int Y0, int X1, int Y1) = 0;
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    virtual void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) = 0;
    void RoundRect(const TRect& R, int X, int Y)
    {
        RoundRect(R.Left, R.Top, R.Right, R.Bottom, X, Y);
    }
    virtual void StretchDraw(const TRect& Rect, const QImage& Graphic) = 0;
    virtual void TextOut(int X, int Y, const std::string& Text) = 0;
    void TextOut(int X, int Y, const std::string& Text, bool AllowHtml);

    // Text metrics; a visible font shadow adds its size.
    virtual int TextWidth(const std::string& St);
    virtual int TextHeight(const std::string& St);
    TSize TextExtent(const std::string& Text);
    // Lines and rectangles in their order, in device pixels; the canvas'
    // pen, brush and modes stay as they are.
    void DrawShapes(const std::vector<TGdiShape>& Shapes);
    int GetFontHeight() { return TextHeight("W"); }

    // Clipping: each clip saves the clip in force, UnClipRectangle restores it.
    virtual void ClipRectangle(const TRect& Rect);
    virtual void ClipRectangle(const TRect& Rect, int RoundSize);
    virtual void ClipEllipse(const TRect& Rect, bool Inverted = false);
    virtual void ClipPolygon(const TPoint* Points, int NumPoints, bool DiffRegion = false);
    virtual void UnClipRectangle();
    // The glyph or shape path just ended becomes part of the clip.
    void ClipPath();
    size_t ClipDepth() const { return FClipStack.size(); }

    // Lines.
    virtual void DoHorizLine(int X0, int X1, int Y);
    virtual void DoVertLine(int X, int Y0, int Y1);
    virtual void EraseBackground(const TRect& Rect) = 0;
    virtual void GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, int Direction,
                              int Balance = 50, int RadialX = 0, int RadialY = 0) = 0;
    virtual void Invalidate() = 0;
    virtual void Line(int X0, int Y0, int X1, int Y1);
    void Line(const TPoint& FromPoint, const TPoint& ToPoint);
    virtual void Polyline(const std::vector<TPoint>& Points) = 0;
    virtual void Polygon(const std::vector<TPoint>& Points) = 0;
    virtual void PolygonGradient(const std::vector<TPoint>& Points, TCustomPlotGradient& Gradient);
    virtual void RotateLabel(int X, int Y, const std::string& St, double RotDegree) = 0;

    // Replaces Points by their convex hull; false when there is none.
    static bool ConvexHull(std::vector<TPoint>& Points);

protected:
    TGdiDC* DC() const { return GetHandle(); }
    void PushClip();
    // Each font knows the canvas it is current in (ICanvas), so that neither
    // points at the other once freed.
    void SetCurrentFont(TPlotFont* AFont);

    TCanvas* FCanvas = nullptr;
    TFont* FFont = nullptr;
    TPen* FPen = nullptr;
    TBrush* FBrush = nullptr;
    bool FMetafiling = false;
    int ITransp = 0;
    TRect FBounds;
    TPlotFont* IFont = nullptr;

private:
    // Each entry is the clip before a ClipXxx call; nullopt = no clip.
    std::vector<std::optional<TGdiRegion>> FClipStack;
    TCanvas FNoSurface; // stands in while no surface is set
};
