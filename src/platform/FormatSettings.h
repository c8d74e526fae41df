#pragma once

#include <array>
#include <string>

// The separators, patterns and names that number and date texts are written
// and read with. Every formatting routine takes one explicitly (or uses the
// invariant default); the C locale of the process is never consulted.
//
// A default-constructed value is the invariant set:
//   decimal '.', thousands ',', date separator '/', time separator ':',
//   short date "mm/dd/yyyy", long date "dddd, mmmm d, yyyy",
//   short time "hh:nn", long time "hh:nn:ss", "AM"/"PM",
//   currency "$" before the amount (format 0), negative "($1)" (format 0),
//   2 currency decimals, English month and day names.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "mm/dd/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int CurrencyFormat = 0;
    // 0 "($1)" 1 "-$1" 2 "$-1" 3 "$1-" 4 "(1$)" 5 "-1$" 6 "1-$" 7 "1$-" 8 "-1 $" 9 "-$ 1"
    // 10 "1 $-" 11 "$ 1-" 12 "$ -1" 13 "1- $" 14 "($ 1)" 15 "(1 $)".
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    // Index 0 is January.
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Index 0 is Sunday.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The invariant set above, shared (never modified).
const TFormatSettings& InvariantFormatSettings();

// The invariant set with the user's locale applied: the date and time patterns,
// month and day names and am/pm texts (LC_TIME), the decimal and thousands
// separators (LC_NUMERIC). The locale is read once, from the environment
// (LC_ALL, LC_TIME, LC_NUMERIC, LANG), without changing the process locale.
// Names stay English when the locale's code page is not UTF-8. Falls back to
// the invariant set when the locale is unknown.
const TFormatSettings& LocaleFormatSettings();

// The program's own settings: what every text written in "the platform's
// format" uses. They start as LocaleFormatSettings(); the program may change
// them (the main window fixes the long time format) without touching the C
// locale. Any thread reads a copy; changes are made whole, under a lock.
TFormatSettings GetFormatSettings();
void SetFormatSettings(const TFormatSettings& Value);

// Turns a C date or time pattern (strftime style, "%d.%m.%Y") into the
// runtime's pattern ("dd.mm.yyyy"). Letters outside conversions are quoted.
std::string CDateFormatToRuntime(const std::string& cFormat);
