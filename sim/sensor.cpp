#include "sim/sensor.h"

#include <algorithm>

namespace sim {

namespace {

constexpr size_t kMaxStreamFramesKept = 100000;

std::vector<uint16_t> Flatten(const ParameterSet& p) {
  std::vector<uint16_t> words(p.head.begin(), p.head.end());
  words.insert(words.end(), p.teach.begin(), p.teach.end());
  return words;
}

void Overwrite(ParameterSet& p, std::span<const uint16_t> words) {
  for (size_t i = 0; i < words.size() && i < static_cast<size_t>(kSetWords); ++i) {
    if (i < kHeadWords) {
      p.head[i] = words[i];
    } else {
      p.teach[i - kHeadWords] = words[i];
    }
  }
}

std::vector<uint16_t> DefaultHardwareBlock() {
  std::vector<uint16_t> w(kHardwareWords);
  w[0] = 0x0001;  // layout of this block
  w[1] = 0x0420;  // firmware 4.32
  w[2] = 0x0003;  // board revision
  w[3] = 0x0000;  // serial number, high and low word
  w[4] = 0x0001;
  w[5] = 0x01F4;  // LED currents of the three colours at full power, mA x 10
  w[6] = 0x01C2;
  w[7] = 0x0226;
  for (size_t i = 8; i + 1 < w.size(); ++i) w[i] = static_cast<uint16_t>((i * 0x0101) ^ 0x5A5A);
  uint16_t sum = 0;
  for (size_t i = 0; i + 1 < w.size(); ++i) sum = static_cast<uint16_t>(sum + w[i]);
  w.back() = static_cast<uint16_t>(~sum);  // the block sums to 0xFFFF
  return w;
}

}  // namespace

Sensor::Sensor() : start_(Clock::now()), hardware_(DefaultHardwareBlock()) {
  ram_ = {DefaultParameterSet(), DefaultParameterSet()};
  eeprom_ = ram_;
}

void Sensor::SetIdentText(std::string text) {
  std::lock_guard lock(mutex_);
  ident_ = std::move(text);
}

std::string Sensor::IdentText() const {
  std::lock_guard lock(mutex_);
  return ident_;
}

void Sensor::InjectFault(Fault f, int order, int count, int after) {
  std::lock_guard lock(mutex_);
  faults_.Add(f, order, count, after);
}

void Sensor::InjectPlausibilityCount(uint16_t count, int order, int times) {
  std::lock_guard lock(mutex_);
  counts_.Add(count, order, times);
}

void Sensor::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.Clear();
  counts_.Clear();
}

void Sensor::SetPieceSizes(std::vector<int> sizes, int gapMs) {
  std::lock_guard lock(mutex_);
  shape_.pieceSizes = std::move(sizes);
  shape_.pieceGapMs = gapMs;
}

void Sensor::SetGarbageLength(int bytes) {
  std::lock_guard lock(mutex_);
  shape_.garbageLength = bytes;
}

void Sensor::SetReplyDelayMs(int ms) {
  std::lock_guard lock(mutex_);
  shape_.replyDelayMs = ms;
}

std::vector<Request> Sensor::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void Sensor::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

int Sensor::RejectedFrames() const {
  std::lock_guard lock(mutex_);
  return rejected_;
}

int Sensor::BaudIndex() const {
  std::lock_guard lock(mutex_);
  return baudIndex_;
}

void Sensor::SetBaudIndex(int index) {
  std::lock_guard lock(mutex_);
  if (index >= 0 && index < static_cast<int>(kBaudRates.size()))
    baudIndex_ = eepromBaudIndex_ = index;
}

int Sensor::EepromBaudIndex() const {
  std::lock_guard lock(mutex_);
  return eepromBaudIndex_;
}

std::vector<uint16_t> Sensor::ParameterWords(int set) const {
  std::lock_guard lock(mutex_);
  return Flatten(ram_.at(static_cast<size_t>(set)));
}

void Sensor::SetParameterWords(int set, std::span<const uint16_t> words) {
  std::lock_guard lock(mutex_);
  Overwrite(ram_.at(static_cast<size_t>(set)), words);
}

