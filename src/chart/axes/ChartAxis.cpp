#include "chart/axes/ChartAxis.h"

#include "chart/core/PlotConst.h"

#include <cmath>
#include <utility>

TChartAxis::TChartAxis(ICustomAxisPanel* ParentChart, bool Horizontal, bool OtherSide)
    : FHorizontal(Horizontal), FOtherSide(OtherSide), FParentChart(ParentChart),
      FLabelsFont(RepaintOnChange()), FItems([this] { Repaint(); }),
      FAxisValuesFormat(PlotConst::PlotMsg_DefValueFormat), FFormatSettings(GetFormatSettings()),
      FAxis(RepaintOnChange()), FAxisTitle(Horizontal  ? 0
                                           : OtherSide ? 270
                                                       : 90,
                                           [this] { Repaint(); }),
      FGrid(RepaintOnChange()), FMinorGrid(RepaintOnChange()), FTicks(RepaintOnChange()),
      FTicksInner(RepaintOnChange()), FMinorTicks(RepaintOnChange())
{
    SetCalcPosValue();
}

void TChartAxis::Repaint()
{
    if (FParentChart)
        FParentChart->Invalidate();
}

TNotifyEvent TChartAxis::RepaintOnChange()
{
    return [this](TGraphicsObject*) { Repaint(); };
}

void TChartAxis::SetMinMax(double AMin, double AMax)
{
    // An end that is not a finite number has no pixel: the range stays.
    if (!std::isfinite(AMin) || !std::isfinite(AMax))
        return;
    FAutomatic = false;
    FAutomaticMaximum = false;
    FAutomaticMinimum = false;
    if (AMin > AMax)
        std::swap(AMin, AMax);
    SetProperty(FMinimumValue, AMin);
    SetProperty(FMaximumValue, AMax);
    if (FMaximumValue - FMinimumValue < MinAxisRange) {
        // An empty range widens about its middle: a flat market stands mid-axis.
        const double middle = FMinimumValue + (FMaximumValue - FMinimumValue) / 2;
        SetProperty(FMinimumValue, middle - MinAxisRange / 2);
        SetProperty(FMaximumValue, middle + MinAxisRange / 2);
    }
    if (!FParentChart)
        return;
    for (int i = 0; i < FParentChart->CustomAxesCount(); ++i) {
        TChartAxis& custom = FParentChart->CustomAxis(i);
        if (custom.MasterAxis() == this)
            custom.SetMinMax(FMinimumValue, FMaximumValue);
    }
}

void TChartAxis::SetMasterAxis(TChartAxis* Value)
{
    // Masters in a ring would pass a range round it without end.
    for (const TChartAxis* Master = Value; Master; Master = Master->FMaster)
        if (Master == this)
            throw AxisException(PlotConst::PlotMsg_AxisCircularMaster);
    FMaster = Value;
}

void TChartAxis::SetMinimum(double Value)
{
    const bool loading = FParentChart && FParentChart->IsLoading();
    if (!loading && Value > FMaximumValue)
        throw AxisException(PlotConst::PlotMsg_AxisMinMax);
    SetProperty(FMinimumValue, Value);
}

void TChartAxis::SetMaximum(double Value)
{
    const bool loading = FParentChart && FParentChart->IsLoading();
    if (!loading && Value < FMinimumValue)
        throw AxisException(PlotConst::PlotMsg_AxisMaxMin);
    SetProperty(FMaximumValue, Value);
}

void TChartAxis::SetDesiredIncrement(double Value)
{
    if (!(Value >= 0))
        throw AxisException(PlotConst::PlotMsg_AxisIncrementNeg);
    SetProperty(FDesiredIncrement, Value);
}

void TChartAxis::SetAutomatic(bool Value)
{
    SetProperty(FAutomatic, Value);
    if (!FParentChart || !FParentChart->IsLoading()) {
        FAutomaticMinimum = Value;
        FAutomaticMaximum = Value;
    }
}

