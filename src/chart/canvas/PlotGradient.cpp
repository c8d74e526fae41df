#include "chart/canvas/PlotGradient.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotFilterKinds.h"
#include "platform/SysUtils.h"

#include <cmath>
#include <cstdint>
#include <utility>

TCustomPlotGradient::TCustomPlotGradient(TNotifyEvent ChangedEvent)
    : IChanged(std::move(ChangedEvent))
{
}

TCustomPlotGradient::~TCustomPlotGradient() = default;

void TCustomPlotGradient::DoChanged()
{
    if (IChanged)
        IChanged(nullptr);
}

void TCustomPlotGradient::SetMidColor(TColor Value)
{
    const bool Has = Value != clNone;
    if (Has == IHasMiddle && (!Has || Value == FMidColor))
        return;
    IHasMiddle = Has;
    FMidColor = Value;
    DoChanged();
}

TSubGradient& TCustomPlotGradient::SubGradient()
{
    if (!FSub)
        FSub = std::make_unique<TSubGradient>(IChanged);
    return *FSub;
}

void TCustomPlotGradient::Assign(const TCustomPlotGradient& Source)
{
    if (&Source == this)
        return;
    FAngle = Source.FAngle;
    FBalance = Source.FBalance;
    FDirection = Source.FDirection;
    FEndColor = Source.FEndColor;
    FMidColor = Source.FMidColor;
    IHasMiddle = Source.IHasMiddle;
    FRadialX = Source.FRadialX;
    FRadialY = Source.FRadialY;
    FStartColor = Source.FStartColor;
    FVisible = Source.FVisible;
    if (Source.FSub) {
        SubGradient().Assign(*Source.FSub);
        FSub->SetTransparency(Source.FSub->Transparency());
    } else {
        FSub.reset();
    }
    DoChanged();
}

double PlotSigmoid(int Index, int Balance, int Total)
{
    return std::pow((1.0 + Index) / (1.0 + Total), Balance * 0.015 + 0.5);
}

