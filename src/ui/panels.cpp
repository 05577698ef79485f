// Loading panels from the layout file, and the panel-level services.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableWidget>
#include <QtUiTools/QUiLoader>
#include <memory>
#include <vector>

#include "ui/registry.h"
#include "ui/widgets.h"

namespace ui {

namespace {

std::vector<UirPanelDef> gPanelDefs;
std::vector<UirCtrlDef> gCtrlDefs;
std::map<std::string, CtrlCallback> gCtrlCallbacks;
std::map<std::string, PanelCallback> gPanelCallbacks;
std::map<int, Panel> gPanels;
std::string gProjectDir;

class Loader : public QUiLoader {
 public:
  QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
    QWidget* w = nullptr;
    if (className == "UiNumDisplay")
      w = new NumDisplay(parent);
    else if (className == "UiLed")
      w = new Led(parent);
    else if (className == "UiSlide")
      w = new Slide(parent);
    else if (className == "UiColorNumeric")
      w = new ColorNumeric(parent);
    else if (className == "UiGraph")
      w = new Graph(parent);
    else if (className == "UiStripChart")
      w = new StripChart(parent);
    if (!w) return QUiLoader::createWidget(className, parent, name);
    w->setObjectName(name);
    return w;
  }
};

// One parsed copy of the layout file per path; panels are taken out of it.
struct LayoutCache {
  std::string path;
  std::unique_ptr<QWidget> root;
};
LayoutCache gCache;
std::string gLoadError;

QWidget* LoadRoot(const std::string& path) {
  QFile f(QString::fromStdString(path));
  // Checked first: a missing file would otherwise read as a malformed one.
  if (!f.exists() || !f.open(QFile::ReadOnly)) return nullptr;
  Loader loader;
  QWidget* root = loader.load(&f);
  return root;
}

QWidget* TakePanelWidget(const std::string& path, const char* name) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!gCache.root || gCache.path != path) {
      gCache.root.reset(LoadRoot(path));
      gCache.path = path;
      if (!gCache.root) return nullptr;
    }
    QWidget* w = gCache.root->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (w) return w;
    gCache.root.reset();  // taken before: parse the file afresh
  }
  return nullptr;
}

const UirPanelDef* PanelDef(int id) {
  for (const auto& d : gPanelDefs)
    if (d.id == id && d.parent == 0) return &d;
  return nullptr;
}

void ApplyCustomProperties(QWidget* w) {
  if (auto* n = dynamic_cast<NumDisplay*>(w))
    n->ApplyLayoutProperties();
  else if (auto* l = dynamic_cast<Led*>(w))
    l->ApplyLayoutProperties();
  else if (auto* s = dynamic_cast<Slide*>(w))
    s->ApplyLayoutProperties();
  else if (auto* c = dynamic_cast<ColorNumeric*>(w))
    c->ApplyLayoutProperties();
  else if (auto* g = dynamic_cast<Graph*>(w))
    g->ApplyLayoutProperties();
  else if (auto* sc = dynamic_cast<StripChart*>(w))
    sc->ApplyLayoutProperties();
}

QLabel* BuddyLabel(QWidget* panelWidget, QWidget* ctrl) {
  for (QLabel* l : panelWidget->findChildren<QLabel*>())
    if (l->buddy() == ctrl) return l;
  return nullptr;
}

void RegisterControl(Panel& owner, QWidget* panelWidget, int id, QWidget* w) {
  Control c;
  c.widget = w;
  c.kind = KindOf(w);
  c.panel = owner.handle;
  c.id = id;
  c.label = BuddyLabel(panelWidget, w);
  // A control hidden or dimmed in the layout takes its caption with it.
  if (c.label) {
    if (ExplicitlyHidden(w)) c.label->hide();
    if (!w->isEnabled()) c.label->setEnabled(false);
  }
  QString cb = w->property("callback").toString();
  if (!cb.isEmpty()) {
    auto it = gCtrlCallbacks.find(cb.toStdString());
    if (it != gCtrlCallbacks.end()) c.callback = it->second;
  }
  ApplyCustomProperties(w);
  if (auto* r = qobject_cast<QRadioButton*>(w)) r->setAutoExclusive(false);
  if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) s->setKeyboardTracking(false);
  if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
    combo->setInsertPolicy(QComboBox::NoInsert);
  auto& slot = owner.controls[id];
  slot = c;
  ConnectControl(slot);
}

