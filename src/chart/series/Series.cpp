#include "chart/series/Series.h"

#include "chart/axes/ChartAxis.h"
#include "chart/core/PlotConst.h"
#include "chart/series/ChartRegistry.h"
#include "chart/series/FastLineSeries.h"

#include <algorithm>
#include <cmath>

// The settings of point series, their ranges, margins and visible range.

void TCustomLineSeries::SetTreatNulls(TTreatNullsStyle Value)
{
    SetAndRepaint(fTreatNulls, Value);
}

TCustomSeries::TCustomSeries()
    : fAreaBrush([this](TGraphicsObject*) { Repaint(); }),
      fAreaLinesPen([this](TGraphicsObject*) { Repaint(); }),
      fOutLine([this](TGraphicsObject*) { Repaint(); }),
      fPointer(std::make_unique<TSeriesPointer>(nullptr, this)),
      fShadow([this](TGraphicsObject*) { Repaint(); }),
      fGradient([this](TGraphicsObject*) { Repaint(); })
{
}

void TCustomSeries::Added(ISeriesHost* AChart)
{
    TCustomLineSeries::Added(AChart);
    fPointer->SetParentChart(AChart ? AChart->PlotPanel() : nullptr);
}

void TCustomSeries::Removed()
{
    TCustomLineSeries::Removed();
    fPointer->SetParentChart(nullptr);
}

bool TCustomSeries::SameClassOrigin(const TChartSeries& Other) const
{
    const auto* S = dynamic_cast<const TCustomSeries*>(&Other);
    return S && typeid(*S) == typeid(*this) && S->Active() && S->fStacked == fStacked &&
           S->GetHorizAxis() == GetHorizAxis() && S->GetVertAxis() == GetVertAxis();
}

double TCustomSeries::PointOrigin(int32_t ValueIndex, bool All) const
{
    double Sum = 0;
    if (!ParentChart())
        return Sum;
    for (const TChartSeries* S : ParentChart()->SeriesList()) {
        if (S == this && !All)
            break;
        if (S != this && !SameClassOrigin(*S))
            continue;
        const auto* C = static_cast<const TCustomSeries*>(S);
        if (ValueIndex < C->Count() && C->CountsAsValue(ValueIndex))
            Sum += (*C->MandatoryValueList())[ValueIndex];
    }
    return Sum;
}

double TCustomSeries::StackedValue(int32_t ValueIndex, double Value) const
{
    if (fStacked == cssStack)
        return PointOrigin(ValueIndex, false) + Value;
    if (fStacked == cssStack100) {
        // A stack that sums to nothing has no shares: it lies at 0.
        const double Total = PointOrigin(ValueIndex, true);
        return Total == 0 ? 0 : (PointOrigin(ValueIndex, false) + Value) * 100 / Total;
    }
    return Value;
}

int32_t TCustomSeries::CalcXPos(int32_t ValueIndex) const
{
    if (YMandatory() || fStacked < cssStack)
        return TCustomLineSeries::CalcXPos(ValueIndex);
    return CalcXPosValue(StackedValue(ValueIndex, XValues()[ValueIndex]));
}

int32_t TCustomSeries::CalcYPos(int32_t ValueIndex) const
{
    if (!YMandatory() || fStacked < cssStack)
        return TCustomLineSeries::CalcYPos(ValueIndex);
    return CalcYPosValue(StackedValue(ValueIndex, YValues()[ValueIndex]));
}

int TCustomSeries::GetOriginPos(int32_t ValueIndex) const
{
    if (fStacked >= cssStack) {
        const double Origin = PointOrigin(ValueIndex, false);
        double Value = Origin;
        if (fStacked == cssStack100) {
            const double Total = PointOrigin(ValueIndex, true);
            Value = Total == 0 ? 0 : Origin * 100 / Total;
        }
        return CalcPosValue(Value);
    }
    // Unstacked areas reach down to the axis' low end.
    if (!ParentChart())
        return 0;
    const TRect R = ParentChart()->ChartRect();
    if (YMandatory()) {
        const bool Inverted = GetVertAxis() && GetVertAxis()->Inverted();
        return Inverted ? R.Top : R.Bottom;
    }
    const bool Inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
    return Inverted ? R.Right : R.Left;
}

double TCustomSeries::CalcMinMaxValue(bool IsMin)
{
    TChartValueList& List = *MandatoryValueList();
    // Without a colour list no point is null, and unstacked values are the
    // list's own, whose extremes it keeps.
    if (fStacked < cssStack && (!HasColorList() || TreatNulls() == tnIgnore))
        return IsMin ? List.MinValue() : List.MaxValue();
    bool Any = false;
    double Result = 0;
    for (int32_t I = 0; I < Count(); ++I) {
        if (!CountsAsValue(I))
            continue;
        const double V = StackedValue(I, List[I]);
        if (!Any || (IsMin ? V < Result : V > Result))
            Result = V;
        Any = true;
    }
    return Result;
}

double TCustomSeries::MaxYValue()
{
    if (!YMandatory())
        return TCustomLineSeries::MaxYValue();
    return fStacked == cssStack100 ? 100 : CalcMinMaxValue(false);
}

