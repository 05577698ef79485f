// The platform layer's book of loaded panels, pages and controls, shared by its
// implementation files. Private to the platform layer.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <map>
#include <string>

#include "ui/ui.h"

class QLabel;
class QTabWidget;

namespace ui {

enum class Kind {
  Unknown,
  Button,
  Numeric,
  NumericDouble,
  NumDisplay,
  Ring,
  Combo,
  Switch,
  Radio,
  String,
  TextBox,
  TextMsg,
  Table,
  Tab,
  Led,
  Slide,
  ColorNum,
  Graph,
  Strip,
  Deco,
  Bar,
};

struct Control {
  QPointer<QWidget> widget;
  QPointer<QLabel> label;  // the caption beside the control, when it has one
  Kind kind = Kind::Unknown;
  CtrlCallback callback = nullptr;
  void* callbackData = nullptr;
  int panel = 0;
  int id = 0;
};

// Children of a top-level panel that follow its edges when it is resized.
struct Anchor {
  QPointer<QWidget> widget;
  QRect design;
  bool stretchRight = false;
  bool stretchBottom = false;
};

struct Panel {
  QPointer<QWidget> widget;
  int handle = 0;
  int parent = 0;  // holding panel of a child panel or of a page
  bool isPage = false;
  int tabCtrl = 0;
  int pageIndex = -1;
  PanelCallback callback = nullptr;
  void* callbackData = nullptr;
  std::map<int, Control> controls;
  QSize designSize;
  std::vector<Anchor> anchors;
};

Panel* FindPanel(int handle);
Control* FindControl(int panel, int ctrl);
Kind KindOf(QWidget* w);
// Wires a control's Qt signals and mouse events to its numbered events.
void ConnectControl(Control& c);
void WatchPanel(Panel& p);
// Numeric editing, column widths and change events of a table.
void PrepareTable(Control& c);
int NextRuntimeCtrlId(Panel& p);
void ResizeAnchors(Panel& p);
// Hidden by its own setting, not merely because its panel is not shown yet.
inline bool ExplicitlyHidden(const QWidget* w) {
  return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}
// True while the layer itself changes a control, so no event is raised.
extern int gQuiet;

}  // namespace ui
