// Row colours and row specifications of the teach rows: they live only in the
// program (never in the sensor), in the four colour cells of each row and in
// the attributes table.
#pragma once

#include <string>

#include "com232/protocol.h"

namespace ui {
class IniText;
}

constexpr int kRowColorEntries = 45;
extern const int kDefaultRowColors[kRowColorEntries];
extern int gRowColors[kRowColorEntries];

std::string TableAttrSection(int row);
// Writes the 31 row sections into the content being built.
void PutTableAttributes(ui::IniText& ini);
// Takes the 31 row sections from a content read; fills the row colours and the
// specification column, but leaves the colour cells to the caller.
void GetTableAttributes(const ui::IniText& ini, int showWarnings);
// Paints the four colour cells of teach row r.
void PaintRowColor(int row, int color);
void PaintAllRowColors();

// Makes `color` the colour of teach row r: the row-colour entry and its four
// cells. The overlays are left to the caller, which may change more first.
void SetRowColor(int row, int color);
// True when the colour mode is "Automatically": a row taught from live data
// takes the live colour.
bool RowColorsFollowLive();
// Gives teach row r the colour of DATAP's live-colour field when the colour
// mode is automatic; does nothing in manual mode.
void ColorTaughtRow(int row);

// The colour mode's effect on the page: automatic dims row number, colour and
// SET and shows DATAP's live-colour field; manual does the opposite.
void ApplyRowColorMode();
// SET: the chosen colour to the chosen row, then the overlays.
void SetRowColorFromControls();
// RESET after the user confirms: default colours, empty specifications.
void ResetTableAttributes();
