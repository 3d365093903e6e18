#include "app/input_parsers.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "analysis/member_loads.h"
#include "analysis/section_properties.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/sjis_text.h"
#include "platform/dialogs.h"

namespace {

constexpr double kEmptySectionValue = -2.0;  // I and A
constexpr int kEmptyNumber = -1;             // node, member, section numbers
constexpr double kDefaultUserE = 20594.0;    // kN/cm²
constexpr double kDefaultUserG = 7943.0;
constexpr int kMemberListRows = 99;
constexpr int kRcPlRows = 30;

// Values no frame comes near; beyond them the stiffness and the results
// overflow or vanish in rounding, so such input is refused before solving.
constexpr double kLargestCoordinate = 1e6;     // m
constexpr double kLargestModulus = 1e9;        // kN/cm²
constexpr double kLargestSectionValue = 1e12;  // cm⁴ and cm²
constexpr double kSmallestSectionValue = 1e-6;
constexpr double kLargestLoad = 1e9;  // kN, kN·m

double NumberOr(const std::string& text, double def) { return StrToFloatDef(ToHalfWidth(text), def); }
int IntegerOr(const std::string& text, int def) { return StrToIntDef(ToHalfWidth(text), def); }

// A cell as typed: empty (blanks only), a number, or text that is none.
// Full-width digits, signs and points, typed with the input method on, read
// as their half-width forms.
enum class CellKind { Empty, Number, Unreadable };

CellKind NumberCell(const std::string& cell, double& value) {
  const std::string text = TrimBlanks(ToHalfWidth(cell));
  if (text.empty()) return CellKind::Empty;
  return TryStrToFloat(text, value) && std::isfinite(value) ? CellKind::Number : CellKind::Unreadable;
}

CellKind IntegerCell(const std::string& cell, int& value) {
  const std::string text = TrimBlanks(ToHalfWidth(cell));
  if (text.empty()) return CellKind::Empty;
  return TryStrToInt(text, value) ? CellKind::Number : CellKind::Unreadable;
}

// The rows of a table after its title row.
int DataRows(const GridCells& table) { return std::max(table.RowCount() - 1, 0); }

// The value of a cell's first character when it is a digit.
int LeadingDigit(const std::string& text, int def) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return def;
  return text[0] - '0';
}

// Refusals name the dialog (its caption), the table where the dialog has
// more than one, and the row.
void Refuse(const std::string& where, int row, const std::string& problem) {
  ShowWarning(where + Format(J("  %d行目：%s確認してください。"), {row, problem}));
}

void RefuseCell(const std::string& where, int row, int col, const std::string& problem) {
  ShowWarning(where + Format(J("  %d行目 %d列目：%s確認してください。"), {row, col, problem}));
}

const std::string& NotANumber() {
  static const std::string s = J("数値ではありません。");
  return s;
}
const std::string& OutOfRange() {
  static const std::string s = J("値が範囲外です。");
  return s;
}

// Checks the number cells of one row: an unreadable cell, or a number whose
// size is beyond `largest`, is refused naming its column. Empty cells pass.
bool NumberCellsReadable(const GridCells& table, const std::string& where, int row, std::initializer_list<int> cols,
                         double largest) {
  for (int col : cols) {
    double value = 0.0;
    const CellKind kind = NumberCell(table.Cell(col, row), value);
    if (kind == CellKind::Unreadable) {
      RefuseCell(where, row, col, NotANumber());
      return false;
    }
    if (kind == CellKind::Number && std::abs(value) > largest) {
      RefuseCell(where, row, col, OutOfRange());
      return false;
    }
  }
  return true;
}

// The same for cells of whole numbers (node, member and section numbers,
// load types): anything but a 32-bit integer is refused.
bool IntegerCellsReadable(const GridCells& table, const std::string& where, int row, std::initializer_list<int> cols) {
  for (int col : cols) {
    int value = 0;
    if (IntegerCell(table.Cell(col, row), value) == CellKind::Unreadable) {
      RefuseCell(where, row, col, NotANumber());
      return false;
    }
  }
  return true;
}

