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

std::string Bytes(unsigned char aByte, size_t aCount)
{
    return std::string(aCount, static_cast<char>(aByte));
}

TEST(CalculateHMACSHA256, MatchesTheStandardVectorsInUpperCaseHex)
{
    std::string Key4;
    for (int I = 1; I <= 25; ++I)
        Key4 += static_cast<char>(I);
    struct {
        std::string Key;
        std::string Data;
        const char* Mac;
    } Cases[] = {
        {Bytes(0x0b, 20), "Hi There",
         "B0344C61D8DB38535CA8AFCEAF0BF12B881DC200C9833DA726E9376C2E32CFF7"},
        {"Jefe", "what do ya want for nothing?",
         "5BDCC146BF60754E6A042426089575C75A003F089D2739839DEC58B964EC3843"},
        {Bytes(0xaa, 20), Bytes(0xdd, 50),
         "773EA91E36800E46854DB8EBD09181A72959098B3EF8C122D9635514CED565FE"},
        {Key4, Bytes(0xcd, 50), "82558A389A443C0EA4CC819899F2083A85F0FAA3E578F8077A2E3FF46729665B"},
        {Bytes(0xaa, 131), "Test Using Larger Than Block-Size Key - Hash Key First",
         "60E431591EE0B67F0D8A26AACBF5B77F8E0BC6213728C5140546040F0EE37F54"},
        {Bytes(0xaa, 131),
         "This is a test using a larger than block-size key and a larger than block-size data. "
         "The key needs to be hashed before being used by the HMAC algorithm.",
         "9B09FFA71B942FCB27635FBCD5B0E944BFDC63644F0713938A7F51535C3A35E2"},
        {"", "", "B613679A0814D9EC772F95D778C35FC5FF1697C493715653C6C712144292C5AD"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Mac);
        EXPECT_EQ(CalculateHMACSHA256(Case.Data, Case.Key), Case.Mac);
    }
}

} // namespace
