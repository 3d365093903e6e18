#include "platform/picture.h"

#include "geometry/codepage.h"
#include "platform/canvas_paint.h"
#include "platform/file_services.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <utility>

extern "C" {
#include <emf2svg.h>
#include <jerror.h>
#include <jpeglib.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace {

constexpr int kScreenPixelsPerInch = 96;

uint32_t ReadU32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t ReadU16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

int32_t ReadI32(std::string_view b, size_t at) { return static_cast<int32_t>(ReadU32(b, at)); }
int16_t ReadI16(std::string_view b, size_t at) { return static_cast<int16_t>(ReadU16(b, at)); }

uint32_t ReadU32BigEndian(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

TPictureLoadResult Failure(const std::string& message) { return TPictureLoadResult{false, message}; }

// Width times height in 64 bits: a header may claim any size, and a picture
// above kLargestPicturePixels is refused before anything is decoded.
bool PixelCountAcceptable(int64_t width, int64_t height) {
  const uint64_t w = width < 0 ? 0 - static_cast<uint64_t>(width) : static_cast<uint64_t>(width);
  const uint64_t h = height < 0 ? 0 - static_cast<uint64_t>(height) : static_cast<uint64_t>(height);
  // Divided rather than multiplied: two 32-bit sizes overflow 64 bits.
  return w == 0 || h <= kLargestPicturePixels / w;
}

// Our raster pictures have no alpha: what a file leaves transparent shows
// white, the colour that a transparent picture leaves out.
QImage Opaque(const QImage& image) {
  QImage result(image.size(), QImage::Format_RGB32);
  result.fill(Qt::white);
  QPainter painter(&result);
  painter.drawImage(0, 0, image);
  return result;
}

// ---- bitmaps -------------------------------------------------------------------

enum class RasterCheck { Complete, Incomplete, TooLarge };

// Uncompressed bitmap data must all be there; Qt alone would show a cut
// file with a grey or black remainder.
RasterCheck BitmapComplete(std::string_view b) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return RasterCheck::Incomplete;
  const uint32_t offBits = ReadU32(b, 10);
  const uint32_t headerSize = ReadU32(b, 14);
  if (offBits > b.size()) return RasterCheck::Incomplete;
  if (headerSize == 12) {  // old core header
    const int64_t w = ReadU16(b, 18);
    const int64_t h = ReadU16(b, 20);
    const int64_t bpp = ReadU16(b, 24);
    if (!PixelCountAcceptable(w, h)) return RasterCheck::TooLarge;
    const int64_t row = ((w * bpp + 31) / 32) * 4;
    return row * h <= static_cast<int64_t>(b.size() - offBits) ? RasterCheck::Complete : RasterCheck::Incomplete;
  }
  if (headerSize < 40 || b.size() < 14 + 40) return RasterCheck::Incomplete;
  const int64_t w = ReadI32(b, 18);
  const int64_t h = ReadI32(b, 22);
  const int64_t bpp = ReadU16(b, 28);
  const uint32_t compression = ReadU32(b, 30);
  if (w <= 0 || h == 0) return RasterCheck::Incomplete;
  if (!PixelCountAcceptable(w, h)) return RasterCheck::TooLarge;
  if (compression == 0 || compression == 3) {  // BI_RGB, BI_BITFIELDS
    const int64_t row = ((w * bpp + 31) / 32) * 4;
    return row * (h < 0 ? -h : h) <= static_cast<int64_t>(b.size() - offBits) ? RasterCheck::Complete
                                                                              : RasterCheck::Incomplete;
  }
  return RasterCheck::Complete;  // run-length data: Qt checks it while decoding
}

// A PNG must run chunk by chunk to its end chunk.
RasterCheck PngComplete(std::string_view b) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (b.size() < 8 || std::memcmp(b.data(), kSignature, 8) != 0) return RasterCheck::Incomplete;
  size_t at = 8;
  while (at + 12 <= b.size()) {
    const uint64_t length = ReadU32BigEndian(b, at);
    const std::string_view type = b.substr(at + 4, 4);
    if (length > b.size() - at - 12) return RasterCheck::Incomplete;
    if (type == "IHDR") {
      if (length < 8) return RasterCheck::Incomplete;
      if (!PixelCountAcceptable(ReadU32BigEndian(b, at + 8), ReadU32BigEndian(b, at + 12))) {
        return RasterCheck::TooLarge;
      }
    }
    if (type == "IEND") return RasterCheck::Complete;
    at += 12 + length;
  }
  return RasterCheck::Incomplete;
}

