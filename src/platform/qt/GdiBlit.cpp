#include "platform/qt/GdiBlit.h"
#include "platform/qt/GdiDraw.h"

#include <QPainterPathStroker>
#include <algorithm>

bool TGdiDC::BeginPath()
{
    fPath = QPainterPath();
    fPath->moveTo(fPos.X, fPos.Y);
    fPathOpen = true;
    return true;
}

bool TGdiDC::EndPath()
{
    if (!fPathOpen)
        return false;
    fPathOpen = false;
    return true;
}

bool TGdiDC::AbortPath()
{
    fPath.reset();
    fPathOpen = false;
    return true;
}

bool TGdiDC::WidenPath()
{
    if (!fPath || fPathOpen)
        return false;
    QPainterPathStroker Stroker(TGdiDraw::WidePen(fPen, fPen.Color));
    Stroker.setWidth(std::max(fPen.Width, 1));
    fPath = Stroker.createStroke(*fPath);
    return true;
}

bool TGdiDC::StrokeAndFillPath()
{
    if (!fPath || fPathOpen || !Drawing())
        return false;
    QPainterPath Path = *fPath;
    fPath.reset();
    fPainter->save();
    Path.setFillRule(fPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush Brush = TGdiDraw::MakeBrush(*this, fBrush);
    COLORREF C = 0;
    if (Brush.style() != Qt::NoBrush && TGdiDraw::PrepareRop(*this, C))
        fPainter->fillPath(Path, Brush);
    C = fPen.Color;
    if (!fPen.IsNull() && TGdiDraw::PrepareRop(*this, C)) {
        QPen P = TGdiDraw::WidePen(fPen, C);
        if (fPen.IsThin())
            P.setWidth(0);
        fPainter->strokePath(Path, P);
    }
    fPainter->restore();
    return true;
}

bool TGdiDC::StrokePath()
{
    const TGdiBrush Saved = SelectBrush(NullBrush());
    const bool Done = StrokeAndFillPath();
    SelectBrush(Saved);
    return Done;
}

bool TGdiDC::FillPath()
{
    const TGdiPen Saved = SelectPen(CreatePen(PS_NULL, 0, 0));
    const bool Done = StrokeAndFillPath();
    SelectPen(Saved);
    return Done;
}

bool TGdiDC::SelectClipPath(int Mode)
{
    if (!fPath || fPathOpen)
        return false;
    QPainterPath Path = *fPath;
    fPath.reset();
    Path.setFillRule(fPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const TGdiRegion Rgn{TGdiDraw::PathRegion(Path, TGdiDraw::DeviceRect(*this))};
    return ExtSelectClipRgn(&Rgn, Mode) != ERROR_REGION;
}

namespace {

bool RopMode(uint32_t Rop, QPainter::CompositionMode& Mode)
{
    switch (Rop) {
    case SRCCOPY:
        Mode = QPainter::CompositionMode_Source;
        return true;
    case SRCPAINT:
        Mode = QPainter::RasterOp_SourceOrDestination;
        return true;
    case SRCAND:
        Mode = QPainter::RasterOp_SourceAndDestination;
        return true;
    case SRCINVERT:
        Mode = QPainter::RasterOp_SourceXorDestination;
        return true;
    case NOTSRCCOPY:
        Mode = QPainter::RasterOp_NotSource;
        return true;
    default:
        return false;
    }
}

} // namespace

bool TGdiDC::StretchBlt(int X, int Y, int W, int H, const TGdiDC* Src, int SX, int SY, int SW,
                        int SH, uint32_t Rop)
{
    QPainter::CompositionMode Mode;
    if (!RopMode(Rop, Mode))
        return PatBlt(X, Y, W, H, Rop);
    if (!Drawing() || !Src || !Src->fImage || W == 0 || H == 0 || SW == 0 || SH == 0)
        return false;
    // Negative sizes mirror, running back from the start pixel they include.
    auto Start = [](int P, int Size) { return Size < 0 ? P + Size + 1 : P; };
    const QRect Source(Start(SX, SW), Start(SY, SH), std::abs(SW), std::abs(SH));
    const QRect Target(Start(X, W), Start(Y, H), std::abs(W), std::abs(H));
    const bool MirrorX = (SW < 0) != (W < 0), MirrorY = (SH < 0) != (H < 0);
    if (!fImage && Mode != QPainter::CompositionMode_Source)
        Mode = QPainter::CompositionMode_SourceOver;
    fPainter->save();
    fPainter->setCompositionMode(Mode);
    // A plain copy of pixels inside the source (a whole frame) goes across
    // without an intermediate image; mirroring, stretching, reading beyond
    // the source or blitting an image onto itself copies the part first.
    const bool Plain = !MirrorX && !MirrorY && Source.size() == Target.size() &&
                       Src->fImage != fImage && Src->fImage->rect().contains(Source);
    if (Plain)
        fPainter->drawImage(Target.topLeft(), *Src->fImage, Source);
    else
        fPainter->drawImage(Target, Src->fImage->copy(Source).mirrored(MirrorX, MirrorY));
    fPainter->restore();
    return true;
}

bool TGdiDC::BitBlt(int X, int Y, int W, int H, const TGdiDC* Src, int SX, int SY, uint32_t Rop)
{
    return StretchBlt(X, Y, W, H, Src, SX, SY, W, H, Rop);
}

bool TGdiDC::PatBlt(int X, int Y, int W, int H, uint32_t Rop)
{
    if (!Drawing())
        return false;
    const QRect R(std::min(X, X + W), std::min(Y, Y + H), std::abs(W), std::abs(H));
    fPainter->save();
    QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver;
    QBrush Brush = TGdiDraw::MakeBrush(*this, fBrush);
    switch (Rop) {
    case PATCOPY:
        break;
    case PATINVERT:
        Mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case DSTINVERT:
        Mode = QPainter::RasterOp_NotDestination;
        break;
    case BLACKNESS:
        Brush = QBrush(Qt::black);
        break;
    case WHITENESS:
        Brush = QBrush(Qt::white);
        break;
    default:
        fPainter->restore();
        return false;
    }
    if (!fImage)
        Mode = QPainter::CompositionMode_SourceOver;
    fPainter->setCompositionMode(Mode);
    fPainter->fillRect(R, Brush);
    fPainter->restore();
    return true;
}

bool AlphaBlend(TGdiDC& Dest, int X, int Y, int W, int H, const TGdiDC& Src, int SX, int SY, int SW,
                int SH, BLENDFUNCTION Blend)
{
    if (!Src.Image() || W <= 0 || H <= 0 || SW <= 0 || SH <= 0 || !Dest.DeviceWidth())
        return false;
    if (Blend.SourceConstantAlpha == 0)
        return true;
    QImage Part = Src.Image()->copy(SX, SY, SW, SH);
    if (!(Blend.AlphaFormat & AC_SRC_ALPHA))
        Part = Part.convertToFormat(QImage::Format_RGB32);
    QPainter& P = Dest.Painter();
    P.save();
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.setOpacity(Blend.SourceConstantAlpha / 255.0);
    P.drawImage(QRect(X, Y, W, H), Part);
    P.restore();
    return true;
}

namespace {

QColor Mix(const TRIVERTEX& A, const TRIVERTEX& B, int64_t Num, int64_t Den)
{
    auto Ch = [&](uint16_t CA, uint16_t CB) {
        return int((CA + (int64_t(CB) - CA) * Num / std::max<int64_t>(Den, 1)) >> 8);
    };
    return QColor(Ch(A.Red, B.Red), Ch(A.Green, B.Green), Ch(A.Blue, B.Blue));
}

void GradientRect(QPainter& P, const TRIVERTEX& A, const TRIVERTEX& B, bool Vertical)
{
    const int L = std::min(A.x, B.x), R = std::max(A.x, B.x);
    const int T = std::min(A.y, B.y), Bm = std::max(A.y, B.y);
    const TRIVERTEX& First = Vertical ? (A.y <= B.y ? A : B) : (A.x <= B.x ? A : B);
    const TRIVERTEX& Last = &First == &A ? B : A;
    const int Steps = Vertical ? Bm - T : R - L;
    for (int I = 0; I < Steps; ++I) {
        const QRect Line = Vertical ? QRect(L, T + I, R - L, 1) : QRect(L + I, T, 1, Bm - T);
        P.fillRect(Line, Mix(First, Last, I, Steps));
    }
}

void GradientTriangle(QPainter& P, const QRect& Device, const TRIVERTEX& A, const TRIVERTEX& B,
                      const TRIVERTEX& C)
{
    const QRect Box = QRect(QPoint(std::min({A.x, B.x, C.x}), std::min({A.y, B.y, C.y})),
                            QPoint(std::max({A.x, B.x, C.x}), std::max({A.y, B.y, C.y}))) &
                      Device;
    const double Area = double(B.x - A.x) * (C.y - A.y) - double(C.x - A.x) * (B.y - A.y);
    if (Box.isEmpty() || Area == 0)
        return;
    QImage Patch(Box.size(), QImage::Format_ARGB32);
    Patch.fill(0);
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X) {
            const double WB =
                (double(X - A.x) * (C.y - A.y) - double(C.x - A.x) * (Y - A.y)) / Area;
            const double WC =
                (double(B.x - A.x) * (Y - A.y) - double(X - A.x) * (B.y - A.y)) / Area;
            const double WA = 1 - WB - WC;
            if (WA < 0 || WB < 0 || WC < 0)
                continue;
            auto Ch = [&](uint16_t CA, uint16_t CB, uint16_t CC) {
                return int(WA * CA + WB * CB + WC * CC) >> 8;
            };
            Patch.setPixel(X - Box.left(), Y - Box.top(),
                           qRgb(Ch(A.Red, B.Red, C.Red), Ch(A.Green, B.Green, C.Green),
                                Ch(A.Blue, B.Blue, C.Blue)));
        }
    P.drawImage(Box.topLeft(), Patch);
}

} // namespace

bool GradientFill(TGdiDC& DC, const TRIVERTEX* Vertices, uint32_t NumVertices, const void* Mesh,
                  uint32_t NumMesh, uint32_t Mode)
{
    if (!Vertices || !Mesh || Mode > GRADIENT_FILL_TRIANGLE || !DC.DeviceWidth())
        return false;
    QPainter& P = DC.Painter();
    P.save();
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    bool Ok = true;
    for (uint32_t I = 0; I < NumMesh; ++I) {
        if (Mode == GRADIENT_FILL_TRIANGLE) {
            const auto& T = static_cast<const GRADIENT_TRIANGLE*>(Mesh)[I];
            if (std::max({T.Vertex1, T.Vertex2, T.Vertex3}) >= NumVertices) {
                Ok = false;
                break;
            }
            GradientTriangle(P, QRect(0, 0, DC.DeviceWidth(), DC.DeviceHeight()),
                             Vertices[T.Vertex1], Vertices[T.Vertex2], Vertices[T.Vertex3]);
            continue;
        }
        const auto& R = static_cast<const GRADIENT_RECT*>(Mesh)[I];
        if (std::max(R.UpperLeft, R.LowerRight) >= NumVertices) {
            Ok = false;
            break;
        }
        GradientRect(P, Vertices[R.UpperLeft], Vertices[R.LowerRight],
                     Mode == GRADIENT_FILL_RECT_V);
    }
    P.restore();
    return Ok;
}

bool DrawFocusRect(TGdiDC& DC, const TRect& R)
{
    if (!DC.Image() || R.IsEmpty())
        return false;
    QVector<QPoint> Dots;
    auto Add = [&](int X, int Y) {
        if ((X + Y) % 2 == 0)
            Dots << QPoint(X, Y);
    };
    for (int X = R.Left; X < R.Right; ++X) {
        Add(X, R.Top);
        if (R.Bottom - 1 > R.Top)
            Add(X, R.Bottom - 1);
    }
    for (int Y = R.Top + 1; Y < R.Bottom - 1; ++Y) {
        Add(R.Left, Y);
        if (R.Right - 1 > R.Left)
            Add(R.Right - 1, Y);
    }
    QPainter& P = DC.Painter();
    P.save();
    P.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    P.setPen(QPen(Qt::white, 0));
    P.drawPoints(Dots.data(), int(Dots.size()));
    P.restore();
    return true;
}

namespace {

// One ring of an edge: top and left in one colour, bottom and right in the other.
void EdgeRing(TGdiDC& DC, TRect& R, unsigned Flags, COLORREF TopLeft, COLORREF BottomRight)
{
    const TGdiBrush LT = CreateSolidBrush(TopLeft), RB = CreateSolidBrush(BottomRight);
    if (Flags & BF_BOTTOM)
        DC.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, RB);
    if (Flags & BF_RIGHT)
        DC.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, RB);
    if (Flags & BF_TOP)
        DC.FillRect({R.Left, R.Top, R.Right - 1, R.Top + 1}, LT);
    if (Flags & BF_LEFT)
        DC.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom - 1}, LT);
    R.Left += (Flags & BF_LEFT) ? 1 : 0;
    R.Top += (Flags & BF_TOP) ? 1 : 0;
    R.Right -= (Flags & BF_RIGHT) ? 1 : 0;
    R.Bottom -= (Flags & BF_BOTTOM) ? 1 : 0;
}

} // namespace

