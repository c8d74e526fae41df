#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The number's text rewritten for from_chars ("." as the decimal point), or
// empty when it is not a number in the runtime's grammar.
std::string CanonicalFloat(std::string_view text, char decimalSeparator)
{
    std::string out;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        out += text[i++] == '-' ? "-" : "";
    int mantissaDigits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
         ++i, ++mantissaDigits)
        out += text[i];
    if (i < text.size() && text[i] == decimalSeparator) {
        out += '.';
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
             ++i, ++mantissaDigits)
            out += text[i];
    }
    if (mantissaDigits == 0)
        return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        const std::size_t start = i;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            out += text[i];
        if (i == start)
            return {};
    }
    return i == text.size() ? out : std::string();
}

// Whether a canonical number that from_chars found out of range is too large
// (rather than too small): its integer digits plus its exponent are positive.
bool IsOverflow(const std::string& canonical)
{
    const std::size_t e = canonical.find('e');
    int integerDigits = 0;
    for (std::size_t i = 0; i < canonical.size() && i < e && canonical[i] != '.'; ++i)
        if (std::isdigit(static_cast<unsigned char>(canonical[i])) &&
            (integerDigits > 0 || canonical[i] != '0'))
            ++integerDigits;
    if (e == std::string::npos)
        return integerDigits > 0;
    const char* first = canonical.data() + e + 1;
    if (*first == '+')
        ++first;
    long long exponent = 0;
    const auto res = std::from_chars(first, canonical.data() + canonical.size(), exponent);
    if (res.ec != std::errc())
        return *first != '-';
    return integerDigits + exponent > 0;
}

// A whole double as an integer; NaN is 0, values beyond the range are its ends.
int64_t SaturatingInt64(double whole)
{
    if (std::isnan(whole))
        return 0;
    // 2^63 is exact as a double; every double below it converts.
    if (whole >= 9223372036854775808.0)
        return std::numeric_limits<int64_t>::max();
    if (whole < -9223372036854775808.0)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(whole);
}

int SaturatingInt(double whole)
{
    if (std::isnan(whole))
        return 0;
    return static_cast<int>(std::clamp<double>(whole, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

[[noreturn]] void ThrowNotInteger(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace

int64_t Round(double value)
{
    return SaturatingInt64(std::nearbyint(value));
}

int64_t Trunc(double value)
{
    return SaturatingInt64(std::trunc(value));
}

double Frac(double value)
{
    return value - std::trunc(value);
}

int Floor(double value)
{
    return SaturatingInt(std::floor(value));
}

int Ceil(double value)
{
    return SaturatingInt(std::ceil(value));
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<int64_t>(c)))
        quotient += (product < 0) == (c < 0) ? 1 : -1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}

std::string IntToStr(int64_t value)
{
    return std::to_string(value);
}

std::string IntToHex(uint64_t value, int digits)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string text(buf, res.ptr);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

bool TryStrToInt64(std::string_view text, int64_t& value)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || res.ec != std::errc() || res.ptr != text.data() + text.size())
        return false;
    const uint64_t limit =
        static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool TryStrToInt(std::string_view text, int& value)
{
    int64_t wide = 0;
    if (!TryStrToInt64(text, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        ThrowNotInteger(text);
    return value;
}

int64_t StrToInt64(std::string_view text)
{
    int64_t value = 0;
    if (!TryStrToInt64(text, value))
        ThrowNotInteger(text);
    return value;
}

int StrToIntDef(std::string_view text, int fallback)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& fs)
{
    const std::string canonical = CanonicalFloat(TrimBlanks(text), fs.DecimalSeparator);
    if (canonical.empty())
        return false;
    double parsed = 0;
    const auto res = std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is not a number.
        if (IsOverflow(canonical))
            return false;
        parsed = canonical[0] == '-' ? -0.0 : 0.0;
    } else if (res.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(std::string_view text, const TFormatSettings& fs)
{
    double value = 0;
    if (!TryStrToFloat(text, value, fs))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

double StrToFloatDef(std::string_view text, double fallback, const TFormatSettings& fs)
{
    double value = 0;
    return TryStrToFloat(text, value, fs) ? value : fallback;
}
