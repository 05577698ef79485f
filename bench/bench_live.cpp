// GO against the virtual sensor with every display and graph of the live
// panel in use: cycles per second over TCP loopback, and over a pseudo-terminal
// paced like a 115200-baud line as a share of what the line allows.
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// GO for `seconds` on the 3D page with taught rows; returns cycles per second.
double RunGo(sim::Sensor& sensor, double seconds) {
  sensor.ClearRequests();
  QTimer::singleShot(static_cast<int>(seconds * 1000), [] { gLive.goRunning = 0; });
  double start = ui::Timer();
  ui::FireCtrlEvent(gShell.mainp, MAINP_BUTTON_GO, ui::EVENT_COMMIT);
  double took = ui::Timer() - start;
  int frames = 0;
  for (const auto& r : sensor.Requests()) frames += r.order == 0x08;
  return frames / took;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
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
    double rate = RunGo(sensor, seconds);
    std::printf(
        "GO over TCP loopback, all displays and graphs live: %.0f cycles/s (goal >= 1000)\n", rate);
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
    double rate = RunGo(sensor, seconds);
    double limit = 115200.0 / 10 / 56;
    std::printf(
        "GO over a 115200-baud line: %.1f cycles/s = %.1f %% of the line's limit of "
        "%.1f/s (goal >= 97 %%)\n",
        rate, 100 * rate / limit, limit);
    auto pacing = pty.Pacing();
    std::printf("  the virtual line itself: frame ends %.0f us late on average (worst %.0f us)\n",
                pacing.MeanFrameEndLateUs(), pacing.maxFrameEndLateUs);
    ShutdownApplication();
  }
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
