// White calibration: the raw and calibrated values on the calibration page.
#pragma once

#include <cstdint>

// max(R, G, B) - min(R, G, B) over the raw words of a live frame.
uint16_t RawDeltaOf(const uint16_t* frame);

// Raw RED, GREEN, BLUE of the last frame on the bars and readouts, and their spread.
void ShowCalibrationRawValues();
// Calibrated RED, GREEN, BLUE and TEMP of the last frame on the calibration page.
void ShowCalibratedValues();
