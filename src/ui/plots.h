// Graphs and strip charts of the panels: hosts of the plotting library that
// keep the program's plots, traces, cursors and axis modes. A change of data
// only marks a host; marked hosts are redrawn at screen rate, so a fast data
// loop never waits for painting. Private to the platform layer.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "ui/ui.h"

class QCustomPlot;
class QCPAbstractItem;
class QCPAbstractPlottable;
class QCPGraph;
class QCPItemTracer;
class QCPTextElement;
class QMouseEvent;

namespace ui {

class PointCloud;

// What graphs and strip charts share: the plot widget and its look, the axis
// modes, the caption, the cursors and the redraw mark.
class PlotHost : public QWidget {
 public:
  explicit PlotHost(QWidget* parent);
  ~PlotHost() override;
  QCustomPlot* Plot() const { return plot_; }

  int SetScaling(Axis axis, AxisScaling mode, double min, double max);
  // The range is the one shown now, automatic scaling brought up to date.
  int GetScaling(Axis axis, AxisScaling& mode, double& min, double& max);
  AxisScaling ScalingMode(Axis axis) const { return mode_[axis]; }
  void SetCaption(const QString& caption);
  QString Caption() const;
  int SetCursor(int cursor, double x, double y);
  int GetCursor(int cursor, double& x, double& y) const;
  int CursorCount() const { return static_cast<int>(cursors_.size()); }

  // Something shown changed: redraw at the next screen refresh.
  void MarkDirty();
  bool IsDirty() const { return dirty_; }
  // Redraws the marked hosts now; visibleOnly leaves hidden ones marked.
  static void RedrawMarked(bool visibleOnly);

 protected:
  // The extent of the data along an axis; false when there is none.
  virtual bool DataRange(Axis axis, double& lo, double& hi) const = 0;
  // Axis ranges, caption and cursor count as the layout gives them.
  void ApplyCommonLayoutProperties(double xMin, double xMax, double yMin, double yMax);
  void showEvent(QShowEvent* e) override;

 private:
  struct Cursor {
    QCPItemTracer* cross = nullptr;
    QCPItemTracer* marker = nullptr;
    double x = 0, y = 0;
  };
  void ApplyAutoscale();
  void Redraw();

  QCustomPlot* plot_;
  AxisScaling mode_[2] = {VAL_MANUAL, VAL_MANUAL};
  QCPTextElement* title_ = nullptr;
  std::vector<Cursor> cursors_;
  bool dirty_ = false;
};

// A graph: shapes and curves under handles, plus cursors.
class Graph : public PlotHost {
 public:
  explicit Graph(QWidget* parent = nullptr);
  void ApplyLayoutProperties();

  int AddShape(PlotShape::Kind kind, double x1, double y1, double x2, double y2, int color,
               int fillColor);
  int AddCurve(const double* x, const double* y, int count, int color, PlotStyle style);
  int SetCurvePoints(int plot, const double* x, const double* y, int count);
  int AppendCurvePoints(int plot, const double* x, const double* y, int count);
  int Delete(int plot);  // kAllPlots: every plot
  std::vector<PlotShape> Shapes() const;
  // One dot; the dots of one colour share one plot and its handle.
  int AddPoint(double x, double y, int color);
  // Graphs whose layout asks for it let the user drag a cursor: with
  // `cursorSnap` cursor 1 lands on the nearest dot, with `movableCursors` the
  // cursor grabbed (or the last one) goes where the mouse is. The handler hears
  // of each move, `done` at the release.
  std::function<void(bool done)> onCursorMoved;
  // A Ctrl + left drag zoomed the axes (layouts with `ctrlDragZoom`).
  std::function<void()> onZoomed;

 protected:
  bool DataRange(Axis axis, double& lo, double& hi) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Record {
    PlotShape shape;
    PlotStyle style = VAL_THIN_LINE;
    QCPAbstractItem* item = nullptr;        // ovals, rectangles, lines
    QCPAbstractPlottable* curve = nullptr;  // curves
    PointCloud* cloud = nullptr;            // dots
  };
  struct Box {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool any = false;
    void Add(const PlotShape& s);
  };
  void PutCurvePoints(Record& r, const double* x, const double* y, int count);
  void Remove(Record& r);
  void DragCursor(QMouseEvent* e, bool done);
  void EnableCtrlDragZoom();
  void ApplyTickLabels();
  // Moves the cursor being dragged to a point of the widget.
  void DragCursorTo(const QPointF& pixel);
  int PickCursor(const QPointF& pixel) const;

  std::map<int, Record> plots_;
  std::map<int, int> clouds_;  // colour -> handle of its dots
  bool dragging_ = false;
  int nextHandle_ = 1;
  bool movableCursors_ = false;
  int activeCursor_ = 1;
  // The union of all plots' boxes, rebuilt after a plot shrank or went.
  mutable Box bounds_;
  mutable bool boundsValid_ = true;
};

// A strip chart: traces that scroll; the newest points-per-screen samples of
// each are shown at x = 0 .. points-per-screen - 1, oldest first.
class StripChart : public PlotHost {
 public:
  explicit StripChart(QWidget* parent = nullptr);
  int PointsPerScreen() const { return pointsPerScreen_; }
  void ApplyLayoutProperties();

  int Append(const double* values, int count);
  void Clear();
  int SetPointsPerScreen(int points);
  std::vector<std::vector<double>> Traces() const;

 protected:
  bool DataRange(Axis axis, double& lo, double& hi) const override;

 private:
  double Sample(size_t trace, int age) const;  // age 0 is the oldest shown
  void SyncGraphs();

  int pointsPerScreen_ = 101;
  std::vector<QCPGraph*> graphs_;
  // One ring per trace; all advance together.
  std::vector<std::vector<double>> rings_;
  int head_ = 0;    // where the next sample goes
  int filled_ = 0;  // samples held, at most pointsPerScreen_
};

}  // namespace ui
