#include "platform/qt/GdiObjects.h"

#include <QPolygon>
#include <algorithm>

TGdiPen CreatePen(int Style, int Width, COLORREF Color)
{
    TGdiPen P;
    P.Style = Style & PS_STYLE_MASK;
    P.Width = std::max(Width, 0);
    P.Color = Color & 0xFFFFFF;
    if (P.Width > 1)
        P.Style |= PS_GEOMETRIC;
    return P;
}

TGdiPen ExtCreatePen(int Style, int Width, COLORREF Color, std::vector<uint32_t> UserStyle)
{
    TGdiPen P;
    P.Style = Style;
    P.Width = (Style & PS_GEOMETRIC) ? std::max(Width, 1) : 1;
    P.Color = Color & 0xFFFFFF;
    if (P.Kind() == PS_USERSTYLE)
        P.UserStyle = std::move(UserStyle);
    return P;
}

TGdiBrush CreateSolidBrush(COLORREF Color)
{
    TGdiBrush B;
    B.Color = Color & 0xFFFFFF;
    return B;
}

TGdiBrush CreateHatchBrush(int Hatch, COLORREF Color)
{
    TGdiBrush B;
    B.Style = BS_HATCHED;
    B.Hatch = std::clamp(Hatch, int(HS_HORIZONTAL), int(HS_DIAGCROSS));
    B.Color = Color & 0xFFFFFF;
    return B;
}

TGdiBrush CreatePatternBrush(const QImage& Pattern)
{
    TGdiBrush B;
    B.Style = Pattern.isNull() ? BS_NULL : BS_PATTERN;
    B.Pattern = Pattern;
    return B;
}

TGdiBrush NullBrush()
{
    TGdiBrush B;
    B.Style = BS_NULL;
    return B;
}

namespace {

// The box between two corners given in either order; Right and Bottom exclusive.
QRect OrderedBox(int Left, int Top, int Right, int Bottom)
{
    const int L = std::min(Left, Right), R = std::max(Left, Right);
    const int T = std::min(Top, Bottom), B = std::max(Top, Bottom);
    return QRect(L, T, R - L, B - T);
}

} // namespace

TGdiRegion CreateRectRgn(int Left, int Top, int Right, int Bottom)
{
    return {QRegion(OrderedBox(Left, Top, Right, Bottom))};
}

TGdiRegion CreateEllipticRgn(int Left, int Top, int Right, int Bottom)
{
    return {QRegion(OrderedBox(Left, Top, Right, Bottom), QRegion::Ellipse)};
}

TGdiRegion CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int W, int H)
{
    QRegion R(Left, Top, Right - Left, Bottom - Top);
    const int EW = std::min(W, Right - Left), EH = std::min(H, Bottom - Top);
    if (EW <= 1 || EH <= 1)
        return {R};
    // Square off each corner, then add back the quarter ellipse.
    const QRect Corners[4] = {{Left, Top, EW / 2, EH / 2},
                              {Right - EW / 2, Top, EW / 2, EH / 2},
                              {Left, Bottom - EH / 2, EW / 2, EH / 2},
                              {Right - EW / 2, Bottom - EH / 2, EW / 2, EH / 2}};
    const QRect Ovals[4] = {{Left, Top, EW, EH},
                            {Right - EW, Top, EW, EH},
                            {Left, Bottom - EH, EW, EH},
                            {Right - EW, Bottom - EH, EW, EH}};
    for (int I = 0; I < 4; ++I)
        R = R.subtracted(QRegion(Corners[I]))
                .united(QRegion(Ovals[I], QRegion::Ellipse).intersected(Corners[I]));
    return {R};
}

TGdiRegion CreatePolygonRgn(const TPoint* Points, int Count, int FillMode)
{
    QPolygon Poly;
    for (int I = 0; I < Count; ++I)
        Poly << QPoint(Points[I].X, Points[I].Y);
    return {QRegion(Poly, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill)};
}

int RegionKind(const QRegion& R)
{
    if (R.isEmpty())
        return NULLREGION;
    return R.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CombineRgn(TGdiRegion& Dest, const TGdiRegion& Src1, const TGdiRegion& Src2, int Mode)
{
    switch (Mode) {
    case RGN_AND:
        Dest.R = Src1.R.intersected(Src2.R);
        break;
    case RGN_OR:
        Dest.R = Src1.R.united(Src2.R);
        break;
    case RGN_XOR:
        Dest.R = Src1.R.xored(Src2.R);
        break;
    case RGN_DIFF:
        Dest.R = Src1.R.subtracted(Src2.R);
        break;
    case RGN_COPY:
        Dest.R = Src1.R;
        break;
    default:
        return ERROR_REGION;
    }
    return RegionKind(Dest.R);
}

int GetRgnBox(const TGdiRegion& Rgn, TRect& Box)
{
    const QRect B = Rgn.R.boundingRect();
    Box = B.isEmpty() ? TRect{} : TRect{B.left(), B.top(), B.right() + 1, B.bottom() + 1};
    return RegionKind(Rgn.R);
}

bool PtInRegion(const TGdiRegion& Rgn, int X, int Y)
{
    return Rgn.R.contains(QPoint(X, Y));
}

QColor ToQColor(COLORREF Color)
{
    return QColor(GetRValue(Color), GetGValue(Color), GetBValue(Color));
}

COLORREF FromQRgb(QRgb Rgb)
{
    return RGB(uint8_t(qRed(Rgb)), uint8_t(qGreen(Rgb)), uint8_t(qBlue(Rgb)));
}
