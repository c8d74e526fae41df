#pragma once

#include "platform/Property.h"
#include "platform/SysUtils.h"
#include "platform/qt/Gdi.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The form library's drawing objects over TGdiDC: a pen, a brush and a font
// that announce their changes, and a canvas that writes them to its context
// only when they differ from what the context already holds.

enum TPenStyle {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// The platform's mix mode of a pen mode.
int PenModeToRop2(TPenMode Mode);

class TGraphicsObject {
public:
    using TNotifyEvent = std::function<void(TGraphicsObject*)>;
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    virtual ~TGraphicsObject() = default;
    TNotifyEvent OnChange;

protected:
    void Changed();
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Changed();
    }
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { SetDroppingHandle(fColor, Value); }
    int Width() const { return fWidth; }
    void SetWidth(int Value) { SetDroppingHandle(fWidth, std::max(Value, 0)); }
    TPenStyle Style() const { return fStyle; }
    void SetStyle(TPenStyle Value) { SetDroppingHandle(fStyle, Value); }
    TPenMode Mode() const { return fMode; }
    void SetMode(TPenMode Value) { Set(fMode, Value); }
    virtual void Assign(const TPen& Source);
    // A pen made directly (geometric caps, user styles) that stands in for the
    // properties until one of them changes.
    void SetHandle(const TGdiPen& Pen);
    TGdiPen Realize() const;

private:
    // Setting any of these ends a pen made directly, even to the same value.
    template <class T> void SetDroppingHandle(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value) | std::exchange(fHandle, std::nullopt).has_value())
            Changed();
    }
    TColor fColor = clBlack;
    int fWidth = 1;
    TPenStyle fStyle = psSolid;
    TPenMode fMode = pmCopy;
    std::optional<TGdiPen> fHandle;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { Set(fColor, Value); }
    TBrushStyle Style() const { return fStyle; }
    void SetStyle(TBrushStyle Value) { Set(fStyle, Value); }
    // A pattern bitmap; a null image means none.
    const QImage& Bitmap() const { return fBitmap; }
    void SetBitmap(const QImage& Value);
    virtual void Assign(const TBrush& Source);
    TGdiBrush Realize() const;

private:
    TColor fColor = clWhite;
    TBrushStyle fStyle = bsSolid;
    QImage fBitmap;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    const std::string& Name() const { return fName; }
    void SetName(const std::string& Value) { Set(fName, Value); }
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return fHeight; }
    void SetHeight(int Value) { Set(fHeight, Value); }
    // Points at PixelsPerInch.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return fStyle; }
    void SetStyle(TFontStyles Value) { Set(fStyle, Value); }
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { Set(fColor, Value); }
    int Charset() const { return fCharset; }
    void SetCharset(int Value) { Set(fCharset, Value); }
    int PixelsPerInch() const { return fPixelsPerInch; }
    void SetPixelsPerInch(int Value) { fPixelsPerInch = Value; }
    // Tenths of a degree, counter-clockwise.
    int Orientation() const { return fOrientation; }
    void SetOrientation(int Value) { Set(fOrientation, Value); }
    virtual void Assign(const TFont& Source);
    TLogFont Realize() const;

private:
    std::string fName;
    int fHeight;
    TFontStyles fStyle = 0;
    TColor fColor = clWindowText;
    int fCharset = DEFAULT_CHARSET;
    int fPixelsPerInch = 96;
    int fOrientation = 0;
};

// The name and size of a new font.
extern std::string DefaultFontName;
extern int DefaultFontSize;

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

class TCanvas {
public:
    TCanvas();
    explicit TCanvas(TGdiDC* DC);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas() = default;

    TGdiDC* Handle() const { return fDC; }
    // A new context: every object is written to it again at the next use.
    void SetHandle(TGdiDC* DC);
    TPen& Pen() { return fPen; }
    TBrush& Brush() { return fBrush; }
    TFont& Font() { return fFont; }
    TPoint PenPos() const;

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const std::vector<TPoint>& Points);
    void Polygon(const std::vector<TPoint>& Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void TextOut(int X, int Y, const std::string& Text);
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
    void Draw(int X, int Y, const QImage& Graphic);
    void StretchDraw(const TRect& R, const QImage& Graphic);
    TColor Pixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);

    // Writes changed objects to the context; drawing calls do it themselves.
    void RealizePen();
    void RealizeBrush();
    void RealizeFont();
    // A logical font that stands in for Font() until reset (rotated labels).
    void SetFontOverride(std::optional<TLogFont> Font) { fFontOverride = std::move(Font); }

private:
    std::optional<TLogFont> fFontOverride;
    TGdiDC* fDC = nullptr;
    TPen fPen;
    TBrush fBrush;
    TFont fFont;
    std::optional<TGdiPen> fPenOnDC;
    std::optional<TGdiBrush> fBrushOnDC;
    std::optional<TLogFont> fFontOnDC;
    int fRopOnDC = 0;
};

// An off-screen RGB32 image with its context and canvas.
class TBitmap {
public:
    TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    int Width() const { return fImage.width(); }
    int Height() const { return fImage.height(); }
    bool Empty() const { return fImage.isNull(); }
    // A new size starts white; the same size keeps the picture.
    void SetSize(int W, int H);
    void SetWidth(int W) { SetSize(W, Height()); }
    void SetHeight(int H) { SetSize(Width(), H); }
    TCanvas& Canvas() { return fCanvas; }
    TGdiDC& DC() { return *fDC; }
    const QImage& Image() const { return fImage; }

private:
    QImage fImage;
    std::unique_ptr<TGdiDC> fDC;
    TCanvas fCanvas;
};
