#include "chart/series/ChartSeries.h"

#include "chart/core/PlotConst.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

template <typename T> void Remove(std::vector<T*>& List, T* Item)
{
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

} // namespace

TChartSeries::TChartSeries()
{
    fX = new TChartValueList(this, PlotConst::PlotMsg_ValuesX);
    fX->SetOrder(loAscending);
    fY = new TChartValueList(this, PlotConst::PlotMsg_ValuesY);
    fMandatory = fY;
    fNotMandatory = fX;
    fMarks = std::make_unique<TSeriesMarks>(this);
}

TChartSeries::~TChartSeries()
{
    UnlinkAll();
    if (fParent && !fParent->Destroying())
        fParent->RemoveSeries(this);
}

void TChartSeries::UnlinkAll()
{
    for (auto* Source : fDataSources)
        Remove(Source->fLinkedSeries, this);
    for (auto* Linked : fLinkedSeries)
        Remove(Linked->fDataSources, this);
    fDataSources.clear();
    fLinkedSeries.clear();
}

void TChartSeries::SetHorizontal()
{
    fYMandatory = false;
    fMandatory = fX;
    fNotMandatory = fY;
    fX->SetOrder(loNone);
    fY->SetOrder(loAscending);
}

TChartValueList* TChartSeries::GetYValueList(const std::string& AListName) const
{
    auto SameText = [](const std::string& A, const std::string& B) {
        return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char C, char D) {
            return std::tolower(static_cast<unsigned char>(C)) ==
                   std::tolower(static_cast<unsigned char>(D));
        });
    };
    for (int32_t I = 2; I < fValuesList.Count(); ++I)
        if (SameText(fValuesList[I]->Name(), AListName))
            return fValuesList[I];
    return fMandatory;
}

int32_t TChartSeries::AddXY(double AXValue, double AYValue, const std::string& ALabel,
                            TColor AColor)
{
    fX->SetTempValue(AXValue);
    fY->SetTempValue(AYValue);
    if (OnBeforeAdd) {
        // The handler may veto the point, or free the series.
        TPlotLifetime::TWatch Watch(fLifetime);
        if (!OnBeforeAdd(this) || Watch.Gone())
            return -1;
    }
    const int32_t Index = fX->AddChartValue();
    for (int32_t L = 1; L < fValuesList.Count(); ++L)
        fValuesList[L]->InsertChartValue(Index, fValuesList[L]->TempValue());
    InsertColor(Index, AColor);
    InsertLabel(Index, ALabel);
    if (fUpdating == 0)
        NotifyNewValue(this, Index);
    return Index;
}

int32_t TChartSeries::Add(double AValue, const std::string& ALabel, TColor AColor)
{
    if (fYMandatory)
        return AddXY(fX->Count(), AValue, ALabel, AColor);
    return AddXY(AValue, fY->Count(), ALabel, AColor);
}

int32_t TChartSeries::AddNull(const std::string& ALabel)
{
    return Add(fDefaultNull, ALabel, clNone);
}

int32_t TChartSeries::AddNullXY(double X, double Y, const std::string& ALabel)
{
    return AddXY(X, Y, ALabel, clNone);
}

void TChartSeries::InsertColor(int32_t Index, TColor AColor)
{
    if (!fColors) {
        if (AColor == clPlotColor)
            return;
        fColors = std::make_unique<std::vector<TColor>>(Count() - 1, clPlotColor);
    }
    fColors->insert(fColors->begin() + Index, AColor);
}

void TChartSeries::InsertLabel(int32_t Index, const std::string& ALabel)
{
    fLabels.Insert(Index, ALabel, Count() - 1);
}

bool TChartSeries::CanMergePoints(const TChartPointsBatch& Points) const
{
    if (fUpdating == 0 || OnBeforeAdd || fX->Order() != loAscending || !fX->SortedAscending())
        return false;
    const auto& X = Points.Values[0];
    return std::none_of(X.begin(), X.end(), [](double V) { return std::isnan(V); });
}

