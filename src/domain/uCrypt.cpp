#include "domain/uCrypt.h"

#include "platform/SysUtils.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

constexpr int cFirst = 32;
constexpr int cLast = 127;
constexpr std::size_t cTableSize = cLast - cFirst + 1;
using TTable = std::array<std::uint8_t, cTableSize>;

// The forward table: a fixed permutation of 0..95. Never change it.
constexpr TTable T1{90, 65, 49, 15, 31, 47, 11, 75, 14, 5,  6,  84, 44, 37, 95, 78, 28, 87, 50, 85,
                    53, 74, 23, 69, 92, 76, 25, 22, 26, 17, 57, 29, 39, 83, 67, 3,  20, 93, 10, 0,
                    52, 68, 1,  91, 30, 66, 70, 33, 21, 36, 82, 72, 46, 79, 2,  48, 24, 27, 61, 51,
                    9,  60, 43, 4,  88, 34, 56, 41, 45, 18, 63, 12, 58, 8,  35, 94, 86, 73, 19, 55,
                    38, 77, 40, 80, 81, 7,  59, 32, 16, 42, 71, 64, 89, 13, 62, 54};

constexpr bool IsPermutation(const TTable& Table)
{
    std::array<bool, cTableSize> Seen{};
    for (std::uint8_t V : Table) {
        if (V >= cTableSize || Seen[V])
            return false;
        Seen[V] = true;
    }
    return true;
}
static_assert(IsPermutation(T1));

constexpr TTable Inverse(const TTable& Table)
{
    TTable Result{};
    for (std::size_t I = 0; I < cTableSize; ++I)
        Result[Table[I]] = static_cast<std::uint8_t>(I);
    return Result;
}

// The inverse table: T2[T1[x]] = x.
constexpr TTable T2 = Inverse(T1);

// The rolling value before a character, with c the characters left
// (counting this one): rotated unless c is a multiple of 4, bits 5..7 cleared.
std::uint32_t Roll(std::uint32_t R, std::uint32_t C)
{
    if (C % 4 != 0)
        R = std::rotl(R, 3);
    return R & 0xFFFFFF1Fu;
}

// The loop both directions share. The rolling value advances by the
// scrambled value in both, so DeCipher retraces EnCipher's sequence.
template <bool Forward> void Substitute(std::string& Text)
{
    const auto N = static_cast<std::uint32_t>(Text.size());
    std::uint32_t R = N;
    for (std::uint32_t P = 0; P < N; ++P) {
        const auto B = static_cast<std::uint8_t>(Text[P]);
        if (B < cFirst || B > cLast)
            continue;
        const std::uint32_t C = N - P;
        R = Roll(R, C);
        const std::uint32_t V = B - cFirst;
        std::uint32_t E;
        std::uint32_t Out;
        if constexpr (Forward) {
            E = T1[V] ^ (R & 0x1F);
            Out = E;
        } else {
            E = V;
            Out = T2[V ^ (R & 0x1F)];
        }
        R = R + C + E;
        Text[P] = static_cast<char>(Out + cFirst);
    }
}

int HexDigit(char Ch)
{
    if (Ch >= '0' && Ch <= '9')
        return Ch - '0';
    if (Ch >= 'A' && Ch <= 'F')
        return Ch - 'A' + 10;
    if (Ch >= 'a' && Ch <= 'f')
        return Ch - 'a' + 10;
    return -1;
}

} // namespace

void EnCipher(std::string& Text)
{
    Substitute<true>(Text);
}

void DeCipher(std::string& Text)
{
    Substitute<false>(Text);
}

void Crypt(std::string& Text, std::string_view Key)
{
    if (Text.empty() || Key.empty())
        return;
    const std::size_t L = Key.size();
    std::size_t J = L - 1;
    auto A = static_cast<std::uint8_t>((L - 1) & 0xFF);
    for (char& Ch : Text) {
        if ((A & 8) == 0)
            A ^= 1;
        A = static_cast<std::uint8_t>(~A);
        A = std::rotr(A, 1);
        Ch = static_cast<char>(static_cast<std::uint8_t>(Ch) ^ static_cast<std::uint8_t>(Key[J]) ^
                               A);
        J = (J == 0) ? L - 1 : J - 1;
    }
}

std::string Write(std::string_view Bytes)
{
    static constexpr char cDigits[] = "0123456789ABCDEF";
    std::string Result;
    Result.reserve(Bytes.size() * 2);
    for (char Ch : Bytes) {
        const auto B = static_cast<std::uint8_t>(Ch);
        Result += cDigits[B >> 4];
        Result += cDigits[B & 0x0F];
    }
    return Result;
}

std::string Read(std::string_view Text)
{
    if (Text.size() % 2 != 0)
        throw EConvertError("Hexadecimal text of odd length");
    std::string Result;
    Result.reserve(Text.size() / 2);
    for (std::size_t I = 0; I < Text.size(); I += 2) {
        const int Hi = HexDigit(Text[I]);
        const int Lo = HexDigit(Text[I + 1]);
        if (Hi < 0 || Lo < 0)
            throw EConvertError("Invalid hexadecimal digit");
        Result += static_cast<char>(Hi * 16 + Lo);
    }
    return Result;
}

std::string Encrypt(std::string_view Text)
{
    std::string Result(Text);
    EnCipher(Result);
    Crypt(Result, cKey);
    return Write(Result);
}

std::string Decrypt(std::string_view Text)
{
    std::string Result = Read(Text);
    Crypt(Result, cKey);
    DeCipher(Result);
    return Result;
}
