#pragma once

// An axis of a chart. Its range and value-to-pixel mapping (ChartAxis.cpp):
// where the minimum and maximum come from, how the working range is rounded
// and widened by series margins, where the pixel span lies in the chart
// rectangle, and the mappings every series and overlay use. Its labels
// (ChartAxisLabels.cpp): the label step, the label texts and their sizes. Its
// layout and drawing (ChartAxisDraw.cpp): the room labels, ticks and title
// take from the chart rectangle, and the line, ticks, grid, labels and title
// of one frame. The step and value loops themselves are plain maths
// (AxisLabelSteps.h). UI thread only.

#include "chart/axes/AxisMapping.h"
#include "chart/axes/AxisPanelLink.h"
#include "chart/axes/ChartAxisItems.h"
#include "chart/axes/ChartAxisParts.h"
#include "chart/core/PlotLifetime.h"
#include "chart/core/PlotProcs.h"
#include "chart/core/PlotUnits.h"
#include "platform/FormatSettings.h"
#include "platform/Graphics.h"
#include "platform/Property.h"

#include <stdexcept>
#include <vector>

// An invalid axis setting; the text says which.
class AxisException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TChartAxis {
public:
    TChartAxis(ICustomAxisPanel* ParentChart, bool Horizontal, bool OtherSide);
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;
    virtual ~TChartAxis() = default;

    // Fixes the range: automatic scaling off, the ends ordered, a range below
    // MinAxisRange widened; custom axes mastered by this one follow.
    void SetMinMax(double AMin, double AMax);

    double Minimum() const { return FMinimumValue; }
    double Maximum() const { return FMaximumValue; }
    void SetMinimum(double Value);
    void SetMaximum(double Value);
    double Increment() const { return FDesiredIncrement; }
    void SetDesiredIncrement(double Value);

