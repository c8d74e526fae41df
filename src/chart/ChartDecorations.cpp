#include "chart/ChartDecorations.h"

TChartDecorations::TChartDecorations(TCustomPlotPanel& APanel, TCustomAxisPanel& AChart)
    : FPanel(APanel), FChart(AChart), FWalls(&APanel), FTitle(&APanel), FSubTitle(&APanel),
      FFoot(&APanel), FSubFoot(&APanel), FLegend(&APanel, &AChart)
{
}

void TChartDecorations::SetView3DWalls(bool Value)
{
    if (StoreChanged(FView3DWalls, Value))
        FPanel.Invalidate();
}

void TChartDecorations::SetBackColor(TColor Value)
{
    TChartBackWall& Back = FWalls.Back();
    Back.SetColor(Value);
    Back.Brush().SetStyle(bsSolid);
    Back.SetTransparent(false);
}

int TChartDecorations::CalcWallSize(const TChartAxis& Axis)
{
    if (!Walls3D())
        return 0;
    TCustomChartWall* Wall = &FWalls.Back();
    if (&Axis == FChart.LeftAxis())
        Wall = &FWalls.Left();
    else if (&Axis == FChart.BottomAxis())
        Wall = &FWalls.Bottom();
    else if (&Axis == FChart.RightAxis())
        Wall = &FWalls.Right();
    return Wall->Visible() ? Wall->Size() : 0;
}

void TChartDecorations::CalcWallsRect()
{
    if (Walls3D()) {
        TRect& R = FPanel.ChartRect;
        bool UsesAxes = false;
        for (int I = 0; I < FChart.SeriesCount(); ++I) {
            const TChartSeries& S = FChart.Series(I);
            UsesAxes = UsesAxes || (S.Active() && S.UseAxis());
        }
        // The depth shows beside the axes; a chart without them keeps its width.
        const int Depth = UsesAxes ? FPanel.Width3D + FWalls.Back().Size() : 0;
        if (FPanel.View3DOptions().Elevation() <= 90)
            R.Right -= Depth;
        else
            R.Left += Depth;
        if (FWalls.Right().Visible())
            R.Right -= FWalls.Right().Size() + 1;
        if (FWalls.Left().Visible())
            R.Left += FWalls.Left().Size() + 1;
        R.Top += FWalls.Back().Size() + FPanel.Height3D;
    }
    FPanel.ReCalcWidthHeight();
}

void TChartDecorations::DrawWalls()
{
    FWalls.Draw(FPanel.View3D(), FView3DWalls, FPanel.Width3D);
}

void TChartDecorations::DrawTitles(bool CustomPositioned)
{
    TCanvas3D& C = FPanel.Canvas();
    for (TChartTitle* T : {&FTitle, &FSubTitle, static_cast<TChartTitle*>(&FFoot),
                           static_cast<TChartTitle*>(&FSubFoot)}) {
        if (T->CustomPosition() != CustomPositioned)
            continue;
        C.BeginEntity();
        T->DrawTitle();
        C.EndEntity();
    }
}

void TChartDecorations::DrawLegendIf(bool CustomPositioned)
{
    if (FLegend.CustomPosition() == CustomPositioned && FLegend.ShouldDraw())
        FLegend.DrawLegend();
}

void TChartDecorations::DrawTitlesAndLegend(bool BeforeSeries)
{
    if (!BeforeSeries) {
        DrawLegendIf(true);
        DrawTitles(true);
        return;
    }
    const bool Sideways = FLegend.Alignment() == laLeft || FLegend.Alignment() == laRight;
    if (Sideways)
        DrawLegendIf(false);
    DrawTitles(false);
    if (!Sideways)
        DrawLegendIf(false);
    FPanel.ReCalcWidthHeight();
}
