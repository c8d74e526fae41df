#include "controls/uPGButton.h"

#include "platform/qt/GdiBlit.h"
#include "platform/qt/GdiExtra.h"
#include "platform/qt/PaintBuffer.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr TPGCtrlColors DefaultInactive = {TColor(RGB(242, 242, 242)),
                                           TColor(RGB(235, 235, 235)),
                                           TColor(RGB(221, 221, 221)),
                                           TColor(RGB(207, 207, 207)),
                                           TColor(RGB(112, 112, 112)),
                                           TColor(RGB(255, 255, 255)),
                                           clBtnText};
constexpr TPGCtrlColors DefaultActive = {TColor(RGB(234, 246, 253)),
                                         TColor(RGB(217, 240, 252)),
                                         TColor(RGB(190, 230, 253)),
                                         TColor(RGB(167, 217, 245)),
                                         TColor(RGB(60, 127, 177)),
                                         TColor(RGB(232, 245, 252)),
                                         clBtnText};
constexpr TPGCtrlColors DefaultSelected = {TColor(RGB(229, 244, 252)),
                                           TColor(RGB(196, 229, 246)),
                                           TColor(RGB(152, 209, 239)),
                                           TColor(RGB(104, 179, 219)),
                                           TColor(RGB(44, 98, 139)),
                                           TColor(RGB(158, 176, 186)),
                                           clBtnText};
constexpr TPGCtrlColors DefaultDisabled = {TColor(RGB(244, 244, 244)),
                                           TColor(RGB(244, 244, 244)),
                                           TColor(RGB(244, 244, 244)),
                                           TColor(RGB(244, 244, 244)),
                                           TColor(RGB(173, 178, 181)),
                                           TColor(RGB(255, 255, 255)),
                                           clGrayText};

bool IsArrow(int Key)
{
    return Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
}

} // namespace

TPGCustomButtonColors::TPGCustomButtonColors(TPGCustomButton& Button)
    : fButton(Button), fInactive(DefaultInactive), fActive(DefaultActive),
      fSelected(DefaultSelected), fDisabled(DefaultDisabled)
{
}

void TPGCustomButtonColors::SetFlat(TPGCtrlColors& Palette, TColor Value)
{
    const TPGCtrlColors Flat = {Value, Value, Value, Value, Value, Value, Palette.Text};
    if (StoreChanged(Palette, Flat))
        fButton.update();
}

void TPGCustomButtonColors::SetText(TPGCtrlColors& Palette, TColor Value)
{
    if (StoreChanged(Palette.Text, Value))
        fButton.update();
}

void TPGCustomButtonColors::Assign(const TPersistent& Source)
{
    const auto* Other = dynamic_cast<const TPGCustomButtonColors*>(&Source);
    if (!Other)
        return TPersistent::Assign(Source);
    SetInactive(Other->Inactive());
    SetActive(Other->Active());
    SetSelected(Other->Selected());
    SetDisabled(Other->Disabled());
    SetInactiveText(Other->InactiveText());
    SetActiveText(Other->ActiveText());
    SetSelectedText(Other->SelectedText());
    SetDisabledText(Other->DisabledText());
}

