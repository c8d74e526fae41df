#include "chart/series/DarvasSeries.h"

#include <algorithm>

TDarvasSeries::TDarvasSeries()
    : fBoxBrush([this](TGraphicsObject*) { Repaint(); }),
      fBoxPen([this](TGraphicsObject*) { Repaint(); })
{
    fBoxBrush.SetColor(clPlotColor);
    SetTransparency(70);
}

void TDarvasSeries::CalculateBoxes()
{
    const auto Values = [](const TChartValueList& L) {
        return std::span<const double>(L.Data(), size_t(L.Count()));
    };
    Boxes = DarvasBoxes(Values(HighValues()), Values(LowValues()));
    BoxesRect.clear();
    for (const TDarvasBox& B : Boxes)
        BoxesRect.push_back({CalcXPosValue(DateValues()[B.First]), CalcYPosValue(B.Top),
                             CalcXPosValue(DateValues()[B.Last]), CalcYPosValue(B.Bottom)});
}

void TDarvasSeries::DrawAllValues()
{
    TCandleSeries::DrawAllValues();
    CalculateBoxes();
    DrawBoxes();
}

void TDarvasSeries::DrawBoxes()
{
    ISeriesHost* Chart = ParentChart();
    if (!Chart)
        return;
    TCanvas3D& C = Chart->Canvas();
    const TColor Color =
        fBoxBrush.Color() == clPlotColor ? Chart->GetDefaultColor(1) : fBoxBrush.Color();
    const int Z = MiddleZ();
    for (const TRect& R : BoxesRect) {
        C.AssignVisiblePen(fBoxPen);
        C.AssignBrush(fBoxBrush, Color, fBoxBrush.BackColor());
        const TPoint A = C.Calculate3DPosition(R.Left, R.Top, Z);
        const TPoint B = C.Calculate3DPosition(R.Right, R.Bottom, Z);
        auto Blend = C.BeginBlending(
            {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)},
            GetTransparency());
        C.RectangleWithZ(R, Z);
        C.EndBlending(std::move(Blend));
    }
}
