// White calibration by the tool: 100 live frames of a white target, the mean
// raw values and their spread, and the factors that bring every channel to the
// set value.
#pragma once

#include <cstdint>

constexpr int kCalibrationFrames = 100;

struct RawMeans {
  uint16_t channel[3] = {};  // RED, GREEN, BLUE
  uint16_t delta = 0;
};

enum class CalibrationVerdict { kPassed, kDeltaTooHigh, kFactorOutOfRange };
struct CalibrationResult {
  CalibrationVerdict verdict = CalibrationVerdict::kPassed;
  uint16_t factor[3] = {};  // valid when passed
};
// CF = (setValue * 1024) / mean per channel; a mean of 0 counts as 1. Fails when
// the mean delta exceeds maxDelta or any quotient exceeds 4096.
CalibrationResult ComputeCalibrationFactors(const RawMeans& means, uint16_t setValue,
                                            uint16_t maxDelta);

enum class MeasurementOutcome { kDeclined, kNoFrame, kMeasured };
// Asks for confirmation, measures, and applies the factors when they pass.
// A time-out ends the measurement; a damaged frame is skipped. The means are
// taken over the frames that arrived; with none, no factor changes.
MeasurementOutcome CalculateCalibrationFactors();
// Checks the means against the set value and maximum delta boxes; passed
// factors go to the copies and the CF boxes.
void CheckAndApplyCalibration(const RawMeans& means);
// The CALC CF button: measure, send what stands in the CF boxes, then GO.
void RunWhiteCalibration();
