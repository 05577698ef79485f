// Values, attributes and list items of controls, tab pages, text boxes.
// Changes made by the program raise no events.
#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextCursor>
#include <cmath>

#include "ui/registry.h"
#include "ui/screen_refresh.h"
#include "ui/widgets.h"

namespace ui {

namespace {

struct Quiet {
  Quiet() { ++gQuiet; }
  ~Quiet() { --gQuiet; }
};

QColor Rgb(int rgb) {
  return QColor(QRgb(0xFF000000u | (static_cast<unsigned>(rgb) & 0xFFFFFF)));
}
int ToRgb(const QColor& c) {
  return static_cast<int>(c.rgb() & 0xFFFFFF);
}

QString Text(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

int RingIndexOfValue(QComboBox* box, int value) {
  for (int i = 0; i < box->count(); ++i)
    if (box->itemData(i).toInt() == value) return i;
  return -1;
}

// Rings carry their item values as item data; the layout may give them in a
// property "itemValues", else each item's value is its index.
void EnsureRingValues(QComboBox* box) {
  if (box->property("uiValuesSet").toBool()) return;
  box->setProperty("uiValuesSet", true);
  QStringList given = box->property("itemValues").toString().split(',', Qt::SkipEmptyParts);
  for (int i = 0; i < box->count(); ++i)
    box->setItemData(i, i < given.size() ? given[i].trimmed().toInt() : i);
}

// Labels placed by hand (not by a layout) take the size of their text.
void FitFreeLabel(QWidget* w) {
  if (qobject_cast<QLabel*>(w) && (!w->parentWidget() || !w->parentWidget()->layout()))
    w->adjustSize();
}

void SetColorRole(QWidget* w, QPalette::ColorRole role, int rgb) {
  QPalette pal = w->palette();
  pal.setColor(role, Rgb(rgb));
  w->setPalette(pal);
}

}  // namespace

int SetCtrlVal(int panel, int ctrl, double value) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  Quiet q;
  QWidget* w = c->widget;
  int iv = static_cast<int>(std::lround(value));
  switch (c->kind) {
    case Kind::Numeric:
      static_cast<QSpinBox*>(w)->setValue(iv);
      return 0;
    case Kind::NumericDouble:
      static_cast<QDoubleSpinBox*>(w)->setValue(value);
      return 0;
    case Kind::NumDisplay:
      static_cast<NumDisplay*>(w)->SetValue(value);
      return 0;
    case Kind::Ring: {
      auto* box = static_cast<QComboBox*>(w);
      EnsureRingValues(box);
      int idx = RingIndexOfValue(box, iv);
      if (idx < 0) return -1;
      box->setCurrentIndex(idx);
      return 0;
    }
    case Kind::Switch:
    case Kind::Radio:
      static_cast<QAbstractButton*>(w)->setChecked(iv != 0);
      return 0;
    case Kind::Led:
      static_cast<Led*>(w)->SetOn(iv != 0);
      return 0;
    case Kind::Slide:
      static_cast<Slide*>(w)->SetValue(iv);
      return 0;
    case Kind::ColorNum:
      static_cast<ColorNumeric*>(w)->SetColor(iv);
      return 0;
    case Kind::Bar:
      SetBarValueSoon(static_cast<QProgressBar*>(w), iv);
      return 0;
    case Kind::String:
    case Kind::TextMsg:
    case Kind::Combo:
    case Kind::TextBox:
      return SetCtrlVal(panel, ctrl, QString::number(value).toStdString());
    default:
      return -1;
  }
}

int SetCtrlVal(int panel, int ctrl, int value) {
  return SetCtrlVal(panel, ctrl, static_cast<double>(value));
}

int SetCtrlVal(int panel, int ctrl, const char* value) {
  return SetCtrlVal(panel, ctrl, std::string(value ? value : ""));
}

int SetCtrlVal(int panel, int ctrl, const std::string& value) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  Quiet q;
  QWidget* w = c->widget;
  switch (c->kind) {
    case Kind::String: {
      auto* le = static_cast<QLineEdit*>(w);
      le->setText(Text(value));
      le->setCursorPosition(0);
      // A display too narrow for its text shows the whole of it on hover.
      if (le->isReadOnly()) le->setToolTip(le->text());
      le->setModified(false);
      return 0;
    }
    case Kind::TextMsg:
      static_cast<QLabel*>(w)->setText(Text(value));
      FitFreeLabel(w);
      return 0;
    case Kind::Combo:
      static_cast<QComboBox*>(w)->setEditText(Text(value));
      return 0;
    case Kind::TextBox:
      static_cast<QPlainTextEdit*>(w)->setPlainText(Text(value));
      return 0;
    default:
      return -1;
  }
}

