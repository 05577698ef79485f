// Connecting over TCP and a pseudo-terminal, the server list, the baud-rate change.
#include "gui/link/connect.h"

#include <gtest/gtest.h>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

const std::string kIdent = "COLOR SENSOR SIM V1.0 SN 000001";

class Connect : public AppFixture {
 protected:
  bool LinkProven() const {
    return !Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT) &&
           !Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE) &&
           !Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_HWFILE);
  }
  bool LinkDimmed() const {
    return Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT) &&
           Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE) &&
           Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_HWFILE);
  }
  void Press(int ctrl) { ui::FireCtrlEvent(MainTab(kPageComm), ctrl, ui::EVENT_COMMIT); }
  std::vector<std::string> Hosts() const {
    std::vector<std::string> out;
    for (int i = 0; i < ui::GetNumListItems(MainTab(kPageComm), TABCOMM_COMBO_HOST); ++i)
      out.push_back(ui::GetLabelFromIndex(MainTab(kPageComm), TABCOMM_COMBO_HOST, i));
    return out;
  }
  void EnterHost(const std::string& host) {
    ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_COMBO_HOST, host);
    ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_COMBO_HOST, ui::EVENT_COMMIT);
  }
};

TEST_F(Connect, AtStartOverTcp) {
  StartWithTcpSensor();
  EXPECT_EQ(Log(), "TRY TO CONNECT!\n" + kIdent + "\n\n");
  EXPECT_EQ(Status(), kIdent);
  EXPECT_TRUE(LinkProven());
  EXPECT_EQ(ui::GetCtrlString(gShell.datap, DATAP_STR_HOST), "127.0.0.1");
  EXPECT_EQ(ui::GetCtrlAttribute(gShell.datap, DATAP_STR_HOST, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::GetCtrlAttribute(gShell.datap, DATAP_DISP_COMPORT, ui::ATTR_VISIBLE), 0);
  // The change-baud-rate button belongs to RS-232 only.
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE, ui::ATTR_VISIBLE), 0);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_COMBO_HOST, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_NUM_COMPORT, ui::ATTR_VISIBLE), 0);
  EXPECT_EQ(ActiveMainPage(), kPageParameters);
}

TEST_F(Connect, ByButtonOverAPseudoTerminal) {
  StartWithPtySensor(6);
  ClearLog();
  sensor.SetIdentText("LINE SENSOR B");
  Press(TABCOMM_BUTTON_CONNECT);
  EXPECT_EQ(Log(), "TRY TO CONNECT!\nLINE SENSOR B\n\n");
  EXPECT_EQ(Status(), "LINE SENSOR B");
  EXPECT_TRUE(LinkProven());
  EXPECT_EQ(ui::GetCtrlInt(gShell.datap, DATAP_DISP_COMPORT), 6);
  EXPECT_EQ(ui::GetCtrlAttribute(gShell.datap, DATAP_DISP_COMPORT, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::ComBaudRate(6), 115200);
  EXPECT_FALSE(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_CONNECT));
}

TEST_F(Connect, FailuresShowTheTextOfTheirCode) {
  StartWithTcpSensor();
  struct Case {
    const char* what;
    int protocol;
    std::string portText;
    const char* text;
  };
  const Case cases[] = {
      {"port text that is not a number", 1, "sensor", "FailedToConnect"},
      {"device that cannot be opened", 0, "", "No serial port found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearLog();
    ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_RING_PROTOCOL, c.protocol);
    ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_PORTNUMBER, c.portText);
    ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_NUM_COMPORT, 9);
    ui::SetComDevice(9, dir + "/nothing");
    Press(TABCOMM_BUTTON_CONNECT);
    EXPECT_EQ(Log(), std::string("TRY TO CONNECT!\n") + c.text + "\n\n");
    EXPECT_EQ(Status(), "TIMEOUT!");
    EXPECT_TRUE(LinkDimmed());
    EXPECT_EQ(ActiveMainPage(), kPageComm);
  }
  EXPECT_EQ(PortFromText("sensor"), 0);
  EXPECT_EQ(PortFromText("10001"), 10001);
  EXPECT_EQ(PortFromText(" 4711x"), 4711);
}

