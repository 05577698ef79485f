// Graphs and strip charts on the real layout: axis modes, captions, plots and
// cursors, strip-chart scrolling, and redraws decoupled from data changes.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QWidget>
#include <cstring>
#include <vector>

#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

class GraphsTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(StartApp());
    ClearLog();
    Popups();
    page3D = DataTab(kPage3D);
    page2D = DataTab(kPage2D);
    for (int g : {TAB3D_GRAPH_XY, TAB3D_GRAPH_XINT, TAB3D_GRAPH_YINT})
      ASSERT_EQ(ui::DeleteGraphPlot(page3D, g, ui::kAllPlots), 0);
    ASSERT_EQ(ui::ClearStripChart(page3D, TAB3D_STRIP_RGB), 0);
  }

  int page3D = 0;
  int page2D = 0;
};

// The plot widget inside a graph host, and how many library objects of a
// class it holds (items and curves are its children).
QWidget* PlotWidget(const char* graphName) {
  QWidget* host = FindWidget(graphName);
  if (!host) return nullptr;
  for (QWidget* w : host->findChildren<QWidget*>())
    if (std::strcmp(w->metaObject()->className(), "QCustomPlot") == 0) return w;
  return nullptr;
}
int CountOf(QWidget* plot, const char* className) {
  int n = 0;
  for (QObject* o : plot->findChildren<QObject*>())
    if (std::strcmp(o->metaObject()->className(), className) == 0) ++n;
  return n;
}

struct Range {
  ui::AxisScaling mode;
  double min, max;
};
Range AxisOf(int panel, int ctrl, ui::Axis axis) {
  Range r{};
  EXPECT_EQ(ui::GetAxisScalingMode(panel, ctrl, axis, r.mode, r.min, r.max), 0);
  return r;
}

TEST_F(GraphsTest, ManualRangesRoundTripExactly) {
  struct Case {
    int ctrl;
    ui::Axis axis;
    double min, max;
  } cases[] = {
      {TAB3D_GRAPH_XY, ui::VAL_XAXIS, 975, 2525},
      {TAB3D_GRAPH_XY, ui::VAL_LEFT_YAXIS, 825, 2375},
      {TAB3D_GRAPH_XINT, ui::VAL_LEFT_YAXIS, -25.5, 0.125},
      {TAB3D_STRIP_RGB, ui::VAL_LEFT_YAXIS, 0, 1200},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(ui::SetAxisScalingMode(page3D, c.ctrl, c.axis, ui::VAL_MANUAL, c.min, c.max), 0);
    Range r = AxisOf(page3D, c.ctrl, c.axis);
    EXPECT_EQ(r.mode, ui::VAL_MANUAL);
    EXPECT_EQ(r.min, c.min);
    EXPECT_EQ(r.max, c.max);
  }
  // An empty or reversed range is refused and the axis keeps what it had.
  EXPECT_LT(ui::SetAxisScalingMode(page3D, TAB3D_GRAPH_XY, ui::VAL_XAXIS, ui::VAL_MANUAL, 5, 5), 0);
  EXPECT_LT(ui::SetAxisScalingMode(page3D, TAB3D_GRAPH_XY, ui::VAL_XAXIS, ui::VAL_MANUAL, 9, 1), 0);
  Range r = AxisOf(page3D, TAB3D_GRAPH_XY, ui::VAL_XAXIS);
  EXPECT_EQ(r.min, 975);
  EXPECT_EQ(r.max, 2525);
  // Only graphs and strip charts have axes.
  EXPECT_LT(ui::SetAxisScalingMode(page3D, 999, ui::VAL_XAXIS, ui::VAL_MANUAL, 0, 1), 0);
}

