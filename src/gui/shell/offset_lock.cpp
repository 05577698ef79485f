#include "gui/shell/offset_lock.h"

#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {
constexpr const char* kServicePassword = "vortag";

void ClearPasswordField() {
  ui::SetCtrlVal(gShell.passwordp, PASSWORDP_STR_PASSWORD, "");
}
}  // namespace

bool IsServicePassword(const std::string& text) {
  return text == kServicePassword;
}

void OpenPasswordPanel() {
  ClearPasswordField();
  ui::InstallPopup(gShell.passwordp);
}

void EnterPassword() {
  if (IsServicePassword(ui::GetCtrlString(gShell.passwordp, PASSWORDP_STR_PASSWORD))) {
    ui::SetTabPageVisible(gShell.mainp, MAINP_TAB, kPageOffset, true);
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageOffset);
    ui::RemovePopup(gShell.passwordp);
    return;
  }
  ui::MessagePopup("ATTENTION!", "Wrong password. \nPlease try again.");
  ClearPasswordField();
}

void ClosePasswordPanel() {
  ui::RemovePopup(gShell.passwordp);
}

void LockOffsetPage() {
  // The parameter page first: hiding the page that is shown would let the tab
  // control pick a neighbour of its own.
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
  ui::SetTabPageVisible(gShell.mainp, MAINP_TAB, kPageOffset, false);
}
