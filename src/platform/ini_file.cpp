#include "platform/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

#include "geometry/codepage.h"

#include "platform/file_services.h"

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Compares ASCII letters without case. The second byte of a double-byte
// character may look like a letter ("ア" is 0x83 0x41) and is compared as it is.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]);
    const unsigned char y = static_cast<unsigned char>(b[i]);
    // A lead byte with nothing after it is no double-byte character: it is
    // compared bytewise like the rest.
    if (IsLeadByte(x) && i + 1 < a.size()) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    if (lower(x) != lower(y)) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || static_cast<unsigned char>(c) < 0x20; }

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string OneLine(std::string s) {
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

bool ParseInteger(const std::string& text, int& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    value = value * base + digit;
    if (value > std::int64_t{UINT32_MAX}) return false;
  }
  if (negative) value = -value;
  // Hexadecimal values name a 32-bit pattern, so $FFFFFFFF is -1.
  if (base == 16 && !negative && value > INT_MAX) {
    if (value > std::int64_t{UINT32_MAX}) return false;
    value -= std::int64_t{1} << 32;
  }
  if (value < INT_MIN || value > INT_MAX) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

TMemIniFile::TMemIniFile() = default;

TMemIniFile::TMemIniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {
  std::error_code missing;
  if (std::filesystem::symlink_status(fileName_, missing).type() == std::filesystem::file_type::not_found) return;
  try {
    SetText(LoadWholeFile(fileName_, kLargestSettingsFile));
  } catch (const FileError& error) {
    readFailure_ = error.what();
  }
}

void TMemIniFile::SetText(const std::string& text) {
  preamble_.clear();
  sections_.clear();
  for (const std::string& raw : SplitTextLines(text)) {
    const std::string line = Trim(raw);
    if (line.empty()) continue;
    std::vector<Line>& into = sections_.empty() ? preamble_ : sections_.back().lines;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back({Trim(std::string_view(line).substr(1, line.size() - 2)), {}});
      continue;
    }
    const std::size_t eq = line.find('=');
    std::string key = eq == std::string::npos ? std::string() : Trim(std::string_view(line).substr(0, eq));
    if (key.empty() || line.front() == ';') {
      into.push_back({std::string(), line});
    } else {
      into.push_back({std::move(key), Trim(std::string_view(line).substr(eq + 1))});
    }
  }
}

std::string TMemIniFile::GetText() const {
  std::string text;
  const auto put = [&text](const Line& l) {
    text += l.key.empty() ? l.value : l.key + "=" + l.value;
    text += "\r\n";
  };
  for (const Line& l : preamble_) put(l);
  if (!preamble_.empty()) text += "\r\n";
  for (const Section& s : sections_) {
    text += "[" + s.name + "]\r\n";
    for (const Line& l : s.lines) put(l);
    text += "\r\n";
  }
  return text;
}

const TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) const {
  for (const Section& s : sections_) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const TMemIniFile::Line* TMemIniFile::FindKey(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Line& l : s->lines) {
    if (!l.key.empty() && SameName(l.key, key)) return &l;
  }
  return nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
  const Line* l = FindKey(section, key);
  return l ? l->value : defaultValue;
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  const Line* l = FindKey(section, key);
  int value = defaultValue;
  if (!l || !ParseInteger(l->value, value)) return defaultValue;
  return value;
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string name = Trim(OneLine(key));
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back({Trim(OneLine(section)), {}});
    s = &sections_.back();
  }
  for (Line& l : s->lines) {
    if (!l.key.empty() && SameName(l.key, name)) {
      l.value = OneLine(value);
      return;
    }
  }
  s->lines.push_back({name, OneLine(value)});
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return FindKey(section, key) != nullptr;
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& key) {
  Section* s = FindSection(section);
  if (!s) return;
  for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
    if (!it->key.empty() && SameName(it->key, key)) {
      s->lines.erase(it);
      return;
    }
  }
}

void TMemIniFile::EraseSection(const std::string& section) {
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (SameName(it->name, section)) {
      sections_.erase(it);
      return;
    }
  }
}

std::vector<std::string> TMemIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section)) {
    for (const Line& l : s->lines) {
      if (!l.key.empty()) keys.push_back(l.key);
    }
  }
  return keys;
}

void TMemIniFile::UpdateFile() const {
  const std::string quoted = "\"" + Cp932FromPath(fileName_) + "\"";
  if (Unreadable()) {
    throw FileError(J("設定ファイル ") + quoted + J(" は読み込めなかったため、書き換えません。"));
  }
  const std::string text = GetText();
  if (text.size() > kLargestSettingsFile) {
    throw FileError(J("設定ファイル ") + quoted + J(" は大きくなりすぎるため、書き込みません。") + " (" +
                    std::to_string(kLargestSettingsFile) + " bytes)");
  }
  WriteFileAtomically(fileName_, text);
}
