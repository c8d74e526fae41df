#include "controls/uExComboBox.h"

#include "controls/ACXPVS.h"
#include "platform/qt/GdiBlit.h"
#include "platform/qt/PaintBuffer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <utility>

namespace {

constexpr COLORREF cDisabledThemedBorder = RGB(127, 157, 185);

void Frame(TGdiDC& DC, const TRect& R, TColor Color)
{
    DC.FrameRect(R, CreateSolidBrush(ColorToRGB(Color)));
}

TRect InnerRect(const TRect& R, int By)
{
    return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

bool MouseButtonDown()
{
    return QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
}

} // namespace

TPoint LabelOrigin(TLabelPosition Position, const TRect& Combo, int Margin, TSize Label,
                   int TextWidth)
{
    const int Left = Combo.Left, Top = Combo.Top;
    const int Width = Combo.Width(), Height = Combo.Height();
    switch (Position) {
    case lpLeftTop:
        return {Left - TextWidth - Margin, Top};
    case lpLeftCenter:
        return {Left - TextWidth - Margin, Top + (Height - Label.cy) / 2};
    case lpLeftBottom:
        return {Left - TextWidth - Margin, Top + Height - Label.cy};
    case lpTopLeft:
        return {Left, Top - Label.cy - Margin};
    case lpBottomLeft:
        return {Left, Top + Height + Margin};
    case lpLeftTopLeft:
        return {Left - Margin, Top};
    case lpLeftCenterLeft:
        return {Left - Margin, Top + (Height - Label.cy) / 2};
    case lpLeftBottomLeft:
        return {Left - Margin, Top + Height - Label.cy};
    case lpTopCenter:
        return {Left + (Width - Label.cx) / 2, Top - Label.cy - Margin};
    case lpBottomCenter:
        return {Left + (Width - Label.cx) / 2, Top + Height + Margin};
    }
    return {Left, Top};
}

TExCustomCombo::TExCustomCombo(QWidget* Parent)
    : QComboBox(Parent), fButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2)
{
    setMouseTracking(true);
    fLabelFont.OnChange = [this](TGraphicsObject*) { UpdateLabel(); };
    ShowColor(fColor, false);
}

TExCustomCombo::~TExCustomCombo()
{
    delete fLabel;
}

void TExCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32)
        return;
    fButtonWidth = Value;
    update();
}

void TExCustomCombo::SetColor(TColor Value)
{
    fLoadedColor = Value;
    fNormalColor = Value;
    ShowColor(Value, false);
}

void TExCustomCombo::ShowColor(TColor Value, bool FromParent)
{
    fColor = Value;
    fParentColor = FromParent;
    QPalette P = palette();
    const QColor C = ToQColor(ColorToRGB(Value));
    for (QPalette::ColorRole Role : {QPalette::Base, QPalette::Button, QPalette::Window})
        P.setColor(Role, C);
    setPalette(P);
    update();
}

TColor TExCustomCombo::ParentsColor() const
{
    const QWidget* Parent = parentWidget();
    return Parent ? BackgroundColor(*Parent) : fColor;
}

void TExCustomCombo::SetDisabledBorder(bool Value)
{
    fDisabledBorder = Value;
    update();
}

void TExCustomCombo::SetDropWidth(int Value)
{
    fDropWidth = Value;
    if (Value > 0)
        view()->setMinimumWidth(Value);
}

void TExCustomCombo::SetEtched(bool Value)
{
    fEtched = Value;
    update();
}

void TExCustomCombo::SetFlat(bool Value)
{
    if (Value == fFlat)
        return;
    fFlat = Value;
    setFrame(!Value);
    if (fFlatParentColor && fFlat && parentWidget())
        ShowColor(ParentsColor(), true);
    else
        ShowColor(fLoadedColor, false);
}

void TExCustomCombo::SetFlatLineColor(TColor Value)
{
    fFlatLineColor = Value;
    update();
}

void TExCustomCombo::SetFlatParentColor(bool Value)
{
    fFlatParentColor = Value;
    update();
}

void TExCustomCombo::SetFocusBorder(bool Value)
{
    fFocusBorder = Value;
    update();
}

void TExCustomCombo::SetFocusBorderColor(TColor Value)
{
    fFocusBorderColor = Value;
    update();
}

bool TExCustomCombo::DoVisualStyles() const
{
    const TVisualStyles* Styles = VisualStyles();
    return Styles && Styles->IsThemeActive();
}

void TExCustomCombo::showPopup()
{
    fDroppedDown = true;
    update();
    QComboBox::showPopup();
}

void TExCustomCombo::hidePopup()
{
    QComboBox::hidePopup();
    if (!std::exchange(fDroppedDown, false))
        return;
    update();
    if (OnDropUp) {
        try {
            OnDropUp(this);
        } catch (...) {
        }
    }
}