// Widgets at the top level of a panel that touch its right or bottom edge and
// hold other things (pages, child panels, graphs) grow with the panel.
void RecordAnchors(Panel& p) {
  QWidget* pw = p.widget;
  QSize s = pw->size();
  for (QObject* o : pw->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    bool container = qobject_cast<QTabWidget*>(w) || qobject_cast<QGroupBox*>(w) ||
                     dynamic_cast<Graph*>(w) || dynamic_cast<StripChart*>(w) ||
                     qobject_cast<QTableWidget*>(w) || qobject_cast<QPlainTextEdit*>(w);
    if (!container) continue;
    Anchor a;
    a.widget = w;
    a.design = w->geometry();
    a.stretchRight = s.width() - a.design.right() - 1 <= 12;
    a.stretchBottom = s.height() - a.design.bottom() - 1 <= 12;
    if (a.stretchRight || a.stretchBottom) p.anchors.push_back(a);
  }
}

}  // namespace

int gQuiet = 0;

Panel* FindPanel(int handle) {
  auto it = gPanels.find(handle);
  if (it == gPanels.end() || !it->second.widget) return nullptr;
  return &it->second;
}

Control* FindControl(int panel, int ctrl) {
  Panel* p = FindPanel(panel);
  if (!p) return nullptr;
  auto it = p->controls.find(ctrl);
  if (it == p->controls.end() || !it->second.widget) return nullptr;
  return &it->second;
}

Kind KindOf(QWidget* w) {
  if (dynamic_cast<NumDisplay*>(w)) return Kind::NumDisplay;
  if (dynamic_cast<Led*>(w)) return Kind::Led;
  if (dynamic_cast<Slide*>(w)) return Kind::Slide;
  if (dynamic_cast<ColorNumeric*>(w)) return Kind::ColorNum;
  if (dynamic_cast<Graph*>(w)) return Kind::Graph;
  if (dynamic_cast<StripChart*>(w)) return Kind::Strip;
  if (qobject_cast<QPushButton*>(w)) return Kind::Button;
  if (qobject_cast<QDoubleSpinBox*>(w)) return Kind::NumericDouble;
  if (qobject_cast<QSpinBox*>(w)) return Kind::Numeric;
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->isEditable() ? Kind::Combo : Kind::Ring;
  if (qobject_cast<QCheckBox*>(w)) return Kind::Switch;
  if (qobject_cast<QRadioButton*>(w)) return Kind::Radio;
  if (qobject_cast<QLineEdit*>(w)) return Kind::String;
  if (qobject_cast<QPlainTextEdit*>(w)) return Kind::TextBox;
  if (qobject_cast<QLabel*>(w)) return Kind::TextMsg;
  if (qobject_cast<QTableWidget*>(w)) return Kind::Table;
  if (qobject_cast<QTabWidget*>(w)) return Kind::Tab;
  if (qobject_cast<QProgressBar*>(w)) return Kind::Bar;
  if (qobject_cast<QFrame*>(w)) return Kind::Deco;
  return Kind::Unknown;
}

int NextRuntimeCtrlId(Panel& p) {
  int id = 1000;
  while (p.controls.count(id)) ++id;
  return id;
}

void RegisterCallbacks(const CtrlCallbackName* ctrls, int nCtrls, const PanelCallbackName* panels,
                       int nPanels) {
  for (int i = 0; i < nCtrls; ++i) gCtrlCallbacks[ctrls[i].name] = ctrls[i].fn;
  for (int i = 0; i < nPanels; ++i) gPanelCallbacks[panels[i].name] = panels[i].fn;
}

void RegisterLayout(const UirPanelDef* panels, int nPanels, const UirCtrlDef* ctrls, int nCtrls) {
  gPanelDefs.assign(panels, panels + nPanels);
  gCtrlDefs.assign(ctrls, ctrls + nCtrls);
}

