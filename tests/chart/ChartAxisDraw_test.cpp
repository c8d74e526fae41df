#include "AxisDoubles.h"

#include "platform/DateUtils.h"

#include <QRect>
#include <gtest/gtest.h>
#include <limits>

using namespace axis_test;

namespace {

constexpr double Minute = 1.0 / 1440;
constexpr TColor White = 0xFFFFFF, Black = 0, Gray = 0x808080, Red = 0x0000FF, Green = 0x00FF00,
                 Blue = 0xFF0000;

struct TDrawnLabel {
    int X;
    int Y;
    std::string Text;
};

// An axis on a 240 x 160 page whose chart rectangle is (20, 20)-(220, 120),
// with DejaVu Sans labels; the labels drawn are recorded.
struct DrawTest : testing::Test {
    TFakePanel Panel;
    TFakeSeries Series;
    std::vector<TDrawnLabel> Drawn;

    DrawTest()
    {
        Panel.Rect = {20, 20, 220, 120};
        Panel.Paper(240, 160);
        Panel.SeriesList = {&Series};
    }
    void Prepare(TChartAxis& Axis, bool DateTime = false)
    {
        Series.Axis = &Axis;
        Series.Vertical = Axis.Horizontal();
        Series.List.IsDateTime = DateTime;
        Series.Points = 1000;
        Axis.LabelsFont().SetName("DejaVu Sans");
        Axis.LabelsFont().SetSize(8);
        Axis.OnDrawLabel = [this](TChartAxis&, int& X, int& Y, int&, std::string& Text, bool&) {
            Drawn.push_back({X, Y, Text});
        };
    }
    // Lays the axis out on the chart rectangle and draws one frame.
    void DrawFrame(TChartAxis& Axis, double Min, double Max)
    {
        Drawn.clear();
        Frame(Axis, Min, Max);
        TRect r = Panel.Rect;
        Axis.CalcRect(r, false);
        Axis.Draw(true);
    }
    TColor At(int X, int Y) { return Panel.Surface.GetPixel(X, Y); }
    // The box of every pixel that is not white inside Area.
    QRect Ink(const QRect& Area)
    {
        QRect box;
        for (int y = Area.top(); y <= Area.bottom(); ++y)
            for (int x = Area.left(); x <= Area.right(); ++x)
                if (At(x, y) != White)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const TDrawnLabel& l : Drawn)
            texts.push_back(l.Text);
        return texts;
    }
};

TEST_F(DrawTest, BottomAxisLineTicksGridAndLabelsAtKnownPixels)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(25);
    axis.Grid().SetStyle(psSolid);
    axis.Grid().SetColor(Green);
    axis.TicksInner().SetColor(Red);
    axis.SetTickInnerLength(6);
    axis.MinorTicks().SetColor(Blue);
    DrawFrame(axis, 0, 100);

    EXPECT_EQ(axis.Tick, (std::vector<int>{220, 170, 120, 70, 20}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"100", "75", "50", "25", "0"}));
    for (int x = 20; x < 220; ++x)
        ASSERT_EQ(At(x, 120), Black) << "axis line at " << x;
    EXPECT_EQ(At(19, 120), White);
    EXPECT_EQ(At(220, 120), White) << "the line leaves out its end pixel";
    for (int x : axis.Tick) {
        for (int y = 121; y <= 124; ++y)
            EXPECT_EQ(At(x, y), Gray) << "outer tick " << x << "," << y;
        EXPECT_EQ(At(x, 125), White);
        for (int y = 114; y <= 119; ++y)
            EXPECT_EQ(At(x, y), Red) << "inner tick " << x << "," << y;
        for (int y = 21; y <= 113; ++y)
            ASSERT_EQ(At(x, y), Green) << "grid " << x << "," << y;
        EXPECT_EQ(At(x, 20), White) << "the grid stays inside the top edge";
    }
    // Three minor ticks between 20 and 70: 32.5 and 57.5 round to even.
    for (int x : {32, 45, 58}) {
        EXPECT_EQ(At(x, 121), Blue) << x;
        EXPECT_EQ(At(x, 122), Blue) << x;
        EXPECT_EQ(At(x, 123), White) << x;
    }
    EXPECT_EQ(At(33, 121), White);

    // "50" centred on its tick, below the label row (axis line + 1 + tick length 4).
    EXPECT_EQ(axis.PosLabels(), 126);
    const QRect ink = Ink(QRect(95, 126, 51, 30));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(std::abs((ink.left() + ink.right()) / 2 - 120), 1)
        << ink.left() << ".." << ink.right();
    EXPECT_TRUE(Ink(QRect(95, 125, 51, 1)).isEmpty()) << "no text above the row";
}

