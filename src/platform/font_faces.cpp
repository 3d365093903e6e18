#include "platform/font_faces.h"

#include "geometry/codepage.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

FontFaceChoice ChooseFontFace(const std::string& faceName) {
  FontFaceChoice choice;
  std::string face = faceName;
  if (!face.empty() && face.front() == '@') {
    choice.Vertical = true;
    face.erase(0, 1);
  }
  static const std::string kInstalled[] = {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho"};
  for (const std::string& family : kInstalled) {
    if (Lower(face) == Lower(family)) {
      choice.Family = family;
      return choice;
    }
  }
  if (face == J("ＭＳ Ｐゴシック")) {
    choice.Family = "IPAPGothic";
  } else if (face.find(J("明朝")) != std::string::npos || Lower(face).find("mincho") != std::string::npos) {
    choice.Family = "IPAMincho";
  } else {
    choice.Family = "IPAGothic";
  }
  return choice;
}
