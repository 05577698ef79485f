// Callbacks of the live data panel.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

int CBF_DATAP(CBF_PANEL_ARGS) {
  (void)panel, (void)event, (void)callbackData, (void)eventData1, (void)eventData2;
  return 0;
}

int CBF_TabDataP1(CBF_CTRL_ARGS) {
  (void)panel, (void)control, (void)callbackData, (void)eventData1, (void)eventData2;
  if (event == ui::EVENT_RIGHT_CLICK) ShowHelp("Select TAB-window.");
  return 0;
}

int CBF_DispStatus(CBF_CTRL_ARGS) {
  (void)panel, (void)control, (void)callbackData, (void)eventData1, (void)eventData2;
  if (event == ui::EVENT_RIGHT_DOUBLE_CLICK)
    ui::ResetTextBox(gShell.tabMain[kPageComm], TABCOMM_TEXTBOX_LOG, "");
  return 0;
}
