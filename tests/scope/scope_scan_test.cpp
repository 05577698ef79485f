// The scope against the virtual sensor: a scan with frames whose contents,
// trigger index and pre-trigger the test knows, on both link kinds; broken
// frames; BREAK SCAN during the wait; the cycle time, the cursors and the zoom.
#include "gui/scope/scope_scan.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <optional>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/scope/scope_state.h"
#include "gui/scope/scope_view.h"
#include "gui/shell/shell.h"
#include "qcustomplot.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

constexpr uint16_t kTriggerIndex = 5;
constexpr int kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr int kGrey = 0x808080, kTeal = 0x008080;

// Frames in which line k holds 1000 (k + 1) + ring position, and the states word
// holds the ring position in its low six bits.
sim::Sensor::ScopeFrames KnownFrames() {
  sim::Sensor::ScopeFrames f{};
  for (int k = 0; k < 4; ++k) {
    for (int p = 0; p < kScopeSamples; ++p)
      f[k][p] = static_cast<uint16_t>(k < 3 ? 1000 * (k + 1) + p : p & 0x3F);
    f[k][kScopeSamples] = kTriggerIndex;
  }
  return f;
}

class Scope : public AppFixture {
 protected:
  void Start(bool serial) {
    sensor.SetScopeFrames(KnownFrames());
    if (serial)
      StartWithPtySensor();
    else
      StartWithTcpSensor();
    ClearLog();
    sensor.ClearRequests();
  }
  int Page() const { return MainTab(kPageScope); }
  void Set(int ctrl, int value) { ui::SetCtrlVal(Page(), ctrl, value); }
  void Press(int panel, int ctrl) { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); }
  // Settings for a scan triggered by IN0, which the test raises after `raiseMs`.
  void TriggerByInput(int preTrigger, int raiseMs) {
    Set(TABSCOPE_RING_TRIGMODE, kTriggerInput0);
    Set(TABSCOPE_NUM_PRETRIG, preTrigger);
    sensor.SetInput0(false);
    if (raiseMs >= 0) QTimer::singleShot(raiseMs, [this] { sensor.SetInput0(true); });
  }
  void Scan() {
    QTimer::singleShot(10000, [this] { Press(Page(), TABSCOPE_BUTTON_BREAK); });  // if it hangs
    Press(Page(), TABSCOPE_BUTTON_SCAN);
  }
  std::vector<int> Colours(int graph) {
    std::vector<int> out;
    for (const auto& p : ui::GetGraphPlots(gShell.scopep, graph)) {
      EXPECT_EQ(p.points, kScopeSamples);
      out.push_back(p.color);
    }
    return out;
  }
  int ScanRequests(int arg) {
    int n = 0;
    for (const auto& r : sensor.Requests()) n += r.order == 0x6E && r.arg == arg;
    return n;
  }
  // The user picks the scope page, which shows SCOPEP.
  void OpenScopePage() {
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageScope);
    ui::FireCtrlEvent(gShell.mainp, MAINP_TAB, ui::EVENT_ACTIVE_TAB_CHANGE, kPageParameters,
                      kPageScope);
    Pump(0.05);
  }
  double Shown(int panel, int ctrl) { return ui::GetCtrlDouble(panel, ctrl); }
  int Decimals(int panel, int ctrl) {
    return ui::GetCtrlAttribute(panel, ctrl, ui::ATTR_PRECISION);
  }
};

