// The block that opens every INI file of the program: the file's type and the
// version of the program that wrote it.
#pragma once

#include <string>

namespace ui {
class IniText;
}

constexpr const char* kGeneralSection = "GENERAL INFO";
constexpr const char* kFileTypeKey = "FILE TYPE:";
constexpr const char* kVersionKey = "SCOPE VERSION:";
constexpr const char* kVersionText = "COLMIRA3-Rarev V4.2";

void PutFileHeader(ui::IniText& ini, const char* fileType);
// The file type a content read names; empty when it names none.
std::string FileTypeOf(const ui::IniText& ini);
