#include "chart/panel/PlotPanel.h"

#include <algorithm>
#include <cstdlib>

TCustomPanelNoCaption::TCustomPanelNoCaption() = default;

void TCustomPanelNoCaption::SetSize(int W, int H)
{
    W = std::max(W, 0);
    H = std::max(H, 0);
    if (W == fWidth && H == fHeight)
        return;
    fWidth = W;
    fHeight = H;
    Invalidate();
}

void TCustomPanelNoCaption::SetColor(TColor Value)
{
    if (StoreChanged(fColor, Value))
        Invalidate();
}

void TCustomPanelNoCaption::SetCursor(Qt::CursorShape Value)
{
    fCursor = Value;
    if (fHost)
        fHost->setCursor(Value);
}

void TCustomPanelNoCaption::SetHost(QWidget* Host)
{
    fHost = Host;
}

void TCustomPanelNoCaption::Invalidate()
{
    if (fHost)
        fHost->update();
}

void TCustomPanelNoCaption::Repaint()
{
    if (fHost)
        fHost->repaint();
}

void TCustomPanelNoCaption::Click()
{
    if (auto Handler = OnClick)
        Handler();
}

void TCustomPanelNoCaption::DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    bool Handled = false;
    if (auto Handler = OnMouseWheel)
        Handler(Shift, WheelDelta, X, Y, Handled);
    if (Handled)
        return;
    fWheelAccumulator += WheelDelta;
    while (std::abs(fWheelAccumulator) >= WHEEL_DELTA) {
        if (fWheelAccumulator < 0) {
            fWheelAccumulator += WHEEL_DELTA;
            DoMouseWheelDown(Shift, X, Y);
        } else {
            fWheelAccumulator -= WHEEL_DELTA;
            DoMouseWheelUp(Shift, X, Y);
        }
    }
}

void TCustomPanelNoCaption::DoMouseWheelDown(TShiftState Shift, int X, int Y)
{
    if (auto Handler = OnMouseWheelDown)
        Handler(Shift, X, Y);
}

void TCustomPanelNoCaption::DoMouseWheelUp(TShiftState Shift, int X, int Y)
{
    if (auto Handler = OnMouseWheelUp)
        Handler(Shift, X, Y);
}

void TZoomPanning::Activate(int X, int Y)
{
    X0 = X1 = X;
    Y0 = Y1 = Y;
    Active = true;
}

void TZoomPanning::Check()
{
    if (X0 > X1)
        std::swap(X0, X1);
    if (Y0 > Y1)
        std::swap(Y0, Y1);
}

TCustomPlotPanel::TCustomPlotPanel()
{
    SetSize(400, 250);
    FOriginalCursor = Cursor();
    FView3DOptions = std::make_unique<TView3DOptions>(this);
    InternalCanvas = std::make_unique<TPlotCanvas3D>();
    InternalCanvas->SetCanvas(&ControlCanvas());
    FShadow = std::make_unique<TPlotShadow>([this](TGraphicsObject*) { CanvasChanged(); });
    FShadow->SetVisible(false);
    FBorder = std::make_unique<TChartHiddenPen>([this](TGraphicsObject*) { CanvasChanged(); });
    FBorder->SetEndStyle(esFlat);
    FAutoRepaint = true;
}

TCustomPlotPanel::~TCustomPlotPanel() = default;

void TCustomPlotPanel::Invalidate()
{
    if (!FAutoRepaint)
        return;
    if (InternalCanvas)
        InternalCanvas->Invalidate();
    TCustomPanelNoCaption::Invalidate();
}

TRect TCustomPlotPanel::GetRectangle()
{
    if (Host() && Host()->parentWidget())
        return {0, 0, Host()->width(), Host()->height()};
    return {0, 0, Width(), Height()};
}

void TCustomPlotPanel::Paint()
{
    if (FPrinting)
        return;
    InternalCanvas->SetCanvas(&ControlCanvas());
    if (!InternalCanvas->ReDrawBitmap())
        Draw(&ControlCanvas(), GetRectangle());
}

