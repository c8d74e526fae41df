#include "domain/uMethods.h"

#include "platform/FloatDigits.h"

#include <algorithm>
#include <array>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <stdexcept>

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

std::string EncodeParam(std::string_view aValue)
{
    static const char cHex[] = "0123456789ABCDEF";
    std::string Result;
    Result.reserve(aValue.size());
    for (const char C : aValue) {
        const auto Byte = static_cast<unsigned char>(C);
        const bool Alnum =
            (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9');
        if (Alnum || C == '-' || C == '_' || C == '.' || C == '~') {
            Result += C;
            continue;
        }
        Result += '%';
        Result += cHex[Byte >> 4];
        Result += cHex[Byte & 0x0F];
    }
    return Result;
}

void AddParam(std::string& aResult, const std::string& aName, std::string_view aValue)
{
    if (!aResult.empty())
        aResult += "\r\n";
    aResult += aName;
    aResult += '=';
    aResult += EncodeParam(aValue);
}

void AddQuery(std::string& aQuery, std::string_view aName, std::string_view aValue)
{
    if (!aQuery.empty())
        aQuery += '&';
    aQuery += aName;
    aQuery += '=';
    aQuery += EncodeParam(aValue);
}

std::string AsFloatStr(double aValue)
{
    constexpr int cSignificantDigits = 8;
    if (std::string Special = NonFiniteText(aValue); !Special.empty())
        return Special;
    // The general format's digits, rounded as it rounds them, but always
    // written out in full: the exchange takes no exponent.
    const TFloatDigits Digits = FloatToDigits(aValue, cSignificantDigits);
    const int Decimals = std::max(0, static_cast<int>(Digits.Digits.size()) - Digits.Exponent);
    return FixedText(Digits, Decimals, '.', '\0');
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
