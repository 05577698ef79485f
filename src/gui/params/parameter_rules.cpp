#include "gui/params/parameter_rules.h"

#include "Colmira3V42_uir.h"
#include "com232/modes.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

enum LedMode { kLedOff = 3 };
enum ExternTeach { kTeachOff = 0, kTeachStat1 = 2, kTeachDyn1 = 3 };
constexpr int kBinary = 1;
constexpr int kTriggerPara = 6;
constexpr int kActiveRow = 0x008000;
constexpr int kInactiveRow = 0xFF0000;

int Get(int panel, int ctrl) {
  return ui::GetCtrlInt(panel, ctrl);
}
void Set(int panel, int ctrl, int value) {
  ui::SetCtrlVal(panel, ctrl, value);
}
void Dim(int panel, int ctrl, bool dimmed) {
  ui::SetCtrlAttribute(panel, ctrl, ui::ATTR_DIMMED, dimmed ? 1 : 0);
}
void Show(int panel, int ctrl, bool visible) {
  ui::SetCtrlAttribute(panel, ctrl, ui::ATTR_VISIBLE, visible ? 1 : 0);
}
// Forces a value and dims the control, as a mode that makes it meaningless does.
void Force(int panel, int ctrl, int value) {
  Set(panel, ctrl, value);
  Dim(panel, ctrl, true);
}

void RuleTransmitter() {
  int para = MainTab(kPageParameters);
  if (Get(para, TABPARA_RING_LEDMODE) == kLedOff) {
    if (Get(para, TABPARA_RING_EXTEACH) == kTeachDyn1) Set(para, TABPARA_RING_EXTEACH, kTeachOff);
    Force(para, TABPARA_RING_POWERMODE, 0);
    Force(para, TABPARA_SLIDE_POWER, 0);
    Dim(para, TABPARA_NUM_DYNWINLO, true);
    Dim(para, TABPARA_NUM_DYNWINHI, true);
    return;
  }
  int exteach = Get(para, TABPARA_RING_EXTEACH);
  if (exteach == kTeachStat1) {
    Force(para, TABPARA_RING_POWERMODE, 0);
    Dim(para, TABPARA_SLIDE_POWER, false);
    Dim(para, TABPARA_NUM_DYNWINLO, true);
    Dim(para, TABPARA_NUM_DYNWINHI, true);
  } else if (exteach == kTeachDyn1) {
    Force(para, TABPARA_RING_POWERMODE, 0);
    Dim(para, TABPARA_SLIDE_POWER, true);
    Dim(para, TABPARA_NUM_DYNWINLO, false);
    Dim(para, TABPARA_NUM_DYNWINHI, false);
    return;
  } else {
    Dim(para, TABPARA_RING_POWERMODE, false);
    Dim(para, TABPARA_SLIDE_POWER, false);
  }
  bool dynamic = Get(para, TABPARA_RING_POWERMODE) == 1;
  Dim(para, TABPARA_SLIDE_POWER, dynamic);
  Dim(para, TABPARA_NUM_DYNWINLO, !dynamic);
  Dim(para, TABPARA_NUM_DYNWINHI, !dynamic);
}

void ShowOutputLeds(int count) {
  static const int kLeds[] = {DATAP_LED_OUT0, DATAP_LED_OUT1, DATAP_LED_OUT2, DATAP_LED_OUT3,
                              DATAP_LED_OUT4};
  for (int i = 0; i < 5; ++i) Show(gShell.datap, kLeds[i], i < count);
}

// COL5 and THD RGB evaluate without colour groups.
void GroupsOff() {
  Force(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP, 0);
  Dim(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, true);
  Dim(MainTab(kPageGroupHold), TABGRPHOLD_BUTTON_RESETGROUP, true);
  Show(gShell.datap, DATAP_DISP_GROUP, false);
  ui::HidePanel(gShell.grpbigp);
}

