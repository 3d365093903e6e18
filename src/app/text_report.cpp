#include "app/text_report.h"

#include <cmath>

#include "analysis/frame_solver.h"
#include "analysis/section_properties.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"

namespace {

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// True when the text holds more than blanks.
bool HasContent(const std::string& text) { return text.find_first_not_of(' ') != std::string::npos; }

class ReportWriter {
 public:
  explicit ReportWriter(std::vector<std::string>& lines) : lines_(lines) {}

  void Line(std::string text) { lines_.push_back(std::move(text)); }
  void Text(const char* utf8) { lines_.push_back(J(utf8)); }
  void Blank() { lines_.push_back(" "); }
  void Empty() { lines_.push_back(""); }
  void Rule() {
    std::string rule;
    for (int i = 0; i < 39; ++i) rule += J("━");
    lines_.push_back(rule);
  }
  void Section(const char* title) {
    Blank();
    Blank();
    Rule();
    Text(title);
    Rule();
  }

 private:
  std::vector<std::string>& lines_;
};

void ConcreteModuli(std::uint8_t grade, double& e, double& g) {
  Tconckyoudo concrete;
  concrete.Setup(grade, 1, 1.6);
  e = concrete.YoungModulus * kConcreteModulusToKNcm2;
  g = concrete.ShearModulus * kConcreteModulusToKNcm2;
}

}  // namespace

bool AnyNonZero(double a, double b, double c, double d, double e, double f, double g, double h) {
  return std::abs(a) + std::abs(b) + std::abs(c) + std::abs(d) + std::abs(e) + std::abs(f) + std::abs(g) + std::abs(h) >
         0.0002;
}

