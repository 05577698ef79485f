// The recorder page: which controls each record mode shows, and the time a
// recording of N frames at the chosen interval will take.
#pragma once

#include <cstdint>

constexpr double kMinRecordInterval = 0.25;

struct RecordTime {
  double interval;  // raised to the minimum
  uint16_t days, hours, minutes;
  double seconds;
};
RecordTime RecordTimeOf(double interval, uint16_t frames);

// Reads the interval and N, raises a short interval in its box, shows the
// record time, zero recorded and N remaining.
void UpdateRecordTime();
// Shows the controls of record mode 0..3; another value changes nothing.
void ApplyRecordMode(int mode);
int CurrentRecordMode();
