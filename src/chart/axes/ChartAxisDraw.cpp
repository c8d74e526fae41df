#include "chart/axes/ChartAxis.h"

#include "chart/axes/AxisLabelSteps.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int NormalAngle(int Angle)
{
    return ((Angle % 360) + 360) % 360;
}

} // namespace

int TChartAxis::OutwardsSign() const
{
    // Bottom and right axes grow down and right, top and left axes up and left.
    return FHorizontal != FOtherSide ? 1 : -1;
}

int TChartAxis::TitleRoom(TCanvas3D& Canvas)
{
    if (!FAxisTitle.Shown())
        return 0;
    if (FTitleSize > 0)
        return FTitleSize;
    Canvas.AssignFont(FAxisTitle.Font());
    const int angle = NormalAngle(FAxisTitle.Angle());
    const bool upright = angle == 90 || angle == 270;
    // A title running along the axis takes a line's height, one across it its width.
    if (upright != FHorizontal)
        return Canvas.GetFontHeight();
    return Canvas.TextWidth(FAxisTitle.Caption());
}

void TChartAxis::CalcRect(TRect& R, bool InflateChartRectangle)
{
    IAxisDateTime = IsDateTime();
    const int outwards = OutwardsSign();
    if (!InflateChartRectangle) {
        FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
        FPosLabels = FPosAxis + outwards * SizeTickAxis();
        // Measuring the labels runs their handlers, which may delete a
        // custom axis (only the standard ones take room, below).
        TPlotLifetime::TWatch watch(FLifetime);
        const int labels = SizeLabels();
        if (!watch.Gone())
            FPosTitle = FPosLabels + outwards * labels;
        return;
    }
    int& edge = RoomEdge(R);
    auto cut = [&](int Room) { return edge -= outwards * Room; };
    FPosTitle = cut(FParentChart ? TitleRoom(FParentChart->Canvas()) : 0);
    FPosLabels = cut(SizeLabels());
    cut((FParentChart ? FParentChart->CalcWallSize(*this) : 0) + SizeTickAxis());
    FPosTitle = ApplyPosition(FPosTitle, R);
    FPosLabels = ApplyPosition(FPosLabels, R);
}

int& TChartAxis::RoomEdge(TRect& R) const
{
    return FHorizontal ? (FOtherSide ? R.Top : R.Bottom) : (FOtherSide ? R.Right : R.Left);
}

void TChartAxis::Draw(bool CalcPosAxis)
{
    if (!FParentChart)
        return;
    TCanvas3D& canvas = FParentChart->Canvas();
    const TRect chart = FParentChart->ChartRect();
    canvas.BeginEntity();
    IAxisDateTime = IsDateTime();
    if (CalcPosAxis)
        FPosAxis = ApplyPosition(GetRectangleEdge(chart), chart);
    DrawAxisTitle(canvas);
    Tick.clear();
    FTickValues.clear();
    // A label's handler may delete the axis: it draws no more.
    TPlotLifetime::TWatch watch(FLifetime);
    DrawLabels(canvas);
    if (!watch.Gone())
        DrawTicksGrid(canvas, chart);
    canvas.EndEntity();
}

TRect TChartAxis::TitleRect() const
{
    const int inner = FPosTitle, outer = FPosTitle + OutwardsSign() * FTitleRoom;
    const int low = std::min(inner, outer), high = std::max(inner, outer);
    return FHorizontal ? TRect{IStartPos, low, IEndPos, high}
                       : TRect{low, IStartPos, high, IEndPos};
}

