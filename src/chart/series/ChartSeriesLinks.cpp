#include "chart/series/ChartSeries.h"

#include <algorithm>
#include <unordered_set>

// Series fed from other series: notification, refill and single-point
// updates of the linked series.

void TChartSeries::NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex)
{
    // A handler, this series' own or a linked one's, that frees the series
    // ends the notification.
    TPlotLifetime::TWatch Watch(fLifetime);
    if (OnAfterAdd) {
        OnAfterAdd(Sender, ValueIndex);
        if (Watch.Gone())
            return;
    }
    NotifyValue(veAdd, ValueIndex);
    if (!Watch.Gone() && fActive)
        Repaint();
}

void TChartSeries::NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex)
{
    if (fUpdating != 0 || fLinkedSeries.empty())
        return;
    // A linked series may unlink or free itself while it is told, or free
    // this one: walk a copy, and only the series still linked.
    TPlotLifetime::TWatch Watch(fLifetime);
    const auto Linked = fLinkedSeries;
    for (auto* Series : Linked) {
        if (Watch.Gone())
            return;
        if (std::find(fLinkedSeries.begin(), fLinkedSeries.end(), Series) == fLinkedSeries.end())
            continue;
        const uint8_t Options = Series->fRecalcOptions;
        // A computed series does not follow single points: refilling it for
        // each would cost the whole source every time. It is refilled on a
        // refresh (once per update bracket) and on a change of values.
        const bool Computed = Series->fFunction != nullptr;
        switch (ValueEvent) {
        case veClear:
            if (Options & rOnClear)
                Series->Clear();
            break;
        case veAdd:
            if ((Options & rOnInsert) && !Computed)
                Series->AddedValue(this, ValueIndex);
            break;
        case veDelete:
            if ((Options & rOnDelete) && !Computed)
                Series->DeletedValue(this, ValueIndex);
            break;
        case veRefresh:
            Series->AddValues(this);
            break;
        case veModify:
            if (Options & rOnModify)
                Series->AddValues(this);
            break;
        }
    }
}

void TChartSeries::AddValues(TChartSeries* Source)
{
    // A clear or add handler may free the series, or the source: what is
    // gone is read no more.
    TPlotLifetime::TWatch Watch(fLifetime), SourceWatch(Source->fLifetime);
    BeginUpdate();
    Clear();
    if (Watch.Gone())
        return;
    const bool Fill = !SourceWatch.Gone();
    if (Fill && fFunction) {
        fFunction->AddPoints(Source);
        if (Watch.Gone())
            return;
    } else if (Fill && IsValidSourceOf(Source))
        for (int32_t I = 0; I < Source->Count(); ++I)
            AddedValue(Source, I);
    EndUpdate();
}

int32_t TChartSeries::AddChartValue(TChartSeries* Source, int32_t ValueIndex)
{
    const int32_t Lists = std::min(fValuesList.Count(), Source->fValuesList.Count());
    for (int32_t L = 0; L < Lists; ++L)
        fValuesList[L]->SetTempValue((*Source->fValuesList[L])[ValueIndex]);
    const int32_t Index = fX->AddChartValue();
    for (int32_t L = 1; L < fValuesList.Count(); ++L)
        fValuesList[L]->InsertChartValue(Index, fValuesList[L]->TempValue());
    InsertColor(Index, Source->ValueColor(ValueIndex));
    InsertLabel(Index, Source->fLabels.Label(ValueIndex));
    return Index;
}

void TChartSeries::AddedValue(TChartSeries* Source, int32_t ValueIndex)
{
    if (ValueIndex < 0 || ValueIndex >= Source->Count())
        return;
    const int32_t Index = AddChartValue(Source, ValueIndex);
    if (fUpdating == 0)
        NotifyNewValue(this, Index);
}

void TChartSeries::DeletedValue(TChartSeries* Source, int32_t ValueIndex)
{
    // -1 stands for a range: the points no longer match one by one.
    if (ValueIndex < 0 || ValueIndex >= Count())
        AddValues(Source);
    else
        Delete(ValueIndex);
}

bool TChartSeries::FedFrom(const TChartSeries* Other) const
{
    std::vector<const TChartSeries*> Pending{this};
    std::unordered_set<const TChartSeries*> Seen{this};
    while (!Pending.empty()) {
        const TChartSeries* S = Pending.back();
        Pending.pop_back();
        for (const TChartSeries* Source : S->fDataSources) {
            if (Source == Other)
                return true;
            if (Seen.insert(Source).second)
                Pending.push_back(Source);
        }
    }
    return false;
}

void TChartSeries::AddDataSource(TChartSeries* Source)
{
    if (!Source ||
        std::find(fDataSources.begin(), fDataSources.end(), Source) != fDataSources.end())
        return;
    // Series feeding each other would refill one another without end.
    if (Source == this || Source->FedFrom(this))
        throw ChartException(PlotConst::PlotMsg_CircularSeries);
    fDataSources.push_back(Source);
    Source->fLinkedSeries.push_back(this);
    AddValues(Source);
}

void TChartSeries::RemoveDataSource(TChartSeries* Source)
{
    auto It = std::find(fDataSources.begin(), fDataSources.end(), Source);
    if (It == fDataSources.end())
        return;
    fDataSources.erase(It);
    auto& Linked = Source->fLinkedSeries;
    Linked.erase(std::remove(Linked.begin(), Linked.end(), this), Linked.end());
}

void TChartSeries::SetFunction(std::unique_ptr<TPlotFunction> Value)
{
    fFunction = std::move(Value);
    if (fFunction)
        fFunction->SetParentSeries(this);
    CheckDatasource();
}

void TChartSeries::CheckDatasource()
{
    if (!fDataSources.empty())
        AddValues(fDataSources.front());
    else if (fParent)
        fParent->CheckDatasource(this);
}
