// Graphs: ovals, rectangles, lines and curves under plot handles, and the
// services that graphs and strip charts share (axis modes, caption, cursors,
// redraw on demand).
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "qcustomplot.h"
#include "ui/plots.h"
#include "ui/point_cloud.h"
#include "ui/registry.h"

namespace ui {

namespace {

QColor Rgb(int rgb) {
  return QColor(QRgb(0xFF000000u | (static_cast<unsigned>(rgb) & 0xFFFFFF)));
}
QBrush Fill(int rgb) {
  return rgb < 0 ? QBrush(Qt::NoBrush) : QBrush(Rgb(rgb));
}

bool Ascending(const double* x, int count) {
  for (int i = 1; i < count; ++i)
    if (x[i] < x[i - 1]) return false;
  return true;
}

// Rewrites the points of a curve in place; storage is only touched when the
// count changes.
template <typename Container, typename MakePoint, typename SetPoint>
void PutPoints(Container& d, int count, MakePoint make, SetPoint set) {
  if (count < d.size()) {
    QVector<typename std::decay_t<decltype(*d.begin())>> v;
    v.reserve(count);
    for (int i = 0; i < count; ++i) v.append(make(i));
    d.set(v, true);
    return;
  }
  int have = d.size();
  auto it = d.begin();
  for (int i = 0; i < have; ++i, ++it) set(*it, i);
  for (int i = have; i < count; ++i) d.add(make(i));
}

// A curve whose points go back in x is drawn in the order given, which the
// faster key-sorted graph type cannot do.
bool NeedsParametricCurve(PlotStyle style, const double* x, int count) {
  return style == VAL_THIN_LINE && !Ascending(x, count);
}

QCPAbstractPlottable* NewCurve(QCustomPlot* plot, PlotStyle style, bool parametric,
                               const QPen& pen) {
  if (parametric) {
    auto* c = new QCPCurve(plot->xAxis, plot->yAxis);
    c->setPen(pen);
    return c;
  }
  auto* g = new QCPGraph(plot->xAxis, plot->yAxis);
  g->setPen(pen);
  switch (style) {
    case VAL_DOTS:
      g->setLineStyle(QCPGraph::lsNone);
      g->setScatterStyle(
          QCPScatterStyle(QCPScatterStyle::ssDot, QPen(pen.color(), 2), QBrush(Qt::NoBrush), 2));
      break;
    case VAL_STEPS:
      g->setLineStyle(QCPGraph::lsStepLeft);
      break;
    case VAL_THIN_LINE:
      g->setLineStyle(QCPGraph::lsLine);
      break;
  }
  return g;
}

PlotHost* HostOf(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  return c ? dynamic_cast<PlotHost*>(c->widget.data()) : nullptr;
}
Graph* GraphOf(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  return c ? dynamic_cast<Graph*>(c->widget.data()) : nullptr;
}

}  // namespace

void Graph::Box::Add(const PlotShape& s) {
  if (s.kind == PlotShape::Curve && s.points == 0) return;
  double lx = std::min(s.x1, s.x2), hx = std::max(s.x1, s.x2);
  double ly = std::min(s.y1, s.y2), hy = std::max(s.y1, s.y2);
  if (!any) {
    x1 = lx, x2 = hx, y1 = ly, y2 = hy;
    any = true;
    return;
  }
  x1 = std::min(x1, lx), x2 = std::max(x2, hx);
  y1 = std::min(y1, ly), y2 = std::max(y2, hy);
}

Graph::Graph(QWidget* parent) : PlotHost(parent) {}

void Graph::ApplyLayoutProperties() {
  ApplyCommonLayoutProperties(0, 100, 0, 100);
  if (property("cursorSnap").toBool()) {
    QCustomPlot* plot = Plot();
    QObject::connect(plot, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
      if (e->button() != Qt::LeftButton) return;
      dragging_ = true;
      DragCursor(e, false);
    });
    QObject::connect(plot, &QCustomPlot::mouseMove, this, [this](QMouseEvent* e) {
      if (dragging_) DragCursor(e, false);
    });
    QObject::connect(plot, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* e) {
      if (!dragging_ || e->button() != Qt::LeftButton) return;
      dragging_ = false;
      DragCursor(e, true);
    });
  }
  movableCursors_ = property("movableCursors").toBool();
  if (property("ctrlDragZoom").toBool()) EnableCtrlDragZoom();
  ApplyTickLabels();
  if (movableCursors_ || property("ctrlDragZoom").toBool()) Plot()->installEventFilter(this);
}

