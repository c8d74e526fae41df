#pragma once

#include "chart/chart/ChartTitle.h"
#include "chart/chart/CustomAxisPanel.h"
#include "chart/chart/LegendLayout.h"
#include "chart/core/PlotUnits.h"

#include <functional>
#include <string>
#include <vector>

// The legend: a framed box at one side of the chart (or placed by hand)
// listing the chart's series or the values of one series, each row a symbol
// in the row's colour and a text; check boxes may switch series on and off.

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
enum TLegendSymbolPosition { spLeft, spRight };
enum TLegendSymbolSize { lcsPercent, lcsPixels };
enum TCheckBoxesStyle { cbsCheck, cbsRadio };

class TCustomChartLegend;
class TCustomChart;

class TLegendSymbol {
public:
    using TSymbolDrawEvent =
        std::function<void(const TChartSeries& Series, int ValueIndex, const TRect& R)>;

    explicit TLegendSymbol(TCustomChartLegend& ALegend);

    bool Continuous() const { return FContinuous; }
    void SetContinuous(bool Value) { Set(FContinuous, Value); }
    bool DefaultPen() const { return FDefaultPen; }
    void SetDefaultPen(bool Value) { Set(FDefaultPen, Value); }
    TPlotGradient& Gradient() { return FGradient; }
    TChartPen& Pen() { return FPen; }
    TLegendSymbolPosition Position() const { return FPosition; }
    void SetPosition(TLegendSymbolPosition Value) { Set(FPosition, Value); }
    TPlotShadow& Shadow() { return FShadow; }
    bool Squared() const { return FSquared; }
    void SetSquared(bool Value) { Set(FSquared, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Set(FVisible, Value); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { Set(FWidth, Value); }
    TLegendSymbolSize WidthUnits() const { return FWidthUnits; }
    void SetWidthUnits(TLegendSymbolSize Value) { Set(FWidthUnits, Value); }
    TSymbolDrawEvent OnDraw;

    // The symbol of one row in the row's colour: the series' legend shape
    // (ValueIndex -1 for a row of the series itself).
    void Draw(TCanvas3D& C, TChartSeries& Series, int ValueIndex, TColor Color, const TRect& R);

private:
    template <class T> void Set(T& Field, const T& Value);

    TCustomChartLegend& FLegend;
    bool FContinuous = false;
    bool FDefaultPen = true;
    TPlotGradient FGradient;
    TChartPen FPen;
    TLegendSymbolPosition FPosition = spLeft;
    TPlotShadow FShadow;
    bool FSquared = false;
    bool FVisible = true;
    int FWidth = 20;
    TLegendSymbolSize FWidthUnits = lcsPercent;
};

// One row of the last layout: its text and where its parts were drawn.
struct TLegendItem {
    TAlignment Align = taLeftJustify;
    int Left = 0;
    TRect Symbol;
    std::string Text;
    std::string Text2;
    int Top = 0;
};
using TLegendItems = std::vector<TLegendItem>;

// The lines above the rows.
class TLegendTitle : public TPlotCustomShape {
public:
    explicit TLegendTitle(TCustomPlotPanel* AParent);
    const std::vector<std::string>& Text() const { return FText; }
    void SetText(const std::vector<std::string>& Value) { SetProperty(FText, Value); }
    TAlignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(TAlignment Value) { SetProperty(FTextAlign, Value); }

private:
    std::vector<std::string> FText;
    TAlignment FTextAlign = taCenter;
};

class TCustomChartLegend : public TPlotCustomShapePosition, public IPlotEventListener {
public:
    // The chart's legend events adjust the texts, the box and the rows.
    TCustomChartLegend(TCustomPlotPanel* AParent, TCustomChart* AChart);
    // A series leaving the chart is no longer listed nor the legend's series.
    void PlotEvent(TPlotEvent& Event) override;

    TLegendAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLegendAlignment Value) { SetProperty(FAlignment, Value); }
    bool CheckBoxes() const { return FCheckBoxes; }
    void SetCheckBoxes(bool Value) { SetProperty(FCheckBoxes, Value); }
    TCheckBoxesStyle CheckBoxesStyle() const { return FCheckBoxesStyle; }
    void SetCheckBoxesStyle(TCheckBoxesStyle Value) { SetProperty(FCheckBoxesStyle, Value); }
    TChartHiddenPen& DividingLines() { return FDividingLines; }
    int FirstValue() const { return FFirstValue; }
    // A negative index raises ChartException; the value stays.
    void SetFirstValue(int Value);
    bool FontSeriesColor() const { return FFontSeriesColor; }
    void SetFontSeriesColor(bool Value) { SetProperty(FFontSeriesColor, Value); }
    int HorizMargin() const { return FHorizMargin; }
    void SetHorizMargin(int Value) { SetProperty(FHorizMargin, Value); }
    bool Inverted() const { return FInverted; }
    void SetInverted(bool Value) { SetProperty(FInverted, Value); }
    const TLegendItems& Items() const { return FItems; }
    int LeftPercent() const { return FLeftPercent; }
    void SetLeftPercent(int Value) { SetProperty(FLeftPercent, Value); }
    TLegendStyle LegendStyle() const { return FLegendStyle; }
    void SetLegendStyle(TLegendStyle Value) { SetProperty(FLegendStyle, Value); }
    int MaxNumRows() const { return FMaxNumRows; }
    void SetMaxNumRows(int Value) { SetProperty(FMaxNumRows, std::max(Value, 1)); }
    TPlotUnits PosUnits() const { return FPosUnits; }
    void SetPosUnits(TPlotUnits Value) { SetProperty(FPosUnits, Value); }
    bool ResizeChart() const { return FResizeChart; }
    void SetResizeChart(bool Value) { SetProperty(FResizeChart, Value); }
    TChartSeries* Series() const { return FSeries; }
    void SetSeries(TChartSeries* Value) { SetProperty(FSeries, Value); }
    TLegendSymbol& Symbol() { return FSymbol; }
    TLegendTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TLegendTextStyle Value) { SetProperty(FTextStyle, Value); }
    TLegendTitle& Title() { return FTitle; }
    int TopLeftPos() const { return FTopLeftPos; }
    void SetTopLeftPos(int Value) { SetProperty(FTopLeftPos, Value); }
    int TopPercent() const { return FTopPercent; }
    void SetTopPercent(int Value) { SetProperty(FTopPercent, Value); }
    int VertMargin() const { return FVertMargin; }
    void SetVertMargin(int Value) { SetProperty(FVertMargin, Value); }
    int VertSpacing() const { return FVertSpacing; }
    void SetVertSpacing(int Value) { SetProperty(FVertSpacing, Value); }
    // May change the computed width (left, right) or height (top, bottom).
    std::function<void(TCustomChartLegend& Sender, int& ASize)> OnCalcSize;

