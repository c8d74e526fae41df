#pragma once

#include "platform/DateTime.h"
#include "platform/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

// The runtime's calendar on TDateTime. Years 1..9999, proleptic Gregorian.
// A negative value (before 1899-12-30) holds its date in the integer part and
// its time of day in the absolute fraction: -1.25 is 1899-12-29 06:00.
// Decoding rounds to the millisecond first, so a value a hair before midnight
// decodes as the next day 00:00:00.000. Decoding and formatting a value
// outside 0001-01-01 .. 9999-12-31, or NaN, throws EConvertError.

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// Throw EConvertError for a field out of range.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
// A date plus a time of day, by the sign rule above.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec);

int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);
int HourOf(TDateTime value);
int MinuteOf(TDateTime value);
int SecondOf(TDateTime value);
int MilliSecondOf(TDateTime value);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
// ISO: 1 = Monday .. 7 = Sunday.
int DayOfTheWeek(TDateTime value);

// The date at midnight and the time of day (0 <= time < 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// Calendar steps keep the time of day; a day past the end of the target month
// becomes its last day (Jan 31 + 1 month = Feb 28 or 29).
TDateTime IncMonth(TDateTime value, int months = 1);
TDateTime IncYear(TDateTime value, int years = 1);
// Clock steps move along the time line (also across 1899-12-30) and give a
// value on a whole millisecond.
TDateTime IncDay(TDateTime value, int64_t days = 1);
TDateTime IncHour(TDateTime value, int64_t hours = 1);
TDateTime IncMinute(TDateTime value, int64_t minutes = 1);
TDateTime IncSecond(TDateTime value, int64_t seconds = 1);
TDateTime IncMilliSecond(TDateTime value, int64_t msecs = 1);

// Milliseconds since 1899-12-30 00:00 along the time line, rounded; and back.
int64_t DateTimeToMilliseconds(TDateTime value);
TDateTime MillisecondsToDateTime(int64_t msecs);
// Seconds since 1970-01-01 00:00 (no time zone applied), rounded.
int64_t DateTimeToUnix(TDateTime value);
TDateTime UnixToDateTime(int64_t seconds);

// The local wall clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h or hh),
// yy yyyy, h hh, n nn, s ss, z zzz, am/pm a/p ampm (12-hour clock), c t tt,
// "/" and ":" as the settings' separators, '...' and "..." literal text.
// Letters are matched without regard to case. An empty format is "c".
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& fs = InvariantFormatSettings());
// "c", "ddddd" and "tt".
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs = InvariantFormatSettings());
std::string DateToStr(TDateTime value, const TFormatSettings& fs = InvariantFormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& fs = InvariantFormatSettings());

// Date texts in the order of the settings' short date pattern (day, month,
// year as it starts with d, m or y) with the settings' date separator; the year
// may be left out (the current one) or have two digits (the one within 50
// years of now). Times as h:n[:s[.fraction]] with the settings' time separator
// and an optional am/pm marker. Blanks around are allowed.
bool TryStrToDate(std::string_view text, TDateTime& value,
                  const TFormatSettings& fs = InvariantFormatSettings());
bool TryStrToTime(std::string_view text, TDateTime& value,
                  const TFormatSettings& fs = InvariantFormatSettings());
// A date, a time, or a date followed by blanks and a time.
bool TryStrToDateTime(std::string_view text, TDateTime& value,
                      const TFormatSettings& fs = InvariantFormatSettings());
// Throw EConvertError when the text is not a date, time or both.
TDateTime StrToDate(std::string_view text, const TFormatSettings& fs = InvariantFormatSettings());
TDateTime StrToTime(std::string_view text, const TFormatSettings& fs = InvariantFormatSettings());
TDateTime StrToDateTime(std::string_view text,
                        const TFormatSettings& fs = InvariantFormatSettings());