void TChartSeries::AddPoints(const TChartPointsBatch& Points)
{
    if (Points.Values.size() < 2)
        throw std::invalid_argument("AddPoints needs X and Y values");
    const size_t N = Points.Values[0].size();
    for (const auto& Column : Points.Values)
        if (Column.size() != N)
            throw std::invalid_argument("AddPoints: value columns differ in length");
    if ((!Points.Colors.empty() && Points.Colors.size() != N) ||
        (!Points.Labels.empty() && Points.Labels.size() != N))
        throw std::invalid_argument("AddPoints: colours or labels differ in length");
    if (CanMergePoints(Points)) {
        MergePoints(Points);
        return;
    }
    const auto Lists = std::min<size_t>(Points.Values.size(), fValuesList.Count());
    TPlotLifetime::TWatch Watch(fLifetime);
    for (size_t K = 0; K < N && !Watch.Gone(); ++K) {
        for (size_t L = 2; L < Lists; ++L)
            fValuesList[L]->SetTempValue(Points.Values[L][K]);
        AddXY(Points.Values[0][K], Points.Values[1][K],
              Points.Labels.empty() ? std::string() : Points.Labels[K],
              Points.Colors.empty() ? clPlotColor : Points.Colors[K]);
    }
}

void TChartSeries::MergePoints(const TChartPointsBatch& Points)
{
    const auto& X = Points.Values[0];
    const size_t N = X.size();
    if (N == 0)
        return;
    std::vector<size_t> Order(N);
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&X](size_t A, size_t B) { return X[A] < X[B]; });
    auto Column = [&Order, N](const std::vector<double>& Source) {
        std::vector<double> Sorted(N);
        for (size_t K = 0; K < N; ++K)
            Sorted[K] = Source[Order[K]];
        return Sorted;
    };
    const int32_t OldCount = Count();
    const auto Positions = fX->MergePositions(Column(X));
    for (int32_t L = 0; L < fValuesList.Count(); ++L) {
        auto* List = fValuesList[L];
        const bool Given = static_cast<size_t>(L) < Points.Values.size();
        List->InsertAtPositions(Positions, Given ? Column(Points.Values[L])
                                                 : std::vector<double>(N, List->TempValue()));
        if (Given)
            List->SetTempValue(Points.Values[L][N - 1]);
    }
    const bool AnyColor = std::any_of(Points.Colors.begin(), Points.Colors.end(),
                                      [](TColor C) { return C != clPlotColor; });
    if (fColors || AnyColor) {
        if (!fColors)
            fColors = std::make_unique<std::vector<TColor>>(OldCount, clPlotColor);
        std::vector<TColor> Merged;
        Merged.reserve(OldCount + N);
        size_t Old = 0;
        for (size_t K = 0; K < N; ++K) {
            while (Merged.size() < static_cast<size_t>(Positions[K]))
                Merged.push_back((*fColors)[Old++]);
            Merged.push_back(Points.Colors.empty() ? clPlotColor : Points.Colors[Order[K]]);
        }
        Merged.insert(Merged.end(), fColors->begin() + Old, fColors->end());
        *fColors = std::move(Merged);
    }
    std::vector<std::string> Labels;
    if (!Points.Labels.empty())
        for (size_t K = 0; K < N; ++K)
            Labels.push_back(Points.Labels[Order[K]]);
    fLabels.InsertAtPositions(Positions, Labels, OldCount);
}

void TChartSeries::Delete(int32_t ValueIndex)
{
    if (ValueIndex < 0 || ValueIndex >= Count())
        throw ChartException(Format(PlotConst::PlotMsg_SeriesDelete, ValueIndex, Count() - 1));
    for (auto& List : fValuesList)
        List->Delete(ValueIndex);
    if (fColors && ValueIndex < static_cast<int32_t>(fColors->size()))
        fColors->erase(fColors->begin() + ValueIndex);
    fLabels.Delete(ValueIndex);
    fMarks->Delete(ValueIndex);
    NotifyValue(veDelete, ValueIndex);
    if (fActive)
        Repaint();
}

void TChartSeries::Delete(int32_t Start, int32_t Quantity, bool RemoveGap)
{
    if (Start < 0 || Start >= Count() || Quantity <= 0)
        return;
    Quantity = std::min(Quantity, Count() - Start);
    for (auto& List : fValuesList)
        List->Delete(Start, Quantity);
    if (fColors) {
        const auto Size = static_cast<int32_t>(fColors->size());
        if (Start < Size)
            fColors->erase(fColors->begin() + Start,
                           fColors->begin() + std::min(Start + Quantity, Size));
        if (fColors->empty())
            fColors.reset();
    }
    fLabels.Delete(Start, Quantity);
    fMarks->Delete(Start, Quantity);
    NotifyValue(veDelete, -1);
    if (fActive)
        Repaint();
    if (RemoveGap)
        fX->FillSequence();
}

