// The transports through real sockets and pseudo-terminals, driven by plain POSIX
// client code as the tool's channels would drive them.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include "sim/pty_transport.h"
#include "sim/tcp_transport.h"
#include "sim_test_util.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::Decode;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int ConnectTcp(uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int OpenSerial(const std::string& path, speed_t speed = B115200) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

void Send(int fd, const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Reads until `count` bytes are there, the peer is gone or the time is up.
std::vector<uint8_t> ReadBytes(int fd, size_t count, std::chrono::milliseconds timeout,
                               bool* closed = nullptr) {
  std::vector<uint8_t> out;
  const auto end = Clock::now() + timeout;
  while (out.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    uint8_t buf[2048];
    const ssize_t n = read(fd, buf, std::min(sizeof buf, count - out.size()));
    if (n <= 0) {
      if (closed) *closed = true;
      break;
    }
    out.insert(out.end(), buf, buf + n);
  }
  return out;
}

std::vector<uint8_t> ReadFrame(int fd, std::chrono::milliseconds timeout = 2000ms) {
  auto frame = ReadBytes(fd, 8, timeout);
  if (frame.size() < 8) return frame;
  const auto data = ReadBytes(fd, ReadLe16(&frame[4]), timeout);
  frame.insert(frame.end(), data.begin(), data.end());
  return frame;
}

TEST(TcpTransport, RoundTripsAndRecordsRequests) {
  Sensor sensor;
  TcpTransport tcp(sensor);
  ASSERT_TRUE(tcp.Start(0));
  ASSERT_NE(tcp.Port(), 0);
  Fd client(ConnectTcp(tcp.Port()));
  ASSERT_GE(client.get(), 0);
  int one = 1;
  setsockopt(client.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);

  Send(client.get(), BuildFrame(kOrderIdentify, 0, {}));
  const auto ident = Decode(ReadFrame(client.get()));
  EXPECT_EQ(std::string(ident.data.begin(), ident.data.end() - 1), sensor.IdentText());

  // A request that arrives in two pieces is still one request.
  const auto live = BuildFrame(kOrderLiveFrame, 0, {});
  Send(client.get(), {live.begin(), live.begin() + 3});
  std::this_thread::sleep_for(20ms);
  Send(client.get(), {live.begin() + 3, live.end()});
  EXPECT_EQ(Decode(ReadFrame(client.get())).Words().size(), 20u);

  const auto log = sensor.Requests();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].order, kOrderIdentify);
  EXPECT_EQ(log[1].order, kOrderLiveFrame);
}

TEST(TcpTransport, PiecesCloseAndANewClientReplacesTheOld) {
  Sensor sensor;
  TcpTransport tcp(sensor);
  ASSERT_TRUE(tcp.Start(0));
  Fd first(ConnectTcp(tcp.Port()));

  sensor.SetPieceSizes({3, 10}, 40);
  sensor.InjectFault(Fault::Pieces, kOrderLiveFrame);
  Send(first.get(), BuildFrame(kOrderLiveFrame, 0, {}));
  const auto start = Clock::now();
  EXPECT_EQ(ReadBytes(first.get(), 3, 2000ms).size(), 3u);
  const auto rest = ReadBytes(first.get(), 45, 2000ms);
  EXPECT_EQ(rest.size(), 45u);
  EXPECT_GE(Clock::now() - start, 70ms);  // two gaps of 40 ms

  sensor.InjectFault(Fault::CloseConnection);
  Send(first.get(), BuildFrame(kOrderIdentify, 0, {}));
  bool closed = false;
  EXPECT_TRUE(ReadBytes(first.get(), 8, 2000ms, &closed).empty());
  EXPECT_TRUE(closed);

  Fd second(ConnectTcp(tcp.Port()));
  Send(second.get(), BuildFrame(kOrderIdentify, 0, {}));
  EXPECT_EQ(Decode(ReadFrame(second.get())).code, kOrderIdentify);
  Fd third(ConnectTcp(tcp.Port()));
  closed = false;
  ReadBytes(second.get(), 1, 2000ms, &closed);
  EXPECT_TRUE(closed) << "the older client is dropped";
  Send(third.get(), BuildFrame(kOrderIdentify, 0, {}));
  EXPECT_EQ(Decode(ReadFrame(third.get())).code, kOrderIdentify);
  EXPECT_EQ(tcp.ConnectionsAccepted(), 3);
}

