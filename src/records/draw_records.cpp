#include "records/draw_records.h"

#include <algorithm>

std::string FaceNameOf(const RTextStyle& style) {
  const std::size_t length = std::min<std::size_t>(style.FaceName[0], 40);
  return std::string(reinterpret_cast<const char*>(style.FaceName + 1), length);
}

void SetFaceName(RTextStyle& style, const std::string& name) {
  const std::size_t length = std::min<std::size_t>(name.size(), 40);
  std::memset(style.FaceName, 0, sizeof style.FaceName);
  style.FaceName[0] = static_cast<std::uint8_t>(length);
  std::memcpy(style.FaceName + 1, name.data(), length);
}
