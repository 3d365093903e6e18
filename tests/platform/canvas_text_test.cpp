#include "geometry/codepage.h"
#include "platform/canvas.h"
#include "platform/canvas_qt.h"
#include "platform/font_faces.h"
#include "platform/gdi.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace {

struct InkBox {
  int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;  // inclusive
  int Count = 0;
  int Width() const { return Right - Left + 1; }
  int Height() const { return Bottom - Top + 1; }
};

InkBox InkOf(TCanvas& c, TColor background = clWhite) {
  InkBox box;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      if (c.GetPixel(x, y) == background) continue;
      box.Left = std::min(box.Left, x);
      box.Right = std::max(box.Right, x);
      box.Top = std::min(box.Top, y);
      box.Bottom = std::max(box.Bottom, y);
      ++box.Count;
    }
  }
  return box;
}

LOGFONTA Logical(int height, int width, int escapement, const std::string& face) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face.c_str());
  return lf;
}

// Selects a logical font the way the text drawing does: create, assign,
// release at once (the canvas keeps its own description).
void UseFont(TCanvas& c, const LOGFONTA& lf) {
  HFONT font = CreateFontIndirectA(lf);
  c.Font.SetHandle(font);
  EXPECT_TRUE(DeleteObject(font));
}

TEST(FontFaces, FaceNamesMapToTheInstalledIpaFonts) {
  struct Case {
    std::string face;
    const char* family;
    bool vertical;
  };
  const Case cases[] = {
      {J("ＭＳ 明朝"), "IPAMincho", false},
      {J("ＭＳ Ｐ明朝"), "IPAMincho", false},
      {J("@ＭＳ 明朝"), "IPAMincho", true},
      {J("ＭＳ ゴシック"), "IPAGothic", false},
      {J("ＭＳ Ｐゴシック"), "IPAPGothic", false},
      {J("@ＭＳ Ｐゴシック"), "IPAPGothic", true},
      {"Arial", "IPAGothic", false},
      {"", "IPAGothic", false},
      {"@", "IPAGothic", true},
      {"ipamincho", "IPAMincho", false},
  };
  for (const Case& k : cases) {
    const FontFaceChoice choice = ChooseFontFace(k.face);
    EXPECT_EQ(choice.Family, k.family) << Utf8FromCp932(k.face);
    EXPECT_EQ(choice.Vertical, k.vertical) << Utf8FromCp932(k.face);
  }
}

TEST(FontFaces, TheIpaFontsAreInstalled) {
  const QStringList families = QFontDatabase::families();
  for (const char* family : {"IPAGothic", "IPAPGothic", "IPAMincho"}) {
    EXPECT_TRUE(families.contains(QString::fromLatin1(family))) << family;
  }
}

TEST(CanvasText, ExtentFollowsHeightAndAverageWidth) {
  struct Case {
    const char* name;
    int height, width;
    std::string text;
    int cx, cy;
  };
  // Gothic: a single-byte character half an em wide, a full-width one an em;
  // the height is the em and the cell.
  const Case cases[] = {
      {"two single-byte at width 8", 20, 8, "AB", 16, 20},
      {"full-width at width 8", 20, 8, J("あ"), 16, 20},
      {"natural width", 20, 0, "AB", 20, 20},
      {"character height asked by a negative value", -20, 0, "AB", 20, 20},
      {"mixed", 24, 6, J("A漢"), 18, 24},
      {"empty", 20, 8, "", 0, 20},
  };
  TCanvas c(10, 10);
  for (const Case& k : cases) {
    UseFont(c, Logical(k.height, k.width, 0, J("ＭＳ ゴシック")));
    const TSize size = c.TextExtent(k.text);
    EXPECT_EQ(size.cx, k.cx) << k.name;
    EXPECT_EQ(size.cy, k.cy) << k.name;
    EXPECT_EQ(c.TextWidth(k.text), k.cx) << k.name;
  }
}

