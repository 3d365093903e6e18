#include "app/coordinate_dialog.h"

#include <QCloseEvent>
#include <QPushButton>

#include "app/frame_input_host.h"
#include "app/input_dialog_support.h"
#include "app/input_parsers.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/tool_windows.h"

namespace {
constexpr int kWidth = 200;
constexpr int kHeight = 381;
constexpr int kButtonBand = 34;  // below the grid
}  // namespace

Tkeizyo3::Tkeizyo3(FrameInputHost& host, QWidget* mainWindow) : host_(host) {
  if (mainWindow) MakeToolWindow(this, mainWindow);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle(QText(J(kCoordinateDialogTitle)));
  setFont(DialogFont());
  setFixedWidth(kWidth);
  setMinimumHeight(120);
  resize(kWidth, kHeight);

  CtrlGrid1 = MakeInputGrid(this, {35, 59, 59}, 150, {"位置", " Ｘ (m) ", " Ｙ (m) "});
  CtrlGrid1->setFrameShape(QFrame::NoFrame);
  CtrlGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CtrlGrid1->OnKeyDown = [this](TCtrlGrid* g, int& key, Qt::KeyboardModifiers s) { CtrlGrid1KeyDown(g, key, s); };
  CtrlGrid1->OnDrawCell = DrawCellRight;

  Button1 = MakeButton(this, kCloseCaption, 8, 0, 80, 25);
  Button2 = MakeButton(this, kClearAllCaption, 104, 0, 80, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  resizeEvent(nullptr);
  FormCreate();
}

void Tkeizyo3::FormCreate() { WriteRowTitles(CtrlGrid1, 149, true); }

bool Tkeizyo3::FormClose() {
  host_.EnableToolBar();
  CtrlGrid1->EndEditing();
  if (!ParseCoordinates(CtrlGrid1->Table(), host_.Model())) return false;
  host_.DrawNodes();
  host_.ShowInputFigure();
  host_.RedrawAll();
  return true;
}

bool Tkeizyo3::Button1Click() {
  // A refused table stays open for its row to be mended.
  const bool taken = FormClose();
  if (taken) hide();
  return taken;
}

void Tkeizyo3::Button2Click() { ClearGridColumns(CtrlGrid1, 1, 2); }

void Tkeizyo3::CtrlGrid1KeyDown(TCtrlGrid* sender, int& key, Qt::KeyboardModifiers) { MoveOnAfterEnter(sender, key); }

void Tkeizyo3::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void Tkeizyo3::resizeEvent(QResizeEvent* event) {
  if (event) QWidget::resizeEvent(event);
  // The grid keeps to the left, top and bottom; the buttons sit below it.
  const int gridHeight = std::max(height() - kButtonBand, 40);
  CtrlGrid1->setGeometry(0, 0, 35 + 59 + 59 + 20, gridHeight);
  Button1->move(Button1->x(), gridHeight + 5);
  Button2->move(Button2->x(), gridHeight + 5);
}
