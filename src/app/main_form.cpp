#include "app/main_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "app/coordinate_dialog.h"
#include "app/input_dialog_support.h"
#include "app/load_dialog.h"
#include "app/main_frame.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"
#include "platform/ini_file.h"

namespace {

QString UMainForm(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kSection = "Set1";
const char* const kModuliDefaults[] = {"6,20594,7943,", "7,20594,7943,", "8,20594,7943,", "9,20594,7943,"};
constexpr int kScaleItemOf100 = 12;

// "ﾊﾞ-ｼﾞｮﾝ情報": the program's name and version.
class TForm3 : public QDialog {
 public:
  explicit TForm3(QWidget* owner) : QDialog(owner) {
    setWindowTitle(UMainForm("ﾊﾞ-ｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    auto* name = new QLabel(QStringLiteral("Zuro"), group);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPixelSize(24);
    name->setFont(bold);
    inner->addWidget(name);
    inner->addWidget(new QLabel(QStringLiteral("ver1.44"), group));
    layout->addWidget(group);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    layout->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
  }
  QPushButton* Button1;
};

}  // namespace

TForm1::TForm1(std::filesystem::path settingsFile) : settingsFile_(std::move(settingsFile)) {
  setWindowTitle(UMainForm("任意形状平面応力計算プログラム  Zuro ver1.44"));
  setFont(DialogFont());
  QMenu* file = menuBar()->addMenu(UMainForm("ファイル(&F)"));
  Exit1 = file->addAction(UMainForm("終了(&X)"));
  QMenu* help = menuBar()->addMenu(UMainForm("ヘルプ(&H)"));
  About1 = help->addAction(UMainForm("ヘルプ(&H)..."));
  A1 = help->addAction(UMainForm("バージョン情報(&A)..."));
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(About1, &QAction::triggered, this, [this] { About1Click(); });
  connect(A1, &QAction::triggered, this, [this] { A1Click(); });

  frame_ = new TMatNini1(this);
  keizyo1 = new Tkeizyo1(*frame_, this);
  keizyo2 = new Tkeizyo2(*frame_, this);
  keizyo3 = new Tkeizyo3(*frame_, this);
  keizyo4 = new Tkeizyo4(*frame_, this);
  frame_->SetDialogs(keizyo1, keizyo2, keizyo3, keizyo4);
  setCentralWidget(frame_);
  // Where nothing honours "maximised" (a bare X server, some remote
  // desktops) the window keeps its normal size: the screen's working area.
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
  setWindowState(Qt::WindowMaximized);

  ProgramFolder = ::ProgramFolder();
  if (settingsFile_.empty()) settingsFile_ = SettingsFilePath();
  LoadSettings();
}

TForm1::~TForm1() {
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // The window is going away: a settings file that cannot be written
    // keeps its old contents.
  }
}

void TForm1::LoadSettings() {
  const TMemIniFile ini(settingsFile_);
  // A settings file that cannot be read is kept as it is: said once, and
  // never written over with only this program's keys.
  if (ini.Unreadable() && !unreadableSettingsSaid_) {
    unreadableSettingsSaid_ = true;
    ShowWarning(ini.ReadFailure() + J("このファイルは書き換えずに残します。"));
  }
  GridCells& moduli = keizyo1->CtrlGrid2->MutableTable();
  for (int k = 1; k <= 4; ++k) {
    moduli.SetRowCommaText(k, ini.ReadString(kSection, "Data" + std::to_string(k), kModuliDefaults[k - 1]));
    moduli.SetCell(0, k, J(ModuliRowTitles[static_cast<std::size_t>(k)]));
  }
  keizyo1->CtrlGrid2->CellsChanged();
  frame_->CheckBox1->setChecked(ini.ReadBool(kSection, "check1", true));
  frame_->CheckBox2->setChecked(ini.ReadBool(kSection, "check2", true));
  int scale = ini.ReadInteger(kSection, "scale", kScaleItemOf100);
  // A value that names no item of the scale box means "100".
  if (scale < 0 || scale >= frame_->ComboBox1->count()) scale = kScaleItemOf100;
  frame_->ComboBox1->setCurrentIndex(scale);
  frame_->CheckBox3->setChecked(ini.ReadBool(kSection, "check3", true));
}

void TForm1::SaveSettings() {
  TMemIniFile ini(settingsFile_);
  if (ini.Unreadable()) return;  // said when it was read
  ini.WriteBool(kSection, "check1", frame_->CheckBox1->isChecked());
  ini.WriteBool(kSection, "check2", frame_->CheckBox2->isChecked());
  ini.WriteInteger(kSection, "scale", frame_->ComboBox1->currentIndex());
  ini.WriteBool(kSection, "check3", frame_->CheckBox3->isChecked());
  ini.UpdateFile();
}

void TForm1::Exit1Click() { close(); }

void TForm1::About1Click() {
  const std::filesystem::path helpFile = ProgramFolder / "Zuro.hlp";
  if (!FileExists(helpFile) ||
      !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(helpFile.string())))) {
    ShowMessage(J("ヘルプファイル Zuro.hlp はこのシステムでは表示できません。"));
  }
}

void TForm1::A1Click() {
  TForm3 dialog(this);
  dialog.exec();
}
