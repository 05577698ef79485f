// The GO flag and the deferred transfer requests that the GO loop serves
// between two live frames.
#pragma once

struct LiveState {
  int goRunning = 0;
  int sendRequested = 0;
  int getRequested = 0;
};

extern LiveState gLive;
