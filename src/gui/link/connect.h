// Connecting: the link settings of the communication page, the connect
// sequence with the sensor's identification, and the baud-rate change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "com232/link.h"

constexpr size_t kHostChars = 255;
constexpr size_t kPortTextChars = 31;
constexpr int kIdentificationBytes = 72;

// The identification text of the sensor as received, and as it is shown.
struct SensorIdentity {
  uint8_t raw[kIdentificationBytes] = {};
  int length = 0;
  std::string shown;
};
extern SensorIdentity gIdentity;

// The display of link failures that the application installs at start.
void ShowLinkErrorOnScreen(const char* message);
void ApplyProtocolVisibility();
// Protocol, COM port, baud index, host and port text from the page into the link.
void ReadLinkSettingsFromPage();
void TryToConnect();
void IdentifySensor();
void ChangeBaudRate();
// The server field's list: the host moves to the top, duplicates go, at most 10 stay.
void UpdateHostList(const std::string& host);
void EnableLinkProvenButtons();
// Bytes from the sensor as readable text: control characters become '?',
// other bytes are read in the 8-bit character set.
std::string DisplayableText(const uint8_t* bytes, int count);
// The decimal value of the leading digits of a port number text; 0 when none.
int PortFromText(const char* text);
