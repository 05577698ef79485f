#include "gui/scope/scope_math.h"

#include <cmath>
#include <cstdlib>

void RotateScopeRing(const uint16_t* ring, uint16_t triggerMode, uint16_t preTrigger,
                     uint16_t triggerIndex, uint16_t* out) {
  uint16_t s = 0;
  if (triggerMode != kTriggerSingleShot)
    s = static_cast<uint16_t>(kScopeSamples - preTrigger + triggerIndex);
  for (int i = 0; i < kScopeSamples; ++i) {
    s &= kScopeSamples - 1;
    out[i] = ring[s];
    ++s;
  }
}

double ScanFrequency(int32_t n, int32_t t) {
  if (t <= 0) return 0.0;
  return n / (0.01 * t);
}

FrequencyPrecision CycleTimePrecision(double f) {
  if (f <= 1) return {2, 0};
  if (f <= 1000) return {1, 3};
  if (f <= 10000) return {0, 3};
  return {0, 6};
}

double CycleTimeOf(double frequency) {
  return frequency > 0 ? 1000.0 / frequency : frequency;
}

double ScopeDeltaX(double x1, double x2, double cycleTime, int scanRate) {
  return std::fabs(std::trunc(x1 - x2)) * cycleTime * scanRate;
}

int ScopeDeltaY(double y1, double y2) {
  return std::abs(static_cast<int>(std::trunc(y1)) - static_cast<int>(std::trunc(y2)));
}

int DeltaXPrecision(double deltaX) {
  if (deltaX > 1000) return 0;
  if (deltaX > 1) return 3;
  return 6;
}

int DigitalTraceLevel(int bit, uint16_t states) {
  static const int kLow[kDigitalTraces] = {8, 6, 4, 2, 0, 10};
  return kLow[bit] + ((states >> bit) & 1);
}