const std::string& SupportDialog() {
  static const std::string s = J(kSupportDialogTitle);
  return s;
}
const std::string& PlacementTable() {
  static const std::string s = J("部材入力・配置  配置リスト");
  return s;
}
const std::string& MemberLoadTable() {
  static const std::string s = J("荷重入力  部材荷重");
  return s;
}
const std::string& NodeLoadTable() {
  static const std::string s = J("荷重入力  節点荷重");
  return s;
}
const std::string& MemberListTable() {
  static const std::string s = J("部材入力・配置  部材リスト");
  return s;
}
const std::string& RcPlTable() {
  static const std::string s = J("部材入力・配置  ＲＣ･PL");
  return s;
}
const std::string& ModuliTable() {
  static const std::string s = J("部材入力・配置  設定");
  return s;
}
const std::string& CoordinateDialog() {
  static const std::string s = J(kCoordinateDialogTitle);
  return s;
}

void ClearMembers(RFrameModel& model) {
  for (int m = 1; m <= kFrameMaxMembers; ++m) {
    model.MemberI[m] = 0;
    model.MemberJ[m] = 0;
    model.MemberSection[m] = 0;
    model.Structure[m] = 0;
    model.JointType[m] = 0;
    model.LoadMemberI[m] = 0;
    model.LoadMemberJ[m] = 0;
  }
  model.MemberCount = model.MemberCount2 = model.MemberCount3 = 0;
}

// B x D of the rows without a catalogue member, into I and A. B and D pass
// the limits of I and A before anything is computed from them, and a
// result beyond those limits is refused naming its cell; a refused table is
// left as it was.
bool CalcRectangleRows(GridCells& table, const std::string& where, int rows, int colB, int colD, int colI, int colA,
                       bool catalogueColumn) {
  rows = std::min(rows, DataRows(table));
  struct Result {
    int row;
    double inertia, area;
  };
  std::vector<Result> results;
  std::vector<int> catalogueRows;
  for (int r = 1; r <= rows; ++r) {
    if (catalogueColumn && !TrimBlanks(table.Cell(1, r)).empty()) {
      catalogueRows.push_back(r);
      continue;
    }
    if (!NumberCellsReadable(table, where, r, {colB, colD}, kLargestSectionValue)) return false;
    const double B = NumberOr(table.Cell(colB, r), 0.0);
    const double D = NumberOr(table.Cell(colD, r), 0.0);
    if (std::abs(B) <= 1e-5) continue;
    TDanSeinoobj section;
    section.CalcRect(B, D);
    for (const auto& [value, col] : {std::pair{section.Inertia, colI}, std::pair{section.Area, colA}}) {
      if (!std::isfinite(value) || std::abs(value) > kLargestSectionValue) {
        RefuseCell(where, r, col, OutOfRange());
        return false;
      }
    }
    results.push_back({r, section.Inertia, section.Area});
  }
  // A catalogue member: its I and A come from the catalogue.
  for (int r : catalogueRows) {
    table.SetCell(2, r, "");
    table.SetCell(3, r, "");
  }
  for (const Result& result : results) {
    table.SetCell(colI, result.row, Format("%2.0f", {result.inertia}));
    table.SetCell(colA, result.row, Format("%2.0f", {result.area}));
  }
  return true;
}

}  // namespace

std::string TrimBlanks(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(b, e - b));
}

// ---------------------------------------------------------------------------
// Coordinates and supports

