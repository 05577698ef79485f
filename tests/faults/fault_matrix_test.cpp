// Every link fault of the virtual sensor, over TCP and over a pseudo-terminal,
// during each operation that talks to the sensor (the scope scan at its request): the message in
// the log, the operation's loop ended and its buttons back, and a connect afterwards that works.
// One test per case, so that the cases that wait out a time-out run side by side.
#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "com232/protocol.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_loops.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

using sim::Fault;

const std::string kTimeout =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
const std::string kBadHeader = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
const std::string kBadData = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
const std::string kClosed = "SERVER HAS CLOSED CONNECTION!";
const std::string kStatus1 = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
const std::string kStatus2 =
    "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!";

enum class Transport { kTcp, kPty };
enum class Flow {
  kConnect,
  kGet,
  kSend,
  kGo,
  kIntervalRecord,
  kTriggeredRecord,
  kCalibration,
  kScope
};

const Fault kFaults[] = {Fault::Silence,  Fault::BadHeaderCrc, Fault::BadDataCrc,
                         Fault::Pieces,   Fault::Garbage,      Fault::CloseConnection,
                         Fault::Oversize, Fault::Status1,      Fault::Status2};

// What the log must hold after the fault; empty: the operation goes through.
std::string ExpectedMessage(Flow flow, Fault fault, Transport transport) {
  const bool tcp = transport == Transport::kTcp;
  switch (fault) {
    case Fault::Pieces:
      return "";
    case Fault::Silence:
      // A triggered recording waits for the sensor's next frame without a limit.
      // A lost reply to the scan request goes unnoticed: the first scope frame
      // follows at once and passes for it, and the scan waits for BREAK.
      return flow == Flow::kTriggeredRecord || flow == Flow::kScope ? "" : kTimeout;
    case Fault::BadHeaderCrc:
    case Fault::Garbage:
    case Fault::Oversize:
      return kBadHeader;
    case Fault::BadDataCrc:
      // The answers to a parameter write and to the scan request carry no data whose
      // CRC could be wrong.
      return flow == Flow::kSend || flow == Flow::kScope ? "" : kBadData;
    case Fault::CloseConnection:
      if (tcp) return kClosed;
      // The sensor's side of the line goes away: the port reports an error.
      return flow == Flow::kTriggeredRecord ? kTriggerPortErrorText : kTimeout;
    case Fault::Status1:
    case Fault::Status2:
      // Frames the sensor sends on its own carry no link status.
      if (flow == Flow::kTriggeredRecord) return "";
      return fault == Fault::Status1 ? kStatus1 : kStatus2;
  }
  return "?";
}

using Case = std::tuple<Transport, Flow, Fault>;

class FaultMatrix : public AppFixture, public ::testing::WithParamInterface<Case> {
 protected:
  Transport transport() const { return std::get<0>(GetParam()); }
  Flow flow() const { return std::get<1>(GetParam()); }
  Fault fault() const { return std::get<2>(GetParam()); }

