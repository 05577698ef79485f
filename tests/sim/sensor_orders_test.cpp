// Parameter sets, EEPROM, calibration, cycle time, hardware block, the triggered stream
// and the scope acquisition as the sensor answers them.
#include <gtest/gtest.h>

#include <numeric>

#include "sim/sensor.h"
#include "sim_test_util.h"

namespace sim {
namespace {

using testing::Bytes;
using testing::Decode;
using testing::Exchange;
using testing::Req;

std::vector<uint16_t> Head(const Sensor& s, int set) {
  const auto w = s.ParameterWords(set);
  return {w.begin(), w.begin() + kHeadWords};
}

std::vector<uint16_t> Teach(const Sensor& s, int set) {
  const auto w = s.ParameterWords(set);
  return {w.begin() + kHeadWords, w.end()};
}

std::vector<uint16_t> DefaultHead() {
  const auto d = DefaultParameterSet();
  return {d.head.begin(), d.head.end()};
}

TEST(Parameters, WriteAndReadBothSetsAndBlocks) {
  Sensor sensor;
  std::vector<uint16_t> head = DefaultHead();
  head[kPower] = 777;
  head[kTrigger] = 6;
  std::vector<uint16_t> teach(kTeachTableWords, 1);
  teach[0] = 100;
  teach[7] = 0xBEEF;  // the spare word travels as it is
  teach[8] = 200;

  const auto r1 = Exchange(sensor, Req(kOrderWriteParameters, 1, head));
  EXPECT_EQ(r1.code, kOrderWriteParameters);
  EXPECT_EQ(r1.status, 0);
  EXPECT_TRUE(r1.data.empty());
  EXPECT_EQ(Exchange(sensor, Req(kOrderWriteParameters, 3, teach)).status, 0);

  EXPECT_EQ(Exchange(sensor, Req(kOrderReadParameters, 1)).Words(), head);
  EXPECT_EQ(Exchange(sensor, Req(kOrderReadParameters, 3)).Words(), teach);
  EXPECT_EQ(Exchange(sensor, Req(kOrderReadParameters, 0)).Words(), DefaultHead());
  EXPECT_EQ(Teach(sensor, 1), teach);
}

TEST(Parameters, PlausibilityResetsAndCounts) {
  struct Case {
    const char* name;
    uint16_t arg;
    std::vector<std::pair<int, uint16_t>> changes;  // word, value
    uint16_t count;
    std::vector<std::pair<int, uint16_t>> after;
  };
  const std::vector<Case> cases{
      {"head in range", 0, {{kPower, 1000}, {kIntegral, 250}}, 0, {{kPower, 1000}}},
      {"three out of range",
       0,
       {{kPower, 1001}, {kEvaluationMode, 5}, {kIntegral, 251}, {kGain, 3}},
       3,
       {{kPower, 500}, {kEvaluationMode, 1}, {kIntegral, 1}, {kGain, 3}}},
      {"window upside down",
       0,
       {{kDynwinLo, 3000}, {kDynwinHi, 2000}},
       2,
       {{kDynwinLo, 3200}, {kDynwinHi, 3300}}},
      {"teach cells, group, hold",
       2,
       {{0, 10001}, {5, 31}, {6, 10001}, {7, 65535}, {8, 10000}},
       3,
       {{0, 1}, {5, 0}, {6, 10}, {7, 65535}, {8, 10000}}},
  };
  for (const auto& c : cases) {
    Sensor sensor;
    std::vector<uint16_t> words =
        c.arg < 2 ? DefaultHead() : std::vector<uint16_t>(kTeachTableWords, 1);
    if (c.arg >= 2) {
      for (int r = 0; r < kTeachRows; ++r)
        words[static_cast<size_t>(r * kTeachRowWords + kRowGroup)] = 0;
    }
    for (auto [w, v] : c.changes) words[static_cast<size_t>(w)] = v;
    const auto reply = Exchange(sensor, Req(kOrderWriteParameters, c.arg, words));
    EXPECT_EQ(reply.code, kOrderWriteParameters) << c.name;
    EXPECT_EQ(reply.status, c.count) << c.name;
    const auto stored = c.arg < 2 ? Head(sensor, 0) : Teach(sensor, 0);
    for (auto [w, v] : c.after)
      EXPECT_EQ(stored[static_cast<size_t>(w)], v) << c.name << " word " << w;
  }
}

TEST(Parameters, WrongDataLengthIsACommunicationError) {
  Sensor sensor;
  const auto reply = Exchange(sensor, Req(kOrderWriteParameters, 0, {1, 2, 3}));
  EXPECT_EQ(reply.code, 0);
  EXPECT_EQ(reply.status, kStatusCommunicationError);
  EXPECT_EQ(Head(sensor, 0), DefaultHead());
}

TEST(Eeprom, StoreAndLoadWithPlausibilityCount) {
  Sensor sensor;
  std::vector<uint16_t> head = DefaultHead();
  head[kPower] = 123;
  Exchange(sensor, Req(kOrderWriteParameters, 0, head));
  EXPECT_NE(sensor.EepromWords(0), sensor.ParameterWords(0));
  EXPECT_TRUE(Exchange(sensor, Req(kOrderStoreEeprom)).data.empty());
  EXPECT_EQ(sensor.EepromWords(0), sensor.ParameterWords(0));

  // Unsaved RAM changes are discarded by a load.
  head[kPower] = 900;
  Exchange(sensor, Req(kOrderWriteParameters, 0, head));
  auto load = Exchange(sensor, Req(kOrderLoadEeprom));
  EXPECT_EQ(load.code, kOrderLoadEeprom);
  EXPECT_EQ(load.status, 0);
  EXPECT_EQ(Head(sensor, 0)[kPower], 123);

  // Implausible EEPROM contents in both sets are reset in RAM and counted.
  auto bad0 = sensor.EepromWords(0);
  bad0[kLedMode] = 9;
  sensor.SetEepromWords(0, bad0);
  auto bad1 = sensor.EepromWords(1);
  bad1[kCalculationMode] = 4;
  bad1[kHeadWords + kRowHold] = 60000;
  sensor.SetEepromWords(1, bad1);
  load = Exchange(sensor, Req(kOrderLoadEeprom));
  EXPECT_EQ(load.code, kOrderLoadEeprom);
  EXPECT_EQ(load.status, 3);
  EXPECT_EQ(Head(sensor, 0)[kLedMode], 0);
  EXPECT_EQ(Head(sensor, 1)[kCalculationMode], 0);
  EXPECT_EQ(Teach(sensor, 1)[kRowHold], 10);
}

TEST(Calibration, FactorsOffsetsSelfCalibrationAndDetection) {
  Sensor sensor;
  sensor.SetNoise(0);
  sensor.HoldColour({2000, 1000, 500});

  auto r = Exchange(sensor, Req(kOrderWriteFactors, 0, {2048, 4097, 512}));
  EXPECT_EQ(r.code, kOrderWriteFactors);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Exchange(sensor, Req(kOrderWriteFactors, 1, {10, 20, 30})).status, 0);
  EXPECT_EQ(Exchange(sensor, Req(kOrderReadFactors)).Words(),
            (std::vector<uint16_t>{2048, 1024, 512, 10, 20, 30}));

