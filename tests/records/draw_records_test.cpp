#include "records/draw_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> BytesOf(const void* p, std::size_t n) {
  const auto* b = static_cast<const unsigned char*>(p);
  return {b, b + n};
}

TEST(DrawRecords, LineBytesAreLittleEndianAndBackToBack) {
  RDrawElement e = ZeroElement();
  e.Kind = 0;
  e.LineType = 2;
  e.ColorNo = 3;
  e.Group = 4;
  e.Layer = 5;
  e.Selection = 1;
  e.UndoMark = 6;
  e.X1 = 1.0;   // 00 00 00 00 00 00 F0 3F
  e.Y1 = -2.0;  // 00 .. 00 C0
  e.X2 = 0.5;   // 00 .. E0 3F
  e.Y2 = 3.0;   // 00 .. 08 40
  e.LineTag = 0x9000;
  e.ScratchWord = 0x1234;
  e.ScratchByte = 7;
  e.Reserved48 = -2;
  e.Reserved50 = 9;
  const std::vector<unsigned char> expected = {
      0,    2,    3,    4,    5,    1, 0,    6,     // header bytes
      0,    0,    0,    0,    0,    0, 0xF0, 0x3F,  // X1
      0,    0,    0,    0,    0,    0, 0,    0xC0,  // Y1
      0,    0,    0,    0,    0,    0, 0xE0, 0x3F,  // X2
      0,    0,    0,    0,    0,    0, 0x08, 0x40,  // Y2
      0,    0x00, 0x90, 0x34, 0x12, 7, 0,    0,     // pad, LineTag, ScratchWord, ScratchByte, unused
      0xFE, 0xFF, 9,                                // reserved
  };
  EXPECT_EQ(BytesOf(&e, sizeof e), expected);
}

TEST(DrawRecords, TextAndArcViewsShareTheTail) {
  RDrawElement t = ZeroElement();
  t.Kind = kKindText;
  t.Y2 = 3.0;
  t.TextAngle = 90.0f;  // 00 00 B4 42
  t.TextIndex = 0x0102;
  t.TextStyle = 11;
  t.TextDirection = kTextVertical;
  const auto tb = BytesOf(&t, sizeof t);
  EXPECT_EQ(std::vector<unsigned char>(tb.begin() + 32, tb.begin() + 48),
            (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0x08, 0x40, 0, 0, 0xB4, 0x42, 0x02, 0x01, 11, 32}));

  RDrawElement a = ZeroElement();
  a.Kind = kKindArc;
  a.Radius = 0.5;
  a.Ratio = 1.0f;        // 00 00 80 3F
  a.StartAngle = 90.0f;  // 00 00 B4 42
  a.EndAngle = -1.0f;    // 00 00 80 BF
  a.Rotation = 0.5f;     // 00 00 00 3F
  const auto ab = BytesOf(&a, sizeof a);
  EXPECT_EQ(std::vector<unsigned char>(ab.begin() + 24, ab.begin() + 48),
            (std::vector<unsigned char>{0, 0, 0,    0,    0, 0, 0xE0, 0x3F, 0, 0, 0x80, 0x3F,
                                        0, 0, 0xB4, 0x42, 0, 0, 0x80, 0xBF, 0, 0, 0,    0x3F}));
}

TEST(DrawRecords, TextStyleBytes) {
  RTextStyle s;
  std::memset(&s, 0, sizeof s);
  s.TextColor = 0x00FFFF00;
  s.Width = 20;
  s.Height = 25;
  s.Spacing = -1;
  s.Weight = 400;
  SetFaceName(s, "AB");
  const auto b = BytesOf(&s, sizeof s);
  EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 15),
            (std::vector<unsigned char>{0x00, 0xFF, 0xFF, 0x00, 20, 0, 25, 0, 0xFF, 0xFF, 0x90, 0x01, 2, 'A', 'B'}));
  EXPECT_EQ(FaceNameOf(s), "AB");
  SetFaceName(s, std::string(50, 'x'));  // longer than the record holds
  EXPECT_EQ(FaceNameOf(s), std::string(40, 'x'));
  s.FaceName[0] = 200;  // a corrupt length byte never reads past the record
  EXPECT_EQ(FaceNameOf(s).size(), 40u);
  // A shorter name clears what a longer one left: length 1, 'C', then 39 zeros.
  SetFaceName(s, "C");
  std::vector<unsigned char> cleared(41, 0);
  cleared[0] = 1;
  cleared[1] = 'C';
  EXPECT_EQ(std::vector<unsigned char>(s.FaceName, s.FaceName + 41), cleared);
}

TEST(DrawRecords, CircularArcElementSetsTheArcFieldsOnly) {
  const RDrawElement e = CircularArcElement(1.5, -2.0, 3.0, 90.0, 180.0, 30.0);
  RDrawElement want = ZeroElement();
  want.Kind = kKindArc;
  want.X1 = 1.5;
  want.Y1 = -2.0;
  want.Radius = 3.0;
  want.Ratio = 1.0f;
  want.StartAngle = 90.0f;
  want.EndAngle = 180.0f;
  want.Rotation = 30.0f;
  EXPECT_EQ(std::memcmp(&e, &want, sizeof e), 0);
  // Without angles: the full circle, unturned.
  const RDrawElement circle = CircularArcElement(0, 0, 2);
  EXPECT_EQ(float{circle.StartAngle}, 0.0f);
  EXPECT_EQ(float{circle.EndAngle}, 0.0f);
  EXPECT_EQ(float{circle.Rotation}, 0.0f);
  EXPECT_EQ(float{circle.Ratio}, 1.0f);
}

}  // namespace
