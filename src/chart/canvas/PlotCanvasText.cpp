#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotFilterKinds.h"
#include "chart/canvas/PlotPicture.h"
#include "platform/SysUtils.h"

#include <cmath>

namespace {

const TPlotShadow* DrawnShadow(const TPlotFont* Font)
{
    const TPlotShadow* S = Font ? Font->ShadowIfAny() : nullptr;
    if (!S || !S->Visible() || (S->HorizSize() == 0 && S->VertSize() == 0))
        return nullptr;
    return S;
}

} // namespace

TRect TPlotCanvas3D::TextRectAt(int X, int Y, const std::string& Text)
{
    const int W = TextWidth(Text), H = TextHeight(Text);
    const int Align = FTextAlign & ~TA_BOTTOM;
    if ((Align & TA_CENTER) == TA_CENTER)
        return {X - W / 2, Y, X + W / 2, Y + H};
    if (Align & TA_RIGHT)
        return {X - W, Y, X, Y + H};
    return {X, Y, X + W, Y + H};
}

void TPlotCanvas3D::TextOut(int X, int Y, const std::string& Text)
{
    if (!DC())
        return;
    if (const TPlotShadow* S = DrawnShadow(IFont)) {
        // The text moves away from a shadow of negative size, so that the
        // shadow always lies on the side of the size's sign.
        if (S->HorizSize() < 0)
            X -= S->HorizSize();
        if (S->VertSize() < 0)
            Y -= S->VertSize();
        const int SX = X + S->HorizSize(), SY = Y + S->VertSize();
        std::unique_ptr<TPlotBlend> Blend;
        if (S->Transparency() > 0)
            Blend = BeginBlending(TextRectAt(SX, SY, Text), S->Transparency());
        FCanvas->RealizeFont();
        DC()->SetTextColor(ColorToRGB(S->Color()));
        DC()->TextOut(SX, SY, Text);
        // Only an image's pixels can be read back and blurred; drawn
        // straight onto a window the shadow stays plain.
        const bool IntoBuffer = DC()->Image() != nullptr;
        if (S->Smooth() && S->SmoothBlur() > 0 && IntoBuffer) {
            const TRect R = TextRectAt(SX, SY, Text);
            TBlurFilter Blur;
            Blur.SetAmount(S->SmoothBlur());
            Blur.Apply(*DC()->Image(), {R.Left, R.Top, R.Right - 1, R.Bottom - 1});
            SetBackMode(cbmTransparent);
        }
        if (Blend)
            EndBlending(std::move(Blend));
    }
    FCanvas->RealizeFont();
    TextEffects(X, Y, Text, TextRectAt(X, Y, Text));
}

void TPlotCanvas3D::GlyphPath(int X, int Y, const std::string& Text)
{
    FCanvas->RealizePen();
    FCanvas->RealizeBrush();
    FCanvas->RealizeFont();
    DC()->BeginPath();
    DC()->TextOut(X, Y, Text);
    DC()->EndPath();
}

void TPlotCanvas3D::TextEffects(int X, int Y, const std::string& Text, const TRect& TextRect)
{
    TChartHiddenPen* Outline = IFont ? IFont->OutLineIfAny() : nullptr;
    TPlotFontGradient* Gradient = IFont ? IFont->GradientIfAny() : nullptr;
    const TPlotPicture* Picture = IFont ? IFont->PictureIfAny() : nullptr;
    const bool HasOutline = Outline && Outline->Visible();
    const bool HasGradient = Gradient && Gradient->Visible();
    const bool HasPicture = Picture && Picture->HasGraphic();
    if (!HasOutline && !HasGradient && !HasPicture) {
        DC()->TextOut(X, Y, Text);
        return;
    }
    if (HasOutline)
        AssignVisiblePen(*Outline);
    else
        FPen->SetStyle(psClear);
    FBrush->SetBitmap(QImage());
    FBrush->SetStyle(bsSolid);
    FBrush->SetColor(IFont->Color());
    GlyphPath(X, Y, Text);
    if (HasGradient) {
        if (Gradient->Outline())
            DC()->WidenPath();
        ClipPath();
        Gradient->Draw(*this, TextRect);
        UnClipRectangle();
        if (Gradient->Outline() || !HasOutline)
            return;
        GlyphPath(X, Y, Text);
    } else if (HasPicture) {
        ClipPath();
        StretchDraw(TextRect, Picture->Filtered());
        UnClipRectangle();
        if (!HasOutline)
            return;
        GlyphPath(X, Y, Text);
    }
    if (IFont->Color() == clNone)
        DC()->StrokePath();
    else
        DC()->StrokeAndFillPath();
}

void TPlotCanvas3D::RotateLabel(int X, int Y, const std::string& St, double RotDegree)
{
    while (RotDegree >= 360)
        RotDegree -= 360;
    FBrush->SetStyle(bsClear);
    TLogFont LF = FFont->Realize();
    LF.Escapement = int(Round(RotDegree * 10));
    if (CharacterAngle != 0)
        LF.Orientation = int(Round(CharacterAngle * 10));
    LF.OutPrecision = OUT_TT_ONLY_PRECIS;
    LF.Quality = PlotFontAntiAlias;
    if (IZoomText && IZoomFactor != 1)
        LF.Height = -MulDiv(std::max(1, int(Round(FFont->Size() * IZoomFactor))),
                            FFont->PixelsPerInch(), 72);
    if (CharacterAngle != 0 && DC())
        DC()->SetGraphicsMode(GM_ADVANCED);
    FCanvas->SetFontOverride(LF);
    TextOut(X, Y, St);
    FCanvas->SetFontOverride(std::nullopt);
}