void TChartSeries::ClearLists()
{
    for (auto& List : fValuesList)
        List->ClearValues();
    fColors.reset();
    fLabels.Clear();
    fMarks->Clear();
}

void TChartSeries::Clear()
{
    fFirstVisibleIndex = fLastVisibleIndex = -1;
    ClearLists();
    if (OnClearValues) {
        TPlotLifetime::TWatch Watch(fLifetime);
        OnClearValues(this);
        if (Watch.Gone())
            return;
    }
    NotifyValue(veClear, 0);
    if (fFunction)
        fFunction->Clear();
    if (fActive && fParent && !fParent->Destroying())
        Repaint();
}

void TChartSeries::EndUpdate()
{
    if (fUpdating > 0 && --fUpdating == 0)
        RefreshSeries();
}

void TChartSeries::RefreshSeries()
{
    // A linked series' handler may free this one while it refills.
    TPlotLifetime::TWatch Watch(fLifetime);
    NotifyValue(veRefresh, 0);
    if (!Watch.Gone())
        Broadcast(seDataChanged);
}

void TChartSeries::SwapValueIndex(int32_t A, int32_t B)
{
    for (auto& List : fValuesList)
        List->Swap(A, B);
    if (fColors)
        std::swap((*fColors)[A], (*fColors)[B]);
    fLabels.Swap(A, B);
}

void TChartSeries::CheckOrder()
{
    if (fMandatory->Order() != loNone) {
        fMandatory->Sort();
        if (fNotMandatory->ValueSource().empty())
            fNotMandatory->FillSequence();
    }
    Repaint();
}

bool TChartSeries::HasFiniteValues(int32_t ValueIndex) const
{
    // Lists known to hold only finite numbers are not looked into.
    for (const auto& List : fValuesList)
        if (!List->AllFinite() && ValueIndex >= 0 && ValueIndex < List->Count() &&
            !std::isfinite((*List)[ValueIndex]))
            return false;
    return true;
}

TColor TChartSeries::ValueColor(int32_t ValueIndex) const
{
    if (fColors && ValueIndex >= 0 && ValueIndex < static_cast<int32_t>(fColors->size()))
        return (*fColors)[ValueIndex];
    return clPlotColor;
}

void TChartSeries::SetValueColor(int32_t ValueIndex, TColor AColor)
{
    if (ValueIndex < 0 || ValueIndex >= Count())
        return;
    if (!fColors)
        fColors = std::make_unique<std::vector<TColor>>(Count(), clPlotColor);
    (*fColors)[ValueIndex] = AColor;
    Repaint();
}

void TChartSeries::SetLabel(int32_t ValueIndex, const std::string& Value)
{
    fLabels.SetLabel(ValueIndex, Value, Count());
    Repaint();
}

void TChartSeries::SetValueFormat(const std::string& Value)
{
    if (StoreChanged(fValueFormat, Value))
        Repaint();
}

void TChartSeries::SetPercentFormat(const std::string& Value)
{
    if (StoreChanged(fPercentFormat, Value))
        Repaint();
}

void TChartSeries::SetDepth(int32_t Value)
{
    if (StoreChanged(fDepth, Value))
        Repaint();
}

// The content tests look at a bounded head of the points only.
bool TChartSeries::HasNoMandatoryValues() const
{
    const TChartValueList& L = *fNotMandatory;
    const int32_t N = Count();
    if (!IUseNotMandatory || N == 0)
        return false;
    if (L.First() != 0 || L.Last() != N - 1)
        return true;
    for (int32_t I = 0, Last = std::min(N, 10001); I < Last; ++I)
        if (L[I] != I)
            return true;
    return false;
}

bool TChartSeries::HasColors() const
{
    const TColor Own = SeriesColor();
    for (int32_t I = 0, Last = std::min(Count(), 10001); I < Last; ++I) {
        const TColor C = ValueColor(I);
        if (C != clPlotColor && C != Own)
            return true;
    }
    return false;
}

bool TChartSeries::HasLabels() const
{
    return fLabels.AnyNonEmpty(101);
}

TPlotFormatFlags SeriesGuessContents(const TChartSeries& ASeries)
{
    TPlotFormatFlags Result = 0;
    if (ASeries.HasNoMandatoryValues())
        Result |= tfNoMandatory;
    if (ASeries.HasColors())
        Result |= tfColor;
    if (ASeries.HasLabels())
        Result |= tfLabel;
    if (ASeries.Marks().ExistCustom())
        Result |= tfMarkPosition;
    return Result;
}
