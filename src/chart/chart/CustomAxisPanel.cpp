#include "chart/chart/CustomAxisPanel.h"

#include "chart/axes/ChartAxisParts.h"
#include "chart/core/PlotConst.h"
#include "chart/core/PlotProcs.h"
#include "chart/panel/PlotCursor.h"
#include "platform/SysUtils.h"

#include <algorithm>

// The series list, the axes, the ranges and colours of the axis panel.

TChartAxis& TChartCustomAxes::Add(bool Horizontal, bool OtherSide)
{
    FItems.push_back(std::make_unique<TChartAxis>(&FChart, Horizontal, OtherSide));
    FChart.FAxes.push_back(FItems.back().get());
    FChart.Invalidate();
    return *FItems.back();
}

void TChartCustomAxes::Delete(int Index)
{
    TChartAxis* Axis = FItems.at(size_t(Index)).get();
    FChart.RemovingAxis(*Axis);
    std::erase(FChart.FAxes, Axis);
    FItems.erase(FItems.begin() + Index);
    FChart.Invalidate();
}

bool TCustomAxisPanel::HasAxis(const TChartAxis* Axis) const
{
    return std::find(FAxes.begin(), FAxes.end(), Axis) != FAxes.end();
}

TCustomAxisPanel::TCustomAxisPanel()
{
    // Made once every field exists: an axis asks its chart for settings.
    FBottomAxis = std::make_unique<TChartAxis>(this, true, false);
    FTopAxis = std::make_unique<TChartAxis>(this, true, true);
    FLeftAxis = std::make_unique<TChartAxis>(this, false, false);
    FRightAxis = std::make_unique<TChartAxis>(this, false, true);
    FDepthAxis = std::make_unique<TChartDepthAxis>(this, false);
    FDepthTopAxis = std::make_unique<TChartDepthAxis>(this, true);
    FDepthAxis->SetVisible(false);
    FDepthTopAxis->SetVisible(false);
    FAxes = {FBottomAxis.get(), FTopAxis.get(),   FLeftAxis.get(),
             FRightAxis.get(),  FDepthAxis.get(), FDepthTopAxis.get()};
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    FDestroying = true;
    ReleaseAllSeries();
    FOwnedSeries.clear();
}

void TCustomAxisPanel::ReleaseAllSeries()
{
    const std::vector<TChartSeries*> Released = std::exchange(FSeriesList, {});
    for (TChartSeries* S : Released)
        S->Removed();
}

int TCustomAxisPanel::CountActiveSeries() const
{
    return int(std::count_if(FSeriesList.begin(), FSeriesList.end(),
                             [](const TChartSeries* S) { return S->Active(); }));
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* ASeries)
{
    if (!ASeries || std::find(FSeriesList.begin(), FSeriesList.end(), ASeries) != FSeriesList.end())
        return;
    ASeries->Added(this);
    FSeriesList.push_back(ASeries);
    BroadcastSeriesEvent(ASeries, seAdd);
    if (OnAddSeries)
        OnAddSeries(this, ASeries);
    Invalidate();
}

TChartSeries& TCustomAxisPanel::AddSeries(std::unique_ptr<TChartSeries> ASeries)
{
    TChartSeries& Added = *ASeries;
    FOwnedSeries.push_back(std::move(ASeries));
    Added.SetParentChart(this);
    return Added;
}

void TCustomAxisPanel::FreeAllSeries()
{
    // A series' removal may run handlers that change the list: it is read
    // anew for each series.
    while (!FSeriesList.empty()) {
        TChartSeries* S = FSeriesList.front();
        const auto Owned = std::find_if(FOwnedSeries.begin(), FOwnedSeries.end(),
                                        [S](const auto& Kept) { return Kept.get() == S; });
        if (Owned == FOwnedSeries.end()) {
            RemoveSeries(S);
            continue;
        }
        // Out of the keeping first: freeing it leaves the chart's lists whole.
        const std::unique_ptr<TChartSeries> Freed = std::move(*Owned);
        FOwnedSeries.erase(Owned);
    }
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* ASeries)
{
    if (std::find(FSeriesList.begin(), FSeriesList.end(), ASeries) == FSeriesList.end())
        return;
    BroadcastSeriesEvent(ASeries, seRemove);
    RemovingSeries(*ASeries);
    ASeries->Removed();
    std::erase(FSeriesList, ASeries);
    if (OnRemoveSeries)
        OnRemoveSeries(this, ASeries);
    Invalidate();
}

void TCustomAxisPanel::BroadcastSeriesEvent(TCustomChartSeries* ASeries, TChartSeriesEvent Event)
{
    if (DoNotBroadcast)
        return;
    TPlotSeriesEvent E;
    E.Series = ASeries;
    E.Event = Event;
    BroadcastPlotEvent(E);
}

