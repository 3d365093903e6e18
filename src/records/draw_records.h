#pragma once
// The element and text-style records shared by the canvas, the tools and the
// figure generators. Their bytes reach the stock file as they lie in memory,
// so their layouts are fixed to the byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Element kinds.
inline constexpr std::uint8_t kKindLine = 0;
inline constexpr std::uint8_t kKindRect = 1;
inline constexpr std::uint8_t kKindText = 2;
inline constexpr std::uint8_t kKindArc = 3;
inline constexpr std::uint8_t kKindPoint = 4;
inline constexpr std::uint8_t kKindTwoPoint = 5;  // stored like a line, never shown
inline constexpr std::uint8_t kKindNone = 6;      // a failed pick; no element

// Undo marks.
inline constexpr std::uint8_t kUndoAdded = 6;
inline constexpr std::uint8_t kUndoDeleted = 9;

// Line tags: 64 and above keep a line out of the small-element shortcuts.
inline constexpr std::uint16_t kLineTagCurveFirst = 64;
inline constexpr std::uint16_t kLineTagCurveInner = 128;
inline constexpr std::uint16_t kLineTagCurveLast = 192;
inline constexpr std::uint16_t kLineTagFitting = 0x9000;

// Writing direction byte of a text: a blank means vertical writing.
inline constexpr std::uint8_t kTextVertical = 32;

inline constexpr int kLayerGroups = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kTextStyleCount = 12;

#pragma pack(push, 1)

// 51 bytes. Bytes 24..47 mean different things by kind; the anonymous
// members below name each kind's view of them.
struct RDrawElement {
  std::uint8_t Kind;
  std::uint8_t LineType;
  std::uint8_t ColorNo;
  std::uint8_t Group;
  std::uint8_t Layer;
  std::uint8_t Selection;
  std::uint8_t Scratch;
  std::uint8_t UndoMark;
  double X1;
  double Y1;
  union {
    double X2;      // lines, rectangles, texts, kind 5
    double Radius;  // arcs
  };
  union {
    struct {  // lines, rectangles, kind 5
      double Y2;
      std::uint8_t Zero40;
      std::uint16_t LineTag;
      std::uint16_t ScratchWord;
      std::uint8_t ScratchByte;
      std::uint8_t Unused46;
      std::uint8_t Unused47;
    };
    struct {  // texts (Y2 shared with the line view)
      double TextY2Slot;
      float TextAngle;
      std::uint16_t TextIndex;
      std::uint8_t TextStyle;
      std::uint8_t TextDirection;
    };
    struct {  // circles, arcs, ellipses
      float Ratio;
      float StartAngle;
      float EndAngle;
      float Rotation;
    };
  };
  std::int16_t Reserved48;
  std::uint8_t Reserved50;
};

// 53 bytes; sizes in 0.1 paper millimetres, the face name a length byte and
// up to 40 code page 932 bytes.
struct RTextStyle {
  std::int32_t TextColor;
  std::uint16_t Width;
  std::uint16_t Height;
  std::int16_t Spacing;
  std::int16_t Weight;
  std::uint8_t FaceName[41];
};

#pragma pack(pop)

static_assert(sizeof(RDrawElement) == 51);
static_assert(offsetof(RDrawElement, Kind) == 0);
static_assert(offsetof(RDrawElement, LineType) == 1);
static_assert(offsetof(RDrawElement, ColorNo) == 2);
static_assert(offsetof(RDrawElement, Group) == 3);
static_assert(offsetof(RDrawElement, Layer) == 4);
static_assert(offsetof(RDrawElement, Selection) == 5);
static_assert(offsetof(RDrawElement, Scratch) == 6);
static_assert(offsetof(RDrawElement, UndoMark) == 7);
static_assert(offsetof(RDrawElement, X1) == 8);
static_assert(offsetof(RDrawElement, Y1) == 16);
static_assert(offsetof(RDrawElement, X2) == 24);
static_assert(offsetof(RDrawElement, Radius) == 24);
static_assert(offsetof(RDrawElement, Y2) == 32);
static_assert(offsetof(RDrawElement, Zero40) == 40);
static_assert(offsetof(RDrawElement, LineTag) == 41);
static_assert(offsetof(RDrawElement, ScratchWord) == 43);
static_assert(offsetof(RDrawElement, ScratchByte) == 45);
static_assert(offsetof(RDrawElement, TextAngle) == 40);
static_assert(offsetof(RDrawElement, TextIndex) == 44);
static_assert(offsetof(RDrawElement, TextStyle) == 46);
static_assert(offsetof(RDrawElement, TextDirection) == 47);
static_assert(offsetof(RDrawElement, Ratio) == 32);
static_assert(offsetof(RDrawElement, StartAngle) == 36);
static_assert(offsetof(RDrawElement, EndAngle) == 40);
static_assert(offsetof(RDrawElement, Rotation) == 44);
static_assert(offsetof(RDrawElement, Reserved48) == 48);
static_assert(offsetof(RDrawElement, Reserved50) == 50);

static_assert(sizeof(RTextStyle) == 53);
static_assert(offsetof(RTextStyle, TextColor) == 0);
static_assert(offsetof(RTextStyle, Width) == 4);
static_assert(offsetof(RTextStyle, Height) == 6);
static_assert(offsetof(RTextStyle, Spacing) == 8);
static_assert(offsetof(RTextStyle, Weight) == 10);
static_assert(offsetof(RTextStyle, FaceName) == 12);

// An element with every byte zero (a line on group 0, layer 0).
inline RDrawElement ZeroElement() {
  RDrawElement e;
  std::memset(&e, 0, sizeof e);
  return e;
}

// A line carrying its two points only (every other byte zero).
inline RDrawElement LineElement(double x1, double y1, double x2, double y2) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  return e;
}

// A circle or circular arc carrying its centre, radius and angles in
// degrees (start and end both 0: the full circle); every other byte zero.
inline RDrawElement CircularArcElement(double cx, double cy, double r, double startDeg = 0.0, double endDeg = 0.0,
                                       double rotationDeg = 0.0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = 1.0f;
  e.StartAngle = static_cast<float>(startDeg);
  e.EndAngle = static_cast<float>(endDeg);
  e.Rotation = static_cast<float>(rotationDeg);
  return e;
}

// The four sides of a rectangle (kind 1) as lines that keep its every other
// byte: bottom, right, top, left, each running on from the corner the one
// before ends at. A rectangle is drawn as these four lines, so it is listed,
// snapped to, picked and selected by them.
inline std::array<RDrawElement, 4> RectangleSides(const RDrawElement& rect) {
  const double x1 = rect.X1, y1 = rect.Y1, x2 = rect.X2, y2 = rect.Y2;
  const double ends[4][4] = {{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x2, y2, x1, y2}, {x1, y2, x1, y1}};
  std::array<RDrawElement, 4> sides;
  for (std::size_t k = 0; k < 4; ++k) {
    RDrawElement& side = sides[k];
    side = rect;
    side.Kind = kKindLine;
    side.X1 = ends[k][0];
    side.Y1 = ends[k][1];
    side.X2 = ends[k][2];
    side.Y2 = ends[k][3];
  }
  return sides;
}

// The face name of a style as code page 932 bytes.
std::string FaceNameOf(const RTextStyle& style);
// Stores up to 40 bytes of the name; longer names are cut.
void SetFaceName(RTextStyle& style, const std::string& name);
