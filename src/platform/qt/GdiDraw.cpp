#include "platform/qt/GdiDraw.h"

#include <algorithm>
#include <cmath>

bool TGdiDraw::PrepareRop(TGdiDC& DC, COLORREF& Color)
{
    using M = QPainter::CompositionMode;
    static const M Modes[17] = {M::CompositionMode_SourceOver,
                                M::CompositionMode_SourceOver, // R2_BLACK: black pen
                                M::RasterOp_NotSourceAndNotDestination,
                                M::RasterOp_NotSourceAndDestination,
                                M::RasterOp_NotSource,
                                M::RasterOp_SourceAndNotDestination,
                                M::RasterOp_NotDestination,
                                M::RasterOp_SourceXorDestination,
                                M::RasterOp_NotSourceOrNotDestination,
                                M::RasterOp_SourceAndDestination,
                                M::RasterOp_NotSourceXorDestination,
                                M::CompositionMode_SourceOver, // R2_NOP
                                M::RasterOp_NotSourceOrDestination,
                                M::CompositionMode_SourceOver,
                                M::RasterOp_SourceOrNotDestination,
                                M::RasterOp_SourceOrDestination,
                                M::CompositionMode_SourceOver}; // R2_WHITE: white pen
    const int Rop = DC.GetROP2();
    if (Rop == R2_NOP)
        return false;
    if (Rop == R2_BLACK)
        Color = 0;
    else if (Rop == R2_WHITE)
        Color = 0xFFFFFF;
    M Mode = Modes[Rop];
    // Raster operations exist only on image targets.
    if (!DC.Image())
        Mode = M::CompositionMode_SourceOver;
    DC.Painter().setCompositionMode(Mode);
    return true;
}

namespace {

bool HatchPixel(int Hatch, int X, int Y)
{
    switch (Hatch) {
    case HS_HORIZONTAL:
        return Y == 7;
    case HS_VERTICAL:
        return X == 7;
    case HS_FDIAGONAL:
        return X == Y;
    case HS_BDIAGONAL:
        return X + Y == 7;
    case HS_CROSS:
        return X == 7 || Y == 7;
    default:
        return X == Y || X + Y == 7;
    }
}

} // namespace

QBrush TGdiDraw::MakeBrush(const TGdiDC& DC, const TGdiBrush& Brush)
{
    const bool Opaque = DC.GetBkMode() == OPAQUE;
    switch (Brush.Style) {
    case BS_SOLID:
        return QBrush(ToQColor(Brush.Color));
    case BS_HATCHED: {
        // An 8 x 8 tile aligned to the device origin; the gaps take the back
        // colour in opaque mode and stay untouched in transparent mode.
        QImage Tile(8, 8, QImage::Format_ARGB32);
        const QRgb Line = ToQColor(Brush.Color).rgb();
        const QRgb Gap = Opaque ? ToQColor(DC.GetBkColor()).rgb() : qRgba(0, 0, 0, 0);
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X)
                Tile.setPixel(X, Y, HatchPixel(Brush.Hatch, X, Y) ? Line : Gap);
        return QBrush(Tile);
    }
    case BS_PATTERN: {
        if (Brush.Pattern.format() != QImage::Format_Mono)
            return QBrush(Brush.Pattern.convertToFormat(QImage::Format_RGB32));
        QImage Tile = Brush.Pattern.convertToFormat(QImage::Format_Mono);
        Tile.setColor(0, ToQColor(DC.GetTextColor()).rgb());
        Tile.setColor(1, ToQColor(DC.GetBkColor()).rgb());
        return QBrush(Tile.convertToFormat(QImage::Format_RGB32));
    }
    default:
        return QBrush(Qt::NoBrush);
    }
}