void TCustomAxisPanel::RemovingAxis(TChartAxis& Axis)
{
    // Series on the axis fall back to the standard ones.
    for (TChartSeries* S : FSeriesList) {
        if (S->CustomHorizAxis() == &Axis)
            S->SetHorizAxis(aBottomAxis);
        if (S->CustomVertAxis() == &Axis)
            S->SetVertAxis(aLeftAxis);
    }
    for (TChartAxis* Other : FAxes)
        if (Other->MasterAxis() == &Axis)
            Other->SetMasterAxis(nullptr);
}

void TCustomAxisPanel::SetFastCalc(bool Value)
{
    if (!StoreChanged(FFastCalc, Value))
        return;
    for (TChartAxis* Axis : FAxes)
        Axis->SetCalcPosValue();
    Invalidate();
}

double TCustomAxisPanel::DepthMinMax(bool IsMax) const
{
    double Result = 0;
    bool First = true;
    for (const TChartSeries* S : FSeriesList) {
        if (!S->Active())
            continue;
        const double V = IsMax ? S->MaxZValue() : S->MinZValue();
        Result = First ? V : IsMax ? std::max(Result, V) : std::min(Result, V);
        First = false;
    }
    return Result;
}

double TCustomAxisPanel::InternalMinMax(const TChartAxis& Axis, bool IsX, bool IsMax) const
{
    if (Axis.IDepthAxis) {
        if (Axis.LabelStyle() == talText)
            return DepthMinMax(IsMax);
        return IsMax ? FMaxZOrder + 0.5 : -0.5;
    }
    const auto Bound = [&](const TChartSeries& S) {
        return IsX ? S.HorizAxis() == aBothHorizAxis || S.GetHorizAxis() == &Axis
                   : S.VertAxis() == aBothVertAxis || S.GetVertAxis() == &Axis;
    };
    // Inactive series count only while none on the axis is active.
    const bool AnyActive =
        std::any_of(FSeriesList.begin(), FSeriesList.end(),
                    [&](const TChartSeries* S) { return S->Active() && Bound(*S); });
    double Result = 0;
    bool First = true;
    for (TChartSeries* S : FSeriesList) {
        if ((AnyActive && !S->Active()) || S->Count() == 0 || !Bound(*S))
            continue;
        const double V = IsX ? (IsMax ? S->MaxXValue() : S->MinXValue())
                             : (IsMax ? S->MaxYValue() : S->MinYValue());
        Result = First ? V : IsMax ? std::max(Result, V) : std::min(Result, V);
        First = false;
    }
    return Result;
}

TChartSeries* TCustomAxisPanel::GetAxisSeries(const TChartAxis& Axis) const
{
    for (TChartSeries* S : FSeriesList)
        if (S->Active() && S->AssociatedToAxis(Axis))
            return S;
    return nullptr;
}

bool TCustomAxisPanel::CalcIsAxisVisible(const TChartAxis& Axis) const
{
    if (!FAxisVisible || !Axis.Visible())
        return false;
    if (Axis.IDepthAxis)
        return View3D();
    // The first active series decides: one without axes hides every axis.
    for (const TChartSeries* S : FSeriesList) {
        if (!S->Active())
            continue;
        if (!S->UseAxis())
            return false;
        if (S->AssociatedToAxis(Axis))
            return true;
    }
    return true;
}

TColor TCustomAxisPanel::GetDefaultColor(int Index) const
{
    if (ColorPalette.empty())
        return ::GetDefaultColor(Index);
    const int N = int(ColorPalette.size());
    return ColorPalette[size_t(((Index % N) + N) % N)];
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool CheckBackground, TChartSeries* ASeries)
{
    const size_t Count = !ColorPalette.empty()     ? ColorPalette.size()
                         : !::ColorPalette.empty() ? ::ColorPalette.size()
                                                   : std::size(DefaultPalette);
    TColor Result = clPlotColor;
    for (size_t I = 0; I < Count; ++I) {
        Result = GetDefaultColor(int(I));
        if (IsFreeSeriesColor(Result, CheckBackground, ASeries))
            break;
    }
    return Result;
}

void TCustomAxisPanel::DrawLegendShape(const TRect& Rect)
{
    Canvas().AssignVisiblePen(FLegendPen);
    Canvas().Rectangle(Rect);
}

int TCustomAxisPanel::MultiLineTextWidth(const std::string& Text, int& NumLines)
{
    const std::vector<std::string> Lines = PlotTextLines(Text);
    NumLines = int(Lines.size());
    int Widest = 0;
    for (const std::string& Line : Lines)
        Widest = std::max(Widest, Canvas().TextWidth(Line));
    return Widest;
}

