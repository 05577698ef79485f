// The order set of the sensor: what each order does to the sensor's state and what it
// answers. Runs with the sensor's lock held.
#include <algorithm>
#include <cmath>

#include "sim/sensor.h"

namespace sim {
namespace {

Sensor::Result Unknown() {
  Sensor::Result r;
  r.known = false;
  return r;
}

constexpr uint16_t kSelfCalibrationSetValue = 3000;
constexpr uint16_t kSelfCalibrationMaxDelta = 400;

}  // namespace

Sensor::Result Sensor::Execute(int session, const Request& r, Clock::time_point now) {
  Result out;
  switch (r.order) {
    case kOrderWriteParameters:
      return WriteParameters(r);
    case kOrderReadParameters:
      return ReadParameters(r);
    case kOrderStoreEeprom:
      eeprom_ = ram_;
      eepromBaudIndex_ = baudIndex_;
      return out;
    case kOrderLoadEeprom: {
      ram_ = eeprom_;
      out.status = static_cast<uint16_t>(Repair(ram_[0]) + Repair(ram_[1]));
      out.reportsCount = true;
      return out;
    }
    case kOrderIdentify:
      out.data.assign(ident_.begin(), ident_.end());
      out.data.push_back(0);
      return out;
    case kOrderLiveFrame:
      out.data = WordsToBytes(live_.LiveFrame(live_.Take(ram_, calibration_, Seconds(now))));
      return out;
    case kOrderStream:
      if (r.arg > 1) return Unknown();
      streamSession_ = r.arg == 1 ? session : 0;
      nextStreamFrame_ = now + streamInterval_;
      return out;
    case kOrderDetectOffsets: {
      if (r.arg != 1) return Unknown();
      const auto level = live_.CoveredReceiverLevel();
      for (size_t c = 0; c < 3; ++c) calibration_.offset[c] = static_cast<uint16_t>(level[c]);
      return out;
    }
    case kOrderWriteFactors:
      return WriteFactors(r);
    case kOrderReadFactors: {
      const auto& c = calibration_;
      const std::array<uint16_t, 6> words{c.factor[0], c.factor[1], c.factor[2],
                                          c.offset[0], c.offset[1], c.offset[2]};
      out.data = WordsToBytes(words);
      return out;
    }
    case kOrderSelfCalibration:
      return SelfCalibration(now);
    case kOrderCycleTime:
      return CycleTime();
    case kOrderScan:
      return StartScan(session, r, now);
    case kOrderBaudRate:
      if (r.arg >= kBaudRates.size()) return Unknown();
      baudIndex_ = r.arg;
      out.baudAfter = kBaudRates[r.arg];
      return out;
    case kOrderHardwareInfo:
      if (r.arg != kHardwareAccessValue) return Unknown();
      out.data = WordsToBytes(hardware_);
      return out;
    default:
      return Unknown();
  }
}

Sensor::Result Sensor::WriteParameters(const Request& r) {
  Result out;
  if (r.arg > 3) return Unknown();
  const bool head = r.arg < 2;
  const size_t expected = 2 * static_cast<size_t>(head ? kHeadWords : kTeachTableWords);
  if (r.data.size() != expected) {
    out.damaged = true;
    return out;
  }
  ParameterSet& set = ram_[r.arg % 2];
  const auto words = BytesToWords(r.data);
  if (head) {
    std::copy(words.begin(), words.end(), set.head.begin());
    out.status = static_cast<uint16_t>(RepairHead(set.head));
  } else {
    std::copy(words.begin(), words.end(), set.teach.begin());
    out.status = static_cast<uint16_t>(RepairTeach(set.teach));
  }
  out.reportsCount = true;
  return out;
}

Sensor::Result Sensor::ReadParameters(const Request& r) const {
  if (r.arg > 3) return Unknown();
  const ParameterSet& set = ram_[r.arg % 2];
  Result out;
  if (r.arg < 2) {
    out.data = WordsToBytes(set.head);
  } else {
    out.data = WordsToBytes(set.teach);
  }
  return out;
}

Sensor::Result Sensor::WriteFactors(const Request& r) {
  Result out;
  if (r.arg > 1) return Unknown();
  if (r.data.size() != 6) {
    out.damaged = true;
    return out;
  }
  const auto words = BytesToWords(r.data);
  std::array<uint16_t, 3> triple{words[0], words[1], words[2]};
  if (r.arg == 0) {
    out.status = static_cast<uint16_t>(RepairFactors(triple));
    calibration_.factor = triple;
  } else {
    out.status = static_cast<uint16_t>(RepairOffsets(triple));
    calibration_.offset = triple;
  }
  out.reportsCount = true;
  return out;
}

Sensor::Result Sensor::SelfCalibration(Clock::time_point now) {
  // The factors that would bring the target to the set value; the sensor keeps its own
  // until they are sent back with order 0x65.
  const auto raw = live_.MeanRaw(ram_, calibration_, Seconds(now));
  std::array<uint16_t, 5> words{0, 0, 0, kSelfCalibrationSetValue, kSelfCalibrationMaxDelta};
  for (size_t c = 0; c < 3; ++c) {
    const long cf = static_cast<long>(kSelfCalibrationSetValue) * 1024 / std::max(1, raw[c]);
    words[c] = static_cast<uint16_t>(std::min<long>(cf, kMaxFactor));
  }
  Result out;
  out.data = WordsToBytes(words);
  return out;
}

Sensor::Result Sensor::CycleTime() {
  // Scans counted over the last 8 s (T in units of 10 ms), with a little jitter.
  const double cycle = ScanCycleSeconds(ram_[0]);
  const int32_t t = 800;
  std::uniform_int_distribution<int> jitter(-2, 2);
  const auto n = static_cast<int32_t>(std::lround(8.0 / cycle)) + jitter(rng_);
  Result out;
  for (int32_t v : {n, t}) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
      out.data.push_back(static_cast<uint8_t>(u >> shift));
  }
  return out;
}

Sensor::Result Sensor::StartScan(int session, const Request& r, Clock::time_point now) {
  Result out;
  if (r.arg > 1) return Unknown();
  if (r.arg == 0) {
    scan_.Break();
    scanSession_ = 0;
    return out;
  }
  if (r.data.size() != 10) {
    out.damaged = true;
    return out;
  }
  const auto w = BytesToWords(r.data);
  const ScopeSettings settings{w[0], w[1], w[2], w[3], w[4]};
  scanSignal_ = settings.signal;
  const double period = ScanCycleSeconds(ram_[0]) * std::max<int>(1, settings.scanRate);
  scan_.Start(settings, Seconds(now), period);
  scanSession_ = session;
  return out;
}

}  // namespace sim
