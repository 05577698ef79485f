#include "gui/link/link_settings.h"

#include <string>

#include "Colmira3V42_uir.h"
#include "com232/protocol.h"
#include "gui/link/connect.h"
#include "gui/shell/shell.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

constexpr const char* kSection = "COMMUNICATION SETTINGS";

struct LinkKey {
  const char* key;
  int ctrl;
  size_t textChars;  // 0 for a number
  long long fallback;
  const char* fallbackText;
};

const LinkKey kLinkKeys[] = {
    {"COMPROTOCOL", TABCOMM_RING_PROTOCOL, 0, 0, nullptr},
    {"COMPORT", TABCOMM_NUM_COMPORT, 0, 1, nullptr},
    {"BAUDRATE", TABCOMM_RING_BAUDRATE, 0, kDefaultBaudIndex, nullptr},
    {"IP ADRESS", TABCOMM_COMBO_HOST, kHostChars, 0, ""},
    {"PORT NUMBER", TABCOMM_STR_PORTNUMBER, kPortTextChars, 0, kDefaultTcpPortText},
};

}  // namespace

void ReadCommunicationSettings(const ui::IniText* ini) {
  int comm = MainTab(kPageComm);
  for (const auto& k : kLinkKeys) {
    if (k.textChars) {
      std::string text;
      if (!ini || !ini->GetString(kSection, k.key, text, k.textChars)) text = k.fallbackText;
      ui::SetCtrlVal(comm, k.ctrl, text);
    } else {
      long long v = k.fallback;
      if (ini) ini->GetInt(kSection, k.key, v);
      ui::SetCtrlVal(comm, k.ctrl, static_cast<int>(v));
    }
  }
  ui::SetCtrlVal(comm, TABCOMM_STR_DEVICE,
                 ui::ComDeviceName(ui::GetCtrlInt(comm, TABCOMM_NUM_COMPORT)));
}

void PutCommunicationSettings(ui::IniText& ini) {
  int comm = MainTab(kPageComm);
  for (const auto& k : kLinkKeys) {
    if (k.textChars)
      ini.PutString(kSection, k.key, ui::GetCtrlString(comm, k.ctrl).substr(0, k.textChars));
    else
      ini.PutInt(kSection, k.key, ui::GetCtrlInt(comm, k.ctrl));
  }
}