TEST_F(Connect, NothingListeningAtStart) {
  UseTcpSensor();
  Settings s;
  s.protocol = 1;
  s.host = "127.0.0.1";
  s.portText = std::to_string(tcp->Port());
  tcp->Stop();
  WriteSettings(s);
  ASSERT_TRUE(StartApp());
  EXPECT_EQ(Log(), "TRY TO CONNECT!\nFailedToConnect\n\n");
  EXPECT_EQ(ActiveMainPage(), kPageComm);
  EXPECT_TRUE(LinkDimmed());
}

TEST_F(Connect, SilentSensorStopsAfterTheIdentification) {
  sensor.InjectFault(sim::Fault::Silence, 0x07);
  StartWithTcpSensor();
  EXPECT_EQ(Log().rfind("TRY TO CONNECT!\nTIMEOUT! \nNO DATA RECEIVED!", 0), 0u) << Log();
  EXPECT_TRUE(LinkDimmed());
  ASSERT_EQ(sensor.Requests().size(), 1u);
}

TEST_F(Connect, IdentificationIsCutAndShownSafely) {
  struct Case {
    std::string sent;
    std::string shown;
  };
  const Case cases[] = {
      {"ABC\x01\x7F"
       "D",
       "ABC??D"},
      {"caf\xE9", "caf\xC3\xA9"},
      {std::string(100, 'x'), std::string(72, 'x')},
  };
  StartWithTcpSensor();
  for (const auto& c : cases) {
    sensor.SetIdentText(c.sent);
    ClearLog();
    Press(TABCOMM_BUTTON_CONNECT);
    EXPECT_EQ(Status(), c.shown);
    EXPECT_EQ(Log(), "TRY TO CONNECT!\n" + c.shown + "\n\n");
  }
  EXPECT_EQ(gIdentity.length, 72);
}

TEST_F(Connect, HostList) {
  StartWithTcpSensor();
  for (const char* h : {"a", "b", "c"}) EnterHost(h);
  EXPECT_EQ(Hosts(), (std::vector<std::string>{"c", "b", "a"}));
  EnterHost("a");  // third moves to the top
  EXPECT_EQ(Hosts(), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_TRUE(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT));
  EXPECT_FALSE(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_HWFILE));
  for (int i = 1; i <= 10; ++i) EnterHost("h" + std::to_string(i));
  std::vector<std::string> expected;
  for (int i = 10; i >= 1; --i) expected.push_back("h" + std::to_string(i));
  EXPECT_EQ(Hosts(), expected);  // the oldest went out
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageComm), TABCOMM_COMBO_HOST), "h10");
}

TEST_F(Connect, EditsWithdrawTheProvenButtons) {
  StartWithTcpSensor();
  struct Case {
    int ctrl;
    bool allThree;
  };
  for (Case c : {Case{TABCOMM_RING_PROTOCOL, true}, Case{TABCOMM_NUM_COMPORT, true},
                 Case{TABCOMM_RING_BAUDRATE, false}, Case{TABCOMM_STR_PORTNUMBER, false}}) {
    SCOPED_TRACE(c.ctrl);
    EnableLinkProvenButtons();
    ui::FireCtrlEvent(MainTab(kPageComm), c.ctrl, ui::EVENT_COMMIT);
    EXPECT_TRUE(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_ACCEPT));
    EXPECT_EQ(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE), c.allThree);
    EXPECT_EQ(Dimmed(MainTab(kPageComm), TABCOMM_BUTTON_HWFILE), c.allThree);
  }
}

