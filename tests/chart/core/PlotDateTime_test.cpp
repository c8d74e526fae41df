#include "chart/core/PlotProcs.h"

#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

double At(int Year, int Month, int Day, double Hours = 0)
{
    return EncodeDate(Year, Month, Day) + Hours / 24;
}

// ---- rounding to a step ----

TEST(PlotRoundDate, CalendarStepsGoToTheStartOfTheirPeriod)
{
    struct Case {
        double Date;
        TDateTimeStep Step;
        double Expected;
    };
    const Case cases[] = {
        {At(2018, 3, 20, 14), dtHalfMonth, At(2018, 3, 15)},
        {At(2018, 3, 15, 1), dtHalfMonth, At(2018, 3, 15)},
        {At(2018, 3, 14, 23), dtHalfMonth, At(2018, 3, 1)},
        {At(2018, 3, 20, 14), dtOneMonth, At(2018, 3, 1)},
        {At(2018, 3, 20, 14), dtSixMonths, At(2018, 3, 1)},
        {At(2018, 3, 20, 14), dtOneYear, At(2018, 1, 1)},
        {At(1850, 7, 4, 6), dtOneYear, At(1850, 1, 1)},
        {At(2018, 3, 20, 14), dtOneHour, At(2018, 3, 20, 14)},
        {At(2018, 3, 20, 14), dtNone, At(2018, 3, 20, 14)},
        {1e9, dtOneMonth, 1e9}, // beyond the calendar: left alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlotRoundDate(c.Date, c.Step), c.Expected) << c.Date << " step " << int(c.Step);
    for (int step = dtOneMicroSecond; step <= dtNone; ++step)
        EXPECT_EQ(PlotRoundDate(0, TDateTimeStep(step)), 0);
}

TEST(PlotRoundDate, DaysRoundHalvesToEven)
{
    // 2018-03-20 is day 43179, the 21st is 43180.
    EXPECT_EQ(PlotRoundDate(43179.5, dtOneDay), 43180);
    EXPECT_EQ(PlotRoundDate(43180.5, dtOneDay), 43180);
    EXPECT_EQ(PlotRoundDate(43180.49, dtOneDay), 43180);
    EXPECT_EQ(PlotRoundDate(43179.0, dtTwoDays), 43180); // 21589.5 -> 21590
    EXPECT_EQ(PlotRoundDate(43181.0, dtTwoDays), 43180); // 21590.5 -> 21590
    EXPECT_EQ(PlotRoundDate(43180.4, dtThreeDays), 43179);
}

TEST(PlotRoundDate, WeeksStartOnMonday)
{
    for (double d = At(2017, 12, 1); d < At(2018, 3, 1); d += 0.37) {
        const double monday = PlotRoundDate(d, dtOneWeek);
        EXPECT_EQ(DayOfWeek(monday), 2) << d;
        EXPECT_EQ(monday, std::floor(monday)) << d;
        EXPECT_LE(std::fabs(monday - d), 3.5) << d;
    }
}

// ---- stepping ----

struct TDateStepCase {
    double From;
    bool Up;
    TDateTimeStep Step;
    double Increment;
    double Expected;
};

TEST(PlotDateTimeIncrement, CalendarStepsCrossYearEndsAndKeepTheDayValid)
{
    const TDateStepCase Cases[] = {
        {At(2018, 1, 1), false, dtOneMonth, 30, At(2017, 12, 1)},
        {At(2017, 12, 20, 10), true, dtOneMonth, 30, At(2018, 1, 1)},
        {At(2017, 11, 5), true, dtTwoMonths, 60, At(2018, 1, 1)},
        {At(2017, 10, 31), true, dtThreeMonths, 90, At(2018, 1, 1)},
        {At(2018, 2, 1), false, dtThreeMonths, 90, At(2017, 11, 1)},
        {At(2018, 4, 30), false, dtFourMonths, 120, At(2017, 12, 1)},
        {At(2018, 6, 1), false, dtSixMonths, 182, At(2017, 12, 1)},
        {At(2018, 7, 1), false, dtSixMonths, 182, At(2018, 1, 1)},
        {At(2018, 7, 31, 23), true, dtSixMonths, 182, At(2019, 1, 1)},
        // Half months walk to the fifteenth first, and back.
        {At(2018, 3, 20), false, dtHalfMonth, 15, At(2018, 3, 15)},
        {At(2018, 3, 15), false, dtHalfMonth, 15, At(2018, 3, 1)},
        {At(2018, 3, 1), false, dtHalfMonth, 15, At(2018, 2, 15)},
        {At(2018, 1, 1, 12), false, dtHalfMonth, 15, At(2017, 12, 15)},
        {At(2018, 12, 1), true, dtHalfMonth, 15, At(2019, 1, 15)},
        // Years cover the increment and keep February valid.
        {At(2020, 2, 29), true, dtOneYear, 365, At(2021, 2, 28)},
        {At(2020, 2, 29), false, dtOneYear, 365, At(2019, 2, 28)},
        {At(2020, 2, 29), true, dtOneYear, 4 * 365, At(2024, 2, 29)},
        {At(2018, 5, 10, 8), true, dtOneYear, 730, At(2020, 5, 10)},
        {At(2018, 12, 31), true, dtOneYear, 365, At(2019, 12, 31)},
        {At(2018, 1, 1), false, dtOneYear, 3 * 365, At(2015, 1, 1)},
    };
    for (const TDateStepCase& c : Cases) {
        double value = c.From;
        EXPECT_NO_THROW(PlotDateTimeIncrement(true, c.Up, value, c.Increment, c.Step));
        EXPECT_EQ(value, c.Expected) << c.From << (c.Up ? " up " : " down ") << int(c.Step);
    }
}

TEST(PlotDateTimeIncrement, OtherStepsAndValuesUsePlainArithmetic)
{
    struct Case {
        bool IsDateTime;
        bool Up;
        double From;
        TDateTimeStep Step;
        double Expected;
    };
    const double from = At(2018, 3, 20, 6);
    const Case cases[] = {
        {false, true, 10, dtOneMonth, 40},
        {false, false, 10, dtOneYear, -20},
        {true, true, from, dtOneDay, from + 30},
        {true, false, from, dtNone, from - 30},
        {true, true, 1e9, dtOneMonth, 1e9 + 30},                           // beyond the calendar
        {true, true, At(9999, 12, 15), dtOneMonth, At(9999, 12, 15) + 30}, // would leave it
        {true, false, At(1, 1, 10), dtOneYear, At(1, 1, 10) - 30},
    };
    for (const Case& c : cases) {
        double value = c.From;
        EXPECT_NO_THROW(PlotDateTimeIncrement(c.IsDateTime, c.Up, value, 30, c.Step));
        EXPECT_EQ(value, c.Expected) << c.From << " step " << int(c.Step);
    }
}

// ---- formats and start-up ----

TEST(DateTimeDefaultFormat, TimeUpToADayThenDate)
{
    TFormatSettings fs;
    fs.ShortTimeFormat = "hh:nn";
    fs.ShortDateFormat = "dd.mm.yyyy";
    EXPECT_EQ(DateTimeDefaultFormat(1, fs), "hh:nn");
    EXPECT_EQ(DateTimeDefaultFormat(1.0 / 24, fs), "hh:nn");
    EXPECT_EQ(DateTimeDefaultFormat(1.5, fs), "dd.mm.yyyy");
}

} // namespace
