// The recorded-value teach panel with a full store: the time to plot 60000
// points into its three graphs and to redraw them, beside the plotting
// library's own dot curve, and the recording rate over TCP loopback with an
// empty and a nearly full cloud, beside the bare link loop in the same run.
#include <unistd.h>

#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_state.h"
#include "gui/shell/shell.h"
#include "gui/teach/recorded_teach.h"
#include "sim/sensor.h"
#include "sim/tcp_transport.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {

const int kGraphs[3] = {TEACHP2_GRAPH_XY, TEACHP2_GRAPH_XINT, TEACHP2_GRAPH_YINT};

void WriteSettings(const std::string& dir, int port) {
  ui::IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
  ini.PutString("COMMUNICATION SETTINGS", "IP ADRESS", "127.0.0.1");
  ini.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", std::to_string(port));
  ini.WriteFile(dir + "/PanelSettings.cfg");
}

struct Cloud {
  std::vector<double> x, y, in;
};

Cloud RandomCloud(int n) {
  std::mt19937 rng(7);
  std::normal_distribution<double> around(0, 150);
  Cloud c;
  for (int i = 0; i < n; ++i) {
    c.x.push_back(std::clamp(std::round(1500 + around(rng)), 0.0, 4095.0));
    c.y.push_back(std::clamp(std::round(1800 + around(rng)), 0.0, 4095.0));
    c.in.push_back(std::clamp(std::round(2500 + around(rng)), 0.0, 4095.0));
  }
  return c;
}

void ClearGraphs() {
  for (int g : kGraphs) ui::DeleteGraphPlot(gShell.teachp2, g, ui::kAllPlots);
  ui::RefreshGraphs();
}

struct PlotFigures {
  double plotAll;    // adding every point and the first drawing, seconds
  double redrawOne;  // one more point, drawn, seconds
};

PlotFigures PlotAsCloud(const Cloud& c) {
  int p = gShell.teachp2;
  double t0 = ui::Timer();
  for (size_t i = 0; i < c.x.size(); ++i) {
    ui::PlotPoint(p, TEACHP2_GRAPH_XY, c.x[i], c.y[i], 0xFF0000);
    ui::PlotPoint(p, TEACHP2_GRAPH_XINT, c.x[i], c.in[i], 0xFF0000);
    ui::PlotPoint(p, TEACHP2_GRAPH_YINT, c.y[i], c.in[i], 0xFF0000);
  }
  ui::RefreshGraphs();
  double t1 = ui::Timer();
  const int kMore = 50;
  for (int i = 0; i < kMore; ++i) {
    for (int g : kGraphs) ui::PlotPoint(p, g, 1000 + i, 1000 + i, 0xFF0000);
    ui::RefreshGraphs();
  }
  double t2 = ui::Timer();
  return {t1 - t0, (t2 - t1) / kMore};
}

// The reference: each graph's points as one dot curve of the plotting library.
PlotFigures PlotAsDotCurve(Cloud c) {
  int p = gShell.teachp2;
  double t0 = ui::Timer();
  int handles[3];
  handles[0] = ui::PlotXY(p, TEACHP2_GRAPH_XY, c.x.data(), c.y.data(), static_cast<int>(c.x.size()),
                          0xFF0000, ui::VAL_DOTS);
  handles[1] = ui::PlotXY(p, TEACHP2_GRAPH_XINT, c.x.data(), c.in.data(),
                          static_cast<int>(c.x.size()), 0xFF0000, ui::VAL_DOTS);
  handles[2] = ui::PlotXY(p, TEACHP2_GRAPH_YINT, c.y.data(), c.in.data(),
                          static_cast<int>(c.x.size()), 0xFF0000, ui::VAL_DOTS);
  ui::RefreshGraphs();
  double t1 = ui::Timer();
  const int kMore = 50;
  for (int i = 0; i < kMore; ++i) {
    c.x.push_back(1000 + i);
    c.y.push_back(1000 + i);
    c.in.push_back(1000 + i);
    int n = static_cast<int>(c.x.size());
    ui::SetPlotPoints(p, TEACHP2_GRAPH_XY, handles[0], c.x.data(), c.y.data(), n);
    ui::SetPlotPoints(p, TEACHP2_GRAPH_XINT, handles[1], c.x.data(), c.in.data(), n);
    ui::SetPlotPoints(p, TEACHP2_GRAPH_YINT, handles[2], c.y.data(), c.in.data(), n);
    ui::RefreshGraphs();
  }
  double t2 = ui::Timer();
  return {t1 - t0, (t2 - t1) / kMore};
}

