#include "terminal/charts/uChartViewCalc.h"

#include "platform/DateUtils.h"
#include "terminal/charts/uChartNow.h"

#include <algorithm>
#include <ctime>
#include <gtest/gtest.h>

namespace {

TEST(ChartViewCalc, TheChartsClockRunsThreeHoursAheadOfUtcWhateverTheMachinesZone)
{
    const TDateTime Utc = UnixDateDelta + static_cast<double>(std::time(nullptr)) / SecsPerDay;
    // A minute either way: far from any other zone, and from a thread held off the processor.
    EXPECT_NEAR((ChartNow() - Utc) * HoursPerDay, 3.0, 60.0 / 3600);
}

// The zoom, both drags and the shift run through the chart view's tests;
// here what those do not reach.
TEST(ChartViewCalc, SpacingFromTheFirstFiveValuesAndTheTablesEnds)
{
    // Only the first five values count; later differences are sizes.
    EXPECT_EQ(CandleSpacing(std::vector<double>{0, 5, 7, 10, 20, 20.5}), 2);
    EXPECT_EQ(CandleSpacing(std::vector<double>{3}), 0);
    EXPECT_EQ(MaxVisibleCandleCount(400, 0), 0);
    EXPECT_EQ(ZoomCandleCount(TZoom(9), 1000, 1000), 1000) << "past the table: its last level";
    EXPECT_EQ(ZoomCandleCount(z0, 1000, 0), 0);
    EXPECT_EQ(TimeDragZoom(z2, 100, 40), z5) << "clamped";
    EXPECT_EQ(PriceDragRange({100, 200}, 1000), (TValueRange{0, 400}));
}

TEST(ChartViewCalc, DaySeparatorsMarkTheMidnightsOfSpansUpToAMonth)
{
    const TDateTime Day = EncodeDate(2024, 3, 1);
    using TDays = std::vector<TDateTime>;
    EXPECT_EQ(DaySeparators(Day + 0.4, Day + 2.25), (TDays{Day + 1, Day + 2}));
    EXPECT_EQ(DaySeparators(Day, Day + 1), TDays{}) << "the end itself is not marked";
    EXPECT_EQ(DaySeparators(Day + 0.5, Day + 31.5).size(), 31u);
    EXPECT_EQ(DaySeparators(Day + 0.5, Day + 32.5), TDays{});
}

TEST(ChartViewCalc, OverlayPlaces)
{
    EXPECT_EQ(VolumeBarTop(33, 0, 100, 90, 110), 103);
    EXPECT_EQ(BannerRect({0, 0, 500, 300}), (TRect{125, 75, 375, 225}));
    EXPECT_EQ(BannerRect({0, 0, 502, 298}), (TRect{126, 74, 376, 224})) << "halves to even";

    const auto TenPerPoint = [](int aSize) { return 10 * aSize; };
    EXPECT_EQ(FitFontSize(200, 100, TenPerPoint), 19);
    EXPECT_EQ(FitFontSize(50, 100, TenPerPoint), 7);
    EXPECT_EQ(FitFontSize(200, 15, TenPerPoint), 14);
    EXPECT_EQ(FitFontSize(200, 40, [](int) { return 0; }), 39) << "an empty text ends too";
}

TEST(ChartViewCalc, PriceLabelsReadBackWithTheSettingsThatWroteThem)
{
    TFormatSettings Comma;
    Comma.DecimalSeparator = ',';
    Comma.ThousandSeparator = '.';
    const struct {
        const char* Label;
        const TFormatSettings& Settings;
        int Decimals;
        const char* Text;
    } Cases[] = {
        {"12,345.6", InvariantFormatSettings(), 5, "12345.60000"},
        {"1,234,567.5", InvariantFormatSettings(), 5, "1234567.50000"},
        {"0.054321", InvariantFormatSettings(), 5, " 0.05432"},
        {"12.345,6", Comma, 5, "12345,60000"},
        {"n/a", InvariantFormatSettings(), 5, " 0.00000"},
        {"0.00001235", InvariantFormatSettings(), 8, "0.00001235"},
        {"0.0000123", InvariantFormatSettings(), 8, "0.00001230"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(PriceAxisLabel(C.Label, C.Decimals, C.Settings), C.Text) << C.Label;
}

// Labels a step apart must read apart, whatever the price's size; a price
// shows as many decimals as it has, never fewer than five.
TEST(ChartViewCalc, PriceDecimalsTellNeighbouringLabelsApart)
{
    const struct {
        double Value;
        int Decimals;
    } Cases[] = {
        {0.00000005, 8}, {0.0000005, 7},
        {0.000002, 6},   {0.1, 5},
        {500, 5},        {0.0000123, 7},
        {0.00001235, 8}, {1e-12, 10},
        {1.0 / 3, 10},   {0, 5},
        {-0.000025, 6},  {30000.12, 5},
        {0.1 + 0.2, 5},  {1e300 / 1e-300, 5},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(PriceDecimals(C.Value), C.Decimals) << C.Value;
    // SHIBBTC's labels at a step of 0.00000005 never repeat.
    std::vector<std::string> Labels;
    for (int i = 0; i < 12; ++i)
        Labels.push_back(FormatPrice(0.0000123 + i * 0.00000005, PriceDecimals(0.00000005),
                                     InvariantFormatSettings()));
    EXPECT_EQ(Labels[0], "0.00001230");
    EXPECT_EQ(Labels[1], "0.00001235");
    std::sort(Labels.begin(), Labels.end());
    EXPECT_EQ(std::unique(Labels.begin(), Labels.end()), Labels.end());
    // A flat market's axis, widened by a hair about its price, shows the
    // price's decimals; a real range keeps its step's.
    EXPECT_EQ(AxisPriceDecimals(1e-10, 0.0005 - 5e-11, 0.0005 + 5e-11), 5);
    EXPECT_EQ(AxisPriceDecimals(1e-10, 0.0000123 - 5e-11, 0.0000123 + 5e-11), 7);
    EXPECT_EQ(AxisPriceDecimals(0.00000005, 0.0000120, 0.0000130), 8);
}

} // namespace
