#include "gui/params/parameter_rules.h"

#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

int Para() {
  return gShell.tabMain[kPageParameters];
}

}  // namespace

void RebuildTriggerItems() {
  int para = Para();
  if (ui::GetCtrlInt(para, TABPARA_RING_EXTEACH) != 0) {
    if (ui::GetCtrlInt(para, TABPARA_RING_TRIGGER) >= 2)
      ui::SetCtrlVal(para, TABPARA_RING_TRIGGER, 0);
    if (ui::GetNumListItems(para, TABPARA_RING_TRIGGER) > 2)
      ui::DeleteListItem(para, TABPARA_RING_TRIGGER, 2, -1);
  } else if (ui::GetNumListItems(para, TABPARA_RING_TRIGGER) <= 2) {
    static const char* const kItems[] = {"EXT1", "EXT2", "EXT3", "TRANS", "PARA"};
    for (int i = 0; i < 5; ++i)
      ui::InsertListItem(para, TABPARA_RING_TRIGGER, 2 + i, kItems[i], 2 + i);
  }
}