void TChartAxis::SetAutomaticMaximum(bool Value)
{
    SetProperty(FAutomaticMaximum, Value);
    if (!Value)
        FAutomatic = false;
    else if (FAutomaticMinimum)
        FAutomatic = true;
}

void TChartAxis::SetAutomaticMinimum(bool Value)
{
    SetProperty(FAutomaticMinimum, Value);
    if (!Value)
        FAutomatic = false;
    else if (FAutomaticMaximum)
        FAutomatic = true;
}

void TChartAxis::SetLogarithmic(bool Value)
{
    if (Value) {
        if (IsDateTime())
            throw AxisException(PlotConst::PlotMsg_AxisLogDateTime);
        // The range's handlers may delete the axis: nothing more is set.
        TPlotLifetime::TWatch watch(FLifetime);
        AdjustMaxMin();
        if (watch.Gone())
            return;
        if (IMinimum < 0 || IMaximum < 0)
            throw AxisException(PlotConst::PlotMsg_AxisLogNotPositive);
    }
    SetProperty(FLogarithmic, Value);
    SetCalcPosValue();
}

void TChartAxis::SetLogarithmicBase(double Value)
{
    if (!(Value > 0) || Value == 1)
        throw AxisException(PlotConst::PlotMsg_AxisLogBase);
    SetProperty(FLogarithmicBase, Value);
}

void TChartAxis::SetInverted(bool Value)
{
    SetProperty(FInverted, Value);
    UpdateMappings();
}

void TChartAxis::CalcMinMax(double& AMin, double& AMax) const
{
    if (!FParentChart)
        return;
    if (FAutomatic || FAutomaticMaximum)
        AMax = FParentChart->InternalMinMax(*this, FHorizontal, true);
    if (FAutomatic || FAutomaticMinimum)
        AMin = FParentChart->InternalMinMax(*this, FHorizontal, false);
}

void TChartAxis::AdjustMaxMin()
{
    // The label step of CalcRoundScales formats date-times on a date-time axis.
    IAxisDateTime = IsDateTime();
    CalcMinMax(FMinimumValue, FMaximumValue);
    IMaximum = FMaximumValue;
    IMinimum = FMinimumValue;
    if (OnCalcMaxLabel) {
        // The hook may delete the axis: the range is then left as it is.
        TPlotLifetime::TWatch watch(FLifetime);
        const double lower = OnCalcMaxLabel(*this, -1, IMaximum);
        if (watch.Gone())
            return;
        IMaximum -= lower;
    }
    InternalCalcRange();
    CalcRoundScales();
}

void TChartAxis::InternalCalcRange()
{
    IRange = IMaximum - IMinimum;
    IRangeZero = IRange == 0;
    IAxisSizeRange = IRangeZero ? 0 : IAxisSize / IRange;
    if (FLogarithmic) {
        ILogMin = IMinimum > 0 ? std::log(IMinimum) : 0;
        ILogMax = IMaximum > 0 ? std::log(IMaximum) : 0;
        IRangeLog = ILogMax - ILogMin;
        IAxisLogSizeRange = IRangeLog == 0 ? 0 : IAxisSize / IRangeLog;
    }
    UpdateMappings();
}

void TChartAxis::CalcRoundScales()
{
    const bool roundMax = FMaximumRound && (FAutomatic || FAutomaticMaximum);
    const bool roundMin = FMinimumRound && (FAutomatic || FAutomaticMinimum);
    if (IAxisSize == 0 || IRangeZero || !(roundMax || roundMin))
        return;
    // No step also when a label's handler deleted the axis.
    const double inc = CalcIncrement();
    if (inc == 0)
        return;
    const double oldMin = IMinimum;
    const double oldMax = IMaximum;
    if (roundMax)
        IMaximum = std::ceil(IMaximum / inc) * inc;
    if (roundMin)
        IMinimum = std::floor(IMinimum / inc) * inc;
    if (IMinimum != oldMin || IMaximum != oldMax)
        InternalCalcRange();
}

