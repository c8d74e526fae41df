#pragma once

#include "chart/canvas/PlotCanvas3D.h"
#include "chart/core/PlotUnits.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// The window side of a chart: the panel that owns the canvas, paints through
// its buffer, computes the chart rectangle from the margins and passes mouse
// events on. A TPlotPanelWidget shows it on screen.

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = unsigned;

class TCustomPlotPanel;

enum TChartMouseEventKind { cmeDown, cmeMove, cmeUp };

// What the panel tells its listeners (tools, legend).
struct TPlotEvent {
    virtual ~TPlotEvent() = default;
    TCustomPlotPanel* Sender = nullptr;
};
struct TPlotView3DEvent : TPlotEvent {};
struct TPlotMouseEvent : TPlotEvent {
    TChartMouseEventKind Event = cmeDown;
    TMouseButton Button = mbLeft;
    TShiftState Shift = 0;
    int X = 0;
    int Y = 0;
};

class IPlotEventListener {
public:
    virtual ~IPlotEventListener() = default;
    virtual void PlotEvent(TPlotEvent& Event) = 0;
};
// Not owned: the listeners live with the chart that registers them.
using TPlotEventListeners = std::vector<IPlotEventListener*>;

// A panel of the form library without a caption: size, colour, bevels,
// cursor and the mouse events, shown by an optional host widget.
class TCustomPanelNoCaption : public IPlotRepaint {
public:
    TCustomPanelNoCaption();
    TCustomPanelNoCaption(const TCustomPanelNoCaption&) = delete;
    TCustomPanelNoCaption& operator=(const TCustomPanelNoCaption&) = delete;
    ~TCustomPanelNoCaption() override = default;

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    // A new size makes the picture stale.
    void SetSize(int W, int H);
    TColor Color() const { return fColor; }
    void SetColor(TColor Value);
    TBevelCut BevelInner = bvNone;
    TBevelCut BevelOuter = bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
    Qt::CursorShape Cursor() const { return fCursor; }
    void SetCursor(Qt::CursorShape Value);
    QWidget* Host() const { return fHost; }
    void SetHost(QWidget* Host);
    // The window's own drawing surface; it has a context only while painting.
    TCanvas& ControlCanvas() { return fControlCanvas; }
    // Requests a repaint from the host.
    void Invalidate() override;
    // Repaints the host now, before returning.
    void Repaint();
    // Shown by the host at a right click; not owned.
    QMenu* PopupMenu() const { return fPopupMenu; }
    void SetPopupMenu(QMenu* Value) { fPopupMenu = Value; }

    // A left press and release inside the control.
    virtual void Click();
    // One wheel event: OnMouseWheel, then (unless it set Handled) one
    // DoMouseWheelDown or DoMouseWheelUp per full notch of WheelDelta, the
    // remainder kept for the next event. A negative delta turns towards the user.
    virtual void DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
    virtual void DoMouseWheelDown(TShiftState Shift, int X, int Y);
    virtual void DoMouseWheelUp(TShiftState Shift, int X, int Y);

    std::function<void(TMouseButton, TShiftState, int X, int Y)> OnMouseDown;
    std::function<void(TMouseButton, TShiftState, int X, int Y)> OnMouseUp;
    std::function<void(TShiftState, int X, int Y)> OnMouseMove;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(TShiftState, int WheelDelta, int X, int Y, bool& Handled)> OnMouseWheel;
    std::function<void(TShiftState, int X, int Y)> OnMouseWheelDown;
    std::function<void(TShiftState, int X, int Y)> OnMouseWheelUp;

    // The wheel turn of one notch.
    static constexpr int WHEEL_DELTA = 120;

private:
    int fWidth = 0;
    int fHeight = 0;
    TColor fColor = clBtnFace;
    Qt::CursorShape fCursor = Qt::ArrowCursor;
    QPointer<QWidget> fHost;
    QPointer<QMenu> fPopupMenu;
    TCanvas fControlCanvas;
    int fWheelAccumulator = 0;
};

// The pan in progress.
struct TZoomPanning {
    bool Active = false;
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;
    void Activate(int X, int Y);
    // Orders the corners: X0 <= X1, Y0 <= Y1.
    void Check();
};

class TCustomPlotPanel : public TCustomPanelNoCaption {
public:
    TCustomPlotPanel();
    ~TCustomPlotPanel() override;

    virtual void Paint();
    virtual TColor GetBackColor() { return Color(); }
    virtual void InternalDraw(const TRect& UserRect) {}
    virtual void CanvasChanged() { Invalidate(); }
    // One frame into UserCanvas: bounds, chart rectangle, drawing, copy.
    virtual void Draw(TCanvas* UserCanvas, const TRect& UserRect);
    virtual TRect GetRectangle();
    void Invalidate() override;

