#pragma once
// Small element builders for the store tests.

#include <string>

#include "canvas/drawing_store.h"

inline RDrawElement Line(double x1, double y1, double x2, double y2, std::uint8_t group = 0, std::uint8_t layer = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.LineType = 1;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  e.Group = group;
  e.Layer = layer;
  return e;
}

inline RDrawElement Arc(double cx, double cy, double r, float start = 0, float end = 0, float ratio = 1,
                        float rotation = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.LineType = 1;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.StartAngle = start;
  e.EndAngle = end;
  e.Rotation = rotation;
  return e;
}

inline RDrawElement Point(double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.LineType = 1;
  e.X1 = x;
  e.Y1 = y;
  return e;
}

// A text whose string goes into `texts` first, as the adding operations do.
inline RDrawElement Text(Tdrawinp::TextList& texts, const std::string& s, double x1, double y1, double x2, double y2,
                         float angle = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindText;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  e.TextAngle = angle;
  texts.push_back(s);
  e.TextIndex = static_cast<std::uint16_t>(texts.size() - 1);
  return e;
}

// A text of a style, which it keeps as its colour number too, as the
// texts of the drawing do.
inline RDrawElement StyledText(Tdrawinp::TextList& texts, const std::string& s, double x1, double y1, double x2,
                               double y2, std::uint8_t style) {
  RDrawElement e = Text(texts, s, x1, y1, x2, y2);
  e.TextStyle = style;
  e.ColorNo = style;
  return e;
}

// The element moved to a layer of group 0 given the state.
inline RDrawElement OnLayer(Tdrawinp& store, RDrawElement e, std::uint8_t layer, std::uint8_t state) {
  e.Group = 0;
  e.Layer = layer;
  store.LayerStates[layer] = state;
  return e;
}

// Packed fields must be read by value: the test macros bind references, and
// a reference to a misaligned field is undefined.
template <class T>
T Value(T field) {
  return field;
}

// The element as the undo log records it: added, deleted, or kept as the
// store keeps an element added through a checked add (no mark).
inline RDrawElement Added(RDrawElement e) {
  e.UndoMark = kUndoAdded;
  return e;
}

inline RDrawElement Deleted(RDrawElement e) {
  e.UndoMark = kUndoDeleted;
  return e;
}

inline RDrawElement Kept(RDrawElement e) {
  e.UndoMark = 0;
  return e;
}
