#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TFormatSettings CommaDecimal()
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    return fs;
}

TEST(Rounding, RoundTiesGoToEven)
{
    const std::pair<double, int64_t> cases[] = {
        {0.5, 0},   {1.5, 2}, {2.5, 2}, {3.5, 4},   {-0.5, 0}, {-1.5, -2},
        {-2.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}, {0.0, 0},  {1e15, 1000000000000000},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(Round(value), expected) << value;
    EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);
}

TEST(Rounding, TruncFracFloorCeilAndOutOfRangeSaturates)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Round(std::nan("")), 0);
    EXPECT_EQ(Round(inf), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Round(-1e30), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Trunc(9.3e18), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Floor(-1e10), std::numeric_limits<int>::min());
    EXPECT_EQ(Ceil(1e10), std::numeric_limits<int>::max());
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
    EXPECT_DOUBLE_EQ(Frac(3.75), 0.75);
    EXPECT_EQ(Floor(-0.5), -1);
    EXPECT_EQ(Ceil(-0.5), 0);
    EXPECT_EQ(Ceil(1.0001), 2);
}

TEST(Rounding, MulDivHalvesAwayFromZeroAndFailures)
{
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {5, 1, 2, 3},       {-5, 1, 2, -3}, {5, -1, 2, -3}, {-5, -1, 2, 3},
        {7, 1, 2, 4},       {3, 1, 2, 2},   {1, 1, 3, 0},   {2, 1, 3, 1},
        {100, 96, 72, 133}, {5, 1, -2, -3}, {1, 1, 0, -1},  {0, 5, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    // The 64-bit product does not overflow; then a quotient that does not fit in 32 bits.
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
    EXPECT_EQ(MulDiv(2000000000, 4, 1), -1);
}

TEST(FloatToStrTest, GeneralFormatWithFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.1 + 0.2, "0.3"},
        {1e-5, "1E-5"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {1.5e-7, "1.5E-7"},
        {123456789012345678.0, "1.23456789012346E17"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-0.0, "0"},
        {0.0, "0"},
        {-1.5, "-1.5"},
        {100, "100"},
        {9.9999999999999999e14, "1E15"},
        {1e300, "1E300"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::nan(""), "NAN"}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(FloatToStr(value), expected) << value;
    EXPECT_EQ(FloatToStr(1234.5, CommaDecimal()), "1234,5");
}

TEST(FloatToStrTest, FloatToStrFFormats)
{
    struct Case {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* expected;
    };
    const Case cases[] = {
        {1234.5, ffExponent, 5, 2, "1.2345E+03"},
        {0.00012, ffExponent, 3, 0, "1.20E-4"},
        {-1234.5, ffExponent, 2, 4, "-1.2E+0003"},
        {0, ffExponent, 3, 2, "0.00E+00"},
        {1234.565, ffFixed, 15, 2, "1234.57"},
        {2.5, ffFixed, 15, 0, "3"},
        {-2.5, ffFixed, 15, 0, "-3"},
        {0.125, ffFixed, 15, 2, "0.13"},
        {-0.001, ffFixed, 15, 2, "0.00"},
        {0.5, ffFixed, 15, 3, "0.500"},
        {123456.0, ffFixed, 3, 2, "1.23E5"},
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        {-999.999, ffNumber, 15, 2, "-1,000.00"},
        {12.5, ffGeneral, 2, 0, "13"},
        {1234.5, ffCurrency, 15, 2, "$1,234.50"},
        {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected) << c.value;
    TFormatSettings euro = CommaDecimal();
    euro.CurrencyString = "EUR";
    euro.CurrencyFormat = 3;
    euro.NegCurrFormat = 8;
    EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2, euro), "1.234,50 EUR");
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, euro), "-1.234,50 EUR");
}

