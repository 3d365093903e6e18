// Site-area figures and the site-area table, floor figures and the
// floor-area table. The tables live in their tool objects while the command
// runs; their figures are drawn on the screen only, never into the drawing.

#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/floor_area.h"
#include "tools/edit/site_area.h"

namespace {
void SikichiDown(TcadBox& box, TShiftState shift, double x, double y);
void SikichiMove(TcadBox& box, TShiftState shift, double x, double y);
void SikichiUp(TcadBox& box, TShiftState shift, double x, double y);
void SikichiRedraw(TcadBox& box);
void Sikichi4Down(TcadBox& box, TShiftState shift, double x, double y);
void Sikichi4Move(TcadBox& box, TShiftState shift, double x, double y);
void Sikichi4Up(TcadBox& box, TShiftState shift, double x, double y);
void Sikichi4Redraw(TcadBox& box);
void SikichiCancel(TcadBox& box);
void YukaDown(TcadBox& box, TShiftState shift, double x, double y);
void YukaMove(TcadBox& box, TShiftState shift, double x, double y);
void YukaUp(TcadBox& box, TShiftState shift, double x, double y);
void YukaRedraw(TcadBox& box);
void YukaCancel(TcadBox& box);
void SiteTableGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterSiteFloorCommands() {
  RegisterFamily({.Name = "Sikichi",
                  .Modes = {dtSikichi, dtSikichi2, dtSikichi3},
                  .Down = SikichiDown,
                  .Move = SikichiMove,
                  .Up = SikichiUp,
                  .Cancels = {{"SikichiCancel", SikichiCancel}},
                  .Redraws = {{"SikichiRedraw", SikichiRedraw}},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtSikichi)},
                  .GestureActions = {{{dtSikichi}, SiteTableGesture}}});
  RegisterFamily({.Name = "Sikichi4",
                  .Modes = {dtSikichi4},
                  .Down = Sikichi4Down,
                  .Move = Sikichi4Move,
                  .Up = Sikichi4Up,
                  .Redraws = {{"Sikichi4Redraw", Sikichi4Redraw}},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtSikichi)}});
  RegisterFamily({.Name = "Yuka",
                  .Modes = {dtYuka},
                  .Down = YukaDown,
                  .Move = YukaMove,
                  .Up = YukaUp,
                  .Cancels = {{"YukaCancel", YukaCancel}},
                  .Redraws = {{"YukaRedraw", YukaRedraw}},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtYuka)},
                  .GestureActions = {{{dtYuka}, SiteTableGesture}}});
}