void TExCustomCombo::setVisible(bool Visible)
{
    QComboBox::setVisible(Visible);
    if (fLabel)
        fLabel->setVisible(Visible);
}

bool TExCustomCombo::PaintsItself() const
{
    return fFlat || (Active() && fFocusBorderColor != clNone) ||
           (!isEnabled() && DoVisualStyles() && !fDisabledBorder);
}

void TExCustomCombo::paintEvent(QPaintEvent* Event)
{
    if (PaintsItself())
        PaintItself();
    else
        QComboBox::paintEvent(Event);
}

// Drawn off-screen, then copied in one block.
void TExCustomCombo::PaintItself()
{
    TPaintBuffer Buffer(*this, ToQColor(ColorToRGB(fColor)));
    TGdiDC& DC = Buffer.DC();
    DrawButton(DC);
    DC.ExcludeClipRect(width() - fButtonWidth - 4, 0, width() + 2, height());
    QStyleOptionComboBox Opt;
    initStyleOption(&Opt);
    style()->drawControl(QStyle::CE_ComboBoxLabel, &Opt, &DC.Painter(), this);
    DC.SelectClipRgn(nullptr);
    DrawBorders(DC);
}

void TExCustomCombo::DrawButton(TGdiDC& DC)
{
    const TRect R = InnerRect(Rect(width() - fButtonWidth, 0, width(), height()), 1);
    const TVisualStyles* Styles = DoVisualStyles() ? VisualStyles() : nullptr;
    if (!Styles) {
        DrawFrameControl(DC, R, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (isEnabled() ? DFCS_FLAT : DFCS_INACTIVE));
        return;
    }
    int State = CBXS_NORMAL;
    if (!isEnabled())
        State = CBXS_DISABLED;
    else if (MouseButtonDown() && fDroppedDown)
        State = CBXS_PRESSED;
    else if (fButtonHover && !fDroppedDown)
        State = CBXS_HOT;
    HTHEME Theme = Styles->OpenThemeData(this, "combobox");
    if (Theme)
        Styles->DrawThemeBackground(*Theme, DC, CP_DROPDOWNBUTTON, State, R);
    Styles->CloseThemeData(Theme);
}

bool TExCustomCombo::ThreeDBorderShown() const
{
    return (fMouseInControl || Active()) && fFocusBorder;
}

void TExCustomCombo::DrawBorders(TGdiDC& DC)
{
    if (isEnabled() && !fFlat && fFocusBorderColor == clNone)
        return;
    DrawControlBorder(DC);
    if (!DoVisualStyles())
        DrawButtonBorder(DC);
}

