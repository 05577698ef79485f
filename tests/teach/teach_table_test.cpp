// The teach table as the user works it: teaching live values into a row, the
// resets of the three tables, the context menu and edits that redraw at once.
#include "gui/teach/teach_table.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class TeachTable : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    StartWithTcpSensor();
    ClearLog();
    Popups();
    // Every row at its reset values, whatever the sensor held.
    for (int r = 1; r <= 31; ++r) SetRow(r, {1, 1, 1, 1, 1});
    ReadPanelsIntoParameterBlock();
  }
  int Teach() const { return MainTab(kPageTeachTable); }
  int Para() const { return MainTab(kPageParameters); }
  int GroupHold() const { return MainTab(kPageGroupHold); }
  int Cell(int col, int row) const {
    return ui::GetTableCellInt(Teach(), TABTEACH_TABLE_TEACH, col, row);
  }
  std::vector<int> Row(int row) const {
    std::vector<int> out;
    for (int c = 1; c <= 5; ++c) out.push_back(Cell(c, row));
    return out;
  }
  void SetRow(int row, std::vector<int> cells) {
    for (int c = 0; c < 5; ++c)
      ui::SetTableCellVal(Teach(), TABTEACH_TABLE_TEACH, c + 1, row, cells[c]);
  }
  // What the DATAP displays show, as GO would have left them.
  void ShowMeasured(int x, int y, int in, int r = 0, int g = 0, int b = 0) {
    const std::pair<int, int> shown[] = {{DATAP_DISP_X, x},     {DATAP_DISP_Y, y},
                                         {DATAP_DISP_INT, in},  {DATAP_DISP_RED, r},
                                         {DATAP_DISP_GREEN, g}, {DATAP_DISP_BLUE, b}};
    for (auto [ctrl, v] : shown) ui::SetCtrlVal(gShell.datap, ctrl, v);
  }
  void Modes(int eval, int calc, int power) {
    ui::SetCtrlVal(Para(), TABPARA_RING_EVALMODE, eval);
    ui::SetCtrlVal(Para(), TABPARA_RING_CALCMODE, calc);
    ui::SetCtrlVal(Para(), TABPARA_RING_POWERMODE, power);
  }
  void Press(int panel, int ctrl) { ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT); }
  void Select(int left, int top, int width, int height) {
    ui::SetTableSelection(Teach(), TABTEACH_TABLE_TEACH, {left, top, width, height});
  }
  void Menu(const std::string& item) {
    dialogs.QueueMenu(item);
    ui::RunCtrlMenu(Teach(), TABTEACH_TABLE_TEACH);
  }
  // An item that prompts for a value, answered with `answer` (result 0: cancelled).
  void Menu(const std::string& item, const std::string& answer, int result = 1) {
    dialogs.QueueMenu(item);
    dialogs.QueuePrompt(result, answer);
    ui::RunCtrlMenu(Teach(), TABTEACH_TABLE_TEACH);
  }
  int No() const { return ui::GetCtrlInt(Teach(), TABTEACH_NUM_NO); }
  std::vector<ui::PlotShape> Plots(int page, int graph) {
    return ui::GetGraphPlots(gShell.tabData[page], graph);
  }
};

TEST(DefaultTolerances, FollowEvaluationCalculationAndPowerMode) {
  struct Case {
    int eval, calc, power, first, second;
  };
  const Case cases[] = {
      {0, 0, 0, 100, 100}, {0, 0, 1, 100, 50}, {0, 1, 1, 100, 50},  {0, 2, 0, 100, 1},
      {3, 0, 0, 100, 100}, {3, 3, 1, 100, 1},  {1, 0, 0, 200, 200}, {1, 0, 1, 200, 100},
      {1, 1, 0, 200, 50},  {1, 1, 1, 200, 50}, {1, 2, 1, 200, 1},   {2, 0, 0, 40, 200},
      {2, 0, 1, 40, 100},  {2, 1, 0, 40, 50},  {2, 3, 0, 40, 1},
  };
  for (const Case& c : cases) {
    DefaultTolerance t = DefaultTolerances(c.eval, c.calc, c.power);
    EXPECT_EQ(t.first, c.first) << c.eval << " " << c.calc << " " << c.power;
    EXPECT_EQ(t.second, c.second) << c.eval << " " << c.calc << " " << c.power;
  }
}

