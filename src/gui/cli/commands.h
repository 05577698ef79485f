// The commands that run from the shell: the window's own start-up, connect,
// GET, SEND, parameter file, hardware file and recorder, on panels that are
// never shown; messages go to the error stream and the outcome to the exit status.
#pragma once

#include "gui/cli/command_line.h"

class ConsoleDialogs;

// Parses the arguments and runs the command; returns the exit status.
int RunCommandLine(int argc, char** argv);

// Each command after a successful connect; returns the exit status.
int RunIdentify();
int RunGet(const CommandLine& cl, ConsoleDialogs& dialogs);
int RunSend(const CommandLine& cl, ConsoleDialogs& dialogs);
int RunHardwareInfo(const CommandLine& cl, ConsoleDialogs& dialogs);
int RunRecord(const CommandLine& cl, ConsoleDialogs& dialogs);

// The first link failure since start as one line (empty when none), and the
// exit status a command ends with: a link failure first, then a refusal.
const std::string& LinkFailure();
int CommandOutcome(const ConsoleDialogs& dialogs);