// "■" fills most of its cell, so its ink shows where the cell lies.
TEST(CanvasText, TextStartsAtTheTopLeftOfItsTurnedCell) {
  struct Case {
    const char* name;
    int escapement;
    // The cell from (50, 50): along the base line and down from it.
    int left, top, right, bottom;  // inclusive bounds the ink must keep to
  };
  const Case cases[] = {
      {"level", 0, 50, 50, 69, 69},
      {"turned 90 degrees: reads upwards, cell to the right", 900, 50, 30, 69, 50},
      {"turned 180 degrees", 1800, 30, 30, 50, 50},
      {"turned 270 degrees: reads downwards, cell to the left", 2700, 30, 50, 50, 69},
  };
  for (const Case& k : cases) {
    TCanvas c(100, 100);
    UseFont(c, Logical(20, 10, k.escapement, J("ＭＳ ゴシック")));
    c.Brush.Style = bsClear;
    c.TextOut(50, 50, J("■"));
    const InkBox ink = InkOf(c);
    ASSERT_GT(ink.Count, 100) << k.name;
    EXPECT_GE(ink.Left, k.left) << k.name;
    EXPECT_LE(ink.Right, k.right) << k.name;
    EXPECT_GE(ink.Top, k.top) << k.name;
    EXPECT_LE(ink.Bottom, k.bottom) << k.name;
    // The square nearly fills the cell, so its ink spans most of it.
    EXPECT_GE(ink.Width(), 14) << k.name;
    EXPECT_GE(ink.Height(), 14) << k.name;
  }
}

TEST(CanvasText, VerticalFaceKeepsFullWidthCharactersUpright) {
  // "一" is one horizontal stroke. Turned by 270 degrees with an ordinary
  // face it stands vertical on the screen; the "@" face turns it back. The
  // long vowel mark "ー" runs along the column in vertical writing.
  struct Case {
    std::string face;
    std::string text;
    bool strokeHorizontal;
  };
  const Case cases[] = {{J("ＭＳ 明朝"), J("一"), false},
                        {J("@ＭＳ 明朝"), J("一"), true},
                        {J("@ＭＳ ゴシック"), J("一"), true},
                        {J("@ＭＳ ゴシック"), J("ー"), false},
                        {J("ＭＳ ゴシック"), J("ー"), false}};
  for (const Case& k : cases) {
    TCanvas c(100, 100);
    UseFont(c, Logical(32, 16, 2700, k.face));
    c.Brush.Style = bsClear;
    c.TextOut(60, 20, k.text);
    const InkBox ink = InkOf(c);
    ASSERT_GT(ink.Count, 10) << Utf8FromCp932(k.face);
    EXPECT_EQ(ink.Width() > ink.Height(), k.strokeHorizontal) << Utf8FromCp932(k.face);
    // Either way the character stays in its cell: left of x = 60, below y = 20.
    EXPECT_LE(ink.Right, 60);
    EXPECT_GE(ink.Top, 20);
    EXPECT_LT(ink.Bottom, 20 + 32 + 2);
  }
}

TEST(CanvasText, VerticalTextRunsDownTheColumn) {
  TCanvas c(100, 120);
  UseFont(c, Logical(24, 12, 2700, J("@ＭＳ ゴシック")));
  c.Brush.Style = bsClear;
  c.TextOut(60, 10, J("■■■"));
  const InkBox ink = InkOf(c);
  EXPECT_GE(ink.Height(), 3 * 24 - 8);  // three cells of 24 pixels along
  EXPECT_LE(ink.Width(), 24);
  EXPECT_EQ(c.TextExtent(J("■■■")).cx, 72);
}

TEST(CanvasText, OpaqueBackgroundFillsTheCellClearLeavesIt) {
  struct Case {
    TBrushStyle brush;
    int backgroundMode;  // 0: as the brush sets it
    bool filled;
  };
  const Case cases[] = {{bsSolid, 0, true}, {bsClear, 0, false}, {bsSolid, TRANSPARENT, false}};
  for (const Case& k : cases) {
    TCanvas c(60, 60);
    UseFont(c, Logical(20, 10, 0, J("ＭＳ ゴシック")));
    c.Brush.Color = clLime;
    c.Brush.Style = k.brush;
    if (k.backgroundMode != 0) SetBkMode(c, k.backgroundMode);
    c.TextOut(10, 10, "  ");  // two blanks: a cell 20 wide and 20 high, no ink
    const InkBox ink = InkOf(c);
    if (!k.filled) {
      EXPECT_EQ(ink.Count, 0);
      continue;
    }
    EXPECT_EQ(ink.Left, 10);
    EXPECT_EQ(ink.Top, 10);
    EXPECT_EQ(ink.Width(), 20);
    EXPECT_EQ(ink.Height(), 20);
    EXPECT_EQ(c.GetPixel(15, 15), clLime);
  }
}

