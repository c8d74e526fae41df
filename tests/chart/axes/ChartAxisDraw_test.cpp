#include "chart/axes/AxisDoubles.h"

#include "platform/DateUtils.h"

#include <QRect>
#include <gtest/gtest.h>
#include <limits>

using namespace axis_test;

namespace {

using Texts = std::vector<std::string>;
using Pixels = std::vector<int>;
constexpr TColor White = 0xFFFFFF, Black = 0, Gray = 0x808080, Red = 0x0000FF, Green = 0x00FF00,
                 Blue = 0xFF0000;

// The labels each frame draws are recorded: their texts and their pixels
// along the axis.
struct DrawTest : AxisChartTest {
    Texts Drawn;
    Pixels DrawnAt;

    void Prepare(TChartAxis& Axis, bool DateTime = false)
    {
        AxisChartTest::Prepare(Axis, DateTime);
        Axis.OnDrawLabel = [this](TChartAxis& A, int& X, int& Y, int&, std::string& Text, bool&) {
            Drawn.push_back(Text);
            DrawnAt.push_back(A.Horizontal() ? X : Y);
        };
    }
    void DrawFrame(TChartAxis& Axis, double Min, double Max)
    {
        Drawn.clear();
        DrawnAt.clear();
        Frame(Axis, Min, Max);
        TRect r = Panel.Rect;
        Axis.CalcRect(r, false);
        Axis.Draw(true);
    }
    TColor At(int X, int Y) { return Panel.Surface.GetPixel(X, Y); }
    // Every pixel of the inclusive box has Colour.
    bool All(int X0, int Y0, int X1, int Y1, TColor Colour)
    {
        for (int y = Y0; y <= Y1; ++y)
            for (int x = X0; x <= X1; ++x)
                if (At(x, y) != Colour)
                    return false;
        return true;
    }
    QRect Ink(const QRect& Area)
    {
        QRect box;
        for (int y = Area.top(); y <= Area.bottom(); ++y)
            for (int x = Area.left(); x <= Area.right(); ++x)
                if (At(x, y) != White)
                    box |= QRect(x, y, 1, 1);
        return box;
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
    EXPECT_EQ(axis.Tick, (Pixels{220, 170, 120, 70, 20}));
    EXPECT_EQ(Drawn, (Texts{"100", "75", "50", "25", "0"}));
    EXPECT_TRUE(All(20, 120, 219, 120, Black)) << "the axis line leaves out its end pixel";
    EXPECT_EQ(At(220, 120), White);
    for (int x : axis.Tick) {
        EXPECT_TRUE(All(x, 121, x, 124, Gray) && At(x, 125) == White) << "outer tick at " << x;
        EXPECT_TRUE(All(x, 114, x, 119, Red)) << "inner tick at " << x;
        EXPECT_TRUE(All(x, 21, x, 113, Green) && At(x, 20) == White) << "grid at " << x;
    }
    // Three minor ticks between 20 and 70: 32.5 and 57.5 round to even.
    for (int x : {32, 45, 58})
        EXPECT_TRUE(All(x, 121, x, 122, Blue) && At(x, 123) == White) << x;
    EXPECT_EQ(At(33, 121), White);
    // "50" centred on its tick below the label row: axis line, 1, tick length 4.
    EXPECT_EQ(axis.PosLabels(), 126);
    const QRect ink = Ink(QRect(95, 125, 51, 30));
    EXPECT_LE(std::abs((ink.left() + ink.right()) / 2 - 120), 1);
    EXPECT_GE(ink.top(), 126) << "no text above the row";
}

TEST_F(DrawTest, TerminalPriceAxisTicksInsideAndLabelsBesideIt)
{
    TChartAxis axis(&Panel, false, true);
    Prepare(axis);
    axis.SetTickLength(0);
    axis.SetTickInnerLength(6);
    axis.TicksInner().SetColor(Black);
    axis.SetMinorTickLength(-3);
    axis.MinorTicks().SetColor(Blue);
    axis.SetAxisValuesFormat("#,####0.#####");
    DrawFrame(axis, 40000, 40100);
    EXPECT_EQ(axis.PosLabels(), 222) << "inward ticks take no room";
    ASSERT_GE(axis.Tick.size(), 3u);
    for (int y : axis.Tick)
        EXPECT_TRUE(All(214, y, 219, y, Black) && At(221, y) == White) << y;
    const int minorY = axis.Tick[0] + int(Round((axis.Tick[1] - axis.Tick[0]) / 4.0));
    EXPECT_TRUE(All(217, minorY, 219, minorY, Blue) && At(216, minorY) != Blue);
    // Left-aligned at the label row, vertically centred on the tick.
    const QRect ink = Ink(QRect(221, DrawnAt[1] - 10, 19, 20));
    EXPECT_GE(ink.left(), 222);
    EXPECT_LE(std::abs((ink.top() + ink.bottom()) / 2 - DrawnAt[1]), 2);
}

TEST_F(DrawTest, LogarithmicAxisLabelsPowersAndTicksBetween)
{
    TChartAxis log(&Panel, false, false);
    Prepare(log);
    log.SetLogarithmic(true);
    log.MinorTicks().SetColor(Blue);
    DrawFrame(log, 1, 1000);
    EXPECT_EQ(Drawn, (Texts{"1,000", "100", "10", "1"}));
    EXPECT_EQ(log.Tick, (Pixels{20, 53, 87, 120}));
    for (double v : {2.0, 5.0, 30.0, 900.0})
        EXPECT_TRUE(All(18, log.CalcPosValue(v), 19, log.CalcPosValue(v), Blue)) << v;
}

TEST_F(DrawTest, DegenerateRangesNeverLoopOrFlood)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    Panel.SeriesMin = Panel.SeriesMax = 5;
    axis.InternalCalcPositions();
    axis.AdjustMaxMin();
    axis.Draw(true);
    EXPECT_EQ(axis.Tick, (Pixels{120})) << "a zero range: one label in the middle";
    EXPECT_EQ(Drawn, (Texts{"5"}));