int LiveRequests(const sim::Sensor& sensor) {
  int n = 0;
  for (const auto& r : sensor.Requests()) n += r.order == 0x08;
  return n;
}

// Frames per second of START on TEACHP2 for `seconds`.
double RecordRate(sim::Sensor& sensor, double seconds) {
  sensor.ClearRequests();
  QTimer::singleShot(static_cast<int>(seconds * 1000), [] { gLive.goRunning = 0; });
  double t0 = ui::Timer();
  ui::FireCtrlEvent(gShell.teachp2, TEACHP2_BUTTON_START, ui::EVENT_COMMIT);
  return LiveRequests(sensor) / (ui::Timer() - t0);
}

// The same exchanges with nothing recorded or drawn.
double BareLinkRate(double seconds) {
  int frames = 0;
  double t0 = ui::Timer();
  while (ui::Timer() - t0 < seconds) {
    BuildRequest(kOrderLiveFrame, 0, 0);
    if (Transfer(kHeaderBytes) != 1) break;
    UnpackReplyToReplyWords();
    CopyLiveFrame();
    ++frames;
  }
  return frames / (ui::Timer() - t0);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::InitCVIRTE(argc, argv);
  double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  std::string dir = "/tmp/colmira-bench-teach-" + std::to_string(getpid());
  std::string layout = ui::GetProjectDir() + "/Colmira3V42.uir";
  std::system(("mkdir -p " + dir).c_str());
  ui::SetProjectDir(dir);

  sim::Sensor sensor;
  sim::TcpTransport tcp(sensor);
  tcp.Start(0);
  WriteSettings(dir, tcp.Port());
  if (LoadApplicationPanels(layout) < 0) return 1;
  InitApplication();
  if (!gChannel.tcpConnected) return 1;
  ShowChildPanel(gShell.teachp2);
  ui::ProcessSystemEvents();

  Cloud cloud = RandomCloud(kRecordedPointsMax);
  PlotFigures ours = PlotAsCloud(cloud);
  ClearGraphs();
  PlotFigures ref = PlotAsDotCurve(cloud);
  ClearGraphs();
  std::printf(
      "Full store (3 x %d points): plotted and drawn in %.0f ms (dot curve: %.0f ms, ratio "
      "%.2f); one more point drawn in %.2f ms (dot curve: %.2f ms, ratio %.3f)\n",
      kRecordedPointsMax, ours.plotAll * 1e3, ref.plotAll * 1e3, ours.plotAll / ref.plotAll,
      ours.redrawOne * 1e3, ref.redrawOne * 1e3, ours.redrawOne / ref.redrawOne);

  double bare = BareLinkRate(seconds);
  ui::SetCtrlVal(gShell.teachp2, TEACHP2_DISP_COUNTER, 0);
  double empty = RecordRate(sensor, seconds);
  // A nearly full cloud: the last frames of a long recording.
  ClearGraphs();
  const int kFilled = kRecordedPointsMax - 6000;
  for (int i = 0; i < kFilled; ++i) {
    ui::PlotPoint(gShell.teachp2, TEACHP2_GRAPH_XY, cloud.x[i], cloud.y[i], 0xFF0000);
    ui::PlotPoint(gShell.teachp2, TEACHP2_GRAPH_XINT, cloud.x[i], cloud.in[i], 0xFF0000);
    ui::PlotPoint(gShell.teachp2, TEACHP2_GRAPH_YINT, cloud.y[i], cloud.in[i], 0xFF0000);
  }
  ui::SetCtrlVal(gShell.teachp2, TEACHP2_DISP_COUNTER, kFilled);
  double full = RecordRate(sensor, std::min(seconds, 1.0));
  std::printf(
      "Recording over TCP loopback: %.0f frames/s from an empty cloud, %.0f frames/s beside "
      "%d points; bare link loop %.0f frames/s (ratios %.2f and %.2f)\n",
      empty, full, kFilled, bare, empty / bare, full / bare);

  ShutdownApplication();
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
