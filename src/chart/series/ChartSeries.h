#pragma once

#include "chart/core/PlotConst.h"
#include "chart/core/PlotLifetime.h"
#include "chart/series/ChartElement.h"
#include "chart/series/PlotFunction.h"
#include "chart/series/SeriesMarks.h"

// What a legend row of one value shows, and in which order: its label, the
// value, its percent of the total or its X value (ltsPlain: the label, or
// the value when the point has none).
enum TLegendTextStyle : uint8_t {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
    ltsValue,
    ltsPercent,
    ltsXAndValue,
    ltsXAndPercent
};

// A series: parallel value lists (X, Y and any further ones, one point per
// index), optional per-point colours and labels, axis binding, the visible
// index range and the notification of series fed from this one.
// Lists created with this series as owner must be created with new; the
// series frees them.
class TChartSeries : public TCustomChartSeries, public TChartValueListOwner, public IChartSeries {
public:
    using TSeriesNotify = std::function<void(TChartSeries* Sender)>;
    using TSeriesAfterAdd = std::function<void(TChartSeries* Sender, int32_t ValueIndex)>;
    using TSeriesBeforeAdd = std::function<bool(TChartSeries* Sender)>;
    using TSeriesGetMarkText =
        std::function<void(TChartSeries* Sender, int32_t ValueIndex, std::string& MarkText)>;
    // A click on point ValueIndex; a handler that takes the click sets the
    // chart's CancelMouse.
    using TSeriesClick = std::function<void(TChartSeries* Sender, int32_t ValueIndex,
                                            TMouseButton Button, TShiftState Shift, int X, int Y)>;

    TChartSeries();
    ~TChartSeries() override;

    // Watched across event handlers, which may free the series.
    TPlotLifetime& Lifetime() const { return fLifetime; }

    // Value lists.
    TChartValueLists& ValuesList() override { return fValuesList; }
    TChartValueList& XValues() const { return *fX; }
    TChartValueList& YValues() const { return *fY; }
    TChartValueList* MandatoryValueList() const { return fMandatory; }
    TChartValueList* NotMandatoryValueList() const { return fNotMandatory; }
    bool YMandatory() const override { return fYMandatory; }
    void SetHorizontal(); // X becomes the plotted value
    virtual TChartValueList* GetYValueList(const std::string& AListName) const;
    int32_t Count() const override { return fX->Count(); }

    // Adding and deleting.
    virtual int32_t AddXY(double AXValue, double AYValue, const std::string& ALabel = "",
                          TColor AColor = clPlotColor);
    virtual int32_t Add(double AValue, const std::string& ALabel = "", TColor AColor = clPlotColor);
    virtual int32_t AddNull(const std::string& ALabel = "");
    virtual int32_t AddNullXY(double X, double Y, const std::string& ALabel = "");
    // As AddXY for every point in turn, merged in one pass when nothing can
    // observe the single adds (inside BeginUpdate, no OnBeforeAdd).
    void AddPoints(const TChartPointsBatch& Points);
    // Null by its colour, or by a value that is not a finite number.
    bool IsNull(int32_t ValueIndex) const
    {
        return ValueColor(ValueIndex) == clNone || !HasFiniteValues(ValueIndex);
    }
    // Every value of the point is a finite number.
    bool HasFiniteValues(int32_t ValueIndex) const;
    virtual void Delete(int32_t ValueIndex);
    virtual void Delete(int32_t Start, int32_t Quantity, bool RemoveGap = false);
    virtual void Clear();
    void BeginUpdate() { ++fUpdating; }
    void EndUpdate();
    bool Updating() const { return fUpdating > 0; }
    void SwapValueIndex(int32_t A, int32_t B) override;
    void CheckOrder();

