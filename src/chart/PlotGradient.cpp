#include "chart/PlotGradient.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotHtml.h"

#include <algorithm>
#include <cstdlib>

TCustomPlotGradient::TCustomPlotGradient(TNotifyEvent ChangedEvent)
    : IChanged(std::move(ChangedEvent))
{
}

void TCustomPlotGradient::DoChanged()
{
    if (IChanged)
        IChanged(nullptr);
}

void TCustomPlotGradient::Assign(const TCustomPlotGradient& Source)
{
    fVisible = Source.fVisible;
    fStartColor = Source.fStartColor;
    fEndColor = Source.fEndColor;
    fDirection = Source.fDirection;
    DoChanged();
}

void TCustomPlotGradient::Draw(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize)
{
    Canvas.Pen().SetStyle(psClear);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(fStartColor);
    if (RoundRectSize > 0)
        Canvas.RoundRect(Rect, RoundRectSize, RoundRectSize);
    else
        Canvas.FillRect(Rect);
}

TPlotShadow::TPlotShadow(TNotifyEvent AOnChange) : IOnChange(std::move(AOnChange)) {}

void TPlotShadow::SetTransparency(int Value)
{
    Set(fTransparency, std::clamp(Value, 0, 100));
}

int TPlotShadow::Size() const
{
    return std::max(std::abs(fHorizSize), std::abs(fVertSize));
}

void TPlotShadow::SetSize(int Value)
{
    SetHorizSize(Value);
    SetVertSize(Value);
}

void TPlotShadow::Assign(const TPlotShadow& Source)
{
    fColor = Source.fColor;
    fHorizSize = Source.fHorizSize;
    fVertSize = Source.fVertSize;
    fSmooth = Source.fSmooth;
    fSmoothBlur = Source.fSmoothBlur;
    fTransparency = Source.fTransparency;
    fVisible = Source.fVisible;
}

void TPlotShadow::Draw(TPlotCanvas& ACanvas, const TRect& Rect)
{
    if (!fVisible || fColor == clNone || (fHorizSize == 0 && fVertSize == 0))
        return;
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(fColor);
    ACanvas.Pen().SetStyle(psClear);
    const TRect R = OrientRectangle(Rect);
    if (fVertSize != 0) {
        const TRect Strip = fVertSize > 0 ? TRect{R.Left, R.Bottom, R.Right, R.Bottom + fVertSize}
                                          : TRect{R.Left, R.Top + fVertSize, R.Right, R.Top};
        ACanvas.FillRect(
            {Strip.Left + fHorizSize, Strip.Top, Strip.Right + fHorizSize, Strip.Bottom});
    }
    if (fHorizSize != 0) {
        const TRect Strip = fHorizSize > 0 ? TRect{R.Right, R.Top, R.Right + fHorizSize, R.Bottom}
                                           : TRect{R.Left + fHorizSize, R.Top, R.Left, R.Bottom};
        ACanvas.FillRect(
            {Strip.Left, Strip.Top + fVertSize, Strip.Right, Strip.Bottom + fVertSize});
    }
}

TPlotBlend::TPlotBlend(TPlotCanvas& ACanvas, const TRect& R) : FCanvas(ACanvas), FRect(R) {}

void TPlotBlend::DoBlend(int Transparency) {}

void HtmlTextOut(TPlotCanvas& ACanvas, int x, int y, const std::string& Text)
{
    ACanvas.TextOut(x, y, Text);
}
