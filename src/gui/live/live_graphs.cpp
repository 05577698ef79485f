#include "gui/live/live_graphs.h"

#include <algorithm>
#include <utility>

#include "Colmira3V42_uir.h"
#include "com232/modes.h"
#include "gui/live/go_loop.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/ui.h"

RegionBounds gTaughtRegionBounds;

namespace {

constexpr int kMargin = 25;
constexpr int kBandColor = 0x408080;
constexpr int kPointsPerScreen = kHistorySamples + 1;

int CalcModeFromRing() {
  int mode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  gParameterBlock.head[kCalculationMode] = static_cast<uint16_t>(mode);
  return mode;
}

// Both axes get the same length, so tolerance circles keep their shape.
void FitView(int panel, int ctrl, int a, int loA, int hiA, int b, int loB, int hiB) {
  AxisFit fa = FitAxis(a, loA, hiA), fb = FitAxis(b, loB, hiB);
  int s = std::max(fa.span, fb.span);
  ui::SetAxisScalingMode(panel, ctrl, ui::VAL_XAXIS, ui::VAL_MANUAL, fa.centre - s / 2 - kMargin,
                         fa.centre + s / 2 + kMargin);
  ui::SetAxisScalingMode(panel, ctrl, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL,
                         fb.centre - s / 2 - kMargin, fb.centre + s / 2 + kMargin);
}

void Strip(int panel, int ctrl, const double* history) {
  ui::SetPointsPerScreen(panel, ctrl, kPointsPerScreen);
  ui::PlotStripChart(panel, ctrl, history, kHistoryValues);
}

}  // namespace

AxisFit FitAxis(int value, int lo, int hi) {
  int span = value > hi ? value - lo : value < lo ? hi - value : hi - lo;
  int from = value < lo ? value : lo;
  return {span, from + span / 2};
}

void DrawIntensityBand() {
  IntensityBand band = SelectedRowBand(kGraphBandCeiling);
  int page = DataTab(kPage2D);
  ui::DeleteGraphPlot(page, TAB2D_GRAPH_INT, ui::kAllPlots);
  ui::PlotRectangle(page, TAB2D_GRAPH_INT, band.lower, 0, band.upper, 100, kBandColor, kBandColor);
}

void DrawToleranceOverlays() {
  DrawIntensityBand();
  int p2 = DataTab(kPage2D), p3 = DataTab(kPage3D);
  ui::DeleteGraphPlot(p2, TAB2D_GRAPH_PLANE, ui::kAllPlots);
  for (int g : {TAB3D_GRAPH_XY, TAB3D_GRAPH_XINT, TAB3D_GRAPH_YINT})
    ui::DeleteGraphPlot(p3, g, ui::kAllPlots);

  int mode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  int cell = IntensityCell(mode);
  RegionBounds b{10000, 0, 10000, 0, 10000, 0};
  for (int n = 0; n < kTeachRows; ++n) {
    int x = gParameterBlock.Row(n, 0), y = gParameterBlock.Row(n, 1);
    // In 3D one tolerance serves the plane and the intensity; in 2D the
    // plane's tolerance sits before the intensity and its own tolerance after it.
    int i = gParameterBlock.Row(n, cell);
    int a = gParameterBlock.Row(n, Is3D(mode) ? cell + 1 : cell - 1);
    int h = gParameterBlock.Row(n, cell + 1);
    int k = gRowColors[n];
    ui::PlotOval(p3, TAB3D_GRAPH_XY, x - a, y - a, x + a, y + a, k, ui::VAL_TRANSPARENT);
    ui::PlotOval(p3, TAB3D_GRAPH_XINT, x - a, i - h, x + a, i + h, k, ui::VAL_TRANSPARENT);
    ui::PlotOval(p3, TAB3D_GRAPH_YINT, y - a, i - h, y + a, i + h, k, ui::VAL_TRANSPARENT);
    ui::PlotOval(p2, TAB2D_GRAPH_PLANE, x - a, y - a, x + a, y + a, k, ui::VAL_TRANSPARENT);
    // Rows still at their reset values (all cells 1) are drawn but do not
    // count for the view.
    if (x > 10 || y > 10) {
      b.minX = std::min(b.minX, x - a);
      b.maxX = std::max(b.maxX, x + a);
      b.minY = std::min(b.minY, y - a);
      b.maxY = std::max(b.maxY, y + a);
      b.minI = std::min(b.minI, i - h);
      b.maxI = std::max(b.maxI, i + h);
    }
  }
  if (b.maxX < b.minX) std::swap(b.minX, b.maxX);
  if (b.maxY < b.minY) std::swap(b.minY, b.maxY);
  if (b.maxI < b.minI) std::swap(b.minI, b.maxI);
  gTaughtRegionBounds = b;
}

void Update2DView() {
  const RegionBounds& b = gTaughtRegionBounds;
  int x = gLive.frame[kLiveX], y = gLive.frame[kLiveY], in = gLive.frame[kLiveInt];
  int page = DataTab(kPage2D);
  FitView(page, TAB2D_GRAPH_PLANE, x, b.minX, b.maxX, y, b.minY, b.maxY);
  ui::SetGraphCursor(page, TAB2D_GRAPH_PLANE, 1, x, y);
  if (gParameterBlock.head[kCalculationMode] == 1 && in > 1200) in = 1200;
  ui::SetGraphCursor(page, TAB2D_GRAPH_INT, 1, in, 50);
}

void Update3DView() {
  const RegionBounds& b = gTaughtRegionBounds;
  int x = gLive.frame[kLiveX], y = gLive.frame[kLiveY], in = gLive.frame[kLiveInt];
  int page = DataTab(kPage3D);
  FitView(page, TAB3D_GRAPH_XY, x, b.minX, b.maxX, y, b.minY, b.maxY);
  ui::SetGraphCursor(page, TAB3D_GRAPH_XY, 1, x, y);
  FitView(page, TAB3D_GRAPH_XINT, x, b.minX, b.maxX, in, b.minI, b.maxI);
  ui::SetGraphCursor(page, TAB3D_GRAPH_XINT, 1, x, in);
  FitView(page, TAB3D_GRAPH_YINT, y, b.minY, b.maxY, in, b.minI, b.maxI);
  ui::SetGraphCursor(page, TAB3D_GRAPH_YINT, 1, y, in);
  Strip(page, TAB3D_STRIP_RGB, gLive.colourHistory);
}

void UpdateLiveGraphs() {
  Strip(DataTab(kPageRgb), TABRGB_STRIP_RGB, gLive.colourHistory);
  Strip(DataTab(kPageInt), TABINT_STRIP_INT, gLive.intensityHistory);
  if (CalcModeFromRing() < 2)
    Update2DView();
  else
    Update3DView();
}
