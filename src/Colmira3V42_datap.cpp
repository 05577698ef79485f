// Callbacks of the live data panel, its graphs, the graph panel and the big
// colour and group displays.
#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/modes.h"
#include "gui/live/live_graphs.h"
#include "gui/recorder/record_graphs.h"
#include "gui/shell/shell.h"
#include "ui/ui.h"

namespace {

const char* const kRgbHelp = "Displays the current color intensity of RED,GREEN and BLUE. ";

// A big display opens with its current value on a double click.
int BigDisplay(int event, int bigPanel, const char* help) {
  if (event == ui::EVENT_LEFT_DOUBLE_CLICK)
    ui::DisplayPanel(bigPanel);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(help);
  return 0;
}

// Left click fixes the vertical axis to full scale, a double click hands it
// back to automatic scaling.
int ZoomStrip(int panel, int control, int event, double fullScale, const char* help) {
  if (event == ui::EVENT_LEFT_CLICK)
    ui::SetAxisScalingMode(panel, control, ui::VAL_LEFT_YAXIS, ui::VAL_MANUAL, 0, fullScale);
  else if (event == ui::EVENT_LEFT_DOUBLE_CLICK)
    ui::SetAxisScalingMode(panel, control, ui::VAL_LEFT_YAXIS, ui::VAL_AUTOSCALE, 0, 0);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp(help);
  return 0;
}

}  // namespace

int CBF_DATAP(CBF_PANEL_ARGS) {
  return 0;
}

int CBF_TabDataP1(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Select TAB-window.");
}

int CBF_DispStatus(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_RIGHT_DOUBLE_CLICK)
    ui::ResetTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, "");
  return 0;
}

int CBF_DispX(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the red content of the color currently arriving at the receiver.");
}

int CBF_DispY(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the green content of the color currently arriving at the receiver. ");
}

int CBF_DispINT(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the intensity of the color currently arriving at the receiver. ");
}

int CBF_DispRGB(CBF_CTRL_ARGS) {
  return HelpOnly(event, kRgbHelp);
}

int CBF_DispRED(CBF_CTRL_ARGS) {
  return HelpOnly(event, kRgbHelp);
}

int CBF_DispGREEN(CBF_CTRL_ARGS) {
  return HelpOnly(event, kRgbHelp);
}

int CBF_DispBLUE(CBF_CTRL_ARGS) {
  return HelpOnly(event, kRgbHelp);
}

int CBF_DispMinMaxRGB(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the minimum and maximum values of RED, GREEN and BLUE.");
}

int CBF_DispDeltaC(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the distance to a COLOR HIT. \nWhen no color is detected, delta C "
                  "depends on the EVALUATION MODE as follows: \nFIRST HIT: delta C is the "
                  "distance to the last enabled row in the TEACH TABLE. \nBEST HIT and MIN DIST: "
                  "delta C is -1. \nWhen INT or M is lower than INTLIM, delta C is set to -1.");
}

int CBF_DispCOL(CBF_CTRL_ARGS) {
  return BigDisplay(event, gShell.colbigp,
                    "Displays the current detected color number in \naccordance with the row in "
                    "the TEACH TABLE. \nDouble click opens a big display. \nClose the big display "
                    "with a right mouse click. \n\nFailure condition is 255.");
}

int CBF_DispGroup(CBF_CTRL_ARGS) {
  return BigDisplay(event, gShell.grpbigp,
                    "Displays the current detected color group. \nDouble click opens a big "
                    "display. \nClose the big display with a right mouse click.\n\nFailure "
                    "condition is 255.");
}

int CBF_LedTrig(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays whether the sensor is triggered (LED=green) or not(LED=black). "
                  "\nSensor is triggered, when IN0 is +24V or when the sensor self triggers "
                  "(TRIGGER=SELF).");
}

int CBF_ButtonShowGraph(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ShowChildPanel(gShell.graphp);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Switch to a graphical display for each signal.");
  return 0;
}

int CBF_GraphRGB(CBF_CTRL_ARGS) {
  return ZoomStrip(panel, control, event, 4096,
                   "Displays RED, GREEN, BLUE. \nLeft double click starts zooming. \nLeft click "
                   "stops zooming.");
}

int CBF_GraphINT1(CBF_CTRL_ARGS) {
  int mode = ui::GetCtrlInt(MainTab(kPageParameters), TABPARA_RING_CALCMODE);
  return ZoomStrip(panel, control, event, IsSiM(mode) ? 1200 : 4096,
                   "Displays intensity INT. \nLeft double click starts zooming. \nLeft click "
                   "stops zooming.");
}

int CBF_Graph2D(CBF_CTRL_ARGS) {
  return HelpOnly(event, "The two graphs diplay the color and the intensity.");
}

int CBF_Graph3D(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "The four graphs display a 3 sides view of the 3 dimensional color/intensity "
                  "sphere \nplus the intensity of RED, GREEN, BLUE in an extra graph.");
}

int CBF_GRAPHP(CBF_PANEL_ARGS) {
  return 0;
}

int CBF_ButtonGpClose(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    ShowChildPanel(gShell.datap);
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Close PANEL and return to MAIN PANEL. ");
  return 0;
}

int CBF_EditSignal(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    SelectRecordGraph(ui::GetCtrlInt(panel, control));
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Select Signal to be displayed in the graph. ");
  return 0;
}

int CBF_PanelGraphGraph(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the signals selected with SIGNAL. ");
}

// The big displays close on a right click or with their close box.
int CBF_COLBIGP(CBF_PANEL_ARGS) {
  if (event == ui::EVENT_RIGHT_CLICK || event == ui::EVENT_CLOSE) ui::HidePanel(panel);
  return 0;
}

int CBF_GRPBIGP(CBF_PANEL_ARGS) {
  if (event == ui::EVENT_RIGHT_CLICK || event == ui::EVENT_CLOSE) ui::HidePanel(panel);
  return 0;
}

int CBF_EditNo(CBF_CTRL_ARGS) {
  if (event == ui::EVENT_COMMIT)
    DrawIntensityBand();
  else if (event == ui::EVENT_RIGHT_CLICK)
    ShowHelp("Select the current number of a row in the TEACH TABLE for TEACH DATA TO.");
  return 0;
}

int CBF_DispBarsRAW(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays the RAW values of RED, GREEN and BLUE.");
}

int CBF_DispRawDelta(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the delta of the raw values of RED, GREEN and BLUE. \nDelta is the "
                  "peak to peak value of the lowest number of RED, GREEN or BLUE \nand the "
                  "highest number of RED, GREEN or BLUE of the RAW-DATAS.");
}

int CBF_DispBars(CBF_CTRL_ARGS) {
  return HelpOnly(event,
                  "Displays the calibrated values of RED, GREEN and BLUE. \nFormula: CALIBRATED "
                  "DATA = (RAW DATA * CF) / 1024 ");
}

int CBF_DispTemp(CBF_CTRL_ARGS) {
  return HelpOnly(event, "Displays actual temperature in the sensor.");
}
