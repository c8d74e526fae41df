#pragma once

#include "chart/canvas/PlotCanvas.h"

struct TPoint3DFloat {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
};
using TTrianglePoints3D = std::array<TPoint3D, 3>;
enum TCanvas3DPlane : uint8_t { cpX, cpY, cpZ };
using TTriangleColors3D = std::array<TColor, 3>;

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
    // Points and rectangles projected at depth Z, and pictures on planes
    // (Canvas3DPlanes.cpp).
    std::vector<TPoint> Calc3DPoints(const std::vector<TPoint>& Points, int Z);
    void Calc3DTPoint(TPoint& P, int Z);
    TPoint Calc3DTPoint3D(const TPoint3D& P);
    // Both corners projected.
    TRect CalcRect3D(const TRect& R, int Z);
    // The rectangle that holds the four projected corners.
    TRect RectFromRectZ(const TRect& R, int Z);
    // The four corners, projected, clockwise from the top left.
    void FourPointsFromRect(const TRect& R, int Z, TFourPoints& P);
    // The picture stretched onto the plane X = Pos (cpX: Rect's left and
    // right are depths), Y = Pos (cpY: its top and bottom are depths) or
    // Z = Pos (cpZ), as the view shows that plane.
    void StretchDraw(const TRect& Rect, const QImage& Graphic, int Pos, TCanvas3DPlane Plane);
    using TPlotCanvas::StretchDraw;
    // Sets up a paint and returns the rectangle to draw in.
    virtual TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor,
                             bool Is3D, const TRect& UserRect) = 0;
    virtual void Projection(int MaxDepth, const TRect& ABounds, const TRect& Rect) = 0;
    // Copies the finished picture to DestCanvas and makes DefaultCanvas current.
    virtual void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) = 0;
    // True after showing the still valid buffer; false: the caller must paint.
    virtual bool ReDrawBitmap() = 0;

    // 3D primitives; with 3D off each is drawn flat, a solid as its front face.
    virtual void DisableRotation() = 0;
    virtual void EnableRotation() = 0;
    void FrontPlaneBegin();
    void FrontPlaneEnd();
    virtual void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) = 0;
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
    virtual void RectangleWithZ(const TRect& Rect, int Z) = 0;
    virtual void RotateLabel3D(int X, int Y, int Z, const std::string& St, double RotDegree);
    virtual void TextOut3D(int X, int Y, int Z, const std::string& Text);
    virtual void Cube(const TRect& R, int Z0, int Z1, bool DarkSides = true) = 0;
    // The quadrilateral in the plane X = Left, and in the plane Y = Top.
    virtual void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) = 0;
    virtual void RectangleY(int Left, int Top, int Right, int Z0, int Z1) = 0;
    // Segment A-B swept from Z0 to Z1.
    virtual void Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1) = 0;
    // The prism between the quadrilateral at Z0 and at Z1.
    virtual void PlaneFour3D(const TFourPoints& Points, int Z0, int Z1) = 0;
    virtual void Polygon3D(const std::vector<TPoint3D>& Points) = 0;
    virtual void Sphere(int X, int Y, int Z, double Radius) = 0;
    // Vertical solids stand on Bottom and point to Top; horizontal ones
    // stand on Left and point to Right.
    virtual void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                          bool Dark3D) = 0;
    virtual void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                      bool Dark3D, int ConePercent) = 0;
    virtual void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                         bool DarkSides) = 0;
    // Standing on R.Bottom; the top face spans the centre +- TruncX and +- TruncZ.
    virtual void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) = 0;
    // Angles in radians, counter-clockwise from three o'clock.
    virtual void Pie3D(int AXCenter, int AYCenter, int XRadius, int YRadius, int Z0, int Z1,
                       double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                       int DonutPercent) = 0;
    virtual void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle,
                       double EndAngle, int HolePercent) = 0;
    // ArrowPercent: the shaft's width in percent of the head's.
    virtual void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int ArrowWidth,
                       int ArrowHeight, int Z, int ArrowPercent) = 0;
    void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int ArrowWidth,
               int ArrowHeight, int Z)
    {
        Arrow(Filled, FromPoint, ToPoint, ArrowWidth, ArrowHeight, Z, 50);
    }
    virtual void Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors) = 0;
    virtual void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) = 0;
    // Clips to the projected outline of the box; UnClipRectangle ends it.
    virtual void ClipCube(const TRect& Rect, int MinZ, int MaxZ) = 0;

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
    using TCanvas3D::StretchDraw;
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

    void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) override;
    void RectangleWithZ(const TRect& Rect, int Z) override;
    void TextOut3D(int X, int Y, int Z, const std::string& Text) override;
    void Cube(const TRect& R, int Z0, int Z1, bool DarkSides = true) override;
    void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) override;
    void RectangleY(int Left, int Top, int Right, int Z0, int Z1) override;
    void Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1) override;
    void PlaneFour3D(const TFourPoints& Points, int Z0, int Z1) override;
    void Polygon3D(const std::vector<TPoint3D>& Points) override;
    void Sphere(int X, int Y, int Z, double Radius) override;
    void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                  bool Dark3D) override;
    void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D,
              int ConePercent) override;
    void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                 bool DarkSides) override;
    void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) override;
    void Pie3D(int AXCenter, int AYCenter, int XRadius, int YRadius, int Z0, int Z1,
               double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
               int DonutPercent) override;
    void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle,
               double EndAngle, int HolePercent) override;
    using TCanvas3D::Arrow;
    void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int ArrowWidth,
               int ArrowHeight, int Z, int ArrowPercent) override;
    void Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors) override;
    void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) override;
    void ClipCube(const TRect& Rect, int MinZ, int MaxZ) override;

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
    struct TFrustum;
    std::vector<TPoint> Project(const std::vector<TPoint3DFloat>& Points) const;
    // A face of a solid, drawn when it turns toward the viewer (always with a
    // clear brush); Inside is a point inside the solid behind the face.
    void SolidFace(std::vector<TPoint3DFloat> Face, const TPoint3DFloat& Inside);
    void DrawFrustum(const TFrustum& F);
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