TPGCustomButton::TPGCustomButton(QWidget* Parent)
    : QPushButton(Parent), fColors(std::make_unique<TPGCustomButtonColors>(*this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    fFont.OnChange = [this](TGraphicsObject*) { update(); };
    RefreshRgn();
}

TPGCustomButton::~TPGCustomButton()
{
    ActiveTimer(false);
}

void TPGCustomButton::SetCornerSize(int Value)
{
    if (StoreChanged(fCornerSize, Value))
        RefreshRgn();
}

void TPGCustomButton::SetWordWrap(bool Value)
{
    if (StoreChanged(fWordWrap, Value))
        update();
}

void TPGCustomButton::RefreshRgn()
{
    fRgn = CreateRoundRectRgn(0, 0, width(), height(), fCornerSize, fCornerSize);
    setMask(fRgn.R);
}

void TPGCustomButton::ActiveTimer(bool Value)
{
    if (Value == fIsTimerOn)
        return;
    if (Value) {
        fTimerHandle = startTimer(HoverInterval);
        fIsTimerOn = fTimerHandle != 0;
    } else {
        killTimer(fTimerHandle);
        fTimerHandle = 0;
        fIsTimerOn = false;
    }
}

const TPGCtrlColors& TPGCustomButton::Palette(bool Pressed) const
{
    if (!isEnabled())
        return fColors->DisabledColors();
    if (Pressed)
        return fColors->SelectedColors();
    return fIsMouseEntered ? fColors->ActiveColors() : fColors->InactiveColors();
}

void TPGCustomButton::DrawItem()
{
    const bool Pressed = isDown();
    const bool Focused = hasFocus();
    TRect R = Rect(0, 0, width(), height());
    fCanvas.Font().Assign(fFont);
    fCanvas.Brush().SetStyle(bsClear);
    const int Middle = R.Top + R.Height() / 2 + (Pressed ? 1 : -1);
    const TPGCtrlColors& P = Palette(Pressed);
    GradientFillRect(fCanvas, {R.Left, Middle, R.Right, R.Bottom}, P.LowFrom, P.LowTo, fmVertical);
    R = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
    GradientFillRect(fCanvas, {R.Left, R.Top, R.Right, Middle}, P.HighFrom, P.HighTo, fmVertical);
    R.Bottom -= 1;
    DrawIcon(fCanvas, R);
    DrawText(fCanvas, R, P.Text, taCenter);

    // The default-button look: a focused button not under the mouse.
    const bool FocusLook = Focused && !fIsMouseEntered;
    const TColor Inner = FocusLook ? ContrastColor(fColors->SelectedColors().LowTo, 50) : P.Inner;
    const TColor Outer = FocusLook ? fColors->ActiveColors().Outer : P.Outer;
    TGdiDC& DC = *fCanvas.Handle();
    FrameRgn(DC, fRgn, CreateSolidBrush(ColorToRGB(Inner)), 2, 2);
    FrameRgn(DC, fRgn, CreateSolidBrush(ColorToRGB(Outer)), 1, 1);
    if (Focused && !Pressed && fCornerSize < 7 && fShowFocusRect)
        DrawFocusRect(DC, {2, 2, width() - 3, height() - 3});
}

void TPGCustomButton::DrawText(TCanvas& Canvas, TRect& R, TColor TextColor, TAlignment Alignment)
{
    QString Text = text();
    if (Text.isEmpty())
        return;
    Text.replace('|', QStringLiteral("\r\n"));
    const std::string Caption = Text.toStdString();
    Canvas.Font().SetColor(TextColor);
    // A caption broken at "|" keeps its lines also without word wrap.
    if (fWordWrap || Text.contains('\n'))
        DrawControlText(Canvas, R, Caption, true, Alignment, !fWordWrap);
    else
        DrawControlText(Canvas, R, Caption,
                        DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, true);
}

void TPGCustomButton::paintEvent(QPaintEvent*)
{
    TPaintBuffer Buffer(*this, Qt::white);
    fCanvas.SetHandle(&Buffer.DC());
    try {
        DrawItem();
    } catch (...) {
    }
    fCanvas.SetHandle(nullptr);
}

void TPGCustomButton::resizeEvent(QResizeEvent* Event)
{
    QPushButton::resizeEvent(Event);
    RefreshRgn();
}

void TPGCustomButton::enterEvent(QEnterEvent* Event)
{
    QPushButton::enterEvent(Event);
    if (StoreChanged(fIsMouseEntered, isEnabled()))
        update();
    if (fIsMouseEntered)
        ActiveTimer(true);
}

void TPGCustomButton::leaveEvent(QEvent* Event)
{
    QPushButton::leaveEvent(Event);
    ActiveTimer(false);
    fIsMouseEntered = false;
    update();
}

void TPGCustomButton::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() != fTimerHandle)
        return QPushButton::timerEvent(Event);
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    ActiveTimer(false);
    fIsMouseEntered = false;
    update();
}

void TPGCustomButton::focusOutEvent(QFocusEvent* Event)
{
    ActiveTimer(false);
    QPushButton::focusOutEvent(Event);
}

void TPGCustomButton::keyPressEvent(QKeyEvent* Event)
{
    const int Key = Event->key();
    if (IsArrow(Key) && fWantArrows)
        return QPushButton::keyPressEvent(Event);
    if (OnKeyDown)
        OnKeyDown(Key);
    if (IsArrow(Key))
        Event->accept();
    else
        QPushButton::keyPressEvent(Event);
}

void TPGCustomButton::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange || Event->type() == QEvent::FontChange)
        update();
    QPushButton::changeEvent(Event);
}
