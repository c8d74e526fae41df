#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <variant>
#include <vector>

namespace {

// Significant digits of a double written by %f, %n and %m.
constexpr int cFloatPrecision = 15;

// One "%..." specifier being read.
struct TSpec {
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

class TFormatter {
public:
    TFormatter(std::string_view format, std::initializer_list<TFormatArg> args,
               const TFormatSettings& fs)
        : fFormat(format), fArgs(args.begin(), args.end()), fSettings(fs)
    {
    }

    std::string Run()
    {
        while (fPos < fFormat.size()) {
            const char c = fFormat[fPos++];
            if (c != '%')
                fOut += c;
            else if (fPos < fFormat.size() && fFormat[fPos] == '%')
                fOut += fFormat[fPos++];
            else
                Specifier();
        }
        return fOut;
    }

private:
    [[noreturn]] void Fail() const
    {
        throw EConvertError("Format '" + std::string(fFormat) +
                            "' invalid or incompatible with argument");
    }

    const TFormatArg& NextArg()
    {
        if (fArg >= fArgs.size())
            Fail();
        return fArgs[fArg++];
    }

    // A number written in the specifier, or "*" taking one from the arguments.
    int Number()
    {
        if (fPos < fFormat.size() && fFormat[fPos] == '*') {
            ++fPos;
            const auto* v = std::get_if<int64_t>(&NextArg().Value());
            if (v == nullptr)
                Fail();
            return static_cast<int>(*v);
        }
        int n = -1;
        while (fPos < fFormat.size() && std::isdigit(static_cast<unsigned char>(fFormat[fPos])))
            n = (n < 0 ? 0 : n) * 10 + (fFormat[fPos++] - '0');
        return n;
    }

    void Specifier()
    {
        TSpec spec;
        int n = Number();
        if (fPos < fFormat.size() && fFormat[fPos] == ':') {
            ++fPos;
            fArg = static_cast<std::size_t>(std::max(n, 0));
            n = Number();
        }
        if (n < 0 && fPos < fFormat.size() && fFormat[fPos] == '-') {
            ++fPos;
            spec.LeftAlign = true;
            n = Number();
        }
        spec.Width = n;
        if (fPos < fFormat.size() && fFormat[fPos] == '.') {
            ++fPos;
            spec.Precision = std::max(Number(), 0);
        }
        if (fPos >= fFormat.size())
            Fail();
        spec.Type = static_cast<char>(std::tolower(static_cast<unsigned char>(fFormat[fPos++])));
        Pad(spec, Convert(spec, NextArg()));
    }

    void Pad(const TSpec& spec, const std::string& text)
    {
        const std::size_t width = static_cast<std::size_t>(std::max(spec.Width, 0));
        const std::size_t fill = text.size() < width ? width - text.size() : 0;
        if (!spec.LeftAlign)
            fOut.append(fill, ' ');
        fOut += text;
        if (spec.LeftAlign)
            fOut.append(fill, ' ');
    }

    std::string Convert(const TSpec& spec, const TFormatArg& arg) const
    {
        const auto& v = arg.Value();
        if (spec.Type == 's') {
            const auto* s = std::get_if<std::string_view>(&v);
            if (s == nullptr)
                Fail();
            return std::string(spec.Precision >= 0 ? s->substr(0, spec.Precision) : *s);
        }
        if (spec.Type == 'd' || spec.Type == 'u' || spec.Type == 'x')
            return Integer(spec, v);
        if (const auto* d = std::get_if<double>(&v))
            return Float(spec, *d);
        Fail();
    }

    std::string Integer(const TSpec& spec,
                        const std::variant<int64_t, uint64_t, double, std::string_view>& v) const
    {
        bool negative = false;
        uint64_t magnitude = 0;
        if (const auto* i = std::get_if<int64_t>(&v)) {
            negative = *i < 0 && spec.Type == 'd';
            magnitude = negative ? 0 - static_cast<uint64_t>(*i) : static_cast<uint64_t>(*i);
            // %u and %x show a negative 32-bit value as its unsigned bit pattern.
            if (spec.Type != 'd' && *i < 0 && *i >= INT32_MIN)
                magnitude = static_cast<uint32_t>(*i);
        } else if (const auto* u = std::get_if<uint64_t>(&v)) {
            magnitude = *u;
        } else {
            Fail();
        }
        std::string digits = spec.Type == 'x' ? IntToHex(magnitude, 0) : std::to_string(magnitude);
        if (static_cast<int>(digits.size()) < spec.Precision)
            digits.insert(0, static_cast<std::size_t>(spec.Precision) - digits.size(), '0');
        return negative ? "-" + digits : digits;
    }

    std::string Float(const TSpec& spec, double value) const
    {
        // e and g take significant digits, f, n and m decimals.
        auto precision = [&](int fallback) {
            return spec.Precision < 0 ? fallback : spec.Precision;
        };
        switch (spec.Type) {
        case 'e':
        case 'g':
            return FloatToStrF(value, spec.Type == 'e' ? ffExponent : ffGeneral, precision(15), 3,
                               fSettings);
        case 'f':
        case 'n':
            return FloatToStrF(value, spec.Type == 'f' ? ffFixed : ffNumber, cFloatPrecision,
                               precision(2), fSettings);
        case 'm':
            return FloatToStrF(value, ffCurrency, cFloatPrecision,
                               precision(fSettings.CurrencyDecimals), fSettings);
        default:
            Fail();
        }
    }

    std::string_view fFormat;
    std::vector<TFormatArg> fArgs;
    const TFormatSettings& fSettings;
    std::size_t fPos = 0;
    std::size_t fArg = 0;
    std::string fOut;
};

} // namespace

std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args,
                       const TFormatSettings& fs)
{
    return TFormatter(format, args, fs).Run();
}
