// The recorded-value teach panel: recording into the cloud until stopped or
// full, cursors that agree on one recorded point, and its teach.
#include "gui/teach/recorded_teach.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QTest>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class RecordedTeach : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    StartWithTcpSensor();
    ClearLog();
    Popups();
    sensor.ClearRequests();
  }
  int P() const { return gShell.teachp2; }
  int Teach() const { return MainTab(kPageTeachTable); }
  int Para() const { return MainTab(kPageParameters); }
  void Press(int panel, int ctrl) { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); }
  int Counter() const { return ui::GetCtrlInt(P(), TEACHP2_DISP_COUNTER); }
  int LiveRequests() const {
    int n = 0;
    for (const auto& r : sensor.Requests()) n += r.order == 0x08;
    return n;
  }
  void RecordFor(int ms) {
    QTimer::singleShot(ms, [this] { Press(gShell.mainp, MAINP_BUTTON_STOP); });
    Press(P(), TEACHP2_BUTTON_START);
  }
  std::pair<double, double> Cursor(int graph) const {
    double x = 0, y = 0;
    ui::GetGraphCursor(P(), graph, 1, x, y);
    return {x, y};
  }
  std::vector<int> Shown() const {
    return {ui::GetCtrlInt(P(), TEACHP2_DISP_X), ui::GetCtrlInt(P(), TEACHP2_DISP_Y),
            ui::GetCtrlInt(P(), TEACHP2_DISP_INT)};
  }
  // Recorded points as if a recording had left them, plotted in the graphs.
  void Recorded(std::vector<RecordedPoint> points) {
    for (size_t i = 0; i < points.size(); ++i) {
      gRecordedPoints[i] = points[i];
      const auto& p = points[i];
      ui::PlotPoint(P(), TEACHP2_GRAPH_XY, p.x, p.y, 0xFF0000);
      ui::PlotPoint(P(), TEACHP2_GRAPH_XINT, p.x, p.intensity, 0xFF0000);
      ui::PlotPoint(P(), TEACHP2_GRAPH_YINT, p.y, p.intensity, 0xFF0000);
    }
    ui::SetCtrlVal(P(), TEACHP2_DISP_COUNTER, static_cast<int>(points.size()));
  }
};

TEST_F(RecordedTeach, RecordsUntilStopIntoTheCloud) {
  Press(Teach(), TABTEACH_BUTTON_TEACHREC);
  EXPECT_EQ(ui::GetPanelAttribute(P(), ui::ATTR_PANEL_VISIBLE), 1);
  EXPECT_EQ(gLive.goRunning, 0);  // opening starts nothing

  bool startDimmed = false;
  QTimer::singleShot(100, [&] { startDimmed = Dimmed(P(), TEACHP2_BUTTON_START); });
  RecordFor(300);
  int k = Counter();
  ASSERT_GT(k, 3);
  EXPECT_EQ(k, LiveRequests());
  EXPECT_TRUE(startDimmed);
  EXPECT_FALSE(Dimmed(P(), TEACHP2_BUTTON_START));
  for (int g : {TEACHP2_GRAPH_XY, TEACHP2_GRAPH_XINT, TEACHP2_GRAPH_YINT}) {
    std::vector<ui::PlotShape> plots = ui::GetGraphPlots(P(), g);
    ASSERT_EQ(plots.size(), 1u);
    EXPECT_EQ(plots[0].kind, ui::PlotShape::Points);
    EXPECT_EQ(plots[0].points, k);
    EXPECT_EQ(plots[0].color, 0xFF0000);
  }
  // The displays and cursors follow the last frame, which is the last entry.
  const RecordedPoint& last = gRecordedPoints[k - 1];
  EXPECT_EQ(Shown(),
            (std::vector<int>{gLive.frame[kLiveX], gLive.frame[kLiveY], gLive.frame[kLiveInt]}));
  EXPECT_EQ(last.x, gLive.frame[kLiveX]);
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_YINT), std::make_pair(last.y, last.intensity));

  // A new START adds to the cloud.
  RecordFor(150);
  EXPECT_GT(Counter(), k);
  EXPECT_EQ(Log(), "");
}

TEST_F(RecordedTeach, FullStoreStopsByItself) {
  ui::SetCtrlVal(P(), TEACHP2_DISP_COUNTER, kRecordedPointsMax - 2);
  bool stoppedByItself = true;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    stoppedByItself = false;
    Press(gShell.mainp, MAINP_BUTTON_STOP);
  });
  guard.start(3000);
  Press(P(), TEACHP2_BUTTON_START);
  EXPECT_TRUE(stoppedByItself);
  EXPECT_EQ(Counter(), kRecordedPointsMax);
  EXPECT_EQ(LiveRequests(), 2);

  RecordedPoint before = gRecordedPoints[kRecordedPointsMax - 1];
  Press(P(), TEACHP2_BUTTON_START);
  EXPECT_EQ(Counter(), kRecordedPointsMax);
  EXPECT_EQ(LiveRequests(), 3);
  EXPECT_EQ(gRecordedPoints[kRecordedPointsMax - 1].x, before.x);
}

