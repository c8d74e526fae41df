#include "platform/qt/GdiExtra.h"

bool FrameRgn(TGdiDC& DC, const TGdiRegion& Rgn, const TGdiBrush& Brush, int W, int H)
{
    // What stays inside when the region is moved W (H) pixels either way is
    // its interior; the rest is the frame.
    const QRegion& R = Rgn.R;
    const QRegion Inner = R.intersected(R.translated(W, 0))
                              .intersected(R.translated(-W, 0))
                              .intersected(R.translated(0, H))
                              .intersected(R.translated(0, -H));
    return DC.FillRgn({R.subtracted(Inner)}, Brush);
}

bool TransparentBlt(TGdiDC& DC, int X, int Y, const QImage& Src, COLORREF Transparent)
{
    if (Src.isNull() || !DC.DeviceWidth())
        return false;
    QImage Keyed = Src.convertToFormat(QImage::Format_ARGB32);
    const QRgb Key = ToQColor(Transparent).rgb();
    for (int Row = 0; Row < Keyed.height(); ++Row) {
        auto* Line = reinterpret_cast<QRgb*>(Keyed.scanLine(Row));
        for (int Col = 0; Col < Keyed.width(); ++Col)
            if ((Line[Col] | 0xFF000000u) == Key)
                Line[Col] = 0;
    }
    QPainter& P = DC.Painter();
    P.save();
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.drawImage(QPoint(X, Y), Keyed);
    P.restore();
    return true;
}
