// Whole exchanges with the virtual sensor over TCP and over a pseudo-terminal,
// and what every kind of failure leaves on the screen.
#include <gtest/gtest.h>

#include <cstring>

#include "Colmira3V42_uir.h"
#include "com232/crc8.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

const char* const kTimeout =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";

class Exchange : public AppFixture {
 protected:
  void ConnectTcp() {
    StartWithTcpSensor();
    Ready();
  }
  void ConnectPty(long paceBaud = 0) {
    StartWithPtySensor(7, paceBaud);
    Ready();
  }
  void Ready() {
    ClearLog();
    sensor.ClearRequests();
    Proven(true);
  }
  // Sets the link-proven buttons as a successful connect would leave them.
  void Proven(bool on) {
    int comm = MainTab(kPageComm);
    for (int c : {TABCOMM_BUTTON_ACCEPT, TABCOMM_BUTTON_BAUDRATE, TABCOMM_BUTTON_HWFILE})
      ui::SetCtrlAttribute(comm, c, ui::ATTR_DIMMED, on ? 0 : 1);
  }
  int LiveFrame() {
    BuildRequest(0x08, 0, 0);
    return Transfer(8);
  }
  void ExpectFailureShown(const std::string& message) {
    EXPECT_EQ(Log(), message + "\n\n");
    EXPECT_EQ(Status(), "TIMEOUT!");
    EXPECT_EQ(ActiveMainPage(), kPageComm);
    EXPECT_EQ(gLink.linkOk, 0);
    EXPECT_EQ(gLive.goRunning, 0);
    int comm = MainTab(kPageComm);
    for (int c : {TABCOMM_BUTTON_ACCEPT, TABCOMM_BUTTON_BAUDRATE, TABCOMM_BUTTON_HWFILE})
      EXPECT_TRUE(Dimmed(comm, c)) << c;
  }
};

TEST_F(Exchange, LiveFrameOverTcp) {
  ConnectTcp();
  ASSERT_EQ(LiveFrame(), 1);
  EXPECT_EQ(gLink.replyCode, 0x08);
  EXPECT_EQ(gLink.dataLength, 40);
  UnpackReplyToReplyWords();
  EXPECT_LE(gLink.ReplyWords[0], 4095);
  EXPECT_EQ(Log(), "");
  ASSERT_EQ(sensor.Requests().size(), 1u);
  EXPECT_EQ(sensor.Requests()[0].order, 0x08);
}

TEST_F(Exchange, IdentificationOverPseudoTerminal) {
  ConnectPty();
  sensor.SetIdentText("SENSOR UNDER TEST 42");
  BuildRequest(0x07, 0, 0);
  ASSERT_EQ(Transfer(8), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(gLink.ReceiveBuffer + 8), "SENSOR UNDER TEST 42");
  ASSERT_EQ(LiveFrame(), 1);
  EXPECT_EQ(gLink.dataLength, 40);
}

TEST_F(Exchange, ReplyInThreePiecesIsGatheredContiguously) {
  ConnectTcp();
  sensor.SetPieceSizes({3, 10}, 30);
  sensor.InjectFault(sim::Fault::Pieces, 0x08);
  ASSERT_EQ(LiveFrame(), 1);
  EXPECT_EQ(gLink.ReceiveBuffer[0], 0x55);
  EXPECT_EQ(Crc8(gLink.ReceiveBuffer, 0, 8), 0);
  EXPECT_EQ(Crc8(gLink.ReceiveBuffer, 8, 40), gLink.dataCrc);
  EXPECT_EQ(gLink.receivedCount, 48);
}

TEST_F(Exchange, BrokenRepliesShowTheirMessage) {
  struct Case {
    sim::Fault fault;
    const char* message;
  };
  const Case cases[] = {
      {sim::Fault::BadHeaderCrc, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!"},
      {sim::Fault::BadDataCrc, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"},
      {sim::Fault::Garbage, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!"},
  };
  ConnectTcp();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ui::ResetTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "");
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
    ui::SetCtrlVal(gShell.datap, DATAP_STR_STATUS, "SENSOR");
    Proven(true);
    gLive.goRunning = 1;
    gLink.linkOk = 1;
    sensor.InjectFault(c.fault, 0x08);
    EXPECT_EQ(LiveFrame(), -1);
    ExpectFailureShown(c.message);
    // Late bytes of a broken reply do not spoil the next exchange.
    Pump(0.05);
    ui::ResetTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "");
    EXPECT_EQ(LiveFrame(), 1);
  }
}

TEST_F(Exchange, LinkStatusIsLoggedAndTheDataStillRead) {
  ConnectTcp();
  sensor.InjectFault(sim::Fault::Status1, 0x08);
  EXPECT_EQ(LiveFrame(), 1);
  EXPECT_EQ(Log(), "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!\n\n");
  EXPECT_EQ(gLink.statusWord, 1);
  EXPECT_EQ(gLink.dataLength, 40);
  EXPECT_EQ(Status(), "TIMEOUT!");

  ui::ResetTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "");
  sensor.InjectFault(sim::Fault::Status2, 0x08);
  EXPECT_EQ(LiveFrame(), 1);
  EXPECT_EQ(Log(),
            "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!\n\n");
}

TEST_F(Exchange, UnknownOrderGivesTheInvalidOrderText) {
  ConnectTcp();
  BuildRequest(0x42, 0, 0);
  EXPECT_EQ(Transfer(8), 1);
  EXPECT_EQ(gLink.replyCode, 0);
  EXPECT_EQ(gLink.statusWord, 1);
  EXPECT_EQ(Log(), "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!\n\n");
}

TEST_F(Exchange, SilentSensorTimesOutOverTcp) {
  ConnectTcp();
  sensor.InjectFault(sim::Fault::Silence, 0x08);
  double start = ui::Timer();
  EXPECT_EQ(LiveFrame(), -1);
  double took = ui::Timer() - start;
  EXPECT_GT(took, kReplyTimeoutSeconds);
  EXPECT_LT(took, kReplyTimeoutSeconds + 1.5);
  ExpectFailureShown(kTimeout);
}

TEST_F(Exchange, SilentSensorTimesOutOnTheSerialLine) {
  ConnectPty();
  sensor.InjectFault(sim::Fault::Silence, 0x08);
  double start = ui::Timer();
  EXPECT_EQ(LiveFrame(), -1);
  // The header wait, then the last read with the port's own time-out.
  EXPECT_GT(ui::Timer() - start, kReplyTimeoutSeconds);
  ExpectFailureShown(kTimeout);
}

TEST_F(Exchange, DataThatStopsHalfwayTimesOut) {
  ConnectTcp();
  sensor.SetPieceSizes({8, 10}, 3500);
  sensor.InjectFault(sim::Fault::Pieces, 0x08);
  EXPECT_EQ(LiveFrame(), -1);
  ExpectFailureShown(kTimeout);
}

TEST_F(Exchange, ServerClosingTheConnection) {
  ConnectTcp();
  gLive.goRunning = 1;
  sensor.InjectFault(sim::Fault::CloseConnection, 0x08);
  EXPECT_EQ(LiveFrame(), -1);
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_EQ(gChannel.tcpConnected, 0);
  EXPECT_EQ(gChannel.conversation, 0u);
  EXPECT_EQ(Log().rfind("SERVER HAS CLOSED CONNECTION!\n\n", 0), 0u) << Log();
}

}  // namespace