void TChartAxis::AdjustMaxMinRect(const TRect& Rect)
{
    const int oldStart = IStartPos;
    const int oldEnd = IEndPos;
    IStartPos += FHorizontal ? Rect.Left : Rect.Top;
    IEndPos -= FHorizontal ? Rect.Right : Rect.Bottom;
    IAxisSize = IEndPos - IStartPos;
    double newMin = CalcPosPoint(oldStart);
    double newMax = CalcPosPoint(oldEnd);
    InternalCalcPositions();
    if (newMin > newMax)
        std::swap(newMin, newMax);
    IMinimum = newMin;
    IMaximum = newMax;
    InternalCalcRange();
}

void TChartAxis::InternalCalcPositions()
{
    int start = 0;
    int size = 0;
    if (FParentChart) {
        const TRect r = FParentChart->ChartRect();
        if (IDepthAxis)
            size = FParentChart->Width3D();
        else if (FHorizontal) {
            start = r.Left;
            size = r.Width();
        } else {
            start = r.Top;
            size = r.Height();
        }
    }
    IStartPos = start + PlotClampPixel(size * 0.01 * FStartPosition, 0);
    IEndPos = start + PlotClampPixel(size * 0.01 * FEndPosition, 0);
    IAxisSize = IEndPos - IStartPos;
    ICenterPos = (IStartPos + IEndPos) / 2;
    InternalCalcRange();
}

int TChartAxis::GetRectangleEdge(const TRect& R) const
{
    if (FHorizontal)
        return FOtherSide ? R.Top : R.Bottom;
    return FOtherSide ? R.Right : R.Left;
}

int TChartAxis::ApplyPosition(int APos, const TRect& R) const
{
    if (FPositionPercent == 0)
        return APos;
    const double across = FHorizontal ? R.Height() : R.Width();
    int offset = FPosUnits == muPixels ? PlotClampPixel(FPositionPercent, 0)
                                       : PlotClampPixel(0.01 * FPositionPercent * across, 0);
    if (FOtherSide)
        offset = -offset;
    if (FHorizontal)
        offset = -offset;
    return APos + offset;
}

void TChartAxis::SetCalcPosValue()
{
    if (IDepthAxis)
        FMapKind = TAxisMapKind::Depth;
    else if (FLogarithmic)
        FMapKind = TAxisMapKind::Logarithmic;
    else
        FMapKind = TAxisMapKind::Linear;
    FFastCalc = FParentChart && FParentChart->FastCalc();
    InternalCalcRange();
}

void TChartAxis::UpdateMappings()
{
    TAxisMapping x;
    x.Kind = FMapKind;
    x.Center = ICenterPos;
    TAxisMapping y = x;
    switch (FMapKind) {
    case TAxisMapKind::Depth:
        x.Zero = IRangeZero;
        x.RoundOffset = true;
        x.Origin = 0;
        x.Base = FInverted ? IMaximum : IMinimum;
        x.Scale = FInverted ? -IAxisSizeRange : IAxisSizeRange;
        y = x;
        break;
    case TAxisMapKind::Logarithmic:
        // The offset from the start (X) or end (Y) is rounded on its own.
        x.Zero = y.Zero = IRangeLog == 0;
        x.RoundOffset = y.RoundOffset = true;
        x.Base = y.Base = FInverted ? ILogMax : ILogMin;
        x.Origin = IStartPos;
        x.Scale = FInverted ? -IAxisLogSizeRange : IAxisLogSizeRange;
        x.NonPositive = FInverted ? IEndPos : IStartPos;
        y.Origin = IEndPos;
        y.Scale = -x.Scale;
        y.NonPositive = FInverted ? IStartPos : IEndPos;
        break;
    case TAxisMapKind::Linear:
        x.Zero = y.Zero = IRangeZero;
        x.RoundOffset = y.RoundOffset = FFastCalc;
        x.Base = y.Base = IMinimum;
        x.Origin = FInverted ? IEndPos : IStartPos;
        x.Scale = FInverted ? -IAxisSizeRange : IAxisSizeRange;
        y.Origin = FInverted ? IStartPos : IEndPos;
        y.Scale = -x.Scale;
        break;
    }
    FXMapping = x;
    FYMapping = y;
}

