// The panel settings file: what start-up takes from it and what closing writes.
#include "gui/settings/panel_settings.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <cstdlib>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/settings/remembered.h"
#include "gui/settings/settings_dir.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "support/app_fixture.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

class PanelSettings : public AppFixture {
 protected:
  std::vector<std::string> Hosts() const {
    std::vector<std::string> out;
    for (int i = 0; i < ui::GetNumListItems(MainTab(kPageComm), TABCOMM_COMBO_HOST); ++i)
      out.push_back(ui::GetLabelFromIndex(MainTab(kPageComm), TABCOMM_COMBO_HOST, i));
    return out;
  }
  // Closes the program as the window's close box does.
  void Close() { ui::FirePanelEvent(gShell.mainp, ui::EVENT_CLOSE); }
  std::string Written() const { return ReadProjectFile("PanelSettings.cfg"); }
  void ExpectRowColors(const std::vector<std::pair<int, int>>& rowColors) {
    for (auto [row, color] : rowColors) {
      SCOPED_TRACE(row);
      EXPECT_EQ(ui::GetTableCellColor(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 6, row + 1),
                color);
      EXPECT_EQ(
          ui::GetTableCellColor(MainTab(kPageTableAttributes), TABATTR_TABLE_ATTR, 2, row + 1),
          color);
      EXPECT_EQ(ui::GetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 2, row + 1),
                color);
      EXPECT_EQ(ui::GetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 2, row + 2),
                color);
    }
  }
  // Takes the start-up's failed connect off the record.
  void ForgetStartUpFailure() {
    ClearLog();
    Popups();
  }
};

TEST_F(PanelSettings, NoFile) {
  ASSERT_TRUE(StartApp());
  ForgetStartUpFailure();
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_PROTOCOL), 0);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_NUM_COMPORT), 1);
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_BAUDRATE), 4);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_COMBO_HOST), "");
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_PORTNUMBER), kDefaultTcpPortText);
  EXPECT_TRUE(Hosts().empty());
  // The layout's placement: on screen with room for the title bar.
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_LEFT), 10);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_TOP), 40);
  EXPECT_EQ(gRemembered.parameterFile, dir + "/Parameter.ini");
  EXPECT_EQ(gRemembered.recordFile, dir + "/RecordFile.dat");
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageRecorder), TABREC_TEXTBOX_FILE),
            dir + "/RecordFile.dat");
  ExpectRowColors({{0, 0xFF0000}, {15, 0xFF0000}, {30, 0xFF0000}, {3, 0x000000}, {1, 0x80FF00}});
  // The start-up connect tried COM1 at 115200 baud.
  EXPECT_EQ(gChannel.port, 1);
  EXPECT_EQ(gChannel.baudIndex, 4);
}

TEST_F(PanelSettings, FileOfAnotherTypeIsIgnoredWhole) {
  ui::IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Parameter File");
  ini.PutString("GENERAL INFO", "PANEL ID:", "FOREIGN");
  ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
  ini.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", "4711");
  ini.PutInt("IP ADDRESSES", "LIST ITEMS", 1);
  ini.PutString("IP ADDRESSES", "IP ADDR 1", "sensor-7");
  ini.PutInt("TABLE ATTR OF TEACH VECTOR 0", "Row color", 0x123456);
  ASSERT_TRUE(ini.WriteFile(dir + "/PanelSettings.cfg"));
  ASSERT_TRUE(StartApp());
  ForgetStartUpFailure();
  EXPECT_EQ(ui::GetCtrlInt(MainTab(kPageComm), TABCOMM_RING_PROTOCOL), 0);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_PORTNUMBER), kDefaultTcpPortText);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_ID), "");
  EXPECT_TRUE(Hosts().empty());
  ExpectRowColors({{0, 0xFF0000}});
}

TEST_F(PanelSettings, WindowPlacement) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, int>> keys;
    bool maximised;
    int left, top, width, height;
  };
  const Case cases[] = {
      {"maximised; stored values unused",
       {{"MAINPANEL FULLSCREEN", 2}, {"MAINPANEL LEFT", 100}, {"MAINPANEL WIDTH", 600}},
       true,
       0,
       0,
       0,
       0},
      {"normal without position keys", {{"MAINPANEL FULLSCREEN", 0}}, false, 10, 40, 790, 548},
      {"normal with all keys",
       {{"MAINPANEL FULLSCREEN", 0},
        {"MAINPANEL LEFT", 120},
        {"MAINPANEL TOP", 80},
        {"MAINPANEL WIDTH", 900},
        {"MAINPANEL HEIGHT", 600}},
       false,
       120,
       80,
       900,
       600},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui::IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
    for (auto [k, v] : c.keys) ini.PutInt("PANEL POSITION", k, v);
    ASSERT_TRUE(ini.WriteFile(dir + "/PanelSettings.cfg"));
    ASSERT_TRUE(StartApp());
    ForgetStartUpFailure();
    EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WINDOW_ZOOM) == ui::VAL_MAXIMIZE,
              c.maximised);
    if (!c.maximised) {
      EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_LEFT), c.left);
      EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_TOP), c.top);
      EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WIDTH), c.width);
      EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_HEIGHT), c.height);
    }
    ShutdownApplication();
    started = false;
  }
}