double TCustomSeries::MinYValue()
{
    if (!YMandatory())
        return TCustomLineSeries::MinYValue();
    return fStacked == cssStack100 ? 0 : CalcMinMaxValue(true);
}

double TCustomSeries::MaxXValue()
{
    if (YMandatory())
        return TCustomLineSeries::MaxXValue();
    return fStacked == cssStack100 ? 100 : CalcMinMaxValue(false);
}

double TCustomSeries::MinXValue()
{
    if (YMandatory())
        return TCustomLineSeries::MinXValue();
    return fStacked == cssStack100 ? 0 : CalcMinMaxValue(true);
}

int TCustomSeries::CalcMarkLength(int32_t)
{
    if (!Marks().Visible() || !ParentChart())
        return 0;
    TCanvas3D& C = ParentChart()->Canvas();
    C.AssignFont(Marks().Font());
    return Marks().ArrowLength() + Marks().Margins().Padded(0, C.GetFontHeight()).cy;
}

namespace {

void AtLeast(int32_t& A, int32_t& B, int32_t Value)
{
    A = std::max(A, Value);
    B = std::max(B, Value);
}

} // namespace

void TCustomSeries::CalcHorizMargins(int32_t& Left, int32_t& Right)
{
    TCustomLineSeries::CalcHorizMargins(Left, Right);
    fPointer->CalcHorizMargins(Left, Right);
    if (fDrawLine && fStairs)
        AtLeast(Left, Right, LinePen().Width());
    if (fOutLine.Visible())
        AtLeast(Left, Right, fOutLine.Width());
    if (!YMandatory()) {
        int32_t& Side = Marks().ArrowLength() >= 0 ? Right : Left;
        Side = std::max(Side, int32_t(CalcMarkLength(0)));
    }
}

void TCustomSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom)
{
    TCustomLineSeries::CalcVerticalMargins(Top, Bottom);
    fPointer->CalcVerticalMargins(Top, Bottom);
    if (fDrawLine && fStairs)
        AtLeast(Top, Bottom, LinePen().Width());
    if (fOutLine.Visible())
        AtLeast(Top, Bottom, fOutLine.Width());
    if (YMandatory()) {
        int32_t& Side = Marks().ArrowLength() >= 0 ? Top : Bottom;
        Side = std::max(Side, int32_t(CalcMarkLength(0)));
    }
    if (ParentChart() && ParentChart()->View3D())
        AtLeast(Top, Bottom, fLineHeight);
}

bool TCustomSeries::IsPointInChartRect(int32_t ValueIndex) const
{
    if (!ParentChart())
        return false;
    const TRect R = ParentChart()->ChartRect();
    const int X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
    const int H = fPointer->HorizSize(), V = fPointer->VertSize();
    return X + H >= R.Left && X - H < R.Right && Y + V >= R.Top && Y - V < R.Bottom;
}

void TCustomSeries::CalcFirstLastVisibleIndex()
{
    TCustomLineSeries::CalcFirstLastVisibleIndex();
    int32_t First = FirstValueIndex(), Last = LastValueIndex();
    if (First < 0)
        return;
    const TChartValueList& X = *NotMandatoryValueList();
    const int32_t End = Count() - 1;
    while (Last < End && IsPointInChartRect(Last + 1))
        ++Last;
    while (Last < End && X[Last + 1] == X[Last])
        ++Last;
    while (First > 0 && IsPointInChartRect(First - 1))
        --First;
    while (First > 0 && X[First - 1] == X[First])
        --First;
    SetVisibleRange(First, Last);
}

void TCustomSeries::CalcZOrder()
{
    // The series of one stack share the z order of its first series.
    if (fStacked >= cssStack && ParentChart())
        for (TChartSeries* S : ParentChart()->SeriesList()) {
            if (S == this)
                break;
            if (SameClassOrigin(*S)) {
                SetComputedZOrder(S->ZOrder());
                return;
            }
        }
    TCustomLineSeries::CalcZOrder();
}

TLineSeries::TLineSeries()
{
    SetDrawLine(true);
    AllowSinglePoint = false;
    Pointer().SetVisible(false);
    DrawBetweenPoints = true;
}

TPointSeries::TPointSeries()
{
    SetDrawLine(false);
    Pointer().SetVisible(true);
    Marks().SetArrowLength(0);
}

namespace {

const TChartSeriesClass StandardSeries[] = {
    SeriesClassOf<TLineSeries>(), SeriesClassOf<TPointSeries>(), SeriesClassOf<TFastLineSeries>()};

} // namespace

void LineSeriesStartup()
{
    using namespace PlotConst;
    RegisterPlotSeries(StandardSeries[0], &PlotMsg_GalleryLine, &PlotMsg_GalleryStandard);
    RegisterPlotSeries(StandardSeries[1], &PlotMsg_GalleryPoint, &PlotMsg_GalleryStandard);
    RegisterPlotSeries(StandardSeries[2], &PlotMsg_GalleryFastLine, &PlotMsg_GalleryStandard);
}

void LineSeriesShutdown()
{
    UnRegisterPlotSeries(StandardSeries);
}
