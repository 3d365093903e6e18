#pragma once
// The drawing and editing commands, one file per family. Each file opens
// with its registration rows; RegisterCommandHandlers puts every family
// into the canvas's command registry. The application calls it once at
// start, with RegisterCommandFramework.

#include <vector>

#include "platform/custom_control.h"

class TcadBox;
struct RPoint2D;

void RegisterCommandHandlers();

void RegisterLineCommands();
void RegisterRectangleCommands();
void RegisterPrintFrameCommands();
void RegisterPointCommands();
void RegisterSelectionCommands();
void RegisterCopyMoveCommands();
void RegisterTrimCommands();
void RegisterOffsetCommands();
void RegisterStretchCommands();
void RegisterConstructionLineCommands();
void RegisterFigurePasteCommands();
void RegisterTextCommands();
void RegisterCircleCommands();
void RegisterTangentCommands();
void RegisterPolygonCommands();
void RegisterAreaCommands();
void RegisterSiteFloorCommands();
void RegisterBatchLineCommands();
void RegisterDimensionCommands();
void RegisterChainedDimensionCommands();
void RegisterFigureCommands();
void RegisterCurveCommands();
void RegisterPictureCommands();

// The vertex press of the modes that take a polyline vertex by vertex
// (the curve through vertices, the deformation points): the first vertex,
// the second and every further one by B_Switch; a snapped point repeating
// the vertex before is refused with "同一点".
void VertexListDown(TcadBox& box, TShiftState shift, double x, double y);

// The leave row of the modes that show the held text's frame at the
// cursor: a shown frame is erased.
void EraseHeldTextFrameOnLeave(TcadBox& box);
// The held text's frame at a point in XOR: a second draw takes it away.
void XorHeldTextFrame(TcadBox& box, RPoint2D at);
// The text element added last, drawn where it was stored at the held
// text's angle.
void DrawLastText(TcadBox& box);
// The areas of what the last undo step deleted and added painted again
// from the drawing: the pixels an erase took from what crossed it come
// back, and the new elements show as the redraw draws them, in its order.
void RepaintUndoStep(TcadBox& box);
// The pitch points of the segment from (x1, y1) to (x2, y2) in order, by
// the host's pitch (real units) and pitch mode in the current group.
std::vector<RPoint2D> PitchDivisionPoints(const TcadBox& box, double x1, double y1, double x2, double y2);
