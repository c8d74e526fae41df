#pragma once

#include "controls/uBaseControls.h"
#include "controls/uWindowState.h"
#include "platform/qt/ImageList.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>

// A movable, resizable child window inside another control: a caption bar
// with icon, text and close, maximise and minimise buttons, a frame coloured
// by activation, three states, a grid for position and size, and activation
// groups among the windows of one parent. User-interface thread only.

enum TwinctrlCaptionPosition { cpTop, cpLeft };
enum TwinctrlMdiWindowButtonType { btClose, btMaximize, btMinimize };
enum TwinctrlMdiWindowButtonGlyph { bgClose, bgMaximize, bgMinimize, bgNormal };

constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;

// Sent by a window that becomes active to every child of its parent, itself
// included: siblings of its group (or of any group, for group 0 or less)
// become inactive.
constexpr QEvent::Type CN_ACTIVATED = QEvent::Type(0x720);
class TActivatedEvent : public QEvent {
public:
    TActivatedEvent(int GroupIndex, QWidget* Window)
        : QEvent(CN_ACTIVATED), GroupIndex(GroupIndex), Window(Window)
    {
    }
    const int GroupIndex;
    QWidget* const Window;
};

class TwinctrlCustomMdiWindow;
using TwinctrlMdiWindowEvent = std::function<void(TwinctrlCustomMdiWindow& Sender)>;

// A caption button: acts on the press, not on the release.
class TwinctrlMdiWindowButton : public TCustomControl {
public:
    TwinctrlMdiWindowButton(TwinctrlCustomMdiWindow& Window, TwinctrlMdiWindowButtonType Type);
    TwinctrlMdiWindowButtonType Type() const { return fType; }
    TwinctrlMdiWindowButtonGlyph Glyph() const { return fGlyph; }
    void SetGlyph(TwinctrlMdiWindowButtonGlyph Value);
    // Back to the picture of the button's own type.
    void SetGlyph() { SetGlyph(TwinctrlMdiWindowButtonGlyph(fType)); }
    void DoClick();

protected:
    void Paint() override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    TwinctrlCustomMdiWindow& fWindow;
    TwinctrlMdiWindowButtonType fType;
    TwinctrlMdiWindowButtonGlyph fGlyph;
};

class TwinctrlCustomMdiWindow : public TwinctrlCustomPanel {
public:
    static constexpr int CaptionSize = 19;
    static constexpr int MinimizedSize = 24;
    // A minimised strip's length along its caption.
    static constexpr int StripLength = 200;
    // The platform's frames: resizable while normal, fixed otherwise.
    static constexpr int SizeFrame = 7;
    static constexpr int DialogFrame = 3;

    explicit TwinctrlCustomMdiWindow(QWidget* Parent = nullptr);
    ~TwinctrlCustomMdiWindow() override;

    void Activate();
    // Hides the window and frees it once the current event is handled; the
    // owner must drop its references first (in OnClose).
    void CloseAndFree();

    TWindowState State() const { return fState; }
    // Minimised windows line up as strips along the parent's bottom edge,
    // left to right in the order they were minimised, rows going up; they
    // line up again when one comes or goes and when the parent is resized.
    void SetState(TWindowState Value);
    // The bounds the window has, or returns to, in the normal state: it
    // returns to them even while its parent is still short of them (a
    // parent that shrinks leaves a normal window where it is, too).
    TRect NormalBounds() const { return fState == wsNormal ? BoundsRect() : fNormalBounds; }
    // A normal window moves there at once; another keeps its place until it
    // is restored.
    void SetNormalBounds(const TRect& Value);
    // The least size of a normal window: its frame, the caption with its
    // buttons and a little room beside them.
    TSize MinSize() const;
    bool Active() const { return fActive; }
    TColor ActiveColor() const { return fActiveColor; }
    void SetActiveColor(TColor Value);
    TColor InactiveColor() const { return fInactiveColor; }
    void SetInactiveColor(TColor Value);
    TwinctrlCaptionPosition CaptionPosition() const { return fCaptionPosition; }
    void SetCaptionPosition(TwinctrlCaptionPosition Value);
    bool CaptionVisible() const { return fCaptionVisible; }
    void SetCaptionVisible(bool Value);
    bool DestroyOnClose() const { return fDestroyOnClose; }
    void SetDestroyOnClose(bool Value) { fDestroyOnClose = Value; }
    // Focused whenever the window becomes active; not owned.
    QWidget* FocusControl() const { return fFocusControl; }
    void SetFocusControl(QWidget* Value) { fFocusControl = Value; }
    // The optional source of the icon; not owned, forgotten when it ends.
    TImageList* Images() const { return fImages; }
    void SetImages(TImageList* Value);
    const QImage& Icon() const { return fIcon; }
    // Taken only while no image list is set.
    void SetIcon(const QImage& Value);
    int IconIndex() const { return fIconIndex; }
    void SetIconIndex(int Value);
    int GroupIndex() const { return fGroupIndex; }
    void SetGroupIndex(int Value) { fGroupIndex = Value; }
    // The least height in grid cells while normal; a negative value is ignored.
    int HeightConstraint() const { return fHeightConstraint; }
    void SetHeightConstraint(int Value);
    // The grid step in pixels; 0 or 1: no grid.
    uint8_t PosDiscrete() const { return fPosDiscrete; }
    void SetPosDiscrete(uint8_t Value) { fPosDiscrete = Value; }

