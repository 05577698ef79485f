// The views of the live graphs and the tolerance overlays of the teach rows.
#include "gui/live/live_graphs.h"

#include <gtest/gtest.h>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/recorder/record_graphs.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class LiveGraphs : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    StartWithTcpSensor();
    ClearLog();
  }
  std::pair<double, double> Range(int panel, int ctrl, ui::Axis axis) {
    ui::AxisScaling mode;
    double lo, hi;
    ui::GetAxisScalingMode(panel, ctrl, axis, mode, lo, hi);
    return {lo, hi};
  }
  // Every teach row back to its reset values (all cells 1).
  void ResetRows() {
    for (int r = 1; r <= 31; ++r)
      for (int c = 1; c <= 5; ++c)
        ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c, r, 1);
  }
  void SetRow(int row, std::vector<int> cells) {
    for (int c = 0; c < 5; ++c)
      ui::SetTableCellVal(MainTab(kPageTeachTable), TABTEACH_TABLE_TEACH, c + 1, row + 1, cells[c]);
  }
  void Redraw(int calcMode) {
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_CALCMODE, calcMode);
    ReadPanelsIntoParameterBlock();
    DrawToleranceOverlays();
  }
  void ExpectBounds(RegionBounds e) {
    const RegionBounds& b = gTaughtRegionBounds;
    EXPECT_EQ((std::vector<int>{b.minX, b.maxX, b.minY, b.maxY, b.minI, b.maxI}),
              (std::vector<int>{e.minX, e.maxX, e.minY, e.maxY, e.minI, e.maxI}));
  }
};

TEST_F(LiveGraphs, AxisFit) {
  EXPECT_EQ(FitAxis(2500, 1000, 2000).span, 1500);
  EXPECT_EQ(FitAxis(2500, 1000, 2000).centre, 1750);
  EXPECT_EQ(FitAxis(500, 1000, 2000).span, 1500);
  EXPECT_EQ(FitAxis(500, 1000, 2000).centre, 1250);
  EXPECT_EQ(FitAxis(1600, 1500, 1700).centre, 1600);

  gTaughtRegionBounds = {1000, 2000, 1500, 1700, 0, 4000};
  gLive.frame[kLiveX] = 2500;
  gLive.frame[kLiveY] = 1600;
  Update2DView();
  int page = DataTab(kPage2D);
  EXPECT_EQ(Range(page, TAB2D_GRAPH_PLANE, ui::VAL_XAXIS), std::make_pair(975.0, 2525.0));
  EXPECT_EQ(Range(page, TAB2D_GRAPH_PLANE, ui::VAL_LEFT_YAXIS), std::make_pair(825.0, 2375.0));
  double x, y;
  ui::GetGraphCursor(page, TAB2D_GRAPH_PLANE, 1, x, y);
  EXPECT_EQ(x, 2500);
  EXPECT_EQ(y, 1600);

  // A point inside the region: the region's square plus 25 on every side.
  gLive.frame[kLiveX] = 1200;
  Update2DView();
  EXPECT_EQ(Range(page, TAB2D_GRAPH_PLANE, ui::VAL_XAXIS), std::make_pair(975.0, 2025.0));
  EXPECT_EQ(Range(page, TAB2D_GRAPH_PLANE, ui::VAL_LEFT_YAXIS), std::make_pair(1075.0, 2125.0));
}

TEST_F(LiveGraphs, IntensityCursorStopsAt1200InSiM) {
  gParameterBlock.head[kCalculationMode] = 1;
  gLive.frame[kLiveInt] = 1500;
  Update2DView();
  double x, y;
  ui::GetGraphCursor(DataTab(kPage2D), TAB2D_GRAPH_INT, 1, x, y);
  EXPECT_EQ(x, 1200);
  EXPECT_EQ(y, 50);
  gParameterBlock.head[kCalculationMode] = 0;
  Update2DView();
  ui::GetGraphCursor(DataTab(kPage2D), TAB2D_GRAPH_INT, 1, x, y);
  EXPECT_EQ(x, 1500);
}