    const double huge = std::numeric_limits<double>::max();
    struct Case {
        double Min, Max, Increment;
        int Separation;
        size_t MostTicks;
    };
    for (const Case& c : {Case{0, 1e300, 0, 10, 10},    // as many labels as fit
                          Case{-huge, huge, 0, 10, 0},  // an infinite range: none
                          Case{0, 1e6, 1e-12, 0, 0},    // a trillion steps: none
                          Case{0, 1e6, 0, 0, 10000}}) { // no separation: bounded
        axis.SetDesiredIncrement(c.Increment);
        axis.SetLabelsSeparation(c.Separation);
        DrawFrame(axis, c.Min, c.Max);
        EXPECT_LE(axis.Tick.size(), c.MostTicks) << c.Min << ".." << c.Max;
    }
    Panel.Rect = {20, 20, 20, 20};
    axis.SetLabelsSeparation(10);
    DrawFrame(axis, 0, 100);
    EXPECT_LE(axis.Tick.size(), 2u) << "no span: one step across the range";
}

TEST_F(DrawTest, TerminalTimeAxisLabelsEveryTwoHoursOfAThousandCandles)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis, true);
    axis.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    axis.SetDesiredIncrement(1.0 / 1440);
    Panel.Rect = {0, 0, 9 * Room("00:00 20.03.2018"), 120}; // nine labels fit
    Panel.Paper(Panel.Rect.Right + 20, 160);
    const double last = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    DrawFrame(axis, last - 1000.0 / 1440, last);
    EXPECT_EQ(Drawn, (Texts{"14:00 20.03.2018", "12:00 20.03.2018", "10:00 20.03.2018",
                            "08:00 20.03.2018", "06:00 20.03.2018", "04:00 20.03.2018",
                            "02:00 20.03.2018", "00:00 20.03.2018", "22:00 19.03.2018"}));
    EXPECT_EQ(DrawnAt.front(), axis.CalcPosValue(EncodeDateTime(2018, 3, 20, 14, 0, 0, 0)));
}

