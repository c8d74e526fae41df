#include "platform/qt/Canvas.h"

#include <cmath>
#include <cstdlib>

std::string DefaultFontName = "Tahoma";
int DefaultFontSize = 8;

int PenModeToRop2(TPenMode Mode)
{
    static const int Rops[16] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                 R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                 R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                 R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return Rops[Mode];
}

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::Assign(const TPen& Source)
{
    fColor = Source.fColor;
    fWidth = Source.fWidth;
    fStyle = Source.fStyle;
    fMode = Source.fMode;
    fHandle = Source.fHandle;
    Changed();
}

void TPen::SetHandle(const TGdiPen& Pen)
{
    fHandle = Pen;
    Changed();
}

TGdiPen TPen::Realize() const
{
    if (fHandle)
        return *fHandle;
    if (fStyle == psAlternate)
        return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, ColorToRGB(fColor));
    return CreatePen(int(fStyle), fWidth, ColorToRGB(fColor));
}

void TBrush::SetBitmap(const QImage& Value)
{
    if (fBitmap.cacheKey() == Value.cacheKey() && fBitmap.isNull() == Value.isNull())
        return;
    fBitmap = Value;
    Changed();
}

void TBrush::Assign(const TBrush& Source)
{
    fColor = Source.fColor;
    fStyle = Source.fStyle;
    fBitmap = Source.fBitmap;
    Changed();
}

TGdiBrush TBrush::Realize() const
{
    if (!fBitmap.isNull())
        return CreatePatternBrush(fBitmap);
    switch (fStyle) {
    case bsSolid:
        return CreateSolidBrush(ColorToRGB(fColor));
    case bsClear:
        return NullBrush();
    default:
        return CreateHatchBrush(int(fStyle) - int(bsHorizontal), ColorToRGB(fColor));
    }
}

TFont::TFont() : fName(DefaultFontName), fHeight(-MulDiv(DefaultFontSize, 96, 72)) {}

int TFont::Size() const
{
    return -MulDiv(fHeight, 72, fPixelsPerInch);
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, fPixelsPerInch, 72));
}

void TFont::Assign(const TFont& Source)
{
    fName = Source.fName;
    fHeight = MulDiv(Source.fHeight, fPixelsPerInch, Source.fPixelsPerInch);
    fStyle = Source.fStyle;
    fColor = Source.fColor;
    fCharset = Source.fCharset;
    fOrientation = Source.fOrientation;
    Changed();
}

