#include "app/support_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>

#include "app/frame_input_host.h"
#include "app/input_dialog_support.h"
#include "app/input_parsers.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/tool_windows.h"

Tkeizyo4::Tkeizyo4(FrameInputHost& host, QWidget* mainWindow) : host_(host) {
  if (mainWindow) MakeToolWindow(this, mainWindow);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle(QText(J(kSupportDialogTitle)));
  setFont(DialogFont());
  setFixedSize(240, 384);

  CtrlGrid5 = MakeInputGrid(this, {30, 71, 93}, 100, {"NO", "節点位置", "支点ﾀｲﾌﾟ"});
  CtrlGrid5->setFrameShape(QFrame::NoFrame);
  CtrlGrid5->setGeometry(8, 8, 30 + 71 + 93 + 20, 330);
  CtrlGrid5->OnClick = [this](TCtrlGrid*) { CtrlGrid5Click(); };
  ComboBox1 = MakeCellList(this, {" 111 固定", " 110 ピン", " 000 自由", " 010 Xﾛ-ﾗ", " 100 Yﾛ-ﾗ", " "}, false, 8);

  Button1 = MakeButton(this, kCloseCaption, 8, 348, 80, 25);
  Button2 = MakeButton(this, kClearAllCaption, 104, 348, 80, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  FormCreate();
}

void Tkeizyo4::FormCreate() { WriteRowTitles(CtrlGrid5, 99, true); }

void Tkeizyo4::FormClose() { host_.EnableToolBar(); }

bool Tkeizyo4::Button1Click() {
  CtrlGrid5->EndEditing();
  if (!ParseSupports(CtrlGrid5->Table(), host_.Model())) return false;
  host_.DrawSupports();
  host_.RedrawAll();
  FormClose();
  hide();
  return true;
}

void Tkeizyo4::Button2Click() { ClearGridColumns(CtrlGrid5, 1, 2); }

void Tkeizyo4::CtrlGrid5Click() {
  if (CtrlGrid5->Ctrls().Count() == 0) CtrlGrid5->Ctrls().Add(2, -1, ComboBox1, "");
}

void Tkeizyo4::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}
