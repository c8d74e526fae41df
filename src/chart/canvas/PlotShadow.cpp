#include "chart/canvas/PlotShadow.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotPixels.h"
#include "platform/SysUtils.h"

#include <cmath>

TPlotShadow::TPlotShadow(TNotifyEvent AOnChange) : IOnChange(std::move(AOnChange)) {}

int TPlotShadow::Size() const
{
    return std::max(std::abs(FHorizSize), std::abs(FVertSize));
}

void TPlotShadow::SetSize(int Value)
{
    SetHorizSize(Value);
    SetVertSize(Value);
}

void TPlotShadow::InitValues(TColor AColor, int ASize)
{
    SetColor(AColor);
    SetSize(ASize);
}

void TPlotShadow::Assign(const TPlotShadow& Source)
{
    FColor = Source.FColor;
    FHorizSize = Source.FHorizSize;
    FVertSize = Source.FVertSize;
    FSmooth = Source.FSmooth;
    FSmoothBlur = Source.FSmoothBlur;
    FTransparency = Source.FTransparency;
    FVisible = Source.FVisible;
}

bool TPlotShadow::ValidCanvas(TPlotCanvas& ACanvas)
{
    const TGdiDC* DC = ACanvas.GetHandle();
    return dynamic_cast<TPlotCanvas3D*>(&ACanvas) && !ACanvas.Metafiling() && DC && DC->Image() &&
           DC->Image()->depth() == 32;
}

TRect TPlotShadow::Moved(const TRect& R) const
{
    return {R.Left + FHorizSize, R.Top + FVertSize, R.Right + FHorizSize, R.Bottom + FVertSize};
}

namespace {

TRect ProjectedAt(TCanvas3D& C, const TRect& R, int Z)
{
    const TPoint A = C.Calculate3DPosition(R.Left, R.Top, Z);
    const TPoint B = C.Calculate3DPosition(R.Right, R.Bottom, Z);
    return {A.X, A.Y, B.X, B.Y};
}

} // namespace

bool TPlotShadow::PrepareCanvas(TCanvas3D& ACanvas, const TRect& R, int Z)
{
    if (FColor == clNone || (FHorizSize == 0 && FVertSize == 0))
        return false;
    if (!FSmooth || !ValidCanvas(ACanvas)) {
        ACanvas.Brush().SetBitmap(QImage());
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(FColor);
        ACanvas.Pen().SetStyle(psClear);
    }
    if (FTransparency > 0)
        IBlend = ACanvas.BeginBlending(ProjectedAt(ACanvas, Moved(R), Z), FTransparency);
    return true;
}

void TPlotShadow::FinishBlending(TCanvas3D& ACanvas)
{
    if (IBlend)
        ACanvas.EndBlending(std::move(IBlend));
}

void TPlotShadow::Draw(TCanvas3D& ACanvas, const TRect& Rect, int Z, int RoundSize)
{
    if (!PrepareCanvas(ACanvas, Rect, Z))
        return;
    const TRect R = OrientRectangle(Rect);
    const bool CanSmooth = FSmooth && ValidCanvas(ACanvas);
    if (CanSmooth) {
        DrawSmooth(ACanvas, R, RoundSize > 0 ? shRoundRect : shRectangle, RoundSize);
    } else if (RoundSize >= 1) {
        ACanvas.RoundRect(ProjectedAt(ACanvas, Moved(R), Z), RoundSize, RoundSize);
    } else if (!FSmooth) {
        // Two strips: along the bottom (top) edge and the right (left) one,
        // each moved by the other size.
        const int H = FHorizSize, V = FVertSize;
        if (V != 0)
            ACanvas.FillRect(
                ProjectedAt(ACanvas,
                            V > 0 ? TRect{R.Left + H, R.Bottom, R.Right + H, R.Bottom + V}
                                  : TRect{R.Left + H, R.Top + V, R.Right + H, R.Top},
                            Z));
        if (H != 0)
            ACanvas.FillRect(ProjectedAt(ACanvas,
                                         H > 0
                                             ? TRect{R.Right, R.Top + V, R.Right + H, R.Bottom + V}
                                             : TRect{R.Left + H, R.Top + V, R.Left, R.Bottom + V},
                                         Z));
    } else {
        DrawLines(ACanvas, R);
    }
    FinishBlending(ACanvas);
}

