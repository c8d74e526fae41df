#include "platform/qt/GdiDraw.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

TGdiDC::TGdiDC(QImage* Image)
{
    Attach(Image);
}

TGdiDC::TGdiDC(QPaintDevice* Device)
{
    Begin(Device);
}

TGdiDC::~TGdiDC()
{
    Detach();
}

void TGdiDC::Begin(QPaintDevice* Device)
{
    fDevice = Device;
    fPainter = std::make_unique<QPainter>(Device);
    fPainter->setRenderHint(QPainter::Antialiasing, false);
    fPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    fClip.reset();
}

void TGdiDC::Attach(QImage* Image)
{
    Detach();
    fImage = Image;
    if (Image && !Image->isNull())
        Begin(Image);
}

void TGdiDC::Detach()
{
    if (fPainter && fPainter->isActive())
        fPainter->end();
    fPainter.reset();
    fImage = nullptr;
    fDevice = nullptr;
}

int TGdiDC::DeviceWidth() const
{
    return fDevice ? fDevice->width() : 0;
}

int TGdiDC::DeviceHeight() const
{
    return fDevice ? fDevice->height() : 0;
}

TGdiPen TGdiDC::SelectPen(const TGdiPen& Pen)
{
    return std::exchange(fPen, Pen);
}

TGdiBrush TGdiDC::SelectBrush(const TGdiBrush& Brush)
{
    return std::exchange(fBrush, Brush);
}

TLogFont TGdiDC::SelectFont(const TLogFont& Font)
{
    if (!(Font == fFont))
        fFontTexts = nullptr;
    return std::exchange(fFont, Font);
}

COLORREF TGdiDC::SetTextColor(COLORREF Color)
{
    return std::exchange(fTextColor, Color & 0xFFFFFF);
}

COLORREF TGdiDC::SetBkColor(COLORREF Color)
{
    return std::exchange(fBkColor, Color & 0xFFFFFF);
}

int TGdiDC::SetBkMode(int Mode)
{
    if (Mode != TRANSPARENT && Mode != OPAQUE)
        return 0;
    return std::exchange(fBkMode, Mode);
}

int TGdiDC::SetROP2(int Mode)
{
    if (Mode < R2_BLACK || Mode > R2_WHITE)
        return 0;
    return std::exchange(fRop2, Mode);
}

int TGdiDC::SetTextAlign(int Align)
{
    return std::exchange(fTextAlign, Align);
}

int TGdiDC::SetTextCharacterExtra(int Extra)
{
    if (Extra != fCharExtra)
        fFontTexts = nullptr;
    return std::exchange(fCharExtra, Extra);
}

int TGdiDC::SetGraphicsMode(int Mode)
{
    if (Mode != GM_COMPATIBLE && Mode != GM_ADVANCED)
        return 0;
    return std::exchange(fGraphicsMode, Mode);
}

int TGdiDC::SetPolyFillMode(int Mode)
{
    if (Mode != ALTERNATE && Mode != WINDING)
        return 0;
    return std::exchange(fPolyFillMode, Mode);
}

bool TGdiDC::MoveToEx(int X, int Y, TPoint* Old)
{
    if (Old)
        *Old = fPos;
    fPos = {X, Y};
    fStylePhase = 0;
    if (fPathOpen)
        fPath->moveTo(X, Y);
    return true;
}

bool TGdiDC::LineTo(int X, int Y)
{
    if (fPathOpen) {
        fPath->lineTo(X, Y);
    } else if (Drawing() && TGdiDraw::IsCopyPen(*this)) {
        // The common line needs no saved painter state: one per line costs
        // more than the line.
        TGdiDraw::CopyPenLine(*this, fPos, {X, Y});
    } else if (Drawing()) {
        fPainter->save();
        TGdiDraw::PenLine(*this, fPos, {X, Y});
        fPainter->restore();
    }
    fPos = {X, Y};
    return true;
}

bool TGdiDC::Polyline(const TPoint* Points, int Count)
{
    if (Count < 2)
        return false;
    const TPoint Saved = fPos;
    MoveToEx(Points[0].X, Points[0].Y);
    for (int I = 1; I < Count; ++I)
        LineTo(Points[I].X, Points[I].Y);
    fPos = Saved;
    return true;
}

