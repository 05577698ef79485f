// The mean-value teach panel: captures, means and spreads, the teach of the
// mean with its tolerance sources, and the panel's own live data.
#include "gui/teach/mean_teach.h"

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class MeanTeach : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    StartWithTcpSensor();
    ClearLog();
    Popups();
    ui::SetCtrlVal(Para(), TABPARA_RING_EVALMODE, 0);
    ui::SetCtrlVal(Para(), TABPARA_RING_CALCMODE, 0);
  }
  int P() const { return gShell.teachp1; }
  int Teach() const { return MainTab(kPageTeachTable); }
  int Para() const { return MainTab(kPageParameters); }
  void Press(int panel, int ctrl) { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); }
  // A frame on screen; the loop may already hold a newer one.
  void Capture(int x, int y, int in, int red = 0) {
    gLive.shownFrame[kLiveRed] = static_cast<uint16_t>(red);
    gLive.shownFrame[kLiveX] = static_cast<uint16_t>(x);
    gLive.shownFrame[kLiveY] = static_cast<uint16_t>(y);
    gLive.shownFrame[kLiveInt] = static_cast<uint16_t>(in);
    gLive.frame[kLiveX] = 9999;
    Press(P(), TEACHP1_BUTTON_CAPTURE);
  }
  int Val(int ctrl) const { return ui::GetCtrlInt(P(), ctrl); }
  std::vector<int> CaptureRow(int row) const {
    std::vector<int> out;
    for (int c = 1; c <= 6; ++c)
      out.push_back(ui::GetTableCellInt(P(), TEACHP1_TABLE_VALUES, c, row));
    return out;
  }
  std::vector<int> Means() const {
    std::vector<int> out;
    for (int c = 1; c <= 6; ++c) out.push_back(ui::GetTableCellInt(P(), TEACHP1_TABLE_MEAN, c, 1));
    return out;
  }
  std::vector<int> TeachRow(int row) const {
    std::vector<int> out;
    for (int c = 1; c <= 5; ++c)
      out.push_back(ui::GetTableCellInt(Teach(), TABTEACH_TABLE_TEACH, c, row));
    return out;
  }
};

TEST_F(MeanTeach, MeansAndSpreadsOverThreeCaptures) {
  struct Case {
    int calc, colourSpread, intSpread;
  };
  for (Case c : {Case{0, 3, 17}, Case{2, 17, 17}}) {
    SCOPED_TRACE(c.calc);
    ui::SetCtrlVal(Para(), TABPARA_RING_CALCMODE, c.calc);
    ui::SetCtrlVal(P(), TEACHP1_DISP_COUNTER, 0);
    Capture(100, 200, 1000, 30);
    Capture(101, 200, 1010, 31);
    Capture(103, 204, 1030, 35);
    EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 3);
    EXPECT_EQ(CaptureRow(3), (std::vector<int>{35, 0, 0, 103, 204, 1030}));
    EXPECT_EQ(Means(), (std::vector<int>{32, 0, 0, 101, 201, 1013}));
    EXPECT_EQ(Val(TEACHP1_DISP_DELTAXY), c.colourSpread);
    EXPECT_EQ(Val(TEACHP1_DISP_DELTAINT), c.intSpread);
  }
  // A corrected cell counts at once.
  auto* table = static_cast<QTableWidget*>(FindWidget("TEACHP1_TABLE_VALUES"));
  table->item(0, 3)->setText("400");
  EXPECT_EQ(Means()[3], (400 + 101 + 103) / 3);
}

TEST_F(MeanTeach, CaptureLimitAndUndo) {
  for (int i = 0; i < 101; ++i) Capture(i, 1, 1);
  EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 100);
  EXPECT_EQ(CaptureRow(100)[3], 100);
  EXPECT_EQ(CaptureRow(99)[3], 98);

  Press(P(), TEACHP1_BUTTON_UNDO);
  EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 99);
  EXPECT_EQ(CaptureRow(100), std::vector<int>(6, 0));

  ui::SetCtrlVal(P(), TEACHP1_DISP_COUNTER, 0);
  ui::SetTableCellVal(P(), TEACHP1_TABLE_VALUES, 4, 1, 55);
  Press(P(), TEACHP1_BUTTON_UNDO);
  EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 0);
  EXPECT_EQ(CaptureRow(1), std::vector<int>(6, 0));
  EXPECT_EQ(Means(), std::vector<int>(6, 0));
  EXPECT_EQ(Val(TEACHP1_DISP_DELTAXY), 0);
}

