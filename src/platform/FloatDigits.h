#pragma once

#include <string>

// A float as decimal digits: value = 0.Digits x 10^Exponent. Digits holds no
// trailing zeros; empty means zero. Shared by the float formatting routines.
struct TFloatDigits {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
};

constexpr int cNoDecimalLimit = 9999;

// The value rounded half away from zero to at most `precision` significant
// digits (1..18), then to at most `decimals` digits after the decimal point.
// Rounding in two steps makes the decimals agree with the value's text at
// that precision: 1.005 at 15 digits is "1.005", so two decimals give 1.01.
// The value must be finite.
TFloatDigits FloatToDigits(double value, int precision, int decimals = cNoDecimalLimit);

// Rounds half away from zero to at most `keep` significant digits; below
// zero digits the value becomes zero.
void RoundDigits(TFloatDigits& d, int keep);

// The runtime's text for NaN and infinities ("NAN", "INF", "-INF"); empty
// for a finite value.
std::string NonFiniteText(double value);

// General format: fixed notation unless the exponent is beyond `precision`
// or below -3, then "d.dddE[-]x".
std::string GeneralText(const TFloatDigits& d, int precision, char decimalSeparator);

// Digits as the integer part (at least "0") and `decimals` fraction digits.
std::string FixedText(const TFloatDigits& d, int decimals, char decimalSeparator,
                      char thousandSeparator);
