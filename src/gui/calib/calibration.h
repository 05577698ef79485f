// White calibration: the raw and calibrated values on the calibration page.
#pragma once

// Raw RED, GREEN, BLUE of the last frame on the bars and readouts, and their spread.
void ShowCalibrationRawValues();
// Calibrated RED, GREEN, BLUE and TEMP of the last frame on the calibration page.
void ShowCalibratedValues();
