#include "controls/uBaseControls.h"

#include <QPainter>

void TwinctrlRect::SetSide(int TRect::*Side, int Value)
{
    if (fRect.*Side == Value)
        return;
    bool AllowChange = true;
    TRect Proposed = fRect;
    Proposed.*Side = Value;
    Changing(Proposed, AllowChange);
    if (!AllowChange)
        return;
    fRect.*Side = Value;
    Change();
}

void TwinctrlRect::Assign(const TPersistent& Source)
{
    const auto* Other = dynamic_cast<const TwinctrlRect*>(&Source);
    if (!Other)
        return;
    bool AllowChange = true;
    TRect Proposed = Other->fRect;
    Changing(Proposed, AllowChange);
    if (!AllowChange)
        return;
    fRect = Other->fRect;
    Change();
}

void TwinctrlControlIndent::Change()
{
    fControl.IndentChanged(*this);
}

void TwinctrlBaseControl::SetTransparent(bool Value)
{
    if (StoreChanged(fTransparent, Value))
        update();
}

void TwinctrlBaseControl::Paint()
{
    if (fTransparent)
        DrawParentImage(*this, Canvas());
}

TwinctrlCustomPanel::TwinctrlCustomPanel(QWidget* Parent)
    : TwinctrlCustomControl(Parent), fAlignIndent(std::make_unique<TwinctrlControlIndent>(*this))
{
    resize(100, 100);
}

void TwinctrlCustomPanel::IndentChanged(TwinctrlRect&)
{
    Realign();
}

void TwinctrlCustomPanel::AlignControls(TRect& Rect)
{
    Rect.Left += fAlignIndent->Left();
    Rect.Top += fAlignIndent->Top();
    Rect.Right -= fAlignIndent->Right();
    Rect.Bottom -= fAlignIndent->Bottom();
    TwinctrlCustomControl::AlignControls(Rect);
}

void TwinctrlCustomPanel::Paint()
{
    TwinctrlCustomControl::Paint();
    CustomPaint();
}

void DrawParentImage(QWidget& Control, TCanvas& Canvas)
{
    QWidget* Parent = Control.parentWidget();
    TGdiDC* DC = Canvas.Handle();
    if (!Parent || !DC)
        return;
    // The parent's own picture, with its origin moved to the control's, as
    // fine as the picture it goes into.
    const qreal Ratio = DC->Image() ? DC->Image()->devicePixelRatio() : 1.0;
    QImage Image(Control.size() * Ratio, QImage::Format_RGB32);
    Image.setDevicePixelRatio(Ratio);
    Image.fill(Qt::white);
    Parent->render(&Image, -Control.pos(), QRegion(Parent->rect()), QWidget::DrawWindowBackground);
    Canvas.Draw(0, 0, Image);
}

namespace {

void DrawTextOn(TCanvas& Canvas, TRect& R, const std::string& Text, unsigned Format)
{
    Canvas.RealizeFont();
    Canvas.RealizeBrush();
    TGdiDC* DC = Canvas.Handle();
    if (!DC)
        return;
    DC->SetBkMode(Canvas.Brush().Style() == bsClear ? TRANSPARENT : OPAQUE);
    DC->DrawText(Text, R, Format);
}

} // namespace

void DrawControlText(TCanvas& Canvas, TRect R, const std::string& Text, unsigned Format,
                     bool Enabled)
{
    Canvas.Brush().SetStyle(bsClear);
    if (!Enabled) {
        TRect Shifted = {R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
        Canvas.Font().SetColor(clBtnHighlight);
        DrawTextOn(Canvas, Shifted, Text, Format);
        Canvas.Font().SetColor(clBtnShadow);
    }
    DrawTextOn(Canvas, R, Text, Format);
}

void DrawAngleControlText(TCanvas& Canvas, const TRect& R, const std::string& Text, int Angle,
                          unsigned Format, bool Enabled)
{
    TLogFont Turned = Canvas.Font().Realize();
    Turned.Escapement = Angle * 10;
    Turned.Orientation = Angle * 10;
    Canvas.SetFontOverride(Turned);
    DrawControlText(Canvas, R, Text, Format, Enabled);
    Canvas.SetFontOverride(std::nullopt);
}
