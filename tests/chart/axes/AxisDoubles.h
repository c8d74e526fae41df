#pragma once

// Doubles for the chart around an axis: its series with their value lists,
// and the panel with its rectangle, series extremes, canvas and label events.

#include "chart/axes/ChartAxis.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "chart/canvas/PlotEngineScope.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace axis_test {

struct TFakeValueList : IChartValueList {
    bool IsDateTime = false;
    bool DateTime() const override { return IsDateTime; }
};

// A series on Axis with Points points, all visible, at X (or Y) pixel 10 x index.
struct TFakeSeries : IChartSeries {
    bool IsActive = true;
    const TChartAxis* Axis = nullptr;
    TFakeValueList List;
    int32_t Points = 0;
    bool Vertical = true;
    std::vector<std::string> PointLabels;

    bool Active() const override { return IsActive; }
    const IChartValueList* ValueListOfAxis(const TChartAxis& A) const override
    {
        return &A == Axis ? &List : nullptr;
    }
    int32_t Count() const override { return Points; }
    bool YMandatory() const override { return Vertical; }
    int32_t FirstValueIndex() const override { return Points > 0 ? 0 : -1; }
    int32_t LastValueIndex() const override { return Points - 1; }
    int32_t CalcXPos(int32_t ValueIndex) const override { return 10 * ValueIndex; }
    int32_t CalcYPos(int32_t ValueIndex) const override { return 10 * ValueIndex; }
    bool HasPointLabels() const override
    {
        return std::any_of(PointLabels.begin(), PointLabels.end(),
                           [](const std::string& L) { return !L.empty(); });
    }
    const std::string& PointLabel(int32_t ValueIndex) const override
    {
        return PointLabels.at(size_t(ValueIndex));
    }
    std::string MarkText(int32_t ValueIndex) const override
    {
        return MarkTexts.empty() ? std::string() : MarkTexts.at(size_t(ValueIndex));
    }
    const std::string& Title() const override { return SeriesTitle; }
    int32_t ZOrder() const override { return Z; }
    double MinZValue() const override { return Z; }
    double MaxZValue() const override { return Z; }

    std::vector<std::string> MarkTexts;
    std::string SeriesTitle;
    int32_t Z = 0;
};

// The chart around the axes under test: a chart rectangle, series extremes,
// the axes it owns and a canvas without a surface (texts measure 0) until
// a test gives it one.
struct TFakePanel : ICustomAxisPanel {
    TRect Rect{100, 100, 600, 600};
    int Depth = 40;
    int WallSize = 0;
    double SeriesMin = 0;
    double SeriesMax = 0;
    bool Loading = false;
    bool Fast = false;
    int Invalidates = 0;
    std::vector<TFakeSeries*> SeriesList;
    std::vector<TChartAxis*> Custom;
    TChartAxis* Depth1 = nullptr;
    TChartAxis* Depth2 = nullptr;
    TPlotCanvas3D Surface;
    TAxisGetLabelEvent GetAxisLabel;
    TAxisGetNextLabelEvent GetNextAxisLabel;
    TAxisCalcPosLabels PosLabels;

    // A white surface of the given size to draw and measure on.
    void Paper(int Width, int Height)
    {
        Surface.InitWindow(nullptr, nullptr, clWhite, false, {0, 0, Width, Height});
        Surface.ResetState();
        Surface.Pen().SetStyle(psClear);
        Surface.FillRect({0, 0, Width, Height});
    }

    double InternalMinMax(const TChartAxis&, bool, bool IsMax) const override
    {
        return IsMax ? SeriesMax : SeriesMin;
    }
    int SeriesCount() const override { return int(SeriesList.size()); }
    const IChartSeries& Series(int Index) const override { return *SeriesList[Index]; }
    int CustomAxesCount() const override { return int(Custom.size()); }
    TChartAxis& CustomAxis(int Index) override { return *Custom[Index]; }
    TChartAxis* DepthAxis() override { return Depth1; }
    TChartAxis* DepthTopAxis() override { return Depth2; }
    TRect ChartRect() const override { return Rect; }
    int Width3D() const override { return Depth; }
    int CalcWallSize(const TChartAxis&) const override { return WallSize; }
    TCanvas3D& Canvas() override { return Surface; }
    const TAxisGetLabelEvent& OnGetAxisLabel() const override { return GetAxisLabel; }
    const TAxisGetNextLabelEvent& OnGetNextAxisLabel() const override { return GetNextAxisLabel; }
    const TAxisCalcPosLabels& CalcPosLabels() const override { return PosLabels; }
    int MaxTextWidth(const TChartAxis*, int*) override { return 0; }
    int MaxMarkWidth(const TChartAxis*, int*) override { return 0; }
    bool IsLoading() const override { return Loading; }
    bool FastCalc() const override { return Fast; }
    void Invalidate() override { ++Invalidates; }
};

// An axis laid out for one frame over the fake chart's rectangle.
inline void Frame(TChartAxis& Axis, double Min, double Max)
{
    Axis.SetMinMax(Min, Max);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
}

// A chart on a white 240 x 160 surface with the chart rectangle (20, 20) -
// (220, 120) and one series of 1,000 points; its axes label in DejaVu Sans 8.
struct AxisChartTest : testing::Test {
    TFakePanel Panel;
    TFakeSeries Series;

    AxisChartTest()
    {
        Panel.Rect = {20, 20, 220, 120};
        Panel.Paper(240, 160);
        Panel.SeriesList = {&Series};
    }
    // Puts the series on Axis.
    void Prepare(TChartAxis& Axis, bool DateTime = false)
    {
        Series.Axis = &Axis;
        Series.Vertical = Axis.Horizontal();
        Series.List.IsDateTime = DateTime;
        Series.Points = 1000;
        Axis.LabelsFont().SetName("DejaVu Sans");
        Axis.LabelsFont().SetSize(8);
    }
    // The room of a label (of a line of text, for none) with its 10 % separation.
    int Room(const std::string& Text)
    {
        TPlotFont font;
        font.SetName("DejaVu Sans");
        font.SetSize(8);
        Panel.Surface.AssignFont(font);
        const int size =
            Text.empty() ? Panel.Surface.GetFontHeight() : Panel.Surface.TextWidth(Text);
        return size + int(Round(0.1 * size));
    }
};

} // namespace axis_test
