// GO against the virtual sensor with every display and graph of the live
// panel in use: cycles per second over TCP loopback, and over a pseudo-terminal
// paced like a 115200-baud line as a share of what the line allows.
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "sim/tcp_transport.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

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

struct GoFigures {
  double overall;  // cycles per second over the whole run
  double median;   // of the one-second windows
  double best;
};

int LiveRequests(const sim::Sensor& sensor) {
  int n = 0;
  for (const auto& r : sensor.Requests()) n += r.order == 0x08;
  return n;
}

// GO for `seconds` with taught rows, counted in one-second windows: a shared
// machine disturbs some windows, the median and the best show what the tool does.
GoFigures RunGo(sim::Sensor& sensor, double seconds) {
  sensor.ClearRequests();
  std::vector<double> windows;
  QTimer tick;
  tick.setInterval(1000);
  tick.setTimerType(Qt::PreciseTimer);
  int last = 0;
  double lastTime = ui::Timer();
  QObject::connect(&tick, &QTimer::timeout, [&] {
    int now = LiveRequests(sensor);
    double t = ui::Timer();
    windows.push_back((now - last) / (t - lastTime));
    last = now;
    lastTime = t;
    if (windows.size() >= static_cast<size_t>(seconds)) gLive.goRunning = 0;
  });
  tick.start();
  double start = ui::Timer();
  ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_GO, ui::EVENT_COMMIT);
  double took = ui::Timer() - start;
  std::sort(windows.begin(), windows.end());
  GoFigures f{LiveRequests(sensor) / took, 0, 0};
  if (!windows.empty()) {
    f.median = windows[windows.size() / 2];
    f.best = windows.back();
  }
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 6.0;
  std::string dir = "/tmp/colmira-bench-" + std::to_string(getpid());
  std::string layout = ui::GetProjectDir() + "/Colmira3V42.uir";
  std::system(("mkdir -p " + dir).c_str());
  ui::SetProjectDir(dir);

  sim::Sensor sensor;
  sensor.TeachDemoColours(0);
  {
    sim::TcpTransport tcp(sensor);
    tcp.Start(0);
    WriteSettings(dir, 1, tcp.Port(), "");
    if (LoadApplicationPanels(layout) < 0) return 1;
    InitApplication();
    if (!gChannel.tcpConnected) return 1;
    GoFigures go = RunGo(sensor, seconds);
    std::printf(
        "GO over TCP loopback, all displays and graphs live: %.0f cycles/s (median of "
        "one-second windows %.0f; goal >= 1000)\n",
        go.overall, go.median);
    ShutdownApplication();
  }
  {
    sim::PtyTransport pty(sensor);
    std::string tty = dir + "/tty";
    pty.Start(tty);
    pty.SetPacingBaud(115200);
    WriteSettings(dir, 0, 0, tty);
    if (LoadApplicationPanels(layout) < 0) return 1;
    InitApplication();
    GoFigures go = RunGo(sensor, seconds);
    double limit = 115200.0 / 10 / 56;
    std::printf(
        "GO over a 115200-baud line: %.1f cycles/s = %.1f %% of the line's limit of "
        "%.1f/s; one-second windows: median %.1f %%, best %.1f %% (goal >= 97 %%)\n",
        go.overall, 100 * go.overall / limit, limit, 100 * go.median / limit,
        100 * go.best / limit);
    auto pacing = pty.Pacing();
    std::printf("  the virtual line itself: frame ends %.0f us late on average (worst %.0f us)\n",
                pacing.MeanFrameEndLateUs(), pacing.maxFrameEndLateUs);
    ShutdownApplication();
  }
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
