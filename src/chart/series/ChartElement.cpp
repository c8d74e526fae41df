#include "chart/series/ChartElement.h"

#include <algorithm>

TCustomChartElement::TCustomChartElement()
    : fBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      fPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); }))
{
}

void TCustomChartElement::SetActive(bool Value)
{
    if (StoreChanged(fActive, Value))
        Repaint();
}

void TCustomChartElement::SetParentChart(ISeriesHost* Value)
{
    fParent = Value;
}

void TCustomChartElement::Repaint()
{
    if (fParent)
        fParent->Invalidate();
}

void TCustomChartSeries::SetActive(bool Value)
{
    if (fActive == Value)
        return;
    TCustomChartElement::SetActive(Value);
    Broadcast(seChangeActive);
}

void TCustomChartSeries::SetShowInLegend(bool Value)
{
    if (StoreChanged(fShowInLegend, Value))
        Repaint();
}

void TCustomChartSeries::SetTitle(const std::string& Value)
{
    if (fTitle == Value)
        return;
    fTitle = Value;
    Broadcast(seChangeTitle);
    Repaint();
}

void TCustomChartSeries::CalcHorizMargins(int32_t& Left, int32_t& Right)
{
    Left = Right = 0;
}

void TCustomChartSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom)
{
    Top = Bottom = 0;
}

void TCustomChartSeries::Broadcast(TChartSeriesEvent Event)
{
    if (fParent)
        fParent->BroadcastSeriesEvent(this, Event);
}

const std::string& TLabelsList::Label(int32_t Index) const
{
    static const std::string Empty;
    return Index >= 0 && Index < Count() ? fItems[Index] : Empty;
}

bool TLabelsList::AnyNonEmpty(int32_t Limit) const
{
    const int32_t Last = std::min(Count(), Limit);
    for (int32_t I = 0; I < Last; ++I)
        if (!fItems[I].empty())
            return true;
    return false;
}

void TLabelsList::SetLabel(int32_t Index, const std::string& Value, int32_t APointCount)
{
    if (Index < 0 || Index >= APointCount || (fItems.empty() && Value.empty()))
        return;
    if (Count() < APointCount)
        fItems.resize(APointCount);
    fItems[Index] = Value;
}

void TLabelsList::Insert(int32_t Index, const std::string& Value, int32_t APointCount)
{
    if (Index < 0 || Index > APointCount || (fItems.empty() && Value.empty()))
        return;
    if (Count() < APointCount)
        fItems.resize(APointCount);
    fItems.insert(fItems.begin() + Index, Value);
}

void TLabelsList::InsertAtPositions(const std::vector<int32_t>& Positions,
                                    const std::vector<std::string>& Values, int32_t APointCount)
{
    const bool AnyLabel =
        std::any_of(Values.begin(), Values.end(), [](const auto& S) { return !S.empty(); });
    if (fItems.empty() && !AnyLabel)
        return;
    fItems.resize(APointCount);
    std::vector<std::string> Merged;
    Merged.reserve(APointCount + Positions.size());
    size_t Old = 0;
    for (size_t K = 0; K < Positions.size(); ++K) {
        while (Merged.size() < static_cast<size_t>(Positions[K]))
            Merged.push_back(std::move(fItems[Old++]));
        Merged.push_back(K < Values.size() ? Values[K] : std::string());
    }
    while (Old < fItems.size())
        Merged.push_back(std::move(fItems[Old++]));
    fItems = std::move(Merged);
}

void TLabelsList::Delete(int32_t Index)
{
    if (Index >= 0 && Index < Count())
        fItems.erase(fItems.begin() + Index);
}

void TLabelsList::Delete(int32_t Start, int32_t Quantity)
{
    if (Start < 0 || Start >= Count() || Quantity <= 0)
        return;
    Quantity = std::min(Quantity, Count() - Start);
    fItems.erase(fItems.begin() + Start, fItems.begin() + Start + Quantity);
}

void TLabelsList::Swap(int32_t A, int32_t B)
{
    if (A >= 0 && B >= 0 && A < Count() && B < Count())
        std::swap(fItems[A], fItems[B]);
}
