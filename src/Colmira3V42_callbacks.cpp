// The callback names that the layout file uses, and the functions behind them.
#include <iterator>

#include "Colmira3V42.h"
#include "ui/ui.h"

void RegisterApplicationCallbacks() {
  static const ui::CtrlCallbackName kCtrls[] = {
      {"CBF_TabMain1", CBF_TabMain1},
      {"CBF_ButtonSend", CBF_ButtonSend},
      {"CBF_ButtonGet", CBF_ButtonGet},
      {"CBF_SelectMem", CBF_SelectMem},
      {"CBF_SelectParaSet", CBF_SelectParaSet},
      {"CBF_TabDataP1", CBF_TabDataP1},
      {"CBF_DispStatus", CBF_DispStatus},
      {"CBF_ButtonTryToConnect", CBF_ButtonTryToConnect},
      {"CBF_ButtonAccept", CBF_ButtonAccept},
      {"CBF_ButtonChangeBaudrate", CBF_ButtonChangeBaudrate},
      {"CBF_ButtonGenHwInfoFile", CBF_ButtonGenHwInfoFile},
      {"CBF_EditCommunicationProtocol", CBF_EditCommunicationProtocol},
      {"CBF_EditSelectComPort", CBF_EditSelectComPort},
      {"CBF_EditSelectBaudrate", CBF_EditSelectBaudrate},
      {"CBF_StringIpAdress", CBF_StringIpAdress},
      {"CBF_StringPortNumber", CBF_StringPortNumber},
      {"CBF_EditID", CBF_EditID},
  };
  static const ui::PanelCallbackName kPanels[] = {
      {"CBF_MAINP", CBF_MAINP},
      {"CBF_DATAP", CBF_DATAP},
  };
  ui::RegisterCallbacks(kCtrls, static_cast<int>(std::size(kCtrls)), kPanels,
                        static_cast<int>(std::size(kPanels)));
}
