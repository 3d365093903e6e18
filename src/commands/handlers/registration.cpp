// Every family of the drawing and editing commands into the registry.

#include "commands/handlers/command_handlers.h"

void RegisterCommandHandlers() {
  RegisterLineCommands();
  RegisterRectangleCommands();
  RegisterPrintFrameCommands();
  RegisterPointCommands();
  RegisterSelectionCommands();
  RegisterCopyMoveCommands();
  RegisterTrimCommands();
  RegisterOffsetCommands();
  RegisterStretchCommands();
  RegisterConstructionLineCommands();
  RegisterFigurePasteCommands();
  RegisterTextCommands();
  RegisterCircleCommands();
  RegisterTangentCommands();
  RegisterPolygonCommands();
  RegisterAreaCommands();
  RegisterSiteFloorCommands();
  RegisterBatchLineCommands();
  RegisterDimensionCommands();
  RegisterChainedDimensionCommands();
  RegisterFigureCommands();
  RegisterCurveCommands();
  RegisterPictureCommands();
}