TEST_F(Scope, TriggeredScanOverTcpPutsTheTriggerAtThePreTrigger) {
  Start(false);
  TriggerByInput(20, 100);
  Set(TABSCOPE_NUM_SCANRATE, 3);
  Set(TABSCOPE_RING_RECSIGNAL, 1);
  Scan();
  ASSERT_EQ(Log(), "");
  auto requests = sensor.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front().order, 0x6E);
  EXPECT_EQ(requests.front().arg, 1);
  EXPECT_EQ(requests.front().data,
            (std::vector<uint8_t>{4, 0, 20, 0, 0xD0, 0x07, 3, 0, 1, 0}));  // level 2000
  EXPECT_EQ(gScope.triggerIndex, kTriggerIndex);
  EXPECT_EQ(gScope.blocks[0][0], 1000 + 113);  // 5 - 20 mod 128 comes first
  EXPECT_EQ(gScope.blocks[0][20], 1000 + kTriggerIndex);
  EXPECT_EQ(gScope.blocks[2][20], 3000 + kTriggerIndex);
  EXPECT_EQ(gScope.blocks[3][127], 112 & 0x3F);
  EXPECT_EQ(Colours(SCOPEP_GRAPH_ANALOG), (std::vector<int>{kRed, kGreen, kBlue}));
  EXPECT_EQ(Colours(SCOPEP_GRAPH_DIGITAL),
            (std::vector<int>{kGrey, kGrey, kGrey, kGrey, kGrey, kTeal}));
  EXPECT_TRUE(FindWidget("SCOPEP")->isVisible());
  EXPECT_TRUE(FindWidget("SCOPEP_TEXTMSG_SCANNING")->isHidden());
  EXPECT_FALSE(Dimmed(Page(), TABSCOPE_BUTTON_SCAN));
}

TEST_F(Scope, SingleShotOverSerialShowsTheRingInOrder) {
  Start(true);
  Scan();
  ASSERT_EQ(Log(), "");
  for (int i : {0, 5, 20, 127}) EXPECT_EQ(gScope.blocks[1][i], 2000 + i) << i;
  EXPECT_EQ(Colours(SCOPEP_GRAPH_ANALOG).size(), 3u);
  EXPECT_EQ(Colours(SCOPEP_GRAPH_DIGITAL).size(), 6u);
}

TEST_F(Scope, BrokenTcpFrameEndsTheScanWithoutPlotting) {
  struct Case {
    sim::Fault fault;
    const char* log;
  };
  const Case cases[] = {
      {sim::Fault::BadHeaderCrc, "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!\n\n"},
      {sim::Fault::BadDataCrc, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!\n\n"},
  };
  Start(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log);
    ClearLog();
    // The reply to the request and the first frame pass; the second is spoilt.
    sensor.InjectFault(c.fault, 0x6E, 1, 2);
    Scan();
    EXPECT_EQ(Log(), c.log);
    EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_ANALOG).empty());
    EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_DIGITAL).empty());
    EXPECT_EQ(ActiveMainPage(), kPageComm);
  }
}

TEST_F(Scope, BrokenSerialFrameKeepsThatBlockAndPlotsTheRest) {
  Start(true);
  for (auto& s : gScope.blocks[1]) s = 7;
  sensor.InjectFault(sim::Fault::BadDataCrc, 0x6E, 1, 2);
  Scan();
  EXPECT_EQ(Log(), "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!\n\n");
  EXPECT_EQ(gScope.blocks[0][9], 1009);
  EXPECT_EQ(gScope.blocks[1][9], 7);
  EXPECT_EQ(gScope.blocks[2][9], 3009);
  EXPECT_EQ(gScope.blocks[3][9], 9);
  EXPECT_EQ(Colours(SCOPEP_GRAPH_ANALOG).size(), 3u);
}

class ScopeBreak : public Scope, public testing::WithParamInterface<bool> {};

TEST_P(ScopeBreak, BreakScanEndsTheWaitWithoutPlotting) {
  Start(GetParam());
  TriggerByInput(10, -1);  // IN0 stays low: the sensor never completes
  bool breakEnabled = false, indicatorShown = false;
  QTimer::singleShot(400, [&] {
    breakEnabled = !Dimmed(Page(), TABSCOPE_BUTTON_BREAK);
    indicatorShown = !FindWidget("SCOPEP_TEXTMSG_SCANNING")->isHidden();
    EXPECT_TRUE(Dimmed(Page(), TABSCOPE_BUTTON_SCAN));
    Press(Page(), TABSCOPE_BUTTON_BREAK);
  });
  Scan();
  EXPECT_TRUE(breakEnabled);
  EXPECT_TRUE(indicatorShown);
  EXPECT_EQ(gScope.scanRunning, 0);
  EXPECT_EQ(ScanRequests(1), 1);
  EXPECT_EQ(ScanRequests(0), 1);
  EXPECT_FALSE(sensor.ScanPending());
  EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_ANALOG).empty());
  EXPECT_TRUE(FindWidget("SCOPEP_TEXTMSG_SCANNING")->isHidden());
  EXPECT_FALSE(Dimmed(Page(), TABSCOPE_BUTTON_SCAN));
  EXPECT_EQ(Log(), "");
}

