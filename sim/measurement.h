// One scan of the virtual sensor: the receiver signal under the current parameters
// (power, gain, LED mode, trigger mode), the calibration factors and offsets, the colour
// coordinates and the verdict against the teach table; and the live frame built from it.
#pragma once

#include <array>
#include <cstdint>

#include "sim/colour_model.h"
#include "sim/evaluation.h"
#include "sim/parameter_rules.h"
#include "src/com232/protocol.h"

namespace sim {

inline constexpr uint16_t kDefaultFactor = 1024;
inline constexpr uint16_t kMaxFactor = 4096;
inline constexpr uint16_t kMaxOffset = 1023;

struct Calibration {
  std::array<uint16_t, 3> factor{kDefaultFactor, kDefaultFactor, kDefaultFactor};
  std::array<uint16_t, 3> offset{0, 0, 0};
};

// Out-of-range factors go back to 1024, offsets to 0; returns how many.
int RepairFactors(std::array<uint16_t, 3>& factors);
int RepairOffsets(std::array<uint16_t, 3>& offsets);

struct Scan {
  std::array<int, 3> raw{};
  std::array<int, 3> calibrated{};
  std::array<int, 3> coords{};  // X Y INT or s i M
  Verdict verdict;
  int shownIntensity = 0;  // INT or M, or the transmitter power under dynamic power
  bool triggered = false;
  bool input0 = false;
  int temperature = 0;
  uint16_t digital = 0;  // OUT0..OUT4 in bits 0..4, IN0 in bit 5
};

class Measurement {
 public:
  explicit Measurement(ColourModel& model) : model_(model) {}

  // The set in force: ParaSet1 while TRIGGER is PARA and IN0 is high.
  const ParameterSet& SetInForce(const std::array<ParameterSet, 2>& ram, double t) const;
  Scan Take(const std::array<ParameterSet, 2>& ram, const Calibration& cal, double t);
  // The 20 words of a live frame; keeps the recent minimum and maximum values.
  std::array<uint16_t, kLiveFrameWords> LiveFrame(const Scan& scan);

  // Means over a few scans, for offset detection (receiver covered) and self calibration.
  std::array<int, 3> CoveredReceiverLevel();
  std::array<int, 3> MeanRaw(const std::array<ParameterSet, 2>& ram, const Calibration& cal,
                             double t);
  // Calibrated values of a target without noise, as a careful teach would record them.
  std::array<int, 3> SteadyCalibrated(const ParameterSet& p, const Calibration& cal,
                                      const Rgb& target) const;

 private:
  std::array<int, 3> Raw(const ParameterSet& p, const Calibration& cal, double t, bool lightOn);
  std::array<double, 3> Signal(const ParameterSet& p, const Calibration& cal, const Rgb& ref,
                               bool lightOn) const;

  ColourModel& model_;
  uint16_t heldColour_ = kNoHit;
  uint16_t heldGroup_ = kNoHit;
  static constexpr int kWindow = 64;
  std::array<std::array<int, 3>, kWindow> recent_{};
  int recentCount_ = 0;
  int recentNext_ = 0;
};

}  // namespace sim