double GetCtrlDouble(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return 0;
  QWidget* w = c->widget;
  switch (c->kind) {
    case Kind::Numeric:
      return static_cast<QSpinBox*>(w)->value();
    case Kind::NumericDouble:
      return static_cast<QDoubleSpinBox*>(w)->value();
    case Kind::NumDisplay:
      return static_cast<NumDisplay*>(w)->Value();
    case Kind::Ring: {
      auto* box = static_cast<QComboBox*>(w);
      EnsureRingValues(box);
      return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
    }
    case Kind::Switch:
    case Kind::Radio:
      return static_cast<QAbstractButton*>(w)->isChecked() ? 1 : 0;
    case Kind::Led:
      return static_cast<Led*>(w)->IsOn() ? 1 : 0;
    case Kind::Slide:
      return static_cast<Slide*>(w)->Value();
    case Kind::ColorNum:
      return static_cast<ColorNumeric*>(w)->Color();
    case Kind::Bar:
      return BarValue(static_cast<QProgressBar*>(w));
    case Kind::String:
    case Kind::TextMsg:
    case Kind::Combo:
      return QString::fromStdString(GetCtrlString(panel, ctrl)).toDouble();
    default:
      return 0;
  }
}

int GetCtrlInt(int panel, int ctrl) {
  return static_cast<int>(std::lround(GetCtrlDouble(panel, ctrl)));
}

std::string GetCtrlString(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return {};
  QWidget* w = c->widget;
  switch (c->kind) {
    case Kind::String:
      return static_cast<QLineEdit*>(w)->text().toStdString();
    case Kind::TextMsg:
      return static_cast<QLabel*>(w)->text().toStdString();
    case Kind::Combo:
      return static_cast<QComboBox*>(w)->currentText().toStdString();
    case Kind::TextBox:
      return static_cast<QPlainTextEdit*>(w)->toPlainText().toStdString();
    case Kind::Ring:
      return static_cast<QComboBox*>(w)->currentText().toStdString();
    default:
      return QString::number(GetCtrlDouble(panel, ctrl)).toStdString();
  }
}

int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, double value) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  QWidget* w = c->widget;
  if (attr == ATTR_MIN_VALUE || attr == ATTR_MAX_VALUE) {
    bool min = attr == ATTR_MIN_VALUE;
    Quiet q;
    if (auto* s = qobject_cast<QSpinBox*>(w)) {
      min ? s->setMinimum(static_cast<int>(value)) : s->setMaximum(static_cast<int>(value));
    } else if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) {
      min ? d->setMinimum(value) : d->setMaximum(value);
    } else if (auto* b = qobject_cast<QProgressBar*>(w)) {
      min ? b->setMinimum(static_cast<int>(value)) : b->setMaximum(static_cast<int>(value));
    } else if (c->kind == Kind::Slide) {
      auto* s = static_cast<Slide*>(w);
      int lo = min ? static_cast<int>(value) : s->Box()->minimum();
      int hi = min ? s->Box()->maximum() : static_cast<int>(value);
      s->SetRange(lo, hi);
    } else {
      return -1;
    }
    return 0;
  }
  return SetCtrlAttribute(panel, ctrl, attr, static_cast<int>(value));
}

