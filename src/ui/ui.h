// The platform layer as the application sees it: panels and controls loaded
// from the layout file and addressed by number, their values and attributes,
// the numbered events with their callbacks, the event loop and the seconds
// timer. The header is free of Qt so that the application logic stays free of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/uir_table.h"

namespace ui {

// ---- events -------------------------------------------------------------
enum Event {
  EVENT_NONE = 0,
  EVENT_COMMIT = 1,
  EVENT_VAL_CHANGED = 2,
  EVENT_LEFT_CLICK = 3,
  EVENT_LEFT_DOUBLE_CLICK = 4,
  EVENT_RIGHT_CLICK = 5,
  EVENT_RIGHT_DOUBLE_CLICK = 6,
  EVENT_KEYPRESS = 7,
  EVENT_GOT_FOCUS = 8,
  EVENT_LOST_FOCUS = 9,
  EVENT_IDLE = 10,
  EVENT_CLOSE = 11,
  EVENT_PANEL_SIZE = 12,
  EVENT_PANEL_MOVE = 13,
  EVENT_TIMER_TICK = 15,
  EVENT_SELECTION_CHANGE = 23,
  EVENT_ACTIVE_CELL_CHANGE = 28,
  EVENT_ACTIVE_TAB_CHANGE = 31,
  EVENT_LEFT_CLICK_UP = 34,
  EVENT_ZOOM = 40,  // a graph's axes were zoomed by mouse
};

using CtrlCallback = int (*)(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
using PanelCallback = int (*)(int panel, int event, void* callbackData, int eventData1,
                              int eventData2);

// Callbacks are named in the layout file; the application registers each name
// with its function before it loads the panels.
struct CtrlCallbackName {
  const char* name;
  CtrlCallback fn;
};
struct PanelCallbackName {
  const char* name;
  PanelCallback fn;
};
void RegisterCallbacks(const CtrlCallbackName* ctrls, int nCtrls, const PanelCallbackName* panels,
                       int nPanels);

// ---- start-up and the layout --------------------------------------------
// Creates the application object; returns 0 when the platform cannot start.
int InitCVIRTE(int argc, char** argv);
// The panels, pages and controls that the layout file must contain.
void RegisterLayout(const UirPanelDef* panels, int nPanels, const UirCtrlDef* ctrls, int nCtrls);
// Loads one panel (with its tab pages) from the layout file. parent 0 makes a
// top-level window. Returns the panel handle, or a negative value when the file,
// the panel or one of its controls is missing.
int LoadPanel(int parent, const std::string& file, int resourceId);
// Why the last LoadPanel failed, when the layout itself is at fault (an unknown callback
// name); empty otherwise.
const std::string& GetLoadError();
int DiscardPanel(int panel);
int DisplayPanel(int panel);
int HidePanel(int panel);
// Shows a panel as a modal popup of the application (non-blocking).
int InstallPopup(int panel);
int RemovePopup(int panel);
bool PanelExists(int panel);

constexpr int VAL_AUTO_CENTER = -32768;
enum PanelAttr {
  ATTR_TITLE,
  ATTR_TOP,
  ATTR_LEFT,
  ATTR_WIDTH,
  ATTR_HEIGHT,
  ATTR_WINDOW_ZOOM,  // 0 normal, 1 minimised, 2 maximised
  ATTR_PANEL_VISIBLE,
};
enum { VAL_NO_ZOOM = 0, VAL_MINIMIZE = 1, VAL_MAXIMIZE = 2 };
int SetPanelAttribute(int panel, PanelAttr attr, int value);
int SetPanelAttribute(int panel, PanelAttr attr, const std::string& value);
int GetPanelAttribute(int panel, PanelAttr attr);
int SetPanelPos(int panel, int top, int left);
int SetPanelSize(int panel, int height, int width);

// ---- controls -----------------------------------------------------------
enum CtrlAttr {
  ATTR_DIMMED,
  ATTR_VISIBLE,
  ATTR_LABEL_TEXT,
  ATTR_TEXT_COLOR,
  ATTR_TEXT_BGCOLOR,
  ATTR_FRAME_COLOR,
  ATTR_CMD_BUTTON_COLOR,
  ATTR_CTRL_MODE,  // VAL_NORMAL or VAL_INDICATOR
  ATTR_MIN_VALUE,
  ATTR_MAX_VALUE,
  ATTR_PRECISION,
  ATTR_TEXT_POINT_SIZE,
  ATTR_TEXT_FONT,
  ATTR_TEXT_BOLD,
  ATTR_ON_COLOR,
  ATTR_OFF_COLOR,
  ATTR_MAX_ENTRY_LENGTH,
  ATTR_PASSWORD_MASK,  // string: the mask character; empty shows the text
  ATTR_TOP_POS,
  ATTR_LEFT_POS,
  ATTR_WIDTH_SIZE,
  ATTR_HEIGHT_SIZE,
};
enum { VAL_NORMAL = 0, VAL_INDICATOR = 1 };

int SetCtrlVal(int panel, int ctrl, int value);
int SetCtrlVal(int panel, int ctrl, double value);
int SetCtrlVal(int panel, int ctrl, const std::string& value);
int SetCtrlVal(int panel, int ctrl, const char* value);
int GetCtrlInt(int panel, int ctrl);
double GetCtrlDouble(int panel, int ctrl);
std::string GetCtrlString(int panel, int ctrl);

int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, int value);
int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, double value);
int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, const std::string& value);
int SetCtrlAttribute(int panel, int ctrl, CtrlAttr attr, const char* value);
int GetCtrlAttribute(int panel, int ctrl, CtrlAttr attr);
std::string GetCtrlAttributeString(int panel, int ctrl, CtrlAttr attr);

