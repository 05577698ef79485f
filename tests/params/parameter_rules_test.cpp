// The rules that tie the parameter controls together, as the user meets them.
#include "gui/params/parameter_rules.h"

#include <gtest/gtest.h>

#include "Colmira3V42_uir.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

const char* const kMaxColPopup =
    "INFO!|ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and "
    "OUMODE=DIRECT LO or \nDIRECT HI, the maximum number is 5. \nIf OUTMODE=BINARY, the maximum "
    "number is 31. \n\nIf color group is enabled, the maximum number is 31. \n\nMAXCOL-No. will "
    "be set to maximum value.";
const char* const kGroupPopup =
    "INFO!|ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n5 groups are possible! GROUP "
    "0,1,2,3,4. \nIf OUTMODE=BINARY: \n31 groups are possible. GROUP 0,1,2.....30. \n\n Cell "
    "will be set to 0.";

class Rules : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    StartWithTcpSensor();
    ClearLog();
    Popups();
  }
  // Sets a control and commits it, as the user does.
  void Commit(int panel, int ctrl, int value) {
    ui::SetCtrlVal(panel, ctrl, value);
    ui::FireCtrlEvent(panel, ctrl, ui::EVENT_VAL_CHANGED);
    ui::FireCtrlEvent(panel, ctrl, ui::EVENT_COMMIT);
  }
  int Val(int panel, int ctrl) const { return ui::GetCtrlInt(panel, ctrl); }
  bool Shown(int panel, int ctrl) const {
    return ui::GetCtrlAttribute(panel, ctrl, ui::ATTR_VISIBLE) == 1;
  }
  std::string Label(int panel, int ctrl) const {
    return ui::GetCtrlAttributeString(panel, ctrl, ui::ATTR_LABEL_TEXT);
  }
  std::vector<std::string> TeachCaptions() const {
    std::vector<std::string> out;
    for (int c = 1; c <= 5; ++c)
      out.push_back(ui::GetTableColumnCaption(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c));
    return out;
  }
};

TEST_F(Rules, TransmitterFollowsLedModeAndExternTeach) {
  struct Case {
    const char* what;
    int led, exteach, pmode;
    int exteachAfter, pmodeAfter;
    bool powerZero;
    bool dimPmode, dimPower, dimWindow;
  };
  const Case cases[] = {
      {"LED OFF with DYN1", 3, 3, 1, 0, 0, true, true, true, true},
      {"DYN1 with DC", 0, 3, 1, 3, 0, false, true, true, false},
      {"STAT1 with DC", 0, 2, 1, 2, 0, false, true, false, true},
      {"OFF, POWER MODE DYN", 0, 0, 1, 0, 1, false, false, true, false},
      {"OFF, POWER MODE STAT", 0, 0, 0, 0, 0, false, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_SLIDE_POWER, 700);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_EXTEACH, c.exteach);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_POWERMODE, c.pmode);
    Commit(MainTab(kPageParameters), TABPARA_RING_LEDMODE, c.led);
    EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_EXTEACH), c.exteachAfter);
    EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_POWERMODE), c.pmodeAfter);
    EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_SLIDE_POWER), c.powerZero ? 0 : 700);
    EXPECT_EQ(Dimmed(MainTab(kPageParameters), TABPARA_RING_POWERMODE), c.dimPmode);
    EXPECT_EQ(Dimmed(MainTab(kPageParameters), TABPARA_SLIDE_POWER), c.dimPower);
    EXPECT_EQ(Dimmed(MainTab(kPageParameters), TABPARA_NUM_DYNWINLO), c.dimWindow);
    EXPECT_EQ(Dimmed(MainTab(kPageParameters), TABPARA_NUM_DYNWINHI), c.dimWindow);
  }
}

