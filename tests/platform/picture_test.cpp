#include "platform/picture.h"
#include "geometry/codepage.h"
#include "platform/canvas.h"
#include "platform/file_services.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" {
#include <jpeglib.h>
}

namespace {

// ---- fixtures written by the tests --------------------------------------------------

// 4 x 2 pixels: top row red, green, blue, white; bottom row black, yellow,
// aqua, white.
QImage SmallImage() {
  QImage image(4, 2, QImage::Format_RGB32);
  const QRgb top[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
  const QRgb bottom[4] = {qRgb(0, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  for (int x = 0; x < 4; ++x) {
    image.setPixel(x, 0, top[x]);
    image.setPixel(x, 1, bottom[x]);
  }
  return image;
}

std::string Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A 16 x 8 JPEG of one colour through libjpeg's own compressor.
std::string JpegOf(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[static_cast<size_t>(x) * 3] = r;
    row[static_cast<size_t>(x) * 3 + 1] = g;
    row[static_cast<size_t>(x) * 3 + 2] = b;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(out), size);
  std::free(out);
  return bytes;
}

struct Bytes {
  std::string data;
  void U16(unsigned v) {
    data += static_cast<char>(v & 0xFF);
    data += static_cast<char>((v >> 8) & 0xFF);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
};

// A placeable Windows metafile 100 x 50 units at 96 units per inch: a red
// brush and one rectangle over the whole picture.
std::string WmfRectangle() {
  Bytes b;
  // Placeable header: key, handle, bounding box, units per inch, reserved,
  // checksum (XOR of the ten words before it).
  const unsigned words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 50, 96, 0, 0};
  unsigned checksum = 0;
  for (unsigned w : words) {
    b.U16(w);
    checksum ^= w;
  }
  b.U16(checksum);
  // Header: type 1 (memory), 9 words, version 3.0, size 40 words, 1 object,
  // largest record 7 words, no parameters.
  b.U16(1);
  b.U16(9);
  b.U16(0x0300);
  b.U32(40);
  b.U16(1);
  b.U32(7);
  b.U16(0);
  b.U32(5);
  b.U16(0x020B);
  b.U16(0);
  b.U16(0);  // SETWINDOWORG y, x
  b.U32(5);
  b.U16(0x020C);
  b.U16(50);
  b.U16(100);  // SETWINDOWEXT height, width
  b.U32(7);
  b.U16(0x02FC);
  b.U16(0);
  b.U32(0x0000FF);
  b.U16(0);  // CREATEBRUSHINDIRECT solid red
  b.U32(4);
  b.U16(0x012D);
  b.U16(0);  // SELECTOBJECT 0
  b.U32(7);
  b.U16(0x041B);
  b.U16(50);
  b.U16(100);
  b.U16(0);
  b.U16(0);  // RECTANGLE b, r, t, l
  b.U32(3);
  b.U16(0x0000);  // EOF
  return b.data;
}

// An enhanced metafile 100 x 50 pixels (frame 2646 x 1323 hundredths of a
// millimetre at 96 pixels per inch): a red brush and one rectangle.
std::string EmfRectangle() {
  Bytes b;
  b.U32(1);  // EMR_HEADER
  b.U32(88);
  b.U32(0);
  b.U32(0);
  b.U32(99);
  b.U32(49);  // bounds, pixels
  b.U32(0);
  b.U32(0);
  b.U32(2646);
  b.U32(1323);        // frame, 0.01 mm
  b.U32(0x464D4520);  // " EMF"
  b.U32(0x10000);
  b.U32(168);  // bytes
  b.U32(5);    // records
  b.U16(2);
  b.U16(0);  // handles, reserved
  b.U32(0);
  b.U32(0);
  b.U32(0);  // description, palette
  b.U32(1024);
  b.U32(768);  // device, pixels
  b.U32(320);
  b.U32(240);  // device, millimetres
  b.U32(39);
  b.U32(24);
  b.U32(1);
  b.U32(0);
  b.U32(0x0000FF);
  b.U32(0);  // CREATEBRUSHINDIRECT
  b.U32(37);
  b.U32(12);
  b.U32(1);  // SELECTOBJECT
  b.U32(43);
  b.U32(24);
  b.U32(0);
  b.U32(0);
  b.U32(100);
  b.U32(50);  // RECTANGLE
  b.U32(14);
  b.U32(20);
  b.U32(0);
  b.U32(16);
  b.U32(20);  // EOF
  return b.data;
}

bool Reddish(TColor c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, bl = (c >> 16) & 0xFF;
  return r > 200 && g < 60 && bl < 60;
}

// ---- tests -------------------------------------------------------------------------------

TEST(PictureFormat, ChosenByExtensionWithoutRegardToCase) {
  struct Case {
    std::string name;
    std::optional<TPictureFormat> format;
  };
  const Case cases[] = {
      {"a.bmp", TPictureFormat::Bitmap},       {"A.BMP", TPictureFormat::Bitmap},
      {"x.png", TPictureFormat::Png},          {"photo.JPG", TPictureFormat::Jpeg},
      {"p.jpeg", TPictureFormat::Jpeg},        {"v.wmf", TPictureFormat::Wmf},
      {"v.Emf", TPictureFormat::Emf},          {"dir.bmp/readme.txt", std::nullopt},
      {"noextension", std::nullopt},           {"", std::nullopt},
      {J("図面.bmp"), TPictureFormat::Bitmap},
  };
  for (const Case& k : cases) EXPECT_EQ(PictureFormatFromFileName(k.name), k.format) << k.name;
}

TEST(PictureRaster, BitmapAndPngLoadAndStretchPixelByPixel) {
  for (auto [format, name] : {std::pair{TPictureFormat::Bitmap, "BMP"}, std::pair{TPictureFormat::Png, "PNG"}}) {
    TGraphic g;
    const TPictureLoadResult r = g.LoadFromBytes(Encoded(SmallImage(), name), format);
    ASSERT_TRUE(r.Ok) << name << " " << r.Message;
    EXPECT_FALSE(g.Empty());
    EXPECT_FALSE(g.IsMetafile());
    EXPECT_EQ(g.Width(), 4);
    EXPECT_EQ(g.Height(), 2);
    TCanvas c(20, 20, clLime);
    c.StretchDraw({10, 10, 18, 14}, g);  // every picture pixel becomes 2 x 2
    struct Probe {
      int x, y;
      TColor colour;
    };
    const Probe probes[] = {{10, 10, clRed},   {11, 11, clRed},   {12, 10, 0x00FF00}, {14, 11, clBlue},
                            {16, 10, clWhite}, {10, 12, clBlack}, {13, 13, 0x00FFFF}, {15, 12, 0xFFFF00},
                            {17, 13, clWhite}, {18, 10, clLime},  {10, 14, clLime},   {9, 9, clLime}};
    for (const Probe& p : probes) EXPECT_EQ(c.GetPixel(p.x, p.y), p.colour) << name << " " << p.x << "," << p.y;
  }
}

TEST(PictureRaster, RectangleGivenBackwardsMirrorsThePicture) {
  TGraphic g;
  ASSERT_TRUE(g.LoadFromBytes(Encoded(SmallImage(), "PNG"), TPictureFormat::Png).Ok);
  struct Case {
    TRect rect;
    TColor topLeft, bottomLeft;
  };
  const Case cases[] = {
      {{0, 0, 4, 2}, clRed, clBlack},
      {{4, 0, 0, 2}, clWhite, clWhite},  // right to left: white column first
      {{0, 2, 4, 0}, clBlack, clRed},    // bottom to top: rows exchanged
      {{4, 2, 0, 0}, clWhite, clWhite},
  };
  for (const Case& k : cases) {
    TCanvas c(4, 2, clLime);
    c.StretchDraw(k.rect, g);
    EXPECT_EQ(c.GetPixel(0, 0), k.topLeft);
    EXPECT_EQ(c.GetPixel(0, 1), k.bottomLeft);
  }
  TCanvas c(4, 2, clLime);
  c.StretchDraw({4, 0, 0, 2}, g);
  EXPECT_EQ(c.GetPixel(1, 0), clBlue);     // third column seen from the right
  EXPECT_EQ(c.GetPixel(2, 1), 0x00FFFFu);  // yellow
}

TEST(PictureRaster, WhiteIsLeftOutWhenTransparent) {
  TGraphic g;
  ASSERT_TRUE(g.LoadFromBytes(Encoded(SmallImage(), "BMP"), TPictureFormat::Bitmap).Ok);
  g.Transparent = true;
  TCanvas c(8, 4, clLime);
  c.StretchDraw({0, 0, 8, 4}, g);
  EXPECT_EQ(c.GetPixel(0, 0), clRed);
  EXPECT_EQ(c.GetPixel(6, 0), clLime);  // white: the canvas shows through
  EXPECT_EQ(c.GetPixel(6, 3), clLime);
  EXPECT_EQ(c.GetPixel(0, 3), clBlack);
}

TEST(PictureRaster, TransparentPngAreasBecomeWhite) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  image.setPixel(1, 0, qRgba(255, 0, 0, 255));
  TGraphic g;
  ASSERT_TRUE(g.LoadFromBytes(Encoded(image, "PNG"), TPictureFormat::Png).Ok);
  TCanvas c(2, 1, clLime);
  c.StretchDraw({0, 0, 2, 1}, g);
  EXPECT_EQ(c.GetPixel(0, 0), clWhite);
  EXPECT_EQ(c.GetPixel(1, 0), clRed);
}

TEST(PictureRaster, ZoomedFarBeyondTheCanvasDrawsOnlyTheVisiblePart) {
  TGraphic g;
  ASSERT_TRUE(g.LoadFromBytes(Encoded(SmallImage(), "PNG"), TPictureFormat::Png).Ok);
  // The canvas sits just right of and below the picture's middle, in its
  // third column and second row (aqua).
  TCanvas c(10, 10, clLime);
  c.StretchDraw({-2000000000, -1000000000, 2000000000, 1000000000}, g);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) EXPECT_EQ(c.GetPixel(x, y), 0xFFFF00u) << x << "," << y;
  }
  TCanvas outside(10, 10, clLime);
  outside.StretchDraw({-2000000000, 20, -1000000000, 40}, g);
  outside.StretchDraw({3, 3, 3, 9}, g);  // no width
  EXPECT_EQ(outside.GetPixel(5, 5), clLime);
}

