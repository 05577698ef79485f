#include "gui/calib/white_calibration.h"

#include <algorithm>
#include <cstring>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/calib/calibration.h"
#include "gui/calib/calibration_values.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

constexpr int kBlinkRed = 0xFF0000;
constexpr int kBlinkGrey = 0xE0E0E0;
constexpr int kFramesPerBlink = 5;

int CalibPage() {
  return MainTab(kPageCalibration);
}

void SetCalcButtonColor(int rgb) {
  ui::SetCtrlAttribute(CalibPage(), TABCALIB_BUTTON_CALCCF, ui::ATTR_CMD_BUTTON_COLOR, rgb);
}

// Every failure of the link reports a message; a time-out (also a closed
// conversation) means the sensor is gone, anything else spoiled one frame.
bool TimedOut() {
  return std::strcmp(gLink.linkMessage, kTimeoutText) == 0;
}

void ReportNoFrame() {
  SetLinkMessage(
      "CALIBRATION NOT POSSIBLE! \nNO LIVE FRAME WAS RECEIVED. \nTHE CALIBRATION FACTORS WERE "
      "NOT CHANGED.");
  ShowLinkError();
  ui::MessagePopup("ATTENTION!",
                   "No live frame was received from the sensor. \nCalibration is not possible. "
                   "\nThe calibration factors were not changed. ");
}

}  // namespace

CalibrationResult ComputeCalibrationFactors(const RawMeans& means, uint16_t setValue,
                                            uint16_t maxDelta) {
  CalibrationResult r;
  if (means.delta > maxDelta) {
    r.verdict = CalibrationVerdict::kDeltaTooHigh;
    return r;
  }
  for (int c = 0; c < 3; ++c) {
    uint32_t mean = std::max<uint32_t>(means.channel[c], 1);
    // The check sees the whole quotient, before it is cut to 16 bits.
    uint32_t cf = static_cast<uint32_t>(setValue) * 1024u / mean;
    if (cf > kMaxFactor) {
      r.verdict = CalibrationVerdict::kFactorOutOfRange;
      return r;
    }
    r.factor[c] = static_cast<uint16_t>(cf);
  }
  return r;
}

void CheckAndApplyCalibration(const RawMeans& means) {
  auto setValue = static_cast<uint16_t>(ui::GetCtrlInt(CalibPage(), TABCALIB_NUM_SETVALUE));
  auto maxDelta = static_cast<uint16_t>(ui::GetCtrlInt(CalibPage(), TABCALIB_NUM_MAXDELTA));
  gCalibration.setValue = setValue;
  gCalibration.maxDelta = maxDelta;
  CalibrationResult r = ComputeCalibrationFactors(means, setValue, maxDelta);
  switch (r.verdict) {
    case CalibrationVerdict::kDeltaTooHigh:
      ui::MessagePopup("ATTENTION!",
                       "The maximum delta of the raw data values RED,GREEN and BLUE is to high. "
                       "\nCalibration is not possible. \nVerify, that the sensor shines on a "
                       "WHITE target! \nIncrease MAXIMUM DELTA OF RAW DATAS! ");
      return;
    case CalibrationVerdict::kFactorOutOfRange:
      ui::MessagePopup("ATTENTION!",
                       "One of the calibration factor is out of range. \nCalibration is not "
                       "possible. \nVerify, that the senor shines on a WHITE target! \nChoose a "
                       "proper POWER value. ");
      return;
    case CalibrationVerdict::kPassed:
      break;
  }
  static const int kBoxes[3] = {TABCALIB_NUM_CFRED, TABCALIB_NUM_CFGREEN, TABCALIB_NUM_CFBLUE};
  for (int c = 0; c < 3; ++c) {
    gCalibration.factor[c] = r.factor[c];
    ui::SetCtrlVal(CalibPage(), kBoxes[c], r.factor[c]);
  }
  ui::MessagePopup("CALIBRATION PASSED!",
                   "Calibration successful! \nCalibration factors were sent to the EEPROM of the "
                   "sensor. \nGO mode will be activated. ");
}

MeasurementOutcome CalculateCalibrationFactors() {
  gLive.goRunning = 0;
  if (gChannel.protocol != 1) {
    ui::FlushInQ(gChannel.port);
    ui::FlushOutQ(gChannel.port);
  }
  if (ui::ConfirmPopup("CONFIRM CALCULATION!",
                       "Are you sure, that you have selected the right calibration parameters? ") !=
      1) {
    ui::MessagePopup("INFO!",
                     "Please insert the right values and press \n CALCULATE CALIBRATION FACTORS "
                     "again.");
    return MeasurementOutcome::kDeclined;
  }

  uint32_t sum[4] = {};  // raw RED, GREEN, BLUE and the raw delta
  int frames = 0;
  for (int i = 0; i < kCalibrationFrames; ++i) {
    if (i % kFramesPerBlink == 0)
      SetCalcButtonColor((i / kFramesPerBlink) % 2 == 0 ? kBlinkRed : kBlinkGrey);
    gLink.linkOk = 1;
    if (ExchangeOrder(kOrderLiveFrame, 0) != 1) {
      if (TimedOut()) break;
      continue;  // a damaged frame: skipped, already reported
    }
    if (!gLink.linkOk) continue;  // the sensor answered with a status, not a frame
    UnpackReplyToReplyWords();
    CopyLiveFrame();
    ShowCalibrationRawValues();
    const uint16_t* f = gLive.frame;
    sum[0] += f[kLiveRawRed];
    sum[1] += f[kLiveRawGreen];
    sum[2] += f[kLiveRawBlue];
    sum[3] += RawDeltaOf(f);
    ++frames;
  }
  SetCalcButtonColor(kBlinkGrey);

  if (frames == 0) {
    ReportNoFrame();
    return MeasurementOutcome::kNoFrame;
  }
  RawMeans means;
  for (int c = 0; c < 3; ++c) means.channel[c] = static_cast<uint16_t>(sum[c] / frames);
  means.delta = static_cast<uint16_t>(sum[3] / frames);
  CheckAndApplyCalibration(means);
  return MeasurementOutcome::kMeasured;
}

void RunWhiteCalibration() {
  if (ConfirmWhiteTarget() != 1) return;
  SetButtonsDimmed(0, 1);
  // Without a single frame the sensor is not answering: sending and GO would
  // only wait for two more time-outs.
  if (CalculateCalibrationFactors() != MeasurementOutcome::kNoFrame) {
    if (SendCalibrationFactors()) RunGoLoop();
  }
  SetButtonsDimmed(0, 0);
}
