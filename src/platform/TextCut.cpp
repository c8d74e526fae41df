#include "platform/TextCut.h"

namespace {

constexpr std::string_view cReplacement = "\uFFFD";

unsigned char ByteAt(std::string_view aText, std::size_t aPos)
{
    return static_cast<unsigned char>(aText[aPos]);
}

// Bytes of the valid character aText starts with; 0 when its first byte
// starts none. The ranges of the second byte shut out overlong forms,
// surrogates and code points beyond U+10FFFF.
std::size_t ValidCharBytes(std::string_view aText)
{
    const unsigned char Lead = ByteAt(aText, 0);
    if (Lead < 0x80)
        return 1;
    std::size_t Size = 0;
    unsigned char Low = 0x80, High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF)
        Size = 2;
    else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Size = 3;
        Low = Lead == 0xE0 ? 0xA0 : Low;
        High = Lead == 0xED ? 0x9F : High;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Size = 4;
        Low = Lead == 0xF0 ? 0x90 : Low;
        High = Lead == 0xF4 ? 0x8F : High;
    } else
        return 0;
    if (aText.size() < Size || ByteAt(aText, 1) < Low || ByteAt(aText, 1) > High)
        return 0;
    for (std::size_t I = 2; I < Size; ++I) {
        if ((ByteAt(aText, I) & 0xC0) != 0x80)
            return 0;
    }
    return Size;
}

// Bytes of the character at aPos: a valid one, or the one byte that is none.
std::size_t CharBytes(std::string_view aText, std::size_t aPos)
{
    const std::size_t Size = ValidCharBytes(aText.substr(aPos));
    return Size == 0 ? 1 : Size;
}

} // namespace

std::size_t Utf8Length(std::string_view aText)
{
    std::size_t Count = 0;
    for (std::size_t Pos = 0; Pos < aText.size(); Pos += CharBytes(aText, Pos))
        ++Count;
    return Count;
}

std::size_t Utf8PrefixBytes(std::string_view aText, std::size_t aChars)
{
    std::size_t Pos = 0;
    for (std::size_t Seen = 0; Pos < aText.size() && Seen < aChars; ++Seen)
        Pos += CharBytes(aText, Pos);
    return Pos;
}

std::size_t Utf8BytesWithin(std::string_view aText, std::size_t aMaxBytes)
{
    std::size_t Pos = 0;
    while (Pos < aText.size()) {
        const std::size_t Next = Pos + CharBytes(aText, Pos);
        if (Next > aMaxBytes)
            break;
        Pos = Next;
    }
    return Pos;
}

std::string ValidUtf8(std::string_view aText)
{
    std::string Result;
    Result.reserve(aText.size());
    for (std::size_t Pos = 0; Pos < aText.size();) {
        const std::size_t Size = ValidCharBytes(aText.substr(Pos));
        if (Size == 0)
            Result += cReplacement;
        else
            Result += aText.substr(Pos, Size);
        Pos += Size == 0 ? 1 : Size;
    }
    return Result;
}

std::string CutText(std::string_view aText, std::size_t aChars)
{
    if (Utf8PrefixBytes(aText, aChars) == aText.size())
        return ValidUtf8(aText);
    if (aChars == 0)
        return {};
    return ValidUtf8(aText.substr(0, Utf8PrefixBytes(aText, aChars - 1))) + "…";
}
