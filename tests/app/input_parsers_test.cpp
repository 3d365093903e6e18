#include "app/input_parsers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app_test_support.h"
#include "platform/dialogs.h"

namespace {

// Grid sizes of the dialogs (title row and column included).
GridCells Coordinates(std::initializer_list<TableRow> rows) { return Table(3, 150, rows); }
GridCells Supports(std::initializer_list<TableRow> rows) { return Table(3, 100, rows); }
GridCells MemberList(std::initializer_list<TableRow> rows) { return Table(7, 100, rows); }
GridCells Placement(std::initializer_list<TableRow> rows) { return Table(5, 200, rows); }
GridCells MemberLoads(std::initializer_list<TableRow> rows) { return Table(8, 120, rows); }
GridCells NodeLoads(std::initializer_list<TableRow> rows) { return Table(4, 120, rows); }
GridCells Moduli() { return Table(4, 5, {}); }

// Nodes 1..n along x, 4 m apart (cm in the model).
void PlaceNodes(RFrameModel& model, int n) {
  model.NodeCount = static_cast<std::uint16_t>(n);
  for (int k = 1; k <= n; ++k) {
    model.NodeNo[k] = static_cast<std::uint16_t>(k);
    model.NodeX[k] = 400.0 * (k - 1);
    model.NodeY[k] = 0.0;
  }
}

// The one message shown, with its kind.
struct Shown {
  bool any = false;
  std::string text;
  MessageKind kind = MessageKind::Plain;
};
Shown OnlyMessage(const ScriptedDialogs& dialogs) {
  EXPECT_LE(dialogs.shown.size(), 1u);
  if (dialogs.shown.empty()) return {};
  return {true, dialogs.shown[0].text, dialogs.shown[0].messageKind};
}
bool Contains(const std::string& text, const char* utf8) { return text.find(J(utf8)) != std::string::npos; }

// ---------------------------------------------------------------------------
// Coordinates

TEST(CoordinateParser, NodesRunToTheFirstRowWithBothCellsEmpty) {
  struct Case {
    const char* name;
    GridCells table;
    int nodes;
    double x2, y2;  // cm, node 2
  };
  const Case cases[] = {
      {"rows 1-3, gap, row 5", Coordinates({{1, {"0", "0"}}, {2, {"6", "0"}}, {3, {"6", "3.5"}}, {5, {"9", "9"}}}), 3,
       600, 0},
      {"both negative, then a node after it", Coordinates({{1, {"0", "0"}}, {2, {"-3", "-2"}}, {3, {"1", "1"}}}), 3,
       -300, -200},
      {"both at -1 m", Coordinates({{1, {"0", "0"}}, {2, {"-1", "-1.0"}}}), 2, -100, -100},
      {"one below -1 m", Coordinates({{1, {"0", "0"}}, {2, {"-1.5", "0"}}}), 2, -150, 0},
      {"blanks around a number", Coordinates({{1, {" 1", "2 "}}, {2, {" 3 ", "1e1"}}}), 2, 300, 1000},
      {"blanks only are empty", Coordinates({{1, {"0", "0"}}, {2, {"4", "0"}}, {3, {"  ", " "}}, {4, {"9", "9"}}}), 2,
       400, 0},
  };
  for (const Case& c : cases) {
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    EXPECT_TRUE(ParseCoordinates(c.table, model)) << c.name;
    EXPECT_TRUE(dialogs.shown.empty()) << c.name;
    EXPECT_EQ(model.NodeCount, c.nodes) << c.name;
    EXPECT_EQ(model.NodeNo[2], 2) << c.name;
    EXPECT_DOUBLE_EQ(model.NodeX[2], c.x2) << c.name;
    EXPECT_DOUBLE_EQ(model.NodeY[2], c.y2) << c.name;
  }
  RFrameModel empty;
  EXPECT_TRUE(ParseCoordinates(Coordinates({}), empty));
  EXPECT_EQ(empty.NodeCount, 0);
}

TEST(CoordinateParser, AHalfFilledOrUnreadableRowIsRefusedNamingTheRow) {
  const std::string missing = J("未入力部分が有ります。確認してください。");
  const std::string notNumber = J("座標が数値ではありません。確認してください。");
  struct Case {
    const char* name;
    GridCells table;
    std::string expected;  // the whole message
  };
  const Case cases[] = {
      {"Y empty", Coordinates({{1, {"0", "0"}}, {2, {"2.25", ""}}}), J("座標入力  2行目：") + missing},
      {"X empty", Coordinates({{1, {"0", "0"}}, {2, {"1", "1"}}, {3, {"", "-2"}}}), J("座標入力  3行目：") + missing},
      {"X blanks, Y filled", Coordinates({{1, {"  ", "-3"}}}), J("座標入力  1行目：") + missing},
      {"X unreadable, Y empty", Coordinates({{1, {"0", "0"}}, {2, {"abc", ""}}}), J("座標入力  2行目：") + missing},
      {"X unreadable", Coordinates({{1, {"0", "0"}}, {2, {"abc", "1"}}}), J("座標入力  2行目 1列目：") + notNumber},
      {"Y with a comma", Coordinates({{1, {"0", "0"}}, {2, {"1", "1,5"}}}), J("座標入力  2行目 2列目：") + notNumber},
      {"too large to hold", Coordinates({{1, {"1e999", "0"}}}), J("座標入力  1行目 1列目：") + notNumber},
      {"NaN", Coordinates({{1, {"0", "NaN"}}}), J("座標入力  1行目 2列目：") + notNumber},
      {"inf", Coordinates({{1, {"inf", "0"}}}), J("座標入力  1行目 1列目：") + notNumber},
      {"far beyond any frame", Coordinates({{1, {"0", "-2e6"}}}),
       J("座標入力  1行目 2列目：座標が大きすぎます。確認してください。")},
  };
  for (const Case& c : cases) {
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    model.NodeCount = 7;  // from an earlier parse
    EXPECT_FALSE(ParseCoordinates(c.table, model)) << c.name;
    EXPECT_EQ(model.NodeCount, 0) << c.name << ": no node of a refused table";
    const Shown shown = OnlyMessage(dialogs);
    EXPECT_EQ(shown.text, c.expected) << c.name;
    EXPECT_EQ(shown.kind, MessageKind::Warning) << c.name;
  }
}

TEST(CoordinateParser, FullTableAndTooManyRows) {
  GridCells full(3, 150);
  for (int r = 1; r <= 149; ++r) {
    full.SetCell(1, r, std::to_string(r));
    full.SetCell(2, r, "0.5");
  }
  RFrameModel model;
  ASSERT_TRUE(ParseCoordinates(full, model));
  EXPECT_EQ(model.NodeCount, 149);
  EXPECT_DOUBLE_EQ(model.NodeX[149], 14900.0);
  EXPECT_DOUBLE_EQ(model.NodeY[149], 50.0);

  // A longer table (a file from a bigger grid) would pass node 150.
  GridCells longer = full;
  longer.Resize(3, 153);
  for (int r = 149; r <= 152; ++r) {
    longer.SetCell(1, r, "1");
    longer.SetCell(2, r, "1");
  }
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  RFrameModel refused;
  EXPECT_FALSE(ParseCoordinates(longer, refused));
  EXPECT_EQ(refused.NodeCount, 0);
  const Shown shown = OnlyMessage(dialogs);
  EXPECT_EQ(shown.kind, MessageKind::Warning);
  EXPECT_TRUE(Contains(shown.text, "座標入力"));
  EXPECT_TRUE(Contains(shown.text, "151行目"));
}

// ---------------------------------------------------------------------------
// Supports

TEST(SupportParser, CodesSetTheRestraintFlags) {
  struct Case {
    const char* code;
    std::uint8_t x, y, r;
  };
  const Case cases[] = {
      {" 111 固定", 1, 1, 1}, {" 110 ピン", 1, 1, 0}, {" 000 自由", 0, 0, 0}, {" 010 Xﾛ-ﾗ", 0, 1, 0},
      {" 100 Yﾛ-ﾗ", 1, 0, 0}, {" ", 0, 0, 0},         {"", 0, 0, 0},          {"111", 0, 0, 0},  // reads "11"
      {" 011", 0, 0, 0},      {"x110", 1, 1, 0},
  };
  for (const Case& c : cases) {
    RFrameModel model;
    PlaceNodes(model, 3);
    model.Fixity[2] = {0, 1, 1, 1};  // cleared first
    ASSERT_TRUE(ParseSupports(Supports({{1, {"2", c.code}}}), model));
    const auto& f = model.Fixity[2];
    EXPECT_EQ(f[1], c.x) << c.code;
    EXPECT_EQ(f[2], c.y) << c.code;
    EXPECT_EQ(f[3], c.r) << c.code;
  }
}

TEST(SupportParser, RowsAreIndependent) {
  RFrameModel model;
  PlaceNodes(model, 5);
  const GridCells table = Supports({{1, {"3", " 111 固定"}},
                                    {2, {"1", " 110 ピン"}},
                                    {4, {"3", " 000 自由"}},  // overrides row 1
                                    {5, {"", " 111 固定"}},   // no node: skipped
                                    {9, {"5", " 010 Xﾛ-ﾗ"}}});
  ASSERT_TRUE(ParseSupports(table, model));
  EXPECT_EQ(model.Fixity[3], (Rows1<std::uint8_t, 3>{0, 0, 0, 0}));
  EXPECT_EQ(model.Fixity[1], (Rows1<std::uint8_t, 3>{0, 1, 1, 0}));
  EXPECT_EQ(model.Fixity[5], (Rows1<std::uint8_t, 3>{0, 0, 1, 0}));
}

// Node numbers 1 to 150 are taken, whatever the number of nodes placed;
// 0 and 151 are refused.
TEST(SupportParser, NodeNumbersFromOneToOneHundredFifty) {
  struct Case {
    const char* node;
    int index;  // the fixity row set, or 0 when refused
  } cases[] = {{"0", 0}, {"1", 1}, {"149", 149}, {"150", 150}, {"151", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.node);
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    PlaceNodes(model, 3);
    const bool taken = ParseSupports(Supports({{1, {c.node, " 111 固定"}}}), model);
    EXPECT_EQ(taken, c.index != 0);
    EXPECT_EQ(dialogs.shown.size(), c.index != 0 ? 0u : 1u);
    for (int n = 1; n <= kFrameMaxNodes; ++n) {
      const Rows1<std::uint8_t, 3> want = n == c.index ? Rows1<std::uint8_t, 3>{0, 1, 1, 1} : Rows1<std::uint8_t, 3>{};
      EXPECT_EQ(model.Fixity[n], want) << "node " << n;
    }
  }
}

TEST(SupportParser, NodeNumbersOutsideTheModelAreRefused) {
  const char* nodes[] = {"0", "151", "99999", "-5", "-4", "x", "4294967297", "3.5"};
  for (const char* node : nodes) {
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    PlaceNodes(model, 3);
    model.Fixity[1] = {0, 1, 1, 1};
    EXPECT_FALSE(ParseSupports(Supports({{1, {"2", " 110 ピン"}}, {2, {node, " 111 固定"}}}), model));
    EXPECT_EQ(model.Fixity[1], (Rows1<std::uint8_t, 3>{0, 1, 1, 1})) << "a refused table changes nothing";
    EXPECT_EQ(model.Fixity[2], (Rows1<std::uint8_t, 3>{}));
    const Shown shown = OnlyMessage(dialogs);
    EXPECT_EQ(shown.kind, MessageKind::Warning);
    EXPECT_TRUE(Contains(shown.text, "支点セット")) << node;
    EXPECT_TRUE(Contains(shown.text, "2行目")) << node;
  }
}

// ---------------------------------------------------------------------------
// Members

struct MemberInput {
  GridCells list = MemberList({{1, {"", "", "", "", "1000", "50"}}, {2, {"", "", "", "2:RC(21)", "2000", "60"}}});
  GridCells rcPl = Table(5, 31, {});
  GridCells moduli = Moduli();
  GridCells placement;
};

bool Parse(MemberInput& in, RFrameModel& model) {
  return ParseMembers(in.list, in.rcPl, in.moduli, in.placement, model);
}

TEST(MemberParser, SectionsAndPlacement) {
  RFrameModel model;
  PlaceNodes(model, 8);
  MemberInput in;
  in.placement = Placement({{1, {"1", "2", "1", ""}},
                            {2, {"7", "3", "2", "3 両端ﾋﾟﾝ"}},  // swapped
                            {4, {"2", "4", "1", "1 右端ﾋﾟﾝ"}},  // after an empty row
                            {5, {"2", "", "1", ""}},            // incomplete: skipped
                            {7, {"5", "6", "2", "2 左端ﾋﾟﾝ"}}});
  ASSERT_TRUE(Parse(in, model));

  EXPECT_EQ(model.SectionNo[1], 1);
  EXPECT_EQ(model.SectionNo[2], 2);
  EXPECT_EQ(model.SectionNo[3], 0);
  EXPECT_DOUBLE_EQ(model.SectionI[2], 2000.0);
  EXPECT_DOUBLE_EQ(model.SectionA[2], 60.0);
  EXPECT_DOUBLE_EQ(model.SectionAs[2], 60.0);

  EXPECT_EQ(model.MemberCount, 4);
  EXPECT_EQ(model.MemberCount2, 4);
  EXPECT_EQ(model.MemberCount3, 4);
  struct Member {
    int i, j, section, structure, joint;
  };
  const Member expected[] = {{1, 2, 1, 1, 0}, {3, 7, 2, 2, 3}, {2, 4, 1, 1, 1}, {5, 6, 2, 2, 2}};
  for (int m = 1; m <= 4; ++m) {
    const Member& e = expected[m - 1];
    EXPECT_EQ(model.MemberI[m], e.i) << m;
    EXPECT_EQ(model.MemberJ[m], e.j) << m;
    EXPECT_EQ(model.LoadMemberI[m], e.i) << m;
    EXPECT_EQ(model.LoadMemberJ[m], e.j) << m;
    EXPECT_EQ(model.MemberSection[m], e.section) << m;
    EXPECT_EQ(model.Structure[m], e.structure) << m;
    EXPECT_EQ(model.JointType[m], e.joint) << m;
  }
  EXPECT_EQ(in.placement.Cell(1, 2), "3");
  EXPECT_EQ(in.placement.Cell(2, 2), "7");
  // The user moduli default when their cells are empty; the solver's current
  // moduli are cleared.
  for (int s = 6; s <= 9; ++s) {
    EXPECT_DOUBLE_EQ(model.UserE[s], 20594.0);
    EXPECT_DOUBLE_EQ(model.UserG[s], 7943.0);
  }
  EXPECT_EQ(model.CurrentE, 0.0);
}

TEST(MemberParser, StructureAndJointCodesFromTheFirstCharacter) {
  struct Case {
    const char* structure;
    const char* joint;
    int expectedStructure, expectedJoint;
  };
  const Case cases[] = {
      {"", "", 1, 0},          {" ", " ", 1, 0},
      {"0", "0", 1, 0},        {"1:S", "3 両端ﾋﾟﾝ", 1, 3},
      {"5:RC(18)", "2", 5, 2}, {"9:設定値 ", "1 右端ﾋﾟﾝ", 9, 1},
      {"設定", "ﾋﾟﾝ", 1, 0},   {"7x", "9", 7, 9},
  };
  for (const Case& c : cases) {
    RFrameModel model;
    PlaceNodes(model, 2);
    MemberInput in;
    in.list = MemberList({{1, {"", "", "", c.structure, "1000", "50"}}});
    in.placement = Placement({{1, {"1", "2", "1", c.joint}}});
    ASSERT_TRUE(Parse(in, model)) << c.structure;
    EXPECT_EQ(model.Structure[1], c.expectedStructure) << c.structure;
    EXPECT_EQ(model.JointType[1], c.expectedJoint) << c.joint;
  }
}

TEST(MemberParser, UserModuli) {
  RFrameModel model;
  PlaceNodes(model, 2);
  model.UserE[8] = 111.0;
  model.UserE[9] = 222.0;
  MemberInput in;
  in.moduli = Table(4, 5, {{1, {"2000", "-5"}}, {2, {"0", "800"}}, {3, {"3000", "900"}}});
  in.placement = Placement({{1, {"1", "2", "1", ""}}});
  model.MemberCount = 7;  // cleared even when the parse stops
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  EXPECT_FALSE(Parse(in, model));
  const Shown shown = OnlyMessage(dialogs);
  EXPECT_EQ(shown.text, J("ユーザー設定のヤング係数値が不正です。確認してください。"));
  EXPECT_EQ(shown.kind, MessageKind::Plain);
  EXPECT_DOUBLE_EQ(model.UserE[6], 2000.0);
  EXPECT_DOUBLE_EQ(model.UserG[6], 0.0) << "a negative G becomes 0";
  EXPECT_DOUBLE_EQ(model.UserE[7], 20594.0) << "the bad E is replaced";
  EXPECT_DOUBLE_EQ(model.UserG[7], 800.0);
  EXPECT_DOUBLE_EQ(model.UserE[8], 111.0) << "rows after the bad one are not read";
  EXPECT_DOUBLE_EQ(model.UserE[9], 222.0);
  EXPECT_EQ(model.MemberCount, 0);
  EXPECT_EQ(model.SectionNo[1], 0);
}

TEST(MemberParser, AMemberListRowWithOnlyIOrA) {
  const char* rows[][2] = {{"1000", ""}, {"", "50"}, {"1000", "-3"}};
  for (const auto& r : rows) {
    RFrameModel model;
    PlaceNodes(model, 2);
    MemberInput in;
    in.list = MemberList({{1, {"", "", "", "", "10", "5"}}, {2, {"", "", "", "", r[0], r[1]}}});
    in.placement = Placement({{1, {"1", "2", "1", ""}}});
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    EXPECT_FALSE(Parse(in, model));
    EXPECT_EQ(OnlyMessage(dialogs).text, J("未入力部分が有ります。確認してください。"));
    EXPECT_EQ(model.MemberCount, 0);
  }
}

TEST(MemberParser, PlacementRowsThatCannotBeStoredAreRefused) {
  struct Case {
    const char* name;
    std::vector<const char*> row;  // I, J, section, joint
    const char* problem;
  };
  const Case cases[] = {
      {"node not entered", {"1", "9", "1", ""}, "節点9は入力されていません"},
      {"node 0", {"0", "2", "1", ""}, "節点0は入力されていません"},
      {"negative node", {"-3", "2", "1", ""}, "節点-3は入力されていません"},
      {"node beyond the model", {"1", "151", "1", ""}, "節点151は入力されていません"},
      {"same node", {"4", "4", "1", ""}, "両端が同じ位置"},
      {"same position", {"2", "8", "1", ""}, "両端が同じ位置"},
      {"section not listed", {"1", "2", "3", ""}, "部材NO 3は部材リストにありません"},
      {"section 0", {"1", "2", "0", ""}, "部材NO 0は部材リストにありません"},
      {"section beyond the model", {"1", "2", "101", ""}, "部材NO 101は部材リストにありません"},
  };
  for (const Case& c : cases) {
    RFrameModel model;
    PlaceNodes(model, 8);
    model.NodeX[8] = model.NodeX[2];  // node 8 lies on node 2
    MemberInput in;
    in.placement = Placement({{1, {"1", "2", "1", ""}}, {5, {}}});
    for (std::size_t k = 0; k < c.row.size(); ++k) in.placement.SetCell(static_cast<int>(k) + 1, 5, J(c.row[k]));
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    EXPECT_FALSE(Parse(in, model)) << c.name;
    EXPECT_EQ(model.MemberCount, 0) << c.name;
    EXPECT_EQ(model.MemberI[1], 0) << c.name << ": nothing of the refused input stays";
    const Shown shown = OnlyMessage(dialogs);
    EXPECT_EQ(shown.kind, MessageKind::Warning);
    EXPECT_TRUE(Contains(shown.text, "部材入力・配置")) << c.name;
    EXPECT_TRUE(Contains(shown.text, "5行目")) << c.name;
    EXPECT_TRUE(Contains(shown.text, c.problem)) << c.name;
  }
}

TEST(MemberParser, The121stMemberIsRefused) {
  RFrameModel model;
  PlaceNodes(model, 3);
  MemberInput in;
  in.placement = Placement({});
  for (int r = 1; r <= 121; ++r) {
    in.placement.SetCell(1, r, "1");
    in.placement.SetCell(2, r, r % 2 ? "2" : "3");
    in.placement.SetCell(3, r, "1");
  }
  {
    MemberInput exactly = in;
    for (int c = 1; c <= 3; ++c) exactly.placement.SetCell(c, 121, "");
    ASSERT_TRUE(Parse(exactly, model));
    EXPECT_EQ(model.MemberCount, 120);
  }
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  EXPECT_FALSE(Parse(in, model));
  EXPECT_EQ(model.MemberCount, 0);
  EXPECT_TRUE(Contains(OnlyMessage(dialogs).text, "121行目"));
}

TEST(MemberParser, RectangleSections) {
  GridCells list = MemberList({{1, {"", "30", "60", "", "", ""}},
                               {2, {"H-100X 50X 5.0X7  ", "30", "60", "", "187.48", "11.85"}},
                               {3, {"", "", "", "", "1000", "50"}},  // B empty: I and A as typed
                               {4, {"", "0", "40", "", "7", "8"}},
                               {5, {"  ", "2.5", "4", "", "", ""}}});  // a blank designation counts as none
  CalcMemberListSections(list);
  struct Expect {
    int row;
    const char *b, *d, *i, *a;
  };
  const Expect rows[] = {
      {1, "30", "60", "540000", "1800"},  // 30 * 60^3 / 12, 30 * 60
      {2, "", "", "187.48", "11.85"},    {3, "", "", "1000", "50"},
      {4, "0", "40", "7", "8"},          {5, "2.5", "4", "13", "10"},  // 2.5 * 64 / 12 = 13.33, 10
  };
  for (const Expect& e : rows) {
    EXPECT_EQ(list.Cell(2, e.row), e.b) << e.row;
    EXPECT_EQ(list.Cell(3, e.row), e.d) << e.row;
    EXPECT_EQ(list.Cell(5, e.row), e.i) << e.row;
    EXPECT_EQ(list.Cell(6, e.row), e.a) << e.row;
  }

  GridCells rcPl = Table(5, 31, {{1, {"30", "60"}}, {30, {"10", "10"}}});
  CalcRcPlSections(rcPl);
  EXPECT_EQ(rcPl.Cell(3, 1), "540000");
  EXPECT_EQ(rcPl.Cell(4, 1), "1800");
  EXPECT_EQ(rcPl.Cell(3, 30), "833");  // 10^4 / 12 = 833.3
  EXPECT_EQ(rcPl.Cell(4, 30), "100");
}

// A width counts by its size: a negative one is worked out like any other
// (B D^3 / 12 and B D, negative), one of size 0.00001 or less leaves the
// typed I and A. Printed "%2.0f" (two wide), a value that rounds to 0 shows
// as " 0", without a sign.
TEST(MemberParser, RectangleSectionsTakeAWidthOfAnySignAboveOneHundredThousandth) {
  struct Case {
    const char *b, *i, *a;
  } cases[] = {
      {"-30", "-540000", "-1800"},  // -30 * 60^3 / 12, -30 * 60
      {"-0.000011", " 0", " 0"},    // -0.000011 * 216000 / 12 = -0.198, -0.00066
      {"-0.00001", "7", "8"},       // on the limit: as typed
      {"-0.000009", "7", "8"},     {"0.00001", "7", "8"},
      {"0.000011", " 0", " 0"},    {"0.00002", " 0", " 0"},  // 0.36 and 0.0012
      {"0.0001", " 2", " 0"},                                // 1.8 and 0.006
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.b);
    GridCells list = MemberList({{1, {"", c.b, "60", "", "7", "8"}}});
    ASSERT_TRUE(CalcMemberListSections(list));
    EXPECT_EQ(list.Cell(5, 1), c.i);
    EXPECT_EQ(list.Cell(6, 1), c.a);
  }
}

