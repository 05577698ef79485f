// Callbacks of the scope page and of SCOPEP, the panel with the scope graphs.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/scope/scope_print.h"
#include "gui/scope/scope_scan.h"
#include "gui/scope/scope_view.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

const char* const kCycleHelp =
    "Get cycle time from sensor. \nDon't interrupt the sensor for 8 seconds \nthen press the "
    "button.";

}  // namespace

int CBF_ButtonGetCycleTime(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    GetCycleTime();
    UpdateScopeCursors();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(kCycleHelp);
  }
  return 0;
}

int CBF_DispScanFreq(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Sensor scanfrequency. \nDon't interrupt the sensor for 8 seconds \nthen press "
                  "the button.");
}

int CBF_ButtonScan(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    ResetScopeZoom();
    ui::SetCtrlAttribute(gShell.scopep, SCOPEP_TEXTMSG_SCANNING, ui::ATTR_VISIBLE, 1);
    ShowChildPanel(gShell.scopep);
    RunScopeScan();
    ui::SetCtrlAttribute(gShell.scopep, SCOPEP_TEXTMSG_SCANNING, ui::ATTR_VISIBLE, 0);
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Start data recording and display the result in the graph.");
  }
  return 0;
}

int CBF_ButtonBreakScan(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    BreakScopeScan();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Break data recording.");
  }
  return 0;
}

int CBF_ButtonPrintScopeGraph(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    PrintScopeGraph();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Print settings,scope graph and comment.");
  return 0;
}

int CBF_EditTriggerMode(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    ApplyTriggerModeDimming();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Select trigger mode! \nSINGLE SHOT: Data recording starts after pushing SCAN. \nRISING "
        "EDGE: Data recording starts when blue line goes higher than TRIGGER LEVEL. \nFALLING "
        "EDGE: Data recording starts when blue line goes lower than TRIGGER LEVEL. \nINTERNAL "
        "C-No.0: Data recording starts when color number 0 is detected. \nEXTERNAL IN0: Data "
        "recording starts when IN0 goes high.");
  }
  return 0;
}

int CBF_EditScopeRecSignal(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Select the signal which should be recorded.");
}

int CBF_EditPreTrigVal(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Number of recorded values \nwhich are stored before trigger occured.");
}

int CBF_EditTriggerLevel(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Record starts when blue line passes TRIGGER LEVEL.");
}

int CBF_EditScanRate(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    UpdateScopeCursors();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Record a value every SCAN RATE scan.");
  return 0;
}

int CBF_EditScopeComment(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_RIGHT_DOUBLE_CLICK) ui::ResetTextBox(panel, control, "");
  return 0;
}

int CBF_SCOPEP(CBF_PANEL_ARGS) {
  return 0;
}

int CBF_GraphScope(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_VAL_CHANGED || event == ui::EVENT_ZOOM) {
    UpdateScopeCursors();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Displays record results.\nRed line is RED or X or s. \nGreen line is GREEN or Y or i. "
        "\nBlue line is BLUE or INT or M. \n\nUpdate display deltaX and deltaY by moving the "
        "cursors. \nZoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM "
        "1:1.");
  }
  return 0;
}

int CBF_EditScopeSignal(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ShowScopeSignal();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Select a signal which should be displayed in the graph.");
  return 0;
}

int CBF_DispDeltaX(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Show delta X in [ms]. \nThe calculation is based on the cycle time shown\nin "
                  "the display [ms] and the value of ScanRate.");
}

int CBF_DispDeltaY(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Show delta Y in [digit].");
}

int CBF_ButtonZoom11(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetScopeZoom();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Zoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1.");
  return 0;
}

int CBF_ButtonCloseSP(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ShowChildPanel(gShell.datap);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Close PANEL and return to MAIN PANEL. ");
  return 0;
}