TEST_F(GraphsTest, AutoscaleFollowsTheDataBothWays) {
  const int g = TAB3D_GRAPH_XY;
  for (ui::Axis a : {ui::VAL_XAXIS, ui::VAL_LEFT_YAXIS})
    ASSERT_EQ(ui::SetAxisScalingMode(page3D, g, a, ui::VAL_AUTOSCALE, 0, 0), 0);
  double x[] = {100, 200, 300}, y[] = {50, -20, 80};
  int curve = ui::PlotXY(page3D, g, x, y, 3, 0xFF0000, ui::VAL_THIN_LINE);
  ASSERT_GT(curve, 0);
  Range rx = AxisOf(page3D, g, ui::VAL_XAXIS), ry = AxisOf(page3D, g, ui::VAL_LEFT_YAXIS);
  EXPECT_EQ(rx.mode, ui::VAL_AUTOSCALE);
  EXPECT_EQ(rx.min, 100);
  EXPECT_EQ(rx.max, 300);
  EXPECT_EQ(ry.min, -20);
  EXPECT_EQ(ry.max, 80);

  // Shapes count too; the cursor does not.
  int oval = ui::PlotOval(page3D, g, 250, 60, 450, 260, 0x00FF00, ui::VAL_TRANSPARENT);
  ASSERT_EQ(ui::SetGraphCursor(page3D, g, 1, 5000, -5000), 0);
  rx = AxisOf(page3D, g, ui::VAL_XAXIS);
  ry = AxisOf(page3D, g, ui::VAL_LEFT_YAXIS);
  EXPECT_EQ(rx.min, 100);
  EXPECT_EQ(rx.max, 450);
  EXPECT_EQ(ry.min, -20);
  EXPECT_EQ(ry.max, 260);

  // Shrinking data shrinks the view, after a redraw as much as on asking.
  ASSERT_EQ(ui::DeleteGraphPlot(page3D, g, oval), 0);
  double x2[] = {150, 160, 170}, y2[] = {10, 30, 20};
  ASSERT_EQ(ui::SetPlotPoints(page3D, g, curve, x2, y2, 3), 0);
  ui::RefreshGraphs();
  rx = AxisOf(page3D, g, ui::VAL_XAXIS);
  ry = AxisOf(page3D, g, ui::VAL_LEFT_YAXIS);
  EXPECT_EQ(rx.min, 150);
  EXPECT_EQ(rx.max, 170);
  EXPECT_EQ(ry.min, 10);
  EXPECT_EQ(ry.max, 30);

  // Back to manual: the given range, whatever the data.
  ASSERT_EQ(ui::SetAxisScalingMode(page3D, g, ui::VAL_XAXIS, ui::VAL_MANUAL, 0, 4096), 0);
  ui::RefreshGraphs();
  rx = AxisOf(page3D, g, ui::VAL_XAXIS);
  EXPECT_EQ(rx.mode, ui::VAL_MANUAL);
  EXPECT_EQ(rx.min, 0);
  EXPECT_EQ(rx.max, 4096);

  // A strip chart's vertical axis follows the points it shows.
  const int s = TAB3D_STRIP_RGB;
  ASSERT_EQ(ui::SetAxisScalingMode(page3D, s, ui::VAL_LEFT_YAXIS, ui::VAL_AUTOSCALE, 0, 0), 0);
  double v[] = {700, 710, 720, 705, 730, 690};
  ASSERT_EQ(ui::PlotStripChart(page3D, s, v, 6), 0);
  ry = AxisOf(page3D, s, ui::VAL_LEFT_YAXIS);
  EXPECT_EQ(ry.min, 690);
  EXPECT_EQ(ry.max, 730);
}

TEST_F(GraphsTest, Captions) {
  EXPECT_EQ(ui::GetGraphCaption(page3D, TAB3D_GRAPH_XY), "X/Y");
  ASSERT_EQ(ui::SetGraphCaption(page3D, TAB3D_GRAPH_XY, "s/i"), 0);
  EXPECT_EQ(ui::GetGraphCaption(page3D, TAB3D_GRAPH_XY), "s/i");

  // The scope graph has none in the layout: one is made, and taken away again.
  int scope = gShell.scopep;
  EXPECT_EQ(ui::GetGraphCaption(scope, SCOPEP_GRAPH_ANALOG), "");
  ASSERT_EQ(ui::SetGraphCaption(scope, SCOPEP_GRAPH_ANALOG, "SCOPE"), 0);
  EXPECT_EQ(ui::GetGraphCaption(scope, SCOPEP_GRAPH_ANALOG), "SCOPE");
  ASSERT_EQ(ui::SetGraphCaption(scope, SCOPEP_GRAPH_ANALOG, ""), 0);
  EXPECT_EQ(ui::GetGraphCaption(scope, SCOPEP_GRAPH_ANALOG), "");
  QWidget* plot = PlotWidget("SCOPEP_GRAPH_ANALOG");
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(CountOf(plot, "QCPTextElement"), 0);
  ASSERT_EQ(ui::SetGraphCaption(scope, SCOPEP_GRAPH_ANALOG, "again"), 0);
  EXPECT_EQ(CountOf(plot, "QCPTextElement"), 1);
}

