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
      {"CBF_SlidePower", CBF_SlidePower},
      {"CBF_EditPmode", CBF_EditPmode},
      {"CBF_EditLedMode", CBF_EditLedMode},
      {"CBF_EditGain", CBF_EditGain},
      {"CBF_EditDynWinLoHi", CBF_EditDynWinLoHi},
      {"CBF_EditAverage", CBF_EditAverage},
      {"CBF_EditIntegral", CBF_EditIntegral},
      {"CBF_EditMaxVecNo", CBF_EditMaxVecNo},
      {"CBF_EditIntlim", CBF_EditIntlim},
      {"CBF_EditCalcmode", CBF_EditCalcmode},
      {"CBF_EditDigOutmode", CBF_EditDigOutmode},
      {"CBF_EditEvalmode", CBF_EditEvalmode},
      {"CBF_EditExteach", CBF_EditExteach},
      {"CBF_EditTrigger", CBF_EditTrigger},
      {"CBF_EditColorGroups", CBF_EditColorGroups},
      {"CBF_EditGridGroups", CBF_EditGridGroups},
      {"CBF_EditHold", CBF_EditHold},
      {"CBF_EditGridHold", CBF_EditGridHold},
      {"CBF_EditResetHold", CBF_EditResetHold},
  };
  static const ui::PanelCallbackName kPanels[] = {
      {"CBF_MAINP", CBF_MAINP},
      {"CBF_DATAP", CBF_DATAP},
  };
  ui::RegisterCallbacks(kCtrls, static_cast<int>(std::size(kCtrls)), kPanels,
                        static_cast<int>(std::size(kPanels)));
}
