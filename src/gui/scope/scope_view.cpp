#include "gui/scope/scope_view.h"

#include <cstdint>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/scope/scope_math.h"
#include "gui/scope/scope_state.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

constexpr int kLineColours[3] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr int kDigitalGrey = 0x808080;
constexpr int kDigitalTeal = 0x008080;
constexpr int kRecordedCoordinates = 1;

int Page() {
  return MainTab(kPageScope);
}

int32_t ReplyInt32(int offset) {
  const uint8_t* d = gLink.ReceiveBuffer + kHeaderBytes + offset;
  return static_cast<int32_t>(static_cast<uint32_t>(d[0]) | static_cast<uint32_t>(d[1]) << 8 |
                              static_cast<uint32_t>(d[2]) << 16 |
                              static_cast<uint32_t>(d[3]) << 24);
}

const double* SampleAxis() {
  static double x[kScopeSamples];
  for (int i = 0; i < kScopeSamples; ++i) x[i] = i;
  return x;
}

void PlotLine(int block) {
  double y[kScopeSamples];
  for (int i = 0; i < kScopeSamples; ++i) y[i] = gScope.blocks[block][i];
  ui::PlotXY(gShell.scopep, SCOPEP_GRAPH_ANALOG, SampleAxis(), y, kScopeSamples,
             kLineColours[block], ui::VAL_THIN_LINE);
}

void PlotDigitalTraces() {
  ui::DeleteGraphPlot(gShell.scopep, SCOPEP_GRAPH_DIGITAL, ui::kAllPlots);
  for (int bit = 0; bit < kDigitalTraces; ++bit) {
    double y[kScopeSamples];
    for (int i = 0; i < kScopeSamples; ++i)
      y[i] = DigitalTraceLevel(bit, gScope.blocks[kScopeDigitalBlock][i]);
    ui::PlotXY(gShell.scopep, SCOPEP_GRAPH_DIGITAL, SampleAxis(), y, kScopeSamples,
               bit == 5 ? kDigitalTeal : kDigitalGrey, ui::VAL_STEPS);
  }
}

}  // namespace

void InitScopeView() {
  // A quarter and three quarters of the record apart, at mid height.
  for (int graph : {SCOPEP_GRAPH_ANALOG, SCOPEP_GRAPH_DIGITAL}) {
    ui::SetGraphCursor(gShell.scopep, graph, 1, 32, graph == SCOPEP_GRAPH_ANALOG ? 2000 : 0);
    ui::SetGraphCursor(gShell.scopep, graph, 2, 96, graph == SCOPEP_GRAPH_ANALOG ? 2000 : 0);
  }
  UpdateScopeCursors();
}

void GetCycleTime() {
  double f = 0.0;
  if (ExchangeOrder(kOrderCycleTime, 0) == 1) f = ScanFrequency(ReplyInt32(0), ReplyInt32(4));
  FrequencyPrecision p = CycleTimePrecision(f);
  ui::SetCtrlAttribute(Page(), TABSCOPE_DISP_SCANFREQ, ui::ATTR_PRECISION, p.frequency);
  ui::SetCtrlAttribute(Page(), TABSCOPE_DISP_CYCLETIME, ui::ATTR_PRECISION, p.cycleTime);
  ui::SetCtrlVal(Page(), TABSCOPE_DISP_SCANFREQ, f);
  gScope.cycleTime = CycleTimeOf(f);
  ui::SetCtrlVal(Page(), TABSCOPE_DISP_CYCLETIME, gScope.cycleTime);
}

void UpdateScopeCursors() {
  int scanRate = ui::GetCtrlInt(Page(), TABSCOPE_NUM_SCANRATE);
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 1, x1, y1);
  ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 2, x2, y2);
  ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_DIGITAL, 1, x1, 0);
  ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_DIGITAL, 2, x2, 0);
  double deltaX = ScopeDeltaX(x1, x2, gScope.cycleTime, scanRate);
  ui::SetCtrlAttribute(gShell.scopep, SCOPEP_DISP_DELTAX, ui::ATTR_PRECISION,
                       DeltaXPrecision(deltaX));
  ui::SetCtrlVal(gShell.scopep, SCOPEP_DISP_DELTAX, deltaX);
  ui::SetCtrlVal(gShell.scopep, SCOPEP_DISP_DELTAY, ScopeDeltaY(y1, y2));
}

void ResetScopeZoom() {
  int calcMode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  bool siM = calcMode == 1 || calcMode == 3;
  bool coordinates = ui::GetCtrlInt(Page(), TABSCOPE_RING_RECSIGNAL) == kRecordedCoordinates;
  ui::SetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_XAXIS, ui::VAL_MANUAL, 0,
                         kScopeSamples);
  ui::SetAxisScalingMode(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL, 0,
                         coordinates && siM ? 10000 : 4100);
  UpdateScopeCursors();
}

void PlotScopeBlocks() {
  ui::DeleteGraphPlot(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::kAllPlots);
  for (int block = 0; block < 3; ++block) PlotLine(block);
  PlotDigitalTraces();
}

void ShowScopeSignal() {
  ui::DeleteGraphPlot(gShell.scopep, SCOPEP_GRAPH_ANALOG, ui::kAllPlots);
  int signal = ui::GetCtrlInt(gShell.scopep, SCOPEP_RING_SIGNAL);
  for (int block = 0; block < 3; ++block)
    if (signal == 0 || signal == block + 1) PlotLine(block);
}

void ApplyTriggerModeDimming() {
  int mode = ui::GetCtrlInt(Page(), TABSCOPE_RING_TRIGMODE);
  bool edge = mode == kTriggerRisingEdge || mode == kTriggerFallingEdge;
  ui::SetCtrlAttribute(Page(), TABSCOPE_NUM_PRETRIG, ui::ATTR_DIMMED,
                       mode == kTriggerSingleShot ? 1 : 0);
  ui::SetCtrlAttribute(Page(), TABSCOPE_NUM_TRIGLEVEL, ui::ATTR_DIMMED, edge ? 0 : 1);
}
