// The frame of the application: handles of the nine panels and of the tab
// pages, the busy state, the child-panel area and the help popups.
#pragma once

#include <string>

struct Shell {
  int mainp = 0, datap = 0, graphp = 0, teachp1 = 0, teachp2 = 0, scopep = 0;
  int colbigp = 0, grpbigp = 0, passwordp = 0;
  int tabMain[9] = {};  // communication, parameters, groups/hold, teach table, recorder,
                        // calibration, table attributes, scope, offset compensation
  int tabData[4] = {};  // RGB, INT, 2D, 3D
  std::string panelSettingsPath;
};

extern Shell gShell;

enum MainPage {
  kPageComm = 0,
  kPageParameters = 1,
  kPageGroupHold = 2,
  kPageTeachTable = 3,
  kPageRecorder = 4,
  kPageCalibration = 5,
  kPageTableAttributes = 6,
  kPageScope = 7,
  kPageOffset = 8,
};
enum DataPage { kPageRgb = 0, kPageInt = 1, kPage2D = 2, kPage3D = 3 };

// The handle through which the controls on a page of MAINP's or DATAP's tab control are addressed.
inline int MainTab(MainPage page) {
  return gShell.tabMain[page];
}
inline int DataTab(DataPage page) {
  return gShell.tabData[page];
}

void SetButtonsDimmed(int forGo, int dimmed);
void ShowChildPanel(int panel);
// Dims the accept, change-baud-rate and hardware-file buttons of the
// communication page; only a connect that fetched the parameters lifts them.
void DimLinkProvenButtons();
// The right-click help convention: a popup titled "INFO!" with the text.
void ShowHelp(const char* text);
// A control that only explains itself: its help on a right click, nothing else.
int HelpOnly(int event, const char* text);
