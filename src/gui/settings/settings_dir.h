// Where the program keeps its settings file and proposes its other files: its
// own directory while that is writable (a copy built or unpacked by the user),
// else the user's configuration directory, as an installed program must.
#pragma once

#include <string>

inline constexpr const char* kConfigDirName = "Colmira3V42";

// The choice itself: the project directory when writable; else
// $XDG_CONFIG_HOME/Colmira3V42 (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/Colmira3V42; the project directory when neither is known.
std::string ChooseSettingsDir(const std::string& projectDir, bool projectDirWritable,
                              const char* xdgConfigHome, const char* home);
// For this process, from the environment; creates the configuration directory
// when it is the one chosen.
std::string SettingsDir(const std::string& projectDir);
