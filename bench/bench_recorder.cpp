// The recorder against the virtual sensor on a pseudo-terminal paced like a
// 115200-baud line:
//  - triggered recording with the sensor sending as fast as the line carries:
//    frames written per second as a share of the frames the sensor sent;
//  - processor time of the program while a recording waits (triggered, with a
//    sensor that sends nothing, and between two interval cycles), beside the
//    same thread idling in the event loop.
#include <sys/resource.h>

#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/live/live_state.h"
#include "gui/recorder/recorder_state.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "ui/dialogs.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int Page() {
  return MainTab(kPageRecorder);
}

void SetMode(int mode) {
  ui::SetCtrlVal(Page(), TABREC_RING_MODE, mode);
  ui::FireCtrlEvent(Page(), TABREC_RING_MODE, ui::EVENT_COMMIT);
}

// Runs `start` (a recording button's callback) and, `at` seconds in, `during`.
void Record(ui::ScriptedDialogs& dialogs, int button, double at, std::function<void()> during) {
  dialogs.QueueConfirm(1);
  QTimer::singleShot(static_cast<int>(at * 1000), during);
  ui::FireCtrlEvent(Page(), button, ui::EVENT_COMMIT);
  dialogs.Take();
}

struct Cpu {
  double cpu0 = ThreadCpuSeconds(), t0 = ui::Timer();
  double Share() const { return (ThreadCpuSeconds() - cpu0) / (ui::Timer() - t0); }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 6.0;
  std::string dir = "/tmp/colmira-bench-rec-" + std::to_string(getpid());
  std::string layout = ui::GetProjectDir() + "/Colmira3V42.uir";
  std::system(("mkdir -p " + dir).c_str());
  ui::SetProjectDir(dir);
  ui::ScriptedDialogs dialogs;
  ui::SetDialogProvider(&dialogs);

  sim::Sensor sensor;
  sensor.TeachDemoColours(0);
  sim::PtyTransport pty(sensor);
  std::string tty = dir + "/tty";
  pty.Start(tty);
  pty.SetPacingBaud(115200);
  {
    ui::IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
    ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 0);
    ini.PutInt("COMMUNICATION SETTINGS", "COMPORT", 1);
    ini.PutInt("COMMUNICATION SETTINGS", "BAUDRATE", 4);
    ini.PutString("SERIAL DEVICES", "COM1", tty);
    ini.WriteFile(dir + "/PanelSettings.cfg");
  }
  if (LoadApplicationPanels(layout) < 0) return 1;
  InitApplication();
  if (!gLink.linkOk) return 1;
  gRemembered.recordFile = dir + "/rec.dat";

  // A live frame is 48 bytes on the line: 4.17 ms at 10 bits a byte. The sensor
  // measures a little slower than that, so that it never queues frames.
  const double frameSeconds = 48 * 10 / 115200.0;
  sensor.SetStreamIntervalUs(4200);
  SetMode(3);
  double written = 0, sent = 0, window = 0, recordingCpu = 0;
  Record(dialogs, TABREC_BUTTON_STARTTRIG, 1.0, [&] {
    double w0 = gRecorder.runningCounter;
    double s0 = static_cast<double>(pty.Pacing().frameEnds);
    double t0 = ui::Timer();
    auto cpu = std::make_shared<Cpu>();
    QTimer::singleShot(static_cast<int>(seconds * 1000), [&, w0, s0, t0, cpu] {
      window = ui::Timer() - t0;
      written = gRecorder.runningCounter - w0;
      sent = static_cast<double>(pty.Pacing().frameEnds) - s0;
      recordingCpu = cpu->Share();
      gLive.goRunning = 0;
    });
  });
  std::printf(
      "triggered recording at 115200 baud: %.1f frames/s written of %.1f/s sent = %.2f %% "
      "(goal 100 %%; line limit %.1f/s); program thread busy %.1f %% of a core meanwhile\n",
      written / window, sent / window, 100 * written / sent, 1 / frameSeconds, 100 * recordingCpu);

  // Waiting: the sensor sends nothing for a while.
  const double wait = 3.0;
  Cpu idle;
  for (double end = ui::Timer() + wait; ui::Timer() < end;)
    ui::WaitForSystemEvents(end - ui::Timer());
  double idleShare = idle.Share();

  sensor.SetStreamIntervalMs(600000);
  double triggeredShare = 0;
  Record(dialogs, TABREC_BUTTON_STARTTRIG, 0.2, [&] {
    auto cpu = std::make_shared<Cpu>();
    QTimer::singleShot(static_cast<int>(wait * 1000), [&, cpu] {
      triggeredShare = cpu->Share();
      gLive.goRunning = 0;
    });
  });

  SetMode(1);
  ui::SetCtrlVal(Page(), TABREC_NUM_INTERVAL, 60.0);
  double intervalShare = 0;
  Record(dialogs, TABREC_BUTTON_START, 0.2, [&] {
    auto cpu = std::make_shared<Cpu>();
    QTimer::singleShot(static_cast<int>(wait * 1000), [&, cpu] {
      intervalShare = cpu->Share();
      gLive.goRunning = 0;
    });
  });
  std::printf(
      "waiting %.0f s: triggered recording %.3f %% of a core, interval recording %.3f %%; "
      "the idle event loop %.3f %% (goal: no more than idle)\n",
      wait, 100 * triggeredShare, 100 * intervalShare, 100 * idleShare);

  ShutdownApplication();
  ui::SetDialogProvider(nullptr);
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
