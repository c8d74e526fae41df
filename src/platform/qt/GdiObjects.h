#pragma once

#include "platform/Graphics.h"

#include <QImage>
#include <QRegion>
#include <cstdint>
#include <string>
#include <vector>

// Drawing objects of the device context, held by value: selecting one into a
// context copies it, so nothing has to be deleted.

enum : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
    PS_USERSTYLE = 7,
    PS_ALTERNATE = 8,
    PS_STYLE_MASK = 0x0F,
    PS_ENDCAP_ROUND = 0x000,
    PS_ENDCAP_SQUARE = 0x100,
    PS_ENDCAP_FLAT = 0x200,
    PS_ENDCAP_MASK = 0xF00,
    PS_JOIN_ROUND = 0x0000,
    PS_JOIN_BEVEL = 0x1000,
    PS_JOIN_MITER = 0x2000,
    PS_JOIN_MASK = 0xF000,
    PS_COSMETIC = 0x00000,
    PS_GEOMETRIC = 0x10000,
};

// A pen. Cosmetic pens (and every pen of width 0 or 1) are one pixel wide and
// follow the pixel rules of thin lines; geometric pens of width 2 and more
// are stroked with their caps and joins.
struct TGdiPen {
    int Style = PS_SOLID; // the PS_ style, with cap, join and type bits
    int Width = 1;
    COLORREF Color = 0;
    std::vector<uint32_t> UserStyle; // dash and gap lengths of PS_USERSTYLE
    int Kind() const { return Style & PS_STYLE_MASK; }
    bool IsNull() const { return Kind() == PS_NULL; }
    bool IsThin() const { return Width <= 1; }
    friend bool operator==(const TGdiPen&, const TGdiPen&) = default;
};

TGdiPen CreatePen(int Style, int Width, COLORREF Color);
TGdiPen ExtCreatePen(int Style, int Width, COLORREF Color, std::vector<uint32_t> UserStyle = {});

enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3 };
enum : int {
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5,
};

// A brush. A pattern of Format_Mono paints its 0 bits in the text colour and
// its 1 bits in the back colour; other patterns paint their own pixels.
struct TGdiBrush {
    int Style = BS_SOLID;
    COLORREF Color = 0xFFFFFF;
    int Hatch = HS_HORIZONTAL;
    QImage Pattern;
    bool operator==(const TGdiBrush& O) const
    {
        return Style == O.Style && Color == O.Color && Hatch == O.Hatch &&
               Pattern.cacheKey() == O.Pattern.cacheKey();
    }
};

TGdiBrush CreateSolidBrush(COLORREF Color);
TGdiBrush CreateHatchBrush(int Hatch, COLORREF Color);
TGdiBrush CreatePatternBrush(const QImage& Pattern);
TGdiBrush NullBrush();

enum : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum : int {
    DEFAULT_QUALITY = 0,
    NONANTIALIASED_QUALITY = 3,
    ANTIALIASED_QUALITY = 4,
    CLEARTYPE_QUALITY = 5,
};
enum : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1 };
enum : int { OUT_DEFAULT_PRECIS = 0, OUT_TT_ONLY_PRECIS = 7 };

// A logical font. Height < 0: the character (em) height in pixels; Height > 0:
// the cell height (ascent + descent); 0: the default size. Escapement and
// Orientation are in tenths of a degree, counter-clockwise.
struct TLogFont {
    int Height = 0;
    int Width = 0;
    int Escapement = 0;
    int Orientation = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int CharSet = DEFAULT_CHARSET;
    int OutPrecision = OUT_DEFAULT_PRECIS;
    int Quality = DEFAULT_QUALITY;
    std::string FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

struct TTextMetric {
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int { ALTERNATE = 1, WINDING = 2 };

// A region in device pixels.
struct TGdiRegion {
    QRegion R;
    friend bool operator==(const TGdiRegion&, const TGdiRegion&) = default;
};

TGdiRegion CreateRectRgn(int Left, int Top, int Right, int Bottom);
TGdiRegion CreateEllipticRgn(int Left, int Top, int Right, int Bottom);
TGdiRegion CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int W, int H);
TGdiRegion CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
int CombineRgn(TGdiRegion& Dest, const TGdiRegion& Src1, const TGdiRegion& Src2, int Mode);
int GetRgnBox(const TGdiRegion& Rgn, TRect& Box);
bool PtInRegion(const TGdiRegion& Rgn, int X, int Y);
int RegionKind(const QRegion& R);

QColor ToQColor(COLORREF Color);
COLORREF FromQRgb(QRgb Rgb);
// An opaque pixel of an RGB32 image.
inline QRgb ToQRgb(COLORREF Color)
{
    return qRgb(GetRValue(Color), GetGValue(Color), GetBValue(Color));
}
