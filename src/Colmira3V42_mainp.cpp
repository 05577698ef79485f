// Callbacks of the main panel and its tab control.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/settings/panel_settings.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

int CBF_MAINP(CBF_PANEL_ARGS) {
  (void)callbackData, (void)eventData1, (void)eventData2;
  switch (event) {
    case ui::EVENT_RIGHT_DOUBLE_CLICK:
      ui::SetPanelAttribute(panel, ui::ATTR_WINDOW_ZOOM, ui::VAL_NO_ZOOM);
      ui::SetPanelSize(panel, 548, 790);
      ui::SetPanelPos(panel, ui::VAL_AUTO_CENTER, ui::VAL_AUTO_CENTER);
      break;
    case ui::EVENT_CLOSE:
      gLive.goRunning = 0;
      WritePanelSettings();
      ui::QuitUserInterface(0);
      break;
    default:
      break;
  }
  return 0;
}

int CBF_TabMain1(CBF_CTRL_ARGS) {
  (void)panel, (void)control, (void)callbackData, (void)eventData1;
  if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select TAB-window.");
  } else if (event == ui::EVENT_ACTIVE_TAB_CHANGE) {
    switch (eventData2) {
      case kPageComm:
        gLive.goRunning = 0;
        DimLinkProvenButtons();
        break;
      case kPageScope:
        gLive.goRunning = 0;
        ShowChildPanel(gShell.scopep);
        break;
      default:
        break;
    }
  }
  return 0;
}
