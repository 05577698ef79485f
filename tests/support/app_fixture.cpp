#include "support/app_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/settings/ini_header.h"
#include "gui/shell/shell.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace fs = std::filesystem;

void AppFixture::SetUp() {
  char tmpl[] = "/tmp/colmira-test-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  dir = tmpl;
  ui::SetProjectDir(dir);
  ui::SetDialogProvider(&dialogs);
  ui::ClearComDevices();
  // COM1 is the default port; a missing device keeps a start-up without
  // settings from talking to whatever serial port this machine has.
  ui::SetComDevice(1, dir + "/no-tty");
  gLink = Link{};
  gChannel = LinkChannel{};
  gLive = LiveState{};
}

void AppFixture::TearDown() {
  if (started) ShutdownApplication();
  started = false;
  tcp.reset();
  pty.reset();
  ui::SetDialogProvider(nullptr);
  ui::ClearComDevices();
  EXPECT_TRUE(dialogs.Unexpected().empty())
      << "a popup asked for an answer that no test gave: " << dialogs.Unexpected().front().title;
  EXPECT_FALSE(dialogs.AnswersLeft()) << "a scripted answer was never asked for";
  for (const auto& p : dialogs.Seen())
    ADD_FAILURE() << "popup nobody looked at: " << p.title << " | " << p.text;
  std::error_code ec;
  fs::remove_all(dir, ec);
}

bool AppFixture::StartApp() {
  if (LoadApplicationPanels(COLMIRA_LAYOUT) < 0) return false;
  started = true;
  InitApplication();
  return true;
}

void AppFixture::WriteSettings(const Settings& s) {
  ui::IniText ini;
  PutFileHeader(ini, "Panel Settings");
  ini.PutInt("IP ADDRESSES", "LIST ITEMS", static_cast<long long>(s.hosts.size()));
  for (size_t i = 0; i < s.hosts.size(); ++i)
    ini.PutString("IP ADDRESSES", "IP ADDR " + std::to_string(i + 1), s.hosts[i]);
  ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", s.protocol);
  ini.PutInt("COMMUNICATION SETTINGS", "COMPORT", s.comPort);
  ini.PutInt("COMMUNICATION SETTINGS", "BAUDRATE", s.baudIndex);
  ini.PutString("COMMUNICATION SETTINGS", "IP ADRESS", s.host);
  ini.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", s.portText);
  if (!s.comDevice.empty())
    ini.PutString("SERIAL DEVICES", "COM" + std::to_string(s.comPort), s.comDevice);
  ASSERT_TRUE(ini.WriteFile(dir + "/PanelSettings.cfg"));
}

void AppFixture::StartWithTcpSensor() {
  UseTcpSensor();
  Settings s;
  s.protocol = 1;
  s.host = "127.0.0.1";
  s.portText = std::to_string(tcp->Port());
  WriteSettings(s);
  ASSERT_TRUE(StartApp());
  ASSERT_EQ(gChannel.tcpConnected, 1) << Log();
}

void AppFixture::StartWithPtySensor(int comPort, long paceBaud) {
  UsePtySensor(comPort, paceBaud);
  Settings s;
  s.comPort = comPort;
  s.comDevice = PtyPath();
  WriteSettings(s);
  ASSERT_TRUE(StartApp());
  ASSERT_GT(ui::ComBaudRate(comPort), 0) << Log();
}

void AppFixture::ClearLog() {
  ui::ResetTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "");
}

void AppFixture::UseTcpSensor() {
  tcp = std::make_unique<sim::TcpTransport>(sensor);
  ASSERT_TRUE(tcp->Start(0));
  gChannel.protocol = 1;
  std::snprintf(gChannel.host, sizeof gChannel.host, "127.0.0.1");
  gChannel.tcpPort = tcp->Port();
  std::snprintf(gChannel.portNumberText, sizeof gChannel.portNumberText, "%u", tcp->Port());
}

void AppFixture::UsePtySensor(int comPort, long paceBaud) {
  pty = std::make_unique<sim::PtyTransport>(sensor);
  ASSERT_TRUE(pty->Start(PtyPath()));
  if (paceBaud) pty->SetPacingBaud(paceBaud);
  ui::SetComDevice(comPort, PtyPath());
  gChannel.protocol = 0;
  gChannel.port = static_cast<uint16_t>(comPort);
}

void AppFixture::WriteProjectFile(const std::string& name, const std::string& bytes) {
  std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

std::string AppFixture::ReadProjectFile(const std::string& name) const {
  std::ifstream in(dir + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string AppFixture::Log() const {
  return ui::GetCtrlString(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG);
}

std::string AppFixture::Status() const {
  return ui::GetCtrlString(gShell.datap, DATAP_STR_STATUS);
}

int AppFixture::ActiveMainPage() const {
  return ui::GetActiveTabPage(gShell.mainp, MAINP_TAB);
}

bool AppFixture::Dimmed(int panel, int ctrl) const {
  return ui::GetCtrlAttribute(panel, ctrl, ui::ATTR_DIMMED) == 1;
}

std::vector<std::string> AppFixture::Popups() {
  std::vector<std::string> out;
  for (const auto& p : dialogs.Take()) out.push_back(p.title + "|" + p.text);
  return out;
}

QWidget* FindWidget(const char* objectName) {
  for (QWidget* w : QApplication::allWidgets())
    if (w->objectName() == objectName) return w;
  return nullptr;
}

void Pump(double seconds) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < seconds * 1000) ui::WaitForSystemEvents(0.01);
}
