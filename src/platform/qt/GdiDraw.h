#pragma once

#include "platform/qt/Gdi.h"

#include <QPolygonF>
#include <vector>

// Helpers shared by the context's source files; not for other callers.
struct TGdiDraw {
    // Sets the painter's composition for the context's mix mode; false for
    // R2_NOP (draw nothing). R2_BLACK and R2_WHITE replace Color.
    static bool PrepareRop(TGdiDC& DC, COLORREF& Color);
    static QBrush MakeBrush(const TGdiDC& DC, const TGdiBrush& Brush);
    // Runs of a thin pen's style: on, off, on, ... in pixels; empty = solid.
    static std::vector<int> StyleRuns(const TGdiPen& Pen);
    static QPen WidePen(const TGdiPen& Pen, COLORREF Color);
    // The current pen from A towards B, leaving out B.
    static void PenLine(TGdiDC& DC, TPoint A, TPoint B);
    // The painter's pen becomes a cosmetic solid pen of Color, left in
    // place when it already is one. Every drawing call sets the pen it
    // draws with, so a pen left behind changes nothing else.
    static void SetThinPen(QPainter& P, COLORREF Color);
    // True for a thin solid pen in copy mode over a painter in its plain
    // composition: its lines need none of the painter's state but the pen.
    static bool IsCopyPen(const TGdiDC& DC);
    // PenLine for such a pen, without saving the painter's state.
    static void CopyPenLine(TGdiDC& DC, TPoint A, TPoint B);
    // A closed outline with the current pen.
    static void PenOutline(TGdiDC& DC, const std::vector<TPoint>& Points);
    static void FillPolygon(TGdiDC& DC, const QPolygonF& Poly, const QBrush& Brush,
                            Qt::FillRule Rule);
    static QRect DeviceRect(const TGdiDC& DC);
    // A thin solid line from A to the pixel before B written into the
    // image's rows inside Clip (the ClipArea); false where the line or the
    // context needs the painter.
    static bool WriteSolidLine(TGdiDC& DC, const std::vector<QRect>& Clip, TPoint A, TPoint B,
                               COLORREF Color);
    // The device's pixels that drawing may change.
    static std::vector<QRect> ClipArea(const TGdiDC& DC);
    static bool OutsideRect(const QRectF& R, double Limit);
    // Pixels whose centres lie inside the path.
    static QRegion PathRegion(const QPainterPath& Path, const QRect& Device);
    static QPolygonF ClipToRect(const QPolygonF& Poly, const QRectF& R);
};

// Beyond this the path rasteriser fails: shapes are clipped to the device first.
constexpr double RasterLimit = 32767;
