#include "gui/cli/console_dialogs.h"

#include <sys/stat.h>

#include <cstdio>

std::string OneLine(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == '\n' || c == '\r' || c == ' ' || c == '\t') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

void ConsoleDialogs::Message(const std::string& title, const std::string& text) {
  std::string line = OneLine(title + " " + text);
  if (title == "ATTENTION!") {
    if (refusal_.empty()) refusal_ = line;
    return;
  }
  std::fprintf(stderr, "%s\n", line.c_str());
}

int ConsoleDialogs::Confirm(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s %s\n", OneLine(title + " " + text).c_str(),
               yes_ ? "yes (--force)" : "no (--force answers yes)");
  return yes_;
}

int ConsoleDialogs::Prompt(const std::string&, const std::string&, std::string&, int) {
  return 0;
}

int ConsoleDialogs::FileSelect(const ui::FileSelectRequest&, std::string& path) {
  if (file_.empty()) return ui::VAL_NO_FILE_SELECTED;
  path = file_;
  struct stat st {};
  bool exists = stat(file_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  return exists ? ui::VAL_EXISTING_FILE_SELECTED : ui::VAL_NEW_FILE_SELECTED;
}

int ConsoleDialogs::Menu(const std::vector<ui::MenuEntry>&) {
  return -1;
}

int ConsoleDialogs::PrintSetup(ui::PrinterChoice&) {
  return 0;
}