std::vector<uint16_t> Sensor::EepromWords(int set) const {
  std::lock_guard lock(mutex_);
  return Flatten(eeprom_.at(static_cast<size_t>(set)));
}

void Sensor::SetEepromWords(int set, std::span<const uint16_t> words) {
  std::lock_guard lock(mutex_);
  Overwrite(eeprom_.at(static_cast<size_t>(set)), words);
}

std::array<uint16_t, 6> Sensor::CalibrationWords() const {
  std::lock_guard lock(mutex_);
  const auto& c = calibration_;
  return {c.factor[0], c.factor[1], c.factor[2], c.offset[0], c.offset[1], c.offset[2]};
}

void Sensor::SetCalibrationWords(const std::array<uint16_t, 6>& w) {
  std::lock_guard lock(mutex_);
  calibration_.factor = {w[0], w[1], w[2]};
  calibration_.offset = {w[3], w[4], w[5]};
}

std::vector<uint16_t> Sensor::HardwareWords() const {
  std::lock_guard lock(mutex_);
  return hardware_;
}

void Sensor::SetHardwareWords(std::span<const uint16_t> words) {
  std::lock_guard lock(mutex_);
  std::copy_n(words.begin(), std::min<size_t>(words.size(), hardware_.size()), hardware_.begin());
}

bool Sensor::StreamRunning() const {
  std::lock_guard lock(mutex_);
  return streamSession_ != 0;
}

std::vector<std::array<uint16_t, kLiveFrameWords>> Sensor::StreamFrames() const {
  std::lock_guard lock(mutex_);
  return streamFrames_;
}

void Sensor::ClearStreamFrames() {
  std::lock_guard lock(mutex_);
  streamFrames_.clear();
}

bool Sensor::ScanPending() const {
  std::lock_guard lock(mutex_);
  return scan_.Pending();
}

void Sensor::HoldColour(Rgb reference) {
  std::lock_guard lock(mutex_);
  model_.Hold(reference);
}

void Sensor::ReleaseColour() {
  std::lock_guard lock(mutex_);
  model_.Hold(std::nullopt);
}

void Sensor::SetNoise(double sigma) {
  std::lock_guard lock(mutex_);
  model_.SetNoise(sigma);
}

void Sensor::SetInput0(std::optional<bool> level) {
  std::lock_guard lock(mutex_);
  model_.SetInput0(level);
}

void Sensor::SetStreamIntervalMs(int ms) {
  SetStreamIntervalUs(1000L * std::max(1, ms));
}

void Sensor::SetStreamIntervalUs(long us) {
  std::lock_guard lock(mutex_);
  streamInterval_ = std::chrono::microseconds(std::max(1L, us));
}

void Sensor::SetScopeFrames(std::optional<ScopeFrames> frames) {
  std::lock_guard lock(mutex_);
  scopeFrames_ = std::move(frames);
}

void Sensor::TeachDemoColours(int set) {
  std::lock_guard lock(mutex_);
  ParameterSet& p = ram_.at(static_cast<size_t>(set));
  const int calc = p.head[kCalculationMode];
  const bool siM = calc == 1 || calc == 3;
  const auto& targets = model_.Targets();
  const int rows = std::min<int>(static_cast<int>(targets.size()), kTeachRows);
  for (int row = 0; row < rows; ++row) {
    const auto rgb = live_.SteadyCalibrated(p, calibration_, targets[static_cast<size_t>(row)]);
    const auto c = ComputeCoordinates(rgb, calc);
    std::array<int, 5> cells{};
    if (calc >= 2) {
      cells = {c[0], c[1], c[2], siM ? 250 : 150, 1};
    } else {
      cells = {c[0], c[1], siM ? 250 : 150, c[2], siM ? 100 : 300};
    }
    for (int w = 0; w < 5; ++w)
      p.Row(row, w) = static_cast<uint16_t>(cells[static_cast<size_t>(w)]);
    p.Row(row, kRowGroup) = static_cast<uint16_t>(row);
  }
  p.head[kMaxVecNo] = static_cast<uint16_t>(rows);
}

std::array<uint16_t, kLiveFrameWords> Sensor::LiveFrameNow() {
  std::lock_guard lock(mutex_);
  return live_.LiveFrame(live_.Take(ram_, calibration_, Seconds(Clock::now())));
}

