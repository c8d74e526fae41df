#pragma once

// The chart panel that owns axes and series (CustomAxisPanel.cpp): the series
// list, the six standard axes and the custom ones, the automatic ranges, the
// palette, and the broadcast of series changes to the panel's listeners. Its
// frame (AxisPanelDraw.cpp): the axis and series rectangles and one picture
// drawn in a fixed order, the series clipped to the chart rectangle. The walls,
// titles, legend and free colours are filled in by the chart. UI thread only.

#include "chart/axes/ChartAxis.h"
#include "chart/panel/PlotPanelExtended.h"
#include "chart/series/ChartSeries.h"

#include <memory>
#include <utility>
#include <vector>

class TCustomAxisPanel;

// What the panel tells its listeners when a series joins, leaves or changes.
struct TPlotSeriesEvent : TPlotEvent {
    TCustomChartSeries* Series = nullptr;
    TChartSeriesEvent Event = seAdd;
};

// The chart's further axes, after the six standard ones; they own their axes.
class TChartCustomAxes {
public:
    explicit TChartCustomAxes(TCustomAxisPanel& AChart) : FChart(AChart) {}
    int Count() const { return int(FItems.size()); }
    TChartAxis& Items(int Index) const { return *FItems.at(size_t(Index)); }
    TChartAxis& Add(bool Horizontal, bool OtherSide);
    // The chart unbinds the axis from its series and other axes first.
    void Delete(int Index);

private:
    TCustomAxisPanel& FChart;
    std::vector<std::unique_ptr<TChartAxis>> FItems;
};

