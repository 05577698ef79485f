#include "gui/calib/calibration_values.h"

#include <cstdio>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

CalibrationValues gCalibration;

namespace {

constexpr int kFactorBoxes[3] = {TABCALIB_NUM_CFRED, TABCALIB_NUM_CFGREEN, TABCALIB_NUM_CFBLUE};
constexpr int kOffsetBoxes[3] = {TABOFFSET_NUM_RED, TABOFFSET_NUM_GREEN, TABOFFSET_NUM_BLUE};
constexpr uint16_t kFactorArgument = 0;
constexpr uint16_t kOffsetArgument = 1;

int CalibPage() {
  return MainTab(kPageCalibration);
}
int OffsetPage() {
  return MainTab(kPageOffset);
}

// A reply that arrived without a status message and carries at least `words`
// words. A shorter one would leave words of an earlier exchange in the buffer,
// so it is reported like damaged data and not taken.
bool ReplyCarries(int words) {
  if (!gLink.linkOk) return false;
  if (gLink.dataLength >= 2 * words) return true;
  SetLinkMessage(kDataIncorrectText);
  ShowLinkError();
  return false;
}

// Sends three boxes with order 0x65; the reply's status word counts the values
// the sensor replaced by its defaults.
bool SendTriple(int page, const int (&boxes)[3], uint16_t argument) {
  for (int c = 0; c < 3; ++c)
    gLink.DataWords[c] = static_cast<uint16_t>(ui::GetCtrlInt(page, boxes[c]));
  if (ExchangeOrder(kOrderWriteFactors, argument, 3) != 1) return false;
  if (gLink.statusWord > 0) {
    char text[sizeof gLink.linkMessage];
    std::snprintf(text, sizeof text,
                  "INFO!\n%u PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO "
                  "DEFAULT VALUE!",
                  static_cast<unsigned>(gLink.statusWord));
    SetLinkMessage(text);
    ShowLinkError();
  }
  return true;
}

}  // namespace

void ReadCalibrationValues() {
  gLink.linkOk = 1;
  if (ExchangeOrder(kOrderReadFactors, 0) != 1 || !ReplyCarries(6)) return;
  UnpackReplyToDataWords();
  for (int c = 0; c < 3; ++c) {
    gCalibration.factor[c] = gLink.DataWords[c];
    gCalibration.offset[c] = gLink.DataWords[3 + c];
    ui::SetCtrlVal(CalibPage(), kFactorBoxes[c], gCalibration.factor[c]);
    ui::SetCtrlVal(OffsetPage(), kOffsetBoxes[c], gCalibration.offset[c]);
  }
}

bool SendCalibrationFactors() {
  bool arrived = SendTriple(CalibPage(), kFactorBoxes, kFactorArgument);
  for (int c = 0; c < 3; ++c)
    gCalibration.factor[c] = static_cast<uint16_t>(ui::GetCtrlInt(CalibPage(), kFactorBoxes[c]));
  return arrived;
}

void SendOffsetValues() {
  SendTriple(OffsetPage(), kOffsetBoxes, kOffsetArgument);
  for (int c = 0; c < 3; ++c)
    gCalibration.offset[c] = static_cast<uint16_t>(ui::GetCtrlInt(OffsetPage(), kOffsetBoxes[c]));
}

int ConfirmWhiteTarget() {
  return ui::ConfirmPopup("SEND POWER",
                          "Make sure, that the sensor shines on a WHITE target! \nSelect a proper "
                          "POWER value that the RAW DATAS are within the dynamic range.  \nRepeat "
                          "as long as the intensity for the RAW DATAS is NOT OK.");
}

void StartSelfCalibration() {
  if (ConfirmWhiteTarget() != 1) return;
  SetButtonsDimmed(0, 1);
  gLink.linkOk = 1;
  if (ExchangeOrder(kOrderSelfCalibration, 0) == 1 && ReplyCarries(5)) {
    UnpackReplyToDataWords();
    for (int c = 0; c < 3; ++c) {
      gCalibration.factor[c] = gLink.DataWords[c];
      ui::SetCtrlVal(CalibPage(), kFactorBoxes[c], gCalibration.factor[c]);
    }
    gCalibration.setValue = gLink.DataWords[3];
    gCalibration.maxDelta = gLink.DataWords[4];
    ui::SetCtrlVal(CalibPage(), TABCALIB_NUM_SETVALUE, gCalibration.setValue);
    ui::SetCtrlVal(CalibPage(), TABCALIB_NUM_MAXDELTA, gCalibration.maxDelta);
    ui::MessagePopup("ATTENTION!", "Confirm calibration factors with SEND CF.");
  }
  SetButtonsDimmed(0, 0);
}

void CalculateOffsetValues() {
  if (ui::ConfirmPopup("CALCULATE OFFSET",
                       "Make sure, that the receiver of the sensor is covered!") != 1)
    return;
  SetButtonsDimmed(0, 1);
  if (ExchangeOrder(kOrderDetectOffsets, kOffsetArgument) == 1) {
    ReadCalibrationValues();
    // After a failed read the displays show the offsets held before.
    constexpr int kDisplays[3] = {TABOFFSET_DISP_RED, TABOFFSET_DISP_GREEN, TABOFFSET_DISP_BLUE};
    for (int c = 0; c < 3; ++c) ui::SetCtrlVal(OffsetPage(), kDisplays[c], gCalibration.offset[c]);
  }
  SetButtonsDimmed(0, 0);
}
