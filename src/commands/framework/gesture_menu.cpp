// The drag-gesture menu: a press, a drag in one of eight directions and a
// release choose a gesture by direction, length and running command. The
// recognizer runs first in every move handler and shows the caption of the
// gesture chosen so far; the executor runs first in every release and
// carries it out by the action of the row that claims the gesture's code: a
// family's, or the menu's own for the codes no family owns. The menu is
// data: one row per condition, tried in order.

#include <algorithm>
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

using B = const TcadBox&;
bool StepOpen(B b) { return b.CommandStep != 0 || b.B_Switch != _off || b.HaniAka_Cyu; }
// DGamen_LR and a press in the right half.
bool Alternative(B b) {
  const int pressX = b.WorldToScreenX(b.PressPoint.x);
  return b.DGamen_LR && b.Width() - pressX < b.Width() / 2;
}

// The menu's own rows; each sector first tries what the running mode's
// family offers (Offers).
const std::vector<RGestureRow>& LeftRows() {
  using enum GestureOutcome;
  static const std::vector<RGestureRow> rows = {
      {0, {}, Offers},
      {0, [](B b) { return StepOpen(b); }, None},
      {0, {}, Choose, " 包　絡  ", dtDraggu},
      {1, {}, Offers},
      {1, NearGestureBand, Choose, " 　／　  ", dtDraf},
      {1, {}, Choose, "　 □  　", dtBoxSen},
      {2, {}, Offers},
      {2, NearGestureBand, Choose, " 文　字  ", dtMozi},
      {2, {}, Choose, " 文字消  ", dtMoziDel, kBlueLabel},
      {3, {}, Offers},
      {3, FarGestureBand, Choose, " 中心線  ", dtRenSunpoCyusin},
      {3, NearGestureBand, Choose, " 　○　  ", dtEnKotei},
      {3, {}, Nothing},
      {4, {}, Offers},
      {4, NearGestureBand, Choose, " 線伸縮  ", dtSenSinsyuku},
      {4, {}, Nothing},
      {5, {}, Offers},
      {5, NearGestureBand, Choose, "　ｺ-ﾅ- 　", dttreming},
      {5, FarGestureBand, Choose, " 面　取  ", dtMentori},
      {5, {}, Nothing},
      {6, {}, Offers},
      {6, [](B b) { return NearGestureBand(b) && StepOpen(b); }, None},
      {6, NearGestureBand, Choose, "属性取得 ", dtzokusei},
      {6, FarGestureBand, Choose, " 寸   法 ", dtsunpoHyozi},
      {6, {}, Nothing},
      {7, {}, Offers},
      {7, [](B b) { return NearGestureBand(b) && StepOpen(b); }, None},
      {7, NearGestureBand, Choose, "属性変更 ", dtZokuseiHen},
      {7, FarGestureBand, Choose, " 複　 線 ", dtFukusen},
      {7, {}, Nothing},
  };
  return rows;
}