bool ParseCoordinates(const GridCells& coordinates, RFrameModel& model) {
  int count = 0;
  for (int n = 1; n <= DataRows(coordinates); ++n) {
    const std::string xText = TrimBlanks(coordinates.Cell(1, n));
    const std::string yText = TrimBlanks(coordinates.Cell(2, n));
    if (xText.empty() && yText.empty()) break;
    // Any coordinate is ordinary geometry, negative ones included; a row
    // with only one of them, or one that is no number, is no node at all.
    std::string problem;
    int col = 0;
    double x = 0.0;
    double y = 0.0;
    if (xText.empty() || yText.empty()) {
      problem = J("未入力部分が有ります。");
    } else if (NumberCell(xText, x) != CellKind::Number || NumberCell(yText, y) != CellKind::Number) {
      col = NumberCell(xText, x) != CellKind::Number ? 1 : 2;
      problem = J("座標が数値ではありません。");
    } else if (std::abs(x) > kLargestCoordinate || std::abs(y) > kLargestCoordinate) {
      col = std::abs(x) > kLargestCoordinate ? 1 : 2;
      problem = J("座標が大きすぎます。");
    } else if (n > kFrameMaxNodes) {
      problem = Format(J("節点は%d個までです。"), {kFrameMaxNodes});
    }
    if (!problem.empty()) {
      model.NodeCount = 0;
      if (col != 0) {
        RefuseCell(CoordinateDialog(), n, col, problem);
      } else {
        Refuse(CoordinateDialog(), n, problem);
      }
      return false;
    }
    ++count;
    model.NodeNo[n] = static_cast<std::uint16_t>(n);
    model.NodeX[n] = x * 100.0;
    model.NodeY[n] = y * 100.0;
  }
  model.NodeCount = static_cast<std::uint16_t>(count);
  return true;
}

bool ParseSupports(const GridCells& supports, RFrameModel& model) {
  // Checked first, so a refused table changes no fixity.
  for (int r = 1; r <= DataRows(supports); ++r) {
    if (!IntegerCellsReadable(supports, SupportDialog(), r, {1})) return false;
    const int node = IntegerOr(supports.Cell(1, r), kEmptyNumber);
    if (TrimBlanks(supports.Cell(1, r)).empty()) continue;
    if (node < 1 || node > kFrameMaxNodes) {
      Refuse(SupportDialog(), r, Format(J("節点位置%dは1から%dまでの番号にしてください。"), {node, kFrameMaxNodes}));
      return false;
    }
  }
  for (int n = 1; n <= std::min<int>(model.NodeCount, kFrameMaxNodes); ++n) model.Fixity[n] = {};
  for (int r = 1; r <= DataRows(supports); ++r) {
    const int node = IntegerOr(supports.Cell(1, r), kEmptyNumber);
    if (node < 1) continue;
    const std::string& text = supports.Cell(2, r);
    const std::string code = text.size() > 1 ? text.substr(1, 3) : std::string();
    auto& f = model.Fixity[node];
    if (code == "111") {
      f = {0, 1, 1, 1};
    } else if (code == "110") {
      f = {0, 1, 1, 0};
    } else if (code == "100") {
      f = {0, 1, 0, 0};
    } else if (code == "010") {
      f = {0, 0, 1, 0};
    } else {
      f = {0, 0, 0, 0};
    }
  }
  return true;
}

// ---------------------------------------------------------------------------
// Members

bool CalcMemberListSections(GridCells& memberList) {
  return CalcRectangleRows(memberList, MemberListTable(), kMemberListRows, 2, 3, 5, 6, true);
}

bool CalcRcPlSections(GridCells& rcPlList) {
  return CalcRectangleRows(rcPlList, RcPlTable(), kRcPlRows, 1, 2, 3, 4, false);
}

void ApplyCatalogueChoice(GridCells& memberList, int row, SteelFamily family, int itemIndex) {
  if (itemIndex == 0) {
    memberList.SetCell(5, row, "");
    memberList.SetCell(6, row, "");
    return;
  }
  double I = 0.0;
  double A = 0.0;
  if (itemIndex < 1 || !CatalogueSection(family, itemIndex - 1, I, A)) return;
  memberList.SetCell(5, row, Format("%2.2f", {I}));
  memberList.SetCell(6, row, Format("%2.2f", {A}));
}