TEST_F(Rules, MaxColLimit) {
  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageTeachTable);
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, 0);  // DIRECT LO
  Commit(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO, 6);
  EXPECT_EQ(Popups(), std::vector<std::string>{kMaxColPopup});
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO), 5);
  EXPECT_EQ(ActiveMainPage(), kPageParameters);

  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, 1);  // BINARY
  Commit(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO, 6);
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO), 6);
}

TEST_F(Rules, GroupsAboveTheLimitAreResetOnce) {
  struct Case {
    int outmode, limit;
  };
  for (Case c : {Case{0, 4}, Case{1, 30}}) {
    SCOPED_TRACE(c.outmode);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, c.outmode);
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO, 3);
    for (int row = 1; row <= 31; ++row)
      ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row, 0);
    ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 4, c.limit + 1);
    ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 9, c.limit + 1);
    ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 5, c.limit);
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
    Commit(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP, 1);
    EXPECT_EQ(Popups(), std::vector<std::string>{kGroupPopup});
    EXPECT_EQ(ActiveMainPage(), kPageGroupHold);
    for (int row : {4, 9}) {
      EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row), 0);
      EXPECT_EQ(ui::GetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row),
                0xFF0000);
    }
    EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 5), c.limit);
    EXPECT_EQ(ui::GetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 5),
              0xFFFFFF);
    EXPECT_TRUE(Shown(gShell.datap, DATAP_DISP_GROUP));
    ui::SetCtrlVal(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP, 0);
  }
}

TEST_F(Rules, EditingAGroupRunsTheRulesAndShowsTheGroupPage) {
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, 0);
  ui::SetCtrlVal(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP, 1);
  ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 2, 7);
  ui::FireCtrlEvent(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, ui::EVENT_VAL_CHANGED, 2, 1);
  EXPECT_EQ(Popups(), std::vector<std::string>{kGroupPopup});
  EXPECT_EQ(ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, 2), 0);
  EXPECT_EQ(ActiveMainPage(), kPageGroupHold);
}

TEST_F(Rules, EvaluationModesForceTheirValues) {
  ui::SetCtrlVal(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP, 1);
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, 1);
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_NUM_INTLIM, 300);
  Commit(MainTab(kPageParameters), TABPARA_RING_EVALMODE, 3);  // COL5
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO), 5);
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE), 1);
  EXPECT_EQ(Val(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP), 0);
  EXPECT_TRUE(Dimmed(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP));
  EXPECT_TRUE(Dimmed(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP));
  EXPECT_TRUE(Dimmed(MainTab(kPageGroupHold), TABGRPHOLD_BUTTON_RESETGROUP));
  EXPECT_TRUE(Dimmed(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO));
  EXPECT_FALSE(Dimmed(MainTab(kPageParameters), TABPARA_NUM_INTLIM));
  EXPECT_FALSE(Shown(gShell.datap, DATAP_DISP_DELTAC));
  EXPECT_FALSE(Shown(gShell.datap, DATAP_DISP_COLOR));
  EXPECT_FALSE(Shown(gShell.datap, DATAP_DISP_GROUP));
  for (int led : {DATAP_LED_OUT0, DATAP_LED_OUT4}) EXPECT_TRUE(Shown(gShell.datap, led));

  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_TRIGGER, 2);
  Commit(MainTab(kPageParameters), TABPARA_RING_EVALMODE, 4);  // THD RGB
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO), 3);
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_NUM_INTLIM), 0);
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 0);
  EXPECT_TRUE(Dimmed(MainTab(kPageParameters), TABPARA_RING_CALCMODE));
  EXPECT_TRUE(Dimmed(MainTab(kPageParameters), TABPARA_RING_TRIGGER));
  for (int page : {kPageInt, kPage2D, kPage3D})
    EXPECT_FALSE(ui::IsTabPageVisible(gShell.datap, DATAP_TAB, page)) << page;
  for (int c : {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT}) EXPECT_FALSE(Shown(gShell.datap, c));
  EXPECT_TRUE(Shown(gShell.datap, DATAP_LED_OUT2));
  EXPECT_FALSE(Shown(gShell.datap, DATAP_LED_OUT3));
  EXPECT_EQ(TeachCaptions(), (std::vector<std::string>{"THD", "", "", "", ""}));
  EXPECT_TRUE(Dimmed(MainTab(kPageTeachTable), TABTEACH_BUTTON_TEACHMEAN));
  EXPECT_FALSE(Shown(MainTab(kPageTeachTable), TABTEACH_NUM_NO));
  EXPECT_TRUE(Popups().empty());

  Commit(MainTab(kPageParameters), TABPARA_RING_EVALMODE, 1);  // back to BEST HIT
  EXPECT_TRUE(ui::IsTabPageVisible(gShell.datap, DATAP_TAB, kPageInt));
  EXPECT_TRUE(ui::IsTabPageVisible(gShell.datap, DATAP_TAB, kPage2D));
  EXPECT_FALSE(ui::IsTabPageVisible(gShell.datap, DATAP_TAB, kPage3D));
  EXPECT_TRUE(Shown(gShell.datap, DATAP_DISP_COLOR));
  EXPECT_FALSE(Shown(gShell.datap, DATAP_LED_OUT0));
  EXPECT_FALSE(Dimmed(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO));
}