bool DrawEdge(TGdiDC& DC, TRect& R, unsigned Edge, unsigned Flags)
{
    TRect Inner = R;
    const bool Soft = Flags & BF_SOFT;
    if (Flags & (BF_FLAT | BF_MONO)) {
        const COLORREF Outer = GetSysColor((Flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        const COLORREF In = GetSysColor((Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
        if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
            EdgeRing(DC, Inner, Flags, Outer, Outer);
        if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
            EdgeRing(DC, Inner, Flags, In, In);
    } else {
        if (Edge & BDR_RAISEDOUTER)
            EdgeRing(DC, Inner, Flags, GetSysColor(Soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT),
                     GetSysColor(COLOR_3DDKSHADOW));
        else if (Edge & BDR_SUNKENOUTER)
            EdgeRing(DC, Inner, Flags, GetSysColor(COLOR_BTNSHADOW),
                     GetSysColor(COLOR_BTNHIGHLIGHT));
        if (Edge & BDR_RAISEDINNER)
            EdgeRing(DC, Inner, Flags, GetSysColor(Soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT),
                     GetSysColor(COLOR_BTNSHADOW));
        else if (Edge & BDR_SUNKENINNER)
            EdgeRing(DC, Inner, Flags, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    }
    if (Flags & BF_MIDDLE)
        DC.FillRect(Inner, CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    if (Flags & BF_ADJUST)
        R = Inner;
    return true;
}
