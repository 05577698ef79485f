#include "gui/params/parameter_block.h"

#include <string>

#include "Colmira3V42_uir.h"
#include "gui/params/parameter_rules.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/ui.h"

ParameterBlock gParameterBlock;

const HeadParameter kHeadParameters[kHeadWords] = {
    {"POWER", "POWER", 500, kPageParameters, TABPARA_SLIDE_POWER, 0},
    {"POWER MODE", "POWER MODE", 0, kPageParameters, TABPARA_RING_POWERMODE, 0},
    {"AVERAGE", "AVERAGE", 1, kPageParameters, TABPARA_NUM_AVERAGE, 0},
    {"EVALUATION MODE", "EVALUATION MODE", 1, kPageParameters, TABPARA_RING_EVALMODE, 0},
    {"HOLD FAIL", "HOLD FAIL", 10, kPageGroupHold, TABGRPHOLD_TABLE_HOLD, 1},
    {"INTLIM", "INTLIM", 0, kPageParameters, TABPARA_NUM_INTLIM, 0},
    {"MAX VEC NO", "MAX VEC NO", 1, kPageParameters, TABPARA_NUM_MAXVECNO, 0},
    {"DIGITAL OUTMODE", "DIGITAL OUTMODE", 0, kPageParameters, TABPARA_RING_DIGOUTMODE, 0},
    {"TRIGGER", "TRIGGER", 0, kPageParameters, TABPARA_RING_TRIGGER, 0},
    {"EXTERN TEACH", "EXTEACH", 0, kPageParameters, TABPARA_RING_EXTEACH, 0},
    {"CALCULATION MODE", "CALCULATION MODE", 0, kPageParameters, TABPARA_RING_CALCMODE, 0},
    {"DYNWIN LO", "DYNWIN LO", 3200, kPageParameters, TABPARA_NUM_DYNWINLO, 0},
    {"DYNWIN HI", "DYNWIN HI", 3300, kPageParameters, TABPARA_NUM_DYNWINHI, 0},
    {"COLOR GROUP", "COLOR GROUP", 0, kPageGroupHold, TABGRPHOLD_SWITCH_COLORGROUP, 0},
    {"LED MODE", "LED MODE", 0, kPageParameters, TABPARA_RING_LEDMODE, 0},
    {"GAIN", "GAIN", 5, kPageParameters, TABPARA_RING_GAIN, 0},
    {"INTEGRAL", "INTEGRAL", 1, kPageParameters, TABPARA_NUM_INTEGRAL, 0},
};

namespace {

constexpr const char* kForeignPrefix = "? ";

int PageOf(const HeadParameter& p) {
  return gShell.tabMain[p.page];
}

uint16_t ReadHead(const HeadParameter& p) {
  int v = p.cellRow ? ui::GetTableCellInt(PageOf(p), p.ctrl, 1, p.cellRow)
                    : ui::GetCtrlInt(PageOf(p), p.ctrl);
  return static_cast<uint16_t>(v);
}

bool IsRing(const HeadParameter& p) {
  return ui::GetNumListItems(PageOf(p), p.ctrl) >= 0;
}

void WriteHead(const HeadParameter& p, uint16_t value) {
  if (p.cellRow)
    ui::SetTableCellVal(PageOf(p), p.ctrl, 1, p.cellRow, value);
  else if (IsRing(p))
    ShowRingValue(PageOf(p), p.ctrl, value);
  else
    ui::SetCtrlVal(PageOf(p), p.ctrl, static_cast<int>(value));
}

}  // namespace

void ShowRingValue(int panel, int ctrl, int value) {
  // Items added for earlier foreign values go first.
  for (int i = ui::GetNumListItems(panel, ctrl) - 1; i >= 0; --i)
    if (ui::GetLabelFromIndex(panel, ctrl, i).rfind(kForeignPrefix, 0) == 0 &&
        ui::GetValueFromIndex(panel, ctrl, i) != value)
      ui::DeleteListItem(panel, ctrl, i, 1);
  if (ui::SetCtrlVal(panel, ctrl, value) == 0) return;
  ui::InsertListItem(panel, ctrl, -1, kForeignPrefix + std::to_string(value), value);
  ui::SetCtrlVal(panel, ctrl, value);
}

void ReadPanelsIntoParameterBlock() {
  for (int w = 0; w < kHeadWords; ++w) gParameterBlock.head[w] = ReadHead(kHeadParameters[w]);
  int teach = MainTab(kPageTeachTable);
  int groupHold = MainTab(kPageGroupHold);
  for (int r = 0; r < kTeachRows; ++r) {
    for (int c = 0; c < kTeachCells; ++c)
      gParameterBlock.Row(r, c) =
          static_cast<uint16_t>(ui::GetTableCellInt(teach, TABTEACH_TABLE_TEACH, c + 1, r + 1));
    gParameterBlock.Row(r, kRowGroup) =
        static_cast<uint16_t>(ui::GetTableCellInt(groupHold, TABGRPHOLD_TABLE_GROUP, 1, r + 1));
    gParameterBlock.Row(r, kRowHold) =
        static_cast<uint16_t>(ui::GetTableCellInt(groupHold, TABGRPHOLD_TABLE_HOLD, 1, r + 2));
  }
}

void WriteParameterBlockToPanels() {
  // EXTERN TEACH decides which TRIGGER items exist; a TRIGGER the ring no
  // longer offers falls back to CONT.
  const HeadParameter& exteach = kHeadParameters[kExternTeach];
  WriteHead(exteach, gParameterBlock.head[kExternTeach]);
  RebuildTriggerItems();
  for (int w = 0; w < kHeadWords; ++w) {
    uint16_t value = gParameterBlock.head[w];
    if (w == kTrigger && gParameterBlock.head[kExternTeach] != 0 && value > 1) value = 0;
    WriteHead(kHeadParameters[w], value);
  }
  int teach = MainTab(kPageTeachTable);
  int groupHold = MainTab(kPageGroupHold);
  for (int r = 0; r < kTeachRows; ++r) {
    for (int c = 0; c < kTeachCells; ++c)
      ui::SetTableCellVal(teach, TABTEACH_TABLE_TEACH, c + 1, r + 1, gParameterBlock.Row(r, c));
    ui::SetTableCellVal(groupHold, TABGRPHOLD_TABLE_GROUP, 1, r + 1,
                        gParameterBlock.Row(r, kRowGroup));
    ui::SetTableCellVal(groupHold, TABGRPHOLD_TABLE_HOLD, 1, r + 2,
                        gParameterBlock.Row(r, kRowHold));
  }
}