// The right group (16, 20); Shift+Right (17) reads only the north rows.
const std::vector<RGestureRow>& RightRows() {
  using enum GestureOutcome;
  static const std::vector<RGestureRow> rows = {
      {0, {}, Offers},
      {0, {}, Message, " 中　点  ", dthitsuru},
      {1, {}, Offers},
      {1, [](B b) { return Alternative(b) && FarGestureBand(b); }, Choose, " 求　積  ", dtDkeisan},
      {1, [](B b) { return Alternative(b) && NearGestureBand(b); }, Choose, " 測　定  ", dtDsokutei},
      {1, FarGestureBand, Choose, " 引出線  ", dtHikidasisen},
      {1, NearGestureBand, Choose, "線分中抜 ", dtSennakanuki},
      {1, {}, Nothing},
      {2, [](B b) { return FarGestureBand(b) && !b.HaniAka_Cyu; }, Choose, "元に戻す ", dtundo},
      {2, {}, Offers},
      // Row 7 (Shift+Right) is tested apart in the recognizer.
      {2, NearGestureBand, Message, " 円1/8点 ", dtEnhitsuru},
      {2, FarGestureBand, Choose, "元に戻す ", dtundo},
      {2, {}, Nothing},
      {3, {}, Offers},
      {3, [](B b) { return Alternative(b) && NearGestureBand(b); }, Choose, " 部　材  ", dtBuzaikotei2},
      {3, Alternative, Choose, " 建　具  ", dttategu},
      {3, NearGestureBand, Choose, " ハッチ  ", dtHachiHyozi},
      {3, FarGestureBand, Choose, "ｽﾄｯｸﾃﾞ-ﾀ ", dtFileTazumen},
      {3, {}, Nothing},
      {4, {}, Offers},
      {4, {}, Message, "線上/交点", dtSenzyouten2},
      {5, {}, Offers},
      {5, NearGestureBand, Choose, " 複　写  ", dtCopy},
      {5, FarGestureBand, Choose, "属性一括 ", dtzokuseihyozi},
      {5, {}, Nothing},
      {6, {}, Offers},
      {6, NearGestureBand, Choose, " 移　動  ", dtIdoFree},
      {6, FarGestureBand, Choose, "ﾊﾟﾗﾒﾄﾘｯｸ ", dtHaniParamet},
      {6, {}, Nothing},
      {7, {}, Offers},
      {7, NearGestureBand, Choose, " 消　去  ", dtHaniDel, kRedLabel},
      {7, FarGestureBand, Choose, " 線　消  ", dtSenDel, kBlueLabel},
      {7, {}, Nothing},
  };
  return rows;
}

// The row of the Shift+Right drag up, in its place among the north rows.
const RGestureRow& ArcMidpointRow() {
  static const RGestureRow row{2, NearGestureBand, GestureOutcome::Message, "円弧中点 ", dtEnhitsuru2};
  return row;
}

// The rows the families owning the mode offer for one side and sector, in
// their order.
std::vector<const RGestureRow*> OffersOf(Sbuttontype mode, GestureSide side, std::uint8_t sector) {
  std::vector<const RGestureRow*> offers;
  for (const RCommandFamily* family : FamilyRowsOf(mode)) {
    for (const RGestureOffer& offer : family->Gestures) {
      if (offer.Side != side || offer.Row.Sector != sector) continue;
      if (!offer.Modes.empty() && std::find(offer.Modes.begin(), offer.Modes.end(), mode) == offer.Modes.end()) {
        continue;
      }
      offers.push_back(&offer.Row);
    }
  }
  return offers;
}