TEST_F(DrawTest, AnAxisTitleCanStandInAFramedShape)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.Title().SetCaption("Time");
    DrawFrame(axis, 0, 100);
    EXPECT_FALSE(Ink(QRect(20, axis.PosTitle(), 201, 40)).isEmpty()) << "the caption";
    axis.Title().Format().SetTransparent(false);
    axis.Title().Format().SetColor(Green);
    axis.Title().Format().Frame().SetVisible(true);
    axis.Title().Format().Frame().SetColor(Red);
    DrawFrame(axis, 0, 100);
    // Across the middle of the title's room: the frame centred on the axis,
    // its background inside.
    const int y = axis.PosTitle() + Room("") / 2;
    int left = -1, right = -1;
    for (int x = 0; x < 240; ++x)
        if (At(x, y) == Red)
            (left < 0 ? left : right) = x;
    ASSERT_GE(left, 0);
    EXPECT_LE(std::abs(left + right - 240), 2);
    EXPECT_EQ(At(left + 1, y), Green);
}

TEST_F(DrawTest, NarrowAxesDrawAFewLabelsThatNeverOverlap)
{
    const double day = 1, minute = day / 1440, start = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    struct Range {
        bool DateTime;
        double Min, Max, Increment;
    };
    const Range ranges[] = {
        {true, start - minute, start, 0},
        {true, start - minute, start, minute},
        {true, start - 1.0 / 24, start, 0},
        {true, start - day, start, minute},
        {true, start - 7 * day, start, minute},
        {true, start - 31 * day, start, 0},
        {true, start - 365, start, minute},
        {true, start - 3652, start, 0},
        {false, 0.0000123, 0.0000124, 0},
        {false, 0.5, 1.5, 0},
        {false, 9000, 11000, 0},
        {false, 0, 1e6, 0},
    };
    TChartAxis bottom(&Panel, true, false), right(&Panel, false, true);
    for (TChartAxis* axis : {&bottom, &right}) {
        Prepare(*axis);
        axis->SetDateTimeFormat("hh:mm dd.MM.yyyy");
        axis->SetAxisValuesFormat("#,####0.#####");
        Panel.Surface.AssignFont(axis->LabelsFont());
        for (const Range& r : ranges)
            for (int length = 1; length <= 120; ++length) {
                Series.List.IsDateTime = r.DateTime;
                axis->SetDesiredIncrement(r.Increment);
                Panel.Rect = axis->Horizontal() ? TRect{20, 20, 20 + length, 120}
                                                : TRect{20, 20, 220, 20 + length};
                DrawFrame(*axis, r.Min, r.Max);
                const std::string what = (axis->Horizontal() ? "bottom " : "right ") +
                                         std::to_string(length) + " px over " +
                                         std::to_string(r.Max - r.Min);
                ASSERT_LE(Drawn.size(), size_t(length / 10 + 1)) << what;
                for (size_t i = 1; i < Drawn.size(); ++i) {
                    const int half = axis->Horizontal() ? (Panel.Surface.TextWidth(Drawn[i - 1]) +
                                                           Panel.Surface.TextWidth(Drawn[i])) /
                                                              2
                                                        : Panel.Surface.GetFontHeight();
                    ASSERT_GE(std::abs(DrawnAt[i] - DrawnAt[i - 1]), half)
                        << what << ": " << Drawn[i - 1] << " and " << Drawn[i];
                }
            }
    }
}

