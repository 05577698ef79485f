#include "gui/settings/panel_settings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "Colmira3V42_uir.h"
#include "gui/link/connect.h"
#include "gui/link/link_settings.h"
#include "gui/settings/ini_header.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

Remembered gRemembered;

namespace {

constexpr const char* kFileType = "Panel Settings";
constexpr const char* kPosition = "PANEL POSITION";
constexpr const char* kDirectories = "DIRECTORIES";
constexpr const char* kAddresses = "IP ADDRESSES";
constexpr const char* kSerialDevices = "SERIAL DEVICES";
constexpr int kMaxHosts = 10;
constexpr int kMaxComPort = 256;

std::string Cut(std::string s, size_t n) {
  if (s.size() > n) s.resize(n);
  return s;
}

int IntOr(const ui::IniText& ini, const char* section, const char* key, int fallback) {
  long long v = 0;
  return ini.GetInt(section, key, v) ? static_cast<int>(v) : fallback;
}

// A path from the file, or `fallback` when the key is missing.
std::string PathOr(const ui::IniText& ini, const char* key, const std::string& fallback) {
  std::string v;
  return ini.GetString(kDirectories, key, v, kPathChars) ? v : fallback;
}

// Section names compare without case and surrounding blanks.
std::string Fold(const std::string& s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  std::string out = a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void ShowSensorIdEverywhere() {
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, gRemembered.sensorId);
  ui::SetCtrlVal(MainTab(kPageRecorder), TABREC_STR_ID, gRemembered.sensorId);
  ui::SetCtrlVal(gShell.colbigp, COLBIGP_TEXTMSG_ID, gRemembered.sensorId);
  ui::SetCtrlVal(gShell.grpbigp, GRPBIGP_TEXTMSG_ID, gRemembered.sensorId);
}

}  // namespace

bool ReadPanelSettingsFile(ui::IniText& ini) {
  return ini.ReadFile(gShell.panelSettingsPath) && FileTypeOf(ini) == kFileType;
}

void ReadPanelSettings() {
  // The other files are proposed where the settings file lives.
  const std::string dir = std::filesystem::path(gShell.panelSettingsPath).parent_path().string();
  gRemembered = Remembered{};
  gRemembered.parameterFile = dir + "/Parameter.ini";
  gRemembered.recordFile = dir + "/RecordFile.dat";
  gRemembered.hardwareFile = dir + "/HardwareInitialFile.ini";
  gRemembered.tableAttributesFile = dir + "/TableAttributes.ini";
  std::copy(std::begin(kDefaultRowColors), std::end(kDefaultRowColors), gRowColors);

  ui::IniText ini;
  if (ReadPanelSettingsFile(ini)) {
    ini.GetString(kGeneralSection, "PANEL ID:", gRemembered.sensorId, kSensorIdChars);

    long long zoom = 0;
    if (ini.GetInt(kPosition, "MAINPANEL FULLSCREEN", zoom)) {
      if (zoom == ui::VAL_MAXIMIZE) {
        ui::SetPanelAttribute(gShell.mainp, ui::ATTR_WINDOW_ZOOM, ui::VAL_MAXIMIZE);
      } else {
        int left = IntOr(ini, kPosition, "MAINPANEL LEFT", 10);
        int top = IntOr(ini, kPosition, "MAINPANEL TOP", 40);
        int width = IntOr(ini, kPosition, "MAINPANEL WIDTH", 790);
        int height = IntOr(ini, kPosition, "MAINPANEL HEIGHT", 548);
        ui::SetPanelSize(gShell.mainp, height, width);
        ui::SetPanelPos(gShell.mainp, top, left);
      }
    }

    // A missing path leaves the dialogs to start in the project directory.
    gRemembered.parameterFile = PathOr(ini, "PARAMETER FILE", dir);
    gRemembered.hardwareFile = PathOr(ini, "HARDWARE INI FILE", dir);
    gRemembered.tableAttributesFile = PathOr(ini, "TABLE ATTRIBUTES FILE", dir);
    gRemembered.recordFile = PathOr(ini, "RECORDER FILE", dir + "/RecordFile.dat");

    long long items = 0;
    if (ini.GetInt(kAddresses, "LIST ITEMS", items)) {
      int n = static_cast<int>(std::clamp<long long>(items, 0, kMaxHosts));
      int host = MainTab(kPageComm);
      for (int i = 1; i <= n; ++i) {
        std::string entry;
        if (ini.GetString(kAddresses, "IP ADDR " + std::to_string(i), entry, kHostChars))
          ui::InsertListItem(host, TABCOMM_COMBO_HOST, -1, entry, 0);
      }
    }

    for (int port = 1; port <= kMaxComPort; ++port) {
      std::string device;
      if (ini.GetString(kSerialDevices, "COM" + std::to_string(port), device, kPathChars))
        ui::SetComDevice(port, device);
    }

    GetTableAttributes(ini, 0);
  }

  ui::ResetTextBox(MainTab(kPageRecorder), TABREC_TEXTBOX_FILE, gRemembered.recordFile);
  ShowSensorIdEverywhere();
  PaintAllRowColors();
}

void WritePanelSettings() {
  gRemembered.sensorId = Cut(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_ID), kSensorIdChars);

  ui::IniText ini;
  PutFileHeader(ini, kFileType);
  ini.PutString(kGeneralSection, "PANEL ID:", gRemembered.sensorId);

  ini.PutInt(kPosition, "MAINPANEL FULLSCREEN",
             ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WINDOW_ZOOM));
  ini.PutInt(kPosition, "MAINPANEL LEFT", ui::GetPanelAttribute(gShell.mainp, ui::ATTR_LEFT));
  ini.PutInt(kPosition, "MAINPANEL TOP", ui::GetPanelAttribute(gShell.mainp, ui::ATTR_TOP));
  ini.PutInt(kPosition, "MAINPANEL WIDTH", ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WIDTH));
  ini.PutInt(kPosition, "MAINPANEL HEIGHT", ui::GetPanelAttribute(gShell.mainp, ui::ATTR_HEIGHT));

  ini.PutString(kDirectories, "PARAMETER FILE", gRemembered.parameterFile);
  ini.PutString(kDirectories, "RECORDER FILE", gRemembered.recordFile);
  ini.PutString(kDirectories, "HARDWARE INI FILE", gRemembered.hardwareFile);
  ini.PutString(kDirectories, "TABLE ATTRIBUTES FILE", gRemembered.tableAttributesFile);

  int comm = MainTab(kPageComm);
  int n = std::min(ui::GetNumListItems(comm, TABCOMM_COMBO_HOST), kMaxHosts);
  ini.PutInt(kAddresses, "LIST ITEMS", n);
  for (int i = 0; i < n; ++i)
    ini.PutString(kAddresses, "IP ADDR " + std::to_string(i + 1),
                  ui::GetLabelFromIndex(comm, TABCOMM_COMBO_HOST, i));

  PutCommunicationSettings(ini);

  PutTableAttributes(ini);

  // Sections this program does not write (a serial-device map, another tool's
  // notes) are carried over as they stand.
  ui::IniText old;
  if (ReadPanelSettingsFile(old)) {
    std::set<std::string> written;
    for (const auto& s : ini.SectionNames()) written.insert(Fold(s));
    for (const auto& s : old.SectionNames())
      if (!written.count(Fold(s))) ini.CopySection(old, s);
  }
  ini.WriteFile(gShell.panelSettingsPath);
}