TEST(PictureJpeg, DecodesThroughLibjpeg) {
  TGraphic g;
  const TPictureLoadResult r = g.LoadFromBytes(JpegOf(16, 8, 255, 0, 0), TPictureFormat::Jpeg);
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_EQ(g.Width(), 16);
  EXPECT_EQ(g.Height(), 8);
  TCanvas c(40, 40, clWhite);
  c.StretchDraw({0, 0, 32, 16}, g);
  EXPECT_TRUE(Reddish(c.GetPixel(16, 8)));
  EXPECT_TRUE(Reddish(c.GetPixel(0, 0)));
  EXPECT_EQ(c.GetPixel(33, 17), clWhite);
}

TEST(PictureMetafile, PlaceableWmfReportsItsSizeAndDraws) {
  TGraphic g;
  const TPictureLoadResult r = g.LoadFromBytes(WmfRectangle(), TPictureFormat::Wmf);
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_TRUE(g.IsMetafile());
  EXPECT_EQ(g.Width(), 100);  // 100 units at 96 per inch, shown at 96 pixels per inch
  EXPECT_EQ(g.Height(), 50);
  TCanvas c(140, 90, clWhite);
  c.StretchDraw({20, 20, 120, 70}, g);
  EXPECT_TRUE(Reddish(c.GetPixel(70, 45)));
  EXPECT_TRUE(Reddish(c.GetPixel(30, 30)));
  EXPECT_EQ(c.GetPixel(10, 10), clWhite);
  EXPECT_EQ(c.GetPixel(130, 80), clWhite);
}

