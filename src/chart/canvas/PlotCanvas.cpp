#include "chart/canvas/PlotCanvas.h"
#include "chart/canvas/PlotHtml.h"
#include "chart/canvas/PlotPicture.h"
#include "chart/core/PlotLog.h"
#include "platform/SysUtils.h"

#include <cmath>

TPlotCanvas::TPlotCanvas()
{
    SetCanvas(nullptr);
}

TPlotCanvas::~TPlotCanvas()
{
    SetCurrentFont(nullptr);
}

void TPlotCanvas::ForgetFont(const TPlotFont& AFont)
{
    if (IFont == &AFont)
        IFont = nullptr;
}

void TPlotCanvas::SetCurrentFont(TPlotFont* AFont)
{
    if (IFont)
        IFont->ICanvas = nullptr;
    if (AFont && AFont->ICanvas)
        AFont->ICanvas->IFont = nullptr;
    IFont = AFont;
    if (AFont)
        AFont->ICanvas = this;
}

void TPlotCanvas::SetCanvas(TCanvas* ACanvas)
{
    FCanvas = ACanvas ? ACanvas : &FNoSurface;
    FPen = &FCanvas->Pen();
    FFont = &FCanvas->Font();
    FBrush = &FCanvas->Brush();
    FPen->OnChange = nullptr;
    FFont->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

TColor TPlotCanvas::GetBackColor()
{
    return DC() ? TColor(DC()->GetBkColor()) : clWhite;
}

void TPlotCanvas::SetBackColor(TColor Color)
{
    if (DC())
        DC()->SetBkColor(ColorToRGB(Color));
}

TCanvasBackMode TPlotCanvas::GetBackMode()
{
    if (!DC())
        return cbmNone;
    return DC()->GetBkMode() == OPAQUE ? cbmOpaque : cbmTransparent;
}

void TPlotCanvas::SetBackMode(TCanvasBackMode Mode)
{
    if (DC() && Mode != cbmNone)
        DC()->SetBkMode(Mode == cbmOpaque ? OPAQUE : TRANSPARENT);
}

TColor TPlotCanvas::GetPixel(int X, int Y)
{
    return FCanvas->Pixel(X, Y);
}

void TPlotCanvas::SetPixel(int X, int Y, TColor Value)
{
    FCanvas->SetPixel(X, Y, Value);
}

void TPlotCanvas::ResetState()
{
    FPen->SetColor(clBlack);
    FPen->SetWidth(1);
    FPen->SetStyle(psSolid);
    FPen->SetMode(pmCopy);
    FBrush->SetBitmap(QImage());
    FBrush->SetColor(clWhite);
    FBrush->SetStyle(bsSolid);
    FFont->SetColor(clBlack);
    FFont->SetStyle(0);
    FFont->SetCharset(DEFAULT_CHARSET);
    FFont->SetName(GetDefaultFontName);
    FFont->SetSize(GetDefaultFontSize);
    FFont->SetOrientation(0);
    ITransp = 0;
    SetCurrentFont(nullptr);
    SetBackColor(clWhite);
    SetBackMode(cbmTransparent);
    SetTextAlign(TA_LEFT | TA_TOP);
}

namespace {

TGdiPen PlotCreatePenSmallDots(TColor AColor, int Space)
{
    const COLORREF C = ColorToRGB(AColor);
    if (Space >= 1)
        return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, C, {0, uint32_t(Space + 1)});
    return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, C);
}

void CheckPenWidth(TPen& Pen)
{
    if (PlotCheckPenWidth && Pen.Style() != psSolid && Pen.Width() == 1)
        Pen.SetWidth(0);
}

int EndStyleBits(TPenEndStyle Style)
{
    switch (Style) {
    case esSquare:
        return PS_ENDCAP_SQUARE | PS_JOIN_BEVEL;
    case esFlat:
        return PS_ENDCAP_FLAT | PS_JOIN_MITER;
    default:
        return PS_ENDCAP_ROUND | PS_JOIN_ROUND;
    }
}

