#pragma once
// Pictures placed into a drawing: bitmaps (BMP, PNG), JPEG images and
// metafiles (WMF, EMF), loaded from files and drawn stretched into a
// rectangle by TCanvas::StretchDraw. A file that cannot be read or decoded
// gives an error result with a message; the picture then stays empty.

#include "platform/canvas.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

enum class TPictureFormat { Bitmap, Png, Jpeg, Wmf, Emf };

// By the extension, without regard to case; none for other extensions.
std::optional<TPictureFormat> PictureFormatFromFileName(const std::string& fileName);

struct TPictureLoadResult {
  bool Ok = false;
  std::string Message;  // why the picture could not be loaded
};

class TGraphic {
 public:
  TGraphic();
  ~TGraphic();
  TGraphic(TGraphic&&) noexcept;
  TGraphic& operator=(TGraphic&&) noexcept;

  // fileName in code page 932.
  TPictureLoadResult LoadFromFile(const std::string& fileName, TPictureFormat format);
  TPictureLoadResult LoadFromBytes(std::string_view bytes, TPictureFormat format);

  bool Empty() const;
  bool IsMetafile() const;
  // Pixel size; metafiles at 96 pixels per inch.
  int Width() const;
  int Height() const;

  // When set, pixels of TransparentColor are left out by StretchDraw.
  bool Transparent = false;
  TColor TransparentColor = clWhite;

  struct Impl;
  const Impl& Internals() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};
