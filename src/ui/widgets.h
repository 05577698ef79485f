// The custom controls that the layout file names by class: numeric displays,
// LEDs, slides, colour numerics, graphs and strip charts. Private to the
// platform layer.
#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>
#include <functional>

class QSlider;
class QSpinBox;
class QCustomPlot;

namespace ui {

// A read-only number: right-aligned, fixed-width digits, no flicker of width.
class NumDisplay : public QLabel {
 public:
  explicit NumDisplay(QWidget* parent = nullptr);
  void SetValue(double value);
  double Value() const { return value_; }
  void SetPrecision(int precision);
  int Precision() const { return precision_; }
  void ApplyLayoutProperties();

 private:
  void Render();
  double value_ = 0.0;
  int precision_ = 0;
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

// Hosts for the plotting library; the graph services build on them.
class Graph : public QWidget {
 public:
  explicit Graph(QWidget* parent = nullptr);
  QCustomPlot* Plot() const { return plot_; }
  void ApplyLayoutProperties();

 private:
  QCustomPlot* plot_;
};

class StripChart : public QWidget {
 public:
  explicit StripChart(QWidget* parent = nullptr);
  QCustomPlot* Plot() const { return plot_; }
  int PointsPerScreen() const { return pointsPerScreen_; }
  void ApplyLayoutProperties();

 private:
  QCustomPlot* plot_;
  int pointsPerScreen_ = 101;
};

}  // namespace ui