    // The layout of the last drawing.
    int NumCols() const { return FNumCols; }
    int NumRows() const { return FNumRows; }
    bool ColumnWidthAuto = true;
    int ColumnWidths[2] = {0, 0};
    TLegendStyle InternalLegendStyle() const { return FInternalLegendStyle; }
    int TotalItems() const { return ITotalItems; }
    int LastValue() const { return ILastValue; }

    bool ShouldDraw() const;
    void CalcLegendStyle();
    // The series the values are listed of: Series, else the first active
    // series shown in the legend; none when there is none.
    TChartSeries* GetLegendSeries() const;
    // The text of legend row LegendIndex of ASeries' values in TextStyle,
    // its columns parted by blanks; empty for -1.
    std::string FormattedValue(const TChartSeries& ASeries, int LegendIndex) const;
    // The text of row ItemIndex of the last layout.
    std::string FormattedLegend(int ItemIndex) const;
    // The row under the point, or -1.
    int Clicked(int X, int Y) const;
    // Switches the series of row ItemIndex; true when it acted.
    bool DoMouseDown(int ItemIndex);
    // Lays out and draws the legend in the panel's chart rectangle.
    void DrawLegend();

private:
    // What one row lists: a series, or one of its values.
    struct TRow {
        TChartSeries* Series;
        int LegendIndex; // the series' legend row; -1: the series itself
    };
    bool ChecksShown() const { return FCheckBoxes && FInternalLegendStyle != lsValues; }
    std::vector<TRow> CandidateRows() const;
    int SymbolWidth(int WidestText) const;
    // Title and row heights, check box room.
    void MeasureHeights(TCanvas3D& C);
    // The columns and rows shown, and the symbol width; TextWidth(I) is the
    // width of candidate row I's text.
    TLegendColumns ChooseColumns(int Total, const TRect& ChartRect,
                                 const std::function<int(int)>& TextWidth);
    void LayOut(const std::vector<TRow>& Candidates, const TRect& ChartRect);
    void Place(TRect& ChartRect);
    // After a handler: when a series has left, the rows are dropped for this
    // frame (the next one lists the series that are left); true then.
    bool DropRowsIfRemoved();
    void DrawRows();
    void DrawTitle();

    TLegendAlignment FAlignment = laRight;
    bool FCheckBoxes = false;
    TCheckBoxesStyle FCheckBoxesStyle = cbsCheck;
    TChartHiddenPen FDividingLines;
    int FFirstValue = 0;
    bool FFontSeriesColor = false;
    int FHorizMargin = 0;
    bool FInverted = false;
    TLegendItems FItems;
    int FLeftPercent = 0;
    TLegendStyle FLegendStyle = lsAuto;
    int FMaxNumRows = 10;
    TPlotUnits FPosUnits = muPixels;
    bool FResizeChart = true;
    TChartSeries* FSeries = nullptr;
    TLegendSymbol FSymbol;
    TLegendTextStyle FTextStyle = ltsLeftValue;
    TLegendTitle FTitle;
    int FTopLeftPos = 10;
    int FTopPercent = 0;
    int FVertMargin = 0;
    int FVertSpacing = 0;

    TCustomChart* FChart;
    TLegendStyle FInternalLegendStyle = lsSeries;
    int IColorWidth = 0;
    int ILastValue = -1;
    int ITotalItems = 0;
    bool IDrawTitle = false;
    // A series left the chart while the legend was laid out or drawn (a
    // handler freed it or took it off): the rows made so far may name it.
    bool IRemovedInDrawing = false;
    std::vector<TRow> FRows; // the rows of the last layout
    std::vector<int> FColWidths;
    std::vector<TRect> FRowRects; // each row's cell, for clicks
    int FLineHeight = 0;
    int FRowHeight = 0;
    int FCheckWidth = 0;
    int FTitleHeight = 0;
    int FNumCols = 0;
    int FNumRows = 0;
};

// Every setter of the symbol repaints the chart when the value changed.
template <class T> void TLegendSymbol::Set(T& Field, const T& Value)
{
    if (StoreChanged(Field, Value))
        FLegend.Repaint();
}

class TChartLegend : public TCustomChartLegend {
public:
    using TCustomChartLegend::TCustomChartLegend;
};
