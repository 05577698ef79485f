// What the program remembers between runs besides the link settings: the
// sensor ID and the last path chosen for each kind of file.
#pragma once

#include <string>

struct Remembered {
  std::string sensorId;       // up to 99 characters
  std::string parameterFile;  // up to 259 characters each
  std::string recordFile;
  std::string hardwareFile;
  std::string tableAttributesFile;
};

extern Remembered gRemembered;

constexpr size_t kSensorIdChars = 99;
constexpr size_t kPathChars = 259;
