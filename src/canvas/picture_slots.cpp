// The 30 picture slots of the drawing: pictures loaded from files, each
// stretched into a rectangle of the drawing on a layer group and layer.

#include <cmath>
#include <vector>

#include "canvas/drawing_store.h"
#include "geometry/codepage.h"
#include "platform/dialogs.h"
#include "platform/picture.h"

namespace {

bool IsJpegKind(std::uint8_t kind) { return kind == kPictureJpeg || kind == kPictureJpegAsBitmap; }

// Bitmaps show white as transparent; a JPEG image kept as such does not.
void SetTransparency(RBitMapData& slot) {
  if (!slot.Picture) return;
  const bool bitmap =
      slot.PictureKind == kPictureBitmap || slot.PictureKind == kPicturePng || slot.PictureKind == kPictureJpegAsBitmap;
  slot.Picture->Transparent = bitmap;
  slot.Picture->TransparentColor = clWhite;
}

}  // namespace

void Tdrawinp::PlacePicture(RBitMapData& slot, double x1, double y1, double x2, double y2, std::uint8_t sizeMode) {
  slot.X1 = x1;
  slot.Y1 = y1;
  slot.X2 = x2;
  slot.Y2 = y2;
  if (sizeMode != 1) return;
  // Follow the picture's proportions: a wide one keeps its width, a tall one its height.
  if (slot.Aspect >= 1.0) {
    slot.Y2 = y1 + std::abs(x1 - x2) / slot.Aspect;
  } else {
    slot.X2 = x1 + std::abs(y1 - y2) * slot.Aspect;
  }
}

bool Tdrawinp::InsertPicture(std::uint8_t group, std::uint8_t layer, double x1, double y1, double x2, double y2,
                             const std::string& fileName, std::uint8_t sizeMode, bool asBitmap) {
  if (PictureCount >= kPictureSlots) {
    ShowMessage(J("ｸﾞﾗﾌｨｯｸ表示は.30までです。これ以上は表示できません！"));
    return false;
  }
  const std::optional<TPictureFormat> format = PictureFormatFromFileName(fileName);
  if (!format) return false;  // other extensions are ignored without a word

  auto picture = std::make_shared<TGraphic>();
  const TPictureLoadResult loaded = picture->LoadFromFile(fileName, *format);
  if (!loaded.Ok) {
    ShowMessage(J("画像ファイルを読み込めません。") + "\r\n" + fileName + "\r\n" + loaded.Message);
    return false;
  }

  RBitMapData& slot = Pictures[PictureCount];
  switch (*format) {
    case TPictureFormat::Bitmap: slot.PictureKind = kPictureBitmap; break;
    case TPictureFormat::Png: slot.PictureKind = kPicturePng; break;
    case TPictureFormat::Wmf:
    case TPictureFormat::Emf: slot.PictureKind = kPictureMetafile; break;
    case TPictureFormat::Jpeg: slot.PictureKind = asBitmap ? kPictureJpegAsBitmap : kPictureJpeg; break;
  }
  slot.Picture = std::move(picture);
  SetTransparency(slot);
  const int height = slot.Picture->Height();
  slot.Aspect = height == 0 ? 1.0 : static_cast<double>(slot.Picture->Width()) / height;
  PlacePicture(slot, x1, y1, x2, y2, sizeMode);
  slot.Group = group;
  slot.Layer = layer;
  slot.FileName = fileName;
  IncCount(group, layer, 1);
  ++PictureCount;
  return true;
}

void Tdrawinp::FreeAllPictures() {
  for (RBitMapData& slot : Pictures) {
    if (!slot.FileName.empty()) DecCount(slot.Group, slot.Layer, 1);
    slot = RBitMapData{};
  }
  SparePicture = RBitMapData{};
  PictureCount = 0;
}

void Tdrawinp::DeletePicture(std::int32_t slotIndex) {
  if (slotIndex < 0 || slotIndex >= kPictureSlots) return;
  RBitMapData& slot = Pictures[static_cast<std::size_t>(slotIndex)];
  if (!slot.FileName.empty()) DecCount(slot.Group, slot.Layer, 1);
  slot = RBitMapData{};
  // Freed slots are not handed out again until none is in use.
  for (const RBitMapData& other : Pictures) {
    if (!other.FileName.empty()) return;
  }
  FreeAllPictures();
}

// The loaded pictures move in memory: reloading them from their files would
// lose any picture whose file has gone since.
void Tdrawinp::ReorderPicture(std::int32_t slotIndex, bool toBack, std::uint8_t sizeMode, bool asBitmap) {
  if (PictureCount == 0 || slotIndex < 0 || slotIndex >= kPictureSlots) return;
  RBitMapData chosen = Pictures[static_cast<std::size_t>(slotIndex)];
  std::vector<RBitMapData> others;
  for (int i = 0; i < kPictureSlots; ++i) {
    if (i != slotIndex && !Pictures[static_cast<std::size_t>(i)].FileName.empty()) {
      others.push_back(Pictures[static_cast<std::size_t>(i)]);
    }
  }
  std::vector<RBitMapData> order;
  if (!chosen.FileName.empty() && toBack) order.push_back(chosen);
  order.insert(order.end(), others.begin(), others.end());
  if (!chosen.FileName.empty() && !toBack) order.push_back(chosen);

  FreeAllPictures();
  for (RBitMapData& slot : order) {
    if (IsJpegKind(slot.PictureKind)) slot.PictureKind = asBitmap ? kPictureJpegAsBitmap : kPictureJpeg;
    SetTransparency(slot);
    PlacePicture(slot, slot.X1, slot.Y1, slot.X2, slot.Y2, sizeMode);
    IncCount(slot.Group, slot.Layer, 1);
    Pictures[PictureCount++] = std::move(slot);
  }
}

void Tdrawinp::ScalePictures(std::uint8_t group, double factor) {
  for (RBitMapData& slot : Pictures) {
    if (slot.FileName.empty() || slot.Group != group) continue;
    slot.X1 *= factor;
    slot.Y1 *= factor;
    slot.X2 *= factor;
    slot.Y2 *= factor;
  }
}
