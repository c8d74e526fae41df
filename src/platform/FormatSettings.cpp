#include "platform/FormatSettings.h"

#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <mutex>

namespace {

// Runtime pattern for one strftime conversion; empty when it has none.
std::string ConversionPattern(char c)
{
    switch (c) {
    case 'd':
        return "dd";
    case 'e':
        return "d";
    case 'm':
        return "mm";
    case 'y':
        return "yy";
    case 'Y':
    case 'G':
        return "yyyy";
    case 'b':
    case 'h':
        return "mmm";
    case 'B':
        return "mmmm";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case 'H':
        return "hh";
    case 'k':
        return "h";
    case 'I':
        return "hh";
    case 'l':
        return "h";
    case 'M':
        return "nn";
    case 'S':
        return "ss";
    case 'p':
        return "ampm";
    case 'F':
        return "yyyy-mm-dd";
    case 'D':
        return "mm/dd/yy";
    case 'T':
        return "hh:nn:ss";
    case 'R':
        return "hh:nn";
    default:
        return {};
    }
}

bool IsPatternLetter(char c)
{
    return std::strchr("acdehmnpstyzACDEHMNPSTYZ", c) != nullptr;
}

// The first separator character between two conversions of a C pattern.
char FirstSeparator(const std::string& cFormat, char fallback)
{
    for (std::size_t i = 0; i < cFormat.size(); ++i) {
        if (cFormat[i] == '%') {
            ++i;
            continue;
        }
        if (cFormat[i] != ' ')
            return cFormat[i];
    }
    return fallback;
}

// The long time pattern without its seconds field (and the separator before it).
std::string WithoutSeconds(const std::string& pattern)
{
    const std::size_t pos = pattern.find("ss");
    if (pos == std::string::npos || pos == 0)
        return pattern;
    std::size_t start = pos;
    while (start > 0 && pattern[start - 1] != 'n')
        --start;
    return pattern.substr(0, start) + pattern.substr(pos + 2);
}

// Month and day names and the am/pm texts of the locale, when it writes UTF-8
// (or plain ASCII); names in another code page would not show.
void ReadNames(locale_t loc, TFormatSettings& fs)
{
    const std::string codeset = nl_langinfo_l(CODESET, loc);
    if (codeset != "UTF-8" && codeset != "ANSI_X3.4-1968")
        return;
    auto read = [loc](nl_item item, std::string& target) {
        const char* text = nl_langinfo_l(item, loc);
        if (text != nullptr && *text != '\0')
            target = text;
    };
    for (int i = 0; i < 12; ++i) {
        read(ABMON_1 + i, fs.ShortMonthNames[static_cast<std::size_t>(i)]);
        read(MON_1 + i, fs.LongMonthNames[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 7; ++i) {
        read(ABDAY_1 + i, fs.ShortDayNames[static_cast<std::size_t>(i)]);
        read(DAY_1 + i, fs.LongDayNames[static_cast<std::size_t>(i)]);
    }
    read(AM_STR, fs.TimeAMString);
    read(PM_STR, fs.TimePMString);
}

TFormatSettings ReadLocale()
{
    TFormatSettings fs;
    locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return fs;
    const std::string dateFormat = nl_langinfo_l(D_FMT, loc);
    const std::string timeFormat = nl_langinfo_l(T_FMT, loc);
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    const char* thousands = nl_langinfo_l(THOUSEP, loc);
    if (!dateFormat.empty()) {
        fs.ShortDateFormat = CDateFormatToRuntime(dateFormat);
        fs.DateSeparator = FirstSeparator(dateFormat, fs.DateSeparator);
    }
    if (!timeFormat.empty()) {
        fs.LongTimeFormat = CDateFormatToRuntime(timeFormat);
        fs.ShortTimeFormat = WithoutSeconds(fs.LongTimeFormat);
        fs.TimeSeparator = FirstSeparator(timeFormat, fs.TimeSeparator);
    }
    if (radix != nullptr && std::strlen(radix) == 1)
        fs.DecimalSeparator = radix[0];
    // A multi-byte grouping character (a narrow no-break space) cannot be held
    // in one char: a plain blank stands in for it.
    if (thousands != nullptr && std::strlen(thousands) == 1)
        fs.ThousandSeparator = thousands[0];
    else if (thousands != nullptr && std::strlen(thousands) > 1)
        fs.ThousandSeparator = ' ';
    if (fs.ThousandSeparator == fs.DecimalSeparator)
        fs.ThousandSeparator = fs.DecimalSeparator == ',' ? '.' : ',';
    ReadNames(loc, fs);
    freelocale(loc);
    return fs;
}

} // namespace

const TFormatSettings& InvariantFormatSettings()
{
    static const TFormatSettings invariant;
    return invariant;
}

const TFormatSettings& LocaleFormatSettings()
{
    static const TFormatSettings locale = ReadLocale();
    return locale;
}

namespace {

std::mutex programSettingsLock;

TFormatSettings& ProgramSettings()
{
    static TFormatSettings settings = LocaleFormatSettings();
    return settings;
}

} // namespace

TFormatSettings GetFormatSettings()
{
    std::lock_guard<std::mutex> guard(programSettingsLock);
    return ProgramSettings();
}

void SetFormatSettings(const TFormatSettings& Value)
{
    std::lock_guard<std::mutex> guard(programSettingsLock);
    ProgramSettings() = Value;
}

std::string CDateFormatToRuntime(const std::string& cFormat)
{
    std::string out;
    for (std::size_t i = 0; i < cFormat.size(); ++i) {
        const char c = cFormat[i];
        if (c == '%' && i + 1 < cFormat.size()) {
            ++i;
            // glibc flags and widths ("%-d", "%_m", "%0e") change padding only.
            while (i + 1 < cFormat.size() && std::strchr("-_0^#", cFormat[i]) != nullptr)
                ++i;
            const bool unpadded = cFormat[i - 1] == '-';
            std::string pattern =
                cFormat[i] == '%' ? std::string("%") : ConversionPattern(cFormat[i]);
            if (unpadded && pattern.size() == 2 && pattern[0] == pattern[1])
                pattern.resize(1);
            out += pattern;
        } else if (IsPatternLetter(c) || c == '"' || c == '\'') {
            out += c == '"' ? std::string("'\"'") : std::string("\"") + c + "\"";
        } else {
            out += c;
        }
    }
    return out;
}
