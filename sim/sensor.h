// The virtual colour sensor: answers every order of the link from its own state (two
// parameter sets in RAM and an EEPROM copy, calibration factors and offsets, a colour
// model in front of the receiver) and commits the link faults it is told to. Thread-safe:
// transports call it from their own threads while a test adjusts it from another.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/colour_model.h"
#include "sim/fault_plan.h"
#include "sim/frame.h"
#include "sim/measurement.h"
#include "sim/parameter_rules.h"
#include "sim/scope_scan.h"
#include "sim/transmission.h"
#include "src/com232/protocol.h"

namespace sim {

class Sensor {
 public:
  Sensor();

  // --- Identity and link faults ---
  void SetIdentText(std::string text);
  std::string IdentText() const;
  // Spoils the next `count` replies to `order` (kAnyOrder: to any order; kUntilCleared:
  // until ClearFaults). Frames the sensor sends on its own after 0x1E and 0x6E count
  // under that order, after the order's own reply. Several kinds may apply at once.
  // `after`: the fault spares that many matching replies first.
  void InjectFault(Fault f, int order = kAnyOrder, int count = 1, int after = 0);
  // Forces the plausibility count in the status word of the next `times` replies to the
  // orders that report one (0x01, 0x04, 0x65), to `order` or to any of them.
  void InjectPlausibilityCount(uint16_t count, int order = kAnyOrder, int times = 1);
  void ClearFaults();  // also the forced counts
  void SetPieceSizes(std::vector<int> sizes, int gapMs);
  void SetGarbageLength(int bytes);
  void SetReplyDelayMs(int ms);

  // --- What arrived ---
  std::vector<Request> Requests() const;  // every well-formed request, in order
  void ClearRequests();
  int RejectedFrames() const;  // requests whose data CRC was wrong

  // --- State ---
  int BaudIndex() const;
  void SetBaudIndex(int index);  // 0..4
  int EepromBaudIndex() const;
  // 265 words: the 17 head words, then the 248 teach-table words. Setting takes up to
  // 265 words and leaves the rest.
  std::vector<uint16_t> ParameterWords(int set) const;
  void SetParameterWords(int set, std::span<const uint16_t> words);
  std::vector<uint16_t> EepromWords(int set) const;
  void SetEepromWords(int set, std::span<const uint16_t> words);
  // CF RED, GREEN, BLUE, OFFSET RED, GREEN, BLUE.
  std::array<uint16_t, 6> CalibrationWords() const;
  void SetCalibrationWords(const std::array<uint16_t, 6>& words);
  std::vector<uint16_t> HardwareWords() const;
  void SetHardwareWords(std::span<const uint16_t> words);
  bool StreamRunning() const;
  // The live frames of the triggered stream, in the order the sensor sent them
  // (the first 100000 since the last clear).
  std::vector<std::array<uint16_t, kLiveFrameWords>> StreamFrames() const;
  void ClearStreamFrames();
  bool ScanPending() const;

  // --- What lies in front of the receiver ---
  void HoldColour(Rgb reference);  // raw digits at POWER 500, middle gain
  void ReleaseColour();
  void SetNoise(double sigma);
  void SetInput0(std::optional<bool> level);  // nothing: a part passes every 2.5 s
  void SetStreamIntervalMs(int ms);           // triggered measurements while streaming
  // The same in microseconds, for a stream that fills a serial line to its limit.
  void SetStreamIntervalUs(long us);
  // The four scope frames (red, green, blue line, digital states; 128 samples and the
  // trigger index each) that every scan sends once its recording completes, in place of
  // what it recorded; nothing: the recorded ones.
  using ScopeFrames = std::array<std::array<uint16_t, kScopeFrameWords>, 4>;
  void SetScopeFrames(std::optional<ScopeFrames> frames);
  // Teaches the colours the model moves through into rows 0.. of a RAM set.
  void TeachDemoColours(int set);
  // A live frame as order 0x08 would give it now.
  std::array<uint16_t, kLiveFrameWords> LiveFrameNow();

  // --- Link side, used by the transports ---
  int OpenSession();
  void CloseSession(int session);
  // The answer to one request; dataCrcOk false for a frame whose data CRC was wrong.
  Transmission Handle(int session, const Request& request, bool dataCrcOk = true);
  // Frames the sensor sends on its own (triggered stream, scope frames) that are due.
  std::vector<Transmission> TakeDue(int session, Clock::time_point now);
  std::optional<Clock::time_point> NextDue(int session) const;

 public:
  // What one order did, before it is framed.
  struct Result {
    bool known = true;
    bool damaged = false;  // the request's data had the wrong size
    uint16_t status = 0;
    std::vector<uint8_t> data;
    long baudAfter = 0;
    bool reportsCount = false;  // the status word is a plausibility count
  };

 private:
  Result Execute(int session, const Request& r, Clock::time_point now);
  Result WriteParameters(const Request& r);
  Result ReadParameters(const Request& r) const;
  Result WriteFactors(const Request& r);
  Result SelfCalibration(Clock::time_point now);
  Result CycleTime();
  Result StartScan(int session, const Request& r, Clock::time_point now);
  Transmission Shape(uint8_t faultKey, std::vector<uint8_t> frame);
  double Seconds(Clock::time_point t) const;
  Clock::time_point At(double seconds) const;

  mutable std::mutex mutex_;
  Clock::time_point start_;
  std::string ident_ = "COLOR SENSOR SIM V1.0 SN 000001";
  std::array<ParameterSet, 2> ram_;
  std::array<ParameterSet, 2> eeprom_;
  Calibration calibration_;
  int baudIndex_ = 4;
  int eepromBaudIndex_ = 4;
  std::vector<uint16_t> hardware_;

  ColourModel model_;
  Measurement live_{model_};
  Measurement scopeMeasurement_{model_};

  FaultPlan faults_;
  CountPlan counts_;
  ShapeSettings shape_;
  std::mt19937 rng_{12345};
  std::vector<Request> requests_;
  int rejected_ = 0;

  int nextSession_ = 1;
  int streamSession_ = 0;  // 0: no stream
  Clock::time_point nextStreamFrame_{};
  std::chrono::microseconds streamInterval_{200000};
  std::vector<std::array<uint16_t, kLiveFrameWords>> streamFrames_;
  int scanSession_ = 0;
  ScopeScan scan_;
  uint16_t scanSignal_ = 0;
  std::optional<ScopeFrames> scopeFrames_;
};

}  // namespace sim
