#pragma once

#include "platform/qt/GdiObjects.h"

#include <QImage>
#include <QWidget>

// Pixel probes of the control tests.

inline QRgb Rgb(TColor Color)
{
    return ToQColor(ColorToRGB(Color)).rgb();
}

// The box of the pixels within Area (all of the image by default) that differ
// from Background: where something was drawn.
inline QRect InkBox(const QImage& Image, QRgb Background, QRect Area = {})
{
    if (Area.isNull())
        Area = Image.rect();
    QRect Box;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        for (int X = Area.left(); X <= Area.right(); ++X)
            if (Image.pixel(X, Y) != Background)
                Box |= QRect(X, Y, 1, 1);
    return Box;
}

// Widget painted into an image of the given pixel ratio, as a screen at that
// scale shows it.
inline QImage RenderAt(QWidget& Widget, qreal Ratio)
{
    QImage Image(Widget.size() * Ratio, QImage::Format_RGB32);
    Image.setDevicePixelRatio(Ratio);
    Image.fill(Qt::white);
    Widget.render(&Image);
    return Image;
}

// Whether every row of Area runs in pairs of equal pixels: a picture drawn at
// half the width and stretched. (Rows only: a vertical gradient drawn at full
// resolution rightly differs from row to row.)
inline bool IsStretched(const QImage& Image, QRect Area = {})
{
    if (Area.isNull())
        Area = Image.rect();
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        for (int X = Area.left() & ~1; X + 1 <= Area.right(); X += 2)
            if (Image.pixel(X, Y) != Image.pixel(X + 1, Y))
                return false;
    return true;
}