    // Notification of series fed from this one.
    void NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex) override;
    virtual void NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex);
    virtual void AddValues(TChartSeries* Source);
    virtual void AddedValue(TChartSeries* Source, int32_t ValueIndex);
    virtual void DeletedValue(TChartSeries* Source, int32_t ValueIndex);
    virtual bool IsValidSourceOf(TChartSeries* Value) const { return Value != this; }
    // Source feeds this series from now on; a source that is this series or
    // is itself fed from it raises ChartException and changes nothing.
    void AddDataSource(TChartSeries* Source);
    void RemoveDataSource(TChartSeries* Source);
    const std::vector<TChartSeries*>& DataSources() const { return fDataSources; }
    const std::vector<TChartSeries*>& LinkedSeries() const { return fLinkedSeries; }
    uint8_t RecalcOptions() const { return fRecalcOptions; }
    void SetRecalcOptions(uint8_t Value) { fRecalcOptions = Value; }
    TPlotFunction* FunctionType() const { return fFunction.get(); }
    void SetFunction(std::unique_ptr<TPlotFunction> Value);
    void CheckDatasource() override;
    void Repaint() override { TCustomChartElement::Repaint(); }

    // Colours and labels.
    TColor SeriesColor() const { return fColor == clPlotColor ? fSeriesColor : fColor; }
    virtual void SetSeriesColor(TColor Value);
    bool ColorEachPoint() const { return fColorEachPoint; }
    virtual void SetColorEachPoint(bool Value);
    // The stored colour of a point, clPlotColor when none was given.
    TColor ValueColor(int32_t ValueIndex) const;
    void SetValueColor(int32_t ValueIndex, TColor AColor);
    bool HasColorList() const { return fColors != nullptr; }
    virtual TColor GetValueColor(int32_t ValueIndex) const;
    const TLabelsList& Labels() const { return fLabels; }
    void SetLabel(int32_t ValueIndex, const std::string& Value);
    bool HasPointLabels() const override { return fLabels.AnyNonEmpty(fLabels.Count()); }
    const std::string& PointLabel(int32_t ValueIndex) const override
    {
        return fLabels.Label(ValueIndex);
    }
    const std::string& Title() const override { return fTitle; }
    const std::string& ValueFormat() const { return fValueFormat; }
    virtual void SetValueFormat(const std::string& Value);
    const std::string& PercentFormat() const { return fPercentFormat; }
    void SetPercentFormat(const std::string& Value);
    int32_t Depth() const { return fDepth; }
    void SetDepth(int32_t Value);
    double DefaultNullValue() const { return fDefaultNull; }
    void SetDefaultNullValue(double Value) { fDefaultNull = Value; }

    // Axes.
    THorizAxis HorizAxis() const { return fHorizAxis; }
    void SetHorizAxis(THorizAxis Value);
    TVertAxis VertAxis() const { return fVertAxis; }
    void SetVertAxis(TVertAxis Value);
    TChartAxis* CustomHorizAxis() const { return fCustomHorizAxis; }
    void SetCustomHorizAxis(TChartAxis* Value);
    TChartAxis* CustomVertAxis() const { return fCustomVertAxis; }
    void SetCustomVertAxis(TChartAxis* Value);
    TChartAxis* GetHorizAxis() const { return fGetHorizAxis; }
    TChartAxis* GetVertAxis() const { return fGetVertAxis; }
    void RecalcGetAxis();
    virtual bool UseAxis() const { return true; }
    virtual bool AssociatedToAxis(const TChartAxis& Axis) const;
    const TChartValueList* ValueListOfAxis(const TChartAxis& Axis) const override;
    bool Active() const override { return fActive; }
    void SetParentChart(ISeriesHost* Value) override;
    // Called by the chart when the series joins or leaves it.
    virtual void Added(ISeriesHost* AChart);
    virtual void Removed();

    // Ranges and positions.
    virtual double MaxXValue() { return fX->MaxValue(); }
    virtual double MinXValue() { return fX->MinValue(); }
    virtual double MaxYValue() { return fY->MaxValue(); }
    virtual double MinYValue() { return fY->MinValue(); }
    double MaxZValue() const override { return ZOrder(); }
    double MinZValue() const override { return ZOrder(); }
    int32_t CalcXPos(int32_t ValueIndex) const override;
    int32_t CalcYPos(int32_t ValueIndex) const override;
    int32_t CalcXPosValue(double Value) const;
    int32_t CalcYPosValue(double Value) const;
    int32_t CalcPosValue(double Value) const;
    double XScreenToValue(int32_t ScreenPos) const;
    virtual bool IsPointInChartRect(int32_t ValueIndex) const;

    virtual double GetxValue(int32_t ValueIndex) const { return (*fX)[ValueIndex]; }
    virtual double GetyValue(int32_t ValueIndex) const { return (*fY)[ValueIndex]; }
    virtual double GetMarkValue(int32_t ValueIndex) const { return (*fMandatory)[ValueIndex]; }
    // The value a point stands for where it is listed or shown as a number.
    virtual double GetOriginValue(int32_t ValueIndex) const { return GetMarkValue(ValueIndex); }

    // Legend rows of the series' values: how many, which point each row
    // lists, its colour, its text and its symbol.
    virtual int32_t CountLegendItems() const { return Count(); }
    virtual int32_t LegendToValueIndex(int32_t LegendIndex) const { return LegendIndex; }
    virtual TColor LegendItemColor(int32_t LegendIndex) const;
    // Columns are joined by PlotColumnSeparator; empty for a row of no point.
    virtual std::string LegendString(int32_t LegendIndex, TLegendTextStyle AStyle) const;
    // The canvas' brush and pen for the symbol of value ValueIndex (-1: the
    // series) in AColor, which become the chart's legend colour and pen;
    // DrawLegendShape then draws the symbol in Rect.
    virtual void PrepareLegendCanvas(TCanvas3D& C, int32_t ValueIndex, TColor AColor);
    virtual void DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect);

    // What a written-out copy of the points must carry.
    bool HasNoMandatoryValues() const;
    bool HasColors() const;
    bool HasLabels() const;

    // Visible range and drawing.
    virtual void CalcFirstLastVisibleIndex();
    int32_t FirstValueIndex() const override { return fFirstVisibleIndex; }
    int32_t LastValueIndex() const override { return fLastVisibleIndex; }
    int32_t FirstDisplayedIndex() const;
    int32_t LastDisplayedIndex() const;
    virtual bool DrawValuesForward() const;
    virtual bool DrawSeriesForward() const;
    virtual void DrawAllValues();
    virtual void DrawValue(int32_t ValueIndex) {}
    virtual void DoBeforeDrawValues();
    virtual void DoAfterDrawValues();
    virtual int32_t Clicked(int32_t X, int32_t Y) { return -1; }
    bool HasClickHandlers() const { return OnClick || OnDblClick; }
    // OnDblClick for a double click (ssDouble in Shift), else OnClick; false
    // when that handler is not assigned.
    virtual bool RaiseClicked(int32_t ValueIndex, TMouseButton Button, TShiftState Shift, int X,
                              int Y);
    bool CheckMouse(int32_t X, int32_t Y);
    bool IsMouseInside() const { return fIsMouseInside; }
    TSeriesCursor Cursor() const { return fCursor; }
    void SetCursor(TSeriesCursor Value) { fCursor = Value; }
    TSeriesMarks& Marks() const { return *fMarks; }
    // The text of point ValueIndex's mark in the marks' style; empty: no mark.
    virtual std::string GetMarkText(int32_t ValueIndex);
    std::string MarkText(int32_t ValueIndex) const override;
    // The marks of the visible points, every DrawEvery-th, nulls skipped.
    virtual void DrawMarks();
    virtual void DrawMark(int32_t ValueIndex, const std::string& St, TSeriesMarkPosition& Position);

    // Z order.
    int32_t ZOrder() const override { return fZOrder == -1 ? fIZOrder : fZOrder; }
    void SetZOrder(int32_t Value);
    void SetComputedZOrder(int32_t Value) { fIZOrder = Value; }
    virtual void CalcZOrder();
    // Where the series lies in the chart's depth: its front, middle and back,
    // its z order's share of the 3D depth (all 0 in 2D). The chart computes
    // them before drawing.
    virtual void CalcDepthPositions();
    int32_t StartZ() const { return fStartZ; }
    int32_t MiddleZ() const { return fMiddleZ; }
    int32_t EndZ() const { return fEndZ; }
    virtual bool MoreSameZOrder() const;
    bool FirstInZOrder() const;

    bool CalcVisiblePoints = true;
    bool DrawBetweenPoints = false;
    bool AllowSinglePoint = true;
    // The X (or, horizontal, Y) values carry data of their own.
    bool IUseNotMandatory = true;

    TSeriesAfterAdd OnAfterAdd;
    TSeriesBeforeAdd OnBeforeAdd;
    TSeriesNotify OnClearValues;
    TSeriesNotify OnMouseEnter;
    TSeriesNotify OnMouseLeave;
    TSeriesNotify BeforeDrawValues;
    TSeriesNotify AfterDrawValues;
    TSeriesGetMarkText OnGetMarkText;
    TSeriesClick OnClick;
    TSeriesClick OnDblClick;

