// Context menus of controls: items and separators that the program appends,
// dimmed or not, shown on a right click through the dialog interface (a real
// menu, or the scripted answers of a test).
#include <QObject>
#include <QWidget>
#include <map>
#include <vector>

#include "ui/dialogs.h"
#include "ui/registry.h"

namespace ui {

namespace {

struct Item {
  int id = 0;  // 0 for a separator
  std::string label;
  MenuItemCallback fn = nullptr;
  void* data = nullptr;
  bool dimmed = false;
};

// Keyed by the control's widget, so a menu goes with the panel that held it.
std::map<QWidget*, std::vector<Item>>& Menus() {
  static std::map<QWidget*, std::vector<Item>> menus;
  return menus;
}

std::vector<Item>* MenuOf(int panel, int ctrl, bool create) {
  Control* c = FindControl(panel, ctrl);
  if (!c || !c->widget) return nullptr;
  QWidget* w = c->widget;
  auto& menus = Menus();
  auto it = menus.find(w);
  if (it != menus.end()) return &it->second;
  if (!create) return nullptr;
  QObject::connect(w, &QObject::destroyed, [w] { Menus().erase(w); });
  return &menus[w];
}

Item* ItemOf(int panel, int ctrl, int item) {
  std::vector<Item>* menu = MenuOf(panel, ctrl, false);
  if (!menu || item < 1) return nullptr;
  for (Item& i : *menu)
    if (i.id == item) return &i;
  return nullptr;
}

}  // namespace

int NewCtrlMenuItem(int panel, int ctrl, const std::string& label, MenuItemCallback fn,
                    void* callbackData) {
  std::vector<Item>* menu = MenuOf(panel, ctrl, true);
  if (!menu) return -1;
  int id = 1;
  for (const Item& i : *menu) id += i.id != 0;
  menu->push_back({id, label, fn, callbackData, false});
  return id;
}

int NewCtrlMenuSeparator(int panel, int ctrl) {
  std::vector<Item>* menu = MenuOf(panel, ctrl, true);
  if (!menu) return -1;
  menu->push_back({});
  return 0;
}

int SetCtrlMenuAttribute(int panel, int ctrl, int item, CtrlAttr attr, int value) {
  Item* i = ItemOf(panel, ctrl, item);
  if (!i || attr != ATTR_DIMMED) return -1;
  i->dimmed = value != 0;
  return 0;
}

int GetCtrlMenuAttribute(int panel, int ctrl, int item, CtrlAttr attr) {
  Item* i = ItemOf(panel, ctrl, item);
  if (!i || attr != ATTR_DIMMED) return -1;
  return i->dimmed ? 1 : 0;
}

bool HasCtrlMenu(int panel, int ctrl) {
  std::vector<Item>* menu = MenuOf(panel, ctrl, false);
  return menu && !menu->empty();
}

int RunCtrlMenu(int panel, int ctrl) {
  std::vector<Item>* menu = MenuOf(panel, ctrl, false);
  if (!menu || menu->empty()) return 0;
  std::vector<MenuEntry> entries;
  for (const Item& i : *menu) entries.push_back({i.label, i.id == 0, i.dimmed});
  int index = Dialogs().Menu(entries);
  // The menu may have changed while it was open; look the item up again.
  menu = MenuOf(panel, ctrl, false);
  if (!menu || index < 0 || index >= static_cast<int>(menu->size())) return 0;
  Item chosen = (*menu)[static_cast<size_t>(index)];
  if (chosen.id == 0 || chosen.dimmed) return 0;
  if (chosen.fn) chosen.fn(panel, ctrl, chosen.id, chosen.data);
  return chosen.id;
}

}  // namespace ui
