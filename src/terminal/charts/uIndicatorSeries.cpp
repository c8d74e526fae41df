#include "terminal/charts/uIndicatorSeries.h"

#include "chart/series/BubbleSeries.h"
#include "terminal/charts/uChartSettingsView.h"

namespace {

constexpr TColor cBubbleColor = 0xFF0000;
constexpr int cBubbleSize = 8;

std::unique_ptr<TCustomSeries> CreateBubbleSeries(int aIndex)
{
    auto Series = std::make_unique<TBubbleSeries>();
    SetUpBubbleSeries(*Series, aIndex == 0 ? psTriangle : psDownTriangle, cBubbleSize);
    Series->SetSeriesColor(cBubbleColor);
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