    TRect GetCaptionRect() const;
    TColor GetStateColor() const { return fActive ? fActiveColor : fInactiveColor; }
    // Each value becomes the multiple of the grid step next toward zero; no
    // change without a grid.
    void CalcDiscretePos(int& X, int& Y, int& CX, int& CY) const;
    const QImage& Glyph(TwinctrlMdiWindowButtonGlyph Glyph) const { return fGlyphs[Glyph]; }
    TwinctrlMdiWindowButton& Button(TwinctrlMdiWindowButtonType Type) { return *fButtons[Type]; }

    TwinctrlMdiWindowEvent OnActivate;
    TwinctrlMdiWindowEvent OnDeactivate;
    // Runs inside the close button's press: free the window with deleteLater.
    TwinctrlMdiWindowEvent OnClose;
    TwinctrlMdiWindowEvent OnMaximize;
    TwinctrlMdiWindowEvent OnMinimize;
    // After every change of position, size or stacking order.
    TwinctrlMdiWindowEvent OnPosChanged;

protected:
    friend class TwinctrlMdiWindowButton;
    void SetActive(bool Value);
    void NotifyActivation();
    void DoClickButton(TwinctrlMdiWindowButtonType AButtonType);

    void AlignControls(TRect& Rect) override;
    void CustomPaint() override;
    void NcPaint(TGdiDC& DC) override;
    void WindowPosChanging(TWindowPos& Pos) override;
    void WindowPosChanged() override;
    void Resize() override;
    void TextChanged() override { update(); }
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    // Edges of the frame under a point, or the whole window for a move.
    enum : int { tkLeft = 1, tkTop = 2, tkRight = 4, tkBottom = 8, tkMove = 16 };

    bool HandleAllocated() const { return parentWidget() && !fDoDestroy; }
    void RecreateWnd();
    void RealignButtons();
    // After a change of the caption's place or visibility.
    void CaptionChanged();
    void DrawBorder(TGdiDC& DC);
    void DrawCaption();
    void DrawIcon();
    void BringToFront();
    void CNActivated(const TActivatedEvent& Event);
    // The minimised windows of aParent in their strips, aGone left out.
    static void LineUpStrips(QWidget& aParent, const QWidget* aGone = nullptr);
    void PlaceStrip(int aSlot);
    void FocusChanged(QWidget* Now);
    int FrameEdges(QPoint P) const;

    TWindowState fState = wsNormal;
    TRect fNormalBounds;
    bool fActive = false;
    QPointer<QWidget> fFocusControl;
    TwinctrlCaptionPosition fCaptionPosition = cpTop;
    bool fCaptionVisible = true;
    TColor fActiveColor = clGradientActiveCaption;
    TColor fInactiveColor = clGradientInactiveCaption;
    TImageListLink fImages;
    QMetaObject::Connection fFocusChanged;
    QImage fIcon;
    int fIconIndex = -1;
    int fHeightConstraint = 0;
    uint8_t fPosDiscrete = 8;
    bool fDestroyOnClose = true;
    bool fDoDestroy = false;
    // Set while the window returns to its normal bounds: the parent does not
    // push them in.
    bool fRestoring = false;
    int fGroupIndex = 0;
    // When the window was minimised, in the order of all windows': its
    // strip's place among its siblings'.
    uint64_t fStripOrder = 0;
    std::array<QImage, 4> fGlyphs;
    std::array<TwinctrlMdiWindowButton*, 3> fButtons{};
    // The mouse loop that moves or sizes the window.
    int fTracking = 0;
    QPoint fTrackStart;
    TRect fTrackBounds;
};

// The window with its properties published.
class TwinctrlMdiWindow : public TwinctrlCustomMdiWindow {
public:
    using TwinctrlCustomMdiWindow::TwinctrlCustomMdiWindow;
};
