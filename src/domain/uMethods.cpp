#include "domain/uMethods.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <stdexcept>
#include <system_error>

void TDBaseMethod::Init()
{
    fMethod.clear();
    fAuth = false;
    fResource.clear();
}

void TDBaseMethod::Set(const char* aMethod, bool aAuth, const char* aResource)
{
    fMethod = aMethod;
    fAuth = aAuth;
    fResource = aResource;
}

void TDMethodPing::Init()
{
    Set("GET", false, "api/v1/ping");
}

void TDMethodTime::Init()
{
    Set("GET", false, "api/v1/time");
}

void TDMethodKlines::Init()
{
    Set("GET", false, "api/v1/klines");
}

void TDMethodTickerPrice::Init()
{
    Set("GET", false, "api/v3/ticker/price");
}

void TDMethodAccount::Init()
{
    Set("GET", true, "api/v3/account");
}

void TDMethodOrderPost::Init()
{
    Set("POST", true, "api/v3/order");
}

void TDMethodOrderDelete::Init()
{
    Set("DELETE", true, "api/v3/order");
}

void TDMethodOpenOrders::Init()
{
    Set("GET", true, "api/v3/openOrders");
}

void TDMethodAllOrders::Init()
{
    Set("GET", true, "api/v3/allOrders");
}

void TDMethodDepth::Init()
{
    Set("GET", false, "api/v1/depth");
}

void TDMethodTicker24hr::Init()
{
    Set("GET", false, "api/v1/ticker/24hr");
}

void TDMethodTickerBookTicker::Init()
{
    Set("GET", false, "api/v3/ticker/bookTicker");
}

void AddParam(std::string& aResult, const std::string& aName, const std::string& aValue)
{
    if (!aResult.empty())
        aResult += "\r\n";
    aResult += aName;
    aResult += '=';
    aResult += aValue;
}

namespace {

constexpr int cSignificantDigits = 8;

std::string ToChars(double aValue, std::chars_format aFormat, int aPrecision)
{
    std::array<char, 400> Buffer{};
    auto [End, Error] =
        std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), aValue, aFormat, aPrecision);
    if (Error != std::errc())
        return {};
    return std::string(Buffer.data(), End);
}

void StripTrailingZeros(std::string& aText)
{
    if (aText.find('.') == std::string::npos)
        return;
    while (aText.back() == '0')
        aText.pop_back();
    if (aText.back() == '.')
        aText.pop_back();
}

} // namespace

std::string AsFloatStr(double aValue)
{
    if (std::isnan(aValue))
        return "NAN";
    if (std::isinf(aValue))
        return aValue < 0 ? "-INF" : "INF";
    if (aValue == 0)
        return "0";
    // The scientific form rounds to eight significant digits and tells where
    // the decimal point falls after rounding (9.99999999 becomes 1E+01).
    std::string Sci = ToChars(aValue, std::chars_format::scientific, cSignificantDigits - 1);
    int Exponent = std::atoi(Sci.c_str() + Sci.find('e') + 1);
    int Decimals = Exponent >= cSignificantDigits - 1 ? 0 : cSignificantDigits - 1 - Exponent;
    std::string Result = ToChars(aValue, std::chars_format::fixed, Decimals);
    StripTrailingZeros(Result);
    if (Result == "-0")
        return "0";
    return Result;
}

std::string CalculateHMACSHA256(const std::string& value, const std::string& salt)
{
    const EVP_MD* Digest = EVP_sha256();
    if (Digest == nullptr)
        throw std::runtime_error("SHA256 hashing is not available!");
    static const unsigned char cNoKey = 0;
    std::array<unsigned char, EVP_MAX_MD_SIZE> Mac{};
    unsigned int MacLength = 0;
    const void* Key = salt.empty() ? static_cast<const void*>(&cNoKey) : salt.data();
    if (HMAC(Digest, Key, static_cast<int>(salt.size()),
             reinterpret_cast<const unsigned char*>(value.data()), value.size(), Mac.data(),
             &MacLength) == nullptr)
        throw std::runtime_error("SHA256 hashing is not available!");
    static const char cHex[] = "0123456789ABCDEF";
    std::string Result;
    Result.reserve(MacLength * 2);
    for (unsigned int I = 0; I < MacLength; ++I) {
        Result += cHex[Mac[I] >> 4];
        Result += cHex[Mac[I] & 0x0F];
    }
    return Result;
}
