#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace ui {

namespace {

QString Text(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QWidget* ActiveParent() {
  return QApplication::activeWindow();
}

class QtDialogs : public DialogProvider {
 public:
  void Message(const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::Ok, ActiveParent());
    box.exec();
  }

  int Confirm(const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Question, Text(title), Text(text),
                    QMessageBox::Yes | QMessageBox::No, ActiveParent());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? 1 : 0;
  }

  int Prompt(const std::string& title, const std::string& text, std::string& answer,
             int maxLength) override {
    QInputDialog dlg(ActiveParent());
    dlg.setWindowTitle(Text(title));
    dlg.setLabelText(Text(text));
    dlg.setTextValue(Text(answer));
    if (dlg.exec() != QDialog::Accepted) return 0;
    QString v = dlg.textValue();
    if (maxLength > 0) v.truncate(maxLength);
    answer = v.toStdString();
    return 1;
  }

  int FileSelect(const FileSelectRequest& r, std::string& path) override {
    QFileDialog dlg(ActiveParent(), Text(r.title), Text(r.defaultDirectory));
    QStringList filters;
    for (const QString& f : Text(r.filterList).split(';', Qt::SkipEmptyParts))
      filters << f.trimmed();
    // A proposed file name is no filter: as one it would hide every other file.
    bool specIsPattern = r.defaultFileSpec.find('*') != std::string::npos;
    if (specIsPattern && !filters.contains(Text(r.defaultFileSpec)))
      filters.prepend(Text(r.defaultFileSpec));
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    bool save = r.mode == VAL_SAVE_BUTTON;
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks itself before it overwrites.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!r.defaultFileSpec.empty() && r.defaultFileSpec.find('*') == std::string::npos)
      dlg.selectFile(Text(r.defaultFileSpec));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
      return VAL_NO_FILE_SELECTED;
    QString chosen = dlg.selectedFiles().first();
    path = chosen.toStdString();
    return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
  }
};

QtDialogs& QtProvider() {
  static QtDialogs d;
  return d;
}

DialogProvider* gProvider = nullptr;

}  // namespace

DialogProvider& Dialogs() {
  return gProvider ? *gProvider : QtProvider();
}
void SetDialogProvider(DialogProvider* provider) {
  gProvider = provider;
}

int MessagePopup(const std::string& title, const std::string& text) {
  Dialogs().Message(title, text);
  return 0;
}
int ConfirmPopup(const std::string& title, const std::string& text) {
  return Dialogs().Confirm(title, text);
}
int PromptPopup(const std::string& title, const std::string& text, std::string& answer,
                int maxLength) {
  return Dialogs().Prompt(title, text, answer, maxLength);
}
int FileSelectPopup(const FileSelectRequest& request, std::string& path) {
  return Dialogs().FileSelect(request, path);
}

// ---- scripted ---------------------------------------------------------------

void ScriptedDialogs::QueueConfirm(int answer) {
  answers_.push_back({"confirm", answer, {}});
}
void ScriptedDialogs::QueuePrompt(int result, const std::string& answer) {
  answers_.push_back({"prompt", result, answer});
}
void ScriptedDialogs::QueueFile(int result, const std::string& path) {
  answers_.push_back({"file", result, path});
}

bool ScriptedDialogs::NextAnswer(const std::string& kind, Answer& out, const Popup& popup) {
  if (answers_.empty() || answers_.front().kind != kind) {
    unexpected_.push_back(popup);
    return false;
  }
  out = answers_.front();
  answers_.pop_front();
  return true;
}

void ScriptedDialogs::Message(const std::string& title, const std::string& text) {
  seen_.push_back({"message", title, text});
}

int ScriptedDialogs::Confirm(const std::string& title, const std::string& text) {
  Popup p{"confirm", title, text};
  seen_.push_back(p);
  Answer a;
  return NextAnswer("confirm", a, p) ? a.result : 0;
}

int ScriptedDialogs::Prompt(const std::string& title, const std::string& text, std::string& answer,
                            int maxLength) {
  Popup p{"prompt", title, text};
  seen_.push_back(p);
  Answer a;
  if (!NextAnswer("prompt", a, p)) return 0;
  if (a.result) answer = maxLength > 0 ? a.text.substr(0, maxLength) : a.text;
  return a.result;
}

int ScriptedDialogs::FileSelect(const FileSelectRequest& request, std::string& path) {
  Popup p{"file", request.title, request.defaultDirectory};
  seen_.push_back(p);
  fileRequests_.push_back(request);
  Answer a;
  if (!NextAnswer("file", a, p)) return VAL_NO_FILE_SELECTED;
  if (a.result != VAL_NO_FILE_SELECTED) path = a.text;
  return a.result;
}

std::vector<ScriptedDialogs::Popup> ScriptedDialogs::Take() {
  std::vector<Popup> out;
  out.swap(seen_);
  return out;
}

}  // namespace ui