protected:
    // Derived series widen or narrow the range the base computes.
    void SetVisibleRange(int32_t First, int32_t Last)
    {
        fFirstVisibleIndex = First;
        fLastVisibleIndex = Last;
    }
    virtual void ClearLists();
    virtual int32_t AddChartValue(TChartSeries* Source, int32_t ValueIndex);
    void RefreshSeries();
    void InsertColor(int32_t Index, TColor AColor);
    void InsertLabel(int32_t Index, const std::string& ALabel);

private:
    std::string MarkTextOfStyle(int32_t ValueIndex);
    std::string PercentText(double Value, double Whole) const;
    std::string ValueText(int32_t ValueIndex) const;
    std::string XValueText(int32_t ValueIndex) const;
    bool CanMergePoints(const TChartPointsBatch& Points) const;
    void MergePoints(const TChartPointsBatch& Points);
    TChartAxis* MandatoryAxis() const;
    void UnlinkAll();
    // Other feeds this series, directly or through other series.
    bool FedFrom(const TChartSeries* Other) const;

    TColor fColor = clPlotColor;
    TColor fSeriesColor = clPlotColor;
    bool fColorEachPoint = false;
    std::unique_ptr<std::vector<TColor>> fColors;
    TSeriesCursor fCursor = crSeriesDefault;
    std::vector<TChartSeries*> fDataSources;
    TChartAxis* fGetHorizAxis = nullptr;
    TChartAxis* fGetVertAxis = nullptr;
    std::vector<TChartSeries*> fLinkedSeries;
    std::unique_ptr<TSeriesMarks> fMarks;
    TChartValueLists fValuesList;
    TChartValueList* fX;
    TLabelsList fLabels;
    TChartValueList* fY;
    double fDefaultNull = 0;
    THorizAxis fHorizAxis = aBottomAxis;
    TChartAxis* fCustomHorizAxis = nullptr;
    TChartAxis* fCustomVertAxis = nullptr;
    int32_t fZOrder = -1;
    int32_t fIZOrder = 0;
    TVertAxis fVertAxis = aLeftAxis;
    uint8_t fRecalcOptions = AllRecalcOptions;
    std::unique_ptr<TPlotFunction> fFunction;
    int32_t fFirstVisibleIndex = -1;
    int32_t fLastVisibleIndex = -1;
    int32_t fUpdating = 0;
    std::string fValueFormat = PlotConst::PlotMsg_DefValueFormat;
    std::string fPercentFormat = PlotConst::PlotMsg_DefPercentFormat;
    int32_t fDepth = -1;
    int32_t fStartZ = 0;
    int32_t fMiddleZ = 0;
    int32_t fEndZ = 0;
    TChartValueList* fMandatory;
    TChartValueList* fNotMandatory;
    bool fYMandatory = true;
    bool fIsMouseInside = false;
    mutable TPlotLifetime fLifetime;
};

// Watches a series across a handler that draws it: gone once the handler
// freed it or took it off the chart it was on, where it draws no more.
class TSeriesWatch {
public:
    explicit TSeriesWatch(const TChartSeries& Series)
        : FSeries(Series), FWatch(Series.Lifetime()), FChart(Series.ParentChart())
    {
    }
    bool Gone() const { return FWatch.Gone() || FSeries.ParentChart() != FChart; }

private:
    const TChartSeries& FSeries;
    TPlotLifetime::TWatch FWatch;
    const ISeriesHost* FChart;
};

enum TPlotFormatFlag : uint8_t { tfNoMandatory = 1, tfColor = 2, tfLabel = 4, tfMarkPosition = 8 };
// A set of TPlotFormatFlag.
using TPlotFormatFlags = uint8_t;

TPlotFormatFlags SeriesGuessContents(const TChartSeries& ASeries);
