#pragma once

// A whole chart for the pipeline and mouse tests, and a series that draws
// and hits plain boxes.

#include "chart/canvas/PlotEngineScope.h"
#include "chart/chart/Chart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

namespace chart_test {

// Each point a 5 x 5 box in its colour, hit within 3 pixels.
class TBoxSeries : public TChartSeries {
public:
    void DrawValue(int32_t ValueIndex) override
    {
        if (OnDraw)
            OnDraw(ValueIndex);
        TCanvas3D& C = ParentChart()->Canvas();
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(GetValueColor(ValueIndex));
        const int X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
        C.FillRect({X - 2, Y - 2, X + 3, Y + 3});
    }
    int32_t Clicked(int32_t X, int32_t Y) override
    {
        for (int32_t I = 0; I < Count(); ++I)
            if (std::abs(CalcXPos(I) - X) <= 3 && std::abs(CalcYPos(I) - Y) <= 3)
                return I;
        return -1;
    }
    void CalcHorizMargins(int32_t& Left, int32_t& Right) override
    {
        std::tie(Left, Right) = Margins;
    }

    std::function<void(int32_t)> OnDraw;
    std::pair<int32_t, int32_t> Margins;
};

// A 2D chart on a white panel, the top and right axes hidden, fixed label
// rooms (left 30, bottom 20) and solid grey grids.
class TTestChart : public TChart {
public:
    TTestChart(int W, int H, TRect Margins)
    {
        SetSize(W, H);
        SetColor(clWhite);
        BevelOuter = bvNone;
        SetView3D(false);
        SetMarginUnits(muPixels);
        for (int I : {0, 1, 2, 3})
            SetMargin(I, (&Margins.Left)[I]);
        TopAxis()->SetVisible(false);
        RightAxis()->SetVisible(false);
        LeftAxis()->SetLabelsSize(30);
        BottomAxis()->SetLabelsSize(20);
        for (TChartAxis* A : {LeftAxis(), BottomAxis()}) {
            A->Grid().SetStyle(psSolid);
            A->Grid().SetColor(clGray);
        }
    }
    void Frame() { Draw(&ControlCanvas(), GetRectangle()); }
    TColor At(int X, int Y) { return TColor(FromQRgb(PlotCanvas().Bitmap()->Image().pixel(X, Y))); }
    TRect& Rect() { return TCustomPlotPanel::ChartRect; }
};

// A 600 x 350 chart whose axes leave it the rectangle (50, 20, 550, 300): the
// bottom axis shows 100..200 there (5 pixels a unit), the left one 0..100
// (2.8 pixels a unit); the left axis' title takes the 10 pixels beside the
// panel's margin. One box at (150, 50), drawn at (300, 160).
struct TMouseChart {
    TTestChart Chart{600, 350, {4, 20, 50, 24}};
    TBoxSeries Box;
    TChartAxis& Bottom = *Chart.BottomAxis();
    TChartAxis& Left = *Chart.LeftAxis();
    TMouseChart()
    {
        Left.Title().SetCaption("Price");
        Left.SetTitleSize(10);
        Chart.Legend().SetVisible(false);
        Box.SetParentChart(&Chart);
        Box.AddXY(150, 50);
        Bottom.SetMinMax(100, 200);
        Left.SetMinMax(0, 100);
        Chart.Frame();
    }
    static std::pair<double, double> Range(const TChartAxis& A)
    {
        return {A.Minimum(), A.Maximum()};
    }
};

} // namespace chart_test
