#pragma once

#include <string>
#include <string_view>

// Scrambling of the API and secret keys kept in the accounts file. It only
// keeps the keys from being read at a glance; it is no protection against
// anyone holding the program.
//
// Texts are 8-bit: each char is one character code 0..255. Only codes 32..127
// are substituted; the others pass the substitution unchanged.
//
// The key and the substitution tables are part of the file format: files
// written with other values cannot be read back.

inline constexpr std::string_view cKey = "k4Rw9pZe";

// EnCipher, Crypt with cKey, Write.
std::string Encrypt(std::string_view Text);
// Read, Crypt with cKey, DeCipher. Raises EConvertError on text that is not
// an even number of hexadecimal digits.
std::string Decrypt(std::string_view Text);

// Substitution with a rolling value; DeCipher undoes EnCipher.
void EnCipher(std::string& Text);
void DeCipher(std::string& Text);
// XOR with the key walked backwards and an 8-bit state; its own inverse.
// Does nothing when the text or the key is empty.
void Crypt(std::string& Text, std::string_view Key);

// Each character code as two upper-case hexadecimal digits.
std::string Write(std::string_view Bytes);
// Every two hexadecimal digits (either case) as one character. Raises
// EConvertError on an odd number of digits or a character that is no digit.
std::string Read(std::string_view Text);
