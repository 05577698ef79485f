#include "gui/recorder/record_graphs.h"

#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/recorder/recorder_state.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

struct RecordSignal {
  int graph;
  int display;
  int word;
  int color;
};
constexpr RecordSignal kSignals[kRecordSignals] = {
    {GRAPHP_GRAPH_RED, GRAPHP_DISP_RED, kLiveRed, 0xFF0000},
    {GRAPHP_GRAPH_GREEN, GRAPHP_DISP_GREEN, kLiveGreen, 0x00FF00},
    {GRAPHP_GRAPH_BLUE, GRAPHP_DISP_BLUE, kLiveBlue, 0x0000FF},
    {GRAPHP_GRAPH_X, GRAPHP_DISP_X, kLiveX, 0xFF0000},
    {GRAPHP_GRAPH_Y, GRAPHP_DISP_Y, kLiveY, 0x00FF00},
    {GRAPHP_GRAPH_INT, GRAPHP_DISP_INT, kLiveInt, 0x008080},
    {GRAPHP_GRAPH_TEMP, GRAPHP_DISP_TEMP, kLiveTemp, 0x008080},
};
constexpr double kStartXMax = 100;

void ShowXRange(double xMax) {
  gRecorder.plot.shownXMax = xMax;
  for (const auto& s : kSignals)
    ui::SetAxisScalingMode(gShell.graphp, s.graph, ui::VAL_XAXIS, ui::VAL_MANUAL, 0, xMax);
}

}  // namespace

void ClearRecordGraphs() {
  RecordPlotState& p = gRecorder.plot;
  for (int i = 0; i < kRecordSignals; ++i) {
    ui::DeleteGraphPlot(gShell.graphp, kSignals[i].graph, ui::kAllPlots);
    p.plot[i] = p.previousLap[i] = 0;
    p.previous[i] = p.current[i] = gLive.frame[kSignals[i].word];
  }
  p.sampleIndex = 0;
  p.previousX = p.currentX = 0;
  ShowXRange(kStartXMax);
}

void PlotRecordedValues() {
  RecordPlotState& p = gRecorder.plot;
  const int graphp = gShell.graphp;
  p.previousX = p.currentX;
  p.currentX = p.sampleIndex;
  // A new line begins after clearing and when the sample index has wrapped; its
  // first sample is a single point.
  const bool lapStart = p.sampleIndex == 0;
  for (int i = 0; i < kRecordSignals; ++i) {
    const RecordSignal& s = kSignals[i];
    uint16_t value = gLive.frame[s.word];
    ui::SetCtrlVal(graphp, s.display, value);
    p.previous[i] = lapStart ? value : p.current[i];
    p.current[i] = value;
    double y = value;
    if (lapStart || p.plot[i] <= 0) {
      if (p.previousLap[i] > 0) ui::DeleteGraphPlot(graphp, s.graph, p.previousLap[i]);
      p.previousLap[i] = p.plot[i];
      double xs[2] = {p.currentX, p.currentX}, ys[2] = {y, y};
      p.plot[i] = ui::PlotXY(graphp, s.graph, xs, ys, 2, s.color, ui::VAL_THIN_LINE);
    } else {
      ui::AppendPlotPoints(graphp, s.graph, p.plot[i], &p.currentX, &y, 1);
    }
  }
  if (lapStart) p.previousX = p.currentX;
  if (p.currentX > p.shownXMax) ShowXRange(2 * p.shownXMax);
  ++p.sampleIndex;
}

void SelectRecordGraph(int signal) {
  if (signal < 0 || signal >= kRecordSignals) signal = 0;
  for (int i = 0; i < kRecordSignals; ++i)
    ui::SetCtrlAttribute(gShell.graphp, kSignals[i].graph, ui::ATTR_VISIBLE, i == signal ? 1 : 0);
}