int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, int value) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  QWidget* w = c->widget;
  switch (attr) {
    case ATTR_DIMMED:
      w->setEnabled(value == 0);
      if (c->label) c->label->setEnabled(value == 0);
      return 0;
    case ATTR_VISIBLE:
      w->setVisible(value != 0);
      if (c->label) c->label->setVisible(value != 0);
      return 0;
    case ATTR_TEXT_COLOR:
      if (c->kind == Kind::NumDisplay) {
        static_cast<NumDisplay*>(w)->SetTextColor(Rgb(value));
        return 0;
      }
      SetColorRole(w,
                   c->kind == Kind::Button                                   ? QPalette::ButtonText
                   : c->kind == Kind::TextMsg || c->kind == Kind::NumDisplay ? QPalette::WindowText
                                                                             : QPalette::Text,
                   value);
      return 0;
    case ATTR_TEXT_BGCOLOR:
      if (c->kind == Kind::NumDisplay) {
        static_cast<NumDisplay*>(w)->SetBackground(Rgb(value));
        return 0;
      }
      w->setAutoFillBackground(true);
      SetColorRole(w, c->kind == Kind::TextMsg ? QPalette::Window : QPalette::Base, value);
      return 0;
    case ATTR_FRAME_COLOR:
      if (c->kind == Kind::NumDisplay) {
        static_cast<NumDisplay*>(w)->SetFrameColor(Rgb(value));
        return 0;
      }
      if (c->kind == Kind::Deco || c->kind == Kind::TextMsg) {
        w->setAutoFillBackground(true);
        SetColorRole(w, QPalette::Window, value);
      } else {
        SetColorRole(w, QPalette::Window, value);
        SetColorRole(w, QPalette::Button, value);
      }
      return 0;
    case ATTR_CMD_BUTTON_COLOR:
      SetColorRole(w, QPalette::Button, value);
      return 0;
    case ATTR_ON_COLOR:
      if (c->kind != Kind::Led) return -1;
      static_cast<Led*>(w)->SetOnColor(Rgb(value));
      return 0;
    case ATTR_OFF_COLOR:
      if (c->kind != Kind::Led) return -1;
      static_cast<Led*>(w)->SetOffColor(Rgb(value));
      return 0;
    case ATTR_CTRL_MODE: {
      bool indicator = value == VAL_INDICATOR;
      if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) {
        s->setReadOnly(indicator);
        s->setButtonSymbols(indicator ? QAbstractSpinBox::NoButtons
                                      : QAbstractSpinBox::UpDownArrows);
      } else if (auto* le = qobject_cast<QLineEdit*>(w)) {
        le->setReadOnly(indicator);
      } else if (c->kind == Kind::ColorNum) {
        static_cast<ColorNumeric*>(w)->SetIndicator(indicator);
      } else {
        w->setAttribute(Qt::WA_TransparentForMouseEvents, indicator);
        w->setFocusPolicy(indicator ? Qt::NoFocus : Qt::StrongFocus);
      }
      w->setProperty("uiIndicator", indicator);
      return 0;
    }
    case ATTR_PRECISION:
      if (c->kind == Kind::NumDisplay)
        static_cast<NumDisplay*>(w)->SetPrecision(value);
      else if (auto* d = qobject_cast<QDoubleSpinBox*>(w))
        d->setDecimals(value);
      else
        return -1;
      return 0;
    case ATTR_TEXT_POINT_SIZE: {
      QFont f = w->font();
      f.setPointSize(value);
      w->setFont(f);
      FitFreeLabel(w);
      return 0;
    }
    case ATTR_TEXT_BOLD: {
      QFont f = w->font();
      f.setBold(value != 0);
      w->setFont(f);
      return 0;
    }
    case ATTR_MAX_ENTRY_LENGTH:
      if (auto* le = qobject_cast<QLineEdit*>(w))
        le->setMaxLength(value);
      else if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        cb->lineEdit()->setMaxLength(value);
      else
        return -1;
      return 0;
    case ATTR_TOP_POS:
    case ATTR_LEFT_POS:
    case ATTR_WIDTH_SIZE:
    case ATTR_HEIGHT_SIZE: {
      QRect g = w->geometry();
      if (attr == ATTR_TOP_POS) g.moveTop(value);
      if (attr == ATTR_LEFT_POS) g.moveLeft(value);
      if (attr == ATTR_WIDTH_SIZE) g.setWidth(value);
      if (attr == ATTR_HEIGHT_SIZE) g.setHeight(value);
      w->setGeometry(g);
      return 0;
    }
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
      return SetCtrlAttribute(panel, ctrl, attr, static_cast<double>(value));
    default:
      return -1;
  }
}

