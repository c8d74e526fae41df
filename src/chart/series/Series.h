#pragma once

// Series of points joined by lines: the settings, ranges, margins and
// visible range (Series.cpp), the drawing of lines, areas, pointers, nulls
// and the entry from the view's edge (SeriesDraw.cpp), and the hit tests and
// legend symbol (SeriesClick.cpp). UI thread only.

#include "chart/series/ChartSeries.h"
#include "chart/series/SeriesPointer.h"

// How a null point is drawn: a gap in the line, joined over, or as its value.
enum TTreatNullsStyle : uint8_t { tnDontPaint, tnSkip, tnIgnore };

// A series drawn as a line with the element's pen.
class TCustomLineSeries : public TChartSeries {
public:
    TTreatNullsStyle TreatNulls() const { return fTreatNulls; }
    void SetTreatNulls(TTreatNullsStyle Value);
    TChartPen& LinePen() const { return Pen(); }

protected:
    // The point is drawn and measured as a value: not null, or nulls ignored;
    // never with a value that is not a finite number.
    bool CountsAsValue(int32_t ValueIndex) const
    {
        return HasFiniteValues(ValueIndex) && (fTreatNulls == tnIgnore || !IsNull(ValueIndex));
    }
    // A repainting setter's body.
    template <class T> void SetAndRepaint(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }

private:
    TTreatNullsStyle fTreatNulls = tnDontPaint;
};

enum TCustomSeriesStack : uint8_t { cssNone, cssOverlap, cssStack, cssStack100 };

// The drawing engine of point series: segments (straight or stairs), areas
// under them, a pointer at each point drawn after the segments, nulls,
// stacking on the series of the same kind before it, and hit tests.
// Everything is drawn flat, on the front plane of a 3D view.
class TCustomSeries : public TCustomLineSeries {
public:
    using TClickPointerEvent =
        std::function<void(TCustomSeries* Sender, int32_t ValueIndex, int X, int Y)>;
    using TGetPointerStyleEvent =
        std::function<TSeriesPointerStyle(TCustomSeries* Sender, int32_t ValueIndex)>;

    TCustomSeries();

    TChartBrush& AreaBrush() { return fAreaBrush; }
    // clPlotColor: each area takes its point's colour.
    TColor AreaColor() const { return fAreaColor; }
    void SetAreaColor(TColor Value) { SetAndRepaint(fAreaColor, Value); }
    TChartPen& AreaLinesPen() { return fAreaLinesPen; }
    bool ClickableLine() const { return fClickableLine; }
    void SetClickableLine(bool Value) { fClickableLine = Value; }
    bool ColorEachLine() const { return fColorEachLine; }
    void SetColorEachLine(bool Value) { SetAndRepaint(fColorEachLine, Value); }
    bool Dark3D() const { return fDark3D; }
    void SetDark3D(bool Value) { SetAndRepaint(fDark3D, Value); }
    bool DrawArea() const { return fDrawArea; }
    void SetDrawArea(bool Value) { SetAndRepaint(fDrawArea, Value); }
    bool DrawLine() const { return fDrawLine; }
    void SetDrawLine(bool Value) { SetAndRepaint(fDrawLine, Value); }
    bool InvertedStairs() const { return fInvertedStairs; }
    void SetInvertedStairs(bool Value) { SetAndRepaint(fInvertedStairs, Value); }
    int32_t LineHeight() const { return fLineHeight; }
    void SetLineHeight(int32_t Value) { SetAndRepaint(fLineHeight, Value); }
    TChartHiddenPen& OutLine() { return fOutLine; }
    TSeriesPointer& Pointer() const { return *fPointer; }
    TPlotShadow& Shadow() { return fShadow; }
    TCustomSeriesStack Stacked() const { return fStacked; }
    void SetStacked(TCustomSeriesStack Value) { SetAndRepaint(fStacked, Value); }
    bool Stairs() const { return fStairs; }
    void SetStairs(bool Value) { SetAndRepaint(fStairs, Value); }
    virtual int GetTransparency() const { return fTransparency; }
    virtual void SetTransparency(int Value)
    {
        SetAndRepaint(fTransparency, std::clamp(Value, 0, 100));
    }
    virtual TPlotGradient& GetGradient() { return fGradient; }

    TClickPointerEvent OnClickPointer;
    TGetPointerStyleEvent OnGetPointerStyle;

    // The pointer of point ValueIndex at (AX, AY) in AColor, in the style
    // OnGetPointerStyle gives it; false when that handler freed the series.
    bool DrawPointer(int AX, int AY, TColor AColor, int32_t ValueIndex);
    // The pointer's style for point ValueIndex, OnGetPointerStyle's when it
    // is assigned; false when the handler freed the series.
    bool PointerStyleOf(int32_t ValueIndex, TSeriesPointerStyle& Style);

    // Ranges: stacked values, nulls left out unless ignored.
    double MaxXValue() override;
    double MinXValue() override;
    double MaxYValue() override;
    double MinYValue() override;
    int32_t CalcXPos(int32_t ValueIndex) const override;
    int32_t CalcYPos(int32_t ValueIndex) const override;
    void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
    void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
    // The base range, widened by the points whose pointer still reaches the
    // chart rectangle and by the points sharing an X with an end.
    void CalcFirstLastVisibleIndex() override;
    bool IsPointInChartRect(int32_t ValueIndex) const override;
    void CalcZOrder() override;

