// The scope's arithmetic: ring rotation, scan frequency and cycle time, the
// displays' decimal places, cursor distances and the digital trace levels.
#include "gui/scope/scope_math.h"

#include <gtest/gtest.h>

#include "gui/scope/scope_print.h"

namespace {

// A ring whose every sample names its own ring position.
struct PositionRing {
  uint16_t words[kScopeSamples];
  PositionRing() {
    for (int i = 0; i < kScopeSamples; ++i) words[i] = static_cast<uint16_t>(i);
  }
};

TEST(ScopeRing, RotationPutsTheTriggerAtThePreTriggerPosition) {
  struct Case {
    uint16_t mode, preTrigger, triggerIndex;
    int firstPosition;  // ring position shown at x = 0
  };
  const Case cases[] = {
      {kTriggerSingleShot, 20, 5, 0},    // ring order whatever the trigger index
      {kTriggerSingleShot, 0, 77, 0},    //
      {kTriggerRisingEdge, 20, 5, 113},  // 5 - 20 mod 128
      {kTriggerInput0, 0, 40, 40},       // no pre-trigger: the trigger comes first
      {kTriggerFallingEdge, 127, 126, 127}, {kTriggerColourZero, 10, 127, 117},
  };
  PositionRing ring;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "mode " << c.mode << " pre " << c.preTrigger << " index " << c.triggerIndex);
    uint16_t out[kScopeSamples];
    RotateScopeRing(ring.words, c.mode, c.preTrigger, c.triggerIndex, out);
    for (int i = 0; i < kScopeSamples; ++i) ASSERT_EQ(out[i], (c.firstPosition + i) % 128) << i;
    if (c.mode != kTriggerSingleShot) {
      EXPECT_EQ(out[c.preTrigger], c.triggerIndex);
    }
  }
}

TEST(ScopeCycleTime, FrequencyPrecisionAndCycleTime) {
  struct Case {
    int32_t n, t;
    double frequency;
    int freqDecimals, cycleDecimals;
    double cycleTime;
  };
  const Case cases[] = {
      {16000, 800, 2000.0, 0, 3, 0.5},
      {400, 800, 50.0, 1, 3, 20.0},
      {8, 800, 1.0, 2, 0, 1000.0},
      {800000, 800, 100000.0, 0, 6, 0.01},
      {80000, 800, 10000.0, 0, 3, 0.1},
      {1234, 0, 0.0, 2, 0, 0.0},  // no time counted: no frequency, no division by zero
      {0, 800, 0.0, 2, 0, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "N " << c.n << " T " << c.t);
    double f = ScanFrequency(c.n, c.t);
    EXPECT_DOUBLE_EQ(f, c.frequency);
    EXPECT_EQ(CycleTimePrecision(f).frequency, c.freqDecimals);
    EXPECT_EQ(CycleTimePrecision(f).cycleTime, c.cycleDecimals);
    EXPECT_DOUBLE_EQ(CycleTimeOf(f), c.cycleTime);
  }
}

TEST(ScopeCursors, DeltaXAndDeltaY) {
  EXPECT_DOUBLE_EQ(ScopeDeltaX(70.0, 20.0, 0.25, 4), 50.0);
  EXPECT_EQ(DeltaXPrecision(50.0), 3);
  EXPECT_DOUBLE_EQ(ScopeDeltaX(20.9, 70.2, 0.25, 4), 49.0);  // the difference is truncated
  EXPECT_DOUBLE_EQ(ScopeDeltaX(10, 100, 0.0, 4), 0.0);       // no cycle time yet
  EXPECT_EQ(DeltaXPrecision(0.0), 6);
  EXPECT_EQ(DeltaXPrecision(1.0), 6);
  EXPECT_EQ(DeltaXPrecision(1000.0), 3);
  EXPECT_EQ(DeltaXPrecision(1000.5), 0);
  EXPECT_EQ(ScopeDeltaY(1000.9, 10.2), 990);  // each y truncated before subtracting
  EXPECT_EQ(ScopeDeltaY(-0.5, 0.5), 0);
}

TEST(ScopeDigital, EachBitHasItsOwnPairOfLevels) {
  const int low[kDigitalTraces] = {8, 6, 4, 2, 0, 10};
  for (int bit = 0; bit < kDigitalTraces; ++bit) {
    EXPECT_EQ(DigitalTraceLevel(bit, 0), low[bit]);
    EXPECT_EQ(DigitalTraceLevel(bit, 0x3F), low[bit] + 1);
    EXPECT_EQ(DigitalTraceLevel(bit, static_cast<uint16_t>(1u << bit)), low[bit] + 1);
    EXPECT_EQ(DigitalTraceLevel(bit, static_cast<uint16_t>(0xFFC0 | (0x3F & ~(1u << bit)))),
              low[bit]);
  }
}

TEST(ScopeComment, CutAtWholeCharacters) {
  EXPECT_EQ(CutToChars(std::string(1024, 'a'), 1023), std::string(1023, 'a'));
  EXPECT_EQ(CutToChars(std::string(1023, 'a'), 1023), std::string(1023, 'a'));
  EXPECT_EQ(CutToChars("", 1023), "");
  EXPECT_EQ(CutToChars("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4\xC3\xB6");  // two umlauts
}

}  // namespace