std::vector<int> TGdiDraw::StyleRuns(const TGdiPen& Pen)
{
    std::vector<int> Runs;
    switch (Pen.Kind()) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
        return {1, 1};
    case PS_USERSTYLE:
        for (size_t I = 0; I < Pen.UserStyle.size(); ++I) {
            const int Len = int(std::min<uint32_t>(Pen.UserStyle[I], 1 << 20));
            Runs.push_back(Len);
        }
        if (Runs.size() % 2 == 1)
            Runs.insert(Runs.end(), Runs.begin(), Runs.end());
        // A zero-length dash still paints its one pixel, taken from the gap.
        for (size_t I = 0; I + 1 < Runs.size(); I += 2)
            if (Runs[I] == 0) {
                Runs[I] = 1;
                Runs[I + 1] = std::max(Runs[I + 1] - 1, 0);
            }
        if (std::all_of(Runs.begin(), Runs.end(), [](int R) { return R == 0; }))
            Runs.clear();
        return Runs;
    default:
        return Runs;
    }
}

QPen TGdiDraw::WidePen(const TGdiPen& Pen, COLORREF Color)
{
    QPen P(ToQColor(Color), std::max(Pen.Width, 1));
    switch (Pen.Style & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE:
        P.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        P.setCapStyle(Qt::FlatCap);
        break;
    default:
        P.setCapStyle(Qt::RoundCap);
    }
    switch (Pen.Style & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL:
        P.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        P.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        P.setJoinStyle(Qt::RoundJoin);
    }
    static const QVector<qreal> Dash{3, 1}, Dot{1, 1}, DashDot{3, 1, 1, 1},
        DashDotDot{3, 1, 1, 1, 1, 1};
    switch (Pen.Kind()) {
    case PS_DASH:
        P.setDashPattern(Dash);
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        P.setDashPattern(Dot);
        break;
    case PS_DASHDOT:
        P.setDashPattern(DashDot);
        break;
    case PS_DASHDOTDOT:
        P.setDashPattern(DashDotDot);
        break;
    case PS_USERSTYLE:
        if (const auto Runs = StyleRuns(Pen); !Runs.empty()) {
            QVector<qreal> Units;
            for (int R : Runs)
                Units << qreal(R) / P.widthF();
            P.setDashPattern(Units);
        }
        break;
    default:
        break;
    }
    return P;
}

