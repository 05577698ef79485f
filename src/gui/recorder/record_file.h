// The record file: a header block when the user chooses the file, then one
// tab-separated line per recorded frame, each appended by opening the file,
// writing and closing it again, so that every line is on disk at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

// The header block for a sensor ID (the "PANEL ID: " line only when it is not empty).
std::string RecordHeaderText(const std::string& sensorId);
// One data line of a live frame at a local time, CR LF included; returns its length.
int FormatRecordLine(char* out, size_t size, const uint16_t* frame, const std::tm& when);

// Append to the record file path; false when the file could not be written.
bool WriteRecordHeader();
// The current live frame, stamped now. A line that cannot be written is counted
// in the recorder state.
bool AppendRecordLine();

// The warning shown before a recording and after choosing an existing file.
const char* RecordMakeSureText();

// The file-select button: dialog, confirmation of an existing file, header.
void SelectRecordFile();