TextReport BuildTextReport(const RFrameModel& m, const GridCells& memberList, const GridCells& memberLoads) {
  TextReport report;
  ReportWriter w(report.Lines);
  const std::string b4 = Blanks(4), b8 = Blanks(8);

  w.Text(" 平面応力計算プログラム（変形法）     Zuro ver1.44");
  w.Blank();
  w.Rule();
  w.Text(" 1)  節 点 座 標");
  w.Rule();
  w.Line(Format("%5s%s%8s%s%8s", {J("節点"), b4, "X (m)", b8, "Y (m)"}));
  for (int n = 1; n <= m.NodeCount; ++n) {
    w.Line(Format(" [%2d]%s%8.3f%s%8.3f", {m.NodeNo[n], b4, m.NodeX[n] / 100, b8, m.NodeY[n] / 100}));
  }

  w.Section(" 2)  支 点 条 件");
  w.Text("拘束:1   自由:0");
  w.Text("*X:X方向条件 *Y:Y方向条件 *M:回転条件");
  w.Empty();
  w.Line(Format("%5s%s%4s%s%4s%s%4s", {J("節点"), b4, "X", b4, "Y", b4, "M"}));
  for (int n = 1; n <= m.NodeCount; ++n) {
    const auto& f = m.Fixity[n];
    w.Line(Format(" [%2d]%s%4d%s%4d%s%4d", {m.NodeNo[n], b4, f[1], b4, f[2], b4, f[3]}));
  }

  w.Section(" 3) 使用材料・断面リスト");
  w.Text(" ヤング係数 E(kN/cm2)  せん断弾性係数 G(kN/cm2)");
  w.Text("1:鉄骨 2:RC(Fc-21) 3:RC(Fc-24) 4:RC(Fc-27) 5:RC(Fc-18)");
  w.Text(" 6～9:入力値");
  w.Blank();
  w.Line(Format("%5s%s%6s%s%6s", {"NO", b4, "E", b4, "G"}));
  for (int k = 1; k <= 9; ++k) {
    double e = 0, g = 0;
    switch (k) {
      case 1:
        e = Tmat::kSteelE;
        g = Tmat::kSteelG;
        break;
      case 2: ConcreteModuli(2, e, g); break;
      case 3: ConcreteModuli(3, e, g); break;
      case 4: ConcreteModuli(4, e, g); break;
      case 5: ConcreteModuli(1, e, g); break;
      default:
        e = m.UserE[k];
        g = m.UserG[k];
        break;
    }
    w.Line(Format("  %2d %s%6.0f%s%6.0f", {k, b4, e, b4, g}));
  }
  w.Blank();
  w.Line(Format("%-6s%-18s%10s%10s%10s%10s%10s",
                {"NO", memberList.Cell(1, 0), memberList.Cell(2, 0), memberList.Cell(3, 0), memberList.Cell(4, 0),
                 memberList.Cell(5, 0), memberList.Cell(6, 0)}));
  for (int r = 1; r < memberList.RowCount(); ++r) {
    if (!HasContent(memberList.Cell(5, r)) && !HasContent(memberList.Cell(6, r))) continue;
    w.Line(Format("%-6s%-18s%10s%10s%10s%10s%10s",
                  {memberList.Cell(0, r), memberList.Cell(1, r), memberList.Cell(2, r), memberList.Cell(3, r),
                   memberList.Cell(4, r), memberList.Cell(5, r), memberList.Cell(6, r)}));
  }

  w.Section(" 4) 断 面 配 置");
  w.Text("接合ﾀｲﾌﾟ　0:両端剛接合　1:右端ﾋﾟﾝ接合　2:左端ﾋﾟﾝ接合　3:両端ﾋﾟﾝ接合");
  w.Blank();
  w.Line(Format("%13s%s%10s%s%10s%s%10s", {J("節点[I]-[J]"), b4, J("断面No"), b4, J("接合ﾀｲﾌﾟ"), b4, J("ﾔﾝｸﾞ係数NO")}));
  for (int k = 1; k <= m.MemberCount2; ++k) {
    w.Line(Format("   [%2d]-[%2d]%s%8d%s%8d%s%8d",
                  {m.MemberI[k], m.MemberJ[k], b4, m.MemberSection[k], b4, m.JointType[k], b4, m.Structure[k]}));
  }

  w.Section(" 5) 部材荷重入力デ－タ－");
  w.Line(Format("%13s%s%10s", {J("節点位置I-J"), b4, J("部材No")}));
  for (int k = 1; k <= m.MemberCount2 && k <= kFrameMaxMembers; ++k) {
    w.Line(Format("  [%2d]-[%2d]%s%8d", {m.LoadMemberI[k], m.LoadMemberJ[k], b4, k}));
  }
  w.Blank();
  w.Text("*荷重ﾀｲﾌﾟ 1:等分布荷重   P1:w(kN/m)");
  w.Text("          2:不等分布荷重 P1:i端w1(kN/m) P2:j端w2(kN/m)");
  w.Text("          3:集中荷重     P1:P(kN)       P2:i端からの距離(m)");
  w.Text(" 部材番号「/」の表示は「～」意味する。(例1/5→1～5番までの部材)");
  w.Blank();
  w.Line(Format("%2s%10s%10s%10s%10s%10s%10s",
                {"NO", memberLoads.Cell(1, 0), memberLoads.Cell(2, 0), memberLoads.Cell(3, 0), memberLoads.Cell(4, 0),
                 memberLoads.Cell(5, 0), memberLoads.Cell(6, 0)}));
  int loadRows = 0;
  for (int r = 1; r < memberLoads.RowCount(); ++r) {
    if (!HasContent(memberLoads.Cell(1, r))) continue;
    ++loadRows;
    w.Line(Format("%2s%10s%10s%10s%10s%10s%10s",
                  {memberLoads.Cell(0, r), memberLoads.Cell(1, r), memberLoads.Cell(2, r), memberLoads.Cell(3, r),
                   memberLoads.Cell(4, r), memberLoads.Cell(5, r), memberLoads.Cell(6, r)}));
  }
  if (loadRows > 0) {
    w.Blank();
    w.Text("*NI,NJ :X方向荷重(kN) (固定時せん断力または軸力)");
    w.Text("*QI,QJ :Y方向荷重(kN) (固定時せん断力または軸力)");
    w.Text("*CI,CJ :固定時の端部曲げモ－メント(kN･m)");
    w.Text("*Mo    :両端ﾋﾟﾝの中央曲げモ－メント(kN･m)");
    w.Blank();
    w.Line(Format("%9s%9s%9s%9s%9s%9s%9s%9s", {J("節点I-J"), "CI", "QI", "NI", "CJ", "QJ", "NJ", "Mo"}));
    for (int k = 1; k <= m.MemberCount && k <= kFrameMaxMembers; ++k) {
      if (!AnyNonZero(m.FixedEndMI[k], m.FixedEndFyI[k], m.FixedEndFxI[k], m.FixedEndMJ[k], m.FixedEndFyJ[k],
                      m.FixedEndFxJ[k], 0, 0)) {
        continue;
      }
      w.Line(Format("[%2d]-[%2d]%9.2f%9.2f%9.2f%9.2f%9.2f%9.2f%9.2f",
                    {m.LoadMemberI[k], m.LoadMemberJ[k], m.FixedEndMI[k], m.FixedEndFyI[k], m.FixedEndFxI[k],
                     m.FixedEndMJ[k], m.FixedEndFyJ[k], m.FixedEndFxJ[k], m.SimpleMidMoment[k]}));
    }
  }

  w.Section(" 6) 節点荷重入力デ－タ－");
  w.Text("*Px :Ｘ方向 (kN) →+");
  w.Text("*Py :Ｙ方向 (kN) ↓+");
  w.Text("*M  :曲げモ－メント(kN･m)  時計回り+");
  w.Blank();
  w.Text("節点　    Px(kN)     Py(kN)      M(kN･m)");
  for (int n = 1; n <= m.NodeCount; ++n) {
    if (!AnyNonZero(m.NodeLoadPx[n], m.NodeLoadPy[n], m.NodeLoadM[n], 0, 0, 0, 0, 0)) continue;
    w.Line(Format("[%2d]   %8.2f   %8.2f    %8.2f", {n, m.NodeLoadPx[n], -m.NodeLoadPy[n], -m.NodeLoadM[n]}));
  }

  w.Section(" 7) 節 点 変 位");
  w.Text("*X :Ｘ方向変位 (cm)→+");
  w.Text("*Y :Ｙ方向変位 (cm)↓+");
  w.Text("*R :回転変位   (rad)");
  w.Blank();
  w.Text("節点        X(cm)         Y(cm)         R(rad)");
  for (int n = 1; n <= m.NodeCount; ++n) {
    const auto& d = m.Displacement[n];
    w.Line(Format("[%2d]   %11.6f   %11.6f    %11.6f", {n, d[1], -d[2], d[3]}));
    const double largest = std::max(std::abs(d[1]), std::abs(d[2]));
    if (n == 1 || largest > report.DeflectionMax) report.DeflectionMax = largest;
  }

  w.Section(" 8)  支 点 反 力");
  w.Text("*X:→+ *Y:↑+ *M:反時計回り+");
  w.Empty();
  w.Line(Format("%5s%s%8s%s%8s%s%8s", {J("節点"), b4, "X(kN)", b4, "Y(kN)", b4, J("M(kN･m)")}));
  for (int n = 1; n <= m.NodeCount; ++n) {
    const auto& f = m.Fixity[n];
    if (f[1] != 1 && f[2] != 1 && f[3] != 1) continue;
    const auto& r = m.Reaction[n];
    w.Line(Format(" [%2d]%s%8.2f%s%8.2f%s%8.2f", {n, b4, -r[1], b4, -r[2], b4, -r[3] / 100}));
  }

  w.Section(" 9) 応 力 計 算 結 果");
  w.Text("*M曲げモーメント:反時計回りを＋とする。");
  w.Text("*N:引張りを＋とする。");
  w.Text("*[i]:節点番号");
  w.Text("*M :   各位置の曲げモ－メント(kN･m)");
  w.Text("*Q :   各位置のセン断力 (kN) ↑↓+");
  w.Text("*N :   軸力(kN)");
  w.Blank();
  w.Line(Format("%9s%9s%9s%9s%9s%9s%9s%9s", {J("節点I-J"), "NI", "QI", "MI", "NJ", "QJ", "MJ", "Mc"}));
  for (int k = 1; k <= m.MemberCount2 && k <= kFrameMemberForceRows; ++k) {
    const auto& f = m.MemberForce[k];
    w.Line(Format("[%2d]-[%2d]%9.2f%9.2f%9.2f%9.2f%9.2f%9.2f%9.2f",
                  {m.MemberI[k], m.MemberJ[k], -f[kForceNI], f[kForceQI], f[kForceMI] / 100, f[kForceNJ], -f[kForceQJ],
                   f[kForceMJ] / 100, f[kForceMc] / 100}));
  }
  w.Blank();
  w.Blank();
  return report;
}