namespace {

// The host's area panel learns that a figure is under way.
constexpr int kAreaFigureStarted = 106;
// The redraws of long tables look at the mouse this often.
constexpr int kRowsPerAbortTest = 20;

bool InTriangleModes(const TcadBox& box) { return ModeIn(box.ButonType, {dtSikichi, dtSikichi2, dtSikichi3}); }

TSikichiMenobj* Site(TcadBox& box) { return box.Tool(ToolSlot::SiteObj).Get<TSikichiMenobj>(); }
TYukaMenobj* Floor(TcadBox& box) { return box.Tool(ToolSlot::FloorObj).Get<TYukaMenobj>(); }

double WriteGroupScaleSiteFloor(const TcadBox& box) { return box.GroupScales[box.WriteGrupe_No % kLayerGroups]; }

TSikichiMenobj& SiteOrNew(TcadBox& box, std::uint8_t mode) {
  if (TSikichiMenobj* site = Site(box)) return *site;
  return box.Tool(ToolSlot::SiteObj)
      .Emplace<TSikichiMenobj>(box.WriteGrupe_No, box.WriteReiya_No, WriteGroupScaleSiteFloor(box), box.TextStyles,
                               box.Mozi_No, box.Mozi_No, mode);
}

TYukaMenobj& FloorOrNew(TcadBox& box) {
  if (TYukaMenobj* floor = Floor(box)) return *floor;
  return box.Tool(ToolSlot::FloorObj)
      .Emplace<TYukaMenobj>(box.WriteGrupe_No, box.WriteReiya_No, WriteGroupScaleSiteFloor(box), box.TextStyles,
                            box.Mozi_No, box.Mozi_No);
}

// The press of a left or right click, snapped to the drawing or the grid
// without texts and marked; nothing near drops the click. False when the
// press gives no point.
bool SnappedClick(TcadBox& box, TShiftState shift, double x, double y, RPoint2D& point) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return false;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return false;
  double sx = x, sy = y;
  if (!box.Draw1->SnapPointNoText(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    return false;
  }
  point = {sx, sy};
  box.ShowPointMarker(0, sx, sy);
  return true;
}

// The move of the table commands: a drag gesture first, then the prompt.
bool GestureTakenSiteFloor(TcadBox& box, TShiftState shift, double x, double y) {
  if (!box.TrackDragGesture(shift, box.ButonType, x, y)) return false;
  box.ClickKind = 0;
  return true;
}

bool ClickReleased(const TcadBox& box) { return box.ViewGestureState == 0 && box.ClickKind != 0; }

// Rows are drawn in copy mode with a solid pen of width 1.
void SetRowPen(TcadBox& box, std::uint8_t colourNo) {
  SetCopyPen(box, colourNo, 1, 1);
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = box.PrepareXorColor(canvas.Pen.Color);
}

void DrawRowLine(TcadBox& box, const RToolLine& line) {
  box.DrawLine(line.LineType, box.Canvas(), line.X1, line.Y1, line.X2, line.Y2);
}

void DrawRowCircle(TcadBox& box, const RToolArc& c) {
  box.DrawArc(1, box.Canvas(), c.CentreX, c.CentreY, c.Radius, c.Ratio, c.StartAngle, c.EndAngle, c.Rotation);
}

// A label in its own text style and colour.
void DrawLabel(TcadBox& box, const Rmoziko& label) {
  const std::uint8_t current = box.Mozi_No;
  box.Mozi_No = label.TextStyle;
  box.DrawTextString(label.Text, 0, box.Canvas(), 0, label.X, label.Y, label.EndX, label.EndY, label.Angle);
  box.Mozi_No = current;
}

// A table's rows drawn at a click are part of the picture, as the redraw
// draws them: under the point marker and the cross-hair shown in XOR.
template <typename Redraw>
void ShowRows(TcadBox& box, Redraw redraw) {
  const TCanvas::TPictureDrawing picture(box.Canvas());
  redraw(box);
}

// Draws every row until both buttons are held; the test comes after each
// block of rows.
template <typename Row, typename DrawRow>
void DrawRowsUntilAborted(TcadBox& box, const std::vector<Row>& rows, DrawRow drawRow) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    drawRow(rows[i]);
    if ((i + 1) % kRowsPerAbortTest == 0 && box.BothButtonsDown()) break;
  }
}

// ---- Site area: triangles ---------------------------------------------------

void SikichiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InTriangleModes(box)) return;
  RPoint2D p;
  if (!SnappedClick(box, shift, x, y, p)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = p;
  } else if (box.B_Switch == on2) {
    box.SecondPoint = p;
  }
}

void SikichiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InTriangleModes(box) || GestureTakenSiteFloor(box, shift, x, y) || shift != 0) return;
  static const char* const kChordPrompts[] = {
      "弦始点指示（1点目）　[左クリック:右クリック（点読取り）]",
      "弦終点指示（2点目）　[左クリック:右クリック（点読取り）]",
      "矢点指示（3点目）　[左クリック：右クリック（点読取り）]",
  };
  static const char* const kPointPrompts[] = {
      "１点目指示　[左クリック:右クリック（点読取り）]",
      "２点目指示　[左クリック:右クリック（点読取り）]",
      "３点目指示　[左クリック:右クリック（点読取り）]",
  };
  const int step = box.B_Switch == _off ? 0 : box.B_Switch == on1 ? 1 : box.B_Switch == on2 ? 2 : -1;
  if (step < 0) return;
  box.SetGuidePrompt(J(box.ButonType == dtSikichi ? kChordPrompts[step] : kPointPrompts[step]));
}

void SikichiUp(TcadBox& box, TShiftState, double, double) {
  if (!InTriangleModes(box) || !ClickReleased(box)) return;
  const auto mode = static_cast<std::uint8_t>(box.ButonType - dtSikichi);
  if (box.B_Switch == _off) {
    SiteOrNew(box, mode);
    box.B_Switch = on1;
  } else if (box.B_Switch == on1) {
    box.B_Switch = on2;
    PostHostNotification("TFrame22", kAreaFigureStarted);
  } else if (box.B_Switch == on2) {
    box.B_Switch = _off;
    SiteOrNew(box, mode).AddTriangle(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y,
                                     box.SecondPoint.x, box.SecondPoint.y);
    ShowRows(box, SikichiRedraw);
  }
}

