#include "chart/chart/ChartWalls.h"

TCustomChartWall::TCustomChartWall(TCustomPlotPanel* AParent, TColor ADefaultColor)
    : TPlotCustomShape(AParent), DefaultColor(ADefaultColor)
{
    SetColor(clPlotColor);
}

TColor TCustomChartWall::FillColor() const
{
    return Color() == clPlotColor ? DefaultColor : Color();
}

TChartBackWall::TChartBackWall(TCustomPlotPanel* AParent) : TCustomChartWall(AParent, clSilver)
{
    SetTransparent(true);
    Shadow().SetVisible(false);
    Shadow().SetColor(clGray);
}

TChartRightWall::TChartRightWall(TCustomPlotPanel* AParent) : TCustomChartWall(AParent, clSilver)
{
    SetVisible(false);
}

TChartWalls::TChartWalls(TCustomPlotPanel* AChart)
    : FChart(AChart), FBack(AChart), FBottom(AChart), FLeft(AChart), FRight(AChart)
{
}

template <class F> void TChartWalls::ForEach(F Apply)
{
    for (TCustomChartWall* Wall :
         {static_cast<TCustomChartWall*>(&FBack), static_cast<TCustomChartWall*>(&FBottom),
          static_cast<TCustomChartWall*>(&FLeft), static_cast<TCustomChartWall*>(&FRight)})
        Apply(*Wall);
}

void TChartWalls::SetSize(int Value)
{
    ForEach([Value](TCustomChartWall& W) { W.SetSize(Value); });
}

void TChartWalls::SetVisible(bool Value)
{
    ForEach([Value](TCustomChartWall& W) { W.SetVisible(Value); });
}

void TChartWalls::Draw(bool View3D, bool View3DWalls, int Depth)
{
    if (!FChart)
        return;
    const TRect R = FChart->ChartRect;
    if (!View3D) {
        // The flat back wall is the background of the plotting area.
        if (FBack.ShouldDraw(View3DWalls))
            FBack.DrawRectRotated(R);
        return;
    }
    TCanvas3D& C = FChart->Canvas();
    const auto DrawBox = [&C, View3DWalls](TCustomChartWall& W, const TRect& Box, int Z0, int Z1) {
        if (!W.ShouldDraw(View3DWalls))
            return;
        C.AssignVisiblePen(W.Pen());
        C.AssignBrush(W.Brush(), W.FillColor(), W.Brush().BackColor());
        C.Cube(Box, Z0, Z1, W.Dark3D());
    };
    DrawBox(FBack, R, Depth, Depth + FBack.Size());
    DrawBox(FLeft, {R.Left - FLeft.Size(), R.Top, R.Left, R.Bottom}, 0, Depth);
    DrawBox(FBottom, {R.Left, R.Bottom, R.Right, R.Bottom + FBottom.Size()}, 0, Depth);
    DrawBox(FRight, {R.Right, R.Top, R.Right + FRight.Size(), R.Bottom}, 0, Depth);
}
