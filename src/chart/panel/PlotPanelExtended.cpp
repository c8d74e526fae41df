#include "chart/panel/PlotPanelExtended.h"

TPlotZoomBrush::TPlotZoomBrush(TNotifyEvent OnChangeEvent) : TChartBrush(std::move(OnChangeEvent))
{
    SetColor(clWhite);
    SetStyle(bsClear);
}

TPlotZoomPen::TPlotZoomPen(TNotifyEvent OnChangeEvent) : TChartPen(std::move(OnChangeEvent))
{
    SetColor(clWhite);
}

TPlotZoomBrush& TPlotZoom::Brush()
{
    if (!fBrush)
        fBrush = std::make_unique<TPlotZoomBrush>();
    return *fBrush;
}

TPlotZoomPen& TPlotZoom::Pen()
{
    if (!fPen)
        fPen = std::make_unique<TPlotZoomPen>();
    return *fPen;
}

void TBackImage::Draw(TPlotCanvas& Canvas, const TRect& Rect)
{
    const QImage& G = Filtered();
    if (G.isNull())
        return;
    switch (Mode) {
    case pbmStretch:
        Canvas.StretchDraw(Rect, G);
        break;
    case pbmTile:
        Canvas.ClipRectangle(Rect);
        for (int Y = Rect.Top; Y < Rect.Bottom; Y += G.height())
            for (int X = Rect.Left; X < Rect.Right; X += G.width())
                Canvas.Draw(X, Y, G);
        Canvas.UnClipRectangle();
        break;
    case pbmCenter:
        Canvas.Draw((Rect.Left + Rect.Right - G.width()) / 2,
                    (Rect.Top + Rect.Bottom - G.height()) / 2, G);
        break;
    case pbmCustom:
        Canvas.Draw(Rect.Left + Left, Rect.Top + Top, G);
        break;
    }
}

TCustomPlotPanelExtended::TCustomPlotPanelExtended()
{
    FAllowPanning = pmBoth;
}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() = default;

TPlotGradient& TCustomPlotPanelExtended::Gradient()
{
    if (!FGradient)
        FGradient = std::make_unique<TPlotGradient>([this](TGraphicsObject*) { CanvasChanged(); });
    return *FGradient;
}

TBackImage& TCustomPlotPanelExtended::BackImage()
{
    if (!FBackImage)
        FBackImage = std::make_unique<TBackImage>();
    return *FBackImage;
}

void TCustomPlotPanelExtended::UndoZoom()
{
    if (auto Handler = OnUndoZoom)
        Handler(this);
    Invalidate();
    FZoomed = false;
}

void TCustomPlotPanelExtended::FillPanelRect(const TRect& Rect)
{
    TCanvas3D& C = Canvas();
    if (FGradient && FGradient->Visible()) {
        FGradient->Draw(C, Rect, FBorderRound);
        return;
    }
    if (FPrinting || Color() == clNone)
        return;
    C.Brush().SetBitmap(QImage());
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Color());
    C.Pen().SetStyle(psClear);
    if (FBorderRound > 0)
        C.RoundRect(Rect.Left, Rect.Top, Rect.Right + 1, Rect.Bottom + 1, FBorderRound,
                    FBorderRound);
    else
        C.FillRect(Rect);
}

void TCustomPlotPanelExtended::DrawBevels(TRect R)
{
    TCanvas3D& C = Canvas();
    auto Bevel = [&](TBevelCut Cut) {
        if (Cut == bvNone)
            return;
        const TColor Light = Cut == bvRaised ? clBtnHighlight : clBtnShadow;
        const TColor Dark = Cut == bvRaised ? clBtnShadow : clBtnHighlight;
        if (Cut == bvSpace)
            C.Frame3D(R, Color(), Color(), BevelWidth);
        else
            C.Frame3D(R, Light, Dark, BevelWidth);
    };
    Bevel(BevelOuter);
    if (BorderWidth > 0)
        C.Frame3D(R, Color(), Color(), BorderWidth);
    Bevel(BevelInner);
    if (FBorder->Visible()) {
        C.AssignVisiblePen(*FBorder);
        C.Brush().SetStyle(bsClear);
        if (FBorderRound > 0)
            C.RoundRect(R, FBorderRound, FBorderRound);
        else
            C.Rectangle(R);
    }
}

void TCustomPlotPanelExtended::PanelPaint(const TRect& UserRect)
{
    TCanvas3D& C = Canvas();
    C.BeginEntity();
    if (FShadow->Visible())
        FShadow->Draw(C, UserRect);
    FillPanelRect(UserRect);
    if (FBackImage && !FBackImage->Inside)
        FBackImage->Draw(C, UserRect);
    DrawBevels(UserRect);
    C.EndEntity();
}

void TCustomPlotPanelExtended::DrawZoomRectangle()
{
    // Qt paints a window only from its paint event: the rectangle goes into
    // the buffer that the window shows, and the window is asked to update.
    TBitmap* Buffer = PlotCanvas().Bitmap();
    if (!Buffer || Buffer->Empty())
        return;
    TPlotCanvas3D& C = PlotCanvas();
    TCanvas* Saved = C.ReferenceCanvas();
    C.SetCanvas(&Buffer->Canvas());
    PaintZoomRectangle();
    C.SetCanvas(Saved);
    TCustomPanelNoCaption::Invalidate();
}

void TCustomPlotPanelExtended::PaintZoomRectangle()
{
    TPlotCanvas3D& C = PlotCanvas();
    const COLORREF Back = ColorToRGB(GetBackColor());
    const TColor Flip = TColor(0xFFFFFF - Back);
    if (TPlotZoomBrush* B = FZoom.BrushIfAny()) {
        C.Brush().SetBitmap(QImage());
        C.Brush().SetStyle(B->Style());
        C.Brush().SetColor(TColor(ColorToRGB(B->Color()) ^ COLORREF(Flip)));
    } else {
        C.Brush().SetStyle(bsClear);
    }
    TPlotZoomPen& P = FZoom.Pen();
    C.AssignVisiblePenColor(P, TColor(ColorToRGB(P.Color()) ^ COLORREF(Flip)));
    C.Pen().SetMode(pmNotXor);
    C.Rectangle(FZoom.X0, FZoom.Y0, FZoom.X1, FZoom.Y1);
    C.Pen().SetMode(pmCopy);
}
