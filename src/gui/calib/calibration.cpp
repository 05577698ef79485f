#include "gui/calib/calibration.h"

#include <algorithm>

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

uint16_t RawDeltaOf(const uint16_t* frame) {
  uint16_t r = frame[kLiveRawRed], g = frame[kLiveRawGreen], b = frame[kLiveRawBlue];
  return static_cast<uint16_t>(std::max({r, g, b}) - std::min({r, g, b}));
}

void ShowCalibrationRawValues() {
  int page = MainTab(kPageCalibration);
  const uint16_t* f = gLive.frame;
  uint16_t r = f[kLiveRawRed], g = f[kLiveRawGreen], b = f[kLiveRawBlue];
  uint16_t delta = RawDeltaOf(f);
  ui::SetCtrlVal(page, TABCALIB_BAR_RAWRED, r);
  ui::SetCtrlVal(page, TABCALIB_BAR_RAWGREEN, g);
  ui::SetCtrlVal(page, TABCALIB_BAR_RAWBLUE, b);
  ui::SetCtrlVal(page, TABCALIB_DISP_RAWRED, r);
  ui::SetCtrlVal(page, TABCALIB_DISP_RAWGREEN, g);
  ui::SetCtrlVal(page, TABCALIB_DISP_RAWBLUE, b);
  ui::SetCtrlVal(page, TABCALIB_DISP_RAWDELTA, delta);
}

void ShowCalibratedValues() {
  int page = MainTab(kPageCalibration);
  const uint16_t* f = gLive.frame;
  ui::SetCtrlVal(page, TABCALIB_BAR_RED, f[kLiveRed]);
  ui::SetCtrlVal(page, TABCALIB_BAR_GREEN, f[kLiveGreen]);
  ui::SetCtrlVal(page, TABCALIB_BAR_BLUE, f[kLiveBlue]);
  ui::SetCtrlVal(page, TABCALIB_DISP_TEMP, f[kLiveTemp]);
}
