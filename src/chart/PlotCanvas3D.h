#pragma once

#include "chart/PlotCanvas.h"

struct TPoint3DFloat {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

// The canvas with depth. Every primitive takes a depth Z; with 3D off (the
// terminal's charts) the projection leaves X and Y as they are and each
// primitive is drawn flat.
class TCanvas3D : public TPlotCanvas {
public:
    virtual void BeginEntity() {}
    virtual void EndEntity() {}
    virtual TColor GetPixel3D(int X, int Y, int Z) = 0;
    virtual bool GetSupports3DText() { return false; }
    virtual void SetPixel3D(int X, int Y, int Z, TColor Value) = 0;
    virtual TPoint Calculate2DPosition(int X, int Y, int Z) = 0;
    virtual TPoint Calculate3DPosition(int X, int Y, int Z) = 0;
    TPoint Calculate3DPosition(const TPoint& P, int Z) { return Calculate3DPosition(P.X, P.Y, Z); }
    // Sets up a paint and returns the rectangle to draw in.
    virtual TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor,
                             bool Is3D, const TRect& UserRect) = 0;
    virtual void Projection(int MaxDepth, const TRect& ABounds, const TRect& Rect) = 0;
    // Copies the finished picture to DestCanvas and makes DefaultCanvas current.
    virtual void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) = 0;
    // True after showing the still valid buffer; false: the caller must paint.
    virtual bool ReDrawBitmap() = 0;

    // 3D primitives in their flat form.
    virtual void DisableRotation() = 0;
    virtual void EnableRotation() = 0;
    void FrontPlaneBegin();
    void FrontPlaneEnd();
    virtual void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z);
    virtual void HorizLine3D(int Left, int Right, int Y, int Z);
    virtual void VertLine3D(int X, int Top, int Bottom, int Z);
    virtual void ZLine3D(int X, int Y, int Z0, int Z1);
    virtual void LineWithZ(int X0, int Y0, int X1, int Y1, int Z);
    virtual void MoveTo3D(int X, int Y, int Z);
    virtual void LineTo3D(int X, int Y, int Z);
    virtual void PlaneWithZ(const TFourPoints& P, int Z);
    virtual void PolygonWithZ(std::vector<TPoint> Points, int Z);
    virtual void Polyline(const std::vector<TPoint>& Points, int Z);
    using TPlotCanvas::Polyline;
    virtual void RectangleWithZ(const TRect& Rect, int Z);
    virtual void RotateLabel3D(int X, int Y, int Z, const std::string& St, double RotDegree);
    virtual void TextOut3D(int X, int Y, int Z, const std::string& Text);
    virtual void Cube(const TRect& R, int Z0, int Z1, bool DarkSides = true);

    TView3DOptions* View3DOptions() const { return F3DOptions; }
    bool IsOrthogonal() const { return FIsOrthogonal; }

    // QueryInterface-style lifetime: never counted.
    int _AddRef() { return -1; }
    int _Release() { return -1; }

protected:
    TView3DOptions* F3DOptions = nullptr;
    int IDisabledRotation = 0;
    bool FIsOrthogonal = false;
    int FXCenter = 0;
    int FYCenter = 0;
    int FZCenter = 0;
    int GradientZ = 0;
    bool SupportsID = false;
    TPoint3DFloat RotationCenter;
    bool FIsNoBMPGrid = false;
};

// The canvas over the device context, painting into an off-screen buffer.
class TPlotCanvas3D : public TCanvas3D {
public:
    TPlotCanvas3D();
    ~TPlotCanvas3D() override;

    bool GetMonochrome() override { return FMonochrome; }
    void SetMonochrome(bool Value) override;
    int GetTextAlign() override { return FTextAlign; }
    void SetTextAlign(int Align) override;
    bool GetUseBuffer() override { return FBufferedDisplay; }
    void SetUseBuffer(bool Value) override;
    TColor GetPixel3D(int X, int Y, int Z) override;
    void SetPixel3D(int X, int Y, int Z, TColor Value) override;
    TPoint Calculate2DPosition(int X, int Y, int Z) override;
    TPoint Calculate3DPosition(int X, int Y, int Z) override;
    using TCanvas3D::Calculate3DPosition;
    TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor, bool Is3D,
                     const TRect& UserRect) override;
    void Projection(int MaxDepth, const TRect& ABounds, const TRect& Rect) override;
    void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) override;
    bool ReDrawBitmap() override;
    void DisableRotation() override;
    void EnableRotation() override;

    // The rotation terms of the view's elevation, rotation and tilt.
    void CalcTrigValues();
    void CalcPerspective(const TRect& Rect);
    // Every 3D drawing goes through this projection of (X, Y, Z) to the screen.
    void Calc3DPos(int& X, int& Y, int Z) const;
    TPoint Calc3DPoint(double X, double Y, double Z) const;

    using TPlotCanvas::Arc;
    void Arc(int Left, int Top, int Right, int Bottom, int StartX, int StartY, int EndX,
             int EndY) override;
    void Draw(int X, int Y, const QImage& Graphic) override;
    using TPlotCanvas::Ellipse;
    void Ellipse(int X1, int Y1, int X2, int Y2) override;
    void FillRect(const TRect& Rect) override;
    using TPlotCanvas::LineTo;
    void LineTo(int X, int Y) override;
    using TPlotCanvas::MoveTo;
    void MoveTo(int X, int Y) override;
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    using TPlotCanvas::Rectangle;
    void Rectangle(int X0, int Y0, int X1, int Y1) override;
    using TPlotCanvas::RoundRect;
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) override;
    void StretchDraw(const TRect& Rect, const QImage& Graphic) override;
    using TPlotCanvas::TextOut;
    void TextOut(int X, int Y, const std::string& Text) override;
    void EraseBackground(const TRect& Rect) override { FillRect(Rect); }
    void GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, int Direction,
                      int Balance = 50, int RadialX = 0, int RadialY = 0) override;
    void Invalidate() override { FDirty = true; }
    void Polyline(const std::vector<TPoint>& Points) override;
    using TCanvas3D::Polyline;
    void Polygon(const std::vector<TPoint>& Points) override;
    void RotateLabel(int X, int Y, const std::string& St, double RotDegree) override;

    void PolygonFour();
    void SetBitmap(int W, int H);
    void DeleteBitmap();
    void TransferBitmap(int ALeft, int ATop, TCanvas* ACanvas);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    bool Dirty() const { return FDirty; }

    TFourPoints IPoints{};
    double CharacterAngle = 0;
    int XCenterOffset = 0;
    int YCenterOffset = 0;
    bool IKeepBitmap = false;

private:
    // Draws the text once, in ColorRef, with the glyph effects of the font.
    void TextEffects(int X, int Y, const std::string& Text, const TRect& TextRect);
    TRect TextRectAt(int X, int Y, const std::string& Text);
    void GlyphPath(int X, int Y, const std::string& Text);

    double s1 = 0, s2 = 0, s3 = 0;
    double c1 = 1, c2 = 1, c3 = 1;
    bool FWas3D = false;
    std::unique_ptr<TBitmap> FBitmap;
    bool FDirty = true;
    bool FMonochrome = false;
    int FTextAlign = 0;
    bool IHasPerspec = false;
    double IOrthoX = 1.0;
    double IOrthoY = 1.0;
    double IZoomPerspec = 0;
    double IZoomFactor = 1.0;
    bool IZoomText = true;
    bool FBufferedDisplay = true;
    bool FIs3D = false;
};