void Graph::DragCursor(QMouseEvent* e, bool done) {
  QPointF at = e->position();
  QCPAxis* xa = Plot()->xAxis;
  QCPAxis* ya = Plot()->yAxis;
  double x = xa->pixelToCoord(at.x()), y = ya->pixelToCoord(at.y());
  double best = -1;
  for (const auto& [handle, r] : plots_) {
    if (!r.cloud) continue;
    for (const QPointF& p : r.cloud->Points()) {
      double dx = xa->coordToPixel(p.x()) - at.x(), dy = ya->coordToPixel(p.y()) - at.y();
      double d = dx * dx + dy * dy;
      if (best < 0 || d < best) {
        best = d;
        x = p.x();
        y = p.y();
      }
    }
  }
  SetCursor(1, x, y);
  if (onCursorMoved) onCursorMoved(done);
}

int Graph::AddPoint(double x, double y, int color) {
  color &= 0xFFFFFF;
  auto found = clouds_.find(color);
  if (found == clouds_.end()) {
    Record r;
    r.shape.kind = PlotShape::Points;
    r.shape.color = color;
    r.cloud = new PointCloud(Plot()->xAxis, Plot()->yAxis, Rgb(color));
    found = clouds_.emplace(color, nextHandle_++).first;
    plots_.emplace(found->second, r);
  }
  Record& r = plots_[found->second];
  r.cloud->Add(x, y);
  PlotShape& s = r.shape;
  if (s.points == 0) {
    s.x1 = s.x2 = x;
    s.y1 = s.y2 = y;
  } else {
    s.x1 = std::min(s.x1, x), s.x2 = std::max(s.x2, x);
    s.y1 = std::min(s.y1, y), s.y2 = std::max(s.y2, y);
  }
  ++s.points;
  if (boundsValid_) bounds_.Add(s);
  MarkDirty();
  return found->second;
}

void Graph::EnableCtrlDragZoom() {
  QCustomPlot* plot = Plot();
  plot->setSelectionRectMode(QCP::srmZoom);
  QCPSelectionRect* rect = plot->selectionRect();
  // The zoom is done here rather than by the plot, so that the callback hears
  // of it after the axes have changed.
  QObject::disconnect(rect, SIGNAL(accepted(QRect, QMouseEvent*)), plot, nullptr);
  QObject::connect(rect, &QCPSelectionRect::accepted, this, [this](const QRect& r, QMouseEvent*) {
    if (r.width() < 3 || r.height() < 3) return;
    Plot()->axisRect()->zoom(QRectF(r));
    MarkDirty();
    if (onZoomed) onZoomed();
  });
}

// "value=text;value=text" puts text labels at fixed places of the y axis.
void Graph::ApplyTickLabels() {
  QString labels = property("yTickLabels").toString();
  if (labels.isEmpty()) return;
  QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
  for (const QString& item : labels.split(';', Qt::SkipEmptyParts)) {
    int eq = item.indexOf('=');
    if (eq > 0) ticker->addTick(item.left(eq).toDouble(), item.mid(eq + 1));
  }
  Plot()->yAxis->setTicker(ticker);
}

