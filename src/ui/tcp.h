// The TCP client: one conversation per handle; arrivals and the server's
// disconnect reach the callback on the user-interface thread, inside event
// processing. Negative results follow the usual TCP-library error codes.
#pragma once

#include <cstddef>
#include <string>

namespace ui {

enum TcpEventType { TCP_CONNECT = 1, TCP_DISCONNECT = 2, TCP_DATAREADY = 3 };
enum TcpError {
  kTCP_UnableToEstablishConnection = -2,
  kTCP_FailedToConnect = -4,
  kTCP_ReadFailed = -7,
  kTCP_WriteFailed = -8,
  kTCP_InvalidParameter = -9,
  kTCP_TimeOutErr = -11,
  kTCP_NoConnectionEstablished = -12,
  kTCP_ConnectionClosed = -14,
};

using TcpCallback = int (*)(unsigned handle, int eventType, int errorCode, void* callbackData);

int ConnectToTCPServer(unsigned* handle, int port, const std::string& host, TcpCallback callback,
                       void* callbackData, int timeoutMs);
int DisconnectFromTCPServer(unsigned handle);
// Reads what has arrived, at most size bytes; waits up to timeoutMs when nothing is there.
int ClientTCPRead(unsigned handle, void* buffer, size_t size, int timeoutMs);
int ClientTCPWrite(unsigned handle, const void* buffer, size_t size, int timeoutMs);

}  // namespace ui
