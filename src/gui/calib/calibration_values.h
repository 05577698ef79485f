// The calibration factors and offsets between the sensor and the calibration
// and offset pages: reading both triples, sending either, and the sensor's own
// factor calculation.
#pragma once

#include <cstdint>

constexpr uint16_t kDefaultFactor = 1024;  // factor 1.0
constexpr uint16_t kMaxFactor = 4096;

// The tool's copies; the edit boxes hold the values the user works with.
struct CalibrationValues {
  uint16_t factor[3] = {kDefaultFactor, kDefaultFactor, kDefaultFactor};  // RED, GREEN, BLUE
  uint16_t offset[3] = {};
  uint16_t setValue = 0;
  uint16_t maxDelta = 0;
};
extern CalibrationValues gCalibration;

// Factors and offsets from the sensor into the copies and both pages' edit
// boxes; a failed exchange changes nothing.
void ReadCalibrationValues();
// The three CF boxes to the sensor; false when no reply arrived.
bool SendCalibrationFactors();
// The three offset boxes to the sensor.
void SendOffsetValues();
// The sensor measures the white target itself; its factors, set value and
// maximum delta fill the boxes, for the user to confirm with SEND CF.
void StartSelfCalibration();
// The sensor detects its offsets with the receiver covered; the offset
// displays then show what it found.
void CalculateOffsetValues();

// The confirmation that the sensor shines on a white target; 1 for yes.
int ConfirmWhiteTarget();
