// The drag-gesture menu: a press, a drag in one of eight directions and a
// release choose a gesture by direction, length and running command. The
// recognizer runs first in every move handler and shows the caption of the
// gesture chosen so far; the executor runs first in every release and
// carries it out. The menu is data: one row per condition, tried in order.

#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/circle_points.h"

namespace {

constexpr RPoint2D kOutOfSight{-1000000.0, -1000000.0};

// The Shift byte of a drag, sorted into the menu's groups.
enum class DragGroup : std::uint8_t { None, Left, Right, ShiftRight, Middle };

DragGroup GroupOf(TShiftState shift) {
  switch (shift) {
    case ssLeft:
    case ssShift | ssLeft:
    case ssCtrl | ssLeft: return DragGroup::Left;
    case ssRight:
    case ssCtrl | ssRight: return DragGroup::Right;
    case ssShift | ssRight: return DragGroup::ShiftRight;
    case ssMiddle:
    case ssShift | ssMiddle:
    case ssCtrl | ssMiddle: return DragGroup::Middle;
    default: return DragGroup::None;
  }
}

// What the recognizer knows while it looks up a row.
struct RDragState {
  const TcadBox& box;
  Sbuttontype mode;
  bool alternative;  // DGamen_LR and a press in the right half
  bool nearBand() const { return box.LabelColour == 0; }
  bool farBand() const { return box.LabelColour == 1; }
  bool stepOpen() const { return box.CommandStep != 0 || box.B_Switch != _off || box.HaniAka_Cyu; }
  bool bufferHolds() const { return !box.Draw1->Buffer.empty(); }
};

enum class Outcome : std::uint8_t {
  Choose,   // a cursor caption at the press point
  Toggle,   // a caption at the top left; the cursor caption goes out of sight
  Message,  // a caption at the top left
  Swallow,  // the drag is taken; nothing will happen
  None,     // no gesture
  Nothing,  // no gesture; one chosen earlier in this drag stays armed
};

// Extras of a row.
enum RowExtra : std::uint8_t {
  kKeepSavedMode = 1,   // the interrupted mode stays what it was
  kKeepAnchor = 2,      // a toggle whose cursor caption stays in sight
  kEndChange = 4,       // EndChangeFlag := True
  kConfirmCopy = 8,     // RangeConfirmKind := 2
  kConfirmSnapped = 16, // RangeConfirmKind := 3
  kBlue = 32,           // LabelColour := 3
  kRed = 64,            // LabelColour := 2
};

// Captions that several rows show: the confirm of the left and of the
// right button, and the new selection of a running command.
constexpr char kConfirmCaption[] = " 確　 定 ";
constexpr char kConfirmSnappedCaption[] = " 確　定  ";
constexpr char kReselectCaption[] = " 再選択  ";

struct RGestureRow {
  std::uint8_t Sector;
  std::function<bool(const RDragState&)> When;  // empty: always
  Outcome Result;
  const char* Caption = "";  // UTF-8 in the source
  Sbuttontype Code = dtNo;
  std::uint8_t Extras = 0;
};

using S = RDragState;
// The modes in which the south gestures mean dimensions and offsets.
bool PlacingMode(Sbuttontype m) {
  return ModeIn(m, {dtSen, dtCopyFree, dtIdoFree, dtprintsen, dtcopyMenseki, dtpictureMove, dtCopyTazuMen});
}
bool DimensionMode(Sbuttontype m) {
  return ModeIn(m, {dtsunposen, dtSunpochi, dtSunpochiHen, dtRenSunpo, dtRenSunpokaku, dtRenSunpoKei});
}
bool ChainedDimensionMode(Sbuttontype m) { return ModeIn(m, {dtRenSunpo, dtRenSunpokaku, dtRenSunpoKei}); }
bool OpenRangeMode(Sbuttontype m) {
  return ModeIn(m, {dtHanipgc, dthanipgm, dtHaniCopy, dtHaniMove, dtHaniParamet, dtKiritoriHani, dtKiritorisakuzyo});
}
bool PickingMode(Sbuttontype m) {
  return ModeIn(m, {dtHani, dtHanipg, dtSenSinsyuku, dttreming, dtHaniGai, dtSennakanuki, dtHaniGaibu});
}

const std::vector<RGestureRow>& LeftRows() {
  static const std::vector<RGestureRow> rows = {
      {0, [](const S& s) { return ModeIn(s.mode, {dtSen, dtprintsen, dtcopyMenseki, dtpictureMove, dtCopyTazuMen}); },
       Outcome::Swallow},
      {0, [](const S& s) { return s.mode == dtMozi && s.box.CommandStep == 0 && !s.box.PlaceText.empty(); },
       Outcome::Toggle, "方向切替 ", dtMozi},
      {0, [](const S& s) { return ModeIn(s.mode, {dtCopyFree, dtIdoFree}) && s.box.B_Switch == on1; }, Outcome::Toggle,
       "方向切替 ", dtCopyFree, kKeepAnchor},
      {0, [](const S& s) { return s.mode == dtRenSunpoCyusin2 && s.box.B_Switch == on1; }, Outcome::Toggle,
       "角度切替 ", dtRenSunpoCyusin2},
      {0, [](const S& s) { return s.mode == dtDrafRen && s.box.CommandStep == 1; }, Outcome::Toggle, "角度切替 ",
       dtDrafRen},
      {0, [](const S& s) { return s.mode == dtFukusen && s.box.B_Switch == on1; }, Outcome::Toggle, "端点変更 ",
       dtFukuSenTanbu, kEndChange},
      {0, [](const S& s) { return s.farBand() && DimensionMode(s.mode); }, Outcome::Message, "ＸＹ切替 ", dtSunpokiri},
      {0, [](const S& s) { return ModeIn(s.mode, {dtEnKotei, dttenk, dttakakukeikotei}); }, Outcome::Choose, " 包　絡  ",
       dtDraggu},
      {0, [](const S& s) { return s.stepOpen(); }, Outcome::None},
      {0, {}, Outcome::Choose, " 包　絡  ", dtDraggu},
      {1, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 　／　  ", dtDraf},
      {1, {}, Outcome::Choose, "　 □  　", dtBoxSen},
      {2, [](const S& s) { return s.box.HaniAka_Cyu && ModeIn(s.mode, {dtHani, dtHanipg, dtHaniGai, dtHaniGaibu}); },
       Outcome::Choose, kConfirmCaption, dtHani},
      {2, [](const S& s) { return s.box.HaniAka_Cyu && ModeIn(s.mode, {dtHanipgc, dtHaniCopy, dtHaniCopyGai}); },
       Outcome::Choose, kConfirmCaption, dtHaniCopy, kConfirmCopy},
      {2, [](const S& s) { return s.mode == dtKiritoriHani && s.bufferHolds(); }, Outcome::Choose, kConfirmCaption,
       dtKiritoriHani, kConfirmCopy},
      {2, [](const S& s) { return s.mode == dtKiritorisakuzyo; }, Outcome::Choose, kConfirmCaption, dtKiritorisakuzyo,
       kConfirmCopy},
      {2, [](const S& s) { return s.box.HaniAka_Cyu && ModeIn(s.mode, {dthanipgm, dtHaniMove, dtHaniParamet}); },
       Outcome::Choose, kConfirmCaption, dtHaniMove, kConfirmCopy},
      {2, [](const S& s) { return ModeIn(s.mode, {dtSikichi, dtSikichi2, dtSikichi3, dtSikichi4}); }, Outcome::Choose,
       kConfirmCaption, dtSikichi},
      {2, [](const S& s) { return s.mode == dtYuka; }, Outcome::Choose, kConfirmCaption, dtYuka},
      {2, [](const S& s) { return s.mode == dtDrafRen && s.box.CommandStep == 1; }, Outcome::Choose, kConfirmCaption,
       dtDrafRen},
      {2, [](const S& s) { return ChainedDimensionMode(s.mode) && s.box.B_Switch == on3; }, Outcome::Choose,
       kConfirmCaption, dtRenSunpo},
      {2, [](const S& s) { return s.mode == dtSupuLine; }, Outcome::Choose, kConfirmCaption, dtSupuLine},
      {2, [](const S& s) { return s.mode == dtkyokusen3ten; }, Outcome::Choose, kConfirmCaption, dtkyokusen3ten},
      {2, [](const S& s) { return s.mode == dtsunposen && s.box.B_Switch == on2; }, Outcome::Choose, kConfirmCaption,
       dtsunposen},
      {2, [](const S& s) { return s.mode == dtiikatusin && s.box.B_Switch == on3; }, Outcome::Choose, kConfirmCaption,
       dtiikatusin},
      {2, [](const S& s) { return s.mode == dtiikatuBubun && s.box.B_Switch == on4; }, Outcome::Choose, kConfirmCaption,
       dtiikatuBubun},
      {2, [](const S& s) { return ModeIn(s.mode, {dtHachi2ten, dtHachiTen}); }, Outcome::Choose, kConfirmCaption,
       dtHachiTen},
      {2, [](const S& s) { return s.mode == dtkakutei; }, Outcome::Choose, kConfirmCaption, dtkakutei},
      {2, [](const S& s) { return ModeIn(s.mode, {dtSokuteiMen, dtKakudoSokutei}); }, Outcome::Choose, kConfirmCaption,
       dtSokuteiMen},
      {2, [](const S& s) { return s.box.HaniAka_Cyu && s.mode == dtiikatufugo; }, Outcome::Choose, kConfirmCaption,
       dtiikatufugo},
      {2, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 文　字  ", dtMozi},
      {2, {}, Outcome::Choose, " 文字消  ", dtMoziDel, kBlue},
      {3, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 中心線  ", dtRenSunpoCyusin},
      {3, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 　○　  ", dtEnKotei},
      {3, {}, Outcome::Nothing},
      {4, [](const S& s) { return s.box.ButonType == dtCopyFree; }, Outcome::Choose, kReselectCaption, dtCopy2},
      {4, [](const S& s) { return s.box.ButonType == dtIdoFree; }, Outcome::Choose, kReselectCaption, dtIdoFree2},
      {4, [](const S& s) { return s.box.ButonType == dtSokuteiMen; }, Outcome::Choose, kReselectCaption, dtSokuteiMen2},
      {4, [](const S& s) { return ModeIn(s.box.ButonType, {dtHachi2ten, dtHachiTen}); }, Outcome::Choose,
       kReselectCaption, dtHachiten2},
      {4, [](const S& s) { return s.box.ButonType == dtDrafRen && s.box.CommandStep != 0; }, Outcome::Toggle,
       "単/2切替 ", dtDrafRen},
      {4, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 線伸縮  ", dtSenSinsyuku},
      {4, {}, Outcome::Nothing},
      {5, [](const S& s) { return s.box.ButonType == dtDrafRen && s.box.CommandStep != 0; }, Outcome::Toggle,
       "単連切替 ", dtDrafRen},
      {5, [](const S& s) { return s.nearBand(); }, Outcome::Choose, "　ｺ-ﾅ- 　", dttreming},
      {5, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 面　取  ", dtMentori},
      {5, {}, Outcome::Nothing},
      {6, [](const S& s) { return PlacingMode(s.mode); }, Outcome::Choose, " 寸   法 ", dtsunpoHyozi},
      {6, [](const S& s) { return s.nearBand() && s.stepOpen(); }, Outcome::None},
      {6, [](const S& s) { return s.nearBand(); }, Outcome::Choose, "属性取得 ", dtzokusei},
      {6, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 寸   法 ", dtsunpoHyozi},
      {6, {}, Outcome::Nothing},
      {7, [](const S& s) { return PlacingMode(s.mode) || ModeIn(s.mode, {dtCopyZukei, dtCopyHenkeiZukei}); },
       Outcome::Choose, " 複　 線 ", dtFukusen},
      {7, [](const S& s) { return s.nearBand() && s.stepOpen(); }, Outcome::None},
      {7, [](const S& s) { return s.nearBand(); }, Outcome::Choose, "属性変更 ", dtZokuseiHen},
      {7, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 複　 線 ", dtFukusen},
      {7, {}, Outcome::Nothing},
  };
  return rows;
}

// The right group (16, 20); Shift+Right (17) reads only the north rows.
const std::vector<RGestureRow>& RightRows() {
  static const std::vector<RGestureRow> rows = {
      {0, [](const S& s) { return ModeIn(s.mode, {dtHani, dtSenSinsyuku, dttreming, dtHaniGai, dtSennakanuki, dtHaniGaibu}); },
       Outcome::Swallow},
      {0, [](const S& s) { return !s.box.HaniAka_Cyu && OpenRangeMode(s.mode); }, Outcome::Swallow},
      {0, [](const S& s) { return s.box.ButonType == dtFukusen && s.box.B_Switch == _off; }, Outcome::Message,
       "2点間複線", dtFukusenten, kKeepSavedMode},
      {0, [](const S& s) { return s.box.ButonType == dtkakudo && s.box.CommandStep == 0; }, Outcome::Message,
       "2点間角度", dtkakudo, kKeepSavedMode},
      {0, {}, Outcome::Message, " 中　点  ", dthitsuru},
      {1, [](const S& s) { return s.alternative && s.farBand(); }, Outcome::Choose, " 求　積  ", dtDkeisan},
      {1, [](const S& s) { return s.alternative && s.nearBand(); }, Outcome::Choose, " 測　定  ", dtDsokutei},
      {1, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 引出線  ", dtHikidasisen},
      {1, [](const S& s) { return s.nearBand(); }, Outcome::Choose, "線分中抜 ", dtSennakanuki},
      {1, {}, Outcome::Nothing},
      {2, [](const S& s) { return s.farBand() && !s.box.HaniAka_Cyu; }, Outcome::Choose, "元に戻す ", dtundo},
      {2, [](const S& s) { return PickingMode(s.mode); }, Outcome::Swallow},
      {2, [](const S& s) {
         return s.box.HaniAka_Cyu && ModeIn(s.mode, {dtHanipgc, dtHaniCopy, dtHaniMove, dtHaniParamet, dtHaniCopyGai});
       },
       Outcome::Choose, kConfirmSnappedCaption, dtHaniCopy, kConfirmSnapped},
      {2, [](const S& s) { return s.mode == dtKiritoriHani && s.bufferHolds(); }, Outcome::Choose,
       kConfirmSnappedCaption, dtKiritoriHani, kConfirmSnapped},
      {2, [](const S& s) { return s.mode == dtKiritorisakuzyo; }, Outcome::Choose, kConfirmSnappedCaption,
       dtKiritorisakuzyo, kConfirmSnapped},
      {2, [](const S& s) {
         return !s.box.HaniAka_Cyu && ModeIn(s.mode, {dthanipgm, dtHaniCopy, dtHaniMove, dtHaniParamet, dtKiritoriHani});
       },
       Outcome::Swallow},
      // Row 7 (Shift+Right) is tested apart in the recognizer.
      {2, [](const S& s) { return s.nearBand(); }, Outcome::Message, " 円1/8点 ", dtEnhitsuru},
      {2, [](const S& s) { return s.farBand(); }, Outcome::Choose, "元に戻す ", dtundo},
      {2, {}, Outcome::Nothing},
      {3, [](const S& s) { return s.alternative && s.nearBand(); }, Outcome::Choose, " 部　材  ", dtBuzaikotei2},
      {3, [](const S& s) { return s.alternative; }, Outcome::Choose, " 建　具  ", dttategu},
      {3, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " ハッチ  ", dtHachiHyozi},
      {3, [](const S& s) { return s.farBand(); }, Outcome::Choose, "ｽﾄｯｸﾃﾞ-ﾀ ", dtFileTazumen},
      {3, {}, Outcome::Nothing},
      {4, [](const S& s) { return PickingMode(s.mode); }, Outcome::Swallow},
      {4, [](const S& s) { return !s.box.HaniAka_Cyu && OpenRangeMode(s.mode); }, Outcome::Swallow},
      {4, {}, Outcome::Message, "線上/交点", dtSenzyouten2},
      {5, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 複　写  ", dtCopy},
      {5, [](const S& s) { return s.farBand(); }, Outcome::Choose, "属性一括 ", dtzokuseihyozi},
      {5, {}, Outcome::Nothing},
      {6, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 移　動  ", dtIdoFree},
      {6, [](const S& s) { return s.farBand(); }, Outcome::Choose, "ﾊﾟﾗﾒﾄﾘｯｸ ", dtHaniParamet},
      {6, {}, Outcome::Nothing},
      {7, [](const S& s) { return s.nearBand(); }, Outcome::Choose, " 消　去  ", dtHaniDel, kRed},
      {7, [](const S& s) { return s.farBand(); }, Outcome::Choose, " 線　消  ", dtSenDel, kBlue},
      {7, {}, Outcome::Nothing},
  };
  return rows;
}

// The row of the Shift+Right drag up, in its place among the north rows.
const RGestureRow& ArcMidpointRow() {
  static const RGestureRow row{2, [](const S& s) { return s.nearBand(); }, Outcome::Message, "円弧中点 ", dtEnhitsuru2};
  return row;
}

// Shows a chosen gesture's caption, or takes the drag, as its row says.
bool ApplyRow(TcadBox& box, Sbuttontype mode, const RGestureRow& row) {
  switch (row.Result) {
    case Outcome::Swallow:
      box.GesturePending = false;
      return true;
    case Outcome::None:
      box.GesturePending = false;
      return false;
    case Outcome::Nothing:
      return false;
    default:
      break;
  }
  if (row.Extras & kEndChange) box.EndChangeFlag = 1;
  if (row.Extras & kConfirmCopy) box.RangeConfirmKind = 2;
  if (row.Extras & kConfirmSnapped) box.RangeConfirmKind = 3;
  if (row.Extras & kBlue) box.LabelColour = 3;
  if (row.Extras & kRed) box.LabelColour = 2;
  if (!(row.Extras & kKeepSavedMode)) box.SavedMode = mode;
  box.PendingGesture = row.Code;
  box.GesturePending = true;
  const std::string caption = J(row.Caption);
  if (row.Result == Outcome::Choose) {
    if (box.LabelPrevText != caption) box.ShowCursorLabel(caption);
  } else {
    box.ShowTopMessage(caption);
    if (row.Result == Outcome::Toggle && !(row.Extras & kKeepAnchor)) box.LabelAnchor = kOutOfSight;
  }
  return true;
}

}  // namespace

bool TcadBox::TrackDragGesture(TShiftState shift, Sbuttontype mode, double x, double y) {
  if (ViewGestureState != 0) {
    GesturePending = false;
    return false;
  }
  const DragGroup group = GroupOf(shift);
  auto noGesture = [&] {
    ButonType = mode;
    GesturePending = false;
    return false;
  };
  // No button, or both (a view gesture), never make a gesture.
  if (shift == 0 || shift == ssShift || shift == ssCtrl || shift == (ssLeft | ssRight)) return noGesture();
  const int pressX = WorldToScreenX(PressPoint.x), pressY = WorldToScreenY(PressPoint.y);
  const double dx = WorldToScreenX(x) - pressX, dy = WorldToScreenY(y) - pressY;
  const long d = static_cast<long>(std::sqrt(dx * dx + dy * dy));
  const long threshold = DridoL1, band = DridoL2;
  if (d < threshold / 4) return noGesture();

  GestureSector = DirectionSector8(false, PressPoint.x, PressPoint.y, x, y);
  const bool alternative = DGamen_LR && Width() - pressX < Width() / 2;
  if (d < threshold && group != DragGroup::None) {
    if (!LabelPrevText.empty()) {
      ShowCursorLabel("---------");
      CaptionCancelled = 1;
    }
    GesturePending = false;
    return false;
  }
  const bool sideGroup = group == DragGroup::Left || group == DragGroup::Right || group == DragGroup::ShiftRight;
  if (d > threshold && d <= threshold + band) {
    if (sideGroup) LabelColour = 0;
    if (group == DragGroup::Middle) LabelColour = 2;
  } else if (d > threshold + band && sideGroup) {
    LabelColour = 1;
  }

  if (LabelColour == 2 && group == DragGroup::Middle) {
    // The drawing follows the cursor while the middle button drags.
    ButonType = mode;
    GesturePending = true;
    SavedMode = mode;
    if (RingHan == 1) RingHidden = true;
    PanView(PressPoint.x - x, PressPoint.y - y);
    RedrawAll(false);
    WheelMode = 2;
    return true;
  }

  const RDragState state{*this, mode, alternative};
  const std::vector<RGestureRow>* rows = nullptr;
  if (group == DragGroup::Left) rows = &LeftRows();
  if (group == DragGroup::Right || (group == DragGroup::ShiftRight && GestureSector == 2)) rows = &RightRows();
  if (rows == nullptr) return false;
  for (const RGestureRow& row : *rows) {
    if (row.Sector != GestureSector) continue;
    // Shift+Right up: its own row comes before the circle-point row.
    if (group == DragGroup::ShiftRight && row.Code == dtEnhitsuru && ArcMidpointRow().When(state)) {
      return ApplyRow(*this, mode, ArcMidpointRow());
    }
    if (row.When && !row.When(state)) continue;
    return ApplyRow(*this, mode, row);
  }
  return false;
}

namespace {

// The host-action number a gesture code hands to the host.
int HostActionOf(Sbuttontype code) {
  switch (code) {
    case dtSenSinsyuku: return 11;
    case dtSenDel: return 12;
    case dttreming: return 13;
    case dtDraf: return 14;
    case dtCopy: return 15;
    case dtIdoFree: return 16;
    case dtHaniDel: return 17;
    case dtFukusen: return 18;
    case dtBoxSen: return 19;
    case dtEnKotei: return 22;
    case dtMentori: return 23;
    case dtzokuseihyozi: return 24;
    case dtsunpoHyozi: return 25;
    case dtRenSunpoCyusin: return 26;
    case dtHaniParamet: return 27;
    case dtMoziDel: return 28;
    case dtHachiHyozi:
    case dtHachiten2: return 29;
    case dtFileTazumen: return 30;
    case dtsensyuiro: return 31;
    case dtundo: return 32;
    case dtSunpokiri: return 33;
    case dtHikidasisen: return 36;
    case dtSennakanuki: return 37;
    case dtDsokutei: return 39;
    case dtDkeisan: return 40;
    case dtBuzaikotei2: return 41;
    case dttategu: return 42;
    case dtbuntoku: return 43;
    case dtmoziseiri: return 44;
    default: return 0;
  }
}

void StepDirectionMode(TcadBox& box) { box.DirectionMode = (box.DirectionMode + 1) % 3; }

// The snapped press point with the point marker; false when nothing is near.
bool SnapAtPress(TcadBox& box, RPoint2D& point) { return box.SnappedPoint(box.PressPoint.x, box.PressPoint.y, point); }

// The previews a point assist leaves on the screen are drawn again.
void RedrawLinePreviews(TcadBox& box) {
  const TCommandRegistry& registry = CommandRegistry();
  registry.RunPhase("DrafRenRedraw", box);
  registry.RunPhase("RenSunpoRedraw", box);
}

// The two-point gestures: a snapped press point starts the interrupted
// command's two-point variant.
bool StartTwoPointVariant(TcadBox& box, Sbuttontype mode) {
  RPoint2D p;
  if (!SnapAtPress(box, p)) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(kNoPointCaption));
    return false;
  }
  box.CurrentPoint = p;
  box.PendingGesture = dtNo;
  box.ButonType = mode;
  box.ClickKind = 7;
  box.ShowTopMessage(J(kSecondPointCaption));
  return true;
}

// Takes the selection into the copy buffer for a confirmed copy or move
// range; kind 3 first takes the base point from a snap at the press.
void ConfirmCopyRange(TcadBox& box) {
  if (box.PendingGesture == dtKiritoriHani) CommandRegistry().RunPhase("KiritoriHaniCancel", box);
  bool take = box.RangeConfirmKind == 2;
  if (box.RangeConfirmKind == 3) {
    RPoint2D p;
    if (box.SnappedPoint(box.PressPoint.x, box.PressPoint.y, p)) {
      box.FirstPoint = box.FreePoint(p.x, p.y);
      box.SetGuidePrompt(J("複写位置を指示"));
      take = true;
    } else {
      box.ClickKind = 0;
    }
  }
  if (take) {
    box.B_Switch = on1;
    box.PreviewP2 = {0.0, 0.0};
    box.Draw1->CopySelectionToBuffer(0.0, 0.0);
    box.RubberErased = true;
    PostHostNotification("TFrame10", 112);
  }
  box.RangeConfirmKind = 0;
  box.PendingGesture = dtNo;
}

// The point-assist start: a snapped press point arms the midpoint assist;
// a line or an arc under the press gives its midpoint or circle point at
// once. Other codes, and nothing under the press, leave the gesture armed
// until the next release.
void StartPointAssist(TcadBox& box, Sbuttontype code) {
  RPoint2D offset;
  box.GetPointOffset(offset, box.AxisAngle, box.RealToDrawingLength(box.PointOffset.x),
                     box.RealToDrawingLength(box.PointOffset.y));
  const double px = box.PressPoint.x, py = box.PressPoint.y;
  double sx = px, sy = py;
  const bool snapped = box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines);
  if (snapped && code == dthitsuru) {
    box.RefreshRingCursor();
    RedrawLinePreviews(box);
    box.ButonType = dthitsuru;
    box.PendingGesture = dtNo;
    return;
  }
  RPointPair line;
  if (code == dthitsuru && box.PickLineCoords(line, false, px, py)) {
    box.RefreshRingCursor();
    box.ButonType = dtsencyuten;
    box.PendingGesture = dtNo;
    const RPoint2D mid{(line.xa + offset.x + line.xb + offset.x) / 2, (line.ya + offset.y + line.yb + offset.y) / 2};
    box.sencyutenApply(mid.x, mid.y);
    box.ShowPointMarker(0, mid.x, mid.y);
    return;
  }
  RDrawElement arc = ZeroElement();
  if ((code != dtEnhitsuru && code != dtEnhitsuru2) || !box.PickArcRecord(arc, px, py)) return;
  box.RefreshRingCursor();
  TEn4obj circle(arc);
  circle.SnapPoint(code == dtEnhitsuru2, px, py);
  box.ButonType = dtsencyuten;
  box.PendingGesture = dtNo;
  box.sencyutenApply(circle.X + offset.x, circle.Y + offset.y);
  box.ShowPointMarker(0, circle.X, circle.Y);
}

}  // namespace

void TcadBox::ExecuteDragGesture(double, double) {
  LabelColour = 0;
  if (!GesturePending) return;
  if (ViewGestureState != 0) {
    ClickKind = 0;
    return;
  }
  GesturePending = false;
  if (!LabelPrevText.empty()) ShowCursorLabel(" ");

  const Sbuttontype code = PendingGesture;
  const TCommandRegistry& registry = CommandRegistry();
  auto done = [&] { PendingGesture = dtNo; };
  auto switchTo = [&](Sbuttontype mode) {
    done();
    ButonType = mode;
  };
  switch (code) {
    case dtDraggu:
      switchTo(dtDraggu);
      return;
    case dtzokusei:
      switchTo(dtzokusei);
      ClickKind = 2;
      return;
    case dtZokuseiHen:
    case dtzikukaku:
      switchTo(code);
      ClickKind = 3;
      return;
    case dtFukusenten:
      if (!StartTwoPointVariant(*this, dtFukusen)) StartPointAssist(*this, code);
      return;
    case dtkakudo:
      if (!StartTwoPointVariant(*this, dtkakudo)) StartPointAssist(*this, code);
      return;
    case dtiikatusin:
    case dtiikatuBubun:
      registry.RunFinish(code == dtiikatusin ? "iikatusinFinish" : "iikatuBubunFinish", *this, 0);
      ButonType = code;
      done();
      return;
    case dtiikatufugo:
      switchTo(dtiikatufugo);
      PostHostNotification("TFrame32", 115);
      return;
    case dtMozi:
      done();
      if (GestureSector == 0) {
        StepDirectionMode(*this);
        PostHostNotification("TFrame5", 115);
      } else {
        GenBan = 10;
      }
      return;
    case dtCopyFree:
      done();
      ClickKind = 0;
      StepDirectionMode(*this);
      PostHostNotification("TFrame10", 115);
      return;
    case dtRenSunpoCyusin2:
      done();
      ClickKind = 0;
      PostHostNotification("TFrame30", 115);
      return;
    case dtCopy2:
    case dtIdoFree2:
      PostHostNotification("TFrame10", 118);
      done();
      return;
    case dtSokuteiMen2:
      PostHostNotification("TFrame13", 118);
      done();
      return;
    case dtSokuteiMen:
      done();
      PostHostNotification("TFrame13", 111);
      return;
    case dtHani:
      done();
      PostHostNotificationChain({"TFrame31", "TFrame10", "TFrame11", "TFrame18", "TFrame20", "TFrame22", "TFrame26",
                                 "TFrame27", "TFrame29", "TFrame4", "TFrame17", "TFrame33"},
                                111);
      return;
    case dtHaniCopy:
    case dtHaniMove:
    case dtKiritoriHani:
      ConfirmCopyRange(*this);
      return;
    case dtKiritorisakuzyo:
      PostHostNotification("TFrame11", 112);
      RangeConfirmKind = 0;
      done();
      return;
    case dtSikichi:
    case dtYuka:
      done();
      ClickKind = 0;
      PostHostNotification("TFrame22", 111);
      return;
    case dtHachiTen:
      done();
      PostHostNotification("TFrame20", 100);
      return;
    case dtkakutei:
      done();
      PostHostNotification("TFrame18", 100);
      return;
    case dtDrafRen:
      LabelAnchor = kOutOfSight;
      if (GestureSector == 4) {
        PostHostNotification("TFrame3", 118);
      } else if (GestureSector == 5) {
        PostHostNotification("TFrame3", 119);
      } else if (GestureSector == 0) {
        done();
        if (AngleStep != 0) {
          KeptLineAngleStep = AngleStep;
          AngleStep = 0;
        } else {
          AngleStep = KeptLineAngleStep;
        }
        registry.RunPhase("DrafRenRedraw", *this);
      } else if (GestureSector == 2) {
        done();
        registry.RunPhase("DrafRenRedraw", *this);
        registry.RunFinish("DrafRenFinish", *this, 1);
      }
      return;
    case dtRenSunpo:
      done();
      registry.RunPhase("RenSunpoRedraw", *this);
      registry.RunFinish("RenSunpoFinish", *this, 1);
      return;
    case dtSupuLine:
      done();
      registry.RunFinish("SupuLineFinish", *this, 1);
      return;
    case dtkyokusen3ten:
      done();
      registry.RunFinish("kyokusen3tenFinish", *this, 0);
      return;
    case dtsunposen:
      done();
      CancelCommands(false);
      ButonType = dtsunposen;
      return;
    case dtFukuSenTanbu:
      done();
      ButonType = dtNo;
      CancelCommands(false);
      B_Switch = on1;
      ButonType = dtFukuSenTanbu;
      return;
    case dtSenzyouten2: {
      std::int32_t index = -1;
      if (PickShownElement(index, false, PressPoint.x, PressPoint.y)) {
        PickedIndex[1] = index;
        RefreshRingCursor();
        RedrawLinePreviews(*this);
        switchTo(dtSenzyouten2);
      } else {
        ShowTopMessage(J(" 線なし  "));
      }
      return;
    }
    default:
      break;
  }
  if (const int action = HostActionOf(code); action != 0) {
    done();
    GenBan = action;
    if (code == dtsunpoHyozi && RingHan == 1) RingHidden = true;
    if (code == dtMoziDel) ClickKind = 0;
    return;
  }
  StartPointAssist(*this, code);
}

void RegisterGestureCaptionClearing() {
  int rank = 0;
  for (const RDispatchRank& row : DispatchOrder()) {
    if (std::string(row.Name) == "Draggu") rank = row.Up;
  }
  CommandRegistry().AddUpEntry("GestureCaption", rank, [](TcadBox& box, TShiftState, double, double) {
    if (box.CaptionCancelled == 0) return;
    box.ShowCursorLabel(" ");
    box.CaptionCancelled = 0;
  });
}
