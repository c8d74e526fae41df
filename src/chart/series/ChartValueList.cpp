#include "chart/series/ChartValueList.h"

#include "chart/core/PlotProcs.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

bool NotBelow(double A, double B)
{
    return A >= B;
}

void CheckIndex(int32_t Index, int32_t Count)
{
    if (Index < 0 || Index >= Count)
        throw std::out_of_range("value list index " + std::to_string(Index) + " out of range");
}

} // namespace

TChartValueList::TChartValueList(TChartValueListOwner* AOwner, const std::string& AName)
    : fName(AName), fOwner(AOwner)
{
    if (fOwner)
        fOwner->ValuesList().Add(this);
    ClearValues();
}

TChartValueList::~TChartValueList() = default;

void TChartValueList::Assign(const TChartValueList& Source)
{
    fOrder = Source.fOrder;
    fDateTime = Source.fDateTime;
    fValueSource = Source.fValueSource;
}

void TChartValueList::GrowFor(int32_t ANeeded)
{
    auto Length = fValue.size();
    while (Length < static_cast<size_t>(ANeeded))
        Length += PlotDefaultCapacity;
    if (Length != fValue.size())
        fValue.resize(Length);
}

int32_t TChartValueList::InsertIndex(double AValue) const
{
    const int32_t N = fCount;
    if (fOrder == loNone || N == 0)
        return N;
    const bool Ascending = fOrder == loAscending;
    if (Ascending ? AValue >= fValue[N - 1] : AValue <= fValue[N - 1])
        return N;
    if (Ascending && fSortedAscending)
        return static_cast<int32_t>(std::upper_bound(fValue.begin(), fValue.begin() + N, AValue) -
                                    fValue.begin());
    int32_t I = N - 1;
    while (I >= 0 && (Ascending ? fValue[I] > AValue : fValue[I] < AValue))
        --I;
    return I + 1;
}

int32_t TChartValueList::AddChartValue()
{
    const int32_t Index = InsertIndex(fTempValue);
    InsertChartValue(Index, fTempValue);
    return Index;
}

int32_t TChartValueList::AddChartValue(double AValue)
{
    fTempValue = AValue;
    return AddChartValue();
}

void TChartValueList::ClearValues()
{
    fCount = 0;
    std::vector<double>().swap(fValue);
    fModified = true;
    fSortedAscending = true;
}

void TChartValueList::InsertChartValue(int32_t ValueIndex, double AValue)
{
    if (ValueIndex < 0 || ValueIndex > fCount)
        throw std::out_of_range("value list insert at " + std::to_string(ValueIndex) +
                                " outside 0.." + std::to_string(fCount));
    GrowFor(fCount + 1);
    if (fSortedAscending)
        fSortedAscending = !std::isnan(AValue) &&
                           (ValueIndex == 0 || NotBelow(AValue, fValue[ValueIndex - 1])) &&
                           (ValueIndex == fCount || NotBelow(fValue[ValueIndex], AValue));
    std::copy_backward(fValue.begin() + ValueIndex, fValue.begin() + fCount,
                       fValue.begin() + fCount + 1);
    fValue[ValueIndex] = AValue;
    ++fCount;
    fModified = true;
}

void TChartValueList::Delete(int32_t ValueIndex)
{
    if (ValueIndex < 0 || ValueIndex >= fCount)
        return;
    std::copy(fValue.begin() + ValueIndex + 1, fValue.begin() + fCount,
              fValue.begin() + ValueIndex);
    --fCount;
    fModified = true;
}

void TChartValueList::Delete(int32_t Start, int32_t Quantity)
{
    if (Start < 0 || Start >= fCount || Quantity <= 0)
        return;
    Quantity = std::min(Quantity, fCount - Start);
    std::copy(fValue.begin() + Start + Quantity, fValue.begin() + fCount, fValue.begin() + Start);
    fCount -= Quantity;
    fModified = true;
}

void TChartValueList::SetValue(int32_t Index, double AValue)
{
    CheckIndex(Index, fCount);
    fValue[Index] = AValue;
    if (fSortedAscending)
        fSortedAscending = !std::isnan(AValue) &&
                           (Index == 0 || NotBelow(AValue, fValue[Index - 1])) &&
                           (Index == fCount - 1 || NotBelow(fValue[Index + 1], AValue));
    fModified = true;
    if (fOwner)
        fOwner->NotifyValue(veModify, Index);
}

void TChartValueList::SetCount(int32_t ACount)
{
    ACount = std::max(ACount, 0);
    if (ACount > fCount) {
        GrowFor(ACount);
        std::fill(fValue.begin() + fCount, fValue.begin() + ACount, 0.0);
        if (fCount > 0 && !(fValue[fCount - 1] <= 0.0))
            fSortedAscending = false;
    }
    fCount = ACount;
    fModified = true;
}

void TChartValueList::Swap(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1, fCount);
    CheckIndex(Index2, fCount);
    std::swap(fValue[Index1], fValue[Index2]);
    if (Index1 != Index2)
        fSortedAscending = false;
    fModified = true;
}

void TChartValueList::Exchange(int32_t Index1, int32_t Index2)
{
    Swap(Index1, Index2);
    if (fOwner)
        fOwner->NotifyValue(veModify, Index1);
}

void TChartValueList::FillSequence()
{
    for (int32_t I = 0; I < fCount; ++I)
        fValue[I] = I;
    fSortedAscending = true;
    fModified = true;
    if (fOwner)
        fOwner->NotifyValue(veModify, -1);
}

void TChartValueList::Scroll()
{
    if (fCount <= 1)
        return;
    std::rotate(fValue.begin(), fValue.begin() + 1, fValue.begin() + fCount);
    fSortedAscending = false;
}

