#include "domain/uMethods.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Exact ties (these values are exact in binary) round away from zero, as
// FloatToStrF's general format rounds them.
TEST(AsFloatStr, WritesPlainDigitsWithAtMostEightSignificant)
{
    struct {
        double Value;
        const char* Text;
    } Cases[] = {
        {1e-8, "0.00000001"},
        {0.00000123, "0.00000123"},
        {0.000012345678912, "0.000012345679"},
        {12.3456789, "12.345679"},
        {123456789.5, "123456790"},
        {99999999.7, "100000000"},
        {9.999999999, "10"},
        {-1e-7, "-0.0000001"},
        {123456.125, "123456.13"},
        {12345678.5, "12345679"},
        {-1234567.25, "-1234567.3"},
        {0.0, "0"},
        {-0.0, "0"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        EXPECT_EQ(AsFloatStr(Case.Value), Case.Text);
    }
}

// The digest is the library's: these pin the order of key and text, the
// upper-case hexadecimal and the empty key.
TEST(CalculateHMACSHA256, MatchesTheStandardVectorsInUpperCaseHex)
{
    EXPECT_EQ(CalculateHMACSHA256("what do ya want for nothing?", "Jefe"),
              "5BDCC146BF60754E6A042426089575C75A003F089D2739839DEC58B964EC3843");
    EXPECT_EQ(CalculateHMACSHA256("", ""),
              "B613679A0814D9EC772F95D778C35FC5FF1697C493715653C6C712144292C5AD");
}

// Every value is encoded where a request is built, so that no text can add
// a parameter, end the query or cut the value short.
TEST(RequestParams, ValuesArePercentEncodedInQueriesAndLines)
{
    const struct {
        std::string Value, Encoded;
    } Cases[] = {
        {"BTCUSDT", "BTCUSDT"},
        {"a-b_c.d~e", "a-b_c.d~e"},
        {"BTCUSDT&orderId=1", "BTCUSDT%26orderId%3D1"},
        {"A#B", "A%23B"},
        {"A%00B", "A%2500B"},
        {std::string("A\0B", 3), "A%00B"},
        {"A B+\r\n?/", "A%20B%2B%0D%0A%3F%2F"},
        {"\xD0\xAF", "%D0%AF"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Encoded);
        std::string Query = "limit=5";
        AddQuery(Query, "symbol", Case.Value);
        EXPECT_EQ(Query, "limit=5&symbol=" + Case.Encoded);
        std::string Lines;
        AddParam(Lines, "symbol", Case.Value);
        AddParam(Lines, "side", "BUY");
        EXPECT_EQ(Lines, "symbol=" + Case.Encoded + "\r\nside=BUY");
    }
    const std::string Long(10240, 'A');
    std::string Query;
    AddQuery(Query, "symbol", Long + "&x");
    EXPECT_EQ(Query, "symbol=" + Long + "%26x");
}

} // namespace
