#include "gui/teach/table_attributes.h"

#include <algorithm>
#include <iterator>

#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {
constexpr int kBase[15] = {0xFF0000, 0x80FF00, 0x0000FF, 0x000000, 0xFF80C0,
                           0xFFFF00, 0x808000, 0x800080, 0x80FFFF, 0xFF0080,
                           0x400080, 0xFF00FF, 0x008000, 0x408080, 0x800000};
constexpr size_t kSpecificationChars = 99;
}  // namespace

const int kDefaultRowColors[kRowColorEntries] = {
    kBase[0],  kBase[1],  kBase[2],  kBase[3],  kBase[4],  kBase[5],  kBase[6],  kBase[7],
    kBase[8],  kBase[9],  kBase[10], kBase[11], kBase[12], kBase[13], kBase[14], kBase[0],
    kBase[1],  kBase[2],  kBase[3],  kBase[4],  kBase[5],  kBase[6],  kBase[7],  kBase[8],
    kBase[9],  kBase[10], kBase[11], kBase[12], kBase[13], kBase[14], kBase[0],  kBase[1],
    kBase[2],  kBase[3],  kBase[4],  kBase[5],  kBase[6],  kBase[7],  kBase[8],  kBase[9],
    kBase[10], kBase[11], kBase[12], kBase[13], kBase[14],
};
int gRowColors[kRowColorEntries];

std::string TableAttrSection(int row) {
  return "TABLE ATTR OF TEACH VECTOR " + std::to_string(row);
}

void PutTableAttributes(ui::IniText& ini) {
  int attr = MainTab(kPageTableAttributes);
  for (int r = 0; r < kTeachRows; ++r) {
    gRowColors[r] = ui::GetTableCellColor(attr, TABATTR_TABLE_ATTR, 2, r + 1);
    ini.PutInt(TableAttrSection(r), "Row color", gRowColors[r]);
    ini.PutString(TableAttrSection(r), "Row specification",
                  ui::GetTableCellString(attr, TABATTR_TABLE_ATTR, 1, r + 1));
  }
}

void GetTableAttributes(const ui::IniText& ini, int showWarnings) {
  int attr = MainTab(kPageTableAttributes);
  std::string warning =
      "Following teach vectors could not be read \nand where set to default value:\n\n";
  bool incomplete = false;
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = TableAttrSection(r);
    long long color = 0;
    if (ini.GetInt(section, "Row color", color)) {
      gRowColors[r] = static_cast<int>(color & 0xFFFFFF);
    } else {
      gRowColors[r] = kDefaultRowColors[r];
      warning += section + "\n";
      incomplete = true;
    }
    std::string text;
    ini.GetString(section, "Row specification", text, kSpecificationChars);
    ui::SetTableCellVal(attr, TABATTR_TABLE_ATTR, 1, r + 1, text);
  }
  if (showWarnings && incomplete) ui::MessagePopup("Attention!", warning);
}

void PaintRowColor(int row, int color) {
  if (row < 0 || row >= kTeachRows) return;
  ui::SetTableCellColor(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, 6, row + 1, color);
  ui::SetTableCellColor(MainTab(kPageTableAttributes), TABATTR_TABLE_ATTR, 2, row + 1, color);
  ui::SetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_GROUP, 2, row + 1, color);
  ui::SetTableCellColor(MainTab(kPageGroupHold), TABGRPHOLD_TABLE_HOLD, 2, row + 2, color);
}

void PaintAllRowColors() {
  for (int r = 0; r < kTeachRows; ++r) PaintRowColor(r, gRowColors[r]);
}

void SetRowColor(int row, int color) {
  if (row < 0 || row >= kTeachRows) return;
  gRowColors[row] = color & 0xFFFFFF;
  PaintRowColor(row, gRowColors[row]);
}

bool RowColorsFollowLive() {
  return ui::GetCtrlInt(MainTab(kPageTableAttributes), TABATTR_RING_COLORMODE) == 1;
}

void ColorTaughtRow(int row) {
  if (RowColorsFollowLive()) SetRowColor(row, ui::GetCtrlInt(gShell.datap, DATAP_COLORNUM_LIVE));
}

void ApplyRowColorMode() {
  int attr = MainTab(kPageTableAttributes);
  int automatic = RowColorsFollowLive() ? 1 : 0;
  for (int ctrl : {TABATTR_NUM_ROW, TABATTR_COLORNUM_COLOR, TABATTR_BUTTON_SET})
    ui::SetCtrlAttribute(attr, ctrl, ui::ATTR_DIMMED, automatic);
  ui::SetCtrlAttribute(gShell.datap, DATAP_COLORNUM_LIVE, ui::ATTR_VISIBLE, automatic);
}

void SetRowColorFromControls() {
  int attr = MainTab(kPageTableAttributes);
  SetRowColor(ui::GetCtrlInt(attr, TABATTR_NUM_ROW), ui::GetCtrlInt(attr, TABATTR_COLORNUM_COLOR));
  DrawToleranceOverlays();
}

void ResetTableAttributes() {
  if (ui::ConfirmPopup("ATTENTION!", "Do you really want to reset the table?") != 1) return;
  int attr = MainTab(kPageTableAttributes);
  for (int r = 0; r < kTeachRows; ++r) {
    PaintRowColor(r, kDefaultRowColors[r]);
    ui::SetTableCellVal(attr, TABATTR_TABLE_ATTR, 1, r + 1, std::string());
  }
  std::copy(std::begin(kDefaultRowColors), std::end(kDefaultRowColors), gRowColors);
  DrawToleranceOverlays();
}
