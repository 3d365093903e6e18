#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "geometry/codepage.h"

namespace fs = std::filesystem;

namespace {

QString QDialogs(const std::string& cp932) {
  const std::u16string u = Utf16FromCp932(cp932);
  return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

std::string Cp932(const QString& s) {
  return Cp932FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())));
}

QString NativeName(const fs::path& p) { return QFile::decodeName(QByteArray::fromStdString(p.string())); }
fs::path PathOf(const QString& s) { return fs::path(QFile::encodeName(s).toStdString()); }

// Filter pairs as Qt name filters: "Text (*.a *.b)".
QStringList NameFilters(const std::string& filter) {
  QStringList list;
  for (const FilterEntry& e : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& p : e.Patterns) patterns << QDialogs(p);
    list << QDialogs(e.Description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return list;
}

class QtDialogs : public Dialogs {
 public:
  MessageAnswer ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QDialogs(MessageCaption(kind)));
    box.setText(QDialogs(text));
    switch (kind) {
      case MessageKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
      case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
      case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
      case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
      case MessageKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    // The button texts of the Japanese system boxes.
    if (buttons == MessageButtons::YesCancel) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
      box.button(QMessageBox::Yes)->setText(QDialogs(J("はい(&Y)")));
      box.button(QMessageBox::Cancel)->setText(QDialogs(J("キャンセル")));
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
    } else {
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::Cancel;
  }

  bool OpenFile(const FileDialogRequest& request, fs::path& chosen) override { return Run(request, false, chosen); }
  bool SaveFile(const FileDialogRequest& request, fs::path& chosen) override { return Run(request, true, chosen); }

  std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) override {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QDialogs(caption));
    dialog.setLabelText(QDialogs(prompt));
    dialog.setTextValue(QDialogs(defaultText));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QDialogs(J("キャンセル")));
    if (dialog.exec() != QDialog::Accepted) return defaultText;
    return Cp932(dialog.textValue());
  }

 private:
  static bool Run(const FileDialogRequest& request, bool save, fs::path& chosen) {
    const std::string title = !request.Title.empty() ? request.Title : J(save ? "名前を付けて保存" : "開く");
    QFileDialog dialog(QApplication::activeWindow(), QDialogs(title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Saving over an existing file asks nothing; the write itself is atomic.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFilters(request.Filter);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      const int index = request.FilterIndex >= 1 && request.FilterIndex <= filters.size() ? request.FilterIndex : 1;
      dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.DefaultExt.empty()) dialog.setDefaultSuffix(QDialogs(request.DefaultExt));
    if (!request.FileName.empty()) {
      if (request.FileName.has_parent_path()) dialog.setDirectory(NativeName(request.FileName.parent_path()));
      dialog.selectFile(NativeName(request.FileName.filename()));
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    chosen = WithDefaultExtension(PathOf(files.first()), request.DefaultExt);
    return true;
  }
};

QtDialogs qtDialogs;
Dialogs* current = nullptr;
Dialogs* fallback = nullptr;
std::string applicationTitle = "Zuro";

}  // namespace

Dialogs& CurrentDialogs() {
  if (current) return *current;
  return fallback ? *fallback : qtDialogs;
}
void InstallDialogs(Dialogs* dialogs) { current = dialogs; }
void SetDefaultDialogs(Dialogs* dialogs) { fallback = dialogs; }
Dialogs& PlatformDialogs() { return qtDialogs; }

const std::string& ApplicationTitle() { return applicationTitle; }
void SetApplicationTitle(const std::string& title) { applicationTitle = title; }

std::string MessageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information: return J("情報");
    case MessageKind::Warning: return J("警告");
    case MessageKind::Confirmation: return J("確認");
    case MessageKind::Plain:
    case MessageKind::Error: break;
  }
  return applicationTitle;
}

std::vector<FilterEntry> ParseFileFilter(const std::string& filter) {
  // "|" (0x7C) can be the second byte of a double-byte character ("－" is
  // 0x81 0x7C), so the split steps over whole characters; ";" (0x3B) cannot.
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < filter.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(filter[i]);
    if (c == '|') {
      parts.emplace_back();
      continue;
    }
    parts.back() += filter[i];
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < filter.size()) {
      parts.back() += filter[++i];
    }
  }
  std::vector<FilterEntry> entries;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    FilterEntry e{parts[i], {}};
    std::size_t from = 0;
    const std::string& patterns = parts[i + 1];
    while (from <= patterns.size()) {
      const std::size_t semi = patterns.find(';', from);
      const std::string p = patterns.substr(from, semi == std::string::npos ? std::string::npos : semi - from);
      if (!p.empty()) e.Patterns.push_back(p);
      if (semi == std::string::npos) break;
      from = semi + 1;
    }
    if (!e.Patterns.empty()) entries.push_back(std::move(e));
  }
  return entries;
}

fs::path WithDefaultExtension(const fs::path& name, const std::string& ext) {
  if (ext.empty() || name.empty() || name.filename().has_extension()) return name;
  fs::path result = name;
  result += "." + ext;
  return result;
}

MessageAnswer ScriptedDialogs::ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) {
  shown.push_back({Kind::Message, text, kind, buttons, {}, {}, {}});
  if (messageAnswers.empty()) return buttons == MessageButtons::YesCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
  const MessageAnswer answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

bool ScriptedDialogs::AnswerFile(Kind kind, const FileDialogRequest& request, fs::path& chosen) {
  shown.push_back({kind, {}, MessageKind::Plain, MessageButtons::Ok, request, {}, {}});
  if (fileAnswers.empty()) return false;
  const std::optional<fs::path> answer = fileAnswers.front();
  fileAnswers.pop_front();
  if (!answer) return false;
  chosen = WithDefaultExtension(*answer, request.DefaultExt);
  return true;
}

bool ScriptedDialogs::OpenFile(const FileDialogRequest& request, fs::path& chosen) {
  return AnswerFile(Kind::Open, request, chosen);
}

bool ScriptedDialogs::SaveFile(const FileDialogRequest& request, fs::path& chosen) {
  return AnswerFile(Kind::Save, request, chosen);
}

std::string ScriptedDialogs::InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) {
  shown.push_back({Kind::Input, prompt, MessageKind::Plain, MessageButtons::Ok, {}, caption, defaultText});
  if (inputAnswers.empty()) return defaultText;
  const std::optional<std::string> answer = inputAnswers.front();
  inputAnswers.pop_front();
  return answer ? *answer : defaultText;
}