int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, const char* value) {
  return SetCtrlAttribute(panel, ctrl, attr, std::string(value ? value : ""));
}

int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, const std::string& value) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  QWidget* w = c->widget;
  switch (attr) {
    case ATTR_LABEL_TEXT:
      if (c->label)
        c->label->setText(Text(value));
      else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(Text(value));
      else
        w->setProperty("uiLabel", Text(value));
      return 0;
    case ATTR_TEXT_FONT:
      // Named dialog fonts of other platforms map onto the system font.
      w->setFont(QFont());
      return 0;
    case ATTR_PASSWORD_MASK:
      if (auto* le = qobject_cast<QLineEdit*>(w)) {
        le->setEchoMode(value.empty() ? QLineEdit::Normal : QLineEdit::Password);
        // The style's own mask character (often a dot) gives way to the one asked for.
        le->setStyleSheet(value.empty() ? QString()
                                        : QString("QLineEdit { lineedit-password-character: %1; }")
                                              .arg(QString::fromStdString(value).at(0).unicode()));
        return 0;
      }
      return -1;
    default:
      return -1;
  }
}

int GetCtrlAttribute(int panel, int ctrl, CtrlAttr attr) {
  Control* c = FindControl(panel, ctrl);
  if (!c) return -1;
  QWidget* w = c->widget;
  switch (attr) {
    case ATTR_DIMMED:
      return w->isEnabled() ? 0 : 1;
    case ATTR_VISIBLE:
      // The control's own setting, whether or not its panel is shown now.
      return ExplicitlyHidden(w) ? 0 : 1;
    case ATTR_CTRL_MODE:
      if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return s->isReadOnly() ? 1 : 0;
      if (auto* le = qobject_cast<QLineEdit*>(w)) return le->isReadOnly() ? 1 : 0;
      return w->property("uiIndicator").toBool() ? 1 : 0;
    case ATTR_TEXT_COLOR:
      if (c->kind == Kind::NumDisplay) return ToRgb(static_cast<NumDisplay*>(w)->TextColor());
      return ToRgb(w->palette().color(c->kind == Kind::Button ? QPalette::ButtonText
                                      : c->kind == Kind::TextMsg || c->kind == Kind::NumDisplay
                                          ? QPalette::WindowText
                                          : QPalette::Text));
    case ATTR_TEXT_BGCOLOR:
      if (c->kind == Kind::NumDisplay) return ToRgb(static_cast<NumDisplay*>(w)->Background());
      return ToRgb(
          w->palette().color(c->kind == Kind::TextMsg ? QPalette::Window : QPalette::Base));
    case ATTR_FRAME_COLOR:
      if (c->kind == Kind::NumDisplay) return ToRgb(static_cast<NumDisplay*>(w)->FrameColor());
      return ToRgb(w->palette().color(QPalette::Window));
    case ATTR_CMD_BUTTON_COLOR:
      return ToRgb(w->palette().color(QPalette::Button));
    case ATTR_ON_COLOR:
      return c->kind == Kind::Led ? ToRgb(static_cast<Led*>(w)->OnColor()) : -1;
    case ATTR_OFF_COLOR:
      return c->kind == Kind::Led ? ToRgb(static_cast<Led*>(w)->OffColor()) : -1;
    case ATTR_PRECISION:
      if (c->kind == Kind::NumDisplay) return static_cast<NumDisplay*>(w)->Precision();
      if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) return d->decimals();
      return 0;
    case ATTR_MIN_VALUE:
      if (auto* s = qobject_cast<QSpinBox*>(w)) return s->minimum();
      if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) return static_cast<int>(d->minimum());
      if (c->kind == Kind::Slide) return static_cast<Slide*>(w)->Box()->minimum();
      return 0;
    case ATTR_MAX_VALUE:
      if (auto* s = qobject_cast<QSpinBox*>(w)) return s->maximum();
      if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) return static_cast<int>(d->maximum());
      if (c->kind == Kind::Slide) return static_cast<Slide*>(w)->Box()->maximum();
      return 0;
    case ATTR_TEXT_POINT_SIZE:
      return w->font().pointSize();
    case ATTR_MAX_ENTRY_LENGTH:
      if (auto* le = qobject_cast<QLineEdit*>(w)) return le->maxLength();
      if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        return cb->lineEdit()->maxLength();
      return -1;
    case ATTR_TOP_POS:
      return w->geometry().top();
    case ATTR_LEFT_POS:
      return w->geometry().left();
    case ATTR_WIDTH_SIZE:
      return w->geometry().width();
    case ATTR_HEIGHT_SIZE:
      return w->geometry().height();
    default:
      return -1;
  }
}

