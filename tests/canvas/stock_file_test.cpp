// The stock file: its bytes written out by hand, the checks of the reader,
// the style mapping, and the canvas's two readers with their option codes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/stock_file.h"
#include "canvas_fixture.h"
#include "geometry/codepage.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"
#include "support/element_factory.h"

namespace {

namespace fs = std::filesystem;

// "01 0a ff" as bytes.
std::string Hex(const char* text) {
  std::string out;
  std::string digits;
  for (const char* p = text; *p; ++p) {
    if (std::isxdigit(static_cast<unsigned char>(*p))) digits += *p;
    if (digits.size() == 2) {
      out += static_cast<char>(std::stoi(digits, nullptr, 16));
      digits.clear();
    }
  }
  return out;
}

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// Points the stock file at a folder of the test's own.
class StockFolder {
 public:
  StockFolder() {
    std::string pattern = (fs::temp_directory_path() / "zuro_stock_XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    ::setenv("ZURO_STOCK_DIR", folder_.c_str(), 1);
  }
  ~StockFolder() {
    ::unsetenv("ZURO_STOCK_DIR");
    fs::remove_all(folder_);
  }
  fs::path File() const { return folder_ / "Vostak.tmp"; }

 private:
  fs::path folder_;
};

std::array<double, kLayerGroups> Scales(double first, double rest) {
  std::array<double, kLayerGroups> s;
  s.fill(rest);
  s[0] = first;
  return s;
}

std::array<RTextStyle, kTextStyleCount> ZeroStyles() {
  std::array<RTextStyle, kTextStyleCount> styles;
  std::memset(styles.data(), 0, sizeof(RTextStyle) * styles.size());
  return styles;
}

RTextStyle SizedStyle(std::uint16_t w, std::uint16_t h, std::int16_t spacing) {
  RTextStyle s;
  std::memset(&s, 0, sizeof s);
  s.Width = w;
  s.Height = h;
  s.Spacing = spacing;
  return s;
}

// Writes a stock file of the elements and texts through the writer.
void WriteStock(const std::vector<RDrawElement>& elements, const std::vector<std::string>& texts,
                const std::array<double, kLayerGroups>& scales, const std::array<RTextStyle, kTextStyleCount>& styles) {
  TDDGObject stock;
  for (const RDrawElement& e : elements) {
    stock.WriteElement(e, static_cast<std::int32_t>(elements.size()), 0, 0, 0.0, 1.0, 1.0, scales, styles);
  }
  stock.Texts = texts;
  stock.SaveStockFile();
}

// ---- Writer ------------------------------------------------------------------

TEST(StockFileWriter, OneLineGivesTheBytesOfTheLayout) {
  StockFolder folder;
  RDrawElement line = Line(10, 20, 30, 40, 0, 3);
  line.ColorNo = 2;
  line.Selection = 1;  // written as 0
  line.Scratch = 5;    // written as 0
  line.UndoMark = 6;
  line.LineTag = 0x9000;
  line.ScratchWord = 7;
  auto styles = ZeroStyles();
  styles[1].TextColor = 0xFF;
  styles[1].Width = 30;
  styles[1].Height = 30;
  styles[1].Spacing = 2;
  styles[1].Weight = 400;
  SetFaceName(styles[1], "ABC");
  WriteStock({line}, {}, Scales(100, 0), styles);

  std::string expected;
  expected += Hex("01 00 00 00");                                                       // N = 1
  expected += Hex("00 00 00 00 00 00 00 00");                                           // rotation 0.0
  expected += Hex("00 00 00 00 00 00 f0 3f");                                           // x factor 1.0
  expected += Hex("00 00 00 00 00 00 f0 3f");                                           // y factor 1.0
  expected += Hex("00 00 00 00 00 00 59 40") + Zeros(15 * 8);                           // group scales 100, 0, ...
  expected += Zeros(53);                                                                // style 0
  expected += Hex("ff 00 00 00  1e 00  1e 00  02 00  90 01  03 41 42 43") + Zeros(37);  // style 1
  expected += Zeros(10 * 53);                                                           // styles 2 to 11
  ASSERT_EQ(expected.size(), 792u);
  expected += Hex("00 01 02 00 03 00 00 06");               // kind, type, colour, group, layer, sel, scratch, undo
  expected += Hex("00 00 00 00 00 00 24 40");               // X1 10
  expected += Hex("00 00 00 00 00 00 34 40");               // Y1 20
  expected += Hex("00 00 00 00 00 00 3e 40");               // X2 30
  expected += Hex("00 00 00 00 00 00 44 40");               // Y2 40
  expected += Hex("00  00 90  07 00  00 00 00  00 00 00");  // zero, tag, scratch word, byte, unused, reserved
  expected += Hex("00 00");                                 // no texts
  ASSERT_EQ(expected.size(), 845u);
  EXPECT_EQ(LoadWholeFile(folder.File(), kLargestStockFile), expected);
}

TEST(StockFileWriter, TextTableAndLeftOutRecords) {
  StockFolder folder;
  Tdrawinp::TextList texts;
  RDrawElement none = ZeroElement();
  none.Kind = 7;  // no element: not written, and not counted
  const std::vector<RDrawElement> elements = {Text(texts, "AB", 0, 0, 1, 0), none, Point(1, 2)};
  texts.push_back("");
  WriteStock(elements, texts, Scales(100, 100), ZeroStyles());
  const std::string bytes = LoadWholeFile(folder.File(), kLargestStockFile);
  ASSERT_EQ(bytes.size(), 792u + 2 * 51 + 2 + (2 + 3) + (2 + 1));
  EXPECT_EQ(bytes.substr(0, 4), Hex("02 00 00 00"));
  EXPECT_EQ(bytes.substr(792 + 2 * 51), Hex("02 00  03 00 41 42 00  01 00 00"));
}

TEST(StockFileWriter, BasePointMovesLinesWholeAndArcsByTheirCentre) {
  TDDGObject stock;
  const RDrawElement arc = Arc(10, 10, 4, 30, 60, 0.5f, 15);
  for (const RDrawElement& e : {Line(10, 20, 30, 40), arc}) {
    stock.WriteElement(e, 2, 5, 5, 0.0, 1.0, 1.0, Scales(100, 100), ZeroStyles());
  }
  const std::string bytes = stock.FinishStream();
  RDrawElement line, moved;
  std::memcpy(&line, bytes.data() + 792, 51);
  std::memcpy(&moved, bytes.data() + 792 + 51, 51);
  EXPECT_EQ(Value(line.X1), 5);
  EXPECT_EQ(Value(line.Y1), 15);
  EXPECT_EQ(Value(line.X2), 25);
  EXPECT_EQ(Value(line.Y2), 35);
  EXPECT_EQ(Value(moved.X1), 5);
  EXPECT_EQ(Value(moved.Y1), 5);
  EXPECT_EQ(Value(moved.Radius), 4);
  EXPECT_EQ(Value(moved.Ratio), 0.5f);
  EXPECT_EQ(Value(moved.StartAngle), 30.0f);
  EXPECT_EQ(Value(moved.EndAngle), 60.0f);
  EXPECT_EQ(Value(moved.Rotation), 15.0f);
}

TEST(StockFileWriter, TextsBeyondTheSixteenBitTableAreRefusedAndNothingIsWritten) {
  StockFolder folder;
  TDDGObject stock;
  stock.WriteElement(Point(0, 0), 1, 0, 0, 0, 1, 1, Scales(100, 100), ZeroStyles());
  stock.Texts = {std::string(65535, 'x')};
  EXPECT_THROW(stock.SaveStockFile(), FileError);
  EXPECT_FALSE(FileExists(folder.File()));
}

// A large figure: points at (k, 2k) with colour k % 10, every 1000th record
// a non-element that is left out, written with the base point (5, -3); and
// 3000 texts "S<k>". The whole file goes out in many pieces.
constexpr int kLargePoints = 12000;
constexpr int kLargeTexts = 3000;

std::vector<RDrawElement> LargeFigure() {
  std::vector<RDrawElement> elements;
  for (int k = 0; k < kLargePoints; ++k) {
    RDrawElement e = Point(k, 2.0 * k);
    e.ColorNo = static_cast<std::uint8_t>(k % 10);
    if (k % 1000 == 999) e.Kind = 7;
    elements.push_back(e);
  }
  return elements;
}

std::vector<std::string> LargeTexts() {
  std::vector<std::string> texts;
  for (int k = 0; k < kLargeTexts; ++k) texts.push_back("S" + std::to_string(k));
  return texts;
}

template <typename T>
std::string LittleEndian(T value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// The large figure's file, field by field in the layout's order.
std::string LargeFigureBytes() {
  std::string b;
  b += LittleEndian<std::int32_t>(kLargePoints - kLargePoints / 1000);  // records really written
  b += LittleEndian(0.0) + LittleEndian(1.0) + LittleEndian(1.0);
  for (int g = 0; g < 16; ++g) b += LittleEndian(100.0);
  b += Zeros(12 * 53);
  for (int k = 0; k < kLargePoints; ++k) {
    if (k % 1000 == 999) continue;
    b += Hex("04 01");                                         // point, line type 1
    b += static_cast<char>(k % 10);                            // colour
    b += Zeros(5);                                             // group, layer, selection, scratch, undo
    b += LittleEndian(k - 5.0) + LittleEndian(2.0 * k + 3.0);  // moved by the base point
    b += Zeros(16 + 11);                                       // no second point; the tail
  }
  b += LittleEndian<std::uint16_t>(kLargeTexts);
  for (int k = 0; k < kLargeTexts; ++k) {
    const std::string t = "S" + std::to_string(k);
    b += LittleEndian(static_cast<std::uint16_t>(t.size() + 1)) + t + '\0';
  }
  return b;
}

void WriteLargeFigure(TDDGObject& stock) {
  const std::vector<RDrawElement> elements = LargeFigure();
  for (const RDrawElement& e : elements) {
    stock.WriteElement(e, kLargePoints, 5, -3, 0.0, 1.0, 1.0, Scales(100, 100), ZeroStyles());
  }
  stock.Texts = LargeTexts();
}

std::vector<std::string> FolderNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

TEST(StockFileWriter, ALargeFileWrittenPieceByPieceHasTheBytesOfTheLayout) {
  StockFolder folder;
  const std::string expected = LargeFigureBytes();
  ASSERT_EQ(expected.size(), 792u + 51u * 11988 + 2 + 3000 * 3 + (10 * 2 + 90 * 3 + 900 * 4 + 2000 * 5));
  {
    TDDGObject stock;
    WriteLargeFigure(stock);
    stock.SaveStockFile();
  }
  EXPECT_EQ(LoadWholeFile(folder.File(), kLargestStockFile), expected);
  EXPECT_EQ(FolderNames(folder.File().parent_path()), std::vector<std::string>{"Vostak.tmp"});

  // Held in memory, the same figure gives the same bytes and touches no file.
  fs::remove(folder.File());
  TDDGObject memory;
  memory.KeepInMemory = true;
  WriteLargeFigure(memory);
  EXPECT_EQ(memory.FinishStream(), expected);
  EXPECT_FALSE(FileExists(folder.File()));
}

// Whatever stops a large write, the earlier stock file stays whole and no
// temporary file is left beside it.
TEST(StockFileWriter, AFailedLargeWriteKeepsTheEarlierFile) {
  const struct {
    const char* what;
    void (*write)();
    bool raises;
  } cases[] = {
      {"the disk fails midway",
       [] {
         FailNextAtomicWriteAfterForTest(300000);
         TDDGObject stock;
         WriteLargeFigure(stock);
         stock.SaveStockFile();
       },
       true},
      {"a text too long for the table",
       [] {
         TDDGObject stock;
         WriteLargeFigure(stock);
         stock.Texts.push_back(std::string(65535, 'x'));
         stock.SaveStockFile();
       },
       true},
      {"the writer ends unsaved",
       [] {
         TDDGObject stock;
         WriteLargeFigure(stock);
       },
       false},
  };
  for (const auto& c : cases) {
    StockFolder folder;
    WriteFileAtomically(folder.File(), "earlier");
    if (c.raises) {
      EXPECT_THROW(c.write(), FileError) << c.what;
    } else {
      c.write();
    }
    EXPECT_EQ(LoadWholeFile(folder.File(), kLargestStockFile), "earlier") << c.what;
    EXPECT_EQ(FolderNames(folder.File().parent_path()), std::vector<std::string>{"Vostak.tmp"}) << c.what;
  }
}

TEST(StockFileWriter, BytesThatWentToTheFileAreNotGivenFromMemory) {
  StockFolder folder;
  TDDGObject stock;
  WriteLargeFigure(stock);
  EXPECT_THROW(stock.FinishStream(), std::logic_error);
}

// ---- Style mapping -------------------------------------------------------------

TEST(StockFileStyles, MapsToTheSameOrTheNearestSmallerSize) {
  TDDGObject stock;
  // The canvas's initial styles 1 to 10: sums of width and spacing 21, 27,
  // 32, 35, 40, 45, 45, 55, 55, 65.
  const TcadBox box;
  stock.CurrentStyles = box.TextStyles;
  stock.FileStyles = box.TextStyles;
  stock.FileStyles[3] = SizedStyle(30, 30, 2);  // same as style 3
  stock.FileStyles[4] = SizedStyle(33, 33, 5);  // 38: style 4 (35)
  stock.FileStyles[6] = SizedStyle(45, 45, 5);  // 50: styles 6 and 7 (45), the smaller
  stock.FileStyles[5] = SizedStyle(10, 10, 1);  // 11: none small enough, 2
  stock.FileStyles[8] = SizedStyle(60, 60, 5);  // same size as style 10
  stock.MapTextStyles();
  const int expected[kTextStyleCount] = {0, 1, 2, 3, 4, 2, 6, 7, 10, 9, 10, 0};
  for (int i = 0; i < kTextStyleCount; ++i) EXPECT_EQ(stock.MappedStyle(i), expected[i]) << "file style " << i;
  EXPECT_EQ(stock.MappedStyle(12), 0);
  EXPECT_EQ(stock.MappedStyle(-1), 0);
  EXPECT_EQ(stock.StyleSuffix("A", 3), "A##30/30/2/0/0/0");
  EXPECT_EQ(stock.StyleSuffix("A", 12), "A");
}

// Ties: a file style of the size of two current styles takes the lower
// number; of two current styles with the same width plus spacing, the lower
// number; a sum equal to the file style's counts as not above it.
TEST(StockFileStyles, TiesGoToTheLowerNumber) {
  TDDGObject stock;
  stock.CurrentStyles = ZeroStyles();
  stock.FileStyles = ZeroStyles();
  // Current styles 1 to 10 with their sums of width and spacing: 11, 21,
  // 25, 32, 40, 55, 32 (the size of 4), 40 (another size), 65, 75.
  const RTextStyle current[] = {SizedStyle(10, 10, 1), SizedStyle(20, 20, 1), SizedStyle(25, 25, 0),
                                SizedStyle(30, 30, 2), SizedStyle(40, 40, 0), SizedStyle(50, 50, 5),
                                SizedStyle(30, 30, 2), SizedStyle(38, 38, 2), SizedStyle(60, 60, 5),
                                SizedStyle(70, 70, 5)};
  for (std::size_t i = 1; i <= 10; ++i) stock.CurrentStyles[i] = stock.FileStyles[i] = current[i - 1];
  stock.FileStyles[2] = SizedStyle(30, 30, 2);   // the size of 4 and 7: 4
  stock.FileStyles[3] = SizedStyle(41, 41, 0);   // 41: sums 40 of 5 and 8, 5
  stock.FileStyles[9] = SizedStyle(39, 39, 1);   // 40, no size alike: 5
  stock.FileStyles[10] = SizedStyle(39, 39, 0);  // 39: sums 32 of 4 and 7, 4
  stock.FileStyles[6] = SizedStyle(5, 5, 1);     // 6: below every sum, 2
  stock.MapTextStyles();
  const int expected[kTextStyleCount] = {0, 1, 4, 5, 4, 5, 2, 7, 8, 5, 4, 0};
  for (int i = 0; i < kTextStyleCount; ++i) EXPECT_EQ(stock.MappedStyle(i), expected[i]) << "file style " << i;
}

// ---- Reader checks ----------------------------------------------------------------

std::string GoodFile(std::size_t records, const std::vector<std::string>& texts) {
  TDDGObject stock;
  for (std::size_t k = 0; k < records; ++k) {
    stock.WriteElement(Point(1, 1), static_cast<std::int32_t>(records), 0, 0, 0, 1, 1, Scales(100, 100), ZeroStyles());
  }
  stock.Texts = texts;
  return stock.FinishStream();
}

TEST(StockFileReader, RefusesFilesThatAreNotWhole) {
  const std::string good = GoodFile(2, {"ab"});
  std::string negative = good;
  negative.replace(0, 4, Hex("ff ff ff ff"));
  std::string tooMany = good;
  tooMany.replace(0, 4, Hex("03 00 00 00"));
  std::string huge = good;
  huge.replace(0, 4, Hex("ff ff ff 7f"));
  std::string moreTexts = good;
  moreTexts.replace(792 + 2 * 51, 2, Hex("02 00"));
  std::string longText = good;
  longText.replace(792 + 2 * 51 + 2, 2, Hex("09 00"));
  std::string nanFactor = good;
  nanFactor.replace(12, 8, Hex("00 00 00 00 00 00 f8 7f"));
  std::string infScale = good;
  infScale.replace(28 + 8 * 15, 8, Hex("00 00 00 00 00 00 f0 7f"));
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"header cut", good.substr(0, 700)},
      {"negative count", negative},
      {"count beyond the records", tooMany},
      {"count beyond any file", huge},
      {"text table cut", good.substr(0, good.size() - 1)},
      {"more texts than there are", moreTexts},
      {"string longer than the file", longText},
      {"bytes after the end", good + "x"},
      {"factor not a number", nanFactor},
      {"group scale infinite", infScale},
  };
  for (const auto& c : cases) {
    TDDGObject stock;
    stock.FilePath = "/tmp/Vostak.tmp";
    EXPECT_FALSE(stock.OpenStockBytes(c.bytes, ZeroStyles())) << c.what;
    EXPECT_EQ(stock.ElementCount, 0) << c.what;
    EXPECT_EQ(stock.FileXFactor, 0.0) << c.what;
    EXPECT_NE(stock.ErrorText.find("/tmp/Vostak.tmp"), std::string::npos) << c.what;
  }
  TDDGObject stock;
  ASSERT_TRUE(stock.OpenStockBytes(good, ZeroStyles()));
  EXPECT_EQ(stock.ElementCount, 2);
  EXPECT_EQ(stock.TextCount(), 1u);
  EXPECT_EQ(stock.FileXFactor, 1.0);
  RDrawElement e;
  int n = 0;
  while (stock.ReadElement(e)) ++n;
  EXPECT_EQ(n, 2);
  EXPECT_EQ(stock.ReadTextTable(), std::vector<std::string>{"ab"});
}

// A line record with another kind byte.
RDrawElement OfKind(std::uint8_t kind) {
  RDrawElement e = Line(0, 0, 1, 1);
  e.Kind = kind;
  return e;
}

TEST(StockFileReader, RecordsOutsideTheTablesAreLeftOutOrClamped) {
  Tdrawinp::TextList texts;
  RDrawElement unknownKind = Point(0, 0);
  unknownKind.Kind = 9;
  const RDrawElement group16 = Line(0, 0, 1, 1, 16, 0);
  const RDrawElement layer16 = Line(0, 0, 1, 1, 0, 16);
  const RDrawElement notANumber = Line(0, NAN, 1, 1);
  RDrawElement arcNaN = Arc(0, 0, 1);
  arcNaN.StartAngle = INFINITY;
  RDrawElement textNoString = Text(texts, "a", 0, 0, 1, 0);
  textNoString.TextIndex = 1;  // the table holds one string
  RDrawElement styleTooHigh = Text(texts, "a", 0, 0, 1, 0);
  styleTooHigh.TextIndex = 0;
  styleTooHigh.TextStyle = 200;
  RDrawElement colourTooHigh = Line(0, 0, 1, 1);
  colourTooHigh.ColorNo = 250;
  RDrawElement pointWithJunk = Point(1, 1);
  pointWithJunk.X2 = NAN;  // a point has no second point
  const struct {
    const char* what;
    RDrawElement e;
    bool kept;
  } cases[] = {
      {"kind 9", unknownKind, false},
      {"kind 6", OfKind(6), false},
      {"kind 5", OfKind(5), true},
      {"group 16", group16, false},
      {"group 15", Line(0, 0, 1, 1, 15, 0), true},
      {"layer 16", layer16, false},
      {"layer 15", Line(0, 0, 1, 1, 0, 15), true},
      {"NaN y", notANumber, false},
      {"arc angle", arcNaN, false},
      {"text index", textNoString, false},
      {"style 200", styleTooHigh, true},
      {"colour 250", colourTooHigh, true},
      {"point", pointWithJunk, true},
  };
  for (const auto& c : cases) {
    RDrawElement e = c.e;
    EXPECT_EQ(SanitizeStockRecord(e, 1), c.kept) << c.what;
  }
  RDrawElement e = styleTooHigh;
  ASSERT_TRUE(SanitizeStockRecord(e, 1));
  EXPECT_EQ(Value(e.TextStyle), 0);
  e = colourTooHigh;
  ASSERT_TRUE(SanitizeStockRecord(e, 1));
  EXPECT_EQ(Value(e.ColorNo), 250);
}

// A large figure comes back record for record and string for string, and
// the file is exactly as long as the layout says.
TEST(StockFileReader, ALargeFigureRoundTrips) {
  const StockFolder folder;
  constexpr int kCount = 200000;
  std::vector<RDrawElement> elements;
  Tdrawinp::TextList texts;
  elements.reserve(kCount);
  for (int k = 0; k < kCount; ++k) {
    const double x = k * 0.37, y = k * 0.11;
    RDrawElement e;
    switch (k % 5) {
      case 0: e = Line(x, y, x + 3, y - 2); break;
      case 1: e = Arc(x, y, 1 + k % 7, 10, 200, 0.5f, 30); break;
      case 2: e = Point(x, y); break;
      case 3: e = Text(texts, "T" + std::to_string(k), x, y, x + 4, y); break;
      default: e = Line(x, y, x - 1, y + 8); break;
    }
    e.ColorNo = static_cast<std::uint8_t>(k % 10);
    e.Group = static_cast<std::uint8_t>(k % kLayerGroups);
    e.Layer = static_cast<std::uint8_t>(k % kLayersPerGroup);
    e.Selection = 1;  // written as 0
    elements.push_back(e);
  }
  WriteStock(elements, texts, Scales(100, 100), ZeroStyles());
  // 792 + 51 N + 2 + per text (2 + length + 1); each "T<k>" of 40,000 texts.
  std::size_t textBytes = 0;
  for (const std::string& t : texts) textBytes += 2 + t.size() + 1;
  EXPECT_EQ(fs::file_size(folder.File()), 792 + 51u * kCount + 2 + textBytes);

  TDDGObject stock;
  ASSERT_TRUE(stock.OpenStockFile(ZeroStyles()));
  ASSERT_EQ(stock.ElementCount, kCount);
  RDrawElement read;
  for (int k = 0; k < kCount; ++k) {
    ASSERT_TRUE(stock.ReadElement(read)) << k;
    RDrawElement expected = elements[static_cast<std::size_t>(k)];
    expected.Selection = 0;
    ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << "record " << k;
  }
  EXPECT_FALSE(stock.ReadElement(read));
  EXPECT_EQ(stock.ReadTextTable(), texts);
}

// ---- The canvas's readers ------------------------------------------------------------

class StockReaderTest : public CanvasTest {
 protected:
  StockFolder folder;
  ScriptedDialogs boxes;
  ScopedDialogs scoped{boxes};

