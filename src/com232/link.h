// The sensor link: one request frame out, one reply frame back, over the
// serial port or the TCP conversation that LinkChannel names. Every failure goes
// through ShowLinkError. State lives in fixed buffers, one set for the program.
#pragma once

#include <cstdint>

#include "com232/protocol.h"

constexpr int kReceiveBufferBytes = 2048;
constexpr int kMaxReplyDataBytes = kReceiveBufferBytes - kHeaderBytes;  // 2040
constexpr int kWordBufferWords = 1024;
constexpr double kReplyTimeoutSeconds = 3.0;
// The serial port's own time-out for one read or write.
constexpr double kComTimeoutSeconds = 2.0;
// Connecting to the server; a read of bytes the socket has announced; a write
// (one that cannot go out shows as a time-out of the reply).
constexpr int kTcpConnectTimeoutMs = 5000;
constexpr int kTcpReadTimeoutMs = 5000;
constexpr int kTcpWriteTimeoutMs = 2000;

struct LinkChannel {
  uint16_t protocol = 0;  // 0 RS-232, 1 TCP/IP
  uint16_t port = 1;      // COM port number
  uint16_t baudIndex = 4;
  char host[256] = {};
  char portNumberText[32] = {};  // taken from the communication page before each connect
  int32_t tcpPort = 0;
  uint32_t conversation = 0;
  int16_t tcpConnected = 0;
  int32_t openResult = 0;
};

struct Link {
  uint8_t RequestFrame[kHeaderBytes + 2 * kWordBufferWords] = {};
  uint16_t DataWords[kWordBufferWords] = {};
  uint16_t ReplyWords[kWordBufferWords] = {};
  uint8_t ReceiveBuffer[kReceiveBufferBytes] = {};
  int32_t receivedCount = 0;
  int32_t comError = 0;
  uint8_t replyCode = 0;
  uint16_t statusWord = 0;
  uint16_t dataLength = 0;
  uint8_t dataCrc = 0;
  char linkMessage[256] = {};
  int linkOk = 0;
  // Set while the sensor sends frames on its own: arrivals over TCP that do not
  // fit the receive buffer wait in the conversation instead of being dropped.
  int holdArrivals = 0;
};

extern LinkChannel gChannel;
extern Link gLink;

// Frames.
void BuildRequest(uint8_t order, uint16_t argument, uint16_t dataLength);
int Transfer(int totalBytes);
// The two halves of Transfer: the request goes out, then the reply is awaited.
void SendRequest(int totalBytes);
int ReceiveReply();
int ReceiveHeader();
int CheckHeader();
int ReceiveData();
void UnpackReplyToDataWords();
void UnpackReplyToReplyWords();

// The one error display of the link: clears linkOk and hands the message to
// the display the application installed, which shows it and ends GO.
using LinkErrorDisplay = void (*)(const char* message);
void SetLinkErrorDisplay(LinkErrorDisplay display);
void SetLinkMessage(const char* text);
void ShowLinkError();

// Channels.
long BaudRateOfIndex(int baudIndex);
int OpenSerialChannel();
int ConnectTcpChannel();
int OnTcpEvent(unsigned handle, int event, int errorCode, void* callbackData);
void CloseChannels();
const char* SerialErrorText(int code);
const char* TcpErrorText(int code);

// Message texts of the link.
extern const char* const kTimeoutText;
extern const char* const kHeaderIncorrectText;
extern const char* const kDataIncorrectText;
extern const char* const kInvalidOrderText;
extern const char* const kControlUnitErrorText;
extern const char* const kServerClosedText;
