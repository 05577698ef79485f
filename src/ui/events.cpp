// Qt input becomes the numbered events of the program, delivered to the
// callbacks of controls and panels; plus the event loop and the timer.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "ui/registry.h"
#include "ui/widgets.h"

namespace ui {

namespace {

struct Target {
  int panel = 0;
  int ctrl = 0;  // 0 for the panel itself
};

// Routes mouse, close and resize events of the watched widgets.
class Bridge : public QObject {
 public:
  QHash<QObject*, Target> targets;

  bool eventFilter(QObject* o, QEvent* e) override {
    auto it = targets.find(o);
    if (it == targets.end()) return false;
    Target t = it.value();
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(e);
        bool dbl = e->type() == QEvent::MouseButtonDblClick;
        if (me->button() == Qt::RightButton) {
          Deliver(t, dbl ? EVENT_RIGHT_DOUBLE_CLICK : EVENT_RIGHT_CLICK);
          // A control with a context menu opens it instead of its help.
          if (!dbl && t.ctrl != 0 && HasCtrlMenu(t.panel, t.ctrl)) {
            RunCtrlMenu(t.panel, t.ctrl);
            return true;
          }
          return HasCallback(t);
        }
        if (me->button() == Qt::LeftButton)
          Deliver(t, dbl ? EVENT_LEFT_DOUBLE_CLICK : EVENT_LEFT_CLICK);
        return false;
      }
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
          Deliver(t, EVENT_LEFT_CLICK_UP);
        return false;
      case QEvent::ContextMenu:
        // The right click shows help instead of the widget's own menu.
        return HasCallback(t);
      case QEvent::Close:
        if (t.ctrl == 0) {
          Panel* p = FindPanel(t.panel);
          if (p && p->callback) {
            e->ignore();
            Deliver(t, EVENT_CLOSE);
            return true;
          }
        }
        return false;
      case QEvent::Resize:
        if (t.ctrl == 0) {
          if (Panel* p = FindPanel(t.panel)) ResizeAnchors(*p);
          Deliver(t, EVENT_PANEL_SIZE);
        }
        return false;
      default:
        return false;
    }
  }

  static bool HasCallback(const Target& t) {
    if (t.ctrl == 0) {
      Panel* p = FindPanel(t.panel);
      return p && p->callback;
    }
    Control* c = FindControl(t.panel, t.ctrl);
    return c && c->callback;
  }

  static void Deliver(const Target& t, int event) {
    if (t.ctrl == 0)
      FirePanelEvent(t.panel, event);
    else
      FireCtrlEvent(t.panel, t.ctrl, event);
  }
};

Bridge& TheBridge() {
  static Bridge* b = new Bridge;
  return *b;
}

void Watch(QObject* o, Target t) {
  auto& b = TheBridge();
  if (b.targets.contains(o)) return;
  b.targets.insert(o, t);
  o->installEventFilter(&b);
  QObject::connect(o, &QObject::destroyed, &b, [o] { TheBridge().targets.remove(o); });
}

void Commit(int panel, int ctrl, bool valueChanged) {
  if (gQuiet) return;
  if (valueChanged) FireCtrlEvent(panel, ctrl, EVENT_VAL_CHANGED);
  FireCtrlEvent(panel, ctrl, EVENT_COMMIT);
}

QElapsedTimer& Clock() {
  static QElapsedTimer t;
  if (!t.isValid()) t.start();
  return t;
}

}  // namespace

