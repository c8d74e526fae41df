#include "platform/qt/PaintBuffer.h"

#include <QPaintEngine>
#include <QWidget>

// The engine's device is the one really painted on: a widget being rendered
// into an image paints there, with that image's ratio.
TPaintBuffer::TPaintBuffer(QWidget& Widget, QColor Fill) : fWindow(&Widget)
{
    const QPaintEngine* Engine = fWindow.paintEngine();
    const qreal Ratio = Engine && Engine->paintDevice() ? Engine->paintDevice()->devicePixelRatio()
                                                        : Widget.devicePixelRatio();
    fImage = QImage(Widget.size() * Ratio, QImage::Format_RGB32);
    fImage.setDevicePixelRatio(Ratio);
    fImage.fill(Fill);
    fDC.emplace(&fImage);
    fCanvas.SetHandle(&*fDC);
}

TPaintBuffer::~TPaintBuffer()
{
    fCanvas.SetHandle(nullptr);
    fDC.reset();
    fWindow.drawImage(0, 0, fImage);
}
