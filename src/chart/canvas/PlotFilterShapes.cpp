#include "chart/canvas/PlotFilterKinds.h"
#include "chart/canvas/PlotResample.h"
#include "platform/SysUtils.h"

#include <cmath>
#include <cstring>

namespace {

QRect ToQRect(const TRect& Inclusive)
{
    return QRect(QPoint(Inclusive.Left, Inclusive.Top), QPoint(Inclusive.Right, Inclusive.Bottom));
}

// Copies Part into Into at At, inside Clip, row by row: the image may be a
// canvas's buffer with a painter working on it.
void Paste(QImage& Into, const QImage& Part, QPoint At, const QRect& Clip)
{
    const QRect Area = QRect(At, Part.size()) & Clip & Into.rect();
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        std::memcpy(Into.scanLine(Y) + 4 * Area.left(),
                    Part.constScanLine(Y - At.y()) + 4 * (Area.left() - At.x()),
                    size_t(Area.width()) * 4);
}

// A new picture for the filter's image: written into it when the size is
// the same, so that the image's own storage stays.
void Replace(QImage& Bitmap, QImage Result)
{
    Result.convertTo(QImage::Format_RGB32);
    if (Result.size() == Bitmap.size())
        Paste(Bitmap, Result, {0, 0}, Bitmap.rect());
    else
        Bitmap = std::move(Result);
}

QImage Stretched(const QImage& Part, QSize Size, bool Smooth)
{
    if (Smooth)
        return SmoothBitmap(Part, Size.width(), Size.height());
    return Part.scaled(Size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// The part Src of the image stretched over Dst.
void StretchPart(QImage& Bitmap, const QRect& Src, const QRect& Dst, bool Smooth)
{
    if (Src.isEmpty() || Dst.isEmpty())
        return;
    Paste(Bitmap, Stretched(Bitmap.copy(Src), Dst.size(), Smooth), Dst.topLeft(), Dst);
}

} // namespace

void TResizeFilter::DoApply(QImage& Bitmap, const TRect&)
{
    if (Width >= 1 && Height >= 1)
        Replace(Bitmap, SmoothBitmap(Bitmap, Width, Height));
}

void TCropFilter::DoApply(QImage& Bitmap, const TRect&)
{
    if (Width >= 1 && Height >= 1)
        StretchPart(Bitmap, QRect(Left, Top, Width, Height) & Bitmap.rect(), Bitmap.rect(), Smooth);
}

void TRotateFilter::DoApply(QImage& Bitmap, const TRect&)
{
    const double A = FAngle * PlotPiStep, C = std::cos(A), S = std::sin(A);
    const int W = Bitmap.width(), H = Bitmap.height();
    int NW = W, NH = H;
    if (FAutoSize) {
        // The bounding box of the turned picture; a whisker of rounding
        // error must not add a column.
        NW = int(std::ceil(std::abs(W * C) + std::abs(H * S) - 1e-9));
        NH = int(std::ceil(std::abs(W * S) + std::abs(H * C) - 1e-9));
    }
    QImage Result(NW, NH, QImage::Format_RGB32);
    const TRGBX Back = PlotPixel(ColorToRGB(BackColor));
    // Each new pixel's centre turned back onto the old picture.
    for (int Y = 0; Y < NH; ++Y) {
        auto* Line = reinterpret_cast<TRGBX*>(Result.scanLine(Y));
        const double DY = Y + 0.5 - NH / 2.0;
        for (int X = 0; X < NW; ++X) {
            const double DX = X + 0.5 - NW / 2.0;
            const int SX = int(std::floor(W / 2.0 + DX * C - DY * S));
            const int SY = int(std::floor(H / 2.0 + DX * S + DY * C));
            Line[X] = SX >= 0 && SX < W && SY >= 0 && SY < H
                          ? reinterpret_cast<const TRGBX*>(Bitmap.constScanLine(SY))[SX]
                          : Back;
        }
    }
    Replace(Bitmap, std::move(Result));
}

void TMirrorFilter::DoApply(QImage& Bitmap, const TRect&)
{
    const bool Vertical = Direction == mdDown || Direction == mdUp;
    const QImage Picture = Bitmap;
    const QImage Mirror = Picture.mirrored(!Vertical, Vertical);
    const QSize Size = Vertical ? QSize(Picture.width(), 2 * Picture.height())
                                : QSize(2 * Picture.width(), Picture.height());
    QImage Result(Size, QImage::Format_RGB32);
    const QPoint Second = Vertical ? QPoint(0, Picture.height()) : QPoint(Picture.width(), 0);
    const bool MirrorFirst = Direction == mdUp || Direction == mdLeft;
    Paste(Result, MirrorFirst ? Mirror : Picture, {0, 0}, Result.rect());
    Paste(Result, MirrorFirst ? Picture : Mirror, Second, Result.rect());
    Bitmap = std::move(Result);
}

void TTileFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const QRect Area = ToQRect(R);
    // Cells are rounded up so that they cover the area; the last ones are cut.
    const int CW = (Area.width() + FNumCols - 1) / FNumCols;
    const int CH = (Area.height() + FNumRows - 1) / FNumRows;
    const QImage Cell = SmoothBitmap(Bitmap.copy(Area), CW, CH);
    for (int Row = 0; Row < FNumRows; ++Row)
        for (int Col = 0; Col < FNumCols; ++Col)
            Paste(Bitmap, Cell, Area.topLeft() + QPoint(Col * CW, Row * CH), Area);
}

void TBevelFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    auto Shade = [&](int X, int Y, int By) {
        TRGBX& P = Lines[size_t(Y)][X];
        P.Blue = uint8_t(std::clamp(P.Blue + By, 0, 255));
        P.Green = uint8_t(std::clamp(P.Green + By, 0, 255));
        P.Red = uint8_t(std::clamp(P.Red + By, 0, 255));
    };
    for (int K = 0; K < Size; ++K) {
        const int L = R.Left + K, T = R.Top + K, Rt = R.Right - K, B = R.Bottom - K;
        if (L > Rt || T > B)
            break;
        for (int X = L; X <= Rt; ++X) {
            Shade(X, T, Bright);
            if (B != T)
                Shade(X, B, -Bright);
        }
        for (int Y = T + 1; Y < B; ++Y) {
            Shade(L, Y, Bright);
            if (Rt != L)
                Shade(Rt, Y, -Bright);
        }
    }
}

void TZoomFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const QRect Area = ToQRect(R);
    const int DX = int(Round(Area.width() * Percent / 200));
    const int DY = int(Round(Area.height() * Percent / 200));
    StretchPart(Bitmap, Area.adjusted(DX, DY, -DX, -DY), Area, Smooth);
}
