#include "platform/FloatDigits.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// A double is exactly identified by 17 significant digits; more are zeros here.
constexpr int cExactDigits = 17;

// Adds one unit in the last place of `digits`; returns true when it carried out
// of the first digit ("999" -> "1").
bool IncrementDigits(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.assign(1, '1');
    return true;
}

std::string ExponentText(int exponent, bool alwaysSign, int minDigits)
{
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    if (exponent < 0)
        return "-" + digits;
    return alwaysSign ? "+" + digits : digits;
}

std::string GroupThousands(const std::string& integer, char separator)
{
    if (separator == '\0')
        return integer;
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

std::string ExponentFormat(const TFloatDigits& d, int precision, int minExpDigits, char decSep)
{
    std::string mantissa = d.Digits;
    mantissa.resize(static_cast<std::size_t>(precision), '0');
    std::string out = mantissa.substr(0, 1);
    if (precision > 1)
        out += decSep + mantissa.substr(1);
    return out + "E" + ExponentText(d.IsZero() ? 0 : d.Exponent - 1, true, minExpDigits);
}

std::string CurrencyText(const std::string& amount, bool negative, const TFormatSettings& fs)
{
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negativeForms[] = {"($1)", "-$1",  "$-1",   "$1-",  "(1$)", "-1$",
                                                "1-$",  "1$-",  "-1 $",  "-$ 1", "1 $-", "$ 1-",
                                                "$ -1", "1- $", "($ 1)", "(1 $)"};
    const std::string layout = negative ? negativeForms[std::clamp(fs.NegCurrFormat, 0, 15)]
                                        : positive[std::clamp(fs.CurrencyFormat, 0, 3)];
    std::string out;
    for (char c : layout) {
        if (c == '$')
            out += fs.CurrencyString;
        else if (c == '1')
            out += amount;
        else
            out += c;
    }
    return out;
}

} // namespace

TFloatDigits FloatToDigits(double value, int precision, int decimals)
{
    TFloatDigits d;
    d.Negative = std::signbit(value);
    if (value == 0)
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, cExactDigits - 1);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = text.find('e');
    int sciExponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    sciExponent);
    std::string digits(1, text[0]);
    digits.append(text.substr(2, e - 2));
    d.Exponent = sciExponent + 1;

    d.Digits = digits;
    RoundDigits(d, std::clamp(precision, 1, 18));
    if (decimals < cNoDecimalLimit)
        RoundDigits(d, d.Exponent + decimals);
    return d;
}

void RoundDigits(TFloatDigits& d, int keep)
{
    if (keep >= static_cast<int>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    const bool roundUp = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (roundUp && IncrementDigits(d.Digits))
        ++d.Exponent;
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits.empty())
        d.Exponent = 0;
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    return {};
}

std::string GeneralText(const TFloatDigits& d, int precision, char decimalSeparator)
{
    if (d.IsZero())
        return "0";
    std::string out = d.Negative ? "-" : "";
    const int n = static_cast<int>(d.Digits.size());
    if (d.Exponent > precision || d.Exponent < -3) {
        out += d.Digits[0];
        if (n > 1)
            out += decimalSeparator + d.Digits.substr(1);
        return out + "E" + ExponentText(d.Exponent - 1, false, 0);
    }
    if (d.Exponent <= 0)
        return out + "0" + decimalSeparator +
               std::string(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
    std::string integer = d.Digits.substr(0, static_cast<std::size_t>(std::min(n, d.Exponent)));
    integer.resize(static_cast<std::size_t>(d.Exponent), '0');
    out += integer;
    if (n > d.Exponent)
        out += decimalSeparator + d.Digits.substr(static_cast<std::size_t>(d.Exponent));
    return out;
}

std::string FixedText(const TFloatDigits& d, int decimals, char decimalSeparator,
                      char thousandSeparator)
{
    const int n = static_cast<int>(d.Digits.size());
    std::string integer = "0";
    if (d.Exponent > 0) {
        integer = d.Digits.substr(0, static_cast<std::size_t>(std::min(n, d.Exponent)));
        integer.resize(static_cast<std::size_t>(d.Exponent), '0');
    }
    std::string out = d.Negative && !d.IsZero() ? "-" : "";
    out += GroupThousands(integer, thousandSeparator);
    if (decimals <= 0)
        return out;
    std::string fraction;
    for (int i = 0; i < decimals; ++i) {
        const int index = d.Exponent + i;
        fraction += index >= 0 && index < n ? d.Digits[static_cast<std::size_t>(index)] : '0';
    }
    return out + decimalSeparator + fraction;
}

std::string FloatToStr(double value, const TFormatSettings& fs)
{
    return FloatToStrF(value, ffGeneral, 15, 0, fs);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs)
{
    if (const std::string special = NonFiniteText(value); !special.empty())
        return special;
    precision = std::clamp(precision, 1, 18);
    const int decimals = std::clamp(digits, 0, 18);
    if (format == ffGeneral)
        return GeneralText(FloatToDigits(value, precision), precision, fs.DecimalSeparator);
    if (format == ffExponent) {
        TFloatDigits d = FloatToDigits(value, precision);
        std::string out = d.Negative && !d.IsZero() ? "-" : "";
        return out + ExponentFormat(d, precision, std::clamp(digits, 0, 4), fs.DecimalSeparator);
    }
    const TFloatDigits d = FloatToDigits(value, precision, decimals);
    if (d.Exponent > precision)
        return GeneralText(FloatToDigits(value, precision), precision, fs.DecimalSeparator);
    const char grouping = format == ffFixed ? '\0' : fs.ThousandSeparator;
    if (format != ffCurrency)
        return FixedText(d, decimals, fs.DecimalSeparator, grouping);
    TFloatDigits magnitude = d;
    magnitude.Negative = false;
    return CurrencyText(FixedText(magnitude, decimals, fs.DecimalSeparator, grouping),
                        d.Negative && !d.IsZero(), fs);
}