class TCustomAxisPanel : public TCustomPlotPanelExtended,
                         public ICustomAxisPanel,
                         public ISeriesHost {
public:
    using TPanelNotify = std::function<void(TCustomAxisPanel* Sender)>;
    using TSeriesNotify = std::function<void(TCustomAxisPanel* Sender, TChartSeries* Series)>;

    TCustomAxisPanel();
    // Series on the chart are let go; those in its keeping are then freed.
    ~TCustomAxisPanel() override;

    // ---- series ----
    int SeriesCount() const override { return int(FSeriesList.size()); }
    const TChartSeries& Series(int Index) const override { return *FSeriesList.at(size_t(Index)); }
    TChartSeries& Series(int Index) { return *FSeriesList.at(size_t(Index)); }
    const std::vector<TChartSeries*>& SeriesList() const override { return FSeriesList; }
    int CountActiveSeries() const;
    // The series' side of it is TChartSeries::SetParentChart.
    void InternalAddSeries(TChartSeries* ASeries) override;
    // Puts ASeries on the chart into the chart's keeping: FreeAllSeries or
    // the chart's end frees it.
    TChartSeries& AddSeries(std::unique_ptr<TChartSeries> ASeries);
    // Frees every series on the chart, first to last: those in its keeping
    // are freed, the others let go (their owners free them).
    void FreeAllSeries();
    void RemoveSeries(TChartSeries* ASeries) override;
    void RemoveSeries(int Index) { RemoveSeries(FSeriesList.at(size_t(Index))); }
    void BroadcastSeriesEvent(TCustomChartSeries* ASeries, TChartSeriesEvent Event) override;
    // A series without sources asks the chart to fill it; the program uses no
    // series sources.
    void CheckDatasource(TChartSeries*) override {}
    // The text the chart's legend gives value ValueIndex of ASeries (after
    // the chart's legend-text event); empty without a series.
    std::string FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) override = 0;
    bool Destroying() const override { return FDestroying; }
    bool DoNotBroadcast = false;

    // ---- axes ----
    TChartAxis* BottomAxis() const override { return FBottomAxis.get(); }
    TChartAxis* TopAxis() const override { return FTopAxis.get(); }
    TChartAxis* LeftAxis() const override { return FLeftAxis.get(); }
    TChartAxis* RightAxis() const override { return FRightAxis.get(); }
    TChartAxis* DepthAxis() override { return FDepthAxis.get(); }
    TChartAxis* DepthTopAxis() override { return FDepthTopAxis.get(); }
    // Every axis in list order: bottom, top, left, right, depth, depth-top,
    // then the custom ones.
    const std::vector<TChartAxis*>& Axes() const { return FAxes; }
    // The axes' label-position function: may change the room an axis'
    // labels take, and give any hidden axis, custom ones included, room of
    // its own.
    const TAxisCalcPosLabels& CalcPosLabels() const override { return FCalcPosLabels; }
    void SetCalcPosLabels(TAxisCalcPosLabels Value) { FCalcPosLabels = std::move(Value); }
    bool HasAxis(const TChartAxis* Axis) const override;
    TChartCustomAxes& CustomAxes() { return FCustomAxes; }
    int CustomAxesCount() const override { return FCustomAxes.Count(); }
    TChartAxis& CustomAxis(int Index) override { return FCustomAxes.Items(Index); }
    bool AxisBehind() const { return FAxisBehind; }
    void SetAxisBehind(bool Value) { SetBooleanProperty(FAxisBehind, Value); }
    bool AxisVisible() const { return FAxisVisible; }
    void SetAxisVisible(bool Value) { SetBooleanProperty(FAxisVisible, Value); }
    bool ClipPoints() const { return FClipPoints; }
    void SetClipPoints(bool Value) { SetBooleanProperty(FClipPoints, Value); }
    bool View3DWalls() const { return FView3DWalls; }
    void SetView3DWalls(bool Value) { SetBooleanProperty(FView3DWalls, Value); }
    bool FastCalc() const override { return FFastCalc; }
    void SetFastCalc(bool Value);

    // ---- ranges ----
    // The automatic range end of the series bound to Axis.
    double InternalMinMax(const TChartAxis& Axis, bool IsX, bool IsMax) const override;
    double MaxXValue(const TChartAxis& Axis) const { return InternalMinMax(Axis, true, true); }
    double MinXValue(const TChartAxis& Axis) const { return InternalMinMax(Axis, true, false); }
    double MaxYValue(const TChartAxis& Axis) const { return InternalMinMax(Axis, false, true); }
    double MinYValue(const TChartAxis& Axis) const { return InternalMinMax(Axis, false, false); }
    // The first active series on Axis, or none.
    TChartSeries* GetAxisSeries(const TChartAxis& Axis) const;
    // AxisVisible and the axis shown in the last layout.
    bool IsAxisVisible(const TChartAxis& Axis) const { return FAxisVisible && Axis.IsVisible; }
    bool CalcIsAxisVisible(const TChartAxis& Axis) const;

    // ---- colours ----
    // ColorPalette[Index mod its length], or the engine's default palette.
    TColor GetDefaultColor(int Index) const override;
    // The first palette colour IsFreeSeriesColor accepts, or the last one tried.
    TColor GetFreeSeriesColor(bool CheckBackground, TChartSeries* ASeries) override;
    virtual bool IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                                   const TChartSeries* ASeries) const = 0;
    std::vector<TColor> ColorPalette;

    // The symbol of a legend row or a mark: a box in the canvas' brush,
    // framed in LegendPen.
    void DrawLegendShape(const TRect& Rect) override;
    // The colour and frame pen of the last legend or mark symbol prepared.
    TColor LegendColor() const { return FLegendColor; }
    void SetLegendColor(TColor Value) override { FLegendColor = Value; }
    TChartPen& LegendPen() override { return FLegendPen; }
    // The widest line of Text (lines end at PlotLineSeparator) in the
    // canvas' font, and its number of lines.
    int MultiLineTextWidth(const std::string& Text, int& NumLines);
    // The widest point label, and mark text, of the active series (of those
    // on Axis when one is given) in the canvas' font, a text of several
    // lines by its widest line; NumLines takes the most lines of any.
    int MaxTextWidth(const TChartAxis* Axis = nullptr, int* NumLines = nullptr) override;
    int MaxMarkWidth(const TChartAxis* Axis = nullptr, int* NumLines = nullptr) override;
    // No legend on the bare panel: the chart answers for its own.
    bool LegendSymbolFramed() const override { return false; }

    // ---- mouse and 3D ----
    // Asks the active series, last to first, whether the point hits them.
    bool CheckMouseSeries(int X, int Y);
    // A series' cursor over the chart (a Qt cursor shape or a chart cursor).
    using TCustomPanelNoCaption::SetCursor;
    void SetCursor(TSeriesCursor ACursor) override;
    int Chart3DPercent() const { return F3DPercent; }
    // 1 to 100; anything else raises ChartException.
    void SetChart3DPercent(int Value);
    int MaxZOrder() const override { return FMaxZOrder; }
    void SetMaxZOrder(int Value) override { FMaxZOrder = Value; }
    int SeriesWidth3D() const { return FSeriesWidth3D; }
    int SeriesHeight3D() const { return FSeriesHeight3D; }
    bool InvertedRotation() const override { return FInvertedRotation; }
    // Seen from behind, the back wall is nearer than what lies at depth Z
    // (Z up to the back wall) and comes after it: the bottom axis is drawn
    // after the series, and the series from last to first. False in 2D.
    virtual bool DrawBackWallAfter(int Z);
    // The panel whose canvas the series' marks and pointers draw on.
    TCustomPlotPanel* PlotPanel() override { return this; }
    bool View3D() const override { return TCustomPlotPanel::View3D(); }

    // ---- what the axes read ----
    TRect ChartRect() const override { return TCustomPlotPanel::ChartRect; }
    int Width3D() const override { return TCustomPlotPanel::Width3D; }
    TCanvas3D& Canvas() override { return TCustomPlotPanel::Canvas(); }
    const TAxisGetLabelEvent& OnGetAxisLabel() const override { return FOnGetAxisLabel; }
    void SetOnGetAxisLabel(TAxisGetLabelEvent Value) { FOnGetAxisLabel = std::move(Value); }
    const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const override
    {
        return FOnGetNextAxisLabel;
    }
    void SetOnGetNextAxisLabel(TAxisGetNextLabelEvent Value)
    {
        FOnGetNextAxisLabel = std::move(Value);
    }
    bool IsLoading() const override { return false; }
    void Invalidate() override { TCustomPlotPanel::Invalidate(); }

    // One frame, after the panel has set up the canvas and chart rectangle.
    void InternalDraw(const TRect& UserRect) override;
    // Each frame's layout, in pipeline order (public for the chart's mouse code).
    void CalcAxisRect();
    void CalcSeriesRect();

    TSeriesNotify OnAddSeries;
    TSeriesNotify OnRemoveSeries;
    TPanelNotify OnBeforeDrawChart;
    TPanelNotify OnBeforeDrawAxes;
    TPanelNotify OnBeforeDrawSeries;