namespace {

QRect ShapeRect(int Left, int Top, int Right, int Bottom)
{
    // A shape covers Left..Right-1; Qt's rectangle of width W-1 paints W pixels.
    if (Right < Left)
        std::swap(Left, Right);
    if (Bottom < Top)
        std::swap(Top, Bottom);
    return QRect(Left, Top, Right - Left - 1, Bottom - Top - 1);
}

bool OutsideRaster(const QRect& R)
{
    return R.left() < -RasterLimit || R.top() < -RasterLimit || R.right() > RasterLimit ||
           R.bottom() > RasterLimit;
}

} // namespace

bool TGdiDC::Polygon(const TPoint* Points, int Count)
{
    if (Count < 2)
        return false;
    std::vector<TPoint> Pts(Points, Points + Count);
    if (fPathOpen) {
        fPath->moveTo(Pts[0].X, Pts[0].Y);
        for (int I = 1; I < Count; ++I)
            fPath->lineTo(Pts[I].X, Pts[I].Y);
        fPath->closeSubpath();
        return true;
    }
    if (!Drawing())
        return false;
    fPainter->save();
    QPolygonF Poly;
    for (const TPoint& P : Pts)
        Poly << QPointF(P.X, P.Y);
    const Qt::FillRule Rule = fPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    TGdiDraw::FillPolygon(*this, Poly, TGdiDraw::MakeBrush(*this, fBrush), Rule);
    TGdiDraw::PenOutline(*this, Pts);
    fPainter->restore();
    return true;
}

bool TGdiDC::Rectangle(int Left, int Top, int Right, int Bottom)
{
    if (fPathOpen) {
        const QRect R = ShapeRect(Left, Top, Right, Bottom);
        fPath->addRect(QRectF(R.left(), R.top(), R.width(), R.height()));
        return true;
    }
    if (!Drawing())
        return false;
    if (Right < Left)
        std::swap(Left, Right);
    if (Bottom < Top)
        std::swap(Top, Bottom);
    // Far coordinates are pulled in to just outside the device: exact for
    // axis-aligned edges.
    const int M = std::max(fPen.Width, 1) + 2;
    Left = std::clamp(Left, -M, DeviceWidth() + M);
    Right = std::clamp(Right, -M, DeviceWidth() + M);
    Top = std::clamp(Top, -M, DeviceHeight() + M);
    Bottom = std::clamp(Bottom, -M, DeviceHeight() + M);
    if (Right - Left < 1 || Bottom - Top < 1)
        return true;
    const QBrush Brush = TGdiDraw::MakeBrush(*this, fBrush);
    if (TGdiDraw::IsCopyPen(*this)) {
        // Qt's cosmetic rectangle is the platform's outline, pixel for
        // pixel, with the fill inside it: one call, and no saved painter
        // state, where the general way costs a fill and four lines.
        const QBrush SavedBrush = fPainter->brush();
        TGdiDraw::SetThinPen(*fPainter, fPen.Color);
        fPainter->setBrush(Brush);
        fPainter->drawRect(ShapeRect(Left, Top, Right, Bottom));
        fPainter->setBrush(SavedBrush);
        return true;
    }
    const bool Inside = fPen.Kind() == PS_INSIDEFRAME && !fPen.IsThin();
    fPainter->save();
    COLORREF Unused = 0;
    if (Brush.style() != Qt::NoBrush && TGdiDraw::PrepareRop(*this, Unused)) {
        QRect Fill = ShapeRect(Left, Top, Right, Bottom);
        if (Inside)
            Fill = QRect(Left, Top, Right - Left, Bottom - Top);
        fPainter->setPen(Qt::NoPen);
        fPainter->setBrush(Brush);
        fPainter->drawRect(Fill);
    }
    if (fPen.IsThin() || fPen.IsNull()) {
        TGdiDraw::PenOutline(
            *this, {{Left, Top}, {Right - 1, Top}, {Right - 1, Bottom - 1}, {Left, Bottom - 1}});
    } else {
        COLORREF C = fPen.Color;
        if (TGdiDraw::PrepareRop(*this, C)) {
            QRect R = ShapeRect(Left, Top, Right, Bottom);
            if (Inside)
                R.adjust(fPen.Width / 2, fPen.Width / 2, -(fPen.Width - 1) / 2,
                         -(fPen.Width - 1) / 2);
            fPainter->setPen(TGdiDraw::WidePen(fPen, C));
            fPainter->setBrush(Qt::NoBrush);
            fPainter->drawRect(R);
        }
    }
    fPainter->restore();
    return true;
}