// Shows a chosen gesture's caption, or takes the drag, as its row says.
bool ApplyRow(TcadBox& box, Sbuttontype mode, const RGestureRow& row) {
  switch (row.Result) {
    case GestureOutcome::Swallow: box.GesturePending = false; return true;
    case GestureOutcome::None: box.GesturePending = false; return false;
    case GestureOutcome::Nothing:
    case GestureOutcome::Offers: return false;
    default: break;
  }
  if (row.Extras & kEndChange) box.EndChangeFlag = 1;
  if (row.Extras & kConfirmCopy) box.RangeConfirmKind = 2;
  if (row.Extras & kConfirmSnapped) box.RangeConfirmKind = 3;
  if (row.Extras & kBlueLabel) box.LabelColour = 3;
  if (row.Extras & kRedLabel) box.LabelColour = 2;
  if (!(row.Extras & kKeepSavedMode)) box.SavedMode = mode;
  box.PendingGesture = row.Code;
  box.GesturePending = true;
  const std::string caption = J(row.Caption);
  if (row.Result == GestureOutcome::Choose) {
    if (box.LabelPrevText != caption) box.ShowCursorLabel(caption);
  } else {
    box.ShowTopMessage(caption);
    if (row.Result == GestureOutcome::Toggle && !(row.Extras & kKeepAnchor)) box.LabelAnchor = kGestureLabelOutOfSight;
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

  const std::vector<RGestureRow>* rows = nullptr;
  if (group == DragGroup::Left) rows = &LeftRows();
  if (group == DragGroup::Right || (group == DragGroup::ShiftRight && GestureSector == 2)) rows = &RightRows();
  if (rows == nullptr) return false;
  const GestureSide side = group == DragGroup::Left ? GestureSide::Left : GestureSide::Right;
  for (const RGestureRow& row : *rows) {
    if (row.Sector != GestureSector) continue;
    if (row.Result == GestureOutcome::Offers) {
      for (const RGestureRow* offer : OffersOf(mode, side, GestureSector)) {
        if (!offer->When || offer->When(*this)) return ApplyRow(*this, mode, *offer);
      }
      continue;
    }
    // Shift+Right up: its own row comes before the circle-point row.
    if (group == DragGroup::ShiftRight && row.Code == dtEnhitsuru && ArcMidpointRow().When(*this)) {
      return ApplyRow(*this, mode, ArcMidpointRow());
    }
    if (row.When && !row.When(*this)) continue;
    return ApplyRow(*this, mode, row);
  }
  return false;
}

namespace {

// The codes handed to the host as an action number (GenBan).
struct RHostAction {
  Sbuttontype Code;
  int Action;
};
constexpr RHostAction kHostActions[] = {
    {dtSenSinsyuku, 11}, {dtSenDel, 12},       {dttreming, 13},     {dtDraf, 14},           {dtCopy, 15},
    {dtIdoFree, 16},     {dtHaniDel, 17},      {dtFukusen, 18},     {dtBoxSen, 19},         {dtEnKotei, 22},
    {dtMentori, 23},     {dtzokuseihyozi, 24}, {dtsunpoHyozi, 25},  {dtRenSunpoCyusin, 26}, {dtHaniParamet, 27},
    {dtMoziDel, 28},     {dtHachiHyozi, 29},   {dtHachiten2, 29},   {dtFileTazumen, 30},    {dtsensyuiro, 31},
    {dtundo, 32},        {dtSunpokiri, 33},    {dtHikidasisen, 36}, {dtSennakanuki, 37},    {dtDsokutei, 39},
    {dtDkeisan, 40},     {dtBuzaikotei2, 41},  {dttategu, 42},      {dtbuntoku, 43},        {dtmoziseiri, 44},
};

int HostActionOf(Sbuttontype code) {
  for (const RHostAction& row : kHostActions) {
    if (row.Code == code) return row.Action;
  }
  return 0;
}

// The snapped press point with the point marker; false when nothing is near.
bool SnapAtPress(TcadBox& box, RPoint2D& point) { return box.SnappedPoint(box.PressPoint.x, box.PressPoint.y, point); }

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

// The gesture is carried out: the mode it armed runs.
void SwitchTo(TcadBox& box, Sbuttontype mode) {
  box.PendingGesture = dtNo;
  box.ButonType = mode;
}

// The host carries the gesture out by its action number.
void HandToHost(TcadBox& box, Sbuttontype code) {
  box.PendingGesture = dtNo;
  box.GenBan = HostActionOf(code);
  if (code == dtsunpoHyozi && box.RingHan == 1) box.RingHidden = true;
  if (code == dtMoziDel) box.ClickKind = 0;
}

std::vector<Sbuttontype> HostActionCodes() {
  std::vector<Sbuttontype> codes;
  for (const RHostAction& row : kHostActions) codes.push_back(row.Code);
  return codes;
}

const RGestureAction* FindAction(const std::vector<RGestureAction>& actions, Sbuttontype code) {
  for (const RGestureAction& action : actions) {
    if (std::find(action.Codes.begin(), action.Codes.end(), code) != action.Codes.end()) return &action;
  }
  return nullptr;
}

}  // namespace

const std::vector<RGestureAction>& MenuGestureActions() {
  static const std::vector<RGestureAction> actions = {
      {{dtDraggu}, [](TcadBox& box, Sbuttontype) { SwitchTo(box, dtDraggu); }},
      {{dtzokusei},
       [](TcadBox& box, Sbuttontype) {
         SwitchTo(box, dtzokusei);
         box.ClickKind = 2;
       }},
      {{dtZokuseiHen, dtzikukaku},
       [](TcadBox& box, Sbuttontype code) {
         SwitchTo(box, code);
         box.ClickKind = 3;
       }},
      {{dtHaniCopy, dtHaniMove, dtKiritoriHani}, [](TcadBox& box, Sbuttontype) { ConfirmCopyRange(box); }},
      {HostActionCodes(), HandToHost},
      {{dthitsuru, dtEnhitsuru, dtEnhitsuru2}, StartPointAssist},
  };
  return actions;
}

const RGestureAction* GestureActionOf(Sbuttontype code) {
  for (const RHandlerSet& set : CommandRegistry().HandlerSets()) {
    if (set.Row == nullptr) continue;
    const auto* row = static_cast<const RCommandFamily*>(set.Row.get());
    if (const RGestureAction* action = FindAction(row->GestureActions, code)) return action;
  }
  return FindAction(MenuGestureActions(), code);
}

void StartTwoPointGesture(TcadBox& box, Sbuttontype code, Sbuttontype mode) {
  if (!StartTwoPointVariant(box, mode)) StartPointAssist(box, code);
}

void RedrawLinePreviews(TcadBox& box) {
  const TCommandRegistry& registry = CommandRegistry();
  registry.RunPhase("DrafRenRedraw", box);
  registry.RunPhase("RenSunpoRedraw", box);
}

void TcadBox::ExecuteDragGesture(double, double) {
  LabelColour = 0;
  if (!GesturePending) return;
  if (ViewGestureState != 0) {
    ClickKind = 0;
    return;
  }
  GesturePending = false;
  if (!LabelPrevText.empty()) ShowCursorLabel(" ");

  // The row that claims the code carries it out; a code no row claims
  // tries the point assists.
  const Sbuttontype code = PendingGesture;
  if (const RGestureAction* action = GestureActionOf(code)) {
    action->Run(*this, code);
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

bool NearGestureBand(const TcadBox& box) { return box.LabelColour == 0; }
bool FarGestureBand(const TcadBox& box) { return box.LabelColour == 1; }

RGestureOffer SwallowedDrag(GestureSide side, std::uint8_t sector, std::vector<Sbuttontype> modes,
                            std::function<bool(const TcadBox&)> when) {
  return {side, std::move(modes), {sector, std::move(when), GestureOutcome::Swallow}};
}

RGestureOffer ConfirmGesture(GestureSide side, Sbuttontype code, std::vector<Sbuttontype> modes,
                             std::function<bool(const TcadBox&)> when, std::uint8_t extras) {
  const char* caption = side == GestureSide::Left ? kConfirmCaption : kConfirmSnappedCaption;
  return {side, std::move(modes), {2, std::move(when), GestureOutcome::Choose, caption, code, extras}};
}

RGestureOffer DimensionGesture(std::vector<Sbuttontype> modes) {
  return {GestureSide::Left, std::move(modes), {6, {}, GestureOutcome::Choose, " 寸   法 ", dtsunpoHyozi}};
}

RGestureOffer OffsetGesture(std::vector<Sbuttontype> modes) {
  return {GestureSide::Left, std::move(modes), {7, {}, GestureOutcome::Choose, " 複　 線 ", dtFukusen}};
}

RGestureOffer DimensionAxisToggle() {
  return {GestureSide::Left, {}, {0, FarGestureBand, GestureOutcome::Message, "ＸＹ切替 ", dtSunpokiri}};
}

RGestureOffer EnvelopeGesture() {
  return {GestureSide::Left, {}, {0, {}, GestureOutcome::Choose, " 包　絡  ", dtDraggu}};
}