protected:
    // Filled in by the chart: walls, titles and legend.
    virtual void CalcWallsRect() = 0;
    virtual void DrawTitlesAndLegend(bool BeforeSeries) = 0;
    virtual void DrawWalls() = 0;
    virtual void DoOnAfterDraw();
    virtual void DoOnBeforeDrawAxes();
    virtual void DoOnBeforeDrawChart();
    virtual void DoOnBeforeDrawSeries();
    // An axis or series is about to leave: whatever points at it lets go.
    virtual void RemovingAxis(TChartAxis& Axis);
    virtual void RemovingSeries(TChartSeries&) {}
    // Series and axes the chart lets go of before its own parts are freed.
    void ReleaseAllSeries();
    // Width3D, Height3D and the depth of one series for this frame.
    void CalcSize3DWalls();

    bool FDestroying = false;

private:
    friend class TChartCustomAxes;
    // A 3D view looking at the chart from behind its back wall.
    bool SeenFromBehind();
    void CalcInvertedRotation();
    // A hidden axis keeps the label room that CalcPosLabels gives it.
    void InflateAxisRect(TChartAxis& Axis, TRect& R);
    int WidestSeriesText(const TChartAxis* Axis, bool Marks, int* NumLines);
    void SetSeriesZOrder();
    void SetSeriesZPositions();
    void DrawAllAxis();
    void DrawBottomAxisAfter();
    void DrawAllSeries();
    void DrawSeries(TChartSeries& Series);
    double DepthMinMax(bool IsMax) const;
    void CalcAxisMargins(TChartAxis& Axis);

    int F3DPercent = 15;
    std::vector<TChartAxis*> FAxes;
    bool FAxisBehind = true;
    bool FAxisVisible = true;
    bool FClipPoints = true;
    TChartCustomAxes FCustomAxes{*this};
    std::vector<TChartSeries*> FSeriesList;
    std::unique_ptr<TChartAxis> FBottomAxis;
    std::unique_ptr<TChartAxis> FTopAxis;
    std::unique_ptr<TChartAxis> FLeftAxis;
    std::unique_ptr<TChartAxis> FRightAxis;
    std::unique_ptr<TChartDepthAxis> FDepthAxis;
    std::unique_ptr<TChartDepthAxis> FDepthTopAxis;
    bool FView3DWalls = true;
    TAxisGetLabelEvent FOnGetAxisLabel;
    TAxisGetNextLabelEvent FOnGetNextAxisLabel;
    int FMaxZOrder = 0;
    int FSeriesWidth3D = 0;
    int FSeriesHeight3D = 0;
    bool FInvertedRotation = false;
    bool FFastCalc = false;
    TAxisCalcPosLabels FCalcPosLabels;
    TColor FLegendColor = clPlotColor;
    // Scratch state of one symbol: a change repaints nothing.
    TChartPen FLegendPen;
    std::vector<std::unique_ptr<TChartSeries>> FOwnedSeries;
};
