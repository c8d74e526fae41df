#pragma once

#include <cstdint>
#include <vector>

class TChartSeries;
class TChartValueList;

enum TFunctionPeriodStyle : uint8_t { psNumPoints, psRange };
enum TFunctionPeriodAlign : uint8_t { paFirst, paCenter, paLast };

// Computes the points of its parent series from the parent's data sources.
// The parent owns the function and refills itself through AddPoints
// whenever a source changes; the function never holds points of its own.
class TPlotFunction {
public:
    TPlotFunction() = default;
    TPlotFunction(const TPlotFunction&) = delete;
    TPlotFunction& operator=(const TPlotFunction&) = delete;
    virtual ~TPlotFunction() = default;

    double Period() const { return fPeriod; }
    void SetPeriod(double Value);
    TFunctionPeriodStyle PeriodStyle() const { return fPeriodStyle; }
    void SetPeriodStyle(TFunctionPeriodStyle Value);
    TFunctionPeriodAlign PeriodAlign() const { return fPeriodAlign; }
    void SetPeriodAlign(TFunctionPeriodAlign Value);
    TChartSeries* ParentSeries() const { return fParent; }
    // Called by the series that takes this function.
    void SetParentSeries(TChartSeries* Value) { fParent = Value; }

    // Settings changed between the two calls recalculate once, at the end.
    void BeginUpdate() { fUpdating = true; }
    void EndUpdate();
    bool Updating() const { return fUpdating; }

    // Fills the parent series from Source (the parent is already empty).
    virtual void AddPoints(TChartSeries* Source);
    // The parent was cleared; members that feed further series clear them.
    virtual void Clear() {}

    // The value of the points FirstIndex..LastIndex of Series (-1, -1: all).
    virtual double Calculate(TChartSeries* Series, int32_t FirstIndex, int32_t LastIndex);
    // The value at point ValueIndex over all sources.
    virtual double CalculateMany(const std::vector<TChartSeries*>& SeriesList, int32_t ValueIndex);

    bool CanUsePeriod = true;
    bool NoSourceRequired = false;
    bool SingleSource = false;
    bool HideSourceList = false;

protected:
    virtual void DoCalculation(TChartSeries* Source, TChartValueList& NotMandatorySource);
    void CalculateAllPoints(TChartSeries* Source, TChartValueList& NotMandatorySource);
    void CalculateByPeriod(TChartSeries* Source, TChartValueList& NotMandatorySource);
    bool CalculatePeriod(TChartSeries* Source, double tmpX, int32_t FirstIndex, int32_t LastIndex);
    // Adds a computed point to the parent, X and Y swapped for a horizontal
    // source. False when the parent's add handler freed the parent, and this
    // function with it, or the source: the calculation must stop.
    bool AddFunctionXY(const TChartSeries& Source, double X, double Y);
    // X of a group of points by PeriodAlign.
    double AlignedX(const TChartValueList& List, int32_t FirstIndex, int32_t LastIndex) const;
    // Period in whole points of a source of Count points: never below one,
    // so a group always advances, and never above Count + 1 (a period
    // longer than the source fits no group, however long it is).
    int32_t PeriodPoints(int32_t Count) const;
    void ReCalculate();

private:
    void CalculateFunctionMany();
    // The last index of the psRange group that starts at FirstIndex.
    int32_t RangeGroupEnd(const TChartValueList& List, int32_t FirstIndex) const;

    double fPeriod = 0;
    TFunctionPeriodStyle fPeriodStyle = psNumPoints;
    TFunctionPeriodAlign fPeriodAlign = paCenter;
    TChartSeries* fParent = nullptr;
    bool fUpdating = false;
};

// A value over a window of Period points that moves one point at a time.
class TPlotMovingFunction : public TPlotFunction {
public:
    TPlotMovingFunction();

protected:
    void DoCalculation(TChartSeries* Source, TChartValueList& NotMandatorySource) override;
};
