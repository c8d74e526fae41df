#include "chart/series/FinancialFunctions.h"

#include "chart/core/PlotLifetime.h"
#include "chart/core/PlotProCo.h"

#include <algorithm>

namespace {

std::span<const double> Values(const TChartValueList& List)
{
    return {List.Data(), size_t(List.Count())};
}

} // namespace

void TRSIFunction::SetStyle(TRSIStyle Value)
{
    if (fStyle == Value)
        return;
    fStyle = Value;
    ReCalculate();
}

double TRSIFunction::Calculate(TChartSeries* Series, int32_t FirstIndex, int32_t LastIndex)
{
    if (!Series || Series->Count() == 0)
        return 0;
    if (FirstIndex < 0) {
        FirstIndex = 0;
        LastIndex = Series->Count() - 1;
    }
    LastIndex = std::min(LastIndex, Series->Count() - 1);
    if (FirstIndex > LastIndex)
        return 0;
    const TChartValueList& Open = *Series->GetYValueList(PlotProCo::PlotMsg_ValuesOpen);
    const TChartValueList& Close = *Series->GetYValueList(PlotProCo::PlotMsg_ValuesClose);
    return RelativeStrength(fStyle, Values(Open), Values(Close), FirstIndex, LastIndex);
}

TADXFunction::TADXFunction()
    : IDMDown(std::make_unique<TFastLineSeries>()), IDMUp(std::make_unique<TFastLineSeries>())
{
    SetPeriod(14);
    SingleSource = true;
    HideSourceList = true;
    IDMDown->SetSeriesColor(clRed);
    IDMUp->SetSeriesColor(clGreen);
    IDMDown->SetShowInLegend(false);
    IDMUp->SetShowInLegend(false);
}

void TADXFunction::Clear()
{
    IDMUp->Clear();
    IDMDown->Clear();
}

void TADXFunction::FollowParent(TFastLineSeries& Line) const
{
    const TChartSeries& Parent = *ParentSeries();
    Line.SetParentChart(Parent.ParentChart());
    Line.SetVertAxis(Parent.VertAxis());
    Line.SetCustomVertAxis(Parent.CustomVertAxis());
    Line.XValues().SetDateTime(Parent.XValues().DateTime());
    Line.BeforeDrawValues = Parent.BeforeDrawValues;
    Line.AfterDrawValues = Parent.AfterDrawValues;
}

void TADXFunction::AddPoints(TChartSeries* Source)
{
    TChartSeries* Parent = ParentSeries();
    if (Updating() || !Source || !Parent || !(Period() >= 2))
        return;
    // Clearing the parent clears the lines. A clear handler that frees the
    // parent frees this function with it; one may free the source too.
    TPlotLifetime::TWatch Watch(Parent->Lifetime()), SourceWatch(Source->Lifetime());
    Parent->Clear();
    if (Watch.Gone() || SourceWatch.Gone())
        return;
    FollowParent(*IDMUp);
    FollowParent(*IDMDown);
    const TDirectionalIndex R =
        DirectionalIndex(Values(*Source->GetYValueList(PlotProCo::PlotMsg_ValuesHigh)),
                         Values(*Source->GetYValueList(PlotProCo::PlotMsg_ValuesLow)),
                         Values(*Source->GetYValueList(PlotProCo::PlotMsg_ValuesClose)), Period());
    const TChartValueList& X = *Source->NotMandatoryValueList();
    // One refresh for each line, not a live segment per point.
    IDMUp->BeginUpdate();
    IDMDown->BeginUpdate();
    for (size_t K = 0; K < R.Up.size(); ++K) {
        IDMUp->AddXY(X[R.LinesFirst + int32_t(K)], R.Up[K]);
        IDMDown->AddXY(X[R.LinesFirst + int32_t(K)], R.Down[K]);
    }
    IDMUp->EndUpdate();
    IDMDown->EndUpdate();
    for (size_t K = 0; K < R.ADX.size(); ++K)
        if (!AddFunctionXY(*Source, X[R.ADXFirst + int32_t(K)], R.ADX[K]))
            return;
}