void RelabelCoordinates(int calcMode) {
  if (calcMode > 3) return;
  bool sim = IsSiM(calcMode);
  const char* labels[3] = {sim ? "s" : "X", sim ? "i" : "Y", sim ? "M" : "INT"};
  const int datap[3] = {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT};
  const int graphp[3] = {GRAPHP_DISP_X, GRAPHP_DISP_Y, GRAPHP_DISP_INT};
  for (int i = 0; i < 3; ++i) {
    ui::SetCtrlAttribute(gShell.datap, datap[i], ui::ATTR_LABEL_TEXT, labels[i]);
    ui::SetCtrlAttribute(gShell.graphp, graphp[i], ui::ATTR_LABEL_TEXT, labels[i]);
    ui::ReplaceListItem(gShell.graphp, GRAPHP_RING_SIGNAL, 3 + i, labels[i], 3 + i);
  }
  ui::SetCtrlAttribute(gShell.datap, DATAP_DISP_X, ui::ATTR_TEXT_BGCOLOR, 0xFF0000);
  ui::SetCtrlAttribute(gShell.datap, DATAP_DISP_X, ui::ATTR_FRAME_COLOR, sim ? 0x00FF00 : 0xE0E0E0);
  ui::SetCtrlAttribute(gShell.datap, DATAP_DISP_Y, ui::ATTR_TEXT_BGCOLOR,
                       sim ? 0xFFFF00 : 0x00FF00);
  ui::SetCtrlAttribute(gShell.datap, DATAP_DISP_Y, ui::ATTR_FRAME_COLOR, sim ? 0x80FFFF : 0xE0E0E0);
}

void RuleEvaluation() {
  int para = MainTab(kPageParameters);
  int eval = Get(para, TABPARA_RING_EVALMODE);
  int calc = Get(para, TABPARA_RING_CALCMODE);

  ui::SetTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 3, true);
  ui::SetTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 4, true);
  if (eval == kEvalMinDist) {
    if (Is2D(calc))
      ui::SetTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 3, false);
    if (Is3D(calc))
      ui::SetTableColumnVisible(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 4, false);
  }

  if (eval >= kEvalFirstHit && eval <= kEvalMinDist) {
    ShowOutputLeds(0);
    Show(gShell.datap, DATAP_DISP_DELTAC, true);
    Show(gShell.datap, DATAP_DISP_COLOR, true);
    for (int c : {TABPARA_NUM_MAXVECNO, TABPARA_NUM_INTLIM, TABPARA_RING_DIGOUTMODE,
                  TABPARA_RING_CALCMODE, TABPARA_RING_TRIGGER})
      Dim(para, c, false);
    for (int c :
         {TABGRPHOLD_SWITCH_COLORGROUP, TABGRPHOLD_TABLE_GROUP, TABGRPHOLD_BUTTON_RESETGROUP})
      Dim(MainTab(kPageGroupHold), c, false);
  } else if (eval == kEvalCol5) {
    Show(gShell.datap, DATAP_DISP_DELTAC, false);
    Show(gShell.datap, DATAP_DISP_COLOR, false);
    ShowOutputLeds(5);
    GroupsOff();
    Force(para, TABPARA_NUM_MAXVECNO, 5);
    Dim(para, TABPARA_NUM_INTLIM, false);
    Force(para, TABPARA_RING_DIGOUTMODE, kBinary);
    Dim(para, TABPARA_RING_CALCMODE, false);
    Dim(para, TABPARA_RING_TRIGGER, false);
    ApplyRowLimits();
  } else if (eval == kEvalThdRgb) {
    Show(gShell.datap, DATAP_DISP_DELTAC, false);
    Show(gShell.datap, DATAP_DISP_COLOR, false);
    ShowOutputLeds(3);
    GroupsOff();
    ui::HidePanel(gShell.colbigp);
    Force(para, TABPARA_NUM_MAXVECNO, 3);
    Force(para, TABPARA_NUM_INTLIM, 0);
    Force(para, TABPARA_RING_DIGOUTMODE, kBinary);
    Dim(para, TABPARA_RING_CALCMODE, true);
    Force(para, TABPARA_RING_TRIGGER, 0);
    ApplyRowLimits();
  }
  RelabelCoordinates(calc);
}

