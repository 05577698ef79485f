// Callbacks of the communication page.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/link/connect.h"
#include "gui/params/hardware_file.h"
#include "gui/settings/panel_settings.h"
#include "gui/shell/shell.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

void DimAccept() {
  ui::SetCtrlAttribute(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT, ui::ATTR_DIMMED, 1);
}

}  // namespace

int CBF_ButtonTryToConnect(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    TryToConnect();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Try to connect sensor.");
  }
  return 0;
}

int CBF_ButtonAccept(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    WritePanelSettings();
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Accept settings for communication \nand switch to parapanel. ");
  }
  return 0;
}

int CBF_ButtonChangeBaudrate(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    DimLinkProvenButtons();
    ChangeBaudRate();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND.");
  }
  return 0;
}

int CBF_ButtonGenHwInfoFile(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    WriteHardwareInfoFile();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance.");
  }
  return 0;
}

int CBF_EditCommunicationProtocol(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    ApplyProtocolVisibility();
    DimLinkProvenButtons();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select RS232 or TCP/IP Interface. ");
  }
  return 0;
}

int CBF_EditSelectComPort(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    DimLinkProvenButtons();
    ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_DEVICE,
                   ui::ComDeviceName(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_NUM_COMPORT)));
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select a serial COM-PORT.");
  }
  return 0;
}

int CBF_EditSelectBaudrate(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    DimAccept();
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust "
        "work with the same Baudrate. ");
  }
  return 0;
}

int CBF_StringIpAdress(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    DimAccept();
    UpdateHostList(ui::GetCtrlString(panel, control));
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Select a Server by name or IP address.");
  }
  return 0;
}

int CBF_StringPortNumber(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    DimAccept();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Select a port number.");
  return 0;
}

int CBF_EditID(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    std::string id = ui::GetCtrlString(panel, control);
    ui::SetCtrlVal(MainTab(kPageRecorder), TABREC_STR_ID, id);
    ui::SetCtrlVal(gShell.colbigp, COLBIGP_TEXTMSG_ID, id);
    ui::SetCtrlVal(gShell.grpbigp, GRPBIGP_TEXTMSG_ID, id);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp(
        "Insert sensor identification. \nThis ID will be displayed in some panels of the "
        "software.");
  }
  return 0;
}