TEST_F(PanelSettings, ServerListAndPaths) {
  ui::IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  ini.PutString("DIRECTORIES", "RECORDER FILE", "/data/line 3/rec.dat");
  ini.PutString("DIRECTORIES", "HARDWARE INI FILE", "/data/hw.ini");
  ini.PutInt("IP ADDRESSES", "LIST ITEMS", 15);
  for (int i = 1; i <= 15; ++i)
    if (i != 2)
      ini.PutString("IP ADDRESSES", "IP ADDR " + std::to_string(i), "host" + std::to_string(i));
  ASSERT_TRUE(ini.WriteFile(dir + "/PanelSettings.cfg"));
  ASSERT_TRUE(StartApp());
  ForgetStartUpFailure();
  EXPECT_EQ(Hosts(), (std::vector<std::string>{"host1", "host3", "host4", "host5", "host6", "host7",
                                               "host8", "host9", "host10"}));
  // Without a key the dialogs start in the project directory itself.
  EXPECT_EQ(gRemembered.parameterFile, dir);
  EXPECT_EQ(gRemembered.tableAttributesFile, dir);
  EXPECT_EQ(gRemembered.hardwareFile, "/data/hw.ini");
  EXPECT_EQ(gRemembered.recordFile, "/data/line 3/rec.dat");
}

TEST_F(PanelSettings, ClosingWritesTheFileByteForByte) {
  UseTcpSensor();
  const std::string port = std::to_string(tcp->Port());
  AppFixture::Settings s;
  s.protocol = 1;
  s.host = "127.0.0.1";
  s.portText = port;
  s.hosts = {"127.0.0.1"};
  WriteSettings(s);
  {
    ui::IniText ini;
    ASSERT_TRUE(ini.ReadFile(dir + "/PanelSettings.cfg"));
    ini.PutString("GENERAL INFO", "PANEL ID:", "LINE 3");
    for (auto [k, v] : {std::pair{"MAINPANEL FULLSCREEN", 0},
                        {"MAINPANEL LEFT", 10},
                        {"MAINPANEL TOP", 40},
                        {"MAINPANEL WIDTH", 790},
                        {"MAINPANEL HEIGHT", 548}})
      ini.PutInt("PANEL POSITION", k, v);
    ini.PutString("TABLE ATTR OF TEACH VECTOR 1", "Row specification", "dark \"blue\" lid");
    ini.PutInt("TABLE ATTR OF TEACH VECTOR 2", "Row color", 0x00FF00);
    ini.PutString("NOTES OF ANOTHER TOOL", "Kept", "yes");
    ASSERT_TRUE(ini.WriteFile(dir + "/PanelSettings.cfg"));
  }
  ASSERT_TRUE(StartApp());
  Close();

  std::string expected =
      "[GENERAL INFO]\r\n"
      "FILE TYPE: = \"Panel Settings\"\r\n"
      "SCOPE VERSION: = \"COLMIRA3-Rarev V4.2\"\r\n"
      "PANEL ID: = \"LINE 3\"\r\n"
      "\r\n"
      "[PANEL POSITION]\r\n"
      "MAINPANEL FULLSCREEN = 0\r\n"
      "MAINPANEL LEFT = 10\r\n"
      "MAINPANEL TOP = 40\r\n"
      "MAINPANEL WIDTH = 790\r\n"
      "MAINPANEL HEIGHT = 548\r\n"
      "\r\n"
      "[DIRECTORIES]\r\n"
      "PARAMETER FILE = \"" +
      dir +
      "\"\r\n"
      "RECORDER FILE = \"" +
      dir +
      "/RecordFile.dat\"\r\n"
      "HARDWARE INI FILE = \"" +
      dir +
      "\"\r\n"
      "TABLE ATTRIBUTES FILE = \"" +
      dir +
      "\"\r\n"
      "\r\n"
      "[IP ADDRESSES]\r\n"
      "LIST ITEMS = 1\r\n"
      "IP ADDR 1 = \"127.0.0.1\"\r\n"
      "\r\n"
      "[COMMUNICATION SETTINGS]\r\n"
      "COMPROTOCOL = 1\r\n"
      "COMPORT = 1\r\n"
      "BAUDRATE = 4\r\n"
      "IP ADRESS = \"127.0.0.1\"\r\n"
      "PORT NUMBER = \"" +
      port +
      "\"\r\n"
      "\r\n";
  for (int r = 0; r < 31; ++r) {
    int color = r == 2 ? 0x00FF00 : kDefaultRowColors[r];
    std::string rowText = r == 1 ? "dark \\\"blue\\\" lid" : "";
    expected += "[TABLE ATTR OF TEACH VECTOR " + std::to_string(r) + "]\r\n" +
                "Row color = " + std::to_string(color) + "\r\n" + "Row specification = \"" +
                rowText + "\"\r\n\r\n";
  }
  expected += "[NOTES OF ANOTHER TOOL]\r\nKept = \"yes\"\r\n\r\n";
  std::string first = Written();
  EXPECT_EQ(first, expected);

  // A second run that changes nothing writes the same bytes.
  ShutdownApplication();
  started = false;
  ASSERT_TRUE(StartApp());
  Close();
  EXPECT_EQ(Written(), first);
}

