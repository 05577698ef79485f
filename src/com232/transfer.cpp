// One exchange: send the request, wait for the reply header and its data.
// The waits keep the user interface alive and sleep between events.
#include <cstring>

#include "com232/crc8.h"
#include "com232/link.h"
#include "ui/serial.h"
#include "ui/tcp.h"
#include "ui/ui.h"

namespace {

bool Serial() {
  return gChannel.protocol != 1;
}

// Waits until `enough` says the bytes are there or the reply time-out passes.
// Every turn processes the pending events first; returns true on time-out.
template <typename Enough>
bool WaitForBytes(Enough enough) {
  double start = ui::Timer();
  bool first = true;
  for (;;) {
    if (first) {
      ui::ProcessSystemEvents();
      first = false;
    } else {
      double left = kReplyTimeoutSeconds - (ui::Timer() - start);
      ui::WaitForSystemEvents(left > 0 ? left + 0.001 : 0.001);
    }
    if (Serial()) gLink.receivedCount = ui::GetInQLen(gChannel.port);
    double elapsed = ui::Timer() - start;
    bool have = enough();
    // A conversation the server has closed brings nothing more.
    if (!have && !Serial() && !gChannel.tcpConnected) return true;
    if (elapsed > kReplyTimeoutSeconds) return !have;
    if (have) return false;
  }
}

int TimeoutFailure() {
  SetLinkMessage(kTimeoutText);
  ShowLinkError();
  return -1;
}

}  // namespace

int Transfer(int totalBytes) {
  SendRequest(totalBytes);
  return ReceiveReply();
}

void SendRequest(int totalBytes) {
  std::memset(gLink.ReceiveBuffer, 0, sizeof gLink.ReceiveBuffer);
  gLink.comError = 0;
  if (totalBytes > static_cast<int>(sizeof gLink.RequestFrame))
    totalBytes = static_cast<int>(sizeof gLink.RequestFrame);
  if (Serial()) {
    ui::FlushInQ(gChannel.port);
    ui::FlushOutQ(gChannel.port);
    ui::ComWrt(gChannel.port, gLink.RequestFrame, totalBytes);
  } else {
    gLink.receivedCount = 0;
    // A failed write shows as a time-out of the reply.
    ui::ClientTCPWrite(gChannel.conversation, gLink.RequestFrame, static_cast<size_t>(totalBytes),
                       kTcpWriteTimeoutMs);
  }
  ui::ScreenRefreshPoint();
}

int ReceiveReply() {
  int result = ReceiveHeader();
  if (result == 1 && gLink.dataLength > 0) result = ReceiveData();
  return result;
}

int ReceiveHeader() {
  bool timedOut = WaitForBytes([] { return gLink.receivedCount >= kHeaderBytes; });
  if (Serial()) {
    gLink.comError = ui::GetComStat(gChannel.port);
    ui::ComRd(gChannel.port, gLink.ReceiveBuffer, kHeaderBytes);
  }
  if (timedOut || gLink.comError > 0) return TimeoutFailure();
  if (CheckHeader() != 1) return -1;
  if (gLink.replyCode == 0) {
    if (gLink.statusWord == 1) {
      SetLinkMessage(kInvalidOrderText);
      ShowLinkError();
    } else if (gLink.statusWord == 2) {
      SetLinkMessage(kControlUnitErrorText);
      ShowLinkError();
    }
  }
  return 1;
}

int ReceiveData() {
  int n = gLink.dataLength;
  if (n > kMaxReplyDataBytes) n = kMaxReplyDataBytes;
  bool timedOut = WaitForBytes([n] {
    return Serial() ? gLink.receivedCount >= n : gLink.receivedCount >= n + kHeaderBytes;
  });
  if (Serial()) {
    gLink.comError = ui::GetComStat(gChannel.port);
    ui::ComRd(gChannel.port, gLink.ReceiveBuffer + kHeaderBytes, n);
  }
  if (timedOut || gLink.comError > 0) return TimeoutFailure();
  if (Crc8(gLink.ReceiveBuffer, kHeaderBytes, n) == gLink.dataCrc) return 1;
  SetLinkMessage(kDataIncorrectText);
  ShowLinkError();
  return -1;
}