TEST(CanvasText, ColourWeightItalicAndStrikeOut) {
  TCanvas c(80, 40);
  LOGFONTA lf = Logical(20, 10, 0, J("ＭＳ ゴシック"));
  UseFont(c, lf);
  c.Font.Color = clRed;
  c.Brush.Style = bsClear;
  c.TextOut(0, 0, "H");
  const InkBox plain = InkOf(c);
  ASSERT_GT(plain.Count, 0);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const TColor p = c.GetPixel(x, y);
      EXPECT_TRUE(p == clWhite || p == clRed);  // no smoothing
    }
  }
  TCanvas bold(80, 40);
  lf.lfWeight = 700;
  UseFont(bold, lf);
  bold.Brush.Style = bsClear;
  bold.TextOut(0, 0, "H");
  EXPECT_GT(InkOf(bold).Count, plain.Count);

  // A struck-out blank shows only the stroke.
  TCanvas struck(80, 40);
  lf.lfWeight = 400;
  lf.lfStrikeOut = 1;
  UseFont(struck, lf);
  struck.Brush.Style = bsClear;
  struck.TextOut(0, 0, "    ");
  const InkBox stroke = InkOf(struck);
  EXPECT_GT(stroke.Count, 0);
  EXPECT_GT(stroke.Width(), stroke.Height());

  // Italic leans to the right: the top of a "|" lies right of its foot.
  const auto lean = [](LOGFONTA font) {
    font.lfHeight = 40;
    font.lfWidth = 0;
    TCanvas letter(80, 60);
    UseFont(letter, font);
    letter.Brush.Style = bsClear;
    letter.TextOut(10, 5, "|");
    const InkBox ink = InkOf(letter);
    int topLeft = -1, bottomLeft = -1;
    for (int x = 0; x < 80 && (topLeft < 0 || bottomLeft < 0); ++x) {
      if (topLeft < 0 && letter.GetPixel(x, ink.Top) != clWhite) topLeft = x;
      if (bottomLeft < 0 && letter.GetPixel(x, ink.Bottom) != clWhite) bottomLeft = x;
    }
    return topLeft - bottomLeft;
  };
  lf.lfStrikeOut = 0;
  lf.lfItalic = 1;
  EXPECT_GE(lean(lf), 3);
  lf.lfItalic = 0;
  EXPECT_LE(std::abs(lean(lf)), 1);
}

TEST(CanvasText, FarAwayTextAndEmptyTextDrawNothing) {
  TCanvas c(40, 40);
  UseFont(c, Logical(20, 10, 450, J("ＭＳ ゴシック")));
  c.Brush.Color = clLime;
  c.TextOut(2000000000, -2000000000, J("■"));
  c.TextOut(-300, 10, J("■"));
  c.TextOut(10, 10, "");
  EXPECT_EQ(InkOf(c).Count, 0);
}

TEST(CanvasText, FontDescriptionSurvivesTheHandle) {
  TCanvas c(10, 10);
  LOGFONTA lf = Logical(30, 12, 900, J("@ＭＳ 明朝"));
  lf.lfWeight = 700;
  HFONT font = CreateFontIndirectA(lf);
  c.Font.SetHandle(font);
  DeleteObject(font);
  EXPECT_EQ(c.Font.Logical.lfHeight, 30);
  EXPECT_EQ(c.Font.Logical.lfWidth, 12);
  EXPECT_EQ(c.Font.Logical.lfEscapement, 900);
  EXPECT_EQ(c.Font.Logical.lfWeight, 700);
  EXPECT_EQ(c.Font.Name(), J("@ＭＳ 明朝"));
  c.Font.SetHandle(nullptr);  // no font: the description stays
  EXPECT_EQ(c.Font.Logical.lfHeight, 30);
  // A face name longer than the record holds is cut, still terminated.
  c.Font.SetName(std::string(40, 'x'));
  EXPECT_EQ(c.Font.Name(), std::string(31, 'x'));
}

}  // namespace