void TChartAxis::DrawAxisTitle(TCanvas3D& Canvas)
{
    FTitleRoom = 0;
    if (!FAxisTitle.Shown())
        return;
    const int room = TitleRoom(Canvas);
    FTitleRoom = room;
    Canvas.AssignFont(FAxisTitle.Font());
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    // The caption is centred in its room: the reference point is its top
    // centre, turned with it about the centre.
    const int across = FPosTitle + OutwardsSign() * room / 2;
    const int centreX = FHorizontal ? ICenterPos : across;
    const int centreY = FHorizontal ? across : ICenterPos;
    const int angle = NormalAngle(FAxisTitle.Angle());
    const double halfHeight = Canvas.GetFontHeight() / 2.0;
    if (!FAxisTitle.Format().Transparent()) {
        // The framed shape holds the caption, turned with it.
        const bool upright = angle == 90 || angle == 270;
        const int width = Canvas.TextWidth(FAxisTitle.Caption()), height = Canvas.GetFontHeight();
        // A little room beside the caption, none across: the box stays in its room.
        const int halfX = upright ? height / 2 : width / 2 + 2;
        const int halfY = upright ? width / 2 + 2 : height / 2;
        DrawLabelBox(Canvas,
                     {{centreX - halfX, centreY - halfY},
                      {centreX + halfX, centreY - halfY},
                      {centreX + halfX, centreY + halfY},
                      {centreX - halfX, centreY + halfY}},
                     FAxisTitle.Format());
        Canvas.AssignFont(FAxisTitle.Font());
        Canvas.Brush().SetStyle(bsClear);
        Canvas.SetBackMode(cbmTransparent);
    }
    const int x = centreX - int(Round(halfHeight * std::sin(angle * PlotPiStep)));
    const int y = centreY - int(Round(halfHeight * std::cos(angle * PlotPiStep)));
    Canvas.SetTextAlign(TA_CENTER | TA_TOP);
    if (angle == 0)
        Canvas.TextOut3D(x, y, 0, FAxisTitle.Caption());
    else
        Canvas.RotateLabel3D(x, y, 0, FAxisTitle.Caption(), angle);
}

void TChartAxis::DrawLabels(TCanvas3D& Canvas)
{
    FLabelCount = 0;
    if (!FItems.Automatic()) {
        DrawCustomLabels(Canvas);
        return;
    }
    FItems.ClearGenerated();
    const TAxisLabelStyle style = CalcLabelStyle();
    if (style == talNone)
        return;
    if (IDepthAxis && style == talText) {
        DrawDepthLabels(Canvas);
        return;
    }
    // Measuring and drawing the labels runs their handlers, which may delete
    // the axis.
    TPlotLifetime::TWatch watch(FLifetime);
    const double inc = CalcIncrement();
    if (watch.Gone())
        return;
    // The calendar step the desired increment starts from, moved up to the step in force.
    TDateTimeStep step = dtNone;
    if (IAxisDateTime && FExactDateTime && FDesiredIncrement != 0) {
        step = FindDateTimeStep(FDesiredIncrement);
        while (step < dtOneYear && inc > DateTimeStep[step])
            step = TDateTimeStep(step + 1);
    }
    const bool calendar = step >= dtHalfMonth && step <= dtOneYear;
    if (!(inc > 0 || calendar) || !(IMaximum >= IMinimum))
        return;
    FAlternateShift = 0;
    FOppositeShift = 0;
    if (!FHorizontal && FLabelsAlternate) {
        const int width = MaxLabelsWidth();
        if (watch.Gone())
            return;
        FAlternateShift = width;
    }
    if (!FHorizontal && FLabelsAlign == alOpposite) {
        const int size = SizeLabels();
        if (watch.Gone())
            return;
        FOppositeShift = size;
    }
    Canvas.AssignFont(FLabelsFont);
    if (FHorizontal && FLabelsAlternate)
        FAlternateShift = Canvas.GetFontHeight();
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    if (style == talValue) {
        if (!FParentChart->OnGetNextAxisLabel() || (!DoCustomLabels(Canvas) && !watch.Gone()))
            DrawValueLabels(Canvas, inc, step);
    } else {
        DrawSeriesLabels(Canvas, style == talMark);
    }
}