TEST_F(DrawTest, EventsAndPointLabels)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(50);
    Panel.GetAxisLabel = [](TChartAxis&, const IChartSeries*, int32_t, std::string& Text) {
        if (Text == "50")
            Text.clear();
    };
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(axis.Tick, (Pixels{220, 120, 20})) << "an empty text keeps its tick";
    EXPECT_TRUE(Ink(QRect(105, 126, 31, 20)).isEmpty()) << "but draws nothing";

    std::vector<double> given{10, 30, 70, 250};
    Panel.GetNextAxisLabel = [&](TChartAxis&, int32_t Index, double& Value, bool& Stop) {
        if (size_t(Index) < given.size()) {
            Value = given[size_t(Index)];
            Stop = false;
        }
    };
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(axis.Tick, (Pixels{40, 80, 160})) << "a value outside ends them";

    // Point labels 10 pixels apart: each reaches past the next two points.
    Panel.GetAxisLabel = nullptr;
    Series.Points = 6;
    Series.PointLabels = {"Mon", "Tue", "Wed", "", "Fri", "Sat"};
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(Drawn, (Texts{"Mon", "Fri"}));
    EXPECT_EQ(axis.Tick, (Pixels{0, 40}));
    axis.SetLabelsSeparation(0);
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(Drawn.size(), 5u) << "without separation every label";
}

TEST_F(DrawTest, MarkTextsAndTheUsersItemsAsLabels)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    Series.Points = 3;
    Series.MarkTexts = {"up", "", "down"};
    axis.SetLabelStyle(talMark);
    axis.SetLabelsSeparation(0);
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(Drawn, (Texts{"up", "down"}));
    EXPECT_EQ(axis.Tick, (Pixels{0, 20})) << "at the points";

    // Generated labels are kept as items of the frame.
    axis.SetLabelStyle(talValue);
    axis.SetDesiredIncrement(50);
    DrawFrame(axis, 0, 100);
    ASSERT_EQ(axis.Items().Count(), 3);
    EXPECT_EQ(axis.Items()[1].Value, 50);
    EXPECT_EQ(axis.Items()[1].Text, "50");

    // The user's items are drawn as they stand, at their values.
    axis.Items().Add(25, "quarter");
    axis.Items().Add(75, "three quarters").Font = std::make_shared<TPlotFont>();
    axis.Items()[1].Font->SetName("DejaVu Sans");
    axis.Items()[1].Font->SetSize(20);
    EXPECT_FALSE(axis.Items().Automatic());
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(Drawn, (Texts{"quarter", "three quarters"}));
    EXPECT_EQ(axis.Tick, (Pixels{70, 170}));
    const QRect small = Ink(QRect(40, 126, 60, 34)), large = Ink(QRect(100, 126, 139, 34));
    EXPECT_GT(large.height(), small.height() + 5) << "the item's own font";
}

TEST_F(DrawTest, TurnedLabelsAndTheirBoxLeanOnTheLabelRow)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(50);
    axis.SetLabelsAngle(90);
    DrawFrame(axis, 0, 100);
    ASSERT_EQ(Drawn, (Texts{"100", "50", "0"}));
    const QRect ink = Ink(QRect(105, 126, 30, 34));
    EXPECT_GT(ink.height(), ink.width()) << "the text runs upwards";
    EXPECT_GE(ink.top(), 126);
    EXPECT_LE(std::abs((ink.left() + ink.right()) / 2 - 120), 2);

    axis.Items().Format().SetTransparent(false);
    axis.Items().Format().SetColor(Red);
    axis.SetLabelsAngle(0);
    DrawFrame(axis, 0, 100);
    Panel.Surface.AssignFont(axis.LabelsFont());
    const int w = Panel.Surface.TextWidth("50");
    EXPECT_EQ(At(120 - w / 2 + 1, 127), Red) << "the box behind the text";
    EXPECT_EQ(At(120 - w / 2 - 2, 127), White);
}

