#pragma once

#include "platform/qt/GdiObjects.h"

#include <QImage>

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