TEST_F(DrawTest, TerminalPriceAxisTicksInsideAndLabelsBesideIt)
{
    // The right axis of a chart window.
    TChartAxis axis(&Panel, false, true);
    Prepare(axis);
    axis.SetTickLength(0);
    axis.SetTickInnerLength(6);
    axis.TicksInner().SetColor(Black);
    axis.SetMinorTickLength(-3);
    axis.MinorTicks().SetColor(Blue);
    axis.Grid().SetColor(0xC4C4C4);
    axis.SetAxisValuesFormat("#,####0.#####");
    DrawFrame(axis, 40000, 40100);
    EXPECT_EQ(axis.SizeTickAxis(), 2) << "inward ticks take no room";
    EXPECT_EQ(axis.PosLabels(), 222);
    ASSERT_GE(axis.Tick.size(), 3u);
    for (int y : axis.Tick) {
        for (int x = 214; x <= 219; ++x)
            EXPECT_EQ(At(x, y), Black) << "inner tick " << x << "," << y;
        EXPECT_EQ(At(221, y), White) << "no outer tick";
    }
    const int minorY = axis.Tick[0] + int(Round((axis.Tick[1] - axis.Tick[0]) / 4.0));
    for (int x = 217; x <= 219; ++x)
        EXPECT_EQ(At(x, minorY), Blue) << "minor tick turned inwards at " << x;
    EXPECT_NE(At(216, minorY), Blue);
    // Labels left-aligned at the label row, vertically centred on their tick.
    const TDrawnLabel& label = Drawn[1];
    const QRect ink = Ink(QRect(222, label.Y - 10, 18, 20));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 222);
    EXPECT_LE(std::abs((ink.top() + ink.bottom()) / 2 - label.Y), 2);
}

TEST_F(DrawTest, InvertedAndLogarithmicAxes)
{
    TChartAxis left(&Panel, false, false);
    Prepare(left);
    left.SetDesiredIncrement(50);
    left.SetInverted(true);
    DrawFrame(left, 0, 100);
    EXPECT_EQ(left.Tick, (std::vector<int>{120, 70, 20})) << "100 at the bottom";
    EXPECT_EQ(Texts(), (std::vector<std::string>{"100", "50", "0"}));

    TChartAxis log(&Panel, false, false);
    Prepare(log);
    log.SetLogarithmic(true);
    log.MinorTicks().SetColor(Blue);
    DrawFrame(log, 1, 1000);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"1,000", "100", "10", "1"}));
    ASSERT_EQ(log.Tick.size(), 4u);
    EXPECT_EQ(log.Tick.front(), 20);
    EXPECT_EQ(log.Tick.back(), 120);
    // Minor ticks at 2 .. 9 times each power, outwards from the line.
    for (double v : {2.0, 5.0, 30.0, 900.0}) {
        const int y = log.CalcPosValue(v);
        EXPECT_EQ(At(19, y), Blue) << v;
        EXPECT_EQ(At(18, y), Blue) << v;
    }
}

