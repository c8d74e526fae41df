#include "platform/DateUtils.h"

#include <algorithm>
#include <cctype>

namespace {

// Nested patterns ("c" inside a settings pattern) go no deeper than this.
constexpr int cMaxNesting = 3;

struct TFields {
    int Year, Month, Day, Hour, Min, Sec, MSec, WeekDay;
};

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word)
{
    if (text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (Upper(text[pos + i]) != Upper(word[i]))
            return false;
    return true;
}

std::string Number(int value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

class TDateWriter {
public:
    TDateWriter(const TFields& f, const TFormatSettings& fs) : fF(f), fFs(fs) {}

    std::string Write(std::string_view format)
    {
        Append(format.empty() ? std::string_view("c") : format, 0);
        return fOut;
    }

private:
    // Whether the rest of the pattern holds an am/pm marker: then hours are on
    // the 12-hour clock.
    static bool HasAmPm(std::string_view format, std::size_t from)
    {
        for (std::size_t i = from; i < format.size(); ++i) {
            if (format[i] == '"' || format[i] == '\'') {
                const std::size_t close = format.find(format[i], i + 1);
                i = close == std::string_view::npos ? format.size() : close;
            } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                       StartsWithNoCase(format, i, "ampm")) {
                return true;
            }
        }
        return false;
    }

    void Append(std::string_view format, int depth)
    {
        if (depth >= cMaxNesting)
            return;
        char lastToken = 0;
        for (std::size_t i = 0; i < format.size();) {
            const char c = format[i];
            if (c == '"' || c == '\'') {
                const std::size_t close = format.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                fOut += format.substr(i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
            std::size_t count = 1;
            while (i + count < format.size() && Upper(format[i + count]) == Upper(c))
                ++count;
            char token = Upper(c);
            if (token == 'M' && lastToken == 'H')
                token = 'N';
            if (std::isalpha(static_cast<unsigned char>(c)))
                lastToken = token;
            i += Field(format, i, token, static_cast<int>(count), depth);
        }
    }

    // Writes the field at `pos`; returns the number of characters it took.
    std::size_t Field(std::string_view format, std::size_t pos, char token, int count, int depth)
    {
        switch (token) {
        case 'Y':
            fOut += count <= 2 ? Number(fF.Year % 100, 2) : Number(fF.Year, 4);
            return static_cast<std::size_t>(count);
        case 'M':
            fOut += count <= 2
                        ? Number(fF.Month, count)
                        : (count == 3 ? fFs.ShortMonthNames
                                      : fFs.LongMonthNames)[static_cast<std::size_t>(fF.Month - 1)];
            return static_cast<std::size_t>(count);
        case 'D':
            Day(std::min(count, 6), depth);
            return static_cast<std::size_t>(count);
        case 'H': {
            int hour = fF.Hour;
            if (HasAmPm(format, pos + static_cast<std::size_t>(count)))
                hour = hour % 12 == 0 ? 12 : hour % 12;
            fOut += Number(hour, count >= 2 ? 2 : 1);
            return static_cast<std::size_t>(count);
        }
        case 'N':
            fOut += Number(fF.Min, count >= 2 ? 2 : 1);
            return static_cast<std::size_t>(count);
        case 'S':
            fOut += Number(fF.Sec, count >= 2 ? 2 : 1);
            return static_cast<std::size_t>(count);
        case 'Z':
            fOut += Number(fF.MSec, count >= 3 ? 3 : 1);
            return static_cast<std::size_t>(count);
        case 'T':
            Append(count >= 2 ? fFs.LongTimeFormat : fFs.ShortTimeFormat, depth + 1);
            return static_cast<std::size_t>(std::min(count, 2));
        case 'C':
            Append(fFs.ShortDateFormat, depth + 1);
            if (fF.Hour != 0 || fF.Min != 0 || fF.Sec != 0) {
                fOut += ' ';
                Append(fFs.LongTimeFormat, depth + 1);
            }
            return 1;
        case 'A':
            return AmPm(format, pos);
        case '/':
            fOut += fFs.DateSeparator;
            return 1;
        case ':':
            fOut += fFs.TimeSeparator;
            return 1;
        default:
            fOut += format[pos];
            return 1;
        }
    }

    void Day(int count, int depth)
    {
        const std::size_t weekDay = static_cast<std::size_t>(fF.WeekDay - 1);
        if (count <= 2)
            fOut += Number(fF.Day, count);
        else if (count == 3)
            fOut += fFs.ShortDayNames[weekDay];
        else if (count == 4)
            fOut += fFs.LongDayNames[weekDay];
        else
            Append(count == 5 ? fFs.ShortDateFormat : fFs.LongDateFormat, depth + 1);
    }

    std::size_t AmPm(std::string_view format, std::size_t pos)
    {
        const bool pm = fF.Hour >= 12;
        if (StartsWithNoCase(format, pos, "am/pm")) {
            fOut += format.substr(pm ? pos + 3 : pos, 2);
            return 5;
        }
        if (StartsWithNoCase(format, pos, "a/p")) {
            fOut += format[pm ? pos + 2 : pos];
            return 3;
        }
        if (StartsWithNoCase(format, pos, "ampm")) {
            fOut += pm ? fFs.TimePMString : fFs.TimeAMString;
            return 4;
        }
        fOut += format[pos];
        return 1;
    }

    const TFields& fF;
    const TFormatSettings& fFs;
    std::string fOut;
};

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs)
{
    TFields f{};
    DecodeDateTime(value, f.Year, f.Month, f.Day, f.Hour, f.Min, f.Sec, f.MSec);
    f.WeekDay = DayOfWeek(value);
    return TDateWriter(f, fs).Write(format);
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs)
{
    return FormatDateTime("c", value, fs);
}

std::string DateToStr(TDateTime value, const TFormatSettings& fs)
{
    return FormatDateTime("ddddd", value, fs);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& fs)
{
    return FormatDateTime("tt", value, fs);
}
