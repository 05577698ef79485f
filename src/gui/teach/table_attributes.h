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
