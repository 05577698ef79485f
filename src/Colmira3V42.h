// Program entry, start-up and the callbacks of every panel and page.
#pragma once

#include <string>

// Full argument list of a control callback; callbacks return 0.
#define CBF_CTRL_ARGS \
  int panel, int control, int event, void *callbackData, int eventData1, int eventData2
#define CBF_PANEL_ARGS int panel, int event, void *callbackData, int eventData1, int eventData2
// For callbacks that use only the event.
#define UNUSED_ARGS \
  (void)panel, (void)control, (void)callbackData, (void)eventData1, (void)eventData2

constexpr const char* kProgramTitle = "COLMIRA3-Rarev V4.2";
constexpr const char* kLayoutFileName = "Colmira3V42.uir";

int Colmira3V42Main(int argc, char** argv);
// Loads the nine panels and places the children; -1 when one is missing.
int LoadApplicationPanels(const std::string& layoutPath);
void InitApplication();
// Closes the link and discards the panels, after the event loop.
void ShutdownApplication();
void RegisterApplicationCallbacks();

// MAINP
int CBF_MAINP(CBF_PANEL_ARGS);
int CBF_TabMain1(CBF_CTRL_ARGS);
int CBF_ButtonSend(CBF_CTRL_ARGS);
int CBF_ButtonGet(CBF_CTRL_ARGS);
int CBF_SelectMem(CBF_CTRL_ARGS);
int CBF_SelectParaSet(CBF_CTRL_ARGS);
// communication page
int CBF_ButtonTryToConnect(CBF_CTRL_ARGS);
int CBF_ButtonAccept(CBF_CTRL_ARGS);
int CBF_ButtonChangeBaudrate(CBF_CTRL_ARGS);
int CBF_ButtonGenHwInfoFile(CBF_CTRL_ARGS);
int CBF_EditCommunicationProtocol(CBF_CTRL_ARGS);
int CBF_EditSelectComPort(CBF_CTRL_ARGS);
int CBF_EditSelectBaudrate(CBF_CTRL_ARGS);
int CBF_StringIpAdress(CBF_CTRL_ARGS);
int CBF_StringPortNumber(CBF_CTRL_ARGS);
int CBF_EditID(CBF_CTRL_ARGS);
// parameter page and group/hold page
int CBF_SlidePower(CBF_CTRL_ARGS);
int CBF_EditPmode(CBF_CTRL_ARGS);
int CBF_EditLedMode(CBF_CTRL_ARGS);
int CBF_EditGain(CBF_CTRL_ARGS);
int CBF_EditDynWinLoHi(CBF_CTRL_ARGS);
int CBF_EditAverage(CBF_CTRL_ARGS);
int CBF_EditIntegral(CBF_CTRL_ARGS);
int CBF_EditMaxVecNo(CBF_CTRL_ARGS);
int CBF_EditIntlim(CBF_CTRL_ARGS);
int CBF_EditCalcmode(CBF_CTRL_ARGS);
int CBF_EditDigOutmode(CBF_CTRL_ARGS);
int CBF_EditEvalmode(CBF_CTRL_ARGS);
int CBF_EditExteach(CBF_CTRL_ARGS);
int CBF_EditTrigger(CBF_CTRL_ARGS);
int CBF_EditColorGroups(CBF_CTRL_ARGS);
int CBF_EditGridGroups(CBF_CTRL_ARGS);
int CBF_EditHold(CBF_CTRL_ARGS);
int CBF_EditGridHold(CBF_CTRL_ARGS);
int CBF_EditResetHold(CBF_CTRL_ARGS);
// DATAP
int CBF_DATAP(CBF_PANEL_ARGS);
int CBF_TabDataP1(CBF_CTRL_ARGS);
int CBF_DispStatus(CBF_CTRL_ARGS);
int CBF_DispX(CBF_CTRL_ARGS);
int CBF_DispY(CBF_CTRL_ARGS);
int CBF_DispINT(CBF_CTRL_ARGS);
int CBF_DispRGB(CBF_CTRL_ARGS);
int CBF_DispRED(CBF_CTRL_ARGS);
int CBF_DispGREEN(CBF_CTRL_ARGS);
int CBF_DispBLUE(CBF_CTRL_ARGS);
int CBF_DispMinMaxRGB(CBF_CTRL_ARGS);
int CBF_DispDeltaC(CBF_CTRL_ARGS);
int CBF_DispCOL(CBF_CTRL_ARGS);
int CBF_DispGroup(CBF_CTRL_ARGS);
int CBF_LedTrig(CBF_CTRL_ARGS);
int CBF_ButtonShowGraph(CBF_CTRL_ARGS);
int CBF_GraphRGB(CBF_CTRL_ARGS);
int CBF_GraphINT1(CBF_CTRL_ARGS);
int CBF_Graph2D(CBF_CTRL_ARGS);
int CBF_Graph3D(CBF_CTRL_ARGS);
int CBF_ButtonGpClose(CBF_CTRL_ARGS);
int CBF_EditSignal(CBF_CTRL_ARGS);
int CBF_PanelGraphGraph(CBF_CTRL_ARGS);
int CBF_EditNo(CBF_CTRL_ARGS);
int CBF_DispBarsRAW(CBF_CTRL_ARGS);
int CBF_DispRawDelta(CBF_CTRL_ARGS);
int CBF_DispBars(CBF_CTRL_ARGS);
int CBF_DispTemp(CBF_CTRL_ARGS);
int CBF_ButtonGo(CBF_CTRL_ARGS);
int CBF_ButtonStop(CBF_CTRL_ARGS);
int CBF_GRAPHP(CBF_PANEL_ARGS);
int CBF_COLBIGP(CBF_PANEL_ARGS);
int CBF_GRPBIGP(CBF_PANEL_ARGS);
// Makes the graph of one recorded signal the only one shown on GRAPHP.
void ShowSignalGraph(int signal);
