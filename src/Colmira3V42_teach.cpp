// Callbacks of the teach table page.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_rules.h"
#include "gui/shell/shell.h"
#include "gui/teach/teach_table.h"
#include "ui/ui.h"

int CBF_GridCtt(CBF_CTRL_ARGS) {
  // The right click opens the table's context menu, which the platform shows.
  if (event == ui::EVENT_VAL_CHANGED) {
    ReadPanelsIntoParameterBlock();
    DrawToleranceOverlays();
    UpdateLiveGraphs();
  }
  return 0;
}

int CBF_ButtonTeachDataTo(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    TakeTeachValuesFromScreen();
    TeachDataTo();
    ReadPanelsIntoParameterBlock();
    DrawToleranceOverlays();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Current measured values (X,Y,INT respectively s,i,M) are assigned \nto the TEACH TABLE "
        "row selected in the No.: function field.");
  }
  return 0;
}

int CBF_ButtonResetTable(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetTeachTable();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Reset the TEACH TABLE. \nAll cells are set to 1.");
  return 0;
}

int CBF_RadioInc(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Auto increment of Edit Field No.:");
}

int CBF_ButtonTeachMeanVal(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    ShowChildPanel(gShell.teachp1);
    ApplyTeachPanelCaptions();
    // A running GO keeps the live values current; otherwise the panel runs its own.
    if (gLive.goRunning) return 0;
    SetButtonsDimmed(0, 1);
    DrawToleranceOverlays();
    RunGoLoop();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Opens a panel to teach mean values. ");
  }
  return 0;
}

int CBF_ButtonTeachRecVal(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    // Nothing starts here; a running GO goes on.
    ShowChildPanel(gShell.teachp2);
    ApplyTeachPanelCaptions();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Opens a panel to teach, with help \nfrom a graph, recorded values. ");
  }
  return 0;
}
