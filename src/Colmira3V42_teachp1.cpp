// Callbacks of the mean-value teach panel, and the CLOSE it shares with the
// recorded-value teach panel.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "gui/teach/mean_teach.h"
#include "ui/ui.h"

int CBF_TEACHP1(CBF_PANEL_ARGS) {
  return 0;
}

int CBF_ButtonCloseTeachPanel(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    gLive.goRunning = 0;
    ShowChildPanel(gShell.datap);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Close PANEL and return to MAIN PANEL. ");
  }
  return 0;
}

int CBF_ButtonTP1Capture(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    CaptureFrame();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Get frame of R,G,B,X,Y,INT \nrespectively R,G,B,s,i,M \nand assign to table. ");
  return 0;
}

int CBF_ButtonTP1Undo(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    UndoCapture();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Remove the last frame from table. ");
  return 0;
}

int CBF_ButtonTP1ResetTable(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetCaptureTable();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Set all table cells to 0.");
  return 0;
}

int CBF_ButtonTP1Teach(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    TeachMeanValues();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(
        "Mean values are assigned to the \nTEACH TABLE row selected \nin the ROW No.: function "
        "field.");
  return 0;
}

int CBF_GridTP1Values(CBF_CTRL_ARGS) {
  // A corrected cell counts at once.
  if (event == ui::EVENT_VAL_CHANGED)
    UpdateMeanValues();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Table to list the captured values. ");
  return 0;
}

int CBF_GridTP1Mean(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Table to list the mean values. ");
}

int CBF_DispTP1Counter(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the amount of captured frames. ");
}

int CBF_DispTP1MaxDeltaXY(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the maximum distance to the mean values.");
}

int CBF_DispTP1MaxDeltaInt(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the maximum intensity distance to mean value.");
}

int CBF_EditTP1TeachCtoWith(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Choose to which value the tolerance \nshould be set in the TEACH TABLE.");
}

int CBF_EditTP1TeachItoWith(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Choose to which value the tolerance \nshould be set in the TEACH TABLE.");
}

int CBF_EditTP1ValueCto(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Select CTO respectively siTO respectively TOL. ");
}

int CBF_EditTP1ValueIto(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Select ITO respectively MTO. ");
}
