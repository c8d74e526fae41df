#include "domain/charts/uIndicatorSeries.h"

namespace {

constexpr TColor cBubbleColor = 0xFF0000;
constexpr TColor cBubbleGradientStart = 0x80FF80;
constexpr int cBubbleSize = 8;

std::unique_ptr<TCustomSeries> CreateBubbleSeries(int aIndex)
{
    auto Series = std::make_unique<TPointSeries>();
    Series->SetColorEachPoint(false);
    Series->SetSeriesColor(cBubbleColor);
    Series->SetClickableLine(false);
    TSeriesPointer& Pointer = Series->Pointer();
    Pointer.Gradient().SetStartColor(cBubbleGradientStart);
    Pointer.SetHorizSize(cBubbleSize);
    Pointer.SetVertSize(cBubbleSize);
    Pointer.SetStyle(aIndex == 0 ? psTriangle : psDownTriangle);
    Pointer.SetVisible(true);
    return Series;
}

} // namespace

std::unique_ptr<TCustomSeries> CreateIndicatorSeries(TIndicatorSeriesClass aClass, int aIndex)
{
    if (aClass == iscBubble)
        return CreateBubbleSeries(aIndex);
    auto Series = std::make_unique<TLineSeries>();
    Series->SetDark3D(false);
    Series->Pointer().SetVisible(false);
    return Series;
}
