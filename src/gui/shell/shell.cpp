#include "gui/shell/shell.h"

#include "Colmira3V42_uir.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

Shell gShell;

namespace {

struct CtrlRef {
  int Shell::*panel;  // a panel handle member, or null when `page` names a main tab page
  int page;
  int ctrl;
};

int HandleOf(const CtrlRef& r) {
  return r.panel ? gShell.*r.panel : gShell.tabMain[r.page];
}

void Dim(const CtrlRef& r, int dimmed) {
  ui::SetCtrlAttribute(HandleOf(r), r.ctrl, ui::ATTR_DIMMED, dimmed);
}

}  // namespace

void SetButtonsDimmed(int forGo, int dimmed) {
  static const CtrlRef kTransfer[] = {
      {&Shell::mainp, 0, MAINP_BUTTON_SEND}, {&Shell::mainp, 0, MAINP_BUTTON_GET},
      {&Shell::mainp, 0, MAINP_RADIO_RAM},   {&Shell::mainp, 0, MAINP_RADIO_EEPROM},
      {&Shell::mainp, 0, MAINP_RADIO_FILE},
  };
  static const CtrlRef kAlways[] = {
      {&Shell::mainp, 0, MAINP_BUTTON_GO},
      {nullptr, kPageComm, TABCOMM_BUTTON_CONNECT},
      {nullptr, kPageComm, TABCOMM_RING_BAUDRATE},
  };
  static const CtrlRef kOnlyDimmed[] = {
      {nullptr, kPageComm, TABCOMM_BUTTON_BAUDRATE},
      {nullptr, kPageComm, TABCOMM_BUTTON_HWFILE},
  };
  static const CtrlRef kOperations[] = {
      {nullptr, kPageCalibration, TABCALIB_BUTTON_SENDCF},
      {nullptr, kPageCalibration, TABCALIB_BUTTON_GETCF},
      {nullptr, kPageCalibration, TABCALIB_BUTTON_CALCCF},
      {nullptr, kPageCalibration, TABCALIB_BUTTON_SELFCALIB},
      {nullptr, kPageOffset, TABOFFSET_BUTTON_SEND},
      {nullptr, kPageOffset, TABOFFSET_BUTTON_GET},
      {nullptr, kPageOffset, TABOFFSET_BUTTON_CALC},
      {nullptr, kPageRecorder, TABREC_RING_MODE},
      {nullptr, kPageRecorder, TABREC_BUTTON_START},
      {nullptr, kPageRecorder, TABREC_BUTTON_STARTTRIG},
      {nullptr, kPageRecorder, TABREC_BUTTON_SELFILE},
      {nullptr, kPageScope, TABSCOPE_BUTTON_GETCYCLE},
      {nullptr, kPageScope, TABSCOPE_BUTTON_SCAN},
      {nullptr, kPageScope, TABSCOPE_BUTTON_BREAK},
      {&Shell::teachp2, 0, TEACHP2_BUTTON_START},
  };
  if (forGo == 0)
    for (const auto& r : kTransfer) Dim(r, dimmed);
  for (const auto& r : kAlways) Dim(r, dimmed);
  if (dimmed)
    for (const auto& r : kOnlyDimmed) Dim(r, dimmed);
  for (const auto& r : kOperations) Dim(r, dimmed);
  ui::ProcessSystemEvents();
}

void ShowChildPanel(int panel) {
  const int children[] = {gShell.datap, gShell.graphp, gShell.teachp1, gShell.teachp2,
                          gShell.scopep};
  bool known = false;
  for (int c : children) {
    ui::HidePanel(c);
    known = known || (c == panel && c != 0);
  }
  ui::DisplayPanel(known ? panel : gShell.datap);
}

void DimLinkProvenButtons() {
  int comm = MainTab(kPageComm);
  ui::SetCtrlAttribute(comm, TABCOMM_BUTTON_ACCEPT, ui::ATTR_DIMMED, 1);
  ui::SetCtrlAttribute(comm, TABCOMM_BUTTON_BAUDRATE, ui::ATTR_DIMMED, 1);
  ui::SetCtrlAttribute(comm, TABCOMM_BUTTON_HWFILE, ui::ATTR_DIMMED, 1);
}

void ShowHelp(const char* text) {
  ui::MessagePopup("INFO!", text);
}

int HelpOnly(int event, const char* text) {
  if (event == ui::EVENT_RIGHT_CLICK) ShowHelp(text);
  return 0;
}