TEST_F(TeachTable, TeachDataToWritesTheRowWithDefaultTolerances) {
  struct Case {
    const char* what;
    int eval, calc, power, no, inc;
    int row;
    std::vector<int> cells;
    int noAfter;
  };
  const Case cases[] = {
      {"BEST HIT 2D, DYN, auto inc", 1, 0, 1, 4, 1, 5, {300, 400, 200, 2000, 100}, 5},
      {"MIN DIST s i M 3D", 2, 3, 0, 6, 0, 7, {300, 400, 2000, 40, 1}, 6},
      {"last row: No. stays", 0, 0, 0, 30, 1, 31, {300, 400, 100, 2000, 100}, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Modes(c.eval, c.calc, c.power);
    ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, c.no);
    ui::SetCtrlVal(Teach(), TABTEACH_RADIO_INC, c.inc);
    ShowMeasured(300, 400, 2000);
    Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
    EXPECT_EQ(Row(c.row), c.cells);
    EXPECT_EQ(No(), c.noAfter);
    // The block and the overlays follow at once.
    EXPECT_EQ(gParameterBlock.Row(c.row - 1, 0), 300);
    EXPECT_EQ(gParameterBlock.Row(c.row - 1, 4), c.cells[4]);
    std::vector<ui::PlotShape> ovals = Plots(kPage3D, TAB3D_GRAPH_XY);
    ASSERT_EQ(ovals.size(), 31u);
    int a = c.calc >= 2 ? c.cells[3] : c.cells[2];
    EXPECT_EQ(ovals[static_cast<size_t>(c.row - 1)].x1, 300 - a);
  }
}

TEST_F(TeachTable, ToleranceOffTeachesOnlyTheCoordinates) {
  Modes(1, 0, 0);
  SetRow(3, {7, 8, 9, 10, 11});
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 2);
  ShowMeasured(500, 600, 1500);

  Menu("Teach tolerance off");
  EXPECT_EQ(gTeach.teachToleranceOff, 1);
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(Row(3), (std::vector<int>{500, 600, 9, 1500, 11}));

  // The dimmed item names the state in force; choosing it does nothing.
  Menu("Teach tolerance off");
  const auto& shown = dialogs.Menus().back();
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_TRUE(shown[6].dimmed);
  EXPECT_FALSE(shown[7].dimmed);
  EXPECT_EQ(gTeach.teachToleranceOff, 1);

  Menu("Teach tolerance on");
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(Row(3), (std::vector<int>{500, 600, 200, 1500, 200}));
  Menu("");
  EXPECT_TRUE(dialogs.Menus().back()[7].dimmed);
}

TEST_F(TeachTable, ThdRgbTeachesTheThresholdsWhateverTheRowNumber) {
  Modes(4, 0, 0);
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 7);
  ui::SetCtrlVal(Teach(), TABTEACH_RADIO_INC, 1);
  SetRow(8, {5, 5, 5, 5, 5});
  ShowMeasured(300, 400, 2000, 1111, 2222, 3333);
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(Cell(1, 1), 1111);
  EXPECT_EQ(Cell(1, 2), 2222);
  EXPECT_EQ(Cell(1, 3), 3333);
  EXPECT_EQ(Cell(2, 1), 1);
  EXPECT_EQ(Row(8), (std::vector<int>{5, 5, 5, 5, 5}));
  EXPECT_EQ(No(), 7);
}

TEST_F(TeachTable, AutomaticRowColourTakesTheLiveColour) {
  const int kLive = 0x3366CC;
  ui::SetCtrlVal(gShell.datap, DATAP_COLORNUM_LIVE, kLive);
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 4);
  int attr = MainTab(kPageTableAttributes);
  auto cells = [&](int n) {
    return std::vector<int>{ui::GetTableCellColor(Teach(), TABTEACH_TABLE_TEACH, 6, n + 1),
                            ui::GetTableCellColor(attr, TABATTR_TABLE_ATTR, 2, n + 1),
                            ui::GetTableCellColor(GroupHold(), TABGRPHOLD_TABLE_GROUP, 2, n + 1),
                            ui::GetTableCellColor(GroupHold(), TABGRPHOLD_TABLE_HOLD, 2, n + 2)};
  };
  // Manual mode leaves the colours alone.
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(cells(4), std::vector<int>(4, kDefaultRowColors[4]));

  ui::SetCtrlVal(attr, TABATTR_RING_COLORMODE, 1);
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(cells(4), std::vector<int>(4, kLive));
  EXPECT_EQ(gRowColors[4], kLive);
  // The overlay of the row is drawn in it.
  EXPECT_EQ(Plots(kPage3D, TAB3D_GRAPH_XY)[4].color, kLive);

  // THD RGB paints the row the No. field names, too.
  Modes(4, 0, 0);
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 9);
  Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
  EXPECT_EQ(gRowColors[9], kLive);
}