// Sees the RESET button's colour while the question is asked.
class ColourWatchingDialogs : public ui::ScriptedDialogs {
 public:
  int Confirm(const std::string& title, const std::string& text) override {
    colourWhileAsking =
        ui::GetCtrlAttribute(gShell.teachp1, TEACHP1_BUTTON_RESET, ui::ATTR_CMD_BUTTON_COLOR);
    return ScriptedDialogs::Confirm(title, text);
  }
  int colourWhileAsking = -1;
};

TEST_F(MeanTeach, ResetAsksInRedAndReturnsToGrey) {
  Capture(100, 200, 1000);
  ColourWatchingDialogs watch;
  ui::SetDialogProvider(&watch);
  watch.QueueConfirm(0);
  Press(P(), TEACHP1_BUTTON_RESET);
  EXPECT_EQ(watch.colourWhileAsking, 0xFF0000);
  EXPECT_EQ(ui::GetCtrlAttribute(P(), TEACHP1_BUTTON_RESET, ui::ATTR_CMD_BUTTON_COLOR), 0xE0E0E0);
  EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 1);

  watch.QueueConfirm(1);
  Press(P(), TEACHP1_BUTTON_RESET);
  ui::SetDialogProvider(&dialogs);
  EXPECT_EQ(ui::GetCtrlAttribute(P(), TEACHP1_BUTTON_RESET, ui::ATTR_CMD_BUTTON_COLOR), 0xE0E0E0);
  EXPECT_EQ(Val(TEACHP1_DISP_COUNTER), 0);
  EXPECT_EQ(CaptureRow(1), std::vector<int>(6, 0));
  EXPECT_EQ(Means(), std::vector<int>(6, 0));
  ASSERT_EQ(watch.Seen().size(), 2u);
  EXPECT_EQ(watch.Seen()[0].text, "Do you really want to reset the table?");
}

TEST_F(MeanTeach, TeachTakesTheMeanAndTheChosenTolerances) {
  struct Case {
    const char* what;
    int calc, eval, ctoSource, itoSource, no, inc;
    std::vector<int> before, after;
    int noAfter;
  };
  // Means X 300, Y 400, INT 2000; value CTO 50, ITO 70; spreads 12 and 30.
  const Case cases[] = {
      {"value + spread", 0, 0, 2, 1, 4, 1, {1, 1, 1, 1, 1}, {300, 400, 62, 2000, 30}, 5},
      {"MIN DIST forces 40", 0, 2, 2, 0, 4, 0, {1, 1, 1, 1, 1}, {300, 400, 40, 2000, 70}, 4},
      {"row values kept", 0, 0, 3, 3, 4, 0, {1, 1, 9, 1, 8}, {300, 400, 9, 2000, 8}, 4},
      {"3D leaves column 5", 2, 1, 0, 0, 30, 1, {1, 1, 1, 1, 77}, {300, 400, 2000, 50, 77}, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::SetCtrlVal(Para(), TABPARA_RING_CALCMODE, c.calc);
    ui::SetCtrlVal(Para(), TABPARA_RING_EVALMODE, c.eval);
    const int mean[6] = {5, 6, 7, 300, 400, 2000};
    for (int i = 0; i < 6; ++i) ui::SetTableCellVal(P(), TEACHP1_TABLE_MEAN, i + 1, 1, mean[i]);
    ui::SetCtrlVal(P(), TEACHP1_DISP_DELTAXY, 12);
    ui::SetCtrlVal(P(), TEACHP1_DISP_DELTAINT, 30);
    ui::SetCtrlVal(P(), TEACHP1_NUM_CTO, 50);
    ui::SetCtrlVal(P(), TEACHP1_NUM_ITO, 70);
    ui::SetCtrlVal(P(), TEACHP1_RING_CTOWITH, c.ctoSource);
    ui::SetCtrlVal(P(), TEACHP1_RING_ITOWITH, c.itoSource);
    ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, c.no);
    ui::SetCtrlVal(Teach(), TABTEACH_RADIO_INC, c.inc);
    int row = c.no + 1;
    for (int col = 0; col < 5; ++col)
      ui::SetTableCellVal(Teach(), TABTEACH_TABLE_TEACH, col + 1, row, c.before[col]);
    Press(P(), TEACHP1_BUTTON_TEACH);
    EXPECT_EQ(TeachRow(row), c.after);
    EXPECT_EQ(ui::GetCtrlInt(Teach(), TABTEACH_NUM_NO), c.noAfter);
    EXPECT_EQ(gParameterBlock.Row(c.no, 0), 300);
  }
}