INSTANTIATE_TEST_SUITE_P(BothLinks, ScopeBreak, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Serial" : "Tcp"; });

// The line goes away with the first frame: the serial port reports its error,
// the TCP conversation its end; either way the scan ends without plotting.
TEST_P(ScopeBreak, LostLinkEndsTheWaitWithoutPlotting) {
  bool serial = GetParam();
  Start(serial);
  sensor.InjectFault(sim::Fault::CloseConnection, 0x6E, 1, 1);
  Scan();
  const char* expected =
      serial ? "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO "
               "CONNECT AGAIN!\n\n"
             : "SERVER HAS CLOSED CONNECTION!\n\n";
  EXPECT_EQ(Log(), expected);
  EXPECT_EQ(gScope.scanRunning, 0);
  EXPECT_EQ(ScanRequests(0), 0);  // ended by the link, not by BREAK SCAN
  EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_ANALOG).empty());
  EXPECT_EQ(ActiveMainPage(), kPageComm);
}

TEST_F(Scope, ClosingTheMainWindowEndsAWaitingScan) {
  Start(false);
  TriggerByInput(10, -1);
  QTimer::singleShot(300, [] { ui::FirePanelEvent(gShell.mainp, ui::EVENT_CLOSE); });
  Scan();
  EXPECT_EQ(gScope.scanRunning, 0);
  EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_ANALOG).empty());
}

TEST_F(Scope, FailedScanRequestStartsNoWait) {
  Start(false);
  sensor.InjectFault(sim::Fault::BadHeaderCrc, 0x6E, 1);
  Scan();
  EXPECT_EQ(Log(), "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!\n\n");
  EXPECT_EQ(gScope.scanRunning, 0);
  EXPECT_TRUE(ui::GetGraphPlots(gShell.scopep, SCOPEP_GRAPH_ANALOG).empty());
}

TEST_F(Scope, CycleTimeAndDeltaX) {
  Start(false);
  // Before any measurement delta X is 0 wherever the cursors are.
  ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 1, 20, 300);
  ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 2, 70, 1300);
  ui::FireCtrlEvent(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::EVENT_VAL_CHANGED);
  EXPECT_EQ(Shown(gShell.scopep, SCOPEP_DISP_DELTAX), 0.0);
  EXPECT_EQ(Decimals(gShell.scopep, SCOPEP_DISP_DELTAX), 6);
  EXPECT_EQ(Shown(gShell.scopep, SCOPEP_DISP_DELTAY), 1000);
  double x = 0, y = 0;
  ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_DIGITAL, 2, x, y);
  EXPECT_EQ(x, 70);
  EXPECT_EQ(y, 0);

  // The virtual sensor scans every 0.5 ms: about 16000 scans in 8 s.
  Press(Page(), TABSCOPE_BUTTON_GETCYCLE);
  EXPECT_NEAR(Shown(Page(), TABSCOPE_DISP_SCANFREQ), 2000.0, 0.5);
  EXPECT_EQ(Decimals(Page(), TABSCOPE_DISP_SCANFREQ), 0);
  EXPECT_EQ(Decimals(Page(), TABSCOPE_DISP_CYCLETIME), 3);
  EXPECT_NEAR(gScope.cycleTime, 0.5, 0.001);
  EXPECT_NEAR(Shown(gShell.scopep, SCOPEP_DISP_DELTAX), 25.0, 0.01);  // 50 x 0.5 x 1
  EXPECT_EQ(Decimals(gShell.scopep, SCOPEP_DISP_DELTAX), 3);

  // 50 samples x 0.25 ms x scan rate 4 = 50.000 ms; the scan rate box updates it.
  gScope.cycleTime = 0.25;
  Set(TABSCOPE_NUM_SCANRATE, 4);
  ui::FireCtrlEvent(Page(), TABSCOPE_NUM_SCANRATE, ui::EVENT_COMMIT);
  EXPECT_DOUBLE_EQ(Shown(gShell.scopep, SCOPEP_DISP_DELTAX), 50.0);

  // A failed measurement: frequency and cycle time 0, and delta X with them.
  sensor.InjectFault(sim::Fault::Silence, 0x69, 1);
  Press(Page(), TABSCOPE_BUTTON_GETCYCLE);
  EXPECT_EQ(Shown(Page(), TABSCOPE_DISP_SCANFREQ), 0.0);
  EXPECT_EQ(Shown(Page(), TABSCOPE_DISP_CYCLETIME), 0.0);
  EXPECT_EQ(Decimals(Page(), TABSCOPE_DISP_SCANFREQ), 2);
  EXPECT_EQ(Decimals(Page(), TABSCOPE_DISP_CYCLETIME), 0);
  EXPECT_EQ(Shown(gShell.scopep, SCOPEP_DISP_DELTAX), 0.0);
  EXPECT_EQ(Log().rfind("TIMEOUT!", 0), 0u);
}

