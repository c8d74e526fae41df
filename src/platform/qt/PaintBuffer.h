#pragma once

#include "platform/qt/Canvas.h"

#include <QImage>
#include <QPainter>
#include <optional>

class QWidget;

// A widget's picture drawn off screen (raster operations and pixel reads need
// an image) and shown in one block when the buffer goes. The image has the
// pixel ratio of the device the widget is painted on, the screen's or that of
// an image the widget is rendered into, while the drawing keeps the widget's
// own coordinates: text and lines come out as sharp at 200 % as at 100 %.
// Lives within one paint event of the widget.
class TPaintBuffer {
public:
    TPaintBuffer(QWidget& Widget, QColor Fill);
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;
    ~TPaintBuffer();

    TGdiDC& DC() { return *fDC; }
    TCanvas& Canvas() { return fCanvas; }

private:
    QPainter fWindow;
    QImage fImage;
    std::optional<TGdiDC> fDC;
    TCanvas fCanvas;
};