int Graph::PickCursor(const QPointF& pixel) const {
  constexpr double kReach = 6.0;
  int best = 0;
  double bestDistance = kReach;
  for (int i = 1; i <= CursorCount(); ++i) {
    double x = 0, y = 0;
    GetCursor(i, x, y);
    double dx = std::abs(Plot()->xAxis->coordToPixel(x) - pixel.x());
    double dy = std::abs(Plot()->yAxis->coordToPixel(y) - pixel.y());
    double d = std::min(dx, dy);
    if (d <= bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

void Graph::DragCursorTo(const QPointF& pixel) {
  const QCPRange xr = Plot()->xAxis->range(), yr = Plot()->yAxis->range();
  double x = std::clamp(Plot()->xAxis->pixelToCoord(pixel.x()), xr.lower, xr.upper);
  double y = std::clamp(Plot()->yAxis->pixelToCoord(pixel.y()), yr.lower, yr.upper);
  SetCursor(activeCursor_, x, y);
  if (onCursorMoved) onCursorMoved(false);
}

bool Graph::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Plot()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() != Qt::LeftButton) return false;
      // Ctrl + drag belongs to the zoom rectangle.
      if (me->modifiers() & Qt::ControlModifier) return false;
      if (!movableCursors_ || !Plot()->axisRect()->rect().contains(me->pos())) return true;
      if (int picked = PickCursor(me->position())) activeCursor_ = picked;
      dragging_ = true;
      DragCursorTo(me->position());
      return true;
    }
    case QEvent::MouseMove:
      if (!dragging_) return false;
      DragCursorTo(static_cast<QMouseEvent*>(event)->position());
      return true;
    case QEvent::MouseButtonRelease:
      if (!dragging_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      dragging_ = false;
      if (onCursorMoved) onCursorMoved(true);
      return true;
    default:
      return false;
  }
}

int Graph::AddShape(PlotShape::Kind kind, double x1, double y1, double x2, double y2, int color,
                    int fillColor) {
  Record r;
  r.shape.kind = kind;
  r.shape.color = color & 0xFFFFFF;
  QPen pen(Rgb(color), 1);
  if (kind == PlotShape::Line) {
    r.shape.x1 = x1, r.shape.y1 = y1, r.shape.x2 = x2, r.shape.y2 = y2;
    auto* line = new QCPItemLine(Plot());
    line->start->setCoords(x1, y1);
    line->end->setCoords(x2, y2);
    line->setPen(pen);
    r.item = line;
  } else {
    r.shape.x1 = std::min(x1, x2), r.shape.x2 = std::max(x1, x2);
    r.shape.y1 = std::min(y1, y2), r.shape.y2 = std::max(y1, y2);
    r.shape.fillColor = fillColor < 0 ? VAL_TRANSPARENT : fillColor & 0xFFFFFF;
    QPointF topLeft(r.shape.x1, r.shape.y2), bottomRight(r.shape.x2, r.shape.y1);
    if (kind == PlotShape::Oval) {
      auto* e = new QCPItemEllipse(Plot());
      e->topLeft->setCoords(topLeft);
      e->bottomRight->setCoords(bottomRight);
      e->setPen(pen);
      e->setBrush(Fill(fillColor));
      r.item = e;
    } else {
      auto* rect = new QCPItemRect(Plot());
      rect->topLeft->setCoords(topLeft);
      rect->bottomRight->setCoords(bottomRight);
      rect->setPen(pen);
      rect->setBrush(Fill(fillColor));
      rect->setAntialiased(false);
      r.item = rect;
    }
  }
  r.item->setSelectable(false);
  if (boundsValid_) bounds_.Add(r.shape);
  int handle = nextHandle_++;
  plots_.emplace(handle, r);
  MarkDirty();
  return handle;
}

int Graph::AddCurve(const double* x, const double* y, int count, int color, PlotStyle style) {
  if (count < 0 || (count > 0 && (!x || !y))) return -1;
  if (style != VAL_THIN_LINE && style != VAL_DOTS && style != VAL_STEPS) return -1;
  Record r;
  r.shape.kind = PlotShape::Curve;
  r.shape.color = color & 0xFFFFFF;
  r.style = style;
  r.curve = NewCurve(Plot(), style, NeedsParametricCurve(style, x, count), QPen(Rgb(color), 1));
  r.curve->setSelectable(QCP::stNone);
  PutCurvePoints(r, x, y, count);
  if (boundsValid_) bounds_.Add(r.shape);
  int handle = nextHandle_++;
  plots_.emplace(handle, r);
  MarkDirty();
  return handle;
}