TEST_F(Rules, TriggerItemsFollowExternTeach) {
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_TRIGGER, 3);  // EXT2
  Commit(MainTab(kPageParameters), TABPARA_RING_EXTEACH, 1);          // ON
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 0);
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_EXTEACH), 1);
  EXPECT_EQ(ui::GetNumListItems(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 2);
  EXPECT_TRUE(Shown(gShell.datap, DATAP_LED_TRIG));
  Commit(MainTab(kPageParameters), TABPARA_RING_EXTEACH, 0);
  ASSERT_EQ(ui::GetNumListItems(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 7);
  const char* names[] = {"CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(ui::GetLabelFromIndex(MainTab(kPageParameters), TABPARA_RING_TRIGGER, i), names[i]);
    EXPECT_EQ(ui::GetValueFromIndex(MainTab(kPageParameters), TABPARA_RING_TRIGGER, i), i);
  }
  EXPECT_FALSE(Shown(gShell.datap, DATAP_LED_TRIG));
}

TEST_F(Rules, ExternTeachOnWhileTriggerIsExt2) {
  // Set directly (as a GET would) and then ruled: TRIGGER falls back to CONT.
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_TRIGGER, 3);
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_EXTEACH, 1);
  ApplyParameterRules();
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 0);
  EXPECT_EQ(ui::GetNumListItems(MainTab(kPageParameters), TABPARA_RING_TRIGGER), 2);
  EXPECT_EQ(Val(MainTab(kPageParameters), TABPARA_RING_EXTEACH), 1);
}

TEST_F(Rules, ParameterSetsOnlyWithTriggerPara) {
  Commit(MainTab(kPageParameters), TABPARA_RING_TRIGGER, 6);
  EXPECT_FALSE(Dimmed(gShell.mainp, MAINP_RADIO_PARASET1));
  ui::FireCtrlEvent(gShell.mainp, MAINP_RADIO_PARASET1, ui::EVENT_VAL_CHANGED);
  EXPECT_EQ(gTransfer.parameterSet, 1);
  EXPECT_TRUE(Dimmed(MainTab(kPageParameters), TABPARA_RING_EXTEACH));
  Commit(MainTab(kPageParameters), TABPARA_RING_TRIGGER, 2);
  EXPECT_TRUE(Dimmed(gShell.mainp, MAINP_RADIO_PARASET1));
  EXPECT_EQ(gTransfer.parameterSet, 0);
  EXPECT_EQ(Val(gShell.mainp, MAINP_RADIO_PARASET0), 1);
  EXPECT_EQ(Val(gShell.mainp, MAINP_RADIO_PARASET1), 0);
}