TEST(TcpTransport, StreamAndScopeFramesFollowTheirReply) {
  Sensor sensor;
  sensor.SetStreamIntervalMs(30);
  TcpTransport tcp(sensor);
  ASSERT_TRUE(tcp.Start(0));
  Fd client(ConnectTcp(tcp.Port()));

  Send(client.get(), BuildFrame(kOrderStream, 1, {}));
  EXPECT_EQ(Decode(ReadFrame(client.get())).code, kOrderStream);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Decode(ReadFrame(client.get())).Words().size(), 20u);
  Send(client.get(), BuildFrame(kOrderStream, 0, {}));
  // Frames already on the way may come before the reply.
  for (int i = 0; i < 5; ++i) {
    if (Decode(ReadFrame(client.get())).code == kOrderStream) break;
  }
  EXPECT_FALSE(sensor.StreamRunning());

  // The reply header and four frames of 266 bytes: 1072 bytes in all.
  Send(client.get(), BuildFrame(kOrderScan, 1, WordsToBytes(std::vector<uint16_t>{0, 0, 0, 1, 0})));
  const auto all = ReadBytes(client.get(), 1072, 3000ms);
  ASSERT_EQ(all.size(), 1072u);
  EXPECT_EQ(Decode({all.begin(), all.begin() + 8}).code, kOrderScan);
  for (int k = 0; k < 4; ++k) {
    const auto begin = all.begin() + 8 + k * 266;
    EXPECT_EQ(Decode({begin, begin + 266}).Words().size(), 129u);
  }
}

class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link_ = std::filesystem::temp_directory_path() /
            ("colmira-sim-test-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { std::filesystem::remove(link_); }
  std::string link_;
};

TEST_F(PtyTest, RoundTripThroughTheSymlink) {
  Sensor sensor;
  PtyTransport pty(sensor);
  ASSERT_TRUE(pty.Start(link_));
  EXPECT_EQ(std::filesystem::read_symlink(link_).string(), pty.SlavePath());
  Fd port(OpenSerial(link_));
  ASSERT_GE(port.get(), 0);
  Send(port.get(), BuildFrame(kOrderLiveFrame, 0, {}));
  EXPECT_EQ(Decode(ReadFrame(port.get())).Words().size(), 20u);
  pty.Stop();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link_)));
}

// One request of 8 bytes and its reply of 48 bytes.
std::chrono::duration<double, std::milli> Cycle(int fd) {
  const auto start = Clock::now();
  Send(fd, BuildFrame(kOrderLiveFrame, 0, {}));
  EXPECT_EQ(ReadFrame(fd, 5000ms).size(), 48u);
  return Clock::now() - start;
}

TEST_F(PtyTest, PacingTakesTheLineTimeAndFollowsTheBaudOrder) {
  Sensor sensor;
  PtyTransport pty(sensor);
  pty.SetPacingBaud(9600);
  ASSERT_TRUE(pty.Start());
  Fd port(OpenSerial(pty.SlavePath(), B9600));
  // 56 bytes of 10 bits at 9600 baud: 58.3 ms.
  EXPECT_GE(Cycle(port.get()).count(), 56.0);

  Send(port.get(), BuildFrame(kOrderBaudRate, 4, {}));
  EXPECT_EQ(Decode(ReadFrame(port.get())).code, kOrderBaudRate);
  EXPECT_EQ(pty.PacingBaud(), 115200);
  // 4.9 ms at the new rate; well below the old rate's time even on a slow machine.
  double fastest = 1e9;
  for (int i = 0; i < 5; ++i) fastest = std::min(fastest, Cycle(port.get()).count());
  EXPECT_GE(fastest, 4.8);
  EXPECT_LT(fastest, 40.0);
  EXPECT_GT(pty.Pacing().bytes, 0u);
}

TEST_F(PtyTest, HangUpRecreatesThePortBehindTheSymlink) {
  Sensor sensor;
  PtyTransport pty(sensor);
  ASSERT_TRUE(pty.Start(link_));
  Fd first(OpenSerial(link_));
  sensor.InjectFault(Fault::CloseConnection, kOrderIdentify);
  Send(first.get(), BuildFrame(kOrderIdentify, 0, {}));
  bool closed = false;
  EXPECT_TRUE(ReadBytes(first.get(), 8, 2000ms, &closed).empty());
  EXPECT_TRUE(closed);
  EXPECT_EQ(pty.HangUps(), 1);

  Fd second(OpenSerial(link_));
  ASSERT_GE(second.get(), 0);
  Send(second.get(), BuildFrame(kOrderIdentify, 0, {}));
  EXPECT_EQ(Decode(ReadFrame(second.get())).code, kOrderIdentify);
}

TEST_F(PtyTest, LineSpeedCheckLosesBytesAtTheWrongRate) {
  Sensor sensor;
  PtyTransport pty(sensor);
  pty.SetLineSpeedCheck(true);
  ASSERT_TRUE(pty.Start());
  Fd port(OpenSerial(pty.SlavePath(), B9600));  // the sensor runs at 115200
  Send(port.get(), BuildFrame(kOrderIdentify, 0, {}));
  EXPECT_TRUE(ReadBytes(port.get(), 8, 300ms).empty());
  EXPECT_EQ(pty.BytesLostToSpeed(), 8u);

  termios t{};
  tcgetattr(port.get(), &t);
  cfsetispeed(&t, B115200);
  cfsetospeed(&t, B115200);
  tcsetattr(port.get(), TCSANOW, &t);
  Send(port.get(), BuildFrame(kOrderIdentify, 0, {}));
  EXPECT_EQ(Decode(ReadFrame(port.get())).code, kOrderIdentify);
}

}  // namespace
}  // namespace sim
