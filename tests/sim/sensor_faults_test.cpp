// The sensor's answers to the link orders and the faults it commits on them.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/colour_model.h"
#include "sim/crc8.h"
#include "sim/sensor.h"
#include "sim_test_util.h"

namespace sim {
namespace {

using testing::Bytes;
using testing::Decode;
using testing::Exchange;
using testing::Req;

TEST(SensorReplies, IdentificationIsNulTerminatedText) {
  Sensor sensor;
  sensor.SetIdentText("TEST SENSOR 7");
  const auto reply = Exchange(sensor, Req(kOrderIdentify));
  EXPECT_EQ(reply.code, kOrderIdentify);
  EXPECT_EQ(reply.status, 0);
  const std::string text(reply.data.begin(), reply.data.end());
  EXPECT_EQ(text, std::string("TEST SENSOR 7") + '\0');
}

TEST(SensorReplies, LiveFrameHasTwentyConsistentWords) {
  Sensor sensor;
  sensor.SetCalibrationWords({2048, 1024, 512, 0, 0, 0});
  const auto frame = Bytes(sensor.Handle(0, Req(kOrderLiveFrame)));
  ASSERT_EQ(frame.size(), 48u);
  const auto reply = Decode(frame);
  EXPECT_EQ(reply.code, kOrderLiveFrame);
  const auto w = reply.Words();
  ASSERT_EQ(w.size(), 20u);
  // Calibrated = raw x CF / 1024, at most 4095.
  EXPECT_EQ(w[0], std::min(4095, w[11] * 2));
  EXPECT_EQ(w[1], w[12]);
  EXPECT_EQ(w[2], w[13] / 2);
  const std::array<int, 3> rgb{w[0], w[1], w[2]};
  const auto xyi = ComputeCoordinates(rgb, 0);
  EXPECT_EQ((std::array<int, 3>{w[3], w[4], w[5]}), xyi);
  // Default teach rows match nothing: no colour, delta C -1 in BEST HIT.
  EXPECT_EQ(w[6], 0xFFFF);
  EXPECT_EQ(w[7], 255);
  EXPECT_EQ(w[8], 255);
  for (int c = 0; c < 3; ++c) {
    EXPECT_LE(w[14 + 2 * c], w[c]) << "min of channel " << c;
    EXPECT_GE(w[15 + 2 * c], w[c]) << "max of channel " << c;
  }
}

TEST(ColourModel, MovesThroughItsTargets) {
  ColourModel model;
  model.SetTiming(1.0, 0.5);
  const auto& t = model.Targets();
  ASSERT_GE(t.size(), 3u);
  auto same = [](const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
  EXPECT_TRUE(same(model.Reflection(0.2), t[0]));
  EXPECT_TRUE(same(model.Reflection(1.6), t[1]));
  EXPECT_TRUE(same(model.Reflection(3.1), t[2]));
  // Half-way through the ramp the colour lies between the two targets.
  const Rgb mid = model.Reflection(1.25);
  EXPECT_NEAR(mid.g, (t[0].g + t[1].g) / 2, 1.0);
  // After the last target the first comes back.
  EXPECT_TRUE(same(model.Reflection(1.5 * static_cast<double>(t.size()) + 0.1), t[0]));
}

TEST(SensorReplies, UnknownOrdersAndArgumentsGiveStatusOne) {
  const std::vector<Request> requests{Req(0x99),
                                      Req(0x00),
                                      Req(0xFF),
                                      Req(kOrderHardwareInfo, 0),
                                      Req(kOrderReadParameters, 4),
                                      Req(kOrderBaudRate, 5),
                                      Req(kOrderStream, 2)};
  Sensor sensor;
  for (const auto& r : requests) {
    const auto frame = Bytes(sensor.Handle(0, r));
    ASSERT_EQ(frame.size(), 8u) << "order " << int(r.order);
    EXPECT_EQ(frame, BuildFrame(0, 1, {})) << "order " << int(r.order);
  }
  EXPECT_EQ(sensor.BaudIndex(), 4);
}

TEST(SensorReplies, BaudRateOrderAnswersThenMovesTheLine) {
  Sensor sensor;
  const Transmission tx = sensor.Handle(0, Req(kOrderBaudRate, 2));
  const auto reply = Decode(Bytes(tx));
  EXPECT_EQ(reply.code, kOrderBaudRate);
  EXPECT_TRUE(reply.data.empty());
  EXPECT_EQ(tx.baudAfter, 38400);
  EXPECT_EQ(sensor.BaudIndex(), 2);
  // The new rate is in the sensor's RAM until the parameters go to the EEPROM.
  EXPECT_EQ(sensor.EepromBaudIndex(), 4);
  Exchange(sensor, Req(kOrderStoreEeprom));
  EXPECT_EQ(sensor.EepromBaudIndex(), 2);
}

TEST(SensorReplies, RecordsWellFormedRequestsOnly) {
  Sensor sensor;
  Exchange(sensor, Req(kOrderIdentify));
  Exchange(sensor, Req(kOrderWriteFactors, 1, {5, 6, 7}));
  // A request whose data was damaged on the way: communication error, not recorded.
  const auto damaged =
      Decode(Bytes(sensor.Handle(0, Req(kOrderWriteFactors, 0, {1, 2, 3}), false)));
  EXPECT_EQ(damaged.code, 0);
  EXPECT_EQ(damaged.status, kStatusCommunicationError);

  const auto log = sensor.Requests();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].order, kOrderIdentify);
  EXPECT_EQ(log[1].order, kOrderWriteFactors);
  EXPECT_EQ(log[1].arg, 1);
  EXPECT_EQ(BytesToWords(log[1].data), (std::vector<uint16_t>{5, 6, 7}));
  EXPECT_EQ(sensor.RejectedFrames(), 1);
  sensor.ClearRequests();
  EXPECT_TRUE(sensor.Requests().empty());
}

struct FaultCase {
  Fault fault;
  // Checks the faulty transmission of a live frame.
  std::function<void(const Transmission&)> check;
};

TEST(SensorFaults, EachFaultShapesOneReplyThenTheLinkIsClean) {
  const std::vector<FaultCase> cases{
      {Fault::Silence,
       [](const Transmission& tx) {
         EXPECT_TRUE(tx.pieces.empty());
         EXPECT_FALSE(tx.closeLink);
       }},
      {Fault::CloseConnection,
       [](const Transmission& tx) {
         EXPECT_TRUE(tx.closeLink);
         EXPECT_TRUE(tx.pieces.empty());
       }},
      {Fault::BadHeaderCrc,
       [](const Transmission& tx) {
         const auto b = Bytes(tx);
         ASSERT_EQ(b.size(), 48u);
         EXPECT_NE(Crc8(std::span(b).first(8)), 0);
       }},
      {Fault::BadDataCrc,
       [](const Transmission& tx) {
         const auto b = Bytes(tx);
         ASSERT_EQ(b.size(), 48u);
         EXPECT_EQ(Crc8(std::span(b).first(8)), 0);
         EXPECT_NE(Crc8(std::span(b).subspan(8)), b[6]);
       }},
      {Fault::Garbage,
       [](const Transmission& tx) {
         const auto b = Bytes(tx);
         ASSERT_EQ(b.size(), 20u + 48u);
         EXPECT_NE(b[0], kSyncByte);
         EXPECT_EQ(Decode(std::vector<uint8_t>(b.begin() + 20, b.end())).Words().size(), 20u);
       }},
      {Fault::Oversize,
       [](const Transmission& tx) {
         const auto b = Bytes(tx);
         ASSERT_EQ(b.size(), 48u);
         EXPECT_EQ(Crc8(std::span(b).first(8)), 0);
         EXPECT_EQ(b[4] | b[5] << 8, 0xFFFF);
       }},
      {Fault::Pieces,
       [](const Transmission& tx) {
         ASSERT_EQ(tx.pieces.size(), 3u);
         EXPECT_EQ(tx.pieces[0].bytes.size(), 3u);
         EXPECT_EQ(tx.pieces[1].bytes.size(), 10u);
         EXPECT_EQ(tx.pieces[2].bytes.size(), 35u);
         EXPECT_EQ(tx.pieces[1].gapBefore, std::chrono::milliseconds(15));
         EXPECT_EQ(Decode(Bytes(tx)).Words().size(), 20u);  // intact once joined
       }},
      {Fault::Status1,
       [](const Transmission& tx) {
         const auto r = Decode(Bytes(tx));
         EXPECT_EQ(r.code, 0);
         EXPECT_EQ(r.status, 1);
         EXPECT_EQ(r.Words().size(), 20u);
       }},
      {Fault::Status2,
       [](const Transmission& tx) {
         const auto r = Decode(Bytes(tx));
         EXPECT_EQ(r.code, 0);
         EXPECT_EQ(r.status, 2);
         EXPECT_EQ(r.Words().size(), 20u);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(FaultName(c.fault)));
    Sensor sensor;
    sensor.SetGarbageLength(20);
    sensor.SetPieceSizes({3, 10}, 15);
    sensor.InjectFault(c.fault, kOrderLiveFrame);
    // Another order is not touched; the next reply to the order is clean again.
    EXPECT_EQ(Exchange(sensor, Req(kOrderIdentify)).code, kOrderIdentify);
    c.check(sensor.Handle(0, Req(kOrderLiveFrame)));
    const auto clean = sensor.Handle(0, Req(kOrderLiveFrame));
    EXPECT_FALSE(clean.closeLink);
    EXPECT_EQ(clean.pieces.size(), 1u);
    EXPECT_EQ(Exchange(sensor, Req(kOrderLiveFrame)).code, kOrderLiveFrame);
  }
}

TEST(SensorFaults, CountsAnyOrderAndCombinations) {
  Sensor sensor;
  sensor.InjectFault(Fault::Silence, kAnyOrder, 2);
  EXPECT_TRUE(sensor.Handle(0, Req(kOrderIdentify)).pieces.empty());
  EXPECT_TRUE(sensor.Handle(0, Req(kOrderLiveFrame)).pieces.empty());
  EXPECT_EQ(sensor.Handle(0, Req(kOrderLiveFrame)).pieces.size(), 1u);

  sensor.InjectFault(Fault::Status2, kOrderLiveFrame, kUntilCleared);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Exchange(sensor, Req(kOrderLiveFrame)).status, 2);
  sensor.ClearFaults();
  EXPECT_EQ(Exchange(sensor, Req(kOrderLiveFrame)).code, kOrderLiveFrame);

  // Two kinds at once: a damaged data section delivered in pieces.
  sensor.InjectFault(Fault::Pieces, kOrderLiveFrame);
  sensor.InjectFault(Fault::BadDataCrc, kOrderLiveFrame);
  const Transmission tx = sensor.Handle(0, Req(kOrderLiveFrame));
  EXPECT_GT(tx.pieces.size(), 1u);
  const auto b = Bytes(tx);
  EXPECT_NE(Crc8(std::span(b).subspan(8)), b[6]);
}

TEST(SensorFaults, ReplyDelayAndForcedPlausibilityCount) {
  Sensor sensor;
  sensor.SetReplyDelayMs(40);
  EXPECT_EQ(sensor.Handle(0, Req(kOrderIdentify)).delay, std::chrono::milliseconds(40));

  sensor.InjectPlausibilityCount(3, kOrderWriteFactors);
  // Orders without a count keep their status.
  EXPECT_EQ(Exchange(sensor, Req(kOrderLiveFrame)).status, 0);
  const auto forced = Exchange(sensor, Req(kOrderWriteFactors, 0, {1024, 1024, 1024}));
  EXPECT_EQ(forced.code, kOrderWriteFactors);
  EXPECT_EQ(forced.status, 3);
  EXPECT_EQ(Exchange(sensor, Req(kOrderWriteFactors, 0, {1024, 1024, 1024})).status, 0);
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

TEST(SensorFaults, AFaultCanSpareTheFirstReplies) {
  Sensor sensor;
  sensor.InjectFault(Fault::Silence, kOrderReadParameters, 1, 1);
  EXPECT_FALSE(testing::Bytes(sensor.Handle(0, testing::Req(kOrderReadParameters, 0))).empty());
  EXPECT_TRUE(testing::Bytes(sensor.Handle(0, testing::Req(kOrderReadParameters, 2))).empty());
  EXPECT_FALSE(testing::Bytes(sensor.Handle(0, testing::Req(kOrderReadParameters, 2))).empty());
}

}  // namespace
}  // namespace sim
