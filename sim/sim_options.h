// Command line of the virtual sensor program: what it serves on, how the line is paced,
// and the state and faults it starts with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/colour_model.h"
#include "sim/fault_plan.h"
#include "src/com232/protocol.h"

namespace sim {

class Sensor;

struct FaultOption {
  Fault fault;
  int order = kAnyOrder;
  int count = 1;
};

struct CountOption {
  uint16_t count = 0;
  int order = kAnyOrder;
  int times = 1;
};

struct SimOptions {
  bool help = false;
  bool tcp = true;
  uint16_t tcpPort = kDefaultTcpPort;
  std::string bindAddr = "127.0.0.1";
  bool pty = false;
  std::string ptyLink;  // empty: no symlink
  long baud = 0;        // pacing of the pseudo-terminal; 0 = off
  bool strictBaud = false;
  std::optional<std::string> ident;
  std::vector<FaultOption> faults;
  std::vector<CountOption> counts;
  std::optional<std::vector<int>> pieceSizes;
  int pieceGapMs = 20;
  std::optional<int> garbageLength;
  int replyDelayMs = 0;
  std::optional<int> streamIntervalMs;
  bool teachDemo = false;
  std::optional<Rgb> hold;
  std::optional<double> noise;
};

struct ParsedOptions {
  SimOptions options;
  std::string error;  // empty when the command line was understood
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);
std::string HelpText();
// Puts the start state and the faults of the options into the sensor.
void ApplyOptions(const SimOptions& options, Sensor& sensor);

}  // namespace sim
