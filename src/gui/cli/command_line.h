// The program's command line: which command runs, with which link and files.
// Parsing only; nothing here touches the sensor, the panels or the disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum ExitStatus {
  kExitDone = 0,
  kExitLinkError = 1,   // the link failed or the sensor reported an error
  kExitUsageError = 2,  // a bad argument, or a file that could not be read or written
  kExitRefused = 3,     // the sensor set sent parameters to their defaults
};

enum class Command { kNone, kIdentify, kGet, kSend, kRecord, kHardwareInfo };
enum class RecordKind { kCount, kUntilStopped, kTriggered };
enum class LinkKind { kSettings, kTcp, kCom, kDevice };

// Where the sensor is: from --link, or (kSettings) as the settings file says.
struct LinkChoice {
  LinkKind kind = LinkKind::kSettings;
  std::string host;    // kTcp
  int tcpPort = 0;     // kTcp
  int comPort = 0;     // kCom
  std::string device;  // kDevice
  int baudIndex = -1;  // kCom, kDevice; -1: the sensor's default rate
};

struct CommandLine {
  bool help = false;
  std::string error;  // empty when the arguments were understood
  Command command = Command::kNone;
  LinkChoice link;
  std::string file;  // send: the parameter file to load; others: --out
  bool eeprom = false;
  uint16_t parameterSet = 0;
  bool force = false;  // send: load a file of another type or version anyway
  RecordKind record = RecordKind::kCount;
  double interval = 0;
  int count = 0;  // record: frames; 0 when not given
  bool append = false;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
// Parses one --link value; false (and `error` set) when it is not understood.
bool ParseLink(const std::string& text, LinkChoice& link, std::string& error);
// The text of --help: every command with an example, the links, the exit statuses.
std::string UsageText();
