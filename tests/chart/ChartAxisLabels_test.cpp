#include "AxisDoubles.h"

#include "platform/DateUtils.h"

#include <gtest/gtest.h>

using namespace axis_test;

namespace {

constexpr double Minute = 1.0 / 1440;

// A chart with a white surface, a date-time or value series on the axis,
// and DejaVu Sans labels whose sizes the tests measure on the same surface.
struct LabelsTest : testing::Test {
    TFakePanel Panel;
    TFakeSeries Series;
    TChartAxis Bottom{&Panel, true, false};
    TChartAxis Left{&Panel, false, false};

    LabelsTest()
    {
        Panel.Paper(1000, 700);
        Panel.SeriesList = {&Series};
        for (TChartAxis* axis : {&Bottom, &Left}) {
            axis->LabelsFont().SetName("DejaVu Sans");
            axis->LabelsFont().SetSize(8);
        }
    }
    void On(TChartAxis& Axis, bool DateTime = false)
    {
        Series.Axis = &Axis;
        Series.List.IsDateTime = DateTime;
        Series.Vertical = Axis.Horizontal();
        Series.Points = 1000;
    }
    // The label room of Text on the surface, as the axis measures it.
    int Width(const std::string& Text)
    {
        TPlotFont font;
        font.SetName("DejaVu Sans");
        font.SetSize(8);
        Panel.Surface.AssignFont(font);
        return Panel.Surface.TextWidth(Text);
    }
    int Height()
    {
        Width("");
        return Panel.Surface.GetFontHeight();
    }
};

TEST_F(LabelsTest, NumberTextsFollowTheFormatAndItsSettings)
{
    On(Left);
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.LabelValue(1234567.8915), "1,234,567.892") << "the default format";
    Left.SetAxisValuesFormat("#,####0.#####");
    EXPECT_EQ(Left.LabelValue(12345.678901), "12,345.6789");
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    Left.SetFormatSettings(fs);
    EXPECT_EQ(Left.LabelValue(12345.678901), "12.345,6789");
    Left.SetLabelsMultiLine(true);
    Left.SetAxisValuesFormat("0 'USDT'");
    EXPECT_EQ(Left.LabelValue(7), "7\rUSDT") << "blanks become line breaks";
}

TEST_F(LabelsTest, DateTimeTextsUseTheAxisFormatOrTheShortFormats)
{
    On(Bottom, true);
    const double at = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    Frame(Bottom, at - 1000 * Minute, at);
    Bottom.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    EXPECT_EQ(Bottom.LabelValue(at), "14:05 20.03.2018")
        << "minutes after hours, months after days";

    TFormatSettings fs;
    fs.ShortTimeFormat = "hh:nn";
    fs.ShortDateFormat = "dd.mm.yyyy";
    Bottom.SetFormatSettings(fs);
    Bottom.SetDateTimeFormat("");
    EXPECT_EQ(Bottom.LabelValue(at), "14:05") << "a range of a day or less shows times";
    Frame(Bottom, at - 3, at);
    EXPECT_EQ(Bottom.LabelValue(at), "20.03.2018") << "three days show dates";
    EXPECT_EQ(Bottom.LabelValue(1e9), "") << "outside the calendar: no date, no exception";
}

TEST_F(LabelsTest, TheChartsEventHasTheLastWord)
{
    On(Left);
    Frame(Left, 0, 100);
    std::vector<std::tuple<TChartAxis*, const IChartSeries*, int32_t>> calls;
    Panel.GetAxisLabel = [&](TChartAxis& Sender, const IChartSeries* S, int32_t Index,
                             std::string& Text) {
        calls.emplace_back(&Sender, S, Index);
        Text = "<" + Text + ">";
    };
    EXPECT_EQ(Left.LabelValue(5), "<5>");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], std::make_tuple(&Left, nullptr, -1));
}

TEST_F(LabelsTest, StyleFollowsTheSeriesOnTheAxis)
{
    EXPECT_EQ(Bottom.CalcLabelStyle(), talNone);
    On(Bottom);
    EXPECT_EQ(Bottom.CalcLabelStyle(), talValue);
    EXPECT_EQ(Left.CalcLabelStyle(), talNone);
    Series.PointLabels = {"", "Mon"};
    EXPECT_EQ(Bottom.CalcLabelStyle(), talText) << "labelled points along X";
    Series.Vertical = false;
    EXPECT_EQ(Bottom.CalcLabelStyle(), talValue) << "labels of plotted values do not count";
    Series.IsActive = false;
    EXPECT_EQ(Bottom.CalcLabelStyle(), talNone);
    Bottom.SetLabelStyle(talValue);
    EXPECT_EQ(Bottom.CalcLabelStyle(), talValue);
}

TEST_F(LabelsTest, StepFitsTheMeasuredLabelsAlongTheSpan)
{
    // Room for exactly five labels of "1,000,000" with their 10 % separation.
    On(Bottom);
    const int size = Width("1,000,000") + int(Round(0.1 * Width("1,000,000")));
    Panel.Rect = {0, 0, 5 * size, 300};
    Frame(Bottom, 0, 1e6);
    EXPECT_EQ(Bottom.CalcIncrement(), 200000);
    Bottom.SetLabelsAlternate(true);
    EXPECT_EQ(Bottom.CalcIncrement(), 100000) << "alternate rows: twice the room";
    Bottom.SetLabelsAlternate(false);

    // A vertical axis stacks its labels: their height counts.
    On(Left);
    Panel.Rect = {0, 0, 300, 11 * (Height() + int(Round(0.1 * Height())))};
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.CalcIncrement(), 10);
    Left.SetLabelsMultiLine(true);
    Left.SetAxisValuesFormat("0 'x'");
    EXPECT_EQ(Left.CalcIncrement(), 20) << "two lines a label: half as many";

    Panel.Rect = {0, 0, 0, 0};
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.CalcIncrement(), 100) << "no span: one label";
}

TEST_F(LabelsTest, TerminalTimeAxisStepsThroughTheCalendar)
{
    // The bottom axis of a chart window: a thousand one-minute candles.
    On(Bottom, true);
    Bottom.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    Bottom.SetDesiredIncrement(Minute);
    const int size = Width("00:00 20.03.2018") * 11 / 10;
    const double last = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    const std::pair<int, double> cases[] = {
        {10, 2.0 / 24},    // 100 minutes a label: two hours
        {40, 30 * Minute}, // 25 minutes: half an hour
        {17, 1.0 / 24},    // 59 minutes: an hour
    };
    for (auto [labels, step] : cases) {
        Panel.Rect = {0, 0, labels * size + size / 3, 300};
        Frame(Bottom, last - 1000 * Minute, last);
        EXPECT_DOUBLE_EQ(Bottom.CalcIncrement(), step) << labels;
    }
}

} // namespace
