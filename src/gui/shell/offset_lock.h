// The service lock of the offset compensation page: the page stays hidden
// until the password panel has been given the service password, and its close
// button locks it again. Nothing of this outlives a run.
#pragma once

#include <string>

// Exact comparison: letter case and every character count.
bool IsServicePassword(const std::string& text);
// Empties the password field and shows the panel as a modal popup.
void OpenPasswordPanel();
// The typed password: unlocks and opens the page, or refuses and asks again.
void EnterPassword();
void ClosePasswordPanel();
// Hides the offset page and returns to the parameter page.
void LockOffsetPage();
