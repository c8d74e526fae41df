#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Lengths and cuts of UTF-8 text counted in characters, never splitting one.

// Characters of aText (bytes that start a character).
std::size_t Utf8Length(std::string_view aText);
// Bytes of the first aChars characters of aText; all of it when it is shorter.
std::size_t Utf8PrefixBytes(std::string_view aText, std::size_t aChars);
// aText when it has at most aChars characters; else its first aChars - 1
// characters and "…", aChars in all (aChars 0: the empty text).
std::string CutText(std::string_view aText, std::size_t aChars);
