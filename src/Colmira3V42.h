// Program entry, start-up and the callbacks of every panel and page.
#pragma once

#include <string>

#include "Colmira3V42_callbacks.h"

constexpr const char* kProgramTitle = "COLMIRA3-Rarev V4.2";
constexpr const char* kLayoutFileName = "Colmira3V42.uir";

// With arguments the program runs a command from the shell instead of the window.
int Colmira3V42Main(int argc, char** argv);
// Loads the nine panels and places the children; -1 when one is missing.
int LoadApplicationPanels(const std::string& layoutPath);
// The start-up up to the point where the window is shown and the link tried:
// panels prepared, panel settings read. The command line starts from here.
void PrepareApplication();
void InitApplication();
// Closes the link and discards the panels, after the event loop.
void ShutdownApplication();
void RegisterApplicationCallbacks();