// Text boxes: the message log grows by appending.
int AppendTextBox(int panel, int ctrl, const std::string& text);
int ResetTextBox(int panel, int ctrl, const std::string& text);

// Rings and combo boxes: items with a label and (rings) an integer value.
int InsertListItem(int panel, int ctrl, int index, const std::string& label, int value);
int DeleteListItem(int panel, int ctrl, int index, int count);  // count -1: to the end
int ClearListCtrl(int panel, int ctrl);
int ReplaceListItem(int panel, int ctrl, int index, const std::string& label, int value);
int GetNumListItems(int panel, int ctrl);
std::string GetLabelFromIndex(int panel, int ctrl, int index);
int GetValueFromIndex(int panel, int ctrl, int index);
int GetIndexFromValue(int panel, int ctrl, int value);  // -1 when no item has it
int GetCtrlIndex(int panel, int ctrl);
int SetCtrlIndex(int panel, int ctrl, int index);

// Tab controls and their pages.
int SetActiveTabPage(int panel, int ctrl, int page);
int GetActiveTabPage(int panel, int ctrl);
int SetTabPageVisible(int panel, int ctrl, int page, bool visible);
bool IsTabPageVisible(int panel, int ctrl, int page);
int GetPanelHandleFromTabPage(int panel, int ctrl, int page);

// Tables: cells addressed by column and row, both counted from 1. Cells hold
// whole numbers unless the layout names their column a text column.
int SetTableCellVal(int panel, int ctrl, int col, int row, int value);
int SetTableCellVal(int panel, int ctrl, int col, int row, const std::string& value);
int GetTableCellInt(int panel, int ctrl, int col, int row);
std::string GetTableCellString(int panel, int ctrl, int col, int row);
int SetTableCellColor(int panel, int ctrl, int col, int row, int rgb);  // background
int GetTableCellColor(int panel, int ctrl, int col, int row);
int SetTableRowLabelColor(int panel, int ctrl, int row, int rgb);
int GetTableRowLabelColor(int panel, int ctrl, int row);
int SetTableColumnCaption(int panel, int ctrl, int col, const std::string& caption);
std::string GetTableColumnCaption(int panel, int ctrl, int col);
int SetTableColumnVisible(int panel, int ctrl, int col, bool visible);
bool IsTableColumnVisible(int panel, int ctrl, int col);
int GetNumTableRows(int panel, int ctrl);
int GetNumTableColumns(int panel, int ctrl);
int SetActiveTableCell(int panel, int ctrl, int col, int row);
// The active cell, or col = row = 0 when there is none.
int GetActiveTableCell(int panel, int ctrl, int& col, int& row);
struct CellRange {
  int left = 0, top = 0, width = 0, height = 0;  // empty when width or height is 0
};
int GetTableSelection(int panel, int ctrl, CellRange& range);
int SetTableSelection(int panel, int ctrl, const CellRange& range);
// Whether the user may edit the cell, as the layout gives its mode.
bool IsTableCellEditable(int panel, int ctrl, int col, int row);

// Graphs and strip charts. Drawing is decoupled from data: a change marks the
// graph, and marked graphs are redrawn at screen rate, so fast data never
// waits for painting.
enum Axis { VAL_XAXIS = 0, VAL_LEFT_YAXIS = 1 };
enum AxisScaling { VAL_MANUAL = 0, VAL_AUTOSCALE = 1 };
int SetAxisScalingMode(int panel, int ctrl, Axis axis, AxisScaling mode, double min, double max);
int GetAxisScalingMode(int panel, int ctrl, Axis axis, AxisScaling& mode, double& min, double& max);
int SetGraphCaption(int panel, int ctrl, const std::string& caption);
std::string GetGraphCaption(int panel, int ctrl);

