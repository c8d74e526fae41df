#include "chart/series/VolumeSeries.h"

#include "chart/axes/ChartAxis.h"
#include "chart/core/PlotProcs.h"

#include <algorithm>

TVolumeSeries::TVolumeSeries()
{
    DrawBetweenPoints = false;
    SetClickableLine(false);
    Pointer().SetVisible(false);
    SetDrawArea(false);
}

int TVolumeSeries::GetOriginPos(int32_t) const
{
    if (fUseYOrigin)
        return CalcYPosValue(fOrigin);
    const TChartAxis* Axis = GetVertAxis();
    if (!Axis)
        return 0;
    return Axis->Inverted() ? Axis->IStartPos : Axis->IEndPos;
}

void TVolumeSeries::DrawAllValues()
{
    IColor.reset();
    TChartSeries::DrawAllValues();
}

void TVolumeSeries::DrawValue(int32_t ValueIndex)
{
    if (IsNull(ValueIndex))
        return;
    TCanvas3D& C = ParentChart()->Canvas();
    const TColor Color = GetValueColor(ValueIndex);
    if (IColor != Color) {
        C.AssignVisiblePenColor(LinePen(), Color);
        C.SetBackMode(cbmTransparent);
        IColor = Color;
    }
    // The origin's pixel is drawn, the value's is not.
    C.VertLine3D(CalcXPos(ValueIndex), GetOriginPos(ValueIndex), CalcYPos(ValueIndex), MiddleZ());
}

int32_t TVolumeSeries::Clicked(int32_t X, int32_t Y)
{
    if (FirstValueIndex() < 0)
        return -1;
    const TPoint P =
        ParentChart() ? ParentChart()->Canvas().Calculate2DPosition(X, Y, MiddleZ()) : TPoint{X, Y};
    const int32_t Last = std::min(LastValueIndex(), Count() - 1);
    for (int32_t I = FirstValueIndex(); I <= Last; ++I) {
        const int BarX = CalcXPos(I);
        if (!IsNull(I) && PointInLine(P, BarX, GetOriginPos(I), BarX, CalcYPos(I)))
            return I;
    }
    return -1;
}