TEST_F(TeachTable, SetAndResetSelectionActOnEditableCellsOnly) {
  // Columns 5 and 6: the colour column is not editable and keeps its colour.
  Select(5, 2, 2, 2);
  Menu("Set selection to", "  77 apples");
  EXPECT_EQ(Popups(), std::vector<std::string>{"VALUE!|Insert a cell value!"});
  EXPECT_EQ(Cell(5, 2), 77);
  EXPECT_EQ(Cell(5, 3), 77);
  EXPECT_EQ(ui::GetTableCellString(Teach(), TABTEACH_TABLE_TEACH, 6, 2), "");
  EXPECT_EQ(gParameterBlock.Row(1, 4), 77);  // the block follows at once

  // At most nine characters are read; the word wraps as the cell would.
  Select(1, 1, 1, 1);
  Menu("Set selection to", "1234567890");
  EXPECT_EQ(Cell(1, 1), 123456789 % 65536);
  Menu("Set selection to", "-1");
  EXPECT_EQ(Cell(1, 1), 65535);

  // Cancelled, or no integer: nothing changes.
  Select(5, 2, 1, 2);
  const std::pair<int, const char*> refused[] = {{0, "5"}, {1, "abc"}, {1, ""}, {1, "-"}};
  for (auto [result, answer] : refused) {
    Menu("Set selection to", answer, result);
  }
  Popups();
  EXPECT_EQ(Cell(5, 2), 77);

  Menu("Reset selection");
  EXPECT_EQ(Cell(5, 2), 1);
  EXPECT_EQ(Cell(5, 3), 1);

  // Without a selection nothing is asked.
  Select(0, 0, 0, 0);
  Menu("Set selection to");
  Menu("Increment selection with");
  EXPECT_TRUE(Popups().empty());
}

TEST_F(TeachTable, IncrementWalksRowByRowAndWraps) {
  SetRow(3, {1, 100, 1, 1, 1});
  Select(2, 3, 2, 3);
  Menu("Increment selection with", "10");
  EXPECT_EQ(Row(3), (std::vector<int>{1, 100, 110, 1, 1}));
  EXPECT_EQ(Row(4), (std::vector<int>{1, 120, 130, 1, 1}));
  EXPECT_EQ(Row(5), (std::vector<int>{1, 140, 150, 1, 1}));
  EXPECT_EQ(gParameterBlock.Row(4, 2), 150);
  Popups();

  SetRow(1, {0, 1, 1, 1, 1});
  Select(1, 1, 1, 3);
  Menu("Increment selection with", "-1");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Cell(1, 2), 65535);
  EXPECT_EQ(Cell(1, 3), 65534);
  Popups();

  // A first cell that cannot be edited stops before the prompt; skipped cells
  // do not advance the value.
  Select(6, 1, 1, 2);
  Menu("Increment selection with");
  EXPECT_TRUE(Popups().empty());
  SetRow(10, {1, 1, 1, 1, 7});
  Select(5, 10, 2, 2);
  Menu("Increment selection with", "3");
  EXPECT_EQ(Cell(5, 10), 7);
  EXPECT_EQ(Cell(5, 11), 10);
  Popups();
}

