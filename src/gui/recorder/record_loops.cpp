#include "gui/recorder/record_loops.h"

#include <cstring>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/recorder/record_file.h"
#include "gui/recorder/record_graphs.h"
#include "gui/recorder/record_page.h"
#include "gui/recorder/recorder_state.h"
#include "gui/shell/shell.h"
#include "ui/serial.h"
#include "ui/tcp.h"
#include "ui/ui.h"

const char* const kTriggerPortErrorText =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT "
    "AGAIN!";

namespace {

// A triggered recording waits without a time-out; this only bounds each sleep.
constexpr double kIdleWakeSeconds = 0.5;

bool Serial() {
  return gChannel.protocol != 1;
}

int Page() {
  return MainTab(kPageRecorder);
}

// The frame in the receive buffer becomes a recorded line and a sample.
void RecordReceivedFrame() {
  UnpackReplyToReplyWords();
  CopyLiveFrame();
  PlotRecordedValues();
  ShowLiveFrame();
  UpdateLiveGraphs();
  AppendRecordLine();
  if (gRecorder.onFrameRecorded) gRecorder.onFrameRecorded();
}

// Over TCP the receive buffer may already hold the start of the next frame
// behind the one just handled: that part moves to the front instead of being
// dropped, so no frame is lost or cut when two arrive together.
void DropHandledFrame(int frameBytes) {
  if (Serial()) return;
  int rest = gLink.receivedCount - frameBytes;
  if (rest > 0)
    std::memmove(gLink.ReceiveBuffer, gLink.ReceiveBuffer + frameBytes, static_cast<size_t>(rest));
  gLink.receivedCount = rest > 0 ? rest : 0;
  // What waited in the conversation for room comes in now.
  int room = kReceiveBufferBytes - gLink.receivedCount;
  if (room <= 0 || !gChannel.tcpConnected) return;
  int n = ui::ClientTCPRead(gChannel.conversation, gLink.ReceiveBuffer + gLink.receivedCount,
                            static_cast<size_t>(room), 0);
  if (n > 0) gLink.receivedCount += n;
}

// Frames the sensor sends on its own may come faster than a moment's pause of
// the program takes them: none may be dropped while they stream in.
struct HeldArrivals {
  HeldArrivals() { gLink.holdArrivals = 1; }
  ~HeldArrivals() { gLink.holdArrivals = 0; }
};

enum class HeaderWait { kHeader, kStopped, kPortError };

// Waits for the header of a frame the sensor sends by itself; only the GO flag
// or a port error ends the wait.
HeaderWait AwaitTriggeredHeader() {
  for (bool first = true;; first = false) {
    if (first)
      ui::ProcessSystemEvents();
    else
      ui::WaitForSystemEvents(kIdleWakeSeconds);
    if (Serial()) {
      gLink.receivedCount = ui::GetInQLen(gChannel.port);
      gLink.comError = ui::GetComStat(gChannel.port);
      // A port that is no longer open brings nothing more either.
      if (gLink.comError > 0 || gLink.receivedCount < 0) return HeaderWait::kPortError;
      if (!gLive.goRunning) return HeaderWait::kStopped;
      if (gLink.receivedCount >= kHeaderBytes) {
        ui::ComRd(gChannel.port, gLink.ReceiveBuffer, kHeaderBytes);
        return HeaderWait::kHeader;
      }
    } else {
      if (!gLive.goRunning) return HeaderWait::kStopped;
      if (gLink.receivedCount >= kHeaderBytes) return HeaderWait::kHeader;
    }
  }
}

}  // namespace

