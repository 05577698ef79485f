#include "ui/point_cloud.h"

#include <algorithm>
#include <limits>

namespace ui {

namespace {
constexpr int kDotPixels = 2;
}  // namespace

PointCloud::PointCloud(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& color)
    : QCPAbstractPlottable(keyAxis, valueAxis), color_(color) {
  setPen(QPen(color));
  setSelectable(QCP::stNone);
  points_.reserve(1024);
}

void PointCloud::Add(double x, double y) {
  points_.emplace_back(x, y);
}

double PointCloud::selectTest(const QPointF&, bool, QVariant*) const {
  return -1;
}

QCPRange PointCloud::getKeyRange(bool& foundRange, QCP::SignDomain) const {
  foundRange = !points_.empty();
  if (!foundRange) return {};
  auto [lo, hi] =
      std::minmax_element(points_.begin(), points_.end(),
                          [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
  return {lo->x(), hi->x()};
}

QCPRange PointCloud::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
  foundRange = !points_.empty();
  if (!foundRange) return {};
  auto [lo, hi] =
      std::minmax_element(points_.begin(), points_.end(),
                          [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
  return {lo->y(), hi->y()};
}

void PointCloud::draw(QCPPainter* painter) {
  QCPAxis* kx = keyAxis();
  QCPAxis* vy = valueAxis();
  if (!kx || !vy) return;
  QRect area = clipRect();
  if (area.isEmpty()) return;
  if (area != area_ || kx->range() != keys_ || vy->range() != values_ || drawn_ > points_.size()) {
    area_ = area;
    keys_ = kx->range();
    values_ = vy->range();
    image_ = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    drawn_ = 0;
  }
  PaintDots(drawn_);
  drawn_ = points_.size();
  painter->drawImage(area.topLeft(), image_);
}

void PointCloud::PaintDots(size_t from) {
  QCPAxis* kx = keyAxis();
  QCPAxis* vy = valueAxis();
  const QRgb dot = color_.rgba();
  const int w = image_.width(), h = image_.height();
  for (size_t i = from; i < points_.size(); ++i) {
    double px = kx->coordToPixel(points_[i].x()) - area_.left();
    double py = vy->coordToPixel(points_[i].y()) - area_.top();
    if (!(px > -kDotPixels && py > -kDotPixels && px < w && py < h)) continue;
    int x0 = static_cast<int>(px), y0 = static_cast<int>(py);
    for (int y = std::max(y0, 0); y < std::min(y0 + kDotPixels, h); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = std::max(x0, 0); x < std::min(x0 + kDotPixels, w); ++x) line[x] = dot;
    }
  }
}

void PointCloud::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  painter->fillRect(QRectF(rect.center(), QSizeF(kDotPixels, kDotPixels)), color_);
}

}  // namespace ui
