#pragma once
// Character-level edit of one text element at a picked point: cut the text
// before the character there, step the label that ends at it, or delete
// it. The results are computed at construction; an empty ResultText means
// no change.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "records/draw_records.h"

inline constexpr std::uint8_t kTextEditCut = 0;
inline constexpr std::uint8_t kTextEditStepDown = 1;
inline constexpr std::uint8_t kTextEditStepUp = 2;
inline constexpr std::uint8_t kTextEditDelete = 3;

class TMoziSetuDanobj {
 public:
  // Mode: 0 cut (and any value above 3), 1 step down, 2 step up, 3 delete.
  // Direction is the element's writing direction; up to 12 styles are
  // copied.
  TMoziSetuDanobj(const RDrawElement& Element, std::uint8_t Mode, std::uint8_t Direction, double PickX, double PickY,
                  std::span<const RTextStyle> Styles, std::string Text);

  void SplitAtPick();
  void StepAtPick(bool Up);
  void DeleteAtPick();

  RDrawElement SourceElement;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  double PickX = 0.0;
  double PickY = 0.0;
  std::string SourceText;
  std::int32_t LeftLength = 0;
  std::string ResultText;
  std::string RightText;
  double RightX = 0.0;
  double RightY = 0.0;

 private:
  // The 1-based number of the first character whose start point lies
  // within the tolerance (half a cell or a whole cell) of the pick's foot
  // on the base line, with that start in (RightX, RightY); 0 when none.
  std::size_t CharacterAtPick(bool HalfCell);
  // Characters From..To (1-based, inclusive) joined.
  std::string Characters(std::size_t From, std::size_t To) const;

  std::vector<std::string> Chars;
};