namespace {

// An image that the frame covers whole.
bool CoversImage(const TCanvas* Canvas, const TRect& R)
{
    const TGdiDC* DC = Canvas ? Canvas->Handle() : nullptr;
    return DC && DC->Image() && R.Left == 0 && R.Top == 0 && R.Width() == DC->DeviceWidth() &&
           R.Height() == DC->DeviceHeight();
}

} // namespace

void TCustomPlotPanel::Draw(TCanvas* UserCanvas, const TRect& UserRect)
{
    // A picture of the caller's own goes straight into its image: the
    // buffer and its whole-frame copy serve only the window.
    if (UserCanvas != &ControlCanvas() && InternalCanvas->GetUseBuffer() &&
        CoversImage(UserCanvas, UserRect)) {
        NonBufferDraw(UserCanvas, UserRect);
        InternalCanvas->SetCanvas(&ControlCanvas());
        InternalCanvas->Invalidate();
        return;
    }
    FChartBounds = InternalCanvas->InitWindow(UserCanvas, FView3DOptions.get(), GetBackColor(),
                                              FView3D, UserRect);
    AdjustChartBounds();
    ReCalcWidthHeight();
    try {
        InternalDraw(FChartBounds);
    } catch (...) {
        // What was drawn before the failure is shown; the caller reports it.
        InternalCanvas->ShowImage(UserCanvas, &ControlCanvas(), UserRect);
        throw;
    }
    InternalCanvas->ShowImage(UserCanvas, &ControlCanvas(), UserRect);
}

void TCustomPlotPanel::AdjustChartBounds()
{
    int Frame = BorderWidth;
    if (BevelInner != bvNone)
        Frame += BevelWidth;
    if (BevelOuter != bvNone)
        Frame += BevelWidth;
    if (FBorder->Visible())
        Frame += FBorder->Width();
    if (FCustomChartRect)
        return;
    const int W = FChartBounds.Width(), H = FChartBounds.Height();
    auto Margin = [&](int Value, int Size) {
        return FMarginUnits == muPixels ? Value : Value * Size / 100;
    };
    ChartRect = {FChartBounds.Left + Frame + Margin(FMargins.Left, W),
                 FChartBounds.Top + Frame + Margin(FMargins.Top, H),
                 FChartBounds.Right - Frame - Margin(FMargins.Right, W),
                 FChartBounds.Bottom - Frame - Margin(FMargins.Bottom, H)};
    // The shadow takes its room on the side where it falls. A rectangle set
    // by the user is left alone: it would shrink again with every frame.
    if (FShadow->Visible()) {
        const int HS = FShadow->HorizSize(), VS = FShadow->VertSize();
        if (HS > 0)
            ChartRect.Right -= 2 * HS;
        else
            ChartRect.Left += 2 * std::abs(HS);
        if (VS > 0)
            ChartRect.Bottom -= 2 * VS;
        else
            ChartRect.Top += 2 * std::abs(VS);
    }
}

void TCustomPlotPanel::ReCalcWidthHeight()
{
    if (!FCustomChartRect) {
        ChartRect.Left = std::max(ChartRect.Left, FChartBounds.Left);
        ChartRect.Top = std::max(ChartRect.Top, FChartBounds.Top);
        if (ChartRect.Right < ChartRect.Left)
            ChartRect.Right = ChartRect.Left + 1;
        else if (ChartRect.Right == ChartRect.Left)
            ChartRect.Right = ChartRect.Left + Width();
        if (ChartRect.Bottom < ChartRect.Top)
            ChartRect.Bottom = ChartRect.Top + 1;
        else if (ChartRect.Bottom == ChartRect.Top)
            ChartRect.Bottom = ChartRect.Top + Height();
    }
    FChartWidth = ChartRect.Width();
    FChartHeight = ChartRect.Height();
    RectCenter(ChartRect, FChartXCenter, FChartYCenter);
}

