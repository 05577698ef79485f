#include "gui/recorder/record_file.h"

#include <cstdio>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/recorder/recorder_state.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

// The thirteen columns of a record file, in file order: title and live-frame
// word (the date and time have none).
struct RecordColumn {
  const char* title;
  int word;
  bool isSigned;
};
constexpr int kNoWord = -1;
constexpr RecordColumn kColumns[] = {
    {"DATE", kNoWord, false},     {"TIME", kNoWord, false},     {"RED", kLiveRed, false},
    {"GREEN", kLiveGreen, false}, {"BLUE", kLiveBlue, false},   {"X s", kLiveX, false},
    {"Y i", kLiveY, false},       {"INT M", kLiveInt, false},   {"delta C", kLiveDeltaC, true},
    {"COLOR", kLiveColor, false}, {"GROUP", kLiveGroup, false}, {"TRIGGER", kLiveTrigger, false},
    {"TEMP", kLiveTemp, false},
};

const char* const kMakeSureText =
    " Make sure, that the file is not opened by any other program. \n Otherwise it can not be "
    "saved.";

bool AppendBytes(const char* bytes, size_t n) {
  // Binary, so that the CR LF of each line reaches the disk as it is.
  std::FILE* f = std::fopen(gRemembered.recordFile.c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(bytes, 1, n, f) == n;
  return std::fclose(f) == 0 && ok;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void ShowRecordPath() {
  int page = MainTab(kPageRecorder);
  ui::ResetTextBox(page, TABREC_TEXTBOX_FILE, "");
  ui::ResetTextBox(page, TABREC_TEXTBOX_FILE, gRemembered.recordFile);
}

}  // namespace

std::string RecordHeaderText(const std::string& sensorId) {
  std::string h = std::string("\nRECORD RESULTS OF: ") + kProgramTitle + "\r\n";
  if (!sensorId.empty()) h += "PANEL ID: " + sensorId + "\r\n";
  h += "\r\n";
  for (const auto& c : kColumns) {
    if (&c != kColumns) h += '\t';
    h += c.title;
  }
  return h + "\r\n";
}

int FormatRecordLine(char* out, size_t size, const uint16_t* frame, const std::tm& when) {
  int n = std::snprintf(out, size, "%02d-%02d-%04d\t%02d:%02d:%02d", when.tm_mon + 1, when.tm_mday,
                        when.tm_year + 1900, when.tm_hour, when.tm_min, when.tm_sec);
  for (const auto& c : kColumns) {
    if (c.word == kNoWord || n < 0 || static_cast<size_t>(n) >= size) continue;
    uint16_t w = frame[c.word];
    int v = c.isSigned ? static_cast<int16_t>(w) : w;
    n += std::snprintf(out + n, size - static_cast<size_t>(n), "\t%d", v);
  }
  if (n >= 0 && static_cast<size_t>(n) + 2 < size) {
    out[n++] = '\r';
    out[n++] = '\n';
    out[n] = '\0';
  }
  return n;
}

bool WriteRecordHeader() {
  std::string id = ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_ID);
  std::string h = RecordHeaderText(id);
  return AppendBytes(h.data(), h.size());
}

bool AppendRecordLine() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char line[192];
  int n = FormatRecordLine(line, sizeof line, gLive.frame, local);
  bool ok = n > 0 && AppendBytes(line, static_cast<size_t>(n));
  if (!ok) ++gRecorder.failedLines;
  return ok;
}

void SelectRecordFile() {
  ui::FileSelectRequest request;
  request.defaultDirectory = DirectoryOf(gRemembered.recordFile);
  request.defaultFileSpec = "RecordFile.dat";
  request.filterList = "*.dat";
  request.title = "FILENAME!";
  // The dialog must accept a name that does not exist yet.
  request.mode = ui::VAL_SAVE_BUTTON;
  request.allowCancel = true;
  request.allowMakeDirectory = true;
  std::string path;
  int result = ui::FileSelectPopup(request, path);
  if (result == ui::VAL_EXISTING_FILE_SELECTED && !path.empty()) {
    if (ui::ConfirmPopup("ATTENTION!",
                         "File already exist! \nDo you want to select existing file?") != 1)
      return;  // the previous path stays in force
    ui::MessagePopup("ATTENTION!", kMakeSureText);
    gRemembered.recordFile = path.substr(0, kPathChars);
    ShowRecordPath();
    std::remove(gRemembered.recordFile.c_str());
    WriteRecordHeader();
  } else if (result == ui::VAL_NEW_FILE_SELECTED && !path.empty()) {
    gRemembered.recordFile = path.substr(0, kPathChars);
    ShowRecordPath();
    WriteRecordHeader();
  } else {
    ui::MessagePopup("ATTENTION!", "No filename was selected! \nRecording will not be done! ");
  }
}

const char* RecordMakeSureText() {
  return kMakeSureText;
}
