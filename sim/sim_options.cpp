#include "sim/sim_options.h"

#include <charconv>
#include <sstream>

#include "sim/sensor.h"

namespace sim {
namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!text.empty() && text.back() == sep) parts.emplace_back();
  return parts;
}

// Decimal, or hexadecimal with 0x.
std::optional<long> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int base = 10;
  size_t skip = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    skip = 2;
  }
  long value = 0;
  const char* first = text.data() + skip;
  const char* last = text.data() + text.size();
  if (*first == '-' && base == 10) {
    auto [p, ec] = std::from_chars(first + 1, last, value, base);
    if (ec != std::errc() || p != last) return std::nullopt;
    return -value;
  }
  auto [p, ec] = std::from_chars(first, last, value, base);
  if (ec != std::errc() || p != last) return std::nullopt;
  return value;
}

std::optional<int> ParseOrder(const std::string& text) {
  if (text.empty() || text == "any") return kAnyOrder;
  auto v = ParseNumber(text);
  if (!v || *v < 0 || *v > 255) return std::nullopt;
  return static_cast<int>(*v);
}

std::optional<int> ParseCount(const std::string& text) {
  if (text.empty()) return 1;
  if (text == "all" || text == "-1") return kUntilCleared;
  auto v = ParseNumber(text);
  if (!v || *v < 1 || *v > 1000000) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

std::string HelpText() {
  return R"(Usage: colmira-sensor-sim [options]
A virtual colour sensor that answers the tool's orders over TCP and/or a pseudo-terminal.
Runs until SIGINT or SIGTERM. Prints one line per link it serves, e.g.
  tcp 127.0.0.1:10001
  pty /tmp/sensor -> /dev/pts/3

Links:
  --tcp PORT            serve TCP on PORT (default 10001; 0 = any free port)
  --no-tcp              do not serve TCP
  --bind ADDR           address to listen on (default 127.0.0.1)
  --pty LINKPATH        serve a pseudo-terminal and put a symlink to it at LINKPATH
                        ("-" for no symlink)
  --baud N              pace the pseudo-terminal as a line at N baud (10 bits a byte);
                        a baud-rate order moves the pace to the new rate
  --strict-baud         lose bytes that the tool sends at another rate than the sensor's

Sensor:
  --ident TEXT          identification text (default "COLOR SENSOR SIM V1.0 SN 000001")
  --teach-demo          teach the colours the target moves through into parameter set 0
  --hold R,G,B          hold one target colour (raw digits at POWER 500) instead of moving
  --noise SIGMA         receiver noise in raw digits (default 6; 0 = none)
  --stream-interval MS  time between triggered measurements while streaming (default 200)

Faults (each may be given several times):
  --fault KIND[:ORDER[:COUNT]]
                        KIND: silence, badheadercrc, baddatacrc, pieces, garbage, close,
                        status1, status2, oversize. ORDER: order code (0x08, 8) or "any" (default).
                        COUNT: number of replies (default 1) or "all" until the program ends.
                        Frames sent on the sensor's own count under the order that started
                        them (0x1E, 0x6E), after its own reply.
  --pieces SIZES[:GAP]  piece sizes for "pieces", e.g. 3,10 (the rest goes last) and the
                        gap between pieces in ms (default 3,10:20)
  --garbage N           bytes "garbage" sends before the frame (default 16; never
                        starting with 0x55)
  --delay MS            delay every reply by MS
  --count N[:ORDER[:TIMES]]
                        answer orders 0x01, 0x04 or 0x65 with plausibility count N

  --help                this text

Orders answered: 0x01/0x02 write/read parameters (argument set, or set + 2 for the teach
table), 0x03 store to EEPROM, 0x04 load from EEPROM (status: parameters reset to defaults),
0x07 identify, 0x08 live frame, 0x1E triggered stream (1 start, 0 stop), 0x64 detect
offsets, 0x65 write factors (0) or offsets (1), 0x66 read factors and offsets, 0x67 self
calibration, 0x69 cycle time, 0x6E scope scan (1 start with 5 settings, 0 break),
0xBE baud rate (index 0..4), 0xC2 hardware block (argument 0x5E17). Other orders and
arguments: reply code 0, status 1.
)";
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions out;
  SimOptions& o = out.options;
  auto fail = [&out](const std::string& message) {
    out.error = message;
    return out;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--no-tcp") {
      o.tcp = false;
    } else if (arg == "--strict-baud") {
      o.strictBaud = true;
    } else if (arg == "--teach-demo") {
      o.teachDemo = true;
    } else {
      auto v = value();
      if (!v) return fail(arg + " needs a value (see --help)");
      if (arg == "--tcp") {
        auto port = ParseNumber(*v);
        if (!port || *port < 0 || *port > 65535) return fail("bad TCP port: " + *v);
        o.tcp = true;
        o.tcpPort = static_cast<uint16_t>(*port);
      } else if (arg == "--bind") {
        o.bindAddr = *v;
      } else if (arg == "--pty") {
        o.pty = true;
        o.ptyLink = *v == "-" ? "" : *v;
      } else if (arg == "--baud") {
        auto baud = ParseNumber(*v);
        if (!baud || *baud < 0 || *baud > 4000000) return fail("bad baud rate: " + *v);
        o.baud = *baud;
      } else if (arg == "--ident") {
        o.ident = *v;
      } else if (arg == "--fault") {
        const auto parts = Split(*v, ':');
        if (parts.empty() || parts.size() > 3) return fail("bad fault: " + *v);
        auto fault = FaultFromName(parts[0]);
        auto order = ParseOrder(parts.size() > 1 ? parts[1] : "");
        auto count = ParseCount(parts.size() > 2 ? parts[2] : "");
        if (!fault || !order || !count) return fail("bad fault: " + *v);
        o.faults.push_back({*fault, *order, *count});
      } else if (arg == "--count") {
        const auto parts = Split(*v, ':');
        auto n = ParseNumber(parts.empty() ? "" : parts[0]);
        auto order = ParseOrder(parts.size() > 1 ? parts[1] : "");
        auto times = ParseCount(parts.size() > 2 ? parts[2] : "");
        if (!n || *n < 0 || *n > 65535 || !order || !times || parts.size() > 3) {
          return fail("bad count: " + *v);
        }
        o.counts.push_back({static_cast<uint16_t>(*n), *order, *times});
      } else if (arg == "--pieces") {
        const auto parts = Split(*v, ':');
        std::vector<int> sizes;
        for (const auto& s : Split(parts.empty() ? "" : parts[0], ',')) {
          auto n = ParseNumber(s);
          if (!n || *n < 1 || *n > 65535) return fail("bad piece sizes: " + *v);
          sizes.push_back(static_cast<int>(*n));
        }
        if (parts.size() > 1) {
          auto gap = ParseNumber(parts[1]);
          if (!gap || *gap < 0 || *gap > 60000) return fail("bad piece gap: " + *v);
          o.pieceGapMs = static_cast<int>(*gap);
        }
        o.pieceSizes = sizes;
      } else if (arg == "--garbage") {
        auto n = ParseNumber(*v);
        if (!n || *n < 1 || *n > 65535) return fail("bad garbage length: " + *v);
        o.garbageLength = static_cast<int>(*n);
      } else if (arg == "--delay") {
        auto n = ParseNumber(*v);
        if (!n || *n < 0 || *n > 600000) return fail("bad delay: " + *v);
        o.replyDelayMs = static_cast<int>(*n);
      } else if (arg == "--stream-interval") {
        auto n = ParseNumber(*v);
        if (!n || *n < 1 || *n > 600000) return fail("bad stream interval: " + *v);
        o.streamIntervalMs = static_cast<int>(*n);
      } else if (arg == "--hold") {
        const auto parts = Split(*v, ',');
        std::vector<double> rgb;
        for (const auto& s : parts) {
          auto n = ParseNumber(s);
          if (!n || *n < 0 || *n > 65535) return fail("bad colour: " + *v);
          rgb.push_back(static_cast<double>(*n));
        }
        if (rgb.size() != 3) return fail("bad colour: " + *v);
        o.hold = Rgb{rgb[0], rgb[1], rgb[2]};
      } else if (arg == "--noise") {
        auto n = ParseNumber(*v);
        if (!n || *n < 0 || *n > 1000) return fail("bad noise: " + *v);
        o.noise = static_cast<double>(*n);
      } else {
        return fail("unknown option: " + arg + " (see --help)");
      }
    }
  }
  if (!o.tcp && !o.pty && !o.help) return fail("nothing to serve: give --tcp or --pty");
  return out;
}

void ApplyOptions(const SimOptions& o, Sensor& sensor) {
  if (o.ident) sensor.SetIdentText(*o.ident);
  if (o.noise) sensor.SetNoise(*o.noise);
  if (o.hold) sensor.HoldColour(*o.hold);
  if (o.streamIntervalMs) sensor.SetStreamIntervalMs(*o.streamIntervalMs);
  if (o.teachDemo) sensor.TeachDemoColours(0);
  if (o.pieceSizes) sensor.SetPieceSizes(*o.pieceSizes, o.pieceGapMs);
  if (o.garbageLength) sensor.SetGarbageLength(*o.garbageLength);
  sensor.SetReplyDelayMs(o.replyDelayMs);
  for (size_t i = 0; i < kBaudRates.size(); ++i) {
    if (kBaudRates[i] == o.baud) sensor.SetBaudIndex(static_cast<int>(i));
  }
  for (const auto& f : o.faults) sensor.InjectFault(f.fault, f.order, f.count);
  for (const auto& c : o.counts) sensor.InjectPlausibilityCount(c.count, c.order, c.times);
}

}  // namespace sim