TEST_F(Rules, RowLabelsShowTheActiveRows) {
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, 1);
  Commit(MainTab(kPageParameters), TABPARA_NUM_MAXVECNO, 4);
  const int green = 0x008000, red = 0xFF0000;
  for (int table : {TABTEACH_TABLE_TEACH}) {
    EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageTeachTable), table, 4), green);
    EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageTeachTable), table, 5), red);
    EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageTeachTable), table, 31), red);
  }
  int attr = MainTab(kPageTableAttributes);
  EXPECT_EQ(ui::GetTableRowLabelColor(attr, TABATTR_TABLE_ATTR, 4), green);
  EXPECT_EQ(ui::GetTableRowLabelColor(attr, TABATTR_TABLE_ATTR, 5), red);
  EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1), green);
  EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 5), red);
  EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 5), green);
  EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 6), red);
  EXPECT_EQ(ui::GetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 32), red);
}

TEST_F(Rules, CalculationModeConvertsTheTeachTable) {
  const int row[] = {100, 200, 30, 900, 50};
  for (int c = 0; c < 5; ++c)
    ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c + 1, 3, row[c]);
  auto cells = [&] {
    std::vector<int> v;
    for (int c = 1; c <= 5; ++c)
      v.push_back(ui::GetTableCellInt(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c, 3));
    return v;
  };
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 2);
  EXPECT_EQ(cells(), (std::vector<int>{100, 200, 900, 30, 1}));
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 3);  // within 3D: unchanged
  EXPECT_EQ(cells(), (std::vector<int>{100, 200, 900, 30, 1}));
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 0);
  EXPECT_EQ(cells(), (std::vector<int>{100, 200, 30, 900, 30}));
  EXPECT_EQ(gParameterBlock.head[kCalculationMode], 0);
}

TEST_F(Rules, MinDistHidesTheToleranceColumn) {
  Commit(MainTab(kPageParameters), TABPARA_RING_EVALMODE, 2);
  EXPECT_FALSE(ui::IsTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 3));
  EXPECT_TRUE(ui::IsTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 4));
  EXPECT_TRUE(Dimmed(gShell.teachp1, TEACHP1_RING_CTOWITH));
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 2);
  EXPECT_TRUE(ui::IsTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 3));
  EXPECT_FALSE(ui::IsTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 4));
  Commit(MainTab(kPageParameters), TABPARA_RING_EVALMODE, 1);
  EXPECT_TRUE(ui::IsTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 4));
  EXPECT_FALSE(Dimmed(gShell.teachp1, TEACHP1_RING_CTOWITH));
}

