#include "gui/teach/teach_table.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

TeachState gTeach;
TeachValues gTeachValues;

namespace {

constexpr int kMinDistMode = 2;
constexpr int kLastTeachRow = 30;
constexpr int kHoldRows = 32;
constexpr int kResetCell = 1;
constexpr int kPromptChars = 9;
constexpr int kWhite = 0xFFFFFF;
const char* const kResetQuestion = "Do you really want to reset the table?";

int Teach() {
  return MainTab(kPageTeachTable);
}

bool ThreeD(int calcMode) {
  return calcMode == 2 || calcMode == 3;
}

void SetCell(int col, int row, int value) {
  ui::SetTableCellVal(Teach(), TABTEACH_TABLE_TEACH, col, row, value);
}

// After any change of cells through the menu: the block, the overlays and the
// live views follow at once.
void ApplyCellChanges() {
  ReadPanelsIntoParameterBlock();
  DrawToleranceOverlays();
  UpdateLiveGraphs();
}

// The selection the menu acts on; false when there is none.
bool MenuSelection(int panel, int ctrl, ui::CellRange& r) {
  if (ui::GetTableSelection(panel, ctrl, r) < 0) return false;
  return r.top >= 1 && r.left >= 1 && r.width > 0 && r.height > 0;
}

// Cells hold unsigned 16-bit words: a value outside wraps as the word would.
int Word(long value) {
  return static_cast<uint16_t>(static_cast<unsigned long>(value));
}

void MenuHelp(int, int, int, void*) {
  ShowHelp(
      "Change cell value with a left double click or with F2. \n\nSelect a range of cells by "
      "holding down the left mouse button and dragging the mouse over the cells to select. "
      "\n\nSet selection to: Set the selection to an adjustable value. \nIncrement selection "
      "with: Selected cells will be incremented with an adjustable value beginning with the "
      "first cell. \nReset selection: Reset the selected range.\nTeach tolerance off: Tolerance "
      "will not be changed. \nTeach tolerance on: Tolerance will be set automatically to a "
      "default value.");
}

void MenuSetSelection(int panel, int ctrl, int, void*) {
  ui::CellRange r;
  if (!MenuSelection(panel, ctrl, r)) return;
  long value = 0;
  if (!PromptCellValue(value)) return;
  for (int row = r.top; row < r.top + r.height; ++row)
    for (int col = r.left; col < r.left + r.width; ++col)
      if (ui::IsTableCellEditable(panel, ctrl, col, row))
        ui::SetTableCellVal(panel, ctrl, col, row, Word(value));
  ApplyCellChanges();
}

void MenuIncrementSelection(int panel, int ctrl, int, void*) {
  ui::CellRange r;
  if (!MenuSelection(panel, ctrl, r)) return;
  if (!ui::IsTableCellEditable(panel, ctrl, r.left, r.top)) return;
  uint16_t v = static_cast<uint16_t>(ui::GetTableCellInt(panel, ctrl, r.left, r.top));
  long step = 0;
  if (!PromptCellValue(step)) return;
  for (int row = r.top; row < r.top + r.height; ++row) {
    for (int col = r.left; col < r.left + r.width; ++col) {
      if (!ui::IsTableCellEditable(panel, ctrl, col, row)) continue;
      ui::SetTableCellVal(panel, ctrl, col, row, v);
      v = static_cast<uint16_t>(v + Word(step));
    }
  }
  ApplyCellChanges();
}

void MenuResetSelection(int panel, int ctrl, int, void*) {
  ui::CellRange r;
  if (!MenuSelection(panel, ctrl, r)) return;
  for (int row = r.top; row < r.top + r.height; ++row)
    for (int col = r.left; col < r.left + r.width; ++col)
      if (ui::IsTableCellEditable(panel, ctrl, col, row))
        ui::SetTableCellVal(panel, ctrl, col, row, kResetCell);
  ApplyCellChanges();
}

// The dimmed item names the state in force.
void SetTeachToleranceOff(int off) {
  int panel = Teach();
  ui::SetCtrlMenuAttribute(panel, TABTEACH_TABLE_TEACH, gTeach.menuToleranceOn, ui::ATTR_DIMMED,
                           off ? 0 : 1);
  ui::SetCtrlMenuAttribute(panel, TABTEACH_TABLE_TEACH, gTeach.menuToleranceOff, ui::ATTR_DIMMED,
                           off ? 1 : 0);
  gTeach.teachToleranceOff = off;
}

void MenuToleranceOff(int, int, int, void*) {
  SetTeachToleranceOff(1);
}

void MenuToleranceOn(int, int, int, void*) {
  SetTeachToleranceOff(0);
}

}  // namespace

DefaultTolerance DefaultTolerances(int evalMode, int calcMode, int powerMode) {
  // FIRST HIT and COL5 share the narrow defaults, BEST HIT doubles them,
  // MIN DIST keeps the colour tolerance tight.
  int first = evalMode == 1 ? 200 : evalMode == kMinDistMode ? 40 : 100;
  if (ThreeD(calcMode)) return {static_cast<uint16_t>(first), 1};
  if (calcMode == 1) return {static_cast<uint16_t>(first), 50};
  int intensity = evalMode == 1 || evalMode == kMinDistMode ? 200 : 100;
  if (powerMode == 1) intensity /= 2;
  return {static_cast<uint16_t>(first), static_cast<uint16_t>(intensity)};
}

