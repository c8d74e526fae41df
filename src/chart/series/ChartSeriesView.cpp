#include "chart/series/ChartSeries.h"

#include "chart/axes/ChartAxis.h"

// The series as the chart sees it: colours, axis binding, positions, the
// visible index range, drawing order, z order and the mouse.

TColor TChartSeries::GetValueColor(int32_t ValueIndex) const
{
    const TColor Stored = ValueColor(ValueIndex);
    if (Stored != clPlotColor)
        return Stored;
    if (fColorEachPoint && fParent)
        return fParent->GetDefaultColor(ValueIndex);
    return SeriesColor();
}

void TChartSeries::SetSeriesColor(TColor Value)
{
    if (fColor == clPlotColor && Value == fSeriesColor)
        return;
    if (fColor != Value) {
        fColor = Value;
        Repaint();
    }
    fSeriesColor = Value;
    Broadcast(seChangeColor);
}

void TChartSeries::SetColorEachPoint(bool Value)
{
    if (StoreChanged(fColorEachPoint, Value))
        Repaint();
}

void TChartSeries::SetHorizAxis(THorizAxis Value)
{
    if (fHorizAxis == Value)
        return;
    fHorizAxis = Value;
    if (Value != aCustomHorizAxis)
        fCustomHorizAxis = nullptr;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis Value)
{
    if (fVertAxis == Value)
        return;
    fVertAxis = Value;
    if (Value != aCustomVertAxis)
        fCustomVertAxis = nullptr;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* Value)
{
    fCustomHorizAxis = Value;
    if (Value)
        fHorizAxis = aCustomHorizAxis;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* Value)
{
    fCustomVertAxis = Value;
    if (Value)
        fVertAxis = aCustomVertAxis;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::RecalcGetAxis()
{
    fGetHorizAxis = fGetVertAxis = nullptr;
    if (!fParent)
        return;
    // A custom axis deleted while the series was off the chart is left as
    // the chart leaves one it deletes.
    if (fCustomHorizAxis && !fParent->HasAxis(fCustomHorizAxis)) {
        fHorizAxis = aBottomAxis;
        fCustomHorizAxis = nullptr;
    }
    if (fCustomVertAxis && !fParent->HasAxis(fCustomVertAxis)) {
        fVertAxis = aLeftAxis;
        fCustomVertAxis = nullptr;
    }
    fGetHorizAxis = fParent->BottomAxis();
    if (fHorizAxis == aTopAxis)
        fGetHorizAxis = fParent->TopAxis();
    else if (fHorizAxis == aCustomHorizAxis && fCustomHorizAxis)
        fGetHorizAxis = fCustomHorizAxis;
    fGetVertAxis = fParent->LeftAxis();
    if (fVertAxis == aRightAxis)
        fGetVertAxis = fParent->RightAxis();
    else if (fVertAxis == aCustomVertAxis && fCustomVertAxis)
        fGetVertAxis = fCustomVertAxis;
}

bool TChartSeries::AssociatedToAxis(const TChartAxis& Axis) const
{
    if (!UseAxis())
        return false;
    if (Axis.Horizontal())
        return fHorizAxis == aBothHorizAxis || &Axis == fGetHorizAxis;
    return fVertAxis == aBothVertAxis || &Axis == fGetVertAxis;
}

const TChartValueList* TChartSeries::ValueListOfAxis(const TChartAxis& Axis) const
{
    if (!AssociatedToAxis(Axis))
        return nullptr;
    return Axis.Horizontal() ? fX : fY;
}

void TChartSeries::SetParentChart(ISeriesHost* Value)
{
    if (fParent == Value)
        return;
    // The chart's remove handler may free the series.
    TPlotLifetime::TWatch Watch(fLifetime);
    if (fParent)
        fParent->RemoveSeries(this);
    if (Watch.Gone())
        return;
    if (Value)
        Value->InternalAddSeries(this);
    else
        RecalcGetAxis();
}

void TChartSeries::Added(ISeriesHost* AChart)
{
    fParent = AChart;
    fMarks->SetParentChart(AChart ? AChart->PlotPanel() : nullptr);
    if (fColor == clPlotColor && fParent)
        SetSeriesColor(fParent->GetFreeSeriesColor(true, this));
    RecalcGetAxis();
}

void TChartSeries::Removed()
{
    fParent = nullptr;
    fMarks->SetParentChart(nullptr);
    RecalcGetAxis();
}

int32_t TChartSeries::CalcXPos(int32_t ValueIndex) const
{
    return CalcXPosValue((*fX)[ValueIndex]);
}

int32_t TChartSeries::CalcYPos(int32_t ValueIndex) const
{
    return CalcYPosValue((*fY)[ValueIndex]);
}

int32_t TChartSeries::CalcXPosValue(double Value) const
{
    return fGetHorizAxis ? fGetHorizAxis->CalcXPosValue(Value) : 0;
}

int32_t TChartSeries::CalcYPosValue(double Value) const
{
    return fGetVertAxis ? fGetVertAxis->CalcYPosValue(Value) : 0;
}

int32_t TChartSeries::CalcPosValue(double Value) const
{
    return fYMandatory ? CalcYPosValue(Value) : CalcXPosValue(Value);
}

double TChartSeries::XScreenToValue(int32_t ScreenPos) const
{
    return fGetHorizAxis ? fGetHorizAxis->CalcPosPoint(ScreenPos) : 0;
}

bool TChartSeries::IsPointInChartRect(int32_t ValueIndex) const
{
    if (!fParent)
        return false;
    const TRect R = fParent->ChartRect();
    const int32_t X = CalcXPos(ValueIndex);
    const int32_t Y = CalcYPos(ValueIndex);
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

TChartAxis* TChartSeries::MandatoryAxis() const
{
    return fYMandatory ? fGetHorizAxis : fGetVertAxis;
}

void TChartSeries::CalcFirstLastVisibleIndex()
{
    fFirstVisibleIndex = fLastVisibleIndex = -1;
    if (Count() == 0)
        return;
    const TChartAxis* Axis = MandatoryAxis();
    if (!CalcVisiblePoints || fNotMandatory->Order() == loNone || !Axis || !fParent) {
        fFirstVisibleIndex = 0;
        fLastVisibleIndex = Count() - 1;
        return;
    }
    const TRect R = fParent->ChartRect();
    const bool Inverted = Axis->Inverted();
    int32_t StartPixel, EndPixel;
    if (Axis->Horizontal()) {
        StartPixel = (Inverted ? R.Right : R.Left) + Axis->MinimumOffset();
        EndPixel = (Inverted ? R.Left : R.Right) - Axis->MaximumOffset();
    } else {
        StartPixel = (Inverted ? R.Top : R.Bottom) - Axis->MaximumOffset();
        EndPixel = (Inverted ? R.Bottom : R.Top) + Axis->MinimumOffset();
    }
    fNotMandatory->CalcRangeIndex(Axis->CalcPosPoint(StartPixel), Axis->CalcPosPoint(EndPixel),
                                  DrawBetweenPoints, fFirstVisibleIndex, fLastVisibleIndex);
}

int32_t TChartSeries::FirstDisplayedIndex() const
{
    return DrawValuesForward() ? fFirstVisibleIndex : fLastVisibleIndex;
}

int32_t TChartSeries::LastDisplayedIndex() const
{
    return DrawValuesForward() ? fLastVisibleIndex : fFirstVisibleIndex;
}

bool TChartSeries::DrawValuesForward() const
{
    if (fYMandatory) {
        bool Forward = !(fGetHorizAxis && fGetHorizAxis->Inverted());
        if (fParent && fParent->InvertedRotation())
            Forward = !Forward;
        return Forward;
    }
    return !(fGetVertAxis && fGetVertAxis->Inverted());
}

bool TChartSeries::DrawSeriesForward() const
{
    return !(fParent && fParent->InvertedRotation());
}

void TChartSeries::DrawAllValues()
{
    if (fFirstVisibleIndex < 0)
        return;
    // A drawing handler may empty the series: no point past its end is
    // drawn; or free it or take it off the chart: nothing more is.
    TSeriesWatch Watch(*this);
    if (DrawValuesForward())
        for (int32_t I = fFirstVisibleIndex; I <= fLastVisibleIndex && I < Count(); ++I) {
            DrawValue(I);
            if (Watch.Gone())
                return;
        }
    else
        for (int32_t I = fLastVisibleIndex; I >= fFirstVisibleIndex; --I)
            if (I < Count()) {
                DrawValue(I);
                if (Watch.Gone())
                    return;
            }
}

void TChartSeries::DoBeforeDrawValues()
{
    if (BeforeDrawValues)
        BeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues()
{
    if (AfterDrawValues)
        AfterDrawValues(this);
}

bool TChartSeries::CheckMouse(int32_t X, int32_t Y)
{
    if (fCursor == crSeriesDefault && !OnMouseEnter && !OnMouseLeave)
        return false;
    TPlotLifetime::TWatch Watch(fLifetime);
    const bool Hit = Clicked(X, Y) != -1;
    // A handler run by the hit test may have freed the series.
    if (Watch.Gone())
        return false;
    if (Hit) {
        if (fCursor != crSeriesDefault && fParent)
            fParent->SetCursor(fCursor);
        if (!fIsMouseInside) {
            fIsMouseInside = true;
            if (OnMouseEnter)
                OnMouseEnter(this);
        }
    } else if (fIsMouseInside) {
        fIsMouseInside = false;
        if (OnMouseLeave)
            OnMouseLeave(this);
    }
    return Hit;
}

void TChartSeries::SetZOrder(int32_t Value)
{
    if (fZOrder == Value)
        return;
    fZOrder = Value;
    fIZOrder = Value == -1 ? 0 : Value;
    Repaint();
}

void TChartSeries::CalcZOrder()
{
    if (!fParent)
        return;
    if (fZOrder != -1) {
        if (fZOrder > fParent->MaxZOrder())
            fParent->SetMaxZOrder(fZOrder);
    } else if (fParent->View3D()) {
        fParent->SetMaxZOrder(fParent->MaxZOrder() + 1);
        fIZOrder = fParent->MaxZOrder();
    } else {
        fIZOrder = 0;
    }
}

void TChartSeries::CalcDepthPositions()
{
    fStartZ = fMiddleZ = fEndZ = 0;
    if (!fParent || !fParent->View3D())
        return;
    // Each z order has an equal slice of the depth; a depth of its own,
    // when set, replaces the slice's.
    const int32_t Slice = fParent->Width3D() / std::max(1, fParent->MaxZOrder() + 1);
    fStartZ = ZOrder() * Slice;
    fEndZ = fStartZ + (fDepth >= 0 ? fDepth : Slice);
    fMiddleZ = (fStartZ + fEndZ) / 2;
}

bool TChartSeries::MoreSameZOrder() const
{
    if (!fParent)
        return false;
    for (const TChartSeries* S : fParent->SeriesList())
        if (S != this && S->Active() && S->ZOrder() == ZOrder())
            return true;
    return false;
}

bool TChartSeries::FirstInZOrder() const
{
    if (!fParent)
        return true;
    for (const TChartSeries* S : fParent->SeriesList()) {
        if (S == this)
            return true;
        if (S->Active() && S->ZOrder() == ZOrder())
            return false;
    }
    return true;
}
