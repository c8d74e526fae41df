#include "chart/series/PlotFunction.h"

#include "chart/core/PlotConst.h"
#include "chart/core/PlotProcs.h"
#include "chart/series/ChartSeries.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>

void TPlotFunction::SetPeriod(double Value)
{
    if (Value < 0)
        throw ChartException(PlotConst::PlotMsg_FunctionPeriod);
    if (fPeriod == Value)
        return;
    fPeriod = Value;
    ReCalculate();
}

void TPlotFunction::SetPeriodStyle(TFunctionPeriodStyle Value)
{
    if (fPeriodStyle == Value)
        return;
    fPeriodStyle = Value;
    ReCalculate();
}

void TPlotFunction::SetPeriodAlign(TFunctionPeriodAlign Value)
{
    if (fPeriodAlign == Value)
        return;
    fPeriodAlign = Value;
    ReCalculate();
}

void TPlotFunction::EndUpdate()
{
    if (!fUpdating)
        return;
    fUpdating = false;
    ReCalculate();
}

void TPlotFunction::ReCalculate()
{
    if (!fUpdating && fParent)
        fParent->CheckDatasource();
}

double TPlotFunction::Calculate(TChartSeries*, int32_t, int32_t)
{
    return 0;
}

double TPlotFunction::CalculateMany(const std::vector<TChartSeries*>&, int32_t)
{
    return 0;
}

void TPlotFunction::AddPoints(TChartSeries* Source)
{
    if (fUpdating || !Source || !fParent)
        return;
    if (fParent->DataSources().size() > 1)
        CalculateFunctionMany();
    else if (Source->Count() > 0)
        DoCalculation(Source, *Source->NotMandatoryValueList());
}

void TPlotFunction::CalculateFunctionMany()
{
    const auto& Sources = fParent->DataSources();
    TChartSeries* Largest =
        *std::max_element(Sources.begin(), Sources.end(),
                          [](TChartSeries* A, TChartSeries* B) { return A->Count() < B->Count(); });
    const TChartValueList& X = *Largest->NotMandatoryValueList();
    for (int32_t I = 0; I < Largest->Count(); ++I)
        if (!AddFunctionXY(*Largest, X[I], CalculateMany(Sources, I)))
            return;
}

void TPlotFunction::DoCalculation(TChartSeries* Source, TChartValueList& NotMandatorySource)
{
    if (fPeriod != 0)
        CalculateByPeriod(Source, NotMandatorySource);
    else
        CalculateAllPoints(Source, NotMandatorySource);
}

void TPlotFunction::CalculateAllPoints(TChartSeries* Source, TChartValueList& NotMandatorySource)
{
    const double Value = Calculate(Source, -1, -1);
    const double Min = NotMandatorySource.MinValue();
    const double Max = NotMandatorySource.MaxValue();
    if (fParent->AllowSinglePoint) {
        AddFunctionXY(*Source, Min + (Max - Min) * 0.5, Value);
        return;
    }
    if (AddFunctionXY(*Source, Min, Value))
        AddFunctionXY(*Source, Max, Value);
}

int32_t TPlotFunction::PeriodPoints(int32_t Count) const
{
    const double Points = std::nearbyint(fPeriod);
    if (!(Points >= 1))
        return 1;
    // Any longer period fits no group either; the bound keeps the index
    // arithmetic of the loops in range.
    if (Points > Count)
        return Count + 1;
    return static_cast<int32_t>(Points);
}

int32_t TPlotFunction::RangeGroupEnd(const TChartValueList& List, int32_t FirstIndex) const
{
    double PosLast = List[FirstIndex];
    if (List.DateTime())
        PlotDateTimeIncrement(true, true, PosLast, fPeriod, FindDateTimeStep(fPeriod));
    else
        PosLast += fPeriod;
    PosLast -= fPeriod * 0.001;
    int32_t Last = FirstIndex;
    while (Last + 1 < List.Count() && List[Last + 1] < PosLast)
        ++Last;
    return Last;
}

void TPlotFunction::CalculateByPeriod(TChartSeries* Source, TChartValueList& NotMandatorySource)
{
    const int32_t Count = Source->Count();
    int32_t First = 0;
    while (First < Count) {
        const int32_t Last = fPeriodStyle == psRange ? RangeGroupEnd(NotMandatorySource, First)
                                                     : First + PeriodPoints(Count) - 1;
        if (Last >= Count ||
            !CalculatePeriod(Source, AlignedX(NotMandatorySource, First, Last), First, Last))
            break;
        First = Last + 1;
    }
}

bool TPlotFunction::CalculatePeriod(TChartSeries* Source, double tmpX, int32_t FirstIndex,
                                    int32_t LastIndex)
{
    return AddFunctionXY(*Source, tmpX, Calculate(Source, FirstIndex, LastIndex));
}

double TPlotFunction::AlignedX(const TChartValueList& List, int32_t FirstIndex,
                               int32_t LastIndex) const
{
    switch (fPeriodAlign) {
    case paFirst:
        return List[FirstIndex];
    case paLast:
        return List[LastIndex];
    default:
        return (List[FirstIndex] + List[LastIndex]) * 0.5;
    }
}

bool TPlotFunction::AddFunctionXY(const TChartSeries& Source, double X, double Y)
{
    TPlotLifetime::TWatch Parent(fParent->Lifetime()), From(Source.Lifetime());
    if (Source.YMandatory())
        fParent->AddXY(X, Y);
    else
        fParent->AddXY(Y, X);
    return !Parent.Gone() && !From.Gone();
}

TPlotMovingFunction::TPlotMovingFunction()
{
    SetPeriod(1);
    SetPeriodAlign(paLast);
    SingleSource = true;
}

void TPlotMovingFunction::DoCalculation(TChartSeries* Source, TChartValueList& NotMandatorySource)
{
    const int32_t P = PeriodPoints(Source->Count());
    for (int32_t I = P - 1; I < Source->Count(); ++I)
        if (!AddFunctionXY(*Source, AlignedX(NotMandatorySource, I - P + 1, I),
                           Calculate(Source, I - P + 1, I)))
            return;
}