void RuleCaptionsAndPages() {
  int para = MainTab(kPageParameters);
  int eval = Get(para, TABPARA_RING_EVALMODE);
  int calc = Get(para, TABPARA_RING_CALCMODE);

  static const char* const kCaptions[4][5] = {{"X", "Y", "CTO", "INT", "ITO"},
                                              {"s", "i", "siTO", "M", "MTO"},
                                              {"X", "Y", "INT", "TOL", ""},
                                              {"s", "i", "M", "TOL", ""}};
  static const char* const kThd[5] = {"THD", "", "", "", ""};
  const char* const* captions = eval == kEvalThdRgb ? kThd : calc <= 3 ? kCaptions[calc] : nullptr;
  if (captions)
    for (int c = 0; c < 5; ++c)
      ui::SetTableColumnCaption(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c + 1, captions[c]);
  if (Is3D(calc)) {
    bool sim = IsSiM(calc);
    int page = DataTab(kPage3D);
    ui::SetGraphCaption(page, TAB3D_GRAPH_XY, sim ? "s/i" : "X/Y");
    ui::SetGraphCaption(page, TAB3D_GRAPH_XINT, sim ? "s/M" : "X/INT");
    ui::SetGraphCaption(page, TAB3D_GRAPH_YINT, sim ? "i/M" : "Y/INT");
  }

  ui::AxisScaling mode = ui::VAL_AUTOSCALE;
  double lo = 0, hi = 0;
  int intPage = DataTab(kPageInt);
  ui::GetAxisScalingMode(intPage, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  if (mode == ui::VAL_MANUAL)
    ui::SetAxisScalingMode(intPage, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL, 0,
                           IsSiM(calc) ? 1200 : 4096);

  int datap = gShell.datap;
  int active = ui::GetActiveTabPage(datap, DATAP_TAB);
  bool graphPageActive = active == kPage2D || active == kPage3D;
  if (eval == kEvalThdRgb) {
    for (int page : {kPage2D, kPage3D, kPageInt})
      ui::SetTabPageVisible(datap, DATAP_TAB, page, false);
    for (int c : {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT}) Show(datap, c, false);
    return;
  }
  if (Is2D(calc) || Is3D(calc)) {
    int shown = Is2D(calc) ? kPage2D : kPage3D;
    int hidden = Is2D(calc) ? kPage3D : kPage2D;
    ui::SetTabPageVisible(datap, DATAP_TAB, shown, true);
    ui::SetTabPageVisible(datap, DATAP_TAB, hidden, false);
    if (graphPageActive) ui::SetActiveTabPage(datap, DATAP_TAB, shown);
  }
  ui::SetTabPageVisible(datap, DATAP_TAB, kPageInt, true);
  for (int c : {DATAP_DISP_X, DATAP_DISP_Y, DATAP_DISP_INT}) Show(datap, c, true);
}

void RuleTriggerConsequences() {
  int para = MainTab(kPageParameters);
  int trigger = Get(para, TABPARA_RING_TRIGGER);
  if (trigger == 0 || trigger == 1)
    Dim(para, TABPARA_RING_EXTEACH, false);
  else
    Force(para, TABPARA_RING_EXTEACH, kTeachOff);

  bool sets = trigger == kTriggerPara;
  Dim(gShell.mainp, MAINP_RADIO_PARASET0, !sets);
  Dim(gShell.mainp, MAINP_RADIO_PARASET1, !sets);
  if (!sets) {
    Set(gShell.mainp, MAINP_RADIO_PARASET0, 1);
    Set(gShell.mainp, MAINP_RADIO_PARASET1, 0);
    gTransfer.parameterSet = 0;
  }
  Show(gShell.datap, DATAP_LED_TRIG, Get(para, TABPARA_RING_EXTEACH) != 0 || trigger != 0);
}

void RuleColorGroups() {
  bool groups = Get(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP) != 0;
  Show(gShell.datap, DATAP_DISP_GROUP, groups);
  if (!groups) ui::HidePanel(gShell.grpbigp);
}

}  // namespace

void RebuildTriggerItems() {
  int para = MainTab(kPageParameters);
  if (Get(para, TABPARA_RING_EXTEACH) != kTeachOff) {
    if (Get(para, TABPARA_RING_TRIGGER) >= 2) Set(para, TABPARA_RING_TRIGGER, 0);
    if (ui::GetNumListItems(para, TABPARA_RING_TRIGGER) > 2)
      ui::DeleteListItem(para, TABPARA_RING_TRIGGER, 2, -1);
  } else if (ui::GetNumListItems(para, TABPARA_RING_TRIGGER) <= 2) {
    static const char* const kItems[] = {"EXT1", "EXT2", "EXT3", "TRANS", "PARA"};
    for (int i = 0; i < 5; ++i)
      ui::InsertListItem(para, TABPARA_RING_TRIGGER, 2 + i, kItems[i], 2 + i);
  }
}

