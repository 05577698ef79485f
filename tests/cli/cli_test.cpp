// The program run from the shell against the virtual sensor: each command over
// TCP and over a pseudo-terminal, its files against those the window writes,
// exit statuses and one-line messages under link faults, and a recording ended
// by Ctrl+C. The program runs as a child process without a display; the sensor
// answers from its own thread in this process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Colmira3V42_uir.h"
#include "gui/params/hardware_file.h"
#include "gui/params/parameter_transfer.h"
#include "gui/shell/shell.h"
#include "sim/parameter_rules.h"
#include "support/app_fixture.h"
#include "ui/dialogs.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTimeoutLine =
    "TIMEOUT! NO DATA RECEIVED! COMMUNICATION ERROR! CHECK POWER SUPPLY AND COM SETTINGS. TRY "
    "TO CONNECT AGAIN!\n";

struct Outcome {
  int status = -1;
  std::string out, err;
};

// The program as a child process, started from the test's directory without a display.
class Child {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& args,
             const std::string& cwd) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return false;
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      dup2(out[1], 1);
      dup2(err[1], 2);
      if (chdir(cwd.c_str()) != 0) _exit(127);
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("QT_QPA_PLATFORM");
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
    return true;
  }

  void Signal(int sig) { kill(pid_, sig); }

  // Gathers the output until the child ends; a child still running after the
  // time-out is killed and reported with status -1.
  Outcome Wait(double timeoutSeconds = 60) {
    Outcome o;
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(static_cast<int>(timeoutSeconds * 1000));
    while (outFd_ >= 0 || errFd_ >= 0) {
      pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      if (poll(fds, 2, static_cast<int>(left.count())) <= 0) continue;
      Drain(fds[0], outFd_, o.out);
      Drain(fds[1], errFd_, o.err);
    }
    int wstatus = 0;
    if (outFd_ >= 0 || errFd_ >= 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &wstatus, 0);
      return o;
    }
    waitpid(pid_, &wstatus, 0);
    o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return o;
  }

 private:
  static void Drain(const pollfd& p, int& fd, std::string& into) {
    if (fd < 0 || !(p.revents & (POLLIN | POLLHUP | POLLERR))) return;
    char buf[4096];
    ssize_t n = read(fd, buf, sizeof buf);
    if (n > 0) {
      into.append(buf, static_cast<size_t>(n));
    } else {
      close(fd);
      fd = -1;
    }
  }

  pid_t pid_ = -1;
  int outFd_ = -1, errFd_ = -1;
};

std::vector<uint16_t> WithoutSpareWords(std::vector<uint16_t> words) {
  std::vector<uint16_t> out;
  for (size_t i = 0; i < words.size(); ++i)
    if (i < kHeadWords || (i - kHeadWords) % kTeachRowWords != kTeachRowWords - 1)
      out.push_back(words[i]);
  return out;
}

class CommandLineRun : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    // The program reads its layout and settings beside itself: it runs from
    // the test's directory, linked there (copied where a link is refused).
    for (const char* from : {COLMIRA_PROGRAM, COLMIRA_LAYOUT}) {
      fs::path to = fs::path(dir) / fs::path(from).filename();
      std::error_code ec;
      fs::create_hard_link(from, to, ec);
      if (ec) fs::copy_file(from, to, ec);
      ASSERT_FALSE(ec) << ec.message();
    }
    program = dir + "/" + fs::path(COLMIRA_PROGRAM).filename().string();
  }

  Child Start(const std::vector<std::string>& args) {
    Child c;
    EXPECT_TRUE(c.Start(program, args, dir));
    return c;
  }
  Outcome Run(const std::vector<std::string>& args) { return Start(args).Wait(); }

  std::string TcpLink() const { return "tcp:127.0.0.1:" + std::to_string(tcp->Port()); }
  std::string PtyLink() const { return PtyPath(); }

  // Requests the sensor received with this order code.
  int Count(int order) const {
    int n = 0;
    for (const auto& r : sensor.Requests()) n += r.order == order;
    return n;
  }

  // The lines of a record file; `finished`: the file must end with a whole line.
  std::vector<std::string> RecordLines(const std::string& name, bool finished = true) {
    std::string text = ReadProjectFile(name);
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    if (finished) {
      EXPECT_EQ(at, text.size()) << "the file ends in the middle of a line";
    }
    return lines;
  }
  static int DataLines(const std::vector<std::string>& lines) {
    int n = 0;
    for (const auto& l : lines)
      if (std::count(l.begin(), l.end(), '\t') == 12 && l.compare(0, 4, "DATE") != 0) ++n;
    return n;
  }

  std::string program;
};