    bool Automatic() const { return FAutomatic; }
    bool AutomaticMaximum() const { return FAutomaticMaximum; }
    bool AutomaticMinimum() const { return FAutomaticMinimum; }
    void SetAutomatic(bool Value);
    void SetAutomaticMaximum(bool Value);
    void SetAutomaticMinimum(bool Value);

    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool Value);
    double LogarithmicBase() const { return FLogarithmicBase; }
    void SetLogarithmicBase(double Value);

    bool Inverted() const { return FInverted; }
    virtual void SetInverted(bool Value);

    bool MaximumRound() const { return FMaximumRound; }
    bool MinimumRound() const { return FMinimumRound; }
    void SetMaximumRound(bool Value) { SetProperty(FMaximumRound, Value); }
    void SetMinimumRound(bool Value) { SetProperty(FMinimumRound, Value); }
    int MaximumOffset() const { return FMaximumOffset; }
    int MinimumOffset() const { return FMinimumOffset; }
    void SetMaximumOffset(int Value) { SetProperty(FMaximumOffset, Value); }
    void SetMinimumOffset(int Value) { SetProperty(FMinimumOffset, Value); }

    bool Horizontal() const { return FHorizontal; }
    bool OtherSide() const { return FOtherSide; }
    double StartPosition() const { return FStartPosition; }
    double EndPosition() const { return FEndPosition; }
    void SetStartPosition(double Value) { SetProperty(FStartPosition, Value); }
    void SetEndPosition(double Value) { SetProperty(FEndPosition, Value); }
    double PositionPercent() const { return FPositionPercent; }
    TPlotUnits PosUnits() const { return FPosUnits; }
    void SetPositionPercent(double Value) { SetProperty(FPositionPercent, Value); }
    void SetPosUnits(TPlotUnits Value) { SetProperty(FPosUnits, Value); }

    // The axis whose range this one copies; not owned. An axis that is this
    // one or copies it (through its own masters) raises AxisException and
    // changes nothing.
    TChartAxis* MasterAxis() const { return FMaster; }
    void SetMasterAxis(TChartAxis* Value);

    ICustomAxisPanel* ParentChart() const { return FParentChart; }
    // Watched across event handlers, which may delete a custom axis.
    TPlotLifetime& Lifetime() const { return FLifetime; }

    // Frame preparation, in this order: AdjustMaxMin, InternalCalcPositions,
    // then (with series margins) AdjustMaxMinRect and CalcRoundScales.
    void AdjustMaxMin();
    void CalcMinMax(double& AMin, double& AMax) const;
    void CalcRoundScales();
    void AdjustMaxMinRect(const TRect& Rect);
    void InternalCalcPositions();
    // Reselects the mapping after Logarithmic or the fast switch changed.
    void SetCalcPosValue();

    // Placing the axis line (labels and drawing use these).
    int GetRectangleEdge(const TRect& R) const;
    int ApplyPosition(int APos, const TRect& R) const;

    // Value to pixel with the mapping in force; valid after a frame's layout.
    int CalcXPosValue(double Value) const { return FXMapping.Pos(Value); }
    int CalcYPosValue(double Value) const { return FYMapping.Pos(Value); }
    int CalcPosValue(double Value) const
    {
        return FHorizontal ? CalcXPosValue(Value) : CalcYPosValue(Value);
    }
    // The mappings themselves, for loops over many points.
    const TAxisMapping& XMapping() const { return FXMapping; }
    const TAxisMapping& YMapping() const { return FYMapping; }

    // Pixel to value.
    double CalcPosPoint(int Value) const;
    // A value difference as a pixel length.
    int CalcSizeValue(double Value) const;
    // Moves the range by Offset; with CheckLimits only towards data beyond it.
    void Scroll(double Offset, bool CheckLimits);
    // Puts back a range and its automatic flags as saved earlier, without
    // the range checks of the setters.
    void RestoreScale(bool Auto, bool AutoMin, bool AutoMax, double Min, double Max);
    bool IsDateTime() const;

    // ---- labels ----

    bool Labels() const { return FLabels; }
    void SetLabels(bool Value) { SetProperty(FLabels, Value); }
    TPlotFont& LabelsFont() { return FLabelsFont; }
    TAxisLabelStyle LabelStyle() const { return FLabelStyle; }
    void SetLabelStyle(TAxisLabelStyle Value) { SetProperty(FLabelStyle, Value); }
    TAxisLabelAlign LabelsAlign() const { return FLabelsAlign; }
    void SetLabelsAlign(TAxisLabelAlign Value) { SetProperty(FLabelsAlign, Value); }
    bool LabelsAlternate() const { return FLabelsAlternate; }
    void SetLabelsAlternate(bool Value) { SetProperty(FLabelsAlternate, Value); }
    bool LabelsMultiLine() const { return FLabelsMultiLine; }
    void SetLabelsMultiLine(bool Value) { SetProperty(FLabelsMultiLine, Value); }
    // Labels turned by this many degrees, counter-clockwise.
    int LabelsAngle() const { return FLabelsAngle; }
    void SetLabelsAngle(int Value) { SetProperty(FLabelsAngle, Value); }
    // Numbers written as a mantissa times a power of ten (2.5×10³).
    bool LabelsExponent() const { return FLabelsExponent; }
    void SetLabelsExponent(bool Value) { SetProperty(FLabelsExponent, Value); }
    TAxisItems& Items() { return FItems; }
    bool LabelsOnAxis() const { return FLabelsOnAxis; }
    void SetLabelsOnAxis(bool Value) { SetProperty(FLabelsOnAxis, Value); }
    // Extra room between labels, percent of a label's size; 0 or more.
    int LabelsSeparation() const { return FLabelsSeparation; }
    void SetLabelsSeparation(int Value);
    // Fixed label room in pixels; 0 measures the labels.
    int LabelsSize() const { return FLabelsSize; }
    void SetLabelsSize(int Value) { SetProperty(FLabelsSize, Value); }
    bool RoundFirstLabel() const { return FRoundFirstLabel; }
    void SetRoundFirstLabel(bool Value) { SetProperty(FRoundFirstLabel, Value); }
    const std::string& AxisValuesFormat() const { return FAxisValuesFormat; }
    void SetAxisValuesFormat(const std::string& Value) { SetProperty(FAxisValuesFormat, Value); }
    // Empty: the short time format for a range of a day or less, else the short date format.
    const std::string& DateTimeFormat() const { return FDateTimeFormat; }
    void SetDateTimeFormat(const std::string& Value) { SetProperty(FDateTimeFormat, Value); }
    bool ExactDateTime() const { return FExactDateTime; }
    void SetExactDateTime(bool Value) { SetProperty(FExactDateTime, Value); }
    // Separators, patterns and names of the label texts; the program's own
    // settings when the axis is made.
    const TFormatSettings& FormatSettings() const { return FFormatSettings; }
    void SetFormatSettings(const TFormatSettings& Value);

    // The label step of the current working range: the widest sample label
    // (with its separation) decides how many labels fit along the span. 0
    // when a label's handler deleted the axis.
    double CalcIncrement();
    // The step for labels MaxLabelSize pixels long, and for MaxNumLabels labels.
    double CalcXYIncrement(int MaxLabelSize);
    double CalcLabelsIncrement(int MaxNumLabels);
    // The text of a value label: the date-time or number format, then the
    // chart's OnGetAxisLabel, then blanks as line breaks when multi-line.
    virtual std::string LabelValue(double Value);
    // The date-time or number text of a value alone, as its label shows it.
    std::string FormattedValue(double Value) const;
    // LabelStyle, or the style the axis' series call for when it is talAuto.
    TAxisLabelStyle CalcLabelStyle() const;

    // ---- layout and drawing ----

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { SetProperty(FVisible, Value); }
    TChartAxisPen& Axis() { return FAxis; }
    TChartAxisTitle& Title() { return FAxisTitle; }
    // Fixed title room in pixels; 0 measures the caption.
    int TitleSize() const { return FTitleSize; }
    void SetTitleSize(int Value) { SetProperty(FTitleSize, Value); }
    TAxisGridPen& Grid() { return FGrid; }
    TChartHiddenPen& MinorGrid() { return FMinorGrid; }
    TDarkGrayPen& Ticks() { return FTicks; }
    TDarkGrayPen& TicksInner() { return FTicksInner; }
    TDarkGrayPen& MinorTicks() { return FMinorTicks; }
    // Tick lengths in pixels, outwards (inwards for the inner ticks); a
    // negative length draws the tick on the other side of the axis line.
    int TickLength() const { return FTickLength; }
    void SetTickLength(int Value) { SetProperty(FTickLength, Value); }
    int TickInnerLength() const { return FTickInnerLength; }
    void SetTickInnerLength(int Value) { SetProperty(FTickInnerLength, Value); }
    int MinorTickLength() const { return FMinorTickLength; }
    void SetMinorTickLength(int Value) { SetProperty(FMinorTickLength, Value); }
    int MinorTickCount() const { return FMinorTickCount; }
    void SetMinorTickCount(int Value) { SetProperty(FMinorTickCount, Value); }
    bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool Value) { SetProperty(FTickOnLabelsOnly, Value); }

    // Cuts the room of the title, labels and ticks from R on the axis' side
    // (Inflate), or places the axis line, label row and title from R.
    void CalcRect(TRect& R, bool InflateChartRectangle);
    // The edge of R on the axis' side, which its room moves inwards.
    int& RoomEdge(TRect& R) const;
    // One frame: title, labels, axis line, ticks and grid; with CalcPosAxis the
    // axis line is placed on the chart rectangle first.
    void Draw(bool CalcPosAxis);
    // The widest label, the label room across the axis (as the axes'
    // CalcPosLabels leaves it), and the room of the axis line and outer ticks.
    int MaxLabelsWidth();
    int SizeLabels();
    int SizeTickAxis() const;
    // Pixels of the axis line, the label row and the title.
    int PosAxis() const { return FPosAxis; }
    int PosLabels() const { return FPosLabels; }
    int PosTitle() const { return FPosTitle; }
    // Where the title was drawn in the last frame; empty when it was not.
    TRect TitleRect() const;
    // +1 when outwards (towards the labels) is down or right, -1 when up or left.
    int OutwardsSign() const;

    // Draws the axis line in place of the axis (when its pen is visible).
    std::function<void(TChartAxis& Sender)> OnDrawAxis;
    // An internal hook no part of the terminal sets: the range's maximum
    // (LabelIndex -1) and the first value label (LabelIndex 0) are lowered
    // by what it returns.
    std::function<double(TChartAxis& Sender, int LabelIndex, double Value)> OnCalcMaxLabel;

    // Runs for every label drawn; may move it, change its text or suppress it.
    std::function<void(TChartAxis& Sender, int& X, int& Y, int& Z, std::string& Text,
                       bool& DrawLabel)>
        OnDrawLabel;

    // Pixels of this frame's ticks, in the order their labels were drawn.
    std::vector<int> Tick;

    // Working state of the last frame, written by the axis only.
    bool IAxisDateTime = false;
    double IAxisLogSizeRange = 0;
    double IAxisSizeRange = 0;
    int ICenterPos = 0;
    bool IDepthAxis = false;
    double ILogMax = 0;
    double ILogMin = 0;
    double IMaximum = 0;
    double IMinimum = 0;
    double IRange = 0;
    double IRangeLog = 0;
    bool IRangeZero = true;
    int IStartPos = 0;
    int IEndPos = 0;
    int IAxisSize = 0;
    // Shown in the last layout (the chart's decision, from Visible and its series).
    bool IsVisible = true;

