#include "chart/chart/Chart.h"

#include "chart/chart/ChartPalettes.h"

#include <algorithm>

// The chart's parts: walls, titles and legend, the back colour, and the
// colours a new series may take.

TShiftState PlotScrollKeyShift = 0;
bool PlotUseMouseWheel = true;

TCustomChart::TCustomChart()
{
    const bool Repaint = AutoRepaint();
    SetAutoRepaint(false);
    FTitle = std::make_unique<TChartTitle>(this);
    FScrollMouse = mbRight;
    FSubTitle = std::make_unique<TChartTitle>(this);
    FFoot = std::make_unique<TChartFootTitle>(this);
    FSubFoot = std::make_unique<TChartFootTitle>(this);
    FWalls = std::make_unique<TChartWalls>(this);
    FLegend = std::make_unique<TChartLegend>(this, this);
    // The legend forgets a series that leaves the chart.
    Listeners().push_back(FLegend.get());
    FRestoredAxisScales = true;
    SetAutoRepaint(Repaint);
}

TCustomChart::~TCustomChart()
{
    FDestroying = true;
    FSavedScales.clear();
    SetAutoRepaint(false);
    std::erase(Listeners(), static_cast<IPlotEventListener*>(FLegend.get()));
    ReleaseAllSeries();
    FSubTitle.reset();
    FTitle.reset();
    FSubFoot.reset();
    FFoot.reset();
    FWalls.reset();
    FLegend.reset();
}

TColor TCustomChart::GetBackColor()
{
    const TChartBackWall& Back = FWalls->Back();
    return Back.Transparent() ? Color() : Back.FillColor();
}

void TCustomChart::SetBackColor(TColor Value)
{
    TChartBackWall& Back = FWalls->Back();
    Back.SetColor(Value);
    Back.Brush().SetStyle(bsSolid);
    Back.SetTransparent(false);
}

void TCustomChart::SetColorPaletteIndex(int Value)
{
    if (!StoreChanged(FColorPaletteIndex, Value))
        return;
    ApplyPalette(*this, Value);
}

int TCustomChart::CalcWallSize(const TChartAxis& Axis) const
{
    if (!Walls3D())
        return 0;
    TCustomChartWall* Wall = &FWalls->Back();
    if (&Axis == LeftAxis())
        Wall = &FWalls->Left();
    else if (&Axis == BottomAxis())
        Wall = &FWalls->Bottom();
    else if (&Axis == RightAxis())
        Wall = &FWalls->Right();
    return Wall->Visible() ? Wall->Size() : 0;
}

std::string TCustomChart::FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex)
{
    if (!ASeries)
        return {};
    std::string Text = FLegend->FormattedValue(*ASeries, ValueIndex);
    if (OnGetLegendText)
        OnGetLegendText(this, FLegend->InternalLegendStyle(), ValueIndex, Text);
    return Text;
}

void TCustomChart::DrawLegendShape(const TRect& Rect)
{
    const TPlotGradient& Own = FLegend->Symbol().Gradient();
    if (!Own.Visible()) {
        TCustomAxisPanel::DrawLegendShape(Rect);
        return;
    }
    TPlotGradient Row;
    Row.Assign(Own);
    Row.SetEndColor(LegendColor());
    TCanvas3D& C = Canvas();
    Row.Draw(C, Rect);
    C.Brush().SetStyle(bsClear);
    C.AssignVisiblePen(LegendPen());
    C.Rectangle(Rect);
}

bool TCustomChart::IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                                     const TChartSeries* ASeries) const
{
    for (const TChartSeries* S : SeriesList())
        if (S != ASeries && S->SeriesColor() == AColor)
            return false;
    return !CheckBackground || (AColor != Color() && AColor != FWalls->Back().Color());
}

bool TCustomChart::SeriesUseAxes() const
{
    return std::any_of(SeriesList().begin(), SeriesList().end(),
                       [](const TChartSeries* S) { return S->Active() && S->UseAxis(); });
}

void TCustomChart::CalcWallsRect()
{
    CalcSize3DWalls();
    if (Walls3D()) {
        TRect& R = TCustomPlotPanel::ChartRect;
        // The depth shows beside the axes; a chart without them keeps its width.
        const int Depth = SeriesUseAxes() ? TCustomPlotPanel::Width3D + FWalls->Back().Size() : 0;
        if (View3DOptions().Elevation() <= 90)
            R.Right -= Depth;
        else
            R.Left += Depth;
        if (FWalls->Right().Visible())
            R.Right -= FWalls->Right().Size() + 1;
        if (FWalls->Left().Visible())
            R.Left += FWalls->Left().Size() + 1;
        R.Top += FWalls->Back().Size() + Height3D;
    }
    ReCalcWidthHeight();
}

void TCustomChart::DrawWalls()
{
    FWalls->Draw(View3D(), View3DWalls(), TCustomPlotPanel::Width3D);
}

std::vector<std::pair<TChartTitle*, TChartClickedPartStyle>> TCustomChart::Titles() const
{
    return {{FTitle.get(), cpTitle},
            {FSubTitle.get(), cpSubTitle},
            {FFoot.get(), cpFoot},
            {FSubFoot.get(), cpSubFoot}};
}

void TCustomChart::DrawTitles(bool CustomPositioned)
{
    TCanvas3D& C = Canvas();
    for (const auto& [T, Part] : Titles()) {
        if (T->CustomPosition() != CustomPositioned)
            continue;
        C.BeginEntity();
        T->DrawTitle();
        C.EndEntity();
    }
}

void TCustomChart::DrawLegendIf(bool CustomPositioned)
{
    if (FLegend->CustomPosition() == CustomPositioned && FLegend->ShouldDraw())
        FLegend->DrawLegend();
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries)
{
    if (!BeforeSeries) {
        DrawLegendIf(true);
        DrawTitles(true);
        return;
    }
    const bool Sideways = FLegend->Alignment() == laLeft || FLegend->Alignment() == laRight;
    if (Sideways)
        DrawLegendIf(false);
    DrawTitles(false);
    if (!Sideways)
        DrawLegendIf(false);
    ReCalcWidthHeight();
}

void TCustomChart::RemovingAxis(TChartAxis& Axis)
{
    TCustomAxisPanel::RemovingAxis(Axis);
    std::erase_if(FSavedScales, [&](const TAxisSavedScales& S) { return S.Axis == &Axis; });
}

void TCustomChart::RemovingSeries(TChartSeries& Series)
{
    if (FClickedSeries == &Series)
        FClickedSeries = nullptr;
}
