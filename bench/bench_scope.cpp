// The scope's wait for its frames: processor time that SCAN uses while the
// sensor has not yet triggered, over TCP and over a pseudo-terminal, beside an
// idle event loop of the same length in the same run.
#include <sys/resource.h>

#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/scope/scope_state.h"
#include "gui/shell/shell.h"
#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "sim/tcp_transport.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void WriteSettings(const std::string& dir, int protocol, int port, const std::string& tty) {
  ui::IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", protocol);
  ini.PutInt("COMMUNICATION SETTINGS", "COMPORT", 1);
  ini.PutString("COMMUNICATION SETTINGS", "IP ADRESS", "127.0.0.1");
  ini.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", std::to_string(port));
  if (!tty.empty()) ini.PutString("SERIAL DEVICES", "COM1", tty);
  ini.WriteFile(dir + "/PanelSettings.cfg");
}

struct Cpu {
  double ms;
  double wall;
};

// SCAN with a trigger that never comes, broken off after `seconds`. Measured
// from half a second in, so that the one-off work of the start (showing SCOPEP,
// the request) stays out of the figure.
Cpu WaitingScan(sim::Sensor& sensor, double seconds) {
  int page = MainTab(kPageScope);
  ui::SetCtrlVal(page, TABSCOPE_RING_TRIGMODE, 4);
  sensor.SetInput0(false);
  double cpu0 = 0, t0 = 0;
  Cpu wait{};
  QTimer::singleShot(500, [&] {
    cpu0 = ThreadCpuSeconds();
    t0 = ui::Timer();
  });
  QTimer::singleShot(static_cast<int>(500 + seconds * 1000), [&, page] {
    wait = {1000 * (ThreadCpuSeconds() - cpu0), ui::Timer() - t0};
    ui::FireCtrlEvent(page, TABSCOPE_BUTTON_BREAK, ui::EVENT_COMMIT);
  });
  ui::FireCtrlEvent(page, TABSCOPE_BUTTON_SCAN, ui::EVENT_COMMIT);
  return wait;
}

Cpu IdleLoop(double seconds) {
  double cpu0 = ThreadCpuSeconds(), t0 = ui::Timer();
  double end = t0 + seconds;
  while (ui::Timer() < end) ui::WaitForSystemEvents(end - ui::Timer());
  return {1000 * (ThreadCpuSeconds() - cpu0), ui::Timer() - t0};
}

void Report(const char* link, Cpu scan, Cpu idle) {
  std::printf(
      "%s: SCAN waiting %.2f s used %.1f ms of processor time (%.2f %% of a core); idle loop "
      "%.2f s used %.1f ms; ratio %.1f (goal: near the idle loop)\n",
      link, scan.wall, scan.ms, scan.ms / (10 * scan.wall), idle.wall, idle.ms,
      scan.ms / std::max(idle.ms, 0.1));
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  std::string dir = "/tmp/colmira-bench-scope-" + std::to_string(getpid());
  std::string layout = ui::GetProjectDir() + "/Colmira3V42.uir";
  std::system(("mkdir -p " + dir).c_str());
  ui::SetProjectDir(dir);

  sim::Sensor sensor;
  {
    sim::TcpTransport tcp(sensor);
    tcp.Start(0);
    WriteSettings(dir, 1, tcp.Port(), "");
    if (LoadApplicationPanels(layout) < 0) return 1;
    InitApplication();
    if (!gChannel.tcpConnected) return 1;
    Cpu idle = IdleLoop(seconds);
    Report("TCP", WaitingScan(sensor, seconds), idle);
    ShutdownApplication();
  }
  {
    sim::PtyTransport pty(sensor);
    std::string tty = dir + "/tty";
    pty.Start(tty);
    WriteSettings(dir, 0, 0, tty);
    if (LoadApplicationPanels(layout) < 0) return 1;
    InitApplication();
    Cpu idle = IdleLoop(seconds);
    Report("serial", WaitingScan(sensor, seconds), idle);
    ShutdownApplication();
  }
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
