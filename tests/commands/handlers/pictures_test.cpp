// The picture commands: picking the topmost shown picture, moving it,
// resizing it from its fixed corner, deleting it and changing its place in
// the drawing order.

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/command_harness.h"

namespace {

namespace fs = std::filesystem;

constexpr TColor kRed = 0x0000FF;  // $00BBGGRR
constexpr TColor kBlue = 0xFF0000;

class PictureCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    std::string pattern = (fs::temp_directory_path() / "zuro_picture_commands_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    fs::remove_all(folder_);
    CommandHarness::TearDown();
  }

  // A bitmap of one colour and the given pixel size, stretched over the
  // rectangle, in the next slot; the drawing redrawn.
  void AddPicture(TColor colour, double x1, double y1, double x2, double y2, int pixelsWide = 4, int pixelsHigh = 4,
                  std::uint8_t layer = 0) {
    const std::string path = (folder_ / ("p" + std::to_string(count_++) + ".bmp")).string();
    QImage image(pixelsWide, pixelsHigh, QImage::Format_RGB32);
    image.fill(QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF)));
    ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP"));
    ASSERT_TRUE(Store().InsertPicture(0, layer, x1, y1, x2, y2, path, 0, false));
    Box().RedrawAll(false);
  }

  const RBitMapData& Slot(int i) { return Store().Pictures[static_cast<std::size_t>(i)]; }

  void ExpectCorners(int slot, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(Slot(slot).X1, x1, 1e-9);
    EXPECT_NEAR(Slot(slot).Y1, y1, 1e-9);
    EXPECT_NEAR(Slot(slot).X2, x2, 1e-9);
    EXPECT_NEAR(Slot(slot).Y2, y2, 1e-9);
  }

  fs::path folder_;
  int count_ = 0;
};

