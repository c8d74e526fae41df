#include "controls/PGGraphics.h"

#include "platform/SysUtils.h"
#include "platform/qt/GdiBlit.h"

#include <algorithm>

namespace {

// One channel moved toward T (255 lighter, 1 darker) with D = 1 / (1 - p) - 1.
uint8_t CalcNewColor(uint16_t Value, bool Lighter, double D)
{
    const double T = Lighter ? 255 : 1;
    return uint8_t(std::min<int64_t>(Round((T * D + Value) / (1 + D)), 255));
}

uint16_t Channel16(uint8_t Value)
{
    return uint16_t(Value << 8);
}

unsigned AlignFlag(TAlignment Alignment)
{
    switch (Alignment) {
    case taLeftJustify:
        return DT_LEFT;
    case taRightJustify:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

} // namespace

TColor ContrastColor(TColor Color, uint8_t Percent)
{
    const double P = std::min<int>(Percent, 99) / 100.0;
    const double D = 1 / (1 - P) - 1;
    const COLORREF C = ColorToRGB(Color);
    const int R = GetRValue(C), G = GetGValue(C), B = GetBValue(C);
    const bool RedLowest = R < G && R < B;
    const bool GreenLowest = !RedLowest && G < R && G < B;
    const bool BlueLowest = !RedLowest && !GreenLowest && B < R && B < G;
    return TColor(RGB(CalcNewColor(uint16_t(R), !RedLowest, D),
                      CalcNewColor(uint16_t(G), !GreenLowest, D),
                      CalcNewColor(uint16_t(B), !BlueLowest, D)));
}

void DrawGradientRect(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2,
                      TPGGradientMode Mode)
{
    TGdiDC* DC = Canvas.Handle();
    if (!DC || Mode == gmMirrorLeftTop || Mode == gmMirrorRightTop)
        return;
    // System colours are resolved: their raw bytes are no colour at all.
    const COLORREF C1 = ColorToRGB(Color1), C2 = ColorToRGB(Color2);
    const TRIVERTEX Vertices[2] = {{R.Left, R.Top, Channel16(GetRValue(C1)),
                                    Channel16(GetGValue(C1)), Channel16(GetBValue(C1)), 0},
                                   {R.Right, R.Bottom, Channel16(GetRValue(C2)),
                                    Channel16(GetGValue(C2)), Channel16(GetBValue(C2)), 0}};
    const GRADIENT_RECT Mesh{0, 1};
    const bool Horizontal = Mode == gmHorizontal || Mode == gmMirrorHorizontal;
    GradientFill(*DC, Vertices, 2, &Mesh, 1,
                 Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void GradientFillRect(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2,
                      TPGGradientFillMode Mode)
{
    DrawGradientRect(Canvas, R, Color1, Color2, Mode == fmHorizontal ? gmHorizontal : gmVertical);
}

void DrawControlText(TCanvas& Canvas, const TRect& R, const std::string& Text, bool Enabled,
                     TAlignment Alignment, bool EndEllipsis)
{
    const unsigned Flag = AlignFlag(Alignment);
    TRect T = R;
    Canvas.RealizeFont();
    if (TGdiDC* DC = Canvas.Handle())
        DC->DrawText(Text, T, Flag | DT_CALCRECT | DT_WORDBREAK | DT_NOCLIP);
    int DX = 0;
    if (Alignment == taCenter) {
        DX = (R.Width() - T.Width()) / 2;
        if (DX < 0) {
            DX = 0;
            if (EndEllipsis)
                T.Right = R.Right;
        }
    } else {
        T.Left = R.Left;
        T.Right = R.Right;
    }
    const int DY = std::max((R.Height() - T.Height()) / 2, 0);
    T = {T.Left + DX, T.Top + DY - 1, T.Right + DX, T.Bottom + DY - 1};
    unsigned Format = Flag | DT_WORDBREAK;
    if (EndEllipsis)
        Format |= DT_END_ELLIPSIS | DT_NOCLIP;
    DrawControlText(Canvas, T, Text, Format, Enabled);
}
