// The COMMUNICATION SETTINGS section of the panel settings file: protocol, COM
// port, baud index, host and TCP port, read into the communication page at
// start and written from it on close, through one table of keys.
#pragma once

namespace ui {
class IniText;
}

// The page's link controls from the section; the defaults where the file or a
// key is missing (`ini` null: no usable settings file).
void ReadCommunicationSettings(const ui::IniText* ini);
// The section from the page's link controls.
void PutCommunicationSettings(ui::IniText& ini);
