#include "platform/TextCut.h"

namespace {

bool IsContinuationByte(char C)
{
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

} // namespace

std::size_t Utf8Length(std::string_view aText)
{
    std::size_t Count = 0;
    for (char C : aText)
        Count += !IsContinuationByte(C);
    return Count;
}

std::size_t Utf8PrefixBytes(std::string_view aText, std::size_t aChars)
{
    std::size_t Pos = 0;
    for (std::size_t Seen = 0; Pos < aText.size(); ++Pos) {
        if (!IsContinuationByte(aText[Pos]) && Seen++ == aChars)
            break;
    }
    return Pos;
}

std::string CutText(std::string_view aText, std::size_t aChars)
{
    if (Utf8PrefixBytes(aText, aChars) == aText.size())
        return std::string(aText);
    if (aChars == 0)
        return {};
    return std::string(aText.substr(0, Utf8PrefixBytes(aText, aChars - 1))) + "…";
}