TEST_F(Connect, SwitchingTheProtocolShowsItsFields) {
  StartWithTcpSensor();
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_RING_PROTOCOL, 0);
  ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_RING_PROTOCOL, ui::EVENT_COMMIT);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_RING_BAUDRATE, ui::ATTR_VISIBLE), 1);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_STR_PORTNUMBER, ui::ATTR_VISIBLE), 0);
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_RING_PROTOCOL, 1);
  ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_RING_PROTOCOL, ui::EVENT_COMMIT);
  EXPECT_EQ(ui::GetCtrlAttribute(MainTab(kPageComm), TABCOMM_BUTTON_BAUDRATE, ui::ATTR_VISIBLE), 0);
}

TEST_F(Connect, ChangeBaudRate) {
  StartWithPtySensor(7, 115200);
  ClearLog();
  sensor.ClearRequests();
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_RING_BAUDRATE, 2);
  Press(TABCOMM_BUTTON_BAUDRATE);
  auto requests = sensor.Requests();
  ASSERT_GE(requests.size(), 2u);
  EXPECT_EQ(requests[0].order, 0xBE);
  EXPECT_EQ(requests[0].arg, 2);
  EXPECT_EQ(requests[1].order, 0x07);
  EXPECT_EQ(ui::ComBaudRate(7), 38400);
  EXPECT_EQ(sensor.BaudIndex(), 2);
  EXPECT_EQ(pty->PacingBaud(), 38400);
  EXPECT_EQ(Log(), "TRY TO CHANGE BAUDRATE!\nSUCCESS!\nTRY TO CONNECT!\n" + kIdent +
                       "\n\nATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
  EXPECT_TRUE(LinkProven());
}

TEST_F(Connect, FailedBaudRateChangeKeepsTheOldRate) {
  StartWithPtySensor(7);
  ClearLog();
  sensor.InjectFault(sim::Fault::Silence, 0xBE);
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_RING_BAUDRATE, 0);
  Press(TABCOMM_BUTTON_BAUDRATE);
  EXPECT_EQ(ui::ComBaudRate(7), 115200);
  EXPECT_EQ(Log().rfind("TRY TO CHANGE BAUDRATE!\nTIMEOUT! ", 0), 0u) << Log();
  EXPECT_EQ(Log().find("CONFIRM NEW BAUDRATE"), std::string::npos);
  EXPECT_TRUE(LinkDimmed());
}

TEST_F(Connect, HelpTexts) {
  StartWithTcpSensor();
  const std::pair<int, const char*> cases[] = {
      {TABCOMM_BUTTON_CONNECT, "Try to connect sensor."},
      {TABCOMM_BUTTON_ACCEPT, "Accept settings for communication \nand switch to parapanel. "},
      {TABCOMM_BUTTON_BAUDRATE,
       "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND."},
      {TABCOMM_BUTTON_HWFILE,
       "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance."},
      {TABCOMM_RING_PROTOCOL, "Select RS232 or TCP/IP Interface. "},
      {TABCOMM_NUM_COMPORT, "Select a serial COM-PORT."},
      {TABCOMM_RING_BAUDRATE,
       "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust "
       "work with the same Baudrate. "},
      {TABCOMM_COMBO_HOST, "Select a Server by name or IP address."},
      {TABCOMM_STR_PORTNUMBER, "Select a port number."},
      {TABCOMM_STR_ID,
       "Insert sensor identification. \nThis ID will be displayed in some panels of the "
       "software."},
  };
  for (auto [ctrl, text] : cases) {
    ui::FireCtrlEvent(MainTab(kPageComm), ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + text});
  }
}

TEST_F(Connect, SensorIdReachesTheOtherPanels) {
  StartWithTcpSensor();
  ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, "FILLER 4");
  ui::FireCtrlEvent(MainTab(kPageComm), TABCOMM_STR_ID, ui::EVENT_COMMIT);
  EXPECT_EQ(ui::GetCtrlString(MainTab(kPageRecorder), TABREC_STR_ID), "FILLER 4");
  EXPECT_EQ(ui::GetCtrlString(gShell.colbigp, COLBIGP_TEXTMSG_ID), "FILLER 4");
  EXPECT_EQ(ui::GetCtrlString(gShell.grpbigp, GRPBIGP_TEXTMSG_ID), "FILLER 4");
}

}  // namespace
