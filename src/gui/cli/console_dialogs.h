// The window's popups when a command runs from the shell: file dialogs are
// answered with the file the command line names, questions with a fixed
// answer, and messages become lines on the error stream, except the first
// refusal, which the command reports as its error.
#pragma once

#include <string>
#include <vector>

#include "ui/dialogs.h"

// A text of several lines as one: line breaks and the blanks around them
// become one blank.
std::string OneLine(const std::string& text);

class ConsoleDialogs : public ui::DialogProvider {
 public:
  // The file every file dialog chooses; empty: the dialog is cancelled.
  void AnswerFilesWith(const std::string& path) { file_ = path; }
  // 1: every question is answered yes; 0: no.
  void AnswerQuestionsWith(int yes) { yes_ = yes; }
  // The first message titled "ATTENTION!" (a refusal or a file error), as one
  // line; empty when there was none.
  const std::string& Refusal() const { return refusal_; }

  void Message(const std::string& title, const std::string& text) override;
  int Confirm(const std::string& title, const std::string& text) override;
  int Prompt(const std::string& title, const std::string& text, std::string& answer,
             int maxLength) override;
  int FileSelect(const ui::FileSelectRequest& request, std::string& path) override;
  int Menu(const std::vector<ui::MenuEntry>& entries) override;
  int PrintSetup(ui::PrinterChoice& choice) override;

 private:
  std::string file_;
  int yes_ = 0;
  std::string refusal_;
};
