// The panel settings file beside the program: window placement, sensor ID,
// remembered paths, server list, link settings and table attributes.
#pragma once

namespace ui {
class IniText;
}

void ReadPanelSettings();
void WritePanelSettings();
// True when the content read is a panel settings file.
bool IsPanelSettingsFile(const ui::IniText& ini);
