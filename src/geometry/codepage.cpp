#include "geometry/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

// One iconv conversion with substitution: an invalid or unconvertible input
// unit is replaced and skipped, so the rest of the string still converts.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // unit: the size of one input code unit to skip over on an error.
  std::string Run(std::string_view in, std::size_t unit, std::string_view substitute,
                  std::size_t (*badLength)(std::string_view)) {
    std::string out;
    out.reserve(in.size() * 2 + 8);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (r != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): substitute and skip.
      out.append(substitute);
      std::size_t skip = badLength ? badLength(std::string_view(src, srcLeft)) : unit;
      skip = std::max<std::size_t>(unit, std::min(skip, srcLeft));
      src += skip;
      srcLeft -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts the text (1 for a stray byte).
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto c = static_cast<unsigned char>(s[0]);
  std::size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  for (std::size_t i = 1; i < n; ++i) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  }
  return n;
}

// A lead byte and a byte that can follow it (0x40-0x7E, 0x80-0xFC) are one
// character, unassigned or not, so they become one substitute together. A
// lead byte before anything else (a control character, a blank, 0x7F, 0xFD
// and above) or at the end stands alone, and the next byte converts by itself.
std::size_t Cp932SequenceLength(std::string_view s) {
  const auto c = static_cast<unsigned char>(s[0]);
  const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  if (lead && s.size() >= 2) {
    const auto t = static_cast<unsigned char>(s[1]);
    if (t >= 0x40 && t <= 0xFC && t != 0x7F) return 2;
  }
  return 1;
}

// A surrogate pair is one character and gets one substitute; a lone
// surrogate is one unit.
std::size_t Utf16LeSequenceLength(std::string_view s) {
  auto unit = [&](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8));
  };
  if (s.size() >= 4 && unit(0) >= 0xD800 && unit(0) <= 0xDBFF && unit(2) >= 0xDC00 && unit(2) <= 0xDFFF) {
    return 4;
  }
  return 2;
}

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

}  // namespace

std::string Cp932FromUtf8(std::string_view utf8) {
  thread_local Converter c("CP932", "UTF-8");
  return c.Run(utf8, 1, "?", Utf8SequenceLength);
}

std::string Utf8FromCp932(std::string_view cp932) {
  thread_local Converter c("UTF-8", "CP932");
  return c.Run(cp932, 1, kUtf8Replacement, Cp932SequenceLength);
}

std::u16string Utf16FromCp932(std::string_view cp932) {
  const std::string utf8 = Utf8FromCp932(cp932);
  thread_local Converter c("UTF-16LE", "UTF-8");
  const std::string bytes = c.Run(utf8, 1, std::string_view("\xFD\xFF", 2), Utf8SequenceLength);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string Cp932FromUtf16(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t u : utf16) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  thread_local Converter c("CP932", "UTF-16LE");
  return c.Run(bytes, 2, "?", Utf16LeSequenceLength);
}
