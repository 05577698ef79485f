#include "ui/dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/ui.h"

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
    // The field itself refuses what the program would cut off.
    if (maxLength > 0)
      if (auto* field = dlg.findChild<QLineEdit*>()) field->setMaxLength(maxLength);
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
    // A proposed name with wildcards is a filter of its own; a plain name is
    // only proposed, so the list still shows every file the filter admits.
    bool pattern = r.defaultFileSpec.find_first_of("*?") != std::string::npos;
    if (pattern && !filters.contains(Text(r.defaultFileSpec)))
      filters.prepend(Text(r.defaultFileSpec));
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    bool save = r.mode == VAL_SAVE_BUTTON;
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks itself before it overwrites.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!r.defaultFileSpec.empty() && !pattern) dlg.selectFile(Text(r.defaultFileSpec));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
      return VAL_NO_FILE_SELECTED;
    QString chosen = dlg.selectedFiles().first();
    path = chosen.toStdString();
    return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
  }

  int Menu(const std::vector<MenuEntry>& entries) override {
    QMenu menu(ActiveParent());
    std::vector<QAction*> actions;
    for (const MenuEntry& e : entries) {
      QAction* a = e.separator ? menu.addSeparator() : menu.addAction(Text(e.label));
      a->setEnabled(!e.separator && !e.dimmed);
      actions.push_back(a);
    }
    QAction* chosen = menu.exec(QCursor::pos());
    for (size_t i = 0; i < actions.size(); ++i)
      if (actions[i] == chosen) return static_cast<int>(i);
    return -1;
  }

  int PrintSetup(PrinterChoice& choice) override {
    QPrinter printer(QPrinter::HighResolution);
    // Without a printer the dialog offers the PDF file at once, with a name.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(Text(GetProjectDir() + "/RarevScreenShot.pdf"));
    }
    QPrintDialog dlg(&printer, ActiveParent());
    dlg.setWindowTitle("Print");
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dlg.exec() != QDialog::Accepted) return 0;
    choice = PrinterChoice{};
    if (printer.outputFormat() == QPrinter::PdfFormat)
      choice.outputFile = printer.outputFileName().toStdString();
    else
      choice.printerName = printer.printerName().toStdString();
    choice.copies = printer.copyCount();
    choice.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    return 1;
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
void ScriptedDialogs::QueuePrint(int result, const std::string& pdfPath) {
  answers_.push_back({"print", result, pdfPath});
}

void ScriptedDialogs::QueueMenu(const std::string& label) {
  answers_.push_back({"menu", 0, label});
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

int ScriptedDialogs::Menu(const std::vector<MenuEntry>& entries) {
  menus_.push_back(entries);
  Popup p{"menu", "", {}};
  for (const MenuEntry& e : entries) p.text += (e.separator ? "-" : e.label) + "\n";
  Answer a;
  if (!NextAnswer("menu", a, p)) return -1;
  // A dimmed entry cannot be chosen: the menu closes with nothing done.
  for (size_t i = 0; i < entries.size(); ++i)
    if (!entries[i].separator && entries[i].label == a.text)
      return entries[i].dimmed ? -1 : static_cast<int>(i);
  return -1;
}

int ScriptedDialogs::PrintSetup(PrinterChoice& choice) {
  Popup p{"print", "Print", ""};
  seen_.push_back(p);
  Answer a;
  if (!NextAnswer("print", a, p) || a.result == 0) return 0;
  choice = PrinterChoice{};
  choice.outputFile = a.text;
  return 1;
}

std::vector<ScriptedDialogs::Popup> ScriptedDialogs::Take() {
  std::vector<Popup> out;
  out.swap(seen_);
  return out;
}

}  // namespace ui
