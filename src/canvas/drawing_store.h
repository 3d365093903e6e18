#pragma once
// The drawing store of one canvas: the drawing with its texts, the one-step
// undo log, the copy buffer, the layer states, the display lists the paint
// walks, the fill regions and the picture slots. It never draws.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/draw_records.h"

// A text element holds no string: its TextIndex names a string in the text
// list of the list that holds it. TextIndex is 16 bits wide, so a list
// holds at most this many strings.
inline constexpr std::size_t kMaxTextsPerList = 65536;

// Layer states.
inline constexpr std::uint8_t kLayerHidden = 0;
inline constexpr std::uint8_t kLayerReference = 1;
inline constexpr std::uint8_t kLayerEditable = 2;

class Tdrawinp {
 public:
  using TextList = std::vector<std::string>;

  Tdrawinp();

  double PaperWidth = 0.0;
  double PaperHeight = 0.0;

  std::vector<RDrawElement> Elements;
  std::vector<RDrawElement> UndoLog;
  std::vector<RDrawElement> Buffer;
  std::vector<RFillVertex> FillVertices;
  std::vector<RDrawElement> SpareListA;
  std::vector<RDrawElement> SpareListB;

  // Per (group, layer): graphic elements and text elements; the 17th pair
  // of each group stays 0.
  struct CountPair {
    std::int32_t Graphic = 0;
    std::int32_t Text = 0;
  };
  std::array<std::array<CountPair, kLayersPerGroup + 1>, kLayerGroups> Counts{};

  std::vector<RDisplayEntry> DisplayList;
  std::vector<RDisplayEntry> SmallList;

  TextList ElementTexts;
  TextList UndoTexts;
  TextList BufferTexts;

  // Indexed group × 16 + layer.
  std::array<std::uint8_t, kLayerGroups * kLayersPerGroup> LayerStates{};
  std::array<RTextStyle, kTextStyleCount> TextStyles{};

  // State of a (group, layer) pair; a pair outside the table is hidden.
  std::uint8_t LayerState(int group, int layer) const;
  // The element a display entry names, or null when it names none.
  const RDrawElement* EntryElement(const RDisplayEntry& entry) const;

  void ClearAll();
  void ClearBuffer();
  void ClearSpareListA();
  void ClearSpareListB();
  void ClearUndoLog();

  void AddElement(const RDrawElement& element);
  void AddElementChecked(const RDrawElement& element);
  void LogUndo(const RDrawElement& element);
  void DeleteElement(std::int32_t index);
  void ShiftTextIndices(std::int32_t deletedText, std::int32_t fromIndex);

  void BuildDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom);
  void RefilterDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom);

  void ScaleGroup(std::uint8_t group, std::uint8_t wholeBuffer, double factor);

  void IncCount(int group, int layer, int what);
  void DecCount(int group, int layer, int what);

  // Appends a string to a text list and returns its index, or -1 (with a
  // message) when the list cannot name another string.
  std::int32_t AppendText(TextList& list, const std::string& text);

  // Copy buffer.
  void AppendToBuffer(const RDrawElement& element, std::uint8_t colour);
  void CopySelectionToBuffer(double dx, double dy);
  void RescaleBuffer(std::uint8_t targetGroup, std::uint8_t kind, const std::array<double, kLayerGroups>& sourceScales,
                     const std::array<double, kLayerGroups>& targetScales);
  void PasteBuffer(std::int32_t directionMode, std::uint8_t layerMode, double shiftX, double shiftY, double pivotX,
                   double pivotY, double rotation, double axisAngle, double scaleX, double scaleY, std::uint8_t group,
                   std::uint8_t layer, bool newUndo, std::uint8_t selection, bool newUndo2, bool skipType9);
  void PasteBufferMirrored(std::uint8_t selection, double x1, double y1, double x2, double y2);

 private:
  // What the display-list builders decide for one element.
  enum class Listing { Skip, Small, Listed };
  Listing Classify(const RDrawElement& e, double xMin, double yMin, double xMax, double yMax, double zoom) const;
  void StoreElement(RDrawElement stored, const RDrawElement& logged);
  void ForgetDisplayEntries(std::int32_t index);
};

// Multiplies the coordinates of one element by factor, by its kind: texts
// all four coordinates, arcs the centre and radius, points the position,
// lines, rectangles and kind 5 all four (clearing their scratch values).
void ScaleElement(RDrawElement& e, double factor);