// The flat underline ends 18 pixels before the innermost frame's right.
void TExCustomCombo::DrawControlBorder(TGdiDC& DC)
{
    TRect R = Rect(0, 0, width(), height());
    if (!isEnabled() && !fDisabledBorder) {
        DC.FrameRect(R, CreateSolidBrush(cDisabledThemedBorder));
        return;
    }
    if (fFocusBorderColor != clNone) {
        if (Active())
            Frame(DC, R, fFocusBorderColor);
        return;
    }
    const bool Shown = ThreeDBorderShown();
    const TColor Outer = Shown ? clBtnFace : ParentsColor();
    if (Shown) {
        DrawEdge(DC, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        Frame(DC, R, Outer);
        R = InnerRect(R, 1);
        Frame(DC, R, fColor);
    } else {
        Frame(DC, R, Outer);
        R = InnerRect(R, 1);
        R.Right -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        Frame(DC, R, Outer);
        R = InnerRect(R, 1);
        Frame(DC, R, fColor);
    }
    if (fFlat && fFlatLineColor != clNone) {
        DC.FillRect(Rect(0, height() - 1, R.Right - 18, height()),
                    CreateSolidBrush(ColorToRGB(fFlatLineColor)));
    }
}

void TExCustomCombo::DrawButtonBorder(TGdiDC& DC)
{
    const int W = width(), H = height();
    DC.ExcludeClipRect(W - fButtonWidth + 4, 4, W - 4, H - 4);
    TRect R = InnerRect(Rect(W - fButtonWidth - 2, 0, W, H), 2);
    const TRect Button = R;
    if (fMouseInControl || Active()) {
        DrawEdge(DC, R, fEtched ? EDGE_ETCHED : EDGE_RAISED,
                 BF_RECT | (fDroppedDown ? unsigned(BF_FLAT) : 0u));
    } else {
        DC.FillRect({R.Left, R.Top + 1, R.Right - 1, R.Bottom - 1},
                    CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    }
    DC.ExcludeClipRect(Button.Left, Button.Top, Button.Right, Button.Bottom);
}

void TExCustomCombo::focusInEvent(QFocusEvent* Event)
{
    fHasFocus = true;
    if (fFocusColor != clNone)
        ShowColor(fFocusColor, false);
    update();
    QComboBox::focusInEvent(Event);
}

void TExCustomCombo::focusOutEvent(QFocusEvent* Event)
{
    // Opening the list takes the focus to the popup: the combo keeps its look.
    if (Event->reason() != Qt::PopupFocusReason) {
        fHasFocus = false;
        if (fFocusColor != clNone && fNormalColor != clNone)
            ShowColor(fNormalColor, false);
        update();
    }
    QComboBox::focusOutEvent(Event);
}

void TExCustomCombo::enterEvent(QEnterEvent* Event)
{
    if (!fMouseInControl && isEnabled()) {
        fMouseInControl = true;
        if (fAutoFocus)
            setFocus(Qt::MouseFocusReason);
        update();
    }
    QComboBox::enterEvent(Event);
}

void TExCustomCombo::leaveEvent(QEvent* Event)
{
    if (fMouseInControl && isEnabled()) {
        fMouseInControl = false;
        fButtonHover = false;
        update();
    }
    QComboBox::leaveEvent(Event);
}

void TExCustomCombo::mouseMoveEvent(QMouseEvent* Event)
{
    const int X = Event->position().toPoint().x();
    const bool Over = X > width() - fButtonWidth && X < width();
    if (Over != fButtonHover) {
        fButtonHover = Over;
        update();
    }
    QComboBox::mouseMoveEvent(Event);
}

void TExCustomCombo::changeEvent(QEvent* Event)
{
    QComboBox::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        EnabledChanged();
    else if (Event->type() == QEvent::ParentChange && fLabel) {
        fLabel->setParent(parentWidget());
        UpdateLabel();
    } else if (Event->type() == QEvent::FontChange)
        UpdateLabel();
}

// A flat control shows its parent's colour while disabled.
void TExCustomCombo::EnabledChanged()
{
    if (fFlat) {
        if (!isEnabled()) {
            fOldColor = fColor;
            fOldParentColor = fParentColor;
            ShowColor(ParentsColor(), true);
        } else {
            ShowColor(fOldColor, fOldParentColor);
        }
    }
    if (fLabel && !fLabelAlwaysEnabled) {
        fLabel->setEnabled(isEnabled());
        UpdateLabel();
    }
}

void TExCustomCombo::moveEvent(QMoveEvent* Event)
{
    QComboBox::moveEvent(Event);
    UpdateLabel();
}

void TExCustomCombo::resizeEvent(QResizeEvent* Event)
{
    QComboBox::resizeEvent(Event);
    UpdateLabel();
}

void TExCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    fLabelAlwaysEnabled = Value;
    if (fLabel)
        fLabel->setEnabled(Value || isEnabled());
    UpdateLabel();
}

std::string TExCustomCombo::LabelCaption() const
{
    return fLabel ? fLabel->text().toStdString() : std::string();
}

void TExCustomCombo::SetLabelCaption(const std::string& Value)
{
    if (!fLabel) {
        fLabel = new QLabel(parentWidget());
        fLabel->setBuddy(this);
        fLabel->setEnabled(fLabelAlwaysEnabled || isEnabled());
    }
    fLabel->setText(QString::fromStdString(Value));
    UpdateLabel();
}

void TExCustomCombo::SetLabelMargin(int Value)
{
    fLabelMargin = Value;
    UpdateLabel();
}

void TExCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    fLabelPosition = Value;
    UpdateLabel();
}

void TExCustomCombo::SetLabelTransparent(bool Value)
{
    fLabelTransparent = Value;
    UpdateLabel();
}

// The label's size is its caption's, in the combo's font unless the combo has
// a font of its own, when the label takes LabelFont.
void TExCustomCombo::UpdateLabel()
{
    if (!fLabel)
        return;
    fLabel->setAutoFillBackground(!fLabelTransparent);
    fLabel->setFont(testAttribute(Qt::WA_SetFont) ? ToQFont(fLabelFont) : font());
    const QFontMetrics FM(fLabel->font());
    const int TextWidth = FM.horizontalAdvance(fLabel->text());
    const TSize Size{TextWidth, FM.height()};
    fLabel->resize(Size.cx, Size.cy);
    const TPoint At = LabelOrigin(fLabelPosition, Bounds(x(), y(), width(), height()), fLabelMargin,
                                  Size, TextWidth);
    fLabel->move(At.X, At.Y);
    if (testAttribute(Qt::WA_WState_ExplicitShowHide))
        fLabel->setVisible(!isHidden());
}