  // A line (type 2, colour 3), an arc (type 5, colour 5), a point (colour 6)
  // and a text of file style `style`.
  void WriteFigure(std::uint8_t style, const std::array<RTextStyle, kTextStyleCount>& styles, double groupScale = 100) {
    Tdrawinp::TextList texts;
    RDrawElement line = Line(0, 0, 100, 0);
    line.LineType = 2;
    line.ColorNo = 3;
    RDrawElement arc = Arc(10, 10, 5);
    arc.LineType = 5;
    arc.ColorNo = 5;
    RDrawElement point = Point(7, 8);
    point.ColorNo = 6;
    RDrawElement text = Text(texts, "T", 0, 0, 10, 0);
    text.TextStyle = style;
    text.ColorNo = 9;
    WriteStock({line, arc, point, text}, texts, Scales(groupScale, 100), styles);
  }
  const RDrawElement& Buffered(std::uint8_t kind) {
    for (const RDrawElement& e : box->Draw1->Buffer) {
      if (e.Kind == kind) return e;
    }
    ADD_FAILURE() << "no element of kind " << int(kind);
    return box->Draw1->Buffer.front();
  }
};

TEST_F(StockReaderTest, OptionCodesOverrideColoursLineTypesAndStyles) {
  auto styles = box->TextStyles;
  styles[5] = SizedStyle(10, 10, 1);  // maps to 2
  const struct {
    std::uint16_t code;
    int lineColour, lineType, arcColour, arcType, pointColour, textStyle;
  } cases[] = {
      {0, 3, 2, 5, 5, 6, 2},  // acts as 11000: kept, style mapped
      {500, 3, 2, 5, 5, 6, 2},   {9999, 3, 2, 5, 5, 6, 2},
      {11000, 3, 2, 5, 5, 6, 2}, {24350, 4, 2, 4, 5, 4, 1},  // colour 3 + 1, style 0 + 1
      {34000, 3, 1, 5, 1, 6, 1},                             // line type 0 + 1, style 0 + 1
      {43230, 3, 4, 3, 4, 3, 5},                             // colour 2 + 1, line type 3 + 1; style 5 stays (d4 = 3)
      {15000, 3, 2, 5, 5, 6, 5},                             // digits without a rule change nothing
  };
  WriteFigure(5, styles);
  for (const auto& c : cases) {
    ASSERT_TRUE(box->LoadStockToBuffer(c.code)) << c.code;
    ASSERT_EQ(box->Draw1->Buffer.size(), 4u) << c.code;
    EXPECT_EQ(Value(Buffered(kKindLine).ColorNo), c.lineColour) << c.code;
    EXPECT_EQ(Value(Buffered(kKindLine).LineType), c.lineType) << c.code;
    EXPECT_EQ(Value(Buffered(kKindArc).ColorNo), c.arcColour) << c.code;
    EXPECT_EQ(Value(Buffered(kKindArc).LineType), c.arcType) << c.code;
    EXPECT_EQ(Value(Buffered(kKindPoint).ColorNo), c.pointColour) << c.code;
    EXPECT_EQ(Value(Buffered(kKindText).TextStyle), c.textStyle) << c.code;
    EXPECT_EQ(Value(Buffered(kKindText).ColorNo), 9) << c.code;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StockReaderTest, SizeSuffixKeepsTheSendersCharacterSize) {
  auto styles = box->TextStyles;
  styles[3] = SizedStyle(30, 30, 2);
  WriteFigure(3, styles);
  ASSERT_TRUE(box->LoadStockToBuffer(13000));
  EXPECT_EQ(Value(Buffered(kKindText).TextStyle), 3);
  ASSERT_EQ(box->Draw1->BufferTexts.size(), 1u);
  EXPECT_EQ(box->Draw1->BufferTexts[0], "T##30/30/2/0/0/0");
}

TEST_F(StockReaderTest, StylesZeroAndElevenMapToZero) {
  for (std::uint8_t style : {0, 11}) {
    WriteFigure(style, box->TextStyles);
    ASSERT_TRUE(box->LoadStockToBuffer(11000));
    EXPECT_EQ(Value(Buffered(kKindText).TextStyle), 0) << int(style);
  }
}

TEST_F(StockReaderTest, FigureIsRescaledToTheWritingGroupAndTheTransformTaken) {
  WriteFigure(1, box->TextStyles, 50);
  box->GroupScales[0] = 100;
  box->WriteGrupe_No = 0;
  ASSERT_TRUE(box->LoadStockToBuffer(0));
  const RDrawElement& line = Buffered(kKindLine);
  EXPECT_DOUBLE_EQ(Value(line.X1), 0);
  EXPECT_DOUBLE_EQ(Value(line.X2), 50);
  EXPECT_EQ(box->BufferSourceScales[0], 50);
  EXPECT_EQ(box->PasteScaleX, 1.0);
  EXPECT_EQ(box->PasteScaleY, 1.0);
  EXPECT_EQ(box->CommandAngle, 0.0);
  EXPECT_TRUE(box->RubberErased);
}

TEST_F(StockReaderTest, CopyModeReadsWithoutTextsAndStillRescales) {
  RDrawElement line = Line(0, 0, 100, 0);
  line.ColorNo = 3;
  WriteStock({line}, {}, Scales(50, 100), box->TextStyles);
  box->GroupScales[0] = 100;
  ASSERT_TRUE(box->LoadStockForCopy());
  EXPECT_EQ(box->ButonType, dtCopyTazuMen);
  ASSERT_EQ(box->Draw1->Buffer.size(), 1u);
  EXPECT_DOUBLE_EQ(Value(box->Draw1->Buffer[0].X2), 50);
  EXPECT_EQ(Value(box->Draw1->Buffer[0].ColorNo), 3);
}

TEST_F(StockReaderTest, NoStockFileReadsAsEmpty) {
  box->Draw1->Buffer.push_back(Point(1, 1));
  box->PasteScaleX = 3;
  ASSERT_TRUE(box->LoadStockToBuffer(0));
  EXPECT_TRUE(box->Draw1->Buffer.empty());
  EXPECT_EQ(box->PasteScaleX, 0.0);
  EXPECT_EQ(box->PasteScaleY, 0.0);
  EXPECT_EQ(box->CommandAngle, 0.0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StockReaderTest, BadFileLeavesTheBufferAndSaysWhy) {
  WriteFileAtomically(folder.File(), GoodFile(3, {}).substr(0, 800));
  box->Draw1->Buffer.push_back(Point(1, 1));
  box->PasteScaleX = 3;
  EXPECT_FALSE(box->LoadStockToBuffer(0));
  EXPECT_FALSE(box->LoadStockForCopy());
  EXPECT_EQ(box->Draw1->Buffer.size(), 1u);
  EXPECT_EQ(box->PasteScaleX, 3.0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_NE(boxes.shown[0].text.find(Cp932FromPath(folder.File())), std::string::npos);
}

// Kinds 0 to 5 are elements (5 a two-point record, stored like a line);
// 6, the kind of no element, and above are left out by the reader.
TEST_F(StockReaderTest, RecordsOfKindFiveAreReadAndKindsFromSixLeftOut) {
  WriteStock({Line(0, 0, 10, 0), Line(0, 5, 10, 5), Line(0, 9, 10, 9), Line(0, 12, 10, 12)}, {}, Scales(100, 100),
             box->TextStyles);
  std::string bytes;
  {
    std::ifstream in(folder.File(), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::uint8_t kinds[] = {5, 6, 0, 7};
  for (std::size_t k = 0; k < 4; ++k) {
    bytes[kStockHeaderSize + k * kStockRecordSize + offsetof(RDrawElement, Kind)] = static_cast<char>(kinds[k]);
  }
  {
    std::ofstream out(folder.File(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  box->GroupScales.fill(100);  // the file's scales: nothing is rescaled
  ASSERT_TRUE(box->LoadStockToBuffer(0));
  const std::vector<RDrawElement>& buffer = box->Draw1->Buffer;
  ASSERT_EQ(buffer.size(), 2u);
  const double y0 = buffer[0].Y1, y1 = buffer[1].Y1;  // packed fields: read by value
  EXPECT_EQ(Value(buffer[0].Kind), 5);
  EXPECT_EQ(y0, 0.0);
  EXPECT_EQ(Value(buffer[1].Kind), 0);
  EXPECT_EQ(y1, 9.0) << "the third record";
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StockReaderTest, OutOfRangeRecordsAreReadSafelyAndDrawn) {
  Tdrawinp::TextList texts;
  RDrawElement colour = Line(0, 0, 50, 50);
  colour.ColorNo = 250;
  colour.LineType = 200;
  RDrawElement style = Text(texts, "S", 0, 0, 10, 0);
  style.TextStyle = 99;
  RDrawElement lost = Text(texts, "L", 0, 0, 10, 0);
  lost.TextIndex = 40;
  RDrawElement group = Point(3, 3);
  group.Group = 200;
  WriteStock({colour, style, lost, group}, texts, Scales(100, 100), box->TextStyles);
  ASSERT_TRUE(box->LoadStockToBuffer(0));
  ASSERT_EQ(box->Draw1->Buffer.size(), 2u);
  EXPECT_EQ(Value(box->Draw1->Buffer[1].TextStyle), 0);
  box->Draw1->PasteBuffer(0, 3, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, true, 0, false, false);
  EXPECT_EQ(box->Draw1->Elements.size(), 2u);
  box->RedrawAll(false);  // draws without reading outside its tables
}

}  // namespace
