#pragma once

#include "platform/Property.h"
#include "platform/qt/Canvas.h"

#include <QDockWidget>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

class TExPageControl;

// One page of a TExPageControl: a container that fills the page area, with
// its own tab colours, caption and close button. A sheet joins a control with
// SetExPageControl (it becomes the control's child) and leaves it when it is
// destroyed. User-interface thread only.
class TExTabSheet : public QWidget {
    Q_OBJECT
public:
    // Kept in the class: the chart engine has a gradient direction of its own.
    enum TGradientDirection { gdVertical, gdHorizontal };
    using TNotifyEvent = std::function<void(TExTabSheet* Sender)>;
    using TCanCloseEvent = std::function<void(TExTabSheet* Sender, bool& CanClose)>;

    explicit TExTabSheet(QWidget* Parent = nullptr);
    ~TExTabSheet() override;

    TExPageControl* ExPageControl() const { return fExPageControl; }
    void SetExPageControl(TExPageControl* Control);
    // Index in the control's page list; -1 without a control.
    int PageIndex() const;
    void SetPageIndex(int Value);
    // Index among the showing tabs; -1 when the tab is not showing.
    int TabIndex() const;

    std::string GetCaption() const { return fCaption; }
    // The native tab gets the caption less its last two characters, or with
    // one blank added when the sheet shows a close button: the tab's size
    // comes from that text; the full caption is what is painted.
    void SetCaption(const std::string& Value);
    const std::string& TabCaption() const { return fTabCaption; }

    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { SetAndRepaint(fColor, Value); }
    TColor ColorTo() const { return fColorTo; }
    void SetColorTo(TColor Value) { SetAndRepaint(fColorTo, Value); }
    TColor TextColor() const { return fTextColor; }
    void SetTextColor(TColor Value) { SetAndRepaint(fTextColor, Value); }
    TColor TabColor() const { return fTabColor; }
    void SetTabColor(TColor Value) { SetAndRepaint(fTabColor, Value); }
    TColor TabColorTo() const { return fTabColorTo; }
    void SetTabColorTo(TColor Value) { SetAndRepaint(fTabColorTo, Value); }
    TGradientDirection TabGradientDirection() const { return fTabGradientDirection; }
    void SetTabGradientDirection(TGradientDirection Value)
    {
        SetAndRepaint(fTabGradientDirection, Value);
    }
    TGradientDirection HoverGradientDirection() const { return fHoverGradientDirection; }
    void SetHoverGradientDirection(TGradientDirection Value) { fHoverGradientDirection = Value; }
    bool ShowClose() const { return fShowClose; }
    void SetShowClose(bool Value);
    // The active page's tab cannot be disabled.
    bool TabEnable() const { return fTabEnable; }
    void SetTabEnable(bool Value);
    bool TabVisible() const { return fTabVisible; }
    void SetTabVisible(bool Value);
    bool TabShowing() const { return fTabShowing; }
    // The picture of the tab in the control's Images; -1 for none.
    int ImageIndex() const { return fImageIndex; }
    void SetImageIndex(int Value);
    // The tab is drawn in the highlight colours (three-dimensional mode).
    bool Highlighted() const { return fHighlighted; }
    void SetHighlighted(bool Value);
    // The sheet's own enabled state, whatever its control's.
    bool SheetEnabled() const { return !testAttribute(Qt::WA_Disabled); }

    TNotifyEvent OnHide;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TCanCloseEvent OnCanClose;
    void CloseButtonClick();
    // The floating panel whose content this sheet holds, while docked.
    QDockWidget* DockedPanel() const { return fDockedPanel; }
    bool CanCloseClick();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    // The pointer came onto the page: no tab stays hot, also when it came
    // straight from a row across the page.
    void enterEvent(QEnterEvent* Event) override;
    // The docked content shown or hidden shows or hides the tab.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    friend class TExPageControl;
    void SetTabShowing(bool Value);
    // The tab is the control's drawing: both repaint.
    void Repaint();
    template <class T> void SetAndRepaint(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }
    void Notify(const TNotifyEvent& Event);

    std::string fCaption;
    std::string fTabCaption;
    TColor fTextColor = clBlack;
    TColor fTabColor = clNone;
    TColor fTabColorTo = clNone;
    bool fShowClose = false;
    TGradientDirection fTabGradientDirection = gdVertical;
    TGradientDirection fHoverGradientDirection = gdVertical;
    TExPageControl* fExPageControl = nullptr;
    QPointer<QDockWidget> fDockedPanel;
    bool fTabVisible = true;
    bool fTabShowing = false;
    bool fTabEnable = true;
    TColor fColor = clBtnFace;
    TColor fColorTo = clNone;
    int fImageIndex = 0;
    // The image index the native tab reserves room for: 0 when none.
    int fImageIndexDummy = 0;
    bool fHighlighted = false;
};
