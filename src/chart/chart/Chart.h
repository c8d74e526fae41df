#pragma once

// The chart control (Chart.cpp): the axis panel with its walls, four titles
// and legend, the back colour and the series' free colours. Its mouse
// (ChartMouse.cpp): the chart part under the pointer, click events, and the
// order of a press, move and release. Zoom and pan (ChartZoom.cpp): the
// rubber-band zoom and its undo, panning the axes, the wheel, and the saved
// axis scales that undo restores. UI thread only.

#include "chart/chart/ChartLegend.h"
#include "chart/chart/ChartTitle.h"
#include "chart/chart/ChartWalls.h"
#include "chart/chart/CustomAxisPanel.h"

#include <memory>
#include <vector>

enum TChartClickedPartStyle {
    cpNone,
    cpLegend,
    cpAxis,
    cpSeries,
    cpTitle,
    cpFoot,
    cpChartRect,
    cpSeriesMarks,
    cpSubTitle,
    cpSubFoot,
    cpAxisTitle
};

// The part of the chart at a point; PointIndex -1 when it has no item.
struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    int PointIndex = -1;
    TChartSeries* ASeries = nullptr;
    TChartAxis* AAxis = nullptr;
};

// One axis' range and automatic flags before the first zoom or pan.
struct TAxisSavedScales {
    TChartAxis* Axis = nullptr;
    bool Auto = true;
    bool AutoMin = true;
    bool AutoMax = true;
    double Min = 0;
    double Max = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

// Each step of an animated zoom moves the ends a third of the remaining way.
inline constexpr double AnimatedZoomFactor = 3.0;
// Pixels beyond the axis line, away from its labels, that still hit the axis.
inline constexpr int PlotAxisClickGap = 3;
// The keys that must be held for the panning button to pan; none by default.
extern TShiftState PlotScrollKeyShift;
extern bool PlotUseMouseWheel;

class TCustomChart : public TCustomAxisPanel {
public:
    using TClickEvent =
        std::function<void(TCustomChart* Sender, TMouseButton, TShiftState, int X, int Y)>;
    using TClickAxisEvent = std::function<void(TCustomChart* Sender, TChartAxis* Axis, TMouseButton,
                                               TShiftState, int X, int Y)>;
    using TClickSeriesEvent =
        std::function<void(TCustomChart* Sender, TChartSeries* Series, int ValueIndex, TMouseButton,
                           TShiftState, int X, int Y)>;
    using TClickTitleEvent = std::function<void(TCustomChart* Sender, TChartTitle* Title,
                                                TMouseButton, TShiftState, int X, int Y)>;
    // The legend's hooks: a row's text, the box (before the chart gives up
    // its room), and where a row's text (X, Y) and symbol (XColor) go.
    using TGetLegendTextEvent = std::function<void(TCustomAxisPanel* Sender, TLegendStyle Style,
                                                   int Index, std::string& LegendText)>;
    using TGetLegendRectEvent = std::function<void(TCustomChart* Sender, TRect& Rect)>;
    using TGetLegendPosEvent =
        std::function<void(TCustomChart* Sender, int Index, int& X, int& Y, int& XColor)>;
    // May change the proposed ends of a pan or wheel step, or veto it.
    using TAllowScrollEvent =
        std::function<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;

    TCustomChart();
    ~TCustomChart() override;

    TChartTitle& Title() { return *FTitle; }
    TChartTitle& SubTitle() { return *FSubTitle; }
    TChartFootTitle& Foot() { return *FFoot; }
    TChartFootTitle& SubFoot() { return *FSubFoot; }
    TChartWalls& Walls() { return *FWalls; }
    TChartLegend& Legend() { return *FLegend; }

    // The back wall's colour, or the panel's while the back wall is transparent.
    TColor GetBackColor() override;
    TColor BackColor() const { return FWalls->Back().Color(); }
    // The back wall becomes opaque in Value.
    void SetBackColor(TColor Value);
    int ColorPaletteIndex() const { return FColorPaletteIndex; }
    void SetColorPaletteIndex(int Value);
    // The button that pans; the right one by default.
    TMouseButton ScrollMouseButton() const { return FScrollMouse; }
    void SetScrollMouseButton(TMouseButton Value) { FScrollMouse = Value; }