TEST_F(DrawTest, DegenerateRangesNeverLoopOrFlood)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    Panel.SeriesMin = Panel.SeriesMax = 5;
    axis.InternalCalcPositions();
    axis.AdjustMaxMin();
    TRect r = Panel.Rect;
    axis.CalcRect(r, false);
    axis.Draw(true);
    EXPECT_EQ(axis.Tick, (std::vector<int>{120})) << "a zero range: one label in the middle";
    EXPECT_EQ(Texts(), (std::vector<std::string>{"5"}));

    const double huge = std::numeric_limits<double>::max();
    struct Case {
        double Min, Max, Increment;
        int Separation;
        size_t MostTicks;
    };
    const Case cases[] = {
        {0, 1e300, 0, 10, 10},   // a huge range: as many labels as fit
        {-huge, huge, 0, 10, 0}, // an infinite range: none
        {0, 1e6, 1e-12, 0, 0},   // a trillion steps: none
        {0, 1e6, 0, 0, 10000},   // no separation: a bounded number at most
    };
    for (const Case& c : cases) {
        axis.SetDesiredIncrement(c.Increment);
        axis.SetLabelsSeparation(c.Separation);
        DrawFrame(axis, c.Min, c.Max);
        EXPECT_LE(axis.Tick.size(), c.MostTicks) << c.Min << ".." << c.Max;
    }

    Panel.Rect = {20, 20, 20, 20};
    axis.SetLabelsSeparation(10);
    DrawFrame(axis, 0, 100);
    EXPECT_LE(axis.Tick.size(), 2u) << "no span: one step across the range";

    TChartAxis time(&Panel, true, false);
    Prepare(time, true);
    EXPECT_NO_THROW(DrawFrame(time, 0, 1e9)) << "dates beyond the calendar";
    EXPECT_LE(time.Tick.size(), 2u);
}

TEST_F(DrawTest, TerminalTimeAxisLabelsEveryTwoHoursOfAThousandCandles)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis, true);
    // Room for nine labels with their separation.
    Panel.Surface.AssignFont(axis.LabelsFont());
    const int width = Panel.Surface.TextWidth("00:00 20.03.2018");
    Panel.Rect = {0, 0, 9 * (width + int(Round(0.1 * width))), 120};
    Panel.Paper(Panel.Rect.Right + 20, 160);
    axis.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    axis.SetDesiredIncrement(Minute);
    axis.SetLabelsAlternate(false);
    axis.SetLabelsMultiLine(false);
    const double last = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    DrawFrame(axis, last - 1000 * Minute, last);
    ASSERT_DOUBLE_EQ(axis.CalcIncrement(), 2.0 / 24) << "1,000 minutes over nine labels";
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "14:00 20.03.2018", "12:00 20.03.2018", "10:00 20.03.2018",
                           "08:00 20.03.2018", "06:00 20.03.2018", "04:00 20.03.2018",
                           "02:00 20.03.2018", "00:00 20.03.2018", "22:00 19.03.2018"}));
    EXPECT_EQ(Drawn.front().X, axis.CalcPosValue(EncodeDateTime(2018, 3, 20, 14, 0, 0, 0)));
}

TEST_F(DrawTest, EventsReplaceTextsAndValues)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(50);
    Panel.GetAxisLabel = [](TChartAxis&, const IChartSeries*, int32_t, std::string& Text) {
        if (Text == "50")
            Text.clear();
    };
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(axis.Tick, (std::vector<int>{220, 120, 20})) << "an empty text keeps its tick";
    EXPECT_TRUE(Ink(QRect(105, 126, 31, 20)).isEmpty()) << "but draws nothing";

    std::vector<double> given{10, 30, 70, 250};
    Panel.GetNextAxisLabel = [&](TChartAxis&, int32_t Index, double& Value, bool& Stop) {
        if (size_t(Index) < given.size()) {
            Value = given[size_t(Index)];
            Stop = false;
        }
    };
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(axis.Tick, (std::vector<int>{40, 80, 160})) << "a value outside ends them";
    given.clear();
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(axis.Tick.size(), 3u) << "no value at all: the default labels";
}

TEST_F(DrawTest, PointLabelsSkipThoseThatWouldOverlap)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    Series.Points = 6;
    Series.PointLabels = {"Mon", "Tue", "Wed", "", "Fri", "Sat"};
    DrawFrame(axis, 0, 100);
    // Points 10 pixels apart: a label reaches past the next two points.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Mon", "Fri"}));
    EXPECT_EQ(axis.Tick, (std::vector<int>{0, 40}));
    axis.SetLabelsSeparation(0);
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(Texts().size(), 5u) << "without separation every label";
}

