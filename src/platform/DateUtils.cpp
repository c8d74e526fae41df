#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

constexpr int64_t cMSecsPerDay = 86400000;

// Days from 1970-01-01 to a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The date part (day number) and the time of day in whole milliseconds.
struct TDayTime {
    int64_t Day = 0;
    int64_t MSec = 0;
};

TDayTime Split(TDateTime value)
{
    // Beyond 0001-01-01 .. 9999-12-31 (and NaN) there is no calendar date.
    if (!(value > -693594.0 && value < 2958466.0))
        throw EConvertError("Invalid date-time value " + FloatToStr(value));
    const double whole = std::trunc(value);
    TDayTime out{static_cast<int64_t>(whole), std::llround(std::fabs(value - whole) * MSecsPerDay)};
    if (out.MSec >= cMSecsPerDay) {
        out.MSec -= cMSecsPerDay;
        out.Day += value < 0 ? -1 : 1;
    }
    return out;
}

void DecodeDay(int64_t day, int& year, int& month, int& dayOfMonth)
{
    CivilFromDays(day - static_cast<int64_t>(UnixDateDelta), year, month, dayOfMonth);
}

TDateTime KeepTime(TDateTime value, int64_t newDay)
{
    return ComposeDateTime(static_cast<TDateTime>(newDay),
                           static_cast<double>(Split(value).MSec) / MSecsPerDay);
}

[[noreturn]] void ThrowInvalid(const char* what)
{
    throw EConvertError(std::string("Invalid argument to ") + what);
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    date = static_cast<TDateTime>(DaysFromCivil(year, month, day) +
                                  static_cast<int64_t>(UnixDateDelta));
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999)
        return false;
    time = (((hour * 60 + min) * 60 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        ThrowInvalid("date encode");
    return date;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        ThrowInvalid("time encode");
    return time;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec)
{
    return ComposeDateTime(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    DecodeDay(Split(value).Day, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    int64_t ms = Split(value).MSec;
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    sec = static_cast<int>(ms % 60);
    ms /= 60;
    min = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec)
{
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

int YearOf(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    return y;
}

int MonthOf(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    return m;
}

int DayOf(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    return d;
}

int HourOf(TDateTime value)
{
    return static_cast<int>(Split(value).MSec / 3600000);
}

int MinuteOf(TDateTime value)
{
    return static_cast<int>(Split(value).MSec / 60000 % 60);
}

int SecondOf(TDateTime value)
{
    return static_cast<int>(Split(value).MSec / 1000 % 60);
}

int MilliSecondOf(TDateTime value)
{
    return static_cast<int>(Split(value).MSec % 1000);
}

int DayOfWeek(TDateTime value)
{
    // Day 0 (1899-12-30) was a Saturday.
    return static_cast<int>((Split(value).Day % 7 + 13) % 7) + 1;
}

int DayOfTheWeek(TDateTime value)
{
    return static_cast<int>((Split(value).Day % 7 + 12) % 7) + 1;
}

TDateTime DateOf(TDateTime value)
{
    return static_cast<TDateTime>(Split(value).Day);
}

TDateTime TimeOf(TDateTime value)
{
    return static_cast<double>(Split(value).MSec) / MSecsPerDay;
}

TDateTime IncMonth(TDateTime value, int months)
{
    int year, month, day;
    DecodeDate(value, year, month, day);
    const int64_t index = static_cast<int64_t>(year) * 12 + (month - 1) + months;
    year = static_cast<int>(FloorDiv(index, 12));
    month = static_cast<int>(index - static_cast<int64_t>(year) * 12) + 1;
    const int clamped = std::min(day, DaysInAMonth(year, month));
    return KeepTime(value, static_cast<int64_t>(EncodeDate(year, month, clamped)));
}

TDateTime IncYear(TDateTime value, int years)
{
    return IncMonth(value, years * 12);
}

int64_t DateTimeToMilliseconds(TDateTime value)
{
    const TDayTime split = Split(value);
    return split.Day * cMSecsPerDay + split.MSec;
}

TDateTime MillisecondsToDateTime(int64_t msecs)
{
    const int64_t day = FloorDiv(msecs, cMSecsPerDay);
    return ComposeDateTime(static_cast<TDateTime>(day),
                           static_cast<double>(msecs - day * cMSecsPerDay) / MSecsPerDay);
}

TDateTime IncDay(TDateTime value, int64_t days)
{
    return IncMilliSecond(value, days * cMSecsPerDay);
}

TDateTime IncHour(TDateTime value, int64_t hours)
{
    return IncMilliSecond(value, hours * 3600000);
}

TDateTime IncMinute(TDateTime value, int64_t minutes)
{
    return IncMilliSecond(value, minutes * 60000);
}

TDateTime IncSecond(TDateTime value, int64_t seconds)
{
    return IncMilliSecond(value, seconds * 1000);
}

TDateTime IncMilliSecond(TDateTime value, int64_t msecs)
{
    return MillisecondsToDateTime(DateTimeToMilliseconds(value) + msecs);
}

int64_t DateTimeToUnix(TDateTime value)
{
    const int64_t ms =
        DateTimeToMilliseconds(value) - static_cast<int64_t>(UnixDateDelta) * cMSecsPerDay;
    return static_cast<int64_t>(std::llround(static_cast<double>(ms) / 1000.0));
}

TDateTime UnixToDateTime(int64_t seconds)
{
    return MillisecondsToDateTime(seconds * 1000 +
                                  static_cast<int64_t>(UnixDateDelta) * cMSecsPerDay);
}

TDateTime Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&secs, &local);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms));
}

TDateTime Date()
{
    return DateOf(Now());
}

TDateTime Time()
{
    return TimeOf(Now());
}