void TPlotShadow::DrawLines(TCanvas3D& ACanvas, const TRect& R)
{
    // Lines that brighten away from the shape, on canvases whose pixels
    // cannot be read back.
    const COLORREF C = ColorToRGB(FColor);
    const double Mean = (GetRValue(C) + GetGValue(C) + GetBValue(C)) / 3.0;
    const int Step = int(Round((255 - Mean) / Size()));
    ACanvas.Pen().SetWidth(1);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetMode(pmCopy);
    auto Fade = [&](int Count, auto&& Line) {
        TColor Color = FColor;
        for (int K = 0; K < Count; ++K) {
            ACanvas.Pen().SetColor(Color);
            Line(K);
            Color = ApplyBright(Color, Step);
        }
    };
    const int H = FHorizSize, V = FVertSize;
    Fade(std::abs(V), [&](int K) {
        const int Y = V > 0 ? R.Bottom + K : R.Top - 1 - K;
        ACanvas.Line(R.Left + H, Y, R.Right + H, Y);
    });
    Fade(std::abs(H), [&](int K) {
        const int X = H > 0 ? R.Right + K : R.Left - 1 - K;
        ACanvas.Line(X, R.Top + V, X, R.Bottom + V);
    });
}

void TPlotShadow::DrawEllipse(TCanvas3D& ACanvas, const TRect& Rect, int Z)
{
    if (!PrepareCanvas(ACanvas, Rect, Z))
        return;
    const TRect M = ProjectedAt(ACanvas, Moved(Rect), Z);
    if (FSmooth && ValidCanvas(ACanvas)) {
        DrawSmooth(ACanvas, OrientRectangle(ProjectedAt(ACanvas, Rect, Z)), shEllipse, 0);
    } else if (FSmooth) {
        ACanvas.ClipEllipse(M);
        ACanvas.GradientFill(M, ApplyBright(FColor, 32), ApplyDark(FColor, 128), gdRadial);
        ACanvas.UnClipRectangle();
    } else {
        ACanvas.Ellipse(M);
    }
    FinishBlending(ACanvas);
}

void TPlotShadow::Draw(TCanvas3D& ACanvas, const std::vector<TPoint>& P)
{
    if (P.empty())
        return;
    const TRect Bounds = RectFromPolygon(P.data(), int(P.size()));
    if (!PrepareCanvas(ACanvas, Bounds, 0))
        return;
    if (FSmooth && ValidCanvas(ACanvas)) {
        DrawSmooth(ACanvas, Bounds, shPolygon, 0, P);
    } else {
        std::vector<TPoint> Shifted(P);
        for (TPoint& Q : Shifted)
            Q = {Q.X + FHorizSize, Q.Y + FVertSize};
        ACanvas.Polygon(Shifted);
    }
    FinishBlending(ACanvas);
}

void TPlotShadow::DrawSmooth(TCanvas3D& ACanvas, const TRect& Rect, TShape Shape, int RoundSize,
                             const std::vector<TPoint>& P)
{
    // The shape in the shadow colour on white, with a margin as wide as the
    // blur on every side.
    const int MX = std::max(std::abs(FHorizSize), 1), MY = std::max(std::abs(FVertSize), 1);
    const int W = Rect.Width(), H = Rect.Height();
    TBitmap Shadow;
    Shadow.SetSize(W + 2 * MX, H + 2 * MY);
    TCanvas& SC = Shadow.Canvas();
    SC.Brush().SetStyle(bsSolid);
    SC.Brush().SetColor(FColor);
    SC.Pen().SetStyle(psClear);
    switch (Shape) {
    case shRectangle:
        SC.FillRect({MX, MY, MX + W, MY + H});
        break;
    case shRoundRect:
        SC.RoundRect(MX, MY, MX + W + 1, MY + H + 1, RoundSize, RoundSize);
        break;
    case shEllipse:
        SC.Ellipse(MX, MY, MX + W + 1, MY + H + 1);
        break;
    case shPolygon: {
        std::vector<TPoint> Inside(P);
        for (TPoint& Q : Inside)
            Q = {Q.X - Rect.Left + MX, Q.Y - Rect.Top + MY};
        SC.Polygon(Inside);
        break;
    }
    }
    QImage Picture = Shadow.Image(); // a copy: the bitmap is still being painted
    TGdiDC* DC = ACanvas.GetHandle();
    TGdiRegion ClipRegion;
    const bool Clipped = FClip && DC->GetClipRgn(ClipRegion) == 1;
    PlotShadowSmooth(Picture, DC->Image(), Rect.Left - MX + std::abs(FHorizSize),
                     Rect.Top - MY + std::abs(FVertSize), FHorizSize, FVertSize, FSmoothBlur,
                     FullDraw || Shape != shRectangle, Clipped ? &ClipRegion : nullptr);
}

