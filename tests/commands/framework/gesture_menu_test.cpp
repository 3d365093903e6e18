// The drag-gesture menu: which gesture a drag chooses by button, direction,
// length and running command, and what its release does.

#include <cmath>
#include <string>

#include "commands/framework/command_family.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

// Gestures start at 40 pixels (8 drawing units); the near band runs to 80.
class GestureMenu : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().DridoL1 = 40;
    Box().DridoL2 = 40;
  }
  void Reset() {
    TcadBox& b = Box();
    b.GesturePending = false;
    b.PendingGesture = dtNo;
    b.SavedMode = dtNo;
    b.LabelColour = 0;
    b.LabelPrevText.clear();
    b.TopMessage.clear();
    b.CommandStep = 0;
    b.B_Switch = _off;
    b.HaniAka_Cyu = false;
    b.PlaceText.clear();
    b.RangeConfirmKind = 0;
    b.CaptionCancelled = 0;
    b.DGamen_LR = false;
  }
};

constexpr double kPressX = 70, kPressY = 48;  // in the right half of the control

// A drag direction in degrees (drawing coordinates, anticlockwise from
// east) and a length in pixels.
struct RDrag {
  double angle;
  double pixels;
};

RPoint2D CursorOf(const RDrag& d) {
  const double units = d.pixels / kHarnessPixelsPerUnit;
  const double a = d.angle * M_PI / 180;
  return {kPressX + units * std::cos(a), kPressY + units * std::sin(a)};
}

constexpr double kNear = 60, kFar = 100;