TEST_F(GraphsTest, ShapesAreReportedWithBoxesAndColours) {
  const int g = TAB3D_GRAPH_XINT;
  int oval = ui::PlotOval(page3D, g, 200, 1800, 400, 2200, 0x123456, ui::VAL_TRANSPARENT);
  // Corners given the other way round still make the same box.
  int rect = ui::PlotRectangle(page3D, g, 4096, 100, 3800, 0, 0x408080, 0x408080);
  int line = ui::PlotLine(page3D, g, 10, 20, -30, 40, 0xFF00FF);
  ASSERT_GT(oval, 0);
  ASSERT_GT(rect, 0);
  ASSERT_GT(line, 0);
  EXPECT_NE(oval, rect);
  EXPECT_NE(rect, line);
  EXPECT_NE(oval, line);

  using K = ui::PlotShape;
  struct Want {
    K::Kind kind;
    double x1, y1, x2, y2;
    int color, fill;
  } want[] = {
      {K::Oval, 200, 1800, 400, 2200, 0x123456, ui::VAL_TRANSPARENT},
      {K::Rectangle, 3800, 0, 4096, 100, 0x408080, 0x408080},
      {K::Line, 10, 20, -30, 40, 0xFF00FF, ui::VAL_TRANSPARENT},
  };
  std::vector<ui::PlotShape> got = ui::GetGraphPlots(page3D, g);
  ASSERT_EQ(got.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].x1, want[i].x1);
    EXPECT_EQ(got[i].y1, want[i].y1);
    EXPECT_EQ(got[i].x2, want[i].x2);
    EXPECT_EQ(got[i].y2, want[i].y2);
    EXPECT_EQ(got[i].color, want[i].color);
    EXPECT_EQ(got[i].fillColor, want[i].fill);
  }
  QWidget* plot = PlotWidget("TAB3D_GRAPH_XINT");
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(CountOf(plot, "QCPItemEllipse"), 1);
  EXPECT_EQ(CountOf(plot, "QCPItemRect"), 1);

  // One plot goes by its handle; a handle is not given out twice.
  ASSERT_EQ(ui::DeleteGraphPlot(page3D, g, rect), 0);
  EXPECT_LT(ui::DeleteGraphPlot(page3D, g, rect), 0);
  EXPECT_EQ(CountOf(plot, "QCPItemRect"), 0);
  got = ui::GetGraphPlots(page3D, g);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].kind, K::Oval);
  EXPECT_EQ(got[1].kind, K::Line);
  int next = ui::PlotRectangle(page3D, g, 0, 0, 1, 1, 0, ui::VAL_TRANSPARENT);
  EXPECT_TRUE(next != oval && next != rect && next != line && next > 0);

  // Strip charts take no shapes.
  EXPECT_LT(ui::PlotOval(page3D, TAB3D_STRIP_RGB, 0, 0, 1, 1, 0, 0), 0);
  EXPECT_TRUE(ui::GetGraphPlots(page3D, TAB3D_STRIP_RGB).empty());
}

TEST_F(GraphsTest, DeletingAllPlotsKeepsTheCursors) {
  const int g = TAB3D_GRAPH_XY;
  QWidget* plot = PlotWidget("TAB3D_GRAPH_XY");
  ASSERT_NE(plot, nullptr);
  ASSERT_EQ(ui::SetGraphCursor(page3D, g, 1, 1234, 567), 0);
  int tracers = CountOf(plot, "QCPItemTracer");
  EXPECT_GT(tracers, 0);
  for (int i = 0; i < 31; ++i)
    ui::PlotOval(page3D, g, 0, 0, 2 + i, 2 + i, 0xFF0000 + i, ui::VAL_TRANSPARENT);
  double x[] = {1, 2}, y[] = {3, 4};
  ui::PlotXY(page3D, g, x, y, 2, 0, ui::VAL_DOTS);
  ASSERT_EQ(ui::GetGraphPlots(page3D, g).size(), 32u);

  ASSERT_EQ(ui::DeleteGraphPlot(page3D, g, ui::kAllPlots), 0);
  EXPECT_TRUE(ui::GetGraphPlots(page3D, g).empty());
  EXPECT_EQ(CountOf(plot, "QCPItemEllipse"), 0);
  EXPECT_EQ(CountOf(plot, "QCPGraph"), 0);
  EXPECT_EQ(CountOf(plot, "QCPItemTracer"), tracers);
  double cx = 0, cy = 0;
  ASSERT_EQ(ui::GetGraphCursor(page3D, g, 1, cx, cy), 0);
  EXPECT_EQ(cx, 1234);
  EXPECT_EQ(cy, 567);
}

