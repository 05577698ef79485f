// Callbacks of the table attributes page: row colours set by hand or taken
// from the live colour, and the table-attributes file.
#include "Colmira3V42.h"
#include "gui/teach/table_attributes.h"
#include "gui/teach/table_attributes_file.h"
#include "ui/dialogs.h"
#include "ui/ui.h"

namespace {

// This page answers a right click under its own title.
void ShowAttrHelp(const char* text) {
  ui::MessagePopup("Info", text);
}

// A commit runs `action`; a right click shows the help.
int AttrControl(int event, void (*action)(), const char* help) {
  if (event == ui::EVENT_COMMIT)
    action();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowAttrHelp(help);
  return 0;
}

}  // namespace

int CBF_EditSetColor(CBF_CTRL_ARGS) {
  return AttrControl(event, ApplyRowColorMode,
                     "Set mode for the row indicator colors. \n\nManually: Indicator colors can "
                     "be set manually. \n\nAutomatically: Indicator colors will be set "
                     "automatically, \naccording to the color detected from the sensor.");
}

int CBF_EditRow(CBF_CTRL_ARGS) {
  return AttrControl(event, ApplyRowColorMode, "Select a row, which should be set.");
}

int CBF_EditColorNumericRow(CBF_CTRL_ARGS) {
  return AttrControl(event, ApplyRowColorMode, "Select a indicator color.");
}

int CBF_ButtonSetRowColor(CBF_CTRL_ARGS) {
  return AttrControl(event, SetRowColorFromControls, "Assign selected color to row.");
}

int CBF_ButtonSaveArray(CBF_CTRL_ARGS) {
  return AttrControl(event, SaveTableAttributes,
                     "Indicator colors and row specifications \nwill be saved to a selectable "
                     "file. \nAttention! The table attributes will be stored \nat the hard disk "
                     "and NOT in the sensor.");
}

int CBF_ButtonGetArray(CBF_CTRL_ARGS) {
  return AttrControl(event, LoadTableAttributes,
                     "Indicator colors and row specifications will be \nread from a selectable "
                     "file from the hard disk \nand assigned to the teach table and "
                     "specification table.");
}

int CBF_ButtonTableAttrReset(CBF_CTRL_ARGS) {
  return AttrControl(event, ResetTableAttributes, "Set default row colors.");
}