// Qt refuses to decode into an image above its allocation limit (128 MB
// unless raised), which a picture within kLargestPicturePixels may pass: the
// limit is raised to what the largest picture takes at the deepest format
// Qt decodes into (64 bits a pixel), so the pixel count is the one limit.
void RaiseDecoderAllocationLimit() {
  static const bool raised = [] {
    constexpr uint64_t kDeepestPixelBytes = 8;
    const uint64_t megabytes = kLargestPicturePixels * kDeepestPixelBytes / (1024 * 1024);
    if (QImageReader::allocationLimit() > 0 && static_cast<uint64_t>(QImageReader::allocationLimit()) < megabytes) {
      QImageReader::setAllocationLimit(static_cast<int>(megabytes));
    }
    return true;
  }();
  (void)raised;
}

TPictureLoadResult LoadRaster(std::string_view bytes, const char* format, QImage& out) {
  const bool bitmap = std::strcmp(format, "BMP") == 0;
  const char* invalid = bitmap ? "Bitmap image is not valid" : "PNG image is not valid";
  const RasterCheck check = bitmap ? BitmapComplete(bytes) : PngComplete(bytes);
  if (check == RasterCheck::TooLarge) return Failure(bitmap ? "Bitmap image is too large" : "PNG image is too large");
  if (check == RasterCheck::Incomplete) return Failure(invalid);
  RaiseDecoderAllocationLimit();
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);
  QImage image;
  if (!reader.read(&image) || image.isNull()) return Failure(invalid);
  out = Opaque(image);
  return TPictureLoadResult{true, {}};
}

// ---- JPEG through libjpeg --------------------------------------------------------

struct JpegErrorManager {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
  bool Truncated;
};

extern "C" void JpegFatal(j_common_ptr info) {
  auto* e = reinterpret_cast<JpegErrorManager*>(info->err);
  info->err->format_message(info, e->Message);
  std::longjmp(e->Jump, 1);
}

extern "C" void JpegNotice(j_common_ptr info, int level) {
  auto* e = reinterpret_cast<JpegErrorManager*>(info->err);
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) e->Truncated = true;
}

// Everything the decoder touches after setjmp lives here, behind a pointer
// that does not change, so a jump back leaves nothing indeterminate.
struct JpegJob {
  jpeg_decompress_struct Info;
  JpegErrorManager Error;
  std::string_view Bytes;
  QImage Image;
  std::vector<unsigned char> Row;
};

