// Speed of the sensor link against the virtual sensor:
//  - live-frame exchanges per second over TCP loopback;
//  - the same over a pseudo-terminal paced like a real 115200-baud line, as a
//    share of what the line allows (56 bytes a cycle at 10 bits a byte);
//  - processor time used while waiting for a silent sensor.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "com232/link.h"
#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "sim/tcp_transport.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

double ThreadCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Live-frame exchanges per second for `seconds`; -1 when one failed.
double ExchangesPerSecond(double seconds) {
  int n = 0;
  double start = ui::Timer();
  while (ui::Timer() - start < seconds) {
    BuildRequest(0x08, 0, 0);
    if (Transfer(8) != 1) return -1;
    UnpackReplyToReplyWords();
    ++n;
  }
  return n / (ui::Timer() - start);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;

  sim::Sensor sensor;
  {
    sim::TcpTransport tcp(sensor);
    tcp.Start(0);
    gChannel.protocol = 1;
    std::snprintf(gChannel.host, sizeof gChannel.host, "127.0.0.1");
    gChannel.tcpPort = tcp.Port();
    if (ConnectTcpChannel() < 0) return 1;
    double rate = ExchangesPerSecond(seconds);
    std::printf("TCP loopback: %.0f live-frame exchanges/s\n", rate);

    sensor.InjectFault(sim::Fault::Silence, 0x08);
    double cpu0 = ThreadCpuSeconds(), t0 = ui::Timer();
    BuildRequest(0x08, 0, 0);
    Transfer(8);
    double cpu = ThreadCpuSeconds() - cpu0, wall = ui::Timer() - t0;
    std::printf(
        "silent sensor: %.2f s wait used %.1f ms of processor time (%.2f %% of a core; "
        "goal near 0)\n",
        wall, cpu * 1000, 100 * cpu / wall);
    CloseChannels();
  }
  {
    sim::PtyTransport pty(sensor);
    std::string link = "/tmp/colmira-bench-tty-" + std::to_string(getpid());
    pty.Start(link);
    pty.SetPacingBaud(115200);
    ui::SetComDevice(1, link);
    gChannel = LinkChannel{};
    gChannel.port = 1;
    gChannel.baudIndex = 4;
    if (OpenSerialChannel() < 0) return 1;
    double rate = ExchangesPerSecond(seconds);
    double limit = 115200.0 / 10 / 56;
    std::printf(
        "serial 115200 baud: %.1f exchanges/s = %.1f %% of the line's limit of %.1f/s "
        "(goal >= 97 %%)\n",
        rate, 100 * rate / limit, limit);
    CloseChannels();
    std::remove(link.c_str());
  }
  return 0;
}