namespace {

// Fills and strokes a curved shape; far shapes become clipped polygons.
void PaintCurve(TGdiDC& DC, QPainterPath Path, bool Closed)
{
    QPainter& P = DC.Painter();
    P.save();
    if (OutsideRaster(Path.boundingRect().toAlignedRect())) {
        const QRectF Dev = QRectF(TGdiDraw::DeviceRect(DC)).adjusted(-4, -4, 4, 4);
        const QPolygonF Poly = TGdiDraw::ClipToRect(Path.toFillPolygon(), Dev);
        Path = QPainterPath();
        Path.addPolygon(Poly);
        if (Closed)
            Path.closeSubpath();
    }
    const QBrush Brush = TGdiDraw::MakeBrush(DC, DC.CurrentBrush());
    COLORREF Unused = 0;
    if (Closed && Brush.style() != Qt::NoBrush && TGdiDraw::PrepareRop(DC, Unused))
        P.fillPath(Path, Brush);
    const TGdiPen& Pen = DC.CurrentPen();
    COLORREF C = Pen.Color;
    if (!Pen.IsNull() && TGdiDraw::PrepareRop(DC, C)) {
        QPen QP = TGdiDraw::WidePen(Pen, C);
        if (Pen.IsThin()) {
            QP.setWidth(0);
            if (const auto Runs = TGdiDraw::StyleRuns(Pen); !Runs.empty()) {
                if (DC.GetBkMode() == OPAQUE)
                    P.strokePath(Path, QPen(ToQColor(DC.GetBkColor()), 0));
                QVector<qreal> Dashes(Runs.begin(), Runs.end());
                QP.setDashPattern(Dashes);
            }
        }
        P.strokePath(Path, QP);
    }
    P.restore();
}

QRectF EllipseBox(int L, int T, int R, int B, bool NullPen)
{
    const QRect Box = ShapeRect(L, T, R, B);
    // The path is traced through pixel centres; a null pen fills one pixel less.
    const double Shrink = NullPen ? 0.5 : 0.0;
    return QRectF(Box.left() + 0.5 - Shrink, Box.top() + 0.5 - Shrink, Box.width(), Box.height());
}

double ArcAngle(const QRectF& Box, int X, int Y)
{
    const double DX = X - Box.center().x(), DY = Box.center().y() - Y;
    const double RX = std::max(Box.width() / 2, 0.5), RY = std::max(Box.height() / 2, 0.5);
    return std::atan2(DY / RY, DX / RX) * 180 / M_PI;
}

double ArcSpan(double Start, double End)
{
    double Span = End - Start;
    while (Span <= 0)
        Span += 360;
    return Span;
}

} // namespace

bool TGdiDC::Curve(const QPainterPath& Path, bool Closed)
{
    if (fPathOpen) {
        fPath->addPath(Path);
        return true;
    }
    if (!Drawing())
        return false;
    PaintCurve(*this, Path, Closed);
    return true;
}

bool TGdiDC::Ellipse(int Left, int Top, int Right, int Bottom)
{
    QPainterPath Path;
    Path.addEllipse(EllipseBox(Left, Top, Right, Bottom, fPen.IsNull()));
    return Curve(Path, true);
}

bool TGdiDC::RoundRect(int Left, int Top, int Right, int Bottom, int W, int H)
{
    QPainterPath Path;
    Path.addRoundedRect(EllipseBox(Left, Top, Right, Bottom, fPen.IsNull()), W / 2.0, H / 2.0);
    return Curve(Path, true);
}

bool TGdiDC::Arc(int L, int T, int R, int B, int X1, int Y1, int X2, int Y2)
{
    const QRectF Box = EllipseBox(L, T, R, B, false);
    const double A1 = ArcAngle(Box, X1, Y1), A2 = ArcAngle(Box, X2, Y2);
    QPainterPath Path;
    Path.arcMoveTo(Box, A1);
    Path.arcTo(Box, A1, ArcSpan(A1, A2));
    return Curve(Path, false);
}

bool TGdiDC::Pie(int L, int T, int R, int B, int X1, int Y1, int X2, int Y2)
{
    const QRectF Box = EllipseBox(L, T, R, B, fPen.IsNull());
    const double A1 = ArcAngle(Box, X1, Y1), A2 = ArcAngle(Box, X2, Y2);
    QPainterPath Path;
    Path.moveTo(Box.center());
    Path.arcTo(Box, A1, ArcSpan(A1, A2));
    Path.closeSubpath();
    return Curve(Path, true);
}

