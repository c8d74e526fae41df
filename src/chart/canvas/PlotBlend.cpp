#include "chart/canvas/PlotBlend.h"
#include "chart/canvas/PlotCanvas.h"
#include "chart/canvas/PlotPixels.h"

#include <algorithm>

TPlotBlend::TPlotBlend(TPlotCanvas& ACanvas, const TRect& R) : FCanvas(ACanvas)
{
    SetRectangle(R);
}

namespace {

// The image the canvas draws into, when it can be read and written.
QImage* CanvasImage(TPlotCanvas& Canvas)
{
    TGdiDC* DC = Canvas.GetHandle();
    QImage* Image = DC ? DC->Image() : nullptr;
    return Image && !Image->isNull() && Image->depth() == 32 ? Image : nullptr;
}

} // namespace

void TPlotBlend::SetRectangle(const TRect& R)
{
    FRect = OrientRectangle(R);
    FRect.Left = std::max(FRect.Left, 0);
    FRect.Top = std::max(FRect.Top, 0);
    FRect.Right = std::min(std::max(FRect.Right, FRect.Left + 1), FCanvas.Bounds().Right);
    FRect.Bottom = std::min(std::max(FRect.Bottom, FRect.Top + 1), FCanvas.Bounds().Bottom);
    IValidSize = FRect.Width() > 0 && FRect.Height() > 0;
    FBitmap = QImage();
    if (const QImage* Image = CanvasImage(FCanvas); Image && IValidSize)
        FBitmap = Image->copy(FRect.Left, FRect.Top, FRect.Width(), FRect.Height());
}

void TPlotBlend::DoBlend(int Transparency)
{
    QImage* Target = CanvasImage(FCanvas);
    if (FCanvas.Metafiling() || !IValidSize || !Target || FBitmap.isNull())
        return;
    PlotBlendBitmaps(100 - Transparency, FBitmap, *Target, {FRect.Left, FRect.Top});
}

void PlotBlendBitmaps(int Percent, const QImage& ABitmap, QImage& BBitmap, TPoint BOrigin)
{
    PlotMake32Bit(BBitmap);
    const QImage A =
        ABitmap.depth() == 32 ? ABitmap : ABitmap.convertToFormat(QImage::Format_RGB32);
    const int X = std::max(BOrigin.X, 0), Y = std::max(BOrigin.Y, 0);
    const int W = std::min(A.width(), BBitmap.width() - X);
    const int H = std::min(A.height(), BBitmap.height() - Y);
    if (W < 1 || H < 1)
        return;
    // The weight of A, in hundredths; a and b differ by at most 255, so the
    // products stay small and the division truncates toward zero.
    const int WeightA = 100 - std::clamp(Percent, 0, 100);
    for (int Row = 0; Row < H; ++Row) {
        const uint8_t* Src = A.constScanLine(Row);
        uint8_t* Dst = BBitmap.scanLine(Y + Row) + 4 * X;
        for (int I = 0; I < 4 * W; ++I)
            Dst[I] = uint8_t(Dst[I] + WeightA * (Src[I] - Dst[I]) / 100);
    }
}