void ApplyRowLimits() {
  int para = MainTab(kPageParameters);
  int maxVecNo = Get(para, TABPARA_NUM_MAXVECNO);
  bool binary = Get(para, TABPARA_RING_DIGOUTMODE) == kBinary;
  if (Get(MainTab(kPageGroupHold), TABGRPHOLD_SWITCH_COLORGROUP) == 0) {
    int limit = binary ? 31 : 5;
    if (maxVecNo > limit) {
      ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
      ui::MessagePopup("INFO!",
                       "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and "
                       "OUMODE=DIRECT LO or \nDIRECT HI, the maximum number is 5. \nIf "
                       "OUTMODE=BINARY, the maximum number is 31. \n\nIf color group is enabled, "
                       "the maximum number is 31. \n\nMAXCOL-No. will be set to maximum value.");
      Set(para, TABPARA_NUM_MAXVECNO, limit);
    }
  } else {
    int limit = binary ? 30 : 4;
    bool reset = false;
    for (int row = 1; row <= kTeachRows; ++row) {
      bool tooHigh =
          ui::GetTableCellInt(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row) > limit;
      if (tooHigh) ui::SetTableCellVal(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row, 0);
      ui::SetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 1, row,
                            tooHigh ? 0xFF0000 : 0xFFFFFF);
      reset = reset || tooHigh;
    }
    if (reset) {
      ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageGroupHold);
      ui::MessagePopup("INFO!",
                       "ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n5 groups are possible! "
                       "GROUP 0,1,2,3,4. \nIf OUTMODE=BINARY: \n31 groups are possible. GROUP "
                       "0,1,2.....30. \n\n Cell will be set to 0.");
    }
  }

  int n = Get(para, TABPARA_NUM_MAXVECNO);
  for (int row = 1; row <= kTeachRows; ++row) {
    int color = row <= n ? kActiveRow : kInactiveRow;
    ui::SetTableRowLabelColor(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, row, color);
    ui::SetTableRowLabelColor(MainTab(kPageTableAttributes), TABATTR_TABLE_ATTR, row, color);
    ui::SetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, row, color);
  }
  for (int row = 1; row <= kTeachRows + 1; ++row)
    ui::SetTableRowLabelColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, row,
                              row <= n + 1 ? kActiveRow : kInactiveRow);
}

