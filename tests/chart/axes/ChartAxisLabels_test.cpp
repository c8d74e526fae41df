#include "chart/axes/AxisDoubles.h"

#include "platform/DateUtils.h"

#include <gtest/gtest.h>

using namespace axis_test;

namespace {

TEST_F(AxisChartTest, TextsFollowTheFormatsTheirSettingsAndTheChartsEvent)
{
    TChartAxis Left(&Panel, false, false), Bottom(&Panel, true, false);
    Prepare(Left);
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.LabelValue(1234567.8915), "1,234,567.892") << "the default format";
    Left.SetAxisValuesFormat("#,####0.#####");
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    fs.ShortTimeFormat = "hh:nn";
    fs.ShortDateFormat = "dd.mm.yyyy";
    Left.SetFormatSettings(fs);
    EXPECT_EQ(Left.LabelValue(12345.678901), "12.345,6789");

    std::vector<std::tuple<TChartAxis*, const IChartSeries*, int32_t>> calls;
    Panel.GetAxisLabel = [&](TChartAxis& A, const IChartSeries* S, int32_t I, std::string& Text) {
        calls.emplace_back(&A, S, I);
        Text = "<" + Text + " x>";
    };
    Left.SetLabelsMultiLine(true);
    EXPECT_EQ(Left.LabelValue(5), "<5\rx>") << "the event, then blanks as line breaks";
    EXPECT_EQ(calls, (decltype(calls){{&Left, nullptr, -1}}));
    Panel.GetAxisLabel = nullptr;

    // The terminal's time axis, and the short formats for an axis without one.
    Prepare(Bottom, true);
    const double at = EncodeDateTime(2018, 3, 20, 14, 5, 0, 0);
    Frame(Bottom, at - 1000.0 / 1440, at);
    Bottom.SetDateTimeFormat("hh:mm dd.MM.yyyy");
    EXPECT_EQ(Bottom.LabelValue(at), "14:05 20.03.2018");
    Bottom.SetFormatSettings(fs);
    Bottom.SetDateTimeFormat("");
    EXPECT_EQ(Bottom.LabelValue(at), "14:05") << "a range of a day or less shows times";
    Frame(Bottom, at - 3, at);
    EXPECT_EQ(Bottom.LabelValue(at), "20.03.2018");
    EXPECT_EQ(Bottom.LabelValue(1e9), "") << "outside the calendar: no date, no exception";
}

TEST_F(AxisChartTest, ExponentLabelsWriteAMantissaAndARaisedPowerOfTen)
{
    TChartAxis Left(&Panel, false, false);
    Prepare(Left);
    Frame(Left, 0, 100);
    Left.SetLabelsExponent(true);
    const std::pair<double, const char*> Cases[] = {
        {0, "0"},
        {5, "5"},
        {2500000, "2.5×10⁶"},
        {0.00125, "1.25×10⁻³"},
        {-42000, "-4.2×10⁴"},
        {12, "1.2×10¹"},
    };
    for (const auto& [Value, Text] : Cases)
        EXPECT_EQ(Left.LabelValue(Value), Text) << Value;
}

TEST_F(AxisChartTest, StepFitsTheMeasuredLabelsAlongTheSpan)
{
    TChartAxis Left(&Panel, false, false), Bottom(&Panel, true, false);
    Prepare(Bottom);
    Panel.Rect = {0, 0, 5 * Room("1,000,000"), 300};
    Frame(Bottom, 0, 1e6);
    EXPECT_EQ(Bottom.CalcIncrement(), 200000) << "five labels of the widest sample";
    Bottom.SetLabelsAlternate(true);
    EXPECT_EQ(Bottom.CalcIncrement(), 100000) << "alternate rows: twice the room";

    // A vertical axis stacks its labels: their height counts.
    Prepare(Left);
    Panel.Rect = {0, 0, 300, 11 * Room("")};
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.CalcIncrement(), 10);
    Left.SetLabelsMultiLine(true);
    Left.SetAxisValuesFormat("0 'x'");
    EXPECT_EQ(Left.CalcIncrement(), 20) << "two lines a label: half as many";
    Panel.Rect = {0, 0, 0, 0};
    Frame(Left, 0, 100);
    EXPECT_EQ(Left.CalcIncrement(), 100) << "no span: one label";

    // Labels turned upright on a horizontal axis stand a line high along it,
    // and take their width across it.
    Prepare(Bottom);
    Panel.Rect = {0, 0, 11 * Room(""), 300};
    Frame(Bottom, 0, 1e6);
    Bottom.SetLabelsAlternate(false);
    Bottom.SetLabelsAngle(90);
    EXPECT_EQ(Bottom.CalcIncrement(), 100000);
    Panel.Surface.AssignFont(Bottom.LabelsFont());
    EXPECT_EQ(Bottom.SizeLabels(), Panel.Surface.TextWidth("1,000,000"));
}

} // namespace
