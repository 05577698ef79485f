// The orders the sensor understands, and the one way every caller sends them.
#pragma once

#include <cstdint>

enum OrderCode : uint8_t {
  kOrderWriteParameters = 0x01,  // argument: set (head) or set + 2 (teach table)
  kOrderReadParameters = 0x02,
  kOrderStoreEeprom = 0x03,
  kOrderLoadEeprom = 0x04,
  kOrderIdentify = 0x07,
  kOrderLiveFrame = 0x08,
  kOrderStream = 0x1E,           // 1 starts, 0 stops
  kOrderDetectOffsets = 0x64,    // argument 1
  kOrderWriteFactors = 0x65,     // 0 calibration factors, 1 offsets
  kOrderReadFactors = 0x66,      // six words: three factors, three offsets
  kOrderSelfCalibration = 0x67,  // five words
  kOrderCycleTime = 0x69,        // two signed 32-bit counts
  kOrderScan = 0x6E,             // 1 with five setting words starts, 0 breaks
  kOrderBaudRate = 0xBE,         // argument: the new baud index
  kOrderHardwareInfo = 0xC2,     // argument: the service access value
};

constexpr uint16_t kHardwareAccessValue = 0x5E17;

// Sends `order` with the first `dataWords` words of DataWords and waits for
// the reply: 1 on success, -1 on failure (already shown).
int ExchangeOrder(uint8_t order, uint16_t argument, int dataWords = 0);
