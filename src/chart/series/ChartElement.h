#pragma once

#include "chart/series/ChartValueList.h"
#include "chart/series/SeriesHost.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Raised for invalid settings and calls of the chart engine.
class ChartException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Something a chart draws: active or not, its pen and brush, and the chart
// it belongs to. A change of the pen or brush repaints the chart.
class TCustomChartElement {
public:
    TCustomChartElement();
    virtual ~TCustomChartElement() = default;
    TCustomChartElement(const TCustomChartElement&) = delete;
    TCustomChartElement& operator=(const TCustomChartElement&) = delete;

    bool Active() const { return fActive; }
    virtual void SetActive(bool Value);
    bool Visible() const { return fActive; }
    ISeriesHost* ParentChart() const { return fParent; }
    virtual void SetParentChart(ISeriesHost* Value);
    TChartPen& Pen() const { return *fPen; }
    virtual void SetPen(const TChartPen& Value) { fPen->Assign(Value); }
    TChartBrush& Brush() const { return *fBrush; }
    void SetBrush(const TChartBrush& Value) { fBrush->Assign(Value); }
    bool ShowInEditor() const { return fShowInEditor; }
    void SetShowInEditor(bool Value) { fShowInEditor = Value; }
    virtual void CanvasChanged() {}
    void Repaint();

protected:
    bool fActive = true;
    std::unique_ptr<TChartBrush> fBrush;
    ISeriesHost* fParent = nullptr;
    std::unique_ptr<TChartPen> fPen;
    bool fShowInEditor = true;
};

// Adds title, legend flag and identifier; tells the chart about changes.
class TCustomChartSeries : public TCustomChartElement {
public:
    void SetActive(bool Value) override;
    bool ShowInLegend() const { return fShowInLegend; }
    void SetShowInLegend(bool Value);
    const std::string& Title() const { return fTitle; }
    void SetTitle(const std::string& Value);
    const std::string& Identifier() const { return fIdentifier; }
    void SetIdentifier(const std::string& Value) { fIdentifier = Value; }

    virtual void CalcHorizMargins(int32_t& Left, int32_t& Right);
    virtual void CalcVerticalMargins(int32_t& Top, int32_t& Bottom);
    virtual void DoBeforeDrawChart() {}

protected:
    void Broadcast(TChartSeriesEvent Event);

    bool fShowInLegend = true;
    std::string fTitle;
    std::string fIdentifier;
};

// Optional per-point labels: empty while no point has one; once one is set
// the list covers every point, so inserts and deletes keep it aligned.
class TLabelsList {
public:
    bool Empty() const { return fItems.empty(); }
    int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
    const std::string& Label(int32_t Index) const;
    // Some label among the first Limit is not empty.
    bool AnyNonEmpty(int32_t Limit) const;
    // APointCount is the number of points the series holds.
    void SetLabel(int32_t Index, const std::string& Value, int32_t APointCount);
    void Insert(int32_t Index, const std::string& Value, int32_t APointCount);
    void InsertAtPositions(const std::vector<int32_t>& Positions,
                           const std::vector<std::string>& Values, int32_t APointCount);
    void Delete(int32_t Index);
    void Delete(int32_t Start, int32_t Quantity);
    void Swap(int32_t A, int32_t B);
    void Clear() { fItems.clear(); }

private:
    std::vector<std::string> fItems;
};

enum THorizAxis : uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis : uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

enum TSeriesRecalcOption : uint8_t { rOnDelete = 1, rOnModify = 2, rOnInsert = 4, rOnClear = 8 };
constexpr uint8_t AllRecalcOptions = rOnDelete | rOnModify | rOnInsert | rOnClear;

// Points for one merged add: Values[l][k] is value list l's value of point k
// (lists in ValuesList order; lists without a column keep their TempValue).
struct TChartPointsBatch {
    std::vector<std::vector<double>> Values;
    std::vector<TColor> Colors;      // empty: automatic colour for every point
    std::vector<std::string> Labels; // empty: no labels
};