    TCanvas3D& Canvas() { return *InternalCanvas; }
    TPlotCanvas3D& PlotCanvas() { return *InternalCanvas; }
    bool AutoRepaint() const { return FAutoRepaint; }
    void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
    bool ApplyZOrder() const { return FApplyZOrder; }
    void SetApplyZOrder(bool Value) { SetBooleanProperty(FApplyZOrder, Value); }
    TChartHiddenPen& Border() { return *FBorder; }
    int BorderRound() const { return FBorderRound; }
    void SetBorderRound(int Value) { SetIntegerProperty(FBorderRound, Value); }
    bool CancelMouse() const { return FCancelMouse; }
    void SetCancelMouse(bool Value) { FCancelMouse = Value; }
    int MarginLeft() const { return FMargins.Left; }
    int MarginTop() const { return FMargins.Top; }
    int MarginRight() const { return FMargins.Right; }
    int MarginBottom() const { return FMargins.Bottom; }
    // Index 0..3: left, top, right, bottom.
    void SetMargin(int Index, int Value);
    TPlotUnits MarginUnits() const { return FMarginUnits; }
    void SetMarginUnits(TPlotUnits Value);
    TPlotShadow& Shadow() { return *FShadow; }
    bool View3D() const { return FView3D; }
    void SetView3D(bool Value);
    TView3DOptions& View3DOptions() { return *FView3DOptions; }
    bool Printing() const { return FPrinting; }
    TZoomPanning& Panning() { return FPanning; }
    TPlotEventListeners& Listeners() { return IEventListeners; }
    void BroadcastPlotEvent(TPlotEvent& Event);

    const TRect& ChartBounds() const { return FChartBounds; }
    int ChartWidth() const { return FChartWidth; }
    int ChartHeight() const { return FChartHeight; }
    int ChartXCenter() const { return FChartXCenter; }
    int ChartYCenter() const { return FChartYCenter; }
    // Set by the user: the chart rectangle is no longer computed.
    void SetCustomChartRect(bool Value) { FCustomChartRect = Value; }
    TRect ChartRect;
    int Height3D = 0; // 3D depth, vertical
    int Width3D = 0;  // 3D depth, horizontal

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // False when a handler set CancelMouse: the rest of the double click is skipped.
    virtual bool DblClick();
    // The pointer left the control.
    virtual void MouseLeave();

    // The chart rendered into a new bitmap through the same pipeline.
    std::unique_ptr<TBitmap> PlotCreateBitmap(TColor BackColor, const TRect& Rect);
    void NonBufferDraw(TCanvas* ACanvas, const TRect& R);
    TRect PrintMargins{15, 15, 15, 15};
    bool PrintProportional = true;
    int PrintResolution = 0;

    // The chart rectangle kept inside the bounds, its size and centre updated.
    void ReCalcWidthHeight();

protected:
    void AdjustChartBounds();
    template <class T> void SetProperty(T& Variable, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Variable, Value))
            Invalidate();
    }
    void SetBooleanProperty(bool& Variable, bool Value) { SetProperty(Variable, Value); }
    void SetIntegerProperty(int& Variable, int Value) { SetProperty(Variable, Value); }
    void SetDoubleProperty(double& Variable, double Value) { SetProperty(Variable, Value); }
    void SetColorProperty(TColor& Variable, TColor Value) { SetProperty(Variable, Value); }
    void SetStringProperty(std::string& Variable, const std::string& Value)
    {
        SetProperty(Variable, Value);
    }

    TPlotEventListeners IEventListeners;
    bool FApplyZOrder = true;
    bool FAutoRepaint = true;
    std::unique_ptr<TChartHiddenPen> FBorder;
    int FBorderRound = 0;
    bool FCancelMouse = false;
    TRect FChartBounds;
    int FChartWidth = 0;
    int FChartHeight = 0;
    int FChartXCenter = 0;
    int FChartYCenter = 0;
    TRect FMargins{3, 4, 3, 4};
    TPlotUnits FMarginUnits = muPercent;
    Qt::CursorShape FOriginalCursor;
    TZoomPanning FPanning;
    bool FPrinting = false;
    std::unique_ptr<TPlotShadow> FShadow;
    bool FView3D = true;
    std::unique_ptr<TView3DOptions> FView3DOptions;
    bool FCustomChartRect = false;
    std::unique_ptr<TPlotCanvas3D> InternalCanvas;
};
