#pragma once

#include "platform/qt/GdiObjects.h"

#include <QPainter>
#include <QPainterPath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A device context with the platform's drawing rules over a QPainter:
// right and bottom edges of rectangles, ellipses and fills are exclusive,
// LineTo leaves out its end pixel, a null pen shrinks a shape's fill by one
// pixel, antialiasing is off. Raster operations work on QImage targets only.
// Used on the user-interface thread only; one context per target at a time.

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN,
    R2_MASKNOTPEN,
    R2_NOTCOPYPEN,
    R2_MASKPENNOT,
    R2_NOT,
    R2_XORPEN,
    R2_NOTMASKPEN,
    R2_MASKPEN,
    R2_NOTXORPEN,
    R2_NOP,
    R2_MERGENOTPEN,
    R2_COPYPEN,
    R2_MERGEPENNOT,
    R2_MERGEPEN,
    R2_WHITE,
};
enum : int {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
enum : int { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : int { GM_COMPATIBLE = 1, GM_ADVANCED = 2 };

struct TFontTexts;

// A shape of a batch: a thin solid line from the first corner to the pixel
// before the second, or a rectangle filled with Fill and outlined in Pen
// (without an outline a null pen's rectangle, one pixel smaller).
struct TGdiShape {
    enum TKind : uint8_t { Line, Box };
    TKind Kind = Line;
    bool Outline = true;
    TRect R;
    COLORREF Pen = 0;
    COLORREF Fill = 0;
};

class TGdiDC {
public:
    // A context on an RGB32 image (every operation) or on a widget during
    // its paint event (no raster operations, no pixel reads).
    explicit TGdiDC(QImage* Image);
    explicit TGdiDC(QPaintDevice* Device);
    TGdiDC(const TGdiDC&) = delete;
    TGdiDC& operator=(const TGdiDC&) = delete;
    ~TGdiDC();

    // Re-targets the context (e.g. after its image was resized); the
    // selected objects and modes stay, the clip is removed.
    void Attach(QImage* Image);
    void Detach();
    QImage* Image() const { return fImage; }
    int DeviceWidth() const;
    int DeviceHeight() const;

    // Objects and modes; each setter returns the previous value.
    TGdiPen SelectPen(const TGdiPen& Pen);
    TGdiBrush SelectBrush(const TGdiBrush& Brush);
    TLogFont SelectFont(const TLogFont& Font);
    const TGdiPen& CurrentPen() const { return fPen; }
    const TGdiBrush& CurrentBrush() const { return fBrush; }
    const TLogFont& CurrentFont() const { return fFont; }
    COLORREF SetTextColor(COLORREF Color);
    COLORREF GetTextColor() const { return fTextColor; }
    COLORREF SetBkColor(COLORREF Color);
    COLORREF GetBkColor() const { return fBkColor; }
    int SetBkMode(int Mode);
    int GetBkMode() const { return fBkMode; }
    int SetROP2(int Mode);
    int GetROP2() const { return fRop2; }
    int SetTextAlign(int Align);
    int GetTextAlign() const { return fTextAlign; }
    int SetTextCharacterExtra(int Extra);
    int GetTextCharacterExtra() const { return fCharExtra; }
    int SetGraphicsMode(int Mode);
    int GetGraphicsMode() const { return fGraphicsMode; }

    // Lines and shapes.
    bool MoveToEx(int X, int Y, TPoint* Old = nullptr);
    TPoint GetCurrentPosition() const { return fPos; }
    bool LineTo(int X, int Y);
    bool Polyline(const TPoint* Points, int Count);
    bool Polygon(const TPoint* Points, int Count);
    bool Rectangle(int Left, int Top, int Right, int Bottom);
    bool Ellipse(int Left, int Top, int Right, int Bottom);
    bool RoundRect(int Left, int Top, int Right, int Bottom, int W, int H);
    bool Arc(int L, int T, int R, int B, int X1, int Y1, int X2, int Y2);
    bool Pie(int L, int T, int R, int B, int X1, int Y1, int X2, int Y2);
    int FillRect(const TRect& R, const TGdiBrush& Brush);
    int FrameRect(const TRect& R, const TGdiBrush& Brush);
    bool FillRgn(const TGdiRegion& Rgn, const TGdiBrush& Brush);
    COLORREF SetPixel(int X, int Y, COLORREF Color);
    COLORREF GetPixel(int X, int Y) const;

