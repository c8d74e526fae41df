#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

struct TYmdHms {
    int y, m, d, h, n, s, ms;
};

TYmdHms Decoded(TDateTime value)
{
    TYmdHms r{};
    DecodeDateTime(value, r.y, r.m, r.d, r.h, r.n, r.s, r.ms);
    return r;
}

TEST(Calendar, EncodeKnownSerials)
{
    struct Case {
        int y, m, d;
        double serial;
    };
    const Case cases[] = {{1899, 12, 30, 0},   {1899, 12, 31, 1},   {1900, 1, 1, 2},
                          {1899, 12, 29, -1},  {1970, 1, 1, 25569}, {2000, 2, 29, 36585},
                          {2024, 3, 1, 45352}, {1, 1, 1, -693593},  {9999, 12, 31, 2958465}};
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        const TYmdHms back = Decoded(c.serial);
        EXPECT_EQ(back.y * 10000 + back.m * 100 + back.d, c.y * 10000 + c.m * 100 + c.d);
    }
}

TEST(Calendar, ValidityAndLeapYears)
{
    for (auto [y, leap] : {std::pair{2000, true}, {2024, true}, {1900, false}, {2023, false}})
        EXPECT_EQ(IsLeapYear(y), leap) << y;
    for (auto [y, m, days] : {std::tuple{2024, 2, 29}, {1900, 2, 28}, {2023, 4, 30}, {2023, 13, 0}})
        EXPECT_EQ(DaysInAMonth(y, m), days) << y << "-" << m;
    TDateTime d = 42;
    for (auto [y, m, day] : {std::tuple{2023, 2, 29}, {2023, 0, 1}, {0, 1, 1}, {10000, 1, 1}})
        EXPECT_FALSE(TryEncodeDate(y, m, day, d)) << y << "-" << m << "-" << day;
    EXPECT_EQ(d, 42);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    for (double bad : {std::nan(""), 1e300, -1e7, 2958466.0})
        EXPECT_THROW(FormatDateTime("yyyy", bad), EConvertError) << bad;
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", EncodeDateTime(1, 1, 1, 12, 0, 0, 0)),
              "0001-01-01 12:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", EncodeDate(9999, 12, 31) + 0.5), "9999-12-31");
}

TEST(Calendar, DecodeRoundsToTheMillisecondBeforeSplitting)
{
    const TDateTime day = EncodeDate(2024, 12, 31);
    struct Case {
        TDateTime value;
        TYmdHms expected;
    };
    const Case cases[] = {
        {day + 0.9999999999, {2025, 1, 1, 0, 0, 0, 0}},
        {day + EncodeTime(23, 59, 59, 999), {2024, 12, 31, 23, 59, 59, 999}},
        {day + (86399999.6 / MSecsPerDay), {2025, 1, 1, 0, 0, 0, 0}},
        {day + 0.5, {2024, 12, 31, 12, 0, 0, 0}},
        {day + 1.0 / 3, {2024, 12, 31, 8, 0, 0, 0}},
        // Before 1899-12-30: the date is the integer part, the time the absolute fraction.
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
        {-0.5, {1899, 12, 30, 12, 0, 0, 0}},
        {-0.9999999999, {1899, 12, 29, 0, 0, 0, 0}},
        {EncodeDateTime(1850, 6, 15, 18, 30, 0, 0), {1850, 6, 15, 18, 30, 0, 0}},
    };
    for (const auto& c : cases) {
        const TYmdHms r = Decoded(c.value);
        const TYmdHms& e = c.expected;
        EXPECT_TRUE(r.y == e.y && r.m == e.m && r.d == e.d && r.h == e.h && r.n == e.n &&
                    r.s == e.s && r.ms == e.ms)
            << c.value << " -> " << r.y << "-" << r.m << "-" << r.d << " " << r.h << ":" << r.n
            << ":" << r.s << "." << r.ms;
    }
}

TEST(Calendar, WeekDays)
{
    // 2024-06-03 was a Monday.
    const TDateTime monday = EncodeDate(2024, 6, 3);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(DayOfTheWeek(monday + i), i + 1);
        EXPECT_EQ(DayOfWeek(monday + i), (i + 1) % 7 + 1);
    }
    EXPECT_EQ(DayOfWeek(0), 7);                        // 1899-12-30, Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1); // Sunday, negative serial
    EXPECT_EQ(DayOfTheWeek(EncodeDate(1899, 12, 25)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24) - 0.75), 1);
}

TEST(Calendar, MonthAndYearStepsClampTheDay)
{
    struct Case {
        TDateTime from;
        int months;
        TDateTime expected;
    };
    const Case cases[] = {
        {EncodeDate(2023, 1, 31), 1, EncodeDate(2023, 2, 28)},
        {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 2, 29), 12, EncodeDate(2025, 2, 28)},
        {EncodeDate(2024, 2, 29), 48, EncodeDate(2028, 2, 29)},
        {EncodeDate(2024, 3, 31), -1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 1, 15), -1, EncodeDate(2023, 12, 15)},
        {EncodeDate(2024, 1, 15), -13, EncodeDate(2022, 12, 15)},
        {EncodeDate(1899, 12, 15), 1, EncodeDate(1900, 1, 15)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IncMonth(c.from, c.months), c.expected) << c.from << " " << c.months;
    EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
    const TDateTime withTime = EncodeDateTime(2024, 1, 31, 15, 45, 0, 0);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncMonth(withTime)), "2024-02-29 15:45");
    EXPECT_EQ(
        FormatDateTime("yyyy-mm-dd hh:nn", IncMonth(EncodeDateTime(1899, 11, 29, 6, 0, 0, 0))),
        "1899-12-29 06:00");
}