TEST_F(GestureMenu, TheDragChoosesByButtonDirectionBandAndCommand) {
  enum Shown : std::uint8_t { Cursor, Top, Hidden };  // where the caption shows
  struct Case {
    const char* what;
    TShiftState shift;
    Sbuttontype mode;
    std::function<void(TcadBox&)> state;
    RDrag drag;
    bool taken;           // the recognizer returns true
    Sbuttontype code;     // dtNo: no gesture armed
    const char* caption;  // UTF-8; "" none
    Shown shown;
  } cases[] = {
      {"envelope", ssLeft, dtNo, {}, {0, kNear}, true, dtDraggu, " 包　絡  ", Cursor},
      {"swallowed east in dtSen", ssLeft, dtSen, {}, {0, kNear}, true, dtNo, "", Cursor},
      {"text direction toggle",
       ssLeft,
       dtMozi,
       [](TcadBox& b) { b.PlaceText = "A"; },
       {0, kNear},
       true,
       dtMozi,
       "方向切替 ",
       Top},
      {"copy direction toggle keeps its anchor",
       ssLeft,
       dtCopyFree,
       [](TcadBox& b) { b.B_Switch = on1; },
       {0, kNear},
       true,
       dtCopyFree,
       "方向切替 ",
       Top},
      {"an open step has no envelope",
       ssLeft,
       dtDraf,
       [](TcadBox& b) { b.CommandStep = 1; },
       {0, kNear},
       false,
       dtNo,
       "",
       Cursor},
      {"line near", ssLeft, dtNo, {}, {45, kNear}, true, dtDraf, " 　／　  ", Cursor},
      {"rectangle far", ssLeft, dtNo, {}, {45, kFar}, true, dtBoxSen, "　 □  　", Cursor},
      {"text near", ssLeft, dtNo, {}, {90, kNear}, true, dtMozi, " 文　字  ", Cursor},
      {"text delete far", ssLeft, dtNo, {}, {90, kFar}, true, dtMoziDel, " 文字消  ", Cursor},
      {"range confirm",
       ssLeft,
       dtHani,
       [](TcadBox& b) { b.HaniAka_Cyu = true; },
       {90, kFar},
       true,
       dtHani,
       " 確　 定 ",
       Cursor},
      {"copy range confirm",
       ssLeft,
       dtHaniCopy,
       [](TcadBox& b) { b.HaniAka_Cyu = true; },
       {90, kNear},
       true,
       dtHaniCopy,
       " 確　 定 ",
       Cursor},
      {"centre line far", ssLeft, dtNo, {}, {135, kFar}, true, dtRenSunpoCyusin, " 中心線  ", Cursor},
      {"circle near", ssLeft, dtNo, {}, {135, kNear}, true, dtEnKotei, " 　○　  ", Cursor},
      {"stretch near", ssLeft, dtNo, {}, {180, kNear}, true, dtSenSinsyuku, " 線伸縮  ", Cursor},
      {"nothing west far", ssLeft, dtNo, {}, {180, kFar}, false, dtNo, "", Cursor},
      {"corner near", ssLeft, dtNo, {}, {225, kNear}, true, dttreming, "　ｺ-ﾅ- 　", Cursor},
      {"chamfer far", ssLeft, dtNo, {}, {225, kFar}, true, dtMentori, " 面　取  ", Cursor},
      {"attribute read near", ssLeft, dtNo, {}, {270, kNear}, true, dtzokusei, "属性取得 ", Cursor},
      {"dimensions far", ssLeft, dtNo, {}, {270, kFar}, true, dtsunpoHyozi, " 寸   法 ", Cursor},
      {"no attribute read in an open step",
       ssLeft | ssCtrl,
       dtBox,
       [](TcadBox& b) { b.CommandStep = 1; },
       {270, kNear},
       false,
       dtNo,
       "",
       Cursor},
      {"attribute change near", ssLeft | ssShift, dtNo, {}, {315, kNear}, true, dtZokuseiHen, "属性変更 ", Cursor},
      {"offset far", ssLeft, dtNo, {}, {315, kFar}, true, dtFukusen, " 複　 線 ", Cursor},
      {"midpoint", ssRight, dtNo, {}, {0, kNear}, true, dthitsuru, " 中　点  ", Top},
      {"two-point offset", ssRight, dtFukusen, {}, {0, kNear}, true, dtFukusenten, "2点間複線", Top},
      {"leader far", ssRight, dtNo, {}, {45, kFar}, true, dtHikidasisen, " 引出線  ", Cursor},
      {"middle cut near", ssRight | ssCtrl, dtNo, {}, {45, kNear}, true, dtSennakanuki, "線分中抜 ", Cursor},
      {"measure in the right half",
       ssRight,
       dtNo,
       [](TcadBox& b) { b.DGamen_LR = true; },
       {45, kFar},
       true,
       dtDkeisan,
       " 求　積  ",
       Cursor},
      {"undo far", ssRight, dtNo, {}, {90, kFar}, true, dtundo, "元に戻す ", Cursor},
      {"circle eighth near", ssRight, dtNo, {}, {90, kNear}, true, dtEnhitsuru, " 円1/8点 ", Top},
      {"arc middle with Shift", ssRight | ssShift, dtNo, {}, {90, kNear}, true, dtEnhitsuru2, "円弧中点 ", Top},
      {"Shift+Right elsewhere gives nothing", ssRight | ssShift, dtNo, {}, {0, kNear}, false, dtNo, "", Cursor},
      {"hatch near", ssRight, dtNo, {}, {135, kNear}, true, dtHachiHyozi, " ハッチ  ", Cursor},
      {"stock far", ssRight, dtNo, {}, {135, kFar}, true, dtFileTazumen, "ｽﾄｯｸﾃﾞ-ﾀ ", Cursor},
      {"point on a line", ssRight, dtNo, {}, {180, kFar}, true, dtSenzyouten2, "線上/交点", Top},
      {"copy near", ssRight, dtNo, {}, {225, kNear}, true, dtCopy, " 複　写  ", Cursor},
      {"move near", ssRight, dtNo, {}, {270, kNear}, true, dtIdoFree, " 移　動  ", Cursor},
      {"stretch range far", ssRight, dtNo, {}, {270, kFar}, true, dtHaniParamet, "ﾊﾟﾗﾒﾄﾘｯｸ ", Cursor},
      {"erase near", ssRight, dtNo, {}, {315, kNear}, true, dtHaniDel, " 消　去  ", Cursor},
      {"line delete far", ssRight, dtNo, {}, {315, kFar}, true, dtSenDel, " 線　消  ", Cursor},
      {"both buttons never", ssLeft | ssRight, dtNo, {}, {90, kNear}, false, dtNo, "", Cursor},
      {"Alt gives nothing", ssLeft | ssAlt, dtNo, {}, {90, kNear}, false, dtNo, "", Cursor},
      {"below the length", ssLeft, dtNo, {}, {90, 39}, false, dtNo, "", Cursor},
      {"at the length", ssLeft, dtNo, {}, {90, 40}, true, dtMozi, " 文　字  ", Cursor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    TcadBox& b = Box();
    b.ButonType = c.mode;
    if (c.state) c.state(b);
    b.PressPoint = {kPressX, kPressY};
    b.LabelAnchor = b.PressPoint;
    const RPoint2D cursor = CursorOf(c.drag);
    EXPECT_EQ(b.TrackDragGesture(c.shift, c.mode, cursor.x, cursor.y), c.taken);
    EXPECT_EQ(b.PendingGesture, c.code);
    EXPECT_EQ(b.GesturePending, c.code != dtNo);
    const std::string caption = J(c.caption);
    if (c.code == dtNo) continue;
    EXPECT_EQ(caption.size(), 9u) << "every caption is nine bytes";
    if (c.shown == Cursor) {
      EXPECT_EQ(b.LabelPrevText, caption);
    } else if (c.shown == Top) {
      EXPECT_EQ(b.TopMessage, caption);
    }
    const bool keepsMode = c.code == dtFukusenten;
    EXPECT_EQ(b.SavedMode, keepsMode ? dtNo : c.mode);
  }
}

TEST_F(GestureMenu, TheBandsTintTheCaptionAndTheToggleMovesItsAnchorAway) {
  TcadBox& b = Box();
  b.PressPoint = {kPressX, kPressY};
  b.LabelAnchor = b.PressPoint;
  RPoint2D c = CursorOf({90, kFar});
  b.TrackDragGesture(ssLeft, dtNo, c.x, c.y);
  EXPECT_EQ(b.LabelColour, 3) << "the text delete shows blue";
  c = CursorOf({315, kNear});
  b.TrackDragGesture(ssRight, dtNo, c.x, c.y);
  EXPECT_EQ(b.LabelColour, 2) << "the erase shows red";
  c = CursorOf({315, kFar});
  b.TrackDragGesture(ssRight, dtNo, c.x, c.y);
  EXPECT_EQ(b.LabelColour, 3);
  // Exactly at the threshold the band of the previous move stays.
  b.LabelColour = 1;
  c = CursorOf({0, 40});
  b.TrackDragGesture(ssLeft, dtNo, c.x, c.y);
  EXPECT_EQ(b.LabelColour, 1);

  Reset();
  b.ButonType = dtMozi;
  b.PlaceText = "A";
  b.LabelAnchor = b.PressPoint;
  c = CursorOf({0, kNear});
  b.TrackDragGesture(ssLeft, dtMozi, c.x, c.y);
  EXPECT_LT(b.LabelAnchor.x, -999999);
  Reset();
  b.ButonType = dtCopyFree;
  b.B_Switch = on1;
  b.LabelAnchor = b.PressPoint;
  b.TrackDragGesture(ssLeft, dtCopyFree, c.x, c.y);
  EXPECT_EQ(b.LabelAnchor.x, kPressX) << "the copy's direction toggle keeps its anchor";
}

// Through the mouse, in the idle state.
TEST_F(GestureMenu, AnIdleDragUpShowsTheTextGesturesAndTheReleaseTellsTheHost) {
  auto dragUp = [&](double pixels) {
    const RDrag drag{90, pixels};
    const RPoint2D end = CursorOf(drag);
    Drag(kPressX, kPressY, end.x, end.y, ssLeft);
  };
  dragUp(30);
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtNo, 0}));
  dragUp(60);
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtNo, 10}));
  EXPECT_EQ(Box().PendingGesture, dtNo);
  EXPECT_TRUE(Box().LabelPrevText.empty()) << "the caption leaves with the release";
  ExpectScreenMatchesRedraw();
  dragUp(100);
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtNo, 28}));
  EXPECT_EQ(Box().ClickKind, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, ADragThatComesBackBelowTheLengthTurnsItsCaptionGreyUntilTheRelease) {
  Press(kPressX, kPressY, ssLeft);
  RPoint2D c = CursorOf({90, kNear});
  MoveTo(c.x, c.y);
  EXPECT_EQ(Box().LabelPrevText, J(" 文　字  "));
  c = CursorOf({90, 20});
  MoveTo(c.x, c.y);
  EXPECT_EQ(Box().LabelPrevText, "---------");
  EXPECT_FALSE(Box().GesturePending);
  Release(c.x, c.y, ssLeft);
  EXPECT_TRUE(Box().LabelPrevText.empty());
  EXPECT_EQ(Box().CaptionCancelled, 0);
  EXPECT_EQ(BanGoCalls.back().GenBan, 0) << "nothing is done";
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, WithTheProgramsThresholdsNoDragMakesAGesture) {
  Box().DridoL1 = 5000;
  Box().DridoL2 = 4000;
  Drag(10, 10, 120, 90, ssLeft);
  Drag(10, 10, 120, 90, ssRight);
  EXPECT_EQ(Hint(), "  " + J("コマンド指示"));
  for (const RBanGoCall& call : BanGoCalls) EXPECT_EQ(call.GenBan, 0);
  EXPECT_EQ(Box().ButonType, dtNo);
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, APressAtTheOriginOffersGesturesToo) {
  Box().ViewWindow = {-64, -48, 64, 48};  // the origin in the middle of the view
  RedrawAsTheHostDoes();
  Drag(0, 0, 0, 12, ssLeft);
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtNo, 10}));
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, AMiddleDragPansTheDrawingAndTheWheelGoesBackToZoom) {
  const RViewRect before = Box().ViewWindow;
  Drag(60, 48, 50, 46, ssMiddle);  // 51 pixels: in the near band
  EXPECT_NEAR(Box().ViewWindow.Left, before.Left + 10, 1e-9);
  EXPECT_NEAR(Box().ViewWindow.Bottom, before.Bottom + 2, 1e-9);
  EXPECT_EQ(Box().WheelMode, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, TheReleaseOfAMiddlePanTakesAShownCaptionAway) {
  // A caption at the cursor (as a command's warning shows one), then a pan:
  // the pan waits for its release like a gesture, and the release erases
  // the caption.
  Box().ShowCursorLabel("abc");
  ASSERT_EQ(Box().LabelPrevText, "abc");
  Drag(60, 48, 50, 46, ssMiddle);  // 51 pixels: in the near band
  EXPECT_EQ(Box().LabelPrevText, "");
  EXPECT_FALSE(Box().GesturePending);
  ExpectScreenMatchesRedraw();
}

TEST_F(GestureMenu, TheReleaseCarriesOutTheChosenGesture) {
  TcadBox& b = Box();
  struct Case {
    const char* what;
    Sbuttontype code;
    std::uint8_t sector;
    std::function<void()> check;
    Sbuttontype pendingAfter = dtNo;  // dtNo: the gesture is done with
  } cases[] = {
      {"host action", dtundo, 2, [&] { EXPECT_EQ(b.GenBan, 32); }},
      {"line handed to the host", dtDraf, 2, [&] { EXPECT_EQ(b.GenBan, 14); }},
      {"trim handed to the host", dttreming, 2, [&] { EXPECT_EQ(b.GenBan, 13); }},
      {"text delete drops the click", dtMoziDel, 2,
       [&] {
         EXPECT_EQ(b.GenBan, 28);
         EXPECT_EQ(b.ClickKind, 0);
       }},
      {"hatch reselect", dtHachiten2, 4, [&] { EXPECT_EQ(b.GenBan, 29); }},
      {"text outside the direction toggle", dtMozi, 2, [&] { EXPECT_EQ(b.GenBan, 10); }},
      {"text direction toggle", dtMozi, 0,
       [&] {
         EXPECT_EQ(b.DirectionMode, 1);
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame5+115"});
       }},
      {"envelope switches and keeps the interrupted mode", dtDraggu, 0,
       [&] {
         EXPECT_EQ(b.ButonType, dtDraggu);
         EXPECT_EQ(b.SavedMode, dtBox);
       }},
      {"attribute read at once", dtzokusei, 6,
       [&] {
         EXPECT_EQ(b.ButonType, dtzokusei);
         EXPECT_EQ(b.ClickKind, 2);
       }},
      {"attribute change at once", dtZokuseiHen, 7, [&] { EXPECT_EQ(b.ClickKind, 3); }},
      {"range confirm tells the first panel", dtHani, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame31+111"}); }},
      {"confirm waiting", dtkakutei, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame18+100"}); }},
      {"site table", dtSikichi, 2,
       [&] {
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame22+111"});
         EXPECT_EQ(b.ClickKind, 0);
       }},
      {"new dimension", dtsunposen, 2,
       [&] {
         EXPECT_EQ(b.ButonType, dtsunposen);
         EXPECT_EQ(b.SavedMode, dtNo);
       }},
      {"offset end change", dtFukuSenTanbu, 0,
       [&] {
         EXPECT_EQ(b.ButonType, dtFukuSenTanbu);
         EXPECT_EQ(b.B_Switch, on1);
       }},
      {"angle step toggled", dtDrafRen, 0,
       [&] {
         EXPECT_EQ(b.AngleStep, 0);
         EXPECT_EQ(b.KeptLineAngleStep, 15);
       }},
      {"fence handed to the host", dtiikatufugo, 2,
       [&] {
         EXPECT_EQ(b.ButonType, dtiikatufugo);
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame32+115"});
       }},
      {"free copy direction toggle", dtCopyFree, 0,
       [&] {
         EXPECT_EQ(b.DirectionMode, 1);  // 0 steps to 1
         EXPECT_EQ(b.ClickKind, 0);
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+115"});
       }},
      {"centre line angle toggle", dtRenSunpoCyusin2, 0,
       [&] {
         EXPECT_EQ(b.ClickKind, 0);
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame30+115"});
       }},
      {"copy reselect", dtCopy2, 2, [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+118"}); }},
      {"free move reselect", dtIdoFree2, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+118"}); }},
      {"area reselect", dtSokuteiMen2, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame13+118"}); }},
      {"area confirm", dtSokuteiMen, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame13+111"}); }},
      {"cut-out delete confirm", dtKiritorisakuzyo, 2,
       [&] {
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame11+112"});
         EXPECT_EQ(b.RangeConfirmKind, 0);
       }},
      {"floor table", dtYuka, 2,
       [&] {
         EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame22+111"});
         EXPECT_EQ(b.ClickKind, 0);
       }},
      {"hatch confirm", dtHachiTen, 2,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame20+100"}); }},
      {"single or double line", dtDrafRen, 4,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame3+118"}); }, dtDrafRen},
      {"single or chained line", dtDrafRen, 5,
       [&] { EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame3+119"}); }, dtDrafRen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    b.ButonType = dtBox;
    b.SavedMode = dtBox;
    b.GenBan = 0;
    b.DirectionMode = 0;
    b.AngleStep = 15;
    b.ClickKind = 5;
    TakeNotifications();
    b.PendingGesture = c.code;
    b.GestureSector = c.sector;
    b.GesturePending = true;
    b.RangeConfirmKind = 2;
    b.ExecuteDragGesture(0, 0);
    EXPECT_FALSE(b.GesturePending);
    EXPECT_EQ(b.PendingGesture, c.pendingAfter);
    c.check();
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(GestureMenu, TheTwoPointOffsetStartsFromASnappedPressPoint) {
  Seed({Point(50, 40)});
  TcadBox& b = Box();
  b.ButonType = dtFukusen;
  b.PressPoint = {51, 41};
  b.PendingGesture = dtFukusenten;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  EXPECT_EQ(b.ButonType, dtFukusen);
  EXPECT_EQ(b.ClickKind, 7);
  EXPECT_EQ(b.CurrentPoint.x, 50);
  EXPECT_EQ(b.CurrentPoint.y, 40);
  EXPECT_EQ(TopMessage(), J("2点目指示"));
  EXPECT_EQ(b.PendingGesture, dtNo);
  ExpectScreenMatchesRedraw();
  // Nothing at the press: the gesture is dropped.
  b.PressPoint = {90, 80};
  b.PendingGesture = dtFukusenten;
  b.GesturePending = true;
  b.ClickKind = 5;
  b.ExecuteDragGesture(0, 0);
  EXPECT_EQ(b.ClickKind, 0);
  EXPECT_EQ(TopMessage(), J(" 点なし "));
  // The shorter caption is drawn on its own box over the longer one, whose
  // end stays beside it until the next full redraw.
  const int pastTheCaption = 85;  // pixels from the left, on the caption's top row
  EXPECT_EQ(Box().Canvas().GetPixel(pastTheCaption, 3), 0xB4FFFFu) << "RGB(255, 255, 180)";
  RedrawAsTheHostDoes();
  EXPECT_EQ(Box().Canvas().GetPixel(pastTheCaption, 3), clBlack);
}

TEST_F(GestureMenu, AConfirmedCopyRangeTakesTheSelectionIntoTheBuffer) {
  RDrawElement selected = Line(20, 20, 40, 20);
  selected.Selection = 1;
  Seed({selected, Line(20, 30, 40, 30)});
  TcadBox& b = Box();
  b.ButonType = dtHaniCopy;
  b.PendingGesture = dtHaniCopy;
  b.RangeConfirmKind = 2;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  EXPECT_EQ(b.B_Switch, on1);
  ASSERT_EQ(Store().Buffer.size(), 1u);
  EXPECT_EQ(Value(Store().Buffer[0].Y1), 20);
  EXPECT_EQ(b.RangeConfirmKind, 0);
  EXPECT_TRUE(b.RubberErased);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+112"});
  ExpectScreenMatchesRedraw();
}

// The row whose action the release runs for a code: a family's name,
// "menu" for the menu's own, "" for none.
std::string ClaimantOf(Sbuttontype code) {
  const RGestureAction* action = GestureActionOf(code);
  if (action == nullptr) return "";
  for (const RHandlerSet& set : CommandRegistry().HandlerSets()) {
    if (set.Row == nullptr) continue;
    for (const RGestureAction& own : static_cast<const RCommandFamily*>(set.Row.get())->GestureActions) {
      if (&own == action) return set.Name;
    }
  }
  for (const RGestureAction& own : MenuGestureActions()) {
    if (&own == action) return "menu";
  }
  return "?";
}

TEST_F(GestureMenu, EveryCodeTheReleaseCarriesOutHasTheActionOfOneRow) {
  // Every code the release has always carried out, with the row that now
  // carries it: the family owning the mode of that name, or the menu for
  // the envelope drag, the attribute gestures, the confirmed copy ranges,
  // the codes handed to the host and the point assists' starts.
  struct Case {
    Sbuttontype code;
    const char* claimant;
  } cases[] = {
      {dtDraggu, "menu"},
      {dtzokusei, "menu"},
      {dtZokuseiHen, "menu"},
      {dtzikukaku, "menu"},
      {dtFukusenten, "Fukusen"},
      {dtkakudo, "kakudo"},
      {dtiikatusin, "iikatusin"},
      {dtiikatuBubun, "iikatuBubun"},
      {dtiikatufugo, "iikatufugo"},
      {dtMozi, "Mozi"},
      {dtCopyFree, "CopyFree"},
      {dtRenSunpoCyusin2, "RenSunpoCyusin2"},
      {dtCopy2, "CopyFree"},
      {dtIdoFree2, "CopyFree"},
      {dtSokuteiMen2, "SokuteiMen"},
      {dtSokuteiMen, "SokuteiMen"},
      {dtHani, "Hani"},
      {dtHaniCopy, "menu"},
      {dtHaniMove, "menu"},
      {dtKiritoriHani, "menu"},
      {dtKiritorisakuzyo, "KiritoriHani"},
      {dtSikichi, "Sikichi"},
      {dtYuka, "Yuka"},
      {dtHachiTen, "HachiTen"},
      {dtkakutei, "No"},
      {dtDrafRen, "DrafRen"},
      {dtRenSunpo, "RenSunpo"},
      {dtSupuLine, "SupuLine"},
      {dtkyokusen3ten, "kyokusen3ten"},
      {dtsunposen, "sunposen"},
      {dtFukuSenTanbu, "FukuSenTanbu"},
      {dtSenzyouten2, "Senzyouten2"},
      // Handed to the host.
      {dtSenSinsyuku, "menu"},
      {dtSenDel, "menu"},
      {dttreming, "menu"},
      {dtDraf, "menu"},
      {dtCopy, "menu"},
      {dtIdoFree, "menu"},
      {dtHaniDel, "menu"},
      {dtFukusen, "menu"},
      {dtBoxSen, "menu"},
      {dtEnKotei, "menu"},
      {dtMentori, "menu"},
      {dtzokuseihyozi, "menu"},
      {dtsunpoHyozi, "menu"},
      {dtRenSunpoCyusin, "menu"},
      {dtHaniParamet, "menu"},
      {dtMoziDel, "menu"},
      {dtHachiHyozi, "menu"},
      {dtHachiten2, "menu"},
      {dtFileTazumen, "menu"},
      {dtsensyuiro, "menu"},
      {dtundo, "menu"},
      {dtSunpokiri, "menu"},
      {dtHikidasisen, "menu"},
      {dtSennakanuki, "menu"},
      {dtDsokutei, "menu"},
      {dtDkeisan, "menu"},
      {dtBuzaikotei2, "menu"},
      {dttategu, "menu"},
      {dtbuntoku, "menu"},
      {dtmoziseiri, "menu"},
      // The point assists' starts.
      {dthitsuru, "menu"},
      {dtEnhitsuru, "menu"},
      {dtEnhitsuru2, "menu"},
  };
  for (const Case& c : cases) EXPECT_EQ(ClaimantOf(c.code), c.claimant) << int(c.code);
  // A code no gesture arms has no action.
  EXPECT_EQ(ClaimantOf(dtBox), "");
}

TEST_F(GestureMenu, ASetWithoutARowOfItsOwnClaimsNoCode) {
  // The canvas registry also takes sets added straight to it, which carry
  // no row; the lookup passes over them and finds the same claimants.
  RHandlerSet bare;
  bare.Name = "bare";
  bare.Modes = {dtNo};
  CommandRegistry().AddHandlerSet(bare);
  EXPECT_EQ(ClaimantOf(dtkakudo), "kakudo");
  EXPECT_EQ(ClaimantOf(dtHaniCopy), "menu");
  EXPECT_EQ(ClaimantOf(dtBox), "");
}

TEST_F(GestureMenu, TheCodesHandedToTheHostGiveTheirActionNumbers) {
  TcadBox& b = Box();
  const struct {
    Sbuttontype code;
    int genBan;
  } cases[] = {
      {dtSenSinsyuku, 11}, {dtSenDel, 12},       {dttreming, 13},     {dtDraf, 14},           {dtCopy, 15},
      {dtIdoFree, 16},     {dtHaniDel, 17},      {dtFukusen, 18},     {dtBoxSen, 19},         {dtEnKotei, 22},
      {dtMentori, 23},     {dtzokuseihyozi, 24}, {dtsunpoHyozi, 25},  {dtRenSunpoCyusin, 26}, {dtHaniParamet, 27},
      {dtMoziDel, 28},     {dtHachiHyozi, 29},   {dtHachiten2, 29},   {dtFileTazumen, 30},    {dtsensyuiro, 31},
      {dtundo, 32},        {dtSunpokiri, 33},    {dtHikidasisen, 36}, {dtSennakanuki, 37},    {dtDsokutei, 39},
      {dtDkeisan, 40},     {dtBuzaikotei2, 41},  {dttategu, 42},      {dtbuntoku, 43},        {dtmoziseiri, 44},
  };
  for (const auto& c : cases) {
    Reset();
    b.ButonType = dtNo;
    b.GenBan = 0;
    b.PendingGesture = c.code;
    b.GesturePending = true;
    b.ExecuteDragGesture(0, 0);
    EXPECT_EQ(b.GenBan, c.genBan) << int(c.code);
    EXPECT_EQ(b.PendingGesture, dtNo) << int(c.code);
    EXPECT_EQ(b.ButonType, dtNo) << int(c.code);
  }
}

}  // namespace