int Graph::SetCurvePoints(int plot, const double* x, const double* y, int count) {
  auto it = plots_.find(plot);
  if (it == plots_.end() || !it->second.curve) return -1;
  if (count < 0 || (count > 0 && (!x || !y))) return -1;
  Record& r = it->second;
  bool parametric = NeedsParametricCurve(r.style, x, count);
  if (parametric != (qobject_cast<QCPCurve*>(r.curve) != nullptr)) {
    QPen pen = r.curve->pen();
    Plot()->removePlottable(r.curve);
    r.curve = NewCurve(Plot(), r.style, parametric, pen);
    r.curve->setSelectable(QCP::stNone);
  }
  PutCurvePoints(r, x, y, count);
  boundsValid_ = false;
  MarkDirty();
  return 0;
}

int Graph::AppendCurvePoints(int plot, const double* x, const double* y, int count) {
  auto it = plots_.find(plot);
  if (it == plots_.end() || !it->second.curve) return -1;
  if (count < 0 || (count > 0 && (!x || !y))) return -1;
  Record& r = it->second;
  auto* c = qobject_cast<QCPCurve*>(r.curve);
  auto* g = qobject_cast<QCPGraph*>(r.curve);
  if (g && r.style == VAL_THIN_LINE && count > 0) {
    // A line drawn in key order cannot turn back; the caller starts a new plot.
    bool back =
        !Ascending(x, count) || (!g->data()->isEmpty() && x[0] < (g->data()->constEnd() - 1)->key);
    if (back) return -1;
  }
  for (int i = 0; i < count; ++i) {
    if (c) {
      double t = c->data()->isEmpty() ? 0 : (c->data()->constEnd() - 1)->t + 1;
      c->data()->add(QCPCurveData(t, x[i], y[i]));
    } else {
      g->data()->add(QCPGraphData(x[i], y[i]));
    }
  }
  if (count > 0) {
    auto [x1, x2] = std::minmax_element(x, x + count);
    auto [y1, y2] = std::minmax_element(y, y + count);
    PlotShape& s = r.shape;
    if (s.points == 0) {
      s.x1 = *x1, s.x2 = *x2, s.y1 = *y1, s.y2 = *y2;
    } else {
      s.x1 = std::min(s.x1, *x1), s.x2 = std::max(s.x2, *x2);
      s.y1 = std::min(s.y1, *y1), s.y2 = std::max(s.y2, *y2);
    }
    s.points += count;
    if (boundsValid_) bounds_.Add(s);
  }
  MarkDirty();
  return 0;
}

void Graph::PutCurvePoints(Record& r, const double* x, const double* y, int count) {
  if (auto* c = qobject_cast<QCPCurve*>(r.curve)) {
    PutPoints(
        *c->data(), count, [&](int i) { return QCPCurveData(i, x[i], y[i]); },
        [&](QCPCurveData& p, int i) {
          p.t = i;
          p.key = x[i];
          p.value = y[i];
        });
  } else {
    auto& d = *static_cast<QCPGraph*>(r.curve)->data();
    PutPoints(
        d, count, [&](int i) { return QCPGraphData(x[i], y[i]); },
        [&](QCPGraphData& p, int i) {
          p.key = x[i];
          p.value = y[i];
        });
    if (!Ascending(x, count)) d.sort();
  }
  r.shape.points = count;
  if (count > 0) {
    auto [x1, x2] = std::minmax_element(x, x + count);
    auto [y1, y2] = std::minmax_element(y, y + count);
    r.shape.x1 = *x1, r.shape.x2 = *x2, r.shape.y1 = *y1, r.shape.y2 = *y2;
  } else {
    r.shape.x1 = r.shape.x2 = r.shape.y1 = r.shape.y2 = 0;
  }
}

void Graph::Remove(Record& r) {
  if (r.item) Plot()->removeItem(r.item);
  if (r.curve) Plot()->removePlottable(r.curve);
  if (r.cloud) Plot()->removePlottable(r.cloud);
  r.item = nullptr;
  r.curve = nullptr;
  r.cloud = nullptr;
}