void TChartAxis::DrawValueLabels(TCanvas3D& Canvas, double Increment, TDateTimeStep Step)
{
    // The handlers may delete the axis: the values are held here meanwhile.
    std::vector<double> values = std::move(FLabelValues);
    TPlotLifetime::TWatch watch(FLifetime);
    if (FLogarithmic && FDesiredIncrement == 0)
        PlotLogLabelValues(IMinimum, IMaximum, FLogarithmicBase, values);
    else {
        TLabelLoop loop;
        loop.Minimum = IMinimum;
        loop.Maximum = IMaximum;
        loop.Increment = Increment;
        loop.ExactDateTime = IAxisDateTime && FExactDateTime;
        loop.Step = Step;
        loop.RoundFirstLabel = FRoundFirstLabel;
        if (OnCalcMaxLabel)
            loop.FirstLabelShift = [this](double Value) { return OnCalcMaxLabel(*this, 0, Value); };
        PlotDefaultLabelValues(loop, values);
    }
    for (const double value : values) {
        if (watch.Gone())
            return;
        InternalDrawLabel(Canvas, value);
    }
    if (!watch.Gone())
        FLabelValues = std::move(values);
}

bool TChartAxis::DoCustomLabels(TCanvas3D& Canvas)
{
    constexpr int lastIndex = 2000;
    constexpr double tolerance = 1e-7;
    const TAxisGetNextLabelEvent& next = FParentChart->OnGetNextAxisLabel();
    // The handlers may delete the axis: its labels end there.
    TPlotLifetime::TWatch watch(FLifetime);
    double value = IMinimum;
    for (int index = 0; index <= lastIndex; ++index) {
        bool stop = true;
        next(*this, index, value, stop);
        if (watch.Gone() || stop)
            return index > 0;
        if (!(value >= IMinimum - tolerance && value <= IMaximum + tolerance))
            return true;
        InternalDrawLabel(Canvas, value);
        if (watch.Gone())
            return true;
    }
    return true;
}

void TChartAxis::DrawSeriesLabels(TCanvas3D& Canvas, bool Marks)
{
    // The index range of every series on the axis; each index is labelled by
    // the first series whose visible range holds it.
    std::vector<const IChartSeries*> onAxis;
    int32_t first = INT32_MAX;
    int32_t last = -1;
    for (int i = 0; i < FParentChart->SeriesCount(); ++i) {
        const IChartSeries& series = FParentChart->Series(i);
        if (!series.Active() || !series.ValueListOfAxis(*this) || series.FirstValueIndex() < 0)
            continue;
        onAxis.push_back(&series);
        first = std::min(first, series.FirstValueIndex());
        last = std::max(last, series.LastValueIndex());
    }
    bool havePrevious = false;
    int previousLow = 0;
    int previousHigh = 0;
    TPlotLifetime::TWatch watch(FLifetime);
    for (int32_t index = first; index <= last; ++index) {
        const auto owner = std::find_if(onAxis.begin(), onAxis.end(), [&](const IChartSeries* S) {
            return index >= S->FirstValueIndex() && index <= S->LastValueIndex() &&
                   index < S->Count();
        });
        if (owner == onAxis.end())
            continue;
        // The handlers may delete the axis, free a series, take it off the
        // chart or empty it: the labels stop for this frame.
        const auto stopped = [&] {
            return watch.Gone() || !AllOnChart(onAxis) || index >= (*owner)->Count();
        };
        std::string text = Marks ? (*owner)->MarkText(index) : (*owner)->PointLabel(index);
        if (Marks && stopped())
            return;
        if (FParentChart->OnGetAxisLabel()) {
            FParentChart->OnGetAxisLabel()(*this, *owner, index, text);
            if (stopped())
                return;
        }
        BreakLines(text);
        if (text.empty())
            continue;
        const int pos = FHorizontal ? (*owner)->CalcXPos(index) : (*owner)->CalcYPos(index);
        const int half = AlongAxis(LabelExtent(Canvas, text)) / 2;
        if (FLabelsSeparation != 0 && havePrevious && pos - half < previousHigh &&
            pos + half > previousLow)
            continue;
        havePrevious = true;
        previousLow = pos - half;
        previousHigh = pos + half;
        DrawThisLabel(Canvas, pos, CalcPosPoint(pos), std::move(text));
        if (stopped())
            return;
    }
}