int TCustomAxisPanel::WidestSeriesText(const TChartAxis* Axis, bool Marks, int* NumLines)
{
    int Widest = 0, MostLines = 0;
    // A mark text's handler may free or empty its series, or another one:
    // the list is read anew for each series. It may delete the axis: the
    // measure ends.
    TPlotLifetime NoAxis;
    const TPlotLifetime::TWatch AxisWatch(Axis ? Axis->Lifetime() : NoAxis);
    for (size_t I = 0; I < FSeriesList.size() && !AxisWatch.Gone(); ++I) {
        TChartSeries& S = *FSeriesList[I];
        if (!S.Active() || (Axis && !S.AssociatedToAxis(*Axis)) || (!Marks && !S.HasPointLabels()))
            continue;
        TPlotLifetime::TWatch Watch(S.Lifetime());
        for (int32_t P = 0; P < S.Count(); ++P) {
            const std::string Text = Marks ? S.GetMarkText(P) : S.PointLabel(P);
            if (Watch.Gone())
                break;
            int Lines = 0;
            Widest = std::max(Widest, MultiLineTextWidth(Text, Lines));
            MostLines = std::max(MostLines, Lines);
        }
    }
    if (NumLines)
        *NumLines = MostLines;
    return Widest;
}

int TCustomAxisPanel::MaxTextWidth(const TChartAxis* Axis, int* NumLines)
{
    return WidestSeriesText(Axis, false, NumLines);
}

int TCustomAxisPanel::MaxMarkWidth(const TChartAxis* Axis, int* NumLines)
{
    return WidestSeriesText(Axis, true, NumLines);
}

bool TCustomAxisPanel::CheckMouseSeries(int X, int Y)
{
    bool Hit = false;
    // A series' enter or leave handler may change the list: read it anew each time.
    for (int I = SeriesCount() - 1; I >= 0; --I) {
        if (I >= SeriesCount())
            continue;
        TChartSeries* S = FSeriesList[size_t(I)];
        if (S->Active() && S->CheckMouse(X, Y))
            Hit = true;
    }
    return Hit;
}

void TCustomAxisPanel::SetCursor(TSeriesCursor ACursor)
{
    if (ACursor >= 0 && ACursor <= Qt::LastCursor)
        SetCursor(Qt::CursorShape(ACursor));
    else
        SetCursor(PlotCursor(ACursor).shape());
}

void TCustomAxisPanel::SetChart3DPercent(int Value)
{
    constexpr int Lowest = 1, Highest = 100;
    if (Value < Lowest || Value > Highest)
        throw ChartException(Format(PlotConst::PlotMsg_3dPercent, Lowest, Highest));
    SetIntegerProperty(F3DPercent, Value);
}

void TCustomAxisPanel::CalcSize3DWalls()
{
    if (!View3D()) {
        FSeriesWidth3D = FSeriesHeight3D = 0;
        TCustomPlotPanel::Width3D = Height3D = 0;
        return;
    }
    // The depth is a share of the chart's width; each z order takes a slab of it.
    const int Slabs = FApplyZOrder ? std::max(FMaxZOrder + 1, 1) : 1;
    const int Depth = int(Round(0.01 * F3DPercent * ChartWidth()));
    TCustomPlotPanel::Width3D = Depth;
    Height3D =
        View3DOptions().Orthogonal() ? int(Round(Depth * View3DOptions().CalcOrthoRatio())) : Depth;
    FSeriesWidth3D = Depth / Slabs;
    FSeriesHeight3D = Height3D / Slabs;
}

bool TCustomAxisPanel::SeenFromBehind()
{
    const TView3DOptions& V = View3DOptions();
    return View3D() &&
           (V.Orthogonal() ? V.OrthoAngle() > 90 : V.Rotation() > 90 && V.Rotation() < 270);
}

void TCustomAxisPanel::CalcInvertedRotation()
{
    // Seen from behind, the values are drawn in the other order.
    FInvertedRotation = SeenFromBehind();
}

bool TCustomAxisPanel::DrawBackWallAfter(int Z)
{
    return SeenFromBehind() && Z <= TCustomPlotPanel::Width3D;
}

void TCustomAxisPanel::SetSeriesZOrder()
{
    FMaxZOrder = 0;
    if (View3D() && FApplyZOrder)
        for (TChartSeries* S : FSeriesList)
            if (S->Active())
                S->CalcZOrder();
    if (FDepthAxis->Inverted())
        return;
    for (TChartSeries* S : FSeriesList)
        if (S->Active())
            S->SetComputedZOrder(View3D() ? FMaxZOrder - S->ZOrder() : 0);
}
