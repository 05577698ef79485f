// Shapes of the tables that the layout generator writes into Colmira3V42_uir.h:
// which panels and tab pages the layout file holds, and which numbered controls
// each of them must contain. The platform layer resolves them when a panel loads.
#pragma once

namespace ui {

struct UirPanelDef {
  int id;                  // panel resource id, or the handle of a tab page
  const char* objectName;  // object name of the panel (or page) widget in the layout file
  int parent;              // panel that holds the tab control of a page; 0 for panels
  int tabCtrl;             // tab control on `parent` that holds the page; 0 for panels
  int pageIndex;           // index of the page in that tab control; -1 for panels
};

struct UirCtrlDef {
  int panel;               // panel id or page handle the control belongs to
  int id;                  // control id, unique within its panel or page
  const char* objectName;  // object name of the control's widget in the layout file
};

}  // namespace ui
