#include "logo.h"

#include "gui/shell/shell.h"
#include "ui/ui.h"

void ShowTitleLabel() {
  AddTextLabel("COLMIRA3-Rarev V4.2", 286, 20, 22, 0xFFFFFF, 0x000000);
}

int AddTextLabel(const std::string& text, int left, int top, int pointSize, int backgroundColor,
                 int textColor) {
  int ctrl = ui::NewTextLabel(gShell.mainp, "", top, left);
  if (ctrl < 0) return ctrl;
  ui::SetCtrlAttribute(gShell.mainp, ctrl, ui::ATTR_TEXT_FONT, "NIDialogMetaFont");
  ui::SetCtrlAttribute(gShell.mainp, ctrl, ui::ATTR_TEXT_BGCOLOR, backgroundColor);
  ui::SetCtrlAttribute(gShell.mainp, ctrl, ui::ATTR_TEXT_COLOR, textColor);
  ui::SetCtrlAttribute(gShell.mainp, ctrl, ui::ATTR_TEXT_POINT_SIZE, pointSize);
  ui::SetCtrlVal(gShell.mainp, ctrl, text);
  return ctrl;
}
