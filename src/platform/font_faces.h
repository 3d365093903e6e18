#pragma once
// Which installed face stands in for a face name the drawing asks for.
// Mincho faces become IPAMincho, the proportional Gothic IPAPGothic, every
// other face IPAGothic; "@" before the name asks for vertical writing.

#include <string>

struct FontFaceChoice {
  std::string Family;  // an installed family name
  bool Vertical = false;
};

// faceName in code page 932.
FontFaceChoice ChooseFontFace(const std::string& faceName);
