#pragma once

// Doubles for the chart and its axes, shared by the series tests.

#include "PlotEngineScope.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "chart/PlotCanvas3D.h"
#include "chart/PlotPanelExtended.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace series_test {

// The chart around the series: rectangle 100..300 wide and 50..250 high;
// the bottom axis shows 10..20, the left one 0..100.
class TPanelDouble : public TCustomAxisPanel {
public:
    TPanelDouble() { LayOut(); }

    // Lays the axes out for a frame, as the chart does before drawing.
    void LayOut()
    {
        for (auto [Axis, Min, Max] : {std::tuple{&Bottom, 10.0, 20.0},
                                      {&Top, 0.0, 1.0},
                                      {&Left, 0.0, 100.0},
                                      {&Right, 0.0, 10.0}}) {
            Axis->SetMinMax(Min, Max);
            Axis->AdjustMaxMin();
            Axis->InternalCalcPositions();
        }
    }

    void Invalidate() override { ++Invalidates; }
    bool Destroying() const override { return false; }
    void InternalAddSeries(TCustomChartSeries* ASeries) override
    {
        auto* S = static_cast<TChartSeries*>(ASeries);
        if (std::find(List.begin(), List.end(), S) != List.end())
            return;
        S->Added(this);
        List.push_back(S);
    }
    void RemoveSeries(TCustomChartSeries* ASeries) override
    {
        auto* S = static_cast<TChartSeries*>(ASeries);
        List.erase(std::remove(List.begin(), List.end(), S), List.end());
        S->Removed();
    }
    int SeriesCount() const override { return static_cast<int>(List.size()); }
    const TChartSeries& Series(int Index) const override { return *List[Index]; }
    void BroadcastSeriesEvent(TCustomChartSeries*, TChartSeriesEvent Event) override
    {
        Events.push_back(Event);
    }
    void CheckDatasource(TChartSeries*) override {}
    std::string FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) override
    {
        return ASeries ? ASeries->LegendString(ValueIndex, ltsLeftValue) : std::string();
    }
    TChartAxis* BottomAxis() const override { return &Bottom; }
    TChartAxis* TopAxis() const override { return &Top; }
    TChartAxis* LeftAxis() const override { return &Left; }
    TChartAxis* RightAxis() const override { return &Right; }
    TColor GetDefaultColor(int Index) const override { return 0x100 + Index % 3; }
    TColor GetFreeSeriesColor(bool, TChartSeries*) override { return 0x0000FF; }
    TRect ChartRect() const override { return Rect; }
    bool View3D() const override { return Is3D; }
    bool InvertedRotation() const override { return false; }
    int MaxZOrder() const override { return MaxZ; }
    void SetMaxZOrder(int Value) override { MaxZ = Value; }
    void SetCursor(TSeriesCursor ACursor) override { Cursor = ACursor; }
    TCustomPlotPanel* PlotPanel() override { return Plot; }

    double InternalMinMax(const TChartAxis&, bool, bool) const override { return 0; }
    int CustomAxesCount() const override { return 0; }
    TChartAxis& CustomAxis(int) override { throw std::logic_error("no custom axes"); }
    TChartAxis* DepthAxis() override { return nullptr; }
    TChartAxis* DepthTopAxis() override { return nullptr; }
    int Width3D() const override { return Depth3D; }
    int CalcWallSize(const TChartAxis&) const override { return 0; }
    TCanvas3D& Canvas() override { return Surface; }
    const TAxisGetLabelEvent& OnGetAxisLabel() const override { return GetAxisLabel; }
    const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const override { return GetNextAxisLabel; }
    bool IsLoading() const override { return false; }
    bool FastCalc() const override { return false; }

    TRect Rect{100, 50, 300, 250};
    TPlotCanvas3D Surface;
    TAxisGetLabelEvent GetAxisLabel;
    TAxisGetNextLabelEvent GetNextAxisLabel;
    mutable TChartAxis Bottom{this, true, false};
    mutable TChartAxis Top{this, true, true};
    mutable TChartAxis Left{this, false, false};
    mutable TChartAxis Right{this, false, true};
    std::vector<TChartSeries*> List;
    std::vector<TChartSeriesEvent> Events;
    int Invalidates = 0;
    bool Is3D = false;
    int Depth3D = 0;
    int MaxZ = 0;
    TSeriesCursor Cursor = crSeriesDefault;
    TCustomPlotPanel* Plot = nullptr;
};

// The surface that marks and pointers draw on: 400 x 300, white, then
// whatever the test draws; flat, as the terminal's charts are, unless a
// test turns the view to 3D.
class TDrawPanel : public TCustomPlotPanelExtended {
public:
    TDrawPanel()
    {
        SetSize(400, 300);
        SetView3D(false);
        BevelOuter = bvNone;
    }
    void InternalDraw(const TRect&) override
    {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(clWhite);
        Canvas().FillRect({0, 0, Width(), Height()});
        if (DrawMore)
            DrawMore();
    }
    void Frame() { Draw(&ControlCanvas(), GetRectangle()); }
    TColor At(int X, int Y) { return TColor(FromQRgb(PlotCanvas().Bitmap()->Image().pixel(X, Y))); }
    // Pixels that are not white inside R.
    int Ink(const TRect& R)
    {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                N += At(X, Y) != clWhite;
        return N;
    }
    std::function<void()> DrawMore;
};

// A series with three further lists, as a candle series has.
class TFiveListSeries : public TChartSeries {
public:
    TFiveListSeries()
    {
        Open = new TChartValueList(this, "Open");
        High = new TChartValueList(this, "High");
        Low = new TChartValueList(this, "Low");
    }
    int32_t AddRow(double X, double Y, const std::string& Label = "", TColor Color = clPlotColor)
    {
        Open->SetTempValue(Y + 1);
        High->SetTempValue(Y + 2);
        Low->SetTempValue(Y - 1);
        return AddXY(X, Y, Label, Color);
    }
    void DrawValue(int32_t ValueIndex) override { Drawn.push_back(ValueIndex); }
    int32_t Clicked(int32_t X, int32_t) override { return X == 5 ? 0 : -1; }

    TChartValueList* Open;
    TChartValueList* High;
    TChartValueList* Low;
    std::vector<int32_t> Drawn;
};

// Every point's values, colour and label as one row, in index order.
using TRow = std::tuple<double, double, double, double, double, TColor, std::string>;
inline std::vector<TRow> Rows(const TFiveListSeries& S)
{
    std::vector<TRow> Result;
    for (int32_t I = 0; I < S.Count(); ++I)
        Result.emplace_back(S.XValues()[I], S.YValues()[I], (*S.Open)[I], (*S.High)[I], (*S.Low)[I],
                            S.ValueColor(I), S.Labels().Label(I));
    return Result;
}

inline void ExpectAligned(const TFiveListSeries& S)
{
    for (int32_t I = 0; I < S.Count(); ++I) {
        ASSERT_EQ(S.Open->Items(I), S.YValues()[I] + 1);
        ASSERT_EQ(S.High->Items(I), S.YValues()[I] + 2);
        ASSERT_EQ(S.Low->Items(I), S.YValues()[I] - 1);
        if (I > 0) {
            ASSERT_LE(S.XValues()[I - 1], S.XValues()[I]);
        }
    }
    for (auto* L : {S.Open, S.High, S.Low, &S.YValues()})
        ASSERT_EQ(L->Count(), S.Count());
    if (!S.Labels().Empty()) {
        ASSERT_EQ(S.Labels().Count(), S.Count());
    }
}

} // namespace series_test
