#include "gui/settings/settings_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string ChooseSettingsDir(const std::string& projectDir, bool projectDirWritable,
                              const char* xdgConfigHome, const char* home) {
  if (projectDirWritable) return projectDir;
  // A relative XDG_CONFIG_HOME is invalid by the convention and is ignored.
  if (xdgConfigHome && xdgConfigHome[0] == '/')
    return std::string(xdgConfigHome) + "/" + kConfigDirName;
  if (home && home[0] != '\0') return std::string(home) + "/.config/" + kConfigDirName;
  return projectDir;
}

std::string SettingsDir(const std::string& projectDir) {
  const bool writable = access(projectDir.c_str(), W_OK) == 0;
  std::string dir =
      ChooseSettingsDir(projectDir, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (dir != projectDir) {
    std::error_code ec;  // a failure shows later as a settings file that is not written
    std::filesystem::create_directories(dir, ec);
  }
  return dir;
}
