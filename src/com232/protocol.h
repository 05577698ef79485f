// The names of the sensor's frame protocol, in one place for the link, the
// application, the virtual sensor and the tests: order codes, status words,
// the baud table, the default TCP port and the layout of the parameter block.
// Plain C++ without dependencies, so that every side can include it.
#pragma once

#include <array>
#include <cstdint>

// ---- frames -----------------------------------------------------------------
inline constexpr uint8_t kFrameStart = 0x55;
inline constexpr int kHeaderBytes = 8;
inline constexpr uint8_t kEmptyDataCrc = 0xAA;  // data CRC of a frame without data

// ---- orders -----------------------------------------------------------------
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

// The argument that opens the hardware block (order 0xC2).
inline constexpr uint16_t kHardwareAccessValue = 0x5E17;
inline constexpr int kHardwareWords = 256;

// Status words of replies with reply code 0.
inline constexpr uint16_t kStatusUnknownOrder = 1;
inline constexpr uint16_t kStatusCommunicationError = 2;

// ---- line settings ----------------------------------------------------------
inline constexpr std::array<long, 5> kBaudRates{9600, 19200, 38400, 57600, 115200};
inline constexpr int kDefaultBaudIndex = 4;  // 115200
inline constexpr uint16_t kDefaultTcpPort = 10001;
inline constexpr const char* kDefaultTcpPortText = "10001";

// ---- the parameter block: 17 head words, then 31 teach rows of 8 words --------
inline constexpr int kHeadWords = 17;
inline constexpr int kTeachRows = 31;
inline constexpr int kTeachRowWords = 8;
inline constexpr int kTeachTableWords = kTeachRows * kTeachRowWords;  // 248
inline constexpr int kTeachCells = 5;

enum HeadWord {
  kPower = 0,
  kPowerMode,
  kAverage,
  kEvaluationMode,
  kHoldFail,
  kIntlim,
  kMaxVecNo,
  kDigitalOutmode,
  kTrigger,
  kExternTeach,
  kCalculationMode,
  kDynwinLo,
  kDynwinHi,
  kColorGroup,
  kLedMode,
  kGain,
  kIntegral,
};
// Words of one teach row: five cells, then GROUP, HOLD and a spare word.
enum TeachRowWord { kCell1 = 0, kCell2, kCell3, kCell4, kCell5, kRowGroup, kRowHold, kRowSpare };

// ---- the live frame -----------------------------------------------------------
inline constexpr int kLiveFrameWords = 20;