namespace {

// The colour of each step from one plain colour to another.
class TGradientSteps {
public:
    TGradientSteps(COLORREF Start, COLORREF End, int Balance, int Total)
        : fStart(Start), fEnd(End), fBalance(Balance), fTotal(Total)
    {
    }
    COLORREF Color(int Index) const
    {
        auto Channel = [&](uint8_t S, uint8_t E) {
            const int D = E - S;
            if (fBalance == 50)
                return uint8_t(S + int64_t(D) * Index / fTotal);
            return uint8_t(S + Round(D * PlotSigmoid(Index, fBalance, fTotal)));
        };
        return RGB(Channel(GetRValue(fStart), GetRValue(fEnd)),
                   Channel(GetGValue(fStart), GetGValue(fEnd)),
                   Channel(GetBValue(fStart), GetBValue(fEnd)));
    }

private:
    COLORREF fStart, fEnd;
    int fBalance, fTotal;
};

// Paints with the context's brush, changed only when the colour changes; the
// brush the canvas had selected is put back at the end, so that the canvas's
// own record of its context stays true.
class TBandPainter {
public:
    explicit TBandPainter(TGdiDC& DC) : fDC(DC), fSaved(DC.CurrentBrush()) {}
    TBandPainter(const TBandPainter&) = delete;
    TBandPainter& operator=(const TBandPainter&) = delete;
    ~TBandPainter() { fDC.SelectBrush(fSaved); }
    void Use(COLORREF C)
    {
        if (C != fLast) {
            fDC.SelectBrush(CreateSolidBrush(C));
            fLast = C;
        }
    }
    void Fill(int X, int Y, int W, int H, COLORREF C)
    {
        if (W <= 0 || H <= 0)
            return;
        Use(C);
        fDC.PatBlt(X, Y, W, H, PATCOPY);
    }

private:
    TGdiDC& fDC;
    TGdiBrush fSaved;
    COLORREF fLast = CLR_INVALID;
};

// A single band still gets the first colour: a one-pixel strip is painted,
// not left showing what lay underneath.
void LinearBands(TGdiDC& DC, const TRect& R, COLORREF S, COLORREF E, int Balance, bool Vertical)
{
    const int Size = Vertical ? R.Height() : R.Width();
    const int N = std::min(Size, 256);
    const TGradientSteps Steps(S, E, Balance, std::max(N - 1, 1));
    TBandPainter P(DC);
    // In 64 bits: a band's edge on a side of millions of pixels.
    for (int I = 0; I < N; ++I) {
        const int Near = int(int64_t(I) * Size / N), Far = int(int64_t(I + 1) * Size / N);
        if (Vertical)
            P.Fill(R.Left, R.Bottom - Far, R.Width(), Far - Near, Steps.Color(I));
        else
            P.Fill(R.Right - Far, R.Top, Far - Near, R.Height(), Steps.Color(I));
    }
}

// Rings from the border inwards, one pixel thick.
void CenterRings(TGdiDC& DC, const TRect& R, COLORREF S, COLORREF E, int Balance)
{
    const int W = R.Width(), H = R.Height(), HW = W / 2, HH = H / 2;
    const TGradientSteps Steps(S, E, Balance, std::max(1, HW + HH));
    constexpr int T = PlotGradientPrecision;
    TBandPainter P(DC);
    for (int X = 0, Y = 0;;) {
        const COLORREF C = Steps.Color(X + Y);
        P.Fill(R.Left + X, R.Top + Y, T, H - 2 * Y, C);
        P.Fill(R.Right - X - T, R.Top + Y, T, H - 2 * Y, C);
        P.Fill(R.Left + X, R.Top + Y, W - 2 * X, T, C);
        P.Fill(R.Left + X, R.Bottom - Y - T, W - 2 * X, T, C);
        if (X >= HW && Y >= HH)
            break;
        Y = std::min(Y + T, HH);
        X = std::min(X + T, HW);
    }
}

// A staircase from the corner: pass K paints column X up to row Y and row Y
// up to column X, so every pixel is painted once its column or row comes.
void CornerSteps(TGdiDC& DC, const TRect& R, COLORREF S, COLORREF E, int Balance, bool FromTop)
{
    const int W = R.Width(), H = R.Height();
    const TGradientSteps Steps(S, E, Balance, std::max(1, W + H));
    TBandPainter P(DC);
    for (int K = 0; K < std::max(W, H); ++K) {
        const int X = std::min(K, W - 1), Y = std::min(K, H - 1);
        const int Row = FromTop ? R.Top + Y : R.Bottom - 1 - Y;
        const COLORREF C = Steps.Color(X + Y);
        P.Fill(R.Left + X, FromTop ? R.Top : Row, 1, Y + 1, C);
        P.Fill(R.Left, Row, X + 1, 1, C);
    }
}

// Lines at 45 degrees sweeping from the left corner (bottom for up, top for
// down) to the opposite one. Both ends move one pixel per line along the
// edges, so line I joins the pixels I steps from the corner and the lines
// tile the rectangle; the end pixel that a line leaves out is set on its own.
void DiagonalLines(TGdiDC& DC, const TRect& R, COLORREF S, COLORREF E, int Balance, bool Up)
{
    const int W = R.Width(), H = R.Height(), N = W + H;
    const int Total = std::max(1, std::min(255, N - 1));
    const TGradientSteps Steps(S, E, Balance, Total);
    const TGdiPen SavedPen = DC.CurrentPen();
    const int SavedRop = DC.SetROP2(R2_COPYPEN);
    const int Bottom = R.Bottom - 1, Right = R.Right - 1;
    COLORREF Last = CLR_INVALID;
    for (int I = 0; I < N - 1; ++I) {
        const int AlongTop = I - (H - 1), AlongSide = I - (W - 1);
        TPoint A, B;
        if (Up) {
            A = I < H ? TPoint{R.Left, Bottom - I} : TPoint{R.Left + AlongTop, R.Top};
            B = I < W ? TPoint{R.Left + I, Bottom} : TPoint{Right, Bottom - AlongSide};
        } else {
            A = I < W ? TPoint{R.Left + I, R.Top} : TPoint{Right, R.Top + AlongSide};
            B = I < H ? TPoint{R.Left, R.Top + I} : TPoint{R.Left + AlongTop, Bottom};
        }
        const COLORREF C = Steps.Color(int(int64_t(Total) * I / N));
        if (C != Last) {
            DC.SelectPen(CreatePen(PS_SOLID, 1, C));
            Last = C;
        }
        DC.MoveToEx(A.X, A.Y);
        DC.LineTo(B.X, B.Y);
        DC.SetPixel(B.X, B.Y, C);
    }
    DC.SetROP2(SavedRop);
    DC.SelectPen(SavedPen);
}

COLORREF GrayColor(COLORREF C)
{
    const uint8_t V = uint8_t((GetRValue(C) + GetGValue(C) + GetBValue(C)) / 3);
    return RGB(V, V, V);
}

} // namespace

