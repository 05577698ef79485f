// The GO flag, the deferred transfer requests that the GO loop serves between
// two live frames, the last live frame and the histories the strip charts draw.
// Fixed sizes: nothing here is allocated while frames stream in.
#pragma once

#include <cstdint>

#include "com232/protocol.h"

constexpr int kHistorySamples = 100;
constexpr int kHistoryValues = 3 * kHistorySamples;

enum LiveWord {
  kLiveRed = 0,
  kLiveGreen,
  kLiveBlue,
  kLiveX,    // X or s
  kLiveY,    // Y or i
  kLiveInt,  // INT or M
  kLiveDeltaC,
  kLiveColor,
  kLiveGroup,
  kLiveTrigger,
  kLiveTemp,
  kLiveRawRed,
  kLiveRawGreen,
  kLiveRawBlue,
  kLiveMinMax,  // six words: minimum and maximum of RED, GREEN, BLUE
};

struct LiveState {
  int goRunning = 0;
  int sendRequested = 0;
  int getRequested = 0;
  uint16_t frame[kLiveFrameWords] = {};
  // The frame the displays show now. The loop asks for the next frame before
  // it shows the last one, so what the user sees may lag `frame`.
  uint16_t shownFrame[kLiveFrameWords] = {};
  int liveColor = 0;                             // 0xRRGGBB of the last frame
  double colourHistory[kHistoryValues] = {};     // RED, GREEN, BLUE per sample
  double intensityHistory[kHistoryValues] = {};  // INT, upper, lower per sample
};

extern LiveState gLive;
