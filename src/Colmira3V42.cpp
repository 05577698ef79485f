#include "Colmira3V42.h"

#include <cstdio>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/cli/commands.h"
#include "gui/link/connect.h"
#include "gui/link/link_settings.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/scope/scope_state.h"
#include "gui/scope/scope_view.h"
#include "gui/settings/panel_settings.h"
#include "gui/settings/remembered.h"
#include "gui/settings/settings_dir.h"
#include "gui/shell/shell.h"
#include "gui/teach/teach_table.h"
#include "logo.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {

constexpr int kChildTop = 63;
constexpr int kChildLeft = 286;

}  // namespace

int LoadApplicationPanels(const std::string& layoutPath) {
  RegisterApplicationCallbacks();
  ui::RegisterLayout(kUirPanels, static_cast<int>(std::size(kUirPanels)), kUirCtrls,
                     static_cast<int>(std::size(kUirCtrls)));
  struct Load {
    int Shell::*handle;
    int parentIsMain;
    int id;
  };
  static const Load kOrder[] = {
      {&Shell::mainp, 0, MAINP},         {&Shell::datap, 1, DATAP},
      {&Shell::graphp, 1, GRAPHP},       {&Shell::teachp1, 1, TEACHP1},
      {&Shell::teachp2, 1, TEACHP2},     {&Shell::scopep, 1, SCOPEP},
      {&Shell::colbigp, 0, COLBIGP},     {&Shell::grpbigp, 0, GRPBIGP},
      {&Shell::passwordp, 0, PASSWORDP},
  };
  for (const auto& l : kOrder) {
    int handle = ui::LoadPanel(l.parentIsMain ? gShell.mainp : 0, layoutPath, l.id);
    if (handle < 0) {
      if (!ui::GetLoadError().empty()) std::fprintf(stderr, "%s\n", ui::GetLoadError().c_str());
      return -1;
    }
    gShell.*l.handle = handle;
  }
  ui::SetPanelAttribute(gShell.mainp, ui::ATTR_TITLE, kProgramTitle);
  for (int child : {gShell.datap, gShell.graphp, gShell.teachp1, gShell.teachp2, gShell.scopep})
    ui::SetPanelPos(child, kChildTop, kChildLeft);
  return 0;
}

void PrepareApplication() {
  SetLinkErrorDisplay(ShowLinkErrorOnScreen);
  gChannel.tcpConnected = 0;
  gTransfer = TransferState{};
  gLive = LiveState{};
  gScope = ScopeState{};

  for (int page = 0; page < 9; ++page)
    gShell.tabMain[page] = ui::GetPanelHandleFromTabPage(gShell.mainp, MAINP_TAB, page);
  for (int page = 0; page < 4; ++page)
    gShell.tabData[page] = ui::GetPanelHandleFromTabPage(gShell.datap, DATAP_TAB, page);
  gShell.panelSettingsPath = SettingsDir(ui::GetProjectDir()) + "/PanelSettings.cfg";
  gTeach = TeachState{};
  BuildTeachTableMenu();

  ui::SetCtrlAttribute(gShell.passwordp, PASSWORDP_STR_PASSWORD, ui::ATTR_MAX_ENTRY_LENGTH, 20);
  ui::SetCtrlAttribute(gShell.passwordp, PASSWORDP_STR_PASSWORD, ui::ATTR_PASSWORD_MASK, "*");
  ShowTitleLabel();
  InitScopeView();
  gParameterBlock = ParameterBlock{};
  ReadPanelsIntoParameterBlock();

  int comm = MainTab(kPageComm);
  ui::SetCtrlAttribute(comm, TABCOMM_COMBO_HOST, ui::ATTR_FRAME_COLOR, 0xE0E0E0);
  ui::SetCtrlAttribute(comm, TABCOMM_COMBO_HOST, ui::ATTR_MAX_ENTRY_LENGTH,
                       static_cast<int>(kHostChars));
  ui::SetCtrlAttribute(comm, TABCOMM_STR_PORTNUMBER, ui::ATTR_MAX_ENTRY_LENGTH,
                       static_cast<int>(kPortTextChars));
  ui::SetCtrlAttribute(comm, TABCOMM_STR_ID, ui::ATTR_MAX_ENTRY_LENGTH,
                       static_cast<int>(kSensorIdChars));
  ReadPanelSettings();

  ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageParameters);
  ui::SetActiveTabPage(gShell.datap, DATAP_TAB, kPage3D);
  ui::SetTabPageVisible(gShell.mainp, MAINP_TAB, kPageOffset, false);
}

void InitApplication() {
  PrepareApplication();
  ShowChildPanel(gShell.datap);
  ui::DisplayPanel(gShell.mainp);

  {
    ui::IniText ini;
    ReadCommunicationSettings(ReadPanelSettingsFile(ini) ? &ini : nullptr);
  }
  ApplyProtocolVisibility();
  SetButtonsDimmed(0, 1);
  TryToConnect();
  SetButtonsDimmed(0, 0);
}

void ShutdownApplication() {
  CloseChannels();
  ui::DiscardPanel(gShell.mainp);
  for (int top : {gShell.colbigp, gShell.grpbigp, gShell.passwordp}) ui::DiscardPanel(top);
  gShell = Shell{};
}

int Colmira3V42Main(int argc, char** argv) {
  if (argc > 1) return RunCommandLine(argc, argv);
  if (ui::InitCVIRTE(argc, argv) == 0) return -1;
  if (LoadApplicationPanels(ui::GetProjectDir() + "/" + kLayoutFileName) < 0) return -1;
  InitApplication();
  int code = ui::RunUserInterface();
  ShutdownApplication();
  return code;
}

int CBF_NotYet(CBF_CTRL_ARGS) {
  return 0;
}
int CBF_PanelNotYet(CBF_PANEL_ARGS) {
  return 0;
}
