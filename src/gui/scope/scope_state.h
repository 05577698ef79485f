// The scope: the acquisition settings last sent, the four sample blocks as the
// sensor recorded them (rotated so that the trigger sits at the pre-trigger
// position), the scan-running flag and the measured cycle time.
#pragma once

#include <cstdint>

constexpr int kScopeSamples = 128;
constexpr int kScopeFrameWords = kScopeSamples + 1;         // the samples, then the trigger index
constexpr int kScopeFrameBytes = 8 + 2 * kScopeFrameWords;  // 266
constexpr int kScopeBlocks = 4;  // red line, green line, blue line, digital states
constexpr int kScopeDigitalBlock = 3;

enum ScopeTriggerMode : uint16_t {
  kTriggerSingleShot = 0,
  kTriggerRisingEdge = 1,
  kTriggerFallingEdge = 2,
  kTriggerColourZero = 3,
  kTriggerInput0 = 4,
};

struct ScopeState {
  uint16_t triggerMode = kTriggerSingleShot;
  uint16_t preTrigger = 0;
  uint16_t triggerLevel = 0;
  uint16_t scanRate = 1;
  uint16_t recordedSignal = 0;
  uint16_t scanRunning = 0;
  uint16_t triggerIndex = 0;
  uint16_t blocks[kScopeBlocks][kScopeSamples] = {};
  double cycleTime = 0.0;  // ms; 0 until measured
};

extern ScopeState gScope;
