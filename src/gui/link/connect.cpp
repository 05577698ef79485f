#include "gui/link/connect.h"

#include <cstdio>
#include <cstring>

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_transfer.h"
#include "gui/shell/shell.h"
#include "ui/serial.h"
#include "ui/ui.h"

SensorIdentity gIdentity;

namespace {

void Log(const std::string& text) {
  ui::AppendTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, text);
}

void CopyText(char* target, size_t size, const std::string& text) {
  std::snprintf(target, size, "%s", text.c_str());
}

}  // namespace

std::string DisplayableText(const uint8_t* bytes, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    uint8_t b = bytes[i];
    if (b < 0x20 || (b >= 0x7F && b < 0xA0)) {
      out += '?';
    } else if (b < 0x80) {
      out += static_cast<char>(b);
    } else {  // Latin-1 to UTF-8
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

int PortFromText(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > 0x7FFFFFFF / 10) break;  // far beyond any port; the connect refuses it
  }
  return static_cast<int>(value);
}

// A link failure on the screen: the message in the log of the communication
// page, "TIMEOUT!" on DATAP, GO ended and the communication page shown.
void ShowLinkErrorOnScreen(const char* message) {
  gLive.goRunning = 0;
  ui::SetCtrlVal(gShell.datap, DATAP_STR_STATUS, "TIMEOUT!");
  Log(message);
  Log("\n\n");
  DimLinkProvenButtons();
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageComm);
}

void ApplyProtocolVisibility() {
  gChannel.protocol =
      static_cast<uint16_t>(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_PROTOCOL));
  if (gChannel.protocol > 1) return;
  bool serial = gChannel.protocol == 0;
  for (int c :
       {TABCOMM_NUM_COMPORT, TABCOMM_STR_DEVICE, TABCOMM_RING_BAUDRATE, TABCOMM_BUTTON_BAUDRATE})
    ui::SetCtrlAttribute(MainTab(kPageComm), c, ui::ATTR_VISIBLE, serial ? 1 : 0);
  for (int c : {TABCOMM_COMBO_HOST, TABCOMM_STR_PORTNUMBER})
    ui::SetCtrlAttribute(MainTab(kPageComm), c, ui::ATTR_VISIBLE, serial ? 0 : 1);
}

void ReadLinkSettingsFromPage() {
  gChannel.protocol =
      static_cast<uint16_t>(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_PROTOCOL));
  gChannel.port = static_cast<uint16_t>(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_NUM_COMPORT));
  gChannel.baudIndex =
      static_cast<uint16_t>(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_BAUDRATE));
  CopyText(gChannel.host, sizeof gChannel.host,
           ui::GetCtrlString(MainTab(kPageComm), TABCOMM_COMBO_HOST));
  CopyText(gChannel.portNumberText, sizeof gChannel.portNumberText,
           ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_PORTNUMBER));
}

void TryToConnect() {
  ui::CloseCom(gChannel.port);
  ui::SetCtrlVal(gShell.datap, DATAP_STR_STATUS, "TRY TO CONNECT!");
  Log("TRY TO CONNECT!\n");
  ReadLinkSettingsFromPage();
  ui::ProcessSystemEvents();

  ui::SetCtrlVal(gShell.datap, DATAP_DISP_COMPORT, static_cast<int>(gChannel.port));
  ui::SetCtrlVal(gShell.datap, DATAP_STR_HOST, gChannel.host);
  gChannel.tcpPort = PortFromText(gChannel.portNumberText);

  bool serial = gChannel.protocol == 0;
  ui::SetCtrlAttribute(gShell.datap, DATAP_DISP_COMPORT, ui::ATTR_VISIBLE, serial ? 1 : 0);
  ui::SetCtrlAttribute(gShell.datap, DATAP_STR_HOST, ui::ATTR_VISIBLE, serial ? 0 : 1);
  if (serial) gLive.goRunning = 0;
  int result = serial ? OpenSerialChannel() : ConnectTcpChannel();
  if (result >= 0) IdentifySensor();
}

void IdentifySensor() {
  BuildRequest(kOrderIdentify, 0, 0);
  if (Transfer(8) != 1) return;

  // The text ends at its NUL or with the reply's data, whichever comes first.
  const uint8_t* text = gLink.ReceiveBuffer + kHeaderBytes;
  int n = 0;
  while (n < gLink.dataLength && text[n] != 0) ++n;
  gIdentity = SensorIdentity{};
  gIdentity.length = n < kIdentificationBytes ? n : kIdentificationBytes;
  std::memcpy(gIdentity.raw, text, static_cast<size_t>(gIdentity.length));
  gIdentity.shown = DisplayableText(gIdentity.raw, gIdentity.length);
  ui::SetCtrlVal(gShell.datap, DATAP_STR_STATUS, gIdentity.shown);
  Log(gIdentity.shown + "\n\n");

  gLink.linkOk = 1;
  GetParameters();
  if (gLink.linkOk) EnableLinkProvenButtons();
}

void EnableLinkProvenButtons() {
  for (int c : {TABCOMM_BUTTON_ACCEPT, TABCOMM_BUTTON_BAUDRATE, TABCOMM_BUTTON_HWFILE})
    ui::SetCtrlAttribute(MainTab(kPageComm), c, ui::ATTR_DIMMED, 0);
}

void ChangeBaudRate() {
  int index = ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_BAUDRATE);
  gChannel.baudIndex = static_cast<uint16_t>(index);
  Log("TRY TO CHANGE BAUDRATE!\n");
  BuildRequest(kOrderBaudRate, static_cast<uint16_t>(index), 0);
  if (Transfer(8) != 1) return;
  Log("SUCCESS!\n");
  gLive.goRunning = 0;
  OpenSerialChannel();
  gLink.linkOk = 1;
  TryToConnect();
  if (gLink.linkOk) Log("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
}

void UpdateHostList(const std::string& host) {
  int comm = MainTab(kPageComm);
  for (int i = ui::GetNumListItems(comm, TABCOMM_COMBO_HOST) - 1; i >= 0; --i)
    if (ui::GetLabelFromIndex(comm, TABCOMM_COMBO_HOST, i) == host)
      ui::DeleteListItem(comm, TABCOMM_COMBO_HOST, i, 1);
  ui::InsertListItem(comm, TABCOMM_COMBO_HOST, 0, host, 0);
  if (ui::GetNumListItems(comm, TABCOMM_COMBO_HOST) > 10)
    ui::DeleteListItem(comm, TABCOMM_COMBO_HOST, 10, -1);
}