  // Detected with the receiver covered: the dark level of the receiver.
  EXPECT_TRUE(Exchange(sensor, Req(kOrderDetectOffsets, 1)).data.empty());
  const auto cal = sensor.CalibrationWords();
  EXPECT_EQ((std::array<uint16_t, 3>{cal[3], cal[4], cal[5]}),
            (std::array<uint16_t, 3>{21, 26, 18}));

  // Self calibration proposes factors that bring the raw values to its set value and
  // leaves the sensor's own factors alone.
  const auto live = Exchange(sensor, Req(kOrderLiveFrame)).Words();
  const auto self = Exchange(sensor, Req(kOrderSelfCalibration)).Words();
  ASSERT_EQ(self.size(), 5u);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(self[static_cast<size_t>(c)],
              std::min(4096, self[3] * 1024 / live[11 + static_cast<size_t>(c)]))
        << "channel " << c;
  }
  EXPECT_EQ(sensor.CalibrationWords()[0], 2048);
}

TEST(CycleTime, TwoCountsFollowAveraging) {
  Sensor sensor;
  auto counts = [&sensor] {
    const auto d = Exchange(sensor, Req(kOrderCycleTime)).data;
    EXPECT_EQ(d.size(), 8u);
    auto le32 = [&d](size_t i) {
      return static_cast<int32_t>(d[i] | d[i + 1] << 8 | d[i + 2] << 16 | d[i + 3] << 24);
    };
    return std::pair{le32(0), le32(4)};
  };
  auto [n, t] = counts();
  EXPECT_EQ(t, 800);
  EXPECT_NEAR(n / (0.01 * t), 2000.0, 1.0);  // 0.5 ms a scan
  std::vector<uint16_t> head = DefaultHead();
  head[kAverage] = 4;
  Exchange(sensor, Req(kOrderWriteParameters, 0, head));
  std::tie(n, t) = counts();
  EXPECT_NEAR(n / (0.01 * t), 500.0, 1.0);
}

