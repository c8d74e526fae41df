#pragma once

#include "domain/uCommon.h"
#include "platform/Graphics.h"
#include "terminal/charts/uChartNow.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

// How a chart's candle series is drawn: bars, candle sticks or a close line.
enum TChartType : std::uint8_t { ctBar, ctCandle, ctLine };

using TChartSettingsJson = nlohmann::ordered_json;

// The root object of a file holding chart settings (the chart layout or a
// template), read through the checked reader. A file that cannot be read or
// holds no object raises "error reading " and the file's name.
TChartSettingsJson LoadChartFile(const std::string& aFileName);

// What a settings record sets on a chart and its series, as plain values.
// Read back from a chart, only the fields marked "read" carry its values.
struct TChartLook {
    // The chart's background and its own colour (read).
    TColor Background = 0;
    // The labels of the bottom, top, left and right axes (read: the bottom's).
    TColor Labels = 0;
    // The axis lines of those four axes.
    TColor AxisLine = 0;
    // Their grid, minor grid, minor ticks, ticks and inner ticks (read: the
    // bottom grid's).
    TColor Grid = 0;
    // The bottom grid and minor grid and the right grid shown; the right
    // minor grid is always hidden (read: the bottom grid's).
    bool ShowGrid = false;
    // The candles' up and down colours and their outline pen (read).
    TColor CandleUp = 0;
    TColor CandleDown = 0;
    TColor CandlePen = 0;
    // The candle style (read); none for a style no chart type names.
    std::optional<TChartType> Style;
    // The buy- and sell-order bubbles' series colours, the price line's.
    TColor Buy = 0;
    TColor Sell = 0;
    TColor PriceLine = 0;
};

// A chart with its candle, bubble and price series as a settings record
// sees it: a chart window or the settings dialog's preview. UI thread only.
class IChartSettingsView {
public:
    IChartSettingsView() = default;
    IChartSettingsView(const IChartSettingsView&) = delete;
    IChartSettingsView& operator=(const IChartSettingsView&) = delete;
    virtual ~IChartSettingsView() = default;

    virtual void ApplyLook(const TChartLook& aLook) = 0;
    virtual TChartLook ReadLook() const = 0;
};

// One chart's settings: colours, chart type, display flags, the pinned price
// range, the zoom level and the time axis' left edge. Kept in the chart
// layout (inside each chart's object) and in templates (as "info"), and
// edited in the chart settings dialog. A new record holds 0 and false
// everywhere until something fills it.
class TChartSettingsInfo {
public:
    // The defaults; the zoom level and left edge stay.
    void Reset();
    // Every setting of aInfo but the zoom level and left edge.
    void Assign(const TChartSettingsInfo& aInfo);
    // Reads the 24 keys. A key that is missing or holds another JSON type
    // reads as 0 or false, a colour as its Reset value; a number beyond an
    // integer setting's range reads as the nearest value it can hold. A
    // fixed scale whose pins are not a range is read as not fixed. A left
    // edge of 0 becomes one day before aNow(). A node that is not an object
    // changes nothing: false.
    bool Load(const TChartSettingsJson& aNode, TChartClock aNow = ChartNow);
    // Writes the 24 keys in their fixed order into the object aNode (null
    // becomes an object). Every value as held: a round trip keeps the bytes.
    void Save(TChartSettingsJson& aNode) const;
    // Settings onto a chart.
    void GetInfo(IChartSettingsView& aView) const { aView.ApplyLook(Look()); }
    // A chart's colours, grid and chart type into the settings; the buy
    // and sell colours only from candle sticks.
    void SetInfo(const IChartSettingsView& aView) { TakeLook(aView.ReadLook()); }

    // The look these settings give a chart: the price line is white on a
    // black chart and black on any other.
    TChartLook Look() const;
    void TakeLook(const TChartLook& aLook);

