// GO: live frames one after the other at the sensor's pace, each shown on
// every display and added to the histories; SEND and GET pressed meanwhile
// are served between two frames.
#pragma once

#include <cstdint>

void RunGoLoop();
void CopyLiveFrame();
void ShowLiveFrame();
void AppendHistories();
// Screen colour of a frame: each channel 0..4095 scaled to 0..255.
int LiveColorOf(uint16_t red, uint16_t green, uint16_t blue);

// The intensity band of a teach row: value and tolerance clipped to 0..4095.
struct IntensityBand {
  int upper;
  int lower;
};
IntensityBand BandOf(int value, int tolerance);