    int CalcWallSize(const TChartAxis& Axis) const override;
    std::string FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) override;
    // With the legend symbol's gradient shown, the gradient ending in
    // LegendColor, framed in LegendPen; else a box.
    void DrawLegendShape(const TRect& Rect) override;
    bool LegendSymbolFramed() const override { return FLegend->Symbol().Pen().Visible(); }
    bool IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                           const TChartSeries* ASeries) const override;

    // ---- mouse ----
    // The part at Pos, first match wins; with Needed, series that nobody
    // listens to for clicks are passed over.
    TChartClickedPart CalcNeedClickedPart(TPoint Pos, bool Needed);
    TChartClickedPart CalcClickedPart(TPoint Pos) { return CalcNeedClickedPart(Pos, false); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoMouseWheelDown(TShiftState Shift, int X, int Y) override;
    void DoMouseWheelUp(TShiftState Shift, int X, int Y) override;
    // The wheel scrolls only where vertical panning is allowed.
    bool CanWheelScroll() const;
    // Moves every vertical axis by 3 % of its range, up or down.
    void ScrollVerticalAxes(bool Up);

    // ---- zoom, pan and saved scales ----
    // Restores the scales saved at the first zoom or pan, then OnUndoZoom.
    void UndoZoom() override;
    // Zooms the four standard axes to the given ends (I: initial, F: final).
    void DoZoom(double TopI, double TopF, double BotI, double BotF, double LefI, double LefF,
                double RigI, double RigF);
    // The values under the zoom rectangle's corners, then DoZoom.
    virtual void CalcZoomPoints();
    TAllAxisSavedScales SaveScales() const;
    // Puts back the saved axes that still exist, without range checks; empties Saved.
    void RestoreScales(TAllAxisSavedScales& Saved);
    // No zoom or pan since the scales were last restored.
    bool RestoredAxisScales() const { return FRestoredAxisScales; }

    TAllowScrollEvent OnAllowScroll;
    TClickAxisEvent OnClickAxis;
    TClickEvent OnClickBackground;
    TClickEvent OnClickLegend;
    TClickSeriesEvent OnClickSeries;
    TClickTitleEvent OnClickTitle;
    TGetLegendTextEvent OnGetLegendText;
    TGetLegendRectEvent OnGetLegendRect;
    TGetLegendPosEvent OnGetLegendPos;

protected:
    void CalcWallsRect() override;
    void DrawTitlesAndLegend(bool BeforeSeries) override;
    void DrawWalls() override;
    void RemovingAxis(TChartAxis& Axis) override;
    void RemovingSeries(TChartSeries& Series) override;

private:
    bool Walls3D() const { return View3D() && View3DWalls(); }
    void DrawTitles(bool CustomPositioned);
    void DrawLegendIf(bool CustomPositioned);
    // The four titles in click and drawing order, with their parts.
    std::vector<std::pair<TChartTitle*, TChartClickedPartStyle>> Titles() const;
    TChartAxis* ClickedAxis(int X, int Y, TChartClickedPartStyle& Part) const;
    bool SeriesUseAxes() const;
    // Runs one click handler with CancelMouse set: true when it took the click.
    template <class E, class... A> bool RunClickHandler(E Handler, A... Args);
    bool ClickSeries(const TChartClickedPart& Part, TMouseButton Button, TShiftState Shift, int X,
                     int Y);
    // Starts a zoom or pan for this press; true when either started.
    bool CheckZoomPanning(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Pans the axes of one orientation from pixel From to To; true when it ran.
    bool PanAxis(bool Horizontal, int From, int To);
    void ProcessPanning(TChartAxis& Axis, int From, int To);
    void SaveScalesOnce();
    void ZoomMove(int X, int Y);
    void PanMove(int X, int Y);
    void ZoomUp(int X, int Y);

    int FColorPaletteIndex = 0;
    std::unique_ptr<TChartFootTitle> FFoot;
    std::unique_ptr<TChartLegend> FLegend;
    TAllAxisSavedScales FSavedScales;
    TMouseButton FScrollMouse = mbRight;
    std::unique_ptr<TChartFootTitle> FSubFoot;
    std::unique_ptr<TChartTitle> FSubTitle;
    std::unique_ptr<TChartTitle> FTitle;
    std::unique_ptr<TChartWalls> FWalls;
    bool FRestoredAxisScales = true;
    // The series whose click handlers run; cleared when it leaves the chart.
    TChartSeries* FClickedSeries = nullptr;
};

// The chart the terminal creates for every chart window.
class TChart : public TCustomChart {
public:
    using TCustomChart::TCustomChart;
};
