#include "gui/params/hardware_file.h"

#include <cstdio>

#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "com232/orders.h"
#include "gui/calib/calibration_values.h"
#include "gui/link/connect.h"
#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/settings/dialog_path.h"
#include "gui/settings/ini_header.h"
#include "gui/settings/remembered.h"
#include "gui/shell/shell.h"
#include "gui/teach/table_attributes.h"
#include "ui/dialogs.h"
#include "ui/ini.h"
#include "ui/ui.h"

namespace {

constexpr const char* kFileType = "Hardware Initial File";

void Log(const std::string& text) {
  ui::AppendTextBox(MainTab(kPageComm), TABCOMM_TEXTBOX_LOG, text);
}

// The parameters from the sensor's RAM, whatever target the selector shows.
void GetParametersFromRam() {
  uint16_t target = gTransfer.target;
  gTransfer.target = kTargetRam;
  GetParameters();
  gTransfer.target = target;
}

// A chosen file becomes the remembered path; false when none was chosen.
bool SelectHardwareFile(std::string& path) {
  ui::FileSelectRequest request;
  request.defaultDirectory = DialogStartDirectory(gRemembered.hardwareFile);
  request.defaultFileSpec = "HardwareInitialFile.ini";
  request.filterList = "*.ini";
  request.title = "HardwareInitialFile";
  request.mode = ui::VAL_SAVE_BUTTON;
  request.allowCancel = true;
  request.allowMakeDirectory = true;
  int result = ui::FileSelectPopup(request, path);
  if (result != ui::VAL_EXISTING_FILE_SELECTED && result != ui::VAL_NEW_FILE_SELECTED) return false;
  gRemembered.hardwareFile = path.substr(0, kPathChars);
  return true;
}

void PutTriple(ui::IniText& ini, const char* section, int page, const int (&boxes)[3]) {
  static const char* const kKeys[3] = {"RED", "GREEN", "BLUE"};
  for (int c = 0; c < 3; ++c) ini.PutInt(section, kKeys[c], ui::GetCtrlInt(page, boxes[c]));
}

}  // namespace

std::string HardwareDataText(const uint16_t* words) {
  std::string text;
  text.reserve(4 * kHardwareInfoWords);
  char digits[8];
  for (int i = 0; i < kHardwareInfoWords; ++i) {
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(words[i]));
    text += digits;
  }
  return text;
}

void WriteHardwareInfoFile() {
  gLink.linkOk = 1;
  GetParametersFromRam();
  if (!gLink.linkOk) return;
  ReadCalibrationValues();
  if (!gLink.linkOk) return;
  if (ExchangeOrder(kOrderHardwareInfo, kHardwareAccessValue) != 1 || !gLink.linkOk) return;
  if (gLink.dataLength < 2 * kHardwareInfoWords) {
    // Words missing from the reply would be filled from an earlier exchange.
    SetLinkMessage(kDataIncorrectText);
    ShowLinkError();
    return;
  }
  UnpackReplyToReplyWords();
  const std::string data = HardwareDataText(gLink.ReplyWords);

  std::string path;
  if (!SelectHardwareFile(path)) {
    Log("ATTENTION!   NO FILE WAS SELECTED!\n\n");
    return;
  }
  ReadPanelsIntoParameterBlock();

  ui::IniText ini;
  PutFileHeader(ini, kFileType);
  ini.PutString(kGeneralSection, "FIRMWARE VERSION:",
                std::string(reinterpret_cast<const char*>(gIdentity.raw),
                            static_cast<size_t>(gIdentity.length)));
  ini.PutString("HARDWARE INFO", "DATA", data);
  static const int kFactorBoxes[3] = {TABCALIB_NUM_CFRED, TABCALIB_NUM_CFGREEN,
                                      TABCALIB_NUM_CFBLUE};
  static const int kOffsetBoxes[3] = {TABOFFSET_NUM_RED, TABOFFSET_NUM_GREEN, TABOFFSET_NUM_BLUE};
  PutTriple(ini, "CALIBRATION FACTOR", MainTab(kPageCalibration), kFactorBoxes);
  PutTriple(ini, "OFFSET", MainTab(kPageOffset), kOffsetBoxes);
  for (int w = 0; w < kHeadWords; ++w)
    ini.PutInt("PARAMETER", kHeadParameters[w].key, gParameterBlock.head[w]);
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = "TEACH VECTOR " + std::to_string(r);
    for (int c = 0; c < kTeachCells; ++c)
      ini.PutInt(section, "CELL " + std::to_string(c), gParameterBlock.Row(r, c));
    ini.PutInt(section, "GROUP ", gParameterBlock.Row(r, kRowGroup));
    ini.PutInt(section, "HOLD ", gParameterBlock.Row(r, kRowHold));
  }
  // Support relies on this file: a failed write must not pass for a saved one.
  if (!ini.WriteFile(path)) {
    Log("ATTENTION!   HARDWARE INI FILE COULD NOT BE WRITTEN TO:\n" + path + "\n\n");
    ui::MessagePopup("ATTENTION!", "The file could not be written!\n" + path);
    return;
  }
  Log("HARDWARE INI FILE HAS BEEN SAVED TO:\n" + path + "\n\n");
}
