#include "com232/connect.h"

#include <cstdio>
#include <cstring>

#include "Colmira3V42_uir.h"
#include "gui/params/parameter_transfer.h"
#include "gui/settings/panel_settings.h"
#include "gui/shell/shell.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

SensorIdentity gIdentity;

namespace {

int Comm() {
  return gShell.tabMain[kPageComm];
}

void Log(const std::string& text) {
  ui::AppendTextBox(Comm(), TABCOMM_TEXTBOX_LOG, text);
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

void ReadCommunicationSettings() {
  int protocol = 0, port = 1, baud = 4;
  std::string host, portText = "10001";
  ui::IniText ini;
  if (ReadPanelSettingsFile(ini)) {
    const char* s = "COMMUNICATION SETTINGS";
    long long v = 0;
    if (ini.GetInt(s, "COMPROTOCOL", v)) protocol = static_cast<int>(v);
    if (ini.GetInt(s, "COMPORT", v)) port = static_cast<int>(v);
    if (ini.GetInt(s, "BAUDRATE", v)) baud = static_cast<int>(v);
    ini.GetString(s, "IP ADRESS", host, kHostChars);
    if (!ini.GetString(s, "PORT NUMBER", portText, kPortTextChars)) portText = "10001";
  }
  ui::SetCtrlVal(Comm(), TABCOMM_RING_PROTOCOL, protocol);
  ui::SetCtrlVal(Comm(), TABCOMM_NUM_COMPORT, port);
  ui::SetCtrlVal(Comm(), TABCOMM_STR_DEVICE, ui::ComDeviceName(port));
  ui::SetCtrlVal(Comm(), TABCOMM_RING_BAUDRATE, baud);
  ui::SetCtrlVal(Comm(), TABCOMM_COMBO_HOST, host);
  ui::SetCtrlVal(Comm(), TABCOMM_STR_PORTNUMBER, portText);
}

void ApplyProtocolVisibility() {
  gChannel.protocol = static_cast<uint16_t>(ui::GetCtrlInt(Comm(), TABCOMM_RING_PROTOCOL));
  if (gChannel.protocol > 1) return;
  bool serial = gChannel.protocol == 0;
  for (int c :
       {TABCOMM_NUM_COMPORT, TABCOMM_STR_DEVICE, TABCOMM_RING_BAUDRATE, TABCOMM_BUTTON_BAUDRATE})
    ui::SetCtrlAttribute(Comm(), c, ui::ATTR_VISIBLE, serial ? 1 : 0);
  for (int c : {TABCOMM_COMBO_HOST, TABCOMM_STR_PORTNUMBER})
    ui::SetCtrlAttribute(Comm(), c, ui::ATTR_VISIBLE, serial ? 0 : 1);
}

void ReadLinkSettingsFromPage() {
  gChannel.protocol = static_cast<uint16_t>(ui::GetCtrlInt(Comm(), TABCOMM_RING_PROTOCOL));
  gChannel.port = static_cast<uint16_t>(ui::GetCtrlInt(Comm(), TABCOMM_NUM_COMPORT));
  gChannel.baudIndex = static_cast<uint16_t>(ui::GetCtrlInt(Comm(), TABCOMM_RING_BAUDRATE));
  CopyText(gChannel.host, sizeof gChannel.host, ui::GetCtrlString(Comm(), TABCOMM_COMBO_HOST));
  CopyText(gChannel.portNumberText, sizeof gChannel.portNumberText,
           ui::GetCtrlString(Comm(), TABCOMM_STR_PORTNUMBER));
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
  int result = serial ? OpenSerialChannel() : ConnectTcpChannel();
  if (result >= 0) IdentifySensor();
}

void IdentifySensor() {
  BuildRequest(0x07, 0, 0);
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
    ui::SetCtrlAttribute(Comm(), c, ui::ATTR_DIMMED, 0);
}

void ChangeBaudRate() {
  int index = ui::GetCtrlInt(Comm(), TABCOMM_RING_BAUDRATE);
  gChannel.baudIndex = static_cast<uint16_t>(index);
  Log("TRY TO CHANGE BAUDRATE!\n");
  BuildRequest(0xBE, static_cast<uint16_t>(index), 0);
  if (Transfer(8) != 1) return;
  Log("SUCCESS!\n");
  OpenSerialChannel();
  gLink.linkOk = 1;
  TryToConnect();
  if (gLink.linkOk) Log("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
}

void UpdateHostList(const std::string& host) {
  int comm = Comm();
  for (int i = ui::GetNumListItems(comm, TABCOMM_COMBO_HOST) - 1; i >= 0; --i)
    if (ui::GetLabelFromIndex(comm, TABCOMM_COMBO_HOST, i) == host)
      ui::DeleteListItem(comm, TABCOMM_COMBO_HOST, i, 1);
  ui::InsertListItem(comm, TABCOMM_COMBO_HOST, 0, host, 0);
  if (ui::GetNumListItems(comm, TABCOMM_COMBO_HOST) > 10)
    ui::DeleteListItem(comm, TABCOMM_COMBO_HOST, 10, -1);
}