TEST(Calendar, ClockStepsFollowTheTimeLine)
{
    const TDateTime t = EncodeDateTime(2024, 12, 31, 23, 30, 0, 0);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncHour(t)), "2025-01-01 00:30");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncMinute(t, -30 * 24 * 60)), "2024-12-01 23:30");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", IncMilliSecond(t, 1)), "23:30:00.001");
    // Many small steps do not drift.
    TDateTime m = EncodeDate(2024, 1, 1);
    for (int i = 0; i < 1440; ++i)
        m = IncMinute(m);
    EXPECT_EQ(m, EncodeDate(2024, 1, 2));
    // Across 1899-12-30: 1899-12-29 18:00 plus 12 hours is 1899-12-30 06:00.
    const TDateTime before = EncodeDateTime(1899, 12, 29, 18, 0, 0, 0);
    EXPECT_DOUBLE_EQ(IncHour(before, 12), 0.25);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncDay(before, -1)), "1899-12-28 18:00");
    EXPECT_EQ(DateOf(before), -1);
    EXPECT_DOUBLE_EQ(TimeOf(before), 0.75);
}

TEST(Calendar, UnixStampsRoundToTheMillisecond)
{
    EXPECT_EQ(UnixToDateTime(0), UnixDateDelta);
    EXPECT_EQ(DateTimeToUnix(EncodeDateTime(2024, 6, 3, 12, 0, 0, 0)), 1717416000);
    for (int64_t stamp : {1717416000LL, 1717416001LL, 1700000123LL})
        EXPECT_EQ(DateTimeToUnix(UnixToDateTime(stamp)), stamp);
    const int64_t ms = 1717416000123;
    EXPECT_EQ(DateTimeToMilliseconds(MillisecondsToDateTime(ms)), ms);
}

TEST(Calendar, NowIsTheWallClock)
{
    const TDateTime now = Now();
    const int64_t unixNow = DateTimeToUnix(now);
    EXPECT_GT(unixNow, 1700000000 - 86400);
    EXPECT_EQ(DateOf(now) + TimeOf(now), now);
}

TEST(FormatDateTimeTest, Patterns)
{
    const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"dd.mm.yyyy hh:nn", "05.03.2024 14:07"},
        {"yyyy-mm-dd", "2024-03-05"},
        {"mmm yyyy", "Mar 2024"},
        {"mmmm d, yy", "March 5, 24"},
        {"ddd dddd", "Tue Tuesday"},
        {"d/m/yy", "5/3/24"},
        {"h:n:s.z", "14:7:9.45"},
        {"hh:mm", "14:07"},
        {"hh:mm dd.MM.yyyy", "14:07 05.03.2024"},
        {"HH:MM:SS", "14:07:09"},
        {"h:nn am/pm", "2:07 pm"},
        {"h:nn AM/PM", "2:07 PM"},
        {"hh a/p", "02 p"},
        {"h ampm", "2 PM"},
        {"'day' d \"of\" m", "day 5 of 3"},
        {"c", "03/05/2024 14:07:09"},
        {"t|tt", "14:07|14:07:09"},
        {"ddddd", "03/05/2024"},
        {"dddddd", "Tuesday, March 5, 2024"},
        {"", "03/05/2024 14:07:09"},
        {"x-q", "x-q"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, t), c.expected) << c.format;
}

TEST(FormatDateTimeTest, RoundingAndEdges)
{
    const TDateTime day = EncodeDate(2024, 12, 31);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", day + (86399999.6 / MSecsPerDay)),
              "2025-01-01 00:00:00.000");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", EncodeTime(23, 59, 59, 999)), "23:59:59.999");
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", EncodeDateTime(1850, 6, 15, 18, 30, 0, 0)),
              "15.06.1850 18:30");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 5, 0, 0)), "12:05 am");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 5, 0, 0)), "12:05 pm");
    // Midnight: "c" leaves the time out, milliseconds do not count.
    EXPECT_EQ(DateTimeToStr(day), "12/31/2024");
    EXPECT_EQ(DateTimeToStr(day + EncodeTime(0, 0, 0, 500)), "12/31/2024");
    EXPECT_EQ(TimeToStr(day + 0.75), "18:00:00");
    EXPECT_EQ(DateToStr(day + 0.75), "12/31/2024");
}

TEST(FormatDateTimeTest, SettingsDriveSeparatorsAndNames)
{
    TFormatSettings fs;
    fs.DateSeparator = '.';
    fs.TimeSeparator = '-';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    fs.ShortMonthNames[2] = "Mrz";
    const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
    EXPECT_EQ(FormatDateTime("c", t, fs), "05.03.2024 14-07-09");
    EXPECT_EQ(FormatDateTime("mmm", t, fs), "Mrz");
    // A settings pattern that refers to itself does not recurse for ever.
    fs.ShortDateFormat = "c";
    EXPECT_NO_THROW(FormatDateTime("c", t, fs));
}

} // namespace