int32_t TChartValueList::CompareValueIndex(int32_t A, int32_t B) const
{
    int32_t Result = 0;
    if (fValue[A] < fValue[B])
        Result = -1;
    else if (fValue[A] > fValue[B])
        Result = 1;
    return fOrder == loDescending ? -Result : Result;
}

void TChartValueList::Sort()
{
    if (fOrder == loNone)
        return;
    auto Compare = [this](int32_t A, int32_t B) { return CompareValueIndex(A, B); };
    auto SwapPoints = [this](int32_t A, int32_t B) {
        if (fOwner)
            fOwner->SwapValueIndex(A, B);
        else
            Swap(A, B);
    };
    PlotSort(0, fCount - 1, Compare, SwapPoints);
    const auto End = fValue.begin() + fCount;
    fSortedAscending = std::none_of(fValue.begin(), End, [](double V) { return std::isnan(V); }) &&
                       std::is_sorted(fValue.begin(), End);
}

void TChartValueList::RecalcStats()
{
    // Values that are not finite numbers belong to null points: they count
    // in no extreme and no total.
    fMinValue = fMaxValue = fTotal = fTotalABS = 0;
    fAllFinite = true;
    bool any = false;
    for (int32_t I = 0; I < fCount; ++I) {
        const double V = fValue[I];
        if (!std::isfinite(V)) {
            fAllFinite = false;
            continue;
        }
        fMinValue = any ? std::min(fMinValue, V) : V;
        fMaxValue = any ? std::max(fMaxValue, V) : V;
        any = true;
        fTotal += V;
        fTotalABS += std::fabs(V);
    }
    fModified = false;
}

void TChartValueList::CheckStats()
{
    if (fModified)
        RecalcStats();
}

bool TChartValueList::AllFinite()
{
    CheckStats();
    return fAllFinite;
}

double TChartValueList::MaxValue()
{
    CheckStats();
    return fMaxValue;
}

double TChartValueList::MinValue()
{
    CheckStats();
    return fMinValue;
}

double TChartValueList::Total()
{
    CheckStats();
    return fTotal;
}

double TChartValueList::TotalABS()
{
    CheckStats();
    return fTotalABS;
}

void TChartValueList::SetDateTime(bool ADateTime)
{
    if (fDateTime == ADateTime)
        return;
    fDateTime = ADateTime;
    if (fOwner)
        fOwner->Repaint();
}

void TChartValueList::SetValueSource(const std::string& AValueSource)
{
    if (fValueSource == AValueSource)
        return;
    fValueSource = AValueSource;
    if (fOwner)
        fOwner->CheckDatasource();
}

void TChartValueList::CalcRangeIndex(double AMin, double AMax, bool KeepNextPoint, int32_t& AFirst,
                                     int32_t& ALast) const
{
    AFirst = ALast = -1;
    const int32_t N = fCount;
    if (N == 0)
        return;
    const double* V = fValue.data();
    int32_t First = 0;
    if (V[0] <= AMin) {
        if (fSortedAscending)
            First = static_cast<int32_t>(std::lower_bound(V, V + N, AMin) - V);
        else
            while (First < N && V[First] < AMin)
                ++First;
        if (First >= N)
            return;
    }
    AFirst = First;
    if (V[N - 1] <= AMax) {
        ALast = N - 1;
        return;
    }
    int32_t Last = First;
    if (fSortedAscending)
        Last = std::min(static_cast<int32_t>(std::lower_bound(V + First, V + N, AMax) - V), N - 1);
    else
        while (V[Last] < AMax && Last < N - 1)
            ++Last;
    if (!KeepNextPoint && Last >= 1 && V[Last] > AMax) {
        if (fSortedAscending)
            Last = std::max(static_cast<int32_t>(std::upper_bound(V, V + Last, AMax) - V) - 1, 0);
        else
            while (Last >= 1 && V[Last] > AMax)
                --Last;
    }
    ALast = Last;
}

std::vector<int32_t> TChartValueList::MergePositions(const std::vector<double>& SortedValues) const
{
    std::vector<int32_t> Positions(SortedValues.size());
    const double* V = fValue.data();
    const double* Lower = V;
    for (size_t K = 0; K < SortedValues.size(); ++K) {
        Lower = std::upper_bound(Lower, V + fCount, SortedValues[K]);
        Positions[K] = static_cast<int32_t>(Lower - V) + static_cast<int32_t>(K);
    }
    return Positions;
}

void TChartValueList::InsertAtPositions(const std::vector<int32_t>& Positions,
                                        const std::vector<double>& Values)
{
    const auto M = static_cast<int32_t>(Positions.size());
    if (M == 0)
        return;
    if (Values.size() != Positions.size())
        throw std::invalid_argument("value list merge: positions and values differ in length");
    for (int32_t K = 0; K < M; ++K)
        if (Positions[K] - K < 0 || Positions[K] - K > fCount ||
            (K > 0 && Positions[K] <= Positions[K - 1]))
            throw std::out_of_range("value list merge: bad position " +
                                    std::to_string(Positions[K]));
    GrowFor(fCount + M);
    auto Base = fValue.begin();
    int32_t SourceEnd = fCount;
    for (int32_t K = M - 1; K >= 0; --K) {
        const int32_t Target = Positions[K];
        const int32_t SourceBegin = Target - K;
        std::copy_backward(Base + SourceBegin, Base + SourceEnd, Base + SourceEnd + K + 1);
        fValue[Target] = Values[K];
        SourceEnd = SourceBegin;
    }
    fCount += M;
    const auto End = Base + fCount;
    fSortedAscending = fSortedAscending && std::is_sorted(Base, End) &&
                       std::none_of(Base, End, [](double X) { return std::isnan(X); });
    fModified = true;
}