int TGdiDC::FillRect(const TRect& R, const TGdiBrush& Brush)
{
    if (!Drawing() || R.IsEmpty())
        return 0;
    const QRect Dev = TGdiDraw::DeviceRect(*this).adjusted(-1, -1, 1, 1);
    const QRect Box = QRect(QPoint(std::clamp(R.Left, Dev.left(), Dev.right()),
                                   std::clamp(R.Top, Dev.top(), Dev.bottom())),
                            QPoint(std::clamp(R.Right, Dev.left(), Dev.right()) - 1,
                                   std::clamp(R.Bottom, Dev.top(), Dev.bottom()) - 1));
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    fPainter->fillRect(Box, TGdiDraw::MakeBrush(*this, Brush));
    fPainter->restore();
    return 1;
}

int TGdiDC::FrameRect(const TRect& R, const TGdiBrush& Brush)
{
    if (R.IsEmpty())
        return 0;
    FillRect({R.Left, R.Top, R.Right, R.Top + 1}, Brush);
    FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, Brush);
    FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, Brush);
    FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, Brush);
    return 1;
}

bool TGdiDC::FillRgn(const TGdiRegion& Rgn, const TGdiBrush& Brush)
{
    if (!Drawing())
        return false;
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QBrush B = TGdiDraw::MakeBrush(*this, Brush);
    for (const QRect& R : Rgn.R)
        fPainter->fillRect(R, B);
    fPainter->restore();
    return true;
}

COLORREF TGdiDC::SetPixel(int X, int Y, COLORREF Color)
{
    if (!Drawing() || !TGdiDraw::DeviceRect(*this).contains(X, Y))
        return CLR_INVALID;
    if (fClip && !fClip->contains(QPoint(X, Y)))
        return CLR_INVALID;
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_Source);
    fPainter->fillRect(QRect(X, Y, 1, 1), ToQColor(Color));
    fPainter->restore();
    return Color & 0xFFFFFF;
}

COLORREF TGdiDC::GetPixel(int X, int Y) const
{
    if (!fImage || !fImage->rect().contains(X, Y))
        return CLR_INVALID;
    if (fClip && !fClip->contains(QPoint(X, Y)))
        return CLR_INVALID;
    return FromQRgb(std::as_const(*fImage).pixel(X, Y));
}

void TGdiDC::ApplyClip()
{
    if (!Drawing())
        return;
    if (fClip)
        fPainter->setClipRegion(*fClip);
    else
        fPainter->setClipping(false);
}

int TGdiDC::ExtSelectClipRgn(const TGdiRegion* Rgn, int Mode)
{
    if (!Rgn) {
        if (Mode != RGN_COPY)
            return ERROR_REGION;
        fClip.reset();
        ApplyClip();
        return SIMPLEREGION;
    }
    const QRegion Current = fClip ? *fClip : QRegion(TGdiDraw::DeviceRect(*this));
    TGdiRegion Result;
    if (CombineRgn(Result, Mode == RGN_COPY ? *Rgn : TGdiRegion{Current}, *Rgn, Mode) ==
        ERROR_REGION)
        return ERROR_REGION;
    fClip = Result.R;
    ApplyClip();
    return RegionKind(*fClip);
}

int TGdiDC::SelectClipRgn(const TGdiRegion* Rgn)
{
    return ExtSelectClipRgn(Rgn, RGN_COPY);
}

int TGdiDC::IntersectClipRect(int Left, int Top, int Right, int Bottom)
{
    const TGdiRegion R = CreateRectRgn(Left, Top, Right, Bottom);
    return ExtSelectClipRgn(&R, RGN_AND);
}

int TGdiDC::ExcludeClipRect(int Left, int Top, int Right, int Bottom)
{
    const TGdiRegion R = CreateRectRgn(Left, Top, Right, Bottom);
    return ExtSelectClipRgn(&R, RGN_DIFF);
}

int TGdiDC::GetClipRgn(TGdiRegion& Rgn) const
{
    if (!fClip)
        return 0;
    Rgn.R = *fClip;
    return 1;
}

int TGdiDC::GetClipBox(TRect& R) const
{
    const QRegion Area = fClip ? *fClip : QRegion(TGdiDraw::DeviceRect(*this));
    return GetRgnBox(TGdiRegion{Area}, R);
}