TEST_F(CommandLineRun, HelpListsEveryCommandWithAnExampleAndBadArgumentsGiveUsage) {
  Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* c : {"identify", "get", "send", "record", "hwinfo"})
    EXPECT_NE(help.out.find("Example: Colmira3V42 " + std::string(c)), std::string::npos) << c;

  for (std::vector<std::string> bad : {std::vector<std::string>{"get", "--set", "1"},
                                       std::vector<std::string>{"restore", "a.ini"}}) {
    Outcome o = Run(bad);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind("Colmira3V42: ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("Usage: Colmira3V42"), std::string::npos);
  }
}

TEST_F(CommandLineRun, IdentifiesOverTcpPtyAndTheSettingsFileWithoutWritingIt) {
  sensor.SetIdentText("RGB SENSOR V4.2 SN 4711");
  UseTcpSensor();
  Outcome o = Run({"identify", "--link", TcpLink()});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "RGB SENSOR V4.2 SN 4711\n");
  EXPECT_EQ(o.err, "");

  UsePtySensor();
  o = Run({"identify", "--link", PtyLink() + "@115200"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "RGB SENSOR V4.2 SN 4711\n");

  // COM 7 mapped to the pseudo-terminal by the settings file, as the window connects.
  Settings s;
  s.comPort = 7;
  s.comDevice = PtyPath();
  WriteSettings(s);
  const std::string before = ReadProjectFile("PanelSettings.cfg");
  auto stamp = fs::last_write_time(dir + "/PanelSettings.cfg");
  o = Run({"identify"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "RGB SENSOR V4.2 SN 4711\n");
  o = Run({"identify", "--link", "com:7"});
  EXPECT_EQ(o.out, "RGB SENSOR V4.2 SN 4711\n") << o.err;
  EXPECT_EQ(ReadProjectFile("PanelSettings.cfg"), before);
  EXPECT_EQ(fs::last_write_time(dir + "/PanelSettings.cfg"), stamp);
}

// A backup of a parameter set and its restore into a sensor that lost it.
TEST_F(CommandLineRun, GetThenSendRoundTripsAParameterSetOverTcpAndPty) {
  struct Case {
    bool pty;
    bool eeprom;
    int set;
  };
  for (const Case c : {Case{false, false, 1}, Case{true, true, 0}}) {
    SCOPED_TRACE(c.pty ? "pty" : "tcp");
    if (c.pty)
      UsePtySensor();
    else
      UseTcpSensor();
    const std::string link = c.pty ? PtyLink() : TcpLink();
    sensor.TeachDemoColours(c.set);
    std::vector<uint16_t> words = sensor.ParameterWords(c.set);
    words[0] = 620;  // POWER
    sensor.SetParameterWords(c.set, words);
    if (c.eeprom) sensor.SetEepromWords(c.set, words);
    const std::vector<uint16_t> original = c.eeprom ? sensor.EepromWords(c.set) : words;

    std::vector<std::string> args = {"--link", link, "--set", std::to_string(c.set)};
    if (c.eeprom) args.push_back("--eeprom");
    std::vector<std::string> get = args;
    get.insert(get.end(), {"get", "--out", "backup.ini"});
    Outcome o = Run(get);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out + o.err, "");

    // The sensor forgets the set; the restore brings it back.
    const auto defaults = sim::DefaultParameterSet();
    std::vector<uint16_t> blank(defaults.head.begin(), defaults.head.end());
    blank.insert(blank.end(), defaults.teach.begin(), defaults.teach.end());
    sensor.SetParameterWords(c.set, blank);
    if (c.eeprom) sensor.SetEepromWords(c.set, blank);
    sensor.ClearRequests();
    std::vector<std::string> send = args;
    send.insert(send.end(), {"send", "backup.ini"});
    o = Run(send);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "0\n");
    EXPECT_EQ(WithoutSpareWords(sensor.ParameterWords(c.set)), WithoutSpareWords(original));
    if (c.eeprom) {
      EXPECT_EQ(WithoutSpareWords(sensor.EepromWords(c.set)), WithoutSpareWords(original));
      EXPECT_EQ(Count(kOrderStoreEeprom), 1);
    }
  }
}

