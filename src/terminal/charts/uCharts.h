#pragma once

#include "chart/panel/PlotPanel.h"
#include "domain/uChartLink.h"
#include "domain/uCollections.h"
#include "terminal/charts/uChartSettings.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uIndicatorInfo.h"
#include "terminal/charts/uPriceAxisLabels.h"

#include <QPointer>
#include <chrono>
#include <memory>
#include <string>

class QWidget;
class IChartSeries;
class TBubbleSeries;
class TCanvas3D;
class TCandleSeries;
class TChart;
class TChartAxis;
class TChartList;
class TIndicatorList;
class TLineSeries;
class TThread;
class TwinctrlMdiWindow;

// The width of the screen the windows are on, in pixels.
using TScreenWidth = int (*)();
int PrimaryScreenWidth();

// One chart window: a child window of the chart list's host holding a chart
// with the price line, the buy- and sell-order bubbles and the candles of one
// symbol at one interval, its indicators and its settings. It starts the
// workers that fetch candles and prices and turns what they deliver into
// points. Created and freed by its chart list. User-interface thread only.
//
// Every handler and command does nothing while the window is being built
// (it can only be re-entered from inside CreateWindow then) and once the
// item is closing. The window's and the chart's events find the item by its
// number, so an event that comes after the item is freed does nothing.
class TChartItem : public IChartItem {
public:
    explicit TChartItem(TChartList& aChartList);
    TChartItem(const TChartItem&) = delete;
    TChartItem& operator=(const TChartItem&) = delete;
    // Ends the workers; the window and the chart go once the event in
    // progress has returned (the item may be freed from its window's close).
    ~TChartItem() override;

    // Builds the window, the chart and its four series on the list's host.
    void CreateWindow();
    // Closes the chart: ends its workers, frees the item and saves the layout.
    void DestroyWindow();
    // At most this long for the workers when a chart closes.
    static constexpr std::chrono::milliseconds cWaitForThreads{500};
    void WaitForThreads();

    // The workers; none while closing, unless the workflow is working, nor
    // for an empty symbol. RefreshKlines loads the history (an empty symbol
    // is logged), KlinesUpdate the two newest candles (or, for a chart
    // without candles, the history again), TickerPrice the price (taken
    // from the market watch's prices when they hold the symbol).
    void RefreshKlines();
    void KlinesUpdate();
    void TickerPrice();

    // What the workers call.
    std::shared_ptr<TChartLink> Link() const override { return fLink; }
    TKlineList& KlineList() override { return fKlineList; }
    TChartInterval Interval() const override { return fInterval; }
    double ChartPrice() const override { return fChartPrice; }
    void SetChartPrice(double Value) override { fChartPrice = Value; }
    void OnNotify(int32_t EventID, TNotifyData Data) override;
    void SetIsLoading(bool Value) override;
    void ChartFullRefresh() override;

    // New and changed candles into the candle series.
    void RefreshChart();
    // The price line at the last price, which the newest candle follows; a
    // price of 0 or less changes nothing.
    void RefreshChartPrice();
    // The main account's open orders of this symbol as bubbles.
    void RefreshOrdersBubbles();
    // The candles drawn and coloured by the settings' chart type.
    void RefreshChartType();
    // A new interval empties the chart and ends a history load in progress
    // at once.
    void SetInterval(TChartInterval aValue);
    void RefreshWindowCaption();
    // The settings of aNode (when given) onto the chart.
    void LoadSettings(const TChartSettingsJson* aNode);
    // The settings onto the chart and its series.
    void LoadChartColors();
    // The chart's colours, grid and chart type back into the settings.
    void ReadChartColors();
    // Stores aValue as it is, for a chart built from the layout before its
    // first load.
    void LoadInterval(TChartInterval aValue) { fInterval = aValue; }
    // The indicators of the array aNode in place of the chart's, each filled
    // from its candles.
    void LoadIndicators(const TIndicatorJson& aNode);
    // The settings and, when the file holds them, the indicators of the
    // template file aFileName onto the chart; nothing without the file. A
    // file that cannot be read is logged and changes nothing.
    void LoadTemplate(const std::string& aFileName);
    // The settings and indicators into the template file aFileName; a
    // failure is told to the trader (SaveReported).
    void SaveTemplate(const std::string& aFileName);

    // Commands.
    void AddIndicator(std::unique_ptr<TBaseIndicatorInfo> aInfo);
    void acIndicatorSettingsExecute();
    void acIndicatorDeleteExecute();
    void acChartSettingsExecute();
    void acStickExecute(TChartType aTag);
    void acZoomInExecute();
    void acZoomOutExecute();
    void acNewOrderExecute();