TEST(PictureMetafile, EmfReportsItsSizeAndDraws) {
  TGraphic g;
  const TPictureLoadResult r = g.LoadFromBytes(EmfRectangle(), TPictureFormat::Emf);
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_TRUE(g.IsMetafile());
  EXPECT_EQ(g.Width(), 100);
  EXPECT_EQ(g.Height(), 50);
  TCanvas c(140, 90, clWhite);
  c.StretchDraw({20, 20, 120, 70}, g);
  EXPECT_TRUE(Reddish(c.GetPixel(70, 45)));
  EXPECT_EQ(c.GetPixel(10, 10), clWhite);
  EXPECT_EQ(c.GetPixel(130, 80), clWhite);
  // Zoomed far out of the canvas the metafile still draws its visible part.
  TCanvas z(20, 20, clWhite);
  z.StretchDraw({-1000000000, -1000000000, 1000000000, 1000000000}, g);
  EXPECT_TRUE(Reddish(z.GetPixel(10, 10)));
}

TEST(PictureErrors, TruncatedAndCorruptFilesAreErrorsNotCrashes) {
  const std::string bmp = Encoded(SmallImage(), "BMP");
  const std::string png = Encoded(SmallImage(), "PNG");
  const std::string jpeg = JpegOf(16, 8, 0, 0, 255);
  const std::string wmf = WmfRectangle();
  const std::string emf = EmfRectangle();
  std::string badJpeg = jpeg.substr(0, 20) + std::string(200, '\x55');
  std::string badWmfRecord = wmf;
  badWmfRecord[40] = '\x01';  // first record claims 1 word
  std::string badEmfSignature = emf;
  badEmfSignature[40] = 'X';
  std::string emfOversizedRecord = emf;
  emfOversizedRecord[92] = '\x7F';  // the brush record claims a size no record can have
  struct Case {
    const char* name;
    TPictureFormat format;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty bitmap", TPictureFormat::Bitmap, ""},
      {"bitmap cut in its pixels", TPictureFormat::Bitmap, bmp.substr(0, bmp.size() - 5)},
      {"bitmap cut in its header", TPictureFormat::Bitmap, bmp.substr(0, 20)},
      {"png given as bitmap", TPictureFormat::Bitmap, png},
      {"png cut", TPictureFormat::Png, png.substr(0, png.size() - 13)},
      {"png signature only", TPictureFormat::Png, png.substr(0, 8)},
      {"jpeg cut in half", TPictureFormat::Jpeg, jpeg.substr(0, jpeg.size() / 2)},
      {"jpeg marker only", TPictureFormat::Jpeg, jpeg.substr(0, 2)},
      {"jpeg with garbage", TPictureFormat::Jpeg, badJpeg},
      {"bitmap given as jpeg", TPictureFormat::Jpeg, bmp},
      {"wmf cut", TPictureFormat::Wmf, wmf.substr(0, wmf.size() - 6)},
      {"wmf header only", TPictureFormat::Wmf, wmf.substr(0, 30)},
      {"wmf bad record size", TPictureFormat::Wmf, badWmfRecord},
      {"wmf of text", TPictureFormat::Wmf, std::string(100, 'a')},
      {"emf cut", TPictureFormat::Emf, emf.substr(0, emf.size() - 20)},
      {"emf header only", TPictureFormat::Emf, emf.substr(0, 88)},
      {"emf bad signature", TPictureFormat::Emf, badEmfSignature},
      {"emf oversized record", TPictureFormat::Emf, emfOversizedRecord},
      {"wmf given as emf", TPictureFormat::Emf, wmf},
  };
  for (const Case& k : cases) {
    TGraphic g;
    ASSERT_TRUE(g.LoadFromBytes(bmp, TPictureFormat::Bitmap).Ok);
    const TPictureLoadResult r = g.LoadFromBytes(k.bytes, k.format);
    EXPECT_FALSE(r.Ok) << k.name;
    EXPECT_FALSE(r.Message.empty()) << k.name;
    EXPECT_TRUE(g.Empty()) << k.name;  // a failed load leaves no picture
    EXPECT_EQ(g.Width(), 0) << k.name;
    TCanvas c(4, 4, clLime);
    c.StretchDraw({0, 0, 4, 4}, g);  // an empty picture draws nothing
    EXPECT_EQ(c.GetPixel(1, 1), clLime) << k.name;
  }
}

