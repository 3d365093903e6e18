#include "figures/sections/definition_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/sjis_text.h"
#include "tools/edit/tool_messages.h"

bool ReadDefinitionLines(std::string_view cp932Path, TextLines& Lines) {
  Lines = TextLines();
  const std::filesystem::path path(Utf8FromCp932(cp932Path));
  std::error_code error;
  if (cp932Path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
  // No definition file comes near this size: a larger one is refused unread.
  constexpr std::uintmax_t kLargestDefinitionFile = 16u << 20;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestDefinitionFile) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  // One buffer of the file's size; a file that grew meanwhile is read to
  // the size it had.
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return false;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  Lines = TextLines(std::move(bytes));
  return true;
}

bool LoadDefinitionLines(std::string_view cp932Path, TextLines& Lines) {
  if (ReadDefinitionLines(cp932Path, Lines)) return true;
  ReportUnreadableDefinitionFile(cp932Path);
  return false;
}

void ReportUnreadableDefinitionFile(std::string_view cp932Path) {
  ShowToolWarning(J("定義ファイル ") + std::string(cp932Path) + J(" を読み込めません。"));
}

std::string_view TrimDefinitionText(std::string_view S) {
  std::size_t first = 0;
  std::size_t last = S.size();
  while (first < last && static_cast<unsigned char>(S[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(S[last - 1]) <= ' ') --last;
  return S.substr(first, last - first);
}

double DefinitionNumber(std::string_view S, double Default) {
  double value = 0.0;
  return TryStrToFloat(S, value) ? value : Default;
}

std::int32_t DefinitionInteger(std::string_view S, std::int32_t Default) {
  int value = 0;
  return TryStrToInt(S, value) ? value : Default;
}

bool IsDefinitionInteger(std::string_view S) {
  int value = 0;
  return TryStrToInt(S, value);
}

std::uint8_t DefinitionJustifyCode(std::uint8_t Digit) {
  static constexpr std::uint8_t kCodes[9] = {0, 1, 2, 8, 6, 3, 7, 5, 4};
  return Digit < 9 ? kCodes[Digit] : 0;
}