TEST_F(Rules, CaptionsOfEveryCalculationMode) {
  struct Case {
    int mode;
    std::vector<std::string> teach;
    std::vector<std::string> coords;
    std::string graphs[3];
    std::string spread, ctoLabel, ctoItem2;
    bool intensityShown;
    int xFrame, yBackground;
    int shownPage;
  };
  const Case cases[] = {
      {0,
       {"X", "Y", "CTO", "INT", "ITO"},
       {"X", "Y", "INT"},
       {"X/Y", "X/INT", "Y/INT"},
       "d (X/Y)",
       "VALUE CTO",
       "d (X/Y)+VALUE CTO",
       true,
       0xE0E0E0,
       0x00FF00,
       kPage2D},
      {1,
       {"s", "i", "siTO", "M", "MTO"},
       {"s", "i", "M"},
       {"s/i", "s/M", "i/M"},
       "d (s/i)",
       "VALUE siTO",
       "d (s/i)+VALUE siTO",
       true,
       0x00FF00,
       0xFFFF00,
       kPage2D},
      {2,
       {"X", "Y", "INT", "TOL", ""},
       {"X", "Y", "INT"},
       {"X/Y", "X/INT", "Y/INT"},
       "d (X/Y/INT)",
       "VALUE TOL",
       "d (X/Y/INT)+VALUE TOL",
       false,
       0xE0E0E0,
       0x00FF00,
       kPage3D},
      {3,
       {"s", "i", "M", "TOL", ""},
       {"s", "i", "M"},
       {"s/i", "s/M", "i/M"},
       "d (s/i/INT)",
       "VALUE TOL",
       "d (s/i/INT)+VALUE TOL",
       false,
       0x00FF00,
       0xFFFF00,
       kPage3D},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ui::SetActiveTabPage(gShell.datap, DATAP_TAB, c.shownPage == kPage2D ? kPage3D : kPage2D);
    Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, c.mode);
    EXPECT_EQ(TeachCaptions(), c.teach);
    const int datap[3] = {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT};
    const int graphp[3] = {GRAPHP_DISP_X, GRAPHP_DISP_Y, GRAPHP_DISP_INT};
    const int p2[3] = {TEACHP2_GRAPH_XY, TEACHP2_GRAPH_XINT, TEACHP2_GRAPH_YINT};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Label(gShell.datap, datap[i]), c.coords[i]);
      EXPECT_EQ(Label(gShell.graphp, graphp[i]), c.coords[i]);
      EXPECT_EQ(ui::GetLabelFromIndex(gShell.graphp, GRAPHP_RING_SIGNAL, 3 + i), c.coords[i]);
      EXPECT_EQ(ui::GetTableColumnCaption(gShell.teachp1, TEACHP1_TABLE_VALUES, 4 + i),
                c.coords[i]);
      EXPECT_EQ(ui::GetGraphCaption(gShell.teachp2, p2[i]), c.graphs[i]);
      EXPECT_EQ(Label(gShell.teachp2, TEACHP2_DISP_X + i), c.coords[i]);
    }
    if (c.mode >= 2) {
      EXPECT_EQ(ui::GetGraphCaption(DataTab(kPage3D), TAB3D_GRAPH_XY), c.graphs[0]);
      EXPECT_EQ(ui::GetGraphCaption(DataTab(kPage3D), TAB3D_GRAPH_YINT), c.graphs[2]);
    }
    EXPECT_EQ(Label(gShell.teachp1, TEACHP1_DISP_DELTAXY), c.spread);
    EXPECT_EQ(Label(gShell.teachp1, TEACHP1_NUM_CTO), c.ctoLabel);
    EXPECT_EQ(ui::GetLabelFromIndex(gShell.teachp1, TEACHP1_RING_CTOWITH, 2), c.ctoItem2);
    EXPECT_EQ(Shown(gShell.teachp1, TEACHP1_NUM_ITO), c.intensityShown);
    EXPECT_EQ(Shown(gShell.teachp1, TEACHP1_DISP_DELTAINT), c.intensityShown);
    EXPECT_EQ(ui::GetCtrlAttribute(gShell.datap, DATAP_DISP_X, ui::ATTR_FRAME_COLOR), c.xFrame);
    EXPECT_EQ(ui::GetCtrlAttribute(gShell.datap, DATAP_DISP_Y, ui::ATTR_TEXT_BGCOLOR),
              c.yBackground);
    EXPECT_EQ(ui::GetCtrlAttribute(gShell.teachp2, TEACHP2_DISP_Y, ui::ATTR_TEXT_BGCOLOR),
              c.yBackground);
    EXPECT_EQ(ui::GetActiveTabPage(gShell.datap, DATAP_TAB), c.shownPage);
  }
  EXPECT_EQ(Label(gShell.teachp1, TEACHP1_DISP_DELTAINT), "d M");
}

