// Opening and closing the serial port and the TCP conversation; arrivals over
// TCP are gathered into the receive buffer.
#include "com232/link.h"
#include "ui/serial.h"
#include "ui/tcp.h"
#include "ui/ui.h"

namespace {

struct CodeText {
  int code;
  const char* text;
};

constexpr CodeText kSerialErrors[] = {
    {ui::kComUnknownSystemError, "Unknown system error"},
    {ui::kComInvalidPortNumber, "Invalid port number"},
    {ui::kComPortNotOpen, "Port is not open"},
    {ui::kComIoError, "Unknown I/0 error"},
    {ui::kComNoSerialPort, "No serial port found"},
    {ui::kComCannotOpenPort, "Cannot open port"},
    {ui::kComInvalidBaudrate, "Invalid Baudrate"},
    {ui::kComTimeout, "Timeout"},
};

constexpr const char* kTcpErrors[] = {
    "UnableToRegisterService",
    "UnableToEstablishConnection",
    "ExistingServer",
    "FailedToConnect",
    "ServerNotRegistered",
    "TooManyConversations",
    "ReadFailed",
    "WriteFailed",
    "InvalidParameter",
    "OutOfMemory",
    "TimeOutError",
    "NoConnectionEstablished",
    "GeneralIOErr",
    "ConnectionClosed",
    "UnableToLoadWinsockDLL",
    "IncorrectWinsockDLLVersion",
    "NetworkSubsystemNotReady",
    "ConnectionsStillOpen",
    "DisconnectPending",
    "InfoNotAvailable",
};

}  // namespace

const char* SerialErrorText(int code) {
  for (const auto& e : kSerialErrors)
    if (e.code == code) return e.text;
  return "RS-232 error!";
}

const char* TcpErrorText(int code) {
  if (code <= -1 && code >= -20) return kTcpErrors[-code - 1];
  return "Connection to server failed";
}

long BaudRateOfIndex(int baudIndex) {
  bool known = baudIndex >= 0 && baudIndex < static_cast<int>(kBaudRates.size());
  return kBaudRates[known ? static_cast<size_t>(baudIndex) : kDefaultBaudIndex];
}

int OpenSerialChannel() {
  ui::CloseCom(gChannel.port);
  gChannel.openResult = ui::OpenComConfig(gChannel.port, "", BaudRateOfIndex(gChannel.baudIndex), 0,
                                          8, 1, 1024, 1024);
  if (gChannel.openResult < 0) {
    SetLinkMessage(SerialErrorText(gChannel.openResult));
    ShowLinkError();
    return gChannel.openResult;
  }
  ui::SetComTime(gChannel.port, kComTimeoutSeconds);
  ui::FlushInQ(gChannel.port);
  ui::FlushOutQ(gChannel.port);
  ui::SetCTSMode(gChannel.port, 0);
  return gChannel.openResult;
}

int ConnectTcpChannel() {
  if (gChannel.tcpConnected) {
    ui::DisconnectFromTCPServer(gChannel.conversation);
    gChannel.conversation = 0;
    gChannel.tcpConnected = 0;
  }
  ui::SetWaitCursor(1);
  unsigned handle = 0;
  gChannel.openResult = ui::ConnectToTCPServer(&handle, gChannel.tcpPort, gChannel.host, OnTcpEvent,
                                               nullptr, kTcpConnectTimeoutMs);
  ui::SetWaitCursor(0);
  if (gChannel.openResult >= 0) {
    gChannel.conversation = handle;
    gChannel.tcpConnected = 1;
  } else {
    SetLinkMessage(TcpErrorText(gChannel.openResult));
    ShowLinkError();
    gChannel.tcpConnected = 0;
  }
  return gChannel.openResult;
}

int OnTcpEvent(unsigned handle, int event, int errorCode, void* callbackData) {
  (void)errorCode;
  (void)callbackData;
  if (event == ui::TCP_DATAREADY) {
    int room = kReceiveBufferBytes - gLink.receivedCount;
    if (room > 0) {
      int n = ui::ClientTCPRead(handle, gLink.ReceiveBuffer + gLink.receivedCount,
                                static_cast<size_t>(room), kTcpReadTimeoutMs);
      // A failed read leaves the bytes already gathered as they are.
      if (n > 0) gLink.receivedCount += n;
    }
    // Whatever does not fit can belong to no reply; leaving it queued would
    // corrupt the next exchange.
    if (gLink.receivedCount >= kReceiveBufferBytes && !gLink.holdArrivals) {
      uint8_t scratch[256];
      while (ui::ClientTCPRead(handle, scratch, sizeof scratch, 0) > 0) {
      }
    }
  } else if (event == ui::TCP_DISCONNECT) {
    SetLinkMessage(kServerClosedText);
    ShowLinkError();
    gChannel.conversation = 0;
    gChannel.tcpConnected = 0;
  }
  return 0;
}

void CloseChannels() {
  if (gChannel.tcpConnected) {
    ui::DisconnectFromTCPServer(gChannel.conversation);
    gChannel.conversation = 0;
    gChannel.tcpConnected = 0;
  }
  ui::CloseCom(gChannel.port);
}
