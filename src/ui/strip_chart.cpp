// Strip charts: each trace keeps a ring of the newest points-per-screen
// samples. A feed writes into the rings and rewrites the values of the shown
// points in place, so a full chart takes new data without allocating.
#include <algorithm>
#include <limits>

#include "qcustomplot.h"
#include "ui/plots.h"
#include "ui/registry.h"

namespace ui {

namespace {

StripChart* StripOf(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  return c ? dynamic_cast<StripChart*>(c->widget.data()) : nullptr;
}

}  // namespace

StripChart::StripChart(QWidget* parent) : PlotHost(parent) {}

void StripChart::ApplyLayoutProperties() {
  QVariant pps = property("pointsPerScreen");
  if (pps.isValid()) pointsPerScreen_ = pps.toInt();
  if (pointsPerScreen_ < 2) pointsPerScreen_ = 101;
  ApplyCommonLayoutProperties(0, pointsPerScreen_ - 1, 0, 4096);
  QStringList colors = property("traceColors").toString().split(',', Qt::SkipEmptyParts);
  QStringList names = property("traceNames").toString().split(',', Qt::SkipEmptyParts);
  int n = static_cast<int>(std::max(colors.size(), names.size()));
  for (int i = 0; i < n; ++i) {
    QCPGraph* g = Plot()->addGraph();
    QColor c = i < colors.size() ? QColor(colors[i].trimmed()) : QColor(Qt::black);
    g->setPen(QPen(c.isValid() ? c : QColor(Qt::black), 1));
    if (i < names.size()) g->setName(names[i].trimmed());
    g->setSelectable(QCP::stNone);
    graphs_.push_back(g);
  }
  rings_.assign(graphs_.size(), std::vector<double>(static_cast<size_t>(pointsPerScreen_)));
  head_ = filled_ = 0;
}

double StripChart::Sample(size_t trace, int age) const {
  int oldest = (head_ - filled_ + pointsPerScreen_) % pointsPerScreen_;
  return rings_[trace][static_cast<size_t>((oldest + age) % pointsPerScreen_)];
}

int StripChart::Append(const double* values, int count) {
  int n = static_cast<int>(rings_.size());
  if (n == 0 || count < 0 || (count > 0 && !values)) return -1;
  int samples = count / n;
  // Only the newest screenful can be shown.
  for (int s = std::max(0, samples - pointsPerScreen_); s < samples; ++s) {
    const double* v = values + static_cast<ptrdiff_t>(s) * n;
    for (int t = 0; t < n; ++t) rings_[static_cast<size_t>(t)][static_cast<size_t>(head_)] = v[t];
    head_ = (head_ + 1) % pointsPerScreen_;
    filled_ = std::min(filled_ + 1, pointsPerScreen_);
  }
  SyncGraphs();
  MarkDirty();
  return 0;
}

void StripChart::SyncGraphs() {
  for (size_t t = 0; t < graphs_.size(); ++t) {
    QCPGraphDataContainer& d = *graphs_[t]->data();
    if (d.size() > filled_) d.clear();
    while (d.size() < filled_) d.add(QCPGraphData(d.size(), 0));
    int age = 0;
    for (auto it = d.begin(); it != d.end(); ++it) it->value = Sample(t, age++);
  }
}

void StripChart::Clear() {
  head_ = filled_ = 0;
  for (QCPGraph* g : graphs_) g->data()->clear();
  MarkDirty();
}

int StripChart::SetPointsPerScreen(int points) {
  if (points < 2) return -1;
  if (points != pointsPerScreen_) {
    // The newest samples that fit stay, oldest first from the left.
    std::vector<std::vector<double>> kept = Traces();
    int keep = std::min(filled_, points);
    pointsPerScreen_ = points;
    for (size_t t = 0; t < rings_.size(); ++t) {
      rings_[t].assign(static_cast<size_t>(points), 0.0);
      std::copy(kept[t].end() - keep, kept[t].end(), rings_[t].begin());
    }
    filled_ = keep;
    head_ = keep % points;
    SyncGraphs();
  }
  if (ScalingMode(VAL_XAXIS) == VAL_MANUAL) Plot()->xAxis->setRange(0, points - 1);
  MarkDirty();
  return 0;
}

std::vector<std::vector<double>> StripChart::Traces() const {
  std::vector<std::vector<double>> out(rings_.size());
  for (size_t t = 0; t < rings_.size(); ++t) {
    out[t].reserve(static_cast<size_t>(filled_));
    for (int age = 0; age < filled_; ++age) out[t].push_back(Sample(t, age));
  }
  return out;
}

bool StripChart::DataRange(Axis axis, double& lo, double& hi) const {
  if (filled_ == 0) return false;
  if (axis == VAL_XAXIS) {
    lo = 0;
    hi = pointsPerScreen_ - 1;
    return true;
  }
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
  for (size_t t = 0; t < rings_.size(); ++t)
    for (int age = 0; age < filled_; ++age) {
      double v = Sample(t, age);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  return true;
}

int PlotStripChart(int panel, int ctrl, const double* values, int count) {
  StripChart* s = StripOf(panel, ctrl);
  return s ? s->Append(values, count) : -1;
}

int ClearStripChart(int panel, int ctrl) {
  StripChart* s = StripOf(panel, ctrl);
  if (!s) return -1;
  s->Clear();
  return 0;
}

int SetPointsPerScreen(int panel, int ctrl, int points) {
  StripChart* s = StripOf(panel, ctrl);
  return s ? s->SetPointsPerScreen(points) : -1;
}

std::vector<std::vector<double>> GetStripChartTraces(int panel, int ctrl) {
  StripChart* s = StripOf(panel, ctrl);
  return s ? s->Traces() : std::vector<std::vector<double>>{};
}

}  // namespace ui
