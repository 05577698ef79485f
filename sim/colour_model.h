// What lies in front of the virtual sensor: a target that moves through a few colours,
// each held for a while, with receiver noise, the dark signal of the receiver, the
// trigger input IN0 and the temperature inside the housing. Signals are in raw digits
// as the receiver gives them at POWER 500 and the middle gain stage.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace sim {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

class ColourModel {
 public:
  explicit ColourModel(uint32_t seed = 1);

  void SetTargets(std::vector<Rgb> targets);
  const std::vector<Rgb>& Targets() const { return targets_; }
  void SetTiming(double dwellSeconds, double rampSeconds);
  void Hold(std::optional<Rgb> target) { held_ = target; }
  void SetNoise(double sigma) { noiseSigma_ = sigma; }
  void SetInput0(std::optional<bool> level) { input0_ = level; }

  // Reflected signal at t seconds after power-up, without noise.
  Rgb Reflection(double t) const;
  Rgb Dark() const { return {21, 26, 18}; }
  bool Input0(double t) const;
  double Temperature(double t) const;
  // One noise sample, scaled down for signals averaged over several scans.
  double Noise(int averagedScans);

 private:
  std::vector<Rgb> targets_;
  double dwell_ = 1.5;
  double ramp_ = 0.5;
  std::optional<Rgb> held_;
  std::optional<bool> input0_;
  double noiseSigma_ = 6.0;
  std::mt19937 rng_;
  std::normal_distribution<double> normal_{0.0, 1.0};
};

}  // namespace sim