TEST_F(Scope, ZoomResetsToTheRangeOfTheRecordedSignal) {
  struct Case {
    int recorded, calcMode;
    double yMax;
  };
  const Case cases[] = {{1, 3, 10000}, {1, 1, 10000}, {1, 2, 4100}, {0, 1, 4100}, {0, 0, 4100}};
  ASSERT_TRUE(StartApp());
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "signal " << c.recorded << " mode " << c.calcMode);
    Set(TABSCOPE_RING_RECSIGNAL, c.recorded);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_CALCMODE, c.calcMode);
    Press(gShell.scopep, SCOPEP_BUTTON_ZOOM11);
    ui::AxisScaling mode;
    double lo = 0, hi = 0;
    ui::GetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_LEFT_YAXIS, mode, lo, hi);
    EXPECT_EQ(mode, ui::VAL_MANUAL);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, c.yMax);
    ui::GetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_XAXIS, mode, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 128);
  }
}

// The user's hand: dragging a cursor and Ctrl + dragging a zoom rectangle
// reach the graph's callback, which brings delta X and delta Y up to date.
TEST_F(Scope, MouseMovesCursorsAndZooms) {
  ASSERT_TRUE(StartApp());
  OpenScopePage();
  gScope.cycleTime = 1.0;
  Press(gShell.scopep, SCOPEP_BUTTON_ZOOM11);
  Pump(0.1);
  auto* plot = FindWidget("SCOPEP_GRAPH_ANALOG")->findChild<QCustomPlot*>();
  ASSERT_NE(plot, nullptr);
  auto at = [plot](double x, double y) {
    return QPoint(static_cast<int>(plot->xAxis->coordToPixel(x)),
                  static_cast<int>(plot->yAxis->coordToPixel(y)));
  };
  // Cursor 1 starts at x 32: grab it there and drop it at x 100.
  double x1 = 0, y1 = 0;
  ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 1, x1, y1);
  QTest::mousePress(plot, Qt::LeftButton, {}, at(x1, 1000));
  QTest::mouseMove(plot, at(100, 1000));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, at(100, 1000));
  ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 1, x1, y1);
  EXPECT_NEAR(x1, 100, 1.0);
  EXPECT_NEAR(y1, 1000, 40);
  // Cursor 2 stays at x 96, so delta X is the whole samples between them.
  EXPECT_EQ(Shown(gShell.scopep, SCOPEP_DISP_DELTAX), std::abs(std::trunc(x1 - 96)));

  QTest::mousePress(plot, Qt::LeftButton, Qt::ControlModifier, at(40, 3000));
  QTest::mouseMove(plot, at(60, 1000));
  QTest::mouseRelease(plot, Qt::LeftButton, Qt::ControlModifier, at(60, 1000));
  ui::AxisScaling mode;
  double lo = 0, hi = 0;
  ui::GetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_XAXIS, mode, lo, hi);
  EXPECT_NEAR(lo, 40, 1.0);
  EXPECT_NEAR(hi, 60, 1.0);
  Press(gShell.scopep, SCOPEP_BUTTON_ZOOM11);
  ui::GetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_XAXIS, mode, lo, hi);
  EXPECT_EQ(hi, 128);
}

