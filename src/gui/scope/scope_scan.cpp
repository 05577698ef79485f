#include "gui/scope/scope_scan.h"

#include <cstring>

#include "Colmira3V42_uir.h"
#include "com232/crc8.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/scope/scope_math.h"
#include "gui/scope/scope_state.h"
#include "gui/scope/scope_view.h"
#include "gui/shell/shell.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

constexpr int kScopeDataBytes = 2 * kScopeFrameWords;  // 258
// Longest sleep between two looks at the flag; any event wakes the wait earlier.
constexpr double kIdleWakeSeconds = 0.5;
const char* const kPortErrorText =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT "
    "AGAIN!";

bool Serial() {
  return gChannel.protocol != 1;
}

// One turn of the wait: the first turn only runs what is pending, later turns
// sleep until something happens.
void WaitTurn(bool& first) {
  if (first) {
    ui::ProcessSystemEvents();
    first = false;
  } else {
    ui::WaitForSystemEvents(kIdleWakeSeconds);
  }
}

uint16_t PageValue(int ctrl) {
  return static_cast<uint16_t>(ui::GetCtrlInt(MainTab(kPageScope), ctrl));
}

void ReadSettingsFromPage() {
  gScope.triggerMode = PageValue(TABSCOPE_RING_TRIGMODE);
  gScope.preTrigger = PageValue(TABSCOPE_NUM_PRETRIG);
  gScope.triggerLevel = PageValue(TABSCOPE_NUM_TRIGLEVEL);
  gScope.scanRate = PageValue(TABSCOPE_NUM_SCANRATE);
  gScope.recordedSignal = PageValue(TABSCOPE_RING_RECSIGNAL);
}

// The frame now at the start of ReceiveBuffer, unpacked into block k.
void StoreBlock(int k) {
  UnpackReplyToReplyWords();
  gScope.triggerIndex = gLink.ReplyWords[kScopeSamples];
  RotateScopeRing(gLink.ReplyWords, gScope.triggerMode, gScope.preTrigger, gScope.triggerIndex,
                  gScope.blocks[k]);
}

void Fail(const char* text) {
  SetLinkMessage(text);
  ShowLinkError();
}

// Serial: each frame is read as it comes; a broken one is reported and its
// block keeps the samples it had. Returns false when the scan ends unplotted.
bool ReadSerialFrames() {
  for (int k = 0; k < kScopeBlocks; ++k) {
    gLink.comError = 0;
    bool first = true;
    for (;;) {
      WaitTurn(first);
      gLink.receivedCount = ui::GetInQLen(gChannel.port);
      gLink.comError = ui::GetComStat(gChannel.port);
      if (gLink.comError > 0) break;
      if (gScope.scanRunning == 0) return false;
      if (gLink.receivedCount >= kHeaderBytes) break;
    }
    if (gLink.comError > 0) {
      Fail(kPortErrorText);
      return false;
    }
    ui::ComRd(gChannel.port, gLink.ReceiveBuffer, kHeaderBytes);
    if (CheckHeader() != 1) continue;
    if (gLink.dataLength != kScopeDataBytes) {
      // Not a scope frame: its data cannot be taken for the 129 words.
      Fail(kHeaderIncorrectText);
      continue;
    }
    if (ReceiveData() == 1) StoreBlock(k);
  }
  return true;
}

// TCP: the arrival callback gathers the scan request's reply header and then
// the four frames in ReceiveBuffer; all four must be sound to be plotted.
bool ReadTcpFrames() {
  constexpr int kAll = kHeaderBytes + kScopeBlocks * kScopeFrameBytes;  // 1072
  bool first = true;
  for (;;) {
    WaitTurn(first);
    if (gScope.scanRunning == 0) return false;
    // A closed conversation brings no frames; its end is already reported.
    if (!gChannel.tcpConnected) return false;
    if (gLink.receivedCount >= kAll) break;
  }
  static uint8_t frames[kScopeBlocks * kScopeFrameBytes];
  std::memcpy(frames, gLink.ReceiveBuffer + kHeaderBytes, sizeof frames);
  for (int k = 0; k < kScopeBlocks; ++k) {
    std::memcpy(gLink.ReceiveBuffer, frames + k * kScopeFrameBytes, kScopeFrameBytes);
    if (CheckHeader() != 1) return false;
    if (gLink.dataLength != kScopeDataBytes) {
      Fail(kHeaderIncorrectText);
      return false;
    }
    if (Crc8(gLink.ReceiveBuffer, kHeaderBytes, gLink.dataLength) != gLink.dataCrc) {
      Fail(kDataIncorrectText);
      return false;
    }
    StoreBlock(k);
  }
  return true;
}

}  // namespace

void RunScopeScan() {
  ReadSettingsFromPage();
  gLink.DataWords[0] = gScope.triggerMode;
  gLink.DataWords[1] = gScope.preTrigger;
  gLink.DataWords[2] = gScope.triggerLevel;
  gLink.DataWords[3] = gScope.scanRate;
  gLink.DataWords[4] = gScope.recordedSignal;
  if (ExchangeOrder(kOrderScan, 1, 5) != 1) return;

  ui::SetCtrlAttribute(MainTab(kPageScope), TABSCOPE_BUTTON_BREAK, ui::ATTR_DIMMED, 0);
  gScope.scanRunning = 1;
  bool complete = Serial() ? ReadSerialFrames() : ReadTcpFrames();
  gScope.scanRunning = 0;
  if (complete) PlotScopeBlocks();
}

void BreakScopeScan() {
  ExchangeOrder(kOrderScan, 0);
  gScope.scanRunning = 0;
}
