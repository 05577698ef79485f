#include "gui/teach/recorded_teach.h"

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/teach_table.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

RecordedPoint gRecordedPoints[kRecordedPointsMax];

namespace {

constexpr int kDotColor = 0xFF0000;
constexpr int kGraphs[3] = {TEACHP2_GRAPH_XY, TEACHP2_GRAPH_XINT, TEACHP2_GRAPH_YINT};

int Panel() {
  return gShell.teachp2;
}

// A point as graph g shows it.
void InPlane(int g, const RecordedPoint& p, double& a, double& b) {
  a = g == kGraphYInt ? p.y : p.x;
  b = g == kGraphXY ? p.y : p.intensity;
}

void MoveCursors(const RecordedPoint& p) {
  for (int g = 0; g < 3; ++g) {
    double a = 0, b = 0;
    InPlane(g, p, a, b);
    ui::SetGraphCursor(Panel(), kGraphs[g], 1, a, b);
  }
}

void ShowPoint(int x, int y, int intensity) {
  ui::SetCtrlVal(Panel(), TEACHP2_DISP_X, x);
  ui::SetCtrlVal(Panel(), TEACHP2_DISP_Y, y);
  ui::SetCtrlVal(Panel(), TEACHP2_DISP_INT, intensity);
}

}  // namespace

void RecordLoop() {
  gLive.goRunning = 1;
  while (gLive.goRunning) {
    BuildRequest(kOrderLiveFrame, 0, 0);
    if (Transfer(kHeaderBytes) != 1) continue;
    UnpackReplyToReplyWords();
    CopyLiveFrame();
    RecordPoint();
  }
}

void RecordPoint() {
  const RecordedPoint p{static_cast<double>(gLive.frame[kLiveX]),
                        static_cast<double>(gLive.frame[kLiveY]),
                        static_cast<double>(gLive.frame[kLiveInt])};
  ShowPoint(gLive.frame[kLiveX], gLive.frame[kLiveY], gLive.frame[kLiveInt]);
  for (int g = 0; g < 3; ++g) {
    double a = 0, b = 0;
    InPlane(g, p, a, b);
    ui::PlotPoint(Panel(), kGraphs[g], a, b, kDotColor);
  }
  MoveCursors(p);
  int k = ui::GetCtrlInt(Panel(), TEACHP2_DISP_COUNTER);
  if (k < kRecordedPointsMax) gRecordedPoints[k++] = p;
  // A full store ends the recording after this cycle.
  if (k >= kRecordedPointsMax) gLive.goRunning = 0;
  ui::SetCtrlVal(Panel(), TEACHP2_DISP_COUNTER, k);
}

void SyncCursors(int graph) {
  if (graph < 0 || graph > 2) return;
  int k = ui::GetCtrlInt(Panel(), TEACHP2_DISP_COUNTER);
  double cx = 0, cy = 0;
  ui::GetGraphCursor(Panel(), kGraphs[graph], 1, cx, cy);
  int idx = 0;
  for (int i = 0; i < k && i < kRecordedPointsMax; ++i) {
    double a = 0, b = 0;
    InPlane(graph, gRecordedPoints[i], a, b);
    if (a == cx && b == cy) {
      idx = i;
      break;
    }
  }
  const RecordedPoint& p = gRecordedPoints[idx];
  ShowPoint(static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.intensity));
  MoveCursors(p);
}

void ResetRecordedPoints() {
  if (!ui::ConfirmPopup("ATTENTION!", "Do you really want to reset the table?")) return;
  for (int g : kGraphs) ui::DeleteGraphPlot(Panel(), g, ui::kAllPlots);
  ui::SetCtrlVal(Panel(), TEACHP2_DISP_COUNTER, 0);
}

void TeachRecordedPoint() {
  TakeTeachValuesFromScreen();
  TeachValues& v = gTeachValues;
  v.x = static_cast<uint16_t>(ui::GetCtrlInt(Panel(), TEACHP2_DISP_X));
  v.y = static_cast<uint16_t>(ui::GetCtrlInt(Panel(), TEACHP2_DISP_Y));
  v.intensity = static_cast<uint16_t>(ui::GetCtrlInt(Panel(), TEACHP2_DISP_INT));
  TeachDataTo();
  ReadPanelsIntoParameterBlock();
  DrawToleranceOverlays();
}