protected:
    virtual TAxisLabelStyle InternalCalcLabelStyle() const;
    void Repaint();
    // A change handler for the pens and fonts: repaints the chart.
    TNotifyEvent RepaintOnChange();
    template <class T> void SetProperty(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }

private:
    // Labels (ChartAxisLabels.cpp). The step searches take the desired
    // increment as an argument: the search runs once more as if it were 1.
    double IncrementFor(double Desired);
    double XYIncrementFor(int MaxLabelSize, double Desired);
    double LabelsIncrementFor(int MaxNumLabels, double Desired);
    double KeepApart(double Step, int LabelSize) const;
    double ShortestInterval(double Step) const;
    // The values whose labels are measured for the step and the label room.
    int SampleValues(double Desired, double (&Values)[5]) const;
    // The canvas with the labels font, or none without a chart.
    TCanvas3D* LabelsCanvas();
    // A label's size along the axis, and the widest line of a text.
    int InternalLabelSize(TCanvas3D& Canvas, const std::string& Text) const;
    int FewestPointsAlongX() const;
    bool AlongXDimension(const IChartSeries& Series) const;
    // The size of a label's text turned by LabelsAngle; its extent along
    // and across the axis.
    TSize LabelExtent(TCanvas3D& Canvas, const std::string& Text) const;
    TSize TurnedExtent(int Width, int Height) const;
    int AlongAxis(const TSize& Extent) const { return FHorizontal ? Extent.cx : Extent.cy; }
    int AcrossAxis(const TSize& Extent) const { return FHorizontal ? Extent.cy : Extent.cx; }
    std::string ExponentText(double Value) const;
    // With LabelsMultiLine, every blank becomes a line break.
    void BreakLines(std::string& Text) const;

    // Drawing (ChartAxisDraw.cpp).
    void DrawAxisTitle(TCanvas3D& Canvas);
    void DrawLabels(TCanvas3D& Canvas);
    void DrawValueLabels(TCanvas3D& Canvas, double Increment, TDateTimeStep Step);
    // False when the chart's OnGetNextAxisLabel gave no value at all.
    bool DoCustomLabels(TCanvas3D& Canvas);
    // The user's items, each at its value.
    void DrawCustomLabels(TCanvas3D& Canvas);
    // The point labels (or, with Marks, the mark texts) of the axis' series.
    void DrawSeriesLabels(TCanvas3D& Canvas, bool Marks);
    bool AllOnChart(const std::vector<const IChartSeries*>& List) const;
    // One title per series, at the series' depth.
    void DrawDepthLabels(TCanvas3D& Canvas);
    void InternalDrawLabel(TCanvas3D& Canvas, double Value);
    void DrawThisLabel(TCanvas3D& Canvas, int Pos, double Value, std::string Text,
                       TPlotFont* Font = nullptr);
    // A label's text at X, Y: centred on a horizontal axis' tick, beside a
    // vertical axis' tick and centred on it; turned, its turned box is placed
    // so.
    void DrawAxisLabel(TCanvas3D& Canvas, int X, int Y, const std::string& Text);
    void DrawTurnedLabel(TCanvas3D& Canvas, int X, int Y, const std::vector<std::string>& Lines);
    // The labels' box behind a text whose corners are Corners.
    void DrawLabelBox(TCanvas3D& Canvas, const std::vector<TPoint>& Corners,
                      TAxisLabelsFormat& Format);
    // The title's room across the axis; the canvas takes the title font.
    int TitleRoom(TCanvas3D& Canvas);
    void DrawTicksGrid(TCanvas3D& Canvas, const TRect& Chart);
    void DrawTicks(TCanvas3D& Canvas, TChartPen& Pen, const std::vector<int>& At, int Length,
                   int Outwards);
    void DrawGrid(TCanvas3D& Canvas, TChartPen& Pen, const std::vector<int>& At,
                  const TRect& Chart);
    std::vector<int> GridPositions() const;
    std::vector<int> MinorTickPositions() const;
    void AddTick(int Pos, double Value);

    void InternalCalcRange();
    void UpdateMappings();
    double SeriesExtreme(bool IsMax) const;

    bool FAutomatic = true;
    bool FAutomaticMaximum = true;
    bool FAutomaticMinimum = true;
    double FDesiredIncrement = 0;
    double FMaximumValue = 0;
    double FMinimumValue = 0;
    bool FLogarithmic = false;
    double FLogarithmicBase = 10;
    int FMaximumOffset = 0;
    int FMinimumOffset = 0;
    bool FMaximumRound = false;
    bool FMinimumRound = false;
    bool FInverted = false;
    bool FHorizontal;
    bool FOtherSide;
    ICustomAxisPanel* FParentChart;
    double FStartPosition = 0;
    double FEndPosition = 100;
    double FPositionPercent = 0;
    TPlotUnits FPosUnits = muPercent;
    TChartAxis* FMaster = nullptr;

    bool FLabels = true;
    TPlotFont FLabelsFont;
    TAxisLabelStyle FLabelStyle = talAuto;
    TAxisLabelAlign FLabelsAlign = alDefault;
    bool FLabelsAlternate = false;
    bool FLabelsMultiLine = false;
    int FLabelsAngle = 0;
    bool FLabelsExponent = false;
    TAxisItems FItems;
    bool FLabelsOnAxis = true;
    int FLabelsSeparation = 10;
    int FLabelsSize = 0;
    bool FRoundFirstLabel = true;
    std::string FAxisValuesFormat;
    std::string FDateTimeFormat;
    bool FExactDateTime = true;
    TFormatSettings FFormatSettings;

    bool FVisible = true;
    TChartAxisPen FAxis;
    TChartAxisTitle FAxisTitle;
    int FTitleSize = 0;
    TAxisGridPen FGrid;
    TChartHiddenPen FMinorGrid;
    TDarkGrayPen FTicks;
    TDarkGrayPen FTicksInner;
    TDarkGrayPen FMinorTicks;
    int FTickLength = 4;
    int FTickInnerLength = 0;
    int FMinorTickLength = 2;
    int FMinorTickCount = 3;
    bool FTickOnLabelsOnly = true;
    int FPosAxis = 0;
    int FPosLabels = 0;
    int FPosTitle = 0;
    int FTitleRoom = 0; // drawn in the last frame
    // The values at Tick, for the minor ticks of a logarithmic axis.
    std::vector<double> FTickValues;
    // The values of the label loop, kept to spare an allocation per frame.
    std::vector<double> FLabelValues;
    // Labels drawn so far in this frame, for the alternating rows, and the
    // frame's shifts of alternate and opposite labels.
    int FLabelCount = 0;
    int FAlternateShift = 0;
    int FOppositeShift = 0;

    TAxisMapKind FMapKind = TAxisMapKind::Linear;
    bool FFastCalc = false;
    TAxisMapping FXMapping;
    TAxisMapping FYMapping;
    mutable TPlotLifetime FLifetime;
};

// A depth (Z) axis: maps from 0 across the chart's 3D depth, and the two
// depth axes of a chart share Inverted.
class TChartDepthAxis : public TChartAxis {
public:
    TChartDepthAxis(ICustomAxisPanel* ParentChart, bool OtherSide);
    void SetInverted(bool Value) override;

protected:
    // One text label per series, unless the first active series spreads
    // over a range of depths: then value labels.
    TAxisLabelStyle InternalCalcLabelStyle() const override;
};
