// A cloud of dots in one colour, for graphs that collect many thousand points.
// Dots already drawn are kept in an image of the plot area, so a redraw paints
// only the dots added since the last one, until the axes or the size change.
// Private to the platform layer.
#pragma once

#include <QImage>
#include <QPointF>
#include <vector>

#include "qcustomplot.h"

namespace ui {

class PointCloud : public QCPAbstractPlottable {
 public:
  PointCloud(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& color);

  void Add(double x, double y);
  const std::vector<QPointF>& Points() const { return points_; }

  double selectTest(const QPointF& pos, bool onlySelectable,
                    QVariant* details = nullptr) const override;
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                         const QCPRange& inKeyRange = QCPRange()) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  void PaintDots(size_t from);

  QColor color_;
  std::vector<QPointF> points_;
  // What the image shows: the dots up to `drawn_` for these axes and this area.
  QImage image_;
  size_t drawn_ = 0;
  QRect area_;
  QCPRange keys_, values_;
};

}  // namespace ui
