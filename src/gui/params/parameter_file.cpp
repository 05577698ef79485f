#include "gui/params/parameter_file.h"

#include <cstdint>
#include <filesystem>
#include <string>

#include "gui/params/parameter_block.h"
#include "gui/params/parameter_transfer.h"
#include "gui/settings/ini_header.h"
#include "gui/settings/remembered.h"
#include "gui/teach/table_attributes.h"
#include "ui/dialogs.h"
#include "ui/ini.h"

namespace {

constexpr const char* kFileType = "Parameter File";
constexpr const char* kParameters = "PARAMETER";
// The blank at the end of both keys is part of the file format.
constexpr const char* kGroupKey = "GROUP ";
constexpr const char* kHoldKey = "HOLD ";
constexpr uint16_t kCellDefault = 1;
constexpr uint16_t kGroupDefault = 0;
constexpr uint16_t kHoldDefault = 10;
constexpr size_t kFileTypeChars = 1023;

std::string TeachVectorSection(int row) {
  return "TEACH VECTOR " + std::to_string(row);
}

std::string CellKey(int cell) {
  return "CELL " + std::to_string(cell);
}

// The directory of the remembered path; a path that names a directory is
// taken whole.
std::string StartDirectory(const std::string& path) {
  std::error_code ec;
  if (!path.empty() && path.back() != '/' && std::filesystem::is_directory(path, ec)) return path;
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool FileChosen(int result) {
  return result == ui::VAL_EXISTING_FILE_SELECTED || result == ui::VAL_NEW_FILE_SELECTED;
}

// The file dialog both operations share. Returns the dialog's result; a chosen
// file becomes the remembered path.
int SelectParameterFile(ui::FileSelectMode mode, std::string& path) {
  ui::FileSelectRequest request;
  request.defaultDirectory = StartDirectory(gRemembered.parameterFile);
  request.defaultFileSpec = "Parameter.ini";
  request.filterList = "*.ini";
  request.title = "Parameter";
  request.mode = mode;
  request.allowCancel = true;
  request.allowMakeDirectory = true;
  int result = ui::FileSelectPopup(request, path);
  if (FileChosen(result)) gRemembered.parameterFile = path.substr(0, kPathChars);
  return result;
}

void ReportNoFile() {
  ui::MessagePopup("ATTENTION!", "No file was selected!");
}

// Asks whether to go on when a header item is not what this program writes.
bool AcceptHeaderItem(const ui::IniText& ini, const char* key, const char* expected,
                      const char* question) {
  std::string value;
  ini.GetString(kGeneralSection, key, value, kFileTypeChars);
  return value == expected || ui::ConfirmPopup("ATTENTION!", question) == 1;
}

// A file of another type or version is read only when the user agrees.
bool AcceptFile(const ui::IniText& ini) {
  return AcceptHeaderItem(ini, kFileTypeKey, kFileType,
                          "Selected file is not a parameter file! \nDo you want to proceed "
                          "anyway?") &&
         AcceptHeaderItem(ini, kVersionKey, kVersionText,
                          "Selected file and scope version do not match! \nDo you want to "
                          "proceed anyway?");
}

// Reads one integer into a parameter word, keeping its low 16 bits; false
// (and the word at its default) when the item is missing or not a number.
bool ReadWord(const ui::IniText& ini, const std::string& section, const std::string& key,
              uint16_t fallback, uint16_t& word) {
  long long value = 0;
  bool read = ini.GetInt(section, key, value);
  word = read ? static_cast<uint16_t>(value) : fallback;
  return read;
}

void ReadParameters(const ui::IniText& ini) {
  std::string missing;
  for (int w = 0; w < kHeadWords; ++w) {
    const HeadParameter& p = kHeadParameters[w];
    if (!ReadWord(ini, kParameters, p.key, p.fallback, gParameterBlock.head[w]))
      missing += std::string(p.warningName) + "\n";
  }
  if (!missing.empty())
    ui::MessagePopup("Attention!",
                     "Following parameter could not be read \nand where set to default "
                     "value:\n\n" +
                         missing);
}

// The spare word of each row is not in the file and keeps its value.
void ReadTeachVectors(const ui::IniText& ini) {
  std::string incomplete;
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = TeachVectorSection(r);
    bool complete = true;
    for (int c = 0; c < kTeachCells; ++c)
      complete &= ReadWord(ini, section, CellKey(c), kCellDefault, gParameterBlock.Row(r, c));
    complete &= ReadWord(ini, section, kGroupKey, kGroupDefault, gParameterBlock.Row(r, kRowGroup));
    complete &= ReadWord(ini, section, kHoldKey, kHoldDefault, gParameterBlock.Row(r, kRowHold));
    if (!complete) incomplete += section + "\n";
  }
  if (!incomplete.empty())
    ui::MessagePopup("Attention!",
                     "Following teach vectors could not be read \nand where set to default "
                     "value:\n\n" +
                         incomplete);
}

}  // namespace

void SaveParameterFile() {
  std::string path;
  if (!FileChosen(SelectParameterFile(ui::VAL_SAVE_BUTTON, path))) {
    ReportNoFile();
    return;
  }
  ReadPanelsIntoParameterBlock();

  ui::IniText ini;
  PutFileHeader(ini, kFileType);
  for (int w = 0; w < kHeadWords; ++w)
    ini.PutInt(kParameters, kHeadParameters[w].key, gParameterBlock.head[w]);
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = TeachVectorSection(r);
    for (int c = 0; c < kTeachCells; ++c)
      ini.PutInt(section, CellKey(c), gParameterBlock.Row(r, c));
    ini.PutInt(section, kGroupKey, gParameterBlock.Row(r, kRowGroup));
    ini.PutInt(section, kHoldKey, gParameterBlock.Row(r, kRowHold));
  }
  // A failed write leaves the old file as it was; the user must know that
  // the parameters were not saved.
  if (!ini.WriteFile(path))
    ui::MessagePopup("ATTENTION!", "The file could not be written!\n" + path);
}

void LoadParameterFile() {
  std::string path;
  if (SelectParameterFile(ui::VAL_LOAD_BUTTON, path) != ui::VAL_EXISTING_FILE_SELECTED) {
    ReportNoFile();
    return;
  }
  {
    ui::IniText ini;
    ini.ReadFile(path);  // a file that cannot be read counts as empty
    if (AcceptFile(ini)) {
      ReadParameters(ini);
      ReadTeachVectors(ini);
    } else {
      ui::MessagePopup("ATTENTION!", "No parameter where read!");
    }
  }
  // Also after a decline: the panels show the block again.
  ShowParameterBlock();
}
