#include "chart/series/BubbleSeries.h"

#include "chart/axes/ChartAxis.h"
#include "chart/core/PlotConst.h"
#include "chart/core/PlotProcs.h"
#include "chart/series/ChartRegistry.h"

#include <algorithm>
#include <cstdlib>

TBubbleSeries::TBubbleSeries()
    : fRadius(new TChartValueList(this, PlotConst::PlotMsg_ValuesBubbleRadius))
{
    TSeriesPointer& P = Pointer();
    P.SetInflateMargins(false);
    P.SetStyle(psCircle);
    // The size comes from each point's radius, never from the user.
    P.AllowChangeSize = false;
    Marks().Pen().SetVisible(false);
    Marks().DefaultTransparent = true;
    Marks().SetTransparent(true);
    SetColorEachPoint(true);
    DrawBetweenPoints = false;
}

int32_t TBubbleSeries::AddBubble(double AX, double AY, double ARadius, const std::string& AXLabel,
                                 TColor AColor)
{
    fRadius->SetTempValue(ARadius);
    return AddXY(AX, AY, AXLabel, AColor);
}

void TBubbleSeries::SizePointer(int32_t ValueIndex) const
{
    const double Radius = (*fRadius)[ValueIndex];
    const TChartAxis* Vert = GetVertAxis();
    const TChartAxis* Horiz = GetHorizAxis();
    const int VertSize = Vert ? Vert->CalcSizeValue(Radius) : 0;
    const int HorizSize = fSquared ? VertSize : Horiz ? Horiz->CalcSizeValue(Radius) : 0;
    // Set as they are: a size computed per point passes no size check.
    Pointer().ChangeVertSize(VertSize);
    Pointer().ChangeHorizSize(HorizSize);
}

void TBubbleSeries::PreparePointer(int32_t ValueIndex)
{
    SizePointer(ValueIndex);
}

void TBubbleSeries::DrawValue(int32_t ValueIndex)
{
    if (IsNull(ValueIndex))
        return;
    DrawPointer(CalcXPos(ValueIndex), CalcYPos(ValueIndex), GetValueColor(ValueIndex), ValueIndex);
}

double TBubbleSeries::MaxYValue()
{
    double Result = TPointSeries::MaxYValue();
    for (int32_t I = 0; I < Count(); ++I)
        if (CountsAsValue(I))
            Result = std::max(Result, YValues()[I] + (*fRadius)[I]);
    return Result;
}

double TBubbleSeries::MinYValue()
{
    double Result = TPointSeries::MinYValue();
    for (int32_t I = 0; I < Count(); ++I)
        if (CountsAsValue(I))
            Result = std::min(Result, YValues()[I] - (*fRadius)[I]);
    return Result;
}

double TBubbleSeries::MaxZValue() const
{
    return Pointer().Draw3D() ? fRadius->MaxValue() : TPointSeries::MaxZValue();
}

double TBubbleSeries::MinZValue() const
{
    return Pointer().Draw3D() ? -fRadius->MaxValue() : TPointSeries::MinZValue();
}

bool TBubbleSeries::IsPointInChartRect(int32_t ValueIndex) const
{
    SizePointer(ValueIndex);
    return TPointSeries::IsPointInChartRect(ValueIndex);
}

bool TBubbleSeries::ClickedPointer(int32_t ValueIndex, int tmpX, int tmpY, int X, int Y)
{
    PreparePointer(ValueIndex);
    const int H = Pointer().HorizSize(), V = Pointer().VertSize();
    const int Left = tmpX - H, Top = tmpY - V, Right = tmpX + H, Bottom = tmpY + V;
    const TPoint P{X, Y};
    TSeriesPointerStyle Style;
    if (!PointerStyleOf(ValueIndex, Style))
        return false;
    switch (Style) {
    case psCircle:
    case psHexagon:
        return PointInEllipse(P, Left, Top, Right, Bottom);
    case psTriangle:
        return PointInTriangle(P, Left, Right, Top, Bottom);
    case psDownTriangle:
        return PointInTriangle(P, Left, Right, Bottom, Top);
    case psDiamond: {
        const TPoint Diamond[] = {{tmpX, Top}, {Right, tmpY}, {tmpX, Bottom}, {Left, tmpY}};
        return PointInPolygon(P, Diamond);
    }
    case psLeftTriangle:
        return PointInHorizTriangle(P, Top, Bottom, Left, Right);
    case psRightTriangle:
        return PointInHorizTriangle(P, Top, Bottom, Right, Left);
    case psNothing:
        return false;
    default:
        return std::abs(tmpX - X) < H && std::abs(tmpY - Y) < V;
    }
}

void TBubbleSeries::DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect)
{
    const int Size = std::min(Rect.Width(), Rect.Height());
    Pointer().ChangeHorizSize(Size);
    Pointer().ChangeVertSize(Size);
    TPointSeries::DrawLegendShape(C, ValueIndex, Rect);
}

namespace {

const TChartSeriesClass BubbleSeries[] = {SeriesClassOf<TBubbleSeries>()};

} // namespace

void BubbleSeriesStartup()
{
    RegisterPlotSeries(BubbleSeries[0], &PlotConst::PlotMsg_GalleryBubble,
                       &PlotConst::PlotMsg_GalleryStandard);
}

void BubbleSeriesShutdown()
{
    UnRegisterPlotSeries(BubbleSeries);
}
