// The sensor's configuration as it travels: 17 head words, then 31 teach rows
// of 8 words (five cells, GROUP, HOLD, a spare word), in wire order. The words
// are the values of the controls, unscaled.
#pragma once

#include <cstdint>

#include "com232/protocol.h"

struct ParameterBlock {
  uint16_t head[kHeadWords] = {};
  uint16_t teach[kTeachTableWords] = {};
  uint16_t& Row(int row, int word) { return teach[row * kTeachRowWords + word]; }
  uint16_t Row(int row, int word) const { return teach[row * kTeachRowWords + word]; }
};

extern ParameterBlock gParameterBlock;

// Where each head word lives, its key in parameter files, its default and the
// name a warning list gives it.
struct HeadParameter {
  const char* key;
  const char* warningName;
  uint16_t fallback;
  int page;  // main tab page of the control
  int ctrl;
  int cellRow;  // row of a table cell (column 1); 0 for a plain control
};
extern const HeadParameter kHeadParameters[kHeadWords];

void ReadPanelsIntoParameterBlock();
void WriteParameterBlockToPanels();
// Sets a ring to a value; a value the ring does not offer gets an item of its
// own, so that a word read from the sensor goes back unchanged.
void ShowRingValue(int panel, int ctrl, int value);
