#include "app/text_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/frame_solver.h"
#include "app/input_parsers.h"
#include "app_test_support.h"

namespace {

// The line that follows the one equal to `title` by `offset` lines.
std::string After(const std::vector<std::string>& lines, const std::string& title, int offset) {
  const auto it = std::find(lines.begin(), lines.end(), title);
  if (it == lines.end() || lines.end() - it <= offset) return "<missing>";
  return *(it + offset);
}

struct Input {
  GridCells coordinates = Table(3, 150, {});
  GridCells supports = Table(3, 100, {});
  GridCells memberList = Table(7, 100, {});
  GridCells rcPl = Table(5, 31, {});
  GridCells moduli = Table(4, 5, {});
  GridCells placement = Table(5, 200, {});
  GridCells memberLoads = Table(8, 120, {});
  GridCells nodeLoads = Table(4, 120, {});
};

// A 3 m steel cantilever (I 1000 cm4, A 50 cm2) fixed at node 1 with 10 kN
// downward at its tip and a 10 kN·m clockwise moment there.
Input Cantilever() {
  Input in;
  in.coordinates = Table(3, 150, {{1, {"0", "0"}}, {2, {"3", "0"}}});
  in.supports = Table(3, 100, {{1, {"1", " 111 固定"}}});
  in.memberList = Table(7, 100, {{1, {"", "", "", "", "1000", "50"}}});
  in.placement = Table(5, 200, {{1, {"1", "2", "1", ""}}});
  in.nodeLoads = Table(4, 120, {{1, {"2", "2", "10"}}, {2, {"2", "3", "10"}}});
  return in;
}

RFrameModel Solve(Input& in) {
  RFrameModel model{};
  EXPECT_TRUE(ParseCoordinates(in.coordinates, model));
  EXPECT_TRUE(ParseMembers(in.memberList, in.rcPl, in.moduli, in.placement, model));
  EXPECT_TRUE(ParseSupports(in.supports, model));
  EXPECT_TRUE(ParseLoads(in.memberLoads, in.nodeLoads, model));
  Tmat solver;
  EXPECT_TRUE(solver.Solve(model).Succeeded());
  return model;
}

TEST(TextReport, CantileverResultsInTheirColumns) {
  TestApplication();
  Input in = Cantilever();
  const RFrameModel model = Solve(in);
  const TextReport report = BuildTextReport(model, in.memberList, in.memberLoads);
  const auto& lines = report.Lines;

  EXPECT_EQ(lines.at(0), J(" 平面応力計算プログラム（変形法）     Zuro ver1.44"));
  EXPECT_EQ(After(lines, J(" 1)  節 点 座 標"), 4), " [ 2]       3.000           0.000");
  EXPECT_EQ(After(lines, J(" 2)  支 点 条 件"), 6), " [ 1]       1       1       1");
  EXPECT_EQ(After(lines, J(" 2)  支 点 条 件"), 7), " [ 2]       0       0       0");
  EXPECT_EQ(After(lines, J(" 6) 節点荷重入力デ－タ－"), 7), "[ 2]       0.00      10.00       10.00");

  // Tip deflection of the cantilever with its shear term, and the rotation
  // from the load and the moment (clockwise: negative), in cm and radians;
  // steel E 20593.965 and G 7943.3865 kN/cm2, L 300 cm, I 1000 cm4, A 50 cm2,
  // P 10 kN, M 1000 kN cm:
  //   P L^3 / 3EI = 270000000 / 61781895   = 4.3702123
  //   P L / GA    = 3000 / 397169.325      = 0.0075535
  //   M L^2 / 2EI = 90000000 / 41187930    = 2.1851062   deflection 6.5628720
  //   P L^2 / 2EI = 900000 / 41187930      = 0.0218510
  //   M L / EI    = 300000 / 20593965      = 0.0145674   rotation  -0.0364184
  EXPECT_NEAR(report.DeflectionMax, 6.56287196543, 1e-9);
  // "[ 2]" and the three values 11 wide with 6 decimals, 3, 3 and 4 blanks
  // before them.
  EXPECT_EQ(After(lines, J(" 7) 節 点 変 位"), 8), "[ 2]      0.000000      6.562872      -0.036418");

  // The support pushes up 10 kN and turns anticlockwise by 30 + 10 kN·m.
  EXPECT_EQ(After(lines, J(" 8)  支 点 反 力"), 5), " [ 1]        0.00       10.00       40.00");
  // Member forces: no axial force, shear 10 at both ends, end moments 40 and
  // -10 kN·m as the member feels them, (MJ - MI) / 2 = -25 at mid-span.
  EXPECT_EQ(After(lines, J(" 9) 応 力 計 算 結 果"), 10),
            "[ 1]-[ 2]     0.00    10.00    40.00     0.00    10.00   -10.00   -25.00");
  EXPECT_EQ(lines.end()[-1], " ");
  EXPECT_EQ(lines.end()[-2], " ");
}

TEST(TextReport, EmptyModelKeepsEveryHeadingAndTheModuli) {
  const RFrameModel model{};
  const GridCells list = Table(7, 100, {}), loads = Table(8, 120, {});
  const TextReport report = BuildTextReport(model, list, loads);
  const auto& lines = report.Lines;
  for (const char* title : {" 1)  節 点 座 標", " 2)  支 点 条 件", " 3) 使用材料・断面リスト", " 4) 断 面 配 置",
                            " 5) 部材荷重入力デ－タ－", " 6) 節点荷重入力デ－タ－", " 7) 節 点 変 位",
                            " 8)  支 点 反 力", " 9) 応 力 計 算 結 果"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), J(title)), lines.end()) << title;
  }
  const std::string section3 = J(" 3) 使用材料・断面リスト");
  // "  %2d %s%6.0f%s%6.0f" of k, four blanks, E, four blanks, G.
  const std::string b4(4, ' ');
  EXPECT_EQ(After(lines, section3, 7), "   1 " + b4 + " 20594" + b4 + "  7943");
  EXPECT_EQ(After(lines, section3, 11), "   5 " + b4 + "  1954" + b4 + "   837");
  EXPECT_EQ(After(lines, section3, 15), "   9 " + b4 + "     0" + b4 + "     0");
  // Without load rows section 5 ends with the load grid's title line.
  const std::string section5 = J(" 5) 部材荷重入力デ－タ－");
  EXPECT_EQ(After(lines, section5, 9), "NO" + std::string(60, ' '));
  EXPECT_EQ(After(lines, section5, 10), " ");
  EXPECT_EQ(After(lines, section5, 11), " ");
}

TEST(TextReport, FixedEndTableAppearsWithMemberLoads) {
  TestApplication();
  Input in = Cantilever();
  in.nodeLoads = Table(4, 120, {});
  in.memberLoads = Table(8, 120, {{1, {"1", "↓", "1", "10"}}});
  const RFrameModel model = Solve(in);
  const TextReport report = BuildTextReport(model, in.memberList, in.memberLoads);
  const std::string section5 = J(" 5) 部材荷重入力デ－タ－");
  // 10 kN/m over 3 m: fixed-end moments 7.5, end forces 15, simple mid moment 11.25.
  const auto it = std::find_if(report.Lines.begin(), report.Lines.end(),
                               [](const std::string& l) { return l.rfind("[ 1]-[ 2]", 0) == 0; });
  ASSERT_NE(it, report.Lines.end());
  EXPECT_EQ(*it, "[ 1]-[ 2]    -7.50   -15.00     0.00     7.50   -15.00     0.00    11.25");
  // Section 6 lists no node: none carries a load.
  EXPECT_EQ(After(report.Lines, J("節点　    Px(kN)     Py(kN)      M(kN･m)"), 1), " ");
}

}  // namespace
