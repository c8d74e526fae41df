#pragma once

#include "platform/FormatSettings.h"

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

// The runtime's number rules. Integer division in this code base is C++ `/`
// and `%`: both truncate toward zero, as the runtime's `div` and `mod` do.

// A text that is not a number, a bad format or a date out of range.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Round, Trunc, Floor and Ceil saturate: NaN gives 0, a value beyond the
// result type gives its nearest end (a far-off point still maps to a pixel).
int64_t Round(double value);
// Toward zero.
int64_t Trunc(double value);
// The fraction with the value's sign: Frac(-1.25) = -0.25.
double Frac(double value);
// Toward minus and plus infinity.
int Floor(double value);
int Ceil(double value);
// a * b / c with a 64-bit product, halves away from zero; -1 when c is 0 or
// the result does not fit in 32 bits (as the system call does).
int MulDiv(int a, int b, int c);

std::string IntToStr(int64_t value);
// Upper-case hexadecimal, zero-padded to at least `digits`.
std::string IntToHex(uint64_t value, int digits);
// Decimal, or hexadecimal after "$" or "0x"; leading blanks allowed, nothing
// after the digits. Throws EConvertError when not a number or out of range.
int StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, int64_t& value);

// Blanks around the number allowed; sign, digits with the settings' decimal
// separator (no thousands separators), optional exponent "E+12".
bool TryStrToFloat(std::string_view text, double& value,
                   const TFormatSettings& fs = InvariantFormatSettings());
double StrToFloat(std::string_view text, const TFormatSettings& fs = InvariantFormatSettings());
double StrToFloatDef(std::string_view text, double fallback,
                     const TFormatSettings& fs = InvariantFormatSettings());

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits: "0.3", "1E-5", "1.23456789012346E17".
std::string FloatToStr(double value, const TFormatSettings& fs = InvariantFormatSettings());
// Precision: significant digits (1..18). Digits: ffExponent minimum exponent
// digits (0..4); ffFixed, ffNumber, ffCurrency decimals (0..18). Decimal digits
// are rounded half away from zero from the value at `precision` digits.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs = InvariantFormatSettings());
// Picture format: "0" digit, "#" optional digit, "." decimal point, "," grouping,
// "E+0" / "E-0" exponent, '...' and "..." literal text, and up to three sections
// "positive;negative;zero". An empty picture gives FloatToStr.
std::string FormatFloat(std::string_view picture, double value,
                        const TFormatSettings& fs = InvariantFormatSettings());

// One argument of Format.
class TFormatArg {
public:
    template <typename T>
    requires std::is_integral_v<T> TFormatArg(T v)
    {
        if constexpr (std::is_signed_v<T>)
            fValue = static_cast<int64_t>(v);
        else
            fValue = static_cast<uint64_t>(v);
    }
    TFormatArg(double v) : fValue(v) {}
    TFormatArg(float v) : fValue(static_cast<double>(v)) {}
    TFormatArg(const char* v) : fValue(std::string_view(v)) {}
    TFormatArg(const std::string& v) : fValue(std::string_view(v)) {}
    TFormatArg(std::string_view v) : fValue(v) {}

    const std::variant<int64_t, uint64_t, double, std::string_view>& Value() const
    {
        return fValue;
    }

private:
    std::variant<int64_t, uint64_t, double, std::string_view> fValue;
};

// "%[index:][-][width][.precision]type" with type d u x (integers), e f g n m
// (floats: exponent, fixed, general, grouped, currency) and s; "*" takes width
// or precision from the arguments; "%%" is a percent sign. Throws EConvertError
// on a bad format or an argument of the wrong kind.
std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args,
                       const TFormatSettings& fs = InvariantFormatSettings());

template <typename... A> std::string Format(std::string_view format, const A&... args)
{
    return FormatArgs(format, {TFormatArg(args)...});
}
