// The picture loaders on any bytes: the first byte chooses the format
// (bitmap, PNG, JPEG, WMF, EMF), the rest is the file. A load must fail with
// a message or give a picture of a sensible size that draws without error.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <QGuiApplication>

#include "platform/canvas.h"
#include "platform/file_services.h"
#include "platform/picture.h"

// Text in a metafile is laid out with the platform's fonts, which need the
// application object, as in the program; headless, the offscreen platform.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "fuzz_picture";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const TPictureFormat kFormats[] = {TPictureFormat::Bitmap, TPictureFormat::Png, TPictureFormat::Jpeg,
                                            TPictureFormat::Wmf, TPictureFormat::Emf};
  const TPictureFormat format = kFormats[data[0] % 5];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  TGraphic picture;
  const TPictureLoadResult result = picture.LoadFromBytes(bytes, format);
  if (!result.Ok) {
    if (result.Message.empty() || !picture.Empty()) std::abort();
    return 0;
  }
  if (picture.Width() < 0 || picture.Height() < 0) std::abort();
  if (!picture.IsMetafile() &&
      static_cast<std::uint64_t>(picture.Width()) * static_cast<std::uint64_t>(picture.Height()) >
          kLargestPicturePixels) {
    std::abort();
  }
  TCanvas canvas(16, 16, clWhite);
  canvas.StretchDraw({0, 0, 16, 16}, picture);
  return 0;
}
