// Text output with logical fonts: pixel height, average width by stretching,
// escapement about the top left of the character cell, and vertical writing
// with each full-width character turned in place (bar the few whose
// vertical forms lie along the column).

#include "platform/canvas.h"

#include "geometry/codepage.h"
#include "platform/canvas_paint.h"
#include "platform/font_faces.h"
#include "platform/gdi.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QString>

#include <algorithm>
#include <cmath>

namespace {

struct ResolvedFont {
  QFont Font;
  double Em = 12.0;  // pixel size of the face
  double Ascent = 0.0;
  double Cell = 0.0;    // ascent + descent
  double ScaleX = 1.0;  // stretch that gives the requested average width
  bool Vertical = false;
  bool Slant = false;
};

// Glyphs from their base-line point, slanted to the right for an italic
// that the face lacks.
void DrawGlyphs(QPainter& painter, const ResolvedFont& f, QPointF baseline, const QString& text) {
  painter.save();
  painter.translate(baseline);
  if (f.Slant) painter.shear(-0.2, 0.0);
  painter.drawText(QPointF(0.0, 0.0), text);
  painter.restore();
}

QFont FaceAt(const std::string& family, int pixelSize, const LOGFONTA& lf) {
  QFont font(QString::fromStdString(family));
  font.setStyleStrategy(QFont::NoAntialias);
  font.setPixelSize(std::max(1, pixelSize));
  const int weight = lf.lfWeight <= 0 ? 400 : std::clamp(static_cast<int>(lf.lfWeight), 1, 1000);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  font.setKerning(false);
  return font;
}

ResolvedFont Resolve(const TFont& source) {
  const LOGFONTA& lf = source.Logical;
  const FontFaceChoice face = ChooseFontFace(source.Name());
  ResolvedFont r;
  r.Vertical = face.Vertical;
  // The height asks for the character cell; on the faces the drawings were
  // made with the cell is one em high, so the em takes the height whatever
  // its sign, and the cell stays one em high here too (the IPA faces would
  // add a line gap below). 0 is the face's default size.
  int em = 12;
  if (lf.lfHeight != 0) em = lf.lfHeight == INT32_MIN ? 1 << 20 : std::abs(lf.lfHeight);
  r.Font = FaceAt(face.Family, em, lf);
  r.Em = em;
  const QFontMetricsF metrics(r.Font);
  r.Ascent = std::min(metrics.ascent(), static_cast<double>(em));
  r.Cell = em;
  // Faces without an italic style are slanted by us.
  r.Slant = lf.lfItalic != 0 && !QFontInfo(r.Font).italic();
  // A single-byte character of these faces is half an em wide; the average
  // width of the request stretches it to that many pixels.
  if (lf.lfWidth > 0) r.ScaleX = lf.lfWidth / (em / 2.0);
  return r;
}

struct TextPiece {
  QString Text;
  bool FullWidth = false;
  bool Upright = false;  // turned back upright in vertical writing
};

// Full-width characters whose vertical forms lie along the column: the long
// vowel mark, dashes, waves, leaders and brackets. They keep the turn of
// the base line; every other full-width character stands upright.
bool LiesAlongColumn(const QString& ch) {
  static const QString kAlong = QString::fromUtf8("ー－―‐〜～…‥＝（）［］｛｝〔〕【】〈〉《》「」『』");
  return ch.size() == 1 && kAlong.contains(ch.at(0));
}

// Characters in code page 932: a lead byte and its trail byte make one
// full-width character.
std::vector<TextPiece> SplitCharacters(const std::string& text) {
  std::vector<TextPiece> pieces;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    const size_t length = lead && i + 1 < text.size() ? 2 : 1;
    const std::u16string u = Utf16FromCp932(std::string_view(text).substr(i, length));
    TextPiece piece;
    piece.Text = QString::fromStdU16String(u);
    piece.FullWidth = length == 2;
    piece.Upright = piece.FullWidth && !LiesAlongColumn(piece.Text);
    pieces.push_back(piece);
    i += length;
  }
  return pieces;
}

double PieceAdvance(const ResolvedFont& f, const QFontMetricsF& metrics, const TextPiece& piece) {
  if (f.Vertical && piece.FullWidth) return f.Em * f.ScaleX;
  return metrics.horizontalAdvance(piece.Text) * f.ScaleX;
}