TEST(PictureFiles, LoadFromFileAndMissingFile) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zuro_picture_test";
  std::filesystem::create_directories(dir);
  const std::string utf8Name = (dir / "図.png").string();
  {
    std::ofstream out(utf8Name, std::ios::binary);
    out << Encoded(SmallImage(), "PNG");
  }
  TGraphic g;
  const TPictureLoadResult ok = g.LoadFromFile(Cp932FromUtf8(utf8Name), TPictureFormat::Png);
  EXPECT_TRUE(ok.Ok) << ok.Message;
  EXPECT_EQ(g.Width(), 4);
  const std::string missingName = Cp932FromUtf8((dir / "none.png").string());
  const TPictureLoadResult missing = g.LoadFromFile(missingName, TPictureFormat::Png);
  EXPECT_FALSE(missing.Ok);
  EXPECT_NE(missing.Message.find("none.png"), std::string::npos);
  EXPECT_TRUE(g.Empty());
  const TPictureLoadResult folder = g.LoadFromFile(Cp932FromUtf8(dir.string()), TPictureFormat::Png);
  EXPECT_FALSE(folder.Ok);

  // A file above the largest picture is refused by its size (sparse here:
  // nothing of it exists to be read).
  const std::string hugeName = (dir / "huge.bmp").string();
  { std::ofstream out(hugeName, std::ios::binary); }
  std::filesystem::resize_file(hugeName, kLargestPictureFile + 1);
  const TPictureLoadResult huge = g.LoadFromFile(Cp932FromUtf8(hugeName), TPictureFormat::Bitmap);
  EXPECT_FALSE(huge.Ok);
  EXPECT_NE(huge.Message.find("too large"), std::string::npos) << huge.Message;
  std::filesystem::remove_all(dir);
}