TEST(MemberParser, ParsingRunsTheRectangleSections) {
  RFrameModel model;
  PlaceNodes(model, 2);
  MemberInput in;
  in.list = MemberList({{1, {"", "30", "60", "", "", ""}}});
  in.placement = Placement({{1, {"1", "2", "1", ""}}});
  ASSERT_TRUE(Parse(in, model));
  EXPECT_DOUBLE_EQ(model.SectionI[1], 540000.0);
  EXPECT_DOUBLE_EQ(model.SectionA[1], 1800.0);
  EXPECT_EQ(in.list.Cell(5, 1), "540000");
}

TEST(MemberParser, RectangleSectionsBeyondTheLimitsAreRefusedBeforeAnyResult) {
  const std::string outOfRange = J("値が範囲外です。確認してください。");
  const std::string notNumber = J("数値ではありません。確認してください。");
  const std::string list = J("部材入力・配置  部材リスト  ");
  struct Case {
    const char* name;
    const char *b, *d;
    std::string expected;  // empty: taken
    const char *i, *a;     // written when taken
  };
  const Case cases[] = {
      // B·D³/12 = 1e17·1e303/12 overflows: B is refused before it is used.
      {"B 1e17, D 1e101", "1e17", "1e101", list + J("3行目 2列目：") + outOfRange, "", ""},
      {"B at 1e12, D 1", "1e12", "1", "", "83333333333", "1000000000000"},  // 1e12/12, 1e12
      {"B just above 1e12", "1000000000001", "1", list + J("3行目 2列目：") + outOfRange, "", ""},
      {"D 1e13", "1", "1e13", list + J("3行目 3列目：") + outOfRange, "", ""},
      {"D unreadable", "30", "6O", list + J("3行目 3列目：") + notNumber, "", ""},
      // Within the limits each, but I = 1e12·1e36/12 is far beyond them.
      {"B and D 1e12", "1e12", "1e12", list + J("3行目 5列目：") + outOfRange, "", ""},
      {"I exactly 1e12", "12", "10000", "", "1000000000000", "120000"},  // 12·1e12/12, 12·1e4
      {"I just above 1e12", "12", "10000.01", list + J("3行目 5列目：") + outOfRange, "", ""},
      // I = 1e12·1.000001³/12 is small; A = 1.000001e12 is not.
      {"A just above 1e12", "1e12", "1.000001", list + J("3行目 6列目：") + outOfRange, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    PlaceNodes(model, 2);
    MemberInput in;
    in.list = MemberList(
        {{1, {"", "30", "60", "", "", ""}}, {2, {"", "", "", "", "1000", "50"}}, {3, {"", c.b, c.d, "", "", ""}}});
    in.placement = Placement({{1, {"1", "2", "1", ""}}});
    const GridCells before = in.list;
    const bool taken = Parse(in, model);
    if (c.expected.empty()) {
      EXPECT_TRUE(taken);
      EXPECT_TRUE(dialogs.shown.empty());
      EXPECT_EQ(in.list.Cell(5, 3), c.i);
      EXPECT_EQ(in.list.Cell(6, 3), c.a);
      EXPECT_EQ(in.list.Cell(5, 1), "540000");
      continue;
    }
    EXPECT_FALSE(taken);
    EXPECT_EQ(OnlyMessage(dialogs).text, c.expected);
    EXPECT_EQ(model.MemberCount, 0);
    EXPECT_EQ(in.list, before);  // row 1 is not computed either
  }

  // The RC/PL list names its own page.
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  GridCells rcPl = Table(5, 31, {{1, {"30", "60"}}, {2, {"1e17", "1e101"}}});
  const GridCells before = rcPl;
  EXPECT_FALSE(CalcRcPlSections(rcPl));
  EXPECT_EQ(OnlyMessage(dialogs).text, J("部材入力・配置  ＲＣ･PL  2行目 1列目：") + outOfRange);
  EXPECT_EQ(rcPl, before);
}

// ---------------------------------------------------------------------------
// Loads

TEST(LoadParser, RangesOfRows) {
  struct Case {
    const char* text;
    bool named;
    int first, last;
  };
  const Case cases[] = {
      {"3", true, 3, 3},     {"2/5", true, 2, 5}, {"5/2", true, 5, 5},    {"2/", true, 2, 2},  {"2/x", true, 2, 2},
      {"2/5/9", true, 2, 5}, {"", false, -1, 0},  {"/5", false, -1, 5},   {"x", false, -1, 0}, {"３", true, 3, 3},
      {"0/3", true, 0, 3},   {" 4", true, 4, 4},  {"２／５", true, 2, 5},  // typed with the input method on
  };
  for (const Case& c : cases) {
    int first = 99;
    int last = 99;
    EXPECT_EQ(RangeOfRow(J(c.text), first, last), c.named) << c.text;
    EXPECT_EQ(first, c.first) << c.text;
    EXPECT_EQ(last, c.last) << c.text;
  }
}

TEST(LoadParser, DirectionCodes) {
  const std::pair<const char*, int> cases[] = {{"→", 1}, {"↓", 2}, {"→部材鉛直", 3}, {" ", 4}, {"", 4}, {"←", 4}};
  for (const auto& [text, code] : cases) EXPECT_EQ(DirectionCode(J(text)), code) << text;
}

// Five horizontal members of 4 m between nodes 1..6, and member 6 from
// node 7 at (0, 0) to node 8 at (3 m, 4 m): 5 m long, 3 m wide.
RFrameModel LoadFrame() {
  RFrameModel model;
  PlaceNodes(model, 8);
  for (int m = 1; m <= 5; ++m) {
    model.MemberI[m] = static_cast<std::uint16_t>(m);
    model.MemberJ[m] = static_cast<std::uint16_t>(m + 1);
  }
  model.NodeX[7] = 0.0;
  model.NodeY[7] = 0.0;
  model.NodeX[8] = 300.0;
  model.NodeY[8] = 400.0;
  model.MemberI[6] = 7;
  model.MemberJ[6] = 8;
  model.MemberCount = model.MemberCount2 = model.MemberCount3 = 6;
  return model;
}

struct FixedEnd {
  double mi, mj, fyi, fyj, fxi, fxj, mid;
};
FixedEnd FixedEndOf(const RFrameModel& model, int m) {
  return {model.FixedEndMI[m],  model.FixedEndMJ[m],  model.FixedEndFyI[m],    model.FixedEndFyJ[m],
          model.FixedEndFxI[m], model.FixedEndFxJ[m], model.SimpleMidMoment[m]};
}
void ExpectFixedEnd(const FixedEnd& got, const FixedEnd& want, const std::string& name) {
  EXPECT_NEAR(got.mi, want.mi, 1e-9) << name;
  EXPECT_NEAR(got.mj, want.mj, 1e-9) << name;
  EXPECT_NEAR(got.fyi, want.fyi, 1e-9) << name;
  EXPECT_NEAR(got.fyj, want.fyj, 1e-9) << name;
  EXPECT_NEAR(got.fxi, want.fxi, 1e-9) << name;
  EXPECT_NEAR(got.fxj, want.fxj, 1e-9) << name;
  EXPECT_NEAR(got.mid, want.mid, 1e-9) << name;
}

TEST(LoadParser, MemberLoadsBecomeFixedEndForces) {
  // L = 4 m. Uniform w = 10: w L^2 / 12 = 13.333, w L / 2 = 20, w L^2 / 8 = 20.
  // Triangle 0 -> 20: w L^2 / 30 = 10.667 at I, w L^2 / 20 = 16 at J, fixed-end
  // reactions 3 w L / 20 = 12 and 7 w L / 20 = 28, simple-span mid-span
  // moment w L^2 / 16 = 20.
  // P = 30 at a = 1, b = 3: P a b^2 / L^2 = 16.875, P a^2 b / L^2 = 5.625,
  // reactions P b^2 (3a + b) / L^3 = 25.3125 and P a^2 (a + 3b) / L^3 =
  // 4.6875, mid-span P b / L * 2 - P * 1 = 15.
  struct Case {
    const char* name;
    std::vector<const char*> row;  // member, direction, type, P1..P4
    int member;
    FixedEnd want;
  };
  const double w12 = 10.0 * 16.0 / 12.0;
  const Case cases[] = {
      {"uniform down", {"1", "↓", "1", "10"}, 1, {-w12, w12, -20, -20, 0, 0, 20}},
      {"triangle, P3 and P4 unused",
       {"1", "↓", "2", "0", "20", "99", "99"},
       1,
       {-20.0 * 16 / 30, 16, -12, -28, 0, 0, 20}},
      {"point load", {"1", "↓", "3", "30", "1"}, 1, {-16.875, 5.625, -25.3125, -4.6875, 0, 0, 15}},
      {"point load beyond J acts at J", {"1", "↓", "3", "30", "9"}, 1, {0, 0, 0, -30, 0, 0, 0}},
      {"no type loads nothing", {"1", "↓", "", "30", "1"}, 1, {0, 0, 0, 0, 0, 0, 0}},
      // Member 6 (5 m long, 3 m wide), uniform 10 kN/m: over its true length
      // for a blank direction (10 * 25 / 12, 25), over 3 m for "↓" (7.5, 15).
      {"blank direction: true length", {"6", " ", "1", "10"}, 6, {-250.0 / 12, 250.0 / 12, -25, -25, 0, 0, 31.25}},
      {"down: projected length", {"6", "↓", "1", "10"}, 6, {-7.5, 7.5, -15, -15, 0, 0, 11.25}},
  };
  for (const Case& c : cases) {
    RFrameModel model = LoadFrame();
    GridCells table(8, 120);
    for (std::size_t k = 0; k < c.row.size(); ++k) table.SetCell(static_cast<int>(k) + 1, 1, J(c.row[k]));
    ASSERT_TRUE(ParseLoads(table, NodeLoads({}), model)) << c.name;
    ExpectFixedEnd(FixedEndOf(model, c.member), c.want, c.name);
  }
}

TEST(LoadParser, RangesAddUp) {
  RFrameModel model = LoadFrame();
  model.FixedEndMI[3] = 99.0;  // cleared by the parse
  const GridCells members = MemberLoads({{1, {"2/5", "↓", "1", "10"}},
                                         {2, {"5/2", "↓", "1", "10"}},  // only member 5
                                         {3, {"", "↓", "1", "10"}}});   // no member
  ASSERT_TRUE(ParseLoads(members, NodeLoads({}), model));
  const double w12 = 10.0 * 16.0 / 12.0;
  ExpectFixedEnd(FixedEndOf(model, 1), {0, 0, 0, 0, 0, 0, 0}, "member 1");
  for (int m = 2; m <= 4; ++m) ExpectFixedEnd(FixedEndOf(model, m), {-w12, w12, -20, -20, 0, 0, 20}, "2..4");
  ExpectFixedEnd(FixedEndOf(model, 5), {-2 * w12, 2 * w12, -40, -40, 0, 0, 40}, "member 5 twice");
}

TEST(LoadParser, NodeLoads) {
  RFrameModel model = LoadFrame();
  model.NodeLoadPx[6] = 5.0;  // cleared by the parse
  const GridCells nodes = NodeLoads({{1, {"3", "2", "15"}},
                                     {2, {"3", "2", "15"}},
                                     {3, {"2/4", "1", "4"}},
                                     {4, {"6", "3", "2.5"}},
                                     {5, {"7", "5", "8"}},   // unknown type: mark only
                                     {6, {"8", "", "8"}},    // no type: skipped
                                     {7, {"0", " ", "8"}},   // no type: skipped, even for node 0
                                     {8, {"", "1", "8"}}});  // no node
  ASSERT_TRUE(ParseLoads(MemberLoads({}), nodes, model));
  EXPECT_DOUBLE_EQ(model.NodeLoadPy[3], -30.0);
  EXPECT_EQ(model.NodeLoadMark[3], 3);
  for (int k = 2; k <= 4; ++k) EXPECT_DOUBLE_EQ(model.NodeLoadPx[k], 4.0) << k;
  EXPECT_DOUBLE_EQ(model.NodeLoadM[6], -2.5);
  EXPECT_DOUBLE_EQ(model.NodeLoadPx[6], 0.0);
  EXPECT_EQ(model.NodeLoadMark[7], 7);
  EXPECT_DOUBLE_EQ(model.NodeLoadPx[7] + model.NodeLoadPy[7] + model.NodeLoadM[7], 0.0);
  EXPECT_EQ(model.NodeLoadMark[8], 0);
  EXPECT_EQ(model.NodeLoadMark[1], 0);
}

TEST(LoadParser, LoadsOutsideTheModelAreRefused) {
  struct Case {
    const char* name;
    GridCells members, nodes;
    const char* where;
    const char* row;
  };
  const Case cases[] = {
      {"member 0", MemberLoads({{1, {"1", "↓", "1", "1"}}, {3, {"0", "↓", "1", "1"}}}), NodeLoads({}), "部材荷重",
       "3行目"},
      {"member not placed", MemberLoads({{2, {"7", "↓", "1", "1"}}}), NodeLoads({}), "部材荷重", "2行目"},
      {"range past the last member", MemberLoads({{4, {"2/9", "", "1", "1"}}}), NodeLoads({}), "部材荷重", "4行目"},
      {"negative member", MemberLoads({{1, {"-2", "", "1", "1"}}}), NodeLoads({}), "部材荷重", "1行目"},
      {"node 0", MemberLoads({}), NodeLoads({{2, {"0", "1", "5"}}}), "節点荷重", "2行目"},
      {"node 151", MemberLoads({}), NodeLoads({{1, {"151", "2", "5"}}}), "節点荷重", "1行目"},
      {"range 1/500", MemberLoads({}), NodeLoads({{5, {"1/500", "2", "5"}}}), "節点荷重", "5行目"},
  };
  for (const Case& c : cases) {
    RFrameModel model = LoadFrame();
    model.FixedEndMI[1] = 7.0;
    model.NodeLoadPy[1] = 7.0;
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    EXPECT_FALSE(ParseLoads(c.members, c.nodes, model)) << c.name;
    EXPECT_EQ(model.FixedEndMI[1], 7.0) << c.name << ": a refused input changes no load table";
    EXPECT_EQ(model.NodeLoadPy[1], 7.0) << c.name;
    const Shown shown = OnlyMessage(dialogs);
    EXPECT_EQ(shown.kind, MessageKind::Warning);
    EXPECT_TRUE(Contains(shown.text, "荷重入力")) << c.name;
    EXPECT_TRUE(Contains(shown.text, c.where)) << c.name;
    EXPECT_TRUE(Contains(shown.text, c.row)) << c.name;
  }
}

// ---------------------------------------------------------------------------
// Cells as engineers type them

TEST(CellReading, UnreadableOrAbsurdCellsAreRefusedNamingDialogRowAndColumn) {
  const std::string notNumber = J("数値ではありません。確認してください。");
  const std::string outOfRange = J("値が範囲外です。確認してください。");
  enum Parser { kSupports, kMembers, kLoads };
  struct Case {
    const char* name;
    Parser parser;
    GridCells cells;  // the table under test; the others are empty
    std::string expected;
  };
  const GridCells placed = Placement({{1, {"1", "2", "1", ""}}});
  const Case cases[] = {
      {"support node 2^32 + 1", kSupports, Supports({{2, {"4294967297", " 111 固定"}}}),
       J("支点セット  2行目 1列目：") + notNumber},
      {"support node with a comma", kSupports, Supports({{1, {"3,5", " 111 固定"}}}),
       J("支点セット  1行目 1列目：") + notNumber},
      {"placement section x", kMembers, Placement({{1, {"1", "2", "1", ""}}, {3, {"1", "2", "x", ""}}}),
       J("部材入力・配置  配置リスト  3行目 3列目：") + notNumber},
      {"placement node 2^32 + 1", kMembers, Placement({{1, {"4294967297", "2", "1", ""}}}),
       J("部材入力・配置  配置リスト  1行目 1列目：") + notNumber},
      {"placement section -1", kMembers, Placement({{1, {"1", "2", "-1", ""}}}),
       J("部材入力・配置  配置リスト  1行目：部材NO -1は部材リストにありません。確認してください。")},
      {"node load P inf", kLoads, NodeLoads({{1, {"2", "1", "inf"}}}),
       J("荷重入力  節点荷重  1行目 3列目：") + notNumber},
      {"node load type x", kLoads, NodeLoads({{2, {"2", "x", "5"}}}),
       J("荷重入力  節点荷重  2行目 2列目：") + notNumber},
      {"node load node a", kLoads, NodeLoads({{1, {"a", "1", "5"}}}),
       J("荷重入力  節点荷重  1行目 1列目：") + notNumber},
      {"node load P 1e308", kLoads, NodeLoads({{1, {"2", "2", "1e308"}}}),
       J("荷重入力  節点荷重  1行目 3列目：") + outOfRange},
      {"member load P1 NaN", kLoads, MemberLoads({{1, {"1", "↓", "1", "NaN"}}}),
       J("荷重入力  部材荷重  1行目 4列目：") + notNumber},
      {"member load P2 1e308", kLoads, MemberLoads({{2, {"1", "↓", "2", "1", "1e308"}}}),
       J("荷重入力  部材荷重  2行目 5列目：") + outOfRange},
      {"member load range 2/x", kLoads, MemberLoads({{1, {"2/x", "↓", "1", "1"}}}),
       J("荷重入力  部材荷重  1行目 1列目：") + notNumber},
      {"member load member x", kLoads, MemberLoads({{4, {"x", "↓", "1", "10"}}}),
       J("荷重入力  部材荷重  4行目 1列目：") + notNumber},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model = LoadFrame();
    bool parsed = true;
    if (c.parser == kSupports) {
      parsed = ParseSupports(c.cells, model);
    } else if (c.parser == kMembers) {
      MemberInput in;
      in.placement = c.cells;
      parsed = Parse(in, model);
      EXPECT_EQ(model.MemberCount, 0);
    } else {
      const bool memberTable = c.cells.ColCount() == 8;
      parsed = ParseLoads(memberTable ? c.cells : MemberLoads({}), memberTable ? NodeLoads({}) : c.cells, model);
    }
    EXPECT_FALSE(parsed);
    const Shown shown = OnlyMessage(dialogs);
    EXPECT_EQ(shown.text, c.expected);
    EXPECT_EQ(shown.kind, MessageKind::Warning);
  }

  // The member list and the user moduli.
  struct ListCase {
    const char* name;
    GridCells list, moduli;
    std::string expected;
  };
  const ListCase lists[] = {
      {"I unreadable", MemberList({{1, {"", "", "", "", "abc", "50"}}}), Moduli(),
       J("部材入力・配置  部材リスト  1行目 5列目：") + notNumber},
      {"I 1e308", MemberList({{1, {"", "", "", "", "1e308", "50"}}}), Moduli(),
       J("部材入力・配置  部材リスト  1行目 5列目：") + outOfRange},
      {"A 5e-306", MemberList({{1, {"", "", "", "", "1000", "5e-306"}}}), Moduli(),
       J("部材入力・配置  部材リスト  1行目 6列目：") + outOfRange},
      {"E 1e308", MemberList({{1, {"", "", "", "", "1000", "50"}}}), Table(4, 5, {{2, {"1e308", "800"}}}),
       J("部材入力・配置  設定  2行目 1列目：") + outOfRange},
      {"G NaN", MemberList({{1, {"", "", "", "", "1000", "50"}}}), Table(4, 5, {{1, {"2000", "NaN"}}}),
       J("部材入力・配置  設定  1行目 2列目：") + notNumber},
  };
  for (const ListCase& c : lists) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    RFrameModel model;
    PlaceNodes(model, 2);
    MemberInput in;
    in.list = c.list;
    in.moduli = c.moduli;
    in.placement = placed;
    EXPECT_FALSE(Parse(in, model));
    EXPECT_EQ(model.MemberCount, 0);
    EXPECT_EQ(OnlyMessage(dialogs).text, c.expected);
  }
}