namespace {

// Tap K of -Size..Size weighs S^(-K^2 / Size), in units of 1 / 100000.
std::vector<int64_t> ShadowWeights(double S, int Size)
{
    if (Size == 0)
        return {100000};
    std::vector<int64_t> W;
    for (int K = -Size; K <= Size; ++K)
        W.push_back(Round(std::pow(S, -double(K * K) / Size) * 100000));
    return W;
}

} // namespace

void PlotShadowSmooth(QImage& Bitmap, QImage* Back, int Left, int Top, int horz, int vert,
                      double Smoothness, bool FullDraw, const TGdiRegion* Clip)
{
    if (Bitmap.isNull())
        return;
    PlotMake32Bit(Bitmap);
    if (horz < 0) {
        horz = -horz;
        Left -= 2 * horz;
        FullDraw = true;
    }
    if (vert < 0) {
        vert = -vert;
        Top -= 2 * vert;
        FullDraw = true;
    }
    const double S = (Smoothness + 180) * 0.01;
    const std::vector<int64_t> WX = ShadowWeights(S, horz), WY = ShadowWeights(S, vert);
    const int W = Bitmap.width(), H = Bitmap.height();
    // The shape covers all but its right and bottom border; the rows just
    // above that border still feed the vertical pass.
    const int SkipW = W - (2 * horz + 1), SkipH = H - (2 * vert + 1);
    auto Skipped = [&](int X, int Y, int Rows) { return !FullDraw && X < SkipW && Y < Rows; };
    std::vector<TRGBX> Work(size_t(W) * size_t(H));
    for (int Y = 0; Y < H; ++Y) {
        const auto* Line = reinterpret_cast<const TRGBX*>(Bitmap.constScanLine(Y));
        for (int X = 0; X < W; ++X) {
            if (Skipped(X, Y, SkipH - vert))
                continue;
            int64_t B = 0, G = 0, R = 0, T = 0;
            for (int K = std::max(-horz, -X); K <= std::min(horz, W - 1 - X); ++K) {
                const int64_t Wt = WX[size_t(K + horz)];
                B += Wt * Line[X + K].Blue;
                G += Wt * Line[X + K].Green;
                R += Wt * Line[X + K].Red;
                T += Wt;
            }
            Work[size_t(Y) * size_t(W) + size_t(X)] = {uint8_t(Round(double(B) / T)),
                                                       uint8_t(Round(double(G) / T)),
                                                       uint8_t(Round(double(R) / T)), 0xFF};
        }
    }
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            if (Skipped(X, Y, SkipH))
                continue;
            const int CX = Left + X, CY = Top + Y;
            if (Clip && !Clip->R.contains(QPoint(CX, CY)))
                continue;
            int64_t B = 0, G = 0, R = 0, T = 0;
            for (int K = std::max(-vert, -Y); K <= std::min(vert, H - 1 - Y); ++K) {
                const TRGBX& P = Work[size_t(Y + K) * size_t(W) + size_t(X)];
                const int64_t Wt = WY[size_t(K + vert)];
                B += Wt * P.Blue;
                G += Wt * P.Green;
                R += Wt * P.Red;
                T += Wt;
            }
            if (!Back) {
                reinterpret_cast<TRGBX*>(Bitmap.scanLine(Y))[X] = {
                    uint8_t(Round(double(B) / T)), uint8_t(Round(double(G) / T)),
                    uint8_t(Round(double(R) / T)), 0xFF};
                continue;
            }
            if (CX < 0 || CY < 0 || CX >= Back->width() || CY >= Back->height())
                continue;
            // The blurred shadow multiplies what lies beneath: white leaves
            // it, the shadow colour darkens it.
            TRGBX& Under = reinterpret_cast<TRGBX*>(Back->scanLine(CY))[CX];
            const double Scale = 1.0 / (255.0 * double(T));
            Under.Blue = uint8_t(Round(Under.Blue * double(B) * Scale));
            Under.Green = uint8_t(Round(Under.Green * double(G) * Scale));
            Under.Red = uint8_t(Round(Under.Red * double(R) * Scale));
        }
}
