// Callbacks of the parameter page and the group/hold page.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_rules.h"
#include "gui/shell/shell.h"
#include "gui/teach/teach_table.h"
#include "ui/ui.h"

namespace {

// A control whose commit re-applies the rules; right click shows its help.
int RuleControl(int event, const char* help) {
  if (event == ui::EVENT_COMMIT)
    ApplyParameterRules();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(help);
  return 0;
}

}  // namespace

int CBF_SlidePower(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full "
                  "intensity.");
}

int CBF_EditPmode(CBF_CTRL_ARGS) {
  return RuleControl(
      event,
      "Select the operating mode of the transmitter unit. \n\nSTAT: Transmitter power is "
      "constantly kept at the POWER-SLIDER value. \n\nDYN : Transmitter power is dynamically tuned "
      "in accordance with the amount of radiation that \n      is diffusely reflected from the "
      "target. Sensor should not exceed the dynamic range. \n      The dynamic range can be "
      "selected with DYN WIN LO and DYN WIN HI.");
}

int CBF_EditLedMode(CBF_CTRL_ARGS) {
  return RuleControl(event,
                     "Select the LED operation mode. \nDC: Light source is permanant on. \nAC: "
                     "Light source is modulated. \nPULSE: Light source is pulsed. \nOFF: Light "
                     "source is off.");
}

int CBF_EditGain(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Select a amplification stage of the receicer. \nAMP1 is the lowest "
                  "amplification. \nAMP8 is the highest amplification. ");
}

int CBF_EditDynWinLoHi(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Select a window for dynamic \nregaluation when PMOD = DYNAMIC.");
}

int CBF_EditAverage(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Select the number of scanning values (measured values) \nover which the raw "
                  "signal is averaged (meanvalue!).");
}

int CBF_EditIntegral(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Select the number (0...250) of values \nover which the raw signal is "
                  "integrated.");
}

int CBF_EditMaxVecNo(CBF_CTRL_ARGS) {
  return RuleControl(event,
                     "Select the number of color vectors which should be \nchecked in the TEACH "
                     "TABLE beginning with row 0. \n\nAktive rows in the TEACH TABLE are "
                     "\nlabelled green, inactive are labelled red.");
}

int CBF_EditIntlim(CBF_CTRL_ARGS) {
  return HelpOnly(
      event,
      "Select an intensity limit. \nColor evaluation is stopped, if the current intensity INT or "
      "M falls below this limit. \nERROR STATE is output (C-No: = 255). \n\n ATTENTION: If POWER "
      "MODE = DYN. Display INT or M shows the transmitter power. \n The sensor still calculates "
      "the real INT or M and compares it with INTLIM.");
}

int CBF_EditCalcmode(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    ConvertTeachTableForCalcMode();
    ApplyParameterRules();
    ReadPanelsIntoParameterBlock();
    DrawToleranceOverlays();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Select a calculation mode: \nX Y INT - 2D = X/Y pairs and intensity. \ns i   M - 2D = "
        "s/i pairs and M. \nX Y INT - 3D = X/Y/INT pairs. \ns i   M - 3D = s/i/M pairs.");
  }
  return 0;
}

int CBF_EditDigOutmode(CBF_CTRL_ARGS) {
  return RuleControl(
      event,
      "Select how to control the 5 digital outputs. \n\nBINARY: \nIf color group is disabled, "
      "the maximum number of colors to be taught is 31. \nIf a color (row 0-30 in the TEACH "
      "TABLE) is detected, this color is displayed in C-No: \nand is set binary to the digital "
      "outputs (OUT0 to OUT4). \nIf no color is detected, C-No: is 255. The digital outputs (OUT0 "
      "to OUT4) are set to HI. \nIf color group is enabled, the maximum number of colors to be "
      "taught is 31. 31 groups are possible. \n\nDIRECT LO: \nIf color group is disabled, the "
      "maximum number of colors to be taught is 5. \nIf a color (row 0 to 4 in the TEACH TABLE) "
      "is detected, the special digital output is set to LO, all others are HI. \nIf no color is "
      "detected, C-No: is 255. The digital outputs (OUT0 to OUT4) are set to HI. \nIf color "
      "group is enabled, the maximum number of colors to be taught is 31, but only 5 groups are "
      "possible. \nIf a group is detected, the digital output is set to LO, all others are HI. "
      "\n\nDIRECT HI: \nIf color group is disabled, the maximum number of colors to be taught is "
      "5. \nIf a color (row 0 to 4 in the TEACH TABLE) is detected, the special digital output "
      "is set to HI, all others are LO. \nIf no color is detected, C-No: is 255. The digital "
      "outputs (OUT0 to OUT4) are set to LO. \nIf color group is enabled, the maximum number of "
      "colors to be taught is 31, but only 5 groups are possible. \nIf a group is detected, the "
      "digital output is set to HI, all others are LO.");
}