void TCustomPlotPanel::SetMargin(int Index, int Value)
{
    int* Fields[4] = {&FMargins.Left, &FMargins.Top, &FMargins.Right, &FMargins.Bottom};
    if (Index >= 0 && Index < 4)
        SetIntegerProperty(*Fields[Index], Value);
}

void TCustomPlotPanel::SetMarginUnits(TPlotUnits Value)
{
    if (StoreChanged(FMarginUnits, Value))
        Invalidate();
}

void TCustomPlotPanel::SetView3D(bool Value)
{
    if (FView3D == Value)
        return;
    FView3D = Value;
    Invalidate();
    TPlotView3DEvent Event;
    BroadcastPlotEvent(Event);
}

void TCustomPlotPanel::BroadcastPlotEvent(TPlotEvent& Event)
{
    Event.Sender = this;
    // A listener may unregister itself: walk a copy.
    const TPlotEventListeners Listeners = IEventListeners;
    for (IPlotEventListener* L : Listeners)
        L->PlotEvent(Event);
}

namespace {

TPlotMouseEvent MouseEvent(TChartMouseEventKind Kind, TMouseButton Button, TShiftState Shift, int X,
                           int Y)
{
    TPlotMouseEvent E;
    E.Event = Kind;
    E.Button = Button;
    E.Shift = Shift;
    E.X = X;
    E.Y = Y;
    return E;
}

} // namespace

// Each event runs its handler from a copy: a handler may replace itself.

void TCustomPlotPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FCancelMouse = false;
    if (auto Handler = OnMouseDown)
        Handler(Button, Shift, X, Y);
    TPlotMouseEvent E = MouseEvent(cmeDown, Button, Shift, X, Y);
    BroadcastPlotEvent(E);
}

void TCustomPlotPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (auto Handler = OnMouseUp)
        Handler(Button, Shift, X, Y);
    TPlotMouseEvent E = MouseEvent(cmeUp, Button, Shift, X, Y);
    BroadcastPlotEvent(E);
}

void TCustomPlotPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    FCancelMouse = false;
    if (auto Handler = OnMouseMove)
        Handler(Shift, X, Y);
    if (IEventListeners.empty())
        return;
    TPlotMouseEvent E = MouseEvent(cmeMove, mbLeft, Shift, X, Y);
    BroadcastPlotEvent(E);
}

bool TCustomPlotPanel::DblClick()
{
    FCancelMouse = false;
    if (auto Handler = OnDblClick)
        Handler();
    return !FCancelMouse;
}

void TCustomPlotPanel::MouseLeave()
{
    SetCursor(FOriginalCursor);
    FPanning.Active = false;
}

std::unique_ptr<TBitmap> TCustomPlotPanel::PlotCreateBitmap(TColor BackColor, const TRect& Rect)
{
    auto Result = std::make_unique<TBitmap>();
    Result->SetSize(Rect.Width(), Rect.Height());
    Result->Canvas().Brush().SetColor(BackColor);
    Result->Canvas().FillRect({0, 0, Rect.Width(), Rect.Height()});
    Draw(&Result->Canvas(), {0, 0, Rect.Width(), Rect.Height()});
    // The buffer now holds a picture for another surface.
    InternalCanvas->Invalidate();
    return Result;
}

void TCustomPlotPanel::NonBufferDraw(TCanvas* ACanvas, const TRect& R)
{
    // Buffering comes back however the frame ends.
    struct TRestore {
        TPlotCanvas3D& Canvas;
        const bool Old = Canvas.GetUseBuffer();
        const bool OldKeep = Canvas.IKeepBitmap;
        ~TRestore()
        {
            Canvas.SetUseBuffer(Old);
            Canvas.IKeepBitmap = OldKeep;
        }
    } Restore{*InternalCanvas};
    InternalCanvas->IKeepBitmap = true;
    InternalCanvas->SetUseBuffer(false);
    Draw(ACanvas, R);
}
