// GO against the virtual sensor: frames on every display, the histories,
// requests served between frames, and every way the loop ends.
#include "gui/live/go_loop.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTabWidget>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class Go : public AppFixture {
 protected:
  void Start() {
    StartWithTcpSensor();
    ClearLog();
    sensor.ClearRequests();
  }
  void Press(int ctrl) { ui::FireCtrlEvent(gShell.mainp, ctrl, ui::EVENT_COMMIT); }
  // Runs GO until `stopAfterMs`, with `during` run at their times inside the loop.
  void RunGo(int stopAfterMs, std::vector<std::pair<int, std::function<void()>>> during = {}) {
    for (auto& [ms, fn] : during) QTimer::singleShot(ms, fn);
    QTimer::singleShot(stopAfterMs, [this] { Press(MAINP_BUTTON_STOP); });
    Press(MAINP_BUTTON_GO);
  }
  std::vector<int> OrdersSent() {
    std::vector<int> out;
    for (const auto& r : sensor.Requests()) out.push_back(r.order);
    return out;
  }
  int Count(int order) {
    int n = 0;
    for (int o : OrdersSent()) n += o == order;
    return n;
  }
  int Shown(int panel, int ctrl) { return ui::GetCtrlInt(panel, ctrl); }
};

TEST_F(Go, FramesReachTheDisplaysUntilStop) {
  Start();
  RunGo(300);
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_GE(Count(0x08), 5);
  const uint16_t* f = gLive.frame;
  EXPECT_EQ(Shown(gShell.datap, DATAP_DISP_RED), f[kLiveRed]);
  EXPECT_EQ(Shown(gShell.datap, DATAP_DISP_X), f[kLiveX]);
  EXPECT_EQ(Shown(gShell.datap, DATAP_DISP_COLOR), f[kLiveColor]);
  EXPECT_EQ(Shown(DataTab(kPageRgb), TABRGB_DISP_BLUEMAX), f[kLiveMinMax + 5]);
  EXPECT_EQ(Shown(MainTab(kPageCalibration), TABCALIB_DISP_RAWGREEN), f[kLiveRawGreen]);
  EXPECT_EQ(gLive.colourHistory[kHistoryValues - 3], f[kLiveRed]);
  EXPECT_EQ(gLive.intensityHistory[kHistoryValues - 3], f[kLiveInt]);
  auto traces = ui::GetStripChartTraces(DataTab(kPageRgb), TABRGB_STRIP_RGB);
  ASSERT_EQ(traces.size(), 3u);
  ASSERT_EQ(traces[0].size(), 101u);
  EXPECT_EQ(traces[2].back(), f[kLiveBlue]);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_GO));
  EXPECT_EQ(Log(), "");
}

TEST_F(Go, SendAndGetGoOutBetweenTwoFrames) {
  Start();
  RunGo(600,
        {{100, [this] { Press(MAINP_BUTTON_SEND); }}, {300, [this] { Press(MAINP_BUTTON_GET); }}});
  std::vector<int> orders = OrdersSent();
  auto send = std::find(orders.begin(), orders.end(), 0x01);
  auto get = std::find(orders.begin(), orders.end(), 0x02);
  ASSERT_NE(send, orders.end());
  ASSERT_NE(get, orders.end());
  EXPECT_EQ(*(send + 1), 0x01);
  EXPECT_EQ(*(send + 2), 0x08);  // the loop goes on
  EXPECT_EQ(*(get + 1), 0x02);
  EXPECT_EQ(*(get + 2), 0x08);
  EXPECT_GT(send - orders.begin(), 1);
  EXPECT_EQ(gLive.sendRequested, 0);
  EXPECT_EQ(gLive.getRequested, 0);
  EXPECT_EQ(Log(), "");
}

TEST_F(Go, TimeoutEndsGoAndKeepsTheLastFrame) {
  Start();
  sensor.InjectFault(sim::Fault::Silence, 0x08, 1, 5);
  QTimer::singleShot(8000, [this] { Press(MAINP_BUTTON_STOP); });  // only if GO hangs
  Press(MAINP_BUTTON_GO);
  uint16_t lastRed = gLive.frame[kLiveRed];
  EXPECT_EQ(Count(0x08), 6);
  EXPECT_EQ(Shown(gShell.datap, DATAP_DISP_RED), lastRed);
  EXPECT_EQ(ActiveMainPage(), kPageComm);
  EXPECT_EQ(Status(), "TIMEOUT!");
  EXPECT_EQ(Log().rfind("TIMEOUT! \nNO DATA RECEIVED!", 0), 0u);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_GO));
}

TEST_F(Go, FaultsStopGoWithoutACrash) {
  struct Case {
    sim::Fault fault;
    const char* logStart;
  };
  const Case cases[] = {
      {sim::Fault::BadHeaderCrc, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!"},
      {sim::Fault::BadDataCrc, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"},
      {sim::Fault::CloseConnection, "SERVER HAS CLOSED CONNECTION!"},
  };
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logStart);
    if (!gChannel.tcpConnected) {
      ASSERT_GE(ConnectTcpChannel(), 0);
    }
    ClearLog();
    sensor.InjectFault(c.fault, 0x08, 1, 3);
    QTimer::singleShot(8000, [this] { Press(MAINP_BUTTON_STOP); });
    Press(MAINP_BUTTON_GO);
    EXPECT_EQ(gLive.goRunning, 0);
    EXPECT_EQ(Log().rfind(c.logStart, 0), 0u) << Log();
  }
}