void RunIntervalRecord() {
  gLive.goRunning = 1;
  gRecorder.recordCount = 0;
  UpdateRecordTime();
  gRecorder.runningCounter = 0;
  const int page = Page();
  const double interval = ui::GetCtrlDouble(page, TABREC_NUM_INTERVAL);
  const int frames = ui::GetCtrlInt(page, TABREC_NUM_NUMBER);
  while (gLive.goRunning) {
    double cycleStart = ui::Timer();
    gLink.linkOk = 1;
    // A reply that the link reported (a status error) is no frame to record.
    if (ExchangeOrder(kOrderLiveFrame, 0) == 1 && gLink.linkOk) RecordReceivedFrame();
    int mode = CurrentRecordMode();
    if (mode == kRecordIntervalN) {
      ++gRecorder.recordCount;
      ui::SetCtrlVal(page, TABREC_DISP_RECORDED, gRecorder.recordCount);
      ui::SetCtrlVal(page, TABREC_DISP_REMAINING, frames - gRecorder.recordCount);
      if (gRecorder.recordCount == frames) gLive.goRunning = 0;
    } else if (mode == kRecordIntervalUntil) {
      gRecorder.runningCounter += 1;
      ui::SetCtrlVal(page, TABREC_DISP_RUNNING, gRecorder.runningCounter);
    }
    WaitRecordInterval(cycleStart, interval);
  }
}

void WaitRecordInterval(double cycleStart, double interval) {
  for (;;) {
    double left = interval - (ui::Timer() - cycleStart);
    ui::WaitForSystemEvents(left > 0 ? left : 0);
    if (!gLive.goRunning || ui::Timer() - cycleStart >= interval) return;
  }
}

void RunTriggeredRecord() {
  gLink.holdArrivals = 1;
  gLink.linkOk = 1;
  if (ExchangeOrder(kOrderStream, 1) != 1 || !gLink.linkOk) return;
  // The first frame may have come in right behind the reply.
  DropHandledFrame(kHeaderBytes + gLink.dataLength);
  gRecorder.runningCounter = 0;
  gLink.comError = 0;
  gLive.goRunning = 1;
  while (gLive.goRunning) {
    HeaderWait w = AwaitTriggeredHeader();
    if (w == HeaderWait::kStopped) return;
    if (w == HeaderWait::kPortError) {
      SetLinkMessage(kTriggerPortErrorText);
      ShowLinkError();
      return;
    }
    // A broken frame is reported there, which also ends the recording.
    if (CheckHeader() != 1) return;
    if (gLink.dataLength > 0 && ReceiveData() != 1) return;
    // A frame without data carries no measurement.
    if (gLink.dataLength > 0) {
      RecordReceivedFrame();
      gRecorder.runningCounter += 1;
      ui::SetCtrlVal(Page(), TABREC_DISP_RUNNING, gRecorder.runningCounter);
    }
    DropHandledFrame(kHeaderBytes + gLink.dataLength);
  }
}

void StopTriggeredRecord() {
  HeldArrivals held;
  // After a link failure the line is in an unknown state: a plain exchange,
  // which starts from an empty input, is the best that can be done.
  if (!gLink.linkOk) {
    ExchangeOrder(kOrderStream, 0);
    return;
  }
  // Frames the sensor sent before it took the stop may still be on their way,
  // and the input ends on a frame boundary now. So the request goes out without
  // emptying the input, and whole frames are read past until the reply.
  BuildRequest(kOrderStream, 0, 0);
  gLink.comError = 0;
  if (Serial())
    ui::ComWrt(gChannel.port, gLink.RequestFrame, kHeaderBytes);
  else
    ui::ClientTCPWrite(gChannel.conversation, gLink.RequestFrame, kHeaderBytes, 2000);
  double start = ui::Timer();
  for (;;) {
    if (ReceiveHeader() != 1) return;
    if (gLink.dataLength > 0 && ReceiveData() != 1) return;
    bool triggeredFrame = gLink.replyCode == kOrderLiveFrame;
    DropHandledFrame(kHeaderBytes + gLink.dataLength);
    if (!triggeredFrame) return;
    if (ui::Timer() - start > kReplyTimeoutSeconds) {
      SetLinkMessage(kTimeoutText);
      ShowLinkError();
      return;
    }
  }
}

void RecordManualFrame() {
  PlotRecordedValues();
  AppendRecordLine();
  ++gRecorder.recordCount;
  ui::SetCtrlVal(Page(), TABREC_DISP_RECORDED, gRecorder.recordCount);
}
