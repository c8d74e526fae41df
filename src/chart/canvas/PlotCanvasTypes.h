#pragma once

#include "platform/qt/Canvas.h"

#include <array>
#include <functional>
#include <memory>

// The chart engine's colours, pens, brush and font, the 3D view settings and
// the small geometry helpers of the canvas unit.

class TPlotCanvas;
class TPlotPicture;
class TPlotFontGradient;
class TPlotShadow;

// The automatic colour: the owner's or the series' colour is used.
constexpr TColor clPlotColor = 0x20000000;

using TFourPoints = std::array<TPoint, 4>;
using TNotifyEvent = TGraphicsObject::TNotifyEvent;

enum TPenEndStyle { esRound, esSquare, esFlat };

class TChartPen : public TPen {
public:
    explicit TChartPen(TNotifyEvent OnChangeEvent = {});
    TPenEndStyle EndStyle() const { return fEndStyle; }
    void SetEndStyle(TPenEndStyle Value) { Set(fEndStyle, Value); }
    bool SmallDots() const { return fSmallDots; }
    void SetSmallDots(bool Value) { Set(fSmallDots, Value); }
    int SmallSpace() const { return fSmallSpace; }
    void SetSmallSpace(int Value) { Set(fSmallSpace, Value); }
    bool Visible() const { return fVisible; }
    void SetVisible(bool Value) { Set(fVisible, Value); }
    void Hide() { SetVisible(false); }
    void Show() { SetVisible(true); }
    void Assign(const TPen& Source) override;
    // What counts as the default when the pen is stored.
    TPenEndStyle DefaultEnd = esRound;
    bool DefaultVisible = true;

protected:
    bool fVisible = true;

private:
    TPenEndStyle fEndStyle = esRound;
    bool fSmallDots = false;
    int fSmallSpace = 0;
};

class TChartHiddenPen : public TChartPen {
public:
    explicit TChartHiddenPen(TNotifyEvent OnChangeEvent = {});
};

class TDottedGrayPen : public TChartPen {
public:
    explicit TDottedGrayPen(TNotifyEvent OnChangeEvent = {});
};

class TDarkGrayPen : public TChartPen {
public:
    explicit TDarkGrayPen(TNotifyEvent OnChangeEvent = {});
};

// Its visibility is always stored.
class TWhitePen : public TChartPen {
public:
    explicit TWhitePen(TNotifyEvent OnChangeEvent = {});
};

class TChartBrush : public TBrush {
public:
    explicit TChartBrush(TNotifyEvent OnChangeEvent = {});
    ~TChartBrush() override;
    // clNone: hatch gaps stay unpainted.
    TColor BackColor() const { return fBackColor; }
    void SetBackColor(TColor Value) { Set(fBackColor, Value); }
    // Created on first read; SetImage(nullptr) frees it.
    TPlotPicture& Image();
    TPlotPicture* ImageIfAny() const { return fImage.get(); }
    void SetImage(const TPlotPicture* Value);
    void Assign(const TBrush& Source) override;

private:
    TColor fBackColor = clNone;
    std::unique_ptr<TPlotPicture> fImage;
};

class TPlotFont : public TFont {
public:
    explicit TPlotFont(TNotifyEvent OnChangeEvent = {});
    ~TPlotFont() override;
    // Sub-objects are created on first read; the ...IfAny forms never create.
    TPlotFontGradient& Gradient();
    TPlotFontGradient* GradientIfAny() const { return fGradient.get(); }
    TChartHiddenPen& OutLine();
    TChartHiddenPen* OutLineIfAny() const { return fOutLine.get(); }
    TPlotPicture& Picture();
    TPlotPicture* PictureIfAny() const { return fPicture.get(); }
    TPlotShadow& Shadow();
    TPlotShadow* ShadowIfAny() const { return fShadow.get(); }
    int InterCharSize() const { return fInterCharSize; }
    void SetInterCharSize(int Value) { Set(fInterCharSize, Value); }
    void Assign(const TFont& Source) override;

    TPlotCanvas* ICanvas = nullptr; // the canvas the font is current in
    TColor IDefColor = clBlack;
    TFontStyles IDefStyle = 0;

private:
    std::unique_ptr<TPlotFontGradient> fGradient;
    std::unique_ptr<TChartHiddenPen> fOutLine;
    std::unique_ptr<TPlotPicture> fPicture;
    std::unique_ptr<TPlotShadow> fShadow;
    int fInterCharSize = 0;
};

// The control that owns view options and repaints when they change.
class IPlotRepaint {
public:
    virtual ~IPlotRepaint() = default;
    virtual void Invalidate() = 0;
};

