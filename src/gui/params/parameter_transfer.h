// SEND and GET: the parameters between the panels and the sensor's RAM, its
// EEPROM (through the RAM) or a parameter file.
#pragma once

#include <cstdint>

enum ParameterTarget : uint16_t { kTargetRam = 1, kTargetEeprom = 2, kTargetFile = 3 };

struct TransferState {
  uint16_t target = kTargetRam;
  uint16_t parameterSet = 0;
  // Since start: how often the sensor reported parameters set to defaults (RAM
  // after SEND, EEPROM after GET), and the reported counts added up.
  unsigned resetReports = 0;
  unsigned resetCount = 0;
};
extern TransferState gTransfer;

void SendParameters();
void GetParameters();
// The parameter block on the panels: the controls, the rules, the overlays and the graphs.
void ShowParameterBlock();