bool ParseMembers(GridCells& memberList, GridCells& rcPlList, const GridCells& userModuli, GridCells& placement,
                  RFrameModel& model) {
  for (int s = 1; s <= kFrameMaxSections; ++s) {
    model.SectionNo[s] = 0;
    model.SectionA[s] = 0.0;
    model.SectionI[s] = 0.0;
    model.SectionAs[s] = 0.0;
  }
  ClearMembers(model);
  if (!CalcMemberListSections(memberList) || !CalcRcPlSections(rcPlList)) return false;

  for (int k = 1; k <= 4; ++k) {
    if (!NumberCellsReadable(userModuli, ModuliTable(), k, {1, 2}, kLargestModulus)) return false;
  }
  for (int k = 1; k <= 4; ++k) {
    const int structure = kFrameFirstUserMaterial + k - 1;
    const double E = NumberOr(userModuli.Cell(1, k), kDefaultUserE);
    const double G = NumberOr(userModuli.Cell(2, k), kDefaultUserG);
    model.UserE[structure] = E;
    model.UserG[structure] = G;
    if (!(E > 0.0)) {
      model.UserE[structure] = kDefaultUserE;
      ShowMessage(J("ユーザー設定のヤング係数値が不正です。確認してください。"));
      return false;
    }
    if (G < 0.0) model.UserG[structure] = 0.0;
  }

  model.CurrentE = 0.0;
  model.CurrentG = 0.0;

  // The sections are the run of member-list rows down to the first row
  // without I and A.
  int sectionCount = 0;
  for (int s = 1; s <= std::min(DataRows(memberList), kFrameMaxSections); ++s) {
    if (!NumberCellsReadable(memberList, MemberListTable(), s, {5, 6}, kLargestSectionValue)) return false;
    const double I = NumberOr(memberList.Cell(5, s), kEmptySectionValue);
    const double A = NumberOr(memberList.Cell(6, s), kEmptySectionValue);
    if (I <= -1.0 && A <= -1.0) break;
    for (const auto& [value, col] : {std::pair{I, 5}, std::pair{A, 6}}) {
      if (value > 0.0 && value < kSmallestSectionValue) {
        RefuseCell(MemberListTable(), s, col, OutOfRange());
        return false;
      }
    }
    if (I <= -1.0 || A <= -1.0) {
      ShowMessage(J("未入力部分が有ります。確認してください。"));
      return false;
    }
    model.SectionNo[s] = static_cast<std::uint16_t>(s);
    model.SectionA[s] = A;
    model.SectionI[s] = I;
    model.SectionAs[s] = A;
    sectionCount = s;
  }

  int m = 0;
  for (int r = 1; r <= DataRows(placement); ++r) {
    if (!IntegerCellsReadable(placement, PlacementTable(), r, {1, 2, 3})) {
      ClearMembers(model);
      return false;
    }
    // Empty cells skip the row; a typed -1 is a number like any other and
    // is checked below.
    if (TrimBlanks(placement.Cell(1, r)).empty() || TrimBlanks(placement.Cell(2, r)).empty() ||
        TrimBlanks(placement.Cell(3, r)).empty()) {
      continue;
    }
    int nodeI = IntegerOr(placement.Cell(1, r), kEmptyNumber);
    int nodeJ = IntegerOr(placement.Cell(2, r), kEmptyNumber);
    const int section = IntegerOr(placement.Cell(3, r), kEmptyNumber);

    // Refusals: the member must join two entered, distinct nodes with a
    // listed section, and fit the model.
    std::string problem;
    for (int node : {nodeI, nodeJ}) {
      if (problem.empty() && (node < 1 || node > model.NodeCount || node > kFrameMaxNodes)) {
        problem = Format(J("節点%dは入力されていません。"), {node});
      }
    }
    if (problem.empty() &&
        (nodeI == nodeJ || (model.NodeX[nodeI] == model.NodeX[nodeJ] && model.NodeY[nodeI] == model.NodeY[nodeJ]))) {
      problem = J("部材の両端が同じ位置です。");
    }
    if (problem.empty() && (section < 1 || section > sectionCount)) {
      problem = Format(J("部材NO %dは部材リストにありません。"), {section});
    }
    if (problem.empty() && m >= kFrameMaxMembers) {
      problem = Format(J("部材は%d本までです。"), {kFrameMaxMembers});
    }
    if (!problem.empty()) {
      ClearMembers(model);
      Refuse(PlacementTable(), r, problem);
      return false;
    }

    int structure = LeadingDigit(memberList.Cell(4, section), 1);
    if (structure == 0) structure = 1;
    const int joint = LeadingDigit(placement.Cell(4, r), 0);

    if (nodeI > nodeJ) {
      std::swap(nodeI, nodeJ);
      placement.SetCell(1, r, IntToStr(nodeI));
      placement.SetCell(2, r, IntToStr(nodeJ));
    }
    ++m;
    model.MemberI[m] = static_cast<std::uint16_t>(nodeI);
    model.MemberJ[m] = static_cast<std::uint16_t>(nodeJ);
    model.MemberSection[m] = static_cast<std::uint16_t>(section);
    model.Structure[m] = static_cast<std::uint8_t>(structure);
    model.JointType[m] = static_cast<std::uint8_t>(joint);
    model.LoadMemberI[m] = static_cast<std::uint16_t>(nodeI);
    model.LoadMemberJ[m] = static_cast<std::uint16_t>(nodeJ);
  }
  model.MemberCount = model.MemberCount2 = model.MemberCount3 = static_cast<std::uint16_t>(m);
  return true;
}