void ConnectControl(Control& c) {
  QWidget* w = c.widget;
  int panel = c.panel, id = c.id;
  Target t{panel, id};
  Watch(w, t);
  switch (c.kind) {
    case Kind::Button:
      QObject::connect(static_cast<QPushButton*>(w), &QPushButton::clicked, w,
                       [panel, id] { Commit(panel, id, false); });
      break;
    case Kind::Numeric:
      QObject::connect(static_cast<QSpinBox*>(w), qOverload<int>(&QSpinBox::valueChanged), w,
                       [panel, id] { Commit(panel, id, true); });
      break;
    case Kind::NumericDouble:
      QObject::connect(static_cast<QDoubleSpinBox*>(w),
                       qOverload<double>(&QDoubleSpinBox::valueChanged), w,
                       [panel, id] { Commit(panel, id, true); });
      break;
    case Kind::Ring:
      QObject::connect(static_cast<QComboBox*>(w), qOverload<int>(&QComboBox::activated), w,
                       [panel, id] { Commit(panel, id, true); });
      break;
    case Kind::Combo: {
      auto* combo = static_cast<QComboBox*>(w);
      // Enter in the text and a pick from the list both commit the host text.
      QObject::connect(combo, qOverload<int>(&QComboBox::activated), w,
                       [panel, id] { Commit(panel, id, true); });
      if (QLineEdit* le = combo->lineEdit()) {
        QObject::connect(le, &QLineEdit::returnPressed, w,
                         [panel, id] { Commit(panel, id, true); });
        Watch(le, t);
      }
      break;
    }
    case Kind::Switch:
    case Kind::Radio:
      QObject::connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, w,
                       [panel, id] { Commit(panel, id, true); });
      break;
    case Kind::String: {
      auto* le = static_cast<QLineEdit*>(w);
      QObject::connect(le, &QLineEdit::editingFinished, w, [le, panel, id] {
        if (!le->isModified()) return;
        // A password is confirmed with Enter; leaving the field, as closing its
        // window does, is no answer yet.
        if (le->echoMode() == QLineEdit::Password && !le->hasFocus()) return;
        le->setModified(false);
        Commit(panel, id, true);
      });
      break;
    }
    case Kind::Slide: {
      auto* s = static_cast<Slide*>(w);
      QObject::connect(s->Box(), qOverload<int>(&QSpinBox::valueChanged), w,
                       [panel, id] { Commit(panel, id, true); });
      QObject::connect(s->Slider(), &QSlider::sliderReleased, w,
                       [panel, id] { Commit(panel, id, true); });
      s->Box()->setKeyboardTracking(false);
      Watch(s->Slider(), t);
      Watch(s->Box(), t);
      break;
    }
    case Kind::ColorNum:
      static_cast<ColorNumeric*>(w)->onCommit = [panel, id] { Commit(panel, id, true); };
      break;
    case Kind::Graph: {
      auto* g = static_cast<Graph*>(w);
      // A cursor the user drags reports while it moves and commits where it is let go.
      g->onCursorMoved = [panel, id](bool done) {
        if (done)
          FireCtrlEvent(panel, id, EVENT_COMMIT);
        else
          FireCtrlEvent(panel, id, EVENT_VAL_CHANGED);
      };
      g->onZoomed = [panel, id] {
        if (!gQuiet) FireCtrlEvent(panel, id, EVENT_ZOOM);
      };
      break;
    }
    case Kind::Tab: {
      auto* tab = static_cast<QTabWidget*>(w);
      tab->setProperty("uiLastPage", tab->currentIndex());
      QObject::connect(tab, &QTabWidget::currentChanged, w, [tab, panel, id](int now) {
        int before = tab->property("uiLastPage").toInt();
        tab->setProperty("uiLastPage", now);
        if (!gQuiet) FireCtrlEvent(panel, id, EVENT_ACTIVE_TAB_CHANGE, before, now);
      });
      Watch(tab->tabBar(), t);
      break;
    }
    default:
      break;
  }
  // Inner widgets (the text field of a spin box, the viewport of a table) report
  // their mouse events as the control's own.
  if (c.kind == Kind::Numeric || c.kind == Kind::NumericDouble || c.kind == Kind::Ring ||
      c.kind == Kind::Graph || c.kind == Kind::Strip || c.kind == Kind::ColorNum) {
    for (QWidget* child : w->findChildren<QWidget*>()) Watch(child, t);
  }
  if (c.kind == Kind::Table) {
    Watch(static_cast<QTableWidget*>(w)->viewport(), t);
    PrepareTable(c);
  }
  if (c.kind == Kind::TextBox || c.kind == Kind::String) {
    for (QWidget* child : w->findChildren<QWidget*>()) Watch(child, t);
  }
}

void WatchPanel(Panel& p) {
  Watch(p.widget, Target{p.handle, 0});
}

int InstallCtrlCallback(int panel, int ctrl, CtrlCallback fn, void* data) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  c->callback = fn;
  c->callbackData = data;
  return 0;
}

int InstallPanelCallback(int panel, PanelCallback fn, void* data) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  p->callback = fn;
  p->callbackData = data;
  return 0;
}

int FireCtrlEvent(int panel, int ctrl, int event, int eventData1, int eventData2) {
  Control* c = FindControl(panel, ctrl);
  if (!c || !c->callback) return 0;
  return c->callback(panel, ctrl, event, c->callbackData, eventData1, eventData2);
}

int FirePanelEvent(int panel, int event, int eventData1, int eventData2) {
  Panel* p = FindPanel(panel);
  if (!p || !p->callback) return 0;
  return p->callback(panel, event, p->callbackData, eventData1, eventData2);
}

int RunUserInterface() {
  return QApplication::exec();
}

void QuitUserInterface(int code) {
  QCoreApplication::exit(code);
}

void ProcessSystemEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForSystemEvents(double maxSeconds) {
  static QTimer* wake = [] {
    auto* t = new QTimer;
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
    return t;
  }();
  int ms = maxSeconds <= 0 ? 0 : static_cast<int>(maxSeconds * 1000.0 + 0.999);
  if (ms <= 0) {
    ProcessSystemEvents();
    return;
  }
  // The timer wakes the wait if nothing else does; any event ends it earlier.
  wake->start(ms);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  wake->stop();
}

double Timer() {
  return static_cast<double>(Clock().nsecsElapsed()) / 1e9;
}

void SetWaitCursor(int on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else if (QApplication::overrideCursor())
    QApplication::restoreOverrideCursor();
}

}  // namespace ui
