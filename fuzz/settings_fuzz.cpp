// The settings reader and writer on any bytes: the text read and written
// back must read the same again, every value written must read back, and a
// second write of the same key must not add a line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_file.h"

namespace {

// A name of up to 8 bytes taken from the input, lone lead bytes and all.
std::string TakeName(const std::uint8_t*& data, std::size_t& size) {
  std::size_t n = size == 0 ? 0 : data[0] % 9;
  if (size > 0) {
    ++data;
    --size;
  }
  if (n > size) n = size;
  std::string name(reinterpret_cast<const char*>(data), n);
  data += n;
  size -= n;
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string section = TakeName(data, size);
  const std::string key = TakeName(data, size);
  const std::string text(reinterpret_cast<const char*>(data), size);

  TMemIniFile ini;
  ini.SetText(text);
  const std::string once = ini.GetText();
  TMemIniFile again;
  again.SetText(once);
  if (again.GetText() != once) std::abort();

  // Names the file format cannot hold (blanks at the ends, "=", "]", line
  // breaks, empty) are not written.
  const auto writable = [](const std::string& name) {
    if (name.empty() || name.find_first_of("=[]\r\n;") != std::string::npos) return false;
    const unsigned char first = static_cast<unsigned char>(name.front());
    const unsigned char last = static_cast<unsigned char>(name.back());
    return first > ' ' && last > ' ';
  };
  if (!writable(section) || !writable(key)) return 0;
  ini.WriteString(section, key, "1");
  const std::string first = ini.GetText();
  ini.WriteString(section, key, "2");
  if (ini.ReadString(section, key, "") != "2") std::abort();
  if (ini.GetText().size() != first.size()) std::abort();
  return 0;
}
