// Modal popups and file dialogs behind one interface: the program shows real
// dialogs, tests script the answers and see every popup that was raised.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/report.h"

namespace ui {

enum {
  VAL_NO_FILE_SELECTED = 0,
  VAL_EXISTING_FILE_SELECTED = 1,
  VAL_NEW_FILE_SELECTED = 2,
};
enum FileSelectMode { VAL_LOAD_BUTTON = 0, VAL_SAVE_BUTTON = 1, VAL_SELECT_BUTTON = 2 };

// One line of a context menu.
struct MenuEntry {
  std::string label;
  bool separator = false;
  bool dimmed = false;
};

struct FileSelectRequest {
  std::string defaultDirectory;
  std::string defaultFileSpec;  // e.g. "*.ini"
  std::string filterList;       // e.g. "*.ini;*.*"
  std::string title;
  FileSelectMode mode = VAL_LOAD_BUTTON;
  bool allowCancel = true;
  bool allowMakeDirectory = false;
};

class DialogProvider {
 public:
  virtual ~DialogProvider() = default;
  virtual void Message(const std::string& title, const std::string& text) = 0;
  // 1 for yes, 0 for no.
  virtual int Confirm(const std::string& title, const std::string& text) = 0;
  // 1 with the answer filled in, 0 when cancelled.
  virtual int Prompt(const std::string& title, const std::string& text, std::string& answer,
                     int maxLength) = 0;
  // One of the VAL_..._SELECTED values; path filled when a file was chosen.
  virtual int FileSelect(const FileSelectRequest& request, std::string& path) = 0;
  // A context menu at the mouse: the index of the entry chosen, -1 when none was.
  virtual int Menu(const std::vector<MenuEntry>& entries) = 0;
  // The print dialog: 1 with the chosen printer or PDF file, 0 when cancelled.
  virtual int PrintSetup(PrinterChoice& choice) = 0;
};

// The provider in use; the Qt one unless a test installed another.
DialogProvider& Dialogs();
void SetDialogProvider(DialogProvider* provider);  // nullptr restores the Qt dialogs

int MessagePopup(const std::string& title, const std::string& text);
int ConfirmPopup(const std::string& title, const std::string& text);
int PromptPopup(const std::string& title, const std::string& text, std::string& answer,
                int maxLength);
int FileSelectPopup(const FileSelectRequest& request, std::string& path);

// Records every popup and answers from a queue that the test fills. A popup that
// asks for an answer when none is queued is recorded as unexpected and declined.
class ScriptedDialogs : public DialogProvider {
 public:
  struct Popup {
    std::string kind;  // "message", "confirm", "prompt", "file", "print"
    std::string title;
    std::string text;
  };

  void QueueConfirm(int answer);
  void QueuePrompt(int result, const std::string& answer);
  void QueueFile(int result, const std::string& path);
  // The entry a context menu is answered with; an empty label closes it unused.
  void QueueMenu(const std::string& label);
  // The print dialog's answer: 1 prints to the PDF file at `pdfPath`, 0 cancels.
  void QueuePrint(int result, const std::string& pdfPath);

  void Message(const std::string& title, const std::string& text) override;
  int Confirm(const std::string& title, const std::string& text) override;
  int Prompt(const std::string& title, const std::string& text, std::string& answer,
             int maxLength) override;
  int FileSelect(const FileSelectRequest& request, std::string& path) override;
  int Menu(const std::vector<MenuEntry>& entries) override;
  int PrintSetup(PrinterChoice& choice) override;

  // Popups seen since the last call, oldest first; clears the record.
  std::vector<Popup> Take();
  const std::vector<Popup>& Seen() const { return seen_; }
  const std::vector<Popup>& Unexpected() const { return unexpected_; }
  const std::vector<FileSelectRequest>& FileRequests() const { return fileRequests_; }
  bool AnswersLeft() const { return !answers_.empty(); }
  // Every context menu shown, as it was shown.
  const std::vector<std::vector<MenuEntry>>& Menus() const { return menus_; }

 private:
  struct Answer {
    std::string kind;
    int result;
    std::string text;
  };
  bool NextAnswer(const std::string& kind, Answer& out, const Popup& popup);

  std::deque<Answer> answers_;
  std::vector<Popup> seen_;
  std::vector<Popup> unexpected_;
  std::vector<FileSelectRequest> fileRequests_;
  std::vector<std::vector<MenuEntry>> menus_;
};

}  // namespace ui
