#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cctype>
#include <cmath>

namespace {

// Two-digit years land within this many years of the current one.
constexpr int cCenturyWindow = 50;

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder OrderOf(std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        if (c == '"' || c == '\'') {
            const std::size_t close = pattern.find(pattern[i], i + 1);
            i = close == std::string_view::npos ? pattern.size() : close;
        } else if (c == 'y') {
            return TDateOrder::YMD;
        } else if (c == 'd') {
            return TDateOrder::DMY;
        } else if (c == 'm') {
            return TDateOrder::MDY;
        }
    }
    return TDateOrder::MDY;
}

int ExpandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    const int current = YearOf(Now());
    int full = current - current % 100 + year;
    if (full > current + cCenturyWindow)
        full -= 100;
    else if (full <= current - cCenturyWindow)
        full += 100;
    return full;
}

// Reads the parts of a date or time text from left to right.
class TScanner {
public:
    explicit TScanner(std::string_view text) : fText(text) {}

    void SkipBlanks()
    {
        while (fPos < fText.size() && (fText[fPos] == ' ' || fText[fPos] == '\t'))
            ++fPos;
    }

    bool AtEnd() const { return fPos == fText.size(); }

    bool Char(char c)
    {
        if (fPos < fText.size() && fText[fPos] == c) {
            ++fPos;
            return true;
        }
        return false;
    }

    // Up to 9 digits; `digits` receives how many were read.
    bool Number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (fPos < fText.size() && digits < 9 &&
               std::isdigit(static_cast<unsigned char>(fText[fPos]))) {
            value = value * 10 + (fText[fPos++] - '0');
            ++digits;
        }
        return digits > 0;
    }

    bool Word(std::string_view word)
    {
        if (word.empty() || fText.size() - fPos < word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(fText[fPos + i])) !=
                std::toupper(static_cast<unsigned char>(word[i])))
                return false;
        fPos += word.size();
        return true;
    }

    std::size_t Pos() const { return fPos; }
    void Reset(std::size_t pos) { fPos = pos; }

private:
    std::string_view fText;
    std::size_t fPos = 0;
};

bool ScanDate(TScanner& s, const TFormatSettings& fs, TDateTime& date)
{
    int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    s.SkipBlanks();
    if (!s.Number(n[0], digits[0]) || !s.Char(fs.DateSeparator) || !s.Number(n[1], digits[1]))
        return false;
    const bool hasThird = s.Char(fs.DateSeparator) && s.Number(n[2], digits[2]);
    int year = 0, month = 0, day = 0;
    if (!hasThird) {
        const bool dayFirst = OrderOf(fs.ShortDateFormat) == TDateOrder::DMY;
        year = YearOf(Now());
        month = dayFirst ? n[1] : n[0];
        day = dayFirst ? n[0] : n[1];
        return TryEncodeDate(year, month, day, date);
    }
    switch (OrderOf(fs.ShortDateFormat)) {
    case TDateOrder::MDY:
        month = n[0], day = n[1], year = ExpandYear(n[2], digits[2]);
        break;
    case TDateOrder::DMY:
        day = n[0], month = n[1], year = ExpandYear(n[2], digits[2]);
        break;
    case TDateOrder::YMD:
        year = ExpandYear(n[0], digits[0]), month = n[1], day = n[2];
        break;
    }
    return TryEncodeDate(year, month, day, date);
}

// 0 without a marker, 1 for am, 2 for pm.
int ScanAmPm(TScanner& s, const TFormatSettings& fs)
{
    s.SkipBlanks();
    if (s.Word(fs.TimeAMString) || s.Word("AM") || s.Word("A"))
        return 1;
    if (s.Word(fs.TimePMString) || s.Word("PM") || s.Word("P"))
        return 2;
    return 0;
}

bool ScanTime(TScanner& s, const TFormatSettings& fs, TDateTime& time)
{
    int hour = 0, min = 0, sec = 0, msec = 0, digits = 0;
    s.SkipBlanks();
    if (!s.Number(hour, digits))
        return false;
    const bool hasMinutes = s.Char(fs.TimeSeparator);
    if (hasMinutes && !s.Number(min, digits))
        return false;
    if (hasMinutes && s.Char(fs.TimeSeparator)) {
        if (!s.Number(sec, digits))
            return false;
        int fraction = 0;
        if (s.Char(fs.DecimalSeparator) && s.Number(fraction, digits))
            msec = static_cast<int>(std::lround(fraction * std::pow(10.0, 3 - digits)));
        if (msec == 1000)
            msec = 999;
    }
    const int marker = ScanAmPm(s, fs);
    if (!hasMinutes && marker == 0)
        return false;
    if (marker != 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (marker == 2 ? 12 : 0);
    }
    return TryEncodeTime(hour, min, sec, msec, time);
}

bool Finish(TScanner& s)
{
    s.SkipBlanks();
    return s.AtEnd();
}

// The whole text as one part: nothing may follow it; value is kept on failure.
bool ScanWhole(std::string_view text, const TFormatSettings& fs,
               bool (*scan)(TScanner&, const TFormatSettings&, TDateTime&), TDateTime& value)
{
    TScanner s(text);
    TDateTime part = 0;
    if (!scan(s, fs, part) || !Finish(s))
        return false;
    value = part;
    return true;
}

TDateTime OrThrow(std::string_view text, const TFormatSettings& fs,
                  bool (*tryParse)(std::string_view, TDateTime&, const TFormatSettings&),
                  const char* what)
{
    TDateTime value = 0;
    if (!tryParse(text, value, fs))
        throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
    return value;
}

} // namespace

bool TryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& fs)
{
    return ScanWhole(text, fs, ScanDate, value);
}

bool TryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& fs)
{
    return ScanWhole(text, fs, ScanTime, value);
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& fs)
{
    TScanner s(text);
    TDateTime date = 0, time = 0;
    if (!ScanDate(s, fs, date)) {
        s.Reset(0);
        date = 0;
    } else if (Finish(s)) {
        value = date;
        return true;
    }
    if (!ScanTime(s, fs, time) || !Finish(s))
        return false;
    value = ComposeDateTime(date, time);
    return true;
}

TDateTime StrToDate(std::string_view text, const TFormatSettings& fs)
{
    return OrThrow(text, fs, TryStrToDate, "date");
}

TDateTime StrToTime(std::string_view text, const TFormatSettings& fs)
{
    return OrThrow(text, fs, TryStrToTime, "time");
}

TDateTime StrToDateTime(std::string_view text, const TFormatSettings& fs)
{
    return OrThrow(text, fs, TryStrToDateTime, "date and time");
}
