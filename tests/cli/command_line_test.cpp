// The command line as it is understood: commands, options, links, and the
// arguments that must be refused with a reason.
#include "gui/cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

TEST(CommandLine, UnderstandsEveryCommandAndItsOptions) {
  CommandLine get = ParseCommandLine(Words("get --eeprom --set 1 --out a.ini"));
  ASSERT_EQ(get.error, "");
  EXPECT_EQ(get.command, Command::kGet);
  EXPECT_TRUE(get.eeprom);
  EXPECT_EQ(get.parameterSet, 1);
  EXPECT_EQ(get.file, "a.ini");
  EXPECT_EQ(get.link.kind, LinkKind::kSettings);

  CommandLine send = ParseCommandLine(Words("--link tcp:plc7 send b.ini --force"));
  ASSERT_EQ(send.error, "");
  EXPECT_EQ(send.command, Command::kSend);
  EXPECT_EQ(send.file, "b.ini");
  EXPECT_TRUE(send.force);
  EXPECT_FALSE(send.eeprom);
  EXPECT_EQ(send.parameterSet, 0);

  CommandLine count = ParseCommandLine(Words("record --interval=0.5 --count 10 --out r.dat"));
  ASSERT_EQ(count.error, "");
  EXPECT_EQ(count.record, RecordKind::kCount);
  EXPECT_DOUBLE_EQ(count.interval, 0.5);
  EXPECT_EQ(count.count, 10);

  CommandLine until = ParseCommandLine(Words("record --interval 2 --until-stopped --out r.dat"));
  EXPECT_EQ(until.record, RecordKind::kUntilStopped);
  CommandLine trig = ParseCommandLine(Words("record --triggered --count 5 --append --out r.dat"));
  ASSERT_EQ(trig.error, "");
  EXPECT_EQ(trig.record, RecordKind::kTriggered);
  EXPECT_TRUE(trig.append);

  EXPECT_EQ(ParseCommandLine(Words("identify")).command, Command::kIdentify);
  EXPECT_EQ(ParseCommandLine(Words("hwinfo --out h.ini")).command, Command::kHardwareInfo);
  EXPECT_TRUE(ParseCommandLine(Words("get --bogus --help")).help);
}

TEST(CommandLine, ReadsTheThreeKindsOfLink) {
  struct Case {
    const char* text;
    LinkKind kind;
    const char* where;  // host or device
    int number;         // TCP port or COM port
    int baudIndex;
  };
  const Case cases[] = {
      {"tcp:192.168.0.20", LinkKind::kTcp, "192.168.0.20", 10001, -1},
      {"TCP:sensor-3.plant:4001", LinkKind::kTcp, "sensor-3.plant", 4001, -1},
      {"com:3", LinkKind::kCom, "", 3, -1},
      {"com:12@9600", LinkKind::kCom, "", 12, 0},
      {"/dev/serial/by-id/usb-FTDI_A1-if00-port0@57600", LinkKind::kDevice,
       "/dev/serial/by-id/usb-FTDI_A1-if00-port0", 0, 3},
      {"/dev/ttyUSB0", LinkKind::kDevice, "/dev/ttyUSB0", 0, -1},
  };
  for (const auto& c : cases) {
    LinkChoice l;
    std::string error;
    ASSERT_TRUE(ParseLink(c.text, l, error)) << c.text << ": " << error;
    EXPECT_EQ(l.kind, c.kind) << c.text;
    EXPECT_EQ(c.kind == LinkKind::kTcp ? l.host : l.device, c.where) << c.text;
    EXPECT_EQ(c.kind == LinkKind::kTcp ? l.tcpPort : l.comPort, c.number) << c.text;
    EXPECT_EQ(l.baudIndex, c.baudIndex) << c.text;
  }
}

TEST(CommandLine, RefusesWhatItCannotRunWithAReason) {
  struct Case {
    const char* args;
    const char* reason;  // part of the error text
  };
  const Case cases[] = {
      {"", "no command"},
      {"format", "unknown command 'format'"},
      {"get", "--out FILE is missing"},
      {"get --out", "--out needs a value"},
      {"get --out a.ini --set 2", "--set takes 0 or 1"},
      {"get --out a.ini --force", "--force does not belong"},
      {"send", "send needs the parameter file"},
      {"send a.ini b.ini", "unexpected argument 'b.ini'"},
      {"send a.ini --out b.ini", "--out does not belong"},
      {"identify --eeprom", "--eeprom does not belong"},
      {"identify -x", "unknown option '-x'"},
      {"identify --eeprom=1", "--eeprom takes no value"},
      {"record --out r.dat", "record needs --interval"},
      {"record --interval 1 --out r.dat", "either --count N or --until-stopped"},
      {"record --interval 1 --count 3 --until-stopped --out r.dat", "either --count"},
      {"record --interval 0 --count 3 --out r.dat", "--interval takes seconds"},
      {"record --interval 1x --count 3 --out r.dat", "--interval takes seconds"},
      {"record --interval 1 --count 0 --out r.dat", "--count takes 1 to 65535"},
      {"record --interval 1 --count 65536 --out r.dat", "--count takes 1 to 65535"},
      {"record --triggered --interval 1 --out r.dat", "--triggered takes no --interval"},
      {"identify --link tcp:", "needs a host"},
      {"identify --link tcp:host:70000", "no TCP port"},
      {"identify --link com:0", "no COM port number"},
      {"identify --link com:257", "no COM port number"},
      {"identify --link com:2@14400", "not one of 9600"},
      {"identify --link /dev/ttyS0@fast", "'fast' is no baud rate"},
  };
  for (const auto& c : cases) {
    CommandLine cl = ParseCommandLine(Words(c.args));
    EXPECT_NE(cl.error.find(c.reason), std::string::npos)
        << "'" << c.args << "' gave '" << cl.error << "'";
  }
}

}  // namespace