int InitCVIRTE(int argc, char** argv) {
  if (QApplication::instance()) return 1;
  static int sArgc = 1;
  static char* sArgv[2] = {nullptr, nullptr};
  static std::string name = argc > 0 && argv && argv[0] ? argv[0] : "Colmira3V42";
  sArgv[0] = name.data();
  // Lives as long as the process: tearing it down among the static
  // destructors would race with Qt's own.
  new QApplication(sArgc, sArgv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  Timer();
  return 1;
}

const std::string& GetLoadError() {
  return gLoadError;
}

int LoadPanel(int parent, const std::string& file, int resourceId) {
  gLoadError.clear();
  const UirPanelDef* def = PanelDef(resourceId);
  if (!def) return -1;
  if (FindPanel(resourceId)) return -1;  // one instance of each panel
  Panel* parentPanel = nullptr;
  if (parent != 0) {
    parentPanel = FindPanel(parent);
    if (!parentPanel) return -1;
  }
  QWidget* w = TakePanelWidget(file, def->objectName);
  if (!w) return -1;

  // Every page and control the program addresses must be there.
  struct Found {
    const UirCtrlDef* def;
    QWidget* widget;
  };
  std::vector<std::pair<const UirPanelDef*, QWidget*>> pages;
  for (const auto& pd : gPanelDefs) {
    if (pd.parent != resourceId) continue;
    QWidget* page = w->findChild<QWidget*>(pd.objectName);
    if (!page) {
      delete w;
      return -1;
    }
    pages.emplace_back(&pd, page);
  }
  std::vector<Found> found;
  for (const auto& cd : gCtrlDefs) {
    bool mine = cd.panel == resourceId;
    for (auto& pg : pages) mine = mine || cd.panel == pg.first->id;
    if (!mine) continue;
    QWidget* cw = w->findChild<QWidget*>(cd.objectName);
    if (!cw) {
      delete w;
      return -1;
    }
    found.push_back({&cd, cw});
  }
  // A callback name the program does not know means the layout and the program
  // do not belong together: refuse the panel rather than leave a control dead.
  auto unknownCallback = [&](QWidget* named, const auto& book) {
    std::string cb = named->property("callback").toString().toStdString();
    if (cb.empty() || book.count(cb)) return false;
    gLoadError = "The layout file names the callback " + cb + " on " +
                 named->objectName().toStdString() + ", which this program does not have.";
    return true;
  };
  bool unknown = unknownCallback(w, gPanelCallbacks);
  for (auto& f : found) unknown = unknown || unknownCallback(f.widget, gCtrlCallbacks);
  if (unknown) {
    delete w;
    return -1;
  }

  w->setParent(parentPanel ? parentPanel->widget.data() : nullptr,
               parentPanel ? Qt::Widget : Qt::Window);
  w->hide();
  // A window opens where the layout places it on the screen; its position in
  // the layout file only arranges the panels for editing.
  QStringList screenPos = w->property("screenPos").toString().split(',');
  if (!parentPanel && screenPos.size() == 2)
    w->setGeometry(QRect(QPoint(screenPos[0].toInt(), screenPos[1].toInt()), w->size()));
  Panel& p = gPanels[resourceId];
  p = Panel{};
  p.widget = w;
  p.handle = resourceId;
  p.parent = parent;
  p.designSize = w->size();
  QString cb = w->property("callback").toString();
  if (!cb.isEmpty()) {
    auto it = gPanelCallbacks.find(cb.toStdString());
    if (it != gPanelCallbacks.end()) p.callback = it->second;
  }
  for (auto& pg : pages) {
    Panel& page = gPanels[pg.first->id];
    page = Panel{};
    page.widget = pg.second;
    page.handle = pg.first->id;
    page.parent = resourceId;
    page.isPage = true;
    page.tabCtrl = pg.first->tabCtrl;
    page.pageIndex = pg.first->pageIndex;
  }
  for (auto& f : found) RegisterControl(gPanels[f.def->panel], w, f.def->id, f.widget);
  RecordAnchors(p);
  WatchPanel(p);
  return resourceId;
}

int DiscardPanel(int panel) {
  Panel* p = FindPanel(panel);
  if (!p || p->isPage) return -1;
  // Children and pages go with their panel.
  std::vector<int> gone{panel};
  for (size_t i = 0; i < gone.size(); ++i)
    for (auto& [h, q] : gPanels)
      if (q.parent == gone[i] && std::find(gone.begin(), gone.end(), h) == gone.end())
        gone.push_back(h);
  QWidget* w = p->widget;
  for (int h : gone) gPanels.erase(h);
  delete w;
  return 0;
}

bool PanelExists(int panel) {
  return FindPanel(panel) != nullptr;
}

int DisplayPanel(int panel) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  if (p->isPage) return 0;
  p->widget->show();
  if (p->widget->isWindow() && QGuiApplication::platformName() != "offscreen") p->widget->raise();
  return 0;
}

int HidePanel(int panel) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  if (!p->isPage) p->widget->hide();
  return 0;
}

int InstallPopup(int panel) {
  Panel* p = FindPanel(panel);
  if (!p || !p->widget->isWindow()) return -1;
  p->widget->setWindowModality(Qt::ApplicationModal);
  // Centred over the window the user works in.
  if (QWidget* over = QApplication::activeWindow(); over && over != p->widget) {
    QRect g = p->widget->geometry();
    g.moveCenter(over->geometry().center());
    p->widget->setGeometry(g);
  }
  p->widget->show();
  p->widget->raise();
  p->widget->activateWindow();
  return 0;
}

