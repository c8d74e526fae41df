#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Lengths and cuts of UTF-8 text counted in characters, never splitting one.
// Text from outside may not be UTF-8: a byte that starts or continues no
// valid character (a stray continuation byte, an overlong form, a surrogate,
// a lead byte without its continuation) counts as one character and is shown
// as "\uFFFD".

// Characters of aText.
std::size_t Utf8Length(std::string_view aText);
// Bytes of the first aChars characters of aText; all of it when it is shorter.
std::size_t Utf8PrefixBytes(std::string_view aText, std::size_t aChars);
// Bytes of the whole characters of aText that fit in aMaxBytes.
std::size_t Utf8BytesWithin(std::string_view aText, std::size_t aMaxBytes);
// aText with each byte that is no valid character replaced by "\uFFFD";
// valid text unchanged.
std::string ValidUtf8(std::string_view aText);
// ValidUtf8(aText) when it has at most aChars characters; else its first
// aChars - 1 characters and "…", aChars in all (aChars 0: the empty text).
std::string CutText(std::string_view aText, std::size_t aChars);
