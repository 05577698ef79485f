// The sensor-side acquisition: 128 samples of three lines and of the digital states in a
// ring, started at once or by a trigger condition with a pre-trigger part, then sent as
// four frames of 129 words whose last word is the ring position of the trigger sample.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "sim/parameter_rules.h"

namespace sim {

inline constexpr int kScopeSamples = 128;
inline constexpr int kScopeFrameWords = kScopeSamples + 1;

enum ScopeTrigger : uint16_t { kSingleShot, kRisingEdge, kFallingEdge, kColourZero, kInput0High };

struct ScopeSettings {
  uint16_t triggerMode = kSingleShot;
  uint16_t preTrigger = 0;
  uint16_t level = 0;
  uint16_t scanRate = 1;
  uint16_t signal = 0;  // 0 calibrated RGB, 1 colour coordinates, 2 raw RGB
};

struct ScopeSample {
  std::array<uint16_t, 3> lines{};  // red, green, blue line
  uint16_t digital = 0;
  uint16_t colour = 0;
  bool input0 = false;
};

// Time of one scan of the sensor; averaging stretches it.
double ScanCycleSeconds(const ParameterSet& p);

class ScopeScan {
 public:
  using Sampler = std::function<ScopeSample(double t)>;

  void Start(const ScopeSettings& settings, double t0, double samplePeriod);
  void Break() { pending_ = false; }
  bool Pending() const { return pending_; }
  bool Complete() const { return pending_ && done_; }
  // Records the samples due up to time t; true once the recording is complete.
  bool Advance(double t, const Sampler& sample);
  // The four frames: red line, green line, blue line, digital states.
  std::array<std::array<uint16_t, kScopeFrameWords>, 4> Frames() const;
  void Finish() { pending_ = false; }

 private:
  bool Fires(const ScopeSample& s) const;

  ScopeSettings settings_;
  double t0_ = 0;
  double period_ = 0;
  long next_ = 0;  // index of the next sample since the start
  bool pending_ = false;
  bool done_ = false;
  bool triggered_ = false;
  int afterTrigger_ = 0;
  uint16_t triggerIndex_ = 0;
  ScopeSample previous_;
  std::array<std::array<uint16_t, kScopeSamples>, 4> ring_{};
};

}  // namespace sim
