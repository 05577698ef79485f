// Starts the platform offscreen (unless a display is asked for), then the tests.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "ui/ui.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (!getenv("XDG_RUNTIME_DIR")) {
    std::string runtime = "/tmp/colmira-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
  }
  ::testing::InitGoogleTest(&argc, argv);
  if (ui::InitCVIRTE(argc, argv) == 0) return 1;
  return RUN_ALL_TESTS();
}