    // The shapes in their order, in copy mode, as the pen, brush, MoveToEx,
    // LineTo and Rectangle calls would draw them; the selected objects, the
    // mix mode and the current position stay as they are. Lines along a row
    // or a column and rectangles go straight into an image's rows: many
    // small shapes cost a call each on the painter.
    void DrawShapes(const std::vector<TGdiShape>& Shapes);

    // Text (UTF-8).
    bool TextOut(int X, int Y, std::string_view Text);
    bool ExtTextOut(int X, int Y, int Options, const TRect* R, std::string_view Text);
    bool GetTextExtentPoint32(std::string_view Text, int& CX, int& CY) const;
    bool GetTextMetrics(TTextMetric& TM) const;
    int DrawText(std::string_view Text, TRect& R, unsigned Format);

    // Clipping, in device pixels.
    int IntersectClipRect(int Left, int Top, int Right, int Bottom);
    int ExcludeClipRect(int Left, int Top, int Right, int Bottom);
    int SelectClipRgn(const TGdiRegion* Rgn);
    int ExtSelectClipRgn(const TGdiRegion* Rgn, int Mode);
    // 1 and a copy of the clip when there is one, 0 when there is none.
    int GetClipRgn(TGdiRegion& Rgn) const;
    int GetClipBox(TRect& R) const;

    // Paths: between BeginPath and EndPath, lines, shapes and text add to
    // the path instead of drawing.
    bool BeginPath();
    bool EndPath();
    bool AbortPath();
    bool StrokePath();
    bool FillPath();
    bool StrokeAndFillPath();
    bool WidenPath();
    bool SelectClipPath(int Mode);
    int SetPolyFillMode(int Mode);

    // Block transfers; the source must be an image context.
    bool BitBlt(int X, int Y, int W, int H, const TGdiDC* Src, int SX, int SY, uint32_t Rop);
    bool StretchBlt(int X, int Y, int W, int H, const TGdiDC* Src, int SX, int SY, int SW, int SH,
                    uint32_t Rop);
    bool PatBlt(int X, int Y, int W, int H, uint32_t Rop);

    // Direct access for the helpers of this layer.
    QPainter& Painter() { return *fPainter; }
    QFont QtFont() const;

private:
    friend struct TGdiDraw;
    void Begin(QPaintDevice* Device);
    void ApplyClip();
    // Adds the shape to the open path, or paints it.
    bool Curve(const QPainterPath& Path, bool Closed);
    bool Drawing() const { return fPainter && fPainter->isActive(); }

    QImage* fImage = nullptr;
    QPaintDevice* fDevice = nullptr;
    std::unique_ptr<QPainter> fPainter;
    TGdiPen fPen;
    TGdiBrush fBrush;
    TLogFont fFont;
    COLORREF fTextColor = 0;
    COLORREF fBkColor = 0xFFFFFF;
    int fBkMode = OPAQUE;
    int fRop2 = R2_COPYPEN;
    int fTextAlign = TA_LEFT | TA_TOP;
    int fCharExtra = 0;
    int fGraphicsMode = GM_COMPATIBLE;
    int fPolyFillMode = ALTERNATE;
    TPoint fPos;
    int fStylePhase = 0; // pixels of the pen style already used by the current polyline
    std::optional<QRegion> fClip;
    // The selected font with its measured texts, found on first use.
    mutable TFontTexts* fFontTexts = nullptr;
    TFontTexts& FontTexts() const;
    std::optional<QPainterPath> fPath; // set between BeginPath and AbortPath / use
    bool fPathOpen = false;
};

// Raster operations of the block transfers.
enum : uint32_t {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    NOTSRCCOPY = 0x00330008,
    DSTINVERT = 0x00550009,
    PATCOPY = 0x00F00021,
    PATINVERT = 0x005A0049,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};

enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_HIDEPREFIX = 0x100000,
};
