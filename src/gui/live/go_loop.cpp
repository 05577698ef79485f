#include "gui/live/go_loop.h"

#include <algorithm>
#include <cstring>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/modes.h"
#include "com232/orders.h"
#include "gui/calib/calibration.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

void ShowRgb(int panel, int red, int green, int blue) {
  const uint16_t* f = gLive.frame;
  ui::SetCtrlVal(panel, red, f[kLiveRed]);
  ui::SetCtrlVal(panel, green, f[kLiveGreen]);
  ui::SetCtrlVal(panel, blue, f[kLiveBlue]);
}

// COLOR on OUT4..OUT0 by successive subtraction: each LED one bit for 0..31,
// all five for the failure value 255.
void ShowOutputLeds(int color) {
  static const int kLeds[] = {DATAP_LED_OUT4, DATAP_LED_OUT3, DATAP_LED_OUT2, DATAP_LED_OUT1,
                              DATAP_LED_OUT0};
  int d = color;
  for (int i = 0, weight = 16; i < 5; ++i, weight /= 2) {
    bool lit = d >= weight;
    if (lit) d -= weight;
    ui::SetCtrlVal(gShell.datap, kLeds[i], lit ? 1 : 0);
  }
}

void Shift(double* history, double a, double b, double c) {
  std::memmove(history, history + 3, sizeof(double) * (kHistoryValues - 3));
  history[kHistoryValues - 3] = a;
  history[kHistoryValues - 2] = b;
  history[kHistoryValues - 1] = c;
}

}  // namespace

int LiveColorOf(uint16_t red, uint16_t green, uint16_t blue) {
  return (red / 16) << 16 | (green / 16) << 8 | blue / 16;
}

IntensityBand BandOf(int value, int tolerance, int ceiling) {
  return {std::min(value + tolerance, ceiling), std::max(value - tolerance, 0)};
}

IntensityBand SelectedRowBand(int ceiling) {
  int mode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  int teach = MainTab(kPageTeachTable);
  int row = ui::GetCtrlInt(teach, TABTEACH_NUM_NO) + 1;
  int column = IntensityCell(mode) + 1;
  return BandOf(ui::GetTableCellInt(teach, TABTEACH_TABLE_TEACH, column, row),
                ui::GetTableCellInt(teach, TABTEACH_TABLE_TEACH, column + 1, row), ceiling);
}

void RunGoLoop() {
  gLive.goRunning = 1;
  bool inFlight = false;  // a live-frame request is out and its reply not yet read
  while (gLive.goRunning) {
    if (!inFlight) {
      if (gLive.sendRequested) {
        SendParameters();
        if (!gLive.goRunning) break;
      }
      if (gLive.getRequested) {
        GetParameters();
        if (!gLive.goRunning) break;
      }
      BuildRequest(kOrderLiveFrame, 0, 0);
      SendRequest(kHeaderBytes);
    }
    inFlight = false;
    if (ReceiveReply() != 1) continue;
    UnpackReplyToReplyWords();
    CopyLiveFrame();
    // The next request goes out before this frame is shown, so the sensor and
    // the line work while the screen is brought up to date. Pending SEND or
    // GET, or a stop, wait for the end of the cycle as before.
    if (gLive.goRunning && !gLive.sendRequested && !gLive.getRequested) {
      BuildRequest(kOrderLiveFrame, 0, 0);
      SendRequest(kHeaderBytes);
      inFlight = true;
    }
    ShowCalibrationRawValues();
    ShowLiveFrame();
    UpdateLiveGraphs();
  }
}

void CopyLiveFrame() {
  std::memcpy(gLive.frame, gLink.ReplyWords, sizeof gLive.frame);
}

void ShowLiveFrame() {
  const uint16_t* f = gLive.frame;
  std::memcpy(gLive.shownFrame, gLive.frame, sizeof gLive.shownFrame);
  int datap = gShell.datap;
  ShowRgb(DataTab(kPageRgb), TABRGB_DISP_RED, TABRGB_DISP_GREEN, TABRGB_DISP_BLUE);
  ShowRgb(DataTab(kPageInt), TABINT_DISP_RED, TABINT_DISP_GREEN, TABINT_DISP_BLUE);
  ShowRgb(DataTab(kPage2D), TAB2D_DISP_RED, TAB2D_DISP_GREEN, TAB2D_DISP_BLUE);

  ShowRgb(datap, DATAP_DISP_RED, DATAP_DISP_GREEN, DATAP_DISP_BLUE);
  ui::SetCtrlVal(datap, DATAP_DISP_X, f[kLiveX]);
  ui::SetCtrlVal(datap, DATAP_DISP_Y, f[kLiveY]);
  ui::SetCtrlVal(datap, DATAP_DISP_INT, f[kLiveInt]);
  ui::SetCtrlVal(datap, DATAP_DISP_DELTAC, static_cast<int16_t>(f[kLiveDeltaC]));
  ui::SetCtrlVal(datap, DATAP_DISP_COLOR, f[kLiveColor]);
  ui::SetCtrlVal(datap, DATAP_DISP_GROUP, f[kLiveGroup]);
  ui::SetCtrlVal(datap, DATAP_LED_TRIG, f[kLiveTrigger] != 0 ? 1 : 0);

  static const int kMinMax[6] = {TABRGB_DISP_REDMIN,   TABRGB_DISP_REDMAX,  TABRGB_DISP_GREENMIN,
                                 TABRGB_DISP_GREENMAX, TABRGB_DISP_BLUEMIN, TABRGB_DISP_BLUEMAX};
  for (int i = 0; i < 6; ++i) ui::SetCtrlVal(DataTab(kPageRgb), kMinMax[i], f[kLiveMinMax + i]);

  ui::SetCtrlVal(MainTab(kPageTableAttributes), TABATTR_DISP_TEMP, f[kLiveTemp]);
  ShowCalibratedValues();
  ui::SetCtrlVal(gShell.colbigp, COLBIGP_DISP_COLOR, f[kLiveColor]);
  ui::SetCtrlVal(gShell.grpbigp, GRPBIGP_DISP_GROUP, f[kLiveGroup]);
  ShowRgb(gShell.teachp1, TEACHP1_DISP_RED, TEACHP1_DISP_GREEN, TEACHP1_DISP_BLUE);

  gLive.liveColor = LiveColorOf(f[kLiveRed], f[kLiveGreen], f[kLiveBlue]);
  ui::SetCtrlVal(datap, DATAP_COLORNUM_LIVE, gLive.liveColor);
  if (ShowsOutputLeds(gParameterBlock.head[kEvaluationMode])) ShowOutputLeds(f[kLiveColor]);
  AppendHistories();
}

void AppendHistories() {
  int mode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  gParameterBlock.head[kCalculationMode] = static_cast<uint16_t>(mode);
  IntensityBand band = SelectedRowBand(kStripBandCeiling);
  const uint16_t* f = gLive.frame;
  Shift(gLive.colourHistory, f[kLiveRed], f[kLiveGreen], f[kLiveBlue]);
  Shift(gLive.intensityHistory, f[kLiveInt], band.upper, band.lower);
}
