#include "app/load_sketches.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kWidthLoadSketches = 183;
constexpr int kHeightLoadSketches = 105;
const QColor kMember = Qt::white;
const QColor kLoad(255, 255, 0);
const QColor kLabel(0, 255, 255);

QFont SketchFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(11);
  return font;
}

// A line from tail to tip with a filled head at the tip.
void Arrow(QPainter& p, QPointF tail, QPointF tip, const QColor& colour) {
  p.setPen(QPen(colour, 1));
  p.drawLine(tail, tip);
  const double dx = tip.x() - tail.x();
  const double dy = tip.y() - tail.y();
  const double length = std::hypot(dx, dy);
  if (length < 1.0) return;
  const double ux = dx / length;
  const double uy = dy / length;
  const double size = 5.0;
  const QPointF head[] = {tip,
                          {tip.x() - size * ux - 0.5 * size * uy, tip.y() - size * uy + 0.5 * size * ux},
                          {tip.x() - size * ux + 0.5 * size * uy, tip.y() - size * uy - 0.5 * size * ux}};
  p.setBrush(colour);
  p.drawPolygon(head, 3);
  p.setBrush(Qt::NoBrush);
}

void Text(QPainter& p, int x, int y, const char* text, const QColor& colour) {
  p.setPen(colour);
  p.drawText(x, y, QString::fromUtf8(text));
}

// The member from [I] to [J] with its end marks.
void Member(QPainter& p) {
  p.setPen(QPen(kMember, 2));
  p.drawLine(24, 78, 158, 78);
  p.setPen(QPen(kMember, 1));
  p.drawLine(24, 74, 24, 82);
  p.drawLine(158, 74, 158, 82);
  Text(p, 14, 96, "[I]", kMember);
  Text(p, 150, 96, "[J]", kMember);
}

// The node [i] as a small circle.
void Node(QPainter& p, QPointF at) {
  p.setPen(QPen(kMember, 1));
  p.setBrush(kMember);
  p.drawEllipse(at, 3.0, 3.0);
  p.setBrush(Qt::NoBrush);
  Text(p, static_cast<int>(at.x()) + 6, static_cast<int>(at.y()) + 16, "[i]", kMember);
}

}  // namespace

QPixmap DrawLoadSketch(LoadSketch sketch) {
  QPixmap pixmap(kWidthLoadSketches, kHeightLoadSketches);
  pixmap.fill(Qt::black);
  QPainter p(&pixmap);
  p.setFont(SketchFont());
  switch (sketch) {
    case LoadSketch::MemberUniform:
      Member(p);
      p.setPen(kLoad);
      p.drawLine(24, 42, 158, 42);
      for (int x = 24; x <= 158; x += 19) Arrow(p, {double(x), 42.0}, {double(x), 76.0}, kLoad);
      Text(p, 36, 20, "P1 : W (KN/m)", kLabel);
      Text(p, 86, 38, "W", kLoad);
      break;
    case LoadSketch::MemberLinear:
      Member(p);
      p.setPen(kLoad);
      p.drawLine(24, 64, 158, 30);
      for (int x = 24; x <= 158; x += 19) {
        const double top = 64.0 - (x - 24) * 34.0 / 134.0;
        if (76.0 - top > 6.0) Arrow(p, {double(x), top}, {double(x), 76.0}, kLoad);
      }
      Text(p, 4, 14, "P1 :W1(KN/m)", kLabel);
      Text(p, 96, 14, "P2 :W2(KN/m)", kLabel);
      Text(p, 8, 60, "W1", kLoad);
      Text(p, 160, 34, "W2", kLoad);
      break;
    case LoadSketch::MemberConcentrated:
      Member(p);
      Arrow(p, {104.0, 28.0}, {104.0, 76.0}, kLoad);
      Text(p, 110, 40, "P", kLoad);
      p.setPen(kLabel);
      p.drawLine(24, 86, 104, 86);
      p.drawLine(104, 82, 104, 90);
      Text(p, 60, 100, "L", kLabel);
      Text(p, 4, 14, "P1 : P (KN)", kLabel);
      Text(p, 96, 14, "P2 : L (m)", kLabel);
      break;
    case LoadSketch::NodeHorizontal:
      Node(p, {110.0, 60.0});
      Arrow(p, {40.0, 60.0}, {105.0, 60.0}, kLoad);
      Text(p, 50, 52, "P", kLoad);
      Text(p, 8, 18, "P (KN)", kLabel);
      break;
    case LoadSketch::NodeVertical:
      Node(p, {92.0, 80.0});
      Arrow(p, {92.0, 22.0}, {92.0, 75.0}, kLoad);
      Text(p, 98, 40, "P", kLoad);
      Text(p, 8, 18, "P (KN)", kLabel);
      break;
    case LoadSketch::NodeMoment: {
      const QPointF centre(92.0, 62.0);
      Node(p, centre);
      p.setPen(kLoad);
      // Clockwise from the top round to the right, ending in an arrow head.
      p.drawArc(QRectF(centre.x() - 24, centre.y() - 24, 48, 48), 160 * 16, -250 * 16);
      const double end = (160.0 - 250.0) * M_PI / 180.0;
      const QPointF tip(centre.x() + 24 * std::cos(end), centre.y() - 24 * std::sin(end));
      Arrow(p, {tip.x() - 6.0, tip.y() - 5.0}, tip, kLoad);
      Text(p, 122, 40, "P", kLoad);
      Text(p, 8, 18, "P (KN･m)", kLabel);
      break;
    }
  }
  return pixmap;
}