// Rows of base and height (mode 0) or of three sides (mode 1).
void DrawSideRows(TcadBox& box, const TSikichiMenobj& site) {
  DrawRowsUntilAborted(box, site.Rows, [&](const RSikiData& row) {
    SetRowPen(box, box.Pencol);
    if (site.Mode == 0) {
      DrawRowLine(box, row.SecondLine);
      if (site.BaseLineFlag == 1) DrawRowLine(box, row.FirstLine);
    }
    DrawRowCircle(box, row.NumberCircle);
    DrawLabel(box, row.SecondLabel);
    DrawLabel(box, row.FirstLabel);
    if (site.Mode == 1) DrawLabel(box, row.ThirdLabel);
    DrawLabel(box, row.NumberLabel);
  });
}

// The sides of the split triangles, each in its own colour and line type.
void DrawSplitRows(TcadBox& box, const TSikichiMenobj& site) {
  DrawRowsUntilAborted(box, site.TriangleRows, [&](const RSikiTriangleData& row) {
    for (const RToolLine& side : row.Outline) {
      SetRowPen(box, side.ColorNo);
      DrawRowLine(box, side);
    }
  });
}

// The rows are read by the mode the table was made with, which a switch
// between the triangle modes does not change: each mode fills its own
// array.
void SikichiRedraw(TcadBox& box) {
  if (!InTriangleModes(box)) return;
  const TSikichiMenobj* site = Site(box);
  if (site == nullptr) return;
  if (site->Mode == 0 || site->Mode == 1) {
    DrawSideRows(box, *site);
  } else {
    DrawSplitRows(box, *site);
  }
}

// ---- Site area: point list ----------------------------------------------------

void Sikichi4Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSikichi4) return;
  RPoint2D p;
  if (!SnappedClick(box, shift, x, y, p)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = p;
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = p;
  }
}

void Sikichi4Move(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSikichi4 || GestureTakenSiteFloor(box, shift, x, y) || shift != 0) return;
  if (box.B_Switch == _off || box.B_Switch == on1) {
    box.SetGuidePrompt(J("ポイント指示　[左クリック:右クリック（点読取り）]"));
  }
}

void Sikichi4Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSikichi4 || !ClickReleased(box)) return;
  if (box.B_Switch == _off) {
    SiteOrNew(box, 3).AddPoint(box.FirstPoint.x, box.FirstPoint.y);
    ShowRows(box, Sikichi4Redraw);
    box.B_Switch = on1;
  } else if (box.B_Switch == on1) {
    SiteOrNew(box, 3).AddPoint(box.CurrentPoint.x, box.CurrentPoint.y);
    ShowRows(box, Sikichi4Redraw);
    PostHostNotification("TFrame22", kAreaFigureStarted);
  }
}

void Sikichi4Redraw(TcadBox& box) {
  if (box.ButonType != dtSikichi4) return;
  const TSikichiMenobj* site = Site(box);
  if (site == nullptr) return;
  DrawRowsUntilAborted(box, site->PointRows, [&](const RSikiZaData& row) {
    SetRowPen(box, box.Pencol);
    DrawLabel(box, row.Label);
  });
}

void SikichiCancel(TcadBox& box) {
  if (!InTriangleModes(box) && box.ButonType != dtSikichi4) return;
  if (Site(box) == nullptr) return;
  box.Tool(ToolSlot::SiteObj).Free();
  box.B_Switch = _off;
  box.Invalidate();
}

// ---- Floor area ---------------------------------------------------------------

void YukaDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtYuka) return;
  RPoint2D p;
  if (!SnappedClick(box, shift, x, y, p)) return;
  if (box.B_Switch == _off) {
    // An arc is picked where the user pressed, not where the snap went.
    box.LastVertex = {x, y};
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = box.FourthPoint = p;
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = p;
  } else if (box.B_Switch == on2) {
    box.SecondPoint = p;
  } else if (box.B_Switch == on3) {
    box.FourthPoint = p;
  }
}

void YukaMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtYuka || GestureTakenSiteFloor(box, shift, x, y) || !NoMouseButtonHeld(shift)) return;
  static const char* const kQuadrilateral[] = {
      "四角形　1点目指示    [左クリック：右クリック（点読取り）]",
      "四角形　2点目指示    [左クリック：右クリック（点読取り）]",
      "四角形　3点目指示    [左クリック：右クリック（点読取り）]",
  };
  static const char* const kTriangle[] = {
      "三角形　1点目指示    [左クリック：右クリック（点読取り）]",
      "三角形　2点目指示    [左クリック：右クリック（点読取り）]",
      "三角形　3点目指示    [左クリック：右クリック（点読取り）]",
  };
  if (box.B_Switch == on3) {
    box.SetGuidePrompt(J("四角形　4点目指示    [左クリック：右クリック（点読取り）]"));
    return;
  }
  const int step = box.B_Switch == _off ? 0 : box.B_Switch == on1 ? 1 : box.B_Switch == on2 ? 2 : -1;
  if (step < 0) return;
  if (box.FloorShape == 0) {
    box.SetGuidePrompt(J(kQuadrilateral[step]));
  } else if (box.FloorShape == 1) {
    box.SetGuidePrompt(J(kTriangle[step]));
  } else if (box.FloorShape == 2 && step == 0) {
    box.SetGuidePrompt(J("円または、円弧指示"));
  }
}

void YukaUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtYuka || !ClickReleased(box)) return;
  if (box.B_Switch == _off) {
    TYukaMenobj& floor = FloorOrNew(box);
    if (box.FloorShape != 2) {
      box.B_Switch = on1;
      return;
    }
    // A click that picks nothing stays here: the three clicks that would
    // follow could add no circular segment.
    if (box.PickElementAttributes(box.LastVertex.x, box.LastVertex.y)) {
      floor.AddArcRow(box.PickedElement, 2, box.LastVertex.x, box.LastVertex.y);
      ShowRows(box, YukaRedraw);
    }
  } else if (box.B_Switch == on1) {
    box.B_Switch = on2;
    PostHostNotification("TFrame22", kAreaFigureStarted);
  } else if (box.B_Switch == on2) {
    if (box.FloorShape != 1) {
      box.B_Switch = on3;
      return;
    }
    box.B_Switch = _off;
    // The triangle's fourth point is still its first corner.
    FloorOrNew(box).AddRow(1, box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y,
                           box.SecondPoint.x, box.SecondPoint.y, box.FourthPoint.x, box.FourthPoint.y);
    ShowRows(box, YukaRedraw);
  } else if (box.B_Switch == on3) {
    box.B_Switch = _off;
    FloorOrNew(box).AddRow(box.FloorShape, box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y,
                           box.SecondPoint.x, box.SecondPoint.y, box.FourthPoint.x, box.FourthPoint.y);
    ShowRows(box, YukaRedraw);
  }
}

// The figures of one floor row beside its number, by figure and variant.
void DrawFloorRow(TcadBox& box, const RYukaData& row) {
  SetRowPen(box, box.Pencol);
  DrawRowCircle(box, row.NumberCircle);
  DrawLabel(box, row.NumberLabel);
  const auto labels = [&](std::initializer_list<const Rmoziko*> list) {
    for (const Rmoziko* label : list) DrawLabel(box, *label);
  };
  const auto lines = [&](std::initializer_list<const RToolLine*> list) {
    SetRowPen(box, box.Pencol);
    for (const RToolLine* line : list) DrawRowLine(box, *line);
  };
  if (row.Figure == 0 && row.Variant == 0) {
    labels({&row.Label1, &row.Label2});
  } else if (row.Figure == 0 && row.Variant == 1) {
    lines({&row.Line1});
    labels({&row.Label1, &row.Label2, &row.Label3});
  } else if (row.Figure == 0 && row.Variant == 2) {
    labels({&row.Label1, &row.Label2, &row.Label3});
    lines({&row.Line1, &row.Line2, &row.Line3});
  } else if (row.Figure == 1) {
    labels({&row.Label1, &row.Label2});
    const RToolLine& l = row.Line1;
    if (std::abs(l.X1 - l.X2) >= 0.0001 || std::abs(l.Y1 - l.Y2) >= 0.0001) lines({&l});
  } else if (row.Figure == 2 && (row.Variant == 0 || row.Variant == 2)) {
    labels({&row.Label1});
    lines({&row.Line1});
  } else if (row.Figure == 2 && row.Variant == 1) {
    labels({&row.Label1, &row.Label2, &row.Label3, &row.Label4});
    lines({&row.Line1, &row.Line2, &row.Line3, &row.Line4});
  }
}

void YukaRedraw(TcadBox& box) {
  if (box.ButonType != dtYuka) return;
  const TYukaMenobj* floor = Floor(box);
  if (floor == nullptr) return;
  DrawRowsUntilAborted(box, floor->Rows, [&](const RYukaData& row) { DrawFloorRow(box, row); });
}

void YukaCancel(TcadBox& box) {
  if (box.ButonType != dtYuka || Floor(box) == nullptr) return;
  box.Tool(ToolSlot::FloorObj).Free();
  box.B_Switch = _off;
  box.Invalidate();
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gestures of the site and the floor open the host's table.
void SiteTableGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.ClickKind = 0;
  PostHostNotification("TFrame22", 111);
}

}  // namespace
