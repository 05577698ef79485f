// Start-up, the child-panel area, the busy state and the main panel's events.
#include "gui/shell/shell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <sstream>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class ShellTest : public AppFixture {};

bool Visible(int panel) {
  return ui::GetPanelAttribute(panel, ui::ATTR_PANEL_VISIBLE) == 1;
}

TEST_F(ShellTest, StartUpState) {
  // A sensor in a 3D calculation mode leaves the 3D page active after the GET.
  std::vector<uint16_t> words = sensor.ParameterWords(0);
  words[kCalculationMode] = 2;
  sensor.SetParameterWords(0, words);
  StartWithTcpSensor();
  EXPECT_EQ(ActiveMainPage(), kPageParameters);
  EXPECT_EQ(ui::GetActiveTabPage(gShell.datap, DATAP_TAB), kPage3D);
  EXPECT_FALSE(ui::IsTabPageVisible(gShell.mainp, MAINP_TAB, kPageOffset));
  EXPECT_TRUE(Visible(gShell.mainp));
  EXPECT_TRUE(Visible(gShell.datap));
  for (int p : {gShell.graphp, gShell.teachp1, gShell.teachp2, gShell.scopep, gShell.colbigp,
                gShell.grpbigp, gShell.passwordp})
    EXPECT_FALSE(Visible(p)) << p;
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WIDTH), 790);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_HEIGHT), 548);
  for (int child : {gShell.datap, gShell.graphp, gShell.teachp1, gShell.teachp2, gShell.scopep}) {
    EXPECT_EQ(ui::GetPanelAttribute(child, ui::ATTR_TOP), 63);
    EXPECT_EQ(ui::GetPanelAttribute(child, ui::ATTR_LEFT), 286);
  }
  QWidget* main = FindWidget("MAINP");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->windowTitle().toStdString(), "COLMIRA3-Rarev V4.2");
  for (int i = 0; i < 9; ++i) EXPECT_GT(gShell.tabMain[i], 0);
  for (int i = 0; i < 4; ++i) EXPECT_GT(gShell.tabData[i], 0);
}

TEST_F(ShellTest, TitleLabel) {
  StartWithTcpSensor();
  QLabel* title = nullptr;
  for (QLabel* l : FindWidget("MAINP")->findChildren<QLabel*>())
    if (l->text() == "COLMIRA3-Rarev V4.2") title = l;
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->pos(), QPoint(286, 20));
  EXPECT_EQ(title->font().pointSize(), 22);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(ShellTest, MissingPanelEndsTheProgramWithMinusOne) {
  // The sixth panel (SCOPEP) is renamed in a copy of the layout file.
  std::string layout = ReadFile(COLMIRA_LAYOUT);
  std::string from = "name=\"SCOPEP\"";
  size_t at = layout.find(from);
  ASSERT_NE(at, std::string::npos);
  layout.replace(at, from.size(), "name=\"SCOPEX\"");
  WriteProjectFile("Colmira3V42.uir", layout);
  char name[] = "Colmira3V42";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(Colmira3V42Main(1, argv), -1);
  EXPECT_TRUE(dialogs.Seen().empty());
  // What had been loaded stays; the test discards it.
  EXPECT_TRUE(ui::PanelExists(MAINP));
  EXPECT_FALSE(ui::PanelExists(SCOPEP));
  started = true;
}

TEST_F(ShellTest, UnknownCallbackNameInTheLayoutIsReported) {
  // A layout edited by hand names a callback the program does not have.
  std::string layout = ReadFile(COLMIRA_LAYOUT);
  std::string from = "<string>CBF_ButtonGo</string>";
  size_t at = layout.find(from);
  ASSERT_NE(at, std::string::npos);
  layout.replace(at, from.size(), "<string>CBF_ButtonGoFast</string>");
  WriteProjectFile("Colmira3V42.uir", layout);
  EXPECT_EQ(LoadApplicationPanels(dir + "/Colmira3V42.uir"), -1);
  EXPECT_NE(ui::GetLoadError().find("CBF_ButtonGoFast"), std::string::npos) << ui::GetLoadError();
  EXPECT_NE(ui::GetLoadError().find("MAINP_BUTTON_GO"), std::string::npos) << ui::GetLoadError();
  EXPECT_FALSE(ui::PanelExists(MAINP));
  started = true;
}

TEST_F(ShellTest, MissingLayoutFile) {
  EXPECT_EQ(LoadApplicationPanels(dir + "/nothing-here.uir"), -1);
}

TEST_F(ShellTest, ShowChildPanel) {
  StartWithTcpSensor();
  ShowChildPanel(gShell.teachp1);
  EXPECT_TRUE(Visible(gShell.teachp1));
  EXPECT_FALSE(Visible(gShell.datap));
  for (int foreign : {gShell.colbigp, 999, 0}) {
    ShowChildPanel(gShell.teachp1);
    ShowChildPanel(foreign);
    EXPECT_TRUE(Visible(gShell.datap)) << foreign;
    EXPECT_FALSE(Visible(gShell.teachp1));
  }
}

