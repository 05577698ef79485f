#include "ui/widgets.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <vector>

#include "ui/screen_refresh.h"

namespace ui {

namespace {
QColor ColorProperty(const QObject* o, const char* name, QColor fallback) {
  QVariant v = o->property(name);
  if (!v.isValid()) return fallback;
  QColor c = v.value<QColor>();
  if (!c.isValid()) c = QColor(v.toString());
  return c.isValid() ? c : fallback;
}
}  // namespace

NumDisplay::NumDisplay(QWidget* parent) : QLabel(parent) {
  // Digits of equal width keep the numbers still while values stream in.
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPointSizeF(font().pointSizeF());
  setFont(f);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void NumDisplay::SetValue(double value) {
  if (value == value_) return;
  value_ = value;
  Render();
}

void NumDisplay::SetPrecision(int precision) {
  precision_ = precision < 0 ? 0 : precision;
  Render();
}

void NumDisplay::SetBackground(QColor c) {
  background_ = c;
  update();
}
void NumDisplay::SetFrameColor(QColor c) {
  frame_ = c;
  update();
}
void NumDisplay::SetTextColor(QColor c) {
  text_ = c;
  update();
}

void NumDisplay::ApplyLayoutProperties() {
  QVariant p = property("precision");
  if (p.isValid()) precision_ = p.toInt();
  // A background given in the layout's palette becomes the display's own.
  if (autoFillBackground()) background_ = palette().color(QPalette::Window);
  setAutoFillBackground(false);
  if (property("frameColor").isValid()) frame_ = ColorProperty(this, "frameColor", frame_);
  // The layout's text is the start value.
  bool ok = false;
  double start = text().toDouble(&ok);
  if (ok) value_ = start;
  shown_.clear();
  Render();
}

QSize NumDisplay::sizeHint() const {
  QFontMetrics fm(font());
  return {fm.horizontalAdvance(QString(7, '0')) + 10, fm.height() + 8};
}

QSize NumDisplay::minimumSizeHint() const {
  QFontMetrics fm(font());
  return {fm.horizontalAdvance(QString(3, '0')) + 10, fm.height() + 8};
}

void NumDisplay::Render() {
  QString t = QString::number(value_, 'f', precision_);
  if (t == shown_) return;
  shown_ = t;
  RepaintSoon(this);
}

void NumDisplay::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  p.fillRect(r, isEnabled() ? background_ : palette().color(QPalette::Window));
  p.setPen(QPen(frame_, 2));
  p.drawRect(r.adjusted(1, 1, -1, -1));
  p.setPen(isEnabled() ? text_ : palette().color(QPalette::Disabled, QPalette::Text));
  p.drawText(r.adjusted(4, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter, shown_);
}

Led::Led(QWidget* parent) : QWidget(parent) {
  setMinimumSize(14, 14);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  RepaintSoon(this);
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
  if ((rgb & 0xFFFFFF) == rgb_) return;
  rgb_ = rgb & 0xFFFFFF;
  RepaintSoon(this);
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

}  // namespace ui