TEST_F(RecordedTeach, CursorsMeetOnTheFirstRecordedMatch) {
  Recorded({{500, 600, 1000}, {10, 20, 30}, {10, 25, 30}, {40, 25, 35}});
  ui::SetGraphCursor(P(), TEACHP2_GRAPH_XINT, 1, 10, 30);
  ui::FireCtrlEvent(P(), TEACHP2_GRAPH_XINT, ui::EVENT_COMMIT);
  EXPECT_EQ(Shown(), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_XY), std::make_pair(10.0, 20.0));
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_YINT), std::make_pair(20.0, 30.0));

  // No match: point 0 of the store.
  ui::SetGraphCursor(P(), TEACHP2_GRAPH_XY, 1, 11, 11);
  ui::FireCtrlEvent(P(), TEACHP2_GRAPH_XY, ui::EVENT_COMMIT);
  EXPECT_EQ(Shown(), (std::vector<int>{500, 600, 1000}));

  // Dragged by the user, the cursor lands on the nearest dot and the others follow.
  ui::DisplayPanel(P());
  auto* plot = FindWidget("TEACHP2_GRAPH_YINT")->findChild<QCustomPlot*>();
  ASSERT_NE(plot, nullptr);
  plot->replot();
  QPoint near(static_cast<int>(plot->xAxis->coordToPixel(40)) + 2,
              static_cast<int>(plot->yAxis->coordToPixel(35)) - 1);
  QTest::mousePress(plot, Qt::LeftButton, {}, near);
  QTest::mouseRelease(plot, Qt::LeftButton, {}, near);
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_YINT), std::make_pair(25.0, 35.0));
  EXPECT_EQ(Shown(), (std::vector<int>{40, 25, 35}));
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_XY), std::make_pair(40.0, 25.0));
}

TEST_F(RecordedTeach, TeachWritesTheChosenPointWithDefaults) {
  ui::SetCtrlVal(Para(), TABPARA_RING_EVALMODE, 1);
  ui::SetCtrlVal(Para(), TABPARA_RING_CALCMODE, 0);
  ui::SetCtrlVal(Para(), TABPARA_RING_POWERMODE, 0);
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 3);
  ui::SetCtrlVal(Teach(), TABTEACH_RADIO_INC, 1);
  Recorded({{700, 800, 1500}, {710, 820, 1600}});
  ui::SetGraphCursor(P(), TEACHP2_GRAPH_XY, 1, 710, 820);
  ui::FireCtrlEvent(P(), TEACHP2_GRAPH_XY, ui::EVENT_COMMIT);
  Press(P(), TEACHP2_BUTTON_TEACH);
  std::vector<int> row;
  for (int c = 1; c <= 5; ++c)
    row.push_back(ui::GetTableCellInt(Teach(), TABTEACH_TABLE_TEACH, c, 4));
  EXPECT_EQ(row, (std::vector<int>{710, 820, 200, 1600, 200}));
  EXPECT_EQ(ui::GetCtrlInt(Teach(), TABTEACH_NUM_NO), 4);
}

TEST_F(RecordedTeach, ResetAsksThenRecordingStartsAgainFromZero) {
  Recorded({{1, 2, 3}, {4, 5, 6}});
  ui::SetGraphCursor(P(), TEACHP2_GRAPH_XY, 1, 4, 5);
  dialogs.QueueConfirm(0);
  Press(P(), TEACHP2_BUTTON_RESET);
  EXPECT_EQ(Counter(), 2);
  dialogs.QueueConfirm(1);
  Press(P(), TEACHP2_BUTTON_RESET);
  EXPECT_EQ(Popups(),
            (std::vector<std::string>(2, "ATTENTION!|Do you really want to reset the table?")));
  EXPECT_EQ(Counter(), 0);
  EXPECT_TRUE(ui::GetGraphPlots(P(), TEACHP2_GRAPH_XINT).empty());
  EXPECT_EQ(Cursor(TEACHP2_GRAPH_XY), std::make_pair(4.0, 5.0));

  RecordFor(150);
  ASSERT_GT(Counter(), 0);
  EXPECT_NE(gRecordedPoints[0].x, 1);
  EXPECT_EQ(ui::GetGraphPlots(P(), TEACHP2_GRAPH_XINT)[0].points, Counter());
}

TEST_F(RecordedTeach, HelpTexts) {
  const char* graph =
      "Display for recorded values. \nMove cursor to select a position \nwhich should be teached "
      "to the table.";
  const std::pair<int, const char*> cases[] = {
      {TEACHP2_BUTTON_START, "Start recording of values \nand displaying in the graphs."},
      {TEACHP2_BUTTON_RESET, "Reset graphs and counter."},
      {TEACHP2_BUTTON_TEACH,
       "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function "
       "field."},
      {TEACHP2_GRAPH_XY, graph},
      {TEACHP2_GRAPH_XINT, graph},
      {TEACHP2_GRAPH_YINT, graph},
      {TEACHP2_DISP_COUNTER, "Displays the amount of recorded values. "},
      {TEACHP2_BUTTON_CLOSE, "Close PANEL and return to MAIN PANEL. "},
  };
  for (auto [ctrl, text] : cases) {
    ui::FireCtrlEvent(P(), ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + text});
  }
  ui::FireCtrlEvent(Teach(), TABTEACH_BUTTON_TEACHREC, ui::EVENT_RIGHT_CLICK);
  EXPECT_EQ(Popups(), std::vector<std::string>{
                          "INFO!|Opens a panel to teach, with help \nfrom a graph, recorded "
                          "values. "});
}

}  // namespace