TLogFont TFont::Realize() const
{
    TLogFont LF;
    LF.Height = fHeight;
    LF.Escapement = fOrientation;
    LF.Orientation = fOrientation;
    LF.Weight = (fStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    LF.Italic = fStyle & fsItalic;
    LF.Underline = fStyle & fsUnderline;
    LF.StrikeOut = fStyle & fsStrikeOut;
    LF.CharSet = fCharset;
    LF.FaceName = fName;
    return LF;
}

TCanvas::TCanvas() = default;

TCanvas::TCanvas(TGdiDC* DC) : fDC(DC) {}

void TCanvas::SetHandle(TGdiDC* DC)
{
    fDC = DC;
    fPenOnDC.reset();
    fBrushOnDC.reset();
    fFontOnDC.reset();
    fRopOnDC = 0;
}

TPoint TCanvas::PenPos() const
{
    return fDC ? fDC->GetCurrentPosition() : TPoint{};
}

void TCanvas::RealizePen()
{
    if (!fDC)
        return;
    TGdiPen P = fPen.Realize();
    if (!fPenOnDC || !(*fPenOnDC == P)) {
        fDC->SelectPen(P);
        fPenOnDC = std::move(P);
    }
    const int Rop = PenModeToRop2(fPen.Mode());
    if (Rop != fRopOnDC || fDC->GetROP2() != Rop) {
        fDC->SetROP2(Rop);
        fRopOnDC = Rop;
    }
}

void TCanvas::RealizeBrush()
{
    if (!fDC)
        return;
    TGdiBrush B = fBrush.Realize();
    if (!fBrushOnDC || !(*fBrushOnDC == B)) {
        fDC->SelectBrush(B);
        fBrushOnDC = std::move(B);
    }
}

void TCanvas::RealizeFont()
{
    if (!fDC)
        return;
    TLogFont F = fFontOverride ? *fFontOverride : fFont.Realize();
    if (!fFontOnDC || !(*fFontOnDC == F)) {
        fDC->SelectFont(F);
        fFontOnDC = std::move(F);
    }
    if (fDC->GetTextColor() != ColorToRGB(fFont.Color()))
        fDC->SetTextColor(ColorToRGB(fFont.Color()));
}

void TCanvas::MoveTo(int X, int Y)
{
    if (fDC)
        fDC->MoveToEx(X, Y);
}

void TCanvas::LineTo(int X, int Y)
{
    RealizePen();
    if (fDC)
        fDC->LineTo(X, Y);
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    RealizePen();
    if (fDC)
        fDC->Polyline(Points.data(), int(Points.size()));
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    RealizePen();
    RealizeBrush();
    if (fDC)
        fDC->Polygon(Points.data(), int(Points.size()));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    RealizePen();
    RealizeBrush();
    if (fDC)
        fDC->Rectangle(X1, Y1, X2, Y2);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    RealizePen();
    RealizeBrush();
    if (fDC)
        fDC->Ellipse(X1, Y1, X2, Y2);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    RealizePen();
    RealizeBrush();
    if (fDC)
        fDC->RoundRect(X1, Y1, X2, Y2, X3, Y3);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    RealizePen();
    if (fDC)
        fDC->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    RealizePen();
    RealizeBrush();
    if (fDC)
        fDC->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::FillRect(const TRect& R)
{
    RealizeBrush();
    if (fDC)
        fDC->FillRect(R, fDC->CurrentBrush());
}

void TCanvas::FrameRect(const TRect& R)
{
    RealizeBrush();
    if (fDC)
        fDC->FrameRect(R, fDC->CurrentBrush());
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    RealizeFont();
    if (fDC)
        fDC->TextOut(X, Y, Text);
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    RealizeFont();
    if (fDC)
        fDC->ExtTextOut(X, Y, ETO_CLIPPED, &R, Text);
}

TSize TCanvas::TextExtent(const std::string& Text)
{
    RealizeFont();
    TSize S;
    if (fDC)
        fDC->GetTextExtentPoint32(Text, S.cx, S.cy);
    return S;
}

void TCanvas::Draw(int X, int Y, const QImage& Graphic)
{
    if (fDC && !Graphic.isNull() && fDC->DeviceWidth() > 0)
        fDC->Painter().drawImage(QPoint(X, Y), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, const QImage& Graphic)
{
    if (fDC && !Graphic.isNull() && fDC->DeviceWidth() > 0)
        fDC->Painter().drawImage(QRect(R.Left, R.Top, R.Width(), R.Height()), Graphic);
}

TColor TCanvas::Pixel(int X, int Y)
{
    return fDC ? TColor(fDC->GetPixel(X, Y)) : TColor(CLR_INVALID);
}

void TCanvas::SetPixel(int X, int Y, TColor Color)
{
    if (fDC)
        fDC->SetPixel(X, Y, ColorToRGB(Color));
}

TBitmap::TBitmap() : fDC(std::make_unique<TGdiDC>(&fImage))
{
    fCanvas.SetHandle(fDC.get());
}

void TBitmap::SetSize(int W, int H)
{
    W = std::max(W, 0);
    H = std::max(H, 0);
    if (W == Width() && H == Height())
        return;
    fDC->Detach();
    fImage = (W > 0 && H > 0) ? QImage(W, H, QImage::Format_RGB32) : QImage();
    if (!fImage.isNull())
        fImage.fill(Qt::white);
    fDC->Attach(&fImage);
    fCanvas.SetHandle(fDC.get());
}
