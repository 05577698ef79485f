// The custom controls that the layout file names by class: numeric displays,
// LEDs, slides, colour numerics; graphs and strip charts are in plots.h.
// Private to the platform layer.
#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>
#include <functional>

#include "ui/plots.h"

class QProgressBar;
class QSlider;
class QSpinBox;

namespace ui {

// A read-only number: right-aligned digits of equal width on its own
// background, with a frame in a second colour. It paints itself, so a new
// value costs one repaint and never a new layout.
class NumDisplay : public QLabel {
 public:
  explicit NumDisplay(QWidget* parent = nullptr);
  void SetValue(double value);
  double Value() const { return value_; }
  void SetPrecision(int precision);
  int Precision() const { return precision_; }
  void SetBackground(QColor c);
  QColor Background() const { return background_; }
  void SetFrameColor(QColor c);
  QColor FrameColor() const { return frame_; }
  void SetTextColor(QColor c);
  QColor TextColor() const { return text_; }
  void ApplyLayoutProperties();
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void Render();
  double value_ = 0.0;
  int precision_ = 0;
  QString shown_ = "0";
  QColor background_{255, 255, 255};
  QColor frame_{150, 150, 150};
  QColor text_{0, 0, 0};
};

// A round lamp.
class Led : public QWidget {
 public:
  explicit Led(QWidget* parent = nullptr);
  void SetOn(bool on);
  bool IsOn() const { return on_; }
  void SetOnColor(QColor c);
  void SetOffColor(QColor c);
  QColor OnColor() const { return onColor_; }
  QColor OffColor() const { return offColor_; }
  void ApplyLayoutProperties();
  QSize sizeHint() const override { return {18, 18}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool on_ = false;
  QColor onColor_{0, 200, 0};
  QColor offColor_{0, 0, 0};
};

// A horizontal slider with its value beside it.
class Slide : public QWidget {
 public:
  explicit Slide(QWidget* parent = nullptr);
  QSlider* Slider() const { return slider_; }
  QSpinBox* Box() const { return box_; }
  void SetValue(int v);
  int Value() const;
  void SetRange(int lo, int hi);
  void ApplyLayoutProperties();

 private:
  QSlider* slider_;
  QSpinBox* box_;
};

// A colour swatch; as an input it opens a colour chooser on click.
class ColorNumeric : public QWidget {
 public:
  explicit ColorNumeric(QWidget* parent = nullptr);
  void SetColor(int rgb);
  int Color() const { return rgb_; }
  void SetIndicator(bool on) { indicator_ = on; }
  bool IsIndicator() const { return indicator_; }
  void ApplyLayoutProperties();
  // Called after the user picked a colour.
  std::function<void()> onCommit;
  QSize sizeHint() const override { return {40, 22}; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  int rgb_ = 0xFFFFFF;
  bool indicator_ = false;
};

}  // namespace ui
