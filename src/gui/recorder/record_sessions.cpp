#include "gui/recorder/record_sessions.h"

#include <string>

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_file.h"
#include "gui/recorder/record_graphs.h"
#include "gui/recorder/record_loops.h"
#include "gui/recorder/record_page.h"
#include "gui/recorder/recorder_state.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

constexpr int kRunningColor = 0xFF0000;
constexpr int kRestColor = 0xE0E0E0;

int Page() {
  return MainTab(kPageRecorder);
}

bool ConfirmFileName() {
  return ui::ConfirmPopup("ATTENTION!",
                          "Are you sure, that you have selected the right file name?") == 1;
}

void SetButtonColor(int ctrl, int color) {
  ui::SetCtrlAttribute(Page(), ctrl, ui::ATTR_CMD_BUTTON_COLOR, color);
}

// A recording that lost lines must not be reported as saved.
void ReportRecording() {
  unsigned failed = gRecorder.failedLines;
  if (failed == 0) {
    ui::MessagePopup("INFO!", "File has been saved!");
    return;
  }
  ui::MessagePopup("ATTENTION!", std::to_string(failed) + (failed == 1 ? " line" : " lines") +
                                     " could not be written to the file \n" +
                                     gRemembered.recordFile +
                                     " \nMake sure, that the file is not opened by any other "
                                     "program.");
}

}  // namespace

void StartIntervalRecording() {
  SetButtonsDimmed(0, 1);
  ClearRecordGraphs();
  if (ConfirmFileName()) {
    ui::MessagePopup("ATTENTION!", RecordMakeSureText());
    const int page = Page();
    const int locked[] = {TABREC_NUM_INTERVAL, TABREC_NUM_NUMBER, TABREC_BUTTON_START};
    for (int ctrl : locked) ui::SetCtrlAttribute(page, ctrl, ui::ATTR_CTRL_MODE, ui::VAL_INDICATOR);
    SetButtonColor(TABREC_BUTTON_START, kRunningColor);
    gRecorder.failedLines = 0;
    RunIntervalRecord();
    ReportRecording();
    for (int ctrl : locked) ui::SetCtrlAttribute(page, ctrl, ui::ATTR_CTRL_MODE, ui::VAL_NORMAL);
    SetButtonColor(TABREC_BUTTON_START, kRestColor);
  }
  SetButtonsDimmed(0, 0);
}

void StartTriggeredRecording() {
  if (!ConfirmFileName()) return;
  SetButtonsDimmed(0, 1);
  ui::MessagePopup("ATTENTION!", RecordMakeSureText());
  SetButtonColor(TABREC_BUTTON_STARTTRIG, kRunningColor);
  gRecorder.failedLines = 0;
  RunTriggeredRecord();
  StopTriggeredRecord();
  ReportRecording();
  SetButtonColor(TABREC_BUTTON_STARTTRIG, kRestColor);
  SetButtonsDimmed(0, 0);
}

void SelectRecordMode() {
  gLive.goRunning = 0;
  int mode = CurrentRecordMode();
  if (mode == kRecordManual) {
    gRecorder.recordCount = 0;
    ui::SetCtrlVal(Page(), TABREC_DISP_RECORDED, 0);
  }
  if (mode == kRecordIntervalN) UpdateRecordTime();
  ClearRecordGraphs();
  ApplyRecordMode(mode);
}

void ShowRecorderPage() {
  int mode = CurrentRecordMode();
  ApplyRecordMode(mode);
  if (mode == kRecordIntervalN) UpdateRecordTime();
}