    // The view. A new zoom level keeps the time axis' left end and shows
    // the level's candles per screen width; the edges keep the span and
    // bring the axis back to the oldest candle (with 10 or more) and to the
    // present (with the shift, a fifth of a screen beyond). The price axis
    // spans the pins when fixed, else the displayed candles.
    void SetZoom(TZoom aZoom);
    // A chart that has shown no candles yet shows the present: its time
    // axis ends now (or with the shift, later) and spans the candles of its
    // interval that its zoom level shows.
    void PlaceAtPresent();
    // The settings take the time axis' left end as the left edge once the
    // axis shows the trader's view, the candles placed; before that they
    // keep the edge they hold (read from the layout, or none).
    void KeepLeftEdge();
    void RefreshZoom();
    void SetBarWidth();
    void InitLeftZoom();
    void FixLeftSide();
    void FixRightSide();
    void FixChartHeight();
    // The lowest low and highest high of candles aBegin..aEnd: nothing for
    // a negative index, 10000 and 0 for an empty range.
    void CalcYMinMax(int32_t aBegin, int32_t aEnd);
    // The spacing of the first five candles, in days and in pixels, and how
    // many candles so spaced the time axis holds (from the unrounded spacing).
    double CalcCandleDistanceDate();
    double CalcCandleDistancePx();
    int CalcMaxVisibleCandleCount();
    // The fractals' bubbles a fiftieth of the price axis high, refilled.
    void UpdateIndicators();
    // A fiftieth of the price axis' range: the height of order and fractal
    // bubbles.
    double BubbleRadius() const;
    // Where the view reads the present and the screen's width; tests give
    // fixed ones.
    void SetClock(TChartClock aClock) { fClock = aClock; }
    void SetScreenWidth(TScreenWidth aScreenWidth) { fScreenWidth = aScreenWidth; }

    // The chart's events. A press picks the drag (price axis, time axis or
    // the plot, each with its cursor) unless the crosshair is on, which
    // stops the plot's panning; the release, or the chart losing focus
    // mid-drag, ends it and gives back the cursor.
    enum TChartClick : std::uint8_t { ccNone, ccTimeAxis, ccPriceAxis, ccPlot };
    TChartClick ChartClick() const { return fChartClick; }
    void OnChartMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnChartMouseMove(TShiftState Shift, int X, int Y);
    void OnChartMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnChartFocusLost();
    // After each step of the chart's own pan.
    void OnChartScroll();
    // After the chart's size changed (the window resized or maximised): the
    // time axis shows the candles the zoom level fits in the new width,
    // ending where it ended.
    void OnChartResize();
    // The overlays of a finished frame: title line, crosshair, day
    // separators, volume histogram and loading banner. A failure ends them
    // for that frame and is told once per chart, after the paint.
    void OnChartAfterDraw();
    // The title line: symbol and interval, with ShowOHLC the values of the
    // newest candle shown.
    std::string ChartTitleText() const;
    // The price at pixel row Y of the chart with the decimals of the price
    // labels last drawn; empty beyond the price axis.
    std::string CrosshairPrice(int Y) const;
    void OnChartGetAxisLabel(TChartAxis& Sender, const IChartSeries* Series, int32_t ValueIndex,
                             std::string& LabelText);

    const std::string& Symbol() const { return fSymbol; }
    void SetSymbol(const std::string& Value) { fSymbol = Value; }
    bool IsClosing() const { return fLink->IsClosing(); }
    bool IsLoading() const { return fIsLoading; }
    TThreadList& ThreadList() const { return fLink->ThreadList(); }
    TChartSettingsInfo& ChartSettings() { return fChartSettings; }
    TIndicatorList& IndicatorList() const { return *fIndicatorList; }
    // The window exists and is the active one.
    bool Active() const;
    void SetActive(bool Value);

    // Null before CreateWindow.
    TwinctrlMdiWindow* Window() const;
    TChart* Chart() const { return fChart.get(); }
    TLineSeries* SerPrice() const { return fSerPrice.get(); }
    TBubbleSeries* SerBuy() const { return fSerBuy.get(); }
    TBubbleSeries* SerSell() const { return fSerSell.get(); }
    TCandleSeries* SerCandles() const { return fSerCandles.get(); }

private:
    bool Ready() const { return !fIsLocked && !IsClosing(); }
    void DragPriceAxis(int Y);
    void EndDrag();
    // Volume bars of the displayed candles; false when they are all equal.
    bool DrawVolumes(TCanvas3D& aCanvas);

    bool CanStartWorkers() const;
    void CreateChart(QWidget& aWindow);
    void CreateSeries();
    void BindEvents();
    // The history load of this item still running, ended.
    void EndHistory();
    bool HistoryRunning() const;
    // Hands the chart and the window over to be freed once the event in
    // progress has returned.
    void ReleaseWindow();

    bool fIsLocked = false;
    TChartList& fChartList;
    std::shared_ptr<TChartLink> fLink;
    TKlineList fKlineList;
    std::unique_ptr<TIndicatorList> fIndicatorList;
    TChartSettingsInfo fChartSettings;
    std::string fSymbol;
    TChartInterval fInterval = m5;
    QPointer<TwinctrlMdiWindow> fWindow;
    std::unique_ptr<TChart> fChart;
    std::unique_ptr<TLineSeries> fSerPrice;
    std::unique_ptr<TBubbleSeries> fSerBuy;
    std::unique_ptr<TBubbleSeries> fSerSell;
    std::unique_ptr<TCandleSeries> fSerCandles;
    double fChartPrice = 0;
    bool fIsLoading = true;
    // The time axis has been placed at candles: it shows the trader's view.
    bool fViewPlaced = false;
    // The last history load started.
    std::weak_ptr<TThread> fHistory;
    // The drag in progress: where it began (pixel), the zoom level and axis
    // range it began with.
    int32_t fChartClickPoint = 0;
    TZoom fChartZoomPoint = z0;
    TChartClick fChartClick = ccNone;
    double fChartMin = 0;
    double fChartMax = 0;
    double fYMin = 0;
    double fYMax = 0;
    TChartClock fClock = ChartNow;
    TScreenWidth fScreenWidth = PrimaryScreenWidth;
    // The overlay failure last told, so that a repaint does not tell it again.
    std::string fOverlayError;
    TPriceAxisLabels fPriceLabels;
};
