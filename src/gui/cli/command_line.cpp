#include "gui/cli/command_line.h"

#include <cerrno>
#include <cstdlib>

#include "com232/protocol.h"

namespace {

constexpr int kMaxComPort = 256;
constexpr double kMaxInterval = 86400.0;  // the interval box's own limit
constexpr int kMaxFrames = 65535;

struct CommandName {
  const char* name;
  Command command;
};
constexpr CommandName kCommands[] = {
    {"identify", Command::kIdentify},   {"get", Command::kGet},
    {"send", Command::kSend},           {"record", Command::kRecord},
    {"hwinfo", Command::kHardwareInfo},
};

unsigned Bit(Command c) {
  return 1u << static_cast<unsigned>(c);
}
const unsigned kAll = ~0u;
const unsigned kParameterCommands = Bit(Command::kGet) | Bit(Command::kSend);
const unsigned kOutCommands =
    Bit(Command::kGet) | Bit(Command::kRecord) | Bit(Command::kHardwareInfo);

// Which commands take an option; checked once the command is known.
struct OptionDef {
  const char* name;
  bool takesValue;
  unsigned commands;
};
constexpr const char* kLink = "link";
const OptionDef kOptions[] = {
    {kLink, true, kAll},
    {"out", true, kOutCommands},
    {"eeprom", false, kParameterCommands},
    {"set", true, kParameterCommands},
    {"force", false, Bit(Command::kSend)},
    {"interval", true, Bit(Command::kRecord)},
    {"count", true, Bit(Command::kRecord)},
    {"until-stopped", false, Bit(Command::kRecord)},
    {"triggered", false, Bit(Command::kRecord)},
    {"append", false, Bit(Command::kRecord)},
};

const OptionDef* FindOption(const std::string& name) {
  for (const auto& o : kOptions)
    if (name == o.name) return &o;
  return nullptr;
}

bool WholeNumber(const std::string& text, long min, long max, long& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  if (text.size() > 9) return false;
  value = std::strtol(text.c_str(), nullptr, 10);
  return value >= min && value <= max;
}

bool Number(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && end && *end == '\0';
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// "TEXT@BAUD": the rate moves into baudIndex; a text without "@" and digits
// keeps the sensor's default rate.
bool SplitBaud(std::string& text, int& baudIndex, std::string& error) {
  size_t at = text.rfind('@');
  if (at == std::string::npos) return true;
  std::string rate = text.substr(at + 1);
  long baud = 0;
  if (!WholeNumber(rate, 1, 10000000, baud)) {
    error = "'" + rate + "' is no baud rate";
    return false;
  }
  for (size_t i = 0; i < kBaudRates.size(); ++i)
    if (kBaudRates[i] == baud) {
      baudIndex = static_cast<int>(i);
      text.resize(at);
      return true;
    }
  error = "baud rate " + rate + " is not one of 9600, 19200, 38400, 57600, 115200";
  return false;
}

// Options that belong to another command, and the record mode's combinations.
void CheckCommandOptions(CommandLine& cl, const std::vector<std::string>& given) {
  for (const auto& name : given) {
    const OptionDef* o = FindOption(name);
    if (!(o->commands & Bit(cl.command))) {
      cl.error = "--" + name + " does not belong to this command";
      return;
    }
  }
  auto has = [&given](const char* name) {
    for (const auto& g : given)
      if (g == name) return true;
    return false;
  };
  if ((cl.command == Command::kGet || cl.command == Command::kRecord ||
       cl.command == Command::kHardwareInfo) &&
      cl.file.empty()) {
    cl.error = "--out FILE is missing";
    return;
  }
  if (cl.command != Command::kRecord) return;
  if (has("triggered")) {
    cl.record = RecordKind::kTriggered;
    if (has("interval") || has("until-stopped"))
      cl.error = "--triggered takes no --interval and no --until-stopped";
    return;
  }
  if (!has("interval")) {
    cl.error = "record needs --interval S with --count N or --until-stopped, or --triggered";
  } else if (has("count") == has("until-stopped")) {
    cl.error = "record --interval needs either --count N or --until-stopped";
  } else {
    cl.record = has("count") ? RecordKind::kCount : RecordKind::kUntilStopped;
  }
}

// Takes the value of one option into the command line; false with the error set.
bool TakeOption(CommandLine& cl, const std::string& name, const std::string& value) {
  long n = 0;
  if (name == kLink) return ParseLink(value, cl.link, cl.error);
  if (name == "out") {
    if (value.empty()) cl.error = "--out needs a file name";
    cl.file = value;
  } else if (name == "eeprom") {
    cl.eeprom = true;
  } else if (name == "set") {
    if (!WholeNumber(value, 0, 1, n)) cl.error = "--set takes 0 or 1";
    cl.parameterSet = static_cast<uint16_t>(n);
  } else if (name == "force") {
    cl.force = true;
  } else if (name == "interval") {
    if (!Number(value, cl.interval) || !(cl.interval > 0) || cl.interval > kMaxInterval)
      cl.error = "--interval takes seconds above 0 and up to 86400";
  } else if (name == "count") {
    if (!WholeNumber(value, 1, kMaxFrames, n)) cl.error = "--count takes 1 to 65535 frames";
    cl.count = static_cast<int>(n);
  } else if (name == "append") {
    cl.append = true;
  }
  return cl.error.empty();
}

}  // namespace

bool ParseLink(const std::string& text, LinkChoice& link, std::string& error) {
  LinkChoice l;
  std::string rest = text;
  if (StartsWithNoCase(rest, "tcp:")) {
    l.kind = LinkKind::kTcp;
    rest = rest.substr(4);
    l.tcpPort = kDefaultTcpPort;
    size_t colon = rest.rfind(':');
    if (colon != std::string::npos) {
      long port = 0;
      if (!WholeNumber(rest.substr(colon + 1), 1, 65535, port)) {
        error = "'" + rest.substr(colon + 1) + "' is no TCP port (1 to 65535)";
        return false;
      }
      l.tcpPort = static_cast<int>(port);
      rest.resize(colon);
    }
    if (rest.empty() || rest.size() > 255) {
      error = "--link tcp: needs a host name or address";
      return false;
    }
    l.host = rest;
  } else if (StartsWithNoCase(rest, "com:")) {
    l.kind = LinkKind::kCom;
    rest = rest.substr(4);
    if (!SplitBaud(rest, l.baudIndex, error)) return false;
    long port = 0;
    if (!WholeNumber(rest, 1, kMaxComPort, port)) {
      error = "'" + rest + "' is no COM port number (1 to 256)";
      return false;
    }
    l.comPort = static_cast<int>(port);
  } else {
    l.kind = LinkKind::kDevice;
    if (!SplitBaud(rest, l.baudIndex, error)) return false;
    if (rest.empty()) {
      error = "--link needs tcp:HOST[:PORT], com:N[@BAUD] or DEVICE[@BAUD]";
      return false;
    }
    l.device = rest;
  }
  link = l;
  return true;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  std::vector<std::string> words;
  std::vector<std::string> given;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      cl.help = true;
      return cl;
    }
  }
  for (size_t i = 0; i < args.size() && cl.error.empty(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      if (a.size() > 1 && a[0] == '-') {
        cl.error = "unknown option '" + a + "'";
        break;
      }
      words.push_back(a);
      continue;
    }
    std::string name = a.substr(2), value;
    size_t eq = name.find('=');
    bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const OptionDef* o = FindOption(name);
    if (!o) {
      cl.error = "unknown option '--" + name + "'";
    } else if (o->takesValue && !inlineValue && i + 1 >= args.size()) {
      cl.error = "--" + name + " needs a value";
    } else if (!o->takesValue && inlineValue) {
      cl.error = "--" + name + " takes no value";
    } else {
      if (o->takesValue && !inlineValue) value = args[++i];
      given.push_back(name);
      TakeOption(cl, name, value);
    }
  }
  if (!cl.error.empty()) return cl;

  if (words.empty()) {
    cl.error = "no command given";
    return cl;
  }
  for (const auto& c : kCommands)
    if (words[0] == c.name) cl.command = c.command;
  if (cl.command == Command::kNone) {
    cl.error = "unknown command '" + words[0] + "'";
    return cl;
  }
  size_t expected = cl.command == Command::kSend ? 2 : 1;
  if (cl.command == Command::kSend && words.size() < 2) {
    cl.error = "send needs the parameter file to send";
    return cl;
  }
  if (words.size() > expected) {
    cl.error = "unexpected argument '" + words[expected] + "'";
    return cl;
  }
  CheckCommandOptions(cl, given);
  if (cl.command == Command::kSend) cl.file = words[1];
  return cl;
}

