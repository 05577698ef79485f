// What graphs and strip charts share: the look of the plot, axis modes,
// caption, cursors, and the redraw at screen rate. A change of data only marks
// its host; the screen refresh redraws the marked hosts that can be seen, so a
// data loop that changes a graph a thousand times a second still costs one
// redraw per screen refresh.
#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qcustomplot.h"
#include "ui/plots.h"
#include "ui/screen_refresh.h"

namespace ui {

namespace {

std::vector<PlotHost*>& Marked() {
  static std::vector<PlotHost*> hosts;
  return hosts;
}

double DoubleProperty(const QObject* o, const char* name, double fallback) {
  QVariant v = o->property(name);
  bool ok = false;
  double d = v.toDouble(&ok);
  return v.isValid() && ok ? d : fallback;
}

QFont SmallFont() {
  QFont f = QApplication::font();
  f.setPointSizeF(std::max(7.0, f.pointSizeF() - 1.0));
  return f;
}

void StyleAxis(QCPAxis* a, const QFont& font) {
  const QColor frame(150, 150, 150);
  const QColor text(60, 60, 60);
  a->setBasePen(QPen(frame, 1));
  a->setTickPen(QPen(frame, 1));
  a->setSubTicks(false);
  a->setTickLength(0, 3);
  a->setTickLabelFont(font);
  a->setTickLabelColor(text);
  a->setTickLabelPadding(2);
  a->setLabelFont(font);
  a->setLabelColor(text);
  a->setLabelPadding(2);
  a->ticker()->setTickCount(4);
  a->grid()->setPen(QPen(QColor(226, 226, 226), 1));
  a->grid()->setZeroLinePen(Qt::NoPen);
  a->grid()->setSubGridVisible(false);
}

QCustomPlot* NewPlot(QWidget* host) {
  auto* lay = new QVBoxLayout(host);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* plot = new QCustomPlot(host);
  lay->addWidget(plot);
  plot->setNoAntialiasingOnDrag(true);
  // Data curves stay sharp and cheap; items (ellipses above all) are smoothed.
  plot->setNotAntialiasedElements(QCP::AntialiasedElements(QCP::aeAll) &
                                  ~QCP::AntialiasedElements(QCP::aeItems));
  // The panel shows through around the plot area.
  plot->setBackground(Qt::NoBrush);
  plot->setAttribute(Qt::WA_OpaquePaintEvent, false);
  plot->plotLayout()->setRowSpacing(0);
  QCPAxisRect* rect = plot->axisRect();
  rect->setBackground(Qt::white);
  QFont small = SmallFont();
  for (QCPAxis* a : {plot->xAxis, plot->yAxis, plot->xAxis2, plot->yAxis2}) StyleAxis(a, small);
  // The top and right axes only close the frame around the plot area.
  for (QCPAxis* a : {plot->xAxis2, plot->yAxis2}) {
    a->setVisible(true);
    a->setTicks(false);
    a->setTickLabels(false);
    a->grid()->setVisible(false);
  }
  plot->addLayer("cursors", plot->layer("main"), QCustomPlot::limAbove);
  return plot;
}

}  // namespace

PlotHost::PlotHost(QWidget* parent) : QWidget(parent), plot_(NewPlot(this)), cursors_(1) {
  setMinimumSize(120, 90);
}

PlotHost::~PlotHost() {
  auto& m = Marked();
  m.erase(std::remove(m.begin(), m.end(), this), m.end());
}

void PlotHost::ApplyCommonLayoutProperties(double xMin, double xMax, double yMin, double yMax) {
  plot_->xAxis->setRange(DoubleProperty(this, "xMin", xMin), DoubleProperty(this, "xMax", xMax));
  plot_->yAxis->setRange(DoubleProperty(this, "yMin", yMin), DoubleProperty(this, "yMax", yMax));
  plot_->xAxis->setLabel(property("xLabel").toString());
  plot_->yAxis->setLabel(property("yLabel").toString());
  SetCaption(property("title").toString());
  // Cursor 1 is always there to be placed; the layout may ask for more.
  cursors_.resize(std::max(1, property("cursors").toInt()));
}

int PlotHost::SetScaling(Axis axis, AxisScaling mode, double min, double max) {
  if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
  QCPAxis* a = axis == VAL_XAXIS ? plot_->xAxis : plot_->yAxis;
  if (mode == VAL_MANUAL) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(min < max)) return -1;
    a->setRange(min, max);
  } else if (mode != VAL_AUTOSCALE) {
    return -1;
  }
  mode_[axis] = mode;
  MarkDirty();
  return 0;
}

