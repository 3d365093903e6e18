#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <string>

#include "canvas/drawing_store.h"
#include "platform/dialogs.h"
#include "platform/picture.h"

namespace {

namespace fs = std::filesystem;

class PictureSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zuro_pictures_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A picture file of the given pixel size; the format follows the name.
  std::string Picture(const std::string& name, int width, int height, const char* format) {
    const std::string path = (folder_ / name).string();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format)) << path;
    return path;
  }

  fs::path folder_;
  ScriptedDialogs dialogs_;
  ScopedDialogs scoped_{dialogs_};
};

TEST_F(PictureSlots, SizeModeFollowsTheProportions) {
  Tdrawinp store;
  ASSERT_TRUE(store.InsertPicture(2, 3, 0, 0, 50, 999, Picture("wide.bmp", 200, 100, "BMP"), 1, false));
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 999, 40, Picture("tall.png", 100, 200, "PNG"), 1, false));
  const RBitMapData& wide = store.Pictures[0];
  EXPECT_EQ(wide.PictureKind, kPictureBitmap);
  EXPECT_EQ(wide.Aspect, 2.0);
  EXPECT_EQ(wide.X2, 50);
  EXPECT_EQ(wide.Y2, 25);
  EXPECT_EQ(wide.Group, 2);
  EXPECT_EQ(wide.Layer, 3);
  EXPECT_TRUE(wide.Picture->Transparent);
  const RBitMapData& tall = store.Pictures[1];
  EXPECT_EQ(tall.PictureKind, kPicturePng);
  EXPECT_EQ(tall.X2, 20);
  EXPECT_EQ(tall.Y2, 40);
  EXPECT_EQ(store.PictureCount, 2);
  EXPECT_EQ(store.Counts[2][3].Graphic, 1);
}

TEST_F(PictureSlots, SizeModeZeroKeepsTheGivenRectangle) {
  // The same wide picture as above (aspect 2) placed in a tall rectangle:
  // without size mode 1 the rectangle stays as given, not 50 x 25.
  Tdrawinp store;
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 50, 999, Picture("wide.bmp", 200, 100, "BMP"), 0, false));
  const RBitMapData& slot = store.Pictures[0];
  EXPECT_EQ(slot.Aspect, 2.0);
  EXPECT_EQ(slot.X1, 0);
  EXPECT_EQ(slot.Y1, 0);
  EXPECT_EQ(slot.X2, 50);
  EXPECT_EQ(slot.Y2, 999);
}

TEST_F(PictureSlots, JpegKeptOrConvertedWhateverTheCaseOfItsExtension) {
  Tdrawinp store;
  const std::string path = Picture("photo.JPG", 40, 30, "JPEG");
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 10, 10, path, 0, false));
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 10, 10, path, 0, true));
  EXPECT_EQ(store.Pictures[0].PictureKind, kPictureJpeg);
  EXPECT_FALSE(store.Pictures[0].Picture->Transparent);
  EXPECT_EQ(store.Pictures[1].PictureKind, kPictureJpegAsBitmap);
  EXPECT_TRUE(store.Pictures[1].Picture->Transparent);
  EXPECT_EQ(store.Pictures[0].X2, 10) << "size mode 0 keeps the rectangle";
}

TEST_F(PictureSlots, DeletedSlotsAreNotHandedOutAgainUntilAllAreFree) {
  Tdrawinp store;
  const std::string path = Picture("a.bmp", 4, 4, "BMP");
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(store.InsertPicture(0, 0, i, 0, i + 1, 1, path, 0, false));
  store.DeletePicture(1);
  EXPECT_EQ(store.PictureCount, 3);
  EXPECT_TRUE(store.Pictures[1].FileName.empty());
  EXPECT_EQ(store.Pictures[1].Picture, nullptr);
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 1, 1, path, 0, false));
  EXPECT_FALSE(store.Pictures[3].FileName.empty());
  for (int slot : {0, 2, 3}) store.DeletePicture(slot);
  EXPECT_EQ(store.PictureCount, 0);
  EXPECT_EQ(store.Counts[0][0].Graphic, 0);
}