std::string GetCtrlAttributeString(int panel, int ctrl, CtrlAttr attr) {
  Control* c = FindControl(panel, ctrl);
  if (!c || attr != ATTR_LABEL_TEXT) return {};
  if (c->label) return c->label->text().toStdString();
  if (auto* b = qobject_cast<QAbstractButton*>(c->widget.data())) return b->text().toStdString();
  return c->widget->property("uiLabel").toString().toStdString();
}

int AppendTextBox(int panel, int ctrl, const std::string& text) {
  Control* c = FindControl(panel, ctrl);
  if (!c || c->kind != Kind::TextBox) return -1;
  auto* box = static_cast<QPlainTextEdit*>(c->widget.data());
  QTextCursor cur(box->document());
  cur.movePosition(QTextCursor::End);
  cur.insertText(Text(text));
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
  return 0;
}

int ResetTextBox(int panel, int ctrl, const std::string& text) {
  return SetCtrlVal(panel, ctrl, text);
}

// ---- list items -----------------------------------------------------------

namespace {
QComboBox* ListBox(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  if (!c || (c->kind != Kind::Ring && c->kind != Kind::Combo)) return nullptr;
  auto* box = static_cast<QComboBox*>(c->widget.data());
  if (c->kind == Kind::Ring) EnsureRingValues(box);
  return box;
}
}  // namespace

int InsertListItem(int panel, int ctrl, int index, const std::string& label, int value) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box) return -1;
  Quiet q;
  QString keep = box->isEditable() ? box->currentText() : QString();
  if (index < 0 || index > box->count()) index = box->count();
  box->insertItem(index, Text(label), value);
  if (box->isEditable()) box->setEditText(keep);
  return 0;
}

int DeleteListItem(int panel, int ctrl, int index, int count) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box || index < 0 || index >= box->count()) return -1;
  Quiet q;
  QString keep = box->isEditable() ? box->currentText() : QString();
  int last = count < 0 ? box->count() - 1 : std::min(box->count() - 1, index + count - 1);
  for (int i = last; i >= index; --i) box->removeItem(i);
  if (box->isEditable()) box->setEditText(keep);
  return 0;
}

