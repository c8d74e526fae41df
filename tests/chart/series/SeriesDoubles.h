#pragma once

// Doubles for the chart and its axes, shared by the series tests.

#include "chart/canvas/PlotEngineScope.h"
#include "chart/chart/Chart.h"
#include "chart/series/ChartSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace series_test {

// A surface of 400 x 300 that a frame paints white, then whatever the test
// draws in DrawMore; flat, as the terminal's charts are, unless a test turns
// the view to 3D.
template <class TBase> class TPaper : public TBase {
public:
    TPaper()
    {
        this->SetSize(400, 300);
        this->SetView3D(false);
        this->BevelOuter = bvNone;
    }
    void InternalDraw(const TRect&) override
    {
        TCanvas3D& C = this->Canvas();
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(clWhite);
        C.FillRect({0, 0, this->Width(), this->Height()});
        if (DrawMore)
            DrawMore();
    }
    void Frame() { this->Draw(&this->ControlCanvas(), this->GetRectangle()); }
    TColor At(int X, int Y)
    {
        return TColor(FromQRgb(this->PlotCanvas().Bitmap()->Image().pixel(X, Y)));
    }
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

// The surface that marks and pointers draw on.
using TDrawPanel = TPaper<TCustomPlotPanelExtended>;

// A chart around the series, drawn as a plain surface: its rectangle is
// fixed at 100..300 wide and 50..250 high; the bottom axis shows 10..20, the
// left one 0..100. It records the series events it broadcasts.
class TPanelDouble : public TPaper<TChart>, public IPlotEventListener {
public:
    TPanelDouble()
    {
        SetView3D(false);
        SetCustomChartRect(true);
        Listeners().push_back(this);
        LayOut();
    }
    ~TPanelDouble() override { std::erase(Listeners(), static_cast<IPlotEventListener*>(this)); }

    // Lays the axes out for a frame, as the chart does before drawing.
    void LayOut()
    {
        TCustomPlotPanel::ChartRect = Rect;
        ReCalcWidthHeight();
        for (auto [Axis, Min, Max] : {std::tuple{&Bottom, 10.0, 20.0},
                                      {&Top, 0.0, 1.0},
                                      {&Left, 0.0, 100.0},
                                      {&Right, 0.0, 10.0}}) {
            Axis->SetMinMax(Min, Max);
            Axis->AdjustMaxMin();
            Axis->InternalCalcPositions();
        }
    }
    void PlotEvent(TPlotEvent& E) override
    {
        if (auto* S = dynamic_cast<TPlotSeriesEvent*>(&E))
            Events.push_back(S->Event);
    }

    TRect Rect{100, 50, 300, 250};
    TChartAxis& Bottom = *BottomAxis();
    TChartAxis& Top = *TopAxis();
    TChartAxis& Left = *LeftAxis();
    TChartAxis& Right = *RightAxis();
    std::vector<TChartSeriesEvent> Events;
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