TEST_F(MeanTeach, OpeningRunsLiveDataAndCapturesTakeTheFrameOnScreen) {
  std::vector<std::pair<std::vector<int>, std::vector<int>>> captures;
  bool dimmedWhileOpen = false;
  for (int ms : {250, 300, 350, 400}) {
    QTimer::singleShot(ms, [&] {
      // What the panel and DATAP show at the click.
      std::vector<int> screen = {
          ui::GetCtrlInt(P(), TEACHP1_DISP_RED),      ui::GetCtrlInt(P(), TEACHP1_DISP_GREEN),
          ui::GetCtrlInt(P(), TEACHP1_DISP_BLUE),     ui::GetCtrlInt(gShell.datap, DATAP_DISP_X),
          ui::GetCtrlInt(gShell.datap, DATAP_DISP_Y), ui::GetCtrlInt(gShell.datap, DATAP_DISP_INT)};
      Press(P(), TEACHP1_BUTTON_CAPTURE);
      int k = Val(TEACHP1_DISP_COUNTER);
      captures.push_back({screen, CaptureRow(k)});
      dimmedWhileOpen = Dimmed(gShell.mainp, MAINP_BUTTON_SEND);
    });
  }
  QTimer::singleShot(500, [&] { Press(P(), TEACHP1_BUTTON_CLOSE); });
  Press(Teach(), TABTEACH_BUTTON_TEACHMEAN);
  EXPECT_EQ(gLive.goRunning, 0);
  EXPECT_TRUE(dimmedWhileOpen);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_BUTTON_SEND));
  EXPECT_EQ(ui::GetPanelAttribute(gShell.datap, ui::ATTR_PANEL_VISIBLE), 1);
  ASSERT_EQ(captures.size(), 4u);
  for (const auto& [screen, row] : captures) EXPECT_EQ(screen, row);
  EXPECT_GT(captures.back().second[0] + captures.back().second[3], 0);

  // With GO running, opening only shows the panel.
  int opened = -1;
  QTimer::singleShot(200, [&] {
    Press(Teach(), TABTEACH_BUTTON_TEACHMEAN);
    opened = ui::GetPanelAttribute(P(), ui::ATTR_PANEL_VISIBLE);
  });
  QTimer::singleShot(400, [&] { Press(gShell.mainp, MAINP_BUTTON_STOP); });
  Press(gShell.mainp, MAINP_BUTTON_GO);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Log(), "");
}

TEST_F(MeanTeach, HelpTexts) {
  const std::pair<int, const char*> cases[] = {
      {TEACHP1_BUTTON_CAPTURE,
       "Get frame of R,G,B,X,Y,INT \nrespectively R,G,B,s,i,M \nand assign to table. "},
      {TEACHP1_BUTTON_UNDO, "Remove the last frame from table. "},
      {TEACHP1_BUTTON_RESET, "Set all table cells to 0."},
      {TEACHP1_BUTTON_TEACH,
       "Mean values are assigned to the \nTEACH TABLE row selected \nin the ROW No.: function "
       "field."},
      {TEACHP1_TABLE_VALUES, "Table to list the captured values. "},
      {TEACHP1_TABLE_MEAN, "Table to list the mean values. "},
      {TEACHP1_DISP_COUNTER, "Displays the amount of captured frames. "},
      {TEACHP1_DISP_DELTAXY, "Displays the maximum distance to the mean values."},
      {TEACHP1_DISP_DELTAINT, "Displays the maximum intensity distance to mean value."},
      {TEACHP1_RING_CTOWITH,
       "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
      {TEACHP1_RING_ITOWITH,
       "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
      {TEACHP1_NUM_CTO, "Select CTO respectively siTO respectively TOL. "},
      {TEACHP1_NUM_ITO, "Select ITO respectively MTO. "},
      {TEACHP1_BUTTON_CLOSE, "Close PANEL and return to MAIN PANEL. "},
  };
  for (auto [ctrl, text] : cases) {
    ui::FireCtrlEvent(P(), ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + text});
  }
  ui::FireCtrlEvent(Teach(), TABTEACH_BUTTON_TEACHMEAN, ui::EVENT_RIGHT_CLICK);
  EXPECT_EQ(Popups(), std::vector<std::string>{"INFO!|Opens a panel to teach mean values. "});
}

}  // namespace
