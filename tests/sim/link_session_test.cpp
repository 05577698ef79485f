// Timing of the outgoing bytes: reply delay, pieces with gaps, and a paced line on which
// every byte, the request's own included, takes its ten bit times.
#include "sim/link_session.h"

#include <gtest/gtest.h>

#include "sim_test_util.h"

namespace sim {
namespace {

using namespace std::chrono_literals;

// Drives a session by hand: writes everything that is due at `now`.
std::vector<uint8_t> Drain(LinkSession& session, Clock::time_point now, bool* hungUp = nullptr,
                           long* baud = nullptr) {
  std::vector<uint8_t> out;
  for (;;) {
    session.Poll(now);
    const auto due = session.DueOutput(now);
    if (!due.ready) break;
    if (due.hangUp) {
      if (hungUp) *hungUp = true;
      session.HungUp(now);
      break;
    }
    out.insert(out.end(), due.bytes.begin(), due.bytes.end());
    const long b = session.Wrote(due.bytes.size(), now);
    if (b && baud) *baud = b;
    if (session.ByteTime() > Clock::duration{} && session.OutputPending() && due.bytes.empty())
      break;
    if (!session.OutputPending()) break;
  }
  return out;
}

TEST(LinkSession, DelayAndPiecesWithGaps) {
  Sensor sensor;
  sensor.SetReplyDelayMs(30);
  sensor.SetPieceSizes({3, 10}, 15);
  sensor.InjectFault(Fault::Pieces, kOrderLiveFrame);
  LinkSession session(sensor);
  const auto t0 = Clock::now();
  session.Receive(BuildFrame(kOrderLiveFrame, 0, {}), t0);

  EXPECT_TRUE(Drain(session, t0 + 29ms).empty());
  EXPECT_EQ(*session.NextWakeup(), t0 + 30ms);
  EXPECT_EQ(Drain(session, t0 + 30ms).size(), 3u);
  EXPECT_TRUE(Drain(session, t0 + 44ms).empty());
  EXPECT_EQ(Drain(session, t0 + 45ms).size(), 10u);
  EXPECT_EQ(Drain(session, t0 + 60ms).size(), 35u);
  EXPECT_FALSE(session.OutputPending());
}

TEST(LinkSession, PacedLineTakesTenBitsPerByteBothWays) {
  Sensor sensor;
  LinkSession session(sensor);
  session.SetByteTime(ByteTime(9600));
  const auto bt = ByteTime(9600);
  const auto t0 = Clock::now();
  session.Receive(BuildFrame(kOrderLiveFrame, 0, {}), t0);

  // The request needs 8 byte times to arrive; the first reply byte 1 more to cross.
  EXPECT_EQ(*session.NextWakeup(), t0 + 9 * bt);
  EXPECT_TRUE(Drain(session, t0 + 9 * bt - 1us).empty());
  EXPECT_EQ(Drain(session, t0 + 9 * bt).size(), 1u);
  EXPECT_EQ(Drain(session, t0 + 20 * bt).size(), 11u);
  EXPECT_FALSE(session.NextFrameEnd()) << "the last byte is not next yet";
  EXPECT_EQ(Drain(session, t0 + 55 * bt).size(), 35u);
  // 8 + 48 byte times for the whole exchange.
  EXPECT_EQ(session.NextFrameEnd(), t0 + 56 * bt);
  EXPECT_EQ(Drain(session, t0 + 56 * bt).size(), 1u);
  EXPECT_FALSE(session.OutputPending());
}

TEST(LinkSession, BaudChangeAfterTheLastByteAndRequestsSplitAcrossReads) {
  Sensor sensor;
  LinkSession session(sensor);
  session.SetByteTime(ByteTime(115200));
  const auto frame = BuildFrame(kOrderBaudRate, 1, {});
  const auto t0 = Clock::now();
  session.Receive(std::span(frame).first(5), t0);
  session.Receive(std::span(frame).subspan(5), t0 + 1ms);
  long baud = 0;
  const auto reply = Drain(session, t0 + 1s, nullptr, &baud);
  EXPECT_EQ(reply, BuildFrame(kOrderBaudRate, 0, {}));
  EXPECT_EQ(baud, 19200);
}

TEST(LinkSession, HalfRequestIsDroppedAfterSilenceAndHangUpIsPassedOn) {
  Sensor sensor;
  LinkSession session(sensor);
  const auto t0 = Clock::now();
  const auto frame = BuildFrame(kOrderIdentify, 0, {});
  session.Receive(std::span(frame).first(6), t0);
  session.Poll(t0 + 300ms);
  // Had the half request stayed, the next one would be taken for its tail.
  session.Receive(frame, t0 + 300ms);
  EXPECT_EQ(testing::Decode(Drain(session, t0 + 300ms)).code, kOrderIdentify);

  sensor.InjectFault(Fault::CloseConnection, kOrderIdentify);
  session.Receive(frame, t0 + 400ms);
  bool hungUp = false;
  EXPECT_TRUE(Drain(session, t0 + 400ms, &hungUp).empty());
  EXPECT_TRUE(hungUp);
}

}  // namespace
}  // namespace sim