double TChartAxis::CalcPosPoint(int Value) const
{
    const double fromStart = FInverted ? double(IEndPos) - Value : double(Value) - IStartPos;
    if (!FLogarithmic) {
        if (IAxisSize < 1)
            return 0;
        const double t = fromStart * IRange / IAxisSize;
        return FHorizontal ? IMinimum + t : IMaximum - t;
    }
    const bool startIsMax = FHorizontal == FInverted;
    if (Value == IStartPos)
        return startIsMax ? IMaximum : IMinimum;
    if (Value == IEndPos)
        return startIsMax ? IMinimum : IMaximum;
    if (IRangeLog == 0 || IAxisSize == 0)
        return IMinimum;
    const double t = fromStart * IRangeLog / IAxisSize;
    return FHorizontal ? std::exp(ILogMin + t) : std::exp(ILogMax - t);
}

int TChartAxis::CalcSizeValue(double Value) const
{
    if (!(Value > 0))
        return 0;
    if (FLogarithmic)
        return IRangeLog == 0 ? 0 : PlotClampPixel(std::log(Value) * IAxisLogSizeRange, 0);
    return IRange == 0 ? 0 : PlotClampPixel(Value * IAxisSizeRange, 0);
}

double TChartAxis::SeriesExtreme(bool IsMax) const
{
    return FParentChart->InternalMinMax(*this, FHorizontal, IsMax);
}

void TChartAxis::Scroll(double Offset, bool CheckLimits)
{
    if (CheckLimits) {
        const bool ahead = FParentChart && ((Offset > 0 && SeriesExtreme(true) > FMaximumValue) ||
                                            (Offset < 0 && SeriesExtreme(false) < FMinimumValue));
        if (!ahead)
            return;
    }
    FAutomatic = false;
    FAutomaticMaximum = false;
    FAutomaticMinimum = false;
    FMaximumValue += Offset;
    FMinimumValue += Offset;
    Repaint();
}

void TChartAxis::RestoreScale(bool Auto, bool AutoMin, bool AutoMax, double Min, double Max)
{
    FAutomatic = Auto;
    FAutomaticMinimum = AutoMin;
    FAutomaticMaximum = AutoMax;
    FMinimumValue = Min;
    FMaximumValue = Max;
    Repaint();
}

bool TChartAxis::IsDateTime() const
{
    if (!FParentChart)
        return false;
    for (int i = 0; i < FParentChart->SeriesCount(); ++i) {
        const IChartSeries& series = FParentChart->Series(i);
        if (!series.Active())
            continue;
        if (const IChartValueList* list = series.ValueListOfAxis(*this))
            return list->DateTime();
    }
    return false;
}

TChartDepthAxis::TChartDepthAxis(ICustomAxisPanel* ParentChart, bool OtherSide)
    : TChartAxis(ParentChart, false, OtherSide)
{
    IDepthAxis = true;
    SetCalcPosValue();
}

void TChartDepthAxis::SetInverted(bool Value)
{
    TChartAxis::SetInverted(Value);
    ICustomAxisPanel* chart = ParentChart();
    if (!chart)
        return;
    TChartAxis* other = chart->DepthAxis() == this ? chart->DepthTopAxis() : chart->DepthAxis();
    if (other && other != this && other->Inverted() != Value)
        other->SetInverted(Value);
}

TAxisLabelStyle TChartDepthAxis::InternalCalcLabelStyle() const
{
    const ICustomAxisPanel* chart = ParentChart();
    for (int i = 0; chart && i < chart->SeriesCount(); ++i) {
        const IChartSeries& series = chart->Series(i);
        if (series.Active())
            return series.MinZValue() != series.MaxZValue() ? talValue : talText;
    }
    return talNone;
}