// The backup is the very file the window's SEND to FILE writes, and so is the
// hardware file the window's button writes.
TEST_F(CommandLineRun, FilesEqualThoseTheWindowWrites) {
  sensor.TeachDemoColours(0);
  std::vector<uint16_t> hw(kHardwareInfoWords);
  for (int i = 0; i < kHardwareInfoWords; ++i) hw[i] = static_cast<uint16_t>(0x1234 + 77 * i);
  sensor.SetHardwareWords(hw);
  StartWithTcpSensor();
  gTransfer.target = kTargetFile;
  dialogs.QueueFile(ui::VAL_NEW_FILE_SELECTED, dir + "/window.ini");
  SendParameters();
  dialogs.QueueFile(ui::VAL_NEW_FILE_SELECTED, dir + "/window-hw.ini");
  WriteHardwareInfoFile();
  dialogs.Take();

  Outcome o = Run({"get", "--out", "cli.ini", "--link", TcpLink()});
  ASSERT_EQ(o.status, 0) << o.err;
  o = Run({"hwinfo", "--out", dir + "/cli-hw.ini"});  // the settings file names the sensor
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out + o.err, "");
  ASSERT_NE(ReadProjectFile("window.ini"), "");
  EXPECT_EQ(ReadProjectFile("cli.ini"), ReadProjectFile("window.ini"));
  ASSERT_NE(ReadProjectFile("window-hw.ini"), "");
  EXPECT_EQ(ReadProjectFile("cli-hw.ini"), ReadProjectFile("window-hw.ini"));
}

TEST_F(CommandLineRun, HardwareFileOverPty) {
  UsePtySensor();
  Outcome o = Run({"hwinfo", "--out", "hw.ini", "--link", PtyLink()});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string file = ReadProjectFile("hw.ini");
  EXPECT_EQ(file.rfind("[GENERAL INFO]\r\nFILE TYPE: = \"Hardware Initial File\"\r\n", 0), 0u);
  EXPECT_NE(file.find("DATA Line0013 = \""), std::string::npos);
  EXPECT_EQ(Count(kOrderHardwareInfo), 1);
}

TEST_F(CommandLineRun, SendReportsResetsAndFileTroubleAsTheWindowWould) {
  UseTcpSensor();
  ASSERT_EQ(Run({"get", "--out", "good.ini", "--link", TcpLink()}).status, 0);
  const std::string good = ReadProjectFile("good.ini");

  // The sensor put three parameters back to their defaults.
  sensor.InjectPlausibilityCount(3, kOrderWriteParameters);
  Outcome o = Run({"send", "good.ini", "--link", TcpLink()});
  EXPECT_EQ(o.status, 3);
  EXPECT_EQ(o.out, "3\n");
  EXPECT_EQ(o.err,
            "INFO! 3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
            "VALUE!\n");

  // A missing item takes its default and is named; the rest is sent.
  std::string noTeach = good;
  size_t item = noTeach.find("EXTERN TEACH = ");
  noTeach.erase(item, noTeach.find("\r\n", item) + 2 - item);
  WriteProjectFile("noteach.ini", noTeach);
  o = Run({"send", "noteach.ini", "--link", TcpLink()});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "0\n");
  EXPECT_EQ(o.err,
            "Attention! Following parameter could not be read and where set to default value: "
            "EXTEACH\n");

  // Another type of file is not sent unless --force says so.
  std::string other = good;
  other.replace(other.find("Parameter File"), 14, "Table Attributes");
  WriteProjectFile("other.ini", other);
  sensor.ClearRequests();
  o = Run({"send", "other.ini", "--link", TcpLink()});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err,
            "ATTENTION! Selected file is not a parameter file! Do you want to proceed anyway? no "
            "(--force answers yes)\nATTENTION! No parameter where read!\n");
  EXPECT_EQ(Count(kOrderWriteParameters), 0);
  o = Run({"send", "other.ini", "--force", "--link", TcpLink()});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(Count(kOrderWriteParameters), 2);

  o = Run({"send", "missing.ini", "--link", TcpLink()});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, dir + "/missing.ini: No such file or directory\n");
  o = Run({"get", "--out", dir + "/no-such-dir/x.ini", "--link", TcpLink()});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "ATTENTION! The file could not be written! " + dir + "/no-such-dir/x.ini\n");
}

