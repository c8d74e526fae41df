#pragma once

#include "controls/PGGraphics.h"
#include "platform/Persistent.h"
#include "platform/qt/GdiObjects.h"

#include <QPushButton>
#include <functional>
#include <memory>

// A push button drawn by the program: a rounded outline, a face of two
// vertical gradients, a two-colour frame and a caption broken into lines at
// "|". Four palettes: normal, hovered, pressed and disabled. The hover look
// also ends by a 300 ms timer, for when no leave notice comes.
// User-interface thread only.

struct TPGCtrlColors {
    TColor HighFrom;
    TColor HighTo;
    TColor LowFrom;
    TColor LowTo;
    TColor Outer;
    TColor Inner;
    TColor Text;
    friend bool operator==(const TPGCtrlColors&, const TPGCtrlColors&) = default;
};

class TPGCustomButton;

class TPGCustomButtonColors : public TPersistent {
public:
    explicit TPGCustomButtonColors(TPGCustomButton& Button);

    const TPGCtrlColors& InactiveColors() const { return fInactive; }
    const TPGCtrlColors& ActiveColors() const { return fActive; }
    const TPGCtrlColors& SelectedColors() const { return fSelected; }
    const TPGCtrlColors& DisabledColors() const { return fDisabled; }

    // Each reads the palette's LowTo; writing one gives the palette a flat
    // face and frame of that colour (the text colour stays).
    TColor Inactive() const { return fInactive.LowTo; }
    void SetInactive(TColor Value) { SetFlat(fInactive, Value); }
    TColor Active() const { return fActive.LowTo; }
    void SetActive(TColor Value) { SetFlat(fActive, Value); }
    TColor Selected() const { return fSelected.LowTo; }
    void SetSelected(TColor Value) { SetFlat(fSelected, Value); }
    TColor Disabled() const { return fDisabled.LowTo; }
    void SetDisabled(TColor Value) { SetFlat(fDisabled, Value); }
    TColor InactiveText() const { return fInactive.Text; }
    void SetInactiveText(TColor Value) { SetText(fInactive, Value); }
    TColor ActiveText() const { return fActive.Text; }
    void SetActiveText(TColor Value) { SetText(fActive, Value); }
    TColor SelectedText() const { return fSelected.Text; }
    void SetSelectedText(TColor Value) { SetText(fSelected, Value); }
    TColor DisabledText() const { return fDisabled.Text; }
    void SetDisabledText(TColor Value) { SetText(fDisabled, Value); }

    // Another colours object's eight properties; any other source is an error.
    void Assign(const TPersistent& Source) override;

private:
    // A change of any palette repaints: the button may be showing it.
    void SetFlat(TPGCtrlColors& Palette, TColor Value);
    void SetText(TPGCtrlColors& Palette, TColor Value);

    TPGCustomButton& fButton;
    TPGCtrlColors fInactive;
    TPGCtrlColors fActive;
    TPGCtrlColors fSelected;
    TPGCtrlColors fDisabled;
};

class TPGCustomButton : public QPushButton {
public:
    static constexpr int HoverInterval = 300;

    explicit TPGCustomButton(QWidget* Parent = nullptr);
    ~TPGCustomButton() override;

    TPGCustomButtonColors& Colors() { return *fColors; }
    void SetColors(const TPGCustomButtonColors& Value) { fColors->Assign(Value); }
    int CornerSize() const { return fCornerSize; }
    void SetCornerSize(int Value);
    bool ShowFocusRect() const { return fShowFocusRect; }
    void SetShowFocusRect(bool Value) { fShowFocusRect = Value; }
    // True: the arrow keys move the focus as for any button; false: the
    // button keeps them and reports them through OnKeyDown.
    bool WantArrows() const { return fWantArrows; }
    void SetWantArrows(bool Value) { fWantArrows = Value; }
    bool WordWrap() const { return fWordWrap; }
    void SetWordWrap(bool Value);
    TFont& Font() { return fFont; }
    bool MouseEntered() const { return fIsMouseEntered; }
    bool TimerOn() const { return fIsTimerOn; }

    std::function<void(int Key)> OnKeyDown;

protected:
    // Hooks of descendants; R is the face inside the frame.
    virtual void DrawIcon(TCanvas& Canvas, TRect& R) {}
    virtual void DrawText(TCanvas& Canvas, TRect& R, TColor TextColor, TAlignment Alignment);
    void DrawItem();
    void ActiveTimer(bool Value);
    void RefreshRgn();

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    const TPGCtrlColors& Palette(bool Pressed) const;

    TCanvas fCanvas;
    TFont fFont;
    std::unique_ptr<TPGCustomButtonColors> fColors;
    bool fShowFocusRect = true;
    bool fIsMouseEntered = false;
    bool fIsTimerOn = false;
    int fTimerHandle = 0;
    TGdiRegion fRgn;
    int fCornerSize = 3;
    bool fWantArrows = true;
    bool fWordWrap = false;
};

// The button with its properties published.
class TPGButton : public TPGCustomButton {
public:
    using TPGCustomButton::TPGCustomButton;
};
