// The arithmetic of the scope, free of any screen or link: the ring rotation
// that puts the trigger at the pre-trigger position, the scan frequency from
// the sensor's counts, the decimal places of the displays and the levels of
// the digital traces.
#pragma once

#include <cstdint>

#include "gui/scope/scope_state.h"

// Takes the sensor's ring (128 samples) into `out` in time order: from ring
// position 0 in SINGLE SHOT, otherwise starting pre-trigger samples before the
// trigger index, so that the trigger sample lands at x = pre-trigger.
void RotateScopeRing(const uint16_t* ring, uint16_t triggerMode, uint16_t preTrigger,
                     uint16_t triggerIndex, uint16_t* out);

// Scans counted (n) over t hundredths of a second, in Hz; 0 when t is not
// positive, since the count then means nothing.
double ScanFrequency(int32_t n, int32_t t);

struct FrequencyPrecision {
  int frequency;
  int cycleTime;
};
FrequencyPrecision CycleTimePrecision(double frequency);
// 1000 / f in ms, or 0 when there is no frequency.
double CycleTimeOf(double frequency);

// |trunc(x1 - x2)| samples x cycle time x scan rate, in ms.
double ScopeDeltaX(double x1, double x2, double cycleTime, int scanRate);
// |trunc(y1) - trunc(y2)|, in digits.
int ScopeDeltaY(double y1, double y2);
int DeltaXPrecision(double deltaX);

constexpr int kDigitalTraces = 6;
// The level of digital trace `bit` (0..5) for one states word: each trace has
// its own pair of levels, low when the bit is clear and one higher when set.
int DigitalTraceLevel(int bit, uint16_t states);