int RemovePopup(int panel) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  p->widget->hide();
  p->widget->setWindowModality(Qt::NonModal);
  return 0;
}

int SetPanelAttribute(int panel, PanelAttr attr, int value) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  QWidget* w = p->widget;
  QRect g = w->geometry();
  switch (attr) {
    case ATTR_TOP:
    case ATTR_LEFT: {
      bool top = attr == ATTR_TOP;
      if (value == VAL_AUTO_CENTER) {
        QRect area = w->isWindow() && w->screen() ? w->screen()->availableGeometry()
                     : w->parentWidget()          ? w->parentWidget()->rect()
                                                  : QRect(0, 0, 1024, 768);
        value = top ? area.top() + (area.height() - g.height()) / 2
                    : area.left() + (area.width() - g.width()) / 2;
      }
      if (top)
        g.moveTop(value);
      else
        g.moveLeft(value);
      w->setGeometry(g);
      return 0;
    }
    case ATTR_WIDTH:
      g.setWidth(value);
      w->setGeometry(g);
      return 0;
    case ATTR_HEIGHT:
      g.setHeight(value);
      w->setGeometry(g);
      return 0;
    case ATTR_WINDOW_ZOOM: {
      Qt::WindowStates s = value == VAL_MAXIMIZE   ? Qt::WindowMaximized
                           : value == VAL_MINIMIZE ? Qt::WindowMinimized
                                                   : Qt::WindowNoState;
      w->setWindowState(s);
      return 0;
    }
    case ATTR_PANEL_VISIBLE:
      w->setVisible(value != 0);
      return 0;
    case ATTR_TITLE:
      return -1;
  }
  return -1;
}

int SetPanelAttribute(int panel, PanelAttr attr, const std::string& value) {
  Panel* p = FindPanel(panel);
  if (!p || attr != ATTR_TITLE) return -1;
  p->widget->setWindowTitle(QString::fromStdString(value));
  return 0;
}

int GetPanelAttribute(int panel, PanelAttr attr) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  QWidget* w = p->widget;
  switch (attr) {
    case ATTR_TOP:
      return w->geometry().top();
    case ATTR_LEFT:
      return w->geometry().left();
    case ATTR_WIDTH:
      return w->geometry().width();
    case ATTR_HEIGHT:
      return w->geometry().height();
    case ATTR_WINDOW_ZOOM: {
      Qt::WindowStates s = w->windowState();
      return s & Qt::WindowMaximized ? VAL_MAXIMIZE : s & Qt::WindowMinimized ? VAL_MINIMIZE : 0;
    }
    case ATTR_PANEL_VISIBLE:
      return w->isVisible() ? 1 : 0;
    case ATTR_TITLE:
      return -1;
  }
  return -1;
}

int SetPanelPos(int panel, int top, int left) {
  if (SetPanelAttribute(panel, ATTR_TOP, top) < 0) return -1;
  return SetPanelAttribute(panel, ATTR_LEFT, left);
}

int SetPanelSize(int panel, int height, int width) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  QRect g = p->widget->geometry();
  g.setSize(QSize(width, height));
  p->widget->setGeometry(g);
  return 0;
}

std::string GetProjectDir() {
  if (!gProjectDir.empty()) return gProjectDir;
  return QCoreApplication::applicationDirPath().toStdString();
}

void SetProjectDir(const std::string& dir) {
  gProjectDir = dir;
}

bool FileExists(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

void ResizeAnchors(Panel& p) {
  QSize now = p.widget->size();
  int dw = now.width() - p.designSize.width();
  int dh = now.height() - p.designSize.height();
  for (auto& a : p.anchors) {
    if (!a.widget) continue;
    QRect g = a.design;
    if (a.stretchRight) g.setWidth(qMax(a.design.width() + dw, a.design.width()));
    if (a.stretchBottom) g.setHeight(qMax(a.design.height() + dh, a.design.height()));
    a.widget->setGeometry(g);
  }
  // Child panels fill the area from their place to the parent's edges.
  for (auto& [h, c] : gPanels) {
    if (c.parent != p.handle || c.isPage || !c.widget) continue;
    QRect g = c.widget->geometry();
    g.setWidth(qMax(now.width() - g.left(), c.designSize.width()));
    g.setHeight(qMax(now.height() - g.top(), c.designSize.height()));
    c.widget->setGeometry(g);
  }
}

}  // namespace ui
