#pragma once

#include "platform/qt/Canvas.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <functional>
#include <string>
#include <string_view>

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

// The top-left corner of a caption label of size Label beside a combo box
// whose bounds in the parent are Combo; TextWidth is the caption's width.
TPoint LabelOrigin(TLabelPosition Position, const TRect& Combo, int Margin, TSize Label,
                   int TextWidth);

// A drop-down list that can draw itself flat or with its own 3D border (shown
// while the mouse is in or it has the focus), draws its drop button itself
// (styled while the visual styles are loaded, classic otherwise), takes other
// colours and borders with the focus and may carry a caption label on its
// parent. A control built in code is live at once: the colour its owner sets
// is the colour it returns to. User-interface thread only.
class TExCustomCombo : public QComboBox {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TExCustomCombo* Sender)>;

    explicit TExCustomCombo(QWidget* Parent = nullptr);
    ~TExCustomCombo() override;

    bool AutoFocus() const { return fAutoFocus; }
    void SetAutoFocus(bool Value) { fAutoFocus = Value; }
    // 14 to 32 pixels; other values are ignored.
    int ButtonWidth() const { return fButtonWidth; }
    void SetButtonWidth(int Value);
    TColor Color() const { return fColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return fParentColor; }
    bool DisabledBorder() const { return fDisabledBorder; }
    void SetDisabledBorder(bool Value);
    // The dropped list's width; 0 leaves it to the list.
    int DropWidth() const { return fDropWidth; }
    void SetDropWidth(int Value);
    bool Etched() const { return fEtched; }
    void SetEtched(bool Value);
    bool Flat() const { return fFlat; }
    void SetFlat(bool Value);
    TColor FlatLineColor() const { return fFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return fFlatParentColor; }
    void SetFlatParentColor(bool Value);
    bool FocusBorder() const { return fFocusBorder; }
    void SetFocusBorder(bool Value);
    TColor FocusBorderColor() const { return fFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor FocusColor() const { return fFocusColor; }
    void SetFocusColor(TColor Value) { fFocusColor = Value; }

    bool LabelAlwaysEnabled() const { return fLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    std::string LabelCaption() const;
    void SetLabelCaption(const std::string& Value);
    // Changes re-place the label.
    TFont& LabelFont() { return fLabelFont; }
    int LabelMargin() const { return fLabelMargin; }
    void SetLabelMargin(int Value);
    TLabelPosition LabelPosition() const { return fLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    bool LabelTransparent() const { return fLabelTransparent; }
    void SetLabelTransparent(bool Value);
    // Null until the first caption.
    QLabel* ComboLabel() const { return fLabel; }

    // Fired when the dropped list closes.
    TNotifyEvent OnDropUp;

    bool MouseInControl() const { return fMouseInControl; }
    bool ButtonHover() const { return fButtonHover; }
    bool DroppedDown() const { return fDroppedDown; }
    // Styled drawing: the visual styles are loaded and active.
    bool DoVisualStyles() const;

    void showPopup() override;
    void hidePopup() override;
    void setVisible(bool Visible) override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    bool PaintsItself() const;
    void PaintItself();
    void DrawButton(TGdiDC& DC);
    void DrawBorders(TGdiDC& DC);
    void DrawControlBorder(TGdiDC& DC);
    void DrawButtonBorder(TGdiDC& DC);
    bool ThreeDBorderShown() const;
    bool Active() const { return fHasFocus || hasFocus(); }
    TColor ParentsColor() const;
    // Shows a colour without taking it as the owner's.
    void ShowColor(TColor Value, bool FromParent);
    void EnabledChanged();
    void UpdateLabel();

    bool fAutoFocus = false;
    bool fFlat = false;
    bool fEtched = false;
    TColor fColor = clWindow;
    bool fParentColor = false;
    TColor fOldColor = clWindow;
    TColor fLoadedColor = clWindow;
    bool fOldParentColor = false;
    int fButtonWidth;
    bool fFocusBorder = false;
    bool fMouseInControl = false;
    int fDropWidth = 0;
    bool fButtonHover = false;
    bool fDroppedDown = false;
    bool fLabelAlwaysEnabled = false;
    bool fLabelTransparent = false;
    int fLabelMargin = 4;
    TFont fLabelFont;
    TLabelPosition fLabelPosition = lpLeftTop;
    QPointer<QLabel> fLabel;
    TColor fFlatLineColor = clBlack;
    bool fFlatParentColor = true;
    TColor fFocusColor = clNone;
    TColor fFocusBorderColor = clNone;
    bool fDisabledBorder = true;
    TColor fNormalColor = clWindow;
    bool fHasFocus = false;
};

class TExComboBox : public TExCustomCombo {
public:
    using TExCustomCombo::TExCustomCombo;
    // The control's own version; it cannot be set.
    static constexpr std::string_view Version() { return "1.2.5.3"; }
};