void PlotSetPlotPen(TPen& FPen, const TChartPen& APen, TColor AColor)
{
    if (APen.SmallDots()) {
        FPen.SetHandle(PlotCreatePenSmallDots(AColor, APen.SmallSpace()));
        FPen.SetMode(APen.Mode());
        return;
    }
    FPen.Assign(APen);
    FPen.SetColor(AColor);
    if (APen.Width() < 2) {
        CheckPenWidth(FPen);
        return;
    }
    FPen.SetHandle(
        ExtCreatePen(PS_GEOMETRIC | PenStyles(APen.Style()) | EndStyleBits(APen.EndStyle()),
                     APen.Width(), ColorToRGB(AColor)));
}

} // namespace

void TPlotCanvas::AssignVisiblePenColor(TPen& APen, TColor AColor)
{
    if (GetMonochrome())
        AColor = clBlack;
    auto* Chart = dynamic_cast<TChartPen*>(&APen);
    if (Chart && !Chart->Visible()) {
        FPen->SetStyle(psClear);
        return;
    }
    if (Chart && IsWindowsNT && !GetSupportsFullRotation()) {
        PlotSetPlotPen(*FPen, *Chart, AColor);
        return;
    }
    FPen->Assign(APen);
    FPen->SetColor(AColor);
    CheckPenWidth(*FPen);
}

std::unique_ptr<TPlotBlend> TPlotCanvas::BeginBlending(const TRect& R, int Transparency)
{
    ITransp = Transparency & 0x7F;
    return std::make_unique<TPlotBlend>(*this, R);
}

void TPlotCanvas::EndBlending(std::unique_ptr<TPlotBlend> Blend)
{
    if (Blend)
        Blend->DoBlend(ITransp);
}

void TPlotCanvas::DrawShapes(const std::vector<TGdiShape>& Shapes)
{
    if (TGdiDC* Target = DC())
        Target->DrawShapes(Shapes);
}

void TPlotCanvas::AssignBrush(TChartBrush& ABrush, TColor ABackColor)
{
    AssignBrush(ABrush, ABrush.Color(), ABackColor);
}

void TPlotCanvas::AssignBrush(TChartBrush& ABrush, TColor AColor, TColor ABackColor)
{
    if (GetMonochrome())
        AColor = clWhite;
    const TPlotPicture* Image = ABrush.ImageIfAny();
    const QImage& Pattern = Image && Image->HasGraphic() ? Image->Filtered() : ABrush.Bitmap();
    if (!Pattern.isNull()) {
        FBrush->SetBitmap(Pattern);
        if (DC())
            DC()->SetTextColor(ColorToRGB(AColor));
        SetBackMode(cbmOpaque);
        SetBackColor(ABackColor);
        return;
    }
    FBrush->SetBitmap(QImage());
    FBrush->SetColor(AColor);
    FBrush->SetStyle(ABrush.Style());
    if (ABackColor != clNone) {
        SetBackMode(cbmOpaque);
        SetBackColor(ABackColor);
    } else {
        SetBackMode(cbmTransparent);
    }
}

void TPlotCanvas::AssignFont(TPlotFont& AFont)
{
    AFont.SetPixelsPerInch(FFont->PixelsPerInch());
    FFont->Assign(AFont);
    if (FontZoom != 100)
        FFont->SetSize(int(Round(AFont.Size() * FontZoom * 0.01)));
    if (GetMonochrome())
        FFont->SetColor(clBlack);
    if (DC() && DC()->GetTextCharacterExtra() != AFont.InterCharSize())
        DC()->SetTextCharacterExtra(AFont.InterCharSize());
    SetCurrentFont(&AFont);
}

void TPlotCanvas::InternalDark(TColor AColor, int Quantity)
{
    const TColor Dark = ApplyDark(AColor, Quantity);
    if (FBrush->Style() != bsSolid)
        SetBackColor(Dark);
    else
        FBrush->SetColor(Dark);
}

