// Program entry, start-up and the callbacks of every panel and page.
#pragma once

#include <string>

#include "Colmira3V42_callbacks.h"

constexpr const char* kProgramTitle = "COLMIRA3-Rarev V4.2";
constexpr const char* kLayoutFileName = "Colmira3V42.uir";

int Colmira3V42Main(int argc, char** argv);
// Loads the nine panels and places the children; -1 when one is missing.
int LoadApplicationPanels(const std::string& layoutPath);
void InitApplication();
// Closes the link and discards the panels, after the event loop.
void ShutdownApplication();
void RegisterApplicationCallbacks();