void ApplyTeachPanelCaptions() {
  int eval = Get(MainTab(kPageParameters), TABPARA_RING_EVALMODE);
  bool thd = eval == kEvalThdRgb;
  Dim(MainTab(kPageTeachTable), TABTEACH_BUTTON_TEACHMEAN, thd);
  Dim(MainTab(kPageTeachTable), TABTEACH_BUTTON_TEACHREC, thd);
  Show(MainTab(kPageTeachTable), TABTEACH_NUM_NO, !thd);
  Show(MainTab(kPageTeachTable), TABTEACH_RADIO_INC, !thd);
  if (thd) return;

  int p1 = gShell.teachp1, p2 = gShell.teachp2;
  Dim(p1, TEACHP1_RING_CTOWITH, eval == kEvalMinDist);
  Dim(p1, TEACHP1_NUM_CTO, eval == kEvalMinDist);

  int calc = Get(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  if (calc > 3) return;
  struct Captions {
    const char* coords[3];
    const char* colourSpread;
    const char* intSpread;  // nullptr: left as it is
    const char* ctoValue;
    const char* itoValue;
    const char* ctoSource;
    const char* itoSource;
    const char* ctoItems[3];
    const char* itoItems[3];  // nullptr: left as they are
    const char* graphs[3];
  };
  static const Captions kModes[4] = {
      {{"X", "Y", "INT"},
       "d (X/Y)",
       "d INT",
       "VALUE CTO",
       "VALUE ITO",
       "TEACH CTO WITH",
       "TEACH ITO WITH",
       {"VALUE CTO", "d (X/Y)", "d (X/Y)+VALUE CTO"},
       {"VALUE ITO", "d INT", "d INT+VALUE ITO"},
       {"X/Y", "X/INT", "Y/INT"}},
      {{"s", "i", "M"},
       "d (s/i)",
       "d M",
       "VALUE siTO",
       "VALUE MTO",
       "TEACH siTO WITH",
       "TEACH MTO WITH",
       {"VALUE siTO", "d (s/i)", "d (s/i)+VALUE siTO"},
       {"VALUE MTO", "d M", "d M+VALUE MTO"},
       {"s/i", "s/M", "i/M"}},
      {{"X", "Y", "INT"},
       "d (X/Y/INT)",
       nullptr,
       "VALUE TOL",
       nullptr,
       "TEACH TOL WITH",
       nullptr,
       {"VALUE TOL", "d (X/Y/INT)", "d (X/Y/INT)+VALUE TOL"},
       {nullptr, nullptr, nullptr},
       {"X/Y", "X/INT", "Y/INT"}},
      {{"s", "i", "M"},
       "d (s/i/INT)",
       "d M",
       "VALUE TOL",
       nullptr,
       "TEACH TOL WITH",
       nullptr,
       {"VALUE TOL", "d (s/i/INT)", "d (s/i/INT)+VALUE TOL"},
       {nullptr, nullptr, nullptr},
       {"s/i", "s/M", "i/M"}},
  };
  const Captions& m = kModes[calc];
  auto label = [](int panel, int ctrl, const char* text) {
    if (text) ui::SetCtrlAttribute(panel, ctrl, ui::ATTR_LABEL_TEXT, text);
  };
  for (int c = 0; c < 3; ++c) {
    ui::SetTableColumnCaption(p1, TEACHP1_TABLE_VALUES, 4 + c, m.coords[c]);
    ui::SetTableColumnCaption(p1, TEACHP1_TABLE_MEAN, 4 + c, m.coords[c]);
  }
  label(p1, TEACHP1_DISP_DELTAXY, m.colourSpread);
  label(p1, TEACHP1_DISP_DELTAINT, m.intSpread);
  label(p1, TEACHP1_NUM_CTO, m.ctoValue);
  label(p1, TEACHP1_NUM_ITO, m.itoValue);
  label(p1, TEACHP1_RING_CTOWITH, m.ctoSource);
  label(p1, TEACHP1_RING_ITOWITH, m.itoSource);
  for (int i = 0; i < 3; ++i) {
    ui::ReplaceListItem(p1, TEACHP1_RING_CTOWITH, i, m.ctoItems[i], i);
    if (m.itoItems[i]) ui::ReplaceListItem(p1, TEACHP1_RING_ITOWITH, i, m.itoItems[i], i);
  }
  bool twoD = Is2D(calc);
  for (int c : {TEACHP1_DISP_DELTAINT, TEACHP1_RING_ITOWITH, TEACHP1_NUM_ITO}) Show(p1, c, twoD);

  const int graphs[3] = {TEACHP2_GRAPH_XY, TEACHP2_GRAPH_XINT, TEACHP2_GRAPH_YINT};
  const int cursors[3] = {TEACHP2_DISP_X, TEACHP2_DISP_Y, TEACHP2_DISP_INT};
  for (int i = 0; i < 3; ++i) {
    ui::SetGraphCaption(p2, graphs[i], m.graphs[i]);
    label(p2, cursors[i], m.coords[i]);
  }
  bool sim = IsSiM(calc);
  ui::SetCtrlAttribute(p2, TEACHP2_DISP_X, ui::ATTR_TEXT_BGCOLOR, 0xFF0000);
  ui::SetCtrlAttribute(p2, TEACHP2_DISP_X, ui::ATTR_FRAME_COLOR, sim ? 0x00FF00 : 0xE0E0E0);
  ui::SetCtrlAttribute(p2, TEACHP2_DISP_Y, ui::ATTR_TEXT_BGCOLOR, sim ? 0xFFFF00 : 0x00FF00);
  ui::SetCtrlAttribute(p2, TEACHP2_DISP_Y, ui::ATTR_FRAME_COLOR, sim ? 0x80FFFF : 0xE0E0E0);
}

void ApplyParameterRules() {
  RuleTransmitter();
  RuleEvaluation();
  RuleCaptionsAndPages();
  RebuildTriggerItems();
  RuleTriggerConsequences();
  RuleColorGroups();
  ApplyRowLimits();
  ApplyTeachPanelCaptions();
}

void ConvertTeachTableForCalcMode() {
  int before = gParameterBlock.head[kCalculationMode];
  ReadPanelsIntoParameterBlock();
  int now = gParameterBlock.head[kCalculationMode];
  bool toThree = Is2D(before) && Is3D(now);
  bool toTwo = Is3D(before) && Is2D(now);
  if (!toThree && !toTwo) return;
  for (int r = 0; r < kTeachRows; ++r) {
    uint16_t* w = &gParameterBlock.Row(r, 0);
    if (toThree) {  // (X, Y, CTO, INT, ITO) -> (X, Y, INT, TOL = CTO, 1)
      w[4] = w[2];
      w[2] = w[3];
      w[3] = w[4];
      w[4] = 1;
    } else {  // (X, Y, INT, TOL, -) -> (X, Y, CTO = TOL, INT, ITO = TOL)
      w[4] = w[3];
      w[3] = w[2];
      w[2] = w[4];
    }
    for (int c = 0; c < kTeachCells; ++c)
      ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c + 1, r + 1, w[c]);
  }
}
