#include "gui/teach/table_attributes_file.h"

#include <filesystem>
#include <string>

#include "gui/live/live_graphs.h"
#include "gui/settings/ini_header.h"
#include "gui/settings/remembered.h"
#include "gui/teach/table_attributes.h"
#include "ui/dialogs.h"
#include "ui/ini.h"

namespace {

constexpr const char* kFileType = "Table Attributes";
constexpr size_t kFileTypeChars = 1023;

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

// The dialog both operations share; a chosen file becomes the remembered path.
int SelectTableAttributesFile(ui::FileSelectMode mode, std::string& path) {
  ui::FileSelectRequest request;
  request.defaultDirectory = StartDirectory(gRemembered.tableAttributesFile);
  request.defaultFileSpec = "TableAttributes.ini";
  request.filterList = "*.ini";
  request.title = "TableAttributes";
  request.mode = mode;
  request.allowCancel = true;
  request.allowMakeDirectory = true;
  int result = ui::FileSelectPopup(request, path);
  if (FileChosen(result)) gRemembered.tableAttributesFile = path.substr(0, kPathChars);
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
                          "Selected file is not a table attributes file! \nDo you want to "
                          "proceed anyway?") &&
         AcceptHeaderItem(ini, kVersionKey, kVersionText,
                          "Selected file and scope version do not match! \nDo you want to "
                          "proceed anyway?");
}

}  // namespace

void SaveTableAttributes() {
  std::string path;
  if (!FileChosen(SelectTableAttributesFile(ui::VAL_SAVE_BUTTON, path))) {
    ReportNoFile();
    return;
  }
  ui::IniText ini;
  PutFileHeader(ini, kFileType);
  PutTableAttributes(ini);
  // A failed write leaves the old file as it was; the user must know that
  // the attributes were not saved.
  if (!ini.WriteFile(path))
    ui::MessagePopup("ATTENTION!", "The file could not be written!\n" + path);
}

void LoadTableAttributes() {
  std::string path;
  if (SelectTableAttributesFile(ui::VAL_LOAD_BUTTON, path) != ui::VAL_EXISTING_FILE_SELECTED) {
    ReportNoFile();
    return;
  }
  ui::IniText ini;
  ini.ReadFile(path);  // a file that cannot be read counts as empty
  if (!AcceptFile(ini)) {
    ui::MessagePopup("ATTENTION!", "No parameter where read!");
    return;
  }
  GetTableAttributes(ini, 1);
  PaintAllRowColors();
  DrawToleranceOverlays();
}