TEST(FormatFloatTest, PicturesSectionsAndSeparators)
{
    struct Case {
        const char* picture;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"#,##0.00", 0, "0.00"},
        {"#,##0.00", 999.995, "1,000.00"},
        {"#,##0", 123, "123"},
        {"0.########", 0.1 + 0.2, "0.3"},
        {"0.########", 1.0 / 3, "0.33333333"},
        {"0.########", 5, "5"},
        {"0.00", 1.005, "1.01"},
        {"0.00", 2.675, "2.68"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", 0.4, "0"},
        {"000", 7, "007"},
        {"#.##", 0.5, ".5"},
        {"0.0#", 1.2, "1.2"},
        {"0.0#", 1.234, "1.23"},
        {"00", 12345, "12345"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.00E+00", 0.00012345, "1.23E-04"},
        {"0.00E-00", 12345, "1.23E04"},
        {"0.###e-0", 0.00012345, "1.235e-4"},
        {"0.00 'pips'", 1.5, "1.50 pips"},
        {"\"$\"0.00", 1.5, "$1.50"},
        {"0-00", 1234, "12-34"},
        {"", 0.1 + 0.2, "0.3"},
        {"0", 1e20, "1E20"},
        {"0.00;(0.00);zero", 1.234, "1.23"},
        {"0.00;(0.00);zero", -1.234, "(1.23)"},
        {"0.00;(0.00);zero", 0, "zero"},
        // Rounds to zero: the zero section.
        {"0.00;(0.00);zero", -0.001, "zero"},
        {"0.00;(0.00)", 0, "0.00"},
        {"0.00;(0.00)", -0.001, "0.00"},
        // An empty negative section falls back to the first with a minus sign.
        {"0.00;;zero", -2, "-2.00"},
        {"0.00;;zero", 0, "zero"},
        {"'a;b' 0", 5, "a;b 5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, CommaDecimal()), "1.234.567,89");
}

TEST(FormatTest, Specifiers)
{
    EXPECT_EQ(Format("%d items", 42), "42 items");
    EXPECT_EQ(Format("%5d|%-5d|%.3d", 42, 42, 7), "   42|42   |007");
    EXPECT_EQ(Format("%d", -7), "-7");
    EXPECT_EQ(Format("%u", 4000000000u), "4000000000");
    EXPECT_EQ(Format("%x %.4x", 255, 26), "FF 001A");
    EXPECT_EQ(Format("%x|%u", -1, -1), "FFFFFFFF|4294967295");
    EXPECT_EQ(Format("%d", INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(Format("%s %s %s", "BTC", std::string("sell"), std::string_view("limit")),
              "BTC sell limit");
    EXPECT_EQ(Format("%s / %s", "a", "b"), "a / b");
    EXPECT_EQ(Format("%.2s|%6s|%-6s|", "abcdef", "ab", "ab"), "ab|    ab|ab    |");
    EXPECT_EQ(Format("%8.5f", 1.5), " 1.50000");
    EXPECT_EQ(Format("  %0.5f, %0.5f", 1.234565, -2.0), "  1.23457, -2.00000");
    EXPECT_EQ(Format("%f", 2.005), "2.01");
    EXPECT_EQ(Format("%g", 0.1 + 0.2), "0.3");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", -0.0012345), "-1.23E-003");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%m", -5.0), "($5.00)");
    EXPECT_EQ(Format("%*d|%.*f", 4, 7, 1, 2.25), "   7|2.3");
    EXPECT_EQ(Format("%1:s %0:s", "a", "b"), "b a");
    EXPECT_EQ(Format("100%%"), "100%");
}

TEST(FormatTest, BadFormatsThrow)
{
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%f", 1), EConvertError);
    EXPECT_THROW(Format("%s", 1), EConvertError);
    EXPECT_THROW(Format("%d %d", 1), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("%5"), EConvertError);
}

TEST(ParseTest, Integers)
{
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt("  -42"), -42);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1a"), 26);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    for (const char* bad : {"", " ", "12 ", "1.5", "abc", "2147483648", "--1", "$", "0x"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    EXPECT_EQ(IntToStr(-9876543210), "-9876543210");
    EXPECT_EQ(IntToHex(0xBEEF, 8), "0000BEEF");
}

TEST(ParseTest, FloatsWithExplicitSettings)
{
    const TFormatSettings dot;
    const TFormatSettings comma = CommaDecimal();
    struct Case {
        const char* text;
        const TFormatSettings* fs;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", &dot, true, 1.5},  {"1,5", &comma, true, 1.5},       {"1,5", &dot, false, 0},
        {"1.5", &comma, false, 0}, {"  -2.25  ", &dot, true, -2.25}, {"+3", &dot, true, 3},
        {"1e3", &dot, true, 1000}, {"1.5E-2", &dot, true, 0.015},    {".5", &dot, true, 0.5},
        {"5.", &dot, true, 5},     {"1,000.5", &dot, false, 0},      {"", &dot, false, 0},
        {"abc", &dot, false, 0},   {"1.5x", &dot, false, 0},         {"1e", &dot, false, 0},
        {".", &dot, false, 0},     {"1e999", &dot, false, 0},        {"1e-999", &dot, true, 0},
        {"nan", &dot, false, 0},   {"inf", &dot, false, 0},          {"0x10", &dot, false, 0},
        {"1 5", &dot, false, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(c.text, value, *c.fs), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.ok ? c.value : -99) << c.text;
    }
    EXPECT_THROW(StrToFloat("x"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7), 7);
    EXPECT_DOUBLE_EQ(StrToFloatDef("0,25", 7, comma), 0.25);
}

TEST(ParseTest, FormattedNumbersReadBack)
{
    for (double v : {0.1 + 0.2, 1.0 / 3, -123456.789, 1e-5, 6.02214076e23}) {
        const double back = StrToFloat(FloatToStr(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
    }
}

} // namespace