namespace {

// The part of the step range 0..N-1 of the line A + i (B - A) / N that can
// touch the rectangle.
bool ClipSteps(TPoint A, TPoint B, int64_t N, const QRect& R, int64_t& I0, int64_t& I1)
{
    double T0 = 0, T1 = 1;
    const double D[2] = {double(B.X) - A.X, double(B.Y) - A.Y};
    const double P0[2] = {double(A.X), double(A.Y)};
    const double Lo[2] = {R.left() - 1.0, R.top() - 1.0};
    const double Hi[2] = {R.right() + 1.0, R.bottom() + 1.0};
    for (int K = 0; K < 2; ++K) {
        if (D[K] == 0) {
            if (P0[K] < Lo[K] || P0[K] > Hi[K])
                return false;
            continue;
        }
        double TA = (Lo[K] - P0[K]) / D[K], TB = (Hi[K] - P0[K]) / D[K];
        if (TA > TB)
            std::swap(TA, TB);
        T0 = std::max(T0, TA);
        T1 = std::min(T1, TB);
    }
    if (T0 > T1)
        return false;
    I0 = std::max<int64_t>(0, int64_t(std::floor(T0 * double(N))) - 1);
    I1 = std::min<int64_t>(N, int64_t(std::ceil(T1 * double(N))) + 1);
    return I0 < I1;
}

int64_t RoundDiv(int64_t Num, int64_t Den)
{
    return Num >= 0 ? (Num + Den / 2) / Den : -((-Num + Den / 2) / Den);
}

// Longer style periods are drawn point by point.
constexpr int MostWrittenPeriod = 1024;

// A horizontal or vertical line written straight into the image's rows,
// clip rectangle by clip rectangle: the pixels of drawing it point by point,
// where the painter costs a call per line or per pixel. Step I paints style
// position (Phase + I) mod the period; a single run is a solid line.
bool WrittenLine(TGdiDC& DC, const std::vector<QRect>* Clip, TPoint A, TPoint B, int64_t I0,
                 int64_t I1, const std::vector<int>& Runs, int Phase, COLORREF Color)
{
    QImage* Image = DC.Image();
    const bool Straight = A.X == B.X || A.Y == B.Y;
    if (!Straight || !Image || DC.Painter().deviceTransform().type() != QTransform::TxNone ||
        DC.Painter().compositionMode() != QPainter::CompositionMode_SourceOver ||
        (Image->format() != QImage::Format_RGB32 &&
         Image->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    const bool Solid = Runs.size() == 1;
    int64_t Period = 0;
    for (int R : Runs)
        Period += R;
    const bool Opaque = DC.GetBkMode() == OPAQUE;
    const QRgb Pen = ToQRgb(Color), Back = ToQRgb(DC.GetBkColor());
    const bool Horizontal = A.Y == B.Y;
    const int Start = Horizontal ? A.X : A.Y;
    const int Step = Horizontal ? (B.X > A.X ? 1 : -1) : (B.Y > A.Y ? 1 : -1);
    const std::vector<QRect> Area = Clip ? std::vector<QRect>() : TGdiDraw::ClipArea(DC);
    // The painter's own pixels: written where it writes, without detaching
    // the image.
    uchar* Bits = const_cast<uchar*>(std::as_const(*Image).constBits());
    const qsizetype Stride = Image->bytesPerLine();
    // The period's painted positions and their colours.
    std::vector<std::pair<int64_t, QRgb>> Dots;
    for (size_t K = 0, At = 0; K < Runs.size() && !Solid; At += size_t(Runs[K]), ++K)
        if (K % 2 == 0 || Opaque)
            for (int D = 0; D < Runs[K]; ++D)
                Dots.emplace_back(int64_t(At) + D, K % 2 == 0 ? Pen : Back);
    // Steps [S0, S1) in one colour.
    const auto Segment = [&](int64_t S0, int64_t S1, QRgb Colour) {
        const int64_t Q0 = Start + Step * S0, Q1 = Start + Step * (S1 - 1);
        const int64_t Lo = std::min(Q0, Q1), Hi = std::max(Q0, Q1);
        if (Horizontal) {
            QRgb* Row = reinterpret_cast<QRgb*>(Bits + A.Y * Stride);
            std::fill(Row + Lo, Row + Hi + 1, Colour);
        } else {
            for (int64_t Y = Lo; Y <= Hi; ++Y)
                reinterpret_cast<QRgb*>(Bits + Y * Stride)[A.X] = Colour;
        }
    };
    for (const QRect& R : Clip ? *Clip : Area) {
        // The steps whose pixel lies in R.
        const int Fixed = Horizontal ? A.Y : A.X;
        if (Fixed < (Horizontal ? R.top() : R.left()) ||
            Fixed > (Horizontal ? R.bottom() : R.right()))
            continue;
        const int Lo = Horizontal ? R.left() : R.top(), Hi = Horizontal ? R.right() : R.bottom();
        const int64_t From = std::max(I0, Step > 0 ? int64_t(Lo) - Start : int64_t(Start) - Hi);
        const int64_t To = std::min(I1, (Step > 0 ? int64_t(Hi) - Start : int64_t(Start) - Lo) + 1);
        if (From >= To)
            continue;
        if (Solid) {
            Segment(From, To, Pen);
            continue;
        }
        // Position by position of the period, each in one stride through the
        // steps: grid lines are mostly single dots.
        const int64_t First = (Phase + From) % Period;
        for (const auto& [At, Colour] : Dots) {
            const int64_t Step0 = From + (At - First + Period) % Period;
            if (Step0 >= To)
                continue;
            uchar* P = Bits + (Horizontal ? A.Y * Stride + (Start + Step * Step0) * 4
                                          : (Start + Step * Step0) * Stride + A.X * 4);
            const qsizetype Jump = Step * Period * (Horizontal ? 4 : Stride);
            for (int64_t I = Step0; I < To; I += Period, P += Jump)
                *reinterpret_cast<QRgb*>(P) = Colour;
        }
    }
    return true;
}

// Thin lines pixel by pixel: the style runs continue from the context's phase.
void SteppedLine(TGdiDC& DC, TPoint A, TPoint B, int64_t N, const std::vector<int>& Runs, int Phase,
                 COLORREF Color)
{
    int64_t I0 = 0, I1 = 0;
    if (!ClipSteps(A, B, N, TGdiDraw::DeviceRect(DC), I0, I1))
        return;
    int Period = 0;
    for (int R : Runs)
        Period += R;
    // Grid lines; raster operations and windows keep to the points.
    if (Period <= MostWrittenPeriod && WrittenLine(DC, nullptr, A, B, I0, I1, Runs, Phase, Color))
        return;
    QVector<QPoint> On, Off;
    const int64_t DX = int64_t(B.X) - A.X, DY = int64_t(B.Y) - A.Y;
    for (int64_t I = I0; I < I1; ++I) {
        const QPoint P(int(A.X + RoundDiv(I * DX, N)), int(A.Y + RoundDiv(I * DY, N)));
        int Pos = int((Phase + I) % Period);
        size_t K = 0;
        while (Pos >= Runs[K]) {
            Pos -= Runs[K];
            ++K;
        }
        (K % 2 == 0 ? On : Off) << P;
    }
    QPainter& P = DC.Painter();
    P.setBrush(Qt::NoBrush);
    if (DC.GetBkMode() == OPAQUE && !Off.isEmpty()) {
        P.setPen(QPen(ToQColor(DC.GetBkColor()), 0));
        P.drawPoints(Off.data(), int(Off.size()));
    }
    P.setPen(QPen(ToQColor(Color), 0));
    if (!On.isEmpty())
        P.drawPoints(On.data(), int(On.size()));
}

// A solid thin line from A to the pixel before B: Qt draws both ends of
// the visible part.
void SolidThinLine(TGdiDC& DC, TPoint A, TPoint B, int64_t N, COLORREF Color)
{
    int64_t I0 = 0, I1 = 0;
    if (!ClipSteps(A, B, N, TGdiDraw::DeviceRect(DC), I0, I1))
        return;
    static const std::vector<int> Solid{1};
    if (WrittenLine(DC, nullptr, A, B, I0, I1, Solid, 0, Color))
        return;
    const int64_t DX = int64_t(B.X) - A.X, DY = int64_t(B.Y) - A.Y;
    auto At = [&](int64_t I) {
        return QPoint(int(A.X + RoundDiv(I * DX, N)), int(A.Y + RoundDiv(I * DY, N)));
    };
    QPainter& P = DC.Painter();
    TGdiDraw::SetThinPen(P, Color);
    P.drawLine(At(I0), At(I1 - 1));
}

} // namespace

bool TGdiDraw::WriteSolidLine(TGdiDC& DC, const std::vector<QRect>& Clip, TPoint A, TPoint B,
                              COLORREF Color)
{
    static const std::vector<int> Solid{1};
    const int64_t N = std::max(std::llabs(int64_t(B.X) - A.X), std::llabs(int64_t(B.Y) - A.Y));
    int64_t I0 = 0, I1 = 0;
    if (N == 0 || !ClipSteps(A, B, N, DeviceRect(DC), I0, I1))
        return N != 0 && (A.X == B.X || A.Y == B.Y);
    return WrittenLine(DC, &Clip, A, B, I0, I1, Solid, 0, Color);
}

void TGdiDraw::PenLine(TGdiDC& DC, TPoint A, TPoint B)
{
    const TGdiPen& Pen = DC.fPen;
    COLORREF Color = Pen.Color;
    if (Pen.IsNull() || !PrepareRop(DC, Color))
        return;
    QPainter& P = DC.Painter();
    const int64_t N = std::max(std::llabs(int64_t(B.X) - A.X), std::llabs(int64_t(B.Y) - A.Y));
    if (N == 0)
        return;
    if (!Pen.IsThin()) {
        QPen QP = WidePen(Pen, Color);
        QLineF Line(A.X, A.Y, B.X, B.Y);
        const QPolygonF Clipped = ClipToRect(QPolygonF{Line.p1(), Line.p2()},
                                             QRectF(DeviceRect(DC)).adjusted(-2e4, -2e4, 2e4, 2e4));
        if (Clipped.size() < 2)
            return;
        if (DC.GetBkMode() == OPAQUE && QP.style() != Qt::SolidLine) {
            QPen Back = QP;
            Back.setStyle(Qt::SolidLine);
            Back.setColor(ToQColor(DC.GetBkColor()));
            P.setPen(Back);
            P.drawLine(Clipped[0], Clipped[1]);
        }
        P.setPen(QP);
        P.drawLine(Clipped[0], Clipped[1]);
        return;
    }
    const std::vector<int> Runs = StyleRuns(Pen);
    if (Runs.empty())
        SolidThinLine(DC, A, B, N, Color);
    else
        SteppedLine(DC, A, B, N, Runs, DC.fStylePhase, Color);
    DC.fStylePhase = int((DC.fStylePhase + N) % (1 << 30));
}

void TGdiDraw::SetThinPen(QPainter& P, COLORREF Color)
{
    // Setting a pen costs more than a short line: keep the one in place.
    const QPen& Current = P.pen();
    const QColor Wanted = ToQColor(Color);
    if (Current.color() != Wanted || Current.widthF() != 0 || Current.style() != Qt::SolidLine ||
        Current.capStyle() != Qt::SquareCap)
        P.setPen(QPen(Wanted, 0));
}

bool TGdiDraw::IsCopyPen(const TGdiDC& DC)
{
    return DC.fPen.IsThin() && DC.fPen.Kind() == PS_SOLID && DC.GetROP2() == R2_COPYPEN &&
           DC.fPainter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

void TGdiDraw::CopyPenLine(TGdiDC& DC, TPoint A, TPoint B)
{
    const int64_t N = std::max(std::llabs(int64_t(B.X) - A.X), std::llabs(int64_t(B.Y) - A.Y));
    if (N == 0)
        return;
    SolidThinLine(DC, A, B, N, DC.fPen.Color);
    DC.fStylePhase = int((DC.fStylePhase + N) % (1 << 30));
}

void TGdiDraw::PenOutline(TGdiDC& DC, const std::vector<TPoint>& Points)
{
    if (DC.fPen.IsNull() || Points.size() < 2)
        return;
    if (!DC.fPen.IsThin()) {
        COLORREF Color = DC.fPen.Color;
        if (!PrepareRop(DC, Color))
            return;
        QPolygonF Poly;
        for (const TPoint& Pt : Points)
            Poly << QPointF(Pt.X, Pt.Y);
        const QRectF Dev = QRectF(DeviceRect(DC)).adjusted(-64, -64, 64, 64);
        if (OutsideRect(Poly.boundingRect(), RasterLimit))
            Poly = ClipToRect(Poly, Dev);
        DC.Painter().setPen(WidePen(DC.fPen, Color));
        DC.Painter().setBrush(Qt::NoBrush);
        DC.Painter().drawPolygon(Poly);
        return;
    }
    DC.fStylePhase = 0;
    for (size_t I = 0; I < Points.size(); ++I)
        PenLine(DC, Points[I], Points[(I + 1) % Points.size()]);
}

bool TGdiDraw::OutsideRect(const QRectF& R, double Limit)
{
    return R.left() < -Limit || R.top() < -Limit || R.right() > Limit || R.bottom() > Limit;
}

void TGdiDraw::FillPolygon(TGdiDC& DC, const QPolygonF& Poly, const QBrush& Brush,
                           Qt::FillRule Rule)
{
    COLORREF Unused = 0;
    if (Brush.style() == Qt::NoBrush || !PrepareRop(DC, Unused))
        return;
    QPolygonF Fill = Poly;
    if (OutsideRect(Poly.boundingRect(), RasterLimit))
        Fill = ClipToRect(Poly, QRectF(DeviceRect(DC)).adjusted(-4, -4, 4, 4));
    if (Fill.size() < 3)
        return;
    QPainter& P = DC.Painter();
    P.setPen(Qt::NoPen);
    P.setBrush(Brush);
    P.drawPolygon(Fill, Rule);
}

QRect TGdiDraw::DeviceRect(const TGdiDC& DC)
{
    return QRect(0, 0, DC.DeviceWidth(), DC.DeviceHeight());
}

std::vector<QRect> TGdiDraw::ClipArea(const TGdiDC& DC)
{
    if (!DC.fClip)
        return {DeviceRect(DC)};
    const QRegion Area = *DC.fClip & DeviceRect(DC);
    return {Area.begin(), Area.end()};
}

QRegion TGdiDraw::PathRegion(const QPainterPath& Path, const QRect& Device)
{
    const QRect Box = Path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1) & Device;
    if (Box.isEmpty())
        return QRegion();
    QImage Mask(Box.size(), QImage::Format_ARGB32_Premultiplied);
    Mask.fill(0);
    {
        QPainter P(&Mask);
        P.setRenderHint(QPainter::Antialiasing, false);
        P.translate(-Box.left(), -Box.top());
        P.fillPath(Path, Qt::black);
    }
    QVector<QRect> Spans;
    for (int Y = 0; Y < Mask.height(); ++Y) {
        const QRgb* Row = reinterpret_cast<const QRgb*>(Mask.constScanLine(Y));
        for (int X = 0; X < Mask.width();) {
            if (!qAlpha(Row[X])) {
                ++X;
                continue;
            }
            const int Start = X;
            while (X < Mask.width() && qAlpha(Row[X]))
                ++X;
            Spans << QRect(Box.left() + Start, Box.top() + Y, X - Start, 1);
        }
    }
    QRegion R;
    R.setRects(Spans.constData(), int(Spans.size()));
    return R;
}

QPolygonF TGdiDraw::ClipToRect(const QPolygonF& Poly, const QRectF& R)
{
    // Sutherland-Hodgman against the four edges.
    QPolygonF Out = Poly;
    for (int Edge = 0; Edge < 4 && !Out.isEmpty(); ++Edge) {
        auto Inside = [&](const QPointF& P) {
            switch (Edge) {
            case 0:
                return P.x() >= R.left();
            case 1:
                return P.x() <= R.right();
            case 2:
                return P.y() >= R.top();
            default:
                return P.y() <= R.bottom();
            }
        };
        auto Cross = [&](const QPointF& A, const QPointF& B) {
            const double T = Edge == 0   ? (R.left() - A.x()) / (B.x() - A.x())
                             : Edge == 1 ? (R.right() - A.x()) / (B.x() - A.x())
                             : Edge == 2 ? (R.top() - A.y()) / (B.y() - A.y())
                                         : (R.bottom() - A.y()) / (B.y() - A.y());
            return A + (B - A) * T;
        };
        const QPolygonF In = Out;
        Out.clear();
        const bool Open = In.size() == 2;
        for (qsizetype I = 0; I < In.size(); ++I) {
            const QPointF& Cur = In[I];
            const QPointF& Prev = In[(I + In.size() - 1) % In.size()];
            if (Open && I == 0) {
                if (Inside(Cur))
                    Out << Cur;
                continue;
            }
            if (Inside(Cur)) {
                if (!Inside(Prev))
                    Out << Cross(Prev, Cur);
                Out << Cur;
            } else if (Inside(Prev)) {
                Out << Cross(Prev, Cur);
            }
        }
    }
    return Out;
}
