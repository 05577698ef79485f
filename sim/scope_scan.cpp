#include "sim/scope_scan.h"

#include <algorithm>

namespace sim {

double ScanCycleSeconds(const ParameterSet& p) {
  return std::min(0.1, 0.0005 * std::max<int>(1, p.head[kAverage]));
}

void ScopeScan::Start(const ScopeSettings& settings, double t0, double samplePeriod) {
  settings_ = settings;
  settings_.preTrigger = std::min<uint16_t>(settings.preTrigger, kScopeSamples - 1);
  t0_ = t0;
  period_ = samplePeriod;
  next_ = 0;
  pending_ = true;
  done_ = false;
  triggered_ = settings_.triggerMode == kSingleShot;
  afterTrigger_ = triggered_ ? kScopeSamples : kScopeSamples - 1 - settings_.preTrigger;
  triggerIndex_ = 0;
  ring_ = {};
}

bool ScopeScan::Fires(const ScopeSample& s) const {
  const uint16_t level = settings_.level;
  switch (settings_.triggerMode) {
    case kRisingEdge:
      return previous_.lines[2] <= level && s.lines[2] > level;
    case kFallingEdge:
      return previous_.lines[2] >= level && s.lines[2] < level;
    case kColourZero:
      return s.colour == 0;
    case kInput0High:
      return !previous_.input0 && s.input0;
    default:
      return true;
  }
}

bool ScopeScan::Advance(double t, const Sampler& sample) {
  if (!pending_ || done_) return done_;
  // Enough for minutes of waiting without holding the caller for long.
  constexpr long kMaxPerCall = 200000;
  for (long n = 0; n < kMaxPerCall; ++n) {
    const double when = t0_ + static_cast<double>(next_) * period_;
    if (when > t) break;
    const ScopeSample s = sample(when);
    const auto pos = static_cast<size_t>(next_ % kScopeSamples);
    for (size_t line = 0; line < 3; ++line) ring_[line][pos] = s.lines[line];
    ring_[3][pos] = s.digital;
    if (triggered_) {
      if (--afterTrigger_ <= 0) done_ = true;
    } else if (next_ >= settings_.preTrigger && next_ > 0 && Fires(s)) {
      // Armed once the pre-trigger part is recorded.
      triggered_ = true;
      triggerIndex_ = static_cast<uint16_t>(pos);
      if (afterTrigger_ <= 0) done_ = true;
    }
    previous_ = s;
    ++next_;
    if (done_) break;
  }
  return done_;
}

std::array<std::array<uint16_t, kScopeFrameWords>, 4> ScopeScan::Frames() const {
  std::array<std::array<uint16_t, kScopeFrameWords>, 4> frames{};
  for (size_t k = 0; k < 4; ++k) {
    std::copy(ring_[k].begin(), ring_[k].end(), frames[k].begin());
    frames[k][kScopeSamples] = triggerIndex_;
  }
  return frames;
}

}  // namespace sim
