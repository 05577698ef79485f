// Callbacks of the offset compensation page and of the password panel that
// unlocks it.
#include "Colmira3V42.h"
#include "gui/calib/calibration_values.h"
#include "gui/shell/offset_lock.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

constexpr const char* kEditHelp = "Edit Box for the offset values. ";
constexpr const char* kDisplayHelp = "Displays the offset values. ";

}  // namespace

int CBF_EditRedOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kEditHelp);
}

int CBF_EditGreenOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kEditHelp);
}

int CBF_EditBlueOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kEditHelp);
}

int CBF_DispRedOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kDisplayHelp);
}

int CBF_DispGreenOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kDisplayHelp);
}

int CBF_DispBlueOffset(CBF_CTRL_ARGS) {
  return HelpOnly(event, kDisplayHelp);
}

int CBF_ButtonSendOffset(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    SendOffsetValues();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Offset values for RED,GREEN and BLUE will be send to the EEPROM of the sensor.");
  }
  return 0;
}

int CBF_ButtonGetOffset(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    ReadCalibrationValues();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Offset values for RED,GREEN and BLUE will be read from the sensor.");
  }
  return 0;
}

int CBF_ButtonCalcOffset(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    CalculateOffsetValues();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Detect the offset values for RED, GREEN and BLUE. ");
  return 0;
}

int CBF_ButtonCloseOffsetCompensation(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    LockOffsetPage();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Close PANEL and return to MAIN PANEL. ");
  return 0;
}

// The password field has no help; confirming it checks the password.
int CBF_StringEnterPW(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) EnterPassword();
  return 0;
}

// Closing the popup leaves the offset page locked.
int CBF_PASSWORDP(CBF_PANEL_ARGS) {
  if (event == ui::EVENT_CLOSE) ClosePasswordPanel();
  return 0;
}