int Sensor::OpenSession() {
  std::lock_guard lock(mutex_);
  return nextSession_++;
}

void Sensor::CloseSession(int session) {
  std::lock_guard lock(mutex_);
  if (streamSession_ == session) streamSession_ = 0;
  if (scanSession_ == session) {
    scan_.Break();
    scanSession_ = 0;
  }
}

double Sensor::Seconds(Clock::time_point t) const {
  return std::chrono::duration<double>(t - start_).count();
}

Clock::time_point Sensor::At(double seconds) const {
  return start_ +
         std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

Transmission Sensor::Shape(uint8_t faultKey, std::vector<uint8_t> frame) {
  return ShapeReply(std::move(frame), faults_.Take(faultKey), shape_, rng_);
}

Transmission Sensor::Handle(int session, const Request& request, bool dataCrcOk) {
  std::lock_guard lock(mutex_);
  if (!dataCrcOk) {
    // The frame arrived damaged: report a communication error and do nothing else.
    ++rejected_;
    return ShapeReply(BuildFrame(0, kStatusCommunicationError, {}), FaultSet{}, shape_, rng_);
  }
  requests_.push_back(request);
  Result result = Execute(session, request, Clock::now());
  uint8_t code = request.order;
  if (!result.known) {
    code = 0;
    result.status = kStatusUnknownOrder;
    result.data.clear();
  } else if (result.damaged) {
    code = 0;
    result.status = kStatusCommunicationError;
    result.data.clear();
  } else if (result.reportsCount) {
    if (auto forced = counts_.Take(request.order)) result.status = *forced;
  }
  Transmission tx = Shape(request.order, BuildFrame(code, result.status, result.data));
  tx.baudAfter = result.baudAfter;
  return tx;
}

std::vector<Transmission> Sensor::TakeDue(int session, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  std::vector<Transmission> out;
  if (streamSession_ == session) {
    const auto interval = streamInterval_;
    // A stalled link does not make the sensor measure faster afterwards.
    if (now - nextStreamFrame_ > interval) nextStreamFrame_ = now;
    while (nextStreamFrame_ <= now) {
      auto frame = live_.LiveFrame(live_.Take(ram_, calibration_, Seconds(nextStreamFrame_)));
      frame[9] = 1;  // each frame is one triggered measurement
      if (streamFrames_.size() < kMaxStreamFramesKept) streamFrames_.push_back(frame);
      Transmission tx = Shape(kOrderStream, BuildFrame(kOrderLiveFrame, 0, WordsToBytes(frame)));
      tx.notBefore = nextStreamFrame_;
      out.push_back(std::move(tx));
      nextStreamFrame_ += interval;
    }
  }
  if (scanSession_ == session && scan_.Pending()) {
    const auto sampler = [this](double t) {
      const Scan s = scopeMeasurement_.Take(ram_, calibration_, t);
      ScopeSample sample;
      const auto& src = scanSignal_ == 1 ? s.coords : scanSignal_ == 2 ? s.raw : s.calibrated;
      for (size_t i = 0; i < 3; ++i) sample.lines[i] = static_cast<uint16_t>(src[i]);
      sample.digital = s.digital;
      sample.colour = s.verdict.colour;
      sample.input0 = s.input0;
      return sample;
    };
    if (scan_.Advance(Seconds(now), sampler)) {
      for (const auto& words : scopeFrames_ ? *scopeFrames_ : scan_.Frames()) {
        out.push_back(Shape(kOrderScan, BuildFrame(kOrderScan, 0, WordsToBytes(words))));
      }
      scan_.Finish();
      scanSession_ = 0;
    }
  }
  return out;
}

std::optional<Clock::time_point> Sensor::NextDue(int session) const {
  std::lock_guard lock(mutex_);
  std::optional<Clock::time_point> due;
  if (streamSession_ == session) due = nextStreamFrame_;
  if (scanSession_ == session && scan_.Pending()) {
    // The acquisition is advanced in steps; its end is not known before the trigger.
    const auto step = Clock::now() + std::chrono::milliseconds(10);
    due = due ? std::min(*due, step) : step;
  }
  return due;
}

}  // namespace sim
