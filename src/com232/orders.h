// The orders the sensor understands, and the one way every caller sends them.
#pragma once

#include <cstdint>

#include "com232/protocol.h"

// Sends `order` with the first `dataWords` words of DataWords and waits for
// the reply: 1 on success, -1 on failure (already shown).
int ExchangeOrder(uint8_t order, uint16_t argument, int dataWords = 0);
