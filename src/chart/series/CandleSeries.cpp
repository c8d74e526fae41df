#include "chart/series/CandleSeries.h"

#include "chart/core/PlotProCo.h"
#include "chart/series/ChartRegistry.h"

#include <algorithm>

// OHLC points and the candle series' settings, ranges and colours.

TOHLCSeries::TOHLCSeries()
{
    XValues().SetName(PlotProCo::PlotMsg_ValuesDate);
    XValues().SetDateTime(true);
    YValues().SetName(PlotProCo::PlotMsg_ValuesClose);
    fHigh = new TChartValueList(this, PlotProCo::PlotMsg_ValuesHigh);
    fLow = new TChartValueList(this, PlotProCo::PlotMsg_ValuesLow);
    fOpen = new TChartValueList(this, PlotProCo::PlotMsg_ValuesOpen);
}

int32_t TOHLCSeries::AddOHLC(double ADate, double AOpen, double AHigh, double ALow, double AClose)
{
    fLow->SetTempValue(ALow);
    fHigh->SetTempValue(AHigh);
    fOpen->SetTempValue(AOpen);
    return AddXY(ADate, AClose, "", clPlotColor);
}

double TOHLCSeries::CalcMinMaxValue(bool IsMin)
{
    TChartValueList* Lists[] = {fHigh, &YValues(), fLow, fOpen};
    if (Count() == 0)
        return 0;
    // Without nulls the extremes are those the lists keep.
    if (!HasColorList() || TreatNulls() == tnIgnore) {
        double Result = IsMin ? Lists[0]->MinValue() : Lists[0]->MaxValue();
        for (TChartValueList* L : Lists)
            Result = IsMin ? std::min(Result, L->MinValue()) : std::max(Result, L->MaxValue());
        return Result;
    }
    bool Any = false;
    double Result = 0;
    for (int32_t I = 0; I < Count(); ++I) {
        if (!CountsAsValue(I))
            continue;
        for (const TChartValueList* L : Lists) {
            const double V = (*L)[I];
            if (!Any || (IsMin ? V < Result : V > Result))
                Result = V;
            Any = true;
        }
    }
    return Result;
}

TCandleSeries::TCandleSeries()
    : fDownClose([this](TGraphicsObject*) { Repaint(); }),
      fHighLowPen([this](TGraphicsObject*) { Repaint(); }),
      fUpClose([this](TGraphicsObject*) { Repaint(); })
{
    fDownClose.SetStartColor(clRed);
    fUpClose.SetStartColor(clWhite);
    fHighLowPen.SetColor(clPlotColor);
    Pointer().SetDraw3D(false);
    Pointer().SetVisible(true);
    DrawBetweenPoints = false;
}

void TCandleSeries::SetCandleStyle(TCandleStyle Value)
{
    fCandleStyle = Value;
    Pointer().SetVisible(Value != csLine);
    Repaint();
}

double TCandleSeries::MaxYValue()
{
    return fCandleStyle == csLine ? CloseValues().MaxValue() : TOHLCSeries::MaxYValue();
}

double TCandleSeries::MinYValue()
{
    return fCandleStyle == csLine ? CloseValues().MinValue() : TOHLCSeries::MinYValue();
}

TCandlePrices TCandleSeries::Prices() const
{
    return {OpenValues().Data(), CloseValues().Data(), fColorStyle == cssRelativeToClose};
}

TCandleTrend TCandleSeries::TrendOf(int32_t ValueIndex) const
{
    const int32_t Offset = ValueIndex - fTrendsFirst;
    if (fTrendsFirst >= 0 && Offset >= 0 && Offset < int32_t(fTrends.size()))
        return fTrends[size_t(Offset)];
    return CandleTrendAt(Prices(), ValueIndex);
}

TColor TCandleSeries::ColorOf(int32_t ValueIndex, TCandleTrend Trend) const
{
    const TColor Own = ValueColor(ValueIndex);
    if (Own != clPlotColor)
        return Own;
    return Trend == ctUp ? UpCloseColor() : DownCloseColor();
}

TColor TCandleSeries::CalculateColor(int32_t ValueIndex) const
{
    return ColorOf(ValueIndex, TrendOf(ValueIndex));
}

TPlotGradient& TCandleSeries::CalculateGradient(int32_t ValueIndex)
{
    return TrendOf(ValueIndex) == ctUp ? fUpClose : fDownClose;
}

TColor TCandleSeries::LegendItemColor(int32_t LegendIndex) const
{
    const int32_t Index = LegendToValueIndex(LegendIndex);
    if (Index < 0 || Index >= Count())
        return SeriesColor();
    return CalculateColor(Index);
}

TCandleItem TCandleSeries::CalcItem(int32_t ValueIndex) const
{
    TCandleItem Item;
    Item.X = CalcXPos(ValueIndex);
    Item.YOpen = CalcYPosValue(OpenValues()[ValueIndex]);
    Item.YHigh = CalcYPosValue(HighValues()[ValueIndex]);
    Item.YLow = CalcYPosValue(LowValues()[ValueIndex]);
    Item.YClose = CalcYPosValue(CloseValues()[ValueIndex]);
    Item.SetWidth(fCandleWidth);
    return Item;
}

bool TCandleSeries::IsPointInChartRect(int32_t ValueIndex) const
{
    if (!ParentChart())
        return false;
    const TRect R = ParentChart()->ChartRect();
    const TCandleItem I = CalcItem(ValueIndex);
    if (fCandleStyle == csLine)
        return I.X >= R.Left && I.X < R.Right && I.YClose >= R.Top && I.YClose < R.Bottom;
    const int Top = std::min({I.YOpen, I.YHigh, I.YLow, I.YClose});
    const int Bottom = std::max({I.YOpen, I.YHigh, I.YLow, I.YClose}) + 1;
    return I.X - I.LeftHalf < R.Right && I.X + I.RightHalf + 1 > R.Left && Top < R.Bottom &&
           Bottom > R.Top;
}

namespace {

const TChartSeriesClass CandleClasses[] = {SeriesClassOf<TCandleSeries>()};

} // namespace

void CandleSeriesStartup()
{
    RegisterPlotSeries(CandleClasses[0], &PlotProCo::PlotMsg_GalleryCandle,
                       &PlotProCo::PlotMsg_GalleryFinancial);
}

void CandleSeriesShutdown()
{
    UnRegisterPlotSeries(CandleClasses);
}
