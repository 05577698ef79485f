// The recorder's own state: the counters of a recording, the lines that could
// not be written, and what the recorded-value graphs drew last. The record file
// path itself is one of the remembered paths.
#pragma once

#include <cstdint>

enum RecordMode {
  kRecordIntervalN = 0,      // at the interval for N frames
  kRecordIntervalUntil = 1,  // at the interval until stopped
  kRecordManual = 2,         // one frame per button press
  kRecordTrigger = 3,        // one frame per trigger event of the sensor
};

constexpr int kRecordSignals = 7;  // RED, GREEN, BLUE, X s, Y i, INT M, TEMP

struct RecordPlotState {
  uint16_t sampleIndex = 0;
  double previousX = 0, currentX = 0;
  uint16_t previous[kRecordSignals] = {};
  uint16_t current[kRecordSignals] = {};
  // The line of each graph that grows by a point per sample, and the one of the
  // lap before (the sample index wraps after 65536 samples).
  int plot[kRecordSignals] = {};
  int previousLap[kRecordSignals] = {};
  double shownXMax = 0;  // right end of the x axis now
};

struct RecorderState {
  uint16_t recordCount = 0;   // cycles done in mode 0, frames appended in mode 2
  double runningCounter = 0;  // cycles done in mode 1, frames recorded in mode 3
  unsigned failedLines = 0;   // lines of the current recording that could not be written
  // Told of each frame the interval and triggered loops have recorded (the
  // command line shows its progress and counts with it).
  void (*onFrameRecorded)() = nullptr;
  RecordPlotState plot;
};

extern RecorderState gRecorder;
