// Serial ports by COM number. COM n opens /dev/ttyS<n-1> unless the settings
// map it to another device (a USB adapter, or a pseudo-terminal in tests).
// Results follow the usual serial-library convention: negative codes are errors.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

enum ComError {
  kComUnknownSystemError = -1,
  kComInvalidPortNumber = -2,
  kComPortNotOpen = -3,
  kComIoError = -4,
  kComNoSerialPort = -6,
  kComCannotOpenPort = -7,
  kComInvalidBaudrate = -14,
  kComTimeout = -99,
};

void SetComDevice(int port, const std::string& device);  // empty restores the default
void ClearComDevices();
std::string ComDeviceName(int port);

int OpenComConfig(int port, const std::string& deviceName, long baud, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize);
int CloseCom(int port);
int SetComTime(int port, double seconds);
int FlushInQ(int port);
int FlushOutQ(int port);
int SetCTSMode(int port, int mode);
// Writes count bytes; returns count or a negative code.
int ComWrt(int port, const uint8_t* buffer, int count);
// Reads count bytes, waiting up to the port's time-out while processing events;
// returns the number read.
int ComRd(int port, uint8_t* buffer, int count);
int GetInQLen(int port);
// Error bits gathered since the last call; 0 when the line is healthy.
int GetComStat(int port);
long ComBaudRate(int port);  // 0 when not open

}  // namespace ui
