// The panel settings file beside the program: window placement, sensor ID,
// remembered paths, server list, link settings and table attributes.
#pragma once

namespace ui {
class IniText;
}

void ReadPanelSettings();
void WritePanelSettings();
// Reads the panel settings file; false (and `ini` of no use) when it is
// missing, unreadable or of another type.
bool ReadPanelSettingsFile(ui::IniText& ini);