void PlotGradientFill(TPlotCanvas& Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                      TGradientDirection Direction, int Balance, int RadialX, int RadialY)
{
    const TRect R = OrientRectangle(Rect);
    if (Direction == gdRadial) {
        TCustomPlotGradient G;
        G.SetDirection(gdRadial);
        G.SetStartColor(StartColor);
        G.SetEndColor(EndColor);
        G.SetBalance(Balance);
        G.SetRadialX(RadialX);
        G.SetRadialY(RadialY);
        G.DrawRadial(Canvas, R);
        return;
    }
    TGdiDC* DC = Canvas.GetHandle();
    if (!DC || R.IsEmpty())
        return;
    COLORREF S = ColorToRGB(StartColor), E = ColorToRGB(EndColor);
    if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp &&
        Direction != gdDiagonalDown)
        std::swap(S, E);
    switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
        LinearBands(*DC, R, S, E, Balance, true);
        break;
    case gdLeftRight:
    case gdRightLeft:
        LinearBands(*DC, R, S, E, Balance, false);
        break;
    case gdFromCenter:
        CenterRings(*DC, R, S, E, Balance);
        break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
        CornerSteps(*DC, R, S, E, Balance, Direction == gdFromTopLeft);
        break;
    default:
        DiagonalLines(*DC, R, S, E, Balance, Direction == gdDiagonalUp);
    }
}

void TCustomPlotGradient::Draw(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize)
{
    if (FAngle != 0) {
        DrawRotated(Canvas, Rect);
        return;
    }
    TColor Start = FStartColor, Mid = FMidColor, End = FEndColor;
    if (Canvas.GetMonochrome()) {
        Start = TColor(GrayColor(ColorToRGB(Start)));
        Mid = TColor(GrayColor(ColorToRGB(Mid)));
        End = TColor(GrayColor(ColorToRGB(End)));
    }
    if (RoundRectSize > 0)
        Canvas.ClipRectangle(Rect, RoundRectSize);
    const int HalfY = (Rect.Top + Rect.Bottom) / 2, HalfX = (Rect.Left + Rect.Right) / 2;
    // Two halves, each a plain two-colour fill: C0 to C1 above (left of) the
    // middle, C2 to C3 below (right of) it.
    auto Halves = [&](bool Vertical, TColor C0, TColor C1, TColor C2, TColor C3) {
        const TRect First = Vertical ? TRect{Rect.Left, Rect.Top, Rect.Right, HalfY}
                                     : TRect{Rect.Left, Rect.Top, HalfX, Rect.Bottom};
        const TRect Second = Vertical ? TRect{Rect.Left, HalfY, Rect.Right, Rect.Bottom}
                                      : TRect{HalfX, Rect.Top, Rect.Right, Rect.Bottom};
        Canvas.GradientFill(First, C0, C1, FDirection, 50, 0, 0);
        Canvas.GradientFill(Second, C2, C3, FDirection, 50, 0, 0);
    };
    if (FDirection == gdRadial)
        Canvas.GradientFill(Rect, Start, End, gdRadial, FBalance, FRadialX, FRadialY);
    else if (!IHasMiddle || FDirection == gdDiagonalUp || FDirection == gdDiagonalDown)
        Canvas.GradientFill(Rect, Start, End, FDirection, FBalance, 0, 0);
    else if (FDirection == gdTopBottom)
        Halves(true, Mid, End, Start, Mid);
    else if (FDirection == gdBottomTop)
        Halves(true, Start, Mid, Mid, End);
    else if (FDirection == gdLeftRight)
        Halves(false, Mid, End, Start, Mid);
    else if (FDirection == gdRightLeft)
        Halves(false, Start, Mid, Mid, End);
    else
        Canvas.GradientFill(Rect, Start, End, FDirection, 50, 0, 0);
    if (RoundRectSize > 0)
        Canvas.UnClipRectangle();
    DrawSubGradient(Canvas, Rect, RoundRectSize);
}