bool DecodeJpeg(JpegJob* job) {
  job->Info.err = jpeg_std_error(&job->Error.Manager);
  job->Error.Manager.error_exit = JpegFatal;
  job->Error.Manager.emit_message = JpegNotice;
  job->Error.Truncated = false;
  job->Error.Message[0] = '\0';
  if (setjmp(job->Error.Jump) != 0) {
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  jpeg_create_decompress(&job->Info);
  jpeg_mem_src(&job->Info, reinterpret_cast<const unsigned char*>(job->Bytes.data()),
               static_cast<unsigned long>(job->Bytes.size()));
  jpeg_read_header(&job->Info, TRUE);
  // Before the decoder allocates anything for the image.
  if (!PixelCountAcceptable(job->Info.image_width, job->Info.image_height)) {
    std::strcpy(job->Error.Message, "JPEG image is too large");
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  const bool cmyk = job->Info.jpeg_color_space == JCS_CMYK || job->Info.jpeg_color_space == JCS_YCCK;
  job->Info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&job->Info);
  const unsigned width = job->Info.output_width;
  const unsigned height = job->Info.output_height;
  const unsigned components = static_cast<unsigned>(job->Info.output_components);
  if (width == 0 || height == 0 || width > 65535 || height > 65535) {
    std::strcpy(job->Error.Message, "JPEG image is too large");
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  job->Image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (job->Image.isNull()) {
    std::strcpy(job->Error.Message, "Not enough memory for the JPEG image");
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  job->Row.assign(static_cast<size_t>(width) * components, 0);
  while (job->Info.output_scanline < height && !job->Error.Truncated) {
    const unsigned y = job->Info.output_scanline;
    JSAMPROW row = job->Row.data();
    jpeg_read_scanlines(&job->Info, &row, 1);
    auto* out = reinterpret_cast<QRgb*>(job->Image.scanLine(static_cast<int>(y)));
    for (unsigned x = 0; x < width; ++x) {
      const unsigned char* p = &job->Row[static_cast<size_t>(x) * components];
      if (cmyk) {
        // Adobe writes CMYK inverted: the stored bytes are 255 - ink.
        const int k = p[3];
        out[x] = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
      } else {
        out[x] = qRgb(p[0], p[1], p[2]);
      }
    }
  }
  if (job->Error.Truncated) {
    std::strcpy(job->Error.Message, "Premature end of JPEG file");
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  jpeg_finish_decompress(&job->Info);
  jpeg_destroy_decompress(&job->Info);
  return !job->Error.Truncated;
}

TPictureLoadResult LoadJpeg(std::string_view bytes, QImage& out) {
  if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xD8) {
    return Failure("JPEG error #53");  // not a JPEG stream
  }
  auto job = std::make_unique<JpegJob>();
  job->Bytes = bytes;
  if (!DecodeJpeg(job.get())) {
    return Failure(std::string("JPEG image is not valid: ") + job->Error.Message);
  }
  out = std::move(job->Image);
  return TPictureLoadResult{true, {}};
}

// ---- metafiles ----------------------------------------------------------------------

TPictureLoadResult FromSvg(const std::string& svg, TGraphic::Impl& impl, const char* what) {
  auto renderer = std::make_shared<QSvgRenderer>(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
  if (!renderer->isValid()) return Failure(std::string(what) + " could not be converted");
  impl.Vector = std::move(renderer);
  return TPictureLoadResult{true, {}};
}

// Records of a Windows metafile after its headers, each within the file,
// ending with the end record.
bool WmfRecordsComplete(std::string_view b, size_t at) {
  if (at + 18 > b.size()) return false;
  const uint16_t type = ReadU16(b, at);
  const uint16_t headerWords = ReadU16(b, at + 2);
  const uint64_t sizeWords = ReadU32(b, at + 6);
  // The reader allocates a buffer of the largest record up front and reads
  // every record into it: no record may be larger, and it cannot be larger
  // than the file.
  const uint64_t largestRecordWords = ReadU32(b, at + 12);
  if ((type != 1 && type != 2) || headerWords != 9) return false;
  if (sizeWords * 2 > b.size() - at) return false;
  if (largestRecordWords < 3 || largestRecordWords > sizeWords) return false;
  const size_t end = at + static_cast<size_t>(sizeWords * 2);
  at += 18;
  while (at + 6 <= end) {
    const uint64_t words = ReadU32(b, at);
    const uint16_t function = ReadU16(b, at + 4);
    if (words < 3 || words * 2 > end - at || words > largestRecordWords) return false;
    if (function == 0) return true;
    at += static_cast<size_t>(words * 2);
  }
  return false;
}

TPictureLoadResult LoadWmf(std::string_view bytes, TGraphic::Impl& impl) {
  const bool placeable = bytes.size() >= 22 && ReadU32(bytes, 0) == 0x9AC6CDD7u;
  if (!WmfRecordsComplete(bytes, placeable ? 22 : 0)) return Failure("Metafile is not valid");
  int width = 0;
  int height = 0;
  if (placeable) {
    const int inch = ReadU16(bytes, 14);
    if (inch == 0) return Failure("Metafile is not valid");
    width = std::abs(ReadI16(bytes, 10) - ReadI16(bytes, 6)) * kScreenPixelsPerInch / inch;
    height = std::abs(ReadI16(bytes, 12) - ReadI16(bytes, 8)) * kScreenPixelsPerInch / inch;
  }
  wmfAPI_Options options{};
  wmfAPI* api = nullptr;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  options.function = wmf_svg_function;
  if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
    if (api != nullptr) wmf_api_destroy(api);
    return Failure("Metafile reader could not start");
  }
  std::vector<unsigned char> data(bytes.begin(), bytes.end());
  std::string svg;
  bool ok = wmf_mem_open(api, data.data(), static_cast<long>(data.size())) == wmf_E_None;
  wmfD_Rect box{};
  if (ok) ok = wmf_scan(api, 0, &box) == wmf_E_None;
  if (ok) {
    if (!placeable) {
      unsigned int w = 0;
      unsigned int h = 0;
      ok = wmf_display_size(api, &w, &h, kScreenPixelsPerInch, kScreenPixelsPerInch) == wmf_E_None;
      width = static_cast<int>(w);
      height = static_cast<int>(h);
    }
  }
  if (ok) {
    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    static char description[] = "zuro";
    device->Description = description;
    device->bbox = box;
    device->width = static_cast<unsigned int>(std::max(1, width));
    device->height = static_cast<unsigned int>(std::max(1, height));
    ok = device->out != nullptr && wmf_play(api, 0, &box) == wmf_E_None;
    if (device->out != nullptr) {
      char* text = nullptr;
      unsigned long length = 0;
      wmf_stream_destroy(api, device->out, &text, &length);
      device->out = nullptr;
      if (text != nullptr) svg.assign(text, length);
    }
  }
  wmf_mem_close(api);
  wmf_api_destroy(api);
  if (!ok || svg.empty()) return Failure("Metafile is not valid");
  impl.PixelWidth = width;
  impl.PixelHeight = height;
  return FromSvg(svg, impl, "Metafile");
}

// An enhanced metafile: header record, records inside the declared size,
// the end record last.
bool EmfComplete(std::string_view b) {
  if (b.size() < 88) return false;
  if (ReadU32(b, 0) != 1 || ReadU32(b, 40) != 0x464D4520u) return false;
  const uint64_t declared = ReadU32(b, 48);
  if (declared > b.size() || declared < 88) return false;
  // The header fields the converter trusts: the header's own size, the
  // record count, the palette and the description and pixel format it
  // reads at their offsets.
  const uint64_t headerSize = ReadU32(b, 4);
  if (headerSize < 88 || headerSize % 4 != 0 || headerSize > declared) return false;
  if (ReadU32(b, 52) == 0 || ReadU32(b, 52) > declared / 8) return false;  // nRecords
  if (static_cast<uint64_t>(ReadU32(b, 68)) * 4 > declared) return false;  // nPalEntries
  // The converter reads the description whenever its offset is set, with a
  // count of 0 as far as a terminating zero: an offset needs a count, and
  // both must stay inside the header record.
  const auto inHeader = [headerSize](uint64_t at, uint64_t bytes) {
    return at == 0 ? bytes == 0 : at >= 88 && bytes != 0 && at + bytes <= headerSize;
  };
  if (!inHeader(ReadU32(b, 64), static_cast<uint64_t>(ReadU32(b, 60)) * 2)) return false;
  if (headerSize >= 100 && !inHeader(ReadU32(b, 92), ReadU32(b, 88))) return false;
  size_t at = 0;
  while (at + 8 <= declared) {
    const uint32_t type = ReadU32(b, at);
    const uint64_t size = ReadU32(b, at + 4);
    if (size < 8 || size % 4 != 0 || size > declared - at) return false;
    if (type == 14) return true;  // EMR_EOF
    at += static_cast<size_t>(size);
  }
  return false;
}

TPictureLoadResult LoadEmf(std::string_view bytes, TGraphic::Impl& impl) {
  if (!EmfComplete(bytes)) return Failure("Metafile is not valid");
  // The frame is in hundredths of a millimetre.
  const int64_t frameWidth = static_cast<int64_t>(ReadI32(bytes, 32)) - ReadI32(bytes, 24);
  const int64_t frameHeight = static_cast<int64_t>(ReadI32(bytes, 36)) - ReadI32(bytes, 28);
  const auto pixels = [](int64_t hundredthsOfMm) {
    return static_cast<int>(std::clamp<int64_t>(std::abs(hundredthsOfMm) * kScreenPixelsPerInch / 2540, 0, 1 << 20));
  };
  const int width = pixels(frameWidth);
  const int height = pixels(frameHeight);
  std::vector<char> data(bytes.begin(), bytes.end());
  generatorOptions options{};
  static char nameSpace[] = "";
  options.nameSpace = nameSpace;
  options.verbose = false;
  options.emfplus = true;
  options.svgDelimiter = true;
  options.imgWidth = std::max(1, width);
  options.imgHeight = std::max(1, height);
  char* out = nullptr;
  size_t outLength = 0;
  const int ok = emf2svg(data.data(), data.size(), &out, &outLength, &options);
  std::string svg;
  if (out != nullptr) {
    svg.assign(out, outLength);
    std::free(out);
  }
  if (ok == 0 || svg.empty()) return Failure("Metafile is not valid");
  impl.PixelWidth = width;
  impl.PixelHeight = height;
  return FromSvg(svg, impl, "Metafile");
}

}  // namespace

std::optional<TPictureFormat> PictureFormatFromFileName(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string ext = fileName.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "bmp") return TPictureFormat::Bitmap;
  if (ext == "png") return TPictureFormat::Png;
  if (ext == "jpg" || ext == "jpeg") return TPictureFormat::Jpeg;
  if (ext == "wmf") return TPictureFormat::Wmf;
  if (ext == "emf") return TPictureFormat::Emf;
  return std::nullopt;
}

TGraphic::TGraphic() : impl_(std::make_unique<Impl>()) {}
TGraphic::~TGraphic() = default;
TGraphic::TGraphic(TGraphic&&) noexcept = default;
TGraphic& TGraphic::operator=(TGraphic&&) noexcept = default;

TPictureLoadResult TGraphic::LoadFromFile(const std::string& fileName, TPictureFormat format) {
  std::string bytes;
  if (!ReadWholeFile(PathFromCp932(fileName), bytes, kLargestPictureFile)) {
    *impl_ = Impl();
    if (errno == EFBIG) return Failure("File \"" + fileName + "\" is too large for a picture");
    return Failure("Cannot open file \"" + fileName + "\"");
  }
  return LoadFromBytes(bytes, format);
}

TPictureLoadResult TGraphic::LoadFromBytes(std::string_view bytes, TPictureFormat format) {
  Impl next;
  next.Format = format;
  TPictureLoadResult result;
  switch (format) {
    case TPictureFormat::Bitmap: result = LoadRaster(bytes, "BMP", next.Raster); break;
    case TPictureFormat::Png: result = LoadRaster(bytes, "PNG", next.Raster); break;
    case TPictureFormat::Jpeg: result = LoadJpeg(bytes, next.Raster); break;
    case TPictureFormat::Wmf: result = LoadWmf(bytes, next); break;
    case TPictureFormat::Emf: result = LoadEmf(bytes, next); break;
  }
  if (!result.Ok) {
    *impl_ = Impl();
    return result;
  }
  if (!next.Raster.isNull()) {
    next.PixelWidth = next.Raster.width();
    next.PixelHeight = next.Raster.height();
  }
  *impl_ = std::move(next);
  return result;
}

bool TGraphic::Empty() const { return impl_->Raster.isNull() && !impl_->Vector; }
bool TGraphic::IsMetafile() const { return impl_->Vector != nullptr; }
int TGraphic::Width() const { return impl_->PixelWidth; }
int TGraphic::Height() const { return impl_->PixelHeight; }

// ---- drawing --------------------------------------------------------------------------

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
  const DrawnNotice notice(*this);
  TCanvas::Impl& impl = Internals();
  const TGraphic::Impl& picture = graphic.Internals();
  if (impl.Image.isNull() || graphic.Empty() || impl.PathOpen) return;
  const double left = std::min(rect.Left, rect.Right);
  const double right = std::max(rect.Left, rect.Right);
  const double top = std::min(rect.Top, rect.Bottom);
  const double bottom = std::max(rect.Top, rect.Bottom);
  if (right <= left || bottom <= top) return;
  // Only the visible part of the target goes to the painter, with the part
  // of the picture that falls there: a picture zoomed to millions of pixels
  // costs no more than the window.
  const double vl = std::max(left, 0.0);
  const double vt = std::max(top, 0.0);
  const double vr = std::min(right, static_cast<double>(impl.Image.width()));
  const double vb = std::min(bottom, static_cast<double>(impl.Image.height()));
  if (vr <= vl || vb <= vt) return;
  // Fractions of the picture that fall on the visible part; a rectangle
  // given right to left or bottom to top shows the picture mirrored.
  const bool flipX = rect.Right < rect.Left;
  const bool flipY = rect.Bottom < rect.Top;
  double fx0 = (vl - left) / (right - left);
  double fy0 = (vt - top) / (bottom - top);
  double fx1 = (vr - left) / (right - left);
  double fy1 = (vb - top) / (bottom - top);
  if (flipX) std::tie(fx0, fx1) = std::pair(1.0 - fx1, 1.0 - fx0);
  if (flipY) std::tie(fy0, fy1) = std::pair(1.0 - fy1, 1.0 - fy0);
  const QRectF target(vl, vt, vr - vl, vb - vt);
  // Drawn under what XOR pens keep over the picture.
  const OverlayLift lift(impl, target.toAlignedRect().adjusted(-1, -1, 1, 1));
  QPainter painter(&impl.Image);
  PreparePainter(painter, impl, pmCopy);
  if (flipX || flipY) {
    painter.translate(target.center());
    painter.scale(flipX ? -1.0 : 1.0, flipY ? -1.0 : 1.0);
    painter.translate(-target.center());
  }
  if (!picture.Raster.isNull()) {
    const double w = picture.Raster.width();
    const double h = picture.Raster.height();
    const QRectF source(fx0 * w, fy0 * h, (fx1 - fx0) * w, (fy1 - fy0) * h);
    if (graphic.Transparent) {
      QImage keyed = picture.Raster.convertToFormat(QImage::Format_ARGB32);
      const QRgb key = QRgbFromColor(graphic.TransparentColor) & 0xFFFFFFu;
      for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
          if ((line[x] & 0xFFFFFFu) == key) line[x] = 0;
        }
      }
      painter.drawImage(target, keyed, source);
    } else {
      painter.drawImage(target, picture.Raster, source);
    }
    return;
  }
  QSvgRenderer& renderer = *picture.Vector;
  const QRectF whole = renderer.viewBoxF();
  const QRectF part(whole.x() + fx0 * whole.width(), whole.y() + fy0 * whole.height(), (fx1 - fx0) * whole.width(),
                    (fy1 - fy0) * whole.height());
  renderer.setViewBox(part);
  renderer.render(&painter, target);
  renderer.setViewBox(whole);
}