TEST_F(PictureCommands, ThePickTakesTheTopmostShownPicture) {
  AddPicture(kRed, 10, 10, 40, 40);
  AddPicture(kBlue, 30, 30, 60, 50);
  Store().LayerStates[1] = kLayerHidden;
  Store().LayerStates[2] = kLayerReference;
  AddPicture(kRed, 70, 10, 90, 30, 4, 4, 1);
  AddPicture(kRed, 70, 50, 90, 70, 4, 4, 2);
  struct Case {
    double x, y;
    std::int32_t slot;  // -1: nothing picked
    double width, height;
  } cases[] = {{35, 35, 1, 30, 20}, {15, 15, 0, 30, 30}, {80, 20, -1, 0, 0}, {80, 60, -1, 0, 0}, {100, 90, -1, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    Box().ButonType = dtpictureMove;
    Box().PickedIndex[2] = -1;
    Box().PasteScaleX = Box().PasteScaleY = 0;
    TakeNotifications();
    Click(c.x, c.y);
    EXPECT_EQ(Box().PickedIndex[2], c.slot);
    EXPECT_EQ(Box().CommandStep, c.slot < 0 ? 0 : 1);
    EXPECT_EQ(Box().PasteScaleX, c.width);
    EXPECT_EQ(Box().PasteScaleY, c.height);
    EXPECT_EQ(TakeNotifications(), c.slot < 0 ? std::vector<std::string>{} : std::vector<std::string>{"TFrame14+106"});
    CancelCommands();  // keeps the pictures, unlike a fresh drawing
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PictureCommands, AMovedPictureKeepsItsSizeAndFollowsTheCursor) {
  AddPicture(kRed, 10, 10, 40, 40);
  Box().ButonType = dtpictureMove;
  Click(15, 15);
  // The pick point lies 5 right of and 5 above the first corner.
  MoveTo(50, 50);
  // The outline follows in XOR, corners (45, 45)-(75, 75); the picture has
  // not moved yet.
  EXPECT_EQ(PixelAt(45, 60), 0xC0C0C0u);
  EXPECT_EQ(PixelAt(20, 20), kRed);
  MoveTo(52, 58);
  Click(50, 60);
  ExpectCorners(0, 45, 55, 75, 85);
  EXPECT_EQ(Box().CommandStep, 0);
  EXPECT_TRUE(UndoLog().empty()) << "slot changes are no undo steps";
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(PixelAt(60, 70), kRed);
  EXPECT_NE(PixelAt(20, 20), kRed);
}

TEST_F(PictureCommands, TheMoveOutlineIsDrawnWhateverPenCameBefore) {
  AddPicture(kRed, 10, 10, 40, 40);
  Box().ButonType = dtpictureMove;
  Click(15, 15);
  Box().Canvas().Pen.Style = psClear;  // left by an earlier drawing
  MoveTo(50, 50);
  // The outline's left side, x = 45 from y = 46 to 74: every pixel on it.
  const double step = 1.0 / kHarnessPixelsPerUnit;
  for (double y = 46; y <= 74; y += step) EXPECT_EQ(PixelAt(45, y), 0xC0C0C0u) << y;
}

TEST_F(PictureCommands, TheMoveTakesThePointOffsetAndSnappedPoints) {
  RDrawElement point = Point(60, 60);
  Seed({point});
  AddPicture(kRed, 10, 10, 40, 40);
  TcadBox& box = Box();
  box.ButonType = dtpictureMove;
  box.PointOffset = {500, 0};  // 5 drawing units to the right
  Click(10, 12);               // picks at (15, 12)
  ASSERT_EQ(box.PickedIndex[2], 0);
  Click(50, 50);  // placed at (55, 50): corners 5 left and 2 below it
  ExpectCorners(0, 50, 48, 80, 78);
  ExpectScreenMatchesRedraw();
  box.PointOffset = {0, 0};
  Click(52, 50);  // picks at (52, 50)
  MoveTo(60.4, 60.3);
  Click(60.4, 60.3, ssRight);  // snaps to the point
  ExpectCorners(0, 58, 58, 88, 88);
  ExpectScreenMatchesRedraw();
  Click(60, 60);
  Press(120, 5, ssRight);  // nothing to snap to
  EXPECT_EQ(box.Mhan1, 1);
  Release(120, 5, ssRight);
  ExpectCorners(0, 58, 58, 88, 88);
}

TEST_F(PictureCommands, TheMoveOutlineIsErasedWhenTheCursorLeaves) {
  AddPicture(kRed, 10, 10, 40, 40);
  Box().ButonType = dtpictureMove;
  Click(15, 15);
  MoveTo(60, 50);
  Leave();
  ExpectScreenMatchesRedraw();
  EXPECT_TRUE(Box().RubberErased);
  Enter();
  MoveTo(62, 50);
  Click(62, 50);
  ExpectCorners(0, 57, 45, 87, 75);
  ExpectScreenMatchesRedraw();
}

TEST_F(PictureCommands, AResizeSetsTheOppositeCornerAndTellsTheHost) {
  // 4 x 2 pixels: an aspect of 2.
  AddPicture(kRed, 10, 10, 40, 40, 4, 2);
  TcadBox& box = Box();
  struct Case {
    std::uint8_t keepAspect;
    double x, y;
    double x2, y2;  // the new corner
  } cases[] = {
      {0, 50, 30, 50, 30},
      {1, 50, 70, 50, 30},   // y = 10 + (50 - 10) / 2
      {0, 0, 5, 0, 5},       // to the lower left: a negative size
      {1, -10, 90, -10, 0},  // y = 10 + (-10 - 10) / 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " aspect " << int(c.keepAspect));
    box.ButonType = dtpictureKakudai;
    box.PictureKeepAspect = c.keepAspect;
    RBitMapData& slot = Store().Pictures[0];
    slot.X1 = slot.Y1 = 10;
    slot.X2 = slot.Y2 = 40;
    Box().RedrawAll(false);
    TakeNotifications();
    Click(20, 20);
    ASSERT_EQ(box.CommandStep, 1);
    MoveTo(c.x, c.y);
    Click(c.x, c.y);
    ExpectCorners(0, 10, 10, c.x2, c.y2);
    EXPECT_NEAR(box.PasteScaleX, c.x2 - 10, 1e-9);
    EXPECT_NEAR(box.PasteScaleY, c.y2 - 10, 1e-9);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame14+100"});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PictureCommands, AResizeToNoWidthOrHeightIsRefused) {
  AddPicture(kRed, 10, 10, 40, 40);
  TcadBox& box = Box();
  box.ButonType = dtpictureKakudai;
  for (const RPoint2D corner : {RPoint2D{30, 10}, RPoint2D{10, 30}}) {
    TakeNotifications();
    Click(20, 20);
    MoveTo(corner.x, corner.y);
    Click(corner.x, corner.y);
    ExpectCorners(0, 10, 10, 40, 40);
    EXPECT_TRUE(TakeNotifications().empty());
    EXPECT_EQ(box.CommandStep, 0);
    ExpectScreenMatchesRedraw();
    EXPECT_EQ(box.PickPictureAt(20, 20), true) << "the picture can still be picked";
  }
}

TEST_F(PictureCommands, DeleteFrontAndBackChangeWhatLiesOnTop) {
  AddPicture(kRed, 10, 10, 40, 40);
  AddPicture(kBlue, 30, 30, 60, 60);
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(PixelAt(35, 35), kBlue) << "the higher slot is drawn over the lower";
  struct Case {
    Sbuttontype mode;
    double x, y;
    TShiftState button;
    TColor onTop;
  } cases[] = {{dtpicturezen, 15, 15, ssLeft, kRed},
               {dtpicturehai, 15, 15, ssLeft, kBlue},
               {dtpicturehai, 55, 55, ssRight, kRed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Box().ButonType = c.mode;
    BanGoCalls.clear();
    Click(c.x, c.y, c.button);
    ExpectScreenMatchesRedraw();
    EXPECT_EQ(PixelAt(35, 35), c.onTop);
    ASSERT_FALSE(BanGoCalls.empty());
    EXPECT_EQ(BanGoCalls.back().GenBan, 49);
  }
  Box().ButonType = dtpictureDel;
  BanGoCalls.clear();
  Click(100, 90);  // on no picture: nothing, GenBan left alone
  for (const RBanGoCall& call : BanGoCalls) EXPECT_NE(call.GenBan, 49);
  Click(15, 15);  // the red one, now under the blue
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(PixelAt(35, 35), kBlue);
  EXPECT_NE(PixelAt(15, 15), kRed);
  int left = 0;
  for (int i = 0; i < kPictureSlots; ++i) left += !Slot(i).FileName.empty();
  EXPECT_EQ(left, 1);
}

TEST_F(PictureCommands, APressThatWentOffAsAGestureDeletesNothing) {
  // The press goes 100 pixels up (a gesture) and comes back to where it
  // started before the release: the click was given up on the way.
  AddPicture(kRed, 10, 10, 40, 40);
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dtpictureDel;
  BanGoCalls.clear();
  MoveTo(25, 25);
  Press(25, 25, ssLeft);
  MoveTo(25, 45);
  MoveTo(25, 25.2);  // 1 pixel from the press: no gesture any more
  Release(25, 25.2, ssLeft);
  EXPECT_EQ(box.ButonType, dtpictureDel);
  EXPECT_FALSE(Slot(0).FileName.empty()) << "the picture is still there";
  for (const RBanGoCall& call : BanGoCalls) EXPECT_NE(call.GenBan, 49);
}

TEST_F(PictureCommands, ARightClickActsWhereItPoints) {
  AddPicture(kRed, 10, 10, 40, 40);
  AddPicture(kBlue, 60, 10, 90, 40);
  Box().ButonType = dtpictureDel;
  Click(100, 90);  // a left click on nothing: its point must not be reused
  Click(75, 25, ssRight);
  EXPECT_FALSE(Slot(0).FileName.empty() && Slot(1).FileName.empty());
  int blue = 0, red = 0;
  for (int i = 0; i < kPictureSlots; ++i) {
    if (Slot(i).FileName.empty()) continue;
    (Slot(i).X1 == 60 ? blue : red) += 1;
  }
  EXPECT_EQ(blue, 0) << "the picture pointed at went";
  EXPECT_EQ(red, 1);
  ExpectScreenMatchesRedraw();
}

}  // namespace
