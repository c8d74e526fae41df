#include "terminal/charts/uChartSettingsView.h"

#include "chart/chart/Chart.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/Series.h"

#include <initializer_list>
#include <optional>

namespace {

constexpr TColor cAxisGrid = 0xC4C4C4;
constexpr TColor cMinorGrid = 0xC0C0C0;
constexpr TColor cCandleUp = 0x82E6B4;
constexpr TColor cCandleDown = 0xB482E6;
constexpr TColor cBubbleGradientStart = 0x80FF80;

TCandleStyle StyleOf(TChartType aType)
{
    switch (aType) {
    case ctBar:
        return csCandleBar;
    case ctLine:
        return csLine;
    default:
        return csCandleStick;
    }
}

std::optional<TChartType> TypeOf(TCandleStyle aStyle)
{
    switch (aStyle) {
    case csCandleBar:
        return ctBar;
    case csCandleStick:
        return ctCandle;
    case csLine:
        return ctLine;
    default:
        return std::nullopt;
    }
}

} // namespace

TChartSettingsView::TChartSettingsView(TCustomChart& aChart, TCandleSeries& aCandles,
                                       TChartSeries* aBuy, TChartSeries* aSell,
                                       TChartSeries* aPrice)
    : fChart(aChart), fCandles(aCandles), fBuy(aBuy), fSell(aSell), fPrice(aPrice)
{
}

void TChartSettingsView::ApplyLook(const TChartLook& aLook)
{
    fChart.SetBackColor(aLook.Background);
    fChart.SetColor(aLook.Background);
    for (TChartAxis* Axis :
         {fChart.BottomAxis(), fChart.TopAxis(), fChart.LeftAxis(), fChart.RightAxis()}) {
        Axis->LabelsFont().SetColor(aLook.Labels);
        for (TChartPen* Pen : std::initializer_list<TChartPen*>{&Axis->Grid(), &Axis->MinorGrid(),
                                                                &Axis->MinorTicks(), &Axis->Ticks(),
                                                                &Axis->TicksInner()})
            Pen->SetColor(aLook.Grid);
        Axis->Axis().SetColor(aLook.AxisLine);
    }
    fCandles.SetUpCloseColor(aLook.CandleUp);
    fCandles.SetDownCloseColor(aLook.CandleDown);
    fCandles.Pen().SetColor(aLook.CandlePen);
    if (aLook.Style)
        fCandles.SetCandleStyle(StyleOf(*aLook.Style));
    for (auto [Series, Color] : {std::pair{fBuy, aLook.Buy}, std::pair{fSell, aLook.Sell},
                                 std::pair{fPrice, aLook.PriceLine}})
        if (Series)
            Series->SetSeriesColor(Color);
    fChart.BottomAxis()->Grid().SetVisible(aLook.ShowGrid);
    fChart.BottomAxis()->MinorGrid().SetVisible(aLook.ShowGrid);
    fChart.RightAxis()->Grid().SetVisible(aLook.ShowGrid);
    fChart.RightAxis()->MinorGrid().SetVisible(false);
    fChart.Invalidate();
}

TChartLook TChartSettingsView::ReadLook() const
{
    TChartAxis& Bottom = *fChart.BottomAxis();
    TChartLook Look;
    Look.Background = fChart.BackColor();
    Look.Labels = Bottom.LabelsFont().Color();
    Look.Grid = Bottom.Grid().Color();
    Look.ShowGrid = Bottom.Grid().Visible();
    Look.CandleUp = fCandles.UpCloseColor();
    Look.CandleDown = fCandles.DownCloseColor();
    Look.CandlePen = fCandles.Pen().Color();
    Look.Style = TypeOf(fCandles.CandleStyle());
    return Look;
}

void SetUpChartAxes(TCustomChart& aChart)
{
    for (TChartAxis* Axis : aChart.Axes()) {
        Axis->Grid().SetColor(cAxisGrid);
        Axis->LabelsFont().SetName(cChartFont);
        Axis->SetMinorTickLength(-3);
        Axis->MinorTicks().SetColor(clBlack);
        Axis->SetTickInnerLength(6);
        Axis->SetTickLength(0);
        Axis->TicksInner().SetColor(clBlack);
    }
    for (TChartAxis* Axis :
         {aChart.DepthAxis(), aChart.DepthTopAxis(), aChart.LeftAxis(), aChart.TopAxis()})
        Axis->Grid().SetStyle(psSolid);
    aChart.TopAxis()->Grid().SetVisible(false);

    TChartAxis& Bottom = *aChart.BottomAxis();
    Bottom.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    Bottom.SetLabelsAlternate(false);
    Bottom.SetLabelsMultiLine(false);
    Bottom.MinorGrid().SetColor(cMinorGrid);
    Bottom.MinorGrid().SetStyle(psDot);
    Bottom.MinorGrid().SetVisible(true);
    Bottom.SetDesiredIncrement(1 / MinsPerDay);
    Bottom.SetAutomatic(false);
    Bottom.SetAutomaticMinimum(false);
    Bottom.SetAutomaticMaximum(false);

    TChartAxis& Right = *aChart.RightAxis();
    Right.SetAxisValuesFormat("#,####0.#####");
    Right.SetAutomatic(false);
}

void SetUpCandleSeries(TCandleSeries& aCandles)
{
    aCandles.Marks().SetVisible(false);
    aCandles.SetShowInLegend(false);
    aCandles.SetValueFormat("#,#####0.######");
    aCandles.SetVertAxis(aRightAxis);
    aCandles.SetHorizAxis(aBottomAxis);
    aCandles.SetDark3D(false);
    aCandles.SetDownCloseColor(cCandleDown);
    aCandles.HighLowPen().SetColor(clPlotColor);
    aCandles.SetUpCloseColor(cCandleUp);
}

void SetUpPriceLine(TLineSeries& aPrice)
{
    aPrice.SetSeriesColor(clBlack);
    aPrice.SetShowInLegend(false);
    aPrice.Marks().SetVisible(false);
    aPrice.SetValueFormat("#,#####0.######");
    aPrice.SetVertAxis(aRightAxis);
    aPrice.SetClickableLine(false);
    aPrice.SetDark3D(false);
    aPrice.Pointer().SetVisible(false);
    aPrice.XValues().SetDateTime(true);
}

void SetUpBubbleSeries(TBubbleSeries& aBubbles, TSeriesPointerStyle aStyle, int aSize)
{
    aBubbles.SetColorEachPoint(false);
    aBubbles.SetClickableLine(false);
    TSeriesPointer& Pointer = aBubbles.Pointer();
    Pointer.Gradient().SetStartColor(cBubbleGradientStart);
    Pointer.SetHorizSize(aSize);
    Pointer.SetVertSize(aSize);
    Pointer.SetStyle(aStyle);
    Pointer.SetInflateMargins(false);
    Pointer.SetVisible(true);
    aBubbles.Marks().SetVisible(false);
    aBubbles.SetShowInLegend(false);
    aBubbles.SetVertAxis(aRightAxis);
    aBubbles.XValues().SetDateTime(true);
}