TEST(HardwareBlock, OnlyWithTheAccessValue) {
  Sensor sensor;
  std::vector<uint16_t> block(kHardwareWords);
  std::iota(block.begin(), block.end(), 0x0100);
  block[0] = 0x0001;
  block[1] = 0xABCD;
  sensor.SetHardwareWords(block);
  const auto r = Exchange(sensor, Req(kOrderHardwareInfo, kHardwareAccessValue));
  EXPECT_EQ(r.code, kOrderHardwareInfo);
  EXPECT_EQ(r.Words(), block);
  EXPECT_EQ(Exchange(sensor, Req(kOrderHardwareInfo, 0x5E16)).status, kStatusUnknownOrder);
}

TEST(LiveFrames, ColourAndGroupFromTheTaughtRows) {
  Sensor sensor;
  sensor.SetNoise(0);
  sensor.SetInput0(false);
  ColourModel model;
  for (int calc = 0; calc < 4; ++calc) {
    std::vector<uint16_t> head = DefaultHead();
    head[kCalculationMode] = static_cast<uint16_t>(calc);
    head[kColorGroup] = 1;
    sensor.SetParameterWords(0, head);
    sensor.TeachDemoColours(0);
    for (size_t k = 0; k < model.Targets().size(); ++k) {
      sensor.HoldColour(model.Targets()[k]);
      const auto w = Exchange(sensor, Req(kOrderLiveFrame)).Words();
      EXPECT_EQ(w[7], k) << "calculation mode " << calc;
      EXPECT_EQ(w[8], k) << "group, calculation mode " << calc;
      EXPECT_EQ(w[6], 0) << "delta C, calculation mode " << calc;
      EXPECT_LE(w[5], calc % 2 == 1 ? 1200 : 4095);
    }
  }
}

TEST(Stream, FramesOnTheSensorsOwnUntilStopped) {
  Sensor sensor;
  sensor.SetStreamIntervalMs(100);
  const int session = sensor.OpenSession();
  EXPECT_TRUE(Exchange(sensor, Req(kOrderStream, 1), session).data.empty());
  EXPECT_TRUE(sensor.StreamRunning());
  const auto t0 = Clock::now();
  EXPECT_TRUE(sensor.TakeDue(session + 1, t0 + std::chrono::seconds(1)).empty());  // other link
  size_t frames = 0;
  for (int step = 1; step <= 5; ++step) {
    for (const auto& tx : sensor.TakeDue(session, t0 + step * std::chrono::milliseconds(101))) {
      const auto r = Decode(Bytes(tx));
      EXPECT_EQ(r.Words().size(), 20u);
      EXPECT_EQ(r.Words()[9], 1);  // triggered
      ++frames;
    }
  }
  EXPECT_EQ(frames, 5u);
  Exchange(sensor, Req(kOrderStream, 0), session);
  EXPECT_FALSE(sensor.StreamRunning());
  EXPECT_TRUE(sensor.TakeDue(session, t0 + std::chrono::seconds(2)).empty());
}

