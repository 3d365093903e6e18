#pragma once
// Conversion between code page 932 (the program's own text) and Unicode.
// Bytes or characters that cannot be converted become a substitute
// character; a conversion never fails and never loses the rest of a string.

#include <string>
#include <string_view>

// Substitutes: '?' in code page 932, U+FFFD in Unicode.
std::string Cp932FromUtf8(std::string_view utf8);
std::string Utf8FromCp932(std::string_view cp932);
std::u16string Utf16FromCp932(std::string_view cp932);
std::string Cp932FromUtf16(std::u16string_view utf16);

// Japanese literals are written in UTF-8 in the source; J("計算") gives
// their code page 932 bytes.
inline std::string J(std::string_view utf8) { return Cp932FromUtf8(utf8); }