TEST_F(ShellTest, BusyState) {
  StartWithTcpSensor();
  int comm = MainTab(kPageComm);
  auto transfer = [&] {
    return std::vector<bool>{
        Dimmed(gShell.mainp, MAINP_BUTTON_SEND), Dimmed(gShell.mainp, MAINP_BUTTON_GET),
        Dimmed(gShell.mainp, MAINP_RADIO_RAM), Dimmed(gShell.mainp, MAINP_RADIO_EEPROM),
        Dimmed(gShell.mainp, MAINP_RADIO_FILE)};
  };
  const std::vector<bool> none(5, false), all(5, true);
  for (int c : {TABCOMM_BUTTON_BAUDRATE, TABCOMM_BUTTON_HWFILE})
    ui::SetCtrlAttribute(comm, c, ui::ATTR_DIMMED, 0);

  SetButtonsDimmed(1, 1);  // GO leaves the transfer controls alone
  EXPECT_EQ(transfer(), none);
  EXPECT_TRUE(Dimmed(gShell.mainp, MAINP_BUTTON_GO));
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_CONNECT));
  EXPECT_TRUE(Dimmed(comm, TABCOMM_RING_BAUDRATE));
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_STOP));
  SetButtonsDimmed(0, 0);

  SetButtonsDimmed(0, 1);
  EXPECT_EQ(transfer(), all);
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_BAUDRATE));
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_HWFILE));
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_STOP));
  SetButtonsDimmed(0, 0);
  EXPECT_EQ(transfer(), none);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_GO));
  EXPECT_FALSE(Dimmed(comm, TABCOMM_BUTTON_CONNECT));
  // Only a successful connect lifts these two again.
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_BAUDRATE));
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_HWFILE));
}

TEST_F(ShellTest, RightDoubleClickRestoresTheSize) {
  StartWithTcpSensor();
  ui::SetPanelSize(gShell.mainp, 700, 1000);
  ui::FirePanelEvent(gShell.mainp, ui::EVENT_RIGHT_DOUBLE_CLICK);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_WIDTH), 790);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.mainp, ui::ATTR_HEIGHT), 548);
}

TEST_F(ShellTest, ChildPanelsGrowWithTheMainPanel) {
  StartWithTcpSensor();
  ui::SetPanelSize(gShell.mainp, 700, 1000);
  Pump(0.05);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.datap, ui::ATTR_WIDTH), 1000 - 286);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.datap, ui::ATTR_HEIGHT), 700 - 63);
  EXPECT_GT(FindWidget("MAINP_TAB")->height(), 548 - 63);
}

TEST_F(ShellTest, ClosingStopsGoAndEndsTheLoop) {
  StartWithTcpSensor();
  gLive.goRunning = 1;
  QTimer::singleShot(0, [] { FindWidget("MAINP")->close(); });
  EXPECT_EQ(ui::RunUserInterface(), 0);
  EXPECT_EQ(gLive.goRunning, 0);
}

TEST_F(ShellTest, TabControlsAnswerWithHelp) {
  StartWithTcpSensor();
  auto* tab = static_cast<QTabWidget*>(FindWidget("MAINP_TAB"));
  QTest::mouseClick(tab->tabBar(), Qt::RightButton, {}, tab->tabBar()->tabRect(0).center());
  ui::FireCtrlEvent(gShell.datap, DATAP_TAB, ui::EVENT_RIGHT_CLICK);
  EXPECT_EQ(Popups(),
            (std::vector<std::string>{"INFO!|Select TAB-window.", "INFO!|Select TAB-window."}));
}

TEST_F(ShellTest, SelectingPagesStopsGo) {
  StartWithTcpSensor();
  auto* tab = static_cast<QTabWidget*>(FindWidget("MAINP_TAB"));
  int comm = MainTab(kPageComm);
  ui::SetCtrlAttribute(comm, TABCOMM_BUTTON_ACCEPT, ui::ATTR_DIMMED, 0);
  gLive.goRunning = 1;
  tab->setCurrentIndex(kPageComm);  // as a click on the tab would
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_TRUE(Dimmed(comm, TABCOMM_BUTTON_ACCEPT));

  gLive.goRunning = 1;
  tab->setCurrentIndex(kPageScope);
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_TRUE(Visible(gShell.scopep));
  EXPECT_FALSE(Visible(gShell.datap));
}

TEST_F(ShellTest, RightDoubleClickOnTheStatusClearsTheLog) {
  StartWithTcpSensor();
  ui::AppendTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "TRY TO CONNECT!\n");
  ui::FireCtrlEvent(gShell.datap, DATAP_STR_STATUS, ui::EVENT_RIGHT_DOUBLE_CLICK);
  EXPECT_EQ(Log(), "");
}

}  // namespace