int PlotHost::GetScaling(Axis axis, AxisScaling& mode, double& min, double& max) {
  if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
  if (mode_[axis] == VAL_AUTOSCALE) ApplyAutoscale();
  QCPRange r = (axis == VAL_XAXIS ? plot_->xAxis : plot_->yAxis)->range();
  mode = mode_[axis];
  min = r.lower;
  max = r.upper;
  return 0;
}

void PlotHost::ApplyAutoscale() {
  for (Axis axis : {VAL_XAXIS, VAL_LEFT_YAXIS}) {
    if (mode_[axis] != VAL_AUTOSCALE) continue;
    double lo = 0, hi = 0;
    if (!DataRange(axis, lo, hi)) continue;
    QCPAxis* a = axis == VAL_XAXIS ? plot_->xAxis : plot_->yAxis;
    if (!QCPRange::validRange(lo, hi)) {
      // Flat data: keep the span shown and centre it on the value.
      double half = a->range().size() / 2;
      double mid = (lo + hi) / 2;
      lo = mid - half;
      hi = mid + half;
    }
    a->setRange(lo, hi);
  }
}

void PlotHost::SetCaption(const QString& caption) {
  if (caption.isEmpty()) {
    if (title_) {
      plot_->plotLayout()->remove(title_);
      plot_->plotLayout()->simplify();
      title_ = nullptr;
      MarkDirty();
    }
    return;
  }
  if (!title_) {
    QFont f = QApplication::font();
    f.setBold(true);
    title_ = new QCPTextElement(plot_, caption, f);
    title_->setTextColor(QColor(40, 40, 40));
    title_->setMargins(QMargins(0, 2, 0, 0));
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(0, 0, title_);
  }
  title_->setText(caption);
  MarkDirty();
}

QString PlotHost::Caption() const {
  return title_ ? title_->text() : QString();
}

int PlotHost::SetCursor(int cursor, double x, double y) {
  if (cursor < 1 || cursor > static_cast<int>(cursors_.size())) return -1;
  Cursor& c = cursors_[static_cast<size_t>(cursor - 1)];
  if (!c.cross) {
    // Drawn from the first placing on: a cursor nobody placed means nothing.
    c.cross = new QCPItemTracer(plot_);
    c.cross->setStyle(QCPItemTracer::tsCrosshair);
    c.cross->setPen(QPen(QColor(70, 70, 70), 1, Qt::DashLine));
    c.cross->setAntialiased(false);
    c.marker = new QCPItemTracer(plot_);
    c.marker->setStyle(QCPItemTracer::tsCircle);
    c.marker->setSize(9);
    c.marker->setPen(QPen(Qt::black, 1.5));
    for (QCPItemTracer* t : {c.cross, c.marker}) {
      t->setLayer("cursors");
      t->setSelectable(false);
    }
  }
  c.x = x;
  c.y = y;
  c.cross->position->setCoords(x, y);
  c.marker->position->setCoords(x, y);
  MarkDirty();
  return 0;
}

int PlotHost::GetCursor(int cursor, double& x, double& y) const {
  if (cursor < 1 || cursor > static_cast<int>(cursors_.size())) return -1;
  const Cursor& c = cursors_[static_cast<size_t>(cursor - 1)];
  x = c.x;
  y = c.y;
  return 0;
}

void PlotHost::MarkDirty() {
  if (!dirty_) {
    dirty_ = true;
    Marked().push_back(this);
  }
  if (isVisible()) ScreenRefreshSoon();
}

void PlotHost::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // Changes made while hidden are drawn now that the host can be seen.
  if (dirty_) ScreenRefreshSoon();
}

void PlotHost::Redraw() {
  ApplyAutoscale();
  dirty_ = false;
  plot_->replot();
}

void PlotHost::RedrawMarked(bool visibleOnly) {
  auto& m = Marked();
  size_t kept = 0;
  // Indexes, not iterators: a redraw may mark another host.
  for (size_t i = 0; i < m.size(); ++i) {
    PlotHost* h = m[i];
    if (visibleOnly && !h->isVisible())
      m[kept++] = h;
    else
      h->Redraw();
  }
  m.resize(kept);
  // What is left waits, unseen, for its showEvent.
}

}  // namespace ui
