#include "controls/uExPageControlSheet.h"

#include "controls/uExNativeTabs.h"
#include "controls/uExPageControl.h"
#include "controls/uExPageControlPaint.h"

#include <QEvent>
#include <algorithm>

namespace {

// Text less its last N characters (UTF-8 sequences, not bytes).
std::string DropLastChars(const std::string& Text, int N)
{
    std::size_t End = Text.size();
    for (; N > 0 && End > 0; --N) {
        --End;
        while (End > 0 && (static_cast<unsigned char>(Text[End]) & 0xC0) == 0x80)
            --End;
    }
    return Text.substr(0, End);
}

} // namespace

TExTabSheet::TExTabSheet(QWidget* Parent) : QWidget(Parent)
{
    hide();
}

TExTabSheet::~TExTabSheet()
{
    if (fExPageControl)
        fExPageControl->RemovePage(this);
}

void TExTabSheet::SetExPageControl(TExPageControl* Control)
{
    if (Control == fExPageControl)
        return;
    if (fExPageControl)
        fExPageControl->RemovePage(this);
    fExPageControl = Control;
    setParent(Control);
    if (!Control)
        return;
    if (fTextColor == clBlack)
        fTextColor = Control->DefaultTextColor();
    if (fTabColor == clNone)
        fTabColor = Control->DefaultTabColor();
    if (fTabColorTo == clNone)
        fTabColorTo = Control->DefaultTabColorTo();
    Control->InsertPage(this);
}

int TExTabSheet::PageIndex() const
{
    if (!fExPageControl)
        return -1;
    const auto& Pages = fExPageControl->fPages;
    return int(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TExTabSheet::SetPageIndex(int Value)
{
    if (!fExPageControl)
        return;
    auto& Pages = fExPageControl->fPages;
    const int From = PageIndex();
    const int To = std::clamp(Value, 0, int(Pages.size()) - 1);
    if (From == To)
        return;
    const int OldTab = TabIndex();
    Pages.erase(Pages.begin() + From);
    Pages.insert(Pages.begin() + To, this);
    if (fTabShowing)
        fExPageControl->MoveTab(OldTab, TabIndex());
}

int TExTabSheet::TabIndex() const
{
    if (!fTabShowing || !fExPageControl)
        return -1;
    int Index = 0;
    for (const TExTabSheet* Page : fExPageControl->fPages) {
        if (Page == this)
            return Index;
        Index += Page->fTabShowing;
    }
    return -1;
}

void TExTabSheet::SetCaption(const std::string& Value)
{
    fTabCaption = fShowClose ? Value + " " : DropLastChars(Value, 2);
    fCaption = Value;
    if (fExPageControl)
        fExPageControl->UpdateTab(this);
}

void TExTabSheet::SetShowClose(bool Value)
{
    fShowClose = Value;
    SetCaption(fCaption);
    Repaint();
}

void TExTabSheet::SetImageIndex(int Value)
{
    fImageIndex = Value >= 0 ? Value : -1;
    fImageIndexDummy = Value >= 0 ? Value : 0;
    SetCaption(fCaption);
}

void TExTabSheet::SetHighlighted(bool Value)
{
    fHighlighted = Value;
    if (fExPageControl)
        fExPageControl->update();
}

void TExTabSheet::SetTabEnable(bool Value)
{
    if (!Value && fExPageControl && fExPageControl->ActivePage() == this)
        throw ExPageControlException("Can not disable active tab.");
    fTabEnable = Value;
    Repaint();
}

void TExTabSheet::SetTabVisible(bool Value)
{
    fTabVisible = Value;
    SetTabShowing(fExPageControl && Value);
    if (fExPageControl)
        fExPageControl->UpdateTab(this);
}

void TExTabSheet::SetTabShowing(bool Value)
{
    if (Value == fTabShowing)
        return;
    if (Value) {
        fTabShowing = true;
        fExPageControl->InsertTab(this);
    } else {
        const int Former = TabIndex();
        fTabShowing = false;
        fExPageControl->DeleteTab(Former);
    }
}

void TExTabSheet::Repaint()
{
    update();
    if (fExPageControl)
        fExPageControl->update();
}

void TExTabSheet::Notify(const TNotifyEvent& Event)
{
    if (!Event)
        return;
    try {
        Event(this);
    } catch (...) {
    }
}

void TExTabSheet::CloseButtonClick()
{
    Notify(OnClose);
}

bool TExTabSheet::CanCloseClick()
{
    bool CanClose = true;
    if (OnCanClose)
        OnCanClose(this, CanClose);
    return CanClose;
}

void TExTabSheet::paintEvent(QPaintEvent*)
{
    TGdiDC DC(static_cast<QPaintDevice*>(this));
    TCanvas Canvas(&DC);
    Canvas.Brush().SetColor(fColor);
    Canvas.FillRect(Rect(0, 0, width(), height()));
    if (fColorTo != clNone)
        DrawGradient(Canvas, fColor, fColorTo, 64, Rect(0, 0, width(), height()), false);
}

void TExTabSheet::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    Notify(OnShow);
}

void TExTabSheet::hideEvent(QHideEvent* Event)
{
    QWidget::hideEvent(Event);
    Notify(OnHide);
}

void TExTabSheet::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange && fExPageControl)
        fExPageControl->update();
}

void TExTabSheet::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    if (fExPageControl && fExPageControl->HoverTab() >= 0)
        fExPageControl->TabsMouseLeave();
}

bool TExTabSheet::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (fDockedPanel && Watched->parent() == this &&
        (Type == QEvent::ShowToParent || Type == QEvent::HideToParent))
        SetTabVisible(Type == QEvent::ShowToParent);
    return false;
}
