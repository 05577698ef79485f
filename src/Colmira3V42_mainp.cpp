// Callbacks of the main panel and its tab control.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/recorder/record_sessions.h"
#include "gui/scope/scope_state.h"
#include "gui/settings/panel_settings.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

int CBF_MAINP(CBF_PANEL_ARGS) {
  switch (event) {
    case ui::EVENT_RIGHT_DOUBLE_CLICK:
      ui::SetPanelAttribute(panel, ui::ATTR_WINDOW_ZOOM, ui::VAL_NO_ZOOM);
      ui::SetPanelSize(panel, 548, 790);
      ui::SetPanelPos(panel, ui::VAL_AUTO_CENTER, ui::VAL_AUTO_CENTER);
      break;
    case ui::EVENT_CLOSE:
      gLive.goRunning = 0;
      // A scan waiting for its frames would otherwise hold the program open.
      gScope.scanRunning = 0;
      WritePanelSettings();
      ui::QuitUserInterface(0);
      break;
    default:
      break;
  }
  return 0;
}

int CBF_TabMain1(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select TAB-window.");
  } else if (event == ui::EVENT_ACTIVE_TAB_CHANGE) {
    switch (eventData2) {
      case kPageComm:
        gLive.goRunning = 0;
        DimLinkProvenButtons();
        break;
      case kPageRecorder:
        ShowRecorderPage();
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

int CBF_ButtonSend(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    if (gLive.goRunning) {
      gLive.sendRequested = 1;
    } else {
      SetButtonsDimmed(0, 1);
      SendParameters();
      SetButtonsDimmed(0, 0);
    }
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "All the parameters of the PC-User-Interface are transferred to the sensor or to a "
        "selectable file. \nThe target of the parameter transfer is determined by the select "
        "button (RAM, EEPROM, FILE). \n\nShortcut Key: F9. ");
  }
  return 0;
}

int CBF_ButtonGet(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    if (gLive.goRunning) {
      gLive.getRequested = 1;
    } else {
      SetButtonsDimmed(0, 1);
      GetParameters();
      SetButtonsDimmed(0, 0);
    }
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the "
        "parameter transfer is determined by the select button (RAM, EEPROM, FILE). "
        "\n\nShortcut Key: F10. ");
  }
  return 0;
}

int CBF_SelectMem(CBF_CTRL_ARGS) {
  static const int kButtons[] = {MAINP_RADIO_RAM, MAINP_RADIO_EEPROM, MAINP_RADIO_FILE};
  if (event == ui::EVENT_VAL_CHANGED) {
    for (int i = 0; i < 3; ++i) {
      ui::SetCtrlVal(panel, kButtons[i], kButtons[i] == control ? 1 : 0);
      if (kButtons[i] == control) gTransfer.target = static_cast<uint16_t>(kTargetRam + i);
    }
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select source respectively the target for the parameter transfer.");
  }
  return 0;
}

int CBF_SelectParaSet(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_VAL_CHANGED) {
    bool second = control == MAINP_RADIO_PARASET1;
    ui::SetCtrlVal(panel, MAINP_RADIO_PARASET0, second ? 0 : 1);
    ui::SetCtrlVal(panel, MAINP_RADIO_PARASET1, second ? 1 : 0);
    gTransfer.parameterSet = second ? 1 : 0;
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select parameter set which should be transfered.");
  }
  return 0;
}

int CBF_ButtonGo(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(1, 1);
    ReadPanelsIntoParameterBlock();
    ShowChildPanel(gShell.datap);
    DrawToleranceOverlays();
    RunGoLoop();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Starts data transfer from sensor to PC. \n\nShortcut Key: F11. ");
  }
  return 0;
}

int CBF_ButtonStop(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    gLive.goRunning = 0;
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Stops data transfer from sensor to PC. \n\nShortcut Key: F12. ");
  return 0;
}