TEST_F(LiveGraphs, ThreeDViewFollowsTheModeAndTheHistory) {
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 2);
  gTaughtRegionBounds = {1000, 2000, 1000, 2000, 1000, 2000};
  gLive.frame[kLiveX] = 1500;
  gLive.frame[kLiveY] = 1500;
  gLive.frame[kLiveInt] = 3000;
  UpdateLiveGraphs();
  int page = DataTab(kPage3D);
  EXPECT_EQ(Range(page, TAB3D_GRAPH_XINT, ui::VAL_LEFT_YAXIS), std::make_pair(975.0, 3025.0));
  double x, y;
  ui::GetGraphCursor(page, TAB3D_GRAPH_YINT, 1, x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(1500.0, 3000.0));
  EXPECT_EQ(ui::GetStripChartTraces(page, TAB3D_STRIP_RGB).size(), 3u);
}

TEST_F(LiveGraphs, StripChartZoom) {
  int intPage = DataTab(kPageInt);
  ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 3);
  ui::FireCtrlEvent(intPage, TABINT_STRIP_INT, ui::EVENT_LEFT_CLICK);
  ui::AxisScaling mode;
  double lo, hi;
  ui::GetAxisScalingMode(intPage, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  EXPECT_EQ(mode, ui::VAL_MANUAL);
  EXPECT_EQ(hi, 1200);
  ui::FireCtrlEvent(intPage, TABINT_STRIP_INT, ui::EVENT_LEFT_DOUBLE_CLICK);
  ui::GetAxisScalingMode(intPage, TABINT_STRIP_INT, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  EXPECT_EQ(mode, ui::VAL_AUTOSCALE);
  int rgbPage = DataTab(kPageRgb);
  ui::FireCtrlEvent(rgbPage, TABRGB_STRIP_RGB, ui::EVENT_LEFT_CLICK);
  ui::GetAxisScalingMode(rgbPage, TABRGB_STRIP_RGB, ui::VAL_LEFT_YAXIS, mode, lo, hi);
  EXPECT_EQ(hi, 4096);
}

TEST_F(LiveGraphs, GraphPanelShowsOneSignal) {
  const int graphs[] = {GRAPHP_GRAPH_RED, GRAPHP_GRAPH_GREEN, GRAPHP_GRAPH_BLUE, GRAPHP_GRAPH_X,
                        GRAPHP_GRAPH_Y,   GRAPHP_GRAPH_INT,   GRAPHP_GRAPH_TEMP};
  auto visible = [&] {
    std::vector<int> v;
    for (int i = 0; i < 7; ++i)
      if (ui::GetCtrlAttribute(gShell.graphp, graphs[i], ui::ATTR_VISIBLE)) v.push_back(i);
    return v;
  };
  EXPECT_EQ(visible(), std::vector<int>{0});
  ui::SetCtrlVal(gShell.graphp, GRAPHP_RING_SIGNAL, 6);
  ui::FireCtrlEvent(gShell.graphp, GRAPHP_RING_SIGNAL, ui::EVENT_COMMIT);
  EXPECT_EQ(visible(), std::vector<int>{6});
  SelectRecordGraph(9);
  EXPECT_EQ(visible(), std::vector<int>{0});
  ui::FireCtrlEvent(gShell.datap, DATAP_BUTTON_SHOWGRAPH, ui::EVENT_COMMIT);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.graphp, ui::ATTR_PANEL_VISIBLE), 1);
  ui::FireCtrlEvent(gShell.graphp, GRAPHP_BUTTON_CLOSE, ui::EVENT_COMMIT);
  EXPECT_EQ(ui::GetPanelAttribute(gShell.datap, ui::ATTR_PANEL_VISIBLE), 1);
}

