#include "platform/qt/GdiDraw.h"

#include <algorithm>

namespace {

// Where the shapes may go straight into the image's rows: one logical pixel
// is one pixel of the image (not so on an image of a higher pixel ratio).
bool Writable(TGdiDC& DC)
{
    const QImage* Image = DC.Image();
    return Image && DC.Painter().isActive() &&
           DC.Painter().deviceTransform().type() == QTransform::TxNone &&
           DC.Painter().compositionMode() == QPainter::CompositionMode_SourceOver &&
           (Image->format() == QImage::Format_RGB32 ||
            Image->format() == QImage::Format_ARGB32_Premultiplied);
}

// The pixels [L, R) x [T, B) of the image in one colour, inside the clip.
void Fill(QImage& Image, const std::vector<QRect>& Clip, const QRect& Box, QRgb Colour)
{
    uchar* Bits = const_cast<uchar*>(std::as_const(Image).constBits());
    const qsizetype Stride = Image.bytesPerLine();
    for (const QRect& C : Clip) {
        const int L = std::max(Box.left(), C.left()), R = std::min(Box.right(), C.right());
        const int T = std::max(Box.top(), C.top()), B = std::min(Box.bottom(), C.bottom());
        for (int Y = T; Y <= B && L <= R; ++Y) {
            QRgb* Row = reinterpret_cast<QRgb*>(Bits + Y * Stride);
            std::fill(Row + L, Row + R + 1, Colour);
        }
    }
}

// The rectangle as Rectangle draws it with a thin solid pen (or a null
// pen) and a solid brush: the outline on Left..Right-1 and Top..Bottom-1,
// the fill inside it; a null pen's fill covers Left..Right-2, Top..Bottom-2.
void WriteBox(TGdiDC& DC, const std::vector<QRect>& Clip, const TGdiShape& S)
{
    int L = std::min(S.R.Left, S.R.Right), R = std::max(S.R.Left, S.R.Right);
    int T = std::min(S.R.Top, S.R.Bottom), B = std::max(S.R.Top, S.R.Bottom);
    const QRect Device(0, 0, DC.DeviceWidth(), DC.DeviceHeight());
    // Far corners come in to just outside the device, as Rectangle does.
    L = std::clamp(L, -3, Device.width() + 3);
    R = std::clamp(R, -3, Device.width() + 3);
    T = std::clamp(T, -3, Device.height() + 3);
    B = std::clamp(B, -3, Device.height() + 3);
    if (R - L < 1 || B - T < 1)
        return;
    QImage& Image = *DC.Image();
    const QRgb Pen = ToQRgb(S.Pen), Brush = ToQRgb(S.Fill);
    if (!S.Outline) {
        Fill(Image, Clip, QRect(QPoint(L, T), QPoint(R - 2, B - 2)), Brush);
        return;
    }
    Fill(Image, Clip, QRect(QPoint(L + 1, T + 1), QPoint(R - 2, B - 2)), Brush);
    Fill(Image, Clip, QRect(QPoint(L, T), QPoint(R - 1, T)), Pen);
    Fill(Image, Clip, QRect(QPoint(L, B - 1), QPoint(R - 1, B - 1)), Pen);
    Fill(Image, Clip, QRect(QPoint(L, T), QPoint(L, B - 1)), Pen);
    Fill(Image, Clip, QRect(QPoint(R - 1, T), QPoint(R - 1, B - 1)), Pen);
}

} // namespace

void TGdiDC::DrawShapes(const std::vector<TGdiShape>& Shapes)
{
    if (!Drawing() && !fPathOpen)
        return;
    const bool Write = !fPathOpen && Writable(*this);
    const std::vector<QRect> Clip = Write ? TGdiDraw::ClipArea(*this) : std::vector<QRect>();
    const TGdiPen SavedPen = fPen;
    const TGdiBrush SavedBrush = fBrush;
    const int SavedRop = std::exchange(fRop2, R2_COPYPEN);
    const TPoint SavedPos = fPos;
    const int SavedPhase = fStylePhase;
    for (const TGdiShape& S : Shapes) {
        if (S.Kind == TGdiShape::Line) {
            const TPoint A{S.R.Left, S.R.Top}, B{S.R.Right, S.R.Bottom};
            if (Write && TGdiDraw::WriteSolidLine(*this, Clip, A, B, S.Pen))
                continue;
            fPen = CreatePen(PS_SOLID, 1, S.Pen);
            MoveToEx(A.X, A.Y);
            LineTo(B.X, B.Y);
        } else if (Write) {
            WriteBox(*this, Clip, S);
        } else {
            fPen = S.Outline ? CreatePen(PS_SOLID, 1, S.Pen) : CreatePen(PS_NULL, 0, 0);
            fBrush = CreateSolidBrush(S.Fill);
            Rectangle(S.R.Left, S.R.Top, S.R.Right, S.R.Bottom);
        }
    }
    fPen = SavedPen;
    fBrush = SavedBrush;
    fRop2 = SavedRop;
    fPos = SavedPos;
    fStylePhase = SavedPhase;
}
