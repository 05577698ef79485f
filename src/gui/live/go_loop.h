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

// The intensity band of a teach row: value ± tolerance, clipped to 0..ceiling.
// The strip chart's band ends at the largest 12-bit value, the 2D intensity
// graph's at the end of its axis.
struct IntensityBand {
  int upper;
  int lower;
};
inline constexpr int kStripBandCeiling = 4095;
inline constexpr int kGraphBandCeiling = 4096;
IntensityBand BandOf(int value, int tolerance, int ceiling);
// The band of the teach row in the No. field, from the teach table's cells.
IntensityBand SelectedRowBand(int ceiling);
