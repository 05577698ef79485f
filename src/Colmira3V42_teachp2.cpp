// Callbacks of the recorded-value teach panel.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/live/live_graphs.h"
#include "gui/params/parameter_block.h"
#include "gui/shell/shell.h"
#include "gui/teach/recorded_teach.h"
#include "ui/ui.h"

namespace {

const char* const kGraphHelp =
    "Display for recorded values. \nMove cursor to select a position \nwhich should be teached "
    "to the table.";

int CursorGraph(int event, int graph) {
  if (event == ui::EVENT_COMMIT)
    SyncCursors(graph);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(kGraphHelp);
  return 0;
}

}  // namespace

int CBF_TEACHP2(CBF_PANEL_ARGS) {
  return 0;
}

int CBF_ButtonTP2Start(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT) {
    SetButtonsDimmed(0, 1);
    ReadPanelsIntoParameterBlock();
    DrawToleranceOverlays();
    RecordLoop();
    SetButtonsDimmed(0, 0);
  } else if (event == ui::EVENT_RIGHT_CLICK) {
    ShowHelp("Start recording of values \nand displaying in the graphs.");
  }
  return 0;
}

int CBF_ButtonTP2Reset(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ResetRecordedPoints();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Reset graphs and counter.");
  return 0;
}

int CBF_ButtonTP2Teach(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    TeachRecordedPoint();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(
        "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function "
        "field.");
  return 0;
}

int CBF_GraphXYTP2(CBF_CTRL_ARGS) {
  return CursorGraph(event, kGraphXY);
}

int CBF_GraphXIntTP2(CBF_CTRL_ARGS) {
  return CursorGraph(event, kGraphXInt);
}

int CBF_GraphYIntTP2(CBF_CTRL_ARGS) {
  return CursorGraph(event, kGraphYInt);
}

int CBF_DispTP2Counter(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the amount of recorded values. ");
}