void PutU32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutU32BigEndian(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

// A bitmap header (file header and 40-byte info header) with the given
// size, depth and compression, followed by `pixels` bytes.
std::string BitmapHeader(int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t compression, size_t pixels) {
  Bytes b;
  b.data = "BM";
  b.U32(static_cast<uint32_t>(54 + pixels));
  b.U32(0);
  b.U32(54);
  b.U32(40);
  b.U32(static_cast<uint32_t>(width));
  b.U32(static_cast<uint32_t>(height));
  b.U16(1);
  b.U16(bitsPerPixel);
  b.U32(compression);
  for (int i = 0; i < 5; ++i) b.U32(0);
  b.data += std::string(pixels, '\0');
  return b.data;
}

TEST(PictureErrors, HeadersClaimingTooMuchAreRefusedBeforeDecoding) {
  // The largest picture: 64 Mi pixels.
  EXPECT_EQ(kLargestPicturePixels, 67108864u);

  // JPEG: the frame header (SOF0) gives height and width after FF C0, length
  // and precision.
  std::string bigJpeg = JpegOf(16, 8, 0, 0, 255);
  const size_t sof = bigJpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  bigJpeg[sof + 5] = '\xEA';  // 60000 rows
  bigJpeg[sof + 6] = '\x60';
  bigJpeg[sof + 7] = '\xEA';  // 60000 columns
  bigJpeg[sof + 8] = '\x60';

  // PNG: width and height of IHDR, 65536 x 65536.
  std::string bigPng = Encoded(SmallImage(), "PNG");
  PutU32BigEndian(bigPng, 16, 65536);
  PutU32BigEndian(bigPng, 20, 65536);
  // Both near 2^32: their product passes 64 bits.
  std::string widestPng = Encoded(SmallImage(), "PNG");
  PutU32BigEndian(widestPng, 16, 0xFDFDFDFD);
  PutU32BigEndian(widestPng, 20, 0xFDFDFDFD);

  // WMF (placeable header of 22 bytes first): the largest record, at 12 in
  // the metafile header, claims 4 GB; or less than a record the file holds.
  std::string wmfHugeRecord = WmfRectangle();
  PutU32(wmfHugeRecord, 22 + 12, 0x7FFFFFFF);
  std::string wmfSmallRecord = WmfRectangle();
  PutU32(wmfSmallRecord, 22 + 12, 5);  // the brush and the rectangle take 7 words

  // EMF: description (count at 60, offset at 64), records (52), palette (68).
  std::string emfDescriptionPast = EmfRectangle();
  PutU32(emfDescriptionPast, 60, 0x40000000);
  PutU32(emfDescriptionPast, 64, 88);
  std::string emfDescriptionOffsetPast = EmfRectangle();
  PutU32(emfDescriptionOffsetPast, 60, 4);
  PutU32(emfDescriptionOffsetPast, 64, 0x7FFFFFF0);
  // An offset without a count: the converter would read to a zero past the end.
  std::string emfDescriptionWithoutCount = EmfRectangle();
  PutU32(emfDescriptionWithoutCount, 64, 168);
  std::string emfRecordCount = EmfRectangle();
  PutU32(emfRecordCount, 52, 0x7FFFFFFF);
  std::string emfPalette = EmfRectangle();
  PutU32(emfPalette, 68, 0x40000000);
  std::string emfHeaderSize = EmfRectangle();
  PutU32(emfHeaderSize, 4, 90);

  struct Case {
    const char* name;
    TPictureFormat format;
    std::string bytes;
  };
  const Case cases[] = {
      // 2^31 - 1 squared at 65535 bits per pixel: the row size times the
      // height passes 64 bits.
      {"bitmap of 2^31 x 2^31", TPictureFormat::Bitmap, BitmapHeader(0x7FFFFFFF, 0x7FFFFFFF, 0xFFFF, 0, 64)},
      {"bitmap of 2^31 rows upwards", TPictureFormat::Bitmap, BitmapHeader(1, INT32_MIN, 24, 0, 64)},
      // Run-length data is short whatever the size: the size alone refuses it.
      {"rle bitmap of 40000 x 40000", TPictureFormat::Bitmap, BitmapHeader(40000, 40000, 8, 1, 64)},
      {"jpeg of 60000 x 60000", TPictureFormat::Jpeg, bigJpeg},
      {"png of 65536 x 65536", TPictureFormat::Png, bigPng},
      {"png of 2^32 x 2^32", TPictureFormat::Png, widestPng},
      {"wmf largest record 4 GB", TPictureFormat::Wmf, wmfHugeRecord},
      {"wmf record above the largest", TPictureFormat::Wmf, wmfSmallRecord},
      {"emf description past the file", TPictureFormat::Emf, emfDescriptionPast},
      {"emf description offset past the file", TPictureFormat::Emf, emfDescriptionOffsetPast},
      {"emf description offset without a count", TPictureFormat::Emf, emfDescriptionWithoutCount},
      {"emf record count", TPictureFormat::Emf, emfRecordCount},
      {"emf palette", TPictureFormat::Emf, emfPalette},
      {"emf header size", TPictureFormat::Emf, emfHeaderSize},
  };
  for (const Case& k : cases) {
    TGraphic g;
    const TPictureLoadResult r = g.LoadFromBytes(k.bytes, k.format);
    EXPECT_FALSE(r.Ok) << k.name;
    EXPECT_FALSE(r.Message.empty()) << k.name;
    EXPECT_TRUE(g.Empty()) << k.name;
  }
  TGraphic g;
  EXPECT_NE(g.LoadFromBytes(bigJpeg, TPictureFormat::Jpeg).Message.find("too large"), std::string::npos);
}

TEST(PictureMetafile, EmfDescriptionRightAfterTheHeaderLoads) {
  // The header record grows from 88 to 96 bytes to hold a description of 4
  // characters (8 bytes) at offset 88, its first legal place; the file grows
  // from 168 to 176 bytes.
  std::string emf = EmfRectangle();
  emf.insert(88, std::string("a\0b\0\0\0\0\0", 8));
  PutU32(emf, 4, 96);
  PutU32(emf, 48, 176);
  PutU32(emf, 60, 4);
  PutU32(emf, 64, 88);
  TGraphic g;
  const TPictureLoadResult r = g.LoadFromBytes(emf, TPictureFormat::Emf);
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_EQ(g.Width(), 100);
  EXPECT_EQ(g.Height(), 50);
}

TEST(PictureMetafile, AnEmfFrameBeyondAnyScreenReportsAMillionPixels) {
  // A frame 2^31 - 1 hundredths of a millimetre wide is 81 million pixels at
  // 96 per inch; the width stops at 2^20 = 1048576.
  std::string emf = EmfRectangle();
  PutU32(emf, 32, 0x7FFFFFFF);
  TGraphic g;
  const TPictureLoadResult r = g.LoadFromBytes(emf, TPictureFormat::Emf);
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_EQ(g.Width(), 1048576);
  EXPECT_EQ(g.Height(), 50);
}

// A PNG of one colour, 8-bit RGB, built chunk by chunk: each row is its
// filter byte (none) and its pixels; the zlib stream comes from qCompress
// without its 4-byte length in front.
uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string PngChunk(const char* type, const std::string& body) {
  std::string chunk(4, '\0');
  PutU32BigEndian(chunk, 0, static_cast<uint32_t>(body.size()));
  const std::string typed = std::string(type, 4) + body;
  std::string crc(4, '\0');
  PutU32BigEndian(crc, 0, Crc32(typed));
  return chunk + typed + crc;
}

std::string OneColourPng(uint32_t width, uint32_t height, unsigned char r, unsigned char g, unsigned char b) {
  std::string header(13, '\0');
  PutU32BigEndian(header, 0, width);
  PutU32BigEndian(header, 4, height);
  header[8] = 8;  // bits per sample
  header[9] = 2;  // RGB
  std::string row(1 + 3 * static_cast<size_t>(width), '\0');
  for (size_t x = 0; x < width; ++x) {
    row[1 + 3 * x] = static_cast<char>(r);
    row[2 + 3 * x] = static_cast<char>(g);
    row[3 + 3 * x] = static_cast<char>(b);
  }
  QByteArray raw;
  raw.reserve(static_cast<qsizetype>(row.size() * height));
  for (uint32_t y = 0; y < height; ++y) raw.append(row.data(), static_cast<qsizetype>(row.size()));
  const QByteArray packed = qCompress(raw, 9);
  return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
         PngChunk("IDAT", std::string(packed.constData() + 4, static_cast<size_t>(packed.size() - 4))) +
         PngChunk("IEND", "");
}

// The same as an uncompressed 24-bit bitmap, rows bottom up, each padded to
// four bytes.
std::string OneColourBitmap(int32_t width, int32_t height, unsigned char r, unsigned char g, unsigned char b) {
  const size_t rowBytes = (3 * static_cast<size_t>(width) + 3) / 4 * 4;
  std::string bytes = BitmapHeader(width, height, 24, 0, 0);
  std::string row(rowBytes, '\0');
  for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
    row[3 * x] = static_cast<char>(b);
    row[3 * x + 1] = static_cast<char>(g);
    row[3 * x + 2] = static_cast<char>(r);
  }
  bytes.reserve(bytes.size() + rowBytes * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) bytes += row;
  PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

TEST(PictureRaster, PicturesUpToThePixelLimitDecodeWhateverTheDecodersOwnLimit) {
  // 5800 x 5800 = 33,640,000 pixels: above the 32 Mi pixels that Qt's own
  // default limit of 128 MB allows at 4 bytes a pixel, below 64 Mi.
  struct Case {
    const char* name;
    TPictureFormat format;
    std::string bytes;
  };
  const Case cases[] = {
      {"png", TPictureFormat::Png, OneColourPng(5800, 5800, 0, 0, 255)},
      {"bitmap", TPictureFormat::Bitmap, OneColourBitmap(5800, 5800, 0, 0, 255)},
  };
  for (const Case& k : cases) {
    TGraphic g;
    const TPictureLoadResult r = g.LoadFromBytes(k.bytes, k.format);
    EXPECT_TRUE(r.Ok) << k.name << ": " << r.Message;
    EXPECT_EQ(g.Width(), 5800) << k.name;
    EXPECT_EQ(g.Height(), 5800) << k.name;
    TCanvas c(2, 2, clLime);
    c.StretchDraw({0, 0, 2, 2}, g);
    EXPECT_EQ(c.GetPixel(1, 1), clBlue) << k.name;
  }
}

TEST(PictureErrors, APictureAboveThePixelLimitIsCalledTooLarge) {
  // 8192 x 8192 is the limit itself; one row more is above it. Only the
  // headers are there: the size is refused before the data is looked for.
  struct Case {
    const char* name;
    TPictureFormat format;
    std::string bytes;
    const char* message;
  };
  std::string pngAbove = OneColourPng(4, 2, 0, 0, 0);
  PutU32BigEndian(pngAbove, 16, 8192);
  PutU32BigEndian(pngAbove, 20, 8193);
  std::string pngAtLimitCut = pngAbove;  // at the limit, but its data does not fit: invalid, not too large
  PutU32BigEndian(pngAtLimitCut, 20, 8192);
  const Case cases[] = {
      {"png 8192 x 8193", TPictureFormat::Png, pngAbove, "PNG image is too large"},
      {"png 8192 x 8192 without its data", TPictureFormat::Png, pngAtLimitCut, "PNG image is not valid"},
      {"bitmap 8192 x 8193", TPictureFormat::Bitmap, BitmapHeader(8192, 8193, 24, 0, 64), "Bitmap image is too large"},
      {"bitmap 8192 x 8192 cut", TPictureFormat::Bitmap, BitmapHeader(8192, 8192, 24, 0, 64),
       "Bitmap image is not valid"},
  };
  for (const Case& k : cases) {
    TGraphic g;
    const TPictureLoadResult r = g.LoadFromBytes(k.bytes, k.format);
    EXPECT_FALSE(r.Ok) << k.name;
    EXPECT_EQ(r.Message, k.message) << k.name;
    EXPECT_TRUE(g.Empty()) << k.name;
  }
}

}  // namespace