    TColor Background() const { return fBackground; }
    void SetBackground(TColor Value) { fBackground = Value; }
    TColor Text() const { return fText; }
    void SetText(TColor Value) { fText = Value; }
    TColor Buy() const { return fBuy; }
    void SetBuy(TColor Value) { fBuy = Value; }
    TColor Sell() const { return fSell; }
    void SetSell(TColor Value) { fSell = Value; }
    TColor Series() const { return fSeries; }
    void SetSeries(TColor Value) { fSeries = Value; }
    TColor Grid() const { return fGrid; }
    void SetGrid(TColor Value) { fGrid = Value; }
    TColor Bar() const { return fBar; }
    void SetBar(TColor Value) { fBar = Value; }
    bool Autonomic() const { return fAutonomic; }
    void SetAutonomic(bool Value) { fAutonomic = Value; }
    bool ChartOnTop() const { return fChartOnTop; }
    void SetChartOnTop(bool Value) { fChartOnTop = Value; }
    bool ChartShift() const { return fChartShift; }
    void SetChartShift(bool Value) { fChartShift = Value; }
    bool ChartAutoMove() const { return fChartAutoMove; }
    void SetChartAutoMove(bool Value) { fChartAutoMove = Value; }
    bool FixedZoom11() const { return fFixedZoom11; }
    void SetFixedZoom11(bool Value) { fFixedZoom11 = Value; }
    bool FixedZoom() const { return fFixedZoom; }
    void SetFixedZoom(bool Value) { fFixedZoom = Value; }
    double PinMin() const { return fPinMin; }
    void SetPinMin(double Value) { fPinMin = Value; }
    double PinMax() const { return fPinMax; }
    void SetPinMax(double Value) { fPinMax = Value; }
    // Not fixed, or pinned to a range: the minimum below the maximum.
    bool PinsUsable() const;
    // A stored type or zoom level beyond its table is kept (and saved) as
    // read; where it is used it stands for the last entry.
    TChartType ChartType() const;
    void SetChartType(TChartType Value) { fChartType = Value; }
    bool ShowOHLC() const { return fShowOHLC; }
    void SetShowOHLC(bool Value) { fShowOHLC = Value; }
    bool ShowAsk() const { return fShowAsk; }
    void SetShowAsk(bool Value) { fShowAsk = Value; }
    bool ShowPeriods() const { return fShowPeriods; }
    void SetShowPeriods(bool Value) { fShowPeriods = Value; }
    bool ShowGrid() const { return fShowGrid; }
    void SetShowGrid(bool Value) { fShowGrid = Value; }
    bool ShowVolume() const { return fShowVolume; }
    void SetShowVolume(bool Value) { fShowVolume = Value; }
    bool ShowTips() const { return fShowTips; }
    void SetShowTips(bool Value) { fShowTips = Value; }
    TZoom Zoom() const;
    void SetZoom(TZoom Value) { fZoom = Value; }
    TDateTime Left() const { return fLeft; }
    void SetLeft(TDateTime Value) { fLeft = Value; }

private:
    // Visits every setting of Self (const to write, else to read) with its
    // key, in the keys' fixed order.
    template <class TSelf, class TVisitor> static void Fields(TSelf& Self, TVisitor& Visit);
    // The colours aNode lacks (or holds as no number) take their defaults.
    void TakeMissingColors(const TChartSettingsJson& aNode);

    TColor fBackground = 0;
    TColor fText = 0;
    TColor fBuy = 0;
    TColor fSell = 0;
    TColor fSeries = 0;
    TColor fGrid = 0;
    TColor fBar = 0;
    bool fAutonomic = false;
    bool fChartOnTop = false;
    bool fChartShift = false;
    bool fChartAutoMove = false;
    bool fFixedZoom11 = false;
    bool fFixedZoom = false;
    double fPinMin = 0;
    double fPinMax = 0;
    TChartType fChartType = ctBar;
    bool fShowOHLC = false;
    bool fShowAsk = false;
    bool fShowPeriods = false;
    bool fShowGrid = false;
    bool fShowVolume = false;
    bool fShowTips = false;
    TZoom fZoom = z0;
    TDateTime fLeft = 0;
};