int ClearListCtrl(int panel, int ctrl) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box) return -1;
  Quiet q;
  QString keep = box->isEditable() ? box->currentText() : QString();
  box->clear();
  if (box->isEditable()) box->setEditText(keep);
  return 0;
}

int ReplaceListItem(int panel, int ctrl, int index, const std::string& label, int value) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box || index < 0 || index >= box->count()) return -1;
  Quiet q;
  box->setItemText(index, Text(label));
  box->setItemData(index, value);
  return 0;
}

int GetNumListItems(int panel, int ctrl) {
  QComboBox* box = ListBox(panel, ctrl);
  return box ? box->count() : -1;
}

std::string GetLabelFromIndex(int panel, int ctrl, int index) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box || index < 0 || index >= box->count()) return {};
  return box->itemText(index).toStdString();
}

int GetValueFromIndex(int panel, int ctrl, int index) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box || index < 0 || index >= box->count()) return -1;
  return box->itemData(index).toInt();
}

int GetIndexFromValue(int panel, int ctrl, int value) {
  QComboBox* box = ListBox(panel, ctrl);
  return box ? RingIndexOfValue(box, value) : -1;
}

int GetCtrlIndex(int panel, int ctrl) {
  QComboBox* box = ListBox(panel, ctrl);
  return box ? box->currentIndex() : -1;
}

int SetCtrlIndex(int panel, int ctrl, int index) {
  QComboBox* box = ListBox(panel, ctrl);
  if (!box || index < 0 || index >= box->count()) return -1;
  Quiet q;
  box->setCurrentIndex(index);
  return 0;
}

// ---- tab pages ------------------------------------------------------------

namespace {
QTabWidget* TabOf(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  return c && c->kind == Kind::Tab ? static_cast<QTabWidget*>(c->widget.data()) : nullptr;
}
}  // namespace

int SetActiveTabPage(int panel, int ctrl, int page) {
  QTabWidget* tab = TabOf(panel, ctrl);
  if (!tab || page < 0 || page >= tab->count()) return -1;
  if (!tab->isTabVisible(page)) return -1;
  Quiet q;
  tab->setCurrentIndex(page);
  return 0;
}

int GetActiveTabPage(int panel, int ctrl) {
  QTabWidget* tab = TabOf(panel, ctrl);
  return tab ? tab->currentIndex() : -1;
}

int SetTabPageVisible(int panel, int ctrl, int page, bool visible) {
  QTabWidget* tab = TabOf(panel, ctrl);
  if (!tab || page < 0 || page >= tab->count()) return -1;
  Quiet q;
  tab->setTabVisible(page, visible);
  return 0;
}

bool IsTabPageVisible(int panel, int ctrl, int page) {
  QTabWidget* tab = TabOf(panel, ctrl);
  return tab && page >= 0 && page < tab->count() && tab->isTabVisible(page);
}

int GetPanelHandleFromTabPage(int panel, int ctrl, int page) {
  Panel* owner = FindPanel(panel);
  if (!owner) return -1;
  QTabWidget* tab = TabOf(panel, ctrl);
  if (!tab || page < 0 || page >= tab->count()) return -1;
  QWidget* pw = tab->widget(page);
  for (int h = 1; h < 4096; ++h) {
    Panel* p = FindPanel(h);
    if (p && p->isPage && p->widget == pw) return h;
  }
  return -1;
}

int NewTextLabel(int panel, const std::string& label, int top, int left) {
  Panel* p = FindPanel(panel);
  if (!p) return -1;
  auto* l = new QLabel(p->widget);
  l->setText(Text(label));
  l->move(left, top);
  l->show();
  Control c;
  c.widget = l;
  c.kind = Kind::TextMsg;
  c.panel = panel;
  c.id = NextRuntimeCtrlId(*p);
  p->controls[c.id] = c;
  ConnectControl(p->controls[c.id]);
  return c.id;
}

}  // namespace ui
