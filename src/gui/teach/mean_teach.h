// Teaching the mean of several captured frames: the capture table of up to
// 100 frames, their means and spreads, and the teach of the mean into a row
// with tolerances from fixed values, from the spread, or from both.
#pragma once

#include <cstdint>

constexpr int kCaptureRows = 100;
constexpr int kCaptureColumns = 6;  // RED, GREEN, BLUE, X, Y, INT (s, i, M)

struct MeanTeachState {
  uint16_t mean[kCaptureColumns] = {};
};
extern MeanTeachState gMeanTeach;

// The frame on screen into the next row of the capture table.
void CaptureFrame();
void UndoCapture();
// Asks first; the RESET button shows red while it asks.
void ResetCaptureTable();
void UpdateMeanValues();
void UpdateMaxDeltas();
void TeachMeanValues();