TEST_F(LiveGraphs, OverlaysOfAResetTable) {
  ResetRows();
  Redraw(0);
  ExpectBounds({0, 10000, 0, 10000, 0, 10000});
  for (int g : {TAB3D_GRAPH_XY, TAB3D_GRAPH_XINT, TAB3D_GRAPH_YINT}) {
    auto plots = ui::GetGraphPlots(DataTab(kPage3D), g);
    ASSERT_EQ(plots.size(), 31u);
    EXPECT_EQ(plots[0].kind, ui::PlotShape::Oval);
    EXPECT_EQ(plots[0].x1, 0);
    EXPECT_EQ(plots[0].x2, 2);
    EXPECT_EQ(plots[15].color, gRowColors[15]);
    EXPECT_EQ(plots[15].fillColor, ui::VAL_TRANSPARENT);
  }
  EXPECT_EQ(ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_PLANE).size(), 31u);
}

TEST_F(LiveGraphs, OverlaysOfOneTaughtRow) {
  ResetRows();
  SetRow(0, {300, 400, 100, 2000, 200});
  Redraw(0);
  ExpectBounds({200, 400, 300, 500, 1800, 2200});
  auto xint = ui::GetGraphPlots(DataTab(kPage3D), TAB3D_GRAPH_XINT);
  EXPECT_EQ(std::vector<double>({xint[0].x1, xint[0].x2, xint[0].y1, xint[0].y2}),
            std::vector<double>({200, 400, 1800, 2200}));

  // In 3D column 3 is the intensity and column 4 (TOL) every half-width.
  SetRow(0, {300, 400, 2000, 150, 1});
  Redraw(2);
  ExpectBounds({150, 450, 250, 550, 1850, 2150});

  // X 5 / Y 11 counts for the bounds, X 10 / Y 10 does not.
  ResetRows();
  SetRow(1, {5, 11, 1000, 2, 1});
  SetRow(2, {10, 10, 3000, 2, 1});
  Redraw(2);
  ExpectBounds({3, 7, 9, 13, 998, 1002});
}

TEST_F(LiveGraphs, IntensityBand) {
  struct Case {
    int intensity, tolerance;
    double lo, hi;
  };
  for (Case c : {Case{4000, 200, 3800, 4096}, Case{50, 200, 0, 250}}) {
    SetRow(0, {500, 500, 10, c.intensity, c.tolerance});
    ui::SetCtrlVal(MainTab(kPageParameters), TABPARA_RING_CALCMODE, 0);
    ui::SetCtrlVal(MainTab(kPageTeachTable), TABTEACH_NUM_NO, 0);
    DrawIntensityBand();
    auto band = ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_INT);
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].kind, ui::PlotShape::Rectangle);
    EXPECT_EQ(std::vector<double>({band[0].x1, band[0].x2, band[0].y1, band[0].y2}),
              std::vector<double>({c.lo, c.hi, 0, 100}));
    EXPECT_EQ(band[0].color, 0x408080);
    EXPECT_EQ(band[0].fillColor, 0x408080);
  }
}

TEST_F(LiveGraphs, ChangingTheRowMovesOnlyTheBand) {
  ResetRows();
  SetRow(0, {300, 400, 100, 2000, 200});
  SetRow(4, {300, 400, 100, 3000, 100});
  Redraw(0);
  auto ellipses = ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_PLANE);
  ui::SetCtrlVal(MainTab(kPageTeachTable), TABTEACH_NUM_NO, 4);
  ui::FireCtrlEvent(MainTab(kPageTeachTable), TABTEACH_NUM_NO, ui::EVENT_COMMIT);
  auto band = ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_INT);
  ASSERT_EQ(band.size(), 1u);
  EXPECT_EQ(band[0].x1, 2900);
  EXPECT_EQ(band[0].x2, 3100);
  auto after = ui::GetGraphPlots(DataTab(kPage2D), TAB2D_GRAPH_PLANE);
  ASSERT_EQ(after.size(), ellipses.size());
  EXPECT_EQ(after[0].x1, ellipses[0].x1);
}

}  // namespace