void TPlotCanvas::Arc(int Left, int Top, int Right, int Bottom, double StartAngle, double EndAngle)
{
    const int XCenter = (Left + Right) / 2, YCenter = (Top + Bottom) / 2;
    const double XRadius = (Right - Left) / 2.0, YRadius = (Bottom - Top) / 2.0;
    auto X = [&](double A) { return int(Round(XRadius * std::cos(A))) + XCenter; };
    auto Y = [&](double A) { return YCenter - int(Round(YRadius * std::sin(A))); };
    Arc(Left, Top, Right, Bottom, X(StartAngle), Y(StartAngle), X(EndAngle), Y(EndAngle));
}

void TPlotCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    FPen->SetWidth(1);
    FPen->SetStyle(psSolid);
    --Rect.Right;
    --Rect.Bottom;
    for (int I = 0; I < Width; ++I) {
        FPen->SetColor(TopColor);
        Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        FPen->SetColor(BottomColor);
        Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
    }
    ++Rect.Right;
    ++Rect.Bottom;
}

void TPlotCanvas::TextOut(int X, int Y, const std::string& Text, bool AllowHtml)
{
    if (!AllowHtml) {
        TextOut(X, Y, Text);
        return;
    }
    // Drawing raises nothing: a malformed text stops where its fault lies,
    // and the fault goes to the log.
    try {
        HtmlTextOut(*this, X, Y, Text);
    } catch (const HtmlParserException& E) {
        PlotLogFault("TPlotCanvas.TextOut", &E);
    }
}

namespace {

const TPlotShadow* VisibleShadow(const TPlotFont* Font)
{
    const TPlotShadow* S = Font ? Font->ShadowIfAny() : nullptr;
    return S && S->Visible() ? S : nullptr;
}

} // namespace

int TPlotCanvas::TextWidth(const std::string& St)
{
    const TPlotShadow* S = VisibleShadow(IFont);
    return FCanvas->TextExtent(St).cx + (S ? std::abs(S->HorizSize()) : 0);
}

int TPlotCanvas::TextHeight(const std::string& St)
{
    const TPlotShadow* S = VisibleShadow(IFont);
    return FCanvas->TextExtent(St).cy + (S ? std::abs(S->VertSize()) : 0);
}

TSize TPlotCanvas::TextExtent(const std::string& Text)
{
    return {TextWidth(Text), TextHeight(Text)};
}

void TPlotCanvas::PushClip()
{
    TGdiRegion Current;
    if (DC() && DC()->GetClipRgn(Current) == 1)
        FClipStack.emplace_back(std::move(Current));
    else
        FClipStack.emplace_back(std::nullopt);
}

void TPlotCanvas::ClipRectangle(const TRect& Rect)
{
    PushClip();
    if (DC())
        DC()->IntersectClipRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

void TPlotCanvas::ClipRectangle(const TRect& Rect, int RoundSize)
{
    PushClip();
    const TGdiRegion R =
        CreateRoundRectRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, RoundSize, RoundSize);
    if (DC())
        DC()->ExtSelectClipRgn(&R, RGN_AND);
}

void TPlotCanvas::ClipEllipse(const TRect& Rect, bool Inverted)
{
    PushClip();
    const TGdiRegion R = CreateEllipticRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    if (DC())
        DC()->ExtSelectClipRgn(&R, Inverted ? RGN_XOR : RGN_AND);
}

void TPlotCanvas::ClipPolygon(const TPoint* Points, int NumPoints, bool DiffRegion)
{
    PushClip();
    const TGdiRegion R = CreatePolygonRgn(Points, NumPoints, ALTERNATE);
    if (DC())
        DC()->ExtSelectClipRgn(&R, DiffRegion ? RGN_DIFF : RGN_AND);
}

void TPlotCanvas::ClipPath()
{
    PushClip();
    if (DC())
        DC()->SelectClipPath(RGN_AND);
}

void TPlotCanvas::UnClipRectangle()
{
    std::optional<TGdiRegion> Saved;
    if (!FClipStack.empty()) {
        Saved = std::move(FClipStack.back());
        FClipStack.pop_back();
    }
    if (DC())
        DC()->SelectClipRgn(Saved ? &*Saved : nullptr);
}

