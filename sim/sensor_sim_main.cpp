// The virtual sensor as a program: serves TCP and/or a pseudo-terminal until SIGINT or
// SIGTERM.
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "sim/sim_options.h"
#include "sim/tcp_transport.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const sim::ParsedOptions parsed = sim::ParseOptions(args);
  if (!parsed.error.empty()) {
    std::cerr << "colmira-sensor-sim: " << parsed.error << "\n";
    return 2;
  }
  const sim::SimOptions& options = parsed.options;
  if (options.help) {
    std::cout << sim::HelpText();
    return 0;
  }

  // Block the stop signals before any thread starts, then wait for one here.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  sim::Sensor sensor;
  sim::ApplyOptions(options, sensor);

  sim::TcpTransport tcp(sensor);
  if (options.tcp) {
    if (!tcp.Start(options.tcpPort, options.bindAddr)) {
      std::cerr << "colmira-sensor-sim: cannot listen on " << options.bindAddr << ":"
                << options.tcpPort << "\n";
      return 1;
    }
    std::cout << "tcp " << options.bindAddr << ":" << tcp.Port() << std::endl;
  }
  sim::PtyTransport pty(sensor);
  if (options.pty) {
    pty.SetPacingBaud(options.baud);
    pty.SetLineSpeedCheck(options.strictBaud);
    if (!pty.Start(options.ptyLink)) {
      std::cerr << "colmira-sensor-sim: cannot create a pseudo-terminal"
                << (options.ptyLink.empty() ? "" : " at " + options.ptyLink) << "\n";
      return 1;
    }
    if (options.ptyLink.empty()) {
      std::cout << "pty " << pty.SlavePath() << std::endl;
    } else {
      std::cout << "pty " << options.ptyLink << " -> " << pty.SlavePath() << std::endl;
    }
  }

  int received = 0;
  sigwait(&stopSignals, &received);
  pty.Stop();
  tcp.Stop();
  return 0;
}
