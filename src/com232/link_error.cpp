// The error display of the link, and its message texts.
#include <cstdio>

#include "com232/link.h"

const char* const kTimeoutText =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
const char* const kHeaderIncorrectText = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
const char* const kDataIncorrectText = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
const char* const kInvalidOrderText = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
const char* const kControlUnitErrorText =
    "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!";
const char* const kServerClosedText = "SERVER HAS CLOSED CONNECTION!";

void SetLinkMessage(const char* text) {
  std::snprintf(gLink.linkMessage, sizeof gLink.linkMessage, "%s", text);
}

namespace {
LinkErrorDisplay gDisplay = nullptr;
}

void SetLinkErrorDisplay(LinkErrorDisplay display) {
  gDisplay = display;
}

void ShowLinkError() {
  gLink.linkOk = 0;
  if (gDisplay) gDisplay(gLink.linkMessage);
}