int Graph::Delete(int plot) {
  if (plot == kAllPlots) {
    // Newest first: the plot's own lists then shrink from their ends.
    for (auto it = plots_.rbegin(); it != plots_.rend(); ++it) Remove(it->second);
    plots_.clear();
    clouds_.clear();
    bounds_ = Box{};
    boundsValid_ = true;
  } else {
    auto it = plots_.find(plot);
    if (it == plots_.end()) return -1;
    if (it->second.cloud) clouds_.erase(it->second.shape.color);
    Remove(it->second);
    plots_.erase(it);
    boundsValid_ = false;
  }
  MarkDirty();
  return 0;
}

std::vector<PlotShape> Graph::Shapes() const {
  std::vector<PlotShape> out;
  out.reserve(plots_.size());
  for (const auto& [handle, r] : plots_) out.push_back(r.shape);
  return out;
}

bool Graph::DataRange(Axis axis, double& lo, double& hi) const {
  if (!boundsValid_) {
    bounds_ = Box{};
    for (const auto& [handle, r] : plots_) bounds_.Add(r.shape);
    boundsValid_ = true;
  }
  if (!bounds_.any) return false;
  lo = axis == VAL_XAXIS ? bounds_.x1 : bounds_.y1;
  hi = axis == VAL_XAXIS ? bounds_.x2 : bounds_.y2;
  return true;
}

int SetAxisScalingMode(int panel, int ctrl, Axis axis, AxisScaling mode, double min, double max) {
  PlotHost* h = HostOf(panel, ctrl);
  return h ? h->SetScaling(axis, mode, min, max) : -1;
}

int GetAxisScalingMode(int panel, int ctrl, Axis axis, AxisScaling& mode, double& min,
                       double& max) {
  PlotHost* h = HostOf(panel, ctrl);
  return h ? h->GetScaling(axis, mode, min, max) : -1;
}

int SetGraphCaption(int panel, int ctrl, const std::string& caption) {
  PlotHost* h = HostOf(panel, ctrl);
  if (!h) return -1;
  h->SetCaption(QString::fromStdString(caption));
  return 0;
}

std::string GetGraphCaption(int panel, int ctrl) {
  PlotHost* h = HostOf(panel, ctrl);
  return h ? h->Caption().toStdString() : std::string();
}

int PlotOval(int panel, int ctrl, double x1, double y1, double x2, double y2, int color,
             int fillColor) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AddShape(PlotShape::Oval, x1, y1, x2, y2, color, fillColor) : -1;
}

int PlotRectangle(int panel, int ctrl, double x1, double y1, double x2, double y2, int color,
                  int fillColor) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AddShape(PlotShape::Rectangle, x1, y1, x2, y2, color, fillColor) : -1;
}

int PlotLine(int panel, int ctrl, double x1, double y1, double x2, double y2, int color) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AddShape(PlotShape::Line, x1, y1, x2, y2, color, VAL_TRANSPARENT) : -1;
}

int PlotXY(int panel, int ctrl, const double* x, const double* y, int count, int color,
           PlotStyle style) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AddCurve(x, y, count, color, style) : -1;
}

int PlotPoint(int panel, int ctrl, double x, double y, int color) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AddPoint(x, y, color) : -1;
}

int SetPlotPoints(int panel, int ctrl, int plot, const double* x, const double* y, int count) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->SetCurvePoints(plot, x, y, count) : -1;
}

int AppendPlotPoints(int panel, int ctrl, int plot, const double* x, const double* y, int count) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->AppendCurvePoints(plot, x, y, count) : -1;
}

int DeleteGraphPlot(int panel, int ctrl, int plot) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->Delete(plot) : -1;
}

std::vector<PlotShape> GetGraphPlots(int panel, int ctrl) {
  Graph* g = GraphOf(panel, ctrl);
  return g ? g->Shapes() : std::vector<PlotShape>{};
}

int SetGraphCursor(int panel, int ctrl, int cursor, double x, double y) {
  PlotHost* h = HostOf(panel, ctrl);
  return h ? h->SetCursor(cursor, x, y) : -1;
}

int GetGraphCursor(int panel, int ctrl, int cursor, double& x, double& y) {
  PlotHost* h = HostOf(panel, ctrl);
  return h ? h->GetCursor(cursor, x, y) : -1;
}

void RefreshGraphs() {
  PlotHost::RedrawMarked(false);
}

}  // namespace ui