    void DrawAllValues() override;
    void DrawValue(int32_t ValueIndex) override;
    int32_t Clicked(int32_t X, int32_t Y) override;
    void DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect) override;

    // Pixels the marks take beyond their point.
    virtual int CalcMarkLength(int32_t ValueIndex);
    // The smallest (IsMin) or largest plotted value, 0 without points.
    virtual double CalcMinMaxValue(bool IsMin);
    virtual bool ClickedPointer(int32_t ValueIndex, int tmpX, int tmpY, int X, int Y);
    // Sets up the pointer for one point before it is drawn or hit-tested.
    virtual void PreparePointer(int32_t ValueIndex) {}
    // Other stacks on this series: the same kind, stacked alike, on the same axes.
    virtual bool SameClassOrigin(const TChartSeries& Other) const;
    // The pixel of the base of point ValueIndex's area.
    virtual int GetOriginPos(int32_t ValueIndex) const;

protected:
    void Added(ISeriesHost* AChart) override;
    void Removed() override;
    // Value as stacked at ValueIndex on the series before this one.
    double StackedValue(int32_t ValueIndex, double Value) const;
    // The sum of the stacked values at ValueIndex of the series before this
    // one (All: of every series of the stack).
    double PointOrigin(int32_t ValueIndex, bool All) const;
    // The segment pen in AColor, the brush cleared.
    void LinePrepareCanvas(TCanvas3D& C, TColor AColor);

private:
    // What one drawing pass changes: the colour of every point and line (clNone:
    // their own), an offset, the line pen's width (0: its own), the pointers.
    struct TDrawPass {
        TColor Color = clNone;
        int DX = 0;
        int DY = 0;
        int PenWidth = 0;
        bool Pointers = true;
    };
    // The previous point of the pass. NoValue: a skipped null found no
    // point with a value to stand on.
    struct TOldPoint {
        bool Valid = false;
        int X = 0;
        int Y = 0;
        int BottomPos = 0;
        TColor Color = clNone;
        bool Null = false;
        int32_t Index = -1;
        bool NoValue = false;
    };
    struct TNewPoint {
        int32_t Index;
        int X, Y, BottomPos;
        TColor Color;
        bool Null;
    };
    // False when a handler freed the series during the pass.
    bool DrawPass(const TDrawPass& Pass);
    TColor PointColor(int32_t ValueIndex, bool Null) const;
    // The point with a value at or before ValueIndex, else the first after it; -1: none.
    int32_t NearestValueFor(int32_t ValueIndex) const;
    // The point the line comes from into the view when ValueIndex is the
    // first one drawn; -1 when the line starts at the point itself.
    int32_t EntryFrom(int32_t ValueIndex) const;
    // Where the line from point From to point ValueIndex (drawn at P) meets
    // the edge of the chart rectangle.
    TPoint EdgePoint(int32_t From, int32_t ValueIndex, const TNewPoint& P) const;
    // The segment from the previous point to P, then the pointers; false
    // when a handler freed the series.
    bool DrawPoint(const TNewPoint& P, bool PreviousPointer, bool CurrentPointer);
    void DrawSegmentLine(TCanvas3D& C, const TNewPoint& P);
    void InternalDrawArea(TCanvas3D& C, const TNewPoint& P);
    // The area under the segment From-To down to the bases of its ends.
    std::vector<TPoint> AreaOutline(const TPoint& From, int FromBase, const TPoint& To,
                                    int ToBase) const;
    // The click at P hits the drawn segment from point ToIndex - 1 to ToIndex.
    bool HitsSegment(int32_t ToIndex, const TPoint& From, const TPoint& To, const TPoint& P) const;

    TChartBrush fAreaBrush;
    TColor fAreaColor = clPlotColor;
    TChartPen fAreaLinesPen;
    bool fClickableLine = true;
    bool fColorEachLine = true;
    bool fDark3D = true;
    bool fDrawArea = false;
    bool fDrawLine = false;
    bool fInvertedStairs = false;
    int32_t fLineHeight = 0;
    TChartHiddenPen fOutLine;
    std::unique_ptr<TSeriesPointer> fPointer;
    TPlotShadow fShadow;
    TCustomSeriesStack fStacked = cssNone;
    bool fStairs = false;
    int fTransparency = 0;
    TPlotGradient fGradient;
    TDrawPass fPass;
    TOldPoint fOld;
    TChartPen fPassPen;
};

// A line through the points; the pointer hidden.
class TLineSeries : public TCustomSeries {
public:
    TLineSeries();
};

// A pointer at each point, no line.
class TPointSeries : public TCustomSeries {
public:
    TPointSeries();
};

// The legend symbol of a pointer series: Pointer's shape centred in Rect,
// a third of its size when the symbol is framed, else filling it.
void PlotPointerDrawLegend(TSeriesPointer& Pointer, TColor AColor, const TRect& Rect, bool Framed);

// Registers the line, point and fast-line series on the standard gallery page.
void LineSeriesStartup();
void LineSeriesShutdown();