// ---------------------------------------------------------------------------
// Loads

int DirectionCode(const std::string& text) {
  if (text == J(kHorizontalLoadText)) return kLoadHorizontalProjected;
  if (text == J(kVerticalLoadText)) return kLoadVerticalProjected;
  if (text == J("→部材鉛直")) return kLoadHorizontalTrue;
  return kLoadVerticalTrue;
}

bool RangeOfRow(const std::string& text, int& first, int& last) {
  std::string rest = ToHalfWidth(text);
  std::string token;
  CutToken(rest, "/", token);
  first = IntegerOr(token, kEmptyNumber);
  CutToken(rest, "/", token);
  last = IntegerOr(token, 0);
  if (last < first) last = first;
  return first != kEmptyNumber;
}

namespace {

// The member or node cell of a load row: empty, or one number, or two
// numbers around "/". Anything else is refused naming column 1.
bool RangeReadable(const GridCells& table, const std::string& where, int row) {
  std::string rest = TrimBlanks(ToHalfWidth(table.Cell(1, row)));
  if (rest.empty()) return true;
  const std::size_t slash = rest.find('/');
  int value = 0;
  bool readable = IntegerCell(rest.substr(0, slash), value) == CellKind::Number;
  if (readable && slash != std::string::npos) {
    readable = IntegerCell(rest.substr(slash + 1), value) != CellKind::Unreadable;
  }
  if (!readable) RefuseCell(where, row, 1, NotANumber());
  return readable;
}

}  // namespace

