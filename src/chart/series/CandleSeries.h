#pragma once

// Points of a date and four prices, and the candle series that draws them
// as candles, bars, open-close boxes or a close line: lists, adding, ranges,
// colours and settings (CandleSeries.cpp), drawing and hit tests
// (CandleSeriesDraw.cpp). UI thread only.

#include "chart/series/Series.h"
#include "chart/series/SeriesMaths.h"

// A date (X, ascending) and open, high, low and close prices; the close is
// the plotted value.
class TOHLCSeries : public TCustomSeries {
public:
    TOHLCSeries();

    TChartValueList& DateValues() const { return XValues(); }
    TChartValueList& CloseValues() const { return YValues(); }
    TChartValueList& HighValues() const { return *fHigh; }
    TChartValueList& LowValues() const { return *fLow; }
    TChartValueList& OpenValues() const { return *fOpen; }

    // The candle goes to its date's sorted place; every list inserts there.
    int32_t AddOHLC(double ADate, double AOpen, double AHigh, double ALow, double AClose);
    int32_t AddCandle(double ADate, double AOpen, double AHigh, double ALow, double AClose)
    {
        return AddOHLC(ADate, AOpen, AHigh, ALow, AClose);
    }

    // The lowest (highest) of the four prices over the points.
    double CalcMinMaxValue(bool IsMin) override;

private:
    TChartValueList* fHigh;
    TChartValueList* fLow;
    TChartValueList* fOpen;
};

enum TCandleStyle : uint8_t { csCandleStick, csCandleBar, csOpenClose, csLine };
enum TCandleColorStyle : uint8_t { cssRelativeToOpen, cssRelativeToClose };

class TCandleSeries : public TOHLCSeries {
public:
    TCandleSeries();

    TCandleStyle CandleStyle() const { return fCandleStyle; }
    // Every style but the close line shows the pointer (the candle's outline).
    void SetCandleStyle(TCandleStyle Value);
    int CandleWidth() const { return fCandleWidth; }
    void SetCandleWidth(int Value) { SetAndRepaint(fCandleWidth, Value); }
    TCandleColorStyle ColorStyle() const { return fColorStyle; }
    void SetColorStyle(TCandleColorStyle Value) { SetAndRepaint(fColorStyle, Value); }
    TColor UpCloseColor() const { return fUpClose.StartColor(); }
    void SetUpCloseColor(TColor Value) { fUpClose.SetStartColor(Value); }
    TColor DownCloseColor() const { return fDownClose.StartColor(); }
    void SetDownCloseColor(TColor Value) { fDownClose.SetStartColor(Value); }
    TPlotGradient& UpCloseGradient() { return fUpClose; }
    TPlotGradient& DownCloseGradient() { return fDownClose; }
    // The wick's pen; at clPlotColor it takes the outline's colour.
    TChartPen& HighLowPen() { return fHighLowPen; }
    bool ShowOpenTick() const { return fShowOpenTick; }
    void SetShowOpenTick(bool Value) { SetAndRepaint(fShowOpenTick, Value); }
    bool ShowCloseTick() const { return fShowCloseTick; }
    void SetShowCloseTick(bool Value) { SetAndRepaint(fShowCloseTick, Value); }
    // The candle's outline pen is the pointer's.
    TChartPen& Pen() const { return Pointer().Pen(); }
    void SetPen(const TChartPen& Value) override { Pointer().Pen().Assign(Value); }

    // The close line's range is that of the closes alone.
    double MaxYValue() override;
    double MinYValue() override;
    TColor LegendItemColor(int32_t LegendIndex) const override;
    bool IsPointInChartRect(int32_t ValueIndex) const override;
    // The candle trends of the visible range are found once per frame.
    void DrawAllValues() override;
    void DrawValue(int32_t ValueIndex) override;
    // The first visible candle the point hits, else -1.
    int32_t Clicked(int32_t X, int32_t Y) override;
    void DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect) override;

    // Point ValueIndex's pixels at the present axis scales.
    TCandleItem CalcItem(int32_t ValueIndex) const;
    // The colour given to the point, else the start colour of its gradient.
    TColor CalculateColor(int32_t ValueIndex) const;
    // The up gradient for a rising candle, the down one for a falling one.
    TPlotGradient& CalculateGradient(int32_t ValueIndex);
    // In the close line style each call takes the previous call's point as
    // the start of the segment it tests.
    bool ClickedCandle(int32_t ValueIndex, const TPoint& P);
    TCandlePrices Prices() const;

private:
    struct TCandlePens {
        TColor Outline;
        TColor Wick;
    };
    // The outline's and the wick's colours of a candle of Color.
    TCandlePens PensOf(const TCandleItem& Item, TColor Color) const;
    // The body's pen and brush on the canvas.
    void PrepareBody(TCanvas3D& C, const TCandleItem& Item, TColor Color);
    // Plain pens and brushes, flat: the candles go as one batch of shapes.
    bool CanBatch();
    void DrawBatch();
    TCandleTrend TrendOf(int32_t ValueIndex) const;
    TColor ColorOf(int32_t ValueIndex, TCandleTrend Trend) const;
    void DrawBody(TCanvas3D& C, const TCandleItem& Item, TColor Color, TCandleTrend Trend);
    void DrawBar(TCanvas3D& C, const TCandleItem& Item, TColor Color);
    void DrawCloseLine(TCanvas3D& C, const TCandleItem& Item, TColor Color);

    TCandleStyle fCandleStyle = csCandleStick;
    int fCandleWidth = 4;
    TCandleColorStyle fColorStyle = cssRelativeToOpen;
    TPlotGradient fDownClose;
    TChartPen fHighLowPen;
    bool fShowCloseTick = true;
    bool fShowOpenTick = true;
    TPlotGradient fUpClose;
    // The close line's previous point in this frame or hit test.
    bool fHasOldP = false;
    TPoint OldP;
    // The trends of the frame being drawn, from index fTrendsFirst on.
    std::vector<TCandleTrend> fTrends;
    int32_t fTrendsFirst = -1;
    // The batch of the frame being drawn, kept for its storage.
    std::vector<TGdiShape> fShapes;
};

// Registers the candle series on its gallery page.
void CandleSeriesStartup();
void CandleSeriesShutdown();