double TotalAdvance(const ResolvedFont& f, const std::vector<TextPiece>& pieces) {
  const QFontMetricsF metrics(f.Font);
  if (!f.Vertical) {
    QString all;
    for (const TextPiece& p : pieces) all += p.Text;
    return metrics.horizontalAdvance(all) * f.ScaleX;
  }
  double total = 0.0;
  for (const TextPiece& p : pieces) total += PieceAdvance(f, metrics, p);
  return total;
}

}  // namespace

TSize TCanvas::TextExtent(const std::string& text) {
  const ResolvedFont f = Resolve(Font);
  const double width = TotalAdvance(f, SplitCharacters(text));
  return TSize{static_cast<int>(std::lround(width)), static_cast<int>(std::lround(f.Cell))};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const DrawnNotice notice(*this);
  TCanvas::Impl& impl = Internals();
  if (impl.Image.isNull() || text.empty() || impl.PathOpen) return;
  RealiseBrush(*this);
  const ResolvedFont f = Resolve(Font);
  const std::vector<TextPiece> pieces = SplitCharacters(text);
  const double width = TotalAdvance(f, pieces);
  const double angle = Font.Logical.lfEscapement / 10.0;
  const double rad = angle * M_PI / 180.0;
  const double c = std::cos(rad);
  const double s = std::sin(rad);
  // Cell corners on the screen: along the base line (c, -s), down (s, c).
  const auto corner = [&](double along, double down) {
    return RasterPointD{x + along * c + down * s, y - along * s + down * c};
  };
  const std::vector<RasterPointD> cell = {corner(0, 0), corner(width, 0), corner(width, f.Cell), corner(0, f.Cell)};
  double minX = cell[0].X, maxX = cell[0].X, minY = cell[0].Y, maxY = cell[0].Y;
  for (const RasterPointD& p : cell) {
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  // A text wholly off the image draws nothing, and so no far coordinate
  // reaches the painter.
  const double slack = f.Em + 4.0;
  if (maxX < -slack || minX > impl.Image.width() + slack || maxY < -slack || minY > impl.Image.height() + slack) {
    return;
  }
  // Drawn under what XOR pens keep over the picture.
  const OverlayLift lift(
      impl, QRect(QPoint(static_cast<int>(std::floor(minX - slack)), static_cast<int>(std::floor(minY - slack))),
                  QPoint(static_cast<int>(std::ceil(maxX + slack)), static_cast<int>(std::ceil(maxY + slack)))));
  if (impl.BkMode == OPAQUE) {
    FillSource background;
    background.Color = impl.BkColor;
    RasterPolygons({cell}, RasterFillRule::Alternate, CanvasBox(impl),
                   [&](int row, int x0, int x1) { PaintRun(impl, row, x0, x1, background, pmCopy); });
  }
  QPainter painter(&impl.Image);
  PreparePainter(painter, impl, pmCopy);
  painter.setFont(f.Font);
  painter.setPen(QColor::fromRgb(QRgbFromColor(Font.Color)));
  painter.translate(x, y);
  painter.rotate(-angle);
  if (!f.Vertical) {
    QString all;
    for (const TextPiece& p : pieces) all += p.Text;
    painter.scale(f.ScaleX, 1.0);
    DrawGlyphs(painter, f, QPointF(0.0, f.Ascent), all);
    return;
  }
  const QFontMetricsF metrics(f.Font);
  double along = 0.0;
  for (const TextPiece& piece : pieces) {
    const double advance = PieceAdvance(f, metrics, piece);
    painter.save();
    if (piece.Upright) {
      // Upright in a column: the glyph is turned a quarter anticlockwise
      // against the base line, its height laid along the line.
      const double glyphWidth = std::max(1.0, metrics.horizontalAdvance(piece.Text));
      painter.translate(along + advance / 2.0, f.Cell / 2.0);
      painter.scale(advance / std::max(1.0, f.Cell), f.Cell / glyphWidth);
      painter.rotate(-90.0);
      DrawGlyphs(painter, f, QPointF(-glyphWidth / 2.0, f.Ascent - f.Cell / 2.0), piece.Text);
    } else if (piece.FullWidth) {
      // Along the column, centred in its full-width cell.
      const double natural = metrics.horizontalAdvance(piece.Text) * f.ScaleX;
      painter.translate(along + (advance - natural) / 2.0, 0.0);
      painter.scale(f.ScaleX, 1.0);
      DrawGlyphs(painter, f, QPointF(0.0, f.Ascent), piece.Text);
    } else {
      painter.translate(along, 0.0);
      painter.scale(f.ScaleX, 1.0);
      DrawGlyphs(painter, f, QPointF(0.0, f.Ascent), piece.Text);
    }
    painter.restore();
    along += advance;
  }
}
