#include "sim/measurement.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

enum Trigger { kCont, kSelf, kExt1, kExt2, kExt3, kTrans, kPara };
enum LedMode { kLedDc, kLedAc, kLedPulse, kLedOff };
constexpr double kAmbientDc = 35;  // daylight that an unmodulated LED cannot reject

uint16_t OutputBits(const ParameterSet& p, uint16_t value) {
  const int eval = p.head[kEvaluationMode];
  if (value == kNoHit) return p.head[kDigitalOutmode] == 2 ? 0 : 0x1F;
  if (eval >= 3) return value & 0x1F;
  switch (p.head[kDigitalOutmode]) {
    case 1:
      return value & 0x1F;  // binary
    case 2:
      return value < 5 ? static_cast<uint16_t>(1 << value) : 0;  // direct, active high
    default:
      return value < 5 ? static_cast<uint16_t>(0x1F & ~(1 << value)) : 0x1F;  // active low
  }
}

double Gain(const ParameterSet& p) {
  return std::pow(1.25, static_cast<int>(p.head[kGain]) - 5);
}

// Dynamic power tunes the strongest channel into the middle of the window.
double TransmitterPower(const ParameterSet& p, const Rgb& ref) {
  if (p.head[kPowerMode] != 1) return p.head[kPower];
  const double want = (p.head[kDynwinLo] + p.head[kDynwinHi]) / 2.0;
  const double strongest = std::max({ref.r, ref.g, ref.b, 1.0}) * Gain(p);
  return std::clamp(500.0 * want / strongest, 1.0, 1000.0);
}

}  // namespace

int RepairFactors(std::array<uint16_t, 3>& factors) {
  int count = 0;
  for (auto& f : factors) {
    if (f > kMaxFactor) {
      f = kDefaultFactor;
      ++count;
    }
  }
  return count;
}

int RepairOffsets(std::array<uint16_t, 3>& offsets) {
  int count = 0;
  for (auto& o : offsets) {
    if (o > kMaxOffset) {
      o = 0;
      ++count;
    }
  }
  return count;
}

const ParameterSet& Measurement::SetInForce(const std::array<ParameterSet, 2>& ram,
                                            double t) const {
  return ram[0].head[kTrigger] == kPara && model_.Input0(t) ? ram[1] : ram[0];
}

std::array<double, 3> Measurement::Signal(const ParameterSet& p, const Calibration& cal,
                                          const Rgb& ref, bool lightOn) const {
  const Rgb dark = model_.Dark();
  const double scale = lightOn ? TransmitterPower(p, ref) / 500.0 * Gain(p) : 0.0;
  const double ambient = p.head[kLedMode] == kLedDc ? kAmbientDc : 0.0;
  return {ref.r * scale + ambient + dark.r - cal.offset[0],
          ref.g * scale + ambient + dark.g - cal.offset[1],
          ref.b * scale + ambient + dark.b - cal.offset[2]};
}

std::array<int, 3> Measurement::Raw(const ParameterSet& p, const Calibration& cal, double t,
                                    bool lightOn) {
  const auto signal = Signal(p, cal, model_.Reflection(t), lightOn);
  const int averaged = std::max<int>(1, p.head[kAverage]);
  std::array<int, 3> raw{};
  for (size_t c = 0; c < 3; ++c) {
    raw[c] =
        static_cast<int>(std::clamp(std::round(signal[c] + model_.Noise(averaged)), 0.0, 4095.0));
  }
  return raw;
}

std::array<int, 3> Measurement::SteadyCalibrated(const ParameterSet& p, const Calibration& cal,
                                                 const Rgb& target) const {
  const auto signal = Signal(p, cal, target, p.head[kLedMode] != kLedOff);
  std::array<int, 3> out{};
  for (size_t c = 0; c < 3; ++c) {
    const int raw = static_cast<int>(std::clamp(std::round(signal[c]), 0.0, 4095.0));
    out[c] = std::min(4095, raw * cal.factor[c] / 1024);
  }
  return out;
}

