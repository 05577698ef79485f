// The error display of the link, and its message texts.
#include <cstdio>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

const char* const kTimeoutText =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
const char* const kHeaderIncorrectText = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
const char* const kDataIncorrectText = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
const char* const kInvalidOrderText = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
const char* const kControlUnitErrorText =
    "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!";
const char* const kServerClosedText = "SERVER HAS CLOSED CONNECTION!";

void SetLinkMessage(const char* text) {
  std::snprintf(gLink.linkMessage, sizeof gLink.linkMessage, "%s", text);
}

void ShowLinkError() {
  gLive.goRunning = 0;
  gLink.linkOk = 0;
  ui::SetCtrlVal(gShell.datap, DATAP_STR_STATUS, "TIMEOUT!");
  ui::AppendTextBox(gShell.tabMain[kPageComm], TABCOMM_TEXTBOX_LOG, gLink.linkMessage);
  ui::AppendTextBox(gShell.tabMain[kPageComm], TABCOMM_TEXTBOX_LOG, "\n\n");
  DimLinkProvenButtons();
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageComm);
}
