#pragma once
// Conversion between code page 932 (the program's own text) and Unicode,
// through glibc iconv "CP932". Bytes or characters that cannot be converted
// become a substitute character; a conversion never fails and never loses
// the rest of a string.
//
// Substitution: one "?" per Unicode character that code page 932 lacks (a
// surrogate pair counts once, invalid UTF-8 once per broken sequence); one
// U+FFFD per code page 932 character that Unicode lacks: the single bytes
// 0x80, 0xA0 and 0xFD-0xFF, a lead byte cut off at the end, and a lead byte
// with a byte that may follow it (0x40-0x7E, 0x80-0xFC) but names no
// character (0x85 0x40): the pair is one character and gets one substitute.
// A lead byte before any other byte is substituted alone, so "\x81\n"
// keeps its line end.
//
// Round trips. Code page 932 -> Unicode -> code page 932 gives the same
// bytes back for every character except the duplicates of the vendor
// extensions, which come back in one canonical form:
//   - NEC-selected IBM extensions 0xED40-0xEEFC come back as the IBM
//     extensions 0xFA40-0xFC4B (0xEEF9 ¬ as 0x81CA);
//   - IBM 0xFA4A-0xFA53 (Ⅰ-Ⅹ), 0xFA58 ㈱, 0xFA59 №, 0xFA5A ℡ come back as
//     NEC row 13 (0x8754-0x875D, 0x878A, 0x8782, 0x8784); 0xFA54 ¬ and
//     0xFA5B ∵ as 0x81CA and 0x81E6;
//   - NEC row 13 0x8790-0x8792, 0x8795-0x8797, 0x879A-0x879C (≒ ≡ ∫ √ ⊥ ∠
//     ∵ ∩ ∪) come back as their JIS row 2 codes.
// 0x5C and 0x7E are the ASCII backslash and tilde (U+005C, U+007E), 0x8160
// is U+FF5E, 0x815C U+2015, 0x8161 U+2225, 0x817C U+FF0D, 0x8191/0x8192/
// 0x81CA U+FFE0-U+FFE2, and the user-defined area 0xF040-0xF9FC is U+E000-
// U+E757. Unicode -> code page 932 -> Unicode is the identity for every
// character that converts, except that the JIS-style code points are
// accepted one way: U+00A5 ¥ -> 0x5C, U+203E -> 0x7E, U+301C wave dash ->
// 0x8160, U+2016 -> 0x8161, U+2212 -> 0x817C, U+2014 -> 0x815C, U+00A2,
// U+00A3, U+00AC -> 0x8191, 0x8192, 0x81CA.

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
