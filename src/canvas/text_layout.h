#pragma once
// Text layout: a text string becomes a list of characters, each with its
// own reference point and a kind that tells the drawing how to size it.
// The string may carry a "##w/h/s/i/j/k" style suffix, inline markup
// ("^u", "^d", "^B", "^b", a leading "^c", a trailing "^1" to "^9"),
// trailing justification dots and whole-text date macros. Also the small
// anchor object that places a text by one of nine points of its box.

#include <cstdint>
#include <string>
#include <vector>

#include "records/draw_records.h"

// Kinds of a laid-out character.
inline constexpr std::uint8_t kCharPlain = 0;
inline constexpr std::uint8_t kCharRaised = 1;         // "^u"
inline constexpr std::uint8_t kCharLowered = 2;        // "^d"
inline constexpr std::uint8_t kCharFullBackStep = 3;   // "^B"
inline constexpr std::uint8_t kCharPartBackStep = 4;   // "^b"
inline constexpr std::uint8_t kCharAfterLeadingC = 5;  // first character after a leading "^c"

// The layout object's factor when the text had no markup at all.
inline constexpr double kNoMarkupFactor = 1.01;

// One laid-out character. (X, Y) is the corner of its cell at the start of
// the character and at the top of the line, in drawing units, so that a
// font drawn from its top-left corner and turned by the text angle lands
// where it belongs.
struct RMoziview_data {
  std::uint8_t Kind = kCharPlain;
  std::string Ch;  // code page 932, one or two bytes
  double X = 0.0;
  double Y = 0.0;
};

class TMoziViewobj {
 public:
  TMoziViewobj() = default;
  virtual ~TMoziViewobj() = default;

  RTextStyle Style{};          // the style of the text last laid out
  std::string MacroFileName;   // stands for a text that is exactly "$F"
  std::string MacroFileName2;  // stands for a text that is exactly "$f"
  double CompressionFactor = kNoMarkupFactor;
  std::vector<RMoziview_data> Chars;  // the characters of the last layout

  // What the last ParseStyleSuffix found. The sizes are in 0.1 paper
  // millimetres and hold the style's own values where the suffix gives none.
  bool Overridden = false;
  double OverrideWidth = 0.0;
  double OverrideHeight = 0.0;
  double OverrideSpacing = 0.0;
  std::uint8_t OverrideWeight = 0;  // hundreds; 0 keeps the style's weight
  std::uint8_t OverrideItalic = 0;  // 0 keeps the style's flag
  std::uint8_t OverrideFace = 0;    // 1 to 5 into the canvas's face names; 0 keeps the face
  std::u16string VisibleText;       // the text without its suffix

  // Splits a "##" suffix off Text; true when it overrides something.
  bool ParseStyleSuffix(const std::u16string& Text, const RTextStyle& style);
  // Lays out Text (code page 932, without its suffix) in the style (the
  // overrides already applied) from the base point (x0, y0) along Angle
  // degrees; Direction 32 is vertical writing.
  void Layout(const std::string& Text, const RTextStyle& style, double x0, double y0, double Angle,
              std::uint8_t Direction);
  // The whole text replaced by the date, time or file name it stands for;
  // any other text unchanged.
  std::u16string ExpandMacro(const std::u16string& text) const;
};

// The offset, along and across the base line, from a text's base point to
// one of the nine anchors of its box.
class TMoziKiten {
 public:
  double AlongOffset = 0.0;
  double AcrossOffset = 0.0;

  // Anchors: 0 bottom left, 1 bottom centre, 2 bottom right, 3 middle
  // right, 4 top right, 5 top centre, 6 centre, 7 top left, 8 middle left.
  // Another anchor leaves the offsets as they are.
  void AnchorOffset(std::uint8_t Anchor, bool WithMargin, double Length, double Height);
};

// The length of a text along its base line, in paper millimetres: a
// double-byte character advances unit × 0.1, a single-byte one unit × 0.05,
// and every character but the last is followed by spacing × 0.1 (after a
// double-byte character) or spacing × 0.05 (after a single-byte one). The
// unit is the style width, or the height for vertical writing.
double TextBaseLength(const std::u16string& text, double unit, double spacing);