void TCustomPlotGradient::Draw(TPlotCanvas& Canvas, const TFourPoints& P)
{
    Canvas.Pen().SetStyle(psClear);
    Canvas.PolygonGradient({P.begin(), P.end()}, *this);
}

void TCustomPlotGradient::Draw(TCanvas3D& Canvas, const TFourPoints& P, int Z)
{
    TFourPoints Projected;
    for (size_t I = 0; I < P.size(); ++I)
        Projected[I] = Canvas.Calculate3DPosition(P[I], Z);
    Draw(static_cast<TPlotCanvas&>(Canvas), Projected);
}

void TCustomPlotGradient::DrawSubGradient(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize)
{
    if (!FSub || !FSub->Visible())
        return;
    auto Blend = Canvas.BeginBlending(Rect, FSub->Transparency());
    if (FSub->Direction() == gdRadial)
        FSub->DrawRadial(Canvas, Rect);
    else
        FSub->Draw(Canvas, Rect, RoundRectSize);
    Canvas.EndBlending(std::move(Blend));
}

void TCustomPlotGradient::DrawRadial(TPlotCanvas& Canvas, const TRect& Rect)
{
    const TRect R = OrientRectangle(Rect);
    Canvas.ClipRectangle(R);
    DoRadialGradient(Canvas, R);
    Canvas.UnClipRectangle();
    DrawSubGradient(Canvas, R, 0);
}

void TCustomPlotGradient::DoRadialGradient(TPlotCanvas& Canvas, const TRect& R)
{
    TGdiDC* DC = Canvas.GetHandle();
    const int W = R.Width(), H = R.Height();
    if (!DC || W <= 0 || H <= 0)
        return;
    int N = std::min(255, std::max(W, H));
    if ((W % 2 == 1 || H % 2 == 1) && N > 1)
        --N;
    const TGradientSteps Steps(ColorToRGB(FStartColor), ColorToRGB(FEndColor), FBalance, N);
    const TGdiPen SavedPen = DC->SelectPen(CreatePen(PS_NULL, 0, 0));
    const double StepX = W * 0.5 / N, StepY = H * 0.5 / N;
    const double CX = (R.Left + R.Right) / 2.0 + FRadialX + 1;
    const double CY = (R.Top + R.Bottom) / 2.0 + FRadialY + 1;
    TBandPainter P(*DC);
    P.Fill(R.Left, R.Top, W, H, Steps.Color(N));
    // Outside in: each ellipse is smaller and nearer the start colour.
    for (int K = N - 1; K >= 1; --K) {
        P.Use(Steps.Color(K));
        const double RX = K * StepX, RY = K * StepY;
        DC->Ellipse(int(Round(CX - RX)), int(Round(CY - RY)), int(Round(CX + RX)),
                    int(Round(CY + RY)));
    }
    DC->SelectPen(SavedPen);
}

void TCustomPlotGradient::DrawRotated(TPlotCanvas& Canvas, const TRect& R)
{
    // The gradient is painted over the square that holds the area at any
    // angle and turned; its middle then covers the whole area, with no
    // unpainted corners.
    const TRect A = OrientRectangle(R);
    const int Side = int(std::ceil(std::hypot(A.Width(), A.Height()))) + 2;
    if (A.IsEmpty())
        return;
    TBitmap Square;
    Square.SetSize(Side, Side);
    TPlotCanvas3D Flat;
    Flat.SetCanvas(&Square.Canvas());
    TCustomPlotGradient Unturned;
    Unturned.Assign(*this);
    Unturned.FAngle = 0;
    Unturned.FSub.reset();
    Unturned.Draw(Flat, TRect{0, 0, Side, Side});
    Flat.SetCanvas(nullptr);
    QImage Picture = Square.Image().copy();
    TRotateFilter Turn;
    Turn.SetAngle(FAngle);
    Turn.SetAutoSize(false);
    Turn.Apply(Picture);
    Canvas.ClipRectangle(A);
    Canvas.Draw((A.Left + A.Right - Side) / 2, (A.Top + A.Bottom - Side) / 2, Picture);
    Canvas.UnClipRectangle();
}