TEST_F(GraphsTest, CursorsMoveWithoutTouchingTheRanges) {
  const int g = TAB3D_GRAPH_YINT;
  ASSERT_EQ(ui::SetAxisScalingMode(page3D, g, ui::VAL_XAXIS, ui::VAL_MANUAL, 100, 200), 0);
  ASSERT_EQ(ui::SetAxisScalingMode(page3D, g, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL, 300, 400), 0);
  // Inside the view, on its edge and far outside it.
  const double at[][2] = {{150.5, 333.25}, {100, 400}, {-1e6, 9e6}};
  for (const auto& p : at) {
    ASSERT_EQ(ui::SetGraphCursor(page3D, g, 1, p[0], p[1]), 0);
    ui::RefreshGraphs();
    double cx = 0, cy = 0;
    ASSERT_EQ(ui::GetGraphCursor(page3D, g, 1, cx, cy), 0);
    EXPECT_EQ(cx, p[0]);
    EXPECT_EQ(cy, p[1]);
    Range rx = AxisOf(page3D, g, ui::VAL_XAXIS), ry = AxisOf(page3D, g, ui::VAL_LEFT_YAXIS);
    EXPECT_EQ(rx.min, 100);
    EXPECT_EQ(rx.max, 200);
    EXPECT_EQ(ry.min, 300);
    EXPECT_EQ(ry.max, 400);
  }
  // Cursors count from 1, up to the number the layout gives (the scope has two).
  double cx, cy;
  EXPECT_LT(ui::SetGraphCursor(page3D, g, 0, 1, 1), 0);
  EXPECT_LT(ui::SetGraphCursor(page3D, g, 2, 1, 1), 0);
  EXPECT_LT(ui::GetGraphCursor(page3D, g, 2, cx, cy), 0);
  EXPECT_EQ(ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 2, 64, 2000), 0);
  EXPECT_LT(ui::SetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 3, 64, 2000), 0);
  ASSERT_EQ(ui::GetGraphCursor(gShell.scopep, SCOPEP_GRAPH_ANALOG, 2, cx, cy), 0);
  EXPECT_EQ(cx, 64);
  EXPECT_EQ(cy, 2000);
}

std::vector<double> Interleaved(int samples, int traces, double base) {
  std::vector<double> v;
  for (int s = 0; s < samples; ++s)
    for (int t = 0; t < traces; ++t) v.push_back(base + s * traces + t);
  return v;
}

