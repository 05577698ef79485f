#include "gui/settings/ini_header.h"

#include "ui/ini.h"

namespace {
constexpr size_t kFileTypeChars = 1023;
}

void PutFileHeader(ui::IniText& ini, const char* fileType) {
  ini.PutString(kGeneralSection, kFileTypeKey, fileType);
  ini.PutString(kGeneralSection, kVersionKey, kVersionText);
}

std::string FileTypeOf(const ui::IniText& ini) {
  std::string type;
  ini.GetString(kGeneralSection, kFileTypeKey, type, kFileTypeChars);
  return type;
}