bool ParseLoads(const GridCells& memberLoads, const GridCells& nodeLoads, RFrameModel& model) {
  const int memberCount = std::min<int>(model.MemberCount, kFrameMaxMembers);
  auto placedMember = [&](int i) {
    return i >= 1 && i <= memberCount && model.MemberI[i] >= 1 && model.MemberI[i] <= kFrameMaxNodes &&
           model.MemberJ[i] >= 1 && model.MemberJ[i] <= kFrameMaxNodes;
  };

  // Checked first, so a refused input changes none of the load tables.
  for (int r = 1; r <= DataRows(memberLoads); ++r) {
    if (!RangeReadable(memberLoads, MemberLoadTable(), r)) return false;
    int first = 0;
    int last = 0;
    if (!RangeOfRow(memberLoads.Cell(1, r), first, last)) continue;
    if (!NumberCellsReadable(memberLoads, MemberLoadTable(), r, {4, 5, 6, 7}, kLargestLoad)) return false;
    // The ends of the range first, so a huge range is not walked.
    bool refused = true;
    int bad = first;
    if (placedMember(first)) {
      bad = last;
      if (placedMember(last)) {
        refused = false;
        for (int i = first; !refused && i <= last; ++i) {
          if (!placedMember(i)) {
            refused = true;
            bad = i;
          }
        }
      }
    }
    if (refused) {
      Refuse(MemberLoadTable(), r, Format(J("部材番号%dの部材は配置されていません。"), {bad}));
      return false;
    }
  }
  for (int r = 1; r <= DataRows(nodeLoads); ++r) {
    if (!IntegerCellsReadable(nodeLoads, NodeLoadTable(), r, {2})) return false;
    if (IntegerOr(nodeLoads.Cell(2, r), kEmptyNumber) == kEmptyNumber) continue;
    if (!RangeReadable(nodeLoads, NodeLoadTable(), r)) return false;
    if (!NumberCellsReadable(nodeLoads, NodeLoadTable(), r, {3}, kLargestLoad)) return false;
    int first = 0;
    int last = 0;
    if (!RangeOfRow(nodeLoads.Cell(1, r), first, last)) continue;
    if (first < 1 || last > kFrameMaxNodes) {
      Refuse(NodeLoadTable(), r, Format(J("節点番号は1から%dまでにしてください。"), {kFrameMaxNodes}));
      return false;
    }
  }

  for (int i = 1; i <= kFrameMaxMembers; ++i) {
    model.FixedEndMI[i] = model.FixedEndMJ[i] = 0.0;
    model.FixedEndFyI[i] = model.FixedEndFyJ[i] = 0.0;
    model.FixedEndFxI[i] = model.FixedEndFxJ[i] = 0.0;
    model.SimpleMidMoment[i] = 0.0;
  }

  Tmage1 loads;
  for (int r = 1; r <= DataRows(memberLoads); ++r) {
    int first = 0;
    int last = 0;
    if (!RangeOfRow(memberLoads.Cell(1, r), first, last)) continue;
    const int code = DirectionCode(memberLoads.Cell(2, r));
    const std::string& type = memberLoads.Cell(3, r);
    const double P1 = NumberOr(memberLoads.Cell(4, r), 0.0);
    const double P2 = NumberOr(memberLoads.Cell(5, r), 0.0);
    for (int i = first; i <= last; ++i) {
      const int nI = model.MemberI[i];
      const int nJ = model.MemberJ[i];
      loads.SetMember(code, model.NodeX[nI] / 100.0, model.NodeY[nI] / 100.0, model.NodeX[nJ] / 100.0,
                      model.NodeY[nJ] / 100.0);
      if (type == "1") {
        loads.AddUniform(P1);
      } else if (type == "2") {
        loads.AddTrapezoid(P1, P2, 0.0, 1000.0);
      } else if (type == "3") {
        loads.AddConcentrated(P1, P2);
      }
      loads.ResolveDirection(code);
      model.FixedEndMI[i] -= loads.EndMomentI;
      model.FixedEndMJ[i] += loads.EndMomentJ;
      model.FixedEndFyI[i] -= loads.EndForceYI;
      model.FixedEndFyJ[i] -= loads.EndForceYJ;
      model.FixedEndFxI[i] += loads.EndForceXI;
      model.FixedEndFxJ[i] += loads.EndForceXJ;
      model.SimpleMidMoment[i] += loads.MidMoment;
    }
  }

  for (int n = 1; n <= kFrameMaxNodes; ++n) {
    model.NodeLoadPx[n] = 0.0;
    model.NodeLoadPy[n] = 0.0;
    model.NodeLoadM[n] = 0.0;
  }
  for (int r = 1; r <= DataRows(nodeLoads); ++r) {
    const int type = IntegerOr(nodeLoads.Cell(2, r), kEmptyNumber);
    if (type == kEmptyNumber) continue;
    const double P = NumberOr(nodeLoads.Cell(3, r), 0.0);
    int first = 0;
    int last = 0;
    if (!RangeOfRow(nodeLoads.Cell(1, r), first, last)) continue;
    for (int k = first; k <= last; ++k) {
      model.NodeLoadMark[k] = static_cast<std::uint16_t>(k);
      if (type == 1) {
        model.NodeLoadPx[k] += P;
      } else if (type == 2) {
        model.NodeLoadPy[k] -= P;
      } else if (type == 3) {
        model.NodeLoadM[k] -= P;
      }
    }
  }
  return true;
}
