// Callbacks of the recorder page.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_file.h"
#include "gui/recorder/record_loops.h"
#include "gui/recorder/record_page.h"
#include "gui/recorder/record_sessions.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

int OnCommit(int event, void (*action)(), const char* help) {
  if (event == ui::EVENT_COMMIT)
    action();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(help);
  return 0;
}

}  // namespace

int CBF_EditSelectDataRec(CBF_CTRL_ARGS) {
  return OnCommit(event, SelectRecordMode, "Select how to record data frame. ");
}

int CBF_EditInterval(CBF_CTRL_ARGS) {
  return OnCommit(event, UpdateRecordTime,
                  "Choose a interval in secondes for recording. \nMinimum interval is 0,25 "
                  "second.");
}

int CBF_EditRecVal(CBF_CTRL_ARGS) {
  return OnCommit(event, UpdateRecordTime, "Choose how many data frames should be recorded. ");
}

int CBF_DispRecordTime(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the time for recording \nwhen all VALUES will be recorded.");
}

int CBF_DispRecordedValues(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays how many values are already recorded.");
}

int CBF_DispRemaining(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays how many values remain to be recorded.");
}

int CBF_ButtonStartRecord(CBF_CTRL_ARGS) {
  return OnCommit(event, StartIntervalRecording, "Start data record.");
}

int CBF_ButtonStartTrigRec(CBF_CTRL_ARGS) {
  return OnCommit(event, StartTriggeredRecording, "Start data record.");
}

int CBF_ButtonStopRecord(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    gLive.goRunning = 0;
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Stop data record.");
  return 0;
}

int CBF_ButtonManualRecord(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    ui::SetCtrlAttribute(panel, control, ui::ATTR_DIMMED, 1);
    RecordManualFrame();
    ui::SetCtrlAttribute(panel, control, ui::ATTR_DIMMED, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Record one frame manually \nand append to existing file. ");
  }
  return 0;
}

int CBF_ButtonSelRecFile(CBF_CTRL_ARGS) {
  return OnCommit(event, SelectRecordFile, "Select a record file for data save. ");
}

int CBF_DispRecFile(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Shows the path of the record file. ");
}