TEST_F(PanelSettings, SerialDeviceMapFeedsTheComPorts) {
  UsePtySensor(4);
  ui::ClearComDevices();  // the map must come from the file
  AppFixture::Settings s;
  s.comPort = 4;
  s.comDevice = PtyPath();
  WriteSettings(s);
  ASSERT_TRUE(StartApp());
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_DEVICE), PtyPath());
  EXPECT_EQ(Log(), "TRY TO CONNECT!\nCOLOR SENSOR SIM V1.0 SN 000001\n\n");
  Close();
  ui::IniText written;
  ASSERT_TRUE(written.ReadFile(dir + "/PanelSettings.cfg"));
  std::string device;
  EXPECT_TRUE(written.GetString("SERIAL DEVICES", "COM4", device));
  EXPECT_EQ(device, PtyPath());
}

TEST_F(PanelSettings, AcceptWritesTheSettingsAndShowsTheParameters) {
  StartWithTcpSensor();
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, "CHECKER 2");
  ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT, ui::EVENT_COMMIT);
  EXPECT_EQ(ActiveMainPage(), kPageParameters);
  ui::IniText written;
  ASSERT_TRUE(written.ReadFile(dir + "/PanelSettings.cfg"));
  std::string id;
  written.GetString("GENERAL INFO", "PANEL ID:", id);
  EXPECT_EQ(id, "CHECKER 2");
}

TEST(SettingsDir, OwnDirectoryWhileWritableElseTheUsersConfiguration) {
  struct Case {
    bool writable;
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {true, "/cfg", "/home/u", "/opt/tool"},
      {false, "/cfg", "/home/u", "/cfg/Colmira3V42"},
      {false, nullptr, "/home/u", "/home/u/.config/Colmira3V42"},
      {false, "", "/home/u", "/home/u/.config/Colmira3V42"},
      {false, "relative/cfg", "/home/u", "/home/u/.config/Colmira3V42"},
      {false, nullptr, nullptr, "/opt/tool"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ChooseSettingsDir("/opt/tool", c.writable, c.xdg, c.home), c.expected);
  }
}

// An installed program cannot write beside itself: the settings and the files
// it proposes move to the user's configuration directory, which it creates.
TEST_F(PanelSettings, UnwritableProgramDirectoryUsesTheConfigurationDirectory) {
  const std::string programDir = dir + "/no-such-program-dir";
  const std::string config = dir + "/config";
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldXdg ? oldXdg : "";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ui::SetProjectDir(programDir);
  ASSERT_TRUE(StartApp());
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, "INSTALLED");
  Close();
  if (oldXdg)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  ui::IniText written;
  ASSERT_TRUE(written.ReadFile(config + "/Colmira3V42/PanelSettings.cfg"));
  std::string id;
  written.GetString("GENERAL INFO", "PANEL ID:", id);
  EXPECT_EQ(id, "INSTALLED");
  EXPECT_EQ(gRemembered.parameterFile, config + "/Colmira3V42/Parameter.ini");
  EXPECT_EQ(gRemembered.recordFile, config + "/Colmira3V42/RecordFile.dat");
}

}  // namespace
