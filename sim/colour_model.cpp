#include "sim/colour_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

ColourModel::ColourModel(uint32_t seed) : rng_(seed) {
  targets_ = {
      {2900, 3050, 2800},  // white
      {2600, 700, 600},    // red
      {2700, 2500, 700},   // yellow
      {700, 2300, 900},    // green
      {500, 900, 2500},    // blue
  };
}

void ColourModel::SetTargets(std::vector<Rgb> targets) {
  if (!targets.empty()) targets_ = std::move(targets);
}

void ColourModel::SetTiming(double dwellSeconds, double rampSeconds) {
  dwell_ = std::max(0.0, dwellSeconds);
  ramp_ = std::max(0.0, rampSeconds);
}

Rgb ColourModel::Reflection(double t) const {
  if (held_) return *held_;
  const double period = dwell_ + ramp_;
  if (period <= 0 || targets_.size() == 1) return targets_.front();
  const double cycles = t / period;
  const auto index = static_cast<size_t>(std::floor(cycles)) % targets_.size();
  const double into = (cycles - std::floor(cycles)) * period;
  const Rgb& from = targets_[index];
  if (into < dwell_) return from;
  const Rgb& to = targets_[(index + 1) % targets_.size()];
  // Smooth step, as a part moving past the sensor would give.
  const double x = (into - dwell_) / ramp_;
  const double k = x * x * (3 - 2 * x);
  return {from.r + (to.r - from.r) * k, from.g + (to.g - from.g) * k, from.b + (to.b - from.b) * k};
}

bool ColourModel::Input0(double t) const {
  if (input0_) return *input0_;
  // A part passes the light barrier on IN0 every 2.5 s and keeps it high for 0.6 s.
  return std::fmod(t, 2.5) < 0.6;
}

double ColourModel::Temperature(double t) const {
  return 34.0 + 1.5 * std::sin(2 * std::numbers::pi * t / 600.0);
}

double ColourModel::Noise(int averagedScans) {
  if (noiseSigma_ <= 0) return 0;
  return normal_(rng_) * noiseSigma_ / std::sqrt(std::max(1, averagedScans));
}

}  // namespace sim