TEST_F(TeachTable, ResetsAskFirstAndLeaveTheBlockUntilSend) {
  SetRow(2, {300, 400, 100, 2000, 100});
  ReadPanelsIntoParameterBlock();
  DrawToleranceOverlays();
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 1);

  dialogs.QueueConfirm(0);
  Press(Teach(), TABTEACH_BUTTON_RESET);
  EXPECT_EQ(Popups(),
            std::vector<std::string>{"ATTENTION!|Do you really want to reset the table?"});
  EXPECT_EQ(Row(2)[0], 300);

  dialogs.QueueConfirm(1);
  Press(Teach(), TABTEACH_BUTTON_RESET);
  Popups();
  for (int r = 1; r <= 31; ++r) ASSERT_EQ(Row(r), std::vector<int>(5, 1)) << r;
  EXPECT_EQ(No(), 0);
  EXPECT_EQ(gParameterBlock.Row(1, 0), 300);
  EXPECT_TRUE(Plots(kPage2D, TAB2D_GRAPH_PLANE).empty());
  EXPECT_TRUE(Plots(kPage2D, TAB2D_GRAPH_INT).empty());
  EXPECT_TRUE(Plots(kPage3D, TAB3D_GRAPH_YINT).empty());

  // Group RESET: zeros on white, also where the limit check left red marks.
  ui::SetTableCellVal(GroupHold(), TABGRPHOLD_TABLE_GROUP, 1, 5, 9);
  ui::SetTableCellColor(GroupHold(), TABGRPHOLD_TABLE_GROUP, 1, 5, 0xFF0000);
  dialogs.QueueConfirm(1);
  Press(GroupHold(), TABGRPHOLD_BUTTON_RESETGROUP);
  EXPECT_EQ(ui::GetTableCellInt(GroupHold(), TABGRPHOLD_TABLE_GROUP, 1, 5), 0);
  EXPECT_EQ(ui::GetTableCellColor(GroupHold(), TABGRPHOLD_TABLE_GROUP, 1, 5), 0xFFFFFF);

  // Hold RESET takes the value of the edit box, HOLD FAIL included.
  ReadPanelsIntoParameterBlock();
  const int holdFail = gParameterBlock.head[kHoldFail];
  ASSERT_NE(holdFail, 25);
  ui::SetCtrlVal(GroupHold(), TABGRPHOLD_NUM_RESETHOLD, 25);
  dialogs.QueueConfirm(0);
  Press(GroupHold(), TABGRPHOLD_BUTTON_RESETHOLD);
  EXPECT_EQ(ui::GetTableCellInt(GroupHold(), TABGRPHOLD_TABLE_HOLD, 1, 1), holdFail);
  dialogs.QueueConfirm(1);
  Press(GroupHold(), TABGRPHOLD_BUTTON_RESETHOLD);
  for (int r : {1, 2, 32})
    EXPECT_EQ(ui::GetTableCellInt(GroupHold(), TABGRPHOLD_TABLE_HOLD, 1, r), 25) << r;
  EXPECT_EQ(gParameterBlock.head[kHoldFail], holdFail);
  EXPECT_EQ(Popups().size(), 3u);
}

TEST_F(TeachTable, CellEditAndNewRowNumberRedrawAtOnce) {
  auto* table = static_cast<QTableWidget*>(FindWidget("TABTEACH_TABLE_TEACH"));
  ASSERT_NE(table, nullptr);
  // As the user's edit arrives: the cell changes and the table says so.
  SetRow(4, {300, 400, 100, 2000, 100});
  table->item(3, 0)->setText("350");
  EXPECT_EQ(gParameterBlock.Row(3, 0), 350);
  EXPECT_EQ(Plots(kPage2D, TAB2D_GRAPH_PLANE)[3].x1, 250);
  EXPECT_EQ(gTaughtRegionBounds.minX, 250);

  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 3);
  ui::FireCtrlEvent(Teach(), TABTEACH_NUM_NO, ui::EVENT_COMMIT);
  std::vector<ui::PlotShape> band = Plots(kPage2D, TAB2D_GRAPH_INT);
  ASSERT_EQ(band.size(), 1u);
  EXPECT_EQ(band[0].x1, 1900);
  EXPECT_EQ(band[0].x2, 2100);
}