class TView3DOptions {
public:
    explicit TView3DOptions(IPlotRepaint* AParent);
    TView3DOptions(const TView3DOptions&) = delete;
    TView3DOptions& operator=(const TView3DOptions&) = delete;

    double ElevationFloat() const { return fElevation; }
    void SetElevationFloat(double Value) { Set(fElevation, Value); }
    int Elevation() const;
    void SetElevation(int Value) { SetElevationFloat(Value); }
    int FontZoom() const { return fFontZoom; }
    void SetFontZoom(int Value) { Set(fFontZoom, Value); }
    int HorizOffset() const { return fHorizOffset; }
    void SetHorizOffset(int Value) { SetOffset(fHorizOffset, Value, true); }
    bool Orthogonal() const { return fOrthogonal; }
    void SetOrthogonal(bool Value) { Set(fOrthogonal, Value); }
    int OrthoAngle() const { return fOrthoAngle; }
    void SetOrthoAngle(int Value) { Set(fOrthoAngle, Value); }
    int Perspective() const { return fPerspective; }
    void SetPerspective(int Value);
    double RotationFloat() const { return fRotation; }
    void SetRotationFloat(double Value) { Set(fRotation, Value); }
    int Rotation() const;
    void SetRotation(int Value) { SetRotationFloat(Value); }
    int Tilt() const { return fTilt; }
    void SetTilt(int Value) { Set(fTilt, Value); }
    int VertOffset() const { return fVertOffset; }
    void SetVertOffset(int Value) { SetOffset(fVertOffset, Value, false); }
    double ZoomFloat() const { return fZoom; }
    void SetZoomFloat(double Value);
    int Zoom() const;
    void SetZoom(int Value) { SetZoomFloat(Value); }
    bool ZoomText() const { return fZoomText; }
    void SetZoomText(bool Value) { Set(fZoomText, Value); }
    void Assign(const TView3DOptions& Source);
    double CalcOrthoRatio() const;
    void Repaint();

    std::function<void(bool Horizontal)> OnScrolled;
    std::function<void(int NewZoom)> OnChangedZoom;

private:
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }
    void SetOffset(int& Field, int Value, bool Horizontal);
    double fElevation = 345.0;
    int fFontZoom = 100;
    int fHorizOffset = 0;
    bool fOrthogonal = true;
    int fOrthoAngle = 45;
    int fPerspective = 15;
    double fRotation = 345.0;
    int fTilt = 0;
    int fVertOffset = 0;
    double fZoom = 100.0;
    bool fZoomText = true;
    IPlotRepaint* fParent;
};

// Settings of the canvas unit.
constexpr double PlotPiStep = 3.14159265358979323846 / 180;
constexpr TRect PlotZeroRect{0, 0, 0, 0};
extern bool PlotCheckPenWidth;
constexpr int DarkerColorQuantity = 128;
constexpr int DarkColorQuantity = 64;
extern bool IsWindowsNT;
extern int GetDefaultFontSize;
extern std::string GetDefaultFontName;
constexpr int PlotFontAntiAlias = ANTIALIASED_QUALITY;
constexpr int PlotNumCylinderSides = 16;
constexpr int PlotGradientPrecision = 1;

// Pen styles psSolid..psInsideFrame as the platform's; pen modes as mix modes.
int PenStyles(TPenStyle Style);
int PenModes(TPenMode Mode);

// A pixel of a 24-bit row: blue, green, red.
struct TRGB {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    friend bool operator==(const TRGB&, const TRGB&) = default;
};

TPoint PlotPoint(int X, int Y);
TRect PlotRect(int Left, int Top, int Right, int Bottom);
bool PointInRect(const TRect& Rect, int X, int Y);
bool PointInRect(const TRect& Rect, const TPoint& P);
TRect OrientRectangle(const TRect& R);
void RectSize(const TRect& R, int& W, int& H);
void RectCenter(const TRect& R, int& X, int& Y);
TRect PolygonBounds(const TPoint* Points, int High);
TRect RectFromPolygon(const TPoint* Points, int NumPoints);
bool PlotCull(const TPoint& P0, const TPoint& P1, const TPoint& P2);
bool PlotCull(const TFourPoints& P);
double PlotDistance(double X, double Y);
void SwapDouble(double& A, double& B);
void SwapInteger(int& A, int& B);
TRGB RGBValue(TColor Color);
void PlotSetBitmapSize(TBitmap& Bitmap, int W, int H);
TColor ApplyDark(TColor Color, int Quantity);
TColor ApplyBright(TColor Color, int Quantity);
void PlotDefaultFont();
// The default font on a system whose language is Japanese: a size of 8
// becomes the platform's default font height (negative: pixels), the name
// "Arial" the platform's default font name.
void PlotJapaneseFont(int& Size, std::string& Name);