void TPlotCanvas::DoHorizLine(int X0, int X1, int Y)
{
    MoveTo(X0, Y);
    LineTo(X1, Y);
}

void TPlotCanvas::DoVertLine(int X, int Y0, int Y1)
{
    MoveTo(X, Y0);
    LineTo(X, Y1);
}

void TPlotCanvas::Line(int X0, int Y0, int X1, int Y1)
{
    MoveTo(X0, Y0);
    LineTo(X1, Y1);
}

void TPlotCanvas::Line(const TPoint& FromPoint, const TPoint& ToPoint)
{
    Line(FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y);
}

void TPlotCanvas::PolygonGradient(const std::vector<TPoint>& Points, TCustomPlotGradient& Gradient)
{
    // The gradient may clear the pen for its own filling: the outline is
    // decided by the pen the caller set.
    const TPenStyle PenStyle = FPen->Style();
    ClipPolygon(Points.data(), int(Points.size()));
    Gradient.Draw(*this, RectFromPolygon(Points.data(), int(Points.size())));
    UnClipRectangle();
    if (PenStyle == psClear)
        return;
    FPen->SetStyle(PenStyle);
    const TBrushStyle Old = FBrush->Style();
    FBrush->SetStyle(bsClear);
    Polygon(Points);
    FBrush->SetStyle(Old);
}

namespace {

void QuickSortAngle(std::vector<TPoint>& P, std::vector<double>& Key, int L, int R)
{
    int I = L, J = R;
    const double Mid = Key[size_t((L + R) / 2)];
    do {
        while (Key[size_t(I)] < Mid)
            ++I;
        while (Key[size_t(J)] > Mid)
            --J;
        if (I <= J) {
            std::swap(Key[size_t(I)], Key[size_t(J)]);
            std::swap(P[size_t(I)], P[size_t(J)]);
            ++I;
            --J;
        }
    } while (I <= J);
    if (L < J)
        QuickSortAngle(P, Key, L, J);
    if (I < R)
        QuickSortAngle(P, Key, I, R);
}

int64_t Turn(const TPoint& A, const TPoint& B, const TPoint& C)
{
    return (int64_t(A.X) - B.X) * (int64_t(C.Y) - B.Y) -
           (int64_t(C.X) - B.X) * (int64_t(A.Y) - B.Y);
}

} // namespace

bool TPlotCanvas::ConvexHull(std::vector<TPoint>& Points)
{
    if (Points.size() == 3)
        return true;
    if (Points.size() < 3)
        return false;
    // The lowest point, the rightmost of them, wherever the points lie.
    size_t PivotIndex = 0;
    for (size_t I = 1; I < Points.size(); ++I) {
        const TPoint& P = Points[I];
        const TPoint& Pivot = Points[PivotIndex];
        if (P.Y < Pivot.Y || (P.Y == Pivot.Y && P.X > Pivot.X))
            PivotIndex = I;
    }
    const TPoint Pivot = Points[PivotIndex];
    Points[PivotIndex] = Points.back();
    Points.pop_back();
    std::vector<double> Key(Points.size());
    for (size_t I = 0; I < Points.size(); ++I) {
        const double DX = double(Pivot.X) - Points[I].X, DY = double(Pivot.Y) - Points[I].Y;
        Key[I] = (DX == 0 && DY == 0) ? 0.0 : DX / std::sqrt(DX * DX + DY * DY);
    }
    QuickSortAngle(Points, Key, 0, int(Points.size()) - 1);
    for (size_t I = 1; I < Points.size();) {
        const TPoint& Next = I + 1 < Points.size() ? Points[I + 1] : Pivot;
        if (Turn(Points[I - 1], Points[I], Next) < 0) {
            ++I;
            continue;
        }
        Points.erase(Points.begin() + std::ptrdiff_t(I));
        if (I > 1)
            --I;
    }
    Points.push_back(Pivot);
    return true;
}