TEST_F(TeachTable, HelpTexts) {
  struct Case {
    int panel, ctrl;
    const char* text;
  };
  const Case cases[] = {
      {Teach(), TABTEACH_BUTTON_TEACHDATATO,
       "Current measured values (X,Y,INT respectively s,i,M) are assigned \nto the TEACH TABLE "
       "row selected in the No.: function field."},
      {Teach(), TABTEACH_BUTTON_RESET, "Reset the TEACH TABLE. \nAll cells are set to 1."},
      {Teach(), TABTEACH_NUM_NO,
       "Select the current number of a row in the TEACH TABLE for TEACH DATA TO."},
      {Teach(), TABTEACH_RADIO_INC, "Auto increment of Edit Field No.:"},
      {GroupHold(), TABGRPHOLD_BUTTON_RESETGROUP,
       "Reset the GROUP TABLE. \nAll cells are set to 0."},
      {GroupHold(), TABGRPHOLD_BUTTON_RESETHOLD,
       "Reset the HOLD TABLE. \nAll cells are set the value \nin the Edit Box."},
  };
  for (const Case& c : cases) {
    ui::FireCtrlEvent(c.panel, c.ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{std::string("INFO!|") + c.text});
  }
  // The table itself answers with its menu, whose first item is the help.
  ui::FireCtrlEvent(Teach(), TABTEACH_TABLE_TEACH, ui::EVENT_RIGHT_CLICK);
  EXPECT_TRUE(Popups().empty());
  Menu("Help");
  std::vector<std::string> help = Popups();
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].rfind("INFO!|Change cell value with a left double click or with F2. ", 0), 0u);
  EXPECT_NE(help[0].find("\nTeach tolerance on: Tolerance will be set automatically to a "
                         "default value."),
            std::string::npos);
}

// The real menu and the real prompt, as the user meets them.
TEST_F(TeachTable, RightClickOpensTheRealMenuAndThePromptTakesNineCharacters) {
  auto* table = static_cast<QTableWidget*>(FindWidget("TABTEACH_TABLE_TEACH"));
  ASSERT_NE(table, nullptr);
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageTeachTable);
  ui::SetDialogProvider(nullptr);
  QStringList seen;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* a : menu->actions())
      seen << (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " (dimmed)"));
    for (QAction* a : menu->actions())
      if (a->text() == "Teach tolerance off") menu->setActiveAction(a);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QTest::mouseClick(table->viewport(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_EQ(seen.join("|").toStdString(),
            "Help|-|Set selection to|Increment selection with|Reset selection|-|"
            "Teach tolerance off|Teach tolerance on (dimmed)");
  EXPECT_EQ(gTeach.teachToleranceOff, 1);

  int maxLength = -1;
  std::string title;
  QTimer::singleShot(50, [&] {
    auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dlg) return;
    title = dlg->windowTitle().toStdString() + "|" + dlg->labelText().toStdString();
    if (auto* field = dlg->findChild<QLineEdit*>()) maxLength = field->maxLength();
    dlg->reject();
  });
  long value = 0;
  EXPECT_FALSE(PromptCellValue(value));
  ui::SetDialogProvider(&dialogs);
  EXPECT_EQ(title, "VALUE!|Insert a cell value!");
  EXPECT_EQ(maxLength, 9);
}

// From the live frame into the sensor: teach during GO, SEND to RAM.
TEST_F(TeachTable, LiveFrameTaughtAndSentReachesTheSensor) {
  Modes(0, 0, 0);
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 6);
  std::vector<int> shown;
  QTimer::singleShot(300, [&] {
    Press(Teach(), TABTEACH_BUTTON_TEACHDATATO);
    for (int c : {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT})
      shown.push_back(ui::GetCtrlInt(gShell.datap, c));
  });
  QTimer::singleShot(500, [&] { Press(gShell.mainp, MAINP_BUTTON_STOP); });
  Press(gShell.mainp, MAINP_BUTTON_GO);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_GT(shown[0] + shown[1], 20);  // a real colour, not the reset row
  EXPECT_EQ(Row(7), (std::vector<int>{shown[0], shown[1], 100, shown[2], 100}));

  Press(gShell.mainp, MAINP_BUTTON_SEND);
  std::vector<uint16_t> words = sensor.ParameterWords(0);
  const size_t at = kHeadWords + 6 * kTeachRowWords;
  EXPECT_EQ((std::vector<int>(words.begin() + at, words.begin() + at + 5)),
            (std::vector<int>{shown[0], shown[1], 100, shown[2], 100}));
  EXPECT_EQ(Log(), "");
  Popups();
}

}  // namespace