bool TChartAxis::AllOnChart(const std::vector<const IChartSeries*>& List) const
{
    const auto onChart = [this](const IChartSeries* S) {
        for (int i = 0; i < FParentChart->SeriesCount(); ++i)
            if (&FParentChart->Series(i) == S)
                return true;
        return false;
    };
    return std::all_of(List.begin(), List.end(), onChart);
}

void TChartAxis::InternalDrawLabel(TCanvas3D& Canvas, double Value)
{
    const int pos = CalcPosValue(Value);
    if (!FLabelsOnAxis && !(pos > IStartPos && pos < IEndPos))
        return;
    if (!FTickOnLabelsOnly)
        AddTick(pos, Value);
    if (!FLabels)
        return;
    TPlotLifetime::TWatch watch(FLifetime);
    std::string text = LabelValue(Value);
    if (!watch.Gone())
        DrawThisLabel(Canvas, pos, Value, std::move(text));
}

void TChartAxis::DrawThisLabel(TCanvas3D& Canvas, int Pos, double Value, std::string Text,
                               TPlotFont* Font)
{
    if (FTickOnLabelsOnly)
        AddTick(Pos, Value);
    FItems.AddGenerated(Value, Text);
    int row = FPosLabels;
    if (FLabelsAlternate && FLabelCount % 2 == 1)
        row += OutwardsSign() * FAlternateShift;
    ++FLabelCount;
    int x = FHorizontal ? Pos : row;
    int y = FHorizontal ? row : Pos;
    int z = 0;
    bool draw = true;
    if (OnDrawLabel) {
        TPlotLifetime::TWatch watch(FLifetime);
        OnDrawLabel(*this, x, y, z, Text, draw);
        if (watch.Gone())
            return;
    }
    if (!draw || Text.empty())
        return;
    if (Font)
        Canvas.AssignFont(*Font);
    DrawAxisLabel(Canvas, x, y, Text);
    if (Font)
        Canvas.AssignFont(FLabelsFont);
}

void TChartAxis::DrawAxisLabel(TCanvas3D& Canvas, int X, int Y, const std::string& Text)
{
    const std::vector<std::string> lines = PlotTextLines(Text);
    if (NormalAngle(FLabelsAngle) != 0) {
        DrawTurnedLabel(Canvas, X, Y, lines);
        return;
    }
    const int lineHeight = Canvas.GetFontHeight();
    const int height = lineHeight * int(lines.size());
    int align = TA_CENTER;
    if (FHorizontal) {
        if (FOtherSide)
            Y -= height;
    } else {
        const bool opposite = FLabelsAlign == alOpposite;
        align = FOtherSide == opposite ? TA_RIGHT : TA_LEFT;
        if (opposite)
            X += OutwardsSign() * FOppositeShift;
        Y -= height / 2;
    }
    if (!FItems.Format().Transparent()) {
        const int width = LabelExtent(Canvas, Text).cx;
        const int left = align == TA_CENTER ? X - width / 2 : align == TA_RIGHT ? X - width : X;
        DrawLabelBox(Canvas,
                     {{left, Y}, {left + width, Y}, {left + width, Y + height}, {left, Y + height}},
                     FItems.Format());
    }
    Canvas.SetTextAlign(align | TA_TOP);
    for (const std::string& line : lines) {
        Canvas.TextOut3D(X, Y, 0, line);
        Y += lineHeight;
    }
}

void TChartAxis::AddTick(int Pos, double Value)
{
    Tick.push_back(Pos);
    FTickValues.push_back(Value);
}