TEST_F(GraphsTest, StripChartShowsTheNewestScreenful) {
  const int s = TAB3D_STRIP_RGB;
  auto traceValues = [](double base, int firstSample, int samples, int t) {
    std::vector<double> v;
    for (int i = firstSample; i < firstSample + samples; ++i) v.push_back(base + i * 3 + t);
    return v;
  };
  std::vector<double> first = Interleaved(100, 3, 0);
  ASSERT_EQ(ui::PlotStripChart(page3D, s, first.data(), 300), 0);
  auto shown = ui::GetStripChartTraces(page3D, s);
  ASSERT_EQ(shown.size(), 3u);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(shown[t], traceValues(0, 0, 100, t)) << t;

  // A second history: 100 new points and the newest one of the first.
  std::vector<double> second = Interleaved(100, 3, 1000);
  ASSERT_EQ(ui::PlotStripChart(page3D, s, second.data(), 300), 0);
  shown = ui::GetStripChartTraces(page3D, s);
  for (int t = 0; t < 3; ++t) {
    std::vector<double> want = traceValues(0, 99, 1, t);
    for (double v : traceValues(1000, 0, 100, t)) want.push_back(v);
    EXPECT_EQ(shown[t], want) << t;
  }
  // More than a screenful at once: its newest 101; a value short of a whole
  // sample is left out.
  std::vector<double> third = Interleaved(150, 3, 5000);
  third.push_back(-1);
  ASSERT_EQ(ui::PlotStripChart(page3D, s, third.data(), 451), 0);
  shown = ui::GetStripChartTraces(page3D, s);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(shown[t], traceValues(5000, 49, 101, t)) << t;

  // Fewer points per screen keep the newest; the horizontal axis follows.
  ASSERT_EQ(ui::SetPointsPerScreen(page3D, s, 10), 0);
  shown = ui::GetStripChartTraces(page3D, s);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(shown[t], traceValues(5000, 140, 10, t)) << t;
  Range rx = AxisOf(page3D, s, ui::VAL_XAXIS);
  EXPECT_EQ(rx.min, 0);
  EXPECT_EQ(rx.max, 9);
  double one[] = {1, 2, 3};
  ASSERT_EQ(ui::PlotStripChart(page3D, s, one, 3), 0);
  shown = ui::GetStripChartTraces(page3D, s);
  EXPECT_EQ(shown[2].size(), 10u);
  EXPECT_EQ(shown[2].front(), 5000 + 141 * 3 + 2);
  EXPECT_EQ(shown[2].back(), 3);
  EXPECT_LT(ui::SetPointsPerScreen(page3D, s, 1), 0);

  ASSERT_EQ(ui::ClearStripChart(page3D, s), 0);
  for (const auto& trace : ui::GetStripChartTraces(page3D, s)) EXPECT_TRUE(trace.empty());
}

TEST_F(GraphsTest, SetPlotPointsReplacesThePointsOfOnePlot) {
  const int g = TAB3D_GRAPH_XY;
  QWidget* plot = PlotWidget("TAB3D_GRAPH_XY");
  ASSERT_NE(plot, nullptr);
  double x[] = {0, 1, 2, 3, 4}, y[] = {10, 11, 12, 13, 14};
  int h = ui::PlotXY(page3D, g, x, y, 5, 0xFF0000, ui::VAL_DOTS);
  ASSERT_GT(h, 0);
  QObject* curve = nullptr;
  for (QObject* o : plot->findChildren<QObject*>())
    if (std::strcmp(o->metaObject()->className(), "QCPGraph") == 0) curve = o;
  ASSERT_NE(curve, nullptr);

  struct Case {
    std::vector<double> x, y;
    double x1, y1, x2, y2;
  } cases[] = {
      {{5, 6, 7, 8, 9}, {-1, -2, -3, -4, -5}, 5, -5, 9, -1},             // same count
      {{9, 3, 7}, {1, 2, 3}, 3, 1, 9, 3},                                // fewer, out of order
      {{0, 1, 2, 3, 4, 5, 6, 7}, {8, 8, 8, 8, 8, 8, 8, 8}, 0, 8, 7, 8},  // more
      {{}, {}, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    int n = static_cast<int>(c.x.size());
    ASSERT_EQ(ui::SetPlotPoints(page3D, g, h, c.x.data(), c.y.data(), n), 0);
    auto shapes = ui::GetGraphPlots(page3D, g);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].kind, ui::PlotShape::Curve);
    EXPECT_EQ(shapes[0].points, n);
    EXPECT_EQ(shapes[0].color, 0xFF0000);
    EXPECT_EQ(shapes[0].x1, c.x1);
    EXPECT_EQ(shapes[0].y1, c.y1);
    EXPECT_EQ(shapes[0].x2, c.x2);
    EXPECT_EQ(shapes[0].y2, c.y2);
  }
  // The points change in place: the drawn curve is the same object throughout.
  EXPECT_EQ(CountOf(plot, "QCPGraph"), 1);
  bool same = false;
  for (QObject* o : plot->findChildren<QObject*>()) same = same || o == curve;
  EXPECT_TRUE(same);

  // A connected line that runs back in x is still one plot under its handle.
  int line = ui::PlotXY(page3D, g, x, y, 5, 0x0000FF, ui::VAL_THIN_LINE);
  double back[] = {4, 3, 2, 3, 4};
  ASSERT_EQ(ui::SetPlotPoints(page3D, g, line, back, y, 5), 0);
  auto shapes = ui::GetGraphPlots(page3D, g);
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[1].points, 5);
  EXPECT_EQ(shapes[1].x1, 2);
  EXPECT_EQ(shapes[1].x2, 4);

  int oval = ui::PlotOval(page3D, g, 0, 0, 1, 1, 0, ui::VAL_TRANSPARENT);
  EXPECT_LT(ui::SetPlotPoints(page3D, g, oval, x, y, 5), 0);
  EXPECT_LT(ui::SetPlotPoints(page3D, g, 9999, x, y, 5), 0);
  EXPECT_LT(ui::PlotXY(page3D, g, x, y, -1, 0, ui::VAL_DOTS), 0);
}