TEST_F(DrawTest, HooksDrawTheLineAndLowerTheMaximum)
{
    TChartAxis axis(&Panel, true, false);
    Prepare(axis);
    axis.SetDesiredIncrement(25);
    int lines = 0;
    axis.OnDrawAxis = [&](TChartAxis&) { ++lines; };
    axis.OnCalcMaxLabel = [](TChartAxis&, int Index, double) { return Index < 0 ? 10 : 5; };
    DrawFrame(axis, 0, 100);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(At(120, 120), White) << "the hook drew the line instead";
    EXPECT_EQ(axis.IMaximum, 90);
    EXPECT_EQ(Drawn, (Texts{"70", "45", "20"})) << "75, the first label, lowered by 5";
}

TEST_F(DrawTest, ADepthAxisLabelsEachSeriesByItsTitle)
{
    TChartDepthAxis depth(&Panel, false);
    Series.IsActive = false;
    EXPECT_EQ(depth.CalcLabelStyle(), talNone) << "no active series";
    Series.IsActive = true;
    Prepare(depth);
    TFakeSeries second;
    second.Points = 1;
    second.SeriesTitle = "Volume";
    second.Z = 1;
    Series.SeriesTitle = "Price";
    Panel.SeriesList.push_back(&second);
    EXPECT_EQ(depth.CalcLabelStyle(), talText);
    Panel.Depth = 40;
    DrawFrame(depth, -0.5, 1.5);
    ASSERT_EQ(depth.Items().Count(), 2);
    EXPECT_EQ(depth.Items()[0].Text, "Price");
    EXPECT_EQ(depth.Items()[1].Text, "Volume");
    EXPECT_FALSE(Ink(QRect(221, 100, 19, 40)).isEmpty()) << "beside the chart's right edge";
}

TEST_F(DrawTest, LayoutCutsTitleLabelsWallAndTicksOnTheAxisSide)
{
    TChartAxis bottom(&Panel, true, false), left(&Panel, false, false), right(&Panel, false, true),
        top(&Panel, true, true);
    for (TChartAxis* a : {&bottom, &right, &top, &left}) {
        Prepare(*a);
        Frame(*a, 0, 100);
    }
    Series.Vertical = false;
    Panel.Surface.AssignFont(left.LabelsFont());
    const int height = Panel.Surface.GetFontHeight();
    // The widest sample of 0 .. 100: "0", "100" and the middle 12.5.
    const int width = std::max(Panel.Surface.TextWidth("100"), Panel.Surface.TextWidth("12.5"));
    top.Title().SetCaption("Time");
    top.Title().Font().SetName("DejaVu Sans");
    top.Title().Font().SetSize(12);
    Panel.Surface.AssignFont(top.Title().Font());
    const int titleHeight = Panel.Surface.GetFontHeight();
    Panel.WallSize = 3;

    TRect r{0, 0, 800, 600};
    for (TChartAxis* a : {&bottom, &left, &right, &top})
        a->CalcRect(r, true);
    EXPECT_EQ(
        r, (TRect{width + 3 + 6, titleHeight + height + 3 + 6, 800 - 3 - 6, 600 - height - 3 - 6}))
        << "labels a line high or as wide as the widest, wall 3, line and ticks 6; "
           "no series: no label room on a vertical axis";
    EXPECT_EQ((Pixels{bottom.PosLabels(), left.PosLabels(), top.PosTitle()}),
              (Pixels{600 - height, width, titleHeight}));
    bottom.SetLabelsAlternate(true);
    EXPECT_EQ(bottom.SizeLabels(), 2 * height);

    // Placing the lines: the axis on its edge, moved by its position.
    left.SetPosUnits(muPixels);
    left.SetPositionPercent(15);
    r = {10, 10, 500, 400};
    left.CalcRect(r, false);
    EXPECT_EQ((Pixels{left.PosAxis(), left.PosLabels(), left.PosTitle()}),
              (Pixels{25, 25 - 6, 25 - 6 - width}));
}

} // namespace
