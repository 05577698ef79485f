#include "gui/teach/mean_teach.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/teach_table.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

MeanTeachState gMeanTeach;

namespace {

constexpr int kMinDistMode = 2;
constexpr int kMinDistTolerance = 40;
constexpr int kAlertRed = 0xFF0000;
constexpr int kRestGrey = 0xE0E0E0;
enum ToleranceSource { kFixedValue = 0, kSpread = 1, kValuePlusSpread = 2, kRowValue = 3 };

int Panel() {
  return gShell.teachp1;
}

int Counter() {
  return ui::GetCtrlInt(Panel(), TEACHP1_DISP_COUNTER);
}

void SetCounter(int k) {
  ui::SetCtrlVal(Panel(), TEACHP1_DISP_COUNTER, k);
}

bool ThreeD(int calcMode) {
  return calcMode == 2 || calcMode == 3;
}

void SetCaptureRow(int row, const uint16_t* values) {
  for (int c = 0; c < kCaptureColumns; ++c)
    ui::SetTableCellVal(Panel(), TEACHP1_TABLE_VALUES, c + 1, row, values[c]);
}

// A tolerance as its source ring says; `rowCol` holds the row's own value.
int ToleranceFrom(int source, int value, int spread, int row, int rowCol) {
  switch (source) {
    case kFixedValue:
      return value;
    case kSpread:
      return spread;
    case kValuePlusSpread:
      return static_cast<uint16_t>(value + spread);
    default:
      return ui::GetTableCellInt(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, rowCol, row);
  }
}

}  // namespace

void CaptureFrame() {
  int k = std::min(Counter(), kCaptureRows - 1) + 1;
  SetCounter(k);
  ui::SetActiveTableCell(Panel(), TEACHP1_TABLE_VALUES, 1, k);
  // The frame the user sees, never one that came in after the click.
  SetCaptureRow(k, gLive.shownFrame);
  UpdateMeanValues();
}

void UndoCapture() {
  int k = Counter();
  if (k > 0) --k;
  SetCounter(k);
  ui::SetActiveTableCell(Panel(), TEACHP1_TABLE_VALUES, 1, std::max(k - 5, 1));
  const uint16_t zeros[kCaptureColumns] = {};
  SetCaptureRow(k + 1, zeros);
  UpdateMeanValues();
}

void ResetCaptureTable() {
  ui::SetCtrlAttribute(Panel(), TEACHP1_BUTTON_RESET, ui::ATTR_CMD_BUTTON_COLOR, kAlertRed);
  ui::ProcessSystemEvents();
  if (ui::ConfirmPopup("ATTENTION!", "Do you really want to reset the table?")) {
    SetCounter(0);
    const uint16_t zeros[kCaptureColumns] = {};
    for (int row = 1; row <= kCaptureRows; ++row) SetCaptureRow(row, zeros);
    ui::SetActiveTableCell(Panel(), TEACHP1_TABLE_VALUES, 1, 1);
    for (int c = 1; c <= kCaptureColumns; ++c)
      ui::SetTableCellVal(Panel(), TEACHP1_TABLE_MEAN, c, 1, 0);
    ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAXY, 0);
    ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAINT, 0);
  }
  ui::SetCtrlAttribute(Panel(), TEACHP1_BUTTON_RESET, ui::ATTR_CMD_BUTTON_COLOR, kRestGrey);
}

void UpdateMeanValues() {
  int k = Counter();
  if (k == 0) {
    for (int c = 1; c <= kCaptureColumns; ++c)
      ui::SetTableCellVal(Panel(), TEACHP1_TABLE_MEAN, c, 1, 0);
    ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAXY, 0);
    ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAINT, 0);
    return;
  }
  for (int c = 0; c < kCaptureColumns; ++c) {
    int32_t sum = 0;
    for (int row = 1; row <= k; ++row)
      sum += ui::GetTableCellInt(Panel(), TEACHP1_TABLE_VALUES, c + 1, row);
    gMeanTeach.mean[c] = static_cast<uint16_t>(sum / k);
    ui::SetTableCellVal(Panel(), TEACHP1_TABLE_MEAN, c + 1, 1, gMeanTeach.mean[c]);
  }
  UpdateMaxDeltas();
}

void UpdateMaxDeltas() {
  int calc = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  int k = Counter();
  uint32_t dmax = 0, imax = 0;
  const uint16_t* m = gMeanTeach.mean;
  for (int row = 1; row <= k; ++row) {
    int32_t dx = ui::GetTableCellInt(Panel(), TEACHP1_TABLE_VALUES, 4, row) - m[3];
    int32_t dy = ui::GetTableCellInt(Panel(), TEACHP1_TABLE_VALUES, 5, row) - m[4];
    int32_t di = std::abs(ui::GetTableCellInt(Panel(), TEACHP1_TABLE_VALUES, 6, row) - m[5]);
    if (static_cast<uint32_t>(di) > imax) imax = static_cast<uint32_t>(di);
    double square = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
    if (ThreeD(calc)) square += static_cast<double>(di) * di;
    auto d = static_cast<uint32_t>(std::sqrt(square));
    if (d > dmax) dmax = d;
  }
  // A distance beyond the 16-bit display shows as its largest value.
  ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAXY, static_cast<int>(std::min<uint32_t>(dmax, 65535)));
  ui::SetCtrlVal(Panel(), TEACHP1_DISP_DELTAINT, static_cast<int>(imax));
}

void TeachMeanValues() {
  int para = MainTab(kPageParameters);
  int teach = MainTab(kPageTeachTable);
  int calc = ui::GetCtrlInt(para, TABPARA_RING_CALCMODE);
  int eval = ui::GetCtrlInt(para, TABPARA_RING_EVALMODE);
  int p = Panel();
  int mean[kCaptureColumns];
  for (int c = 0; c < kCaptureColumns; ++c)
    mean[c] = ui::GetTableCellInt(p, TEACHP1_TABLE_MEAN, c + 1, 1);
  int colourSpread = ui::GetCtrlInt(p, TEACHP1_DISP_DELTAXY);
  int intSpread = ui::GetCtrlInt(p, TEACHP1_DISP_DELTAINT);
  int n = ui::GetCtrlInt(teach, TABTEACH_NUM_NO);
  int row = n + 1;
  bool threeD = ThreeD(calc);
  int t1 = ToleranceFrom(ui::GetCtrlInt(p, TEACHP1_RING_CTOWITH),
                         ui::GetCtrlInt(p, TEACHP1_NUM_CTO), colourSpread, row, threeD ? 4 : 3);
  int t2 = ToleranceFrom(ui::GetCtrlInt(p, TEACHP1_RING_ITOWITH),
                         ui::GetCtrlInt(p, TEACHP1_NUM_ITO), intSpread, row, threeD ? 4 : 5);
  int colour = eval == kMinDistMode ? kMinDistTolerance : t1;
  auto set = [&](int col, int value) {
    ui::SetTableCellVal(teach, TABTEACH_TABLE_TEACH, col, row, value);
  };
  set(1, mean[3]);
  set(2, mean[4]);
  if (!threeD) {
    set(3, colour);
    set(4, mean[5]);
    set(5, t2);
  } else {
    // 3D teaching has one common tolerance; column 5 is left alone.
    set(3, mean[5]);
    set(4, colour);
  }
  AdvanceTeachRowNumber(n);
  ReadPanelsIntoParameterBlock();
  DrawToleranceOverlays();
}