TEST(CellReading, FullWidthDigitsSignsAndPointsReadAsHalfWidth) {
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  RFrameModel model;
  ASSERT_TRUE(ParseCoordinates(Coordinates({{1, {"０", "０"}}, {2, {"３", "－１．５"}}, {3, {"＋６", "0"}}}), model));
  EXPECT_EQ(model.NodeCount, 3);
  EXPECT_DOUBLE_EQ(model.NodeX[2], 300.0);  // 3 m
  EXPECT_DOUBLE_EQ(model.NodeY[2], -150.0);
  EXPECT_DOUBLE_EQ(model.NodeX[3], 600.0);

  ASSERT_TRUE(ParseSupports(Supports({{1, {"１", " 111 固定"}}}), model));
  EXPECT_EQ(model.Fixity[1], (Rows1<std::uint8_t, 3>{0, 1, 1, 1}));

  MemberInput in;
  in.list = MemberList({{1, {"", "", "", "", "１０００", "５０"}}});
  in.placement = Placement({{1, {"１", "２", "１", ""}}, {2, {"２", "３", "１", ""}}});
  ASSERT_TRUE(Parse(in, model));
  EXPECT_EQ(model.MemberCount, 2);
  EXPECT_DOUBLE_EQ(model.SectionI[1], 1000.0);
  EXPECT_DOUBLE_EQ(model.SectionA[1], 50.0);
  EXPECT_EQ(model.MemberJ[2], 3);

  ASSERT_TRUE(ParseLoads(MemberLoads({}), NodeLoads({{1, {"２／３", "２", "１５"}}}), model));
  EXPECT_DOUBLE_EQ(model.NodeLoadPy[2], -15.0);
  EXPECT_DOUBLE_EQ(model.NodeLoadPy[3], -15.0);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