TEST_F(PictureSlots, ThirtyFirstPictureIsRefusedAndReorderingThirtyShowsNothing) {
  Tdrawinp store;
  const std::string path = Picture("a.bmp", 4, 4, "BMP");
  for (int i = 0; i < kPictureSlots; ++i) ASSERT_TRUE(store.InsertPicture(0, 0, i, 0, i + 1, 1, path, 0, false));
  EXPECT_FALSE(store.InsertPicture(0, 0, 0, 0, 1, 1, path, 0, false));
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].text,
            "\xB8\xDE\xD7\xCC\xA8\xAF\xB8\x95\x5C\x8E\xA6\x82\xCD.30\x82\xDC\x82\xC5\x82\xC5"
            "\x82\xB7\x81\x42\x82\xB1\x82\xEA\x88\xC8\x8F\xE3\x82\xCD\x95\x5C\x8E\xA6\x82\xC5"
            "\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x49");
  store.ReorderPicture(5, true, 0, false);
  store.ReorderPicture(7, false, 0, false);
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(store.PictureCount, kPictureSlots);
}

TEST_F(PictureSlots, ReorderingMovesPicturesWithoutTheirFiles) {
  Tdrawinp store;
  const std::string a = Picture("a.bmp", 4, 4, "BMP");
  const std::string b = Picture("b.png", 8, 4, "PNG");
  ASSERT_TRUE(store.InsertPicture(0, 0, 0, 0, 1, 1, a, 0, false));
  ASSERT_TRUE(store.InsertPicture(0, 0, 5, 5, 6, 6, b, 0, false));
  fs::remove(a);
  fs::remove(b);
  store.ReorderPicture(0, false, 0, false);  // a to the front: drawn last
  EXPECT_EQ(store.Pictures[0].FileName, b);
  EXPECT_EQ(store.Pictures[1].FileName, a);
  ASSERT_NE(store.Pictures[1].Picture, nullptr);
  EXPECT_EQ(store.Pictures[1].Picture->Width(), 4);
  EXPECT_EQ(store.Pictures[0].X1, 5);
  store.ReorderPicture(1, true, 0, false);  // and back under the other
  EXPECT_EQ(store.Pictures[0].FileName, a);

  Tdrawinp single;
  ASSERT_TRUE(single.InsertPicture(0, 0, 0, 0, 1, 1, Picture("c.bmp", 2, 2, "BMP"), 0, false));
  single.ReorderPicture(0, false, 0, false);
  EXPECT_FALSE(single.Pictures[0].FileName.empty());
  EXPECT_EQ(single.PictureCount, 1);
}

TEST_F(PictureSlots, UnreadableFilesAndOtherExtensions) {
  Tdrawinp store;
  const std::string broken = (folder_ / "broken.bmp").string();
  std::ofstream(broken) << "BM not really a bitmap";
  EXPECT_FALSE(store.InsertPicture(0, 0, 0, 0, 1, 1, broken, 0, false));
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  const std::string text = (folder_ / "notes.txt").string();
  std::ofstream(text) << "text";
  EXPECT_FALSE(store.InsertPicture(0, 0, 0, 0, 1, 1, text, 0, false));
  EXPECT_EQ(dialogs_.shown.size(), 1u) << "other extensions are ignored silently";
  EXPECT_EQ(store.PictureCount, 0);
}

TEST_F(PictureSlots, ScaleGroupAndClearAll) {
  Tdrawinp store;
  const std::string path = Picture("a.bmp", 4, 2, "BMP");
  ASSERT_TRUE(store.InsertPicture(1, 0, 1, 2, 3, 4, path, 0, false));
  ASSERT_TRUE(store.InsertPicture(2, 0, 1, 2, 3, 4, path, 0, false));
  store.ScaleGroup(1, 0, 2.0);
  EXPECT_EQ(store.Pictures[0].X2, 6);
  EXPECT_EQ(store.Pictures[0].Aspect, 2.0);
  EXPECT_EQ(store.Pictures[1].X2, 3);
  store.ClearAll();
  EXPECT_EQ(store.PictureCount, 0);
  EXPECT_TRUE(store.Pictures[0].FileName.empty());
}

}  // namespace