TEST_F(CommandLineRun, LinkFaultsEndWithStatusOneAndTheLinksOwnMessage) {
  struct Case {
    sim::Fault fault;
    const char* line;
  };
  const Case cases[] = {
      {sim::Fault::BadHeaderCrc, "ATTENTION! RECEIVED HEADER FRAME IS INCORRECT!\n"},
      {sim::Fault::BadDataCrc, "ATTENTION! RECEIVED DATA FRAME IS INCORRECT!\n"},
      {sim::Fault::CloseConnection, "SERVER HAS CLOSED CONNECTION!\n"},
      {sim::Fault::Status1, "INVALIDE ORDER NUMBER! VERIFY PC AND SENSOR SOFTWARE!\n"},
      {sim::Fault::Silence, kTimeoutLine},
  };
  UseTcpSensor();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    // The connect reads the parameters once; the fault hits the command's own read.
    sensor.ClearFaults();
    sensor.InjectFault(c.fault, kOrderReadParameters, 1, 2);
    Outcome o = Run({"get", "--out", "x.ini", "--link", TcpLink()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, c.line);
    EXPECT_EQ(o.out, "");
    EXPECT_FALSE(fs::exists(dir + "/x.ini"));
  }

  // Over the serial line: a corrupt reply to the identification.
  UsePtySensor();
  sensor.ClearFaults();
  sensor.InjectFault(sim::Fault::BadDataCrc, kOrderIdentify);
  Outcome o = Run({"identify", "--link", PtyLink()});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "ATTENTION! RECEIVED DATA FRAME IS INCORRECT!\n");

  // Nobody listens.
  o = Run({"identify", "--link", "tcp:127.0.0.1:1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
  o = Run({"identify", "--link", dir + "/no-tty"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
}

TEST_F(CommandLineRun, RecordsNFramesOverTcpAndPty) {
  for (bool overPty : {false, true}) {
    SCOPED_TRACE(overPty ? "pty" : "tcp");
    if (overPty)
      UsePtySensor();
    else
      UseTcpSensor();
    sensor.ClearRequests();
    Outcome o = Run({"record", "--interval", "0.25", "--count", "3", "--out", "rec.dat", "--link",
                     overPty ? PtyLink() : TcpLink()});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out + o.err, "");
    std::vector<std::string> lines = RecordLines("rec.dat");
    ASSERT_EQ(lines.size(), 6u);  // title, empty line, column titles, three frames
    EXPECT_EQ(lines[0], "\nRECORD RESULTS OF: COLMIRA3-Rarev V4.2");
    EXPECT_EQ(lines[2],
              "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\t"
              "TRIGGER\tTEMP");
    EXPECT_EQ(DataLines(lines), 3);
    EXPECT_EQ(Count(kOrderLiveFrame), 3);
  }
}

TEST_F(CommandLineRun, RecordsTriggeredFramesAndStopsTheStream) {
  UseTcpSensor();
  sensor.SetStreamIntervalMs(20);
  Outcome o =
      Run({"record", "--triggered", "--count", "5", "--out", "trig.dat", "--link", TcpLink()});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(DataLines(RecordLines("trig.dat")), 5);
  EXPECT_FALSE(sensor.StreamRunning());
}

TEST_F(CommandLineRun, CtrlCEndsARecordingWithEveryLineWritten) {
  UseTcpSensor();
  sensor.SetStreamIntervalMs(20);
  for (bool triggered : {false, true}) {
    SCOPED_TRACE(triggered ? "triggered" : "interval");
    sensor.ClearRequests();
    const std::string file = triggered ? "stop-trig.dat" : "stop.dat";
    std::vector<std::string> args = {"record", "--out", file, "--link", TcpLink()};
    if (triggered)
      args.push_back("--triggered");
    else
      args.insert(args.end(), {"--interval", "0.25", "--until-stopped"});
    Child c = Start(args);
    for (int i = 0; i < 600 && DataLines(RecordLines(file, false)) < 3; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    c.Signal(SIGINT);
    Outcome o = c.Wait();
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    int lines = DataLines(RecordLines(file));
    EXPECT_GE(lines, 3);
    if (triggered) {
      EXPECT_FALSE(sensor.StreamRunning());
    } else {
      EXPECT_EQ(lines, Count(kOrderLiveFrame));
    }
  }
}

}  // namespace