TEST_F(Scope, PageAndPanelControls) {
  ASSERT_TRUE(StartApp());
  OpenScopePage();
  EXPECT_TRUE(FindWidget("SCOPEP")->isVisible());
  Press(gShell.scopep, SCOPEP_BUTTON_CLOSE);
  EXPECT_FALSE(FindWidget("SCOPEP")->isVisible());
  EXPECT_TRUE(FindWidget("DATAP")->isVisible());

  struct Mode {
    int mode;
    bool preDimmed, levelDimmed;
  };
  for (Mode m : {Mode{1, false, false}, Mode{2, false, false}, Mode{3, false, true},
                 Mode{4, false, true}, Mode{0, true, true}}) {
    Set(TABSCOPE_RING_TRIGMODE, m.mode);
    ui::FireCtrlEvent(Page(), TABSCOPE_RING_TRIGMODE, ui::EVENT_COMMIT);
    EXPECT_EQ(Dimmed(Page(), TABSCOPE_NUM_PRETRIG), m.preDimmed) << m.mode;
    EXPECT_EQ(Dimmed(Page(), TABSCOPE_NUM_TRIGLEVEL), m.levelDimmed) << m.mode;
  }

  ui::SetCtrlVal(Page(), TABSCOPE_TEXTBOX_COMMENT, "line one\nline two");
  ui::FireCtrlEvent(Page(), TABSCOPE_TEXTBOX_COMMENT, ui::EVENT_RIGHT_DOUBLE_CLICK);
  EXPECT_EQ(ui::GetCtrlString(Page(), TABSCOPE_TEXTBOX_COMMENT), "");

  // The SIGNAL ring redraws only the chosen line.
  for (int b = 0; b < 3; ++b) gScope.blocks[b][0] = 1;
  for (auto [signal, colours] :
       {std::pair{2, std::vector<int>{kGreen}}, {0, std::vector<int>{kRed, kGreen, kBlue}}}) {
    ui::SetCtrlVal(gShell.scopep, SCOPEP_RING_SIGNAL, signal);
    ui::FireCtrlEvent(gShell.scopep, SCOPEP_RING_SIGNAL, ui::EVENT_COMMIT);
    EXPECT_EQ(Colours(SCOPEP_GRAPH_ANALOG), colours);
  }

  // Every control with a help text shows it on a right click.
  const std::pair<int, int> helped[] = {
      {Page(), TABSCOPE_BUTTON_GETCYCLE},    {Page(), TABSCOPE_DISP_SCANFREQ},
      {Page(), TABSCOPE_BUTTON_SCAN},        {Page(), TABSCOPE_BUTTON_BREAK},
      {Page(), TABSCOPE_BUTTON_PRINT},       {Page(), TABSCOPE_RING_TRIGMODE},
      {Page(), TABSCOPE_RING_RECSIGNAL},     {Page(), TABSCOPE_NUM_PRETRIG},
      {Page(), TABSCOPE_NUM_TRIGLEVEL},      {Page(), TABSCOPE_NUM_SCANRATE},
      {gShell.scopep, SCOPEP_BUTTON_ZOOM11}, {gShell.scopep, SCOPEP_RING_SIGNAL},
      {gShell.scopep, SCOPEP_GRAPH_ANALOG},  {gShell.scopep, SCOPEP_DISP_DELTAX},
      {gShell.scopep, SCOPEP_DISP_DELTAY},   {gShell.scopep, SCOPEP_BUTTON_CLOSE},
  };
  for (auto [panel, ctrl] : helped) {
    ui::FireCtrlEvent(panel, ctrl, ui::EVENT_RIGHT_CLICK);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u) << ctrl;
    EXPECT_EQ(popups[0].rfind("INFO!|", 0), 0u);
  }
}

}  // namespace
