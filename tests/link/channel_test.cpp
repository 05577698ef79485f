// Opening the serial port and the TCP conversation, and their failures.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/serial.h"
#include "ui/tcp.h"
#include "ui/ui.h"

namespace {

class Channel : public AppFixture {};

// A TCP port on which nothing listens.
int FreePort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  close(fd);
  return ntohs(a.sin_port);
}

TEST_F(Channel, SerialDeviceThatCannotBeOpened) {
  ASSERT_TRUE(StartApp());
  ClearLog();
  ui::SetComDevice(5, dir + "/no-such-tty");
  gChannel.port = 5;
  EXPECT_EQ(OpenSerialChannel(), ui::kComNoSerialPort);
  EXPECT_EQ(Log(), "No serial port found\n\n");
  EXPECT_EQ(Status(), "TIMEOUT!");
  EXPECT_EQ(ActiveMainPage(), kPageComm);
}

TEST_F(Channel, SerialErrorTexts) {
  struct Case {
    int code;
    const char* text;
  };
  const Case cases[] = {{-1, "Unknown system error"}, {-2, "Invalid port number"},
                        {-3, "Port is not open"},     {-4, "Unknown I/0 error"},
                        {-6, "No serial port found"}, {-7, "Cannot open port"},
                        {-14, "Invalid Baudrate"},    {-99, "Timeout"},
                        {-5, "RS-232 error!"},        {-100, "RS-232 error!"}};
  for (const auto& c : cases) EXPECT_STREQ(SerialErrorText(c.code), c.text) << c.code;
}

TEST_F(Channel, TcpErrorTexts) {
  EXPECT_STREQ(TcpErrorText(-1), "UnableToRegisterService");
  EXPECT_STREQ(TcpErrorText(-4), "FailedToConnect");
  EXPECT_STREQ(TcpErrorText(-11), "TimeOutError");
  EXPECT_STREQ(TcpErrorText(-20), "InfoNotAvailable");
  EXPECT_STREQ(TcpErrorText(-21), "Connection to server failed");
}

TEST_F(Channel, UnknownBaudIndexOpensAt115200) {
  ASSERT_TRUE(StartApp());
  UsePtySensor(3);
  ClearLog();
  struct Case {
    int index;
    long baud;
  };
  for (Case c : {Case{0, 9600}, Case{3, 57600}, Case{7, 115200}}) {
    gChannel.baudIndex = static_cast<uint16_t>(c.index);
    ASSERT_GE(OpenSerialChannel(), 0);
    EXPECT_EQ(ui::ComBaudRate(3), c.baud) << c.index;
  }
  EXPECT_EQ(Log(), "");
}

TEST_F(Channel, NothingListening) {
  ASSERT_TRUE(StartApp());
  ClearLog();
  gChannel.protocol = 1;
  std::snprintf(gChannel.host, sizeof gChannel.host, "127.0.0.1");
  gChannel.tcpPort = FreePort();
  int result = ConnectTcpChannel();
  EXPECT_LT(result, 0);
  EXPECT_EQ(gChannel.tcpConnected, 0);
  EXPECT_EQ(Log(), std::string(TcpErrorText(result)) + "\n\n");
  EXPECT_EQ(ActiveMainPage(), kPageComm);
}

TEST_F(Channel, FailedReadInTheArrivalCallbackKeepsTheCount) {
  ASSERT_TRUE(StartApp());
  gLink.receivedCount = 5;
  OnTcpEvent(987654, ui::TCP_DATAREADY, 0, nullptr);  // no such conversation: the read fails
  EXPECT_EQ(gLink.receivedCount, 5);
}

TEST_F(Channel, CloseChannelsEndsTheConversation) {
  StartWithTcpSensor();
  ClearLog();
  unsigned handle = gChannel.conversation;
  CloseChannels();
  EXPECT_EQ(gChannel.tcpConnected, 0);
  uint8_t b[4] = {};
  EXPECT_LT(ui::ClientTCPWrite(handle, b, sizeof b, 100), 0);
  EXPECT_EQ(Log(), "");
}

}  // namespace
