#include "ui/widgets.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "qcustomplot.h"

namespace ui {

namespace {
double DoubleProperty(const QObject* o, const char* name, double fallback) {
  QVariant v = o->property(name);
  bool ok = false;
  double d = v.toDouble(&ok);
  return v.isValid() && ok ? d : fallback;
}
QColor ColorProperty(const QObject* o, const char* name, QColor fallback) {
  QVariant v = o->property(name);
  if (!v.isValid()) return fallback;
  QColor c = v.value<QColor>();
  if (!c.isValid()) c = QColor(v.toString());
  return c.isValid() ? c : fallback;
}
}  // namespace

NumDisplay::NumDisplay(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setMargin(2);
  // Digits of equal width keep the numbers still while values stream in.
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPointSizeF(font().pointSizeF());
  setFont(f);
  Render();
}

void NumDisplay::SetValue(double value) {
  if (value == value_ && !text().isEmpty()) return;
  value_ = value;
  Render();
}

void NumDisplay::SetPrecision(int precision) {
  precision_ = precision < 0 ? 0 : precision;
  Render();
}

void NumDisplay::ApplyLayoutProperties() {
  QVariant p = property("precision");
  if (p.isValid()) precision_ = p.toInt();
  Render();
}

void NumDisplay::Render() {
  setText(QString::number(value_, 'f', precision_));
}

Led::Led(QWidget* parent) : QWidget(parent) {
  setMinimumSize(14, 14);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  update();
}
void Led::SetOnColor(QColor c) {
  onColor_ = c;
  update();
}
void Led::SetOffColor(QColor c) {
  offColor_ = c;
  update();
}

void Led::ApplyLayoutProperties() {
  onColor_ = ColorProperty(this, "onColor", onColor_);
  offColor_ = ColorProperty(this, "offColor", offColor_);
}

void Led::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  int d = qMin(width(), height()) - 2;
  QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
  QColor c = on_ ? onColor_ : offColor_;
  if (!isEnabled()) c = c.lighter(160);
  QRadialGradient g(r.center() - QPointF(d / 5.0, d / 5.0), d / 1.4);
  g.setColorAt(0, c.lighter(on_ ? 170 : 130));
  g.setColorAt(1, c);
  p.setBrush(g);
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawEllipse(r);
}

Slide::Slide(QWidget* parent) : QWidget(parent) {
  auto* lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  slider_ = new QSlider(Qt::Horizontal, this);
  box_ = new QSpinBox(this);
  box_->setAlignment(Qt::AlignRight);
  box_->setKeyboardTracking(false);
  box_->setMinimumWidth(64);
  lay->addWidget(slider_, 1);
  lay->addWidget(box_);
  QObject::connect(slider_, &QSlider::valueChanged, box_, [this](int v) {
    QSignalBlocker b(box_);
    box_->setValue(v);
  });
  QObject::connect(box_, qOverload<int>(&QSpinBox::valueChanged), slider_, [this](int v) {
    QSignalBlocker b(slider_);
    slider_->setValue(v);
  });
}

void Slide::SetValue(int v) {
  QSignalBlocker a(slider_), b(box_);
  slider_->setValue(v);
  box_->setValue(v);
}
int Slide::Value() const {
  return box_->value();
}
void Slide::SetRange(int lo, int hi) {
  QSignalBlocker a(slider_), b(box_);
  slider_->setRange(lo, hi);
  box_->setRange(lo, hi);
}
void Slide::ApplyLayoutProperties() {
  int lo = property("minimum").isValid() ? property("minimum").toInt() : 0;
  int hi = property("maximum").isValid() ? property("maximum").toInt() : 100;
  SetRange(lo, hi);
  if (property("value").isValid()) SetValue(property("value").toInt());
}

ColorNumeric::ColorNumeric(QWidget* parent) : QWidget(parent) {
  setMinimumSize(24, 18);
}

void ColorNumeric::SetColor(int rgb) {
  rgb_ = rgb & 0xFFFFFF;
  update();
}

void ColorNumeric::ApplyLayoutProperties() {
  QVariant v = property("indicator");
  if (v.isValid()) indicator_ = v.toBool();
}

void ColorNumeric::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(r, QColor(QRgb(0xFF000000u | static_cast<unsigned>(rgb_))));
  p.setPen(isEnabled() ? QColor(80, 80, 80) : QColor(170, 170, 170));
  p.drawRect(r);
}

void ColorNumeric::mouseReleaseEvent(QMouseEvent* e) {
  if (indicator_ || e->button() != Qt::LeftButton || !isEnabled()) return;
  QColor c = QColorDialog::getColor(QColor(QRgb(0xFF000000u | static_cast<unsigned>(rgb_))), this);
  if (!c.isValid()) return;
  SetColor(static_cast<int>(c.rgb() & 0xFFFFFF));
  if (onCommit) onCommit();
}

namespace {
QCustomPlot* NewPlot(QWidget* host) {
  auto* lay = new QVBoxLayout(host);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* plot = new QCustomPlot(host);
  plot->setNoAntialiasingOnDrag(true);
  plot->setNotAntialiasedElements(QCP::aeAll);
  lay->addWidget(plot);
  return plot;
}
}  // namespace

Graph::Graph(QWidget* parent) : QWidget(parent), plot_(NewPlot(this)) {
  setMinimumSize(120, 90);
}

void Graph::ApplyLayoutProperties() {
  plot_->xAxis->setRange(DoubleProperty(this, "xMin", 0), DoubleProperty(this, "xMax", 100));
  plot_->yAxis->setRange(DoubleProperty(this, "yMin", 0), DoubleProperty(this, "yMax", 100));
  plot_->xAxis->setLabel(property("xLabel").toString());
  plot_->yAxis->setLabel(property("yLabel").toString());
  QString title = property("title").toString();
  if (!title.isEmpty()) {
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(0, 0, new QCPTextElement(plot_, title));
  }
}

StripChart::StripChart(QWidget* parent) : QWidget(parent), plot_(NewPlot(this)) {
  setMinimumSize(120, 90);
}

void StripChart::ApplyLayoutProperties() {
  if (property("pointsPerScreen").isValid()) pointsPerScreen_ = property("pointsPerScreen").toInt();
  if (pointsPerScreen_ < 2) pointsPerScreen_ = 101;
  plot_->xAxis->setRange(0, pointsPerScreen_ - 1);
  plot_->yAxis->setRange(DoubleProperty(this, "yMin", 0), DoubleProperty(this, "yMax", 4096));
  QStringList colors = property("traceColors").toString().split(',', Qt::SkipEmptyParts);
  QStringList names = property("traceNames").toString().split(',', Qt::SkipEmptyParts);
  int n = qMax(colors.size(), names.size());
  for (int i = 0; i < n; ++i) {
    QCPGraph* g = plot_->addGraph();
    if (i < colors.size()) g->setPen(QPen(QColor(colors[i].trimmed()), 1.5));
    if (i < names.size()) g->setName(names[i].trimmed());
  }
}

}  // namespace ui
