#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings DottedDayFirst()
{
    TFormatSettings fs;
    fs.ShortDateFormat = "dd.MM.yyyy";
    fs.DateSeparator = '.';
    return fs;
}

TEST(DateParseTest, DatesFollowTheSettingsOrder)
{
    const TFormatSettings dmy = DottedDayFirst();
    TFormatSettings ymd;
    ymd.ShortDateFormat = "yyyy-mm-dd";
    ymd.DateSeparator = '-';
    struct Case {
        const char* text;
        const TFormatSettings* fs;
        bool ok;
        TDateTime expected;
    };
    const TFormatSettings mdy;
    const Case cases[] = {
        {"05.03.2024", &dmy, true, EncodeDate(2024, 3, 5)},
        {" 5.3.2024 ", &dmy, true, EncodeDate(2024, 3, 5)},
        {"03/05/2024", &mdy, true, EncodeDate(2024, 3, 5)},
        {"2024-03-05", &ymd, true, EncodeDate(2024, 3, 5)},
        {"30.12.1899", &dmy, true, 0},
        {"29.02.2023", &dmy, false, 0},
        {"05/03/2024", &dmy, false, 0},
        {"05.03.2024x", &dmy, false, 0},
        {"5..2024", &dmy, false, 0},
        {"", &dmy, false, 0},
        {"13/01/2024", &mdy, false, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -7;
        EXPECT_EQ(TryStrToDate(c.text, value, *c.fs), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.expected : -7) << c.text;
    }
}

TEST(DateParseTest, ShortYearsAndMissingYears)
{
    const TFormatSettings dmy = DottedDayFirst();
    const int thisYear = YearOf(Now());
    EXPECT_EQ(YearOf(StrToDate("01.06", dmy)), thisYear);
    const int twoDigits = YearOf(StrToDate("01.06.24", dmy));
    EXPECT_EQ(twoDigits % 100, 24);
    EXPECT_LE(std::abs(twoDigits - thisYear), 50);
}

TEST(DateParseTest, Times)
{
    struct Case {
        const char* text;
        bool ok;
        int h, n, s, ms;
    };
    const Case cases[] = {
        {"14:07", true, 14, 7, 0, 0},         {"14:07:09", true, 14, 7, 9, 0},
        {"14:07:09.045", true, 14, 7, 9, 45}, {"14:07:09.5", true, 14, 7, 9, 500},
        {"2:07 PM", true, 14, 7, 0, 0},       {"12:00 am", true, 0, 0, 0, 0},
        {"12:30 PM", true, 12, 30, 0, 0},     {"5 pm", true, 17, 0, 0, 0},
        {"13:00 PM", false, 0, 0, 0, 0},      {"24:00", false, 0, 0, 0, 0},
        {"10:60", false, 0, 0, 0, 0},         {"10", false, 0, 0, 0, 0},
        {"10:", false, 0, 0, 0, 0},           {"10:05 x", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = 0;
        ASSERT_EQ(TryStrToTime(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, EncodeTime(c.h, c.n, c.s, c.ms)) << c.text;
        }
    }
}

TEST(DateParseTest, DateAndTimeTogether)
{
    const TFormatSettings dmy = DottedDayFirst();
    EXPECT_EQ(StrToDateTime("05.03.2024 14:07", dmy), EncodeDateTime(2024, 3, 5, 14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("05.03.2024", dmy), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("14:07", dmy), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("29.12.1899 06:00", dmy), -1.25);
    // What FormatDateTime writes reads back.
    const TDateTime t = EncodeDateTime(2031, 11, 30, 23, 59, 58, 0);
    EXPECT_EQ(StrToDateTime(FormatDateTime("dd.mm.yyyy hh:nn:ss", t), dmy), t);
    EXPECT_THROW(StrToDateTime("05.03.2024 25:00", dmy), EConvertError);
    EXPECT_THROW(StrToDate("x"), EConvertError);
    EXPECT_THROW(StrToTime("x"), EConvertError);
}

} // namespace