void TakeTeachValuesFromScreen() {
  int datap = gShell.datap;
  int para = MainTab(kPageParameters);
  TeachValues& v = gTeachValues;
  v.x = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_X));
  v.y = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_Y));
  v.intensity = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_INT));
  v.red = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_RED));
  v.green = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_GREEN));
  v.blue = static_cast<uint16_t>(ui::GetCtrlInt(datap, DATAP_DISP_BLUE));
  v.no = ui::GetCtrlInt(Teach(), TABTEACH_NUM_NO);
  v.calcMode = ui::GetCtrlInt(para, TABPARA_RING_CALCMODE);
  v.evalMode = ui::GetCtrlInt(para, TABPARA_RING_EVALMODE);
  v.powerMode = ui::GetCtrlInt(para, TABPARA_RING_POWERMODE);
}

void TeachDataTo() {
  const TeachValues& v = gTeachValues;
  int n = v.no;
  int row = n + 1;
  if (v.evalMode <= 3) {
    DefaultTolerance t = DefaultTolerances(v.evalMode, v.calcMode, v.powerMode);
    bool threeD = ThreeD(v.calcMode);
    int intCol = threeD ? 3 : 4;
    int firstCol = threeD ? 4 : 3;
    SetCell(1, row, v.x);
    SetCell(2, row, v.y);
    SetCell(intCol, row, v.intensity);
    if (!gTeach.teachToleranceOff) {
      SetCell(firstCol, row, t.first);
      SetCell(5, row, t.second);
    }
    AdvanceTeachRowNumber(n);
  } else {
    // THD RGB: the three thresholds live in column 1 of rows 1 to 3.
    SetCell(1, 1, v.red);
    SetCell(1, 2, v.green);
    SetCell(1, 3, v.blue);
  }
  PaintTaughtRowColor(n);
}

void PaintTaughtRowColor(int row) {
  int mode = ui::GetCtrlInt(MainTab(kPageTableAttributes), TABATTR_RING_COLORMODE);
  if (mode != 1 || row < 0 || row >= kTeachRows) return;
  int live = ui::GetCtrlInt(gShell.datap, DATAP_COLORNUM_LIVE);
  PaintRowColor(row, live);
  gRowColors[row] = live;
}

void AdvanceTeachRowNumber(int n) {
  if (ui::GetCtrlInt(Teach(), TABTEACH_RADIO_INC) != 0 && n < kLastTeachRow)
    ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, n + 1);
}

void ResetTeachTable() {
  if (!ui::ConfirmPopup("ATTENTION!", kResetQuestion)) return;
  ui::SetCtrlVal(Teach(), TABTEACH_NUM_NO, 0);
  for (int row = 1; row <= kTeachRows; ++row)
    for (int col = 1; col <= 5; ++col) SetCell(col, row, kResetCell);
  int p2 = DataTab(kPage2D), p3 = DataTab(kPage3D);
  ui::DeleteGraphPlot(p2, TAB2D_GRAPH_PLANE, ui::kAllPlots);
  ui::DeleteGraphPlot(p2, TAB2D_GRAPH_INT, ui::kAllPlots);
  for (int g : {TAB3D_GRAPH_XY, TAB3D_GRAPH_XINT, TAB3D_GRAPH_YINT})
    ui::DeleteGraphPlot(p3, g, ui::kAllPlots);
}

void ResetGroupTable() {
  if (!ui::ConfirmPopup("ATTENTION!", kResetQuestion)) return;
  int page = MainTab(kPageGroupHold);
  // White also clears the red marks of groups the limit check had to reset.
  for (int row = 1; row <= kTeachRows; ++row) {
    ui::SetTableCellVal(page, TABGRPHOLD_TABLE_GROUP, 1, row, 0);
    ui::SetTableCellColor(page, TABGRPHOLD_TABLE_GROUP, 1, row, kWhite);
  }
}

void ResetHoldTable() {
  if (!ui::ConfirmPopup("ATTENTION!", kResetQuestion)) return;
  int page = MainTab(kPageGroupHold);
  int value = ui::GetCtrlInt(page, TABGRPHOLD_NUM_RESETHOLD);
  // Row 1 is HOLD FAIL, reset with the rest.
  for (int row = 1; row <= kHoldRows; ++row)
    ui::SetTableCellVal(page, TABGRPHOLD_TABLE_HOLD, 1, row, value);
}

void BuildTeachTableMenu() {
  int panel = Teach();
  const int t = TABTEACH_TABLE_TEACH;
  ui::NewCtrlMenuItem(panel, t, "Help", MenuHelp, nullptr);
  ui::NewCtrlMenuSeparator(panel, t);
  ui::NewCtrlMenuItem(panel, t, "Set selection to", MenuSetSelection, nullptr);
  ui::NewCtrlMenuItem(panel, t, "Increment selection with", MenuIncrementSelection, nullptr);
  ui::NewCtrlMenuItem(panel, t, "Reset selection", MenuResetSelection, nullptr);
  ui::NewCtrlMenuSeparator(panel, t);
  gTeach.menuToleranceOff =
      ui::NewCtrlMenuItem(panel, t, "Teach tolerance off", MenuToleranceOff, nullptr);
  gTeach.menuToleranceOn =
      ui::NewCtrlMenuItem(panel, t, "Teach tolerance on", MenuToleranceOn, nullptr);
  SetTeachToleranceOff(0);
}

bool PromptCellValue(long& value) {
  std::string answer;
  if (!ui::PromptPopup("VALUE!", "Insert a cell value!", answer, kPromptChars)) return false;
  // A decimal integer at the start of the answer, blanks before it allowed.
  const char* s = answer.c_str();
  while (std::isspace(static_cast<unsigned char>(*s))) ++s;
  const char* digits = s + (*s == '+' || *s == '-');
  if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
  value = std::strtol(s, nullptr, 10);
  return true;
}