std::string UsageText() {
  return "Usage: Colmira3V42 [COMMAND [OPTIONS]] [--link LINK]\n"
         "Without a command the window opens. With one, the program runs it without a\n"
         "window and ends.\n"
         "\n"
         "Commands:\n"
         "  identify\n"
         "      Connect and print the sensor's identification text.\n"
         "      Example: Colmira3V42 identify --link tcp:192.168.0.20\n"
         "  get [--eeprom] [--set 0|1] --out FILE\n"
         "      Read the parameters (RAM, or EEPROM with --eeprom; parameter set 0 or 1)\n"
         "      and write them as a parameter file, as SEND to FILE does.\n"
         "      Example: Colmira3V42 get --eeprom --out line3.ini --link com:1@115200\n"
         "  send FILE [--eeprom] [--set 0|1] [--force]\n"
         "      Load a parameter file as GET from FILE does, apply the editing rules and\n"
         "      send it to RAM (and EEPROM with --eeprom). Prints the number of parameters\n"
         "      the sensor set to defaults. --force loads a file of another type or version.\n"
         "      Example: Colmira3V42 send line3.ini --eeprom --link tcp:192.168.0.20:10001\n"
         "  record --interval S --count N --out FILE\n"
         "  record --interval S --until-stopped --out FILE\n"
         "  record --triggered [--count N] --out FILE\n"
         "      Record live frames to a record file (header first; --append adds lines to\n"
         "      an existing file instead). Ctrl+C ends a recording with every line written.\n"
         "      Example: Colmira3V42 record --interval 1 --count 3600 --out shift.dat\n"
         "  hwinfo --out FILE\n"
         "      Write the hardware information file for support.\n"
         "      Example: Colmira3V42 hwinfo --out HardwareInitialFile.ini\n"
         "\n"
         "Links (without --link: the settings file beside the program, as the window\n"
         "connects; a command never writes that file):\n"
         "  --link tcp:HOST[:PORT]   TCP/IP, port 10001 unless given\n"
         "  --link com:N[@BAUD]      serial port COM N, 115200 baud unless given\n"
         "  --link DEVICE[@BAUD]     a serial device path, e.g. /dev/serial/by-id/...\n"
         "\n"
         "Exit status: 0 done, 1 link or sensor error, 2 usage or file error,\n"
         "3 the sensor set sent parameters to their defaults.\n";
}