constexpr int VAL_TRANSPARENT = -1;
constexpr int kAllPlots = -1;
enum PlotStyle { VAL_THIN_LINE = 0, VAL_DOTS = 1, VAL_STEPS = 2 };
// Shapes and curves on a graph; each returns a plot handle (> 0) or a negative error.
int PlotOval(int panel, int ctrl, double x1, double y1, double x2, double y2, int color,
             int fillColor);
int PlotRectangle(int panel, int ctrl, double x1, double y1, double x2, double y2, int color,
                  int fillColor);
int PlotLine(int panel, int ctrl, double x1, double y1, double x2, double y2, int color);
int PlotXY(int panel, int ctrl, const double* x, const double* y, int count, int color,
           PlotStyle style);
// One dot. The dots of one colour share one plot (and its handle), so that a
// cloud of many thousand points stays cheap to add to and to draw.
int PlotPoint(int panel, int ctrl, double x, double y, int color);
// Replaces the points of an XY plot in place (same handle, no new plot).
int SetPlotPoints(int panel, int ctrl, int plot, const double* x, const double* y, int count);
// Adds points to the end of an XY plot (same handle); a plot that grows by a point
// at a time costs no more per point as it gets long.
int AppendPlotPoints(int panel, int ctrl, int plot, const double* x, const double* y, int count);
int DeleteGraphPlot(int panel, int ctrl, int plot);  // kAllPlots: every plot, cursors stay
// What a graph shows, for tests and printing.
struct PlotShape {
  enum Kind { Oval, Rectangle, Line, Curve, Points } kind = Curve;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // bounding box (curves: of their points)
  int color = 0;
  int fillColor = VAL_TRANSPARENT;
  int points = 0;  // curves and point clouds
};
std::vector<PlotShape> GetGraphPlots(int panel, int ctrl);

// Cursors, numbered from 1.
int SetGraphCursor(int panel, int ctrl, int cursor, double x, double y);
int GetGraphCursor(int panel, int ctrl, int cursor, double& x, double& y);

// Strip charts: `count` values interleaved over the traces are appended; the
// chart shows the newest points-per-screen points of each trace.
int PlotStripChart(int panel, int ctrl, const double* values, int count);
int ClearStripChart(int panel, int ctrl);
int SetPointsPerScreen(int panel, int ctrl, int points);
// The points a strip chart shows now, per trace, oldest first (for tests).
std::vector<std::vector<double>> GetStripChartTraces(int panel, int ctrl);
// Redraws every marked graph now instead of at the next screen refresh.
void RefreshGraphs();

// A text message created at run time; returns its control id.
int NewTextLabel(int panel, const std::string& label, int top, int left);

// ---- context menus of controls ------------------------------------------
// A control with menu items opens its menu on a right click (after its
// callback has seen the click). Items are numbered from 1 per control.
using MenuItemCallback = void (*)(int panel, int control, int menuItem, void* callbackData);
int NewCtrlMenuItem(int panel, int ctrl, const std::string& label, MenuItemCallback fn,
                    void* callbackData);
int NewCtrlMenuSeparator(int panel, int ctrl);
// ATTR_DIMMED only.
int SetCtrlMenuAttribute(int panel, int ctrl, int item, CtrlAttr attr, int value);
int GetCtrlMenuAttribute(int panel, int ctrl, int item, CtrlAttr attr);
bool HasCtrlMenu(int panel, int ctrl);
// Shows the menu as a right click would and runs the chosen item; returns the
// item chosen, 0 when none was.
int RunCtrlMenu(int panel, int ctrl);

// ---- callbacks and the event loop ---------------------------------------
int InstallCtrlCallback(int panel, int ctrl, CtrlCallback fn, void* data);
int InstallPanelCallback(int panel, PanelCallback fn, void* data);
// Delivers a numbered event to a control's or a panel's callback, as user input would.
int FireCtrlEvent(int panel, int ctrl, int event, int eventData1 = 0, int eventData2 = 0);
int FirePanelEvent(int panel, int event, int eventData1 = 0, int eventData2 = 0);

int RunUserInterface();
void QuitUserInterface(int code);
// Runs the events that are pending now.
void ProcessSystemEvents();
// Runs pending events; when there are none, sleeps until one arrives or until
// maxSeconds have passed. Waiting loops use it so that they never spin a core.
void WaitForSystemEvents(double maxSeconds);
// The link has just sent a request and waits for the reply: a good moment to
// bring the screen up to date, since the line is busy for a while anyway.
void ScreenRefreshPoint();
// Seconds since start, as a double.
double Timer();
void SetWaitCursor(int on);

// ---- files and places ---------------------------------------------------
// Directory of the program file (tests may point it elsewhere).
std::string GetProjectDir();
void SetProjectDir(const std::string& dir);
bool FileExists(const std::string& path);

}  // namespace ui