TEST_F(GraphsTest, AppendPlotPointsGrowsOnePlot) {
  const int g = TAB3D_GRAPH_XY;
  double x0[] = {0, 0}, y0[] = {7, 7};
  int h = ui::PlotXY(page3D, g, x0, y0, 2, 0x00FF00, ui::VAL_THIN_LINE);
  ASSERT_GT(h, 0);
  for (int i = 1; i <= 500; ++i) {
    double x = i, y = 7 + i % 10;
    ASSERT_EQ(ui::AppendPlotPoints(page3D, g, h, &x, &y, 1), 0);
  }
  auto shapes = ui::GetGraphPlots(page3D, g);
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(shapes[0].points, 502);
  EXPECT_EQ(shapes[0].x1, 0);
  EXPECT_EQ(shapes[0].x2, 500);
  EXPECT_EQ(shapes[0].y1, 7);
  EXPECT_EQ(shapes[0].y2, 16);
  // A line in key order does not turn back; nor do unknown handles take points.
  double back = 3, y = 1;
  EXPECT_LT(ui::AppendPlotPoints(page3D, g, h, &back, &y, 1), 0);
  EXPECT_LT(ui::AppendPlotPoints(page3D, g, 9999, &back, &y, 1), 0);
  EXPECT_EQ(ui::GetGraphPlots(page3D, g)[0].points, 502);
}

TEST_F(GraphsTest, DataChangesRedrawAtScreenRateNotAtOnce) {
  ASSERT_EQ(ui::SetActiveTabPage(gShell.datap, DATAP_TAB, kPage3D), 0);
  QWidget* shown = PlotWidget("TAB3D_GRAPH_XY");
  QWidget* hidden = PlotWidget("TAB2D_GRAPH_PLANE");  // the 2D page is not the active one
  ASSERT_NE(shown, nullptr);
  ASSERT_NE(hidden, nullptr);
  ASSERT_TRUE(shown->isVisible());
  ASSERT_FALSE(hidden->isVisible());
  Pump(0.15);  // what start-up marked is drawn
  QSignalSpy shownDraws(shown, SIGNAL(afterReplot()));
  QSignalSpy hiddenDraws(hidden, SIGNAL(afterReplot()));

  // A burst of changes draws nothing by itself.
  for (int i = 0; i < 500; ++i) {
    ui::SetGraphCursor(page3D, TAB3D_GRAPH_XY, 1, i, i);
    ui::SetGraphCursor(page2D, TAB2D_GRAPH_PLANE, 1, i, i);
  }
  ui::PlotOval(page3D, TAB3D_GRAPH_XY, 0, 0, 10, 10, 0, ui::VAL_TRANSPARENT);
  EXPECT_EQ(shownDraws.count(), 0);
  EXPECT_EQ(hiddenDraws.count(), 0);

  // The screen-rate redraw draws the visible graph once, the hidden one not.
  Pump(0.2);
  EXPECT_EQ(shownDraws.count(), 1);
  EXPECT_EQ(hiddenDraws.count(), 0);

  // On demand every marked graph is drawn, and only those.
  ui::RefreshGraphs();
  EXPECT_EQ(shownDraws.count(), 1);
  EXPECT_EQ(hiddenDraws.count(), 1);
  ui::SetGraphCursor(page3D, TAB3D_GRAPH_XY, 1, 1, 1);
  ui::RefreshGraphs();
  EXPECT_EQ(shownDraws.count(), 2);
  EXPECT_EQ(hiddenDraws.count(), 1);
  Pump(0.1);
  EXPECT_EQ(shownDraws.count(), 2);
}

}  // namespace
