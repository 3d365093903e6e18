#pragma once
// Shift-JIS (code page 932) text functions: the few operations that must
// know where a double-byte character begins and ends, JIS code arithmetic,
// and the conversions between half-width and full-width forms.
//
// A lead byte is 0x81-0x9F or 0xE0-0xFC; a lead byte and the byte after it
// form one double-byte character. Positions are 1-based byte positions.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Raised for a byte position outside the string; the message is the
// system's own text "Illegal Index".
class IllegalIndexError : public std::out_of_range {
 public:
  IllegalIndexError() : std::out_of_range("Illegal Index") {}
};

bool IsSjisLeadByte(unsigned char b);

// True when the byte at Index is the trail byte of a double-byte character:
// an odd number of lead-range bytes stands directly before it. Throws
// IllegalIndexError when Index is outside 1..S.size().
bool IsSjisTrailByte(std::string_view S, int Index);

// 1-based character index (a double-byte character counts once) of the
// first occurrence of SubStr in S that starts on a character boundary;
// 0 when absent or when either string is empty.
int SjisCharPos(std::string_view SubStr, std::string_view S);

// The characters of S, each as its own bytes (a double-byte character is
// one entry; a lead byte at the very end stands alone).
std::vector<std::string> SplitSjisCharacters(std::string_view S);

// Token receives the text of S before its first delimiter byte (a trail
// byte never delimits); that text and the delimiter are removed from S.
// Without a delimiter Token takes all of S and S becomes empty.
void CutToken(std::string& S, std::string_view Delims, std::string& Token);

// Arithmetic conversion between JIS X 0208 codes (row and cell 0x21-0x7E)
// and Shift-JIS codes: JIS 0x2330 is Shift-JIS 0x824F.
std::uint16_t JisToSjis(std::uint16_t jis);
std::uint16_t SjisToJis(std::uint16_t sjis);

// Two bytes, high byte first.
std::string CodeToDbcsString(std::uint16_t code);
// First byte × 256 + second byte; a missing byte reads as 0.
std::uint16_t DbcsStringToCode(std::string_view s);

// The Shift-JIS code of the full-width counterpart of a half-width symbol
// (blank, punctuation, ､｡･｢｣ｰ), else the byte itself.
std::uint16_t SymbolToFullWidthCode(unsigned char b);

// Half-width letters, digits, symbols and katakana become full-width; a
// half-width kana followed by ﾞ or ﾟ becomes its voiced or semi-voiced form
// (or the kana followed by ゛ or ゜ when it has no such form).
std::string ToFullWidth(std::string_view S);

// Full-width katakana, symbols of the symbol table, digits and Latin letters
// become half-width; everything else is copied unchanged.
std::string ToHalfWidth(std::string_view S);

// True when the first byte is a lead byte; false for an empty string.
bool FirstCharIsDoubleByte(std::string_view S);

// The lines of a text: CR, LF and CRLF all end a line, a last line without an
// end still counts, and the bytes of a line are kept as they are.
std::vector<std::string> SplitTextLines(std::string_view text);

// The same lines, kept as the text's own bytes and found as they are walked:
// a text of line breaks only costs its bytes, not a string per line.
class TextLines {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    Iterator() = default;
    Iterator(std::string_view text, std::size_t start);
    std::string_view operator*() const { return text_.substr(start_, end_ - start_); }
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Iterator& other) const { return start_ == other.start_; }

   private:
    std::string_view text_;
    std::size_t start_ = 0;  // the text's size at the end
    std::size_t end_ = 0;    // where the line's break begins
  };

  TextLines() = default;
  explicit TextLines(std::string text) : text_(std::move(text)) {}
  // Lines given one by one, each without its break.
  TextLines(std::initializer_list<std::string_view> lines);
  TextLines(const std::vector<std::string>& lines);  // NOLINT: a list of lines reads as those lines

  Iterator begin() const { return {text_, 0}; }
  Iterator end() const { return {text_, text_.size()}; }
  bool empty() const { return text_.empty(); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};