TEST_F(Go, ChoosingTheCommunicationOrScopePageStopsGo) {
  Start();
  auto* tab = static_cast<QTabWidget*>(FindWidget("MAINP_TAB"));
  for (int page : {kPageComm, kPageScope}) {
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
    sensor.ClearRequests();
    QTimer::singleShot(100, [tab, page] { tab->setCurrentIndex(page); });
    QTimer::singleShot(8000, [this] { Press(MAINP_BUTTON_STOP); });
    double start = ui::Timer();
    Press(MAINP_BUTTON_GO);
    EXPECT_LT(ui::Timer() - start, 4.0) << page;
    EXPECT_GE(Count(0x08), 1);  // GO was running when the page changed
  }
}

TEST_F(Go, KeysStartAndStop) {
  Start();
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
  auto* go = FindWidget("MAINP_BUTTON_GO");
  auto* stop = FindWidget("MAINP_BUTTON_STOP");
  EXPECT_EQ(static_cast<QAbstractButton*>(go)->shortcut(), QKeySequence(Qt::Key_F11));
  EXPECT_EQ(static_cast<QAbstractButton*>(stop)->shortcut(), QKeySequence(Qt::Key_F12));
}

// One frame on the displays, without the link.
class LiveFrame : public Go {
 protected:
  void Show(std::initializer_list<std::pair<int, uint16_t>> words, int evalMode) {
    for (auto [w, v] : words) gLive.frame[w] = v;
    gParameterBlock.head[kEvaluationMode] = static_cast<uint16_t>(evalMode);
    ShowLiveFrame();
  }
  std::vector<int> Leds() {
    std::vector<int> on;
    const int leds[] = {DATAP_LED_OUT0, DATAP_LED_OUT1, DATAP_LED_OUT2, DATAP_LED_OUT3,
                        DATAP_LED_OUT4};
    for (int i = 0; i < 5; ++i)
      if (Shown(gShell.datap, leds[i])) on.push_back(i);
    return on;
  }
};

TEST_F(LiveFrame, DisplaysOfOneFrame) {
  Start();
  Show({{kLiveDeltaC, 0xFFFF},
        {kLiveRed, 4095},
        {kLiveGreen, 2048},
        {kLiveBlue, 0},
        {kLiveColor, 5},
        {kLiveGroup, 7},
        {kLiveTemp, 41},
        {kLiveTrigger, 1}},
       3);
  EXPECT_EQ(Shown(gShell.datap, DATAP_DISP_DELTAC), -1);
  EXPECT_EQ(gLive.liveColor, 0xFF8000);
  EXPECT_EQ(Shown(gShell.datap, DATAP_COLORNUM_LIVE), 0xFF8000);
  EXPECT_EQ(Leds(), (std::vector<int>{0, 2}));
  EXPECT_EQ(Shown(gShell.colbigp, COLBIGP_DISP_COLOR), 5);
  EXPECT_EQ(Shown(gShell.grpbigp, GRPBIGP_DISP_GROUP), 7);
  EXPECT_EQ(Shown(MainTab(kPageTableAttributes), TABATTR_DISP_TEMP), 41);
  EXPECT_EQ(Shown(gShell.teachp1, TEACHP1_DISP_GREEN), 2048);
  EXPECT_EQ(Shown(gShell.datap, DATAP_LED_TRIG), 1);

  Show({{kLiveColor, 255}}, 3);
  EXPECT_EQ(Leds(), (std::vector<int>{0, 1, 2, 3, 4}));
  Show({{kLiveColor, 0}}, 1);  // modes below COL5 leave the LEDs alone
  EXPECT_EQ(Leds(), (std::vector<int>{0, 1, 2, 3, 4}));
  Show({{kLiveColor, 0}}, 4);
  EXPECT_EQ(Leds(), std::vector<int>{});
}

TEST_F(LiveFrame, HistoriesShiftAndTheBandFollowsTheRow) {
  Start();
  int teach = MainTab(kPageTeachTable);
  struct Case {
    int intensity, tolerance, upper, lower;
  };
  for (Case c : {Case{4000, 200, 4095, 3800}, Case{100, 300, 400, 0}}) {
    ui::SetTableCellVal(teach, TABTEACH_TABLE_TEACH, 4, 3, c.intensity);
    ui::SetTableCellVal(teach, TABTEACH_TABLE_TEACH, 5, 3, c.tolerance);
    ui::SetCtrlVal(teach, TABTEACH_NUM_NO, 2);
    double before = gLive.colourHistory[kHistoryValues - 3];
    Show({{kLiveRed, 11}, {kLiveGreen, 22}, {kLiveBlue, 33}, {kLiveInt, 1500}}, 1);
    EXPECT_EQ(gLive.colourHistory[kHistoryValues - 6], before);
    EXPECT_EQ(gLive.colourHistory[kHistoryValues - 1], 33);
    EXPECT_EQ(gLive.intensityHistory[kHistoryValues - 3], 1500);
    EXPECT_EQ(gLive.intensityHistory[kHistoryValues - 2], c.upper);
    EXPECT_EQ(gLive.intensityHistory[kHistoryValues - 1], c.lower);
  }
}

TEST_F(LiveFrame, DisplayHelpTexts) {
  Start();
  const std::pair<int, const char*> cases[] = {
      {DATAP_DISP_X, "Displays the red content of the color currently arriving at the receiver."},
      {DATAP_DISP_RED, "Displays the current color intensity of RED,GREEN and BLUE. "},
      {DATAP_BUTTON_SHOWGRAPH, "Switch to a graphical display for each signal."},
  };
  for (auto [ctrl, text] : cases) {
    ui::FireCtrlEvent(gShell.datap, ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + text});
  }
}

}  // namespace

namespace {

TEST_F(Go, SlowButTimelySensorKeepsGoRunning) {
  Start();
  sensor.SetReplyDelayMs(1200);
  RunGo(3000);
  EXPECT_GE(Count(0x08), 2);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(ActiveMainPage(), kPageParameters);
}

}  // namespace
