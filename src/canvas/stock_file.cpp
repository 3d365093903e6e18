#include "canvas/stock_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "platform/file_services.h"

namespace {

// The file is little endian, as is every machine this program runs on; the
// values are copied byte for byte.
template <typename T>
void Append(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
T Take(std::string_view bytes, std::size_t at) {
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

constexpr std::size_t kStylesOffset = 156;
// Records gather in a buffer of this size, small enough to stay in the cache,
// before they go to the file.
constexpr std::size_t kStreamChunk = 256 * 1024;
constexpr std::size_t kMaxStockTexts = 65535;
constexpr std::size_t kMaxStockTextBytes = 65534;

bool SameSize(const RTextStyle& a, const RTextStyle& b) {
  return a.Width == b.Width && a.Height == b.Height && a.Spacing == b.Spacing;
}

int WidthAndSpacing(const RTextStyle& s) { return static_cast<int>(s.Width) + static_cast<int>(s.Spacing); }

}  // namespace

TDDGObject::TDDGObject() = default;
TDDGObject::~TDDGObject() = default;

void TDDGObject::WriteElement(const RDrawElement& element, std::int32_t count, double baseX, double baseY,
                              double rotation, double xFactor, double yFactor,
                              const std::array<double, kLayerGroups>& groupScales,
                              const std::array<RTextStyle, kTextStyleCount>& styles) {
  if (HeaderWritten == 0) {
    // A file held whole is reserved whole; one that goes out chunk by chunk
    // reuses one chunk. The text table is added at the end.
    const std::size_t whole = kStockHeaderSize + static_cast<std::size_t>(std::max(count, 0)) * kStockRecordSize + 2;
    Stream.reserve(KeepInMemory ? whole : std::min(whole, kStreamChunk + kStockRecordSize));
    Append(Stream, count);
    Append(Stream, rotation);
    Append(Stream, xFactor);
    Append(Stream, yFactor);
    for (const double s : groupScales) Append(Stream, s);
    for (const RTextStyle& s : styles) Append(Stream, s);
    HeaderWritten = 1;
  }
  if (element.Kind >= kKindNone) return;  // no element: never written
  RDrawElement e = element;
  e.X1 = e.X1 - baseX;
  e.Y1 = e.Y1 - baseY;
  // Arcs and points keep their radius, ratio and angles where a line keeps its end.
  if (e.Kind != kKindArc && e.Kind != kKindPoint) {
    e.X2 = e.X2 - baseX;
    e.Y2 = e.Y2 - baseY;
  }
  e.Selection = 0;
  e.Scratch = 0;
  Append(Stream, e);
  ++recordsWritten_;
  if (Stream.size() >= kStreamChunk && !KeepInMemory) {
    if (!file_) {
      FilePath = StockFilePath();
      file_ = std::make_unique<AtomicFileWriter>(FilePath);
    }
    file_->Write(Stream);
    Stream.clear();
  }
}

void TDDGObject::AppendTextTable() {
  if (Texts.size() > kMaxStockTexts) {
    throw FileError(J("ストックファイルに書ける文字は65535個までです。"));
  }
  for (const std::string& t : Texts) {
    if (t.size() > kMaxStockTextBytes) throw FileError(J("ストックファイルに書けない長さの文字があります。"));
  }
  Append(Stream, static_cast<std::uint16_t>(Texts.size()));
  for (const std::string& t : Texts) {
    Append(Stream, static_cast<std::uint16_t>(t.size() + 1));
    Stream += t;
    Stream += '\0';
    if (file_ && Stream.size() >= kStreamChunk) {
      file_->Write(Stream);
      Stream.clear();
    }
  }
}

const std::string& TDDGObject::FinishStream() {
  if (file_) throw std::logic_error("the stock file's bytes went to the file");
  if (HeaderWritten == 0) {
    // Nothing was written: still a whole file, of no elements.
    const std::array<double, kLayerGroups> scales{};
    std::array<RTextStyle, kTextStyleCount> styles;
    std::memset(styles.data(), 0, sizeof(RTextStyle) * styles.size());
    Append(Stream, std::int32_t{0});
    Append(Stream, 0.0);
    Append(Stream, 1.0);
    Append(Stream, 1.0);
    for (const double s : scales) Append(Stream, s);
    for (const RTextStyle& s : styles) Append(Stream, s);
    HeaderWritten = 1;
  }
  // A receiver counts the records by the header: it must name the records
  // that are really there, also when some were left out.
  std::memcpy(Stream.data(), &recordsWritten_, sizeof recordsWritten_);
  AppendTextTable();
  return Stream;
}

void TDDGObject::SaveStockFile() {
  if (!file_) {
    FilePath = StockFilePath();
    WriteFileAtomically(FilePath, FinishStream());
    return;
  }
  try {
    AppendTextTable();
  } catch (const FileError&) {
    file_.reset();  // nothing of it stays behind
    throw;
  }
  file_->Write(Stream);
  Stream.clear();
  // A receiver counts the records by the header: it must name the records
  // that are really there, also when some were left out.
  file_->WriteAt(0, std::string_view(reinterpret_cast<const char*>(&recordsWritten_), sizeof recordsWritten_));
  const std::unique_ptr<AtomicFileWriter> file = std::move(file_);
  file->Commit();
}

bool TDDGObject::Refuse(const char* reasonUtf8) {
  ErrorText = J("ストックファイル \"") + Cp932FromPath(FilePath) + J("\" を読み込めません。") + J(reasonUtf8);
  return false;
}

bool TDDGObject::OpenStockFile(const std::array<RTextStyle, kTextStyleCount>& styles) {
  ElementCount = 0;
  FilePath = StockFilePath();
  // Only a missing stock is an empty one; a folder or a device in its place
  // is refused before the import changes anything.
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::symlink_status(FilePath, ec);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  if (!FileExists(FilePath)) return Refuse("通常のファイルではありません。");
  std::string bytes;
  if (!ReadWholeFile(FilePath, bytes, kLargestStockFile)) {
    return Refuse(errno == EFBIG ? "ファイルが大きすぎます。" : "ファイルを開けません。");
  }
  return OpenStockBytes(std::move(bytes), styles);
}

bool TDDGObject::OpenStockBytes(std::string bytes, const std::array<RTextStyle, kTextStyleCount>& styles) {
  ElementCount = 0;
  const std::string_view b(bytes);
  // Every count is checked against the bytes before anything is taken in.
  if (b.size() < kStockHeaderSize + 2) return Refuse("ファイルが短すぎます。");
  const std::int32_t n = Take<std::int32_t>(b, 0);
  if (n < 0) return Refuse("要素数が正しくありません。");
  const std::uint64_t textsAt = kStockHeaderSize + static_cast<std::uint64_t>(n) * kStockRecordSize;
  if (textsAt + 2 > b.size()) return Refuse("要素数がファイルの長さと合いません。");
  std::size_t at = static_cast<std::size_t>(textsAt);
  const std::size_t m = Take<std::uint16_t>(b, at);
  at += 2;
  for (std::size_t k = 0; k < m; ++k) {
    if (at + 2 > b.size()) return Refuse("文字の表が途中で切れています。");
    const std::size_t length = Take<std::uint16_t>(b, at);
    at += 2;
    if (length > b.size() - at) return Refuse("文字の表が途中で切れています。");
    at += length;
  }
  if (at != b.size()) return Refuse("文字の表の後に余分なデータがあります。");

  // The paste transform and the scales reach coordinates: they must be numbers.
  for (std::size_t off = 4; off < kStylesOffset; off += 8) {
    if (!std::isfinite(Take<double>(b, off))) return Refuse("変換の値またはスケールが数値ではありません。");
  }

  FileRotation = Take<double>(b, 4);
  FileXFactor = Take<double>(b, 12);
  FileYFactor = Take<double>(b, 20);
  for (std::size_t g = 0; g < FileGroupScales.size(); ++g) FileGroupScales[g] = Take<double>(b, 28 + 8 * g);
  for (std::size_t s = 0; s < FileStyles.size(); ++s) {
    FileStyles[s] = Take<RTextStyle>(b, kStylesOffset + sizeof(RTextStyle) * s);
  }
  CurrentStyles = styles;
  ElementCount = n;
  recordsLeft_ = static_cast<std::size_t>(n);
  textCount_ = m;
  readPos_ = kStockHeaderSize;
  Stream = std::move(bytes);
  MapTextStyles();
  return true;
}

bool TDDGObject::ReadElement(RDrawElement& element) {
  if (recordsLeft_ == 0) return false;
  std::memcpy(&element, Stream.data() + readPos_, kStockRecordSize);
  readPos_ += kStockRecordSize;
  --recordsLeft_;
  return true;
}

std::vector<std::string> TDDGObject::ReadTextTable() {
  std::vector<std::string> texts;
  if (Stream.empty()) return texts;
  // The table follows the last record, wherever the reading stopped.
  std::size_t at = kStockHeaderSize + static_cast<std::size_t>(ElementCount) * kStockRecordSize;
  const std::string_view b(Stream);
  const std::size_t m = Take<std::uint16_t>(b, at);
  at += 2;
  texts.reserve(m);
  for (std::size_t k = 0; k < m; ++k) {
    const std::size_t length = Take<std::uint16_t>(b, at);
    at += 2;
    const std::string_view entry = b.substr(at, length);
    texts.emplace_back(entry.substr(0, entry.find('\0')));
    at += length;
  }
  return texts;
}

void TDDGObject::MapTextStyles() {
  for (int i = 1; i <= 10; ++i) StyleMap[static_cast<std::size_t>(i)] = 0;
  bool all = true;
  for (std::size_t i = 1; i <= 10; ++i) {
    if (SameSize(FileStyles[i], CurrentStyles[i])) {
      StyleMap[i] = static_cast<std::uint8_t>(i);
    } else {
      all = false;
    }
  }
  if (all) return;
  for (std::size_t i = 1; i <= 10; ++i) {
    if (StyleMap[i] != 0) continue;
    std::size_t same = 0;
    for (std::size_t j = 1; j <= 10 && same == 0; ++j) {
      if (SameSize(CurrentStyles[j], FileStyles[i])) same = j;
    }
    if (same != 0) {
      StyleMap[i] = static_cast<std::uint8_t>(same);
      continue;
    }
    // The largest width plus spacing not above the file style's; of equal
    // sums the smallest number.
    const int f = WidthAndSpacing(FileStyles[i]);
    std::size_t best = 0;
    int bestSum = 0;
    for (std::size_t j = 1; j <= 10; ++j) {
      const int sum = WidthAndSpacing(CurrentStyles[j]);
      if (sum > 0 && sum <= f && sum > bestSum) {
        best = j;
        bestSum = sum;
      }
    }
    StyleMap[i] = static_cast<std::uint8_t>(best != 0 ? best : 2);
  }
}

std::uint8_t TDDGObject::MappedStyle(int number) const {
  if (number < 0 || number >= kTextStyleCount) return 0;
  return StyleMap[static_cast<std::size_t>(number)];
}

std::string TDDGObject::StyleSuffix(const std::string& text, int s) const {
  if (s < 0 || s >= kTextStyleCount) return text;
  const RTextStyle& style = FileStyles[static_cast<std::size_t>(s)];
  return text + Format("##%d/%d/%d/%d/%d/%d", {style.Width, style.Height, style.Spacing, 0, 0, 0});
}

bool SanitizeStockRecord(RDrawElement& e, std::size_t textCount) {
  if (e.Kind >= kKindNone) return false;
  if (e.Group >= kLayerGroups || e.Layer >= kLayersPerGroup) return false;
  const double x1 = e.X1, y1 = e.Y1;
  if (!std::isfinite(x1) || !std::isfinite(y1)) return false;
  if (e.Kind == kKindPoint) return true;
  const double x2 = e.X2;  // the radius of an arc
  if (!std::isfinite(x2)) return false;
  switch (e.Kind) {
    case kKindArc: {
      const float ratio = e.Ratio, start = e.StartAngle, end = e.EndAngle, turn = e.Rotation;
      if (!std::isfinite(ratio) || !std::isfinite(start) || !std::isfinite(end) || !std::isfinite(turn)) return false;
      break;
    }
    case kKindText: {
      const double y2 = e.Y2;
      const float angle = e.TextAngle;
      if (!std::isfinite(y2) || !std::isfinite(angle)) return false;
      if (e.TextIndex >= textCount) return false;
      if (e.TextStyle >= kTextStyleCount) e.TextStyle = 0;
      break;
    }
    default: {
      const double y2 = e.Y2;
      if (!std::isfinite(y2)) return false;
      break;
    }
  }
  return true;
}
