#include "gui/settings/dialog_path.h"

#include <filesystem>

std::string DialogStartDirectory(const std::string& path) {
  std::error_code ec;
  if (!path.empty() && path.back() != '/' && std::filesystem::is_directory(path, ec)) return path;
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}
