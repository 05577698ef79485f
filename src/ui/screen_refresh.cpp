#include "ui/screen_refresh.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QSet>
#include <QTimer>
#include <vector>

#include "ui/plots.h"
#include "ui/ui.h"

namespace ui {

namespace {

constexpr int kRefreshMs = 33;
// Refresh points closer together than this mean a link loop is running.
constexpr int kLinkBusyMs = 250;

class Refresher : public QObject {
 public:
  Refresher() {
    timer_.setInterval(kRefreshMs);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(); });
    sinceFlush_.start();
  }

  void MarkWidget(QWidget* w) {
    if (marked_.contains(w)) return;
    marked_.insert(w);
    widgets_.push_back(w);
    Soon();
  }

  void Soon() {
    pending_ = true;
    if (!timer_.isActive()) timer_.start();
  }

  void Point() {
    sincePoint_.start();
    if (pending_ && sinceFlush_.elapsed() >= kRefreshMs) Flush();
  }

 private:
  void OnTimer() {
    // A running link loop refreshes at its own refresh points.
    if (sincePoint_.isValid() && sincePoint_.elapsed() < kLinkBusyMs) {
      if (pending_) timer_.start();
      return;
    }
    Flush();
  }

  void Flush() {
    pending_ = false;
    sinceFlush_.restart();
    std::vector<QPointer<QWidget>> now;
    now.swap(widgets_);
    marked_.clear();
    for (auto& w : now) {
      if (!w) continue;
      if (auto* bar = qobject_cast<QProgressBar*>(w.data())) {
        QVariant v = bar->property("uiPendingValue");
        if (v.isValid()) bar->setValue(v.toInt());
        bar->setProperty("uiPendingValue", QVariant());
      } else {
        w->update();
      }
    }
    PlotHost::RedrawMarked(true);
  }

  QTimer timer_;
  QElapsedTimer sinceFlush_;
  QElapsedTimer sincePoint_;
  bool pending_ = false;
  std::vector<QPointer<QWidget>> widgets_;
  QSet<QWidget*> marked_;
};

Refresher& TheRefresher() {
  static Refresher* r = new Refresher;
  return *r;
}

}  // namespace

void RepaintSoon(QWidget* w) {
  TheRefresher().MarkWidget(w);
}

void ScreenRefreshSoon() {
  TheRefresher().Soon();
}

void ScreenRefreshPoint() {
  TheRefresher().Point();
}

void SetBarValueSoon(QProgressBar* bar, int value) {
  if (value == BarValue(bar)) return;
  bar->setProperty("uiPendingValue", value);
  TheRefresher().MarkWidget(bar);
}

int BarValue(const QProgressBar* bar) {
  QVariant v = bar->property("uiPendingValue");
  return v.isValid() ? v.toInt() : bar->value();
}

}  // namespace ui