TEST_F(DrawTest, CentredAndSparseGrids)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(25);
    axis.Grid().SetStyle(psSolid);
    axis.Grid().SetCentered(true);
    DrawFrame(axis, 0, 100);
    for (int x : {195, 145, 95, 45})
        EXPECT_EQ(At(x, 60), Gray) << x;
    EXPECT_EQ(At(170, 60), White);

    Panel.Paper(240, 160);
    axis.Grid().SetCentered(false);
    axis.Grid().SetDrawEvery(2);
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(At(220, 60), Gray);
    EXPECT_EQ(At(170, 60), White);
    EXPECT_EQ(At(120, 60), Gray);
}

TEST_F(DrawTest, LayoutCutsTitleLabelsAndTicksOnTheAxisSide)
{
    TChartAxis bottom(&Panel, true, false), left(&Panel, false, false), right(&Panel, false, true),
        top(&Panel, true, true);
    for (TChartAxis* a : {&bottom, &left, &right, &top}) {
        Prepare(*a);
        Frame(*a, 0, 100);
    }
    Series.Axis = &left;
    Series.Vertical = false;
    TPlotFont font;
    font.SetName("DejaVu Sans");
    font.SetSize(8);
    Panel.Surface.AssignFont(font);
    const int height = Panel.Surface.GetFontHeight();
    // The widest sample of 0 .. 100: "0", "100" and the middle 12.5.
    const int width = std::max(Panel.Surface.TextWidth("100"), Panel.Surface.TextWidth("12.5"));

    TRect r{0, 0, 800, 600};
    bottom.CalcRect(r, true);
    EXPECT_EQ(r.Bottom, 600 - height - 6) << "labels a line high, line and ticks 6";
    EXPECT_EQ(bottom.PosLabels(), 600 - height);
    left.CalcRect(r, true);
    EXPECT_EQ(r.Left, width + 6);
    EXPECT_EQ(left.PosLabels(), width);
    right.CalcRect(r, true);
    EXPECT_EQ(r.Right, 800 - 6) << "no series: no label room on a vertical axis";
    Panel.WallSize = 3;
    top.Title().SetCaption("Time");
    top.Title().Font().SetName("DejaVu Sans");
    top.Title().Font().SetSize(12);
    Panel.Surface.AssignFont(top.Title().Font());
    const int titleHeight = Panel.Surface.GetFontHeight();
    top.CalcRect(r, true);
    EXPECT_EQ(top.PosTitle(), titleHeight);
    EXPECT_EQ(r.Top, titleHeight + height + 3 + 6) << "title, labels, wall, ticks";

    // Fixed sizes, hidden labels and alternate rows.
    r = {0, 0, 800, 600};
    bottom.SetLabelsSize(30);
    bottom.SetTitleSize(7);
    bottom.Title().SetCaption("Price");
    bottom.CalcRect(r, true);
    EXPECT_EQ(r.Bottom, 600 - 7 - 30 - 3 - 6);
    bottom.SetLabelsSize(0);
    bottom.SetLabelsAlternate(true);
    EXPECT_EQ(bottom.SizeLabels(), 2 * height);
    bottom.SetLabels(false);
    EXPECT_EQ(bottom.SizeLabels(), 0);
    bottom.Axis().Hide();
    bottom.Ticks().Hide();
    EXPECT_EQ(bottom.SizeTickAxis(), 2) << "minor ticks keep their length";

    // Placing the lines: the axis on its edge, moved by its position.
    r = {10, 10, 500, 400};
    left.SetPosUnits(muPixels);
    left.SetPositionPercent(15);
    left.CalcRect(r, false);
    EXPECT_EQ(left.PosAxis(), 25);
    EXPECT_EQ(left.PosLabels(), 25 - 6);
    EXPECT_EQ(left.PosTitle(), 25 - 6 - width);
}

TEST_F(DrawTest, TitleInkStaysInItsRoom)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.Title().SetCaption("Time");
    axis.Title().Font().SetName("DejaVu Sans");
    axis.Title().Font().SetSize(8);
    Frame(axis, 0, 100);
    TRect r{0, 0, 240, 160};
    axis.CalcRect(r, true);
    Panel.Rect = r;
    axis.InternalCalcPositions();
    axis.Draw(true);
    const QRect ink = Ink(QRect(0, axis.PosTitle(), 240, 160 - axis.PosTitle()));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(std::abs((ink.left() + ink.right()) / 2 - 120), 1);
    EXPECT_GE(ink.top(), axis.PosTitle());
}

} // namespace