std::vector<std::vector<uint16_t>> RunScan(Sensor& sensor, int session,
                                           const std::vector<uint16_t>& settings,
                                           std::chrono::milliseconds within) {
  EXPECT_TRUE(Exchange(sensor, Req(kOrderScan, 1, settings), session).data.empty());
  std::vector<std::vector<uint16_t>> frames;
  const auto t0 = Clock::now();
  for (auto t = t0; t <= t0 + within && frames.empty(); t += std::chrono::milliseconds(20)) {
    for (const auto& tx : sensor.TakeDue(session, t)) {
      const auto r = Decode(Bytes(tx));
      EXPECT_EQ(r.code, kOrderScan);
      frames.push_back(r.Words());
    }
  }
  return frames;
}

TEST(Scope, SingleShotGivesFourFramesOf129Words) {
  Sensor sensor;
  sensor.SetNoise(0);
  sensor.HoldColour({1000, 2000, 3000});
  sensor.SetInput0(true);
  const int session = sensor.OpenSession();
  const auto expected = Exchange(sensor, Req(kOrderLiveFrame)).Words();
  const auto frames = RunScan(sensor, session, {0, 0, 0, 1, 0}, std::chrono::seconds(1));
  ASSERT_EQ(frames.size(), 4u);
  for (size_t k = 0; k < 4; ++k) {
    ASSERT_EQ(frames[k].size(), 129u);
    EXPECT_EQ(frames[k][128], 0) << "trigger index";
  }
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(frames[0][static_cast<size_t>(i)], expected[0]);
    EXPECT_EQ(frames[2][static_cast<size_t>(i)], expected[2]);
    EXPECT_TRUE(frames[3][static_cast<size_t>(i)] & 0x20);  // IN0
  }
  EXPECT_FALSE(sensor.ScanPending());

  // Recorded signal 1: the colour coordinates.
  const auto coords = RunScan(sensor, session, {0, 0, 0, 1, 1}, std::chrono::seconds(1));
  ASSERT_EQ(coords.size(), 4u);
  EXPECT_EQ(coords[0][5], expected[3]);
  EXPECT_EQ(coords[2][5], expected[5]);
}

TEST(Scope, PreTriggerPutsTheTriggerSampleAtItsPlace) {
  // IN0 goes high every 2.5 s; the scan triggers on its rising edge.
  Sensor sensor;
  const int session = sensor.OpenSession();
  const uint16_t pre = 20;
  const auto frames = RunScan(sensor, session, {4, pre, 0, 40, 0}, std::chrono::seconds(6));
  ASSERT_EQ(frames.size(), 4u);
  const auto& digital = frames[3];
  const int trigger = digital[128];
  // Rotated as the tool does it: start at 128 - pre + trigger index.
  std::vector<uint16_t> shown;
  for (int i = 0, s = 128 - pre + trigger; i < 128; ++i, ++s) shown.push_back(digital[s % 128]);
  EXPECT_FALSE(shown[pre - 1] & 0x20);
  EXPECT_TRUE(shown[pre] & 0x20);
  for (int i = 0; i < pre; ++i) EXPECT_FALSE(shown[static_cast<size_t>(i)] & 0x20) << i;
}

TEST(Scope, UnreachedTriggerWaitsUntilBroken) {
  Sensor sensor;
  sensor.SetNoise(0);
  sensor.HoldColour({1000, 1000, 1000});
  const int session = sensor.OpenSession();
  // Rising edge over a level the blue line never reaches.
  EXPECT_TRUE(
      RunScan(sensor, session, {1, 10, 4000, 1, 0}, std::chrono::milliseconds(300)).empty());
  EXPECT_TRUE(sensor.ScanPending());
  EXPECT_TRUE(Exchange(sensor, Req(kOrderScan, 0), session).data.empty());
  EXPECT_FALSE(sensor.ScanPending());
  EXPECT_TRUE(sensor.TakeDue(session, Clock::now() + std::chrono::seconds(1)).empty());
}

}  // namespace
}  // namespace sim