void TChartAxis::DrawTicksGrid(TCanvas3D& Canvas, const TRect& Chart)
{
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    const int outwards = OutwardsSign();
    if (FAxis.Visible() && OnDrawAxis) {
        TPlotLifetime::TWatch watch(FLifetime);
        OnDrawAxis(*this);
        // The handler may have deleted the axis: it draws no more.
        if (watch.Gone())
            return;
    } else if (FAxis.Visible()) {
        Canvas.AssignVisiblePen(FAxis);
        if (FHorizontal)
            Canvas.HorizLine3D(IStartPos, IEndPos, FPosAxis, 0);
        else
            Canvas.VertLine3D(FPosAxis, IStartPos, IEndPos, 0);
    }
    DrawTicks(Canvas, FTicks, Tick, FTickLength, outwards);
    if (FGrid.Visible())
        DrawGrid(Canvas, FGrid, GridPositions(), Chart);
    DrawTicks(Canvas, FTicksInner, Tick, FTickInnerLength, -outwards);
    if (!FMinorTicks.Visible() && !FMinorGrid.Visible())
        return;
    const std::vector<int> minor = MinorTickPositions();
    DrawTicks(Canvas, FMinorTicks, minor, FMinorTickLength, outwards);
    if (FMinorGrid.Visible())
        DrawGrid(Canvas, FMinorGrid, minor, Chart);
}

void TChartAxis::DrawTicks(TCanvas3D& Canvas, TChartPen& Pen, const std::vector<int>& At,
                           int Length, int Outwards)
{
    if (!Pen.Visible() || Length == 0 || At.empty())
        return;
    Canvas.AssignVisiblePen(Pen);
    // Length pixels next to the axis line, on the other side for a negative length.
    const int side = Length > 0 ? 1 : -1;
    const int from = FPosAxis + Outwards * side;
    const int to = FPosAxis + Outwards * (Length + side);
    for (int pos : At) {
        if (FHorizontal)
            Canvas.VertLine3D(pos, from, to, 0);
        else
            Canvas.HorizLine3D(from, to, pos, 0);
    }
}

void TChartAxis::DrawGrid(TCanvas3D& Canvas, TChartPen& Pen, const std::vector<int>& At,
                          const TRect& Chart)
{
    Canvas.AssignVisiblePen(Pen);
    // Inside the axis lines on the rectangle's four edges.
    for (int pos : At) {
        if (FHorizontal)
            Canvas.VertLine3D(pos, Chart.Top + 1, Chart.Bottom, 0);
        else
            Canvas.HorizLine3D(Chart.Left + 1, Chart.Right, pos, 0);
    }
}

std::vector<int> TChartAxis::GridPositions() const
{
    std::vector<int> at;
    const size_t every = size_t(FGrid.DrawEvery());
    const size_t count =
        FGrid.Centered() ? Tick.size() - std::min<size_t>(Tick.size(), 1) : Tick.size();
    for (size_t i = 0; i < count; i += every)
        at.push_back(FGrid.Centered() ? (Tick[i] + Tick[i + 1]) / 2 : Tick[i]);
    return at;
}

std::vector<int> TChartAxis::MinorTickPositions() const
{
    std::vector<int> at;
    for (size_t i = 0; i + 1 < Tick.size(); ++i) {
        // Never more minor ticks than pixels between two ticks.
        const int room = std::abs(Tick[i + 1] - Tick[i]) - 1;
        if (FLogarithmic) {
            const double low = std::min(FTickValues[i], FTickValues[i + 1]);
            const double high = std::max(FTickValues[i], FTickValues[i + 1]);
            for (int m = 2, n = 0; n < room && m * low < high; ++m, ++n)
                at.push_back(CalcPosValue(m * low));
            continue;
        }
        const int count = std::min(FMinorTickCount, room);
        for (int j = 1; j <= count; ++j)
            at.push_back(Tick[i] + int(Round((Tick[i + 1] - Tick[i]) * double(j) / (count + 1))));
    }
    return at;
}