Scan Measurement::Take(const std::array<ParameterSet, 2>& ram, const Calibration& cal, double t) {
  Scan s;
  const ParameterSet& p = SetInForce(ram, t);
  const int trigger = p.head[kTrigger];
  s.input0 = model_.Input0(t);
  const bool lightOn = p.head[kLedMode] != kLedOff && (trigger != kTrans || s.input0);
  s.raw = Raw(p, cal, t, lightOn);
  for (size_t c = 0; c < 3; ++c) {
    s.calibrated[c] = std::min(4095, s.raw[c] * cal.factor[c] / 1024);
  }
  const int calc = p.head[kCalculationMode];
  s.coords = ComputeCoordinates(s.calibrated, calc);
  s.verdict = Evaluate(p, s.calibrated, s.coords, s.coords[2]);
  s.shownIntensity = s.coords[2];
  // Under dynamic power INT (M) shows the transmitter power; INTLIM still sees the
  // real intensity.
  if (p.head[kPowerMode] == 1) {
    s.shownIntensity = static_cast<int>(std::lround(TransmitterPower(p, model_.Reflection(t))));
  }

  Verdict& v = s.verdict;
  switch (trigger) {
    case kCont:
      s.triggered = p.head[kExternTeach] != 0 && s.input0;
      break;
    case kSelf:
      // Triggered by anything but colour 0 (the background); back on colour 0 the last
      // colour seen stays at the output.
      s.triggered = v.colour != 0;
      if (s.triggered) {
        heldColour_ = v.colour;
        heldGroup_ = v.group;
      } else if (heldColour_ != kNoHit) {
        v.colour = heldColour_;
        v.group = heldGroup_;
      }
      break;
    case kExt1:
    case kExt2:
      s.triggered = s.input0;
      if (s.input0) {
        heldColour_ = v.colour;
        heldGroup_ = v.group;
      } else {
        v.colour = heldColour_;
        v.group = heldGroup_;
      }
      break;
    case kExt3:
      s.triggered = s.input0;
      if (!s.input0) v = Verdict{};
      break;
    default:
      s.triggered = s.input0;
      break;
  }
  s.temperature = static_cast<int>(std::lround(model_.Temperature(t)));
  const uint16_t shown =
      p.head[kColorGroup] == 1 && p.head[kEvaluationMode] <= 2 ? v.group : v.colour;
  s.digital = static_cast<uint16_t>(OutputBits(p, shown) | (s.input0 ? 0x20 : 0));
  return s;
}

std::array<uint16_t, kLiveFrameWords> Measurement::LiveFrame(const Scan& s) {
  recent_[static_cast<size_t>(recentNext_)] = s.calibrated;
  recentNext_ = (recentNext_ + 1) % kWindow;
  recentCount_ = std::min(kWindow, recentCount_ + 1);
  std::array<int, 3> lo{4095, 4095, 4095}, hi{0, 0, 0};
  for (int i = 0; i < recentCount_; ++i) {
    for (size_t c = 0; c < 3; ++c) {
      lo[c] = std::min(lo[c], recent_[static_cast<size_t>(i)][c]);
      hi[c] = std::max(hi[c], recent_[static_cast<size_t>(i)][c]);
    }
  }
  auto u = [](int v) { return static_cast<uint16_t>(v); };
  return {u(s.calibrated[0]),
          u(s.calibrated[1]),
          u(s.calibrated[2]),
          u(s.coords[0]),
          u(s.coords[1]),
          u(s.shownIntensity),
          static_cast<uint16_t>(s.verdict.deltaC),
          s.verdict.colour,
          s.verdict.group,
          u(s.triggered ? 1 : 0),
          u(s.temperature),
          u(s.raw[0]),
          u(s.raw[1]),
          u(s.raw[2]),
          u(lo[0]),
          u(hi[0]),
          u(lo[1]),
          u(hi[1]),
          u(lo[2]),
          u(hi[2])};
}

std::array<int, 3> Measurement::CoveredReceiverLevel() {
  const Rgb dark = model_.Dark();
  const std::array<double, 3> level{dark.r, dark.g, dark.b};
  std::array<int, 3> out{};
  for (size_t c = 0; c < 3; ++c) {
    double sum = 0;
    for (int i = 0; i < 16; ++i) sum += level[c] + model_.Noise(1);
    out[c] = static_cast<int>(std::clamp(std::round(sum / 16), 0.0, 1023.0));
  }
  return out;
}

std::array<int, 3> Measurement::MeanRaw(const std::array<ParameterSet, 2>& ram,
                                        const Calibration& cal, double t) {
  const ParameterSet& p = SetInForce(ram, t);
  std::array<int, 3> sum{};
  constexpr int kScans = 16;
  for (int i = 0; i < kScans; ++i) {
    const auto raw = Raw(p, cal, t, p.head[kLedMode] != kLedOff);
    for (size_t c = 0; c < 3; ++c) sum[c] += raw[c];
  }
  for (auto& v : sum) v /= kScans;
  return sum;
}

}  // namespace sim
