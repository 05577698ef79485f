#include "gui/params/parameter_transfer.h"

#include <cstdio>
#include <cstring>

#include "com232/link.h"
#include "com232/orders.h"
#include "gui/live/live_graphs.h"
#include "gui/live/live_state.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_file.h"
#include "gui/params/parameter_rules.h"

TransferState gTransfer;

namespace {

void ReportResets(const char* what) {
  char text[sizeof gLink.linkMessage];
  std::snprintf(text, sizeof text,
                "INFO!\n%u PARAMETER %s DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
                "VALUE!",
                static_cast<unsigned>(gLink.statusWord), what);
  ++gTransfer.resetReports;
  gTransfer.resetCount += gLink.statusWord;
  SetLinkMessage(text);
  ShowLinkError();
}

// Writes one part of the block; false when the exchange failed.
bool WriteWords(const uint16_t* words, int count, uint16_t argument) {
  std::memcpy(gLink.DataWords, words, sizeof(uint16_t) * static_cast<size_t>(count));
  if (ExchangeOrder(kOrderWriteParameters, argument, count) != 1) return false;
  if (gLink.statusWord != 0) ReportResets("IN RAM");
  return true;
}

// Reads one part of the block; false when the exchange failed.
bool ReadWords(uint16_t* words, int count, uint16_t argument) {
  if (ExchangeOrder(kOrderReadParameters, argument) != 1) return false;
  UnpackReplyToDataWords();
  std::memcpy(words, gLink.DataWords, sizeof(uint16_t) * static_cast<size_t>(count));
  return true;
}

}  // namespace

void SendParameters() {
  gLive.sendRequested = 0;
  if (gTransfer.target == kTargetFile) {
    SaveParameterFile();
    return;
  }
  ReadPanelsIntoParameterBlock();
  uint16_t set = gTransfer.parameterSet;
  if (!WriteWords(gParameterBlock.head, kHeadWords, set)) return;
  if (!WriteWords(gParameterBlock.teach, kTeachTableWords, static_cast<uint16_t>(set + 2))) return;
  if (gTransfer.target == kTargetEeprom) ExchangeOrder(kOrderStoreEeprom, 0);
}

void GetParameters() {
  gLive.getRequested = 0;
  if (gTransfer.target == kTargetFile) {
    LoadParameterFile();
    return;
  }
  if (gTransfer.target == kTargetEeprom) {
    if (ExchangeOrder(kOrderLoadEeprom, 0) != 1) return;
    if (gLink.statusWord != 0) ReportResets("FROM EEPROM");
  }
  uint16_t set = gTransfer.parameterSet;
  if (!ReadWords(gParameterBlock.head, kHeadWords, set)) return;
  if (!ReadWords(gParameterBlock.teach, kTeachTableWords, static_cast<uint16_t>(set + 2))) return;
  ShowParameterBlock();
}

void ShowParameterBlock() {
  WriteParameterBlockToPanels();
  ApplyParameterRules();
  DrawToleranceOverlays();
  UpdateLiveGraphs();
}