int CBF_EditEvalmode(CBF_CTRL_ARGS) {
  return RuleControl(
      event,
      "HIT = Current detected signal lies within a taught row in the teach table. \n\nFIRST HIT: "
      "First HIT in the teach table will be output. \n\nBEST HIT: Best HIT (shortest distance to "
      "the taught colors) will be output. \n\nMIN DIST: Shortest distance to the centre of all "
      "taught colors will be output when INT (M) lies within ITO (MTO). \n\nCOL5: Multiple rows "
      "(colors) can be output simultaneously. \n\nTHD RGB: \nOUT0=HI when the red signal is "
      "higher than row0/columnTHD in the teach table, otherwise OUT0=LO. \nOUT1=HI when the green "
      "signal is higher than row1/columnTHD in the teach table, otherwise OUT1=LO. \nOUT2=HI when "
      "the blue signal is higher than row2/columnTHD in the teach table, otherwise OUT2=LO.");
}

int CBF_EditExteach(CBF_CTRL_ARGS) {
  return RuleControl(
      event,
      "Select external teach mode. \n\nOFF: No external teach. \n\nON: External teach to all rows "
      "of the teach table (See manual). \nATTENTION! The taught values are stored into the EEPROM "
      "of the sensor. \nIf you are in the GO mode during an external teach, \nyou will get a "
      "TIMEOUT, because of the EEPROM transfer. \n\nSTAT1: External teach to row 0 of the teach "
      "table. \nTransmitter power is the power selected with the power slider. \nThe taught "
      "values are stored into the RAM of the sensor. \n\nDYN1: External teach to row 0 of the "
      "teach table. \nThe transmitter power is adjusted dynamically, when IN0 goes high. \nAfter "
      "the power is adjusted, the sensor works on static with this detected power value. \nThe "
      "taught values are stored into the RAM of the sensor. \nNOTE! DYN1 is not available in "
      "combination with LED MODE=OFF. \n\nNOTE! Colors will be teached up to MAXCOL-No: when "
      "EVALUATION MODE is FIRST HIT. \n\nNOTE! When EVALUATION MODE is THD RGB a maximum and a "
      "\nminimum for each channel will be detected while IN0 is high. \nThe threshold for the "
      "selected channels is set to (MAX+MIN)/2. \nThe taught thresholds will be stored in the "
      "EEPROM when EXTEACH=ON. \nThe taught thresholds will be stored in the RAM when "
      "EXTEACH=STAT1 or DYN1.");
}

int CBF_EditTrigger(CBF_CTRL_ARGS) {
  return RuleControl(
      event,
      "Select the trigger mode for the sensor. \n\nCONT: Continuous color detection (no trigger "
      "event required). \n\nSELF: Self Trigger! 'Trigger' is given, when the actual color is "
      "anything else than color 0. \n      Color detection as long as trigger (color is not "
      "color 0). \n      When trigger goes low (redetection of color 0), the most detected color "
      "will be hold at the output. \n\nEXT1: Color detection as long as trigger (IN0) is high. "
      "\n      When trigger goes low, the most detected color will be hold at the output. "
      "\n\nEXT2: Color detection as long as trigger (IN0) is high. \n      When trigger goes low, "
      "the last detected color will be hold at the output. \n\nEXT3: Color detection as long as "
      "trigger (IN0) is high. \n      When trigger goes low, fail condition is output. \n\nTRANS: "
      "Transmitter is active when trigger (IN0) is high. \n\nPARA: Sensor works with ParaSet0 "
      "when trigger (IN0) is low. \n      Sensor works with ParaSet1 when trigger (IN0) is high. "
      "\n\nLED TRIG is green when the sensor is triggered.");
}

int CBF_EditColorGroups(CBF_CTRL_ARGS) {
  return RuleControl(event, "Activate color groups. \nNot possible when EVALMODE=COL5.");
}

int CBF_EditGridGroups(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_VAL_CHANGED) {
    ApplyParameterRules();
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageGroupHold);
  }
  return 0;
}

static const char* const kHoldHelp =
    "Select the minimum pulse length when a digital output changes.";

int CBF_EditHold(CBF_CTRL_ARGS) {
  return HelpOnly(event, kHoldHelp);
}

int CBF_EditGridHold(CBF_CTRL_ARGS) {
  return HelpOnly(event, kHoldHelp);
}

int CBF_EditResetHold(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Table Hold will be set to this value \nwhen Button RESET is pressed.");
}

int CBF_ButtonResetGroupTable(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetGroupTable();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Reset the GROUP TABLE. \nAll cells are set to 0.");
  return 0;
}

int CBF_ButtonResetHoldTable(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetHoldTable();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Reset the HOLD TABLE. \nAll cells are set the value \nin the Edit Box.");
  return 0;
}
