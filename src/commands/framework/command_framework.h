#pragma once
// The command framework: the idle handlers, the helpers every command
// shares, the cursor shapes, the ring cursor and the grid display, and the
// families of the point assists, the angle pick, the attribute commands,
// the outside and cut-out ranges and the external pick. Handlers the canvas
// reaches only through the command registry are local to their files;
// RegisterCommandFramework puts them there. The application calls it once
// at start, before any mouse event, with RegisterCommandHandlers.

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "canvas/command_modes.h"
#include "canvas/command_registry.h"
#include "geometry/angles_points.h"
#include "platform/canvas.h"
#include "platform/custom_control.h"

class TcadBox;
class TSupuLineobj;

void RegisterCommandFramework();

// The framework's own family files.
void RegisterIdleCommands();
void RegisterCursorRingGridCommands();
void RegisterPointAssistCommands();
void RegisterAnglePickCommands();
void RegisterAttributeCommands();
void RegisterOutsideRangeCommands();
void RegisterExternalPickCommands();
// The grey caption of a drag that came back below the gesture length leaves
// at every release, at the range drag's place in the up sequence.
void RegisterGestureCaptionClearing();

// A line direction in degrees as a grid angle in [0, 90): the grid looks
// the same every quarter turn.
double GridAngleOfLine(double angle);

// The mode is one of the given ones.
bool ModeIn(Sbuttontype mode, std::initializer_list<Sbuttontype> modes);

// The modes in which the ring cursor shows when RingHan is 1.
bool IsRingMode(Sbuttontype mode);

// A move handler shows its prompt and rubber band only while no mouse button
// is held (Shift or Ctrl alone allowed): a held button is a drag.
bool NoMouseButtonHeld(TShiftState shift);

// Cursor rules of the family rows. Without a rule a mode shows the plain
// cursor (0, or 4 while the ring shows in every mode). A pair: the first id
// while RingHan is 0 or 1, the second for the other values. The two range
// rules: the selecting ranges use up the host's variant 3 or 100; the
// copying and cutting ranges show the variants 1 to 3.
std::optional<int> DefaultCursor(std::uint8_t ringHan);
TCursorRule CursorPair(int plain, int withRing);
std::optional<int> RangeSelectCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
std::optional<int> RangeVariantCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);

// The direction of a line (degrees in [0, 360)) is oblique: more than 10
// degrees from every axis; exactly 10 passes.
bool IsObliqueDirection(double direction);

// The colour of a colour number of the drawing (0 for a number past the table).
TColor PenColourOf(const TcadBox& box, std::uint8_t colourNo);

// The pen a result is drawn with before it is stored: copy mode, the pen
// style of the line type, the colour of the colour number.
void SetCopyPen(TcadBox& box, std::uint8_t colourNo, std::uint8_t lineType, int width);

// The point of a press in the commands that add the point offset: a free
// click the press point, a snapping one the snapped point (marked), each
// plus the offset. A snap that finds nothing drops the click (ClickKind 0).
// False when the press gives no point.
bool OffsetClickPoint(TcadBox& box, double x, double y, RPoint2D& point);
// The same, giving also the point before the offset (for a snapping click
// the snapped point itself), which the repeated-point tests compare.
bool OffsetClickPoint(TcadBox& box, double x, double y, RPoint2D& point, RPoint2D& snapped);

// Two clicked points count as one within 1e-4 in both coordinates.
bool SameClickPoint(const RPoint2D& a, const RPoint2D& b);

// A point handed back by a two-step assist to a command of three points
// (start, second, third): the first two move the command on as their
// releases would, leaving no click for a release later in the same event;
// the third goes into `third` and the command's up handler commits.
void ResumeThreePointCommand(TcadBox& box, RPoint2D& third, const TPointHandler& up);

// A point handed back by a two-step assist to a command of two points
// counted by CommandStep: at step 0 it becomes the start (FirstPoint and
// CurrentPoint) and the command moves on to step 1. False at a later step,
// where the command takes the point itself.
bool TakeAssistAsFirstPoint(TcadBox& box);

// The down or up handlers of the families owning a mode, run as that
// event would run them: a command resumed by a point assist takes the
// point through the registry, where a test may have put its own handler.
void ReEnterDown(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y);
void ReEnterUp(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y);

// The release of a two-point command before its commit: a view gesture
// leaves the rubber band gone, a dropped click does nothing, the first
// point moves the command on to the second. True when the second point is
// to be committed.
bool SecondPointReleased(TcadBox& box);

// The elements added to the drawing from position `first` on, each drawn as
// the full redraw draws it (each line from the end it is stored with).
void DrawAddedSince(TcadBox& box, std::size_t first);

// The release of a range command: a view gesture leaves the frame gone and
// drops the click. True when a click is to be taken.
bool RangeClickReleased(TcadBox& box);

// The angle the line and rectangle commands draw along: CommandAngle plus
// AxisAngle, in [0, 360).
double DrawingAngle(const TcadBox& box);

// The mouse-leave row of the range modes: the range frame, while one is
// taken at step 1, XOR-drawn once more in the selection colour.
void EraseRangeFrameOnLeave(TcadBox& box);

// The range frame between two corners in the selection colour, drawn in
// XOR (once shows it, twice takes it away); the pen goes back to copy.
void XorRangeFrame(TcadBox& box, RPoint2D a, RPoint2D b);

// The pen of the polylines taken vertex by vertex (polygon range, curve
// and external pick): solid, width 1, in the preview colour of the
// current mode, with the given pen mode.
void SetVertexListPen(TcadBox& box, TPenMode mode);

// The pen that paints a shown figure over: copy mode, solid, width 1, the
// control's background colour.
void SetBackgroundPen(TcadBox& box);

// Vertex k (1 <= k <= PointCount) of a vertex list.
RPoint2D VertexOf(const TSupuLineobj& v, std::int32_t k);

// The edges between consecutive vertices (line type 1) with the canvas pen
// as it is set. With pollButtons the walk stops before every 20th edge
// while both mouse buttons are held, and then gives false.
bool DrawVertexPolyline(TcadBox& box, const TSupuLineobj& v, bool pollButtons);
