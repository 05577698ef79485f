// Callbacks of the calibration page.
#include "Colmira3V42.h"
#include "gui/calib/calibration_values.h"
#include "gui/calib/white_calibration.h"
#include "gui/shell/offset_lock.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

constexpr const char* kFactorHelp =
    "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. "
    "\nMaximum value is 4096.";

// A button whose commit runs one exchange inside the busy state.
int BusyButton(int event, void (*operation)(), const char* help) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    operation();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(help);
  }
  return 0;
}

}  // namespace

int CBF_EditCFR(CBF_CTRL_ARGS) {
  return HelpOnly(event, kFactorHelp);
}

int CBF_EditCFG(CBF_CTRL_ARGS) {
  return HelpOnly(event, kFactorHelp);
}

int CBF_EditCFB(CBF_CTRL_ARGS) {
  return HelpOnly(event, kFactorHelp);
}

int CBF_EditSetValue(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Choose the setvalue for RED,GREEN and BLUE. ");
}

int CBF_EditMaxDelta(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Choose the maximum DELTA value of RED,GREEN and BLUE. ");
}

int CBF_ButtonSendCF(CBF_CTRL_ARGS) {
  return BusyButton(
      event, [] { SendCalibrationFactors(); },
      "Calibration factors for RED,GREEN and BLUE will be send to the EEPROM of the sensor.");
}

int CBF_ButtonGetCF(CBF_CTRL_ARGS) {
  return BusyButton(event, ReadCalibrationValues,
                    "Calibration factors for RED,GREEN and BLUE will be read from the sensor.");
}

int CBF_ButtonCalcCF(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    RunWhiteCalibration();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Calculate the calibration factors for RED, GREEN and BLUE. ");
  return 0;
}

int CBF_ButtonStartSelfCalibration(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    StartSelfCalibration();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(" Sensor calculates the calibration factors for RED, GREEN and BLUE. ");
  return 0;
}

// The frame around the raw values: a right double click asks for the service
// password that unlocks the offset compensation page.
int CBF_DecoCalibrate1(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_RIGHT_DOUBLE_CLICK) OpenPasswordPanel();
  return 0;
}
