#pragma once

#include "chart/axes/AxisPanelLink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TChartListOrder : uint8_t { loNone, loAscending, loDescending };

enum TValueEvent : uint8_t { veClear, veAdd, veDelete, veRefresh, veModify };

// Storage grows by this many values at a time, never by doubling.
constexpr int32_t PlotDefaultCapacity = 1000;

class TChartValueList;
class TChartValueLists;

// What a value list needs from the series that owns it. The series keeps all
// of its lists the same length; a list reports changes of its values here.
class TChartValueListOwner {
public:
    virtual ~TChartValueListOwner() = default;

    virtual TChartValueLists& ValuesList() = 0;
    virtual void NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex) = 0;
    // Exchanges two points in every parallel list of the owner.
    virtual void SwapValueIndex(int32_t A, int32_t B) = 0;
    virtual void CheckDatasource() = 0;
    virtual void Repaint() = 0;
};

// One named column of doubles of a series. Statistics are cached and
// recomputed on demand. While the values are known to be ascending, ordered
// inserts and range searches use binary search; anything that may break the
// order (a write through Items, Scroll, Exchange, a NaN) falls back to the
// linear walks, which give the same results on sorted data.
class TChartValueList : public IChartValueList {
public:
    TChartValueList(TChartValueListOwner* AOwner, const std::string& AName);
    ~TChartValueList() override;
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    virtual void Assign(const TChartValueList& Source);
    int32_t AddChartValue();
    virtual int32_t AddChartValue(double AValue);
    virtual void ClearValues();
    virtual void InsertChartValue(int32_t ValueIndex, double AValue);
    virtual void Delete(int32_t ValueIndex);
    void Delete(int32_t Start, int32_t Quantity);

    // Unchecked read of a value below Count.
    double operator[](int32_t Index) const { return fValue[Index]; }
    double Items(int32_t Index) const { return fValue[Index]; }
    void SetValue(int32_t Index, double AValue);
    double First() const { return fValue[0]; }
    double Last() const { return fValue[fCount - 1]; }
    const double* Data() const { return fValue.data(); }

    int32_t Count() const { return fCount; }
    void SetCount(int32_t ACount);
    int32_t Capacity() const { return static_cast<int32_t>(fValue.size()); }

    void Exchange(int32_t Index1, int32_t Index2);
    // Exchange without telling the owner (the owner swaps all its lists).
    void Swap(int32_t Index1, int32_t Index2);
    void FillSequence();
    void Scroll();
    void Sort();
    int32_t CompareValueIndex(int32_t A, int32_t B) const;

    double MaxValue();
    double MinValue();
    double Total();
    double TotalABS();
    double Range() { return MaxValue() - MinValue(); }
    void RecalcStats();
    // Every value is a finite number (kept with the statistics).
    bool AllFinite();

    // Index range whose values lie between AMin and AMax, by the walk the
    // series uses for its visible points: First is -1 when every value is
    // below AMin (Last is then -1 too). Values equal to AMax end the range at
    // the first of them; with KeepNextPoint the first value past AMax stays.
    void CalcRangeIndex(double AMin, double AMax, bool KeepNextPoint, int32_t& AFirst,
                        int32_t& ALast) const;
    // True while every value is known to be at least the one before it.
    bool SortedAscending() const { return fSortedAscending; }

    // Merged insertion of values already sorted ascending (equal ones in
    // arrival order): where each lands when added one by one to this
    // ascending list. Requires SortedAscending and Order loAscending.
    std::vector<int32_t> MergePositions(const std::vector<double>& SortedValues) const;
    // Inserts Values[k] at final index Positions[k] (Positions ascending).
    void InsertAtPositions(const std::vector<int32_t>& Positions,
                           const std::vector<double>& Values);

    TChartValueListOwner* Owner() const { return fOwner; }
    const std::string& Name() const { return fName; }
    void SetName(const std::string& AName) { fName = AName; }
    TChartListOrder Order() const { return fOrder; }
    void SetOrder(TChartListOrder AOrder) { fOrder = AOrder; }
    bool DateTime() const override { return fDateTime; }
    void SetDateTime(bool ADateTime);
    const std::string& ValueSource() const { return fValueSource; }
    void SetValueSource(const std::string& AValueSource);
    double TempValue() const { return fTempValue; }
    void SetTempValue(double AValue) { fTempValue = AValue; }
    bool Modified() const { return fModified; }
    void SetModified(bool AModified) { fModified = AModified; }

private:
    void GrowFor(int32_t ANeeded);
    int32_t InsertIndex(double AValue) const;
    void CheckStats();

    int32_t fCount = 0;
    bool fDateTime = false;
    double fMaxValue = 0;
    double fMinValue = 0;
    std::string fName;
    TChartListOrder fOrder = loNone;
    TChartValueListOwner* fOwner;
    double fTempValue = 0;
    double fTotal = 0;
    double fTotalABS = 0;
    std::string fValueSource;
    bool fModified = true;
    bool fSortedAscending = true;
    bool fAllFinite = true;
    std::vector<double> fValue;
};

// The value lists of one series: element 0 is X, element 1 is Y, further
// lists follow in creation order. Owns its lists.
class TChartValueLists {
public:
    int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
    TChartValueList* operator[](int32_t Index) const { return fItems[Index].get(); }
    void Add(TChartValueList* AList) { fItems.emplace_back(AList); }
    void Clear() { fItems.clear(); }
    auto begin() const { return fItems.begin(); }
    auto end() const { return fItems.end(); }

private:
    std::vector<std::unique_ptr<TChartValueList>> fItems;
};