TEST_F(Rules, IntensityChartScaleFollowsTheMode) {
  int page = DataTab(kPageInt);
  ui::SetAxisScalingMode(page, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL, 0, 4096);
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 3);
  ui::AxisScaling mode;
  double lo, hi;
  ui::GetAxisScalingMode(page, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  EXPECT_EQ(mode, ui::VAL_MANUAL);
  EXPECT_EQ(hi, 1200);
  ui::SetAxisScalingMode(page, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, ui::VAL_AUTOSCALE, 0, 0);
  Commit(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 0);
  ui::GetAxisScalingMode(page, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  EXPECT_EQ(mode, ui::VAL_AUTOSCALE);
}

TEST_F(Rules, HelpTexts) {
  struct Case {
    int page;
    int ctrl;
    std::string start;  // the long texts are checked whole below
  };
  const Case cases[] = {
      {kPageParameters, TABPARA_SLIDE_POWER,
       "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity."},
      {kPageParameters, TABPARA_RING_LEDMODE,
       "Select the LED operation mode. \nDC: Light source is permanant on. \nAC: Light source is "
       "modulated. \nPULSE: Light source is pulsed. \nOFF: Light source is off."},
      {kPageParameters, TABPARA_RING_GAIN,
       "Select a amplification stage of the receicer. \nAMP1 is the lowest amplification. "
       "\nAMP8 is the highest amplification. "},
      {kPageParameters, TABPARA_NUM_DYNWINHI,
       "Select a window for dynamic \nregaluation when PMOD = DYNAMIC."},
      {kPageParameters, TABPARA_NUM_INTEGRAL,
       "Select the number (0...250) of values \nover which the raw signal is integrated."},
      {kPageGroupHold, TABGRPHOLD_SWITCH_COLORGROUP,
       "Activate color groups. \nNot possible when EVALMODE=COL5."},
      {kPageGroupHold, TABGRPHOLD_TABLE_HOLD,
       "Select the minimum pulse length when a digital output changes."},
      {kPageGroupHold, TABGRPHOLD_NUM_RESETHOLD,
       "Table Hold will be set to this value \nwhen Button RESET is pressed."},
  };
  for (const auto& c : cases) {
    ui::FireCtrlEvent(gShell.tabMain[c.page], c.ctrl, ui::EVENT_RIGHT_CLICK);
    EXPECT_EQ(Popups(), std::vector<std::string>{"INFO!|" + c.start});
  }
  ui::FireCtrlEvent(MainTab(kPageParameters), TABPARA_RING_TRIGGER, ui::EVENT_RIGHT_CLICK);
  auto p = Popups();
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].rfind("INFO!|Select the trigger mode for the sensor. \n\nCONT: Continuous", 0),
            0u);
  EXPECT_NE(p[0].find("\n\nLED TRIG is green when the sensor is triggered."), std::string::npos);
  ui::FireCtrlEvent(MainTab(kPageParameters), TABPARA_RING_DIGOUTMODE, ui::EVENT_RIGHT_CLICK);
  p = Popups();
  ASSERT_EQ(p.size(), 1u);
  EXPECT_NE(p[0].find("\n\nDIRECT HI: \nIf color group is disabled"), std::string::npos);
}

}  // namespace

namespace {

class RepairedGet : public AppFixture {};

TEST_F(RepairedGet, SendCarriesTheRepairedValues) {
  std::vector<uint16_t> words = sensor.ParameterWords(0);
  words[kLedMode] = 3;      // OFF
  words[kExternTeach] = 3;  // DYN1
  words[kPower] = 700;
  words[kPowerMode] = 1;  // DYN
  sensor.SetParameterWords(0, words);
  StartWithTcpSensor();
  sensor.ClearRequests();
  ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_SEND, ui::EVENT_COMMIT);
  auto requests = sensor.Requests();
  ASSERT_EQ(requests.size(), 2u);
  auto word = [&](int i) { return requests[0].data[2 * i] | requests[0].data[2 * i + 1] << 8; };
  EXPECT_EQ(word(kExternTeach), 0);
  EXPECT_EQ(word(kPower), 0);
  EXPECT_EQ(word(kPowerMode), 0);
  EXPECT_EQ(word(kLedMode), 3);
}

}  // namespace