  void Start() {
    if (transport() == Transport::kTcp)
      StartWithTcpSensor();
    else
      StartWithPtySensor();
    // Short pieces keep the runs of many pieced frames quick; the gaps still
    // split every reply across several reads.
    sensor.SetPieceSizes({3, 10}, 2);
    sensor.SetGarbageLength(16);
    ClearLog();
    Popups();
  }
  void Press(int panel, int ctrl) { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); }
  int Comm() const { return gShell.tabMain[kPageComm]; }
  int Rec() const { return gShell.tabMain[kPageRecorder]; }
  int Calib() const { return gShell.tabMain[kPageCalibration]; }
  int Scope() const { return gShell.tabMain[kPageScope]; }

  // Presses `ctrl` of `panel` after `ms` while the operation runs; the timer
  // dies with the case, so it never fires into a later one.
  void PressLater(int ms, int panel, int ctrl) {
    auto* t = new QTimer;
    t->setSingleShot(true);
    QObject::connect(t, &QTimer::timeout,
                     [panel, ctrl] { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); });
    t->start(ms);
    timers_.emplace_back(t);
  }
  // Ends every GO that the operation starts after it, as the user's STOP would.
  void StopAnyGo() {
    auto* t = new QTimer;
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [] { gLive.goRunning = 0; });
    t->start();
    timers_.emplace_back(t);
  }

  void RunFlow() {
    const Fault f = fault();
    switch (flow()) {
      case Flow::kConnect:
        sensor.InjectFault(f, kOrderIdentify);
        Press(Comm(), TABCOMM_BUTTON_CONNECT);
        break;
      case Flow::kGet:
        sensor.InjectFault(f, kOrderReadParameters);
        Press(gShell.mainp, MAINP_BUTTON_GET);
        break;
      case Flow::kSend:
        sensor.InjectFault(f, kOrderWriteParameters);
        Press(gShell.mainp, MAINP_BUTTON_SEND);
        break;
      case Flow::kGo:
        // A few good frames first: the fault hits a running loop.
        sensor.InjectFault(f, kOrderLiveFrame, 1, 3);
        PressLater(1500, gShell.mainp, MAINP_BUTTON_STOP);
        Press(gShell.mainp, MAINP_BUTTON_GO);
        break;
      case Flow::kIntervalRecord:
        gRemembered.recordFile = dir + "/interval.dat";
        ui::SetCtrlVal(Rec(), TABREC_RING_MODE, 0);
        Press(Rec(), TABREC_RING_MODE);
        ui::SetCtrlVal(Rec(), TABREC_NUM_NUMBER, 6);
        ui::SetCtrlVal(Rec(), TABREC_NUM_INTERVAL, 0.1);
        sensor.InjectFault(f, kOrderLiveFrame, 1, 2);
        dialogs.QueueConfirm(1);
        Press(Rec(), TABREC_BUTTON_START);
        break;
      case Flow::kTriggeredRecord:
        gRemembered.recordFile = dir + "/triggered.dat";
        ui::SetCtrlVal(Rec(), TABREC_RING_MODE, 3);
        Press(Rec(), TABREC_RING_MODE);
        sensor.SetStreamIntervalMs(50);
        // The sensor's own reply goes through; its third frame carries the fault.
        sensor.InjectFault(f, kOrderStream, 1, 3);
        dialogs.QueueConfirm(1);
        PressLater(1500, Rec(), TABREC_BUTTON_STOP);
        Press(Rec(), TABREC_BUTTON_STARTTRIG);
        break;
      case Flow::kScope:
        // The reply to the scan request; the sensor's frames follow it unharmed.
        sensor.InjectFault(f, kOrderScan);
        PressLater(1500, Scope(), TABSCOPE_BUTTON_BREAK);  // a scan that waits on
        Press(Scope(), TABSCOPE_BUTTON_SCAN);
        break;
      case Flow::kCalibration:
        // Every frame of the measurement carries the fault.
        sensor.InjectFault(f, kOrderLiveFrame, sim::kUntilCleared);
        dialogs.QueueConfirm(1);
        dialogs.QueueConfirm(1);
        StopAnyGo();
        Press(Calib(), TABCALIB_BUTTON_CALCCF);
        break;
    }
  }

  // The button that started the operation: usable again once it is over.
  std::pair<int, int> StartButton() const {
    switch (flow()) {
      case Flow::kConnect:
        return {Comm(), TABCOMM_BUTTON_CONNECT};
      case Flow::kIntervalRecord:
        return {Rec(), TABREC_BUTTON_START};
      case Flow::kTriggeredRecord:
        return {Rec(), TABREC_BUTTON_STARTTRIG};
      case Flow::kCalibration:
        return {Calib(), TABCALIB_BUTTON_CALCCF};
      case Flow::kScope:
        return {Scope(), TABSCOPE_BUTTON_SCAN};
      default:
        return {gShell.mainp, MAINP_BUTTON_SEND};
    }
  }

  // The popups each operation raises on its way; checked elsewhere, drained here.
  void DrainPopups() { Popups(); }

  // The ground a fresh connect must find: no fault left, then the connect
  // button identifies the sensor and a live frame comes through.
  void ExpectConnectWorks() {
    sensor.ClearFaults();
    Pump(0.1);
    ClearLog();
    Press(Comm(), TABCOMM_BUTTON_CONNECT);
    std::string log = Log();
    EXPECT_EQ(log.find("TIMEOUT"), std::string::npos) << log;
    EXPECT_EQ(log.find("ATTENTION"), std::string::npos) << log;
    EXPECT_EQ(log.find("CLOSED"), std::string::npos) << log;
    for (int c : {TABCOMM_BUTTON_ACCEPT, TABCOMM_BUTTON_BAUDRATE, TABCOMM_BUTTON_HWFILE})
      EXPECT_FALSE(Dimmed(Comm(), c)) << "link-proven button " << c;
    gLink.linkOk = 1;
    EXPECT_EQ(ExchangeOrder(kOrderLiveFrame, 0), 1);
    EXPECT_EQ(gLink.dataLength, 40);
    EXPECT_EQ(gLink.linkOk, 1) << Log();
  }

  std::vector<std::unique_ptr<QTimer>> timers_;
};

TEST_P(FaultMatrix, MessageLoopEndedAndReconnect) {
  Start();
  const std::string expected = ExpectedMessage(flow(), fault(), transport());
  RunFlow();
  Pump(0.05);  // a closed connection is reported when its event comes in
  const std::string log = Log();

  if (expected.empty()) {
    EXPECT_EQ(log.find("TIMEOUT"), std::string::npos) << log;
    EXPECT_EQ(log.find("INCORRECT"), std::string::npos) << log;
  } else {
    // The fault's message, whole, as one entry of the log.
    EXPECT_NE(log.find(expected + "\n\n"), std::string::npos) << log;
    // A link status is reported, but the reply's data still serve the operation.
    if (fault() != Fault::Status1 && fault() != Fault::Status2) {
      EXPECT_EQ(Status(), "TIMEOUT!");
      EXPECT_EQ(ActiveMainPage(), kPageComm);
    }
  }
  // The loop is over and the buttons are back.
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_GO));
  const auto [panel, button] = StartButton();
  EXPECT_FALSE(Dimmed(panel, button));
  timers_.clear();
  DrainPopups();

  ExpectConnectWorks();
  DrainPopups();
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  static const char* const kFlows[] = {
      "Connect", "Get", "Send", "Go", "IntervalRecord", "TriggeredRecord", "Calibration", "Scope"};
  const auto [transport, flow, fault] = info.param;
  std::string name = transport == Transport::kTcp ? "Tcp_" : "Pty_";
  name += kFlows[static_cast<int>(flow)];
  name += "_";
  name += sim::FaultName(fault);
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Links, FaultMatrix,
    ::testing::Combine(::testing::Values(Transport::kTcp, Transport::kPty),
                       ::testing::Values(Flow::kConnect, Flow::kGet, Flow::kSend, Flow::kGo,
                                         Flow::kIntervalRecord, Flow::kTriggeredRecord,
                                         Flow::kCalibration, Flow::kScope),
                       ::testing::ValuesIn(kFaults)),
    CaseName);

}  // namespace
