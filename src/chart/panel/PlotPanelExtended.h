#pragma once

#include "chart/canvas/PlotPicture.h"
#include "chart/panel/PlotPanel.h"

// The panel with zoom and panning settings, a background gradient and image,
// and its own painting.

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum TPlotZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };
enum TPlotBackImageMode { pbmStretch, pbmTile, pbmCenter, pbmCustom };

class TPlotZoomBrush : public TChartBrush {
public:
    explicit TPlotZoomBrush(TNotifyEvent OnChangeEvent = {});
};

class TPlotZoomPen : public TChartPen {
public:
    explicit TPlotZoomPen(TNotifyEvent OnChangeEvent = {});
};

class TPlotZoom : public TZoomPanning {
public:
    bool Allow = true;
    bool Animated = false;
    int AnimatedSteps = 8;
    TPlotZoomDirection Direction = tzdBoth;
    TShiftState KeyShift = 0;
    int MinimumPixels = 16;
    TMouseButton MouseButton = mbLeft;
    bool UpLeftZooms = false;
    // Created on first read.
    TPlotZoomBrush& Brush();
    TPlotZoomBrush* BrushIfAny() const { return fBrush.get(); }
    TPlotZoomPen& Pen();

private:
    std::unique_ptr<TPlotZoomBrush> fBrush;
    std::unique_ptr<TPlotZoomPen> fPen;
};

// A picture with its placement.
class TBackImage : public TPlotPicture {
public:
    bool Inside = false; // inside the chart rectangle only
    int Left = 0;
    int Top = 0;
    TPlotBackImageMode Mode = pbmStretch;
    void Draw(TPlotCanvas& Canvas, const TRect& Rect);
};

class TCustomPlotPanelExtended : public TCustomPlotPanel {
public:
    TCustomPlotPanelExtended();
    ~TCustomPlotPanelExtended() override;

    virtual void FillPanelRect(const TRect& Rect);
    virtual void PanelPaint(const TRect& UserRect);
    // The zoom rectangle over the shown picture; drawing it twice at the
    // same place restores every pixel.
    void DrawZoomRectangle();
    virtual void UndoZoom();

    TPanningMode AllowPanning() const { return FAllowPanning; }
    void SetAllowPanning(TPanningMode Value) { FAllowPanning = Value; }
    bool AllowZoom() const { return FZoom.Allow; }
    void SetAllowZoom(bool Value) { FZoom.Allow = Value; }
    TPlotGradient& Gradient();
    TPlotGradient* GradientIfAny() const { return FGradient.get(); }
    TBackImage& BackImage();
    TBackImage* BackImageIfAny() const { return FBackImage.get(); }
    TPlotZoom& Zoom() { return FZoom; }
    bool Zoomed() const { return FZoomed; }
    void SetZoomed(bool Value) { FZoomed = Value; }

    std::function<void(TCustomPlotPanelExtended*)> OnAfterDraw;
    std::function<void(TCustomPlotPanelExtended*)> OnScroll;
    std::function<void(TCustomPlotPanelExtended*)> OnUndoZoom;
    std::function<void(TCustomPlotPanelExtended*)> OnZoom;

protected:
    void DrawBevels(TRect R);
    // The zoom rectangle onto the canvas as it is set, inside a frame.
    void PaintZoomRectangle();

    TPanningMode FAllowPanning = pmBoth;
    std::unique_ptr<TPlotGradient> FGradient;
    TPlotZoom FZoom;
    bool FZoomed = false;
    std::unique_ptr<TBackImage> FBackImage;
};
