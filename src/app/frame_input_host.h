#pragma once
// What the input dialogs ask of the main frame: its model, the input figure
// and the tool bar that opening a dialog disabled. The frame implements it;
// tests record the calls.

struct RFrameModel;

class FrameInputHost {
 public:
  virtual ~FrameInputHost() = default;

  virtual RFrameModel& Model() = 0;
  // Enables ToolBar1 and ToolButton1 to ToolButton4 again.
  virtual void EnableToolBar() = 0;
  // The input figure from the model: the drawing is emptied and the nodes
  // drawn; the members; the support symbols.
  virtual void DrawNodes() = 0;
  virtual void DrawMembers() = 0;
  virtual void DrawSupports() = 0;
  // Presses the view button "入力図" (SpeedButton2 down, then its click).
  virtual void ShowInputFigure() = 0;
  // The full redraw of the canvas (RedrawAll with false).
  virtual void RedrawAll() = 0;
};
